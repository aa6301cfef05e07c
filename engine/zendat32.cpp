// zendat32: Julian/Gregorian and civil Hijri arithmetic on day numbers.
//
// Every date is turned into a day number (days since 1970-01-01 Gregorian,
// 64-bit) and back, with closed-form formulas in the manner of Howard
// Hinnant's civil-date algorithms: no loops, no tables.
//
// The Gregorian side of the program follows history: the Julian calendar up to
// Thursday 4 October 1582, the Gregorian calendar from Friday 15 October 1582.
// A date (y, m, d) is read as Gregorian when (y, m, d) >= (1582, 10, 15) as
// given, as Julian otherwise, so 5..14 October 1582 (which never existed) read
// as Julian dates. A day number maps back to Julian before 15 October 1582 and
// to Gregorian from it.
//
// The Hijri side is the arithmetic civil calendar: 30-year cycles of
// 19 * 354 + 11 * 355 = 10631 days with leap years 2, 5, 7, 10, 13, 16, 18,
// 21, 24, 26 and 29; odd months have 30 days, even months 29, and month 12
// has 30 days in a leap year.
// 1 Muharram 1 AH is Friday 16 July 622 (Julian).
//
// Inputs are 32-bit, all arithmetic is 64-bit: for any int32_t input day
// numbers stay below 2^40 and every intermediate value below 2^48 in
// magnitude, so nothing can overflow.
// Months outside 1..12 are folded into the year with floor division, and days
// outside the month simply count on from the first of the month.
//
// Speed: a conversion is a few dozen instructions, so a mispredicted branch
// would cost as much as the work. Dates come from either side of 1582 in any
// order; the choice of calendar is therefore made with arithmetic, not jumps.

#include "zendat32.h"

#include <cstdint>

namespace {

using i64 = std::int64_t;
using u32 = std::uint32_t;
using u64 = std::uint64_t;

// Floor division for a positive divisor. Only used with |a| < 2^62.
constexpr i64 floor_div(i64 a, i64 b) noexcept { return (a >= 0 ? a : a - (b - 1)) / b; }

constexpr i64 floor_mod(i64 a, i64 b) noexcept
{
    return a - floor_div(a, b) * b; // [0, b)
}

// The cycles every calendar here repeats, built the way they arise. They
// have the type of the plain numbers they name, so the arithmetic is the same.
constexpr int julian_four_years = 4 * 365 + 1;                // 1461 days
constexpr int gregorian_century = 100 * 365 + 24;             // 36524 days: the century year not leap
constexpr int gregorian_four_centuries = 400 * 365 + 100 - 3; // 146097 days: 3 of 4 century years not leap
constexpr int hijri_cycle_years = 30;
constexpr int hijri_cycle_days = 19 * 354 + 11 * 355; // 10631 days: 11 leap years in 30
// Hinnant's shifts of the epoch to a 1 March, where a year's leap day is its
// last. Days from 1 March 0000 to 1 January 1970: 1969 March-based years and
// 306 days from 1 March to 1 January.
constexpr int civil_march_0000_to_1970 = 1969 * 365 + 1969 / 4 - 1969 / 100 + 1969 / 400 + 306; // 719468
// Days from Julian 1 March 0000 to Julian 19 December 1969, which is 1 January
// 1970 (Gregorian): 1969 March-based years, 275 days from 1 March to
// 1 December and 18 more.
constexpr int julian_march_0000_to_1970 = 1969 * 365 + 1969 / 4 + 275 + 18; // 719470

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

constexpr FarEras far_julian{i64{1} << 30};    // * julian_four_years > 2^40
constexpr FarEras far_gregorian{i64{1} << 24}; // * gregorian_four_centuries > 2^40, * 400 years > 2^32
constexpr FarEras far_hijri{i64{1} << 28};     // * hijri_cycle_days > 2^40, * 30 years > 2^32

// A cycle of `years` years holds `days` days, the long years' extra days
// spread through it as evenly as they go, `phase` saying where. Day n of the
// cycle then lies in year (years * n + phase) / days, and the remainder over
// `years` is the day of that year. (The Gregorian rule spreads the long
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

struct Ymd {
    i64 y;
    i64 m;
    i64 d;
};

struct Ym {
    i64 y;
    i64 m;
};

// Whether (y, m, d) is a day of a calendar whose month lengths are length(y, m).
template <class Length> constexpr bool is_valid_date(i64 y, i64 m, i64 d, Length length) noexcept
{
    return m >= 1 && m <= 12 && d >= 1 && d <= length(y, m);
}

// Folds any month number into [1, 12], carrying whole years into the year.
constexpr Ym normalise_month(i64 y, i64 m) noexcept
{
    if (m >= 1 && m <= 12) [[likely]]
        return {y, m};
    const i64 q = floor_div(m - 1, 12);
    return {y + q, m - q * 12}; // m: [1, 12]
}

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
// Proleptic Gregorian calendar, exactly Hinnant's. m: [1, 12], d: [1, 31].

// Days before March-based year yoe of an era: a leap day every four years but
// not the hundredth (the era's last day, the 400th year's, comes after them).
constexpr u32 days_before_gregorian_year(u32 yoe) noexcept // yoe: [0, 399]
{
    return yoe * 365 + yoe / 4 - yoe / 100; // [0, 145731]
}

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

// ---------------------------------------------------------------------------
// Proleptic Julian calendar: the same shape with a 4-year era of 1461 days.
// Julian 19 December 1969 is day 0.

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

// ---------------------------------------------------------------------------
// Between the two: a Gregorian date lies as many days before the same Julian
// date as the Gregorian rule has dropped leap days, counted by March-based
// year (a dropped day is a 29 February, the last day of such a year).

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

// ---------------------------------------------------------------------------
// Civil Hijri calendar.

// 1 Muharram 1 AH, Friday 16 July 622 (Julian): day -492148, Julian day 1948440.
constexpr i64 hijri_epoch = days_from_julian(622, 7, 16);

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

// ---------------------------------------------------------------------------
// The reform: the Julian calendar up to it, the Gregorian calendar from it.

// Friday 15 October 1582 (Gregorian) followed Thursday 4 October 1582 (Julian).
constexpr Ymd reform_date{1582, 10, 15};
constexpr i64 reform_day = days_from_civil(reform_date.y, reform_date.m, reform_date.d);
constexpr Ymd last_julian_date = julian_from_days(reform_day - 1);

// The days between the last Julian and the first Gregorian date, which the
// reform left out. (Both dates lie in one month.)
constexpr bool dropped_by_reform(i64 y, i64 m, i64 d) noexcept
{
    return y == reform_date.y && m == reform_date.m && d > last_julian_date.d && d < reform_date.d;
}

// ---------------------------------------------------------------------------
// Leap years and month lengths.

constexpr bool is_julian_leap(i64 y) noexcept
{
    return (y & 3) == 0; // floor mod 4, also for negative years
}

constexpr bool is_gregorian_leap(i64 y) noexcept
{
    return (y & 3) == 0 && (floor_mod(y, 100) != 0 || floor_mod(y, 400) == 0);
}

// The Julian rule for years before the reform, the Gregorian rule from its year.
constexpr bool is_historic_leap(i64 y) noexcept { return y < reform_date.y ? is_julian_leap(y) : is_gregorian_leap(y); }

// Month lengths shared by the Julian and the Gregorian calendar: 31 for
// months 1, 3, 5, 7, 8, 10 and 12, 30 for the others, February aside.
template <auto is_leap> constexpr i64 month_length(i64 y, i64 m) noexcept // m: [1, 12]
{
    return m == 2 ? 28 + is_leap(y) : 30 | (m ^ (m >> 3)); // [28, 31]
}

constexpr i64 julian_month_length(i64 y, i64 m) noexcept { return month_length<is_julian_leap>(y, m); }

constexpr i64 gregorian_month_length(i64 y, i64 m) noexcept { return month_length<is_gregorian_leap>(y, m); }

constexpr i64 historic_month_length(i64 y, i64 m) noexcept { return month_length<is_historic_leap>(y, m); }

constexpr bool is_hijri_leap(i64 y) noexcept { return floor_mod(14 + 11 * y, 30) < 11; }

constexpr i64 hijri_month_length(i64 y, i64 m) noexcept // m: [1, 12]
{
    return 29 + (m & 1) + (m == 12 && is_hijri_leap(y)); // [29, 30]
}

// ---------------------------------------------------------------------------
// The historic Gregorian side: Julian before the reform.

// (y, m, d) on or after the first Gregorian date, compared as given; 0 or 1.
constexpr i64 read_as_gregorian(i64 y, i64 m, i64 d) noexcept
{
    const Ymd &r = reform_date;
    return (y > r.y) | ((y == r.y) & ((m > r.m) | ((m == r.m) & (d >= r.d))));
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

// Any y, m, d: months outside 1..12 are folded into the year.
constexpr i64 days_from_any_hijri(i64 y, i64 m, i64 d) noexcept
{
    const Ym n = normalise_month(y, m);
    return days_from_hijri(n.y, n.m, d);
}

// Weekday of a day number, 0 Sunday .. 6 Saturday; 1 January 1970 was a Thursday.
constexpr i64 weekday_from_days(i64 z) noexcept
{
    return floor_mod(z + 4, 7); // [0, 6]
}

// ---------------------------------------------------------------------------
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

// ---------------------------------------------------------------------------
// Compile-time checks of everything that is not Hinnant's own: the Julian
// pair, the Hijri pair with its month and year formulas, and the way the
// historic side reaches Gregorian dates through Julian-shaped ones.

template <class Length>
constexpr bool round_trips(i64 from, i64 to, Ymd (*to_date)(i64), i64 (*to_days)(i64, i64, i64), Length length) noexcept
{
    Ymd before = to_date(from - 1);
    for (i64 z = from; z < to; ++z) {
        const Ymd x = to_date(z);
        if (!is_valid_date(x.y, x.m, x.d, length) || to_days(x.y, x.m, x.d) != z)
            return false;
        if (x.d == 1 ? before.d != length(before.y, before.m) : before.d + 1 != x.d)
            return false; // a day skipped or repeated
        before = x;
    }
    return true;
}

constexpr bool matches_gregorian(i64 from, i64 to) noexcept
{
    for (i64 z = from; z < to; ++z) {
        const Ymd g = civil_from_days(z);
        const Ymd j = julian_from_days(z + dropped_leap_days_by_day(z));
        if (j.y != g.y || j.m != g.m || j.d != g.d)
            return false;
        if (days_from_julian(g.y, g.m, g.d) - dropped_leap_days(march_year(g.y, g.m)) != z)
            return false;
    }
    return true;
}

// One full Hijri cycle on each side of the epoch, and a cycle far below zero.
static_assert(round_trips(hijri_epoch - hijri_cycle_days, hijri_epoch + hijri_cycle_days, hijri_from_days,
                          days_from_hijri, hijri_month_length));
static_assert(round_trips(-900000000, -900000000 + hijri_cycle_days, hijri_from_days, days_from_hijri,
                          hijri_month_length));
// Near the largest day numbers int32_t input can reach (|z| < 2^40).
static_assert(round_trips(-860000000000, -860000000000 + 11000, hijri_from_days, days_from_hijri, hijri_month_length));
static_assert(round_trips(860000000000, 860000000000 + 11000, hijri_from_days, days_from_hijri, hijri_month_length));
static_assert(round_trips(-860000000000, -860000000000 + 3000, julian_from_days, days_from_julian,
                          julian_month_length));
static_assert(round_trips(860000000000, 860000000000 + 3000, julian_from_days, days_from_julian, julian_month_length));
static_assert(matches_gregorian(-860000000000, -860000000000 + 3000));
static_assert(matches_gregorian(860000000000, 860000000000 + 3000));
// Hinnant's own pair, as a check on the harness and on gregorian_month_length.
static_assert(round_trips(-800000, -797000, civil_from_days, days_from_civil, gregorian_month_length));
// Several Julian eras around year 0 and around 1970.
static_assert(round_trips(-721000, -715000, julian_from_days, days_from_julian, julian_month_length));
static_assert(round_trips(-3000, 3000, julian_from_days, days_from_julian, julian_month_length));
// Gregorian through Julian-shaped dates: around years 0, 1600, 1700, 2000 and
// a negative century year.
static_assert(matches_gregorian(-720000, -718000));
static_assert(matches_gregorian(-141000, -139000));
static_assert(matches_gregorian(-98000, -96000));
static_assert(matches_gregorian(10000, 12000));
static_assert(matches_gregorian(-1098000, -1096000));
static_assert(matches_gregorian(days_from_civil(-401, 1, 1), days_from_civil(-398, 12, 31)));

static_assert(hijri_epoch == -492148);                          // Julian day 1948440
static_assert(weekday_from_days(hijri_epoch) == 5);             // a Friday
static_assert(days_from_julian(1582, 10, 4) + 1 == reform_day); // Thursday 4 -> Friday 15
static_assert(weekday_from_days(reform_day) == 5);
static_assert(dropped_leap_days(1582) == 10 && dropped_leap_days(1970) == 13);
static_assert(days_from_civil(1970, 1, 1) == 0 && days_from_julian(1969, 12, 19) == 0);

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
