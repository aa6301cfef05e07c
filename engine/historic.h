// The historic calendar of the Gregorian side: Julian up to the reform,
// Gregorian from it.
//
// A date (y, m, d) is read as Gregorian when it is on or after the first
// Gregorian date as given, as Julian otherwise, so the days the reform dropped
// (which never existed) read as Julian dates. A day number maps back to Julian
// before the reform and to Gregorian from it.
//
// Both go through Julian-shaped dates: a Gregorian date lies as many days
// before the same Julian date as the Gregorian rule has dropped leap days,
// counted by March-based year (a dropped day is a 29 February, the last day of
// such a year).
//
// Speed: a conversion is a few dozen instructions, so a mispredicted branch
// would cost as much as the work. Dates come from either side of the reform in
// any order; the choice of calendar is therefore made with arithmetic, not
// jumps.
#pragma once

#include "daycount.h"
#include "gregorian.h"
#include "julian.h"

namespace zendat32::detail {

// Friday 15 October 1582 (Gregorian) followed Thursday 4 October 1582 (Julian).
constexpr Ymd reform_date{1582, 10, 15};
constexpr i64 reform_day = days_from_civil(reform_date.y, reform_date.m, reform_date.d);
constexpr Ymd last_julian_date = julian_from_days(reform_day - 1);

// The Julian rule for years before the reform, the Gregorian rule from its year.
constexpr bool is_historic_leap(i64 y) noexcept { return y < reform_date.y ? is_julian_leap(y) : is_gregorian_leap(y); }

constexpr i64 historic_month_length(i64 y, i64 m) noexcept { return month_length<is_historic_leap>(y, m); }

// (y, m, d) on or after the first Gregorian date, compared as given; 0 or 1.
constexpr i64 read_as_gregorian(i64 y, i64 m, i64 d) noexcept
{
    const Ymd &r = reform_date;
    return (y > r.y) | ((y == r.y) & ((m > r.m) | ((m == r.m) & (d >= r.d))));
}

// The days between the last Julian and the first Gregorian date, which the
// reform left out. (Both dates lie in one month.) Plain constants and a test
// with two returns, like is_valid_date, so that CheckGregDate branches as if
// the test stood in it.
constexpr bool dropped_by_reform(i64 y, i64 m, i64 d) noexcept
{
    constexpr i64 year = reform_date.y, month = reform_date.m, after = last_julian_date.d, before = reform_date.d;
    if (y == year && m == month && d > after && d < before)
        return true;
    return false;
}

constexpr FarEras far_gregorian{i64{1} << 24}; // * gregorian_four_centuries > 2^40, * 400 years > 2^32

// Leap days the Gregorian rule has dropped by March-based century c (of years
// 100c .. 100c + 99, counted from 1 March), since the calendars last agreed
// in the third century.
constexpr i64 dropped_by_century(i64 c) noexcept { return c - (c >> 2) - 2; }

// Leap days dropped by March-based year yp: 10 in 1582, 13 in 1900..2099.
constexpr i64 dropped_leap_days(i64 yp) noexcept // |yp| < 2^32
{
    const i64 c = far_gregorian.take_off(far_gregorian.add(yp, 400) / 100, 4); // floor(yp / 100)
    return dropped_by_century(c);
}

// The same for the Gregorian date of day z, by its Gregorian March-based
// century (Richards' correction): an era's four centuries share out its days
// as a Julian era's four years do, the long one last.
constexpr i64 dropped_leap_days_by_day(i64 z) noexcept
{
    const u64 n = far_gregorian.add(z + civil_march_0000_to_1970, gregorian_four_centuries); // [0, 2^42)
    const i64 c = far_gregorian.take_off(year_and_day(n, 4, gregorian_four_centuries, 3).year, 4);
    return dropped_by_century(c);
}

// Any y, m, d: the Julian day count, less the dropped leap days if Gregorian.
constexpr i64 days_from_historic(i64 y, i64 m, i64 d) noexcept
{
    const i64 gregorian = read_as_gregorian(y, m, d);
    const Ym n = normalise_month(y, m);
    return days_from_julian(n.y, n.m, d) - (dropped_leap_days(march_year(n.y, n.m)) & -gregorian);
}

// From the reform on, the dropped leap days are given back and the date read
// off Julian-shaped.
constexpr Ymd historic_from_days(i64 z) noexcept
{
    return julian_from_days(z + (dropped_leap_days_by_day(z) & -i64{z >= reform_day}));
}

} // namespace zendat32::detail
