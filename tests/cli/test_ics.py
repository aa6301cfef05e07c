"""dovrin-cli ics read back with a real iCalendar parser (python3-icalendar),
against the Hijri oracle of tests/support: one all-day event a day of the
range, titled with its Hijri date, on its proleptic Gregorian date.
Argument: DOVRIN_CLI."""
import datetime
import os
import subprocess
import sys
import unittest
from pathlib import Path

import icalendar

import hijri

CLI = sys.argv.pop(1)
DAY = datetime.timedelta(days=1)


def ics(*arguments, stamp="1733443200"):
    """The file dovrin-cli ics writes to standard output, as bytes."""
    env = dict(os.environ, SOURCE_DATE_EPOCH=stamp) if stamp else {k: v for k, v in os.environ.items()
                                                                      if k != "SOURCE_DATE_EPOCH"}
    return subprocess.run([CLI, "ics", "-", *arguments], check=True, capture_output=True, env=env).stdout


class Ics(unittest.TestCase):
    # The range, the first day and the number of days: a Gregorian year, a Hijri
    # year across the Gregorian year's end and its Ramadan, and the reform's
    # month, whose Julian days 1 to 4 are 11 to 14 October proleptic.
    ROWS = [(["--year", "2025"], datetime.date(2025, 1, 1), 365),
            (["--year", "1446", "--hijri"], datetime.date(2024, 7, 8), 354),
            (["--year", "1445", "--hijri", "--from", "9", "--to", "10"], datetime.date(2024, 3, 11), 59),
            (["--year", "1582", "--from", "10", "--to", "10"], hijri.julian(1582, 10, 1), 21),
            (["--year", "622", "--from", "7", "--to", "7"], hijri.julian(622, 7, 16), 16)]

    def test_every_day_once_with_its_hijri_date(self):
        for arguments, first, days in self.ROWS:
            with self.subTest(arguments=arguments):
                calendar = icalendar.Calendar.from_ical(ics(*arguments))
                events = calendar.walk("VEVENT")
                self.assertEqual(len(events), days)
                for n, event in enumerate(events):
                    day = first + n * DAY  # no gap, no day twice
                    self.assertEqual(event.decoded("DTSTART"), day)
                    self.assertEqual(event.decoded("DTEND"), day + DAY)
                    self.assertEqual(str(event["SUMMARY"]), hijri.in_words(day))
                    self.assertEqual(str(event["TRANSP"]), "TRANSPARENT")
                    self.assertEqual(event.decoded("DTSTAMP"), datetime.datetime(2024, 12, 6, tzinfo=datetime.timezone.utc))
                self.assertEqual(len({str(e["UID"]) for e in events}), days)

    def test_a_file_every_calendar_program_takes(self):
        data = ics("--year", "1446", "--hijri", "--from", "9", "--to", "9")
        calendar = icalendar.Calendar.from_ical(data)
        self.assertEqual(str(calendar["VERSION"]), "2.0")
        self.assertEqual(str(calendar["CALSCALE"]), "GREGORIAN")
        self.assertIn("Dovrin", str(calendar["PRODID"]))
        self.assertIn("tabular", str(calendar["X-WR-CALDESC"]))
        self.assertIn("Umm al-Qura", str(calendar["DESCRIPTION"]))
        lines = data.split(b"\r\n")
        self.assertEqual(lines[-1], b"")  # every line ends CRLF
        self.assertFalse([line for line in lines if len(line) > 75 or b"\n" in line])
        self.assertTrue(any(line.startswith(b" ") for line in lines))  # the description is folded

    def test_same_day_same_uid_and_reproducible(self):
        uids = [[str(e["UID"]) for e in icalendar.Calendar.from_ical(ics("--year", "2025", "--from", "3",
                                                                          "--to", "3", stamp=None)).walk("VEVENT")]
                for _ in range(2)]
        self.assertEqual(uids[0], uids[1])
        hijri_uids = {str(e["UID"]) for e in icalendar.Calendar.from_ical(ics("--year", "1446", "--hijri"))
                      .walk("VEVENT")}
        self.assertTrue(set(uids[0]) <= hijri_uids)  # the same day, whichever calendar chose it
        self.assertEqual(ics("--year", "2025"), ics("--year", "2025"))


unittest.main(verbosity=1)
