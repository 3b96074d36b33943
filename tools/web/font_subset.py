"""The three faces of the web page, cut down to the characters the game can show.

The game draws with the IPA fonts that Debian ships (fonts-ipafont-gothic,
fonts-ipafont-mincho). A cut-down copy is a derived program under the IPA Font
License v1.0: it must not carry the original's name as its font or file name,
it is licensed under the same terms, and the licence text and a way to get the
original fonts ship with it (fonts/LICENSE.txt, fonts/README.txt).
"""

import html
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
# The title screen's own cut of P Gothic: what the page shows before the game
# has loaded, and printable ASCII (the time is fitted to its plate in it). The
# title waits for these few kilobytes; the whole face, for the characters the
# title lacks, comes once it stands (tools/web/build_site.py writes both into
# velmora.css, each with its unicode-range).
TITLE_FACE = "velmora-p-gothic-title.woff2"
LICENSE_SOURCE = "/usr/share/doc/fonts-ipafont-gothic/copyright"

# Name records that name the font itself; they get the page's names.
FONT_NAME_IDS = {1: "family", 3: "unique", 4: "full", 6: "postscript", 16: "family", 17: "sub"}

README = """These fonts are cut-down copies of IPA fonts ({originals}), reduced
to the characters this game shows, renamed as the IPA Font License v1.0
requires for a derived program, and licensed under that same licence
(LICENSE.txt). characters.txt lists the characters they keep (the second
line those of velmora-p-gothic-title.woff2, the title screen's); the game's
tools/web/font_subset.py made them from Debian's fonts-ipafont-gothic and
fonts-ipafont-mincho packages with fontTools.

To use the original fonts instead: install Debian's fonts-ipafont-gothic and
fonts-ipafont-mincho (or get the IPA fonts from the IPA font site of the
Character Information Technology Promotion Council, https://moji.or.jp/ipafont/),
copy ipagp.ttf, ipag.ttf and ipamp.ttf into this folder, and in velmora.css
replace the url(fonts/velmora-....woff2) format("woff2") sources by
url(fonts/ipagp.ttf) (both P Gothic faces), url(fonts/ipag.ttf) and
url(fonts/ipamp.ttf).
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


def title_characters(source: pathlib.Path) -> str:
    """The characters of index.html's text, and printable ASCII."""
    page = (source / "backends/web/page/index.html").read_text(encoding="utf-8")
    page = re.sub(r"<!--.*?-->|<script.*?</script>", "", page, flags=re.S)
    text = html.unescape(re.sub(r"<[^>]+>", "", page))
    chars = {chr(c) for c in range(0x20, 0x7F)}
    chars.update(c for c in text if c.isprintable() or c == "\u3000")
    return "".join(sorted(chars))


def unicode_range(code_points) -> str:
    """CSS's unicode-range of a set of code points, as runs."""
    runs = []
    for c in sorted(code_points):
        if runs and runs[-1][1] == c - 1:
            runs[-1][1] = c
        else:
            runs.append([c, c])
    return ", ".join(f"U+{a:X}" if a == b else f"U+{a:X}-{b:X}" for a, b in runs)


def p_gothic_faces(title: str) -> str:
    """The two @font-face rules of P Gothic: the title's characters from the
    title's face, every other one from the whole face."""
    inside = {ord(c) for c in title}
    outside = []  # the complement, as runs, without listing every code point
    start = 0
    for c in sorted(inside) + [0x110000]:
        if c > start:
            outside.append(f"U+{start:X}" if c - 1 == start else f"U+{start:X}-{c - 1:X}")
        start = c + 1
    rule = ('@font-face {{\n  font-family: "{family}";\n  src: url(fonts/{file}) format("woff2");\n'
            '  font-display: block;\n  unicode-range: {range};\n}}\n')
    family = FACES[0][1]
    return (rule.format(family=family, file=TITLE_FACE, range=unicode_range(inside)) +
            rule.format(family=family, file=FACES[0][2], range=", ".join(outside)))


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


def make_fonts(source: pathlib.Path, folder: pathlib.Path) -> str:
    """Makes the faces in folder; returns P Gothic's @font-face rules."""
    folder.mkdir(parents=True, exist_ok=True)
    characters = game_characters(source)
    title = title_characters(source)
    faces = [(o, family, name, characters) for o, family, name in FACES]
    faces.append((FACES[0][0], FACES[0][1], TITLE_FACE, title))
    stamp = folder / "characters.txt"
    wanted = characters + "\n" + title + "\n"
    fresh = stamp.exists() and stamp.read_text(encoding="utf-8") == wanted and all(
        (folder / f).exists() for _, _, f, _ in faces)
    if not fresh:
        for original, family, name, chars in faces:
            make_face(original, family, folder / name, chars)
        stamp.write_text(wanted, encoding="utf-8")
    (folder / "LICENSE.txt").write_text(licence_text(), encoding="utf-8")
    originals = ", ".join(pathlib.Path(o).name for o, _, _ in FACES)
    (folder / "README.txt").write_text(README.format(originals=originals), encoding="utf-8")
    return p_gothic_faces(title)
