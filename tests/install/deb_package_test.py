#!/usr/bin/env python3
"""The Debian package as CPack builds it: it lays the game out under /usr as
Debian's games are, its desktop entry starts /usr/games/velmora, its Depends
were computed (CPack's own check fails the build otherwise), and it never
takes the name of a package of Debian's source package (debian/control),
which it conflicts with and replaces.

    python3 deb_package_test.py BUILD_DIR [CPACK]
"""
import glob
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest

BUILD = None
CPACK = "cpack"
CONTROL = os.path.join(os.path.dirname(__file__), "..", "..", "debian", "control")


class DebPackage(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.mkdtemp(prefix="velmora-deb-")
        subprocess.run([CPACK, "-G", "DEB", "-B", cls.tmp], cwd=BUILD, check=True,
                       stdout=subprocess.DEVNULL)
        debs = glob.glob(os.path.join(cls.tmp, "*.deb"))
        assert len(debs) == 1, debs
        cls.deb = debs[0]
        cls.tree = os.path.join(cls.tmp, "tree")
        subprocess.run(["dpkg-deb", "--extract", cls.deb, cls.tree], check=True)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.tmp, ignore_errors=True)

    def field(self, name):
        return subprocess.run(["dpkg-deb", "--field", self.deb, name], check=True,
                              stdout=subprocess.PIPE, text=True).stdout.strip()

    def test_control_fields(self):
        self.assertEqual(self.field("Section"), "games")
        self.assertTrue(self.field("Maintainer"))
        depends = [d.split(" ")[0] for d in self.field("Depends").split(", ")]
        for needed in ("libqt6widgets6", "libqt6multimedia6", "fonts-ipafont-gothic",
                       "fonts-ipafont-mincho"):
            self.assertIn(needed, depends)

    def test_replaces_debians_packages_never_takes_their_name(self):
        with open(CONTROL, encoding="utf-8") as f:
            debian = re.findall(r"^Package: (\S+)$", f.read(), re.M)
        self.assertNotIn(self.field("Package"), debian)
        for relation in ("Conflicts", "Replaces"):
            named = [r.split(" ")[0] for r in self.field(relation).split(", ")]
            self.assertEqual(sorted(named), sorted(debian), relation)

    def test_layout_under_usr(self):
        self.assertEqual(sorted(os.listdir(self.tree)), ["usr"])
        games = os.path.join(self.tree, "usr", "games")
        self.assertEqual(sorted(os.listdir(games)), ["velmora", "velmora-tty"])
        self.assertEqual(os.readlink(os.path.join(games, "velmora-tty")), "velmora")
        programs = os.path.join(self.tree, "usr", "lib", "games", "velmora")
        self.assertEqual(sorted(os.listdir(programs)), ["libvelmora-pad.so", "libvelmora-sound.so",
                                                        "libvelmora-speech.so", "velmora", "velmora-tty"])
        data = os.path.join(self.tree, "usr", "share", "games", "velmora")
        self.assertTrue(os.path.isfile(os.path.join(data, "kumi01.dat")))
        self.assertTrue(os.path.isfile(os.path.join(data, "BGM1.wav")))
        self.assertFalse(os.path.exists(os.path.join(data, "design")))
        self.assertFalse(os.path.exists(os.path.join(data, "story")))
        self.assertTrue(os.path.isfile(os.path.join(data, "storymap.txt")))

    def test_licences_stated_and_no_font_shipped(self):
        doc = os.path.join(self.tree, "usr", "share", "doc", "velmora")
        with open(os.path.join(doc, "copyright"), encoding="utf-8") as f:
            copyright = f.read()
        for licence in ("GPL-3.0-or-later", "CC-BY-SA-4.0"):
            self.assertIn("License: " + licence + "\n", copyright)
        self.assertTrue(os.path.isfile(os.path.join(doc, "CC-BY-SA-4.0.txt")))
        # The IPA fonts are Debian's packages (Depends), never the game's files.
        fonts = [os.path.join(d, n) for d, _, names in os.walk(self.tree) for n in names
                 if n.lower().endswith((".ttf", ".otf", ".ttc"))]
        self.assertEqual(fonts, [])

    def test_desktop_entry_names_the_installed_launcher(self):
        entry = os.path.join(self.tree, "usr", "share", "applications", "velmora.desktop")
        with open(entry, encoding="utf-8") as f:
            self.assertIn("Exec=/usr/games/velmora", f.read().splitlines())


if __name__ == "__main__":
    BUILD = os.path.abspath(sys.argv[1])
    if len(sys.argv) > 2:
        CPACK = sys.argv[2]
    unittest.main(argv=sys.argv[:1], verbosity=2)
