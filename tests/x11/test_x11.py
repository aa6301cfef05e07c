"""Every user path once through the real thing, under session.sh: the program
driven through the X server, read back as a screen reader reads it, printing
to a private CUPS queue; dovrin-cli into files, pipes and devices.
Arguments: DOVRIN DOVRIN_CLI."""
import datetime
import os
import re
import stat
import subprocess
import sys
import tempfile
import time
from pathlib import Path

import desktop
import hijri
from desktop import run

DOVRIN, CLI = (os.path.abspath(path) for path in sys.argv[1:3])
SPOOLER = str(Path(__file__).resolve().parent / "cups-private-spooler")  # copied beside the tests
QUEUE, MAIN = "x11-pdf", "Dovrin"
TODAY = datetime.date.today()

# The grid's cell names from Python's own dates and the Hijri oracle.
WEEKDAYS = "Monday Tuesday Wednesday Thursday Friday Saturday Sunday".split()
MONTHS = "January February March April May June July August September October November December".split()


def spoken(day):
    return (f"{WEEKDAYS[day.weekday()]} {day.day} {MONTHS[day.month - 1]} {day.year}, "
            f"{hijri.in_words(day)}" + ", today" * (day == TODAY))


class Skip(Exception):
    pass


class Session:
    """What the rows act on: the program, a print queue, a scratch folder."""

    def __init__(self, scratch):
        self.scratch, self.spool = Path(scratch), Path(scratch) / "cups"
        self.spool.mkdir()
        self.sock = run(SPOOLER, "start", str(self.spool)).strip()
        run(SPOOLER, "add-pdf-queue", str(self.spool), QUEUE)
        self.queue("media-default=na_letter_8.5x11in", "PageSize=Letter")
        self.program, self.placed, self.cli, self.jobs_before = None, {}, None, 0

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

    def run_cli(self, node, *args):
        """dovrin-cli pdf into a new node of a kind: its status, what came out, whether the node kept its kind."""
        folder = Path(tempfile.mkdtemp(dir=self.scratch))
        path, kept = folder / "out.pdf", {"fifo": stat.S_ISFIFO, "device": stat.S_ISCHR, "link": stat.S_ISLNK}
        if node == "device" and os.geteuid() != 0:
            raise Skip("a device node needs root")
        {"fifo": lambda: os.mkfifo(path), "device": lambda: os.mknod(path, 0o666 | stat.S_IFCHR, os.makedev(1, 3)),
         "link": lambda: ((folder / "target").write_bytes(b"old"), path.symlink_to("target")),
         "file": lambda: path.write_bytes(b"keep"), "pipe": lambda: None}[node]()
        reader = subprocess.Popen(["cat", path], stdout=subprocess.PIPE) if node == "fifo" else None
        try:
            done = subprocess.run([CLI, "pdf", "-" if node == "pipe" else path, *args], stdout=subprocess.PIPE,
                                  cwd=folder, timeout=60)
            out = {"fifo": lambda: reader.communicate(timeout=10)[0], "pipe": lambda: done.stdout,
                   "device": lambda: None, "link": (folder / "target").read_bytes, "file": path.read_bytes}[node]()
        except subprocess.TimeoutExpired:
            out = b""  # nothing came through the FIFO
        finally:
            reader and (reader.kill() or reader.wait())
        self.cli = done.returncode, out, node == "pipe" or kept.get(node, stat.S_ISREG)(os.lstat(path).st_mode)


# Steps act on the session; expectations return what went wrong, or None.
def start(s):
    s.program = desktop.Program(DOVRIN, CUPS_SERVER=s.sock)


def opened(title):  # and where it came up
    return lambda s: s.placed.__setitem__(title, s.program.placed(title))


def keys(*names):
    return lambda s: desktop.keys(*names)


def typed(text):
    return lambda s: desktop.type_text(text)


def click(title, role, name, **how):
    return lambda s: s.program.click(title, role, name, **how)


def pdf(node, *months):
    return [lambda s: s.run_cli(node, "--year", "2025", *(months or ("--from", "1", "--to", "1")))]


def centred(title):
    def check(s):
        (width, height), (left, top, w, h) = desktop.screen_size(), s.placed[title]
        if abs(left - (width - w) / 2) > 1 or abs(top - (height - h) / 2) > 1:
            return f"'{title}' with its frame at {left},{top}, {w}x{h}; centred: {(width - w) / 2},{(height - h) / 2}"
    return check


def reads(title, role, name, want):
    return lambda s: (got := s.program.find(title, role, name).queryText().getText(0, -1)) != want and \
        f"{name} reads '{got}', not '{want}'"


def named(title, role, name):
    return lambda s: s.program.find(title, role, name) and None


def grid(year, month):
    def check(s):
        first = datetime.date(year, month, 1)
        want = [spoken(day) for n in range(31) if (day := first + datetime.timedelta(n)).month == month]
        got = [cell.name for cell in s.program.find(MAIN, "table", "Days of the month")]
        return got != want and next((f"a cell reads '{g}', not '{w}'" for g, w in zip(got, want) if g != w),
                                    f"{len(got)} cells for {len(want)} days")
    return check


def shown(title, want=True):
    return lambda s: None if desktop.is_open(title) == want else f"'{title}' is {'not' if want else 'still'} open"


def need(expectation):  # a step: what the row starts from
    def step(s):
        if failure := expectation(s):
            raise AssertionError(failure)
    return step


def exits(status):  # a program still running fails the row as timed out
    return lambda s: (got := s.program.process.wait(10)) != status and f"exit status {got}, not {status}"


def spooled(count):  # a step waits for them; an expectation also for any more
    return lambda s: (got := s.spooled(count, settle=2)) != count and f"{got} documents spooled, not {count}"


def page(size):
    return lambda s: not (got := re.search(r"Page size:\s+(.*)", run("pdfinfo", s.documents()[-1]))[1]).startswith(
        size + " pts") and f"the spooled page is {got}, not {size}"


def cli_gave(status, out):
    """dovrin-cli's status and output: "pdf" a whole PDF, bytes the untouched file, None unread."""
    def check(s):
        got, data, kept = s.cli
        return "; ".join(problem for problem, bad in (
            (f"status {got}, not {status}", got != status),
            (f"not a whole PDF: {len(data or b'')} bytes", out == "pdf" and not re.fullmatch(
                rb"%PDF.*%%EOF\s*", data or b"", re.S)),
            (f"the file now holds {(data or b'')[:12]!r}", isinstance(out, bytes) and data != out),
            ("the node was replaced by another kind of file", not kept)) if bad) or None
    return check


PRINT = ("Print", "push button", "Print")
ROWS = [
    ("start-up: the main window comes up centred with its frame", [start, opened(MAIN)], [centred(MAIN)]),
    ("the screen reader reads this month's days, today's as today", [], [grid(TODAY.year, TODAY.month)]),
    ("Alt+C o opens Conversion centred; Escape closes it",
     [keys("alt+c", "o"), opened("Conversion"), keys("Escape")], [centred("Conversion"), shown("Conversion", False)]),
    ("Conversion by keys: 2024 Tab 7 Tab 16 Tab, Space on To Hijri",
     [keys("alt+c", "o"), opened("Conversion"), typed("2024"), keys("Tab"), typed("7"), keys("Tab"), typed("16"),
      keys("Tab", "space")],
     [named("Conversion", "label", name) for name in ("Converted year 1446", "Converted month 1",
                                                      "Converted day 9", "Tuesday 9 Muharram 1446")]),
    ("Exit closes Conversion", [click("Conversion", "push button", "Exit")], [shown("Conversion", False)]),
    ("click Month, type 3, Tab, click Year, type 2025, click Go: March 2025",
     [click(MAIN, "text", "Month"), typed("3"), keys("Tab"), click(MAIN, "text", "Year"), typed("2025"),
      click(MAIN, "push button", "Go")],
     [reads(MAIN, "text", "Month", "3"), grid(2025, 3)]),
    ("the wheel up over the month's scroll bar: the next month",
     [click(MAIN, "text", "Month"), typed("5"), click(MAIN, "push button", "Go"),
      click(MAIN, "scroll bar", "Month", button=4)],
     [reads(MAIN, "text", "Month", "6")]),
    ("Alt+C p opens Print centred", [keys("alt+c", "p"), opened("Print")], [centred("Print")]),
    ("a double-click on Print spools one document, on the queue's Letter paper",
     [click(*PRINT, repeat=2)], [spooled(1), page("612 x 792")]),
    ("the queue's landscape default turns the page",
     [lambda s: s.queue("orientation-requested-default=4"), click(*PRINT)], [spooled(1), page("792 x 612")]),
    ("Tab to Print, Space, then Space again: two documents; the dialog stays",
     [click("Print", "text", "To Month"), keys("Tab", "Tab", "space"), lambda s: s.spooled(1), keys("space")],
     [spooled(2), shown("Print")]),
    ("Escape closes Print", [need(shown("Print")), keys("Escape")], [shown("Print", False)]),
    ("Alt+C a opens About centred; Return closes it",
     [keys("alt+c", "a"), opened("About"), keys("Return")], [centred("About"), shown("About", False)]),
    ("Alt+C x ends the program with status 0", [keys("alt+c", "x")], [exits(0)]),
    ("dovrin-cli pdf into a FIFO: a reader gets the PDF, the FIFO stays", pdf("fifo"), [cli_gave(0, "pdf")]),
    ("dovrin-cli pdf into a character device: it stays one", pdf("device"), [cli_gave(0, None)]),
    ("dovrin-cli pdf into a symbolic link: the target gets the PDF, the link stays", pdf("link"),
     [cli_gave(0, "pdf")]),
    ("dovrin-cli pdf - into a pipe", pdf("pipe"), [cli_gave(0, "pdf")]),
    ("dovrin-cli pdf --from 13: refused, status 1, the file untouched", pdf("file", "--from", "13", "--to", "13"),
     [cli_gave(1, b"keep")]),
]


def main():
    counts = dict.fromkeys(("passed", "failed", "skipped"), 0)
    with tempfile.TemporaryDirectory() as scratch:
        session = Session(scratch)
        try:
            for name, steps, expectations in ROWS:
                session.jobs_before = len(session.documents())
                try:
                    for step in steps:
                        step(session)
                    failures = [failure for expect in expectations if (failure := expect(session))]
                except Skip as why:
                    print(f"SKIP {name}: {why}", flush=True)
                    counts["skipped"] += 1
                    continue
                except Exception as error:  # a window or control that never came
                    failures = [f"{type(error).__name__}: {error}"]
                print("FAIL " * bool(failures) or "PASS ", name, *(f"\n    {f}" for f in failures), sep="", flush=True)
                counts["failed" if failures else "passed"] += 1
        finally:
            session.program and session.program.end()
            run(SPOOLER, "stop", str(session.spool))
    print(", ".join(f"{n} {word}" for word, n in counts.items()))
    return 1 if counts["failed"] else 0


if __name__ == "__main__":
    sys.exit(main())
