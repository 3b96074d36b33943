#!/usr/bin/python3
"""The walls the build cannot see, checked over the sources.

- The game (shell/, world/, presentation/, places/, finale/) includes no Qt
  header and no platform implementation, and touches no file, stream or
  process of its own: files go through platform/files.h, sound through
  platform/sound.h, everything else through platform/platform.h.
- No platform file includes a header of the game.
- No C++ file names a story flag by its number: only world/flags.h numbers
  them, and the slot reader and writer (world/slot_format.*) write them in
  that order.

Run from the repository's root; prints every breach and exits 1 if any.
"""
import pathlib
import re
import sys

ENGINE = ("shell", "world", "presentation", "places", "finale")
ENGINE_FORBIDDEN = [
    (r'#include\s*<Q', "a Qt header"),
    (r'#include\s*"platform/(qt/|posix_files|trace_platform)', "a platform implementation"),
    (r'#include\s*<(fstream|filesystem|cstdio|stdio\.h|fcntl\.h|unistd\.h|dirent\.h)>',
     "file or stream access outside the file interface"),
    (r'\b(fopen|freopen|fread|fwrite|popen|opendir|getenv|system)\s*\(',
     "file, stream or process access outside the platform"),
    (r'(?<![\w.>])open\s*\(', "file access outside the file interface"),
    (r'\b(std::)?(i|o)?fstream\b|std::filesystem|std::(cout|cerr|cin)\b|\bprintf\s*\(',
     "file or stream access outside the file interface"),
]
PLATFORM_FORBIDDEN = [
    (r'#include\s*"(shell|world|presentation|places|finale|app|tools|tests)/', "a header of the game"),
]
RAW_FLAG = re.compile(
    r'\b(F|flag|flags|Flags|finalFlags)\s*(\[|\(|\.at\()\s*-?\d'
    r'|\bFlag\s*[({]\s*-?\d|static_cast<Flag>\(\s*-?\d')
FLAG_NUMBERING = {"world/flags.h", "world/slot_format.h", "world/slot_format.cpp"}


def sources(*folders):
    for folder in folders:
        for path in sorted(pathlib.Path(folder).rglob("*")):
            if path.suffix in (".cpp", ".h", ".in") and path.is_file():
                yield path


def check(paths, rules, breaches):
    for path in paths:
        for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
            for pattern, what in rules:
                if re.search(pattern, line):
                    breaches.append(f"{path}:{number}: {what}: {line.strip()}")


def main():
    breaches = []
    check(sources(*ENGINE), ENGINE_FORBIDDEN, breaches)
    check(sources("platform"), PLATFORM_FORBIDDEN, breaches)
    code = [p for p in sources(*ENGINE, "platform", "app", "tools", "tests", "bench")
            if str(p) not in FLAG_NUMBERING]
    check(code, [(RAW_FLAG.pattern, "a story flag by its number, not its name")], breaches)
    for breach in breaches:
        print(breach)
    print(f"walls: {len(breaches)} breaches")
    return 1 if breaches else 0


if __name__ == "__main__":
    sys.exit(main())
