#!/usr/bin/python3
"""The web page's figures: what a player downloads, the time from navigation to
the painted title, and the answer to a click, measured in the page.

    bench/web/measure.py [--site build-web/site] [--tty build-test/velmora-tty] [--rounds 21]
                         [--before SITE]

- Sizes: every file of the site by kind, and what the browser had fetched by the
  time the title was painted (the first screen).
- Title: headless chromium on localhost, a fresh profile (nothing cached) each
  round; from navigation start to the first frame after the title's pictures
  and face are ready (the page's own mark, window.velmora.titlePaintedAt), with
  the browser's first contentful paint beside it, and the moment the game is
  ready for the title click.
- Click: a whole game (tests/web/route.txt) played by clicks and keys; for each
  answer, the page times from the click event to the next wait of the game (the
  page has changed) and to the start of the frame that shows it.
- --before SITE: the title of the version before, in the same rounds, the order
  alternating; the figure is the median of the per-round ratios this / before.
"""

import argparse
import pathlib
import statistics
import sys

ROOT = pathlib.Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "tests/web"))
from browser import Browser  # noqa: E402
from browser_route_test import PagePlayer, read_decisions  # noqa: E402

KINDS = [("engine (wasm)", (".wasm",)), ("engine glue (JS)", ("velmora-engine.js",)),
         ("page (HTML, CSS, JS)", (".html", ".css", ".js")), ("fonts", (".woff2",)),
         ("music (FLAC)", (".flac",)), ("pictures", (".gif", ".jpg", ".png")),
         ("scenario files, files.json", (".dat", ".json")), ("licence and notes", (".txt",))]


def kind_of(path):
    for kind, endings in KINDS:
        if any(path.name.endswith(e) for e in endings):
            return kind
    return "other"


def sizes(site):
    by_kind = {}
    for f in site.rglob("*"):
        if f.is_file():
            by_kind[kind_of(f)] = by_kind.get(kind_of(f), 0) + f.stat().st_size
    return by_kind


def title_needs(site):
    """The files the title screen is drawn from: the page, its face and the
    design pictures; the engine, the data and the other faces come later."""
    needed = [site / "index.html", site / "velmora.css", site / "fonts/velmora-p-gothic.woff2",
              *site.glob("design/*"), *(f for f in site.glob("*.js") if f.name != "velmora-engine.js")]
    return sum(f.stat().st_size for f in needed)


def quartiles(values):
    values = sorted(values)
    return values[len(values) // 2], values[int(len(values) * 0.9)], values[-1]


def title_round(site):
    with Browser(str(site)) as browser:
        browser.open()
        painted = browser.wait_for("window.velmora && velmora.titlePaintedAt", "the painted title")
        ready = browser.wait_for("window.velmora.status && velmora.status.waits && performance.now()",
                                 "the game's first wait")
        fcp = browser.evaluate(
            "(performance.getEntriesByName('first-contentful-paint')[0] || {}).startTime")
        fetched = browser.evaluate(
            f"performance.getEntriesByType('resource').filter(r => r.responseEnd <= {painted})"
            ".reduce((s, r) => s + r.encodedBodySize, 0) + "
            "performance.getEntriesByType('navigation')[0].encodedBodySize")
    return painted, fcp, ready, fetched


def compare_titles(site, before, rounds):
    now, then, ratios = [], [], []
    for i in range(rounds):
        pair = [(site, now), (before, then)][::1 if i % 2 else -1]
        for where, into in pair:
            into.append(title_round(where)[0])
        ratios.append(now[-1] / then[-1])
    print(f"title painted: this {statistics.median(now):.0f} ms, before {statistics.median(then):.0f} ms "
          f"(medians over {rounds} rounds); median of the per-round ratios {statistics.median(ratios):.2f}")
    return 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--site", default=str(ROOT / "build-web/site"))
    parser.add_argument("--rounds", type=int, default=21)
    parser.add_argument("--before", help="the site of the version before, measured in the same rounds")
    args = parser.parse_args()
    site = pathlib.Path(args.site)
    if args.before:
        return compare_titles(site, pathlib.Path(args.before), args.rounds)

    by_kind = sizes(site)
    total = sum(by_kind.values())
    print("| What | Bytes |\n|---|---|")
    for kind, _ in KINDS:
        if kind in by_kind:
            print(f"| {kind} | {by_kind[kind]:,} |")
    print(f"| **all** | **{total:,}** ({total / 1e6:.2f} MB) |")
    print(f"| of which the title screen needs | {title_needs(site):,} |\n")

    rounds = [title_round(site) for _ in range(args.rounds)]
    painted = [r[0] for r in rounds]
    fcp = [r[1] for r in rounds if r[1]]
    ready = [r[2] for r in rounds]
    print(f"title painted: median {statistics.median(painted):.0f} ms, p90 {quartiles(painted)[1]:.0f}, "
          f"max {max(painted):.0f} over {len(rounds)} cold rounds")
    print(f"first contentful paint: median {statistics.median(fcp):.0f} ms; "
          f"game ready for the title click: median {statistics.median(ready):.0f} ms")
    print(f"fetched by the painted title: {statistics.median(r[3] for r in rounds):,.0f} bytes\n")

    with Browser(str(site)) as browser:
        browser.open()
        browser.wait_for("window.velmora && velmora.status && velmora.status.waitingFor", "the title")
        PagePlayer(browser, read_decisions(ROOT / "tests/web/route.txt")).play()
        clicks = browser.evaluate("velmora.status.clicks")
    changed = [c["changed"] for c in clicks]
    frame = [c["frame"] for c in clicks]
    within = sum(f <= 1000 / 60 for f in frame)
    print(f"clicks: {len(clicks)}; to the changed page median {statistics.median(changed):.2f} ms, "
          f"p90 {quartiles(changed)[1]:.2f}, max {max(changed):.2f}; to its frame median "
          f"{statistics.median(frame):.2f} ms, p90 {quartiles(frame)[1]:.2f}, max {max(frame):.2f}; "
          f"{within} of {len(frame)} within one 60 Hz frame")
    slow = sorted(clicks, key=lambda c: -c["frame"])[:len(frame) - within]
    print("beyond one frame: " + ", ".join(f"#{clicks.index(c)} {c['window']} {c['frame']:.1f} ms"
                                          for c in slow))
    return 0


if __name__ == "__main__":
    sys.exit(main())
