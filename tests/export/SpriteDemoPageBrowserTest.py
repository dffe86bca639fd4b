"""The demo page of a sprite set, in headless Chromium: its base-class
button shows the hover cell under the pointer, the pressed cell while the
button is held, the hover cell on keyboard focus, and a disabled button the
disabled cell, at device pixel ratios 1 and 2 (where the 2x sheet must be
the one drawn). Checked on the page's pixels against the sheets' cells.

Usage: SpriteDemoPageBrowserTest.py NACREFORM_EXECUTABLE"""

import io
import os
import subprocess
import sys
import tempfile
import time

from PIL import Image, ImageChops, ImageStat
from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

STATES = ["normal", "hover", "pressed", "disabled"]
PAGE_BACKGROUND = (255, 255, 255, 255)
# Mean and largest difference of a channel (0-255) between the page and the
# cell: the browser draws the sheet's pixels one to one, so only rounding
# through its compositor remains.
MAX_MEAN = 1.0
MAX_PEAK = 8
# CSS pixels of the button's edges the focus ring may cover.
FOCUS_RING = 4
# A repaint after input is waited for this long at most.
REPAINT_SECONDS = 5.0


def cell(sheet, state, ratio):
    """The state's cell of the sheet at ratio over the page's background."""
    width = sheet.width
    height = sheet.height // len(STATES)
    top = STATES.index(state) * height
    part = sheet.crop((0, top, width, top + height))
    return Image.alpha_composite(Image.new("RGBA", part.size, PAGE_BACKGROUND), part).convert("RGB")


def difference(a, b):
    """Mean and largest channel difference of two images of one size."""
    diff = ImageChops.difference(a, b)
    mean = sum(ImageStat.Stat(diff).mean) / 3
    peak = max(high for _, high in diff.getextrema())
    return mean, peak


def shown(driver, element_id, ratio):
    """The device pixels of the element as the page shows them now."""
    left, top, width, height = driver.execute_script(
        "const r = document.getElementById(arguments[0]).getBoundingClientRect();"
        "return [r.left, r.top, r.width, r.height];", element_id)
    shot = Image.open(io.BytesIO(driver.get_screenshot_as_png())).convert("RGB")
    box = tuple(round(v * ratio) for v in (left, top, left + width, top + height))
    return shot.crop(box)


def inner(image, inset):
    return image.crop((inset, inset, image.width - inset, image.height - inset))


def expect_cell(driver, element_id, sheets, state, ratio, inset=0):
    """Waits (bounded) until the element shows state's cell, inset device
    pixels in from its edges; fails with the differences to every cell when
    it does not."""
    wanted = inner(cell(sheets[ratio], state, ratio), inset)
    deadline = time.monotonic() + REPAINT_SECONDS
    while True:
        pixels = inner(shown(driver, element_id, ratio), inset)
        if pixels.size == wanted.size:
            mean, peak = difference(pixels, wanted)
            if mean <= MAX_MEAN and peak <= MAX_PEAK:
                return
        if time.monotonic() > deadline:
            break
        time.sleep(0.1)
    report = {s: difference(pixels, inner(cell(sheets[ratio], s, ratio), inset))
              if pixels.size == wanted.size else pixels.size
              for s in STATES}
    raise AssertionError(f"#{element_id} at ratio {ratio} does not show the {state} cell: {report}")


def open_browser(ratio):
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
                     "--hide-scrollbars", "--force-color-profile=srgb", "--window-size=900,900",
                     f"--force-device-scale-factor={ratio}"):
        options.add_argument(argument)
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    driver.set_page_load_timeout(30)
    driver.set_script_timeout(30)
    return driver


def check_page(page, sheets, ratio):
    driver = open_browser(ratio)
    try:
        driver.get("file://" + page)
        assert driver.execute_script("return window.devicePixelRatio") == ratio
        expect_cell(driver, "disabled", sheets, "disabled", ratio)
        expect_cell(driver, "live", sheets, "normal", ratio)
        for state in STATES:
            expect_cell(driver, "state-" + state, sheets, state, ratio)

        live = driver.find_element(By.ID, "live")
        ActionChains(driver).move_to_element(live).perform()
        expect_cell(driver, "live", sheets, "hover", ratio)
        ActionChains(driver).click_and_hold(live).perform()
        expect_cell(driver, "live", sheets, "pressed", ratio)
        ActionChains(driver).release(live).perform()
        expect_cell(driver, "live", sheets, "hover", ratio)

        # Away from the button (a click on the heading, where the keyboard
        # goes on from), then onto it with the keyboard.
        ActionChains(driver).click(driver.find_element(By.TAG_NAME, "h1")).perform()
        expect_cell(driver, "live", sheets, "normal", ratio)
        ActionChains(driver).send_keys(Keys.TAB).perform()
        assert driver.execute_script("return document.activeElement.id") == "live"
        # The browser's focus ring, which the style sheet leaves to the page,
        # covers the edges.
        expect_cell(driver, "live", sheets, "hover", ratio, inset=FOCUS_RING * ratio)
    finally:
        driver.quit()


def main():
    program = sys.argv[1]
    with tempfile.TemporaryDirectory() as folder:
        subprocess.run([program, "--export-set", folder, "--sprite", "--scales", "1,2", "--name", "ok",
                        "--set", "String=OK"], check=True, timeout=60)
        sheets = {ratio: Image.open(os.path.join(folder, name)).convert("RGBA")
                  for ratio, name in ((1, "ok.png"), (2, "ok@2x.png"))}
        for ratio in (1, 2):
            check_page(os.path.join(folder, "ok.html"), sheets, ratio)
    print("the demo page follows the pointer and the keyboard at ratios 1 and 2")


if __name__ == "__main__":
    main()
