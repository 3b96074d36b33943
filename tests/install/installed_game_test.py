#!/usr/bin/env python3
"""The installed game: `cmake --install` into a temporary prefix, then the
commands a player types, velmora-tty and velmora --tty, started in an empty
folder with HOME in a temporary one, answering the terminal protocol.

    python3 installed_game_test.py BUILD_DIR [CMAKE]
"""
import os
import shutil
import subprocess
import sys
import tempfile
import threading
import unittest

BUILD = None
CMAKE = "cmake"
CLICKS = ("CLICK?", "NEXT?", "PICTURE?")
DECISIONS = ("YESNO?", "LIST?", "MENU?", "NAME?")
TIME_LIMIT = 60

# A new game, the invitation declined, saved into file1 at the first menu.
SAVE_INTO_FILE1 = ["no", "no", "no", "セーブ", "file1", "yes"]
# The load question at the start answered YES, file1 chosen and confirmed.
LOAD_FILE1_AT_START = ["yes", "file1", "yes"]


def install(prefix):
    subprocess.run([CMAKE, "--install", BUILD, "--prefix", prefix], check=True,
                   stdout=subprocess.DEVNULL)


def play(prefix, env, decisions, cwd, command=("velmora-tty",)):
    """Runs the command installed in games/; clicks are empty lines, each
    decision prompt takes the next decision, and the input ends when none is
    left."""
    proc = subprocess.Popen([os.path.join(prefix, "games", command[0]), *command[1:]],
                            stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                            stderr=subprocess.PIPE, env=env, cwd=cwd)
    timer = threading.Timer(TIME_LIMIT, proc.kill)
    timer.start()
    left = list(decisions)
    trace = []
    try:
        for raw in proc.stdout:
            line = raw.decode("utf-8").rstrip("\n")
            trace.append(line)
            tag = line.split(" ", 1)[0]
            if proc.stdin.closed:
                continue
            if tag in CLICKS:
                proc.stdin.write(b"\n")
            elif tag in DECISIONS and left:
                proc.stdin.write(left.pop(0).encode("utf-8") + b"\n")
            elif tag in DECISIONS:
                proc.stdin.close()
                continue
            else:
                continue
            proc.stdin.flush()
        status = proc.wait()
    finally:
        timer.cancel()
        if not proc.stdin.closed:
            proc.stdin.close()
        errors = proc.stderr.read().decode("utf-8", "replace")
        proc.stderr.close()
        proc.stdout.close()
    if status != 0 or not trace or trace[-1] != "END":
        raise AssertionError("launcher status %d, last lines %r, stderr %r"
                             % (status, trace[-5:], errors))
    return trace


def environment(home, **extra):
    env = {k: v for k, v in os.environ.items() if k != "XDG_DATA_HOME"}
    env["HOME"] = home
    env.update(extra)
    return env


def snapshot(path):
    st = os.lstat(path)
    with open(path, "rb") as f:
        return (st.st_ino, st.st_mtime_ns, f.read())


class InstalledGame(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.mkdtemp(prefix="velmora-install-")
        self.prefix = os.path.join(self.tmp, "prefix")
        self.home = os.path.join(self.tmp, "home")
        self.elsewhere = os.path.join(self.tmp, "elsewhere")
        os.makedirs(self.home)
        os.makedirs(self.elsewhere)
        install(self.prefix)
        self.shipped = os.path.join(self.prefix, "share", "games", "velmora")
        self.folder = os.path.join(self.home, ".local", "share", "velmora")

    def tearDown(self):
        shutil.rmtree(self.tmp, ignore_errors=True)

    def test_slots_land_in_the_players_folder_and_load_back(self):
        # velmora-tty typed in an empty folder: the game folder, never that one.
        trace = play(self.prefix, environment(self.home), SAVE_INTO_FILE1, self.elsewhere)
        self.assertIn("MSG file1 にセーブしました。", trace)
        for slot in ("file1", "file1_text"):
            self.assertTrue(os.path.isfile(os.path.join(self.folder, slot)), slot)
        self.assertEqual(os.listdir(self.elsewhere), [])
        self.assertFalse(any(n.startswith("file") for n in os.listdir(self.shipped)))
        saved = snapshot(os.path.join(self.folder, "file1"))

        trace = play(self.prefix, environment(self.home), LOAD_FILE1_AT_START, self.elsewhere,
                     command=("velmora", "--tty"))
        self.assertIn("MSG file1 をロードしました。", trace)
        self.assertEqual(snapshot(os.path.join(self.folder, "file1")), saved)
        self.assertEqual(os.listdir(self.elsewhere), [])

    def test_xdg_data_home_chooses_the_folder_and_empty_means_unset(self):
        play(self.prefix, environment(self.home, XDG_DATA_HOME=""), [], self.elsewhere)
        self.assertTrue(os.path.islink(os.path.join(self.folder, "kumi01.dat")))

        data_home = os.path.join(self.tmp, "data-home")
        other = os.path.join(self.tmp, "other-home")
        os.makedirs(other)
        play(self.prefix, environment(other, XDG_DATA_HOME=data_home), SAVE_INTO_FILE1,
             self.elsewhere)
        self.assertTrue(os.path.isfile(os.path.join(data_home, "velmora", "file1")))
        self.assertFalse(os.path.exists(os.path.join(other, ".local")))

    def test_newer_shipped_data_reaches_the_folder_and_slots_stay(self):
        play(self.prefix, environment(self.home), SAVE_INTO_FILE1, self.elsewhere)
        # Files of the player: slots, a save helper, a file of their own; and a
        # copy of a shipped picture that an older way of playing left there.
        with open(os.path.join(self.folder, ".file1.old"), "wb") as f:
            f.write(b"helper")
        with open(os.path.join(self.folder, "file3"), "wb") as f:
            f.write(b"0\r\n")
        with open(os.path.join(self.folder, "notes.txt"), "wb") as f:
            f.write(b"mine")
        os.remove(os.path.join(self.folder, "title.jpg"))
        with open(os.path.join(self.folder, "title.jpg"), "wb") as f:
            f.write(b"an old copy")
        kept = {n: snapshot(os.path.join(self.folder, n))
                for n in ("file1", "file1_text", ".file1.old", "file3", "notes.txt")}

        # The newer version ships one file more, one file less.
        with open(os.path.join(self.shipped, "newscene.dat"), "wb") as f:
            f.write(b"new")
        os.remove(os.path.join(self.shipped, "akira03.dat"))
        play(self.prefix, environment(self.home), [], self.elsewhere)

        names = os.listdir(self.folder)
        self.assertIn("newscene.dat", names)
        self.assertNotIn("akira03.dat", names)
        with open(os.path.join(self.folder, "newscene.dat"), "rb") as f:
            self.assertEqual(f.read(), b"new")
        with open(os.path.join(self.folder, "title.jpg"), "rb") as f, \
                open(os.path.join(self.shipped, "title.jpg"), "rb") as g:
            self.assertEqual(f.read(), g.read())
        for name, before in kept.items():
            self.assertEqual(snapshot(os.path.join(self.folder, name)), before, name)
        self.assertEqual(sorted(n for n in names if n.startswith(".")), [".file1.old"])

        # The saved game still loads, with the data of the newer version.
        trace = play(self.prefix, environment(self.home), LOAD_FILE1_AT_START, self.elsewhere)
        self.assertIn("MSG file1 をロードしました。", trace)

    def test_two_launchers_at_once_never_write_the_shipped_data(self):
        """The menu entry clicked twice: two launchers fill a fresh game folder
        at once, 200 times over, from an install the player may write. The
        shipped data stays byte for byte, every entry of the folder leads to
        its own shipped file, and nothing is complained of. (A shipped picture
        once held another's bytes in 5 of 200 double starts, and the complaint
        said "Success".)"""
        # The game itself is not what is tried here: a stand-in ends at once.
        game = os.path.join(self.prefix, "lib", "games", "velmora", "velmora-tty")
        os.remove(game)
        with open(game, "w") as f:
            f.write("#!/bin/sh\nexit 0\n")
        os.chmod(game, 0o755)
        launcher = os.path.join(self.prefix, "games", "velmora")
        shipped = sorted(os.listdir(self.shipped))
        before = {name: snapshot(os.path.join(self.shipped, name)) for name in shipped}
        complaints = set()
        for run in range(200):
            home = os.path.join(self.tmp, "race", str(run))
            os.makedirs(home)
            twice = [subprocess.Popen([launcher, "--tty"], env=environment(home),
                                      stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                      stderr=subprocess.PIPE) for _ in range(2)]
            for launched in twice:
                _, said = launched.communicate(timeout=TIME_LIMIT)
                self.assertEqual(launched.returncode, 0, said)
                complaints.update(said.decode("utf-8", "replace").splitlines())
            folder = os.path.join(home, ".local", "share", "velmora")
            for name in shipped:
                self.assertEqual(os.path.realpath(os.path.join(folder, name)),
                                 os.path.realpath(os.path.join(self.shipped, name)),
                                 "run %d, %s" % (run, name))
            self.assertEqual([n for n in os.listdir(folder) if n not in shipped], [],
                             "run %d" % run)
            shutil.rmtree(home)
        changed = [n for n in shipped if snapshot(os.path.join(self.shipped, n)) != before[n]]
        self.assertEqual(changed, [])
        self.assertEqual(complaints, set())

    def test_a_full_or_read_only_disk_is_said_once(self):
        """The game folder on a read-only disk and on a full one (tmpfs mounts
        in a private mount namespace): the launcher says what failed in one
        line, naming how many files and why, and still starts the game. (It
        once printed a line for every file: 63 and 25 lines for one cause.)"""
        if subprocess.run(["unshare", "-m", "true"], capture_output=True).returncode != 0:
            self.skipTest("unshare -m is not permitted here")
        game = os.path.join(self.prefix, "lib", "games", "velmora", "velmora-tty")
        os.remove(game)
        with open(game, "w") as f:
            f.write("#!/bin/sh\necho started\n")
        os.chmod(game, 0o755)
        os.makedirs(self.folder)
        launcher = os.path.join(self.prefix, "games", "velmora")
        mounts = {"Read-only file system": "mount -t tmpfs tmpfs \"$1\" && "
                                           "mount -o remount,ro \"$1\"",
                  "No space left on device": "mount -t tmpfs -o nr_inodes=8 tmpfs \"$1\""}
        for cause, mount in mounts.items():
            ran = subprocess.run(
                ["unshare", "-m", "--propagation", "private", "sh", "-c",
                 mount + ' && exec "$2" --tty', "sh", self.folder, launcher],
                env=environment(self.home), capture_output=True, text=True, timeout=TIME_LIMIT)
            said = ran.stderr.splitlines()
            self.assertEqual(ran.stdout, "started\n", ran.stderr)
            self.assertEqual(len(said), 1, ran.stderr)
            self.assertRegex(said[0], r"velmora: cannot link [0-9]+ of the game's files "
                             r"into .*: " + cause + "$")

    def test_desktop_entry_starts_the_installed_launcher_and_metainfo_validates(self):
        entry = os.path.join(self.prefix, "share", "applications", "velmora.desktop")
        with open(entry, encoding="utf-8") as f:
            lines = f.read().splitlines()
        execs = [l[len("Exec="):] for l in lines if l.startswith("Exec=")]
        self.assertEqual(execs, [os.path.join(self.prefix, "games", "velmora")])
        self.assertTrue(os.access(execs[0], os.X_OK))
        icons = os.path.join(self.prefix, "share", "icons", "hicolor")
        self.assertIn("Icon=velmora", lines)
        self.assertTrue(os.path.isfile(os.path.join(icons, "256x256", "apps", "velmora.png")))
        subprocess.run(["desktop-file-validate", entry], check=True)
        # The metainfo, and its launchable found among the installed entries.
        subprocess.run(["appstreamcli", "validate-tree", "--no-net", self.prefix], check=True,
                       stdout=subprocess.DEVNULL)


if __name__ == "__main__":
    BUILD = os.path.abspath(sys.argv[1])
    if len(sys.argv) > 2:
        CMAKE = sys.argv[2]
    unittest.main(argv=sys.argv[:1], verbosity=2)
