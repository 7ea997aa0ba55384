#!/usr/bin/python3
"""The web edition's first use: the time from navigating to the page until
it works (module instantiated, opening prompt shown, a Calculate possible),
in headless Chromium with a fresh profile each run (nothing cached, no
service worker yet), served from this machine; and the site's sizes. Prints
the figures; judges none.

    tools/bench-web.py SITE_FOLDER [RUNS]
"""
import functools
import http.server
import os
import statistics
import sys
import tempfile
import threading

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.support.ui import WebDriverWait

site = sys.argv[1]
runs = int(sys.argv[2]) if len(sys.argv) > 2 else 5


class Quiet(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


server = http.server.ThreadingHTTPServer(('127.0.0.1', 0), functools.partial(Quiet, directory=site))
threading.Thread(target=server.serve_forever, daemon=True).start()
address = f'http://127.0.0.1:{server.server_address[1]}/'

times = []
for _ in range(runs):
    with tempfile.TemporaryDirectory() as profile:
        options = webdriver.ChromeOptions()
        for flag in ('--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
                     '--disable-background-networking', '--disable-component-update', '--disable-sync',
                     f'--user-data-dir={profile}'):
            options.add_argument(flag)
        browser = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)
        try:
            browser.get(address)
            ready = WebDriverWait(browser, 10).until(
                lambda b: b.execute_script('return document.documentElement.dataset.ready'))
            times.append(float(ready))
        finally:
            browser.quit()
server.shutdown()

print(f'== web edition, first use in headless Chromium on {address} ({runs} runs, fresh profile each)')
print(f'navigation to a working page: median {statistics.median(times):.0f} ms, '
      f'minimum {min(times):.0f} ms')
total = 0
for name in ('index.html', 'velquor.js', 'velquor.css', 'velquor.wasm', 'manifest.webmanifest', 'sw.js'):
    size = os.path.getsize(os.path.join(site, name))
    total += size
    print(f'{name:22} {size:7} bytes')
print(f'{"total":22} {total:7} bytes ({total / 1024:.1f} KiB), pictures aside')
