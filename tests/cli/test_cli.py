"""dovrin-cli run as scripts run it (no display, as under cron; a decimal-comma locale): the answer on standard
output, a refusal one line on standard error with its status. PDFs read back with pdftotext and calendars with
python3-icalendar, against Python's dates and the Hijri oracle of tests/support.
Arguments: DOVRIN_CLI DOVRIN_ENGINE MANUAL VERSION."""
import datetime
import locale
import os
import re
import shutil
import stat
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

import icalendar

import hijri

CLI, ENGINE, MANUAL, VERSION = sys.argv[1:5]
del sys.argv[1:5]
locale.setlocale(locale.LC_ALL, "de_DE.UTF-8")  # made by tools/install-deps: the user's locale, or nothing tested
ENV = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
ENV["LC_ALL"] = "de_DE.UTF-8"
DAY = datetime.timedelta(days=1)
WEEKDAYS = "Sunday Monday Tuesday Wednesday Thursday Friday Saturday".split()
MONTHS = "January February March April May June July August September October November December".split()


def cli(*arguments, program=CLI, env=None, **how):
    return subprocess.run([program, *arguments], env=env or ENV, capture_output=True, timeout=60, **how)


def pdf_text(pdf, page, layout="-layout"):
    return subprocess.run(["pdftotext", layout, "-f", str(page), "-l", str(page), pdf, "-"], check=True,
                          capture_output=True, text=True).stdout


def ics(*arguments, stamp="1733443200"):
    """The file dovrin-cli ics writes to standard output, as bytes."""
    env = {k: v for k, v in ENV.items() if k != "SOURCE_DATE_EPOCH"} | ({"SOURCE_DATE_EPOCH": stamp} if stamp else {})
    return cli("ics", "-", *arguments, env=env, check=True).stdout


def month_days(hijri_lead, year, month):
    """The days of a month of either calendar, as proleptic Gregorian dates."""
    if hijri_lead:
        start, end = hijri.month_start(year, month), hijri.month_start(year + month // 12, month % 12 + 1)
        return [datetime.date.fromordinal(jd - hijri.ORDINAL_TO_JD) for jd in range(start, end)]
    first = datetime.date(year, month, 1)
    return [first + n * DAY for n in range(31) if (first + n * DAY).month == month]


class Cli(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        """bin/dovrin-cli installed without an engine, and with one in ../lib/dovrin."""
        cls.roots = tempfile.TemporaryDirectory()
        for path, file in (("bare/bin", CLI), ("installed/bin", CLI), ("installed/lib/dovrin", ENGINE)):
            (Path(cls.roots.name) / path).mkdir(parents=True)
            shutil.copy(file, Path(cls.roots.name) / path)

    def installed(self, root="installed"):
        return str(Path(self.roots.name) / root / "bin/dovrin-cli")

    # status|what it writes|arguments, run as installed (3: with no engine, one lying in the working directory):
    # 0 writes on standard output, a refusal one line on standard error. No file left (nor a temporary one), an
    # old one kept.
    P = "|pdf|out.pdf|--year|"
    COMMAND_LINES = [
        "0|1446-01-09 Tuesday|to-hijri|2024-07-16", "0|2024-07-16 Tuesday|to-gregorian|1446-1-9",
        "0|1446-01-09 Tuesday|to-hijri|--|2024-07-16", "0|0001-01-01 Friday|to-hijri|622-07-16",
        "0|0622-07-16 Friday|to-gregorian|0001-01-01", "0|0990-09-16 Thursday|to-hijri|1582-10-04",
        "0|0990-09-17 Friday|to-hijri|1582-10-15", "0|1582-10-15 Friday|to-gregorian|990-09-17",
        "0|9666-04-02 Friday|to-hijri|9999-12-31", "0|9999-12-31 Friday|to-gregorian|9666-04-02",
        "2|no command", "2|unknown command|to-julian|2024-07-16", "2|takes one date|to-hijri|2024-07-16|2024-07-17",
        "2|Unknown option '--bogus'|to-hijri|--bogus", "2|Unknown option '-x'|to-gregorian|1446-01-09|-x",
        "1|'To Month' limits" + P + "2024|--from|1|--to|13", "1|date limits" + P + "622|--from|6|--to|7",
        "1|date limits" + P + "2562|--from|1|--to|2", "1|date limits" + P + "2000|--from|1|--to|2|--hijri",
        "1|no month to write" + P + "2024|--from|5|--to|3", "1|date limits|ics|out.pdf|--year|0|--hijri",
        "2|needs --year|ics|out.pdf", "2|takes a whole number" + P + "2024|--from|1,5|--to|2",
        "2|needs --to" + P + "2024|--from|1", "2|unknown paper 'a3'" + P + "2024|--from|1|--to|1|--paper|a3",
        "4|Cannot write|pdf|missing/out.pdf|--year|2024|--from|1|--to|1",
        "3|could not be loaded|to-hijri|2024-07-16", "3|could not be loaded" + P + "2024|--from|1|--to|1",
    ] + ["1|Date out of range|" + date for date in (
        "to-hijri|622-07-15", "to-hijri|10000-01-01", "to-hijri|1582-10-05", "to-hijri|1582-10-14",
        "to-hijri|2023-02-29", "to-hijri| 2024-07-16", "to-hijri|2024/07/16", "to-hijri|4294969320-07-16",
        "to-hijri|", "to-hijri|\u0662\u0660\u0662\u0664-07-16", "to-gregorian|0-12-29", "to-gregorian|1446-01-31",
        "to-gregorian|9666-04-03", "to-gregorian|1446-1-9x")]

    def test_command_lines(self):
        self.assertEqual(cli("--version", program=self.installed("bare")).stdout.decode(), f"dovrin-cli {VERSION}\n")
        for row in self.COMMAND_LINES:
            status, said, *arguments = row.split("|")
            with self.subTest(row), tempfile.TemporaryDirectory() as folder:
                shutil.copy(ENGINE, Path(folder) / "libzendat32.so")
                shutil.copy(MANUAL, Path(folder) / "out.pdf")
                done = cli(*arguments, cwd=folder, program=self.installed("bare" if status == "3" else "installed"))
                out, err = done.stdout.decode(), done.stderr.decode()
                spoken, silent = (out, err) if status == "0" else (err, out)
                self.assertTrue(silent == "" and spoken.startswith(said if status == "0" else "dovrin-cli: ")
                                and said in spoken and spoken.endswith("\n") and spoken.count("\n") == 1, out + err)
                self.assertEqual(done.returncode, int(status))
                self.assertEqual(sorted(os.listdir(folder)), ["libzendat32.so", "out.pdf"])
                self.assertEqual((Path(folder) / "out.pdf").read_bytes(), Path(MANUAL).read_bytes())

    def test_pdf_into_special_files(self):
        """A FIFO (a reader gets the PDF), a character device, a symbolic link (its target gets the PDF) and a pipe
        ("-"): the whole PDF goes out, and each node keeps its kind."""
        for node in ("fifo", "device", "link", "pipe"):
            with self.subTest(node), tempfile.TemporaryDirectory() as folder:
                if node == "device" and os.geteuid() != 0:
                    self.skipTest("a device node needs root")
                path, read = Path(folder) / "out.pdf", Path(folder) / "read"
                {"fifo": lambda: os.mkfifo(path), "device": lambda: os.mknod(path, 0o666 | stat.S_IFCHR, os.makedev(1, 3)),
                 "link": lambda: (read.write_bytes(b"old"), path.symlink_to("read")), "pipe": lambda: None}[node]()
                with open(Path(folder) / "reader", "wb") as reader:
                    cat = subprocess.Popen(["cat", path], stdout=reader) if node == "fifo" else None
                    done = cli("pdf", "-" if node == "pipe" else path, "--year", "2025", "--from", "1", "--to", "1")
                    cat and cat.wait(10)
                out = {"fifo": (Path(folder) / "reader").read_bytes, "pipe": lambda: done.stdout,
                       "device": lambda: None, "link": read.read_bytes}[node]()
                self.assertEqual(done.returncode, 0, done.stderr)
                node == "device" or self.assertRegex(out, rb"(?s)^%PDF.*%%EOF\s*$")  # a device's is not read
                kind = {"fifo": stat.S_ISFIFO, "device": stat.S_ISCHR, "link": stat.S_ISLNK}.get(node)
                self.assertTrue(node == "pipe" or kind(os.lstat(path).st_mode))

    # year from to options;pages;their size in points;the last page (default: its legend). Past the reform every
    # page told from Python's dates and the Hijri oracle: heading, weekdays, every day, the other calendar's day and
    # its month's letter ("5A"; week by week, each in its order), that legend, the 1st's week.
    PDF_ROWS = ["2024 1 12;12;595 x 842", "1446 1 12 --hijri;12;595 x 842", "2024 7 8 --landscape;2;842 x 595",
                "2024 7 8 --paper letter;2;612 x 792", "1446 7 8 --paper a5 --landscape --hijri;2;595 x 420",
                "622 7 12;6;595 x 842", "2562 1 1;1;595 x 842", "1 1 1 --hijri;1;595 x 842",
                "2000 1 1 --hijri;1;595 x 842", "1582 10 10;1;595 x 842;^(?!.* ([5-9]|1[0-4]) ).* 1 2 3 4 15 16 .* 31 "]

    def test_pdf_pages(self):
        for row in self.PDF_ROWS:
            with self.subTest(row), tempfile.TemporaryDirectory() as folder:
                arguments, pages, size, *last = row.split(";")
                year, first, last_month, *options = arguments.split()
                pdf = str(Path(folder) / "out.pdf")
                done = cli("pdf", pdf, "--year", year, "--from", first, "--to", last_month, *options)
                self.assertEqual(done.stderr, b"")
                info = " ".join(subprocess.run(["pdfinfo", pdf], capture_output=True, text=True).stdout.split())
                self.assertRegex(info, f"Pages: {pages} .* Page size: {size} pts")
                self.assertRegex(" ".join(pdf_text(pdf, int(pages)).split()), (last or [r" [A-C] - \S.* \d+$"])[0])
                hijri_lead = "--hijri" in options
                for month in range(int(first), int(last_month) + 1):
                    if int(year) < (1000 if hijri_lead else 1583):
                        break
                    self.assertEqual(self.words(pdf, month - int(first) + 1), self.page(hijri_lead, int(year), month))

    @staticmethod
    def page(hijri_lead, year, month):
        """A month's page by the oracle: its words but the other calendar's days, those days, the 1st's week."""
        def other(day):
            return day.day if hijri_lead else hijri.from_gregorian(day)[2]

        def other_month(day):
            return f"{MONTHS[day.month - 1]} {day.year}" if hijri_lead else hijri.in_words(day).split(" ", 1)[1]
        days, letter = month_days(hijri_lead, year, month), "A"
        other_days = []
        for day in days:
            letter = chr(ord(letter) + (day != days[0] and other(day) == 1))
            other_days.append(f"{other(day)}{letter}")
        name = hijri.MONTHS[month - 1] if hijri_lead else MONTHS[month - 1]
        words = [*name.split(), str(year), *WEEKDAYS, *map(str, range(1, len(days) + 1)),
                 *f"A - {other_month(days[0])} {letter} - {other_month(days[-1])}".split()]
        return words, other_days, 7 - days[0].isoweekday() % 7

    @staticmethod
    def words(pdf, page):
        text = pdf_text(pdf, page)
        words, lines = text.split(), text.split("\n")
        week = next(n for n, line in enumerate(lines) if re.match(r" *Sunday ", line))
        return ([w for w in words if not re.fullmatch(r"\d+[A-C]", w)],
                [w for w in words if re.fullmatch(r"\d+[A-C]", w)], len(lines[week + 1].split()))

    def test_help_matches_manual(self):
        """--help names the program and its commands; the manual lists what --help and pdf --help list (the entries
        of help's "  entry  description" lines before "Arguments:", the manual's .TP items)."""
        def entries(text):
            text = re.sub(r"\\f[BIRP]|[<>]", "", text).replace("\\-", "-")
            text = re.sub(r"^\.TP\n(.+)$", r"  \1  ", text, flags=re.M)
            lines = [line for line in text.split("Arguments:")[0].split("\n") if re.match(r"  \S", line)]
            return sorted(re.sub(r"^  (\S+(?:, \S+| \S+)?)  .*$", r"\1", line) for line in lines)
        help_text = cli("--help").stdout.decode()
        self.assertTrue(help_text.startswith("Usage: dovrin-cli [options]"), help_text)  # not the path it ran from
        self.assertEqual(entries(help_text),
                         ["-h, --help", "-v, --version", "ics FILE", "pdf FILE", "to-gregorian DATE", "to-hijri DATE"])
        sections = Path(MANUAL).read_text().split("\n.SH ")
        self.assertEqual(entries("\n".join(s for s in sections if re.match(r"(COMMANDS|OPTIONS)\n", s))),
                         entries(help_text))
        self.assertEqual(entries("\n".join(s for s in sections if s.startswith('"PDF AND ICS OPTIONS"\n'))),
                         entries(cli("pdf", "--help").stdout.decode()))

    # The range, the first day and the number of days: a Gregorian year, a Hijri year across the Gregorian year's
    # end and its Ramadan, and the reform's month, whose Julian days 1 to 4 are 11 to 14 October proleptic.
    ICS_ROWS = [(["--year", "2025"], datetime.date(2025, 1, 1), 365),
                (["--year", "1446", "--hijri"], datetime.date(2024, 7, 8), 354),
                (["--year", "1445", "--hijri", "--from", "9", "--to", "10"], datetime.date(2024, 3, 11), 59),
                (["--year", "1582", "--from", "10", "--to", "10"], hijri.julian(1582, 10, 1), 21),
                (["--year", "622", "--from", "7", "--to", "7"], hijri.julian(622, 7, 16), 16)]

    def test_ics_every_day_once_with_its_hijri_date(self):
        for arguments, first, days in self.ICS_ROWS:
            with self.subTest(arguments=arguments):
                events = icalendar.Calendar.from_ical(ics(*arguments)).walk("VEVENT")
                self.assertEqual(len(events), days)
                for n, event in enumerate(events):
                    day = first + n * DAY  # no gap, no day twice
                    self.assertEqual((event.decoded("DTSTART"), event.decoded("DTEND")), (day, day + DAY))
                    self.assertEqual(str(event["SUMMARY"]), hijri.in_words(day))
                    self.assertEqual(str(event["TRANSP"]), "TRANSPARENT")
                    self.assertEqual(event.decoded("DTSTAMP"),
                                     datetime.datetime(2024, 12, 6, tzinfo=datetime.timezone.utc))
                self.assertEqual(len({str(e["UID"]) for e in events}), days)

    def test_ics_a_file_every_calendar_program_takes(self):
        data = ics("--year", "1446", "--hijri", "--from", "9", "--to", "9")
        calendar = icalendar.Calendar.from_ical(data)
        self.assertEqual((str(calendar["VERSION"]), str(calendar["CALSCALE"])), ("2.0", "GREGORIAN"))
        self.assertIn("Dovrin", str(calendar["PRODID"]))
        self.assertIn("tabular", str(calendar["X-WR-CALDESC"]))
        self.assertIn("Umm al-Qura", str(calendar["DESCRIPTION"]))
        lines = data.split(b"\r\n")
        self.assertEqual(lines[-1], b"")  # every line ends CRLF
        self.assertFalse([line for line in lines if len(line) > 75 or b"\n" in line])
        self.assertTrue(any(line.startswith(b" ") for line in lines))  # the description is folded

    def test_ics_same_day_same_uid_and_reproducible(self):
        def uids(*arguments, stamp="1733443200"):
            return [str(e["UID"]) for e in icalendar.Calendar.from_ical(ics(*arguments, stamp=stamp)).walk("VEVENT")]
        march = uids("--year", "2025", "--from", "3", "--to", "3", stamp=None)
        self.assertEqual(march, uids("--year", "2025", "--from", "3", "--to", "3", stamp=None))
        self.assertTrue(set(march) <= set(uids("--year", "1446", "--hijri")))  # whichever calendar chose the day
        self.assertEqual(ics("--year", "2025"), ics("--year", "2025"))


unittest.main(verbosity=1)
