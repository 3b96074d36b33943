#!/usr/bin/python3
"""An explorer of the game's windows, as the route explorer is for the story:
it brings the game to each kind of window a player meets, on each screen of a
matrix, and checks there what the player sees:

- every window wholly on the screen, a comfort's within the main window
  where it fits there, and each control of the window that
  takes the player's input free: a click at its centre and at its four
  corners (2 px inside), hit-tested as the player's (the X server's window
  under the point; document.elementFromPoint), reaches that control; none
  cut by its own window, no text that scrolls sideways;
- within reach: on a touch screen at least 44 x 44 CSS px, text at least
  16 px; on the desktop, each control at least as large on the screen as at
  scale 1;
- the plates and the message (the prompt, the question) free while the menu
  or a list waits; the main window's own marks free beside a game window;
- every window drawn at the main window's scale (its text, a switch's box
  and a slider's handle as much larger or smaller than at scale 1 as the
  main window's);
- the keyboard focus in the window that waits, kept there by a click on the
  main window; Home and End moving it; on a touch screen, a swipe down going
  back a step with no complaint of the browser.

It prints a table of window x screen with what failed.

    windows_explorer.py --front window --host BUILD/velmora-contract-host --data data [--all]
    windows_explorer.py --front page --site SITE [--all] [--engine webkit]
        [--only REGEX] [--table FILE] [--shots DIR]

Without --all it plays the quick form (the test command's): a screen of each
kind. The drivers are the player's contract's (window_driver.py,
page_driver.py); the visits are written in the contract's words.
"""

import argparse
import base64
import json
import os
import pathlib
import re
import shutil
import sys
import tempfile
import time

HERE = pathlib.Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))
sys.path.insert(0, str(HERE.parent / "web"))
import contract  # noqa: E402

SKIP = 77
TOUCH_TARGET = 44  # CSS px
TOUCH_TEXT = 16    # CSS px
SCALE_SLACK = 0.15  # how far a window's scale may stray from the main window's
CUT_SLACK = 2       # screen px of a control its window may hide (a design's rounding)


class Visit:
    """A kind of window, reached from a start of the contract by its steps."""

    def __init__(self, name, start, steps=(), probe=None, needs=()):
        self.name, self.start, self.steps, self.probe = name, start, list(steps), probe
        self.needs = set(needs)  # "slots", "page", "window": where it can be played

    def row(self, starts, screen):
        cells = {"Row": self.name, "Screen": "", "Start": self.start,
                 "The player does": "; ".join(screen.steps + self.steps),
                 "What must follow": "", "Front ends": "both"}
        return contract.Row(cells, starts)


VISITS = [
    Visit("title", "title", [], "title"),
    Visit("question", "title", ["click the message", "the question waits"], "question"),
    Visit("name", "name", [], "focus"),
    Visit("NEXT", "introduction", [], "next"),
    Visit("hidden window", "introduction", ["press V"]),
    Visit("slots and details", "menu with slots", ["click 「セーブ」", "the list waits"], "list", {"slots"}),
    Visit("room commands", "room list", [], "list", {"slots"}),
    Visit("menu", "menu after a scene", [], "menu", {"slots"}),
    Visit("digest", "menu at PM 11:30", ["click 「アパート」", "press Enter until the message has \"相原、あのさ\""],
          "focus", {"slots"}),
    Visit("ending picture", "menu at PM 11:30", ["click 「アパート」", "press Enter until the picture waits"],
          "focus", {"slots"}),
    Visit("notice", "menu", ["press M"], "focus", {"slots"}),
    Visit("settings", "menu", ["press F2"], "comfort", {"slots"}),
    Visit("history", "deep in a scene", ["press H"], "comfort"),
    Visit("story map", "deep in a scene", ["press S", "click 「ヒント」"], "comfort"),
    Visit("album", "title with pictures seen", ["press G"], "comfort", {"slots"}),
    Visit("album picture", "title with pictures seen", ["press G", "press Right ×5", "press Enter"], "comfort",
          {"slots"}),
    Visit("slot files", "menu", ["click ≡", "click 「セーブデータ（ダウンロード・読み込み）…」"], "comfort",
          {"slots", "page"}),
    Visit("import question", "menu with slots", ["bring in file1: 公園, 3, PM 2:30, 春日, Haru"], "comfort",
          {"slots", "page"}),
]


class Screen:
    """A screen of the matrix: its size and scale, and what the player has
    done to the game's look (full screen, larger text), or the browser
    (touch, storage refused)."""

    def __init__(self, name, width, height, scale=1, steps=(), larger=False, touch=False,
                 storage=True, engine="chromium", reference=False):
        self.name, self.width, self.height, self.scale = name, width, height, scale
        self.steps, self.larger, self.touch = list(steps), larger, touch
        self.storage, self.engine, self.reference = storage, engine, reference

    def key(self):
        return (self.width, self.height, self.scale, self.larger, self.touch, self.storage, self.engine)


WINDOW_SCREENS = [
    Screen("1280×800", 1280, 800, reference=True),
    Screen("800×600 at scale 2", 800, 600, 2),
    Screen("1280×800 full screen", 1280, 800, steps=["press F11"]),
    Screen("800×600 larger text", 800, 600, larger=True),
    Screen("800×600", 800, 600),
    Screen("1280×800 at scale 2", 1280, 800, 2),
    Screen("800×600 at scale 2 full screen", 800, 600, 2, steps=["press F11"]),
    Screen("1280×800 larger text", 1280, 800, larger=True),
]
PAGE_SCREENS = [
    Screen("1140×690 storage refused", 1140, 690, storage=False),
    Screen("phone 375×667", 375, 667, 2, touch=True),
    Screen("1280×800", 1280, 800),
    Screen("1140×690", 1140, 690),
    Screen("1920×1080", 1920, 1080),
    Screen("phone 390×844", 390, 844, 2, touch=True),
    Screen("phone sideways 667×375", 667, 375, 2, touch=True),
    Screen("WebKit 375×667", 375, 667, touch=True, engine="webkit"),
    Screen("WebKit 390×844", 390, 844, touch=True, engine="webkit"),
]
QUICK = {"window": 3, "page": 2}  # the first screens of each list


# --- the checks ---

def points_missed(control):
    names = ["centre", "top left", "top right", "bottom left", "bottom right"]
    return [n for n, hit in zip(names, control["hits"]) if not hit]


def inside(rect, screen):
    return within(rect, [0, 0, screen[0], screen[1]])


def within(rect, outer):
    x, y, w, h = rect
    ox, oy, ow, oh = outer
    return x >= ox - 0.5 and y >= oy - 0.5 and x + w <= ox + ow + 0.5 and y + h <= oy + oh + 0.5


class Explorer:
    def __init__(self, front, screens, visits, shots=None):
        self.front, self.screens, self.visits, self.shots = front, screens, visits, shots
        self.starts = {}
        self.table = {}      # (visit, screen) -> list of failures, or None where it cannot be played
        self.reference = {}  # visit -> look at the reference screen

    def run(self):
        self.starts = contract.read_starts()
        for screen in self.screens:
            for visit in self.visits:
                started = time.monotonic()
                if not self.front.can_play(visit, screen):
                    self.table[(visit.name, screen.name)] = None
                    continue
                try:
                    failures = self.explore(visit, screen)
                except Exception as e:  # noqa: BLE001 — a visit that cannot be made is its failure
                    failures = [f"not reached: {type(e).__name__}: {str(e)[:300]}"]
                self.table[(visit.name, screen.name)] = failures
                print(f"{'ok  ' if not failures else 'FAIL'} {visit.name} on {screen.name} "
                      f"({time.monotonic() - started:.1f} s)" + "".join(f"\n     {f}" for f in failures), flush=True)
        self.front.close()

    def explore(self, visit, screen):
        row = visit.row(self.starts, screen)
        player = contract.Player(self.front, row)
        self.front.begin_screen(screen)
        self.front.begin(screen, player.folder)
        try:
            for step in row.steps:
                try:
                    player.do(step)
                except Exception as e:
                    raise contract.ContractError(f"at «{step}»: {e} — {player.seen()}") from e
            self.front.settle()
            snapshot = self.front.snapshot()
            look = self.settled_look(self.top(snapshot))
            if screen.reference:
                self.reference[visit.name] = look
            failures = self.check(visit, screen, snapshot, look)
            if self.shots:
                self.front.screenshot(pathlib.Path(self.shots) / shot_name(visit, screen))
            failures += self.probe(visit, screen, player)
        finally:
            self.front.end()
        return failures

    def settled_look(self, top):
        """The look once the window system has done what it does a moment
        after a window shows, later on a busy machine: the focus come to the
        window that waits, and every window of the game mapped where it is
        drawn (full screen lays the main window out anew: until the window
        manager has placed it, the X server finds no window under its
        controls). A look that never settles is judged as it stands."""
        last = {}

        def settled():
            look = last["look"] = self.front.look()
            unmapped = [c["name"] for w in look["windows"] for c in w["controls"]
                        if c.get("by") == "nothing" and self.front.maps_windows]
            return look.get("focus") == top and not unmapped, (look.get("focus"), unmapped)
        try:
            contract.wait_until(settled, f"the focus in {top} and every window mapped")
        except contract.ContractError:
            pass
        return last["look"]

    # --- what the player sees ---
    def top(self, snapshot):
        """The window that takes the player's input now."""
        comforts = [c for c in snapshot["comforts"]]
        if comforts:
            return comforts[-1]
        waits = snapshot["waits"]
        return waits if waits in ("NEXT", "question", "list", "menu", "name", "picture") else "main"

    def check(self, visit, screen, snapshot, look):
        failures = []
        windows = {w["name"]: w for w in look["windows"]}
        top = self.top(snapshot)
        full = snapshot.get("fullScreen")
        size = snapshot["screen"]
        ratio = look.get("ratio", 1)
        for name, w in windows.items():
            if not inside(w["rect"], size):
                failures.append(f"{name} off the screen: {rnd(w['rect'])} on {size}")
            if w.get("sideways"):
                failures.append(f"{name} scrolls sideways")
        if top not in windows:
            return failures + [f"no {top} on the screen"]
        # A comfort's window stands over the main window, as the page puts it,
        # wherever it fits within it.
        over = windows.get("main", {}).get("rect")
        if top in snapshot["comforts"] and over and top != "main":
            rect = windows[top]["rect"]
            if rect[2] <= over[2] and rect[3] <= over[3] and not within(rect, over):
                failures.append(f"{top} {rnd(rect)} runs past the main window {rnd(over)}")
        free = [(top, c) for c in windows[top]["controls"]]
        main = windows.get("main", {"controls": []})
        if top not in ("main", "picture") and not full and not screen.touch:
            free += [("main", c) for c in main["controls"] if c["kind"] == "mark"]
        if snapshot["waits"] in ("menu", "list") and top in ("menu", "list"):
            free += [("main", c) for c in main["controls"] if c["kind"] in ("plate", "message")]
        for window, c in free:
            missed = points_missed(c) if screen.engine != "webkit" else []
            if missed:
                failures.append(f"{window} 「{c['name']}」 covered at its {', '.join(missed)} by {c['by']}")
            if c.get("cutBy", 0) > CUT_SLACK and window == top:
                failures.append(f"{window} 「{c['name']}」 cut by its window")
            if not inside(c["rect"], size) and window == top and not c.get("scrolled"):
                failures.append(f"{window} 「{c['name']}」 off the screen: {rnd(c['rect'])}")
        # On a phone the side picture shows only what the game shows in it (the
        # digest's places): the title's art beside the message would narrow it.
        side = [c for c in main["controls"] if c["kind"] == "side"]
        if screen.touch and side and visit.name != "digest":
            failures.append("a picture beside the message narrows it")
        failures += self.reach(screen, top, windows, ratio)
        if not screen.touch:
            failures += self.scale(visit, windows)
        if look.get("focus") != top:
            failures.append(f"the focus in {look.get('focus')} 「{look.get('focusControl')}」, not in {top}")
        return failures

    def reach(self, screen, top, windows, ratio):
        failures = []
        pressed = [c for c in windows[top]["controls"] if c["kind"] not in ("text", "plate", "message", "side")]
        if screen.touch:
            for c in pressed:
                w, h = c["rect"][2] / ratio, c["rect"][3] / ratio
                if w < TOUCH_TARGET - 0.5 or h < TOUCH_TARGET - 0.5:
                    failures.append(f"{top} 「{c['name']}」 {w:.0f}×{h:.0f} CSS px, under {TOUCH_TARGET}")
            message = [c for c in windows.get("main", {}).get("controls", []) if c["kind"] == "message"]
            texts = [("the message", c["text"]) for c in message] + \
                [(c["name"], c.get("text", 0)) for c in pressed if c.get("text")]
            small = [f"「{n}」 {t / ratio:.1f}" for n, t in texts if t and t / ratio < TOUCH_TEXT - 0.05]
            if small:
                failures.append(f"text under {TOUCH_TEXT} px: {', '.join(small)}")
            return failures
        reference = {c["name"]: c for w in self.reference_windows(top) for c in w["controls"]}
        for c in pressed:
            design = c.get("design") or (reference.get(c["name"]) or {}).get("rect", [0, 0, 0, 0])[2:]
            if design and (c["rect"][2] < design[0] - 1 or c["rect"][3] < design[1] - 1):
                failures.append(f"{top} 「{c['name']}」 {c['rect'][2]:.0f}×{c['rect'][3]:.0f} px, "
                                f"smaller than at scale 1 ({design[0]:.0f}×{design[1]:.0f})")
        return failures

    def reference_windows(self, name):
        return [w for look in self.reference.values() for w in look["windows"] if w["name"] == name][:1]

    def scale(self, visit, windows):
        """Each window's text against the main window's, both against scale 1."""
        ref = self.reference.get(visit.name)
        if not ref or "main" not in windows:
            return []
        ref_windows = {w["name"]: w for w in ref["windows"]}
        if not ref_windows.get("main", {}).get("text"):
            return []
        main = windows["main"]["text"] / ref_windows["main"]["text"]
        failures = []
        for name, w in windows.items():
            was = ref_windows.get(name, {}).get("text")
            if name == "main" or not was or not w.get("text"):
                continue
            own = w["text"] / was
            if abs(own / main - 1) > SCALE_SLACK:
                failures.append(f"{name} drawn at {own:.2f} times scale 1, the main window at {main:.2f}")
            # A switch's box and a slider's handle grow with their words.
            marks = {c["name"]: c["mark"] for c in ref_windows[name]["controls"] if c.get("mark")}
            for c in (c for c in w["controls"] if c.get("mark") and c["name"] in marks):
                mark = c["mark"] / marks[c["name"]]
                if abs(mark / main - 1) > SCALE_SLACK:
                    failures.append(f"{name} 「{c['name']}」 its box or handle drawn at {mark:.2f} "
                                    f"times scale 1, the main window at {main:.2f}")
        return failures

    # --- the keys, a click beside, a swipe ---
    def probe(self, visit, screen, player):
        failures = []
        p = self.front
        if visit.probe in ("question", "menu", "list") and not screen.touch:
            first, last = {"question": ("ＹＥＳ", "NO"), "menu": ("アパート", "BGM"), "list": (None, None)}[visit.probe]
            for key, want in (("End", last), ("Home", first)):
                player.do(f"press {key}")
                s = p.snapshot()
                seen = s["highlight"] if visit.probe == "list" else s["focus"]
                if visit.probe == "list":
                    entries = [c["name"] for w in p.look()["windows"] if w["name"] == "list"
                               for c in w["controls"] if c["kind"] == "row"]
                    want = (entries[-1] if key == "End" else entries[0]) if entries else None
                if seen != want:
                    failures.append(f"{key} in the {visit.probe}: the focus on 「{seen}」, not 「{want}」")
        if visit.probe in ("question", "menu", "list"):
            before = p.look().get("focus")
            player.do("click the message")
            after = p.look()
            if after.get("focus") != before:
                failures.append(f"a click on the message took the focus from the {before} to "
                                f"{after.get('focus')} 「{after.get('focusControl')}」")
        if visit.probe == "next" and screen.touch and screen.engine == "chromium":  # a finger: chromium's alone
            said = p.snapshot()["message"]
            p.swipe_back()
            p.settle()
            back = p.snapshot()
            if back["message"] == said:
                failures.append("a swipe down on the message did not go back a step")
            complaints = p.complaints()
            if complaints:
                failures.append(f"the browser complains: {complaints[0][:120]}")
        return failures


def contract_screen(screen, css=False):
    """The contract's screen: its size in the screen's pixels (a page's in
    CSS px times its device pixel ratio)."""
    times = screen.scale if css else 1
    return contract.Screen(f"{screen.width * times}×{screen.height * times}" +
                           (f" at scale {screen.scale}" if screen.scale != 1 else ""))


def rnd(rect):
    return [round(v) for v in rect]


def shot_name(visit, screen):
    return re.sub(r"[^a-z0-9]+", "-", f"{screen.name} {visit.name}".lower()).strip("-") + ".png"


# --- the front ends ---

class WindowFront:
    """The window program through the contract's window driver, with the
    explorer's look (window_look.cpp) and the larger-text comfort."""

    maps_windows = True  # its windows are the window manager's to place

    def __init__(self, host, data):
        import window_driver
        self.driver = window_driver.Window(host, data)
        self.larger = False

    def can_play(self, visit, screen):
        return "page" not in visit.needs

    def begin_screen(self, screen):
        self.larger = screen.larger

    def begin(self, screen, folder):
        self.driver.comforts = "[display]\nlargerText=true\n" if self.larger else None
        self.driver.begin(contract_screen(screen), folder)

    def __getattr__(self, name):
        return getattr(self.driver, name)

    def look(self):
        return self.driver.ask("look") or {"windows": []}

    def close(self):
        self.driver.close_desktop()


class PageFront:
    """The page through the contract's page driver: a desktop browser, a
    phone (touch, a device pixel ratio of 2), storage refused."""

    maps_windows = False  # the page lays out its windows itself

    BLOCK_STORAGE = """Object.defineProperty(window, 'indexedDB', {
        get() { throw new DOMException('The user denied permission to access the database.', 'SecurityError'); }});"""

    def __init__(self, site):
        import page_driver
        self.page_driver = page_driver
        self.site = site
        self.driver = None
        self.screen = None
        self.logged = []

    def can_play(self, visit, screen):
        return "window" not in visit.needs and not ("slots" in visit.needs and not screen.storage)

    def begin_screen(self, screen):
        if self.screen and self.screen.key() == screen.key():
            return
        self.close()
        self.screen = screen
        self.driver = self.page_driver.Page(self.site)
        self.driver.mobile = screen.touch
        self.contract_screen = contract_screen(screen, css=True)

        def prepare(b):
            if screen.touch:
                b.send("Emulation.setTouchEmulationEnabled", enabled=True, maxTouchPoints=5)
            if not screen.storage:
                b.send("Page.addScriptToEvaluateOnNewDocument", source=self.BLOCK_STORAGE)
            b.send("Log.enable")
        self.driver.prepare = prepare

    def begin(self, screen, folder):
        self.driver.begin(self.contract_screen, folder)
        self.driver.browser.events.clear()

    def __getattr__(self, name):
        return getattr(self.driver, name)

    def click(self, target, button="left"):
        if not self.screen.touch or button != "left":
            return self.driver.click(target, button)
        x, y = self.driver.point(target)
        b = self.driver.browser
        b.wait_until_a_finger_answers()
        b.tap_at(x, y)  # down and up together: apart under load, a long press

    def look(self):
        return self.driver.browser.evaluate("contractSees.look()")

    def swipe_back(self):
        x, y = self.driver.point("the message")
        b = self.driver.browser
        b.touch("touchStart", x, y)
        for i in range(1, 7):
            b.touch("touchMove", x, y + 120 * i / 6)
        b.touch("touchEnd", x, y + 120)

    def complaints(self):
        self.driver.browser.evaluate("0")
        return [e["params"]["entry"]["text"] for e in self.driver.browser.events
                if e.get("method") == "Log.entryAdded" and e["params"]["entry"].get("source") == "intervention"]

    def close(self):
        if self.driver:
            self.driver.close_browser()
            self.driver = None


class WebKitFront:
    """The page in WebKit (WebKitWebDriver), sized as a phone held upright:
    clicks where a finger would land, the snapshot and the look read off the
    page by the contract's own script. Its hit-tests are not judged: the
    driver's MiniBrowser answers document.elementFromPoint in other
    coordinates than its layout's (its window is zoomed), so only what is
    laid out (whole, within reach, the focus) is."""

    def __init__(self, site):
        import webkit
        self.webkit = webkit
        self.site = site
        self.browser = None
        self.screen = None

    def can_play(self, visit, screen):
        return visit.name in ("title", "question", "NEXT", "slots and details", "room commands", "menu")

    def begin_screen(self, screen):
        if self.screen and self.screen.key() == screen.key():
            return
        self.close()
        self.screen = screen
        self.browser = self.webkit.WebKitBrowser(self.site, width=screen.width, height=screen.height).__enter__()

    def begin(self, screen, folder):
        b = self.browser
        b.open("blank.txt")
        b.driver.execute_async_script(
            "const done = arguments[arguments.length - 1]; localStorage.clear();"
            "const r = indexedDB.deleteDatabase('velmora'); r.onsuccess = r.onerror = r.onblocked = () => done(0);")
        b.open()
        b.driver.execute_script(SEES_SOURCE)
        b.wait_for("window.velmora && velmora.page && velmora.page.pending", "the title")
        files = {name: base64.b64encode(data).decode() for name, data in folder.slots.items()}
        if files:
            b.driver.execute_async_script(
                f"contractSees.writeSlots({json.dumps(files)}).then(() => arguments[arguments.length - 1](0))")

    def end(self):
        pass

    def settle(self):
        self.browser.wait_for("window.contractSees && contractSees.settled()", "the page to take the step")

    def snapshot(self):
        return self.browser.evaluate("contractSees.snapshot()")

    def look(self):
        return self.browser.evaluate("contractSees.look()")

    def point(self, target):
        def found():
            at = self.browser.evaluate(f"contractSees.where({json.dumps(target)})")
            return bool(at), at
        return contract.wait_until(found, f"nothing to point at: {target}")

    def click(self, target, button="left"):
        x, y = self.point(target)
        self.browser.click_at(x, y)

    def press(self, key):
        self.browser.key({"Space": " "}.get(key, key))

    def screenshot(self, path):
        self.browser.screenshot(path)

    def close(self):
        if self.browser:
            self.browser.__exit__(None, None, None)
            self.browser = None


SEES_SOURCE = (HERE / "page_sees.js").read_text(encoding="utf-8")


# --- the table ---

def table(explorer):
    screens = [s.name for s in explorer.screens]
    lines = ["| Window | " + " | ".join(screens) + " |", "|---|" + "---|" * len(screens)]
    notes = []
    for visit in explorer.visits:
        cells = []
        for screen in screens:
            failures = explorer.table.get((visit.name, screen), None)
            if failures is None:
                cells.append("—")
            elif not failures:
                cells.append("ok")
            else:
                notes.append((visit.name, screen, failures))
                cells.append(f"**{len(failures)}** [{len(notes)}]")
        lines.append(f"| {visit.name} | " + " | ".join(cells) + " |")
    lines.append("")
    for i, (visit, screen, failures) in enumerate(notes, 1):
        lines.append(f"{i}. {visit} on {screen}: " + "; ".join(failures))
    return "\n".join(lines) + "\n", bool(notes)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--front", choices=["window", "page"], required=True)
    parser.add_argument("--host")
    parser.add_argument("--data")
    parser.add_argument("--site")
    parser.add_argument("--all", action="store_true", help="the whole matrix")
    parser.add_argument("--screens", help="only the screens whose name matches")
    parser.add_argument("--only", help="only the windows whose name matches")
    parser.add_argument("--table", help="write the table (markdown) here")
    parser.add_argument("--shots", help="keep a picture of each window on each screen here")
    args = parser.parse_args()
    screens = WINDOW_SCREENS if args.front == "window" else PAGE_SCREENS
    if not args.all:
        screens = screens[:QUICK[args.front]]
    if args.screens:
        screens = [s for s in screens if re.search(args.screens, s.name)]
    visits = [v for v in VISITS if not (args.only and not re.search(args.only, v.name))]
    if args.front == "window":
        front = WindowFront(os.path.abspath(args.host), args.data)
    else:
        from browser import what_is_missing
        missing = what_is_missing(args.site)
        if missing:
            print(f"SKIPPED: {missing}")
            return SKIP
        fronts = {"chromium": PageFront(args.site), "webkit": WebKitFront(args.site)}
        front = Dispatch(fronts)
    if args.shots:
        pathlib.Path(args.shots).mkdir(parents=True, exist_ok=True)
    explorer = Explorer(front, screens, visits, args.shots)
    explorer.run()
    text, failed = table(explorer)
    print(text)
    if args.table:
        pathlib.Path(args.table).write_text(text, encoding="utf-8")
    return 1 if failed else 0


class Dispatch:
    """Each screen to the front end of its browser engine."""

    def __init__(self, fronts):
        self.fronts = fronts
        self.current = fronts["chromium"]

    def can_play(self, visit, screen):
        return self.fronts[screen.engine].can_play(visit, screen)

    def begin_screen(self, screen):
        front = self.fronts[screen.engine]
        if front is not self.current:
            self.current.close()
        self.current = front
        front.begin_screen(screen)

    def __getattr__(self, name):
        return getattr(self.current, name)

    def close(self):
        for front in self.fronts.values():
            front.close()


if __name__ == "__main__":
    sys.exit(main())
