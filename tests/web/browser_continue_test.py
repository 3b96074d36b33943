#!/usr/bin/python3
"""The page's automatic save and 続きから, in headless chromium: the save
written at the menu outlives the page frozen in the background and its tab
gone (the menu waits for no write of it); the title then offers 続きから with what the save holds, taken by a
tap on a phone and by C on a desktop; F5 at the menu saves the same bytes
into the quick save's slot and F9 asks before it loads them. A title with
nothing saved offers nothing.

    browser_continue_test.py --site SITE [--tty ...] [--data ...] [--screenshots DIR]
"""

import pathlib
import sys

HERE = pathlib.Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))
from browser import Browser  # noqa: E402
from browser_phone_test import as_phone  # noqa: E402
from browser_route_test import SKIP, page_test_arguments, Failures  # noqa: E402
from browser_saves_test import NEW_GAME_TO_MENU, kept, play  # noqa: E402

OFFER = "document.getElementById('continueOffer')"
OFFERED = f"{OFFER} && !{OFFER}.hidden && {OFFER}.textContent"
MENU = "velmora.status.waitingFor === 'Form8'"
# The page's database holds the automatic save's write until let go.
HOLD_AUTO_SAVE = ("(() => { const files = velmora.page.files, write = files.writeAll.bind(files);"
                  " let letGo; const held = new Promise((go) => { letGo = go; });"
                  " files.writeAll = async (f) => { if (f.some((x) => x.name === 'auto')) await held;"
                  " return write(f); }; window.letAutoSaveGo = letGo; })()")


def title(browser):
    """The page opened again; what 続きから says once the title waits."""
    browser.open()
    browser.wait_for("window.velmora && velmora.status && velmora.status.waitingFor === 'lblMsg'",
                     "the title")
    return browser.evaluate(OFFERED)


def said_since(browser, before):
    return browser.evaluate(f"velmora.status.messages.slice({before})")


def resumed(browser, take, failures, what):
    """The title's offer taken: the game loads the automatic save and says so."""
    before = browser.evaluate("velmora.status.messages.length")
    take()
    browser.wait_for("velmora.status.waitingFor === 'Form3'", "NEXT after 続きから")
    said = said_since(browser, before)
    failures.check(said == ["オートセーブデータをロードしました。"], f"{what} loads the automatic save: {said!r}")


def main():
    args = page_test_arguments(__doc__)
    if args is None:
        return SKIP
    failures = Failures()
    shots = args.shots
    with Browser(args.site) as browser:
        failures.check(not title(browser), "a title with nothing saved offers no 続きから")
        browser.evaluate(HOLD_AUTO_SAVE)
        play(browser, NEW_GAME_TO_MENU)
        browser.wait_for(MENU, "the first menu while its automatic save is being written")
        browser.evaluate("letAutoSaveGo()")
        auto = kept(browser, "auto")
        failures.check(auto is not None, "the menu's automatic save is kept")
        browser.key("F5")
        browser.wait_for("document.getElementById('notice').textContent === 'クイックセーブしました' && "
                         "!document.getElementById('notice').hidden", "the quick save's notice")
        failures.check(kept(browser, "quick") == auto, "F5 at the menu saves what the automatic save holds")
        play(browser, ["防波堤"])
        before = browser.evaluate("velmora.status.messages.length")
        browser.key("F9")
        browser.wait_for("velmora.status.waitingFor === 'Form2'", "the quick load's question")
        play(browser, ["yes"])
        said = said_since(browser, before)
        failures.check(said[:2] == ["クイックセーブデータをロードします。よろしいですか？",
                                    "クイックセーブデータをロードしました。"], f"F9 asks, then loads the quick save: {said!r}")
        # Dropped in the background: frozen, and its tab gone without a word.
        browser.send("Page.setWebLifecycleState", state="frozen")
        browser.new_tab()
        offered = title(browser)
        failures.check(bool(offered) and offered.startswith("続きから") and "4月1日 AM 9:30" in offered and
                       "保存 " in offered, f"the title opened again offers what the last menu saved: {offered!r}")
        if shots:
            browser.screenshot(shots / "web-continue.png")
        as_phone(browser, 390, 844)
        browser.wait_for(f"{OFFER}.getBoundingClientRect().height >= 44", "the offer at a phone's size")
        if shots:
            browser.screenshot(shots / "phone-continue.png")
        resumed(browser, lambda: browser.tap("#continueOffer"), failures, "a tap on 続きから")
        failures.check(browser.evaluate(f"{OFFER}.hidden"), "続きから goes once the game has begun")
        browser.new_tab()
        title(browser)
        resumed(browser, lambda: browser.key("c"), failures, "C at the title")
    print(f"continue: {failures.passed} passed, {failures.count} failed")
    return 1 if failures.count else 0


if __name__ == "__main__":
    sys.exit(main())
