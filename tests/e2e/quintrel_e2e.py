#!/usr/bin/env python3
"""The real Quintrel window tried as a person would: on a private X server, with real key
presses and mouse clicks, against a game installed in a temporary Wine prefix.

    quintrel_e2e.py [paths] scenario NAME        run one scenario, exit 1 when a check fails
    quintrel_e2e.py [paths] screenshots FOLDER   one picture of each page of the window

The paths (the program, the stock handling file, the data of the working folder) are given by
CTest or scripts/e2e. A failed scenario leaves a screenshot and the program's output in --out.
"""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time
import traceback
from pathlib import Path

sys.dont_write_bytecode = True  # no __pycache__ in the source tree

import handling as hf
from desktop import Display, Failure, Person, colourful_share, wait_until

CAPTION_OPENED = "Quintrel V0.1  (par Ardemus) - Ouverture de : "
CLIENT_WIDTH, CLIENT_HEIGHT = 650, 465
# Places in the main window's client area, which has a fixed layout.
FIRST_KIND = (16 + 30, 25 + 6)  # inside the tree's first node, "Voitures"
BACKGROUND = (641, 300)  # bare black background right of the pages
PREVIEW = (8, 93, 129, 80)
# Values the game's file holds where the stock file holds others: seeing them proves that the
# game's file was read, and finding a field by its value needs no coordinates.
FIRST_CAR_MASS = b"1357.9"
BIKE_MASS = b"246.8"
OTHER_FILE_MASS = b"4321.0"


def check(condition, message):
    if not condition:
        raise Failure(message)


def leak_options(suppressions):
    """LSAN_OPTIONS for a program built with the sanitizers; no effect on any other."""
    return ":".join(filter(None, [os.environ.get("LSAN_OPTIONS"), f"suppressions={suppressions}"]))


class Session:
    """One run of the editor in a world of its own: a Wine prefix whose registry leads to the
    game's handling file, an empty home, and a working folder holding the previews, the backup
    and the help text."""

    def __init__(self, args, name):
        self.args, self.name = args, name
        self.stock = Path(args.stock).read_bytes()
        stock = hf.records(self.stock)
        self.cars = hf.plain_cars(stock)
        self.bikes = hf.names(stock, b"!")
        # The game's file: the stock file with two masses changed, CR LF as on Windows.
        game = hf.with_value(self.stock, hf.CAR, self.cars[0], hf.MASS, FIRST_CAR_MASS)
        game = hf.with_value(game, hf.CAR, self.bikes[1], hf.MASS, BIKE_MASS)
        self.game_bytes = game.replace(b"\r\n", b"\n").replace(b"\n", b"\r\n")
        self.game = hf.records(self.game_bytes)
        self.shown = [self.cars[0]]  # every open shows the first car

        self.root = Path(tempfile.mkdtemp(prefix=f"quintrel-e2e-{name}-"))
        prefix = self.root / "prefix"
        # The folder differs in case from the registry's value, as a Windows game may.
        data = prefix / "drive_c" / "Games" / "MORVANE" / "common" / "data"
        data.mkdir(parents=True)
        (prefix / "system.reg").write_bytes(
            b"WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win32\n\n"
            b"[Software\\\\Tamberlin Games\\\\Morvane] 1733900000\n#time=1db4b1a2c3d4e5f\n"
            b"\"InstallFolder\"=\"C:\\\\Games\\\\Morvane\"\n\n")
        self.game_file = data / "handling.dat"
        self.game_file.write_bytes(self.game_bytes)
        self.home = self.root / "home"
        self.home.mkdir()
        runtime = self.root / "runtime"
        runtime.mkdir(mode=0o700)
        self.work = self.root / "work"
        shutil.copytree(args.previews, self.work / "mini_screen")
        (self.work / "backup").mkdir()
        shutil.copyfile(args.backup, self.work / "backup" / "handling.dat.backup")
        shutil.copyfile(args.readme, self.work / "Readme.txt")

        self.env = {
            "PATH": os.environ.get("PATH", "/usr/bin:/bin"),
            "HOME": str(self.home),
            "WINEPREFIX": str(prefix),
            "XDG_RUNTIME_DIR": str(runtime),
            "LANG": "C.UTF-8",
            "QT_QPA_PLATFORM": "xcb",
        }
        for variable in ("ASAN_OPTIONS", "UBSAN_OPTIONS"):
            if variable in os.environ:
                self.env[variable] = os.environ[variable]
        self.env["LSAN_OPTIONS"] = leak_options(args.leak_suppressions)
        self.display = self.app = None

    # The program and its windows --------------------------------------------------------------

    def start(self):
        self.display = Display()
        self.person = Person(self.display)
        self.env["DISPLAY"] = self.display.name
        self.log_path = Path(self.args.out) / f"{self.name}.log"
        self.log_path.parent.mkdir(parents=True, exist_ok=True)
        with open(self.log_path, "wb") as log:
            self.app = subprocess.Popen([self.args.program], cwd=self.work,
                                        env=self.env, stdout=log, stderr=subprocess.STDOUT)
        self.window = wait_until(lambda: self._windows(), "the main window", timeout=30)[0]
        x, y, width, height = self.person.geometry(self.window)
        check(width == CLIENT_WIDTH, f"the main window is {width} pixels wide")
        # The menu bar stands above the client area.
        self.origin = (x, y + height - CLIENT_HEIGHT)
        self.focus_main()

    def _windows(self):
        if self.app.poll() is not None:
            raise Failure(f"the program ended with code {self.app.returncode}")
        return self.person.windows(self.app.pid)

    def click(self, x, y, button=1):
        """A click at a place of the main window's client area."""
        self.person.click(self.origin[0] + x, self.origin[1] + y, button)

    def caption(self):
        return self.person.title(self.window)

    def wait_caption(self, expected):
        try:
            wait_until(lambda: self.caption() == expected, f"the caption {expected!r}")
        except Failure:
            raise Failure(f"the caption is {self.caption()!r}, expected {expected!r}") from None

    def wait_dialog(self, title):
        """A new window whose title begins with `title`, once it has the keyboard."""
        def found():
            for w in self._windows():
                if w != self.window and (self.person.title(w) or "\0").startswith(title):
                    return w
            return None

        window = wait_until(found, f"a window titled {title!r}")
        wait_until(lambda: self.person.focused_window() == window, f"the focus on {title!r}")
        return window

    def wait_closed(self, window):
        """Waits for a dialog to close, then clicks back into the main window: with no window
        manager on the display, nothing else gives it the keyboard again."""
        wait_until(lambda: window not in self._windows(), "the window to close")
        self.focus_main()

    def focus_main(self):
        """Clicks the main window's bare background until it has the keyboard (a click that
        lands while a dialog is still closing is not taken)."""
        def focused():
            if self.person.focused_window() == self.window:
                return True
            self.click(*BACKGROUND)
            return False

        wait_until(focused, "the keyboard focus on the main window", interval=0.3)

    def wait_exit(self, timeout=15):
        try:
            return self.app.wait(timeout)
        except subprocess.TimeoutExpired:
            raise Failure("the program is still running") from None

    def grab_client(self):
        """The client area's pixels, with its own coordinates."""
        picture = self.person.grab(self.window)
        top = picture.height - CLIENT_HEIGHT
        return lambda x, y, w, h: picture.region(x, top + y, w, h)

    # Moves of a person -------------------------------------------------------------------------

    def choose_kind(self, index):
        """Chooses a vehicle kind in the tree and leaves the focus on the vehicle list."""
        self.click(*FIRST_KIND)
        self.person.press(*(["Down"] * index), "Tab")

    def listed(self):
        """The vehicle list's current item, with the focus on the list."""
        return self.person.copy_focused(select_all=False)

    def tab_to(self, value, limit=12):
        """Moves the focus with Tab to the next field showing `value`."""
        for _ in range(limit):
            self.person.press("Tab")
            if self.person.copy_focused() == value:
                return
        raise Failure(f"no field shows {value!r} within {limit} presses of Tab")

    def replace_text(self, text):
        self.person.press("ctrl+a")
        self.person.type(text)

    def open_menu(self, moves):
        """Opens "&Fichier" with Alt+F, then moves through the menus with the given keys."""
        self.person.press("alt+f", *moves)

    def expect_file(self, path, expected, what):
        try:
            wait_until(lambda: path.read_bytes() == expected, what)
        except Failure:
            raise Failure(f"{what}: {hf.diff(path.read_bytes(), expected)}") from None

    def close(self):
        if self.app and self.app.poll() is None:
            self.app.terminate()
            try:
                self.app.wait(10)
            except subprocess.TimeoutExpired:
                self.app.kill()
                self.app.wait()
        if self.display:
            self.display.close()
        shutil.rmtree(self.root, ignore_errors=True)


def changed(recs, kind, key, index, value):
    copy = {k: list(v) for k, v in recs.items()}
    copy[(kind, key)][index] = value
    return copy


# Scenarios ------------------------------------------------------------------------------------


def scenario_start(s):
    """The game's file is opened at start-up and its first car shown, with its preview."""
    s.wait_caption(CAPTION_OPENED + "handling.dat")
    s.choose_kind(0)
    listed = s.listed()
    check(listed == s.cars[0].decode(), f"the list's current vehicle is {listed!r}")
    s.tab_to(s.cars[0].decode())  # the vehicle's name above the fields
    s.tab_to(FIRST_CAR_MASS.decode())  # its mass as the game's file gives it

    pictures = {p.stem for p in (s.work / "mini_screen").glob("*.jpg")}
    check(s.cars[0].decode() in pictures and s.cars[1].decode() not in pictures,
          "the previews should show the first car and not the second")

    def preview_colour():
        return colourful_share(s.grab_client()(*PREVIEW))

    wait_until(lambda: preview_colour() > 0.2, "the first car's preview")
    s.choose_kind(0)
    s.person.press("Down")
    wait_until(lambda: preview_colour() < 0.01, "no preview for the second car")
    s.person.press("Up")
    wait_until(lambda: preview_colour() > 0.2, "the first car's preview again")


def scenario_save_bike(s):
    """A mass typed for a bike is saved with Ctrl+S, in the editor's own file layout."""
    s.choose_kind(1)
    listed = s.listed()
    check(listed == s.bikes[0].decode(), f"the first bike listed is {listed!r}")
    s.person.press("Down")
    listed = s.listed()
    check(listed == s.bikes[1].decode(), f"the second bike listed is {listed!r}")
    s.tab_to(BIKE_MASS.decode())
    s.replace_text("777.5")
    s.person.press("ctrl+s")
    edited = changed(s.game, hf.CAR, s.bikes[1], hf.MASS, b"777.5")
    s.expect_file(s.game_file, hf.written(edited, shown=[s.cars[0], *s.bikes[:2]]),
                  "the saved file")


def scenario_flag_undo(s):
    """A flag ticked with the space bar is saved; Ctrl+Z on it puts the stock bit back."""
    s.choose_kind(0)
    # From the list: the page tabs, two pages to the right, the first check box.
    s.person.press("Tab", "Right", "Right", "Tab", "space", "ctrl+s")
    wait_until(lambda: s.game_file.read_bytes() != s.game_bytes, "the save")
    saved = hf.records(s.game_file.read_bytes())
    before = s.game[(hf.CAR, s.cars[0])][hf.MODEL_FLAGS]
    after = saved[(hf.CAR, s.cars[0])][hf.MODEL_FLAGS]
    bits = int(before, 16) ^ int(after, 16)
    check(len(after) == 8 and bits != 0 and bits & (bits - 1) == 0,
          f"mFlags went from {before!r} to {after!r}, not one bit changed")
    check(saved == changed(s.game, hf.CAR, s.cars[0], hf.MODEL_FLAGS, after),
          "a value other than mFlags changed")
    s.person.press("ctrl+z", "ctrl+s")
    s.expect_file(s.game_file, hf.written(s.game, s.shown), "the file saved after Ctrl+Z")


def scenario_reset_vehicle(s):
    """Ctrl+Alt+Z asks first: No keeps the typed mass, Yes puts back the stock car line."""
    s.choose_kind(0)
    s.tab_to(FIRST_CAR_MASS.decode())
    s.replace_text("888.0")
    s.person.press("ctrl+alt+z")
    box = s.wait_dialog("Attention")
    s.person.press("Return")  # No is the default answer
    s.wait_closed(box)
    s.person.press("ctrl+s")
    edited = changed(s.game, hf.CAR, s.cars[0], hf.MASS, b"888.0")
    s.expect_file(s.game_file, hf.written(edited, s.shown), "the file saved after answering No")
    s.person.press("ctrl+alt+z")
    box = s.wait_dialog("Attention")
    s.person.press("o")  # "&Oui"
    s.wait_closed(box)
    s.person.press("ctrl+s")
    stock_line = hf.records(s.stock)[(hf.CAR, s.cars[0])]
    reset = {**s.game, (hf.CAR, s.cars[0]): stock_line}
    s.expect_file(s.game_file, hf.written(reset, s.shown), "the file saved after answering Yes")


def scenario_open_other(s):
    """Ctrl+O offers the game's file; another file typed in the dialog is opened, shown, and
    becomes the file that Ctrl+S writes."""
    other = s.root / "autre" / "autre.dat"
    other.parent.mkdir()
    line = s.stock.split(b"\n")[0]  # any comment line, as the game's files have
    first = hf.with_value(b"\n".join(l for l in s.stock.split(b"\n")
                                     if l.startswith(s.cars[0] + b"\t") or l == line),
                          hf.CAR, s.cars[0], hf.MASS, OTHER_FILE_MASS)
    other.write_bytes(first + b"\n")
    check(len(hf.records(other.read_bytes())) == 1, "the other file should hold one car")

    s.person.press("ctrl+o")
    dialog = s.wait_dialog("")
    check(s.person.copy_focused() == "handling.dat", "the dialog does not offer the game's file")
    s.replace_text(str(other))
    s.person.press("Return")
    s.wait_closed(dialog)
    s.wait_caption(CAPTION_OPENED + "autre.dat")
    s.choose_kind(0)
    s.tab_to(OTHER_FILE_MASS.decode())
    s.person.press("ctrl+s")
    opened = changed(s.game, hf.CAR, s.cars[0], hf.MASS, OTHER_FILE_MASS)
    s.expect_file(other, hf.written(opened, s.shown), "the other file once saved")
    check(s.game_file.read_bytes() == s.game_bytes, "the game's file changed")


def scenario_about(s):
    """"A propos ..." shows the about page, its second tab the help text from Readme.txt."""
    s.open_menu(["Right", "Right", "Return"])  # "?", then its first item
    about = s.wait_dialog("A propos")
    x, y, _, _ = s.person.geometry(about)

    def page():
        picture = s.person.grab(about)
        return picture.region(0, 24, picture.width, picture.height - 24)

    about_page = page()
    check(colourful_share(about_page) > 0.05, "the about page shows no picture")
    s.person.click(x + 20, y + 8, 5)  # the wheel over the tabs moves to the next one
    wait_until(lambda: colourful_share(page()) < 0.01, "the help page")
    s.person.click(x + 300, y + 200)
    shown = s.person.copy_focused()
    readme = Path(s.args.readme).read_bytes().split(b"\x1a")[0].replace(b"\r\n", b"\n")
    expected = readme.decode("cp1252")
    check(shown is not None and shown.rstrip("\n") == expected.rstrip("\n"),
          f"the help page shows {shown!r}")
    s.person.click(x + 20, y + 8, 4)
    wait_until(lambda: page() == about_page, "the about page again")
    s.person.press("Escape")
    s.wait_closed(about)  # and the main window takes the keyboard again


def scenario_restore(s):
    """The restore command, answered Yes, puts the backup over the game's file and quits."""
    backup = (s.work / "backup" / "handling.dat.backup").read_bytes()
    check(backup == s.stock, "backup/handling.dat.backup is not the stock handling file")
    s.open_menu(["Right", "r"])  # "Edition", then "&Restaurer le fichier original puis quitter"
    s.wait_dialog("Attention")
    s.person.press("o")
    s.wait_dialog("Quintrel")  # the information that the program will now end
    s.person.press("Return")
    code = s.wait_exit()
    check(code == 0, f"the program ended with code {code}")
    check(s.game_file.read_bytes() == backup, "the game's file is not the backup byte for byte")
    check(not list(s.game_file.parent.glob("*.tmp*")), "a temporary file was left behind")


SCENARIOS = {
    "start": scenario_start,
    "save-bike": scenario_save_bike,
    "flag-undo": scenario_flag_undo,
    "reset-vehicle": scenario_reset_vehicle,
    "open-other": scenario_open_other,
    "about": scenario_about,
    "restore": scenario_restore,
}


# Pictures of the pages ------------------------------------------------------------------------

# (file, vehicle kind, page index among the tabs of that kind)
PAGES = [
    ("general", 0, 0),
    ("transmission-suspensions", 0, 1),
    ("flags-vehicule", 0, 2),
    ("flags-conduite", 0, 3),
    ("grp-anim", 0, 4),
    ("moto", 1, 2),
    ("helico", 2, 2),
    ("bateau", 3, 2),
]


def take_screenshots(s, folder):
    folder = Path(folder)
    folder.mkdir(parents=True, exist_ok=True)
    for name, kind, index in PAGES:
        s.choose_kind(kind)
        # From the list to the page tabs; back to the first (choosing the kind already chosen
        # changes nothing), then to the page.
        s.person.press("Tab", *(["Left"] * len(PAGES)), *(["Right"] * index))
        if name == "grp-anim":
            s.person.press("Tab", "Down", "Down")  # a group chosen in the page's own list
        s.click(*BACKGROUND)
        time.sleep(0.5)  # nothing to wait for but the last repaint
        s.person.screenshot(folder / f"{name}.png", s.window)
        print(f"wrote {folder / (name + '.png')}")


# Entry ----------------------------------------------------------------------------------------


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--program", required=True, help="the quintrel executable")
    parser.add_argument("--stock", required=True, help="the stock handling file")
    parser.add_argument("--previews", required=True, help="folder of <vehicle>.jpg previews")
    parser.add_argument("--backup", required=True, help="the backup of the stock file")
    parser.add_argument("--readme", required=True, help="help text for the working folder")
    parser.add_argument("--out", required=True, help="folder for failure screenshots and logs")
    parser.add_argument("--leak-suppressions", required=True,
                        help="LeakSanitizer suppressions for leaks of system libraries")
    parser.add_argument("what", choices=["scenario", "screenshots"])
    parser.add_argument("name", help="a scenario's name, or the screenshots' folder")
    args = parser.parse_args()
    for option in ("program", "stock", "previews", "backup", "readme", "out", "leak_suppressions"):
        setattr(args, option, str(Path(getattr(args, option)).resolve()))

    if args.what == "scenario" and args.name not in SCENARIOS:
        parser.error(f"unknown scenario {args.name}; known: {', '.join(SCENARIOS)}")
    session = Session(args, args.name if args.what == "scenario" else "screenshots")
    try:
        session.start()
        if args.what == "scenario":
            SCENARIOS[args.name](session)
        else:
            take_screenshots(session, args.name)
    except Exception:  # every failure leaves its picture, whatever raised it
        traceback.print_exc()
        if session.display:
            shot = Path(args.out) / f"{session.name}-failure.png"
            try:
                session.person.screenshot(shot)
                print(f"screenshot of the failure: {shot}", file=sys.stderr)
            except Exception as e:
                print(f"no screenshot: {e}", file=sys.stderr)
        print(f"program output: {getattr(session, 'log_path', '(not started)')}", file=sys.stderr)
        return 1
    finally:
        session.close()
    print(f"{session.name}: passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
