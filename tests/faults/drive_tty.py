#!/usr/bin/env python3
"""Plays velmora-tty in a folder with scripted decisions, as the engine tests'
harness does: CLICK?, NEXT? and PICTURE? are clicked, every other prompt
(YESNO?, NAME?, LIST?, MENU?) takes the next decision; when the decisions run
out the input ends (the main window closes). The trace goes to stdout.

    drive_tty.py [--wrap 'valgrind ...'] VELMORA_TTY FOLDER DECISION...
"""
import shlex
import subprocess
import sys

AUTO = ("CLICK?", "NEXT?")


def is_prompt(line):
    return line in AUTO or line in ("YESNO?", "NAME?") or line.startswith(
        ("LIST? ", "MENU? ", "PICTURE? ")) or line == "LIST?"


def main(argv):
    wrap = []
    if len(argv) > 2 and argv[1] == "--wrap":
        wrap = shlex.split(argv[2])
        argv = [argv[0]] + argv[3:]
    tty, folder, decisions = argv[1], argv[2], list(argv[3:])
    game = subprocess.Popen(wrap + [tty], cwd=folder, stdin=subprocess.PIPE,
                            stdout=subprocess.PIPE, text=True, encoding="utf-8",
                            errors="replace")
    for raw in game.stdout:
        line = raw.rstrip("\n")
        print(line, flush=True)
        if not is_prompt(line) or game.stdin.closed:
            continue
        if line in AUTO or line.startswith("PICTURE? "):
            answer = ""
        elif decisions:
            answer = decisions.pop(0)
        else:
            game.stdin.close()
            continue
        game.stdin.write(answer + "\n")
        game.stdin.flush()
    return game.wait()


if __name__ == "__main__":
    sys.exit(main(sys.argv))
