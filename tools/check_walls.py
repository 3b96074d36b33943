#!/usr/bin/python3
"""The walls between the parts of the game, checked where they can be walked
around (docs/architecture.md).

  /usr/bin/python3 tools/check_walls.py --build BUILD --engine LIB.a...

- Includes: every include of a library, quoted or angled, is resolved as
  the compiler would, but never beside the file that includes it: against
  the folders the library is built with, its own root of what it may see
  among them (BUILD/walls/TARGET.sees, written by velmora_sees in
  cmake/walls.cmake). The file it names is the real file, every link
  followed; one of the tree must be a header or under a folder the
  library's root links to. An include found only beside the file, one that
  climbs with "..", and one whose name is not written out are breaches; so
  is ".." in any include of the tree, and a symbolic link anywhere among
  the sources (a link makes one file two names, one of them past a wall).
  The build folder is named, never guessed: what the build wrote (moc's
  files, the design's pixels) is not the tree's.
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
INCLUDE = re.compile(r'^\s*#\s*(include|include_next|import)\b\s*(.*)')
NAMED = re.compile(r'^"([^"]+)"|^<([^>]+)>')
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
                        "clearenv", "environ", "__environ", "_environ"},
}
FORBIDDEN_NAMES = [
    (re.compile(r"\bstd::(__cxx11::)?(filesystem|experimental::filesystem)::"), "files"),
    (re.compile(r"\bstd::(basic_(i|o)?fstream|basic_filebuf)<"), "files"),
    (re.compile(r"\bstd::(w)?(cout|cerr|cin|clog)\b"), "streams"),
    (re.compile(r"^(Q[A-Z]\w*|qt_\w+|q[A-Z]\w+)\b"), "Qt"),
]


# What npm installs for the benchmarks' tools (tools/setup.sh lighthouse) is
# no source of the game's, and is full of its own links.
INSTALLED = "node_modules"


def sources(*folders):
    for folder in folders:
        for path in sorted(pathlib.Path(folder).rglob("*")):
            if INSTALLED in path.parts:
                continue
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


def within(path, folder):
    return path == folder or path.startswith(folder + os.sep)


def what_root_links(root):
    """The real files and folders a library's root of what it sees links to."""
    linked = []
    for folder, dirs, files in os.walk(root):
        for name in dirs + files:
            path = os.path.join(folder, name)
            if os.path.islink(path):
                linked.append(os.path.realpath(path))
    return linked


def includes(path):
    """(line number, the name included or None when not written out, angled)."""
    for number, line in enumerate(lines(path), 1):
        match = INCLUDE.match(line)
        if match:
            named = NAMED.match(match.group(2))
            if named is None:
                yield number, None, False
            else:
                yield number, named.group(1) or named.group(2), named.group(2) is not None


def check_library(target, sees, walls, build, breaches):
    """Every include, followed through the headers it brings in, to the real
    file it names."""
    _, files, folders = read_sees(sees)
    tree = os.path.realpath(".")
    allowed = what_root_links(os.path.join(walls, target))
    seen = set()
    pending = [f for f in files if f.endswith((".cpp", ".h", ".in"))]
    while pending:
        path = pending.pop()
        real = os.path.realpath(path)
        if real in seen or not within(real, tree) or within(real, build):
            continue
        seen.add(real)
        for number, name, angled in includes(path):
            where = f"{os.path.relpath(real)}:{number}"
            if name is None:
                breaches.append(f"{where}: an include whose name is not written out")
                continue
            if ".." in pathlib.PurePosixPath(name).parts or name.startswith("/"):
                breaches.append(f'{where}: "{name}" climbs out of what {target} sees')
                continue
            found = next((os.path.join(f, name) for f in folders
                          if os.path.isfile(os.path.join(f, name))), None)
            if found is None:
                # An angled name none of its folders holds is the compiler's
                # own (<string>); a quoted one would be found beside the file.
                if not angled:
                    breaches.append(f'{where}: "{name}" is none of what {target} sees')
                continue
            named = os.path.realpath(found)
            if (within(named, tree) and not within(named, build)
                    and not any(within(named, link) for link in allowed)):
                breaches.append(f'{where}: "{name}" is {os.path.relpath(named)}, '
                                f"which {target} does not see")
                continue
            pending.append(found)


def links_among(folders, build):
    """Every symbolic link among the sources."""
    for folder in folders:
        for path in sorted(pathlib.Path(folder).rglob("*")):
            if INSTALLED in path.parts:
                continue
            if path.is_symlink() and not within(os.path.realpath(path.parent), build):
                yield path


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
    parser.add_argument("--build", required=True, help="the build's folder")
    parser.add_argument("--engine", nargs="+", required=True, help="the game's libraries")
    args = parser.parse_args()

    build = os.path.realpath(args.build)
    walls = os.path.join(build, "walls")
    breaches = []
    sees = sorted(pathlib.Path(walls).glob("*.sees"))
    if not sees:
        breaches.append(f"{walls}: no library says what it sees")
    for path in sees:
        check_library(path.stem, path, walls, build, breaches)
    code = [p for p in sources(*CODE) if not within(os.path.realpath(p), build)]
    for path in code:
        for number, name, _ in includes(path):
            if name and ".." in pathlib.PurePosixPath(name).parts:
                breaches.append(f'{path}:{number}: an include that climbs with "..": {name}')
    for link in links_among(CODE, build):
        breaches.append(f"{link}: a link among the sources, to {os.path.realpath(link)}")
    for library in args.engine:
        check_calls(library, breaches)
    code = [p for p in code if str(p) not in FLAG_NUMBERING]
    check_lines(code, RAW_FLAG.pattern, "a story flag by its number, not its name", breaches)
    for breach in breaches:
        print(breach)
    print(f"walls: {len(sees)} libraries, {len(args.engine)} of the game; "
          f"{len(breaches)} breaches")
    return 1 if breaches else 0


if __name__ == "__main__":
    sys.exit(main())
