"""The editor page in headless Chromium: live preview and downloads."""

import os
import sys
import tempfile
import time
import unittest
import urllib.request

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import WebDriverWait

from ServerHarness import Server, run_program

PREVIEW_TIMEOUT_S = 1.0
LOAD_TIMEOUT_S = 20


class EditorPageTest(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.addCleanup(self.folder.cleanup)
        self.server = Server('--quiet')
        self.addCleanup(self.server.stop)
        options = webdriver.ChromeOptions()
        for argument in ('--headless=new', '--no-sandbox', '--disable-gpu', '--disable-dev-shm-usage',
                         f'--user-data-dir={self.folder.name}/profile'):
            options.add_argument(argument)
        options.add_experimental_option('prefs', {'download.default_directory': self.folder.name,
                                                  'download.prompt_for_download': False})
        self.browser = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)
        self.addCleanup(self.browser.quit)
        self.browser.set_page_load_timeout(LOAD_TIMEOUT_S)

    def preview(self):
        """The preview's address once its image has loaded, else None."""
        return self.browser.execute_script(
            "const i = document.getElementById('image');"
            "return i.complete && i.naturalWidth > 0 ? i.src : null;")

    def test_typing_a_caption_updates_the_preview_and_the_design_downloads(self):
        base = f'http://127.0.0.1:{self.server.port}'
        self.browser.get(base + '/?RenderID=32774&ShapeSize=200,64')
        first = WebDriverWait(self.browser, LOAD_TIMEOUT_S).until(lambda _: self.preview())
        caption = self.browser.find_element(By.ID, 'caption')
        self.assertEqual(self.browser.find_element(By.CSS_SELECTOR, '[data-key=RenderID]').get_attribute('value'),
                         '32774')

        caption.clear()
        started = time.monotonic()
        caption.send_keys('Download')
        typed = time.monotonic()
        WebDriverWait(self.browser, PREVIEW_TIMEOUT_S, poll_frequency=0.02).until(
            lambda _: self.preview() not in (None, first) and 'String=Download' in self.preview())
        self.assertLess(time.monotonic() - typed, PREVIEW_TIMEOUT_S)
        self.assertIn('String=Download', self.browser.current_url)
        self.assertIn('RenderID=32774', self.browser.current_url)
        preview = self.preview()
        print(f'preview updated {time.monotonic() - typed:.2f} s after typing '
              f'({typed - started:.2f} s to type)', file=sys.stderr)

        self.browser.find_element(By.ID, 'download-nfd').click()
        design = os.path.join(self.folder.name, 'button.nfd')
        deadline = time.monotonic() + LOAD_TIMEOUT_S
        while not os.path.exists(design) and time.monotonic() < deadline:
            time.sleep(0.05)
        self.assertTrue(os.path.exists(design), 'the design file was not downloaded')
        exported = os.path.join(self.folder.name, 'exported.png')
        run = run_program('--export', exported, design)
        self.assertEqual(run.returncode, 0, run.stderr)
        with urllib.request.urlopen(preview, timeout=10) as answer, open(exported, 'rb') as file:
            self.assertEqual(answer.read(), file.read())


if __name__ == '__main__':
    unittest.main(argv=[sys.argv[0], *sys.argv[1:]])
