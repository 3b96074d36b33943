#!/usr/bin/python3
"""Lays out the web build as one folder of static files that any web server can serve.

    build_site.py --source REPO --engine BUILD/velmora-engine.js --out BUILD/site

The folder: the page (platform/web/page), the engine (velmora-engine.js and
.wasm), the game's data under data/ with ASCII file names (any server, any file
system), the music as FLAC (lossless: the same samples, no silence added, so it
loops as the wave file does), the design pictures, the fonts cut down to the
game's characters with their licence, and files.json, which maps each file name
the game uses (letter case aside) to its address.
"""

import argparse
import json
import pathlib
import shutil
import subprocess
import sys
import wave

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


def flac_of(wav: pathlib.Path, target: pathlib.Path) -> int:
    """Compresses the music without loss; returns its sample rate."""
    with wave.open(str(wav)) as w:
        rate = w.getframerate()
    target.parent.mkdir(parents=True, exist_ok=True)
    if not target.exists() or target.stat().st_mtime < wav.stat().st_mtime:
        subprocess.run(["sox", str(wav), "-C", "8", str(target)], check=True)
    return rate


def lay_out(source: pathlib.Path, engine: pathlib.Path, out: pathlib.Path) -> None:
    for page_file in (source / "platform/web/page").iterdir():
        copy_if_changed(page_file, out / page_file.name)
    for built in (engine, engine.with_suffix(".wasm")):
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
            target = out / "data" / (site_name(data.stem + ".x")[:-2] + ".flac")
            music[key] = flac_of(data, target)
        else:
            target = out / "data" / site_name(data.name)
            copy_if_changed(data, target)
        files[key] = target.relative_to(out).as_posix()
    manifest = json.dumps({"files": files, "music": music}, ensure_ascii=False, indent=1)
    (out / "files.json").write_text(manifest + "\n", encoding="utf-8")

    font_subset.make_fonts(source, out / "fonts")


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--source", type=pathlib.Path, required=True)
    parser.add_argument("--engine", type=pathlib.Path, required=True)
    parser.add_argument("--out", type=pathlib.Path, required=True)
    args = parser.parse_args()
    lay_out(args.source.resolve(), args.engine.resolve(), args.out)
    return 0


if __name__ == "__main__":
    sys.exit(main())
