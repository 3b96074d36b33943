#!/usr/bin/python3
"""What the page itself answers for, in headless chromium: the title drawn
from its own few files before the rest is fetched; a browser without
WebAssembly, storage the browser refuses and a file that cannot be downloaded
are each said in Japanese and the game goes on where it can (the notices,
closed, give the game its room back); the page opened as a file says so;
the tab put away is the main window's resizing (the music stops); the
comforts' keys;
going back and forward, skipping what was read and the story map; the menu
laid out for a table of seventeen captions; the page at 200 % zoom.

    browser_page_test.py --site SITE [--tty ...] [--data ...]
"""

import pathlib
import re
import shutil
import sys
import tempfile

HERE = pathlib.Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))
from browser import Browser, BrowserError  # noqa: E402
from browser_route_test import SKIP, page_test_arguments, Failures, PagePlayer, bring_in  # noqa: E402

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


# What the title may be drawn from: the page, its style, its first script,
# its cut of P Gothic, the design's pictures, and what the browser fetches of
# its own for an installable page.
TITLE_FILES = r"^(|index\.html|velmora\.css|phone\.css|main\.js|notices\.js|manifest\.webmanifest|" \
              r"fonts/velmora-p-gothic-title\.woff2|design/[\w.]+|icons/[\w.-]+)$"


def title_alone(site, failures):
    with Browser(site) as browser:
        browser.open()
        painted = browser.wait_for("window.velmora && velmora.titlePaintedAt", "the painted title")
        fetched = browser.evaluate(
            f"performance.getEntriesByType('resource').filter(r => r.startTime <= {painted})"
            ".map(r => r.name.slice(document.baseURI.replace(/[^/]*$/, '').length))")
        others = [f for f in fetched if not re.match(TITLE_FILES, f)]
        failures.check(not others, f"by the painted title only the title's own files: {others}")
        failures.check(browser.evaluate("document.fonts.check('bold 16px \"Velmora P Gothic\"', "
                                        "document.getElementById('lblMsg').textContent)"),
                       "the title's words have their face by the painted title")
        browser.wait_for("window.velmora.status && velmora.status.waitingFor", "the game's first wait")


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
        # The notices close, and the game's screen takes the room they left.
        while browser.evaluate("document.querySelectorAll('#notices .close').length"):
            browser.click("#notices .close")
        height = browser.wait_for("!document.getElementById('notices').children.length && "
                                  "getComputedStyle(document.documentElement).getPropertyValue('--notices') === '0px' && "
                                  "document.getElementById('screen').getBoundingClientRect().height", "the notices closed")
        failures.check(abs(height - 690) < 1, f"closed, the notices leave the game the whole window: {height}")


def opened_as_a_file(site, failures):
    """Opened from the disk, the page runs none of its modules: it says so at
    once, over the game's screen, and says nothing of loading."""
    with Browser(site) as browser:
        browser.open_address(pathlib.Path(site, "index.html").resolve().as_uri())
        seen = browser.wait_for("""document.readyState === 'complete' && (() => {
            const n = document.getElementById('boot-notice'), r = n.getBoundingClientRect();
            const hit = document.elementFromPoint(r.left + r.width / 2, r.top + r.height / 2);
            return [getComputedStyle(n).opacity, n.contains(hit), !document.getElementById('loading')];
        })()""", "the page opened as a file")
        failures.check(seen == ["1", True, True], f"opened as a file, the notice stands over the game at once: {seen}")


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
    """A click on the title, or Enter or Space, while the game is still on its
    way is kept, and answered once: held with the engine's script (before
    the page stands) and with its WebAssembly (the page stands, the game
    does not wait yet)."""
    for held_file, presses in (("velmora-engine.js", ["Enter", "Space"]), ("velmora-engine.wasm", ["click", "Enter"])):
        with Browser(site) as browser:
            browser.send("Fetch.enable", patterns=[{"urlPattern": "*" + held_file}])
            browser.open()
            held = browser.wait_event("Fetch.requestPaused", f"the download of {held_file}")
            for press in presses:
                browser.click("#lblMsg") if press == "click" else browser.key({"Space": " "}.get(press, press))
            # The title's keys are looked up in the page's table, itself on its way.
            try:
                signed = browser.wait_for("/受け付けました/.test(document.getElementById('loading').textContent)",
                                          "the sign")
            except BrowserError:
                signed = False
            failures.check(browser.evaluate("!(window.velmora && velmora.status && velmora.status.waits)") and
                           signed,
                           f"{' and '.join(presses)} at the title before {held_file} has loaded, and the sign says so")
            browser.send("Fetch.continueRequest", requestId=held["requestId"])
            browser.wait_for("window.velmora && velmora.status && velmora.status.waitingFor === 'Form2'",
                             "the load question")
            failures.check(messages(browser) == ["データをロードしますか？\r\n<初めてプレイするときはNOを選んでください。>"],
                           f"{' and '.join(presses)} start the game once, when {held_file} is there")


def focus_given_back(site, failures):
    """A window that closes gives the focus back to what had it, never to
    the page itself: the settings over the title; NEXT pressed while the
    next scenario file is still on its way; the history over the menu after
    the focus was moved there."""
    focus = "document.activeElement === document.body ? 'the page itself' : " \
            "(document.activeElement.id || document.activeElement.textContent)"
    with Browser(site) as browser:
        browser.send("Fetch.enable", patterns=[{"urlPattern": "*kumi01.dat"}])
        started(browser)
        browser.key("F2")
        browser.wait_for("!!document.activeElement.closest('#settings')", "the settings' focus")
        browser.key("Escape")
        browser.wait_for("document.getElementById('settings').hidden", "the settings closed")
        failures.check(browser.evaluate(focus) == "lblMsg", "closing the settings at the title gives the message the focus")
        # The load and the name answered no, then NEXT through the hero's own
        # lines until the game waits for Kumi's scenario file.
        for key in ["Enter", "n", "n"] + ["Enter"] * 12:
            waits = browser.evaluate("velmora.status.waits")
            browser.key(key)
            held = browser.wait_for(f"velmora.status.waits > {waits} ? 'on' : !velmora.status.waitingFor && "
                                    "'held'", "the next window, or the game held")
            if held == "held":
                break
        # NEXT stays up, with the focus, until the game waits on another window.
        failures.check(held == "held" and browser.evaluate(focus) == "next",
                       f"NEXT pressed, the next window not there yet: the focus on {browser.evaluate(focus)!r}")
        for event in [e for e in browser.events if e.get("method") == "Fetch.requestPaused"]:
            browser.send("Fetch.continueRequest", requestId=event["params"]["requestId"])
        browser.send("Fetch.disable")
        browser.wait_for("velmora.status.waitingFor", "the game going on with Kumi's file")
        PagePlayer(browser, ["no"]).play()
        browser.key("ArrowDown")
        moved_to = browser.wait_for("!!document.activeElement.closest('#Form8') && document.activeElement.dataset.row "
                                    "&& document.activeElement.textContent", "the focus moved in the menu")
        browser.key("h")
        browser.wait_for("!!document.activeElement.closest('#history')", "the history's focus")
        browser.key("Escape")
        browser.wait_for("document.getElementById('history').hidden", "the history closed")
        failures.check(browser.evaluate(focus) == moved_to,
                       f"closing the history gives the menu's focus back to {moved_to}, not its first button")


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


def replay_comforts(site, failures):
    """Page Up goes back one message at a time and Page Down forward again;
    Tab at a NEXT skips the messages read, without a word to a screen
    reader, and stops at the first unread one;
    S opens the story map, which gives a hint only when asked."""
    with Browser(site) as browser:
        started(browser)
        player = PagePlayer(browser, ["no", "no"])
        waits = lambda: browser.evaluate("velmora.status.waits")
        last = lambda: browser.evaluate("velmora.status.messages.at(-1)")

        def then(what, action):
            before = waits()
            action()
            return browser.wait_for(f"velmora.status.waits > {before} && velmora.status.waitingFor", what)

        window = browser.evaluate("velmora.status.waitingFor")
        for _ in range(3 + 12):  # the title, the two questions, twelve messages
            window = then("the next window", lambda: player.answer(window))
        shown = messages(browser)  # the thirteenth message waits: shown[14]
        for back in (1, 2, 3):
            then("the step before", lambda: browser.key("PageUp"))
            failures.check(last() == shown[14 - back], f"Page Up {back}: {last()}")
        then("the step after", lambda: browser.key("PageDown"))
        failures.check(last() == shown[12], f"Page Down goes forward again: {last()}")
        before = len(messages(browser))
        # What the page says wherever the focus is, from Tab on.
        browser.evaluate("""(() => {
            window.saidWhileSkipping = [];
            new MutationObserver((records) => records.forEach((r) => r.addedNodes.forEach(
                (n) => saidWhileSkipping.push(n.textContent)))).observe(
                document.getElementById('spoken'), {childList: true});
        })()""")
        browser.key("Tab")
        browser.wait_for(f"velmora.status.messages.length >= {before + 3} && "
                         "velmora.status.waitingFor === 'Form3' && !velmora.page.skipping",
                         "skipping to the first unread message")
        skipped = messages(browser)[before:]
        failures.check(skipped[:2] == shown[13:15] and skipped[2] not in shown and len(skipped) == 3 and
                       document_hidden(browser, "skipMark"),
                       f"Tab skips what was read and stops at the first unread: {skipped}")
        spoken = browser.evaluate("saidWhileSkipping")
        failures.check(len(spoken) == 2 and spoken[0] == "既読スキップ" and
                       spoken[1].endswith(skipped[2].replace("\r\n", "\n").strip()),
                       f"the skipping mark said, the messages skipped not, the one where it stops said: {spoken}")
        browser.key("s")
        count = browser.wait_for("!document.getElementById('storyMap').hidden && "
                                 "document.querySelector('#storyMap .count').textContent", "the story map")
        failures.check(count == "見たシーン 1 / 50", f"the story map counts the scenes seen: {count}")
        failures.check("4月" not in browser.evaluate(
            "[...document.querySelectorAll('#storyMap td')].map(t => t.textContent).join('')"),
            "no hint is shown unasked")
        hints = "[...document.querySelectorAll('#storyMap tr.unseen td.hint')].map(t => t.textContent)"
        browser.click("#storyMap tr.unseen button")
        browser.click("#storyMap tr.unseen td.hint button")  # the next one: the first goes back
        shown = [h for h in browser.evaluate(hints) if h != "ヒント"]
        failures.check(len(shown) == 1 and shown[0], f"one hint at a time, when asked: {shown}")


ELEVEN_PLACES = ["アパート", "防波堤", "弁当屋", "公園", "明の家", "セルビア", "パソコンショップ", "学校",
                 "ひとみの家", "テニスコート", "灯台"]
COMMANDS = [("load", "ロード"), ("save", "セーブ"), ("move", "メイン画面移動"), ("bgm", "BGM"),
            ("quit", "終了"), ("lines", "画像処理")]
SEEN_IN_MENU = """(() => {
  const win = document.getElementById('Form8');
  const client = win.querySelector('.client').getBoundingClientRect();
  const buttons = [...win.querySelectorAll('button[data-row]')];
  const at = buttons.map((b) => b.getBoundingClientRect());
  const inside = (r) => r.left >= client.left - 0.5 && r.right <= client.right + 0.5 &&
    r.top >= client.top - 0.5 && r.bottom <= client.bottom + 0.5;
  const apart = (a, b) => a.right <= b.left || b.right <= a.left || a.bottom <= b.top || b.bottom <= a.top;
  return {
    tabOrder: buttons.map((b) => b.textContent),
    topToBottom: buttons.map((b, i) => [at[i].top, b.textContent]).sort((a, b) => a[0] - b[0]).map((p) => p[1]),
    outside: buttons.filter((b, i) => !inside(at[i])).map((b) => b.textContent),
    overlapping: at.some((a, i) => at.some((b, j) => i !== j && !apart(a, b))),
  };
})()"""


def menu_of_seventeen(site, failures):
    """An eleventh place: the menu window, laid out by the game's rules, has a
    button for each of the seventeen captions, all in the window but the
    keyboard's own, none over another, in the window program's Tab order."""
    with Browser(site) as browser:
        started(browser)
        rows = [f"place\t{place}" for place in ELEVEN_PLACES] + [f"{k}\t{c}" for k, c in COMMANDS]
        browser.evaluate(f"velmora.page.windows.open('Form8', "
                         f"velmora.page.rule('velmora_menu', {chr(10).join(rows)!r}), 0, 0)")
        seen = browser.evaluate(SEEN_IN_MENU)
        browser.evaluate("velmora.page.windows.close('Form8')")
        captions = ELEVEN_PLACES + [c for _, c in COMMANDS]
        failures.check(seen["topToBottom"] == captions, f"seventeen rows top to bottom: {seen['topToBottom']}")
        failures.check(seen["tabOrder"] == ELEVEN_PLACES + ["ロード", "セーブ", "終了", "メイン画面移動", "BGM", "画像処理"],
                       f"the Tab order: {seen['tabOrder']}")
        failures.check(seen["outside"] == ["画像処理"], f"only the keyboard's row outside: {seen['outside']}")
        failures.check(not seen["overlapping"], "no button over another")


def document_hidden(browser, element_id):
    return browser.evaluate(f"document.getElementById('{element_id}').hidden")


def zoomed(site, failures):
    """A 1140 x 690 browser window at 200 % zoom (Ctrl +: half the CSS
    pixels, each two of the screen's): the game still fills the window,
    nothing scrolls off, and the message is as large on the screen, its text
    at 4.5 : 1 or more against its ground."""
    measure = """(() => {
        const r = (id) => document.getElementById(id).getBoundingClientRect();
        const screen = r('screen'), yes = r('cmdYes');
        const fits = (b) => b.left >= 0 && b.top >= 0 && b.right <= innerWidth && b.bottom <= innerHeight;
        return {fits: fits(screen) && fits(yes) && document.documentElement.scrollWidth <= innerWidth,
                font: parseFloat(getComputedStyle(document.getElementById('lblMsg')).fontSize) * devicePixelRatio,
                colours: ['color', 'backgroundColor'].map(
                    (p) => getComputedStyle(document.getElementById('lblMsg'))[p].match(/[0-9.]+/g).map(Number))};
    })()"""
    with Browser(site, width=1140, height=690) as browser:
        started(browser)
        browser.click("#lblMsg")
        browser.wait_for("velmora.status.waitingFor === 'Form2'", "the load question")
        plain = browser.evaluate(measure)
        browser.send("Emulation.setDeviceMetricsOverride", width=570, height=345, deviceScaleFactor=2,
                     mobile=False)
        zoomed = browser.evaluate(measure)
        failures.check(plain["fits"] and zoomed["fits"], f"at 200 % the game fits the window: {zoomed}")
        failures.check(abs(zoomed["font"] - plain["font"]) < 0.5,
                       f"at 200 % the message is as large on the screen: {plain} {zoomed}")
        text, ground = (luminance(c) for c in zoomed["colours"])
        ratio = (max(text, ground) + 0.05) / (min(text, ground) + 0.05)
        failures.check(len(zoomed["colours"][1]) == 3 and ratio >= 4.5,
                       f"the message's text against its opaque ground: {zoomed['colours']}, {ratio:.1f} : 1")


def luminance(rgb):
    """Relative luminance, as the web's accessibility guidelines reckon it."""
    channels = [v / 255 for v in rgb[:3]]
    r, g, b = (v / 12.92 if v <= 0.03928 else ((v + 0.055) / 1.055) ** 2.4 for v in channels)
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


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
    args = page_test_arguments(__doc__)
    if args is None:
        return SKIP
    failures = Failures()
    title_alone(args.site, failures)
    without_webassembly(args.site, failures)
    storage_refused(args.site, failures)
    opened_as_a_file(args.site, failures)
    download_failed(args.site, failures)
    window_move(args.site, failures)
    replay_comforts(args.site, failures)
    early_click(args.site, failures)
    focus_given_back(args.site, failures)
    unreadable_upload(args.site, failures)
    menu_of_seventeen(args.site, failures)
    zoomed(args.site, failures)
    print(f"{failures.passed} passed, {failures.count} failed")
    return 1 if failures.count else 0


if __name__ == "__main__":
    sys.exit(main())
