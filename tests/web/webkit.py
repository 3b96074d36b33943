"""The page in WebKit, the engine of Safari and of every browser on an iPhone:
Debian's WebKitWebDriver (webkit2gtk-driver) drives WebKitGTK's MiniBrowser on
a private Xvfb, through python3-selenium. Everything stops with the object.

    with WebKitBrowser(site_folder) as browser:
        browser.open()
        browser.click("#lblMsg")
"""

import os
import shutil
import subprocess
import tempfile

from browser import BrowserError, PlayerDriver

try:
    from selenium import webdriver
    from selenium.webdriver.common.actions.action_builder import ActionBuilder
    from selenium.webdriver.webkitgtk.options import Options
except ImportError:  # what_is_missing says so
    webdriver = None

DRIVER = "/usr/bin/WebKitWebDriver"
MINIBROWSER = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"


def what_is_missing():
    if webdriver is None:
        return "python3-selenium is not installed (tools/setup.sh test installs it)"
    for program in (DRIVER, MINIBROWSER, shutil.which("Xvfb") or "/usr/bin/Xvfb"):
        if not os.path.exists(program):
            return f"no {program} (tools/setup.sh test installs webkit2gtk-driver and xvfb)"
    return None


def private_display():
    """A display of its own on Xvfb: the number it chose, and the server."""
    read, write = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "1280x900x24",
                               "-nolisten", "tcp"], pass_fds=(write,),
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write)
    with os.fdopen(read) as said:
        number = said.readline().strip()
    if not number:
        server.kill()
        raise BrowserError("Xvfb did not start")
    return f":{number}", server


class WebKitBrowser(PlayerDriver):
    name = "webkit"
    KEYS = {"Enter": "\ue007", "Tab": "\ue004", "Escape": "\ue00c", "PageUp": "\ue00e",
            "PageDown": "\ue00f", "F11": "\ue03b", "F2": "\ue032"}

    def __init__(self, site, width=1140, height=690, deadline=60.0):
        super().__init__(site, width, height, deadline)
        self.driver = self.xvfb = None
        self.home = None

    def __enter__(self):
        self.serve()
        display, self.xvfb = private_display()
        # MiniBrowser keeps its storage and caches under the home folder.
        self.home = tempfile.mkdtemp(prefix="velmora-webkit-")
        environment = {"DISPLAY": display, "HOME": self.home, "XDG_CACHE_HOME": self.home,
                       "XDG_DATA_HOME": self.home, "XDG_CONFIG_HOME": self.home}
        saved = {k: os.environ.get(k) for k in environment}
        os.environ.update(environment)  # the driver's browser inherits them
        try:
            options = Options()
            options.binary_location = MINIBROWSER
            options.add_argument("--automation")
            self.driver = webdriver.WebKitGTK(executable_path=DRIVER, options=options,
                                              service_log_path=os.devnull)
        finally:
            for k, v in saved.items():
                if v is None:
                    os.environ.pop(k, None)
                else:
                    os.environ[k] = v
        self.driver.set_window_size(self.width, self.height)
        return self

    def __exit__(self, *exc):
        if self.driver:
            try:
                self.driver.quit()
            except Exception:  # noqa: BLE001 - a browser already gone is stopped
                pass
        if self.xvfb:
            self.xvfb.terminate()
            self.xvfb.wait(10)
        if self.server:
            self.server.stop()
        if self.home:
            shutil.rmtree(self.home, ignore_errors=True)

    def open_address(self, address):
        self.driver.get(address)

    def evaluate(self, expression, wait_promise=False):
        # A promise the script returns is waited for by the driver itself.
        return self.driver.execute_script(f"return ({expression});")

    def click_at(self, x, y, button="left"):
        actions = ActionBuilder(self.driver)
        actions.pointer_action.move_to_location(int(x), int(y))
        actions.pointer_action.click()
        actions.perform()

    def key(self, key):
        actions = ActionBuilder(self.driver)
        actions.key_action.send_keys(self.KEYS.get(key, key))
        actions.perform()

    def type_text(self, text):
        actions = ActionBuilder(self.driver)
        actions.key_action.send_keys(text)
        actions.perform()

    def set_files(self, selector, paths):
        picker = self.driver.find_element("css selector", selector)
        picker.send_keys("\n".join(str(p) for p in paths))

    def screenshot(self, path):
        self.driver.save_screenshot(str(path))
