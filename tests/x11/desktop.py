"""What the X session tests share: the program on the session's display, its
controls found through the accessibility bus as a screen reader finds them,
and input sent through the X server, where it waits in the window system's
queue as a user's mouse and keyboard input does."""
import os
import re
import subprocess
import time

import pyatspi


def run(*command, check=True):
    return subprocess.run(command, check=check, capture_output=True, text=True, timeout=20,
                          env=dict(os.environ, LC_ALL="C")).stdout


def xdo(*args, check=True):
    return run("xdotool", *args, check=check)


def wait_for(what, probe, timeout=10):
    end = time.monotonic() + timeout
    while not (value := probe()):
        if time.monotonic() > end:
            raise TimeoutError(f"{what}: not within {timeout} s")
        time.sleep(0.1)
    return value


def titled(title):
    return rf"^\s*{re.escape(title)}$"  # the main window's title starts with a space


def screen_size():
    return tuple(int(n) for n in xdo("getdisplaygeometry").split())


def outer_geometry(wid):
    """Left, top, width and height of a window with the window manager's frame."""
    info = run("xwininfo", "-frame", "-id", wid)
    x, y, w, h = (int(re.search(rf"{key}:\s+(-?\d+)", info)[1])
                  for key in ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"))
    left, right, top, bottom = map(int, re.findall(r"\d+", run("xprop", "-id", wid, "_NET_FRAME_EXTENTS")))
    return x - left, y - top, w + left + right, h + top + bottom


def is_open(title):
    return bool(xdo("search", "--onlyvisible", "--name", titled(title), check=False).strip())


def keys(*names):  # "alt+c", "Tab", "space"... to the window that has the keyboard
    xdo("key", "--clearmodifiers", "--delay", "150", *names)


def type_text(text):
    xdo("type", "--delay", "80", text)


class Program:
    """The program under test, started on the session's display."""

    def __init__(self, path, **env):
        self.process = subprocess.Popen([path], env=dict(os.environ, QT_QPA_PLATFORM="xcb",
                                                         QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", **env))

    def placed(self, title):
        """A window's outer geometry once it is mapped and has stopped moving."""
        wid = xdo("search", "--sync", "--onlyvisible", "--name", titled(title)).split()[0]

        def still():
            before = outer_geometry(wid)
            time.sleep(0.3)
            return before == outer_geometry(wid) and before
        return wait_for(f"'{title}' to stay in place", still)

    def find(self, title, role, name):
        """The control of a role and accessible name in the showing window of a title."""
        def probe():
            desktop = pyatspi.Registry.getDesktop(0)
            app = next((a for a in desktop if a and a.get_process_id() == self.process.pid), None)
            top = app and next((w for w in app if w and w.name.strip() == title
                                and w.getState().contains(pyatspi.STATE_SHOWING)), None)
            return top and pyatspi.findDescendant(top, lambda a: a.getRoleName() == role and a.name == name)
        return wait_for(f"{role} '{name}' in '{title}'", probe)

    def click(self, title, role, name, button=1, repeat=1):
        """Moves the pointer to the middle of the control and clicks, as many times as asked."""
        box = self.find(title, role, name).queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        xdo("mousemove", "--sync", str(box.x + box.width // 2), str(box.y + box.height // 2))
        xdo("click", "--repeat", str(repeat), "--delay", "120", str(button))

    def end(self):
        self.process.kill()
        self.process.wait()
