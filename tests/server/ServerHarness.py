"""Starts the program's render server as a process on 127.0.0.1 and talks
HTTP to it; every wait is bounded."""

import http.client
import os
import re
import signal
import subprocess
import tempfile
import time

NACREFORM = os.environ['NACREFORM']
START_TIMEOUT_S = 20


class Server:
    def __init__(self, *options):
        self.log = tempfile.TemporaryFile()
        environment = dict(os.environ)
        environment.pop('DISPLAY', None)
        self.process = subprocess.Popen([NACREFORM, '--serve', '127.0.0.1:0', *options],
                                        stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                        stderr=self.log, env=environment)
        deadline = time.monotonic() + START_TIMEOUT_S
        self.port = None
        while self.port is None and time.monotonic() < deadline and self.process.poll() is None:
            found = re.search(rb'serving http://127\.0\.0\.1:(\d+)/', self.log_text())
            self.port = int(found.group(1)) if found else None
            time.sleep(0.02)
        if self.port is None:
            self.stop()
            raise RuntimeError('the server did not start: ' + self.log_text().decode(errors='replace'))

    def log_text(self):
        self.log.seek(0)
        return self.log.read()

    def request(self, path, method='GET', headers=None, body=None, timeout=30):
        """(status, headers as a dict with lower-case names, body)"""
        connection = http.client.HTTPConnection('127.0.0.1', self.port, timeout=timeout)
        try:
            connection.request(method, path, body=body, headers=headers or {})
            answer = connection.getresponse()
            return answer.status, {k.lower(): v for k, v in answer.getheaders()}, answer.read()
        finally:
            connection.close()

    def stop(self, sig=signal.SIGTERM, timeout=10):
        """The exit code after sig; None when the process outlived timeout."""
        if self.process.poll() is None:
            self.process.send_signal(sig)
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
            return None

    def __enter__(self):
        return self

    def __exit__(self, *exception):
        self.stop()
        self.log.close()


def run_program(*arguments, cwd=None):
    """Runs the program itself (the command line), bounded in time."""
    return subprocess.run([NACREFORM, *arguments], cwd=cwd, capture_output=True, timeout=60,
                          env={k: v for k, v in os.environ.items() if k != 'DISPLAY'})
