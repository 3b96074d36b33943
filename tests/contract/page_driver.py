#!/usr/bin/python3
"""The player's contract played on the web page in headless chromium: keys,
clicks, the wheel and drags through the DevTools protocol, what the player
sees read off the page (see contract.py for the rows and the snapshot).

    page_driver.py --site SITE [--only REGEX]

One browser per screen size; each row gets the page afresh with the
browser's storage for the site cleared and its slots written in. Without the
site, chromium or python3-websocket the test says so and is skipped (77).
"""

import argparse
import base64
import json
import pathlib
import shutil
import sys
import tempfile

HERE = pathlib.Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))
sys.path.insert(0, str(HERE.parent / "web"))
import contract  # noqa: E402
from browser import Browser, what_is_missing  # noqa: E402

SKIP = 77
KEYS = {  # DOM key, key code, text
    "Enter": ("Enter", 13, "\r"), "Space": (" ", 32, " "), "Tab": ("Tab", 9, ""),
    "Escape": ("Escape", 27, ""), "Up": ("ArrowUp", 38, ""), "Down": ("ArrowDown", 40, ""),
    "Left": ("ArrowLeft", 37, ""), "Right": ("ArrowRight", 39, ""), "Home": ("Home", 36, ""),
    "End": ("End", 35, ""), "PageUp": ("PageUp", 33, ""), "PageDown": ("PageDown", 34, ""),
    "F2": ("F2", 113, ""), "F5": ("F5", 116, ""), "F9": ("F9", 120, ""), "F11": ("F11", 122, ""),
    "Ctrl": ("Control", 17, ""),
    **{letter: (letter.lower(), ord(letter), letter.lower()) for letter in "HMASYNCVG"},
}
# What the page shows, read the way a player sees it. Installed in every page.
SEES = (HERE / "page_sees.js").read_text(encoding="utf-8")
# The pictures for the README, by the row that shows them (--screenshots).
SHOTS = {"clock.ten-fits-its-plate": "web-menu-two-digit-hour.png",
         "import.into-an-occupied-slot-asks": "web-import-question.png",
         "settings.key-help-says-the-pace": "web-settings-pace.png",
         "settings.text-speed-kept": "web-settings-text-speed.png"}


class Page(contract.FrontEnd):
    name = "page"

    def __init__(self, site):
        self.site = site
        self.browser = None
        self.screen = None
        self.ratio = 1
        self.uploads = None
        self.mobile = False  # a phone's browser (the explorer of the game's windows)
        self.prepare = None  # what else the browser is set to before the first page

    # --- a fresh page ---
    def begin(self, screen, folder):
        # A touch screen, once emulated, is not taken back for good: the
        # next row gets a browser of its own.
        if not self.browser or self.screen != screen.key() or getattr(self, "touching", False):
            self.touching = False
            self.close_browser()
            self.screen = screen.key()
            self.ratio = screen.scale
            self.browser = Browser(self.site, width=screen.width // screen.scale,
                                   height=screen.height // screen.scale).__enter__()
            self.prepare_tab(screen)
        b = self.browser
        self.row_screen = screen
        self.blocked = [f"*{name}" for name in folder.without]
        b.send("Network.setBlockedURLs", urls=self.blocked)
        b.send("Page.navigate", url=b.url + "blank.txt")  # away from the game before its storage goes
        b.send("Storage.clearDataForOrigin", origin=b.url.rstrip("/"), storageTypes="all")
        b.open()
        b.wait_for("window.velmora && velmora.page && velmora.page.pending", "the title")
        files = {name: base64.b64encode(data).decode() for name, data in folder.slots.items()}
        if folder.pictures:  # the player's record, as the game writes it
            record = "velmora read-record 1\n" + "".join(f"picture {k}\n" for k in folder.pictures)
            files["read-record.txt"] = base64.b64encode(record.encode()).decode()
        if files:
            b.evaluate(f"contractSees.writeSlots({json.dumps(files)})", wait_promise=True)
        # The automatic save is read as the game starts: the page starts again over it.
        if "auto" in folder.slots or folder.pictures:
            self.reopen()
        self.held = set()
        self.other_tab = None
        self.killed = False

    # A tab as the row's screen has it, the page read as a player sees it.
    def prepare_tab(self, screen):
        b = self.browser
        b.send("Emulation.setDeviceMetricsOverride", width=screen.width // screen.scale,
               height=screen.height // screen.scale, deviceScaleFactor=screen.scale, mobile=self.mobile)
        if self.prepare:
            self.prepare(b)
        b.send("Page.addScriptToEvaluateOnNewDocument", source=SEES)
        b.send("Network.enable")

    def reopen(self):
        self.browser.open()
        self.browser.wait_for("window.velmora && velmora.page && velmora.page.pending", "the title")

    def end(self):
        for key in list(self.held):
            self.hold(key, False)
        if self.other_tab:
            self.bring_back()

    def close_browser(self):
        if self.browser:
            self.browser.__exit__(None, None, None)
            self.browser = None

    # --- what the player does ---
    def key_event(self, kind, key):
        dom, code, text = KEYS[key]
        params = {"type": kind, "key": dom, "windowsVirtualKeyCode": code,
                  "modifiers": 2 if "Ctrl" in self.held and key != "Ctrl" else 0}
        if kind == "keyDown" and text:
            params["text"] = text
        self.browser.send("Input.dispatchKeyEvent", **params)

    def press(self, key):
        self.key_event("keyDown", key)
        self.key_event("keyUp", key)

    def hold(self, key, down):
        self.key_event("keyDown" if down else "keyUp", key)
        (self.held.add if down else self.held.discard)(key)

    def pad(self, button, down):
        self.browser.evaluate(f"contractSees.padButton({json.dumps(button)}, {json.dumps(down)})",
                              wait_promise=True)

    def hold_text(self, held):
        self.browser.evaluate(f"contractSees.holdText({json.dumps(held)})")

    # Once the page shows it.
    def point(self, target):
        def found():
            at = self.browser.evaluate(f"contractSees.where({json.dumps(target)})")
            return bool(at), at
        try:
            return contract.wait_until(found, f"nothing to point at: {target}")
        except contract.ContractError as e:
            raise contract.ContractError(f"nothing to point at: {target}") from e

    def mouse(self, kind, x, y, button="left", **more):
        self.browser.send("Input.dispatchMouseEvent", type=kind, x=x, y=y, button=button, **more)

    def click(self, target, button="left"):
        x, y = self.point(target)
        self.mouse("mouseMoved", x, y, button="none")
        self.mouse("mousePressed", x, y, button, clickCount=1)
        self.mouse("mouseReleased", x, y, button, clickCount=1)

    # Two fingers down on the target and lifted, on a touch screen.
    def tap_two_fingers(self, target):
        x, y = self.point(target)
        self.browser.send("Emulation.setTouchEmulationEnabled", enabled=True, maxTouchPoints=5)
        self.touching = True
        points = [{"x": x - 20, "y": y, "id": 1}, {"x": x + 20, "y": y, "id": 2}]
        self.browser.send("Input.dispatchTouchEvent", type="touchStart", touchPoints=points[:1])
        self.browser.send("Input.dispatchTouchEvent", type="touchStart", touchPoints=points)
        self.browser.send("Input.dispatchTouchEvent", type="touchEnd", touchPoints=[])

    def wheel(self, target, up):
        x, y = self.point(target)
        self.mouse("mouseWheel", x, y, button="none", deltaX=0, deltaY=-120 if up else 120)

    # The pointer stays in the page, as a player's does.
    def drag(self, target, dx, dy):
        x, y = self.point(target)
        width, height = (v / self.ratio for v in self.snapshot()["screen"])
        to = (min(max(x + dx / self.ratio, 0), width - 1), min(max(y + dy / self.ratio, 0), height - 1))
        self.mouse("mouseMoved", x, y, button="none")
        self.mouse("mousePressed", x, y, "left", clickCount=1)
        for i in range(1, 5):
            self.mouse("mouseMoved", x + (to[0] - x) * i / 4, y + (to[1] - y) * i / 4, "left", buttons=1)
        self.mouse("mouseReleased", to[0], to[1], "left", clickCount=1)

    # Another tab brought to the front hides the game's.
    def put_away(self):
        self.other_tab = self.browser.send("Target.createTarget", url="about:blank")["targetId"]
        self.browser.send("Target.activateTarget", targetId=self.other_tab)
        self.browser.wait_for("document.visibilityState === 'hidden'", "the tab hidden")

    def bring_back(self):
        self.browser.send("Target.closeTarget", targetId=self.other_tab)
        self.other_tab = None
        self.browser.send("Page.bringToFront")
        self.browser.wait_for("document.visibilityState === 'visible'", "the tab shown")

    # Put away and frozen, as a phone freezes a page it does not show, then
    # discarded, its tab gone: no script of the page runs from the freezing
    # on, so nothing is written as it goes.
    def kill(self):
        self.put_away()
        self.browser.send("Page.setWebLifecycleState", state="frozen")
        self.browser.new_tab()
        self.prepare_tab(self.row_screen)
        self.browser.send("Network.setBlockedURLs", urls=self.blocked)
        self.killed = True

    # Reloaded, as a player reloads it, or opened again after it was lost.
    def start_again(self):
        self.killed = False
        self.reopen()

    def bring_in(self, files):
        folder = pathlib.Path(tempfile.mkdtemp(prefix="velmora-contract-"))
        for name, data in files.items():
            (folder / name).write_bytes(data)
        self.click("≡")
        self.click("「セーブデータ（ダウンロード・読み込み）…」")
        self.browser.wait_for("!!document.getElementById('slotUpload')", "the slot window")
        b = self.browser
        node = b.send("DOM.getDocument")["root"]["nodeId"]
        picker = b.send("DOM.querySelector", nodeId=node, selector="#slotUpload")["nodeId"]
        b.send("DOM.setFileInputFiles", nodeId=picker, files=[str(folder / n) for n in files])
        # Until the game has read them: the page asks, or says what it did.
        b.wait_for("(q => (q && !q.hidden) || document.querySelector('#slots p[role=status]').textContent)"
                   "(document.getElementById('importQuestion'))", "the files read")
        self.settle()
        shutil.rmtree(folder)

    # --- what the player sees ---
    def settle(self):
        if self.killed:
            return
        self.browser.wait_for("contractSees.settled()", "the page to take the step")
        # A frame drawn since (a hidden tab draws none).
        self.browser.evaluate("document.hidden ? 0 : new Promise(r => requestAnimationFrame(() => r(0)))",
                              wait_promise=True)

    def snapshot(self):
        return self.browser.evaluate("contractSees.snapshot()")

    def screenshot(self, path):
        data = self.browser.send("Page.captureScreenshot", format="png")["data"]
        pathlib.Path(path).write_bytes(base64.b64decode(data))

    def slot(self, name):
        files = self.browser.evaluate(f"contractSees.slot({json.dumps(name)})", wait_promise=True)
        return files and {k: base64.b64decode(v) for k, v in files.items()}


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--site", required=True)
    parser.add_argument("--only", help="play only the rows whose id matches")
    parser.add_argument("--screenshots", help="keep the README's pictures in this folder")
    args = parser.parse_args()
    missing = what_is_missing(args.site)
    if missing:
        print(f"SKIPPED: {missing}")
        return SKIP
    page = Page(args.site)
    return contract.run(page, args.only, SHOTS, args.screenshots, page.close_browser)


if __name__ == "__main__":
    sys.exit(main())
