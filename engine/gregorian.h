// The proleptic Gregorian calendar, exactly Hinnant's: eras of 400 years.
// 1 January 1970 is day 0.
#pragma once

#include "daycount.h"
#include "julian.h"

namespace zendat32::detail {

constexpr int gregorian_century = 100 * 365 + 24;             // 36524 days: the century year not leap
constexpr int gregorian_four_centuries = 400 * 365 + 100 - 3; // 146097 days: 3 of 4 century years not leap

// Days from 1 March 0000 to 1 January 1970: 1969 March-based years and 306
// days from 1 March to 1 January.
constexpr int civil_march_0000_to_1970 = 1969 * 365 + 1969 / 4 - 1969 / 100 + 1969 / 400 + 306; // 719468

constexpr bool is_gregorian_leap(i64 y) noexcept
{
    return (y & 3) == 0 && (floor_mod(y, 100) != 0 || floor_mod(y, 400) == 0);
}

constexpr i64 gregorian_month_length(i64 y, i64 m) noexcept { return month_length<is_gregorian_leap>(y, m); }

// Days before March-based year yoe of an era: a leap day every four years but
// not the hundredth (the era's last day, the 400th year's, comes after them).
constexpr u32 days_before_gregorian_year(u32 yoe) noexcept // yoe: [0, 399]
{
    return yoe * 365 + yoe / 4 - yoe / 100; // [0, 145731]
}

// m: [1, 12], d: [1, 31].
constexpr i64 days_from_civil(i64 y, i64 m, i64 d) noexcept
{
    y = march_year(y, m);
    const i64 era = floor_div(y, 400);
    const u32 yoe = static_cast<u32>(y - era * 400);                                             // [0, 399]
    const u32 doy = days_before_month_from_march(static_cast<u32>(m)) + static_cast<u32>(d - 1); // [0, 365]
    const u32 doe = days_before_gregorian_year(yoe) + doy;                                       // [0, 146096]
    return era * gregorian_four_centuries + static_cast<i64>(doe) - civil_march_0000_to_1970;
}

constexpr Ymd civil_from_days(i64 z) noexcept
{
    z += civil_march_0000_to_1970;
    const i64 era = floor_div(z, gregorian_four_centuries);
    const u32 doe = static_cast<u32>(z - era * gregorian_four_centuries); // [0, 146096]
    // Takes off the leap days before doe: one a Julian four years, none a
    // century, one again for the era's last day.
    const u32 yoe
        = (doe - doe / (julian_four_years - 1) + doe / gregorian_century - doe / (gregorian_four_centuries - 1))
        / 365;                                             // [0, 399]
    const u32 doy = doe - days_before_gregorian_year(yoe); // [0, 365]
    return date_from_march(static_cast<i64>(yoe) + era * 400, month_day_from_march(doy));
}

} // namespace zendat32::detail
