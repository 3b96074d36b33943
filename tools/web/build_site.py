#!/usr/bin/python3
"""Lays out the web build as one folder of static files that any web server can serve.

    build_site.py --source REPO --engine BUILD/velmora-engine.js --page-table BUILD/page_table.js \
        --out BUILD/site

The folder: the page (backends/web/page; velmora.css with the faces of P
Gothic added, the title's own cut and the whole) and its tables written from
the game's C++ (page_table.js), the engine (velmora-engine.js and .wasm), the
game's data under data/ with ASCII file names (any server, any file system),
the music in three forms (below), the design pictures, the icons of the
installed game, the fonts cut down to the game's characters with their
licence; files.json, which maps each file name the game uses (letter case
aside) to its address and says which forms of each music there are; and
service_worker.js, which keeps this whole version of the folder for play
without the network (it names every file with its SHA-256).

Beside every file that compresses, its brotli (.br) and gzip (.gz) copies, for
hosts that serve them in its place (nginx's brotli_static and gzip_static): the
browser receives the file's own bytes, so the service worker, which names the
files alone, finds each one's SHA-256 the same.

The music: Ogg Vorbis and Ogg Opus, a seventh of the lossless size, for the
page to choose from with canPlayType, and FLAC, lossless, where neither plays.
All three end where the wave file ends, with no silence added at either end
(Ogg's granule positions cut the encoders' padding), so each loops as the wave
file does.
"""

import argparse
import gzip
import hashlib
import json
import pathlib
import shutil
import subprocess
import sys
import wave

import brotli

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
import font_subset  # noqa: E402


def site_name(name: str) -> str:
    """An ASCII file name for a data file; Japanese names become their code points."""
    stem, dot, suffix = name.rpartition(".")
    if stem.isascii():
        return name
    return "u" + "-".join(f"{ord(c):x}" for c in stem) + dot + suffix


def copy_if_changed(source: pathlib.Path, target: pathlib.Path) -> None:
    if target.exists() and target.read_bytes() == source.read_bytes():
        return
    target.parent.mkdir(parents=True, exist_ok=True)
    shutil.copyfile(source, target)


# Each form of the music: its suffix, the type canPlayType is asked about, and
# the encoder. Vorbis keeps the wave file's 22,050 Hz and, at quality 3, is the
# smaller and the closer of the two; Opus (coded at 48 kHz) serves a browser
# that plays Opus alone; FLAC is the same samples.
MUSIC_FORMS = [
    (".ogg", 'audio/ogg; codecs="vorbis"', lambda wav, out: ["oggenc", "-Q", "-q", "3", "-o", out, wav]),
    (".opus", 'audio/ogg; codecs="opus"',
     lambda wav, out: ["opusenc", "--quiet", "--bitrate", "48", wav, out]),
    (".flac", "audio/flac", lambda wav, out: ["sox", wav, "-C", "8", out]),
]


def music_of(wav: pathlib.Path, out: pathlib.Path, stem: str) -> dict:
    """The music in each form; what the page needs to choose and loop it."""
    with wave.open(str(wav)) as w:
        rate, frames = w.getframerate(), w.getnframes()
    forms = []
    for suffix, kind, encoder in MUSIC_FORMS:
        target = out / "data" / (stem + suffix)
        target.parent.mkdir(parents=True, exist_ok=True)
        if not target.exists() or target.stat().st_mtime < wav.stat().st_mtime:
            subprocess.run(encoder(str(wav), str(target)), check=True)
        forms.append({"type": kind, "address": target.relative_to(out).as_posix()})
    return {"rate": rate, "seconds": frames / rate, "forms": forms}


def copy_icons(source: pathlib.Path, out: pathlib.Path) -> None:
    """The game's icon for a phone's home screen and the installed game's window."""
    for size in (192, 512):
        copy_if_changed(source / f"packaging/icons/velmora-{size}.png", out / f"icons/velmora-{size}.png")


# Left out of the kept version: the manifest of versions itself (it is the
# service worker), and what the page never fetches.
NOT_KEPT = {"service_worker.js", "fonts/README.txt", "fonts/LICENSE.txt", "fonts/characters.txt"}
# The compressed copies beside the files, and the files worth them: what is
# not compressed already (pictures, music, WOFF2 are).
PACKED = {".br": lambda data: brotli.compress(data, quality=11),
          ".gz": lambda data: gzip.compress(data, 9, mtime=0)}
COMPRESSES = (".html", ".css", ".js", ".json", ".wasm", ".webmanifest", ".txt", ".dat")


def write_service_worker(source: pathlib.Path, out: pathlib.Path) -> None:
    """The service worker with this version's files: each one's SHA-256, and
    which form of which music it is (a browser keeps the form it plays)."""
    music = json.loads((out / "files.json").read_text(encoding="utf-8"))["music"]
    forms = {f["address"]: f["type"] for m in music.values() for f in m["forms"]}
    files = {}
    for f in sorted(out.rglob("*")):
        name = f.relative_to(out).as_posix()
        if f.is_file() and name not in NOT_KEPT and f.suffix not in PACKED:
            files[name] = hashlib.sha256(f.read_bytes()).hexdigest()
    version = hashlib.sha256(json.dumps(files, sort_keys=True).encode()).hexdigest()[:16]
    site = {"version": version, "files": files, "musicForms": forms}
    code = (source / "backends/web/service_worker.js").read_text(encoding="utf-8")
    text = f"self.velmoraSite = {json.dumps(site, indent=1)};\n{code}"
    write_if_changed(text, out / "service_worker.js")


def write_if_changed(text: str, target: pathlib.Path) -> None:
    if not target.exists() or target.read_text(encoding="utf-8") != text:
        target.write_text(text, encoding="utf-8")


def pack(out: pathlib.Path) -> None:
    """The .br and .gz copies of every file that compresses, made again when
    the file is newer; a copy whose file is gone goes too, so that no host
    serves a copy of another version."""
    for f in sorted(out.rglob("*")):
        if f.suffix in PACKED:
            if not f.with_suffix("").is_file():
                f.unlink()
            continue
        if not f.is_file() or not f.name.endswith(COMPRESSES):
            continue
        for suffix, compress in PACKED.items():
            packed = f.with_name(f.name + suffix)
            if not packed.exists() or packed.stat().st_mtime < f.stat().st_mtime:
                packed.write_bytes(compress(f.read_bytes()))


def lay_out(source: pathlib.Path, engine: pathlib.Path, table: pathlib.Path,
            out: pathlib.Path) -> None:
    for page_file in (source / "backends/web/page").iterdir():
        if page_file.name != "velmora.css":
            copy_if_changed(page_file, out / page_file.name)
    for built in (engine, engine.with_suffix(".wasm"), table):
        copy_if_changed(built, out / built.name)
    for design in (source / "data/design").iterdir():
        if design.name != "portrait_layer.png":  # all transparent: the page needs none
            copy_if_changed(design, out / "design" / design.name)

    files, music = {}, {}
    shipped = sorted((source / "data").iterdir()) + [source / "data/story/storymap.txt"]
    for data in shipped:
        if not data.is_file():
            continue
        key = data.name.lower()
        if data.suffix.lower() == ".wav":
            music[key] = music_of(data, out, site_name(data.stem + ".x")[:-2])
            target = out / music[key]["forms"][-1]["address"]  # the lossless form
        else:
            target = out / "data" / site_name(data.name)
            copy_if_changed(data, target)
        files[key] = target.relative_to(out).as_posix()
    manifest = json.dumps({"files": files, "music": music}, ensure_ascii=False, indent=1)
    (out / "files.json").write_text(manifest + "\n", encoding="utf-8")

    copy_icons(source, out)
    faces = font_subset.make_fonts(source, out / "fonts")
    css = (source / "backends/web/page/velmora.css").read_text(encoding="utf-8")
    write_if_changed(css + "\n/* P Gothic: the title's own cut, and the whole face (build_site.py) */\n" + faces,
                     out / "velmora.css")
    write_service_worker(source, out)
    pack(out)


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--source", type=pathlib.Path, required=True)
    parser.add_argument("--engine", type=pathlib.Path, required=True)
    parser.add_argument("--page-table", type=pathlib.Path, required=True,
                        help="the page's tables written from the game's C++")
    parser.add_argument("--out", type=pathlib.Path, required=True)
    args = parser.parse_args()
    lay_out(args.source.resolve(), args.engine.resolve(), args.page_table.resolve(), args.out)
    return 0


if __name__ == "__main__":
    sys.exit(main())
