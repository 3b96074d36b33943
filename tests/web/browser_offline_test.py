#!/usr/bin/python3
"""The installed game without the network, in headless chromium at a phone's
size: after one visit the service worker keeps the whole site; with the site's
server stopped and the network switched off through the protocol, the game
starts from its manifest's start address and plays to its first scene, music
and pictures from what was kept. Then a new version of the site: the game
started again while it is installing runs on the old version, every file of it;
at the next start it runs on the new one, and the old is gone.

    browser_offline_test.py --site SITE [--screenshots DIR]

Without the site (tools/web.sh builds it), chromium or python3-websocket the
test says so and is skipped (exit 77).
"""

import json
import pathlib
import shutil
import sys
import tempfile
import time

HERE = pathlib.Path(__file__).resolve().parent
REPO = HERE.parent.parent
sys.path.insert(0, str(HERE))
sys.path.insert(0, str(REPO / "tools/web"))
from browser import Browser, SiteServer  # noqa: E402
from browser_route_test import SKIP, page_test_arguments, Failures, PagePlayer  # noqa: E402
import build_site  # noqa: E402

PHONE = {"width": 390, "height": 844}
KEPT = ("caches.keys().then(async (names) => { const mine = names.filter(n => n.startsWith('velmora-'));"
        " return Promise.all(mine.map(async n => [n, (await (await caches.open(n)).keys()).length])); })")
ANSWERED_BY_WORKER = ("fetch('velmora.css', { cache: 'no-store' }).then(r => r.text())"
                      ".then(t => t.includes('/* the second version */'))")


def as_phone(browser):
    browser.send("Emulation.setDeviceMetricsOverride", width=PHONE["width"], height=PHONE["height"],
                 deviceScaleFactor=2, mobile=True)
    browser.send("Emulation.setTouchEmulationEnabled", enabled=True, maxTouchPoints=5)
    # As the game opened from the phone's home screen.
    browser.send("Emulation.setEmulatedMedia", features=[{"name": "display-mode", "value": "standalone"}])


def kept_whole(browser):
    """Waits for the worker of this version to have kept every file it keeps:
    all of the site but the music, and one form of the music. The version's
    list, and the caches kept."""
    browser.wait_for("navigator.serviceWorker.ready.then(r => r.active && r.active.state === 'activated')",
                     "the service worker", 120)
    version = browser.evaluate("fetch('service_worker.js', { cache: 'no-store' }).then(r => r.text())"
                               ".then(t => JSON.parse(t.slice(t.indexOf('{'), t.indexOf('};') + 1)))",
                               wait_promise=True)
    wanted = len([f for f in version["files"] if f not in version["musicForms"]]) + 1
    kept = browser.wait_for(f"{KEPT}.then(k => k.length === 1 && k[0][1] === {wanted} && k)",
                            f"the whole site kept ({wanted} files)", 120)
    return version, kept


def new_version_waits_no_more(browser):
    """Once no page of the old version is open, the browser makes the new one
    the site's: a game started before that would still be the old one's."""
    browser.send("ServiceWorker.enable")
    versions = {}
    end = time.monotonic() + browser.deadline
    while time.monotonic() < end:
        for event in [e for e in browser.events if e.get("method") == "ServiceWorker.workerVersionUpdated"]:
            browser.events.remove(event)
            versions.update({v["versionId"]: v["status"] for v in event["params"]["versions"]})
        if versions and "installed" not in versions.values() and "activated" in versions.values():
            return
        browser.evaluate("0")  # events arrive between answers
        time.sleep(0.05)
    raise AssertionError(f"the new version did not take over: {versions}")


def started(browser, address, what):
    browser.open(address)
    return browser.wait_for("window.velmora && velmora.status && velmora.status.waitingFor", what, 60)


def offline_start(site, shots, failures):
    folder = pathlib.Path(tempfile.mkdtemp(prefix="velmora-offline-"))
    shutil.copytree(site, folder / "site")
    with Browser(str(folder / "site"), **PHONE) as browser:
        as_phone(browser)
        started(browser, "", "the first visit")
        version, kept = kept_whole(browser)
        music_kept = browser.evaluate(f"caches.open({json.dumps(kept[0][0])}).then(c => c.keys())"
                                      ".then(k => k.map(r => r.url.split('/').pop()).filter(n => /^BGM1\\./.test(n)))",
                                      wait_promise=True)
        failures.check(kept[0][0] == f"velmora-{version['version']}" and len(music_kept) == 1,
                       f"after one visit the site is kept whole: {kept[0][1]} files, of the music "
                       f"{music_kept} alone")

        # The network goes: the site's server stops, and the browser is offline.
        port = browser.server.server.server_address[1]
        browser.server.stop()
        browser.send("Network.enable")
        browser.send("Network.emulateNetworkConditions", offline=True, latency=0, downloadThroughput=-1,
                     uploadThroughput=-1)
        first = started(browser, "", "the game started offline from its start address")
        if shots:
            browser.wait_for("velmora.titlePaintedAt", "the painted title")
            browser.screenshot(shots / "phone-installed.png")
        player = PagePlayer(browser, ["no", "no"])
        while not browser.evaluate("velmora.page.music.playing()"):
            seen = browser.evaluate("velmora.status.waits")
            player.answer(browser.evaluate("velmora.status.waitingFor"))
            browser.wait_for(f"velmora.status.waits > {seen} || velmora.page.music.playing()", "the next window")
        failures.check(first == "lblMsg" and browser.evaluate("!!navigator.serviceWorker.controller") and
                       not browser.evaluate("document.getElementById('notices').textContent"),
                       "offline, the installed game starts and plays its first scene with its music, "
                       "nothing missing")

        # A new version on the site, at the same address, laid out as the
        # build lays it out: its list of files, and the compressed copies
        # the server sends in their place made again.
        with open(folder / "site/velmora.css", "a", encoding="utf-8") as css:
            css.write("/* the second version */\n")
        build_site.write_service_worker(REPO, folder / "site")
        build_site.pack(folder / "site")
        browser.send("Network.emulateNetworkConditions", offline=False, latency=0, downloadThroughput=-1,
                     uploadThroughput=-1)
        browser.server = SiteServer(folder / "site", port=port)
        started(browser, "", "the game started while the new version installs")
        browser.wait_for("navigator.serviceWorker.getRegistration().then(r => r && !!r.waiting)",
                         "the new version installed beside the old", 120)
        failures.check(not browser.evaluate(ANSWERED_BY_WORKER, wait_promise=True),
                       "while the new version installs, the game runs on the old one, every file")
        browser.new_tab()  # the game closed: no page of the old version is left
        as_phone(browser)
        new_version_waits_no_more(browser)
        started(browser, "", "the game's next start")
        new_version, kept = kept_whole(browser)
        new_files = browser.evaluate(ANSWERED_BY_WORKER, wait_promise=True)
        failures.check(new_files and [n for n, _ in kept] == [f"velmora-{new_version['version']}"] and
                       new_version["version"] != version["version"],
                       f"at the next start the game runs on the new version alone: files of the new "
                       f"version {new_files}, kept {kept}, versions {version['version']} then "
                       f"{new_version['version']}")
    shutil.rmtree(folder)


def main():
    args = page_test_arguments(__doc__)
    if args is None:
        return SKIP
    failures = Failures()
    offline_start(pathlib.Path(args.site), args.shots,
                  failures)
    print(f"offline: {failures.passed} passed, {failures.count} failed")
    return 1 if failures.count else 0


if __name__ == "__main__":
    sys.exit(main())
