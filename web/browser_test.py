"""The web edition in a real browser: headless Chromium driven through
WebDriver, typing with real key events into the page served from the build's
site folder on a port of its own.

    browser_test.py SITE_FOLDER ARTIFACT_FOLDER
"""
import contextlib
import json
import os
import pathlib
import re
import struct
import sys
import tempfile
import unittest

import headless_chromium
from selenium.common.exceptions import StaleElementReferenceException, TimeoutException
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

SITE, ARTIFACTS = sys.argv[1], sys.argv[2]
SOURCE = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
# Control numbers, as the page's elements carry them.
CURRENT_POWER, CURRENT_DISTANCE, PROPOSED_POWER, PROPOSED_DISTANCE = 1005, 1006, 1007, 1008
RATIO_CALCULATE, FREQUENCY, WAVELENGTH, WAVELENGTH_CALCULATE = 1009, 1019, 1020, 1021
WAVELENGTH_INSTRUCTIONS, WAVE_FACTOR, ANTENNA_LENGTH, ABOUT = 1022, 1026, 1027, 1030

# What the layout test reads off the page: its width, the heights of the controls and the banner, the
# lowest contrast of a text and of a bad field's mark against what is behind them, whether it is dark, and
# which controls, labels and full-value lines lie over one another.
LOOK = """
const rgb = color => color.match(/[\\d.]+/g).map(Number);
const light = color => rgb(color).slice(0, 3).map(c => c / 255).map(c => c <= 0.04045 ? c / 12.92 : ((c + 0.055) / 1.055) ** 2.4)
    .reduce((sum, c, i) => sum + c * [0.2126, 0.7152, 0.0722][i], 0);
const behind = e => rgb(getComputedStyle(e).backgroundColor)[3] === 0 ? behind(e.parentElement) : getComputedStyle(e).backgroundColor;
const contrast = (a, e) => (Math.max(light(a), light(behind(e))) + 0.05) / (Math.min(light(a), light(behind(e))) + 0.05);
const shown = [...document.querySelectorAll('body *')].filter(e => e.checkVisibility());
const texts = shown.filter(e => e.value || [...e.childNodes].some(node => node.nodeType === Node.TEXT_NODE && node.data.trim()));
const bad = document.querySelector('[aria-invalid=true]');
const boxes = shown.filter(e => e.matches('input, select, button, label, .exact') && e.closest('main')).map(e => [e, e.getBoundingClientRect()]);
const overlaps = boxes.flatMap(([a, r], i) => boxes.slice(i + 1).filter(([b, q]) =>
    r.left < q.right - 1 && q.left < r.right - 1 && r.top < q.bottom - 1 && q.top < r.bottom - 1 && !a.contains(b) && !b.contains(a))
    .map(([b]) => [a, b].map(e => e.dataset.control || e.id || e.textContent).join(' over ')));
return {width: document.documentElement.scrollWidth, banner: document.querySelector('h1').offsetHeight, overlaps,
        label: getComputedStyle(document.querySelector('label')).fontSize,
        heights: shown.filter(e => e.matches('input, select, button')).map(e => e.offsetHeight),
        contrast: Math.min(...texts.map(e => contrast(getComputedStyle(e).color, e))),
        mark: contrast(getComputedStyle(bad).outlineColor, bad.parentElement), dark: light(behind(document.body)) < 0.1};
"""


class Page(unittest.TestCase):
    """A server and a browser of the test class's own, its text `text` pixels by default, its loads
    returning once the page has loaded (`loading`)."""
    text = 16
    loading = 'normal'

    @classmethod
    def setUpClass(cls):
        cls.server, cls.address = headless_chromium.serve(SITE)
        cls.profile = tempfile.TemporaryDirectory()
        cls.browser = headless_chromium.browser(cls.profile.name, '--hide-scrollbars', loading=cls.loading,
                                                prefs={'webkit.webprefs.default_font_size': cls.text})
        cls.browser.set_window_size(1280, 900)

    @classmethod
    def tearDownClass(cls):
        cls.browser.quit()
        cls.server.shutdown()
        cls.server.server_close()
        cls.profile.cleanup()

    def open(self):
        self.browser.get(self.address)
        WebDriverWait(self.browser, 10).until(
            lambda b: b.execute_script('return document.documentElement.dataset.ready'))

    def control(self, number):
        return self.browser.find_element(By.CSS_SELECTOR, f'[data-control="{number}"]')

    def value(self, number):
        return self.control(number).get_attribute('value')

    def type_into(self, number, text):
        """Clicks into the field (which selects a 0 it shows) and types."""
        ActionChains(self.browser).click(self.control(number)).send_keys(text).perform()

    def press(self, *keys):
        actions = ActionChains(self.browser)
        for key in keys[:-1]:
            actions.key_down(key)
        actions.send_keys(keys[-1])
        for key in reversed(keys[:-1]):
            actions.key_up(key)
        actions.perform()

    def emulate(self, width, height, scheme):
        """A screen this size, touched by a finger if it is a phone's, in colours 'light', 'dark' or 'forced'."""
        self.browser.execute_cdp_cmd('Emulation.setDeviceMetricsOverride', {
            'width': width, 'height': height, 'deviceScaleFactor': 1, 'mobile': False})
        self.browser.execute_cdp_cmd('Emulation.setTouchEmulationEnabled', {'enabled': width < 1000})
        self.browser.execute_cdp_cmd('Emulation.setEmulatedMedia', {'features': [
            {'name': 'prefers-color-scheme', 'value': 'light' if scheme == 'light' else 'dark'},
            {'name': 'forced-colors', 'value': 'active' if scheme == 'forced' else 'none'},
            {'name': 'prefers-reduced-motion', 'value': 'reduce'}]})

    def focused(self):
        return self.browser.execute_script('return Number(document.activeElement.dataset.control)')

    def shown_messages(self):
        return [m.text for m in self.browser.find_elements(By.CSS_SELECTOR, '[role=alert]') if m.is_displayed()]

    def look_at_layouts(self, layouts):
        """At each (width, height, scheme): a picture, and on a touch screen controls a finger high, a
        banner under a third of the height, the decimal keypad or the full keyboard; a rounded result's
        full value below it without the focus, where no pointer hovers; the pane brought into view by its
        button; nothing over anything; at night dark; every text legible and in the reader's size."""
        os.makedirs(ARTIFACTS, exist_ok=True)
        for width, height, scheme in layouts:
            name = f'{width}x{height}-{scheme}' + ('-large' if self.text != 16 else '')
            self.emulate(width, height, scheme)
            self.open()
            modes = 'return [...document.querySelectorAll("input:not([readonly])")].map(field => field.inputMode)'
            if width < 1280:
                self.assertEqual(self.browser.execute_script(modes), ['decimal'] * 6, name)
                self.browser.find_element(By.ID, 'keys').click()
                self.assertEqual(self.browser.execute_script(modes), ['text'] * 6, name)
            self.type_into(FREQUENCY, '146.52')
            self.press(Keys.ENTER)
            self.control(WAVELENGTH_INSTRUCTIONS).click()
            self.assertEqual(self.focused(), WAVELENGTH_INSTRUCTIONS, name)
            self.assertTrue(self.browser.execute_script(
                'const r = instructions.getBoundingClientRect(); return r.top >= 0 && r.top < innerHeight'), name)
            rounded = self.control(WAVELENGTH).get_attribute('title') != ''
            self.assertEqual(self.browser.find_element(By.ID, f'exact{WAVELENGTH}').is_displayed(), rounded, name)
            self.type_into(CURRENT_POWER, 'x')
            self.control(RATIO_CALCULATE).click()
            self.browser.save_screenshot(os.path.join(ARTIFACTS, f'web-{name}.png'))
            page = self.browser.execute_script(LOOK)
            self.assertLessEqual(page['width'], width, name)
            self.assertEqual(page['overlaps'], [], name)
            self.assertEqual(page['label'], f'{self.text * 0.95:g}px', name)
            self.assertGreaterEqual(page['contrast'], 4.5, name)
            self.assertGreaterEqual(page['mark'], 3, name)
            self.assertEqual(page['dark'], scheme != 'light', name)
            if width < 1280:
                self.assertGreaterEqual(min(page['heights']), 48, name)
                self.assertLess(page['banner'], height / 3, name)
        self.emulate(1280, 900, 'light')
        self.browser.execute_cdp_cmd('Emulation.clearDeviceMetricsOverride', {})

    def walk_through(self):
        self.type_into(CURRENT_POWER, '100')
        self.assertEqual(self.value(CURRENT_POWER), '100')  # the click selected the 0 it replaced
        self.type_into(CURRENT_DISTANCE, '10')
        self.type_into(PROPOSED_POWER, '400')
        self.control(RATIO_CALCULATE).click()
        self.assertEqual(self.value(PROPOSED_DISTANCE), '20')


class Calculator(Page):
    def test_walkthrough_interlock_and_the_spoken_result(self):
        self.open()
        self.walk_through()
        self.assertEqual(self.browser.find_element(By.ID, 'status').text, 'Proposed Distance 20 miles')
        self.assertEqual(self.control(CURRENT_POWER).accessible_name, 'Current Power, watts')
        self.assertEqual(self.control(FREQUENCY).accessible_name, 'Frequency, MHz, Wavelength Calculator')
        # A second click into a 0 that has the focus, left of it, selects it too.
        frequency = self.control(FREQUENCY)
        ActionChains(self.browser).click(frequency).move_to_element_with_offset(
            frequency, 3 - frequency.size['width'] // 2, 0).click().send_keys('7').perform()
        self.assertEqual(self.value(FREQUENCY), '7')
        self.control(PROPOSED_DISTANCE).click()  # entering it clears the competing value
        self.assertEqual(self.value(PROPOSED_POWER), '0')
        self.assertEqual(self.value(PROPOSED_DISTANCE), '20')

    def test_a_rounded_result_keeps_its_exact_bits(self):
        self.open()
        self.type_into(CURRENT_POWER, '3')
        self.type_into(CURRENT_DISTANCE, '5')
        self.type_into(PROPOSED_POWER, '75')
        self.control(RATIO_CALCULATE).click()
        field = self.control(PROPOSED_DISTANCE)
        self.assertEqual(field.get_attribute('title'), '25.000000000000004')
        self.assertEqual(field.get_attribute('value'), '25')  # rounded to fit the field
        # Copying the whole field takes the full value; a part of it, the part.
        self.assertEqual(self.browser.execute_script(f'''
            const field = document.querySelector('[data-control="{PROPOSED_DISTANCE}"]');
            const copy = (start, end) => {{
                field.setSelectionRange(start, end);
                const data = new DataTransfer();
                field.dispatchEvent(new ClipboardEvent('copy', {{clipboardData: data, bubbles: true}}));
                return data.getData('text/plain');
            }};
            return [copy(0, 2), copy(0, 1)];'''), ['25.000000000000004', ''])
        # Read back through more passes, the shown "25" still stands for the exact value.
        self.control(WAVELENGTH_CALCULATE).click()
        self.control(RATIO_CALCULATE).click()
        exact = self.browser.execute_script(f'return velquor.number({PROPOSED_DISTANCE})')
        self.assertEqual(struct.pack('<d', exact), struct.pack('<d', 25.000000000000004))
        # On a phone the field is wide enough for every digit.
        self.browser.set_window_size(360, 800)
        WebDriverWait(self.browser, 5).until(lambda b: self.value(PROPOSED_DISTANCE) == '25.000000000000004')
        self.browser.set_window_size(1280, 900)

    def test_a_field_that_is_not_a_number_is_named_once_and_keeps_its_text(self):
        self.open()
        self.type_into(PROPOSED_DISTANCE, '12a')
        self.control(RATIO_CALCULATE).click()
        self.assertEqual(self.shown_messages(), ['Proposed Distance: please enter a number.'])
        # Focusing the field again raised no second pass: entering it would have rewritten it.
        self.assertEqual(self.focused(), PROPOSED_DISTANCE)
        self.assertEqual(self.browser.execute_script(
            'const f = document.activeElement; return [f.value, f.selectionStart, f.selectionEnd]'),
            ['12a', 0, 3])
        self.press('1')  # typing over it clears the message
        self.assertEqual(self.shown_messages(), [])

    def test_leaving_the_page_owes_the_read_until_it_is_back(self):
        self.open()
        self.type_into(CURRENT_POWER, '12a')
        self.browser.execute_script(
            "addEventListener('blur', () => window.shownWhileAway = !message.hidden)")
        page = self.browser.current_window_handle
        self.browser.switch_to.new_window('tab')
        self.browser.close()
        self.browser.switch_to.window(page)
        self.assertIs(self.browser.execute_script('return window.shownWhileAway'), False)
        self.assertEqual(self.shown_messages(), ['Current Power: please enter a number.'])
        self.assertEqual(self.focused(), CURRENT_POWER)

    def test_press_beside_a_report_takes_effect_and_enter_calculates(self):
        self.open()
        self.type_into(FREQUENCY, '146.52')
        self.press(Keys.ENTER)
        self.assertEqual(self.focused(), FREQUENCY)
        self.assertEqual(self.control(WAVELENGTH).get_attribute('title'), '6.715806715806715')
        # Typing there clears the result, as entering the field again would.
        self.press('x')
        self.assertEqual(self.value(WAVELENGTH), '0')
        # Leaving a bad Frequency for About names it and puts the focus back in
        # it, which raises no second pass; the message moves About, whose
        # press still opens the box.
        self.control(ABOUT).click()
        about = self.browser.find_element(By.ID, 'about')
        self.assertTrue(about.is_displayed())
        self.assertEqual(self.shown_messages(), ['Frequency (Wavelength Calculator): please enter a number.'])
        # Back from the box the field is read again, not rewritten.
        self.press(Keys.ESCAPE)
        self.assertEqual([self.focused(), self.value(FREQUENCY)], [FREQUENCY, 'x'])
        self.assertEqual(self.shown_messages(), ['Frequency (Wavelength Calculator): please enter a number.'])

    def test_tab_goes_through_the_windows_tab_stops_in_their_order(self):
        """The main template's tab stops, Exit aside (a browser tab has none), and the results."""
        with open(os.path.join(SOURCE, 'core', 'identifiers.h')) as header:
            numbers = dict(re.findall(r'#define (\w+) +(\d+)', header.read()))
        with open(os.path.join(SOURCE, 'res', 'velquor.rc')) as script:
            template = script.read().split('IDD_CALCULATOR DIALOGEX')[1].split('\nEND')[0]
        stops = [int(numbers[name]) for name in re.findall(r'CONTROL "[^"]*", (\w+), .*WS_TABSTOP', template)
                 if name != 'IDOK']
        # The read-only results too, after their calculator's inputs, so that
        # a keyboard can select and copy them.
        for result, after in ((WAVELENGTH, FREQUENCY), (ANTENNA_LENGTH, WAVE_FACTOR)):
            stops.insert(stops.index(after) + 1, result)
        self.open()
        self.control(stops[0]).click()
        order = [self.focused()]
        for _ in stops[1:]:
            self.press(Keys.TAB)
            order.append(self.focused())
        self.assertEqual(order, stops)

    def test_instructions_about_box_and_pictures(self):
        self.open()
        self.control(WAVELENGTH_INSTRUCTIONS).click()
        self.assertTrue(self.browser.execute_script(
            "return instructions.textContent.startsWith(document.querySelector('.wavelength legend').textContent + '\\n\\n')"))
        # Twice as dense as shown; the About box's wait until it opens.
        pictures = 'return [...document.images].map(image => image.complete && image.naturalWidth / image.getAttribute("width"))'
        self.assertEqual(self.browser.execute_script(pictures), [2, 0, 0])
        # F1 shows the help of the calculator holding the focus, what was
        # typed there kept, and of the whole window elsewhere; never the browser's.
        self.browser.execute_script("addEventListener('keydown', e => window.helpKept = !e.defaultPrevented)")
        self.type_into(CURRENT_POWER, '12')
        self.press(Keys.F1)
        self.assertEqual([self.focused(), self.value(CURRENT_POWER)], [CURRENT_POWER, '12'])
        pane = 'return instructions.textContent.split("\\n")[0]'
        self.assertEqual(self.browser.execute_script(pane), 'Inverse Square Ratio Calculator')
        self.control(ABOUT).send_keys(Keys.F1)
        self.assertTrue(self.browser.execute_script(pane).startswith('Click on'))
        self.assertIs(self.browser.execute_script('return window.helpKept'), False)
        # About by keyboard: the box's Close has the focus, and Enter closes it.
        self.control(ABOUT).send_keys(Keys.ENTER)
        about = self.browser.find_element(By.ID, 'about')
        self.assertTrue(about.is_displayed())
        self.assertEqual(self.browser.execute_script('return document.activeElement.textContent'), 'Close')
        mail = about.find_element(By.CSS_SELECTOR, 'p a[href="mailto:qso@example.com"]')
        self.assertGreaterEqual(mail.rect['height'], 48)
        WebDriverWait(self.browser, 5).until(lambda b: b.execute_script(pictures) == [2, 2, 2])
        with open(os.path.join(SITE, 'sw.js')) as worker:  # the site is what it keeps
            site = json.loads(worker.read().split('FILES = ')[1].split(';')[0])[1:] + ['sw.js']
        self.assertLess(sum(os.path.getsize(os.path.join(SITE, name)) for name in site), 150 * 1024)
        self.press(Keys.ENTER)
        self.assertFalse(about.is_displayed())

    def test_layouts_by_day_and_night(self):
        self.look_at_layouts([(w, h, s) for w, h in ((360, 740), (740, 360), (1280, 900))
                              for s in ('light', 'dark')] + [(1280, 900, 'forced')])


class LargeText(Page):
    """The reader's text at twice the usual size: the page follows it and still lays out."""
    text = 32

    def test_layouts_with_large_text(self):
        self.look_at_layouts([(360, 740, 'light'), (740, 360, 'light'), (1280, 900, 'light')])


class Starting(Page):
    """Each load returns at once, so that the page can be used while it loads."""
    loading = 'none'

    def says(self, address, notice):
        """Opens `address`, whose page should show `notice` alone, none of its controls live."""
        self.browser.get(address)
        shown = lambda: ([n.text for n in self.browser.find_elements(By.CLASS_NAME, 'notice') if n.is_displayed()],
                         len([c for c in self.browser.find_elements(By.CSS_SELECTOR, 'main :is(input, select, button)')
                              if c.is_enabled()]))
        with contextlib.suppress(TimeoutException):
            WebDriverWait(self.browser, 5, ignored_exceptions=(StaleElementReferenceException,)).until(
                lambda b: b.current_url == address and shown() == ([notice], 0))
        self.assertEqual(shown(), ([notice], 0))

    def test_a_page_that_cannot_work_says_so_and_typing_while_it_loads_is_kept(self):
        cdp = self.browser.execute_cdp_cmd
        cdp('Network.enable', {})
        script = cdp('Page.addScriptToEvaluateOnNewDocument', {'source': 'delete window.WebAssembly'})
        self.says(self.address, 'This calculator cannot work in this browser, which does not run WebAssembly.')
        cdp('Page.removeScriptToEvaluateOnNewDocument', script)
        # A page cut short inside its module, as by a dropped connection.
        with tempfile.TemporaryDirectory() as cut:
            text = pathlib.Path(SITE, 'index.html').read_text(encoding='utf-8')
            pathlib.Path(cut, 'index.html').write_text(text[:text.index('id="module">') + 4096], encoding='utf-8')
            server, address = headless_chromium.serve(cut)
            try:
                self.says(address, 'This calculator could not load its program; check the connection and reload the page.')
            finally:
                server.shutdown()
                server.server_close()
        # On a slow link the fields take typing before the module has
        # arrived, with no error; what was typed and pressed meanwhile takes
        # effect once it has started. The page comes from the slow link, not
        # from the cache, into a browser that cannot turn base64 into bytes
        # by itself.
        cdp('Network.setCacheDisabled', {'cacheDisabled': True})
        cdp('Page.addScriptToEvaluateOnNewDocument', {'source': 'delete Uint8Array.fromBase64; window.errors = [];'
                                                               'addEventListener("error", e => errors.push(e.message))'})
        cdp('Network.emulateNetworkConditions', {
            'offline': False, 'latency': 400, 'downloadThroughput': 20 * 1024, 'uploadThroughput': 20 * 1024})
        self.browser.get(self.address)
        WebDriverWait(self.browser, 10).until(lambda b: b.execute_script(
            'return location.href === arguments[0] && document.querySelector(arguments[1])?.disabled === false',
            self.address, f'[data-control="{FREQUENCY}"]'))
        self.type_into(FREQUENCY, '146.52')
        self.control(WAVELENGTH_CALCULATE).click()
        self.assertIsNone(self.browser.execute_script('return document.documentElement.dataset.ready'))
        WebDriverWait(self.browser, 20).until(
            lambda b: b.execute_script('return document.documentElement.dataset.ready'))
        self.assertEqual([self.value(FREQUENCY), self.control(WAVELENGTH).get_attribute('title'),
                          self.browser.execute_script('return errors')], ['146.52', '6.715806715806715', []])
        # Without JavaScript the notice heads the page and nothing looks live.
        with tempfile.TemporaryDirectory() as profile:
            scriptless = headless_chromium.browser(profile, '--blink-settings=scriptEnabled=false')
            try:
                scriptless.get(self.address)
                notice = scriptless.find_element(By.CSS_SELECTOR, 'noscript .notice, .notice:not([hidden])')
                self.assertEqual(notice.text, 'This calculator needs JavaScript, which is turned off in this browser.')
                self.assertEqual([c.is_enabled() for c in scriptless.find_elements(
                    By.CSS_SELECTOR, 'main :is(input, select, button)')], [False] * 17)
                self.assertLess(notice.rect['y'], scriptless.find_element(By.TAG_NAME, 'fieldset').rect['y'])
            finally:
                scriptless.quit()


class Offline(Page):
    def test_the_page_works_after_the_server_stops(self):
        self.open()
        self.browser.execute_async_script(
            'const done = arguments[0]; navigator.serviceWorker.ready.then(() => done())')
        self.server.shutdown()
        self.server.server_close()
        self.open()
        self.walk_through()

    @classmethod
    def tearDownClass(cls):
        cls.browser.quit()
        cls.profile.cleanup()


if __name__ == '__main__':
    unittest.main(argv=sys.argv[:1], verbosity=2)
