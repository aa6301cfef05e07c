// The proleptic Julian calendar: Hinnant's shape with an era of four years.
// Julian 19 December 1969 is day 0.
#pragma once

#include "daycount.h"

namespace zendat32::detail {

constexpr int julian_four_years = 4 * 365 + 1; // 1461 days

// Days from Julian 1 March 0000 to Julian 19 December 1969, which is 1 January
// 1970 (Gregorian): 1969 March-based years, 275 days from 1 March to
// 1 December and 18 more.
constexpr int julian_march_0000_to_1970 = 1969 * 365 + 1969 / 4 + 275 + 18; // 719470

constexpr FarEras far_julian{i64{1} << 30}; // * julian_four_years > 2^40

constexpr bool is_julian_leap(i64 y) noexcept
{
    return (y & 3) == 0; // floor mod 4, also for negative years
}

constexpr i64 julian_month_length(i64 y, i64 m) noexcept { return month_length<is_julian_leap>(y, m); }

// Any y below 2^32 in magnitude, m: [1, 12], any d (counted on from the first
// of the month).
constexpr i64 days_from_julian(i64 y, i64 m, i64 d) noexcept
{
    y = march_year(y, m);
    const i64 era = y >> 2;                                                        // floor(y / 4)
    const u32 yoe = static_cast<u32>(y & 3);                                       // [0, 3]
    const u32 doe = yoe * 365 + days_before_month_from_march(static_cast<u32>(m)); // [0, 1401]
    return era * julian_four_years + static_cast<i64>(doe) + (d - 1) - julian_march_0000_to_1970;
}

// Year and day of year in one division: an era's four years, the long one
// last (phase 3).
constexpr Ymd julian_from_days(i64 z) noexcept
{
    const u64 n = far_julian.add(z + julian_march_0000_to_1970, julian_four_years); // [0, 2^42)
    const auto [yoa, doy] = year_and_day(n, 4, julian_four_years, 3); // March-based years since then, [0, 365]
    return date_from_march(far_julian.take_off(yoa, 4), month_day_from_march(doy));
}

} // namespace zendat32::detail
