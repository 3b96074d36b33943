#!/usr/bin/python3
"""The game on a phone held upright, in headless chromium's phone emulation
(touch, a device pixel ratio of 2): at 375 x 667 a whole game is played by taps
alone and says what velmora-tty says; at 390 x 844 the title, a question, a
scene, the list, the name, the menu and the page's menu. At each kind of
window: every button of the game at least 44 x 44 CSS px, the message's text
at least 16 px, nothing outside the screen and no page to scroll. A tap on the
message or the scene is NEXT and never answers a question; a swipe down or to
the right goes back a step, up or to the left forward; a long press opens the
page's menu.

    browser_phone_test.py --tty BUILD/velmora-tty --site SITE [--data data] [--screenshots DIR]

Without the site (tools/web.sh builds it), chromium or python3-websocket the
test says so and is skipped (exit 77).
"""

import pathlib
import sys

HERE = pathlib.Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))
from browser import Browser  # noqa: E402
from browser_route_test import (SKIP, page_test_arguments, Failures, PagePlayer, escape, first_difference, game_folder,  # noqa: E402
                                messages_of, play_tty, read_decisions, windows_of)

# What must hold on a phone's screen, read off the page: the problems found.
LAYOUT = """(() => {
  const width = innerWidth, height = innerHeight, problems = [];
  // The part of an element that its clipping boxes let show, or null.
  const seen = (e) => {
    if (!e.getClientRects().length || getComputedStyle(e).visibility === 'hidden') return null;
    const r = e.getBoundingClientRect();
    let [left, top, right, bottom] = [r.left, r.top, r.right, r.bottom];
    for (let a = e.parentElement; a && a !== document.documentElement; a = a.parentElement) {
      const s = getComputedStyle(a);
      if (s.overflowX === 'visible' && s.overflowY === 'visible') continue;
      const c = a.getBoundingClientRect();
      [left, top, right, bottom] = [Math.max(left, c.left), Math.max(top, c.top),
                                    Math.min(right, c.right), Math.min(bottom, c.bottom)];
    }
    return right > left && bottom > top ? { left, top, right, bottom } : null;
  };
  const name = (e) => e.id || (e.textContent || '').trim().slice(0, 12) || e.tagName;
  for (const e of document.querySelectorAll('#screen button, #screen select, #screen input')) {
    const r = seen(e);
    if (!r) continue;
    const box = e.getBoundingClientRect();
    if (box.width < 44 || box.height < 44) problems.push(`${name(e)} is ${box.width}x${box.height}`);
  }
  for (const e of document.querySelectorAll('#screen *, #notices *')) {
    const r = seen(e);
    if (r && (r.left < -0.5 || r.top < -0.5 || r.right > width + 0.5 || r.bottom > height + 0.5)) {
      problems.push(`${name(e)} outside the screen: ${JSON.stringify(r)}`);
    }
  }
  const size = parseFloat(getComputedStyle(document.getElementById('lblMsg')).fontSize);
  if (size < 16) problems.push(`message text ${size}px`);
  const page = document.documentElement;
  if (page.scrollWidth > width || page.scrollHeight > height) {
    problems.push(`the page scrolls: ${page.scrollWidth}x${page.scrollHeight}`);
  }
  return problems;
})()"""


def as_phone(browser, width, height):
    browser.send("Emulation.setDeviceMetricsOverride", width=width, height=height, deviceScaleFactor=2,
                 mobile=True)
    browser.send("Emulation.setTouchEmulationEnabled", enabled=True, maxTouchPoints=5)


class TapPlayer(PagePlayer):
    """Answers every window by taps: NEXT by a tap on the message, the scene
    or the NEXT button in turn, the rest on their buttons and entries."""

    def answer(self, window):
        self.turn += 1
        b = self.b
        if window == "lblMsg":
            b.tap("#lblMsg")
        elif window == "Form3":
            b.tap(["#lblMsg", "#picMain", "#next"][self.turn % 3])
        elif window == "Form7":
            b.tap("#next" if self.turn % 2 else "#Image1")
        elif window == "Form4" or not self.decisions:
            return False  # the name is typed on the phone's keyboard, by the test
        else:
            decision = self.decisions.pop(0)
            {"Form2": lambda: b.tap("#cmdYes" if decision == "yes" else "#cmdNo"),
             "Form5": lambda: self.tap_entry(decision),
             "Form8": lambda: b.tap(f"#Form8 button[data-row]:nth-of-type({self.menu_row(decision)})"),
             }[window]()
        return True

    def tap_entry(self, decision):
        index = self.b.evaluate(
            f"[...document.querySelectorAll('#List1 [role=option]')].findIndex(o => o.text === {decision!r})")
        option = f"#List1 [role=option]:nth-child({index + 1})"
        # Scrolled into the list's view first, as a player's finger would.
        self.b.evaluate(f"document.querySelector('{option}').scrollIntoView({{block: 'nearest'}})")
        self.b.tap(option)
        self.b.tap("#listOk")


def check_layout(failures, browser, where, checked):
    if where in checked:
        return
    checked.add(where)
    problems = browser.evaluate(LAYOUT)
    failures.check(not problems, f"{browser.width}x{browser.height}, {where}: {problems or 'fits'}")


def tapped_route(args, failures, shots):
    """The whole game by taps at 375 x 667, against velmora-tty."""
    route = read_decisions(HERE / "tap_route.txt")
    trace = play_tty(args.tty, game_folder(args.data), route)
    checked = set()
    with Browser(args.site, width=375, height=667) as browser:
        as_phone(browser, 375, 667)
        browser.open()
        browser.wait_for("window.velmora && velmora.status && velmora.status.waitingFor", "the title")
        browser.wait_for("velmora.titlePaintedAt", "the painted title")
        check_layout(failures, browser, "the title", checked)
        if shots:
            browser.screenshot(shots / "phone-title.png")

        def at_wait(index, window):
            check_layout(failures, browser, window, checked)
            if window == "Form2" and index > 3:
                never_answers(failures, browser)
            if shots and window == "Form3" and index == 12:
                browser.screenshot(shots / "phone-scene.png")
            if shots and window == "Form2" and not (shots / "phone-question.png").exists():
                browser.screenshot(shots / "phone-question.png")

        player = TapPlayer(browser, route, at_wait)
        player.play()
        shown = [escape(m) for m in browser.evaluate("velmora.status.messages")]
        failures.check(player.windows == windows_of(trace) and shown == messages_of(trace),
                       f"a whole game by taps: the same {len(player.windows)} windows and {len(shown)} messages "
                       f"as velmora-tty ({first_difference(windows_of(trace), player.windows)}; "
                       f"{first_difference(messages_of(trace), shown)})")


def never_answers(failures, browser):
    """A tap on the message or the scene at a question, or on its YES as it
    opens (a double tap's second on the NEXT it replaced): nothing."""
    if getattr(never_answers, "done", False):
        return
    never_answers.done = True
    waits = browser.evaluate("velmora.status.waits")
    failures.check(browser.evaluate("velmora.status.settlesAt") > 0, "a question stands a moment before a tap")
    browser.evaluate("velmora.status.settlesAt = performance.now() + 600000")  # still opening
    browser.tap_at(*browser.center("#cmdYes"))
    browser.evaluate("velmora.status.settlesAt = 0")
    browser.tap("#lblMsg")
    browser.tap("#picMain")
    browser.evaluate("new Promise((r) => setTimeout(r, 100))", wait_promise=True)
    failures.check(browser.evaluate(f"velmora.status.waits === {waits} && velmora.status.waitingFor") == "Form2",
                   "a tap on the message or the scene, or on YES as it opens, never answers a question")


def larger_phone(args, failures, shots):
    """390 x 844: the windows of a short game, the page's menu by its button
    and by a long press."""
    checked = set()
    with Browser(args.site, width=390, height=844) as browser:
        as_phone(browser, 390, 844)
        browser.open()
        browser.wait_for("window.velmora && velmora.status && velmora.status.waitingFor", "the title")
        check_layout(failures, browser, "the title", checked)

        def at_wait(index, window):
            check_layout(failures, browser, window, checked)
            if index == 1:
                page_menu(failures, browser, shots, checked)

        player = TapPlayer(browser, ["no", "yes"], at_wait)
        player.play()  # to the name window, left waiting: typed on the phone's keyboard
        for box, text in (("#Text1", "ケン"), ("#Text2", "ケンちゃん")):
            browser.tap(box)
            browser.type_text(text)
        browser.tap("#nameOk")
        player.decisions = ["no", "セーブ"]
        player.play()
        failures.check(browser.evaluate("velmora.status.waitingFor") == "Form5", "the save list is open")
        check_layout(failures, browser, "the save list", checked)
        details = browser.evaluate("""(() => {
          const d = document.getElementById('slotDetails'), list = document.getElementById('Form5');
          const a = d.getBoundingClientRect(), b = list.getBoundingClientRect();
          return [d.hidden, a.bottom <= b.top, d.scrollWidth <= d.clientWidth, d.textContent];
        })()""")
        failures.check(details[:3] == [False, True, True] and "file1" in details[3] and "file5" in details[3],
                       f"the slot details stand whole above the list's sheet: {details}")
        if shots:
            browser.screenshot(shots / "phone-list.png")


def page_menu(failures, browser, shots, checked):
    """At a question: the page's menu by the bar's button, closed by a tap
    beside it, then opened by a long press on the message."""
    closed = "document.getElementById('comfortMenu').hidden"
    browser.tap("#comfortButton")
    browser.wait_for(f"!{closed}", "the page's menu")
    check_layout(failures, browser, "the page's menu", checked)
    if shots:
        browser.screenshot(shots / "phone-menu.png")
    # Beside it: above the menu, which rises from the bottom.
    top = browser.evaluate("document.getElementById('comfortMenu').getBoundingClientRect().top")
    failures.check(top >= 20, f"room above the page's menu to tap beside it ({top:.0f} px)")
    browser.tap_at(browser.width / 2, top / 2)
    browser.wait_for(closed, "the menu closed by a tap beside it")
    browser.long_press("#lblMsg", f"!{closed}")
    failures.check(True, "a long press on the message opens the page's menu")
    browser.tap("#picMain")
    browser.wait_for(closed, "the menu closed")


def swipes(args, failures):
    """A swipe down or to the right goes back a step; up or to the left forward."""
    with Browser(args.site, width=390, height=844) as browser:
        as_phone(browser, 390, 844)
        browser.open()
        browser.wait_for("window.velmora && velmora.status && velmora.status.waitingFor", "the title")
        player = TapPlayer(browser, ["no", "no"])
        last = lambda: browser.evaluate("velmora.status.messages.at(-1)")  # noqa: E731

        def then(action):
            before = browser.evaluate("velmora.status.waits")
            action()
            browser.wait_for(f"velmora.status.waits > {before}", "the next window")

        window = browser.evaluate("velmora.status.waitingFor")
        for _ in range(3 + 6):  # the title, the two questions, six messages
            then(lambda: player.answer(window))
            window = browser.evaluate("velmora.status.waitingFor")
        shown = browser.evaluate("velmora.status.messages")
        then(lambda: browser.swipe("#lblMsg", 0, 120))
        then(lambda: browser.swipe("#picMain", 120, 0))
        back = last()
        then(lambda: browser.swipe("#lblMsg", 0, -120))
        forward = last()
        then(lambda: browser.swipe("#picMain", -120, 0))
        failures.check(back == shown[-3] and forward == shown[-2] and last() == shown[-1],
                       f"swipes down and right go back, up and left forward: {back!r}, {forward!r}, {last()!r}")


def main():
    args = page_test_arguments(__doc__, tty_required=True)
    if args is None:
        return SKIP
    failures = Failures()
    shots = args.shots
    tapped_route(args, failures, shots)
    larger_phone(args, failures, shots)
    swipes(args, failures)
    print(f"phone: {failures.passed} passed, {failures.count} failed")
    return 1 if failures.count else 0


if __name__ == "__main__":
    sys.exit(main())
