#!/usr/bin/python3
"""Lighthouse's mobile figures of the web page: Performance, Accessibility and
Best Practices, Largest Contentful Paint, and the bytes fetched; and which
element is the largest paint, and what was fetched before it.

    bench/web/lighthouse.py [--site build-web/site ...] [--runs 5] [--figures docs/lighthouse/mobile.json]

Lighthouse is the npm package pinned in tools/web/lighthouse (tools/setup.sh lighthouse
installs it), run with its default settings, which are a phone's: a Moto G
Power's screen, the network slowed to 1.6 Mbps with 150 ms round trips, the
processor to a quarter. It drives Debian's chromium, headless. The site is
served from 127.0.0.1 by Python's http.server, with the compressed copies
beside the files as static hosts serve them (tests/web/browser.py), or as it is
with --plain. Each run starts a fresh profile, so nothing is cached; the figures
are the medians of the runs. Several sites (the page before a change, and after
it) are measured in turns, run by run, and the machine's load is taken before
and after. --figures keeps them as JSON of the project's own (never
Lighthouse's report, a program of its own under another licence).

The largest paint: Lighthouse's own audit names the element where it can (with
chromium 156 its trace gatherer fails); beside it, the page in chromium with a
phone's screen, network and processor (DevTools' emulation, as
bench/web/measure.py's slow rounds) reports its largest-contentful-paint
entries: the element, its picture, when, and what was fetched before it.
"""

import argparse
import datetime
import json
import os
import pathlib
import shutil
import statistics
import subprocess
import sys
import tempfile

ROOT = pathlib.Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "tests/web"))
from browser import Browser, SiteServer  # noqa: E402

LIGHTHOUSE = ROOT / "tools/web/lighthouse/node_modules/.bin/lighthouse"
CATEGORIES = ["performance", "accessibility", "best-practices"]


def run_once(url, out):
    env = dict(os.environ, CHROME_PATH=shutil.which("chromium") or "/usr/bin/chromium")
    subprocess.run([str(LIGHTHOUSE), url, "--quiet", "--output=json",
                    f"--output-path={out}", "--only-categories=" + ",".join(CATEGORIES),
                    "--chrome-flags=--headless=new --no-sandbox --disable-gpu"],
                   env=env, check=True)
    report = json.loads(pathlib.Path(out).read_text())
    audits = report["audits"]
    scores = {c: round(report["categories"][c]["score"] * 100) for c in CATEGORIES}
    failed = sorted(a for c in CATEGORIES for a in
                    (r["id"] for r in report["categories"][c]["auditRefs"] if r["weight"] > 0)
                    if audits[a]["score"] is not None and audits[a]["score"] < 1)
    return {**scores, "lcp": audits["largest-contentful-paint"]["numericValue"],
            "fcp": audits["first-contentful-paint"]["numericValue"],
            "tbt": audits["total-blocking-time"]["numericValue"],
            "bytes": audits["total-byte-weight"]["numericValue"], "failed": failed,
            "element": lcp_element(audits["largest-contentful-paint-element"]),
            "lighthouse": report["lighthouseVersion"], "chromium": report["environment"]["hostUserAgent"]}


def lcp_element(audit):
    """The element Lighthouse names as the largest paint, or why it names none."""
    try:
        node = audit["details"]["items"][0]["items"][0]["node"]
        return node.get("selector") or node.get("snippet")
    except (KeyError, IndexError):
        return "not named: " + audit.get("errorMessage", "no element")[:120]


# A phone's screen, network and processor, as Lighthouse's mobile settings.
PHONE = {"width": 412, "height": 823, "deviceScaleFactor": 1.75, "mobile": True}
SLOW = {"offline": False, "latency": 150, "downloadThroughput": 1.6e6 / 8, "uploadThroughput": 750e3 / 8}
WATCH = """window.velmoraPaints = [];
new PerformanceObserver((list) => { for (const e of list.getEntries()) {
  const el = e.element;
  velmoraPaints.push({ ms: Math.round(e.startTime), size: e.size, picture: e.url.replace(location.origin, ''),
    element: el ? el.tagName.toLowerCase() + (el.id ? '#' + el.id : '') : null });
} }).observe({ type: 'largest-contentful-paint', buffered: true });"""


def largest_paint(site):
    """The page's largest paint on a phone's settings: its element and picture,
    when, and the requests and bytes fetched before it."""
    with Browser(site, width=PHONE["width"], height=PHONE["height"], deadline=180) as browser:
        browser.send("Emulation.setDeviceMetricsOverride", **PHONE)
        browser.send("Emulation.setCPUThrottlingRate", rate=4)
        browser.send("Network.enable")
        browser.send("Network.emulateNetworkConditions", **SLOW)
        browser.send("Page.addScriptToEvaluateOnNewDocument", source=WATCH)
        browser.open()
        browser.wait_for("window.velmora && velmora.status && velmora.status.waits", "the game's first wait")
        paint = browser.evaluate("velmoraPaints[velmoraPaints.length - 1]")
        paint["fetched before"] = browser.evaluate(
            f"(() => {{ const r = performance.getEntriesByType('resource').filter(r => r.startTime < {paint['ms']});"
            "return { requests: r.length + 1, bytes: r.reduce((s, e) => s + e.transferSize, 0) + "
            "performance.getEntriesByType('navigation')[0].transferSize }; })()")
        return paint


def medians(runs):
    return {key: statistics.median(r[key] for r in runs)
            for key in [*CATEGORIES, "lcp", "fcp", "tbt", "bytes"]}


def summary(site, runs):
    for r in runs:
        print(f"  {' '.join(f'{c} {r[c]}' for c in CATEGORIES)} LCP {r['lcp']:.0f} ms FCP {r['fcp']:.0f} ms "
              f"TBT {r['tbt']:.0f} ms bytes {r['bytes']:,.0f}; below 1: {', '.join(r['failed'])}")
    print(f"{site}: median " + ", ".join(f"{c} {statistics.median(r[c] for r in runs):.0f}" for c in CATEGORIES) +
          f"; LCP {statistics.median(r['lcp'] for r in runs):.0f} ms, "
          f"FCP {statistics.median(r['fcp'] for r in runs):.0f} ms, "
          f"TBT {statistics.median(r['tbt'] for r in runs):.0f} ms, "
          f"bytes {statistics.median(r['bytes'] for r in runs):,.0f}")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--site", action="append", help="a site folder (again for another)")
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--figures", help="where to keep the figures (JSON)")
    parser.add_argument("--plain", action="store_true", help="serve without compression")
    parser.add_argument("--keep", action="store_true", help="keep every run's reports (their folder is said)")
    args = parser.parse_args()
    sites = args.site or [str(ROOT / "build-web/site")]
    if not LIGHTHOUSE.exists():
        print(f"no {LIGHTHOUSE}: tools/setup.sh lighthouse installs it", file=sys.stderr)
        return 1
    work = pathlib.Path(tempfile.mkdtemp(prefix="velmora-lighthouse-"))
    servers = [SiteServer(site, compress=not args.plain) for site in sites]
    runs = {site: [] for site in sites}
    load = [os.getloadavg()[0]]
    try:
        for i in range(args.runs):
            for n, (site, server) in enumerate(zip(sites, servers)):
                runs[site].append(run_once(server.url, work / f"site{n}-run{i}.json"))
    finally:
        for server in servers:
            server.stop()
    load.append(os.getloadavg()[0])
    paints = {site: largest_paint(site) for site in sites}
    for site in sites:
        summary(site, runs[site])
        print(f"  largest paint: {json.dumps(paints[site], ensure_ascii=False)}")
    print(f"load average {load[0]:.1f} before the runs, {load[1]:.1f} after")
    if args.figures:
        first = runs[sites[0]][0]
        kept = {"taken": datetime.datetime.now(datetime.timezone.utc).strftime("%Y-%m-%d %H:%M UTC"),
                "load average (before, after)": [round(x, 1) for x in load],
                "lighthouse": first["lighthouse"], "browser": first["chromium"],
                "served": "plain" if args.plain else "compressed copies (br, gz)",
                "sites": {site: {"median": medians(runs[site]), "largest paint": paints[site],
                                 "runs": [{k: v for k, v in r.items() if k not in ("lighthouse", "chromium")}
                                          for r in runs[site]]} for site in sites}}
        pathlib.Path(args.figures).parent.mkdir(parents=True, exist_ok=True)
        pathlib.Path(args.figures).write_text(json.dumps(kept, indent=1, ensure_ascii=False) + "\n")
    if args.keep:
        print(f"the runs' reports: {work}")
    else:
        shutil.rmtree(work)
    return 0


if __name__ == "__main__":
    sys.exit(main())
