#!/usr/bin/python3
"""The include graph between the folders of the tree: who includes whom.

  /usr/bin/python3 tools/include_graph.py --check
  /usr/bin/python3 tools/include_graph.py [--commit REV] --svg FILE

Each folder of C++ is a node (a folder's own subfolders that are no part of
their own, such as backends/qt/design/, count with it), sized by its
non-blank lines; an arrow goes from a folder to each folder it includes a
header of. The folders stand in layers, the platform's interface at the
ground (LAYERS): an include goes down, never up nor sideways, so there is
no circle. --check says every arrow that breaks that, every folder the
layers do not place, and any folder (its subfolders with it) that holds
half of the code or more; it exits 1 if there is any. --commit draws the
tree as it was at that commit (a layout the layers need not know).
"""
import argparse
import collections
import html
import os
import re
import subprocess
import sys

# The ground first. A folder includes only folders of the layers below its own.
LAYERS = [
    ["platform"],
    ["backends/posix", "player", "world"],
    ["replay", "presentation", "places"],
    ["backends/qt", "backends/tty", "backends/web", "finale"],
    ["shell"],
    ["app"],
    ["tools"],
    ["bench", "tests"],
]
# The code counted, as the folders' share of it: what is built or run, not
# the tests, data, documents or packaging.
COUNTED = re.compile(r"(\.(cpp|h|js|css|html|py|sh|cmake|in)|CMakeLists\.txt)$")
NOT_COUNTED = ("tests/", "data/", "docs/", "debian/", "LICENSES/")
CPP = (".cpp", ".h", ".in")
INCLUDE = re.compile(r'^\s*#\s*include\s*[<"]([^">]+)[">]', re.M)
# Subfolders that belong to the part above them.
FOLDED = re.compile(r"^((?:backends|platform)/qt)/design\b|^(world)/\w+"
                    r"|^((?:backends|platform)/web)/page\b|^(tools|tests|bench)/")


class Tree:
    """The tree's files, as checked out or at a commit; outside a checkout,
    every file but those of a build (a folder holding CMakeCache.txt)."""

    def __init__(self, commit=None):
        self.commit = commit
        args = ["git", "ls-tree", "-r", "--name-only", commit] if commit else ["git", "ls-files"]
        listed = subprocess.run(args, capture_output=True, text=True)
        if listed.returncode == 0:
            self.files = [f for f in listed.stdout.splitlines() if commit or os.path.isfile(f)]
            return
        if commit:
            sys.exit(listed.stderr)
        self.files = []
        for folder, dirs, files in os.walk("."):
            dirs[:] = [d for d in dirs if not d.startswith(".")
                       and not os.path.exists(os.path.join(folder, d, "CMakeCache.txt"))]
            self.files += [os.path.relpath(os.path.join(folder, f)) for f in files]

    def text(self, name):
        if self.commit:
            out = subprocess.run(["git", "show", f"{self.commit}:{name}"], capture_output=True,
                                 check=True).stdout
        else:
            with open(name, "rb") as f:
                out = f.read()
        return out.decode("utf-8", "replace")


def folder_of(path):
    folder = os.path.dirname(path)
    match = FOLDED.match(folder)
    if match:
        return next(g for g in match.groups() if g)
    return folder


def read(tree):
    """(lines by folder of C++, lines by top folder, total, arrows {(from, to): includes})."""
    lines, tops = collections.Counter(), collections.Counter()
    arrows = collections.Counter()
    folders = {folder_of(f) for f in tree.files if f.endswith(CPP)}
    total = 0
    for name in tree.files:
        counted = COUNTED.search(name) and not name.startswith(NOT_COUNTED)
        cpp = name.endswith(CPP)
        if not counted and not cpp:
            continue
        text = tree.text(name)
        n = sum(1 for line in text.splitlines() if line.strip())
        if folder_of(name) in folders:
            lines[folder_of(name)] += n
        if counted:
            total += n
            tops[name.split("/")[0] if "/" in name else "."] += n
        if cpp:
            here = folder_of(name)
            for included in INCLUDE.findall(text):
                there = folder_of(included)
                if there in folders and there != here:
                    arrows[(here, there)] += 1
    return lines, tops, total, arrows


def layer_of(folder):
    return next((i for i, layer in enumerate(LAYERS) if folder in layer), None)


def circles(arrows):
    """Every circle as a list of folders (none, in a tree that holds its walls)."""
    graph = collections.defaultdict(list)
    for a, b in arrows:
        graph[a].append(b)
    found, state = [], {}

    def visit(node, path):
        state[node] = 1
        for nxt in graph[node]:
            if state.get(nxt) == 1:
                found.append(path[path.index(nxt):] + [nxt])
            elif nxt not in state:
                visit(nxt, path + [nxt])
        state[node] = 2

    for node in sorted(graph):
        if node not in state:
            visit(node, [node])
    return found


def check(lines, tops, total, arrows):
    faults = []
    for folder in sorted(lines):
        if layer_of(folder) is None:
            faults.append(f"{folder}: a folder the layers do not place (tools/include_graph.py)")
    for (a, b), n in sorted(arrows.items()):
        la, lb = layer_of(a), layer_of(b)
        if la is not None and lb is not None and lb >= la:
            faults.append(f"{a} -> {b}: an arrow {'sideways' if la == lb else 'up'} "
                          f"({n} includes)")
    for circle in circles(arrows):
        faults.append("a circle: " + " -> ".join(circle))
    for top, n in tops.most_common():
        if 2 * n >= total:
            faults.append(f"{top}/ holds {n} of the code's {total} lines")
    return faults


# Folders that stand on top of all and may include any other: left out of
# the picture, which they would cross with an arrow to nearly every box.
ON_TOP = ("tests", "bench")


def svg(lines, tops, total, arrows, title):
    """Layers as rows, the ground at the bottom; each arrow from includer to included."""
    arrows = {(a, b): n for (a, b), n in arrows.items() if a not in ON_TOP}
    placed = [folder for layer in LAYERS for folder in layer]  # the platform's side first
    nodes = sorted({a for a, _ in arrows} | {b for _, b in arrows},
                   key=lambda n: (placed.index(n) if n in placed else len(placed), n))
    rows = collections.defaultdict(list)
    for node in nodes:
        layer = layer_of(node)
        if layer is None:  # a layout the layers do not know: placed by its arrows
            layer = depth(node, arrows)
        rows[layer].append(node)
    width, box_h, gap_y = 1100, 46, 70
    height = 80 + len(rows) * (box_h + gap_y)
    where = {}
    for r, layer in enumerate(sorted(rows, reverse=True)):
        row = rows[layer]
        y = 70 + r * (box_h + gap_y)
        step = width / len(row)
        for i, node in enumerate(row):
            # Rows shifted by turns, so that an arrow past a row misses its boxes.
            where[node] = (step * i + step / 2 + ((r % 3) - 1) * 70, y)
    out = [f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" '
           f'font-family="sans-serif" font-size="13">',
           '<defs><marker id="a" viewBox="0 0 10 10" refX="10" refY="5" markerWidth="7" '
           'markerHeight="7" orient="auto"><path d="M0,0L10,5L0,10z" fill="#555"/></marker>'
           '</defs>', f'<rect width="{width}" height="{height}" fill="white"/>',
           f'<text x="10" y="22" font-size="15">{html.escape(title)}</text>',
           f'<text x="10" y="42">Top folders (every subfolder in): '
           + html.escape(", ".join(f"{t}/ {100 * n / total:.0f} %" for t, n in tops.most_common(4)))
           + f'; {" and ".join(ON_TOP)}/ stand on top of all (not drawn)</text>']
    # The boxes first: an arrow that only passes a box is seen to go on across it.
    for node, (x, y) in where.items():
        share = 100 * lines[node] / total
        w = max(110, 9 * len(node) + 20)
        fill = "#fdd" if share >= 25 else "#eef"
        out.append(f'<rect x="{x - w / 2:.0f}" y="{y}" width="{w}" height="{box_h}" rx="6" '
                   f'fill="{fill}" stroke="#336"/>')
        out.append(f'<text x="{x:.0f}" y="{y + 19}" text-anchor="middle">'
                   f'{html.escape(node)}/</text>')
        out.append(f'<text x="{x:.0f}" y="{y + 37}" text-anchor="middle" font-size="11">'
                   f'{lines[node]} lines' + (f', {share:.0f} %' if share else '') + '</text>')
    for (a, b) in sorted(arrows):
        (xa, ya), (xb, yb) = where[a], where[b]
        up = yb < ya
        y1 = ya if up else ya + box_h
        y2 = yb + box_h if up else yb
        colour = "#c00" if up or ya == yb else "#555"
        bend = (y2 - y1) / 2  # leaves and reaches a box upright
        out.append(f'<path d="M{xa:.0f},{y1} C{xa:.0f},{y1 + bend:.0f} {xb:.0f},{y2 - bend:.0f} '
                   f'{xb:.0f},{y2}" fill="none" stroke="{colour}" stroke-opacity="0.6" '
                   f'marker-end="url(#a)"/>')
    out.append("</svg>")
    return "\n".join(out) + "\n"


def depth(node, arrows, seen=()):
    below = [b for a, b in arrows if a == node and b not in seen]
    return 1 + max((depth(b, arrows, seen + (node,)) for b in below), default=-1)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--commit", help="the tree at this commit")
    parser.add_argument("--check", action="store_true")
    parser.add_argument("--svg")
    parser.add_argument("--title", default="")
    args = parser.parse_args()
    lines, tops, total, arrows = read(Tree(args.commit))
    title = args.title or f"Includes between folders at {args.commit or 'the working tree'}"
    if args.svg:
        with open(args.svg, "w") as f:
            f.write(svg(lines, tops, total, arrows, title))
    if args.check:
        faults = check(lines, tops, total, arrows)
        for fault in faults:
            print(fault)
        print(f"include graph: {len(lines)} folders, {len(arrows)} arrows, "
              f"{total} lines; {len(faults)} faults")
        return 1 if faults else 0
    return 0


if __name__ == "__main__":
    sys.exit(main())
