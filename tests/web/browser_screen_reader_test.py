#!/usr/bin/python3
"""A blind player in the page: the game played by keys alone and read only
as a screen reader reads it, through Chromium's accessibility tree (the
DevTools protocol's Accessibility domain). velmora-tty plays the same answers
first; what it prints is what the player must hear.

Two walks: the short evening (the title, the introduction, a visit to the
apartment and its room, questions answered no and yes, a save in file1 and
its load, M twice for the music's notices, the plates after the load), and
one whole route of tests/routes, every MSG line of the trace found in order
in the tree's changes.

    browser_screen_reader_test.py --tty BUILD/velmora-tty --site SITE [--data data]
"""

import argparse
import os
import pathlib
import re
import subprocess
import sys
import time

HERE = pathlib.Path(__file__).resolve().parent
REPO = HERE.parent.parent
sys.path.insert(0, str(HERE))
from browser import Browser, BrowserError, what_is_missing  # noqa: E402
from browser_route_test import SKIP, Failures, game_folder, play_tty  # noqa: E402

# The short evening's answers where the story asks (NEXT is always passed on):
# the load (no), the name (no), the invitation (yes), a visit to the
# apartment and its room, a save in file1 (yes) and a load of it (yes).
EVENING = ["no", "no", "yes", "アパート", "移動する", "セーブ", "file1", "yes", "ロード", "file1", "yes"]
# A whole route, short: a load refused, a list answered empty, a nap, the school.
ROUTE = REPO / "tests" / "routes" / "school-C1.in"
PLATES = ["4月1日", "部屋", "午前9時30分"]  # after the load: the room at half past nine
APARTMENT = "佐々木：「ここがオレの住んでるアパート。一人暮らし"
KUMI = "久美：「あっ、いたいた！"  # her portrait over the apartment
PROMPTS = ("CLICK", "NEXT", "YESNO", "LIST", "MENU")
# How each window that chooses says to answer, after the question's words.
HOW_TO = {"YESNO": "Y で「はい」、N で「いいえ」。Tab か矢印で選んでから Enter でも答えられます。",
          "LIST": "上下の矢印で選び、Enter で決めます。", "MENU": "矢印か Tab で選び、Enter で決めます。"}
CAPTIONS = {"YESNO": "選択", "LIST": "選択", "MENU": "移動場所 ＆ コマンド"}
PATIENCE = float(os.environ.get("WALK_PATIENCE", 90))  # a loaded machine; the walk waits for the tree


class Failure(Exception):
    pass


def said(text):
    """Words as a screen reader gets them: a name or description flattens
    the lines of the message into one."""
    return " ".join(text.split())


def unescape(line):
    """A message as velmora-tty's MSG line escapes it, as it was."""
    return re.sub(r"\\(.)", lambda m: {"n": "\n", "r": "\r"}.get(m.group(1), m.group(1)), line)


def plate_words(clock):
    """The plates as a player hears them, from velmora-tty's CLOCK line
    ("日付１.gif|AM 9:30|部屋.gif" is 「4月1日」「午前9時30分」「部屋」): the
    date, the time and the place, None where a plate has no words."""
    date, time, place = clock.split("|")
    half, hour, minute = re.fullmatch(r"(AM|PM) ?(-?\d+):(\d\d)", time).groups()
    return [f"4月{'１２３４５６７８'.index(date[2]) + 1}日" if date.startswith("日付") else None,
            f"{'午前' if half == 'AM' else '午後'}{hour}時{'30分' if minute == '30' else ''}",
            place[:-len(".gif")] if place else None]


def steps_of(trace, decisions):
    """(wait, message, answer, plates, news) at each wait of velmora-tty's
    trace; the answer is None at the last, where its input ended; the news,
    at NEXT, is the words of the plates changed since NEXT last told them."""
    left, steps, message, plates = list(decisions), [], None, None
    shown, told = [None] * 3, [None] * 3
    for line in trace:
        kind = line.split("?")[0]
        if line.startswith("MSG "):
            message = unescape(line[4:])
        elif line.startswith("CLOCK "):
            words = plate_words(line[6:])
            shown = [words[0] or shown[0]] + words[1:]  # no date: the date stays
            plates = [w for w in shown if w]
        elif "?" in line[:8] and kind in PROMPTS:
            answer = "" if kind in ("CLICK", "NEXT") else (left.pop(0) if left else None)
            news = " ".join(w for w, was in zip(shown, told) if w and w != was)
            if kind == "NEXT":
                told = list(shown)
            steps.append((kind, message, answer, plates, news if kind == "NEXT" else ""))
            if answer is None:
                break
    return steps


def route_played(tty, data, route):
    """velmora-tty's trace of the route, and the route's answers where the
    story asks (its lines answer one wait each)."""
    lines = route.read_text(encoding="utf-8").splitlines()
    trace = subprocess.run([tty], cwd=game_folder(data), input="\n".join(lines) + "\n", capture_output=True,
                           text=True, encoding="utf-8", timeout=60).stdout.splitlines()
    kinds = [line.split("?")[0] for line in trace if "?" in line[:8] and line.split("?")[0] in PROMPTS]
    return trace, [answer for kind, answer in zip(kinds, lines) if kind not in ("CLICK", "NEXT")]


class Reading:
    """One reading of the tree: what has the focus, in which dialog, the
    message window's name, the plates, the live regions' words."""

    def __init__(self, nodes):
        shown = {n["nodeId"]: n for n in nodes if not n.get("ignored")}
        everything = {n["nodeId"]: n for n in nodes}
        self.message = self.focus = self.dialog = self.described = self.focus_text = None
        self.plates, self.live, self.options, self.said = [], [], [], []
        self.pictures = {}  # the scene, the portrait, the side picture: by their descriptions
        for node in shown.values():
            role, props = value(node, "role"), properties(node)
            if role == "button" and value(node, "description").startswith("物語のメッセージ"):
                self.message = said(value(node, "name"))
                self.described = value(node, "description")
            if props.get("live") == "polite" and role not in ("status", "alert", "button"):
                # What the page says wherever the focus is, each in a paragraph.
                self.said = [said(self.text(everything[c], everything))
                             for c in node.get("childIds", []) if c in everything]
            if props.get("focused") and role != "RootWebArea":
                self.focus = (role, value(node, "name"), said(value(node, "description")))
                self.focus_text = said(self.text(node, everything))
                self.dialog = self.enclosing(node, everything, "dialog")
            if role == "image" and value(node, "name") and not self.enclosing(node, everything, "dialog"):
                if value(node, "description"):
                    self.pictures[value(node, "description")] = value(node, "name")
                else:
                    self.plates.append(value(node, "name"))
            if role in ("status", "alert") and props.get("live"):
                self.live.append(self.text(node, everything))
            if role == "option":
                self.options.append((value(node, "name"), bool(props.get("selected")),
                                     said(value(node, "description"))))

    @staticmethod
    def enclosing(node, nodes, role):
        while node:
            if value(node, "role") == role:
                return value(node, "name"), said(value(node, "description"))
            node = nodes.get(node.get("parentId"))
        return None

    def text(self, node, nodes):
        if value(node, "role") == "StaticText":
            return value(node, "name")
        return "".join(self.text(nodes[c], nodes) for c in node.get("childIds", []) if c in nodes)

    def key(self):
        return (self.message, self.focus, self.dialog, tuple(self.plates), tuple(self.live),
                tuple(self.options), tuple(sorted(self.pictures.items())), tuple(self.said))


def value(node, field):
    return (node.get(field) or {}).get("value", "") or ""


def properties(node):
    return {p["name"]: p["value"].get("value") for p in node.get("properties", [])}


class Tree:
    """The page as a screen reader has it; every reading that differs from
    the one before is kept, in order: the tree's changes."""

    def __init__(self, browser):
        self.browser = browser
        browser.send("Accessibility.enable")
        self.changes = []

    def read(self):
        reading = Reading(self.browser.send("Accessibility.getFullAXTree")["nodes"])
        if not self.changes or self.changes[-1].key() != reading.key():
            self.changes.append(reading)
        return reading

    def wait(self, what, test):
        end = time.monotonic() + PATIENCE
        while time.monotonic() < end:
            reading = self.read()
            if test(reading):
                return reading
        last = self.changes[-1]
        raise Failure(f"never read {what}; the tree had: message {last.message!r}, focus {last.focus!r}, "
                      f"dialog {last.dialog!r}, live {last.live!r}")


def waits_with(reading, kind, message, plates, news="", before=None):
    """The tree shows the wait of this kind, for this message, the focus in
    it, and the plates of the moment. NEXT has the focus and the message is
    said, after what the plates say anew; another window is named by the
    message's first line (by its caption where NEXT has just said the
    message) and described by the rest and how to answer."""
    if not reading.focus or (plates and sorted(plates) != sorted(reading.plates)):
        return False
    role, name, description = reading.focus
    if kind == "CLICK":
        return reading.message == said(message) and reading.dialog is None
    if kind == "NEXT":
        told = f"{news}\n{message}" if news else message
        return (role, name) == ("button", "NEXT") and reading.said[-1:] == [said(told)]
    first, _, rest = message.partition("\n")
    if message == before:
        return reading.dialog == (CAPTIONS[kind], said(HOW_TO[kind]))
    return reading.dialog == (said(first), said(f"{rest}\n{HOW_TO[kind]}"))


class Player:
    """Keys alone, chosen from what the tree shows."""

    def __init__(self, browser, tree):
        self.browser, self.tree = browser, tree

    def press(self, *keys):
        for key in keys:
            self.browser.key(key)

    def answer(self, kind, answer):
        if kind in ("CLICK", "NEXT"):
            self.press("Enter")
        elif kind == "YESNO":
            self.press("y" if answer == "yes" else "n")
        elif kind == "LIST":
            self.choose_entry(answer)
        elif kind == "MENU":
            self.choose_command(answer)

    def choose_entry(self, entry):
        """↓ to the entry (none for an empty answer), Tab to OK, Enter."""
        if entry:
            names = [option[0] for option in self.tree.read().options]
            self.press(*["ArrowDown"] * (names.index(entry) + 1))
            self.tree.wait(f"the entry {entry} chosen", lambda r: (entry, True) in
                           [option[:2] for option in r.options])
        self.press("Tab")
        self.tree.wait("OK focused", lambda r: r.focus and r.focus[:2] == ("button", "OK"))
        self.press("Enter")

    def choose_command(self, command):
        """↓ until the command has the focus (at least once: Enter acts
        only once the focus has moved), then Enter."""
        for _ in range(40):
            before = self.tree.read().focus
            self.press("ArrowDown")
            now = self.tree.wait("the focus moved", lambda r: r.focus != before).focus
            if now[1] == command:
                self.press("Enter")
                return
        raise Failure(f"the menu has no {command}")


def walk(browser, steps, at_step=lambda message, player: None):
    """Each wait read from the tree, then answered by keys; the tree's
    readings. (On these paths no wait repeats the one before it word for
    word, so each shows as a change of the tree.)"""
    tree = Tree(browser)
    player = Player(browser, tree)
    before = None
    for kind, message, answer, plates, news in steps:
        tree.wait(f"{kind} for {message!r} ({plates}, {news!r})",
                  lambda r: waits_with(r, kind, message, plates, news, before))
        at_step(message, player)
        before = message
        if answer is None:
            break
        player.answer(kind, answer)
    return tree


def heard_in_order(tree, messages):
    """Every message, in order, among the message window's names as they changed."""
    names = [r.message for r in tree.changes]
    at = 0
    for message in messages:
        try:
            at = names.index(said(message), at)
        except ValueError:
            return f"never read {message!r} after {names[at - 1] if at else None!r}"
    return None


def evening(site, tty, data, failures):
    steps = steps_of(play_tty(tty, game_folder(data), EVENING), EVENING)
    notices, pictures, seen = [], [], {}

    def at_apartment(message, player):
        tree = player.tree
        if message == steps[0][1]:  # the title: its blank plates read nothing, only the time
            seen["title plates"] = tree.read().plates
        if message.startswith("どれをロードしますか"):  # the slot's details with its entry
            seen["details"] = tree.read().options[0]
        if message.startswith(KUMI):
            pictures.append(tree.wait("Kumi over the apartment", lambda r: r.pictures.get("人物の絵") == "久美"
                                      and r.pictures.get("場面の絵") == "アパート").pictures)
            seen["message described"] = tree.read().described
            # One step back: NEXT, still focused, and the message before said
            # again; forward again to Kumi's.
            back = said(steps[[s[1] for s in steps].index(message) - 1][1])
            player.press("PageUp")
            seen["back"] = tree.wait("the message before, said again", lambda r: r.said[-1:] == [back]).said[-1]
            player.press("PageDown")
            tree.wait("Kumi's line, said again", lambda r: r.said[-1:] == [said(message)])
        if not message.startswith(APARTMENT):
            return
        # A visit: the scene is named by the place.
        pictures.append(player.tree.wait("the apartment's scene", lambda r: r.pictures.get("場面の絵") == "アパート")
                        .pictures)
        for words in ("音楽を消しました", "音楽を戻しました"):
            regions = len(player.tree.read().live)
            player.press("m")
            # Spoken: the words come into a live region that stood before them.
            player.tree.wait(f"the notice {words} in a live region",
                             lambda r: words in r.live and len(r.live) == regions)
            notices.append(words)

    with Browser(site) as browser:
        browser.open()
        started = time.monotonic()
        tree = walk(browser, steps, at_apartment)
        failures.check(True, f"the evening: all {len(steps)} waits read from the tree, each question as "
                             f"its dialog's name and description, the plates as words at "
                             f"{sum(1 for step in steps if step[3])}, their change told at "
                             f"{sum(1 for step in steps if step[4])} NEXT, by keys alone ({time.monotonic() - started:.1f} s)")
        missed = heard_in_order(tree, [step[1] for step in steps])
        failures.check(missed is None, f"every message in the message window's name, in order "
                                       f"({missed or len(steps)})")
        failures.check(len(notices) == 2, "M twice: the music's two notices in a live region")
        plates = tree.read().plates
        failures.check(plates == PLATES, f"the plates after the load read {plates}")
        failures.check(len(pictures) == 2, f"the scene named by its place, the portrait by its character: {pictures}")
        scene = tree.read().pictures.get("場面の絵")
        failures.check(scene == "絵なし", f"the scene the load cleared reads {scene!r}")
        failures.check(seen.get("title plates") == ["午前9時"],
                       f"the title's blank plates read nothing: {seen.get('title plates')}")
        details = seen.get("details") or ("", False, "")
        failures.check(details[0] == "file1" and details[2].startswith("4月1日 AM 9:30 部屋 佐々木（リュウ君） 保存"),
                       f"the slot's details with its entry: {details}")
        failures.check(seen.get("message described") == "物語のメッセージ",
                       f"the message described as the game's, not the title's: {seen.get('message described')!r}")
        failures.check("back" in seen, f"a step back says the message before: {seen.get('back')!r}")
        comforts_at_the_menu(browser, tree, steps[-1][1], failures)


def comforts_at_the_menu(browser, tree, message, failures):
    """The history and the story map are dialogs; the history's focus on its
    newest message; ヒント gives the focus to the hint."""
    browser.key("h")
    history = tree.wait("the history", lambda r: r.dialog and r.dialog[0] == "履歴" and r.focus_text)
    failures.check(history.focus_text == said(message),
                   f"the history, a dialog, read from its newest message: {history.focus_text!r}")
    browser.key("Escape")
    tree.wait("the menu again", lambda r: r.dialog and r.dialog[0] != "履歴")
    browser.key("s")
    tree.wait("the story map", lambda r: r.dialog and r.dialog[0] == "ストーリーマップ")
    browser.evaluate("document.querySelector('#storyMap td.hint button').focus()")
    browser.key("Enter")
    hint = tree.wait("the hint, focused", lambda r: (r.focus_text or "").startswith("ヒント："))
    failures.check(hint.dialog[0] == "ストーリーマップ" and len(hint.focus_text) > len("ヒント："),
                   f"ヒント gives the focus to its hint: {hint.focus_text!r}")


def whole_route(site, tty, data, failures):
    trace, decisions = route_played(tty, data, ROUTE)
    steps = steps_of(trace, decisions)
    messages = [unescape(line[4:]) for line in trace[1:] if line.startswith("MSG ")]
    with Browser(site) as browser:
        browser.open()
        started = time.monotonic()
        tree = walk(browser, steps)
        missed = heard_in_order(tree, messages)
        failures.check(missed is None, f"{ROUTE.stem}: all {len(messages)} MSG lines of the trace in order "
                                       f"in the tree's changes, {len(steps)} waits by keys, the plates at "
                                       f"{sum(1 for step in steps if step[3])} "
                                       f"({time.monotonic() - started:.1f} s){': ' + missed if missed else ''}")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--tty", required=True)
    parser.add_argument("--data", default=str(REPO / "data"))
    parser.add_argument("--site", required=True)
    args = parser.parse_args()
    missing = what_is_missing(args.site)
    if missing:
        print(f"SKIPPED: {missing}")
        return SKIP
    tty = os.path.abspath(args.tty)
    failures = Failures()
    for case in (evening, whole_route):
        try:
            case(args.site, tty, args.data, failures)
        except (Failure, BrowserError) as failure:
            failures.check(False, f"{case.__name__}: {failure}")
    print(f"screen reader in chromium: {failures.passed} passed, {failures.count} failed")
    return 1 if failures.count else 0


if __name__ == "__main__":
    sys.exit(main())
