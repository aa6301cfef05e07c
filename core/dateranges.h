// The months and years the program shows and prints, with the months the
// main window's "Go" will not show, in one place. Both calendars cover the
// same stretch of days: the Hijri era's first 2000 years.
#pragma once

#include "calendarengine.h"

#include <cstdint>

namespace core {

enum class Lead { Gregorian, Hijri };

constexpr Lead otherCalendar(Lead calendar) { return calendar == Lead::Gregorian ? Lead::Hijri : Lead::Gregorian; }

// A month as the boxes give it: the month is compared as given, so a month
// number outside 1 to 12 simply counts before or after the year's months.
struct YearMonth {
    int32_t year = 0;
    int32_t month = 0;
    friend constexpr bool operator==(const YearMonth &, const YearMonth &) = default;
};

// Earlier or the same: years first, then months.
constexpr bool operator<=(YearMonth a, YearMonth b)
{
    return a.year < b.year || (a.year == b.year && a.month <= b.month);
}

struct MonthSpan {
    YearMonth first;
    YearMonth last;
    // Inside the span, but not shown by "Go" (the print dialog prints it).
    YearMonth refusedByGo;
};

// October 1582 lost its 5th to 14th to the calendar reform: Thursday 4 October
// (Julian) was followed by Friday 15 October (Gregorian).
inline constexpr YearMonth ReformMonth{1582, 10};
inline constexpr int32_t LastJulianDay = 4;
inline constexpr int32_t FirstGregorianDay = 15;
inline constexpr int32_t ReformGapDays = FirstGregorianDay - LastJulianDay - 1; // 10

// 16 July 622 (Julian) is 1 Muharram 1, the engine's first day, so July 622 is
// the first Gregorian month; Muharram 2000 begins on 8 January 2562. "Go"
// refuses October 1582, whose page skips the reform's gap.
inline constexpr MonthSpan GregorianSpan{{622, 7}, {2562, 1}, ReformMonth};
// Ramadan 990 runs from 19 September to 28 October 1582: the reform's gap
// falls inside it, between its 16th (4 October) and its 17th (15 October).
inline constexpr MonthSpan HijriSpan{{1, 1}, {2000, 1}, {990, 9}};

// The first day shown, 1 Muharram 1, in Gregorian July 622.
inline constexpr Ymd HijriEraStart{622, 7, 16};
// Its cell on the page of July 622: 1 July 622 was a Thursday (weekday 4), so
// day d of that month stands in cell d + 4.
inline constexpr int HijriEraStartCell = 4 + HijriEraStart.day; // 20

constexpr const MonthSpan &spanOf(Lead lead) { return lead == Lead::Gregorian ? GregorianSpan : HijriSpan; }

// The year boxes' and the year bar's range: the span's years.
constexpr int32_t firstYear(Lead lead) { return spanOf(lead).first.year; }
constexpr int32_t lastYear(Lead lead) { return spanOf(lead).last.year; }
constexpr bool yearInRange(Lead lead, int32_t year) { return year >= firstYear(lead) && year <= lastYear(lead); }

// A month number of the month boxes.
constexpr bool isMonthNumber(int32_t month) { return month >= 1 && month <= 12; }

// The print dialog's check: any month of the span.
constexpr bool monthInSpan(Lead lead, YearMonth month)
{
    const MonthSpan &span = spanOf(lead);
    return span.first <= month && month <= span.last;
}

// "Go"'s check: the span without its refused month.
constexpr bool goShowsMonth(Lead lead, YearMonth month)
{
    return month != spanOf(lead).refusedByGo && monthInSpan(lead, month);
}

// The Gregorian month whose page lays out the reform's gap.
constexpr bool isGregorianGapMonth(int32_t year, int32_t month) { return YearMonth{year, month} == ReformMonth; }

} // namespace core
