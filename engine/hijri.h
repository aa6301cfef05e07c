// The arithmetic civil Hijri calendar: 30-year cycles of 19 * 354 + 11 * 355
// = 10631 days with leap years 2, 5, 7, 10, 13, 16, 18, 21, 24, 26 and 29; odd
// months have 30 days, even months 29, and month 12 has 30 days in a leap
// year.
#pragma once

#include "daycount.h"
#include "julian.h"

namespace zendat32::detail {

constexpr int hijri_cycle_years = 30;
constexpr int hijri_cycle_days = 19 * 354 + 11 * 355; // 10631 days: 11 leap years in 30

constexpr FarEras far_hijri{i64{1} << 28}; // * hijri_cycle_days > 2^40, * 30 years > 2^32

// 1 Muharram 1 AH, Friday 16 July 622 (Julian): day -492148, Julian day 1948440.
constexpr i64 hijri_epoch = days_from_julian(622, 7, 16);

constexpr bool is_hijri_leap(i64 y) noexcept { return floor_mod(14 + 11 * y, 30) < 11; }

constexpr i64 hijri_month_length(i64 y, i64 m) noexcept // m: [1, 12]
{
    return 29 + (m & 1) + (m == 12 && is_hijri_leap(y)); // [29, 30]
}

// Months alternate 30 and 29 days: days before month m of a year.
constexpr u32 days_before_hijri_month(u32 m) noexcept // m: [1, 12]
{
    return (59 * (m - 1) + 1) / 2; // [0, 325]
}

// Days before year yoa + 1 counted from the start of a 30-year cycle: 354 a
// year and the leap days of years 2, 5, 7, ...
constexpr u64 days_before_hijri_year(u64 yoa) noexcept { return 354 * yoa + (14 + 11 * yoa) / 30; }

// Any y below 2^32 in magnitude, m: [1, 12], any d.
constexpr i64 days_from_hijri(i64 y, i64 m, i64 d) noexcept
{
    const u64 yoa = far_hijri.add(y - 1, hijri_cycle_years); // years since a far cycle start
    const u64 doa = days_before_hijri_year(yoa) + days_before_hijri_month(static_cast<u32>(m));
    return far_hijri.take_off(doa, hijri_cycle_days) + (d - 1) + hijri_epoch;
}

// Any y, m, d: months outside 1..12 are folded into the year.
constexpr i64 days_from_any_hijri(i64 y, i64 m, i64 d) noexcept
{
    const Ym n = normalise_month(y, m);
    return days_from_hijri(n.y, n.m, d);
}

// Like the Julian one, year and day of year come out of one division: with n
// days since the start of a cycle, the year is (30n + 15) / 10631 and the
// remainder is 30 * day_of_year + (29 - (14 + 11 * year) mod 30).
constexpr Ymd hijri_from_days(i64 z) noexcept
{
    const u64 n = far_hijri.add(z - hijri_epoch, hijri_cycle_days);                   // [0, 2^42)
    const auto [yoa, doy] = year_and_day(n, hijri_cycle_years, hijri_cycle_days, 15); // years since then, [0, 354]
    const u32 m = (11 * doy + 5) / 325 + 1;                                           // [1, 12]
    const u32 d = doy - days_before_hijri_month(m) + 1;                               // [1, 30]
    return {far_hijri.take_off(yoa, hijri_cycle_years) + 1, m, d};
}

} // namespace zendat32::detail
