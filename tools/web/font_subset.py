"""The three faces of the web page, cut down to the characters the game can show.

The game draws with the IPA fonts that Debian ships (fonts-ipafont-gothic,
fonts-ipafont-mincho). A cut-down copy is a derived program under the IPA Font
License v1.0: it must not carry the original's name as its font or file name,
it is licensed under the same terms, and the licence text and a way to get the
original fonts ship with it (fonts/LICENSE.txt, fonts/README.txt).
"""

import pathlib
import re

from fontTools import subset
from fontTools.ttLib import TTFont

# (Debian's original, the page's family name, the file on the site)
FACES = [
    ("/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf", "Velmora P Gothic", "velmora-p-gothic.woff2"),
    ("/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf", "Velmora Gothic", "velmora-gothic.woff2"),
    ("/usr/share/fonts/opentype/ipafont-mincho/ipamp.ttf", "Velmora P Mincho", "velmora-p-mincho.woff2"),
]
LICENSE_SOURCE = "/usr/share/doc/fonts-ipafont-gothic/copyright"

# Name records that name the font itself; they get the page's names.
FONT_NAME_IDS = {1: "family", 3: "unique", 4: "full", 6: "postscript", 16: "family", 17: "sub"}

README = """These fonts are cut-down copies of IPA fonts ({originals}), reduced
to the characters this game shows, renamed as the IPA Font License v1.0
requires for a derived program, and licensed under that same licence
(LICENSE.txt). characters.txt lists the characters they keep; the game's
tools/web/font_subset.py made them from Debian's fonts-ipafont-gothic and
fonts-ipafont-mincho packages with fontTools.

To use the original fonts instead: install Debian's fonts-ipafont-gothic and
fonts-ipafont-mincho (or get the IPA fonts from the IPA font site of the
Character Information Technology Promotion Council, https://moji.or.jp/ipafont/),
copy ipagp.ttf, ipag.ttf and ipamp.ttf into this folder, and in velmora.css
replace the three url(fonts/velmora-....woff2) format("woff2") sources by
url(fonts/ipagp.ttf), url(fonts/ipag.ttf) and url(fonts/ipamp.ttf).
"""


def game_characters(source: pathlib.Path) -> str:
    """Every character the game can show: its scenario files, the story map's
    words, the texts of the engine's and the platform's code and of the page,
    and printable ASCII for names."""
    chars = {chr(c) for c in range(0x20, 0x7F)}
    for dat in (source / "data").glob("*.dat"):
        chars.update(dat.read_bytes().decode("cp932", errors="ignore"))
    folders = ["shell", "world", "places", "presentation", "finale"]
    texts = [p for f in folders for p in (source / f).rglob("*.cpp")]
    # The platform's own words that the page shows too: the record's notices,
    # the rollback's, the save's reasons, the slots' details and questions.
    for folder in ("platform", "player", "replay", "backends/posix", "backends/tty", "backends/web",
                   "app"):
        texts += [p for p in (source / folder).iterdir() if p.suffix in (".h", ".cpp")]
    texts += list((source / "backends/web/page").iterdir())
    texts.append(source / "data/story/storymap.txt")
    for path in texts:
        chars.update(c for c in path.read_text(encoding="utf-8") if ord(c) > 0x7F)
    return "".join(sorted(c for c in chars if c.isprintable() or c == "\u3000"))


def rename(font: TTFont, family: str) -> None:
    postscript = re.sub(r"[^A-Za-z0-9-]", "", family.replace(" ", "-"))
    names = {"family": family, "unique": f"{family} (subset)", "full": family,
             "postscript": postscript, "sub": "Regular"}
    table = font["name"]
    table.names = [n for n in table.names if n.nameID not in FONT_NAME_IDS]
    for name_id, what in FONT_NAME_IDS.items():
        if name_id in (16, 17):
            continue
        table.setName(names[what], name_id, 3, 1, 0x409)
        table.setName(names[what], name_id, 1, 0, 0)


def make_face(original: str, family: str, out: pathlib.Path, characters: str) -> None:
    options = subset.Options()
    options.flavor = "woff2"
    options.hinting = False  # the browser's rasteriser does without
    options.layout_features = ["*"]
    options.name_IDs = ["*"]
    options.name_languages = ["*"]
    font = TTFont(original)
    subsetter = subset.Subsetter(options)
    subsetter.populate(text=characters)
    subsetter.subset(font)
    rename(font, family)
    font.flavor = "woff2"
    font.save(str(out))


def licence_text() -> str:
    """The IPA Font License v1.0 as Debian's copyright file carries it."""
    lines = pathlib.Path(LICENSE_SOURCE).read_text(encoding="utf-8").splitlines()
    start = next(i for i, line in enumerate(lines[:-1], 1)
                 if line == "License: IPA-1" and lines[i].startswith(" "))
    body = []
    for line in lines[start:]:
        if not line.startswith(" "):
            break
        body.append("" if line == " ." else line[1:])
    return "\n".join(body).rstrip() + "\n"


def make_fonts(source: pathlib.Path, folder: pathlib.Path) -> None:
    folder.mkdir(parents=True, exist_ok=True)
    characters = game_characters(source)
    stamp = folder / "characters.txt"
    wanted = characters + "\n"
    fresh = stamp.exists() and stamp.read_text(encoding="utf-8") == wanted and all(
        (folder / f).exists() for _, _, f in FACES)
    if not fresh:
        for original, family, name in FACES:
            make_face(original, family, folder / name, characters)
        stamp.write_text(wanted, encoding="utf-8")
    (folder / "LICENSE.txt").write_text(licence_text(), encoding="utf-8")
    originals = ", ".join(pathlib.Path(o).name for o, _, _ in FACES)
    (folder / "README.txt").write_text(README.format(originals=originals), encoding="utf-8")
