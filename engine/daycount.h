// Day counts: the arithmetic the engine's calendars share.
//
// Every date is turned into a day number (days since 1970-01-01 Gregorian,
// 64-bit) and back, with closed-form formulas in the manner of Howard
// Hinnant's civil-date algorithms: no loops, no tables.
//
// Inputs are 32-bit, all arithmetic is 64-bit: for any int32_t input day
// numbers stay below 2^40 and every intermediate value below 2^48 in
// magnitude, so nothing can overflow.
// The calendars' cycles and epoch shifts are named constants of the type of
// the plain numbers they name, built the way they arise, so the arithmetic is
// the same as with the numbers themselves.
#pragma once

#include <cstdint>

namespace zendat32::detail {

using i64 = std::int64_t;
using u32 = std::uint32_t;
using u64 = std::uint64_t;

struct Ymd {
    i64 y;
    i64 m;
    i64 d;
};

struct Ym {
    i64 y;
    i64 m;
};

// Floor division for a positive divisor. Only used with |a| < 2^62.
constexpr i64 floor_div(i64 a, i64 b) noexcept { return (a >= 0 ? a : a - (b - 1)) / b; }

constexpr i64 floor_mod(i64 a, i64 b) noexcept
{
    return a - floor_div(a, b) * b; // [0, b)
}

// Weekday of a day number, 0 Sunday .. 6 Saturday; 1 January 1970 was a Thursday.
constexpr i64 weekday_from_days(i64 z) noexcept
{
    return floor_mod(z + 4, 7); // [0, 6]
}

// ---------------------------------------------------------------------------
// Months: any month number is folded into the year, and the months of every
// calendar here number 1..12.

// Folds any month number into [1, 12], carrying whole years into the year.
constexpr Ym normalise_month(i64 y, i64 m) noexcept
{
    if (m >= 1 && m <= 12) [[likely]]
        return {y, m};
    const i64 q = floor_div(m - 1, 12);
    return {y + q, m - q * 12}; // m: [1, 12]
}

// Whether (y, m, d) is a day of a calendar whose month lengths are length(y, m).
// Always inlined and written as a test with two returns, so that a check using
// it branches as if the test stood in it: a valid date runs straight through.
template <class Length> [[gnu::always_inline]] constexpr bool is_valid_date(i64 y, i64 m, i64 d, Length length) noexcept
{
    if (m < 1 || m > 12 || d < 1 || d > length(y, m))
        return false;
    return true;
}

// Month lengths shared by the Julian and the Gregorian calendar: 31 for
// months 1, 3, 5, 7, 8, 10 and 12, 30 for the others, February aside.
template <auto is_leap> constexpr i64 month_length(i64 y, i64 m) noexcept // m: [1, 12]
{
    return m == 2 ? 28 + is_leap(y) : 30 | (m ^ (m >> 3)); // [28, 31]
}

// ---------------------------------------------------------------------------
// Hinnant's March-based year: it starts on 1 March, so that a leap day is the
// last day of its year and month lengths follow a formula (the months from
// March on alternate 31 and 30 days, in runs of five).

// The March-based year that holds month m of year y.
constexpr i64 march_year(i64 y, i64 m) noexcept { return y - (m <= 2); }

// Days from 1 March to the first of the month mp months later. mp: [0, 11]
constexpr u32 days_before_march_month(u32 mp) noexcept
{
    return (153 * mp + 2) / 5; // [0, 306]
}

// Days from 1 March to the first of month m. m: [1, 12]. (The months since
// March are worked out without a conditional: a branch on m > 2 mispredicts
// for one date in six.)
constexpr u32 days_before_month_from_march(u32 m) noexcept
{
    return days_before_march_month(m + 9 - 12 * (m > 2)); // [0, 306]
}

struct MonthDay {
    u32 m;
    u32 d;
};

// Month and day of day doy of a March-based year. doy: [0, 365]
constexpr MonthDay month_day_from_march(u32 doy) noexcept
{
    const u32 mp = (5 * doy + 2) / 153;                  // [0, 11]
    const u32 d = doy - days_before_march_month(mp) + 1; // [1, 31]
    const u32 m = mp < 10 ? mp + 3 : mp - 9;             // [1, 12]
    return {m, d};
}

// The date of that month and day of March-based year yp.
constexpr Ymd date_from_march(i64 yp, MonthDay md) noexcept { return {yp + (md.m <= 2), md.m, md.d}; }

// ---------------------------------------------------------------------------
// Cycles. A cycle of `years` years holds `days` days, the long years' extra
// days spread through it as evenly as they go, `phase` saying where. Day n of
// the cycle then lies in year (years * n + phase) / days, and the remainder
// over `years` is the day of that year. (The Gregorian rule spreads the long
// centuries of an era the same way.)

struct YearAndDay {
    u64 year;
    u32 day;
};

constexpr YearAndDay year_and_day(u64 n, u32 years, u32 days, u32 phase) noexcept
{
    const u64 e = years * n + phase;
    return {e / days, static_cast<u32>(e % days) / years};
}

// A calendar's far eras: whole eras (cycles) added to a dividend so that it is
// non-negative and plain unsigned division is floor division, then taken off
// the quotient again: no sign fix-ups, no branches. Day numbers never reach
// 2^40 in magnitude (int32_t years, months and days folded together stay below
// 2^32 years), and each calendar's far eras outweigh that.
struct FarEras {
    i64 count;

    // x moved up by the far eras, each per_era long in the unit of x (days,
    // years or centuries): non-negative.
    constexpr u64 add(i64 x, i64 per_era) const noexcept { return static_cast<u64>(x + count * per_era); }

    // x moved back down by them, each per_era long in the unit of x.
    constexpr i64 take_off(u64 x, i64 per_era) const noexcept { return static_cast<i64>(x) - count * per_era; }
};

} // namespace zendat32::detail
