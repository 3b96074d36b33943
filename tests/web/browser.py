"""A real browser for the web page's tests: the site served from a local
server, Debian's chromium headless, driven through the DevTools protocol
(python3-websocket). Nothing is downloaded; everything stops with the object.

    with Browser(site_folder) as browser:
        browser.open()
        browser.click("#lblMsg")

What a player does is the same in every engine (PlayerDriver); the WebKit and
Firefox drivers (webkit.py, firefox.py) speak their own protocols below it.
"""

import base64
import functools
import gzip
import http.server
import json
import os
import pathlib
import shutil
import socketserver
import subprocess
import tempfile
import threading
import time
import urllib.request

try:
    import websocket
except ImportError:  # what_is_missing says so
    websocket = None

CHROMIUM = shutil.which("chromium") or "/usr/bin/chromium"
CHROMIUM_FLAGS = [
    "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
    "--disable-background-networking", "--disable-component-update", "--disable-sync",
    "--mute-audio", "--autoplay-policy=no-user-gesture-required",
]
KEYS = {  # what the page sees of each key the tests press
    "Enter": (13, "\r"), " ": (32, " "), "Tab": (9, ""), "Escape": (27, ""),
    "F11": (122, ""), "F2": (113, ""), "F5": (116, ""), "F9": (120, ""), "PageUp": (33, ""), "PageDown": (34, ""),
    "ArrowLeft": (37, ""), "ArrowUp": (38, ""), "ArrowRight": (39, ""), "ArrowDown": (40, ""),
}


def what_is_missing(site, engine=True):
    """Why the browser tests cannot run here, or None; engine=False: only the
    site and the protocol's client, not chromium."""
    if not os.path.isfile(os.path.join(site, "index.html")):
        return f"no web page in {site} (tools/web.sh builds it; emscripten is not installed?)"
    if engine and not shutil.which("chromium"):
        return "chromium is not installed (tools/setup.sh test installs it)"
    if websocket is None:
        return "python3-websocket is not installed (tools/setup.sh test installs it)"
    return None


class SiteHandler(http.server.SimpleHTTPRequestHandler):
    """A static host: the folder as it is, each file served as its brotli or
    gzip copy beside it (tools/web/build_site.py makes them) to a browser that
    takes that encoding, as nginx's brotli_static and gzip_static serve them;
    a file without copies, compressed with gzip as it is sent."""
    COMPRESSED = (".html", ".css", ".js", ".json", ".wasm", ".webmanifest", ".txt")
    PACKED = (("br", ".br"), ("gzip", ".gz"))
    # The compressed bytes of each file, by path and time of change.
    packed = {}

    def log_message(self, *args):
        pass

    def accepts(self, encoding):
        offered = self.headers.get("Accept-Encoding", "")
        return encoding in (e.split(";")[0].strip() for e in offered.split(","))

    def do_GET(self):
        path = pathlib.Path(self.translate_path(self.path))
        if path.is_dir():
            path = path / "index.html"
        if not self.COMPRESSED or not path.is_file():
            return super().do_GET()
        encoding = next((e for e, suffix in self.PACKED
                         if self.accepts(e) and path.with_name(path.name + suffix).is_file()), None)
        if encoding is None and (not path.name.endswith(self.COMPRESSED) or not self.accepts("gzip")):
            return super().do_GET()
        since = self.headers.get("If-Modified-Since")
        if since and since == self.date_time_string(path.stat().st_mtime):
            self.send_response(304)
            self.end_headers()
            return None
        if encoding:
            body = path.with_name(path.name + dict(self.PACKED)[encoding]).read_bytes()
        else:
            encoding = "gzip"
            key = (str(path), path.stat().st_mtime_ns)
            if key not in self.packed:
                self.packed[key] = gzip.compress(path.read_bytes(), 9)
            body = self.packed[key]
        self.send_response(200)
        self.send_header("Content-Type", self.guess_type(str(path)))
        self.send_header("Content-Encoding", encoding)
        self.send_header("Content-Length", str(len(body)))
        self.send_header("Last-Modified", self.date_time_string(path.stat().st_mtime))
        self.end_headers()
        self.wfile.write(body)


class PlainHandler(SiteHandler):
    COMPRESSED = ()


class ThreadingServer(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True
    allow_reuse_address = True

    def handle_error(self, request, client_address):
        pass  # a browser that leaves mid-download is no fault of the page


class SiteServer:
    """The site on 127.0.0.1 at a free port (or the one given: the same site
    address again), until stopped (the network gone)."""

    def __init__(self, site, compress=True, port=0, handler=None):
        handler = functools.partial(handler or (SiteHandler if compress else PlainHandler),
                                    directory=str(site))
        self.server = ThreadingServer(("127.0.0.1", port), handler)
        threading.Thread(target=self.server.serve_forever, daemon=True).start()
        self.url = f"http://127.0.0.1:{self.server.server_address[1]}/"

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.stop()

    def stop(self):
        if self.server:
            self.server.shutdown()
            self.server.server_close()
            self.server = None


class BrowserError(Exception):
    pass


def end_process(process):
    """A browser asked to end, and made to if it does not within ten seconds."""
    process.terminate()
    try:
        process.wait(10)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()


class PlayerDriver:
    """What a player does and what a test reads, in any engine. An engine's
    driver gives evaluate, click_at, key, type_text, set_files, screenshot
    and open_address."""
    name = "?"

    def __init__(self, site, width, height, deadline):
        self.site = site
        self.width, self.height = width, height
        self.deadline = deadline
        self.server = None
        self.url = None

    def serve(self):
        self.server = SiteServer(self.site)
        self.url = self.server.url

    # The site's server stopped, and the browser's profile removed, if any.
    def stop_serving(self):
        if self.server:
            self.server.stop()
        if getattr(self, "profile", None):
            shutil.rmtree(self.profile, ignore_errors=True)

    def wait_for(self, expression, what, deadline=None):
        """Polls the page until the expression (or the promise it gives) is
        truthy; its value."""
        end = time.monotonic() + (deadline or self.deadline)
        while time.monotonic() < end:
            value = self.evaluate(expression, wait_promise=True)
            if value:
                return value
            time.sleep(0.005)
        raise BrowserError(f"waited in vain for {what}: {expression} is {value!r}")

    def open(self, path="index.html"):
        """Navigates and returns once the page's document is parsed."""
        self.open_address(self.url + path)
        self.wait_for(f"location.href === {json.dumps(self.url + path)} && "
                      "document.readyState !== 'loading'", "the page")

    def center(self, selector):
        box = self.evaluate(f"""(() => {{
            const e = document.querySelector({json.dumps(selector)});
            if (!e) return null;
            const r = e.getBoundingClientRect();
            return [r.left + r.width / 2, r.top + r.height / 2, r.width, r.height];
        }})()""")
        if not box or box[2] <= 0:
            raise BrowserError(f"nothing to click at {selector}")
        return box[0], box[1]

    def click(self, selector, button="left"):
        x, y = self.center(selector)
        self.click_at(x, y, button)


class Browser(PlayerDriver):
    name = "chromium"

    def __init__(self, site, width=1140, height=690, deadline=60.0):
        super().__init__(site, width, height, deadline)
        self.chromium = self.socket = None
        self.profile = None
        self.next_id = 0
        self.events = []

    # --- start and stop ---
    def __enter__(self):
        self.serve()
        self.profile = tempfile.mkdtemp(prefix="velmora-chromium-")
        self.chromium = subprocess.Popen(
            [CHROMIUM, *CHROMIUM_FLAGS, f"--user-data-dir={self.profile}",
             "--remote-debugging-port=0", f"--window-size={self.width},{self.height}", "about:blank"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.port = self._devtools_port()
        targets = json.load(urllib.request.urlopen(f"http://127.0.0.1:{self.port}/json/list"))
        self._attach(next(t for t in targets if t["type"] == "page"))
        return self

    def _attach(self, page):
        self.page_id = page["id"]
        self.events = []
        self.socket = websocket.create_connection(page["webSocketDebuggerUrl"], timeout=self.deadline,
                                                  suppress_origin=True)
        self.send("Page.enable")
        self.send("Runtime.enable")
        self.send("Emulation.setDeviceMetricsOverride", width=self.width, height=self.height,
                  deviceScaleFactor=1, mobile=False)

    def new_tab(self):
        """The page's tab closed and a new one opened: a game closed and
        started again. The new tab has none of the old one's emulation."""
        devtools = f"http://127.0.0.1:{self.port}/json"
        page = json.load(urllib.request.urlopen(urllib.request.Request(f"{devtools}/new?about:blank",
                                                                       method="PUT")))
        self.socket.close()
        urllib.request.urlopen(f"{devtools}/close/{self.page_id}").read()
        self._attach(page)

    def another_tab(self):
        """A second tab of this browser, driven on its own: the game open
        twice. close_tab ends it; the browser ends with the first."""
        tab = Browser(self.site, self.width, self.height, self.deadline)
        tab.port, tab.url = self.port, self.url
        devtools = f"http://127.0.0.1:{self.port}/json"
        tab._attach(json.load(urllib.request.urlopen(urllib.request.Request(
            f"{devtools}/new?about:blank", method="PUT"))))
        return tab

    def close_tab(self):
        self.socket.close()
        urllib.request.urlopen(f"http://127.0.0.1:{self.port}/json/close/{self.page_id}").read()

    def __exit__(self, *exc):
        if self.socket:
            self.socket.close()
        if self.chromium:
            end_process(self.chromium)
        self.stop_serving()

    def _devtools_port(self):
        active = os.path.join(self.profile, "DevToolsActivePort")
        end = time.monotonic() + self.deadline
        while time.monotonic() < end:
            if self.chromium.poll() is not None:
                raise BrowserError(f"chromium exited with status {self.chromium.returncode}")
            try:
                with open(active) as f:
                    return int(f.readline())
            except (OSError, ValueError):
                time.sleep(0.05)
        raise BrowserError("chromium did not open its DevTools port")

    # --- the protocol ---
    def send(self, method, **params):
        self.next_id += 1
        mine = self.next_id
        self.socket.send(json.dumps({"id": mine, "method": method, "params": params}))
        while True:
            message = json.loads(self.socket.recv())
            if message.get("id") == mine:
                if "error" in message:
                    raise BrowserError(f"{method}: {message['error']}")
                return message.get("result", {})
            self.events.append(message)

    def send_together(self, *calls):
        """Several commands sent at once, their answers read after: the
        browser takes them one after the other with no round trip between."""
        ids = []
        for method, params in calls:
            self.next_id += 1
            ids.append(self.next_id)
            self.socket.send(json.dumps({"id": self.next_id, "method": method, "params": params}))
        waiting = set(ids)
        while waiting:
            message = json.loads(self.socket.recv())
            if message.get("id") in waiting:
                waiting.discard(message["id"])
                if "error" in message:
                    raise BrowserError(f"{message['error']}")
            else:
                self.events.append(message)

    def evaluate(self, expression, wait_promise=False):
        result = self.send("Runtime.evaluate", expression=expression, returnByValue=True,
                           awaitPromise=wait_promise)
        if "exceptionDetails" in result:
            raise BrowserError(f"{expression}: {result['exceptionDetails']}")
        return result["result"].get("value")

    def wait_event(self, method, what):
        """The first protocol event of this kind, taken off the list."""
        end = time.monotonic() + self.deadline
        while time.monotonic() < end:
            for event in self.events:
                if event.get("method") == method:
                    self.events.remove(event)
                    return event["params"]
            self.evaluate("0")  # events arrive between answers
            time.sleep(0.005)
        raise BrowserError(f"waited in vain for {what}")

    # --- what a player does ---
    def open_address(self, address):
        self.send("Page.navigate", url=address)

    def click_at(self, x, y, button="left"):
        for kind in ("mousePressed", "mouseReleased"):
            self.send("Input.dispatchMouseEvent", type=kind, x=x, y=y, button=button, clickCount=1)

    # A finger: the page must emulate a touch screen (Emulation.setTouchEmulationEnabled).
    def touch(self, kind, x, y):
        points = [] if kind == "touchEnd" else [{"x": x, "y": y, "id": 1}]
        self.send("Input.dispatchTouchEvent", type=kind, touchPoints=points)

    def tap(self, selector):
        self.wait_until_a_finger_answers()
        self.tap_at(*self.center(selector))

    def wait_until_a_finger_answers(self):
        """A finger on a choice lands once the choice has stood a moment, as
        a player's does (a quicker one is taken for a double tap's second)."""
        self.wait_for("!(window.velmora && velmora.status) || performance.now() >= velmora.status.settlesAt",
                      "the choice to stand")

    def tap_at(self, x, y):
        """The finger's down and up sent together: sent one by one on a
        loaded machine they could come further apart than a long press."""
        down = {"type": "touchStart", "touchPoints": [{"x": x, "y": y, "id": 1}]}
        up = {"type": "touchEnd", "touchPoints": []}
        self.send_together(("Input.dispatchTouchEvent", down), ("Input.dispatchTouchEvent", up))

    def swipe(self, selector, dx, dy, steps=6):
        x, y = self.center(selector)
        self.touch("touchStart", x, y)
        for i in range(1, steps + 1):
            self.touch("touchMove", x + dx * i / steps, y + dy * i / steps)
        self.touch("touchEnd", x + dx, y + dy)

    def long_press(self, selector, until):
        """The finger held down until the page shows what it should."""
        x, y = self.center(selector)
        self.touch("touchStart", x, y)
        self.wait_for(until, "what a long press opens", 10)
        self.touch("touchEnd", x, y)

    def key(self, key):
        code, text = KEYS[key] if key in KEYS else (ord(key.upper()), key)
        self.send("Input.dispatchKeyEvent", type="keyDown", key=key, windowsVirtualKeyCode=code,
                  text=text)
        self.send("Input.dispatchKeyEvent", type="keyUp", key=key, windowsVirtualKeyCode=code)

    def type_text(self, text):
        self.send("Input.insertText", text=text)

    def set_files(self, selector, paths):
        node = self.send("DOM.getDocument")["root"]["nodeId"]
        picker = self.send("DOM.querySelector", nodeId=node, selector=selector)["nodeId"]
        self.send("DOM.setFileInputFiles", nodeId=picker, files=[str(f) for f in paths])

    def screenshot(self, path):
        data = self.send("Page.captureScreenshot", format="png")["data"]
        with open(path, "wb") as f:
            f.write(base64.b64decode(data))
