#include "icalendar.h"

#include "core/dateranges.h"
#include "core/monthlayout.h"
#include "core/names.h"
#include "core/version.h"

#include <QCalendar>
#include <QDate>
#include <tuple>

namespace cli {
namespace {

const QString Name = QStringLiteral("Hijri dates");
const QString Description = QStringLiteral(
    "The arithmetic (tabular) Hijri date of every day, from Dovrin. Calendars fixed by sighting the new moon, or by "
    "tables such as Saudi Arabia's Umm al-Qura, can differ from it by a day or two.");

constexpr qsizetype LineOctets = 75;

// A text value, its backslashes, semicolons, commas and line breaks escaped.
QByteArray text(QString value)
{
    value.replace(u'\\', QStringLiteral("\\\\")).replace(u';', QStringLiteral("\\;"));
    value.replace(u',', QStringLiteral("\\,")).replace(u'\n', QStringLiteral("\\n"));
    return value.toUtf8();
}

// A content line ended CRLF, folded so that no line is longer than 75
// octets and no UTF-8 character is split: a continuation line starts with a
// blank.
QByteArray contentLine(const QByteArray &line)
{
    QByteArray folded;
    qsizetype start = 0;
    for (qsizetype room = LineOctets; line.size() - start > room; room = LineOctets - 1) {
        qsizetype end = start + room;
        while ((uchar(line[end]) & 0xC0) == 0x80) // a character's continuation byte
            --end;
        folded += line.mid(start, end - start) + "\r\n ";
        start = end;
    }
    return folded + line.mid(start) + "\r\n";
}

// iCalendar dates are Gregorian throughout, where the program's Gregorian
// side is Julian before 15 October 1582: the same day, in the proleptic
// Gregorian calendar that QDate reckons in.
QDate sameDay(const core::Ymd &historic)
{
    const bool julian = std::tuple(historic.year, historic.month, historic.day)
        < std::tuple(core::ReformMonth.year, core::ReformMonth.month, core::FirstGregorianDay);
    return QDate(historic.year, historic.month, historic.day,
                 QCalendar(julian ? QCalendar::System::Julian : QCalendar::System::Gregorian));
}

QByteArray dateValue(QDate date) { return date.toString(QStringLiteral("yyyyMMdd")).toLatin1(); }

// The day's event. Its UID is made of its date, so that importing the
// file again updates the events rather than adding them twice.
QByteArray event(const core::Ymd &hijri, QDate day, const QByteArray &stamp)
{
    return contentLine("BEGIN:VEVENT") + contentLine("UID:" + dateValue(day) + "-hijri-date@dovrin.org")
        + contentLine("DTSTAMP:" + stamp) + contentLine("DTSTART;VALUE=DATE:" + dateValue(day))
        + contentLine("DTEND;VALUE=DATE:" + dateValue(day.addDays(1)))
        + contentLine("SUMMARY:" + text(core::DateInWords(core::Lead::Hijri, hijri)))
        + contentLine("TRANSP:TRANSPARENT") + contentLine("END:VEVENT");
}

} // namespace

QByteArray hijriDatesCalendar(const PrintRange &range, const QDateTime &stamp)
{
    const QByteArray stampValue = stamp.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'")).toLatin1();
    QByteArray calendar = contentLine("BEGIN:VCALENDAR") + contentLine("VERSION:2.0")
        + contentLine("PRODID:-//Dovrin//Dovrin " DOVRIN_VERSION "//EN") + contentLine("CALSCALE:GREGORIAN");
    for (const char *property : {"NAME:", "X-WR-CALNAME:"})
        calendar += contentLine(property + text(Name));
    for (const char *property : {"DESCRIPTION:", "X-WR-CALDESC:"})
        calendar += contentLine(property + text(Description));
    // The days a printed page shows: the reform's gap and the days before the
    // Hijri era left out.
    const bool hijriLeads = range.calendar == core::Lead::Hijri;
    for (int32_t month = range.From; month <= range.To; ++month) {
        const core::MonthLayout page = core::LayMonth(core::engine(), range.calendar, range.Year, month);
        if (!page.valid)
            continue;
        for (int n = page.FirstCell; n <= page.LastCell; ++n) {
            const core::LaidCell &cell = page.cells[std::size_t(n)];
            const core::Ymd lead{range.Year, month, cell.leadDay};
            calendar += event(hijriLeads ? lead : cell.other, sameDay(hijriLeads ? cell.other : lead), stampValue);
        }
    }
    return calendar + contentLine("END:VCALENDAR");
}

} // namespace cli
