#!/usr/bin/python3
"""The walls between the parts of the game, checked where they can be walked
around (docs/architecture.md).

  /usr/bin/python3 tools/check_walls.py --walls BUILD/walls --engine LIB.a...

- Includes: every quoted include of a library is resolved as the compiler
  would, but never beside the file that includes it: against the folders
  the library is built with, its own root of what it may see among them
  (BUILD/walls/TARGET.sees, written by velmora_sees in cmake/walls.cmake).
  An include found only beside the file, or one that climbs with "..",
  is a breach; so is ".." in any quoted include of the tree.
- Calls: the game (the engine libraries given) touches no file, stream,
  process or the environment of its own, and nothing of Qt: the symbols
  its objects leave undefined, as nm lists them, name none of those.
- No C++ file names a story flag by its number: only world/flags.h numbers
  them, and the slot reader and writer (world/slot_format.*) write them in
  that order.

Run from the repository's root; prints every breach and exits 1 if any.
"""
import argparse
import os
import pathlib
import re
import subprocess
import sys

CODE = ("shell", "world", "presentation", "places", "finale", "platform", "player", "replay",
        "backends", "app", "tools", "tests", "bench")
QUOTED = re.compile(r'^\s*#\s*include\s*"([^"]+)"')
RAW_FLAG = re.compile(
    r'\b(F|flag|flags|Flags|finalFlags)\s*(\[|\(|\.at\()\s*-?\d'
    r'|\bFlag\s*[({]\s*-?\d|static_cast<Flag>\(\s*-?\d')
FLAG_NUMBERING = {"world/flags.h", "world/slot_format.h", "world/slot_format.cpp"}

# What the game may not call itself: the platform does it (platform/files.h,
# platform/sound.h, platform/platform.h).
FORBIDDEN_CALLS = {
    "files": {"fopen", "fopen64", "freopen", "freopen64", "fdopen", "fclose", "fread", "fwrite",
              "fgets", "fputs", "fgetc", "fputc", "fflush", "fseek", "ftell", "open", "open64",
              "openat", "openat64", "creat", "creat64", "read", "write", "pread", "pread64",
              "pwrite", "pwrite64", "lseek", "lseek64", "close", "stat", "stat64", "lstat",
              "lstat64", "fstat", "fstat64", "fstatat", "fstatat64", "access", "faccessat",
              "rename", "renameat", "renameat2", "remove", "unlink", "unlinkat", "link",
              "linkat", "symlink", "symlinkat", "mkdir", "mkdirat", "rmdir", "opendir",
              "fdopendir", "readdir", "readdir64", "chdir", "getcwd", "truncate", "ftruncate",
              "tmpfile", "mkstemp", "flock", "fcntl", "mmap", "mmap64"},
    "streams": {"printf", "fprintf", "vprintf", "vfprintf", "puts", "putchar", "perror",
                "scanf", "fscanf", "getchar", "stdin", "stdout", "stderr"},
    "processes": {"system", "popen", "pclose", "fork", "vfork", "execl", "execlp", "execle",
                  "execv", "execvp", "execvpe", "execve", "posix_spawn", "posix_spawnp",
                  "dlopen", "kill", "raise", "exit", "_exit", "abort", "socket", "connect"},
    "the environment": {"getenv", "secure_getenv", "setenv", "unsetenv", "putenv",
                        "clearenv"},
}
FORBIDDEN_NAMES = [
    (re.compile(r"\bstd::(__cxx11::)?(filesystem|experimental::filesystem)::"), "files"),
    (re.compile(r"\bstd::(basic_(i|o)?fstream|basic_filebuf)<"), "files"),
    (re.compile(r"\bstd::(w)?(cout|cerr|cin|clog)\b"), "streams"),
    (re.compile(r"^(Q[A-Z]\w*|qt_\w+|q[A-Z]\w+)\b"), "Qt"),
]


def sources(*folders):
    for folder in folders:
        for path in sorted(pathlib.Path(folder).rglob("*")):
            if path.suffix in (".cpp", ".h", ".in") and path.is_file():
                yield path


def lines(path):
    try:
        return pathlib.Path(path).read_text(encoding="utf-8").splitlines()
    except (OSError, UnicodeDecodeError):
        return []


def check_lines(paths, pattern, what, breaches):
    for path in paths:
        for number, line in enumerate(lines(path), 1):
            if re.search(pattern, line):
                breaches.append(f"{path}:{number}: {what}: {line.strip()}")


def read_sees(path):
    """The library's source folder, its sources and its include folders."""
    origin, files, folders = "", [], []
    for line in lines(path):
        kind, _, value = line.partition(" ")
        if kind == "from":
            origin = value
        elif kind == "source" and value:
            files.append(value)
        elif kind == "folder" and value:
            folders.append(value)
    return origin, [os.path.normpath(os.path.join(origin, f)) for f in files], folders


def check_library(target, sees, breaches):
    """Every quoted include, followed through the headers it brings in."""
    _, files, folders = read_sees(sees)
    tree = os.path.realpath(".") + os.sep
    seen = set()
    pending = [f for f in files if f.endswith((".cpp", ".h", ".in"))]
    while pending:
        path = pending.pop()
        real = os.path.realpath(path)
        # What a build writes (moc's files, the design's pixels) is not the tree's.
        if real in seen or not real.startswith(tree) or real[len(tree):].startswith("build"):
            continue
        seen.add(real)
        for number, line in enumerate(lines(path), 1):
            match = QUOTED.match(line)
            if not match:
                continue
            name = match.group(1)
            where = f"{os.path.relpath(real)}:{number}"
            if ".." in pathlib.PurePosixPath(name).parts or name.startswith("/"):
                breaches.append(f'{where}: "{name}" climbs out of what {target} sees')
                continue
            found = next((os.path.join(f, name) for f in folders
                          if os.path.isfile(os.path.join(f, name))), None)
            if found is None:
                breaches.append(f'{where}: "{name}" is none of what {target} sees')
                continue
            pending.append(found)


def undefined_symbols(library):
    """(object, demangled symbol) for every symbol the library's objects use
    but do not define."""
    out = subprocess.run(["nm", "-u", "-C", library], capture_output=True, text=True,
                         check=True).stdout
    member = os.path.basename(library)
    for line in out.splitlines():
        if line.endswith(":"):
            member = line[:-1]
        elif line.strip().startswith("U "):
            yield member, line.strip()[2:].strip()


def check_calls(library, breaches):
    name = os.path.basename(library)
    for member, symbol in undefined_symbols(library):
        what = next((kind for kind, names in FORBIDDEN_CALLS.items() if symbol in names), None)
        if what is None:
            what = next((kind for pattern, kind in FORBIDDEN_NAMES if pattern.search(symbol)),
                        None)
        if what:
            breaches.append(f"{name}({member}): calls {symbol}: {what} outside the platform")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--walls", required=True, help="the build's walls folder")
    parser.add_argument("--engine", nargs="+", required=True, help="the game's libraries")
    args = parser.parse_args()

    breaches = []
    sees = sorted(pathlib.Path(args.walls).glob("*.sees"))
    if not sees:
        breaches.append(f"{args.walls}: no library says what it sees")
    for path in sees:
        check_library(path.stem, path, breaches)
    check_lines(sources(*CODE), r'#\s*include\s*"[^"]*\.\./', 'an include that climbs with ".."',
                breaches)
    for library in args.engine:
        check_calls(library, breaches)
    code = [p for p in sources(*CODE) if str(p) not in FLAG_NUMBERING]
    check_lines(code, RAW_FLAG.pattern, "a story flag by its number, not its name", breaches)
    for breach in breaches:
        print(breach)
    print(f"walls: {len(sees)} libraries, {len(args.engine)} of the game; "
          f"{len(breaches)} breaches")
    return 1 if breaches else 0


if __name__ == "__main__":
    sys.exit(main())
