"""A private X server and what a person does in front of it: keys, clicks, the clipboard and
the screen.

Standard library only; the programs used are Xvfb, xdotool, xclip and ImageMagick's import.
Every key and click is a real X input event (XTEST), delivered to whatever window has the
focus, exactly as a keyboard or a mouse would deliver it.
"""

import os
import select
import subprocess
import time


class Failure(AssertionError):
    """A check of a scenario that did not hold."""


def wait_until(predicate, what, timeout=10.0, interval=0.05):
    """Polls predicate until it returns something true, and returns that."""
    end = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > end:
            raise Failure(f"timed out after {timeout:g} s waiting for {what}")
        time.sleep(interval)


class Display:
    """An Xvfb server on the first free display number, stopped by close()."""

    def __init__(self, width=1024, height=768):
        read_end, write_end = os.pipe()
        # -displayfd makes the server pick a free number and tell it once it accepts clients,
        # so parallel tests neither collide nor sleep. -noreset: by default the server resets
        # when its last client leaves, and refuses the next one meanwhile (a short-lived
        # xdotool can be that last client while the program is still connecting).
        self._server = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{width}x{height}x24",
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        number = b""
        try:
            end = time.monotonic() + 20
            while not number.endswith(b"\n"):
                ready, _, _ = select.select([read_end], [], [], max(0.0, end - time.monotonic()))
                chunk = os.read(read_end, 16) if ready else b""
                if not chunk:
                    self.close()
                    raise Failure("Xvfb did not start")
                number += chunk
        finally:
            os.close(read_end)
        self.name = ":" + number.decode().strip()

    def close(self):
        if self._server.poll() is None:
            self._server.terminate()
            try:
                self._server.wait(10)
            except subprocess.TimeoutExpired:
                self._server.kill()
                self._server.wait()

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()


class Picture:
    """RGB pixels of a screen grab."""

    def __init__(self, width, height, rgb):
        self.width, self.height, self.rgb = width, height, rgb

    def pixel(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.rgb[i:i + 3])

    def region(self, x, y, w, h):
        """The pixels of a rectangle, row by row."""
        return [self.pixel(x + i, y + j) for j in range(h) for i in range(w)]


def colourful_share(pixels):
    """Share of pixels whose channels differ by more than a grey tone would."""
    colourful = sum(1 for r, g, b in pixels if max(r, g, b) - min(r, g, b) > 40)
    return colourful / len(pixels)


class Person:
    """Keyboard, mouse, eyes and clipboard on one display."""

    def __init__(self, display):
        self.env = {"PATH": os.environ.get("PATH", "/usr/bin:/bin"), "DISPLAY": display.name}

    def _run(self, *args, check=True, timeout=20):
        result = subprocess.run(args, env=self.env, capture_output=True, timeout=timeout)
        if check and result.returncode != 0:
            raise Failure(f"{' '.join(args)} failed: {result.stderr.decode(errors='replace')}")
        return result

    # Windows ----------------------------------------------------------------------------------

    def windows(self, pid):
        """Visible top-level windows of a process."""
        r = self._run("xdotool", "search", "--onlyvisible", "--pid", str(pid), check=False)
        return [int(w) for w in r.stdout.split()]

    def title(self, window):
        """A window's title; None once the window is gone (a closing dialog can go between
        two calls)."""
        r = self._run("xdotool", "getwindowname", str(window), check=False)
        return r.stdout.decode().rstrip("\n") if r.returncode == 0 else None

    def geometry(self, window):
        """(x, y, width, height) of a window on the screen."""
        output = self._run("xdotool", "getwindowgeometry", "--shell", str(window)).stdout
        values = dict(l.split("=", 1) for l in output.decode().split())
        return tuple(int(values[k]) for k in ("X", "Y", "WIDTH", "HEIGHT"))

    def focused_window(self):
        r = self._run("xdotool", "getwindowfocus", "-f", check=False)
        return int(r.stdout) if r.returncode == 0 and r.stdout.strip() else None

    # Keyboard and mouse -----------------------------------------------------------------------

    def press(self, *keys):
        """Key chords in xdotool's names, one after the other: press("ctrl+s")."""
        self._run("xdotool", "key", "--delay", "40", *keys)

    def type(self, text):
        self._run("xdotool", "type", "--delay", "20", "--", text)

    def click(self, x, y, button=1):
        # No --sync: it waits for a move, forever when the pointer is already there. The server
        # handles the move before the press that follows it anyway.
        self._run("xdotool", "mousemove", str(x), str(y), "click", str(button))

    # Clipboard --------------------------------------------------------------------------------

    _SENTINEL = "\u2063nothing copied\u2063"

    def _set_clipboard(self, text):
        # xclip keeps serving the text from a child of its own until another client owns the
        # clipboard; that child ends with the display at the latest.
        subprocess.run(["xclip", "-i", "-selection", "clipboard"], input=text.encode(),
                       env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       timeout=10, check=True)

    def clipboard(self):
        r = self._run("xclip", "-o", "-selection", "clipboard", check=False, timeout=10)
        return r.stdout.decode("utf-8", errors="replace") if r.returncode == 0 else None

    def copy_focused(self, select_all=True, timeout=1.5):
        """What Ctrl+C copies from the focused widget, or None when it copies nothing."""
        self._set_clipboard(self._SENTINEL)
        self.press(*(["ctrl+a"] if select_all else []), "ctrl+c")

        def copied():
            text = self.clipboard()
            return text if text not in (None, self._SENTINEL) else None

        try:
            return wait_until(copied, "a copy", timeout=timeout, interval=0.1)
        except Failure:
            return None

    # Eyes -------------------------------------------------------------------------------------

    def screenshot(self, path, window="root"):
        self._run("import", "-window", str(window), str(path))

    def grab(self, window):
        """The pixels of a window as a Picture."""
        ppm = self._run("import", "-window", str(window), "-depth", "8", "ppm:-").stdout
        # Binary PPM: "P6", width, height, maximum, each followed by one whitespace.
        fields, start = [], 0
        while len(fields) < 4:
            while ppm[start:start + 1].isspace():
                start += 1
            stop = start
            while not ppm[stop:stop + 1].isspace():
                stop += 1
            fields.append(ppm[start:stop])
            start = stop
        if fields[0] != b"P6" or fields[3] != b"255":
            raise Failure("unexpected picture format from import")
        width, height = int(fields[1]), int(fields[2])
        return Picture(width, height, ppm[start + 1:start + 1 + 3 * width * height])
