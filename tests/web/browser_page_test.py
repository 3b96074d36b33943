#!/usr/bin/python3
"""What the page itself answers for, in headless chromium: a browser without
WebAssembly, storage the browser refuses and a file that cannot be downloaded
are each said in Japanese and the game goes on where it can; the tab put away
is the main window's resizing (the music stops); the comforts' keys.

    browser_page_test.py --site SITE [--tty ...] [--data ...]
"""

import argparse
import pathlib
import shutil
import sys
import tempfile

HERE = pathlib.Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))
from browser import Browser, what_is_missing  # noqa: E402
from browser_route_test import SKIP, Failures, PagePlayer, bring_in  # noqa: E402

NEW_GAME_TO_MENU = ["no", "no", "no"]  # no load, no name, Kumi's invitation declined
BLOCK_STORAGE = """Object.defineProperty(window, 'indexedDB', {
    get() { throw new DOMException('The user denied permission to access the database.', 'SecurityError'); }});"""


def notices(browser):
    return browser.evaluate("document.getElementById('notices').textContent")


def started(browser, script=None, blocked=()):
    if script:
        browser.send("Page.addScriptToEvaluateOnNewDocument", source=script)
    if blocked:
        browser.send("Network.enable")
        browser.send("Network.setBlockedURLs", urls=list(blocked))
    browser.open()
    return browser.wait_for("window.velmora && velmora.status && velmora.status.waitingFor",
                            "the game's first wait")


def messages(browser):
    return browser.evaluate("velmora.status.messages")


def without_webassembly(site, failures):
    with Browser(site) as browser:
        # As a browser whose policy turns WebAssembly off.
        browser.send("Page.addScriptToEvaluateOnNewDocument", source="delete window.WebAssembly;")
        browser.open()
        said = browser.wait_for("document.getElementById('notices').textContent", "a notice")
        failures.check("WebAssembly が使えない" in said, f"no WebAssembly: {said}")
        failures.check(browser.evaluate("document.getElementById('lblMsg').textContent") ==
                       "このメッセージラベルをクリックしてね！", "the title still stands")


def storage_refused(site, failures):
    with Browser(site) as browser:
        started(browser, script=BLOCK_STORAGE)
        failures.check("IndexedDB" in notices(browser), f"storage refused: {notices(browser)}")
        PagePlayer(browser, NEW_GAME_TO_MENU + ["セーブ", "file1", "yes", "ロード", "file1", "yes"]).play()
        shown = messages(browser)
        failures.check("＜file1 にセーブできませんでした。このブラウザではデータを保存できません。＞\r\n"
                       "＜このファイルには何も書き込んでいません。＞" in shown,
                       "a save without storage says so and the game goes on")
        failures.check("＜file1 はロードできませんでした。このファイルにはまだセーブされていません。＞" in shown,
                       "a load without storage finds no slot")


def download_failed(site, failures):
    with Browser(site) as browser:
        started(browser, blocked=["*kumi01.dat"])
        PagePlayer(browser, NEW_GAME_TO_MENU).play()
        failures.check("＜シナリオファイル「kumi01.dat」が見つかりません。＞" in messages(browser) and
                       browser.evaluate("velmora.status.waitingFor") == "Form8",
                       "a scenario file that cannot be downloaded is missed, and the game reaches the menu")
        failures.check("「kumi01.dat」をダウンロードできませんでした" in notices(browser),
                       f"the page says which file: {notices(browser)}")
        # The tab put away: the main window is resized, so the music stops.
        browser.wait_for("velmora.page.music.playing()", "the music")
        browser.evaluate("document.dispatchEvent(new Event('visibilitychange'))")
        browser.wait_for("!velmora.page.music.playing()", "the music stopped by the resizing")
        failures.check(browser.evaluate("velmora.status.waitingFor") == "Form8",
                       "hiding the tab stops the music and the menu still waits")
        comforts(browser, failures)
    with Browser(site) as browser:
        browser.send("Network.enable")
        browser.send("Network.setBlockedURLs", urls=["*.wasm"])
        browser.open()
        said = browser.wait_for("document.getElementById('notices').textContent", "a notice")
        failures.check("ゲーム本体をダウンロードできませんでした" in said, f"the engine not downloaded: {said}")


def unreadable_upload(site, failures):
    """Slot files the game cannot read as a slot are refused whole."""
    folder = pathlib.Path(tempfile.mkdtemp(prefix="velmora-upload-"))
    (folder / "file4").write_bytes(b"1\r\n2\r\nthree\r\n")
    (folder / "file4_text").write_bytes(b'"\x83A\x83p\x81[\x83g","a","b"\r\n')
    with Browser(site) as browser:
        started(browser)
        bring_in(browser, folder / "file4", folder / "file4_text")
        said = browser.wait_for("/読み込めません/.test(document.getElementById('slots').textContent) && "
                                "document.querySelector('#slots p[role=status]').textContent", "the refusal")
        kept = browser.evaluate("velmora.page.files.slotFiles('file4')", wait_promise=True)
        failures.check(said.startswith("file4 に読み込めませんでした。") and kept is None,
                       f"an unreadable slot is refused and not kept: {said}")
    shutil.rmtree(folder)


def early_click(site, failures):
    """A click on the title while the engine is still on its way is kept."""
    with Browser(site) as browser:
        browser.send("Fetch.enable", patterns=[{"urlPattern": "*velmora-engine.wasm"}])
        browser.open()
        held = browser.wait_event("Fetch.requestPaused", "the engine's download")
        browser.click("#lblMsg")
        failures.check(browser.evaluate("!(window.velmora && velmora.status && velmora.status.waits)"),
                       "the title is clicked before the engine has loaded")
        browser.send("Fetch.continueRequest", requestId=held["requestId"])
        browser.wait_for("window.velmora && velmora.status && velmora.status.waitingFor === 'Form2'",
                         "the load question")
        failures.check(messages(browser) == ["データをロードしますか？\r\n<初めてプレイするときはNOを選んでください。>"],
                       "the early click starts the game once the engine is there")


def window_move(site, failures):
    """Window-move mode: the player drags the main window by its caption and
    clicks the message; the game's windows then stand relative to it."""
    with Browser(site) as browser:
        started(browser)
        player = PagePlayer(browser, NEW_GAME_TO_MENU)
        player.play()
        player.answer_Form8("メイン画面移動")
        browser.wait_for("velmora.status.waitingFor === 'lblMsg'", "window-move mode")
        failures.check(not browser.evaluate("velmora.page.windows.anyOpen()"),
                       "after メイン画面移動 no window is open until the message is clicked")
        x, y = browser.center("#Form1 > .caption span")
        scale = browser.evaluate("document.getElementById('screen').getBoundingClientRect().width / 760")
        browser.send("Input.dispatchMouseEvent", type="mousePressed", x=x, y=y, button="left", clickCount=1)
        browser.send("Input.dispatchMouseEvent", type="mouseMoved", x=x + 20 * scale, y=y + 10 * scale,
                     button="left")
        browser.send("Input.dispatchMouseEvent", type="mouseReleased", x=x + 20 * scale, y=y + 10 * scale,
                     button="left", clickCount=1)
        browser.click("#lblMsg")
        browser.wait_for("velmora.status.waitingFor === 'Form8'", "the menu again")
        player.answer_Form8("セーブ")
        browser.wait_for("velmora.status.waitingFor === 'Form5'", "the save list")
        place = browser.evaluate("['--wx', '--wy'].map(p => Number("
                                 "document.getElementById('Form5').style.getPropertyValue(p)))")
        failures.check(place == [255 + 300 + 7500, 32 + 150 + 840],
                       f"the list window stands where the game puts it after the move: {place}")


def comforts(browser, failures):
    browser.key("h")
    shown = browser.evaluate("!document.getElementById('history').hidden && "
                             "document.getElementById('historyText').textContent")
    failures.check(bool(shown) and "さて、どこに行こうかな・・・。" in shown, "H shows the history")
    browser.key("Escape")
    browser.key("m")
    muted = browser.evaluate("document.getElementById('history').hidden && "
                             "JSON.parse(localStorage.getItem('velmora.comforts')).muted")
    failures.check(muted is True, "Escape closes the history; M mutes, and the page keeps it")
    browser.key("F11")
    failures.check(browser.wait_for("!!document.fullscreenElement", "full screen", 10),
                   "F11 shows the game full screen")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--site", required=True)
    parser.add_argument("--tty")
    parser.add_argument("--data")
    args = parser.parse_args()
    missing = what_is_missing(args.site)
    if missing:
        print(f"SKIPPED: {missing}")
        return SKIP
    failures = Failures()
    without_webassembly(args.site, failures)
    storage_refused(args.site, failures)
    download_failed(args.site, failures)
    window_move(args.site, failures)
    early_click(args.site, failures)
    unreadable_upload(args.site, failures)
    print(f"{failures.passed} passed, {failures.count} failed")
    return 1 if failures.count else 0


if __name__ == "__main__":
    sys.exit(main())
