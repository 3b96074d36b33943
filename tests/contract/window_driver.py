#!/usr/bin/python3
"""The player's contract played on the window program: a private Xvfb with
openbox for each screen of the table, the program (velmora-contract-host,
velmora as it plays, answering on a local socket what it shows) started afresh
in a fresh game folder for each row, every key, click, wheel turn and drag
sent through the X server with xdotool (see contract.py for the rows).

    window_driver.py --host BUILD/velmora-contract-host --data data [--only REGEX]
"""

import argparse
import json
import os
import pathlib
import shutil
import socket
import subprocess
import sys
import tempfile
import time

HERE = pathlib.Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))
sys.path.insert(0, str(HERE.parent / "web"))
import contract  # noqa: E402
from browser import end_process  # noqa: E402

KEYSYMS = {"Enter": "Return", "Space": "space", "Tab": "Tab", "Escape": "Escape", "Up": "Up",
           "Down": "Down", "Left": "Left", "Right": "Right", "Home": "Home", "End": "End",
           "PageUp": "Prior", "PageDown": "Next", "F2": "F2", "F5": "F5", "F9": "F9", "F11": "F11",
           "Ctrl": "Control_L", **{letter: letter.lower() for letter in "HMASYNCVG"}}


# The pictures for the README, by the row that shows them (--screenshots).
SHOTS = {"details.full-screen": "slot-details-full-screen.png",
         "details.scale-2": "slot-details-scale-2.png",
         "details.small-screen": "slot-details-800x600.png",
         "hide.v-hides-the-window": "hidden-window.png",
         "settings.key-help-says-the-pace": "settings-pace.png",
         "settings.text-speed-kept": "settings-text-speed.png"}


class Desktop:
    """Xvfb of one size with openbox on it, as a player's desktop."""

    def __init__(self, width, height):
        self.work = pathlib.Path(tempfile.mkdtemp(prefix="velmora-desktop-"))
        read, write = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write), "-screen", "0", f"{width}x{height}x24", "-nolisten", "tcp"],
            pass_fds=[write], stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as numbers:
            self.display = ":" + numbers.readline().strip()
        self.env = {**os.environ, "DISPLAY": self.display}
        ready = self.work / "ready"
        self.openbox = subprocess.Popen(
            ["openbox", "--sm-disable", "--startup", f"sh -c 'echo up >{ready}'"],
            env={**self.env, "HOME": str(self.work)}, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        end = time.monotonic() + 30
        while not ready.exists():
            if time.monotonic() > end or self.openbox.poll() is not None:
                raise contract.ContractError("openbox did not start")
            time.sleep(0.02)

    def close(self):
        for process in (self.openbox, self.xvfb):
            end_process(process)
        shutil.rmtree(self.work, ignore_errors=True)


class Window(contract.FrontEnd):
    name = "window"

    def __init__(self, host, data):
        self.host_program = host
        self.data = pathlib.Path(data)
        self.desktop = None
        self.screen = None
        self.host = None
        self.steps = 0

    # --- a fresh program ---
    def begin(self, screen, folder):
        if self.screen != screen.key():
            self.close_desktop()
            self.desktop = Desktop(screen.width, screen.height)
            self.screen = screen.key()
        self.folder = pathlib.Path(tempfile.mkdtemp(prefix="velmora-contract-"))
        shutil.copytree(self.data, self.folder / "game", ignore=shutil.ignore_patterns("design"))
        self.game = self.folder / "game"
        shutil.copy(self.data / "story" / "storymap.txt", self.game / "storymap.txt")
        for name in folder.without:
            (self.game / name).unlink()
        for name, data in folder.slots.items():
            (self.game / name).write_bytes(data)
        home = self.folder / "home"
        runtime = home / "runtime"
        runtime.mkdir(parents=True, mode=0o700)
        if folder.pictures:  # the player's record, as the game writes it
            (home / "data" / "velmora").mkdir(parents=True)
            (home / "data" / "velmora" / "read-record.txt").write_text(
                "velmora read-record 1\n" + "".join(f"picture {key}\n" for key in folder.pictures))
        if getattr(self, "comforts", None):  # the player's settings, as the settings window keeps them
            (home / "config" / "velmora").mkdir(parents=True)
            (home / "config" / "velmora" / "comforts.conf").write_text(self.comforts)
        env = {**self.desktop.env, "HOME": str(home), "XDG_CONFIG_HOME": str(home / "config"),
               "XDG_DATA_HOME": str(home / "data"), "XDG_RUNTIME_DIR": str(runtime),
               "QT_QPA_PLATFORM": "xcb"}
        if screen.scale != 1:
            env["QT_SCALE_FACTOR"] = str(screen.scale)
        self.env = env
        self.launch()

    # The program in the game folder, at its title.
    def launch(self):
        path = str(self.folder / "socket")
        pathlib.Path(path).unlink(missing_ok=True)
        self.process = subprocess.Popen([self.host_program, path], cwd=self.game, env=self.env,
                                        stderr=open(self.folder / "host.log", "a"))
        end = time.monotonic() + 30
        while True:
            try:
                self.host = socket.socket(socket.AF_UNIX)
                self.host.connect(path)
                break
            except OSError:
                if self.process.poll() is not None or time.monotonic() > end:
                    raise contract.ContractError("the program did not start: " +
                                                 (self.folder / "host.log").read_text())
                time.sleep(0.02)
        self.replies = self.host.makefile("r", encoding="utf-8")
        self.held = set()
        self.pressed = False
        self.steps = 0
        contract.wait_until(lambda: self.mapped(), "the main window on the screen")
        self.main_id = self.snapshot()["windows"]["main"]["id"]
        self.ask("settle")

    # The title up, and the window manager has given it the keyboard: a
    # click before that may go to the manager's focusing of the window.
    def mapped(self):
        s = self.snapshot()
        main = s["windows"].get("main")
        return bool(main and main["rect"][2] > 0 and main.get("active", True) and s["waits"] == "message"), s["waits"]

    def end(self):
        for key in list(self.held):
            self.hold(key, False)
        if self.pressed:
            self.xdotool("mouseup", 1)
            self.pressed = False
        if self.host:
            self.host.close()
            self.host = None
        if self.process.poll() is None:
            end_process(self.process)
        if os.environ.get("CONTRACT_KEEP_LOG") or getattr(self, "failed_now", False):
            print((self.folder / "host.log").read_text()[-6000:])
        self.failed_now = False
        shutil.rmtree(self.folder, ignore_errors=True)

    def close_desktop(self):
        if self.desktop:
            self.desktop.close()
            self.desktop = None

    # --- the program's answers ---
    def ask(self, line):
        if not self.host:
            return None
        try:
            self.host.sendall((line + "\n").encode())
            answer = self.replies.readline()
        except OSError:
            answer = ""
        if not answer:  # the program has ended
            self.host.close()
            self.host = None
            return None
        return json.loads(answer)

    def xdotool(self, *args):
        subprocess.run(["xdotool", *map(str, args)], env=self.desktop.env, check=True,
                       stderr=subprocess.DEVNULL)

    # --- what the player does ---
    # Keys go to the window the window manager has given the keyboard: one
    # just shown gets it once the manager has put it up.
    def keyboard(self):
        self.ask("settle")
        contract.wait_until(lambda: (self.snapshot().get("activeWindow", "") is not None, None),
                            "a window of the game with the keyboard")

    def press(self, key):
        self.keyboard()
        self.xdotool("key", KEYSYMS[key])

    def hold(self, key, down):
        if down:
            self.keyboard()
        self.xdotool("keydown" if down else "keyup", KEYSYMS[key])
        (self.held.add if down else self.held.discard)(key)

    def pad(self, button, down):
        answer = self.ask(f"pad {button} {'down' if down else 'up'}")
        if answer and answer.get("error"):
            raise contract.ContractError(answer["error"])

    def hold_text(self, held):
        self.ask("hold text" if held else "let text go")

    # Once the program shows it, and the window manager has put its window
    # up: a window just shown is reparented into its frame, and a click
    # meanwhile would be lost.
    def point(self, target):
        self.ask("settle")
        def found():
            answer = self.ask("where " + target)
            return bool(answer and answer["at"]), answer
        try:
            answer = contract.wait_until(found, f"nothing to point at: {target}")
        except contract.ContractError as e:
            raise contract.ContractError(f"nothing to point at: {target}") from e
        return [round(v) for v in answer["at"]]

    def click(self, target, button="left"):
        x, y = self.point(target)
        self.xdotool("mousemove", x, y, "click", {"left": 1, "middle": 2, "right": 3}[button])

    def wheel(self, target, up):
        x, y = self.point(target)
        self.xdotool("mousemove", "--sync", x, y, "click", 4 if up else 5)

    # The window manager takes the move over from the press; the mouse moves
    # only once it holds it.
    # The pointer stays on the screen, as a player's does.
    def drag(self, target, dx, dy):
        x, y = self.point(target)
        width, height = self.snapshot()["screen"]
        to = (min(max(x + dx, 0), width - 1), min(max(y + dy, 0), height - 1))
        for _ in range(5):
            self.xdotool("mousemove", x, y, "mousedown", 1)
            self.pressed = True
            self.settle()
            try:
                contract.wait_until(lambda: (self.ask("moving")["moving"], False), "the window manager's move")
                break
            except contract.ContractError:
                self.xdotool("mouseup", 1)
                self.pressed = False
        self.xdotool("mousemove", *to)
        self.settle()
        self.xdotool("mouseup", 1)
        self.pressed = False
        self.ask("settle")

    def put_away(self):
        self.xdotool("windowminimize", "--sync", self.main_id)

    def bring_back(self):
        self.xdotool("windowactivate", "--sync", self.main_id)

    def bring_in(self, files):
        raise contract.ContractError("the window program brings in no slot")

    def kill(self):
        self.process.kill()
        self.process.wait()
        self.ask("snapshot")  # the socket closes with it

    # Closed by its close box, as a player closes it (at a message or the
    # title it ends without a question), then started again.
    def start_again(self):
        if self.process.poll() is None:
            self.click("the close box of the main window")
            try:
                self.process.wait(timeout=contract.PATIENCE)
            except subprocess.TimeoutExpired as e:
                raise contract.ContractError("the program did not end by its close box") from e
        if self.host:
            self.host.close()
            self.host = None
        self.launch()

    # --- what the player sees ---
    def settle(self):
        if not self.host or self.process.poll() is not None:
            return
        self.steps += 1
        marked = subprocess.run(["xdotool", "set_window", "--role", f"velmora-sync-{self.steps}", self.main_id],
                                env=self.desktop.env, stderr=subprocess.DEVNULL)
        if marked.returncode == 0:  # else the program has closed its window, and ends
            contract.wait_until(lambda: self.synced(), "the program to take the step")

    def synced(self):
        answer = self.ask("synced")
        return (answer is None or answer["synced"] >= self.steps), answer

    def snapshot(self):
        s = self.ask("snapshot")
        if s is None:
            return {"ended": True, "waits": None, "windows": {}, "comforts": [], "screen": [0, 0]}
        return s

    def screenshot(self, path):
        subprocess.run(["import", "-window", "root", str(path)], env=self.desktop.env, check=True)

    def slot(self, name):
        files = {n: self.game / n for n in (name, name + "_text")}
        if not all(f.exists() for f in files.values()):
            return None
        return {n: f.read_bytes() for n, f in files.items()}


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--host", required=True)
    parser.add_argument("--data", required=True)
    parser.add_argument("--only", help="play only the rows whose id matches")
    parser.add_argument("--screenshots", help="keep the README's pictures in this folder")
    args = parser.parse_args()
    window = Window(os.path.abspath(args.host), args.data)
    return contract.run(window, args.only, SHOTS, args.screenshots, window.close_desktop)


if __name__ == "__main__":
    sys.exit(main())
