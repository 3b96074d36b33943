#!/usr/bin/env python3
"""Two copies of velmora-tty in one folder confirm a save into file1 at the
same moment, run after run, into an empty slot and over an old one. Game A
has turned the music off and is named A, game B is named B, so their saves
differ in both files. After every run the slot must be wholly one game's
save (or, when neither saved, as it was), the game whose save is there must
have said "saved", a game that said it could not save must not be there,
and the folder must hold no file the games did not mean to leave.

    two_games.py VELMORA_TTY DATA_DIR [RUNS]

RUNS (default 50, or VELMORA_TWO_GAMES_RUNS) runs of each case.
"""
import os
import shutil
import subprocess
import sys
import tempfile

SAVED = "MSG file1 にセーブしました。"
FAILED = "MSG ＜file1 にセーブできませんでした。"
CONFIRM = "MSG file1 にセーブします。よろしいですか？"


class Game:
    """One velmora-tty, driven line by line."""

    def __init__(self, tty, folder, decisions):
        self.proc = subprocess.Popen([tty], cwd=folder, stdin=subprocess.PIPE,
                                     stdout=subprocess.PIPE, text=True, encoding="utf-8")
        self.decisions = list(decisions)
        self.lines = []

    def line(self):
        raw = self.proc.stdout.readline()
        if not raw:
            raise RuntimeError("velmora-tty ended early:\n" + "\n".join(self.lines[-10:]))
        self.lines.append(raw.rstrip("\n"))
        return self.lines[-1]

    def answer(self, text):
        self.proc.stdin.write(text + "\n")
        self.proc.stdin.flush()

    def until_confirmation(self):
        """Plays up to the YESNO? of the save's confirmation."""
        while True:
            line = self.line()
            if line == "YESNO?" and self.lines[-2] == CONFIRM:
                return
            if line in ("CLICK?", "NEXT?"):
                self.answer("")
            elif line in ("YESNO?", "NAME?") or line.startswith(("LIST?", "MENU?")):
                self.answer(self.decisions.pop(0))

    def result(self):
        """The message that follows the confirmation; then the game is closed."""
        while True:
            line = self.line()
            if line.startswith("MSG "):
                self.proc.stdin.close()
                self.proc.stdout.read()
                self.proc.wait()
                return line


def decisions(name, music_off):
    # no load at the start, names, Kumi's invitation declined, then the menu
    return (["no", "yes", name + "\tニック", "no"] + (["BGM", "no"] if music_off else [])
            + ["セーブ", "file1"])


GAMES = {"A": decisions("A", True), "B": decisions("B", False)}


def old_slot(folder):
    flags = [0] * 135
    flags[123], flags[124], flags[125], flags[126], flags[127], flags[128] = 1, 2, 30, 2, 4, 1
    with open(os.path.join(folder, "file1"), "wb") as f:
        f.write("".join(f"{v}\r\n" for v in flags).encode())
    with open(os.path.join(folder, "file1_text"), "wb") as f:
        f.write('"部屋","OLD","リュウ君"\r\n'.encode("cp932"))


def slot(folder):
    try:
        return tuple(open(os.path.join(folder, n), "rb").read() for n in ("file1", "file1_text"))
    except FileNotFoundError:
        return None


def fresh_folder(data, with_old):
    folder = tempfile.mkdtemp(prefix="two-games-")
    for name in os.listdir(data):
        if name.endswith(".dat"):
            shutil.copy(os.path.join(data, name), folder)
    if with_old:
        old_slot(folder)
    return folder


def alone(tty, data, tag):
    """The slot game `tag` writes when it is the only game."""
    folder = fresh_folder(data, False)
    game = Game(tty, folder, GAMES[tag])
    game.until_confirmation()
    game.answer("yes")
    assert game.result() == SAVED, game.lines[-5:]
    saved = slot(folder)
    shutil.rmtree(folder)
    return saved


def race(tty, data, with_old, expected):
    folder = fresh_folder(data, with_old)
    before = set(os.listdir(folder))
    old = slot(folder)
    games = {tag: Game(tty, folder, d) for tag, d in GAMES.items()}
    for g in games.values():
        g.until_confirmation()
    for g in games.values():  # both YES at the same moment
        g.answer("yes")
    said = {tag: g.result() for tag, g in games.items()}
    now = slot(folder)
    left = set(os.listdir(folder))
    shutil.rmtree(folder)

    problems = []
    holder = next((tag for tag, s in expected.items() if s == now), None)
    if holder is None and now != old:
        problems.append("the slot is no game's whole save")
    if holder is not None and said[holder] != SAVED:
        problems.append(f"{holder}'s save is there but it said: {said[holder]}")
    for tag, message in said.items():
        if message != SAVED and not message.startswith(FAILED):
            problems.append(f"{tag} said: {message}")
    if holder is None and SAVED in said.values():
        problems.append("a game said saved, but its save is not there")
    if left - before - {"file1", "file1_text"}:
        problems.append(f"left behind: {sorted(left - before)}")
    return problems, said


def main(argv):
    tty, data = os.path.abspath(argv[1]), argv[2]
    runs = int(argv[3] if len(argv) > 3 else os.environ.get("VELMORA_TWO_GAMES_RUNS", 50))
    expected = {tag: alone(tty, data, tag) for tag in GAMES}
    assert expected["A"] != expected["B"]
    failures = 0
    for with_old in (False, True):
        both = refused = bad = 0
        for run in range(runs):
            problems, said = race(tty, data, with_old, expected)
            both += all(m == SAVED for m in said.values())
            refused += sum(m != SAVED for m in said.values())
            if problems:
                bad += 1
                print(f"run {run} ({'over an old slot' if with_old else 'empty slot'}): "
                      + "; ".join(problems))
        case = "over an old slot" if with_old else "into an empty slot"
        print(f"two games saving {case}: {runs} runs, both saved in {both}, "
              f"{refused} saves refused, {bad} runs wrong")
        failures += bad
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
