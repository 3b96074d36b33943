#!/usr/bin/python3
"""The figures the README and docs/install.md quote hold: each is quoted where
a reader looks for it and agrees, within a tenth, with the last run of the
benchmark that takes it (the table at the head of docs/benchmarks.md, which
bench/figures.py writes), and the README gives no other figure in minutes,
MB or KB that none of those runs took. It compares the documents with the
table, never with a new measurement: the figures change when a benchmark runs
again, not when a test is added.

    figures_test.py [ROOT]
"""

import pathlib
import re
import sys
import unittest

ROOT = pathlib.Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "bench"))
import figures  # noqa: E402

FIGURE = r"(?P<value>[0-9][0-9.,]*) (?P<unit>minutes|s|MB|KB)\b"
# The figure, the document, the words it is quoted in ({} stands for it).
QUOTES = [
    ("test-command", "README.md", "on two cores it takes about {} once the packages are installed"),
    ("title-fresh-machine", "README.md", "the title comes about {} after the command"),
    ("title-fresh-machine", "docs/install.md", "to the title: {}"),
    ("first-visit-plain", "README.md", "a player's browser downloads about {} of it from a plain"),
    ("first-visit-packed", "README.md", "the copies compressed beside the files, {}"),
    ("music-vorbis", "README.md", "(Vorbis about {},"),
    ("music-opus", "README.md", "Opus about {})"),
]
SWEPT = ("minutes", "MB", "KB")


def agrees(quoted, taken):
    return abs(quoted - taken) <= 0.1 * taken


class FiguresHold(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.taken = figures.read(ROOT / "docs/benchmarks.md")
        # Each document's words, however its lines are broken.
        cls.text = {name: re.sub(r"\s+", " ", (ROOT / name).read_text(encoding="utf-8"))
                    for name in {doc for _, doc, _ in QUOTES}}

    def test_each_quote_agrees_with_the_last_run(self):
        for name, doc, words in QUOTES:
            with self.subTest(figure=name, document=doc):
                self.assertIn(name, self.taken, "no benchmark has written it")
                before, after = words.split("{}")
                found = re.search(re.escape(before) + FIGURE + re.escape(after), self.text[doc])
                self.assertTrue(found, f"{doc} no longer says: {words}")
                value, unit = self.taken[name]
                self.assertEqual(found["unit"], unit)
                self.assertTrue(agrees(float(found["value"].replace(",", "")), value),
                                f"{doc} says {found['value']} {unit}, the last run {value:g} {unit}")

    def test_the_readme_says_no_figure_the_runs_contradict(self):
        for found in re.finditer(FIGURE, self.text["README.md"]):
            if found["unit"] not in SWEPT:
                continue
            quoted = float(found["value"].replace(",", ""))
            with self.subTest(quoted=found[0]):
                self.assertTrue(any(unit == found["unit"] and agrees(quoted, value)
                                    for value, unit in self.taken.values()),
                                f"README.md says {found[0]}, which no benchmark's last run took")


if __name__ == "__main__":
    if len(sys.argv) > 1:
        ROOT = pathlib.Path(sys.argv.pop(1)).resolve()
    unittest.main(verbosity=2)
