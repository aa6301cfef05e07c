"""The tabular Islamic civil calendar, written here independently of the
program as an oracle: 1 Muharram 1 is Julian day 1948440 (Friday 16 July 622,
Julian), and years 2, 5, 7, 10, 13, 16, 18, 21, 24, 26 and 29 of every 30
have 355 days; odd months have 30 days, even ones 29."""
import datetime

MONTHS = ["Muharram", "Safar", "Rabi I", "Rabi II", "Jumada I", "Jumada II", "Rajab", "Sha'ban",
          "Ramadan", "Shawwal", "Thu Al-Qa'dah", "Thu Al-Hijjah"]
ORDINAL_TO_JD = 1721425  # date.toordinal() + this is the Julian day number


def month_start(year, month):
    """The Julian day number of the 1st of a Hijri month."""
    return 1948440 + 354 * (year - 1) + (3 + 11 * year) // 30 + (59 * (month - 1) + 1) // 2


def from_gregorian(day):
    """(year, month, day) of the Hijri date of a datetime.date (proleptic Gregorian)."""
    jd = day.toordinal() + ORDINAL_TO_JD
    year = (jd - 1948440) * 30 // 10631 + 1  # off by one at most
    year += (month_start(year + 1, 1) <= jd) - (month_start(year, 1) > jd)
    month = max(m for m in range(1, 13) if month_start(year, m) <= jd)
    return year, month, jd - month_start(year, month) + 1


def in_words(day):
    """'9 Muharram 1446', as the program writes the Hijri date of a day."""
    year, month, d = from_gregorian(day)
    return f"{d} {MONTHS[month - 1]} {year}"


def julian(year, month, day):
    """The proleptic Gregorian datetime.date of a Julian calendar date."""
    a = (14 - month) // 12
    y, m = year + 4800 - a, month + 12 * a - 3
    jd = day + (153 * m + 2) // 5 + 365 * y + y // 4 - 32083
    return datetime.date.fromordinal(jd - ORDINAL_TO_JD)
