"""The words of the player's contract (player_contract.md) that both drivers
share: reading the table, making a start's game folder, and what each step
and each check means. A driver hands a FrontEnd (window_driver.py,
page_driver.py) to play(); the front end does the steps as a player does them
and tells what the player sees, in one snapshot:

    waits        "NEXT", "question", "list", "menu", "name", "picture",
                 "message" (the title, window-move mode) or None
    message      the message window's text, line ends as "\\n"
    messageShows whether the message window shows (the player may hide it)
    messageDrawn the message as far as it is drawn (it may appear letter by letter)
    messageName  the message window's name, as a screen reader is given it
    steps        the settings' sliders of named steps: {caption: the step's name}
    time, day    the time plate's text, the date plate's day
    focus        the caption of the control with the keyboard focus
    highlight    the list's highlighted entry, or None
    nameBox      what the name box holds
    notice       the short notice shown now (M, A), or None
    music        whether the music plays; muted: whether the player muted it
    skipping     whether skipping is on
    comforts     the comfort windows open, by title (履歴, 設定, ...)
    comfortMenu  {caption: enabled} of the comfort menu when it is open
    details      the lines of the slot details beside the list, or None
    keyHelp      the lines of the settings' key help, or None
    listScrolls  whether the list shows a scrollbar
    told         what a screen reader was told last, wherever the focus was
    storyMap     {"said": what the map says is wrong with its words, "hint": the hint shown}
    importQuestion  the page's question on bringing in a slot, or None
    continueOffer   the words of 続きから on the title, or None where it is not offered
    timeFit      {"ink": [left, right], "room": [left, right]} in screen pixels
    windows      {name: {"rect": [x, y, w, h], "bar": rect or None,
                  "frame": the window manager's frame, "close": rect or None,
                  "button": the smallest button height}} in screen pixels;
                 names: main, plates, NEXT, question, list, details, menu,
                 name, picture, and the comfort windows' titles
    stacking     the window names, bottom to top
    screen       [width, height] in screen pixels
    fullScreen, ended
"""

import os
import pathlib
import re
import time

HERE = pathlib.Path(__file__).resolve().parent
TABLE = HERE / "player_contract.md"
# How much of the box around the time's ink its strokes fill, at least, when
# they are bold (P Gothic's "AM 10:30": about 0.35 bold, 0.26 thin).
BOLD_TIME = 0.31
PATIENCE = float(os.environ.get("CONTRACT_PATIENCE", 20))  # seconds; only a failing check waits this long
SLOTS = ["file1", "file2", "file3", "file4", "file5"]


class ContractError(Exception):
    pass


# --- the table ---

def _cells(line):
    return [c.strip() for c in line.strip().strip("|").split("|")]


def _tables(text):
    """Each markdown table under its '## ' heading: a list of dicts."""
    tables, heading, header = {}, None, None
    for line in text.splitlines():
        if line.startswith("## "):
            heading, header = line[3:].strip(), None
        elif line.startswith("|") and heading:
            cells = _cells(line)
            if header is None:
                header = cells
            elif not set("".join(cells)) <= set("-: "):
                tables.setdefault(heading, []).append(dict(zip(header, cells)))
    return tables


def _split(cell):
    return [] if cell in ("", "—") else [part.strip() for part in cell.split(";") if part.strip()]


class Row:
    def __init__(self, cells, starts):
        self.id = cells["Row"]
        self.screen = Screen(cells["Screen"])
        self.start = cells["Start"]
        if self.start not in starts:
            raise ContractError(f"{self.id}: no start {self.start!r}")
        self.folder = starts[self.start]["folder"]
        self.steps = starts[self.start]["steps"] + _split(cells["The player does"])
        self.checks = _split(cells["What must follow"])
        who = cells["Front ends"]
        self.front_ends, _, self.why = who.partition(":")
        self.front_ends = self.front_ends.strip()
        if self.front_ends not in ("both", "window", "page"):
            raise ContractError(f"{self.id}: front ends {who!r}")

    def for_front_end(self, name):
        return self.front_ends in ("both", name)


class Screen:
    def __init__(self, cell):
        m = re.fullmatch(r"(?:(\d+)×(\d+))?(?: at scale (\d+))?", cell.strip())
        if not m:
            raise ContractError(f"screen {cell!r}")
        self.width = int(m.group(1) or 1280)
        self.height = int(m.group(2) or 800)
        self.scale = int(m.group(3) or 1)

    def key(self):
        return (self.width, self.height, self.scale)

    def __str__(self):
        return f"{self.width}×{self.height}" + (f" at scale {self.scale}" if self.scale != 1 else "")


def read_starts(path=TABLE):
    """Each start of the table: its game folder and all its steps."""
    starts = {}
    for cells in _tables(pathlib.Path(path).read_text(encoding="utf-8"))["Starts"]:
        steps = []
        for step in _split(cells["Steps"]):
            m = re.fullmatch(r"the steps of (.+)", step)
            steps += starts[m.group(1)]["steps"] if m else [step]
        starts[cells["Start"]] = {"folder": cells["Game folder"], "steps": steps}
    return starts


def read_table(path=TABLE):
    tables = _tables(pathlib.Path(path).read_text(encoding="utf-8"))
    starts = read_starts(path)
    rows = [Row(cells, starts) for cells in tables["Rows"]]
    ids = [r.id for r in rows]
    if len(set(ids)) != len(ids):
        raise ContractError("a row id is given twice")
    return rows


# --- game folders and slots ---

def flag_file(day, clock):
    """A flag file as the game writes it: 135 values, music on, portraits
    instant, the clock among the flags."""
    m = re.fullmatch(r"(AM|PM) (\d+):(\d\d)", clock)
    flags = [0] * 135
    flags[123], flags[124] = 1, 2
    flags[125], flags[126], flags[127], flags[128] = int(m.group(3)), day, int(m.group(2)), m.group(1) == "PM"
    return "".join(f"{int(v)}\r\n" for v in flags).encode()


def slot_files(slot, holds):
    """The two files of a slot from 'place, day, time[, name, nickname][, cut to N bytes]'
    or 'unreadable'."""
    if holds == "unreadable":
        return {slot: b"three\r\n", slot + "_text": b'"a","b","c"\r\n'}
    parts = [p.strip() for p in holds.split(",")]
    cut = None
    if parts[-1].startswith("cut to "):
        cut = int(re.search(r"\d+", parts.pop()).group())
    place, day, clock = parts[0], int(parts[1]), parts[2]
    name, nickname = (parts[3], parts[4]) if len(parts) > 3 else ("佐々木", "リュウ君")
    flags = flag_file(day, clock)
    text = f'"{place}","{name}","{nickname}"\r\n'.encode("cp932")
    return {slot: flags[:cut] if cut else flags, slot + "_text": text}


class Folder:
    """What a start's game folder holds besides the shipped data."""

    def __init__(self, cell):
        self.slots = {}
        self.without = []
        self.pictures = []  # the album's keys the player's record holds
        for part in _split(cell):
            m = re.fullmatch(r"pictures seen (.+)", part)
            if m:
                self.pictures += [key.strip() for key in m.group(1).split("+")]
                continue
            m = re.fullmatch(r"without (\S+)", part)
            if m:
                self.without.append(m.group(1))
                continue
            slot, _, holds = part.partition(":")
            self.slots.update(slot_files(slot.strip(), holds.strip()))


# --- playing a row ---

KEYS = {"Enter", "Space", "Tab", "Escape", "Up", "Down", "Left", "Right", "Home", "End",
        "PageUp", "PageDown", "F2", "F5", "F9", "F11", "H", "M", "A", "S", "Y", "N", "C", "V", "G",
        "Ctrl"}
WINDOWS = {"NEXT": "NEXT", "the question": "question", "the list": "list", "the menu": "menu",
           "the name": "name", "the picture": "picture", "the message": "message",
           "the main window": "main", "the details": "details", "the plates": "plates"}


# Checks that a part of the snapshot is exactly the row's words.
EQUALS = [(r"the message is \"(.*)\"", "message"), (r"the time is \"(.*)\"", "time"),
          (r"the focus is on 「(.*)」", "focus"), (r"the list highlights 「(.*)」", "highlight"),
          (r"the name box holds \"(.*)\"", "nameBox"), (r"the notice says \"(.*)\"", "notice")]
# Checks that a part of the snapshot is on or off.
SWITCHES = {"the music plays": ("music", True), "the music is silent": ("music", False),
            "the music is muted": ("muted", True), "the music is not muted": ("muted", False),
            "skipping is on": ("skipping", True), "skipping is off": ("skipping", False),
            "full screen is on": ("fullScreen", True), "full screen is off": ("fullScreen", False),
            "the game has ended": ("ended", True),
            "the message window shows": ("messageShows", True),
            "the message window is hidden": ("messageShows", False)}
# The game's windows that stand over the scene.
GAME_WINDOWS = {"NEXT", "question", "list", "menu", "name", "details"}


def album_counts(s):
    """How many tiles the album has, and how many of them are blank."""
    tiles = (s.get("album") or {}).get("tiles") or []
    return [len(tiles), tiles.count("まだ見ていない絵")]


def full_size(album, words):
    """The album's picture open is the one named, drawn whole in its own
    proportions, three tiles wide."""
    opened = (album or {}).get("opened")
    if not opened or opened["name"] != words:
        return False
    (w, h), (tile_w, _) = opened["size"], opened["tile"]
    return h > 0 and abs(w / h - 300 / 260) < 0.03 and w >= 2.9 * tile_w


def window_name(words):
    return WINDOWS.get(words, words)


class FrontEnd:
    """What a driver does for the player and tells of what the player sees:
    begin(screen, folder) a fresh program or page at its title, end();
    press(key), hold(key, down), click(target, button: left, right or middle),
    tap_two_fingers(target) (a phone's), wheel(target, up),
    drag(target, dx, dy), put_away(), bring_back(), bring_in(files);
    kill(), the program ended at once as by a power cut (the page: frozen,
    then its renderer gone); start_again(), the program closed as the player
    closes it if it still runs (the page: reloaded), then started afresh in
    the same game folder (the page: with the same storage);
    settle(), which returns once the program or page has handled every step
    so far; hold_text(held), the letters' clock of an appearing message
    held or let go; snapshot(); slot(name), the two files of a slot as the game
    keeps them or None; screenshot(path)."""

    name = "?"


def wait_until(test, what):
    end = time.monotonic() + PATIENCE
    while True:
        ok, seen = test()
        if ok:
            return seen
        if time.monotonic() > end:
            raise ContractError(f"{what} (saw {seen!r})")
        time.sleep(0.01)


class Player:
    def __init__(self, front, row):
        self.front = front
        self.row = row
        self.folder = Folder(row.folder)
        self.noted = {}
        self.brought = {}

    # shot: where to keep a picture of the screen once the row holds.
    def play(self, shot=None):
        self.front.begin(self.row.screen, self.folder)
        try:
            for step in self.row.steps:
                try:
                    self.do(step)
                except Exception as e:
                    self.front.failed_now = True
                    raise ContractError(f"at «{step}»: {e} — {self.seen()}") from e
            self.front.settle()
            for check in self.row.checks:
                self.check(check)
            if shot:
                self.front.screenshot(shot)
        finally:
            self.front.end()

    def seen(self):
        """What the player sees now, briefly, for a failure's report."""
        try:
            s = self.front.snapshot()
        except Exception as e:  # noqa: BLE001 — the report must not fail
            return f"nothing seen ({e})"
        main = (s.get("windows") or {}).get("main") or {}
        return (f"waits {s.get('waits')}, message {str(s.get('message'))[:30]!r}, "
                f"comforts {s.get('comforts')}, main at {main.get('rect')}, stacking {s.get('stacking')}")

    # --- steps: each pattern of the table's words and what the player does ---
    def do(self, step):
        for pattern, act in self.STEPS:
            m = re.fullmatch(pattern, step)
            if m:
                act(self, *m.groups())
                return self.front.settle()
        raise ContractError(f"no such step: {step}")

    def waits(self, window):
        self.check(f"{window} waits")

    def press(self, key, times):
        if key not in KEYS:
            raise ContractError(f"no such key: {key}")
        for _ in range(int(times or 1)):
            self.front.press(key)
            self.front.settle()

    def pad(self, button, times):
        for _ in range(int(times or 1)):
            self.front.pad(button, True)
            self.front.pad(button, False)
            self.front.settle()

    def press_until(self, key, window, said=None):
        for _ in range(200):
            s = self.front.snapshot()
            if (said is None and s["waits"] == window_name(window)) or (said and said in (s["message"] or "")):
                return
            self.front.press(key)
            self.front.settle()
        raise ContractError(f"{window or said} never waits")

    def hold_text(self, how):
        self.front.hold_text(how == "hold")

    def hold(self, how, key):
        self.front.hold(key, how == "hold")

    def click(self, button, target, times):
        for _ in range(int(times or 1)):
            self.front.click(target, (button or "left").strip())
            self.front.settle()

    def tap(self, target):
        self.front.tap_two_fingers(target)

    def wheel(self, way, target):
        self.front.wheel(target, way == "up")

    def drag(self, target, dx, dy):
        self.front.drag(target, int(dx), int(dy))

    def away(self, how):
        (self.front.put_away if how == "put the game away" else self.front.bring_back)()

    def note(self, window, by_main):
        self.front.settle()
        windows = self.front.snapshot()["windows"]
        key = f"where {window} stands" + (" by the main window" if by_main else "")
        self.noted[key] = self.where_relative(windows, window_name(window), bool(by_main))

    def again(self, how):
        if how == "the game is killed":
            self.front.kill()
        else:
            self.front.start_again()

    def bring_in(self, slot, holds):
        self.brought = slot_files(slot, holds)
        self.front.bring_in(self.brought)

    STEPS = [
        (r"(NEXT|the \w+) waits", waits),
        (r"press (\S+) until (.+) waits", press_until),
        (r"press (\S+) until the message has \"(.+)\"", lambda self, key, said: self.press_until(key, None, said)),
        (r"press the pad's (\S+)(?: ×(\d+))?", lambda self, button, times: self.pad(button, times)),
        (r"(hold|let go of) the pad's (\S+)", lambda self, how, button: self.front.pad(button, how == "hold")),
        (r"press (\S+)(?: ×(\d+))?", press),
        (r"(hold|let go of) the text's clock", hold_text),
        (r"(hold|let go of) (\S+)", hold),
        (r"(right |middle )?click (.+?)(?: ×(\d+))?", click),
        (r"tap (.+) with two fingers", tap),
        (r"wheel (up|down) over (.+)", wheel),
        (r"drag (.+) by (-?\d+),(-?\d+)", drag),
        (r"(put the game away|bring the game back)", away),
        (r"note where (.+) stands( by the main window)?", note),
        (r"bring in (file\d): (.+)", bring_in),
        (r"(the game is killed|start the game again)", again),
    ]

    @staticmethod
    def where_relative(windows, name, by_main):
        rect = windows.get(name)
        if not rect:
            return None
        x, y = rect["rect"][:2]
        if by_main:
            x -= windows["main"]["rect"][0]
            y -= windows["main"]["rect"][1]
        return [x, y]

    # --- checks ---
    def check(self, check):
        test = self.test(check)
        wait_until(lambda: test(self.front.snapshot()), check)

    def test(self, c):
        """A function of a snapshot: (holds, what was seen)."""
        m = re.fullmatch(r"(NEXT|the \w+) waits", c)
        if m:
            want = window_name(m.group(1))
            return lambda s: (s["waits"] == want, s["waits"])
        for pattern, key in EQUALS:
            m = re.fullmatch(pattern, c)
            if m:
                return lambda s, key=key, want=m.group(1): (s[key] == want, s[key])
        m = re.fullmatch(r"the message has \"(.*)\"", c)
        if m:
            return lambda s: (m.group(1) in (s["message"] or ""), s["message"])
        if c in SWITCHES:
            key, want = SWITCHES[c]
            return lambda s: (s.get(key) == want, s.get(key))
        if c == "the message is appearing":
            return lambda s: (s.get("messageDrawn") is not None and len(s["messageDrawn"]) < len(s["message"])
                              and s["message"].startswith(s["messageDrawn"]), s.get("messageDrawn"))
        if c == "a screen reader is given the whole message":
            return lambda s: (s.get("messageName") == (s["message"] or "").strip(), s.get("messageName"))
        if c == "the message shows whole":
            return lambda s: (s.get("messageDrawn") == s["message"], s.get("messageDrawn"))
        m = re.fullmatch(r"「(.+)」 is at \"(.*)\"", c)
        if m:
            return lambda s: ((s.get("steps") or {}).get(m.group(1)) == m.group(2), s.get("steps"))
        if c == "the comfort menu is not open":
            return lambda s: (s["comfortMenu"] is None, s["comfortMenu"])
        if c == "no window of the game shows":
            return lambda s: (not GAME_WINDOWS & set(s["windows"]), sorted(s["windows"]))
        if c == "no comfort window is open":
            return lambda s: (not s["comforts"], s["comforts"])
        m = re.fullmatch(r"(\S+) is open", c)
        if m:
            return lambda s: (m.group(1) in s["comforts"], s["comforts"])
        m = re.fullmatch(r"the details (say|have) \"(.*)\"", c)
        if m:
            exact = m.group(1) == "say"
            return lambda s: (any(line == m.group(2) if exact else m.group(2) in line
                                  for line in s["details"] or []), s["details"])
        m = re.fullmatch(r"a screen reader is told \"(.*)\"", c)
        if m:
            return lambda s: (any(m.group(1) in t for t in s["told"] or []), (s["told"] or [])[-3:])
        m = re.fullmatch(r"the key help has at least (\d+) lines", c)
        if m:
            return lambda s: (len(s["keyHelp"] or []) >= int(m.group(1)), s["keyHelp"])
        m = re.fullmatch(r"the key help says \"(.*)\"", c)
        if m:
            return lambda s: (m.group(1) in "\n".join(s["keyHelp"] or []), s["keyHelp"])
        if c == "the list shows no scrollbar":
            return lambda s: (s["listScrolls"] is False, s["listScrolls"])
        m = re.fullmatch(r"the story map says \"(.*)\"", c)
        if m:
            return lambda s: (m.group(1) == (s["storyMap"] or {}).get("said"), s["storyMap"])
        m = re.fullmatch(r"the album has (\d+) tiles?, (\d+) of them blank", c)
        if m:
            want = [int(m.group(1)), int(m.group(2))]
            return lambda s: (album_counts(s) == want, s["album"])
        m = re.fullmatch(r"the album shows 「(.+)」 full size", c)
        if m:
            return lambda s: (full_size(s.get("album"), m.group(1)), s.get("album"))
        if c == "the album shows its tiles":
            return lambda s: (bool(s.get("album")) and s["album"]["opened"] is None, s.get("album"))
        if c == "the story map shows a hint":
            return lambda s: (bool((s["storyMap"] or {}).get("hint")), s["storyMap"])
        m = re.fullmatch(r"the continue offer has \"(.*)\"", c)
        if m:
            return lambda s: (m.group(1) in (s["continueOffer"] or ""), s["continueOffer"])
        if c == "no continue is offered":
            return lambda s: (s["continueOffer"] is None, s["continueOffer"])
        m = re.fullmatch(r"the import question says \"(.*)\"", c)
        if m:
            return lambda s: (m.group(1) in (s["importQuestion"] or ""), s["importQuestion"])
        m = re.fullmatch(r"「(.*)」 in the comfort menu is (enabled|disabled)", c)
        if m:
            want = m.group(2) == "enabled"
            return lambda s: ((s["comfortMenu"] or {}).get(m.group(1)) is want, s["comfortMenu"])
        if c == "the time fits its plate":
            return lambda s: (fits(s["timeFit"]), s["timeFit"])
        if c == "the time is drawn in bold strokes":
            return lambda s: (s["timeFit"].get("weight", 1) >= BOLD_TIME, s["timeFit"])
        m = re.fullmatch(r"(.+) stands? whole on the screen", c)
        if m:
            name = window_name(m.group(1))
            return lambda s: (on_screen(rect_of(s, name), s["screen"]), rect_of(s, name))
        m = re.fullmatch(r"the title bar of (.+) stands on the screen", c)
        if m:
            name = window_name(m.group(1))
            return lambda s: (on_screen(bar_of(s, name), s["screen"]), bar_of(s, name))
        m = re.fullmatch(r"(.+) (?:does|do) not cover the title bar of (.+)", c)
        if m:
            a, b = window_name(m.group(1)), window_name(m.group(2))
            return lambda s: (apart(rect_of(s, a), bar_of(s, b)), [rect_of(s, a), bar_of(s, b)])
        m = re.fullmatch(r"(.+) (?:does|do) not cover (.+)", c)
        if m:
            a, b = window_name(m.group(1)), window_name(m.group(2))
            return lambda s: (apart(rect_of(s, a), rect_of(s, b)), [rect_of(s, a), rect_of(s, b)])
        m = re.fullmatch(r"(.+) stands? above (.+)", c)
        if m:
            a, b = window_name(m.group(1)), window_name(m.group(2))
            return lambda s: (above(s["stacking"], a, b), s["stacking"])
        m = re.fullmatch(r"(.+) has its own title bar", c)
        if m:
            name = window_name(m.group(1))
            return lambda s: (bool(rect_of(s, name)) and bool(bar_of(s, name)), s["windows"].get(name))
        m = re.fullmatch(r"the window manager draws no frame on (.+)", c)
        if m:
            name = window_name(m.group(1))
            return lambda s: (bool(rect_of(s, name)) and not s["windows"][name]["frame"],
                              s["windows"].get(name))
        m = re.fullmatch(r"(.+) (stands|has moved by (-?\d+),(-?\d+)) from where noted( by the main window)?"
                         r"|(.+) stands where noted( by the main window)?", c)
        if m:
            label = m.group(1) or m.group(6)
            by_main = bool(m.group(5) or m.group(7))
            moved = (int(m.group(3)), int(m.group(4))) if m.group(3) else (0, 0)
            name = window_name(label)
            key = f"where {label} stands" + (" by the main window" if by_main else "")

            def where(s):
                now, noted = self.where_relative(s["windows"], name, by_main), self.noted.get(key)
                same = now is not None and noted is not None and max(
                    abs(a - b - d) for a, b, d in zip(now, noted, moved)) < 0.5
                return same, [now, noted]
            return where
        m = re.fullmatch(r"the menu's buttons are at least (\d+) screen pixels high", c)
        if m:
            return lambda s: ((s["windows"].get("menu") or {}).get("button", 0) >= int(m.group(1)),
                              s["windows"].get("menu"))
        m = re.fullmatch(r"the close box of (.+) is at least (\d+) screen pixels wide", c)
        if m:
            name = window_name(m.group(1))
            return lambda s: (((s["windows"].get(name) or {}).get("close") or [0, 0, 0])[2] >= int(m.group(2)),
                              s["windows"].get(name))
        m = re.fullmatch(r"slot (file\d) is as it was", c)
        if m:
            slot = m.group(1)
            before = {k: v for k, v in self.folder.slots.items() if k in (slot, slot + "_text")}
            return lambda s: (self.front.slot(slot) == before, self.front.slot(slot))
        m = re.fullmatch(r"slot (file\d) holds what was brought in", c)
        if m:
            slot = m.group(1)
            return lambda s: (self.front.slot(slot) == self.brought, self.front.slot(slot))
        raise ContractError(f"no such check: {c}")


# --- geometry ---

def rect_of(s, name):
    w = s["windows"].get(name)
    return w["rect"] if w else None


def bar_of(s, name):
    w = s["windows"].get(name)
    return w["bar"] if w else None


def on_screen(rect, screen):
    if not rect:
        return False
    x, y, w, h = rect
    return w > 0 and h > 0 and x >= 0 and y >= 0 and x + w <= screen[0] and y + h <= screen[1]


def apart(a, b):
    if not a or not b:
        return False
    return a[0] + a[2] <= b[0] or b[0] + b[2] <= a[0] or a[1] + a[3] <= b[1] or b[1] + b[3] <= a[1]


def above(stacking, upper, lower):
    return upper in stacking and lower in stacking and stacking.index(upper) > stacking.index(lower)


def fits(fit):
    if not fit:
        return False
    (ink_left, ink_right), (room_left, room_right) = fit["ink"], fit["room"]
    return ink_left >= room_left - 0.5 and ink_right <= room_right + 0.5


# --- the run ---

def chosen(front, rows, only=None):
    """The rows meant for this front end (those whose id matches only)."""
    return [r for r in rows if r.for_front_end(front.name) and not (only and not re.search(only, r.id))]


def play(front, rows, shots=None, folder=None):
    """Plays the rows; returns the ids that failed. shots: the pictures of
    the screen to keep in folder, by the row that shows them."""
    failed = []
    for row in rows:
        started = time.monotonic()
        shot = pathlib.Path(folder) / shots[row.id] if folder and row.id in (shots or {}) else None
        try:
            Player(front, row).play(shot)
            print(f"ok   {row.id} ({time.monotonic() - started:.1f} s)", flush=True)
        except Exception as e:  # noqa: BLE001 — every failure is the row's
            failed.append(row.id)
            print(f"FAIL {row.id}: {type(e).__name__}: {e}", flush=True)
    return failed


def run(front, only, shots, folder, close):
    """Plays the table's rows for this front end (those whose id matches
    only), keeps the shots in folder; the test's exit status."""
    rows = read_table()
    try:
        played = chosen(front, sorted(rows, key=lambda r: r.screen.key()), only)
        failed = play(front, played, shots, folder)
    finally:
        close()
    return report(front, rows, played, failed)


def report(front, rows, played, failed):
    skipped = [r for r in rows if not r.for_front_end(front.name)]
    for row in skipped:
        print(f"not here: {row.id} ({row.front_ends} only:{row.why})")
    print(f"{len(played) - len(failed)} of {len(played)} rows hold on the {front.name}"
          + (f"; failed: {', '.join(failed)}" if failed else ""))
    return 1 if failed else 0
