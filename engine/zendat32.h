// zendat32: the calendar engine library (Gregorian/Julian and Hijri civil
// calendars). A C interface: every entry point takes pointers to 32-bit
// signed integers, reads its inputs without writing them and returns an
// int32_t. Entry points are looked up by ordinal through zendat32_entry().
#ifndef ZENDAT32_H
#define ZENDAT32_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define ZENDAT32_EXPORT __attribute__((visibility("default")))

// Ordinals of the entry points that exist; every other ordinal answers null.
enum {
    ZENDAT32_GREG_MONTH_DAYS = 3,   // GregMonthDays(year, month)
    ZENDAT32_HIJRI_MONTH_DAYS = 4,  // HijriMonthDays(year, month)
    ZENDAT32_WEEKDAY_OF = 9,        // WeekDayOf(year, month, day, weekday_out)
    ZENDAT32_CHECK_GREG_DATE = 11,  // CheckGregDate(year, month, day)
    ZENDAT32_CHECK_HIJRI_DATE = 12, // CheckHijriDate(year, month, day)
    ZENDAT32_HIJRI_TO_GREG = 13,    // HijriToGreg(hy, hm, hd, gy_out, gm_out, gd_out)
    ZENDAT32_GREG_TO_HIJRI = 14     // GregToHijri(gy, gm, gd, hy_out, hm_out, hd_out)
};

typedef int32_t (*zendat32_month_days_fn)(const int32_t *year, const int32_t *month);
typedef int32_t (*zendat32_weekday_fn)(const int32_t *year, const int32_t *month, const int32_t *day, int32_t *weekday);
typedef int32_t (*zendat32_check_fn)(const int32_t *year, const int32_t *month, const int32_t *day);
typedef int32_t (*zendat32_convert_fn)(const int32_t *year, const int32_t *month, const int32_t *day, int32_t *out_year,
                                       int32_t *out_month, int32_t *out_day);

// The address of the entry point with that ordinal, or a null pointer.
ZENDAT32_EXPORT void *zendat32_entry(int32_t ordinal);

ZENDAT32_EXPORT int32_t GregMonthDays(const int32_t *year, const int32_t *month);
ZENDAT32_EXPORT int32_t HijriMonthDays(const int32_t *year, const int32_t *month);
ZENDAT32_EXPORT int32_t WeekDayOf(const int32_t *year, const int32_t *month, const int32_t *day, int32_t *weekday);
ZENDAT32_EXPORT int32_t CheckGregDate(const int32_t *year, const int32_t *month, const int32_t *day);
ZENDAT32_EXPORT int32_t CheckHijriDate(const int32_t *year, const int32_t *month, const int32_t *day);
ZENDAT32_EXPORT int32_t HijriToGreg(const int32_t *hy, const int32_t *hm, const int32_t *hd, int32_t *gy, int32_t *gm,
                                    int32_t *gd);
ZENDAT32_EXPORT int32_t GregToHijri(const int32_t *gy, const int32_t *gm, const int32_t *gd, int32_t *hy, int32_t *hm,
                                    int32_t *hd);

#ifdef __cplusplus
}
#endif

#endif
