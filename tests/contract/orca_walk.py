#!/usr/bin/python3
"""What Orca says of a blind player's evening with the window program, at a
reader's pace: Debian's Orca, through speech-dispatcher and espeak-ng into
ALSA's null device, on a private Xvfb with openbox and accessibility bus.
The player goes by keys alone, a key a second at most, hearing each message
out before going on (as long as Orca keeps a player waiting): the title, the
load refused, the name typed and corrected, the introduction and the first
visit, M and A, the invitation answered, a save in file1 with its details
read, its load, the story map with a hint, the history. Orca's own
transcript (its debug log) is then held against velmora-tty's trace of the
same answers: every message spoken whole once, in order, never twice; the
notices, the slot details and the hint with the words the game shows; how
to answer once after each question; no window's name and no key hint in
front of a message; the focus back where it was after the history.

    dbus-run-session -- orca_walk.py --program BUILD/velmora --tty BUILD/velmora-tty --data data
        [--transcript FILE]
"""

import argparse
import os
import pathlib
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

HERE = pathlib.Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))
sys.path.insert(0, str(HERE.parent / "web"))
from window_driver import Desktop  # noqa: E402
from browser import end_process  # noqa: E402
from screen_reader_walk import Failure, tty_waits  # noqa: E402

SKIP = 77
# A loaded machine; every wait is for an event, this only ends a hang.
PATIENCE = float(os.environ.get("WALK_PATIENCE", 120))
PACE = 1.0  # seconds from one key of the player's to the next, at the least
# How long a player waits to hear a question before answering it unheard,
# and a message before going on unheard.
QUESTION_PATIENCE = 20
MESSAGE_PATIENCE = 8
NAME, NICKNAME = "Ken", "Ryu"
# The decisions, as velmora-tty takes them and as the player's keys give them.
DECISIONS = [("no", ["n"]), ("yes", ["y"]), (f"{NAME}\t{NICKNAME}", None), ("yes", ["y"]),
             ("セーブ", None), ("file1", None), ("yes", ["y"]), ("ロード", None), ("file1", None),
             ("yes", ["y"])]
NOTICES = ["音楽を消しました", "音楽を戻しました", "自動送り：オン", "自動送り：オフ"]
NOTICE_KEYS = ["m", "m", "a", "a"]
# The first words of the message at which the player presses M and A.
NOTICES_AT = "久美：「何って、あんたに会いに来た"
HOW_TO_ANSWER = "Y で「はい」"
NEXT_HINT = "次のメッセージへ進みます"
NEXT_CAPTION = "Click !"
COMMANDS = set()  # the menu's, as velmora-tty lists them



def missing():
    """What the walk needs and the machine lacks."""
    for program in ("orca", "speech-dispatcher", "Xvfb", "openbox", "xdotool", "dbus-run-session"):
        if not shutil.which(program):
            return program
    if not pathlib.Path("/usr/lib/speech-dispatcher-modules/sd_espeak-ng").exists():
        return "speech-dispatcher-espeak-ng"
    try:
        import pyatspi  # noqa: F401
    except ImportError:
        return "python3-pyatspi"
    return None


def said(text):
    return " ".join(text.split())


def tty_steps(tty, data):
    """(prompt, message) for each wait velmora-tty meets with the walk's
    decisions, up to the room's list after the load."""
    waits = tty_waits(tty, data, [answer for answer, _ in DECISIONS],
                      ("CLICK?", "NEXT?", "YESNO?", "MENU?", "LIST?", "NAME?"))
    for line, _, _ in waits:
        if line.startswith("MENU?"):
            COMMANDS.update(line.split(" ", 1)[1].split("|"))
    return [(line.split(" ")[0], message) for line, message, _ in waits]


# Orca writes its debug log through a file's buffer, which would keep what
# it said last until more came: the test's own sitecustomize has Python
# write that file line by line, so the log is what Orca has said so far.
# Orca also looks for every other Orca of the user, on any desktop, and
# kills them (--replace) or will not start: this one, on a desktop and bus
# of its own, sees none, and another screen reader or test goes on.
LINE_BY_LINE = """
import builtins, os, subprocess
_open, _log = builtins.open, os.environ.get("VELMORA_ORCA_LOG")
def _line_by_line(file, mode="r", *args, **kwargs):
    if file == _log and "w" in mode and not args:
        kwargs.setdefault("buffering", 1)
    return _open(file, mode, *args, **kwargs)
builtins.open = _line_by_line
_Popen = subprocess.Popen
class _AloneOnItsDesktop(_Popen):
    def __init__(self, args, *more, **kwargs):
        if isinstance(args, str) and args.startswith("pgrep ") and args.endswith(" -x orca"):
            args = "true"
        super().__init__(args, *more, **kwargs)
subprocess.Popen = _AloneOnItsDesktop
"""


def answers(path):
    """A service listens on this socket."""
    import socket
    with socket.socket(socket.AF_UNIX) as client:
        try:
            client.connect(str(path))
            return True
        except OSError:
            return False


class Orca:
    """Orca with its speech into ALSA's null device and its debug log."""

    def __init__(self, env, work):
        self.log = work / "orca.log"
        self.heard, self.read_to, self.unread = [], 0, ""
        (work / "sitecustomize.py").write_text(LINE_BY_LINE)
        env = {**env, "PYTHONPATH": str(work), "VELMORA_ORCA_LOG": str(self.log)}
        config = work / "config" / "speech-dispatcher"
        config.mkdir(parents=True)
        (config / "speechd.conf").write_text(
            pathlib.Path("/etc/speech-dispatcher/speechd.conf").read_text() +
            'AudioOutputMethod "alsa"\nAudioALSADevice "null"\n')
        subprocess.run(["gsettings", "set", "org.gnome.desktop.a11y.applications",
                        "screen-reader-enabled", "true"], env=env, capture_output=True)
        # The speech service started and ready before Orca: Orca gives up
        # after ten seconds of starting it itself, which espeak-ng's thousands
        # of voices take on a loaded machine.
        # It answers on its socket only once its synthesizer has started, and
        # stays without a client until the walk ends it (Orca itself may take
        # longer to start than it would wait).
        socket = pathlib.Path(env["XDG_RUNTIME_DIR"]) / "speech-dispatcher" / "speechd.sock"
        subprocess.run(["speech-dispatcher", "--spawn", "--timeout", "0", "--communication-method",
                        "unix_socket", "--socket-path", str(socket)],
                       env=env, capture_output=True, timeout=PATIENCE)
        end = time.monotonic() + PATIENCE
        while not answers(socket):
            if time.monotonic() > end:
                raise Failure("the speech service never answered")
            time.sleep(0.1)
        self.process = subprocess.Popen(["orca", f"--debug-file={self.log}"], env=env,
                                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.env = env
        self.wait_for("Orca's welcome", lambda: self.spoken())

    def text(self):
        return self.log.read_text(errors="replace") if self.log.exists() else ""

    def spoken(self):
        """What Orca sent to speech so far, in order: (time, words), the
        words with their lines as the log keeps them."""
        if self.log.exists():
            with open(self.log, "rb") as log:
                log.seek(self.read_to)
                more = log.read()
            self.read_to += len(more)
            self.unread += more.decode(errors="replace")
        end = 0
        for match in re.finditer(r"^(\d\d):(\d\d):(\d\d\.\d+) - SPEECH OUTPUT: '(.*?)' ?(?:\{| voice=)",
                                 self.unread, re.M | re.S):
            h, m, s, words = match.groups()
            words = re.sub(r"\n {10,}", "\n", words)
            self.heard.append((int(h) * 3600 + int(m) * 60 + float(s), words))
            end = match.end()
        # An utterance not yet whole in the log stays to be read with the rest.
        begun = self.unread.find("SPEECH OUTPUT:", end)
        self.unread = self.unread[self.unread.rfind("\n", 0, begun) + 1:] if begun >= 0 else ""
        return list(self.heard)

    def keys(self):
        """The keys Orca saw pressed: (time of day, as its speech has it; key)."""
        found = []
        for name, t in re.findall(r"type=ATSPI_KEY_PRESSED_EVENT.*?keyval_name=\((.*?)\).*?time=(\d+\.\d+)",
                                  self.text(), re.S):
            local = time.localtime(float(t))
            found.append((local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec + float(t) % 1, name))
        return found

    def wait_for(self, what, test):
        end = time.monotonic() + PATIENCE
        while not test():
            if time.monotonic() > end:
                raise Failure(f"Orca never said {what}")
            time.sleep(0.1)


class Game:
    """The window program as the test reaches it: the accessibility events,
    read to know when the game waits, and keys through the X server."""

    def __init__(self, desktop):
        import pyatspi
        from gi.repository import GLib
        self.pyatspi, self.context = pyatspi, GLib.MainContext.default()
        self.desktop = desktop
        self.last_key = 0.0
        self.events = []  # (type, role, name) in order
        self.mark = 0  # the events before the player's last key
        self.label = None
        for kind in ("focus:", "window:activate"):
            pyatspi.Registry.registerEventListener(self.heard, kind)

    def heard(self, event):
        try:
            self.events.append((event.type, event.source.getRoleName(), event.source.name or ""))
        except Exception:  # gone before it was read
            pass

    def wait(self, what, test, after):
        """The index of the first event from `after` on that passes the test."""
        end = time.monotonic() + PATIENCE
        while time.monotonic() < end:
            for i in range(after, len(self.events)):
                if test(*self.events[i]):
                    return i
            self.context.iteration(False)
            time.sleep(0.01)
        raise Failure(f"the game never showed {what}; last: {self.events[-5:]}")

    def focus(self, what, role, name=None, after=0):
        return self.wait(what, lambda kind, r, n: kind.startswith("focus") and r == role and
                         (name is None or n == name), after)

    def app(self):
        desktop = self.pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app and app.name == "velmora" and app.childCount:
                return app
        return None

    def tree(self, node):
        if node is None:
            return
        yield node
        for i in range(node.childCount):
            child = node.getChildAtIndex(i)
            if child:
                yield from self.tree(child)

    def find(self, what, test, patience=PATIENCE):
        end = time.monotonic() + patience
        while time.monotonic() < end:
            try:
                found = [n for n in self.tree(self.app()) if test(n)]
            except Exception:  # an object gone while the tree was read
                found = []
            if found:
                return found[0]
            self.context.iteration(False)
            time.sleep(0.05)
        raise Failure(f"the game never showed {what}")

    def wait_message(self, text):
        if self.label is None:
            self.label = self.find("the message window", lambda n: n.getRoleName() == "label" and
                                   (n.description or "").startswith("物語のメッセージ"))
        end = time.monotonic() + PATIENCE
        while said(self.label.name or "") != said(text):
            if time.monotonic() > end:
                raise Failure(f"the message never became {text!r}: {self.label.name!r}")
            self.context.iteration(False)
            time.sleep(0.02)

    def press(self, *keys):
        for key in keys:
            self.pace()
            if os.environ.get("WALK_VERBOSE"):
                print(f"{time.monotonic():.1f} key {key}; focus {self.events[-1:]}", flush=True)
            subprocess.run(["xdotool", "key", key], env=self.desktop.env, check=True)

    def type(self, text):
        self.pace()
        subprocess.run(["xdotool", "type", "--delay", "120", text], env=self.desktop.env, check=True)

    def pace(self):
        while time.monotonic() < self.last_key + PACE:
            self.context.iteration(False)
            time.sleep(0.01)
        self.last_key = time.monotonic()
        self.mark = len(self.events)


def heard(orca, words, since, after=None, patience=QUESTION_PATIENCE):
    """Orca has said the words since the utterance `since` (and after
    saying `after`, if given), or the player, having waited a while for
    them, goes on without."""
    end = time.monotonic() + patience
    while time.monotonic() < end:
        spoken = [said(u) for _, u in orca.spoken()[since:]]
        if after:
            spoken = spoken[next((i for i, u in enumerate(spoken) if said(after) in u), len(spoken)):]
        if any(said(words) in u for u in spoken):
            return
        time.sleep(0.1)


def walk(game, orca, steps, seen):
    """The evening by keys, at the player's pace; `seen` keeps the words the
    game showed for its slot details and hint."""
    decisions = list(DECISIONS)
    spoken = 0
    for prompt, message in steps[:-1]:
        mark = game.mark
        if os.environ.get("WALK_VERBOSE"):
            print(f"{time.monotonic():.1f} {prompt} {message[:30]!r}", flush=True)
        if prompt == "CLICK?":
            game.find("the title", lambda n: n.getRoleName() == "label" and
                      n.getState().contains(game.pyatspi.STATE_FOCUSED))
            heard(orca, message, 0)  # the title's message
            spoken = len(orca.spoken())
            game.press("Return")
            continue
        game.wait_message(message)
        if prompt == "NEXT?":
            # The player hears the message out before going on, as long as
            # Orca keeps the player waiting.
            heard(orca, message.split("\n")[0], spoken, patience=MESSAGE_PATIENCE)
            spoken = len(orca.spoken())
            if message.startswith(NOTICES_AT):
                game.press(*NOTICE_KEYS)
            game.press("Return")
            continue
        answer, keys = decisions.pop(0)
        if prompt == "YESNO?":
            game.focus("the question", "push button", "ＹＥＳ", mark)
            heard(orca, "ＹＥＳ", spoken)
            spoken = len(orca.spoken())
            game.press(*keys)
        elif prompt == "NAME?":
            game.focus("the name's box", "text", None, mark)
            heard(orca, "text.", spoken)  # the box the focus came to
            game.type(NAME[:-1] + "m")  # a slip, corrected
            game.press("BackSpace")
            game.type(NAME[-1])
            game.press("Tab")
            game.type(NICKNAME)
            game.press("Return")
        elif prompt == "MENU?":
            choose_command(game, answer, mark)
        elif prompt == "LIST?":
            game.focus("the list", "list", None, mark)
            seen.append(("details", slot_details(game)))
            heard(orca, message.split("\n")[0], spoken)  # the list's question first
            spoken = len(orca.spoken())
            game.press("Down")
            heard(orca, "file1", spoken)  # and its details, before the player goes on
            game.press("Tab", "Return")
    mark = game.mark
    game.wait_message(steps[-1][1])
    comforts_at_the_end(game, orca, steps[-1][1], seen, mark)


def in_menu(kind, role, name):
    return kind.startswith("focus") and role == "push button" and name in COMMANDS


def choose_command(game, command, mark):
    """↓ until the command has the focus (Enter acts only once it moved)."""
    at = game.wait("the menu", in_menu, mark)
    for _ in range(20):
        game.press("Down")
        at = game.wait("the focus moved in the menu", in_menu, at + 1)
        if game.events[at][2] == command:
            game.press("Return")
            return
    raise Failure(f"↓ never came to {command}")


def slot_details(game):
    """The first slot's details, as the panel beside the list shows them."""
    panel = game.find("the slot details", lambda n: n.name == "セーブデータの内容", patience=10)
    text = panel.description or ""
    if not text:
        try:
            t = panel.queryText()
            text = t.getText(0, t.characterCount)
        except Exception:
            text = ""
    first = text.split("\n")[0] if text else ""
    return said(first.removeprefix("file1"))


def comforts_at_the_end(game, orca, message, seen, mark):
    """Where the walk ends (the room's list, after the load), once the
    player has heard it: the story map with a hint, then the history; each
    closed by Escape."""
    game.wait("the room's list", lambda kind, role, name: kind.startswith("focus"), mark)
    heard(orca, message.split("\n")[0], 0)
    mark, spoken = len(game.events), len(orca.spoken())
    game.press("s")
    game.wait("the story map", lambda kind, r, n: kind.startswith("window:activate") and
              n == "ストーリーマップ", mark)
    heard(orca, "ストーリーマップ", spoken)
    game.press("End", "Return")  # the digest's row, not seen on this evening
    try:
        hint = game.find("a hint", lambda n: n.getRoleName() == "label" and
                         (n.name or "").startswith("ヒント："), patience=15)
        seen.append(("hint", hint.name))
        heard(orca, hint.name, spoken)  # the player hears it out
    except Failure:
        seen.append(("hint", None))
    game.press("Escape")
    mark = len(game.events)
    spoken = len(orca.spoken())
    game.press("h")
    game.wait("the history", lambda kind, r, n: kind.startswith("window:activate") and n == "履歴", mark)
    heard(orca, message.split("\n")[0], spoken, after="履歴")  # the newest message, read first
    game.press("Escape")


def told_messages(steps):
    """The messages a screen reader must hear: each NEXT's, and each other
    window's where it is not the one just told (a question of the story)."""
    return [message for (prompt, message), (_, before) in zip(steps[1:], steps)
            if prompt == "NEXT?" or message != before]


def held_against(utterances, steps, seen, orca_log):
    """What Orca said, against what the game showed; the verdicts."""
    flat = [said(words) for _, words in utterances]
    # The messages are counted up to the story map; the history reads again.
    story_map = next((i for i, u in enumerate(flat) if "ストーリーマップ" in u), len(flat))
    evening = flat[:story_map]
    verdicts = []

    def check(ok, what):
        verdicts.append((ok, what))

    messages = told_messages(steps)
    lines = {m: [said(line) for line in m.split("\n") if line.strip()] for m in messages}
    lost, doubled, first = [], [], []
    for message in dict.fromkeys(messages):
        whole = [i for i, u in enumerate(evening) if all(line in u for line in lines[message])]
        heard = max(sum(u.count(line) for u in evening) for line in lines[message])
        if not whole:
            lost.append(message)
        elif heard > messages.count(message):
            doubled.append(message)
        first.append(whole[0] if whole else None)
    late = [m for m, before, now in zip(list(dict.fromkeys(messages))[1:], first, first[1:])
            if before is not None and now is not None and now < before]
    check(not lost, f"every message spoken whole: {len(messages) - len(lost)} of {len(messages)}" +
          (f"; lost: {lost}" if lost else ""))
    check(not doubled, "no message spoken twice" + (f"; doubled: {doubled}" if doubled else ""))
    check(not late, "the messages in order" + (f"; out of order: {late}" if late else ""))
    for words in NOTICES:
        check(any(words in u for u in flat), f"the notice {words} spoken")
    for kind, words in seen:
        if kind == "details":
            check(bool(words) and any(words in u for u in flat),
                  f"the slot's details spoken with its entry: {words!r}")
        if kind == "hint":
            check(bool(words) and len(words) > len("ヒント：") and any(said(words) in u for u in flat),
                  f"the hint shown by Enter and spoken: {words!r}")
    questions = sum(1 for prompt, _ in steps[:-1] if prompt == "YESNO?")
    told = sum(u.count(HOW_TO_ANSWER) for u in flat)
    check(told == questions, f"how to answer told once at each of the {questions} questions ({told})")
    noise = [u for u in flat if NEXT_CAPTION in u]
    check(not noise, f"no NEXT window's name spoken ({len(noise)} times)")
    hints = sum(u.count(NEXT_HINT) for u in flat)
    check(hints == 1, f"NEXT's key hint once ({hints})")
    # After the history closes, Orca's focus is in the list again, not on the main window.
    focus = re.findall(r"Changing locusOfFocus from .*? to (\[.*?\])", orca_log)
    check(bool(focus) and focus[-1].startswith("[list"),
          f"the focus back in the list after the history: {focus[-1] if focus else None}")
    check(any(re.match(r"名前 .*text", u) for u in flat), "the name's box named 名前")
    history = next((i for i, u in enumerate(flat) if u.startswith("履歴")), len(flat))
    newest = said(steps[-1][1].split("\n")[0])
    closed = next((i for i in range(history, len(flat)) if flat[i].startswith("escape")), len(flat))
    check(any(newest in u for u in flat[history + 1:closed]), "the history read from its newest message")
    return verdicts


def latencies(orca, utterances, steps):
    """Seconds from each Return to the message it brought, spoken."""
    messages = [said(m) for prompt, m in steps if prompt == "NEXT?"]
    returns = [t for t, key in orca.keys() if key == "Return"]
    found = []
    for message in messages:
        spoken = next((t for t, words in utterances if message in said(words)), None)
        pressed = [t for t in returns if spoken is not None and t <= spoken]
        if spoken is not None and pressed:
            found.append(spoken - pressed[-1])
    return found


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", required=True)
    parser.add_argument("--tty", required=True)
    parser.add_argument("--data", required=True)
    parser.add_argument("--transcript", help="write what Orca said here")
    args = parser.parse_args()
    lacking = missing()
    if lacking:
        print(f"SKIPPED: {lacking} is not installed (tools/setup.sh installs it)")
        return SKIP
    if "DBUS_SESSION_BUS_ADDRESS" not in os.environ:
        sys.exit("run me under dbus-run-session")
    steps = tty_steps(os.path.abspath(args.tty), args.data)

    desktop = Desktop(1280, 800)
    work = pathlib.Path(tempfile.mkdtemp(prefix="velmora-orca-"))
    runtime = work / "runtime"
    runtime.mkdir(mode=0o700)
    env = {**desktop.env, "HOME": str(work), "XDG_CONFIG_HOME": str(work / "config"),
           "XDG_DATA_HOME": str(work / "data"), "XDG_RUNTIME_DIR": str(runtime)}
    bus = subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"], env=env,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    orca = program = None
    try:
        os.environ["DISPLAY"] = desktop.display
        orca = Orca(env, work)
        folder = work / "game"
        shutil.copytree(args.data, folder, ignore=shutil.ignore_patterns("design"))
        shutil.copy(folder / "story" / "storymap.txt", folder)  # the story map's words
        program = subprocess.Popen([os.path.abspath(args.program)], cwd=folder,
                                   env={**env, "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1", "QT_QPA_PLATFORM": "xcb"},
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        game = Game(desktop)
        seen, walked = [], []
        started = time.monotonic()
        try:
            walk(game, orca, steps, seen)
            # The player has heard the walk out once Orca has read the list
            # again after the history.
            last = said(steps[-1][1].split("\n")[0])
            def list_again():
                words = [u for _, u in orca.spoken()]
                history = max((i for i, u in enumerate(words) if u.startswith("履歴")), default=len(words))
                closed = next((i for i in range(history, len(words)) if words[i].startswith("escape")),
                              len(words))
                again = [said(u) for u in words[closed + 1:]]
                return any(last in u for u in again) and any(u.startswith("List with") for u in again)
            orca.wait_for("the list again after the history", list_again)
            walked.append((True, f"the walk by keys, at most a key a second ({time.monotonic() - started:.0f} s)"))
        except Failure as failure:
            walked.append((False, f"the walk: {failure}"))
        utterances = orca.spoken()
        verdicts = walked + held_against(utterances, steps, seen, orca.text())
        waits = latencies(orca, utterances, steps)
        if args.transcript:
            start = utterances[0][0] if utterances else 0
            pathlib.Path(args.transcript).write_text(
                "".join(f"{t - start:7.2f} {words!r}\n" for t, words in utterances))
        for ok, what in verdicts:
            print(("ok      " if ok else "FAILED  ") + what)
        if waits:
            print(f"from Return to the message spoken: median {statistics.median(waits):.2f} s, "
                  f"longest {max(waits):.2f} s, over {len(waits)} messages")
        return 0 if all(ok for ok, _ in verdicts) else 1
    except Failure as failure:
        print("FAILED:", failure)
        return 1
    finally:
        if program:
            end_process(program)
        if orca:
            end_process(orca.process)
        speechd = runtime / "speech-dispatcher" / "pid" / "speech-dispatcher.pid"
        if speechd.exists():
            try:
                os.kill(int(speechd.read_text()), 15)
            except (ProcessLookupError, ValueError):
                pass
        end_process(bus)
        desktop.close()
        if not os.environ.get("WALK_KEEP"):
            shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
