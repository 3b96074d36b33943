#!/usr/bin/python3
"""The game in a real browser, played by clicks and keys, says what velmora-tty says.

    browser_route_test.py --tty BUILD/velmora-tty --site SITE [--data data]
                          [--engine chromium|webkit|firefox] [--screenshots DIR]

A whole game (tests/web/route.txt: the title, the questions, the name, the menu,
places, a save and a load, line mode, through the digest to the end) is played
by velmora-tty and by the page in headless chromium; the messages and the order
of the windows must be the same. Then the slots cross: the slot the page saved
is byte for byte the one velmora-tty saved and loads in velmora-tty, and a slot
velmora-tty saved, brought into the page as a player would, loads in the page
as it does in velmora-tty. The portrait painted in line mode follows the pixel
rule; the places' pictures take the light of the hour, the digest's keep their
own colours; the music decodes to the wave file's samples.

The same in chromium (DevTools protocol), WebKit (WebKitWebDriver, the engine
of every iPhone browser) and Firefox (WebDriver BiDi); the slot's files are
downloaded as a player would in chromium alone, where the protocol can catch
them. Without the site (tools/web.sh builds it), the engine or its driver the
test says so and is skipped (exit 77).
"""

import argparse
import base64
import io
import os
import pathlib
import shutil
import subprocess
import sys
import tempfile
import time
import wave

HERE = pathlib.Path(__file__).resolve().parent
REPO = HERE.parent.parent
sys.path.insert(0, str(HERE))
import browser as chromium  # noqa: E402
import firefox  # noqa: E402
import webkit  # noqa: E402

# Each engine: its driver, and why it cannot run here (or None).
ENGINES = {
    "chromium": (chromium.Browser, chromium.what_is_missing),
    "webkit": (webkit.WebKitBrowser, lambda site: chromium.what_is_missing(site, engine=False) or
               webkit.what_is_missing()),
    "firefox": (firefox.FirefoxBrowser, lambda site: chromium.what_is_missing(site, engine=False) or
                firefox.what_is_missing()),
}

SKIP = 77
PROMPTS = {"CLICK": "lblMsg", "NEXT": "Form3", "PICTURE": "Form7", "YESNO": "Form2",
           "NAME": "Form4", "LIST": "Form5", "MENU": "Form8"}


def read_decisions(path):
    lines = pathlib.Path(path).read_text(encoding="utf-8").splitlines()
    return [line for line in lines if line and not line.startswith("#")]


def escape(text):
    """A message as velmora-tty writes it on its MSG line."""
    out, i = [], 0
    while i < len(text):
        c = text[i]
        if c == "\r" and text[i + 1:i + 2] == "\n":
            out.append("\\n")
            i += 1
        elif c in "\r\n\\":
            out.append({"\r": "\\r", "\n": "\\n", "\\": "\\\\"}[c])
        else:
            out.append(c)
        i += 1
    return "".join(out)


def game_folder(data, slots=None):
    folder = pathlib.Path(tempfile.mkdtemp(prefix="velmora-web-test-"))
    for f in pathlib.Path(data).iterdir():
        if f.is_file():
            shutil.copy(f, folder)
    for name, data_bytes in (slots or {}).items():
        (folder / name).write_bytes(data_bytes)
    return folder


def play_tty(tty, folder, decisions):
    """Plays velmora-tty, answering its prompts in order; its trace lines."""
    left = list(decisions)
    game = subprocess.Popen([tty], cwd=folder, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                            text=True, encoding="utf-8")
    trace = []
    for line in game.stdout:
        line = line.rstrip("\n")
        trace.append(line)
        kind = line.split("?")[0] if "?" in line[:8] else None
        if kind not in PROMPTS:
            continue
        answer = "" if kind in ("CLICK", "NEXT", "PICTURE") else (left.pop(0) if left else None)
        if answer is None:
            game.stdin.close()
            break
        game.stdin.write(answer + "\n")
        game.stdin.flush()
    game.wait(30)
    return trace


def messages_of(trace):
    # The first line is velmora-tty's own: the design caption of the title.
    return [line[4:] for line in trace[1:] if line.startswith("MSG ")]


def windows_of(trace):
    return [PROMPTS[line.split("?")[0]] for line in trace
            if "?" in line[:8] and line.split("?")[0] in PROMPTS]


class PagePlayer:
    """Answers each window of the page as a player does, from the decisions:
    NEXT by a click, Enter or Space in turn, the questions by a click or the
    Y and N keys in turn, the name by typing, a list entry and the menu by
    clicks (the menu's hidden last button by Tab and Enter)."""

    def __init__(self, browser, decisions, at_wait=None):
        self.b = browser
        self.decisions = list(decisions)
        self.at_wait = at_wait or (lambda index, window: None)
        self.windows = []
        self.turn = 0

    def play(self, deadline=60.0):
        seen = 0
        while True:
            state = self.next_wait(seen, deadline)
            seen, window, ended = state
            if ended:
                return
            self.windows.append(window)
            self.at_wait(len(self.windows) - 1, window)
            if not self.answer(window):
                return

    def next_wait(self, seen, deadline):
        try:
            # A window that waits, not the page between two of them.
            return self.b.wait_for(
                f"velmora.status && (velmora.status.ended || (velmora.status.waits > {seen} && "
                "velmora.status.waitingFor)) && [velmora.status.waits, velmora.status.waitingFor, velmora.status.ended]",
                f"the window after #{seen}", deadline)
        except chromium.BrowserError as e:
            now = self.b.evaluate("[velmora.status.waitingFor, document.activeElement && document.activeElement.id,"
                                  " velmora.status.messages.slice(-200)]")
            raise chromium.BrowserError(f"{e}; answered {self.windows[-4:]}; waiting for, focus, said: {now}") from e

    def answer(self, window):
        self.turn += 1
        b = self.b
        if window == "lblMsg":
            b.click("#lblMsg")
        elif window == "Form3":
            [lambda: b.click("#next"), lambda: b.key("Enter"), lambda: b.key(" ")][self.turn % 3]()
        elif window == "Form7":
            b.click("#Image1")
        elif not self.decisions:
            return False
        else:
            decision = self.decisions.pop(0)
            getattr(self, "answer_" + window)(decision)
        return True

    def answer_Form2(self, decision):
        if self.turn % 2:
            self.b.click("#cmdYes" if decision == "yes" else "#cmdNo")
        else:
            self.b.key("y" if decision == "yes" else "n")

    def answer_Form4(self, decision):
        name, nickname = decision.split("\t")
        for box, text in (("#Text1", name), ("#Text2", nickname)):
            self.b.click(box)
            self.b.type_text(text)
        self.b.key("Enter")  # in the box: the window's OK

    def answer_Form5(self, decision):
        index = self.b.evaluate(
            f"[...document.querySelectorAll('#List1 [role=option]')].findIndex(o => o.text === {decision!r})")
        if index >= 0:  # scrolled into the list's view first, as a player would
            option = f"#List1 [role=option]:nth-child({index + 1})"
            self.b.evaluate(f"document.querySelector('{option}').scrollIntoView({{block: 'nearest'}})")
            self.b.click(option)
        self.b.click("#listOk")

    def answer_Form8(self, decision):
        selector = f"#Form8 button[data-row]:nth-of-type({self.menu_row(decision)})"
        if self.b.evaluate(f"document.querySelector('{selector}').offsetLeft < 150"):
            self.b.click(selector)
            return
        # Beyond the window's edge: only the keyboard reaches it.
        for _ in range(17):
            if self.b.evaluate(f"document.activeElement === document.querySelector('{selector}')"):
                break
            self.b.key("Tab")
        self.b.key("Enter")

    def menu_row(self, caption):
        position = self.b.evaluate(
            f"[...document.querySelectorAll('#Form8 button[data-row]')].findIndex(b => b.textContent === {caption!r})")
        if position < 0:
            raise AssertionError(f"no menu button {caption}")
        return position + 1


class Failures:
    def __init__(self):
        self.count = 0
        self.passed = 0

    def check(self, ok, what):
        print(("ok   " if ok else "FAIL ") + what, flush=True)
        self.count += not ok
        self.passed += bool(ok)


def page_test_arguments(doc, tty_required=False):
    """A page test's arguments (--site, --tty, --data, --screenshots, the
    shots' folder as .shots); None, having said why, where the page cannot
    be tried here."""
    parser = argparse.ArgumentParser(description=doc.splitlines()[0])
    parser.add_argument("--site", required=True)
    parser.add_argument("--tty", required=tty_required)
    parser.add_argument("--data", default=str(REPO / "data"))
    parser.add_argument("--screenshots")
    args = parser.parse_args()
    if args.tty:
        args.tty = os.path.abspath(args.tty)
    args.shots = pathlib.Path(args.screenshots) if args.screenshots else None
    missing = chromium.what_is_missing(args.site)
    if missing:
        print(f"SKIPPED: {missing}")
        return None
    return args


def first_difference(a, b):
    for i, (x, y) in enumerate(zip(a, b)):
        if x != y:
            return f"#{i}: tty {a[max(0, i - 3):i + 2]!r} / page {b[max(0, i - 3):i + 2]!r}"
    return f"lengths {len(a)} / {len(b)}"


def slot_bytes(browser, slot):
    files = browser.evaluate(
        f"velmora.page.files.slotFiles('{slot}').then(f => f && [btoa(String.fromCharCode(...f.flags)), "
        "btoa(String.fromCharCode(...f.text))])", wait_promise=True)
    return files and {slot: base64.b64decode(files[0]), slot + "_text": base64.b64decode(files[1])}


def open_slot_window(browser):
    """The page's menu (the ≡ button) → セーブデータ."""
    browser.click("#comfortButton")
    browser.click("#comfortMenu button:last-child")
    browser.wait_for("!!document.getElementById('slotUpload')", "the slot window")


def bring_in(browser, *files):
    """The player picks slot files in the slot window."""
    open_slot_window(browser)
    browser.set_files("#slotUpload", files)


def downloaded(browser, slot):
    """The slot's files as the player downloads them from the page's menu."""
    folder = pathlib.Path(tempfile.mkdtemp(prefix="velmora-downloads-"))
    browser.send("Browser.setDownloadBehavior", behavior="allow", downloadPath=str(folder))
    open_slot_window(browser)
    row = ["file1", "file2", "file3", "file4", "file5"].index(slot) + 1
    browser.click(f"#slots tr:nth-child({row}) button")
    names = (slot, slot + "_text")
    end = time.monotonic() + 30
    while not all((folder / n).exists() for n in names) and time.monotonic() < end:
        time.sleep(0.02)  # chromium renames each file into place once it is whole
    browser.key("Escape")
    return {n: (folder / n).read_bytes() for n in names if (folder / n).exists()}


def canvas_pixels(browser):
    """The scene picture box's pixels, once its drawing has settled."""
    from PIL import Image
    url = browser.evaluate("velmora.page.mainWindow.settled().then(() => "
                           "document.getElementById('picMainCanvas').toDataURL('image/png'))",
                           wait_promise=True)
    png = base64.b64decode(url.split(",", 1)[1])
    return Image.open(io.BytesIO(png)).convert("RGB")


def check_line_mode(failures, pixels, portrait_file, scene_file):
    """Where the portrait is not light cyan the scene holds its exact colour;
    elsewhere the scene picture shows (decoders of JPEG differ by a little)."""
    from PIL import Image
    portrait = Image.open(portrait_file).convert("RGB")
    scene = Image.open(scene_file).convert("RGB")
    exact = wrong = 0
    for y in range(min(260, portrait.height)):
        for x in range(min(300, portrait.width)):
            got = pixels.getpixel((x, y))
            p = portrait.getpixel((x, y))
            if p != (0, 255, 255):
                exact += 1
                wrong += got != p
            else:
                wrong += max(abs(a - b) for a, b in zip(got, scene.getpixel((x, y)))) > 24
    failures.check(wrong == 0 and exact > 1000,
                   f"line mode: {exact} portrait pixels exact, {wrong} pixels off the rule")


def light_checks(trace):
    """The waits where the page shows a place at night (lit) and the digest's
    picture at night (as painted), read off the trace: {wait: (scene, lit)}."""
    checks, time = {}, None
    for i, line in enumerate(trace):
        if line.startswith("CLOCK "):
            time = line.split("|")[1]
        if not line.startswith("SCENE "):
            continue
        scene, wait = line[6:], len(windows_of(trace[:i]))
        hour = int(time[3:].split(":")[0]) if time else 12
        night = time is not None and ((time[:2] == "AM" and hour < 5) or (time[:2] == "PM" and hour >= 8))
        if night and scene == "heya.jpg" and not any(lit for _, lit in checks.values()):
            checks[wait] = (scene, True)
        if night and scene == "kaori3.jpg":
            checks[wait] = (scene, False)
    return checks


def check_light(failures, pixels, scene_file, lit):
    """Lit: far from the day picture; as painted: the day picture, but for
    what two JPEG decoders tell apart."""
    from PIL import Image, ImageChops, ImageStat
    day = Image.open(scene_file).convert("RGB").crop((0, 0, 300, 260))
    difference = sum(ImageStat.Stat(ImageChops.difference(pixels, day)).mean) / 3
    ok = difference > 30 if lit else difference < 4
    failures.check(ok, f"{scene_file.name} at night {'in the light of the hour' if lit else 'as painted'} "
                       f"(mean difference from the day picture {difference:.1f})")


def check_music(failures, browser, data):
    with wave.open(str(pathlib.Path(data) / "BGM1.wav")) as w:
        frames, rate = w.getnframes(), w.getframerate()
    decoded = browser.evaluate(
        "velmora.page.music.buffer('BGM1.wav').then(b => b && [b.length, b.sampleRate])", wait_promise=True)
    failures.check(decoded == [frames, rate],
                   f"music decodes to the wave file's {frames} samples at {rate} Hz: {decoded}")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--tty", required=True)
    parser.add_argument("--data", default=str(REPO / "data"))
    parser.add_argument("--site", required=True)
    parser.add_argument("--engine", choices=sorted(ENGINES), default="chromium")
    parser.add_argument("--screenshots")
    args = parser.parse_args()
    args.tty = os.path.abspath(args.tty)

    Browser, what_is_missing = ENGINES[args.engine]
    missing = what_is_missing(args.site)
    if missing:
        print(f"SKIPPED: {missing}")
        return SKIP
    site = args.site

    failures = Failures()
    route = read_decisions(HERE / "route.txt")
    folder = game_folder(args.data)
    tty_trace = play_tty(args.tty, folder, route)
    tty_slot = {n: (folder / n).read_bytes() for n in ("file2", "file2_text")}
    tty_windows = windows_of(tty_trace)
    shots = pathlib.Path(args.screenshots) if args.screenshots else None

    # What the page must be showing at some of its waits, read off the trace.
    painted_at = scene_before = None
    for i, line in enumerate(tty_trace):
        if line.startswith("SCENE "):
            scene_before = line[6:]
        if line.startswith("PAINT ") and painted_at is None:
            painted_at = (len(windows_of(tty_trace[:i])), line[6:], scene_before)
    light_at = light_checks(tty_trace)
    failures.check(sorted(lit for _, lit in light_at.values()) == [False, True],
                   "the route shows the hero's room and the digest at night")

    # Screenshots at the design's own size, one design pixel to a pixel.
    size = {"width": 760, "height": 460} if shots else {}
    with Browser(str(site), **size) as browser:
        browser.open()
        browser.wait_for("window.velmora && velmora.status && velmora.status.waitingFor", "the title")
        if shots:
            browser.wait_for("velmora.titlePaintedAt", "the painted title")
            browser.screenshot(shots / "web-title.png")

        def at_wait(index, window):
            if painted_at and index == painted_at[0]:
                check_line_mode(failures, canvas_pixels(browser), pathlib.Path(args.data) / painted_at[1],
                                pathlib.Path(args.data) / painted_at[2])
            if index in light_at:
                scene, lit = light_at[index]
                check_light(failures, canvas_pixels(browser), pathlib.Path(args.data) / scene, lit)
            if not shots:
                return
            if index == 30:
                browser.screenshot(shots / "web-scene.png")
            if window == "Form8" and not (shots / "web-menu.png").exists():
                browser.screenshot(shots / "web-menu.png")
            if window == "Form3" and player.windows[-2:-1] == ["Form7"]:  # the last one wins
                browser.evaluate("document.getElementById('Image1').decode()", wait_promise=True)
                browser.screenshot(shots / "web-ending.png")

        player = PagePlayer(browser, route, at_wait)
        player.play()
        page_messages = browser.evaluate("velmora.status.messages")
        failures.check(player.windows == tty_windows,
                       f"the page opened the same {len(tty_windows)} windows in the same order "
                       f"({first_difference(tty_windows, player.windows)})")
        failures.check([escape(m) for m in page_messages] == messages_of(tty_trace),
                       f"the page showed the same {len(messages_of(tty_trace))} messages "
                       f"({first_difference(messages_of(tty_trace), [escape(m) for m in page_messages])})")
        failures.check(browser.evaluate("velmora.status.ended"), "the game ended after the digest")
        page_slot = slot_bytes(browser, "file2")
        failures.check(page_slot == tty_slot, "the slot the page saved is velmora-tty's, byte for byte")
        if args.engine == "chromium":
            failures.check(downloaded(browser, "file2") == tty_slot,
                           "the slot's two files download as the player's copy of them")
        check_music(failures, browser, args.data)
        clicks = browser.evaluate("velmora.status.clicks")

    # The page's slot in velmora-tty, and velmora-tty's slot in the page.
    load = ["yes", "file2", "yes", "終了", "yes"]
    loaded = play_tty(args.tty, game_folder(args.data, page_slot or {}), load)
    failures.check("MSG file2 をロードしました。" in loaded and loaded[-1] == "END",
                   "velmora-tty loads the slot the page saved")
    make = ["no", "no", "no", "防波堤", "弁当屋", "セーブ", "file3", "yes", "終了", "yes"]
    made = game_folder(args.data)
    play_tty(args.tty, made, make)
    load3 = ["yes", "file3", "yes", "終了", "yes"]
    expected = play_tty(args.tty, game_folder(args.data, {n: (made / n).read_bytes()
                                                          for n in ("file3", "file3_text")}), load3)
    with Browser(str(site)) as browser:
        browser.open()
        browser.wait_for("window.velmora && velmora.status && velmora.status.waitingFor", "the title")
        bring_in(browser, made / "file3", made / "file3_text")
        browser.wait_for("/file3 に読み込みました/.test(document.getElementById('slots').textContent)",
                         "the slot brought in")
        browser.key("Escape")
        player = PagePlayer(browser, load3)
        player.play()
        brought = [escape(m) for m in browser.evaluate("velmora.status.messages")]
        failures.check(brought == messages_of(expected),
                       f"a slot velmora-tty saved loads in the page as in velmora-tty "
                       f"({first_difference(messages_of(expected), brought)})")

    frames = sorted(c["frame"] for c in clicks)
    changed = sorted(c["changed"] for c in clicks)
    if frames:
        print(f"clicks: {len(frames)}; click to changed page median {changed[len(changed) // 2]:.2f} ms, "
              f"max {changed[-1]:.2f} ms; click to its frame median {frames[len(frames) // 2]:.2f} ms")
    print(f"{args.engine}: {failures.passed} passed, {failures.count} failed")
    return 1 if failures.count else 0


if __name__ == "__main__":
    sys.exit(main())
