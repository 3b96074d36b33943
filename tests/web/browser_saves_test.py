#!/usr/bin/python3
"""The page's save slots as safe as the desktop's, in headless chromium: a
slot as large as the desktop game writes is brought in; a save into a slot
that another tab saved into since the list was opened asks first; bringing
in a slot while the save list is open shows its new details; the same files
chosen again after いいえ ask again; a flag file cut short says so before it
is kept.

    browser_saves_test.py --site SITE [--tty ...] [--data ...]
"""

import base64
import pathlib
import shutil
import sys
import tempfile

HERE = pathlib.Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))
from browser import Browser, BrowserError  # noqa: E402
from browser_route_test import SKIP, page_test_arguments, Failures, PagePlayer, bring_in  # noqa: E402

NEW_GAME_TO_MENU = ["no", "no", "no"]  # no load, no name, Kumi's invitation declined


def flag_file(lines=135, day=2):
    flags = [0] * lines
    for at, value in ((123, 1), (124, 2), (126, day), (127, 4)):
        if at < lines:
            flags[at] = value
    return "".join(f"{v}\r\n" for v in flags).encode()


def text_file(place="アパート", name="佐々木", nickname="リュウ君"):
    return f'"{place}","{name}","{nickname}"\r\n'.encode("cp932")


def write_slot(folder, slot, flags, text):
    (folder / slot).write_bytes(flags)
    (folder / (slot + "_text")).write_bytes(text)
    return folder / slot, folder / (slot + "_text")


def kept(browser, slot):
    """Both files of the slot as the page keeps them, or None."""
    files = browser.evaluate(
        f"velmora.page.files.slotFiles('{slot}').then(f => f && [f.flags, f.text].map(bytes => {{"
        "let s = ''; for (let i = 0; i < bytes.length; i += 8192) "
        "s += String.fromCharCode(...bytes.subarray(i, i + 8192)); return btoa(s); }))",
        wait_promise=True)
    return files and (base64.b64decode(files[0]), base64.b64decode(files[1]))


STATUS = "document.querySelector('#slots p[role=status]').textContent"
QUESTION = ("!document.getElementById('importQuestion').hidden && "
            "document.getElementById('importQuestion').textContent")


def shown(browser, expression, what):
    """What the page shows within ten seconds, or None (the page said nothing)."""
    try:
        return browser.wait_for(expression, what, 10)
    except BrowserError:
        return None


def said_of(browser, slot, before=""):
    """The slot window's word on the files brought in, once it is said (and
    is not what it said before), and the window drawn again with the slots'
    words after a slot was brought in."""
    said = shown(browser, f"{STATUS}.startsWith('{slot} ') && {STATUS} !== {before!r} && {STATUS}",
                 f"the word on {slot}")
    if said and said.endswith("に読み込みました。"):
        rows = "document.querySelector('#slots table').textContent"
        shown(browser, f"!{rows}.includes('{slot}（空き）')",
              "the slots' words")
    return said


def started(browser, decisions=NEW_GAME_TO_MENU):
    browser.open()
    browser.wait_for("window.velmora && velmora.status && velmora.status.waitingFor", "the game")
    PagePlayer(browser, decisions).play()


def play(browser, decisions):
    """Answers as a player until the decisions run out; the window that waits then."""
    PagePlayer(browser, decisions).play()
    return browser.evaluate("velmora.status.waitingFor")


def waiting_list(browser):
    return browser.wait_for("velmora.status.waitingFor === 'Form5'", "the save list")


def large_slot(site, folder, failures):
    """A name and a nickname of 32,767 characters each, as the desktop's name
    window takes them: a "_text" file of 131,086 bytes, well within the
    desktop reader's 256 KiB."""
    files = write_slot(folder, "file1", flag_file(), text_file(name="あ" * 32767, nickname="い" * 32767))
    with Browser(site) as browser:
        started(browser)
        bring_in(browser, *files)
        said = shown(browser, STATUS, "the answer")
        failures.check(said == "file1 に読み込みました。" and
                       kept(browser, "file1") == tuple(f.read_bytes() for f in files),
                       f"a slot of {files[1].stat().st_size} bytes as the desktop writes it is brought in: {said}")


def another_tab_saved(site, failures):
    """Two tabs of one browser: the first opens the save list, the second
    saves into file4, then the first chooses file4 too: いいえ keeps the
    other tab's save, はい (the other tab having saved again) writes over it."""
    with Browser(site) as first:
        started(first)
        second = first.another_tab()
        try:
            started(second)
            for answer, move in (("no", []), ("yes", ["アパート", "移動する"])):
                play(first, ["セーブ"])
                play(second, move + ["セーブ", "file4", "yes"])
                theirs = kept(second, "file4")
                before = len(first.evaluate("velmora.status.messages"))
                play(first, ["file4", "yes"])
                asked = [m for m in first.evaluate("velmora.status.messages")[before:] if "置き換えますか" in m]
                failures.check(len(asked) == 1 and "ほかのタブ" in asked[0],
                               f"a save over a slot another tab saved into since the list opened asks: {asked}")
                if not asked:
                    return
                before = len(first.evaluate("velmora.status.messages"))
                play(first, [answer])
                said = first.evaluate("velmora.status.messages")[before:]
                ours = answer == "yes"
                word = "file4 にセーブしました。" if ours else "＜file4 にセーブできませんでした。"
                failures.check((kept(second, "file4") != theirs) == ours and
                               any(m.startswith(word) for m in said), f"{answer}: {said!r}")
        finally:
            second.close_tab()


def import_while_listed(site, folder, failures):
    """The save list open, a slot brought in from the page's menu: the
    details beside the list describe the slot brought in."""
    files = write_slot(folder, "file2", flag_file(day=3), text_file(place="公園"))
    with Browser(site) as browser:
        started(browser)
        play(browser, ["セーブ"])
        waiting_list(browser)
        bring_in(browser, *files)
        said_of(browser, "file2")
        browser.key("Escape")
        details = browser.evaluate("document.getElementById('slotDetails').textContent")
        failures.check("4月3日" in details and "公園" in details,
                       f"the details beside the open list describe the slot brought in: {details!r}")


def asked_again_and_partial(site, folder, failures):
    """The same two files chosen again after いいえ ask again; a flag file cut
    short says it loads only in part before it is kept."""
    saved = write_slot(folder, "file3", flag_file(), text_file())
    partial = write_slot(folder / "partial", "file5", flag_file(lines=40), text_file())
    with Browser(site) as browser:
        started(browser)
        bring_in(browser, *saved)
        said_of(browser, "file3")
        for answer in ("again", "once more after いいえ"):
            browser.set_files("#slotUpload", saved)
            asked = shown(browser, QUESTION, "the question")
            failures.check(asked and "置き換えますか？" in asked,
                           f"the same files chosen {answer} ask first: {asked!r}")
            if not asked:
                break
            browser.click("#importQuestion button:last-child")  # いいえ
            said_of(browser, "file3", "file3 に読み込みました。" if answer == "again" else "")
        browser.set_files("#slotUpload", partial)
        asked = shown(browser, QUESTION, "the question")
        failures.check(bool(asked) and "一部だけ" in asked and kept(browser, "file5") is None,
                       f"a flag file cut short says so before it is kept: {asked!r}")
        if asked:
            browser.click("#importQuestion button:first-child")  # はい
            said_of(browser, "file5")
        failures.check(kept(browser, "file5") == tuple(f.read_bytes() for f in partial),
                       "はい keeps it as it is")


def main():
    args = page_test_arguments(__doc__)
    if args is None:
        return SKIP
    failures = Failures()
    folder = pathlib.Path(tempfile.mkdtemp(prefix="velmora-saves-"))
    (folder / "partial").mkdir()
    try:
        large_slot(args.site, folder, failures)
        another_tab_saved(args.site, failures)
        import_while_listed(args.site, folder, failures)
        asked_again_and_partial(args.site, folder, failures)
    finally:
        shutil.rmtree(folder)
    print(f"{failures.passed} passed, {failures.count} failed")
    return 1 if failures.count else 0


if __name__ == "__main__":
    sys.exit(main())
