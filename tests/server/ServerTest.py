"""The render server as a client sees it: statuses, images, caching,
limits, pictures, overload and stopping."""

import os
import resource
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import time
import unittest
import urllib.parse

from ServerHarness import Server, run_program

IDLE_CONNECTIONS = 1000


def query(**keys):
    return urllib.parse.urlencode(keys)


class ServerTest(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.addCleanup(self.folder.cleanup)

    def path(self, name):
        return os.path.join(self.folder.name, name)

    def exported(self, sets, scale=None, state=None, extension='png'):
        """The bytes the command line writes for the design keys sets."""
        options = {'preset': lambda value: ['--preset', value],
                   'fit': lambda value: ['--fit' + (f'={value}' if value else '')]}
        arguments = [part for key, value in sets.items()
                     for part in options.get(key, lambda value: ['--set', f'{key}={value}'])(value)]
        if state:
            arguments += ['--export-set', self.path('set'), '--states', state, '--scales', str(scale or 1),
                          '--name', 'b', '--pattern', 'b.png']
            out = self.path('set/b.png')
        else:
            out = self.path('b.' + extension)
            arguments += ['--export', out] + (['--scale', str(scale)] if scale else [])
        run = run_program(*arguments)
        self.assertEqual(run.returncode, 0, run.stderr)
        with open(out, 'rb') as file:
            return file.read()

    def test_statuses(self):
        long_query = 'String=' + 'x' * (5 * 1024)
        cases = [
            # method, path, extra headers, body, status, words of the answer
            ('GET', '/healthz', {}, None, 200, b'ok'),
            ('GET', '/metrics', {}, None, 200, b'nacreform_http_requests_total{code="200"}'),
            ('GET', '/?String=OK', {}, None, 200, b'<!doctype html>'),
            ('GET', '/editor.js', {}, None, 200, b'use strict'),
            ('GET', '/v1/button.png', {}, None, 200, b'\x89PNG'),
            ('GET', '/v1/button.nfd?String=OK', {}, None, 200, b'String=OK'),
            ('HEAD', '/v1/button.png?String=HEAD', {}, None, 200, b''),
            ('GET', '/v2/button.png', {}, None, 404, b'no such page'),
            ('GET', '/v1/button.gif', {}, None, 404, b'no such page'),
            ('POST', '/v1/button.png', {}, b'', 405, b'only GET and HEAD'),
            ('DELETE', '/', {}, None, 405, b'only GET and HEAD'),
            ('GET', '/v1/button.png', {}, b'body', 413, b'no body'),
            ('GET', '/v1/button.png?Colour1=255', {}, None, 400, b'"Colour1" is no design key\n'),
            ('GET', '/v1/button.png?Margin=wide', {}, None, 400, b'Margin="wide": expected a whole number\n'),
            ('GET', '/v1/button.png?Margin=1&margin=2', {}, None, 400, b'Margin is given twice'),
            ('GET', '/v1/button.png?String=' + 'x' * 256, {}, None, 400, b'String: at most 255 characters'),
            ('GET', '/v1/button.png?String=a%0Ab', {}, None, 400, b'String="a\\nb": expected text on one line\n'),
            ('GET', '/v1/button.png?String=%FF', {}, None, 400, b'not UTF-8'),
            ('GET', '/v1/button.png?scale=9', {}, None, 400, b'scale: "9" is no scale from 0.25 to 8'),
            ('GET', '/v1/button.png?state=sleepy', {}, None, 400, b'is none of normal, hover, pressed, disabled'),
            ('GET', '/v1/button.png?preset=shiny', {}, None, 400, b'preset=shiny: no such preset; there are '),
            ('GET', '/v1/button.png?fit=-1', {}, None, 400, b'fit=-1: expected PADX or PADX,PADY'),
            ('GET', '/v1/button.png?fit&String=', {}, None, 400, b'fit: '),
            ('GET', '/v1/button.png?Color1=0xc0392b', {}, None, 400, b'Color1="0xc0392b": expected #RGB, #RRGGBB'),
            ('GET', '/v1/button.png?ShapeSize=1000,1000&scale=3', {}, None, 400, b'(too large)'),
            ('GET', '/v1/button.png?Margin=2000000000', {}, None, 400, b'(too large)'),
            ('GET', '/v1/button.png?ImagePath=/etc/passwd', {}, None, 400, b'takes no pictures'),
            ('GET', '/v1/button.png?' + long_query, {}, None, 414, b'longer than 4096 bytes'),
            ('GET', '/v1/button.png', {'X-Filler': 'y' * (32 * 1024)}, None, 431, b''),
        ]
        with Server('--quiet') as server:
            for method, path, headers, body, status, words in cases:
                with self.subTest(method=method, path=path[:60], headers=list(headers)):
                    answer_status, answer_headers, answer_body = server.request(path, method, headers, body)
                    self.assertEqual(answer_status, status, answer_body[:200])
                    self.assertIn(words, answer_body)
                    if status >= 400 and status != 431:
                        self.assertEqual(answer_body.count(b'\n'), 1, 'one line')
                        self.assertTrue(answer_headers['content-type'].startswith('text/plain'))
                    if status == 405:
                        self.assertEqual(answer_headers['allow'], 'GET, HEAD')
            self.assertEqual(server.stop(), 0)

    def test_png_is_byte_for_byte_the_export(self):
        cases = [
            ({}, None, None),
            ({'String': 'Download', 'RenderID': 32774, 'ShapeSize': '200,64', 'FontSize': 20}, None, None),
            ({'BGTrans': 0, 'BGColor': 255, 'RenderID': 32773, 'String': '확인'}, None, None),
            ({'RenderID': 32772, 'String': 'Go'}, 2, None),
            ({'String': 'Hover'}, 1.5, 'hover'),
            ({'String': 'Off'}, 1, 'disabled'),
            ({'preset': 'danger', 'String': 'Delete everything', 'fit': '', 'TextColor': '#fc0'}, None, None),
            ({'String': 'Padded', 'fit': '12,4', 'RenderID': 32773}, 2, None),
        ]
        with Server('--quiet') as server:
            for sets, scale, state in cases:
                with self.subTest(sets=sets, scale=scale, state=state):
                    keys = dict(sets, **({'scale': scale} if scale else {}), **({'state': state} if state else {}))
                    status, headers, body = server.request('/v1/button.png?' + query(**keys))
                    self.assertEqual(status, 200, body)
                    self.assertEqual(headers['content-type'], 'image/png')
                    self.assertEqual(body, self.exported(sets, scale, state))
            # The design file is the one Save As writes.
            status, headers, body = server.request('/v1/button.nfd?' + query(String='OK', Margin=12))
            run = run_program('--set', 'String=OK', '--set', 'Margin=12', '--save', self.path('b.nfd'))
            with open(self.path('b.nfd'), 'rb') as file:
                self.assertEqual(body, file.read(), run.stderr)

    def test_svg_webp_and_jpeg_are_the_export_too(self):
        sets = {'String': 'Go', 'RenderID': 32774, 'ShapeSize': '160,48', 'BGTrans': 0}
        cases = [('svg', 'image/svg+xml', None), ('webp', 'image/webp', 2), ('jpg', 'image/jpeg', 1.5)]
        with Server('--quiet') as server:
            for extension, media_type, scale in cases:
                with self.subTest(extension=extension):
                    keys = dict(sets, **({'scale': scale} if scale else {}))
                    status, headers, body = server.request(f'/v1/button.{extension}?' + query(**keys))
                    self.assertEqual(status, 200, body)
                    self.assertEqual(headers['content-type'], media_type)
                    self.assertEqual(body, self.exported(sets, scale, extension=extension))
            status, headers, body = server.request('/v1/button.svg')
            self.assertEqual((status, headers['content-type']), (200, 'image/svg+xml'))
            with open(self.path('default.svg'), 'wb') as file:
                file.write(body)
        lint = subprocess.run(['xmllint', '--noout', self.path('default.svg')], capture_output=True, text=True)
        self.assertEqual(lint.returncode, 0, lint.stderr)

    def test_entity_tags_follow_the_normalised_design(self):
        with Server('--quiet') as server:
            status, headers, first = server.request('/v1/button.png?String=OK&Margin=10')
            self.assertEqual(status, 200)
            tag = headers['etag']
            self.assertRegex(tag, r'^"[0-9a-f]{32}"$')
            self.assertEqual(headers['cache-control'], 'public, max-age=31536000, immutable')
            # The same design written otherwise: same tag, same bytes.
            for same in ['margin=010&string=OK', 'Margin=10&String=OK&scale=1.0&state=NORMAL', 'String=OK&Margin=+10']:
                status, headers, body = server.request('/v1/button.png?' + same)
                self.assertEqual((status, headers['etag'], body), (200, tag, first), same)
            for other in ['/v1/button.png?String=OK&Margin=11', '/v1/button.nfd?String=OK&Margin=10',
                          '/v1/button.png?String=OK&Margin=10&scale=2', '/v1/button.png?String=OK&Margin=10&state=hover']:
                self.assertNotEqual(server.request(other)[1]['etag'], tag, other)
            status, headers, body = server.request('/v1/button.png?String=OK&Margin=10',
                                                   headers={'If-None-Match': f'"0", {tag}'})
            self.assertEqual((status, headers['etag'], body), (304, tag, b''))
            self.assertEqual(server.request('/v1/button.png?String=OK', headers={'If-None-Match': tag})[0], 200)
            status, headers, body = server.request('/', headers={'If-None-Match': server.request('/')[1]['etag']})
            self.assertEqual(status, 304)

    def test_cache_is_bounded_in_bytes_and_counted(self):
        with Server('--quiet', '--cache-size', '64K') as server:
            for i in range(40):
                self.assertEqual(server.request('/v1/button.png?String=' + str(i))[0], 200)
            for _ in range(3):
                self.assertEqual(server.request('/v1/button.png?String=39')[0], 200)
            metrics = dict(line.rsplit(' ', 1) for line in server.request('/metrics')[2].decode().splitlines()
                           if not line.startswith('#'))
            self.assertLessEqual(int(metrics['nacreform_cache_bytes']), 64 * 1024)
            self.assertGreater(int(metrics['nacreform_cache_bytes']), 32 * 1024)
            self.assertEqual(int(metrics['nacreform_cache_hits_total']), 3)
            self.assertEqual(int(metrics['nacreform_cache_misses_total']), 40)
            self.assertEqual(int(metrics['nacreform_render_seconds_count']), 40)
            self.assertGreater(float(metrics['nacreform_render_seconds_sum']), 0)
            self.assertEqual(int(metrics['nacreform_http_requests_total{code="200"}']), 43)

    def test_pictures_only_from_the_picture_folder(self):
        pictures = self.path('pictures')
        os.mkdir(pictures)
        self.assertEqual(run_program('--export', os.path.join(pictures, 'star.png')).returncode, 0)
        shutil.copy('/etc/hostname', self.path('outside.png')) if os.path.exists('/etc/hostname') else None
        os.symlink('/etc/passwd', os.path.join(pictures, 'passwd.png'))
        os.symlink('star.png', os.path.join(pictures, 'inside.png'))
        with open(os.path.join(pictures, 'broken.png'), 'wb') as file:
            file.write(b'not a picture')
        cases = [
            ('star.png', 200, b''),
            ('inside.png', 200, b''),
            ('', 200, b''),
            ('/etc/passwd', 400, b'ImagePath=/etc/passwd: expected the name of a file'),
            ('../outside.png', 400, b'expected the name of a file'),
            ('..', 400, b'expected the name of a file'),
            ('passwd.png', 400, b'ImagePath=passwd.png: no such picture'),
            ('missing.png', 400, b'ImagePath=missing.png: no such picture'),
            ('broken.png', 400, b'ImagePath=broken.png: the picture cannot be read'),
        ]
        with Server('--quiet', '--picture-dir', pictures) as server:
            for name, status, words in cases:
                with self.subTest(name=name):
                    answer = server.request('/v1/button.png?' + query(ImagePath=name, String='P'))
                    self.assertEqual(answer[0], status, answer[2])
                    self.assertIn(words, answer[2])
                    self.assertNotIn(pictures.encode(), answer[2])
            nfd = server.request('/v1/button.nfd?' + query(ImagePath='star.png'))[2]
            self.assertIn(b'\nImagePath=star.png\n', nfd)
            # The picture is drawn: the image differs from the one without.
            self.assertNotEqual(server.request('/v1/button.png?' + query(ImagePath='star.png', String='P'))[2],
                                server.request('/v1/button.png?' + query(String='P'))[2])

    def test_idle_connections_do_not_stop_a_fresh_request(self):
        soft, hard = resource.getrlimit(resource.RLIMIT_NOFILE)
        resource.setrlimit(resource.RLIMIT_NOFILE, (min(hard, IDLE_CONNECTIONS + 256), hard))
        idle = []
        with Server('--quiet') as server:
            try:
                for i in range(IDLE_CONNECTIONS):
                    connection = socket.create_connection(('127.0.0.1', server.port), timeout=5)
                    if i % 2:  # half of them stop in the middle of a request
                        connection.sendall(b'GET /v1/button.png?String=slow HTTP/1.1\r\nHost: x\r\n')
                    idle.append(connection)
                started = time.monotonic()
                status, headers, body = server.request('/v1/button.png?String=fresh', timeout=1)
                self.assertEqual(status, 200)
                self.assertLess(time.monotonic() - started, 1.0)
            finally:
                for connection in idle:
                    connection.close()

    def test_overload_is_answered_503(self):
        requests = 120
        with Server('--quiet') as server:
            connections = []
            for i in range(requests):
                connection = socket.create_connection(('127.0.0.1', server.port), timeout=60)
                connection.sendall(f'GET /v1/button.png?scale=4&String=busy{i} HTTP/1.1\r\nHost: x\r\n'
                                   'Connection: close\r\n\r\n'.encode())
                connections.append(connection)
            statuses = []
            for connection in connections:
                answer = b''
                while chunk := connection.recv(65536):
                    answer += chunk
                connection.close()
                statuses.append(int(answer.split(b' ', 2)[1]))
                if statuses[-1] == 503:
                    self.assertIn(b'\r\nRetry-After: 1\r\n', answer)
            self.assertEqual(set(statuses), {200, 503})
            self.assertEqual(server.request('/healthz')[0], 200)

    def test_stop_on_a_signal_answers_what_is_under_way(self):
        for sig in (signal.SIGTERM, signal.SIGINT):
            with self.subTest(signal=sig), Server() as server, \
                    socket.create_connection(('127.0.0.1', server.port), timeout=10) as connection:
                connection.sendall(b'GET /v1/button.png?scale=3&String=Stop HTTP/1.1\r\nHost: x\r\n\r\n')
                time.sleep(0.05)  # let the render start
                started = time.monotonic()
                self.assertEqual(server.stop(sig, timeout=5), 0)
                self.assertLess(time.monotonic() - started, 2.0)
                answer = connection.recv(64)
                self.assertTrue(answer.startswith(b'HTTP/1.1 200') or answer.startswith(b'HTTP/1.1 503'), answer)
                self.assertRegex(server.log_text(),
                                 rb'127\.0\.0\.1 "GET /v1/button\.png\?scale=3&String=Stop" (200|503) \d+ ')

    def test_command_line(self):
        cases = [
            (['--serve', 'localhost:80'], 2, b'is not [ADDRESS:]PORT'),
            (['--serve', '70000'], 2, b'is not [ADDRESS:]PORT'),
            (['--serve', '0', '--cache-size', 'lots'], 2, b'--cache-size: "lots" is not a size'),
            (['--serve', '0', '--export', 'x.png'], 2, b'--serve takes no --export'),
            (['--quiet', '--export', 'x.png'], 2, b'--quiet needs --serve'),
            (['--serve', '0', '--picture-dir', '/nonexistent'], 1, b'/nonexistent is no folder'),
        ]
        for arguments, code, words in cases:
            with self.subTest(arguments=arguments):
                run = run_program(*arguments, cwd=self.folder.name)
                self.assertEqual(run.returncode, code, run.stderr)
                self.assertIn(words, run.stderr)
        with Server('--quiet') as server:
            run = run_program('--serve', f'127.0.0.1:{server.port}')
            self.assertEqual(run.returncode, 1)
            self.assertIn(f'cannot listen on 127.0.0.1 port {server.port}'.encode(), run.stderr)


if __name__ == '__main__':
    unittest.main(argv=[sys.argv[0], *sys.argv[1:]])
