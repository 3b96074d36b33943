"""The page in Firefox: Debian's firefox-esr, headless, speaks WebDriver BiDi
itself over a WebSocket (--remote-debugging-port); this is a small client of
it over python3-websocket. Its handshake refuses a client that sends an Origin
header, so none is sent. Everything stops with the object.

    with FirefoxBrowser(site_folder) as browser:
        browser.open()
        browser.click("#lblMsg")
"""

import base64
import json
import re
import shutil
import subprocess
import tempfile
import threading

from browser import BrowserError, PlayerDriver, end_process, websocket

FIREFOX = shutil.which("firefox-esr") or "/usr/bin/firefox-esr"
# A quiet profile: no first-run pages, no reports home, sound allowed to start.
PREFERENCES = {
    "browser.shell.checkDefaultBrowser": False,
    "browser.startup.homepage_override.mstone": "ignore",
    "datareporting.policy.dataSubmissionEnabled": False,
    "toolkit.telemetry.reportingpolicy.firstRun": False,
    "app.update.disabledForTesting": True,
    "media.autoplay.default": 0,
    "media.autoplay.block-webaudio": False,
    # Headless, the window never has the system's focus; as a focused one it
    # lets Enter and Space press the focused button.
    "focusmanager.testmode": True,
}


def what_is_missing():
    if websocket is None:
        return "python3-websocket is not installed (tools/setup.sh test installs it)"
    if not shutil.which("firefox-esr"):
        return "firefox-esr is not installed (tools/setup.sh test installs it)"
    return None


class FirefoxBrowser(PlayerDriver):
    name = "firefox"
    KEYS = {"Enter": "\ue006", "Tab": "\ue004", "Escape": "\ue00c", "PageUp": "\ue00e",
            "PageDown": "\ue00f", "F11": "\ue03b", "F2": "\ue032"}

    def __init__(self, site, width=1140, height=690, deadline=60.0):
        super().__init__(site, width, height, deadline)
        self.firefox = self.socket = None
        self.profile = None
        self.next_id = 0
        self.context = None

    def __enter__(self):
        self.serve()
        self.profile = tempfile.mkdtemp(prefix="velmora-firefox-")
        with open(f"{self.profile}/user.js", "w") as prefs:
            for name, value in PREFERENCES.items():
                prefs.write(f"user_pref({json.dumps(name)}, {json.dumps(value)});\n")
        self.firefox = subprocess.Popen(
            [FIREFOX, "--headless", "--no-remote", "--profile", self.profile, "--remote-debugging-port=0",
             f"--width={self.width}", f"--height={self.height}", "about:blank"],
            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        address = self._bidi_address()
        self.socket = websocket.create_connection(f"{address}/session", timeout=self.deadline,
                                                  suppress_origin=True)
        self.send("session.new", capabilities={})
        self.context = self.send("browsingContext.getTree")["contexts"][0]["context"]
        # Focused, as the window a player types into: keys then press buttons.
        self.send("browsingContext.activate", context=self.context)
        self.send("browsingContext.setViewport", context=self.context,
                  viewport={"width": self.width, "height": self.height})
        return self

    def __exit__(self, *exc):
        if self.socket:
            try:
                self.send("session.end")
            except Exception:  # noqa: BLE001 - a browser already gone is stopped
                pass
            self.socket.close()
        if self.firefox:
            end_process(self.firefox)
        self.stop_serving()

    def _bidi_address(self):
        """Firefox says where it listens on its error stream; the rest of that
        stream is drained so that it never blocks."""
        found = []
        said = threading.Event()

        def read():
            for line in self.firefox.stderr:
                match = re.search(r"WebDriver BiDi listening on (ws://\S+)", line)
                if match and not found:
                    found.append(match.group(1))
                    said.set()
            said.set()

        threading.Thread(target=read, daemon=True).start()
        if not said.wait(self.deadline) or not found:
            raise BrowserError("firefox did not open its WebDriver BiDi port")
        return found[0]

    # --- the protocol ---
    def send(self, method, **params):
        self.next_id += 1
        mine = self.next_id
        self.socket.send(json.dumps({"id": mine, "method": method, "params": params}))
        while True:
            message = json.loads(self.socket.recv())
            if message.get("id") != mine:
                continue  # events: none is subscribed to
            if message.get("type") == "error":
                raise BrowserError(f"{method}: {message.get('error')}: {message.get('message')}")
            return message.get("result", {})

    def evaluate(self, expression, wait_promise=False):
        # Values come back as JSON text, the same for every kind of value.
        result = self.send("script.evaluate", target={"context": self.context}, awaitPromise=True,
                           expression=f"Promise.resolve({expression}).then((v) => JSON.stringify(v))")
        if result.get("type") == "exception":
            details = result.get("exceptionDetails", {})
            raise BrowserError(f"{expression}: {details.get('text')}")
        value = result["result"]
        return json.loads(value["value"]) if value.get("type") == "string" else None

    # --- what a player does ---
    def open_address(self, address):
        self.send("browsingContext.navigate", context=self.context, url=address, wait="none")

    def click_at(self, x, y, button="left"):
        pressed = {"left": 0, "right": 2}[button]
        self.send("input.performActions", context=self.context, actions=[{
            "type": "pointer", "id": "mouse", "parameters": {"pointerType": "mouse"},
            "actions": [{"type": "pointerMove", "x": int(x), "y": int(y), "origin": "viewport"},
                        {"type": "pointerDown", "button": pressed}, {"type": "pointerUp", "button": pressed}]}])

    # Firefox's remote agent sends the key's events, but an Enter it sends
    # never presses the focused button, as a player's Enter does: the driver
    # presses it, where no listener of the page has taken the key.
    PRESS_FOCUSED = """(() => {
      const button = document.activeElement;
      window.velmoraDriverPress = null;
      if (!button || button.tagName !== 'BUTTON') return;
      document.addEventListener('keydown', (e) => { window.velmoraDriverPress = e.defaultPrevented ? null : button; },
                                { once: true });
    })()"""

    def key(self, key):
        value = self.KEYS.get(key, key)
        if key == "Enter":
            self.evaluate(self.PRESS_FOCUSED)
        self.send("input.performActions", context=self.context, actions=[{
            "type": "key", "id": "keyboard",
            "actions": [{"type": "keyDown", "value": value}, {"type": "keyUp", "value": value}]}])
        if key == "Enter":
            self.evaluate("window.velmoraDriverPress && window.velmoraDriverPress.click()")

    def type_text(self, text):
        typed = [a for c in text for a in ({"type": "keyDown", "value": c}, {"type": "keyUp", "value": c})]
        self.send("input.performActions", context=self.context,
                  actions=[{"type": "key", "id": "keyboard", "actions": typed}])

    def set_files(self, selector, paths):
        node = self.send("script.evaluate", target={"context": self.context}, awaitPromise=False,
                         expression=f"document.querySelector({json.dumps(selector)})")["result"]
        self.send("input.setFiles", context=self.context, element={"sharedId": node["sharedId"]},
                  files=[str(p) for p in paths])

    def screenshot(self, path):
        data = self.send("browsingContext.captureScreenshot", context=self.context)["data"]
        with open(path, "wb") as f:
            f.write(base64.b64decode(data))
