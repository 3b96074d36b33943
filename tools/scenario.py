#!/usr/bin/python3
"""Read the game's scenario files (data/*.dat) the way the game does.

  tools/scenario.py show FILE       print every item with its index, as UTF-8
  tools/scenario.py textconv FILE   print the file decoded, for git diffs
  tools/scenario.py set FILE N TEXT put TEXT (UTF-8) in place of item N

A scenario file is CP932 text with CR LF line ends.  The game splits it into
items, and an event shows item n of the file by its index, so the splitting
rules below decide which line the player sees:

  * items are separated by ASCII commas and by line ends;
  * spaces before an item are skipped;
  * an item that begins with a double quote runs to the next double quote
    (commas and line ends inside are kept, the quotes are not); whatever
    follows the closing quote up to the next comma or line end is dropped;
  * an empty line, or nothing between two commas, is an empty item;
  * the end of the file is tested before each item, so the line end after
    the last item does not make an extra empty item.

Trailing blanks of an unquoted item are kept here; the game's files should
not have any, and the scenario check reports them.
"""

import sys

ENCODING = "cp932"


def split_items(text):
    """Split decoded scenario text into its items, in index order."""
    items = []
    pos = 0
    end = len(text)

    def at_line_end(p):
        return p < end and text[p] in "\r\n"

    def skip_line_end(p):
        if p < end and text[p] == "\r":
            p += 1
            if p < end and text[p] == "\n":
                p += 1
        elif p < end and text[p] == "\n":
            p += 1
        return p

    while pos < end:
        while pos < end and text[pos] == " ":
            pos += 1
        if pos < end and text[pos] == '"':
            close = text.find('"', pos + 1)
            if close < 0:
                items.append(text[pos + 1:])
                break
            items.append(text[pos + 1:close])
            pos = close + 1
            while pos < end and text[pos] != "," and not at_line_end(pos):
                pos += 1
        else:
            start = pos
            while pos < end and text[pos] != "," and not at_line_end(pos):
                pos += 1
            items.append(text[start:pos])
        if pos < end and text[pos] == ",":
            pos += 1
            if pos >= end:
                # "a," at the very end: the comma still closes an item and the
                # end test stops the reader before another one.
                break
        else:
            pos = skip_line_end(pos)
    return items


def read_items(path):
    with open(path, "rb") as f:
        raw = f.read()
    return split_items(raw.decode(ENCODING, errors="replace"))


def cmd_show(path):
    for index, item in enumerate(read_items(path)):
        print(f"{index:3d}  {item}")


def cmd_textconv(path):
    with open(path, "rb") as f:
        raw = f.read()
    text = raw.decode(ENCODING, errors="replace").replace("\r\n", "\n")
    sys.stdout.write(text)


def cmd_set(path, index, text):
    """Rewords one item where it stands, so that every item keeps its index:
    the file must hold one item per line, and the new text may hold nothing
    that would split it or join it to another (a comma, a double quote, a
    line end, a blank at either end) and nothing CP932 cannot write."""
    with open(path, "rb") as f:
        raw = f.read()
    lines = raw.decode(ENCODING).split("\r\n")
    items = split_items(raw.decode(ENCODING))
    if lines[-1] == "":
        lines.pop()
    if lines != items:
        raise ValueError("the file does not hold one item per line")
    n = int(index)
    if not 0 <= n < len(items):
        raise ValueError(f"no item {n}: the file has {len(items)}")
    if any(c in text for c in ',"\r\n') or text != text.strip() or not text:
        raise ValueError("the text would not stay one item")
    text.encode(ENCODING)  # raises for a character CP932 cannot write
    lines[n] = text
    with open(path, "wb") as f:
        f.write(("\r\n".join(lines) + "\r\n").encode(ENCODING))


def main(argv):
    commands = {"show": (cmd_show, 3), "textconv": (cmd_textconv, 3), "set": (cmd_set, 5)}
    if len(argv) < 2 or argv[1] not in commands or len(argv) != commands[argv[1]][1]:
        sys.stderr.write(__doc__.split("\n\n")[1] + "\n")
        return 2
    sys.stdout.reconfigure(encoding="utf-8")
    try:
        commands[argv[1]][0](*argv[2:])
    except OSError as e:
        sys.stderr.write(f"{argv[2]}: {e.strerror}\n")
        return 1
    except ValueError as e:
        sys.stderr.write(f"{argv[2]}: {e}\n")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
