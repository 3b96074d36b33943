#!/usr/bin/python3
"""Lighthouse's mobile figures of the web page: Performance, Accessibility and
Best Practices, Largest Contentful Paint, and the bytes fetched.

    bench/web/lighthouse.py [--site build-web/site ...] [--runs 5] [--report docs/lighthouse/mobile.html]

Lighthouse is the npm package pinned in tools/web/lighthouse (tools/setup.sh lighthouse
installs it), run with its default settings, which are a phone's: a Moto G
Power's screen, the network slowed to 1.6 Mbps with 150 ms round trips, the
processor to a quarter. It drives Debian's chromium, headless. The site is
served from 127.0.0.1 by Python's http.server, compressing text with gzip as
static hosts do (tests/web/browser.py), or as it is with --plain. Each run starts a fresh profile, so
nothing is cached; the figures are the medians of the runs, and the report kept
is that of the first site's run whose Performance is the median. Several sites
(the page before a change, and after it) are measured in turns, run by run.
"""

import argparse
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
from browser import SiteServer  # noqa: E402

LIGHTHOUSE = ROOT / "tools/web/lighthouse/node_modules/.bin/lighthouse"
CATEGORIES = ["performance", "accessibility", "best-practices"]


def run_once(url, out):
    env = dict(os.environ, CHROME_PATH=shutil.which("chromium") or "/usr/bin/chromium")
    subprocess.run([str(LIGHTHOUSE), url, "--quiet", "--output=json", "--output=html",
                    f"--output-path={out}", "--only-categories=" + ",".join(CATEGORIES),
                    "--chrome-flags=--headless=new --no-sandbox --disable-gpu"],
                   env=env, check=True)
    report = json.loads(pathlib.Path(f"{out}.report.json").read_text())
    audits = report["audits"]
    scores = {c: round(report["categories"][c]["score"] * 100) for c in CATEGORIES}
    failed = sorted(a for c in CATEGORIES for a in
                    (r["id"] for r in report["categories"][c]["auditRefs"] if r["weight"] > 0)
                    if audits[a]["score"] is not None and audits[a]["score"] < 1)
    return {**scores, "lcp": audits["largest-contentful-paint"]["numericValue"],
            "fcp": audits["first-contentful-paint"]["numericValue"],
            "tbt": audits["total-blocking-time"]["numericValue"],
            "bytes": audits["total-byte-weight"]["numericValue"], "failed": failed,
            "html": pathlib.Path(f"{out}.report.html")}


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
    parser.add_argument("--report", help="where to keep the median run's HTML report")
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
    try:
        for i in range(args.runs):
            for n, (site, server) in enumerate(zip(sites, servers)):
                runs[site].append(run_once(server.url, work / f"site{n}-run{i}"))
    finally:
        for server in servers:
            server.stop()
    for site in sites:
        summary(site, runs[site])
    if args.report:
        first = runs[sites[0]]
        median = sorted(first, key=lambda r: r["performance"])[len(first) // 2]
        pathlib.Path(args.report).parent.mkdir(parents=True, exist_ok=True)
        shutil.copyfile(median["html"], args.report)
    if args.keep:
        print(f"the runs' reports: {work}")
    else:
        shutil.rmtree(work)
    return 0


if __name__ == "__main__":
    sys.exit(main())
