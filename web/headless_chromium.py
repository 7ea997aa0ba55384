"""What the web edition's browser tests and its benchmark share: the site
served on a port of its own on this machine, and headless Chromium driven
through WebDriver, both from Debian's packages.
"""
import functools
import http.server
import threading

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

# Headless, as root, and with none of the browser's own connections, which a
# machine without network refuses (and every start would wait on).
FLAGS = ('--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
         '--disable-background-networking', '--disable-component-update', '--disable-sync')


class _Quiet(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


def serve(site):
    """Serves folder `site` on 127.0.0.1 from a thread; the server and its address."""
    server = http.server.ThreadingHTTPServer(('127.0.0.1', 0), functools.partial(_Quiet, directory=site))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server, f'http://127.0.0.1:{server.server_address[1]}/'


def browser(profile, *flags, prefs=None, loading='normal'):
    """Headless Chromium with profile folder `profile`, any further flags,
    preferences `prefs` (the reader's font sizes, for instance) and page load
    strategy `loading` ('none': a load returns as it starts)."""
    options = webdriver.ChromeOptions()
    options.page_load_strategy = loading
    for flag in FLAGS + flags + (f'--user-data-dir={profile}',):
        options.add_argument(flag)
    if prefs:
        options.add_experimental_option('prefs', prefs)
    return webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)
