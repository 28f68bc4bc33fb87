#!/usr/bin/env python3
"""Makes the .deb with CPack, installs it with apt-get as a person would, starts the installed
program from its menu entry under a private X server, quits it, and removes the package.

Needs root (CI runs as root); exits 77, which CTest counts as skipped, otherwise.

    package_test.py --cpack-config BUILD/CPackConfig.cmake --out FOLDER
"""

import argparse
import configparser
import os
import shlex
import shutil
import subprocess
import sys
import tempfile
import traceback
from pathlib import Path

sys.dont_write_bytecode = True  # no __pycache__ in the source tree

from desktop import Display, Failure, Person, wait_until
from quintrel_e2e import leak_options

SKIPPED = 77
APT = ["apt-get", "-y", "-o", "DPkg::Lock::Timeout=300"]
INSTALLED = [
    "usr/bin/quintrel",
    "usr/share/applications/quintrel.desktop",
    "usr/share/icons/hicolor/256x256/apps/quintrel.png",
    "usr/share/icons/hicolor/scalable/apps/quintrel.svg",
    "usr/share/doc/quintrel/Readme.txt",
    "usr/share/quintrel/Readme.txt",
    "usr/share/quintrel/backup/handling.dat.backup",
]


def check(condition, message):
    if not condition:
        raise Failure(message)


def run(*args, cwd=None):
    result = subprocess.run(args, cwd=cwd, capture_output=True, text=True,
                            env={**os.environ, "DEBIAN_FRONTEND": "noninteractive"})
    if result.returncode != 0:
        raise Failure(f"{' '.join(args)} failed:\n{result.stdout}\n{result.stderr}")
    return result.stdout


def make_deb(cpack_config, out):
    shutil.rmtree(out, ignore_errors=True)
    out.mkdir(parents=True)
    run("cpack", "--config", str(cpack_config), "-G", "DEB", "-B", str(out))
    debs = list(out.glob("quintrel_*.deb"))
    check(len(debs) == 1, f"cpack made {debs}")
    deb = debs[0]
    check(run("dpkg-deb", "-f", str(deb), "Package").strip() == "quintrel", "wrong package name")
    depends = run("dpkg-deb", "-f", str(deb), "Depends")
    check("libqt6widgets6" in depends, f"the package does not depend on Qt 6 Widgets: {depends}")
    contents = {line.split()[-1].lstrip("./") for line in run("dpkg-deb", "-c", str(deb)).splitlines()}
    missing = [path for path in INSTALLED if path not in contents]
    check(not missing, f"the package lacks {missing}")
    check(any(p.startswith("usr/share/quintrel/mini_screen/") and p.endswith(".jpg")
              for p in contents), "the package holds no preview picture")
    return deb


def start_from_menu(out, leak_suppressions):
    """Starts the program as the desktop does from its entry, then quits it with Ctrl+F."""
    entry = configparser.ConfigParser(interpolation=None)
    entry.optionxform = str
    entry.read("/usr/share/applications/quintrel.desktop", encoding="utf-8")
    fields = entry["Desktop Entry"]
    folder = Path(fields["Path"])
    for name in ("Readme.txt", "backup/handling.dat.backup"):
        check((folder / name).is_file(), f"the entry's working folder {folder} lacks {name}")
    command = shlex.split(fields["Exec"])
    check(shutil.which(command[0]) == "/usr/bin/quintrel", f"Exec runs {command[0]}")

    with tempfile.TemporaryDirectory(prefix="quintrel-package-") as home, Display() as display:
        person = Person(display)
        runtime = Path(home) / "runtime"
        runtime.mkdir(mode=0o700)
        # A home without a Wine prefix: no game is found, the window opens on the stock values.
        env = {"PATH": "/usr/bin:/bin", "HOME": home, "DISPLAY": display.name,
               "XDG_RUNTIME_DIR": str(runtime), "LANG": "C.UTF-8", "QT_QPA_PLATFORM": "xcb",
               "LSAN_OPTIONS": leak_options(leak_suppressions)}
        with open(out / "installed-program.log", "wb") as log:
            app = subprocess.Popen(command, cwd=folder, env=env, stdout=log,
                                   stderr=subprocess.STDOUT)
        try:
            window = wait_until(lambda: app.poll() is None and person.windows(app.pid),
                                "the installed program's window", timeout=30)[0]
            title = person.title(window)
            check((title or "").startswith("Quintrel V0.1"), f"the window is titled {title!r}")
            x, y, width, height = person.geometry(window)
            person.click(x + width - 9, y + height // 2)  # the bare background at the right
            person.press("ctrl+f")
            code = app.wait(15)
            check(code == 0, f"the installed program ended with code {code}")
        finally:
            if app.poll() is None:
                app.kill()
                app.wait()


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--cpack-config", required=True)
    parser.add_argument("--out", required=True, help="folder for the package and logs")
    parser.add_argument("--leak-suppressions", required=True,
                        help="LeakSanitizer suppressions, for a package built with sanitizers")
    args = parser.parse_args()
    if os.geteuid() != 0:
        print("skipped: installing a package needs root")
        return SKIPPED

    out = Path(args.out).resolve()
    installed = False
    try:
        deb = make_deb(Path(args.cpack_config), out)
        run(*APT, "install", f"./{deb.name}", cwd=out)
        installed = True
        start_from_menu(out, Path(args.leak_suppressions).resolve())
        run(*APT, "purge", "quintrel")
        installed = False
        check(not Path("/usr/bin/quintrel").exists(), "/usr/bin/quintrel is left after removal")
    except Exception:
        traceback.print_exc()
        return 1
    finally:
        if installed:
            subprocess.run([*APT, "purge", "quintrel"], capture_output=True)
    print("package: passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
