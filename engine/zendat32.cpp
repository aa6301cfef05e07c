// zendat32: the C entry points of the calendar engine, on Julian/Gregorian
// and civil Hijri day numbers (daycount.h and the calendars beside it).
//
// The Gregorian side of the program follows history (historic.h): the Julian
// calendar up to Thursday 4 October 1582, the Gregorian calendar from Friday
// 15 October 1582. The Hijri side is the arithmetic civil calendar (hijri.h).
// Months outside 1..12 are folded into the year with floor division, and days
// outside the month simply count on from the first of the month.

#include "zendat32.h"

#include "daycount.h"
#include "hijri.h"
#include "historic.h"

#include <cstdint>

namespace {

using namespace zendat32::detail;

// The supported range: 16 July 622 (Julian) .. 31 December 9999 (Gregorian).
constexpr i64 first_supported_day = hijri_epoch;
constexpr i64 last_supported_day = days_from_civil(9999, 12, 31);

constexpr bool is_supported(i64 z) noexcept { return z >= first_supported_day && z <= last_supported_day; }

// Writes a converted date when its year fits int32_t, all zeros otherwise.
inline int32_t put(const Ymd &r, int32_t *y, int32_t *m, int32_t *d) noexcept
{
    const bool ok = r.y >= INT32_MIN && r.y <= INT32_MAX;
    *y = ok ? static_cast<int32_t>(r.y) : 0;
    *m = ok ? static_cast<int32_t>(r.m) : 0;
    *d = ok ? static_cast<int32_t>(r.d) : 0;
    return ok;
}

// Days in a month of 1..12, or 13 for the first month of the next year.
template <class Length> int32_t month_days(const int32_t *year, const int32_t *month, Length length) noexcept
{
    if (!year || !month || *month < 1 || *month > 13)
        return 0;
    const bool next = *month == 13;
    return static_cast<int32_t>(length(i64{*year} + next, next ? 1 : *month));
}

} // namespace

extern "C" {

int32_t GregMonthDays(const int32_t *year, const int32_t *month)
{
    return month_days(year, month, historic_month_length);
}

int32_t HijriMonthDays(const int32_t *year, const int32_t *month)
{
    return month_days(year, month, hijri_month_length);
}

int32_t WeekDayOf(const int32_t *year, const int32_t *month, const int32_t *day, int32_t *weekday)
{
    if (!year || !month || !day || !weekday)
        return 0;
    *weekday = static_cast<int32_t>(weekday_from_days(days_from_historic(*year, *month, *day)));
    return 0;
}

int32_t CheckGregDate(const int32_t *year, const int32_t *month, const int32_t *day)
{
    if (!year || !month || !day)
        return 0;
    const i64 y = *year, m = *month, d = *day;
    if (!is_valid_date(y, m, d, historic_month_length) || dropped_by_reform(y, m, d))
        return 0;
    return is_supported(days_from_historic(y, m, d));
}

int32_t CheckHijriDate(const int32_t *year, const int32_t *month, const int32_t *day)
{
    if (!year || !month || !day)
        return 0;
    const i64 y = *year, m = *month, d = *day;
    if (!is_valid_date(y, m, d, hijri_month_length))
        return 0;
    return is_supported(days_from_hijri(y, m, d));
}

int32_t HijriToGreg(const int32_t *hy, const int32_t *hm, const int32_t *hd, int32_t *gy, int32_t *gm, int32_t *gd)
{
    if (!hy || !hm || !hd || !gy || !gm || !gd)
        return 0;
    return put(historic_from_days(days_from_any_hijri(*hy, *hm, *hd)), gy, gm, gd);
}

int32_t GregToHijri(const int32_t *gy, const int32_t *gm, const int32_t *gd, int32_t *hy, int32_t *hm, int32_t *hd)
{
    if (!gy || !gm || !gd || !hy || !hm || !hd)
        return 0;
    return put(hijri_from_days(days_from_historic(*gy, *gm, *gd)), hy, hm, hd);
}

void *zendat32_entry(int32_t ordinal)
{
    switch (ordinal) {
    case ZENDAT32_GREG_MONTH_DAYS:
        return reinterpret_cast<void *>(&GregMonthDays);
    case ZENDAT32_HIJRI_MONTH_DAYS:
        return reinterpret_cast<void *>(&HijriMonthDays);
    case ZENDAT32_WEEKDAY_OF:
        return reinterpret_cast<void *>(&WeekDayOf);
    case ZENDAT32_CHECK_GREG_DATE:
        return reinterpret_cast<void *>(&CheckGregDate);
    case ZENDAT32_CHECK_HIJRI_DATE:
        return reinterpret_cast<void *>(&CheckHijriDate);
    case ZENDAT32_HIJRI_TO_GREG:
        return reinterpret_cast<void *>(&HijriToGreg);
    case ZENDAT32_GREG_TO_HIJRI:
        return reinterpret_cast<void *>(&GregToHijri);
    default:
        return nullptr;
    }
}

} // extern "C"
