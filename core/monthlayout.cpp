#include "monthlayout.h"

#include "numtext.h"

namespace core {
namespace {

constexpr int MaxKey = 2;

bool isMonthLength(int64_t days) { return days >= 1 && days <= 31; }
bool isWeekday(int64_t weekday) { return weekday >= 0 && weekday <= 6; }
bool isDayOf(const Ymd &date) { return isMonthNumber(date.month) && isMonthLength(date.day); }

// The engine's operations seen from one leading calendar.
struct Reckoning {
    int32_t (CalendarEngine::*leadMonthDays)(int32_t, int32_t) const;
    int32_t (CalendarEngine::*otherMonthDays)(int32_t, int32_t) const;
    Ymd (CalendarEngine::*toOther)(int32_t, int32_t, int32_t) const;
};

constexpr Reckoning gregLed{&CalendarEngine::GregMonthDays, &CalendarEngine::HijriMonthDays,
                            &CalendarEngine::GregToHijri};
constexpr Reckoning hijriLed{&CalendarEngine::HijriMonthDays, &CalendarEngine::GregMonthDays,
                             &CalendarEngine::HijriToGreg};

int32_t firstWeekday(const CalendarEngine &engine, Lead lead, int32_t year, int32_t month)
{
    if (lead == Lead::Gregorian)
        return engine.WeekDayOf(year, month, 1);
    const Ymd greg = engine.HijriToGreg(year, month, 1);
    return engine.WeekDayOf(greg.year, greg.month, greg.day);
}

// Day number shown in a cell of a month whose first day has weekday w. The
// page of the reform's month lays days 1 to 4 as usual and the days from the
// 15th on straight after them.
int32_t dayOfCell(int cell, int32_t w, bool gapMonth)
{
    const int32_t d = cell - w;
    return (gapMonth && d > LastJulianDay) ? d + ReformGapDays : d;
}

} // namespace

MonthLayout LayMonth(const CalendarEngine &engine, Lead lead, int32_t year, int32_t month)
{
    const Reckoning &r = lead == Lead::Gregorian ? gregLed : hijriLed;
    MonthLayout page;
    page.lead = lead;
    page.year = year;
    page.month = month;
    if (!isMonthNumber(month))
        return page;

    const int32_t w = firstWeekday(engine, lead, year, month);
    const int32_t length = (engine.*r.leadMonthDays)(year, month);
    if (!isWeekday(w) || !isMonthLength(length))
        return page;
    const bool gapMonth = lead == Lead::Gregorian && isGregorianGapMonth(year, month) && length >= FirstGregorianDay;
    page.weekday = w;
    // Gregorian July 622 begins on its Friday 16th, the first day of the Hijri era.
    const bool eraStartMonth = lead == Lead::Gregorian && year == HijriEraStart.year && month == HijriEraStart.month;
    page.FirstCell = eraStartMonth ? HijriEraStartCell : w + 1;  // [1, 20]
    page.LastCell = w + length - (gapMonth ? ReformGapDays : 0); // [1, 37]
    if (page.LastCell < page.FirstCell || page.LastCell > CellCount)
        return page;

    // The other calendar's month length is taken from the first day shown:
    // 1 July 622 lies before the Hijri era, which begins with the day in cell 20.
    const Ymd firstOther = (engine.*r.toOther)(year, month, dayOfCell(page.FirstCell, w, gapMonth));
    int32_t otherLength = (engine.*r.otherMonthDays)(firstOther.year, firstOther.month);
    int16_t key = 0;
    for (int n = page.FirstCell; n <= page.LastCell; ++n) {
        LaidCell &cell = page.cells[std::size_t(n)];
        cell.leadDay = dayOfCell(n, w, gapMonth);
        cell.other = (engine.*r.toOther)(year, month, cell.leadDay);
        cell.monthKey = key;
        if (key > MaxKey || !isDayOf(cell.other))
            return MonthLayout{.lead = lead, .year = year, .month = month};
        if (cell.other.day == otherLength) { // the last day of the other month
            ++key;
            otherLength = (engine.*r.otherMonthDays)(cell.other.year, cell.other.month + 1);
        }
    }
    page.valid = true;
    return page;
}

int MonthLayout::cellOfDay(int32_t leadDay) const
{
    if (!valid)
        return 0;
    for (int n = FirstCell; n <= LastCell; ++n)
        if (cells[std::size_t(n)].leadDay == leadDay)
            return n;
    return 0;
}

QString keyLetter(int16_t monthKey)
{
    return QString(QChar(u'A' + (monthKey < 0 ? 0 : monthKey > MaxKey ? MaxKey : monthKey)));
}

void FillDayCells(DayCellTable &table, const MonthLayout &layout, CellTextStyle style)
{
    if (!layout.valid)
        return;
    for (int n = layout.FirstCell; n <= layout.LastCell; ++n) {
        const LaidCell &laid = layout.cells[std::size_t(n)];
        QString otherText = PlainNumber(laid.other.day);
        if (style == CellTextStyle::Paper)
            otherText = u' ' + otherText + keyLetter(laid.monthKey);
        setSide(table[n], layout.lead, {PlainNumber(laid.leadDay), layout.month, layout.year, Black});
        setSide(table[n], otherCalendar(layout.lead),
                {otherText, laid.other.month, laid.other.year, monthKeyColour(laid.monthKey)});
    }
}

} // namespace core
