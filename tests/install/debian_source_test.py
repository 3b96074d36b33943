#!/usr/bin/env python3
"""The quick checks of the Debian source package (debian/): what the build's
`cmake --install` lays out is claimed by exactly one of debian/*.install and
debian/not-installed, every program has its manual page, the AppStream
releases keep in step with debian/changelog, and the copyright file holds
the licences' own words. The whole package is built and tried by hand in a
clean chroot (tools/debian_package_check.sh).

    python3 debian_source_test.py BUILD_DIR CMAKE PROJECT_VERSION
"""
import email.utils
import fnmatch
import os
import re
import subprocess
import sys
import tempfile
import unittest

SOURCE = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
DEBIAN = os.path.join(SOURCE, "debian")
METAINFO = os.path.join(SOURCE, "packaging", "io.github.velmora.Velmora.metainfo.xml")
BUILD = None
CMAKE = "cmake"
VERSION = None


def read(*path):
    with open(os.path.join(*path), encoding="utf-8") as f:
        return f.read()


def patterns(name):
    """The lines of a debhelper file list, comments and blank lines left out."""
    lines = read(DEBIAN, name).splitlines()
    return [line.strip().rstrip("/") for line in lines if line.strip() and not line.startswith("#")]


def claims(pattern, path):
    """Whether an install line (a file, a folder or a glob) takes the path."""
    return fnmatch.fnmatchcase(path, pattern) or path.startswith(pattern + "/")


class InstalledFiles(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        with tempfile.TemporaryDirectory(prefix="velmora-debian-") as root:
            subprocess.run([CMAKE, "--install", BUILD, "--prefix", "/usr"], check=True,
                           stdout=subprocess.DEVNULL, env=dict(os.environ, DESTDIR=root))
            cls.files = sorted(os.path.relpath(os.path.join(d, n), root)
                               for d, _, names in os.walk(root) for n in names)
        cls.lists = {name: patterns(name)
                     for name in ("velmora.install", "velmora-data.install", "not-installed")}

    def test_each_file_goes_to_exactly_one_place(self):
        for path in self.files:
            takers = [name for name, lines in self.lists.items()
                      if any(claims(p, path) for p in lines)]
            self.assertEqual(len(takers), 1, "%s is taken by %s" % (path, takers or "nothing"))

    def test_each_line_takes_a_file(self):
        for name, lines in self.lists.items():
            for pattern in lines:
                self.assertTrue(any(claims(pattern, path) for path in self.files),
                                "%s: %s matches nothing installed" % (name, pattern))

    def test_the_data_apart_from_the_programs(self):
        data_lines = self.lists["velmora-data.install"]
        data = [p for p in self.files if any(claims(q, p) for q in data_lines)]
        self.assertIn("usr/share/games/velmora/kumi01.dat", data)
        self.assertTrue(all(p.startswith("usr/share/") for p in data), data)

    def test_every_program_has_its_manual_page(self):
        programs = [os.path.basename(p) for p in self.files if p.startswith("usr/games/")]
        self.assertEqual(sorted(programs), ["velmora", "velmora-tty"])
        for program in programs:
            self.assertIn("usr/share/man/man6/%s.6" % program, self.files)


class Releases(unittest.TestCase):
    def test_metainfo_releases_in_step_with_the_changelog(self):
        changelog = read(DEBIAN, "changelog")
        versions = re.findall(r"^velmora \(([^)]+)\)", changelog, re.M)
        dates = re.findall(r"^ -- .+?  (\w{3}, .+)$", changelog, re.M)
        self.assertEqual(len(versions), len(dates))
        # The upstream version of each entry (before the Debian revision), and
        # the day of its first entry: that version's first Debian upload.
        first_upload = {}
        for version, date in zip(versions, dates):
            day = email.utils.parsedate_to_datetime(date).date().isoformat()
            first_upload[version.rsplit("-", 1)[0]] = day
        releases = re.findall(r'<release version="([^"]+)" date="([^"]+)"', read(METAINFO))
        self.assertEqual([v for v, _ in releases], list(dict.fromkeys(first_upload)),
                         "the metainfo's releases, newest first, are the changelog's versions")
        self.assertEqual(releases[0][0], VERSION, "the newest release is the project's version")
        for version, date in releases:
            self.assertLessEqual(date, first_upload[version],
                                 "%s packaged before its release" % version)


class Copyright(unittest.TestCase):
    def test_licence_text_is_whole(self):
        stanza = read(DEBIAN, "copyright").split("\n\nLicense: CC-BY-SA-4.0\n", 1)[1]
        stanza = stanza.split("\n\n", 1)[0]
        text = "\n".join("" if line == " ." else line[1:] for line in stanza.splitlines())
        original = read(SOURCE, "LICENSES", "CC-BY-SA-4.0.txt").expandtabs(8)
        self.assertEqual(text, "\n".join(line.rstrip() for line in original.strip().splitlines()))

    def test_maintainer_names_the_project_and_no_debian_team(self):
        """The project itself, the same wherever the package names who answers
        for it, and never an address of Debian's teams or infrastructure."""
        maintainer = re.search(r"^Maintainer: (.+)$", read(DEBIAN, "control"), re.M).group(1)
        self.assertRegex(maintainer, r"^Velmora maintainers <[^@>]+@[^>]+>$")
        self.assertNotRegex(maintainer, r"(team\+|@[\w.]*debian\.(org|net)>)")
        named = {"changelog": re.findall(r"^ -- (.+?)  ", read(DEBIAN, "changelog"), re.M)[0],
                 "copyright": re.search(r"^Upstream-Contact: (.+)$", read(DEBIAN, "copyright"),
                                        re.M).group(1),
                 "upstream/metadata": re.search(r"^Contact: (.+)$",
                                                read(DEBIAN, "upstream", "metadata"), re.M).group(1)}
        self.assertEqual(named, dict.fromkeys(named, maintainer))


if __name__ == "__main__":
    BUILD, CMAKE, VERSION = os.path.abspath(sys.argv[1]), sys.argv[2], sys.argv[3]
    unittest.main(argv=sys.argv[:1], verbosity=2)
