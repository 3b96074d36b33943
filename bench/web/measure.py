#!/usr/bin/python3
"""The web page's figures: what a player downloads, the time from navigation to
the painted title, and the answer to a click, measured in the page.

    bench/web/measure.py [--site build-web/site] [--rounds 21] [--slow-rounds 5] [--record]

- Sizes: every file of the site by kind (the compressed copies beside the
  files apart), and what the browser had fetched by the time the title was
  painted (the first screen).
- A first visit's bytes, as the server sends them, from a plain static
  server and from one that serves the compressed copies: those before the
  painted title, and the whole visit, once the service worker keeps the site.
- Title: headless chromium on localhost, a fresh profile (nothing cached) each
  round; from navigation start to the first frame after the title's pictures
  and face are ready (the page's own mark, window.velmora.titlePaintedAt), with
  the browser's first contentful paint beside it, and the moment the game is
  ready for the title click.
- The same on a slow network (DevTools' network emulation: 1.6 Mbps down,
  750 kbps up, 150 ms round trips, as Lighthouse's phone), with what the page
  has fetched once it stands idle; then, played on from the title, the time
  from the first scene's music being asked for to its playing.
- Click: a whole game (tests/web/route.txt) played by clicks and keys; for each
  answer, the page times from the click event to the next wait of the game (the
  page has changed) and to the start of the frame that shows it.

The site is served with its compressed copies, as static hosts serve it
(tests/web/browser.py). --record writes the figures the README quotes into
docs/benchmarks.md (bench/figures.py).
"""

import argparse
import os
import pathlib
import statistics
import sys
import time

ROOT = pathlib.Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "tests/web"))
sys.path.insert(0, str(ROOT / "bench"))
import figures  # noqa: E402
from browser import Browser, PlainHandler, SiteHandler, SiteServer  # noqa: E402
from browser_route_test import PagePlayer, read_decisions  # noqa: E402

KINDS = [("engine (wasm)", (".wasm",)), ("engine glue (JS)", ("velmora-engine.js",)),
         ("page (HTML, CSS, JS, manifest)", (".html", ".css", ".js", ".webmanifest")),
         ("fonts", (".woff2",)), ("music (FLAC)", (".flac",)), ("music (Vorbis)", (".ogg",)),
         ("music (Opus)", (".opus",)), ("pictures", (".gif", ".jpg", ".png")),
         ("scenario files, files.json", (".dat", ".json")), ("licence and notes", (".txt",))]
# A phone's network, as Lighthouse's mobile settings have it.
SLOW = {"offline": False, "latency": 150, "downloadThroughput": 1.6e6 / 8, "uploadThroughput": 750e3 / 8}
FETCHED = ("performance.getEntriesByType('resource').reduce((s, r) => s + r.transferSize, 0) + "
           "performance.getEntriesByType('navigation')[0].transferSize")


def kind_of(path):
    for kind, endings in KINDS:
        if any(path.name.endswith(e) for e in endings):
            return kind
    return "other"


def packed_copy(f):
    return f.suffix in (".br", ".gz")


def sizes(site):
    by_kind = {}
    for f in site.rglob("*"):
        if f.is_file() and not packed_copy(f):
            by_kind[kind_of(f)] = by_kind.get(kind_of(f), 0) + f.stat().st_size
    return by_kind


def title_needs(site):
    """The files the title screen is drawn from: the page, its style, its
    script, its face and the design pictures; the page's other modules, the
    engine, the data and the other faces come later."""
    needed = [site / "index.html", site / "velmora.css", site / "phone.css", site / "main.js",
              site / "notices.js", site / "fonts/velmora-p-gothic-title.woff2",
              *(f for f in site.glob("design/*") if not packed_copy(f))]
    return sum(f.stat().st_size for f in needed if f.exists())


class Tally:
    """A server's output, its bytes counted."""

    def __init__(self, raw, sent):
        self.raw, self.sent = raw, sent

    def write(self, data):
        self.sent[0] += len(data)
        return self.raw.write(data)

    def __getattr__(self, name):
        return getattr(self.raw, name)


class CountingBrowser(Browser):
    """The site from a plain static server or one that serves the compressed
    copies, every byte it sends counted."""

    def __init__(self, site, compress):
        super().__init__(str(site))
        self.compress, self.sent = compress, [0]

    def serve(self):
        sent = self.sent

        class Counting(SiteHandler if self.compress else PlainHandler):
            def setup(self):
                super().setup()
                self.wfile = Tally(self.wfile, sent)

        self.server = SiteServer(self.site, handler=Counting)
        self.url = self.server.url


def first_visit(site, compress):
    """The bytes of a first visit: fetched by the painted title, and sent in all
    once the service worker keeps the site and nothing more comes for a second."""
    with CountingBrowser(site, compress) as browser:
        browser.open()
        painted = browser.wait_for("window.velmora && velmora.titlePaintedAt", "the painted title")
        before = browser.evaluate(
            f"performance.getEntriesByType('resource').filter(r => r.responseEnd <= {painted})"
            ".reduce((s, r) => s + r.transferSize, 0) + "
            "performance.getEntriesByType('navigation')[0].transferSize")
        browser.wait_for("navigator.serviceWorker.ready.then(r => r.active && r.active.state === 'activated')",
                         "the kept site", 300)
        sent, still = browser.sent[0], time.monotonic()
        while time.monotonic() - still < 1:
            time.sleep(0.1)
            if browser.sent[0] != sent:
                sent, still = browser.sent[0], time.monotonic()
        return before, sent


def quartiles(values):
    values = sorted(values)
    return values[len(values) // 2], values[int(len(values) * 0.9)], values[-1]


def title_round(site, slow=False):
    with Browser(str(site)) as browser:
        if slow:
            browser.send("Network.enable")
            browser.send("Network.emulateNetworkConditions", **SLOW)
        browser.open()
        painted = browser.wait_for("window.velmora && velmora.titlePaintedAt", "the painted title")
        ready = browser.wait_for("window.velmora.status && velmora.status.waits && performance.now()",
                                 "the game's first wait")
        fcp = browser.evaluate(
            "(performance.getEntriesByName('first-contentful-paint')[0] || {}).startTime")
        fetched = browser.evaluate(
            f"performance.getEntriesByType('resource').filter(r => r.responseEnd <= {painted})"
            ".reduce((s, r) => s + r.transferSize, 0) + "
            "performance.getEntriesByType('navigation')[0].transferSize")
        if not slow:
            return painted, fcp, ready, fetched
        return painted, fcp, ready, fetched, idle_fetch(browser), music_wait(browser)


def idle_fetch(browser):
    """What the page has fetched once nothing more arrives for two seconds."""
    fetched, still = browser.evaluate(FETCHED), time.monotonic()
    while time.monotonic() - still < 2:
        time.sleep(0.25)
        now = browser.evaluate(FETCHED)
        if now != fetched:
            fetched, still = now, time.monotonic()
    return fetched


def music_wait(browser):
    """From the title, played on (the load question, the name, Kumi's call
    declined) until the first music is asked for; the milliseconds from then
    to its playing."""
    browser.evaluate("(() => { const m = velmora.page.music; const play = m.play.bind(m); "
                     "m.play = (n) => { if (!m.askedAt) m.askedAt = performance.now(); play(n); }; })()")
    player = PagePlayer(browser, ["no", "no", "no", "no", "no"])
    while not browser.evaluate("velmora.page.music.askedAt"):
        seen = browser.evaluate("velmora.status.waits")
        player.answer(browser.evaluate("velmora.status.waitingFor"))
        browser.wait_for(f"velmora.status.waits > {seen} || velmora.page.music.askedAt", "the next window")
    browser.wait_for("velmora.page.music.playing()", "the music", 120)
    return browser.evaluate("performance.now() - velmora.page.music.askedAt")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--site", action="append",
                        help="a site folder (again for another: the sites are measured in turns)")
    parser.add_argument("--rounds", type=int, default=21)
    parser.add_argument("--slow-rounds", type=int, default=5)
    parser.add_argument("--visits", type=int, default=3, help="first visits, plain and compressed")
    parser.add_argument("--no-clicks", action="store_true", help="leave out the whole game's clicks")
    parser.add_argument("--record", action="store_true",
                        help="write the first site's figures into docs/benchmarks.md")
    args = parser.parse_args()
    sites = [pathlib.Path(s) for s in args.site or [ROOT / "build-web/site"]]
    load = os.getloadavg()[0]

    visits = {}
    for site in sites:
        print(f"## {site}\n")
        print_sizes(site)
        visits[site] = print_visits(site, args.visits)
    rounds = {site: [] for site in sites}
    slow = {site: [] for site in sites}
    for i in range(max(args.rounds, args.slow_rounds)):
        for site in sites:
            if i < args.rounds:
                rounds[site].append(title_round(site))
            if i < args.slow_rounds:
                slow[site].append(title_round(site, slow=True))
    for site in sites:
        print(f"## {site}\n")
        if rounds[site]:
            print_title(rounds[site], slow[site])
        if not args.no_clicks:
            print_clicks(site)
    if args.record:
        record(sites[0], visits[sites[0]], max(load, os.getloadavg()[0]))
    return 0


def print_visits(site, count):
    """The medians of the first visits' bytes, plain and compressed."""
    medians = {}
    for compress in (False, True):
        runs = [first_visit(site, compress) for _ in range(count)]
        before = statistics.median(r[0] for r in runs)
        whole = statistics.median(r[1] for r in runs)
        medians[compress] = (before, whole)
        print(f"first visit, {'compressed copies' if compress else 'plain server'}: "
              f"{before:,.0f} bytes by the painted title, {whole:,.0f} in all ({count} visits)")
    print()
    return medians


def record(site, visits, load):
    """The figures the README and the docs quote (bench/figures.py)."""
    writer = "bench/web/measure.py --record"
    size = lambda f: (site / f).stat().st_size  # noqa: E731
    site_bytes = sum(sizes(site).values())
    for name, value, unit in [
            ("wasm", f"{size('velmora-engine.wasm') / 1e3:.0f}", "KB"),
            ("site", f"{site_bytes / 1e6:.2f}", "MB"),
            ("before-title-plain", f"{visits[False][0] / 1e3:.0f}", "KB"),
            ("before-title-packed", f"{visits[True][0] / 1e3:.0f}", "KB"),
            ("first-visit-plain", f"{visits[False][1] / 1e6:.2f}", "MB"),
            ("first-visit-packed", f"{visits[True][1] / 1e6:.2f}", "MB"),
            ("music-vorbis", f"{size('data/BGM1.ogg') / 1e6:.2f}", "MB"),
            ("music-opus", f"{size('data/BGM1.opus') / 1e6:.2f}", "MB")]:
        figures.record(name, value, unit, writer, load)


def print_sizes(site):
    by_kind = sizes(site)
    total = sum(by_kind.values())
    print("| What | Bytes |\n|---|---|")
    for kind, _ in KINDS:
        if kind in by_kind:
            print(f"| {kind} | {by_kind[kind]:,} |")
    print(f"| **all** | **{total:,}** ({total / 1e6:.2f} MB) |")
    print(f"| of which the title screen needs | {title_needs(site):,} |\n")


def print_title(rounds, slow):
    painted = [r[0] for r in rounds]
    fcp = [r[1] for r in rounds if r[1]]
    ready = [r[2] for r in rounds]
    print(f"title painted: median {statistics.median(painted):.0f} ms, p90 {quartiles(painted)[1]:.0f}, "
          f"max {max(painted):.0f} over {len(rounds)} cold rounds")
    print(f"first contentful paint: median {statistics.median(fcp):.0f} ms; "
          f"game ready for the title click: median {statistics.median(ready):.0f} ms")
    print(f"fetched by the painted title: {statistics.median(r[3] for r in rounds):,.0f} bytes\n")
    if slow:
        print(f"slow network, {len(slow)} rounds: title painted median "
              f"{statistics.median(r[0] for r in slow):.0f} ms (max {max(r[0] for r in slow):.0f}), "
              f"first contentful paint {statistics.median(r[1] for r in slow if r[1]):.0f} ms, "
              f"game ready for the title click {statistics.median(r[2] for r in slow):.0f} ms; fetched "
              f"by the title {statistics.median(r[3] for r in slow):,.0f} bytes, once idle "
              f"{statistics.median(r[4] for r in slow):,.0f}; the first music playing "
              f"{statistics.median(r[5] for r in slow):.0f} ms after it was asked for\n")


def print_clicks(site):
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
    menus = [c["frame"] for c in clicks if c.get("next") == "Form8"]
    if menus:
        print(f"the menu after a turn (its automatic save begun behind it): {len(menus)}; to its frame "
              f"median {statistics.median(menus):.2f} ms, p90 {quartiles(menus)[1]:.2f}, max {max(menus):.2f}")
    late = sorted(clicks, key=lambda c: -c["frame"])[:len(frame) - within]
    print("beyond one frame: " + ", ".join(f"#{clicks.index(c)} {c['window']} {c['frame']:.1f} ms"
                                          for c in late) + "\n")


if __name__ == "__main__":
    sys.exit(main())
