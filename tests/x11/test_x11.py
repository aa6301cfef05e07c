"""Every user path once through the real thing, under session.sh (Xvfb, a window manager, the accessibility bus):
the program driven by input through the X server (keys, access keys, clicks, the wheel; its dialogs opened and
closed each way), read back as a screen reader reads it, printing to a private CUPS
queue with defaults of its own. (dovrin-cli into pipes, devices and links: test_cli.) Argument: DOVRIN."""
import datetime
import os
import re
import subprocess
import sys
import tempfile
import time
from pathlib import Path

import hijri
import pyatspi

DOVRIN = os.path.abspath(sys.argv[1])
SPOOLER = str(Path(__file__).resolve().parent / "cups-private-spooler")  # copied beside the tests
QUEUE, MAIN, TODAY = "x11-pdf", "Dovrin", datetime.date.today()
WEEKDAYS = "Monday Tuesday Wednesday Thursday Friday Saturday Sunday".split()
MONTHS = "January February March April May June July August September October November December".split()


def run(*command, check=True):
    return subprocess.run(command, check=check, capture_output=True, text=True, timeout=20,
                          env=dict(os.environ, LC_ALL="C")).stdout


def wait_for(what, probe, timeout=15):
    end = time.monotonic() + timeout
    while not (value := probe()):
        if time.monotonic() > end:
            raise TimeoutError(f"{what}: not within {timeout} s")
        time.sleep(0.1)
    return value


def windows(title, sync=False):  # the main window's title starts with a blank
    return run("xdotool", "search", *["--sync"] * sync, "--onlyvisible", "--name", rf"^\s*{re.escape(title)}$",
               check=sync).split()


def outer(wid):
    """Left, top, width and height of a window with the window manager's frame."""
    info = run("xwininfo", "-id", wid)
    x, y, w, h = (int(re.search(rf"{key}:\s+(-?\d+)", info)[1]) for key in ("Absolute upper-left X",
                                                                           "Absolute upper-left Y", "Width", "Height"))
    left, right, top, bottom = map(int, re.findall(r"\d+", run("xprop", "-id", wid, "_NET_FRAME_EXTENTS")))
    return x - left, y - top, w + left + right, h + top + bottom


class Session:
    """What the rows act on: the program and a print queue in a scratch folder."""

    def __init__(self, scratch):
        self.spool = Path(scratch) / "cups"
        self.spool.mkdir()
        self.sock = run(SPOOLER, "start", str(self.spool)).strip()
        run(SPOOLER, "add-pdf-queue", str(self.spool), QUEUE)
        self.queue("media-default=na_letter_8.5x11in", "PageSize=Letter")
        self.program, self.jobs_before = None, 0

    def queue(self, *options):
        run("lpadmin", "-h", self.sock, "-p", QUEUE, *(arg for o in options for arg in ("-o", o)))

    def documents(self):
        return sorted((self.spool / "spool").glob("d*-001"))

    def spooled(self, count, settle=0):
        """How many documents this row spooled, once there are count or 15 s went by, and settle s more."""
        end = time.monotonic() + 15
        while len(self.documents()) - self.jobs_before < count and time.monotonic() < end:
            time.sleep(0.1)
        time.sleep(settle)
        return len(self.documents()) - self.jobs_before

    def find(self, title, role, name):
        """A control of a role and accessible name in the showing window of a title, as a screen reader finds it."""
        def probe():
            app = next((a for a in pyatspi.Registry.getDesktop(0) if a and a.get_process_id() == self.program.pid), None)
            top = app and next((w for w in app if w and w.name.strip() == title
                                and w.getState().contains(pyatspi.STATE_SHOWING)), None)
            return top and pyatspi.findDescendant(top, lambda a: a.getRoleName() == role and a.name == name)
        return wait_for(f"{role} '{name}' in '{title}'", probe)

    def click(self, title, role, name, button=1, repeat=1):
        box = self.find(title, role, name).queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        run("xdotool", "mousemove", "--sync", str(box.x + box.width // 2), str(box.y + box.height // 2))
        run("xdotool", "click", "--repeat", str(repeat), "--delay", "120", str(button))


# Steps act on the session; expectations return what went wrong, or None.
def start(s):
    s.program = subprocess.Popen([DOVRIN], env=dict(os.environ, CUPS_SERVER=s.sock))


def keys(*names):  # to the window that has the keyboard
    return lambda s: run("xdotool", "key", "--clearmodifiers", "--delay", "150", *names)


def typed(text):
    return lambda s: run("xdotool", "type", "--delay", "80", text)


def click(title, role, name, **how):
    return lambda s: s.click(title, role, name, **how)


def settled(title):
    """Where a window is with its frame, once it stays where the window manager put it."""
    previous, now = None, outer(windows(title, True)[0])
    while previous != now:
        previous, now = now, (time.sleep(0.3), outer(windows(title, True)[0]))[1]
    return now


def centred(title):
    def check(s):
        (left, top, w, h), (width, height) = settled(title), map(int, run("xdotool", "getdisplaygeometry").split())
        return (abs(left - (width - w) / 2) > 1 or abs(top - (height - h) / 2) > 1) and \
            f"'{title}' with its frame at {left},{top}, {w}x{h}; centred: {(width - w) / 2},{(height - h) / 2}"
    return check


def moved(title):  # a step, then an expectation: the window stays where it was moved
    def move(s):
        run("xdotool", "windowmove", "--sync", windows(title, True)[0], "40", "50")
        s.moved = settled(title)
    return move, lambda s: (got := settled(title)) != s.moved and f"'{title}' at {got}, not {s.moved}"


def present(title, role, name):
    return lambda s: s.find(title, role, name) and None


def has(state, title, role, name):  # a control's state ("focused", "checked") within 15 s
    return lambda s: wait_for(f"{name} {state}", lambda: s.find(title, role, name).getState().contains(
        getattr(pyatspi, "STATE_" + state.upper()))) and None


def reads(title, role, name, want):  # within 5 s
    def text(s):
        return s.find(title, role, name).queryText().getText(0, -1)
    return lambda s: (got := wait_for(name, lambda: text(s) == want and want or text(s), 5)) != want and \
        f"{name} reads '{got}', not '{want}'"


def grid(year, month):  # every cell as the screen reader hears it: Python's dates and the Hijri oracle
    def check(s):
        days = [datetime.date(year, month, 1) + datetime.timedelta(n) for n in range(31)]
        want = [f"{WEEKDAYS[d.weekday()]} {d.day} {MONTHS[d.month - 1]} {d.year}, {hijri.in_words(d)}"
                + ", today" * (d == TODAY) for d in days if d.month == month]
        got = [cell.name for cell in s.find(MAIN, "table", "Days of the month")]
        return got != want and f"the cells read {got[:2]}..., not {want[:2]}..."
    return check


def shown(title, want=True):
    return lambda s: bool(windows(title)) != want and f"'{title}' is {'not' if want else 'still'} open"


def spooled(count):  # a step waits for them; an expectation also for any more
    return lambda s: (got := s.spooled(count, settle=2)) != count and f"{got} documents spooled, not {count}"


def page(size):
    return lambda s: not (got := re.search(r"Page size:\s+(.*)", run("pdfinfo", s.documents()[-1]))[1]).startswith(
        size + " pts") and f"the spooled page is {got}, not {size}"


PRINT, INPUT, MONTH = ("Print", "push button", "Print"), "Input Error ...", MONTHS[TODAY.month - 1]
CONV, MOVE_CONV, STAYED, PARTS = "Conversion", *moved("Conversion"), ("year", "month", "day")
HIJRI_YEAR, HIJRI_MONTH, _ = hijri.from_gregorian(TODAY)


def conversion(year, month, day, *converted):  # the boxes, then how a screen reader names the converted date
    converted = converted or ("", "", "", "Converted date")
    return [*(reads(CONV, "text", f"Input {part}", text) for part, text in zip(PARTS, (year, month, day))),
            *(present(CONV, "label", f"Converted {part} {text}".strip()) for part, text in zip(PARTS, converted)),
            present(CONV, "label", converted[3])]


def printing(year, month, option="Gregorian / Christian"):  # the print dialog's boxes and option
    return [*(reads("Print", "text", name, str(text)) for name, text in (("Year", year), ("From Month", month),
                                                                         ("To Month", month))),
            has("checked", "Print", "radio button", option)]


ROWS = [
    ("start-up: the main window comes up centred with its frame", [start], [centred(MAIN)]),
    ("the screen reader reads this month's days, today's as today", [], [grid(TODAY.year, TODAY.month)]),
    ("click Month, type 3, Tab, click Year, type 2025, click Go: March 2025",
     [click(MAIN, "text", "Month"), typed("3"), keys("Tab"), click(MAIN, "text", "Year"), typed("2025"),
      click(MAIN, "push button", "Go")], [reads(MAIN, "text", "Month", "3"), grid(2025, 3)]),
    ("the wheel up over the month's scroll bar: the next month",
     [click(MAIN, "scroll bar", "Month", button=4)], [reads(MAIN, "text", "Month", "4")]),
    ("13 typed into Month, the wheel over its bar: pulled down to 12, nothing said", [click(MAIN, "text", "Month"),
     typed("13"), click(MAIN, "scroll bar", "Month", button=4)], [reads(MAIN, "text", "Month", "12"), shown(INPUT, False)]),
    ("type 13 into Month; Alt+C, Escape, Escape; F10, Escape; a right-click's menu, Escape: 13 stays, nothing said",
     [typed("13"), keys("alt+c", "Escape", "Escape", "F10", "Escape"),
      click(MAIN, "text", "Month", button=3), keys("Escape")], [reads(MAIN, "text", "Month", "13"), shown(INPUT, False)]),
    ("a click on Year: a message box says the month is out of range", [click(MAIN, "text", "Year")],
     [present(INPUT, "label", "Your Month is out of range")]),
    ("Return closes it; today's month is back", [keys("Return")],
     [shown(INPUT, False), reads(MAIN, "text", "Month", str(TODAY.month))]),
    ("typed on in Year, whose number is selected: 2030, keypad Enter: on to the year's bar, nothing drawn",
     [typed("2030"), keys("KP_Enter")],
     [reads(MAIN, "text", "Year", "2030"), has("focused", MAIN, "scroll bar", "Year"), present(MAIN, "label", "March,2025")]),
    ("Tab, Return on Go draws it", [keys("Tab", "Return")], [present(MAIN, "label", f"{MONTH},2030")]),
    ("Year 2031, Tab twice, Space on Go draws it", [click(MAIN, "text", "Year"), typed("2031"), keys("Tab", "Tab", "space")],
     [present(MAIN, "label", f"{MONTH},2031")]),
    ("Alt+C o opens Conversion centred, 1 in each box", [keys("alt+c", "o")], [centred(CONV), *conversion("1", "1", "1")]),
    ("2024 Return 7 Return 16 Return: on to To Hijri, nothing converted",
     [typed("2024"), keys("Return"), typed("7"), keys("Return"), typed("16"), keys("Return")],
     [has("focused", CONV, "push button", "To Hijri"), *conversion("2024", "7", "16")]),
    ("Return on To Hijri: 9 Muharram 1446, a Tuesday", [keys("Return")],
     conversion("2024", "7", "16", "1446", "1", "9", "Tuesday 9 Muharram 1446")),
    ("moved, Escape closes it, Alt+C o: where it was, with its dates", [MOVE_CONV, keys("Escape"),
     lambda s: wait_for("Escape closing Conversion", lambda: not windows(CONV), 5), keys("alt+c", "o")],
     [STAYED, *conversion("2024", "7", "16", "1446", "1", "9", "Tuesday 9 Muharram 1446")]),
    ("closed from its frame (Alt+F4), Alt+C o: a new one", [keys("alt+F4"), lambda s: time.sleep(1), keys("alt+c", "o")],
     [centred(CONV), *conversion("1", "1", "1")]),
    ("a click on Exit closes Conversion", [click(CONV, "push button", "Exit")], [shown(CONV, False)]),
    ("Alt+C p opens Print centred, on this month", [keys("alt+c", "p")],
     [centred("Print"), *printing(TODAY.year, TODAY.month)]),
    ("Year 1999, a click on the option in force: the boxes kept", [keys("ctrl+a"), typed("1999"),
     keys("Tab"), click("Print", "radio button", "Gregorian / Christian")], printing(1999, TODAY.month)),
    ("a click on Hijri: this Hijri month", [click("Print", "radio button", "Hijri")],
     printing(HIJRI_YEAR, HIJRI_MONTH, "Hijri")),
    ("Year 1400, Escape, Alt+C p: all kept", [click("Print", "text", "Year"), typed("1400"),
     keys("Escape", "alt+c", "p")], printing(1400, HIJRI_MONTH, "Hijri")),
    ("closed from its frame, Alt+C p: this month again", [keys("alt+F4"), lambda s: time.sleep(1),
     keys("alt+c", "p")], [centred("Print"), *printing(TODAY.year, TODAY.month)]),
    ("a double-click on Print spools one document, on the queue's Letter paper",
     [click(*PRINT, repeat=2)], [spooled(1), page("612 x 792")]),
    ("the queue's landscape default turns the page",
     [lambda s: s.queue("orientation-requested-default=4"), click(*PRINT)], [spooled(1), page("792 x 612")]),
    ("Tab to Print, Space, then Space again: two documents; the dialog stays",
     [click("Print", "text", "To Month"), keys("Tab", "Tab", "space"), lambda s: s.spooled(1), keys("space")],
     [spooled(2), shown("Print")]),
    ("a click on Exit closes Print", [click("Print", "push button", "Exit")], [shown("Print", False)]),
    ("Alt+C a opens About centred; Return closes it", [keys("alt+c", "a")], [centred("About")]),
    ("Return closes About", [keys("Return")], [shown("About", False)]),
    ("Alt+C a, Escape closes About", [keys("alt+c", "a"), lambda s: windows("About", True), keys("Escape")],
     [shown("About", False)]),
    ("Alt+C a, a click on Exit closes About", [keys("alt+c", "a"), click("About", "push button", "Exit")],
     [shown("About", False)]),
    ("Alt+C a, Alt+F4 closes About", [keys("alt+c", "a"), lambda s: windows("About", True), keys("alt+F4")],
     [shown("About", False)]),
    ("Alt+C x ends the program with status 0", [keys("alt+c", "x")],
     [lambda s: (got := s.program.wait(10)) != 0 and f"exit status {got}"]),
]


def main():
    failed = 0
    with tempfile.TemporaryDirectory() as scratch:
        session = Session(scratch)
        try:
            for name, steps, expectations in ROWS:
                session.jobs_before = len(session.documents())
                try:
                    for step in steps:
                        step(session)
                    failures = [failure for expect in expectations if (failure := expect(session))]
                except Exception as error:  # a window or control that never came
                    failures = [f"{type(error).__name__}: {error}"]
                print("FAIL " * bool(failures) or "PASS ", name, *(f"\n    {f}" for f in failures), sep="", flush=True)
                failed += bool(failures)
        finally:
            session.program and (session.program.kill(), session.program.wait())
            run(SPOOLER, "stop", str(session.spool))
    print(f"{len(ROWS) - failed} passed, {failed} failed")
    return 1 if failed else 0


sys.exit(main())
