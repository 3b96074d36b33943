#!/usr/bin/python3
"""The page's message appearing letter by letter: the work of one step, a
letter more of a long message drawn (the letters shown, the rest laid out
unseen) and the page laid out again, measured in headless chromium.

    bench/web/appearing.py [--site build-web/site] [--rounds 21] [--steps 100]

Prints the median, the fastest and the slowest round's time a step, in ms
(goal: well under a frame, 16.7 ms). The window program's own step is
velmora_appearing_bench.
"""

import argparse
import json
import pathlib
import statistics
import sys

HERE = pathlib.Path(__file__).resolve().parent
sys.path.insert(0, str(HERE.parent.parent / "tests" / "web"))
from browser import Browser  # noqa: E402

# The longest kind of message: three lines of the window, wrapped.
MESSAGE = ("「今は春休み。これが明けたら、いよいよ高校最後の一年が始まる。」"
           "防波堤の先まで歩いていくと、潮の匂いのする風が吹いてきた。Haru "
           "と一緒に、海の見える丘まで歩いていこう。夕方には雨が降るらしい。")

ROUND = """((text, steps) => {
  const a = velmora.page.appearing;
  a.show(' \\n' + text, 10);
  a.hold(true);
  const begun = performance.now();
  for (let i = 0; i < steps; ++i) {
    a.shown = a.first + (i % (a.letters.length - a.first));
    a.draw();
    a.label.getBoundingClientRect();  // laid out again, as the frame would
  }
  const each = (performance.now() - begun) / steps;
  a.hold(false);
  a.showWhole();
  return each;
})"""


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--site", default="build-web/site")
    parser.add_argument("--rounds", type=int, default=21)
    parser.add_argument("--steps", type=int, default=100)
    args = parser.parse_args()
    with Browser(args.site, width=1280, height=800) as b:
        b.open()
        b.wait_for("window.velmora && velmora.page && velmora.page.pending", "the title")
        times = [b.evaluate(f"{ROUND}({json.dumps(MESSAGE)}, {args.steps})") for _ in range(args.rounds)]
    print(f"a step: median {statistics.median(times):.3f} ms, fastest {min(times):.3f} ms, "
          f"slowest {max(times):.3f} ms ({args.rounds} rounds of {args.steps} steps)")


if __name__ == "__main__":
    main()
