// Compile-time checks of everything that is not Hinnant's own: the Julian
// pair, the Hijri pair with its month and year formulas, and the way the
// historic side reaches Gregorian dates through Julian-shaped ones. Nothing
// here reaches the library's code: a check that fails stops the build.

#include "daycount.h"
#include "gregorian.h"
#include "hijri.h"
#include "historic.h"
#include "julian.h"

namespace {

using namespace zendat32::detail;

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
