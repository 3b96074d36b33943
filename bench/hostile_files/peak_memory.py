#!/usr/bin/env python3
"""Peak memory of velmora-tty over files too large to be anything the game
wrote: each case runs the game once in a fresh folder (the shipped scenario
files, then the case's file) and reports the peak resident set size of the
game's process (VmHWM, read while the game waits for its last answer; the
rusage of a child counts the memory of the Python that started it).

    bench/hostile_files/peak_memory.py VELMORA_TTY [DATA_DIR]
"""
import os
import shutil
import subprocess
import sys
import tempfile

LOAD = ["yes", "file1", "yes"]  # load file1 at the start
NEW_GAME = ["no", "no", "no"]  # the introduction reads kumi01.dat


def peak_kib(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    return 0


def play(tty, folder, decisions):
    """Plays until the decisions run out; returns the peak RSS in KiB."""
    peak = 0
    game = subprocess.Popen([tty], cwd=folder, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                            text=True, encoding="utf-8", errors="replace")
    decisions = list(decisions)
    for raw in game.stdout:
        line = raw.rstrip("\n")
        if game.stdin.closed:
            continue
        if line in ("CLICK?", "NEXT?") or line.startswith("PICTURE? "):
            game.stdin.write("\n")
        elif line in ("YESNO?", "NAME?") or line.startswith(("LIST?", "MENU?")):
            if not decisions:
                peak = peak_kib(game.pid)
                game.stdin.close()
                continue
            game.stdin.write(decisions.pop(0) + "\n")
        else:
            continue
        game.stdin.flush()
    game.wait()
    return peak


def write(path, size, unit):
    with open(path, "wb") as f:
        block = unit * ((1 << 20) // len(unit))
        while size > 0:
            f.write(block[:size])
            size -= len(block)


def slot(folder):
    flags = [0] * 135
    flags[123], flags[124], flags[126], flags[127] = 1, 2, 2, 4
    with open(os.path.join(folder, "file1"), "wb") as f:
        f.write("".join(f"{v}\r\n" for v in flags).encode())
    with open(os.path.join(folder, "file1_text"), "wb") as f:
        f.write('"部屋","佐々木","リュウ君"\r\n'.encode("cp932"))


MiB = 1 << 20
CASES = [
    ("a good slot, loaded (for comparison)", LOAD, lambda d: slot(d)),
    ("flag file of 256 MiB of line feeds", LOAD,
     lambda d: (slot(d), write(os.path.join(d, "file1"), 256 * MiB, b"\n"))),
    ("flag file that is a link to /dev/zero", LOAD,
     lambda d: (slot(d), os.remove(os.path.join(d, "file1")),
                os.symlink("/dev/zero", os.path.join(d, "file1")))),
    ("\"_text\" file of 256 KiB, one long name (the largest read)", LOAD,
     lambda d: (slot(d), write(os.path.join(d, "file1_text"), 256 * 1024 - 8, b"\x82\xa0"),
                open(os.path.join(d, "file1_text"), "r+b").write(b'"a","b","'))),
    ("the shipped kumi01.dat, a new game (for comparison)", NEW_GAME, lambda d: None),
    ("kumi01.dat of 100 MiB", NEW_GAME,
     lambda d: write(os.path.join(d, "kumi01.dat"), 100 * MiB, b"a\r\n")),
    ("kumi01.dat of 4 MiB of commas (the largest read)", NEW_GAME,
     lambda d: write(os.path.join(d, "kumi01.dat"), 4 * MiB, b",")),
    ("kumi01.dat of 4 MiB of half-width katakana (3 bytes each decoded)", NEW_GAME,
     lambda d: write(os.path.join(d, "kumi01.dat"), 4 * MiB, b"\xb1")),
]


def main(argv):
    tty = os.path.abspath(argv[1])
    data = argv[2] if len(argv) > 2 else os.path.join(os.path.dirname(__file__), "../../data")
    print("| case | peak resident memory |")
    print("|---|---|")
    for what, decisions, prepare in CASES:
        folder = tempfile.mkdtemp(prefix="velmora-peak-")
        try:
            for name in os.listdir(data):
                if name.endswith(".dat"):
                    shutil.copy(os.path.join(data, name), folder)
            prepare(folder)
            peak = play(tty, folder, decisions)
        finally:
            shutil.rmtree(folder)
        print(f"| {what} | {peak / 1024:.1f} MiB |")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
