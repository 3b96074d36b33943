#!/usr/bin/python3
"""Check the thirteen scenario files in data/.

  tests/data/check_scenarios.py [--data DIR] [--only FILE...]

Without --only every one of the thirteen files must be present, and a missing
file is a failure.  With --only just the named files are checked (by bare
name, for example --only kumi01.dat SATUKI01.dat).

What is checked, and why:

* The file decodes as CP932 and encodes back to the same bytes (the game
  reads it in code page 932; a byte sequence that does not round-trip shows
  as garbage).
* Every line ends in CR LF, and nothing else ends a line.
* Items are counted with the game's own rules (tools/scenario.py).  An event
  shows item n by its index, so a file needs at least as many items as its
  highest shown index + 1 (MIN_ITEMS), and the game holds at most 101.
* Every item is one message in one of the game's forms:
      *：「…」          the hero (the name placeholder is the speaker label)
      NAME：「…」       another character, NAME one of WRITTEN_NAMES
      「…」             narration or a thought
      ＜…＞  ＜＜…＞＞   a notice
  and has no blank at either end.  Items never shown are checked too, so that
  a file reads as one scene from top to bottom.
* At most one "*" and one "@" per item: the game replaces only the first of
  each by the hero's name and nickname.
* Under a character's portrait, a line with a speaker label belongs to that
  character or to the hero (PORTRAITS lists which items are shown under
  which portrait); a line spoken by someone else would sit under the wrong
  face.
* Every item fits the message label.  The label is 450 x 108 px in bold
  12 pt Gothic; its caption is a space, a line break, then the message, so
  the first of its lines is always empty.  The check lays the message out in
  IPAPGothic at 16 px, with the default name 佐々木 and nickname リュウ君
  substituted, widens every glyph by one pixel for the synthetic bold, and
  wraps greedily at 450 px, never starting a line with closing punctuation
  or a small kana and never ending one with an opening bracket.  A line is
  17 px high (ascent 15 + descent 2), so the label has room for the empty
  line and five more; the budget is four wrapped lines, which leaves one
  line of room for the differences between this layout and the real one
  and for a longer name typed by the player.
"""

import argparse
import importlib.util
import os
import re
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))

_spec = importlib.util.spec_from_file_location(
    "scenario", os.path.join(ROOT, "tools", "scenario.py"))
scenario = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(scenario)

MAX_ITEMS = 101

# Highest index that an event shows, plus one.  akira01.dat: the apartment
# visit of Kumi and Akira runs Akira's part on 64-74 and closes on 75.
MIN_ITEMS = {
    "akira01.dat": 76,
    "akira02.dat": 22,
    "akira03.dat": 39,
    "hitomi01.dat": 78,
    "hitomi02.dat": 69,
    "hitomi03.dat": 69,
    "kaori01.dat": 76,
    "kaori02.dat": 80,
    "kumi01.dat": 69,
    "kumi02.dat": 80,
    "ryouko01.dat": 36,
    "SATUKI01.dat": 78,
    "satuki02.dat": 44,
}

WRITTEN_NAMES = {
    "ひとみ": "hitomi",
    "香織": "kaori",
    "久美": "kumi",
    "さつき": "satsuki",
    "涼子": "ryouko",
    "明": "akira",
}

# Items shown under each character's portrait: (first, last, character).
PORTRAITS = {
    "akira01.dat": [(2, 13, "akira"), (50, 62, "kumi"), (64, 74, "akira")],
    "akira02.dat": [(2, 20, "akira")],
    "akira03.dat": [(1, 13, "akira"), (17, 36, "akira")],
    "hitomi01.dat": [(1, 25, "hitomi"), (27, 34, "hitomi"),
                     (36, 42, "hitomi"), (44, 48, "hitomi"),
                     (51, 57, "hitomi"), (60, 64, "hitomi"),
                     (66, 72, "hitomi"), (74, 76, "hitomi")],
    "hitomi02.dat": [(2, 26, "hitomi"), (29, 46, "hitomi"),
                     (51, 67, "hitomi")],
    "hitomi03.dat": [(2, 40, "hitomi")],
    "kaori01.dat": [(1, 18, "kaori"), (21, 29, "kaori"), (32, 35, "kaori"),
                    (36, 37, "akira"), (38, 42, "kaori"), (43, 43, "akira"),
                    (44, 57, "kaori"), (58, 68, "akira"),
                    (72, 75, "kaori")],
    "kaori02.dat": [(2, 8, "kaori"), (12, 15, "kaori"), (16, 20, "akira"),
                    (21, 25, "kaori"), (29, 35, "kaori"), (40, 48, "kaori"),
                    (51, 62, "kaori"), (66, 78, "kaori")],
    # Item 31 is never shown: the program says Kumi's parting line there,
    # still under her portrait.
    "kumi01.dat": [(1, 31, "kumi"), (33, 36, "kumi")],
    "kumi02.dat": [(1, 13, "kumi"), (18, 29, "kumi")],
    "ryouko01.dat": [(1, 12, "ryouko"), (15, 18, "ryouko"),
                     (28, 31, "ryouko"), (33, 34, "ryouko")],
    "SATUKI01.dat": [(4, 6, "kumi"), (7, 13, "satsuki"), (14, 15, "kumi"),
                     (16, 17, "akira"), (18, 21, "kumi"), (70, 71, "kumi"),
                     (72, 73, "satsuki"), (74, 74, "kumi"),
                     (75, 75, "akira"), (76, 76, "satsuki")],
    "satuki02.dat": [(2, 13, "satsuki"), (17, 28, "satsuki"),
                     (32, 42, "satsuki")],
}

FONT_PATH = "/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf"
FONT_PX = 16
BOLD_EXTRA_PX = 1
LABEL_WIDTH_PX = 450
MAX_WRAPPED_LINES = 4
DEFAULT_NAME = "佐々木"
DEFAULT_NICKNAME = "リュウ君"

# Characters that may not start a line, and brackets that may not end one.
NO_LINE_START = set("、。，．・：；？！゛゜ー…‥」』）］｝〕〉》】＞"
                    "ぁぃぅぇぉっゃゅょゎァィゥェォッャュョヮヵヶ"
                    ",.:;?!)]}>")
NO_LINE_END = set("「『（［｛〔〈《【＜([{<")

_names = "|".join(re.escape(n) for n in WRITTEN_NAMES)
FORM = re.compile(
    r"^(?:(?P<hero>\*)：|(?P<name>" + _names + r")：)?「(?P<speech>.*)」$"
    r"|^＜＜.*＞＞$|^＜.*＞$", re.S)


def load_font():
    from PIL import ImageFont
    return ImageFont.truetype(FONT_PATH, FONT_PX)


def tokens(text):
    """Split text into the pieces the wrapper may not break inside."""
    out = []
    for ch in text:
        if out and (ch in NO_LINE_START or out[-1][-1] in NO_LINE_END):
            out[-1] += ch
        elif out and ch.isascii() and ch.isalnum() and \
                out[-1][-1].isascii() and out[-1][-1].isalnum():
            out[-1] += ch
        else:
            out.append(ch)
    return out


def wrapped_lines(text, font):
    """Number of label lines the message takes, below the empty first one."""
    def width(s):
        return sum(font.getlength(c) + BOLD_EXTRA_PX for c in s)

    count = 0
    for paragraph in text.split("\n"):
        count += 1
        line = 0.0
        for tok in tokens(paragraph):
            w = width(tok)
            if line > 0 and line + w > LABEL_WIDTH_PX:
                count += 1
                line = 0.0
            line += w
    return count


def shown_text(item):
    return item.replace("*", DEFAULT_NAME, 1).replace("@", DEFAULT_NICKNAME, 1)


def portrait_at(name, index):
    for first, last, who in PORTRAITS.get(name, []):
        if first <= index <= last:
            return who
    return None


def check_file(path, name, font):
    errors = []

    def fail(msg):
        errors.append(f"{name}: {msg}")

    with open(path, "rb") as f:
        raw = f.read()
    try:
        text = raw.decode("cp932")
    except UnicodeDecodeError as e:
        fail(f"not CP932 at byte {e.start}: {raw[e.start:e.start + 2]!r}")
        return errors
    if text.encode("cp932") != raw:
        fail("does not encode back to the same CP932 bytes")
    # Python's cp932 codec takes the single bytes 80, A0, FD-FF and the
    # user-defined area without complaint; the system's CP932 conversion
    # rejects the former and no font draws the latter.
    for i, ch in enumerate(text):
        code = ord(ch)
        if (code < 0x20 and ch not in "\r\n") or 0x7F <= code <= 0x9F or \
                0xE000 <= code <= 0xF8FF:
            line = text.count("\n", 0, i) + 1
            fail(f"line {line}: byte sequence for U+{code:04X} is not "
                 f"a character the game can show")

    line_no = 1
    for i, ch in enumerate(text):
        if ch == "\n":
            if i == 0 or text[i - 1] != "\r":
                fail(f"line {line_no}: ends in LF without CR")
            line_no += 1
        elif ch == "\r" and (i + 1 >= len(text) or text[i + 1] != "\n"):
            fail(f"line {line_no}: CR without LF")
    if text and not text.endswith("\r\n"):
        fail("the last line has no CR LF")

    items = scenario.split_items(text)
    need = MIN_ITEMS[name]
    if len(items) > MAX_ITEMS:
        fail(f"{len(items)} items; the game holds at most {MAX_ITEMS}")
    if len(items) < need:
        fail(f"{len(items)} items; its events show up to item {need - 1}, "
             f"so it needs at least {need}")

    for index, item in enumerate(items):
        where = f"item {index}"
        if item == "":
            fail(f"{where}: empty")
            continue
        if item != item.strip(" \t\u3000"):
            fail(f"{where}: blank at the start or end: {item!r}")
        m = FORM.match(item.strip())
        if not m:
            fail(f"{where}: not one message in a speaker form: {item}")
        elif m.group("name") or m.group("hero"):
            speaker = "hero" if m.group("hero") else WRITTEN_NAMES[m.group("name")]
            who = portrait_at(name, index)
            if who and speaker not in ("hero", who):
                fail(f"{where}: spoken by {m.group('name')} under the "
                     f"portrait of {who}: {item}")
        if item.count("*") > 1:
            fail(f"{where}: more than one '*' (only the first becomes the "
                 f"hero's name): {item}")
        if item.count("@") > 1:
            fail(f"{where}: more than one '@' (only the first becomes the "
                 f"nickname): {item}")
        if font is not None:
            lines = wrapped_lines(shown_text(item), font)
            if lines > MAX_WRAPPED_LINES:
                fail(f"{where}: takes {lines} lines of the message label, "
                     f"at most {MAX_WRAPPED_LINES} fit: {item}")
    return errors


def main(argv):
    parser = argparse.ArgumentParser(
        description="Check the scenario files of data/.")
    parser.add_argument("--data", default=os.path.join(ROOT, "data"),
                        help="directory of the scenario files")
    parser.add_argument("--only", nargs="+", metavar="FILE",
                        help="check only these files (bare names)")
    args = parser.parse_args(argv[1:])

    names = args.only or sorted(MIN_ITEMS, key=str.lower)
    errors = []
    unknown = [n for n in names if n not in MIN_ITEMS]
    for n in unknown:
        errors.append(f"{n}: not one of the game's scenario files")

    try:
        font = load_font()
    except (ImportError, OSError) as e:
        errors.append(f"cannot measure the message label ({e}); "
                      f"install python3-pil and fonts-ipafont-gothic")
        font = None

    present = set(os.listdir(args.data)) if os.path.isdir(args.data) else set()
    checked = 0
    for name in names:
        if name in unknown:
            continue
        if name not in present:
            errors.append(f"{name}: missing from {args.data}")
            continue
        errors.extend(check_file(os.path.join(args.data, name), name, font))
        checked += 1

    sys.stdout.reconfigure(encoding="utf-8")
    for e in errors:
        print(e)
    print(f"{checked} of {len(names)} scenario files checked, "
          f"{len(errors)} problem(s)")
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
