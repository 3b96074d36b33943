#!/usr/bin/python3
"""A blind player's evening with the window program: the title, the
introduction, a visit to the apartment, questions answered yes and no, a save
and a load, played by keys and accessible actions alone and read only as a
screen reader reads it (AT-SPI, through pyatspi): every message velmora-tty
prints on the same path must reach the player in an event (a notification
named by it as NEXT waits), each question as its window's name with how to
answer, the plates as words, their change told with the message, the scene
by its place and the portrait by its character. Then the last night of the
fourth day loaded, played by keys into the digest up to its first picture,
which must be heard as the focus coming to it by what it shows and be
passed by Enter.

    dbus-run-session -- screen_reader_walk.py --program BUILD/velmora --tty BUILD/velmora-tty --data data
"""

import argparse
import os
import pathlib
import shutil
import subprocess
import sys
import tempfile
import time

HERE = pathlib.Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))
sys.path.insert(0, str(HERE.parent / "web"))
from window_driver import Desktop  # noqa: E402
from browser import end_process  # noqa: E402
from contract import slot_files  # noqa: E402

# What the player answers where the story asks (NEXT is always passed on):
# the load (no), the name (no), the invitation (yes), a visit to the
# apartment and its room, a save in file1 (yes) and a load of it (yes).
ANSWERS = ["no", "no", "yes", "アパート", "移動する", "セーブ", "file1", "yes", "ロード", "file1",
           "yes"]
PROMPTS = ("CLICK?", "NEXT?", "YESNO?", "MENU?", "LIST?")
# The keys that give the same answer in the window.
KEYS = {"CLICK?": ["Return"], "NEXT?": ["Return"], "yes": ["y"], "no": ["n"],
        "LIST?": ["Down", "Tab", "Return"]}
# Long enough for a loaded machine; the walk waits for events, never for time.
PATIENCE = int(os.environ.get("WALK_PATIENCE", 90))
# The plates after the load: the room, at half past nine on the first day;
# the scene the load cleared.
PLATES = {("4月1日", "日付"), ("午前9時30分", "時刻"), ("部屋", "場所"), ("絵なし", "場面の絵")}
# Kumi's first words, her portrait over the apartment.
KUMI = ("久美：「あっ、いたいた！", {("久美", "人物の絵"), ("アパート", "場面の絵")})
# The first picture of the ending, by what it shows, and what to press.
PICTURE = ("夕暮れの海辺で笑うひとみ", "次へ進みます（クリック・Enter・Space）")
# How to answer, told after the question's words.
HOW_TO_ANSWER = "Y で「はい」、N で「いいえ」。Tab か矢印で選んでから Enter でも答えられます。"
# NEXT tells first what the plates say anew: the day as the story begins,
# the half hour the walk to the apartment took, the room. Nothing else.
PLATE_NEWS = {"「オレの名前は佐々木。": "4月1日 午前9時 アパート",
              "佐々木：「ここがオレの住んでるアパート。一人暮らし": "午前9時30分",
              "佐々木：「ここがオレの部屋。": "部屋"}


class Failure(Exception):
    pass


def tty_waits(tty, data, answers, prompts):
    """velmora-tty's waits as it plays the answers given where the story asks
    (CLICK and NEXT passed on): (the wait's line, its message, the answer),
    up to the wait where the answers ran out, answered None."""
    answers, waits, message = list(answers), [], None
    with tempfile.TemporaryDirectory(prefix="velmora-walk-tty-") as game:
        shutil.copytree(data, game, dirs_exist_ok=True)
        with subprocess.Popen([tty], cwd=game, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                              text=True) as play:
            for line in play.stdout:
                line = line.rstrip("\n")
                prompt = line.split(" ")[0]
                if line.startswith("MSG "):
                    message = line[4:].replace("\\n", "\n").strip()
                elif prompt in prompts:
                    answer = "" if prompt in ("CLICK?", "NEXT?") else (answers.pop(0) if answers else None)
                    waits.append((line, message, answer))
                    if answer is None:
                        break
                    play.stdin.write(answer + "\n")
                    play.stdin.flush()
            play.stdin.close()
            play.kill()
    if answers or not waits or waits[-1][2] is not None:
        raise Failure(f"velmora-tty's story went another way: {waits[-3:]}")
    return waits


def expected_steps(tty, data):
    """The prompts, their messages and answers as velmora-tty plays the path,
    up to the menu after the load."""
    return [(line.split(" ")[0], message, answer)
            for line, message, answer in tty_waits(tty, data, ANSWERS, PROMPTS)]


class Reader:
    """What a screen reader hears: the events it speaks, in order."""

    def __init__(self):
        import pyatspi
        from gi.repository import GLib
        self.pyatspi, self.context = pyatspi, GLib.MainContext.default()
        self.events = []
        for kind in ("focus:", "object:property-change:accessible-name", "window:activate",
                     "object:state-changed:showing"):
            pyatspi.Registry.registerEventListener(self.heard, kind)

    def heard(self, event):
        try:
            source = event.source
            if event.type.startswith("object:state-changed:showing") and not event.detail1:
                return  # a reader speaks what appears, not what goes
            self.events.append((event.type, source.getRoleName(), source.name or "",
                                source.description or "", source))
        except Exception:  # an object gone before it was read: nothing a reader speaks
            pass

    def wait(self, what, test, after=0):
        """The first event from index `after` on that passes the test."""
        end = time.monotonic() + PATIENCE
        while time.monotonic() < end:
            for i in range(after, len(self.events)):
                if test(self.events[i]):
                    return i
            self.context.iteration(False)
            time.sleep(0.005)
        raise Failure(f"never heard {what}; heard:\n" +
                      "\n".join(repr(e[:4]) for e in self.events[max(0, after - 8):][-30:]))

    def game(self):
        desktop = self.pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app and app.name == "velmora" and app.childCount:
                return app
        return None

    def tree(self, node):
        yield node
        for i in range(node.childCount):
            child = node.getChildAtIndex(i)
            if child:
                yield from self.tree(child)

    def showing(self, node):
        return node.getState().contains(self.pyatspi.STATE_SHOWING)

    def wait_tree(self, what, test):
        end = time.monotonic() + PATIENCE
        seen = []
        while time.monotonic() < end:
            app = self.game()
            seen = [(n.getRoleName(), n.name, n.description) for n in self.tree(app)] if app else []
            found = [n for n in self.tree(app) if test(n)] if app else []
            if found:
                return found[0]
            self.context.iteration(False)
            time.sleep(0.02)
        raise Failure(f"never found {what} in the tree: {seen}")


def find_named(reader, named):
    """Each (name, description) shown in the tree."""
    for name, description in named:
        reader.wait_tree(f"{name} ({description})",
                         lambda n: n.name == name and n.description == description and reader.showing(n))


def first_line(message):
    return message.split("\n")[0].strip()


def walk(reader, steps, press):
    """Each prompt heard with its message, then answered by keys; at the
    apartment, music off and on again."""
    title = steps[0][1]
    reader.wait_tree("the title's message, focused",
                     lambda n: n.name == title and n.getState().contains(reader.pyatspi.STATE_FOCUSED))
    mark = len(reader.events)
    before = title
    for prompt, message, answer in steps[:-1]:
        if prompt == "NEXT?":
            news = next((words for start, words in PLATE_NEWS.items() if message.startswith(start)),
                        None)
            told = f"{news}\n{message}" if news else message
            mark = reader.wait(f"NEXT's message said: {told!r}", said_as(told), mark) + 1
        elif prompt == "YESNO?":
            # Named by the question (by its caption where NEXT has just said
            # it), then the rest of it and how to answer.
            asked = message != before
            name, rest = (first_line(message), message.partition("\n")[2]) if asked else ("選択", "")
            told = f"{rest}\n{HOW_TO_ANSWER}" if rest else HOW_TO_ANSWER
            mark = reader.wait(f"a question {name!r}: {told!r}",
                               lambda e: e[0].startswith("window:activate") and e[2] == name and
                               e[3] == told, mark) + 1
        elif prompt != "CLICK?":
            mark = reader.wait(f"a window asking {message!r}",
                               lambda e: e[0].startswith("window:activate") and
                               e[2] == first_line(message), mark) + 1
        before = message
        if message.startswith("佐々木：「ここがオレの住んでるアパート。一人暮らし"):
            find_named(reader, {("アパート", "場面の絵")})  # a visit: the scene is its place
            mark = hear_notices(reader, press, mark)
        if message.startswith(KUMI[0]):
            find_named(reader, KUMI[1])
        if prompt == "MENU?":
            window = reader.events[mark - 1][4]
            button = next(n for n in reader.tree(window) if n.getRoleName() == "push button" and
                          n.name == answer and reader.showing(n))
            button.queryAction().doAction(0)
        else:
            for key in KEYS.get(answer) or KEYS[prompt]:
                press(key)
    return mark


def said_as(words):
    """A notification shown with these words: what Orca speaks wherever the focus is."""
    return lambda e: (e[0].startswith("object:state-changed:showing") and e[1] == "notification"
                      and e[2] == words)


def hear_notices(reader, press, mark):
    """M at NEXT: music off, then on again, each said as a notification."""
    for words in ("音楽を消しました", "音楽を戻しました"):
        press("m")
        mark = reader.wait(f"the notice {words}", said_as(words), mark) + 1
    return mark


def press_minimise_mark(reader, desktop):
    """The main window's marks are named buttons; pressing 最小化 puts the
    window away (閉じる waits while the menu is open, as a click on it does)."""
    app = reader.game()
    marks = {n.name: n for n in reader.tree(app) if n.getRoleName() == "push button" and
             n.name in ("最小化", "閉じる") and reader.showing(n) and n.queryAction().nActions}
    if set(marks) != {"最小化", "閉じる"}:
        raise Failure(f"the title bar's marks as buttons that press: found {sorted(marks)}")
    def shown():  # an X window put away is unmapped
        return subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Velmora$"],
                              env=desktop.env, capture_output=True, text=True).stdout.strip()
    if not shown():
        raise Failure("no window named Velmora on the screen")
    marks["最小化"].queryAction().doAction(0)
    end = time.monotonic() + PATIENCE
    while shown():
        if time.monotonic() > end:
            raise Failure("pressing 最小化 did not put the window away")
        time.sleep(0.05)


def check_names_changed(reader, steps):
    """Every new message reached the message window's name, in order (the
    title's was its name from the start, found focused)."""
    names = [e[2].strip() for e in reader.events
             if e[0].startswith("object:property-change:accessible-name") and e[1] == "label"]
    at = 0
    last = steps[0][1]
    for _, message, _ in steps:
        if message == last:  # the same words again: the name does not change
            continue
        last = message
        try:
            at = names.index(message, at) + 1
        except ValueError:
            raise Failure(f"the message window never said {message!r}; it said {names[at:at + 5]!r}")


def heard_focus(name):
    return lambda e: e[0].startswith("focus") and e[2] == name


# The last night loaded by keys: each window heard before its keys (its
# name, or NEXT's description), then the keys that answer it.
LOAD_THE_NIGHT = [
    ("データをロードしますか？", ["y"]),
    ("どれをロードしますか？", ["End", "Return"]),
    ("file5 をロードします。よろしいですか？", ["y"]),
    ("NEXT", ["Return"]),
    ("さて、どこに行こうかな・・・。", ["Down", "Return"]),
]


def pass_the_first_picture(reader, press, title):
    """From the title with file5 at PM 11:30 of the fourth day: load it by
    keys, go out (the night ends the playable days), pass every NEXT of the
    digest until the focus comes to the picture, then Enter passes it."""
    reader.wait_tree("the title's message, focused", lambda n: n.name == title and
                     n.getState().contains(reader.pyatspi.STATE_FOCUSED))
    mark = len(reader.events)
    press("Return")
    for window, keys in LOAD_THE_NIGHT:
        mark = reader.wait(window, lambda e: heard_focus("NEXT")(e) if window == "NEXT" else
                           e[0].startswith("window:activate") and e[2] == window, mark) + 1
        for key in keys:
            press(key)
    while True:
        at = reader.wait("a message said or the picture taking the focus",
                         lambda e: said_as(e[2])(e) or heard_focus(PICTURE[0])(e), mark)
        mark = at + 1
        if reader.events[at][2] == PICTURE[0]:
            break
        press("Return")
    if reader.events[at][3] != PICTURE[1]:
        raise Failure(f"the picture says {reader.events[at][3]!r}, not {PICTURE[1]!r}")
    press("Return")
    reader.wait("the message after the picture passed by Enter", lambda e: said_as(e[2])(e), mark)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", required=True)
    parser.add_argument("--tty", required=True)
    parser.add_argument("--data", required=True)
    args = parser.parse_args()
    if "DBUS_SESSION_BUS_ADDRESS" not in os.environ:
        sys.exit("run me under dbus-run-session")
    steps = expected_steps(os.path.abspath(args.tty), args.data)

    desktop = Desktop(1280, 800)
    work = pathlib.Path(tempfile.mkdtemp(prefix="velmora-walk-"))
    env = {**desktop.env, "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1", "QT_QPA_PLATFORM": "xcb",
           "HOME": str(work), "XDG_CONFIG_HOME": str(work / "config"),
           "XDG_DATA_HOME": str(work / "data"), "XDG_RUNTIME_DIR": str(work / "runtime")}
    (work / "runtime").mkdir(mode=0o700)
    bus = subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"], env=env,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    game = None
    try:
        os.environ["DISPLAY"] = desktop.display
        reader = Reader()
        def start(folder):
            shutil.copytree(args.data, folder, ignore=shutil.ignore_patterns("design"),
                            dirs_exist_ok=True)
            return subprocess.Popen([os.path.abspath(args.program)], cwd=folder, env=env,
                                    stdout=subprocess.DEVNULL,
                                    stderr=open(work / "velmora.log", "w"))

        def press(key):
            subprocess.run(["xdotool", "key", key], env=desktop.env, check=True)

        game = start(work / "game")

        mark = walk(reader, steps, press)
        reader.wait("the menu after the load", lambda e: e[0].startswith("window:activate") and
                    e[2] == first_line(steps[-1][1]), mark)
        check_names_changed(reader, steps)
        find_named(reader, PLATES)
        if not (work / "game" / "file1").exists():
            raise Failure("the save left no file1")
        press_minimise_mark(reader, desktop)
        end_process(game)
        night = work / "night"
        night.mkdir()
        for name, data in slot_files("file5", "部屋, 4, PM 11:30").items():
            (night / name).write_bytes(data)
        game = start(night)
        pass_the_first_picture(reader, press, steps[0][1])
        print(f"heard all {len(steps)} prompts and their messages, the questions, the plates and"
              " pictures, and the first picture of the ending")
        return 0
    except Failure as failure:
        print("FAILED:", failure)
        if os.environ.get("WALK_SHOT"):
            subprocess.run(["import", "-window", "root", os.environ["WALK_SHOT"]], env=desktop.env)
        print((work / "velmora.log").read_text()[-3000:] if (work / "velmora.log").exists() else "")
        return 1
    finally:
        if game:
            end_process(game)
        end_process(bus)
        desktop.close()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
