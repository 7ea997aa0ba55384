#!/usr/bin/python3
"""The web edition's first use: the time from navigating to the page until
it works (module instantiated, opening prompt shown, a Calculate possible),
in headless Chromium with a fresh profile each run (nothing cached, no
service worker yet), served from this machine, against its floor: a blank
page served and loaded the same way, the two taking turns; and the site's
sizes, its pictures aside and with them. Prints the figures; judges none.

    tools/bench-web.py SITE_FOLDER [RUNS]
"""
import json
import os
import shutil
import statistics
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'web'))
import headless_chromium  # noqa: E402
from selenium.webdriver.support.ui import WebDriverWait  # noqa: E402

site = sys.argv[1]
runs = int(sys.argv[2]) if len(sys.argv) > 2 else 5

# The floor: a page with nothing on it, ready when it has loaded.
floor_site = tempfile.mkdtemp()
with open(os.path.join(floor_site, 'index.html'), 'w') as blank:
    blank.write('<!doctype html><html lang="en"><head><meta charset="utf-8"><title>-</title></head>'
                '<body><script>addEventListener("load", () => { document.documentElement'
                '.dataset.ready = performance.now().toFixed(1); });</script></body></html>')

server, address = headless_chromium.serve(site)
floor_server, floor_address = headless_chromium.serve(floor_site)


def first_use(where):
    """Milliseconds from navigation to `where` until it says it is ready."""
    with tempfile.TemporaryDirectory() as profile:
        browser = headless_chromium.browser(profile)
        try:
            browser.get(where)
            return float(WebDriverWait(browser, 10).until(
                lambda b: b.execute_script('return document.documentElement.dataset.ready')))
        finally:
            browser.quit()


times, floor = [], []
for _ in range(runs):
    floor.append(first_use(floor_address))
    times.append(first_use(address))
server.shutdown()
floor_server.shutdown()
shutil.rmtree(floor_site)

print(f'== web edition, first use in headless Chromium on {address} ({runs} runs, fresh profile each)')
print(f'navigation to a working page: median {statistics.median(times):.0f} ms, '
      f'minimum {min(times):.0f} ms; a blank page: median {statistics.median(floor):.0f} ms; '
      f'ratio {statistics.median(times) / statistics.median(floor):.2f}')
page = ('index.html', 'manifest.webmanifest', 'sw.js')
# The site is what the service worker keeps, and the worker itself.
with open(os.path.join(site, 'sw.js')) as worker:
    kept = json.loads(worker.read().split('FILES = ')[1].split(';')[0])[1:] + ['sw.js']
sizes = {name: os.path.getsize(os.path.join(site, name)) for name in kept}
for name in page + tuple(sorted(set(sizes) - set(page))):
    print(f'{name:22} {sizes[name]:7} bytes')
total = sum(sizes[name] for name in page)
print(f'{"total":22} {total:7} bytes ({total / 1024:.1f} KiB), pictures aside')
total = sum(sizes.values())
print(f'{"with the pictures":22} {total:7} bytes ({total / 1024:.1f} KiB), the whole site')
