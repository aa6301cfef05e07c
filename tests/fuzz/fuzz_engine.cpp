// The engine's entry points with any arguments: no undefined behaviour,
// weekdays in 0..6, and every date the checks accept converts both ways.
// Any ordinal may be asked for: only the seven that exist answer.
#include "engine/zendat32.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

// A date the check accepts converts to one the other check accepts, and back to itself.
void roundTrip(const int32_t (&date)[3], zendat32_check_fn check, zendat32_convert_fn there,
               zendat32_check_fn checkThere, zendat32_convert_fn back)
{
    if (check(&date[0], &date[1], &date[2]) != 1)
        return;
    int32_t out[3], again[3];
    there(&date[0], &date[1], &date[2], &out[0], &out[1], &out[2]);
    if (checkThere(&out[0], &out[1], &out[2]) != 1)
        std::abort();
    back(&out[0], &out[1], &out[2], &again[0], &again[1], &again[2]);
    if (std::memcmp(again, date, sizeof again) != 0)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    int32_t in[4] = {};
    std::memcpy(in, data, size < sizeof in ? size : sizeof in);
    const int32_t date[3] = {in[0], in[1], in[2]};
    const int32_t &y = date[0], &m = date[1], &d = date[2];

    const int32_t gLength = GregMonthDays(&y, &m);
    const int32_t hLength = HijriMonthDays(&y, &m);
    if (gLength < 0 || gLength > 31 || hLength < 0 || hLength > 30)
        std::abort();
    int32_t w = -1;
    WeekDayOf(&y, &m, &d, &w);
    if (w < 0 || w > 6)
        std::abort();
    roundTrip(date, CheckGregDate, GregToHijri, CheckHijriDate, HijriToGreg);
    roundTrip(date, CheckHijriDate, HijriToGreg, CheckGregDate, GregToHijri);
    // Conversions of any input: no undefined behaviour, whatever comes out; inputs are never written.
    int32_t out[3];
    GregToHijri(&y, &m, &d, &out[0], &out[1], &out[2]);
    HijriToGreg(&y, &m, &d, &out[0], &out[1], &out[2]);
    if (y != in[0] || m != in[1] || d != in[2])
        std::abort();

    const int32_t ordinal = in[3];
    const bool known = ordinal == ZENDAT32_GREG_MONTH_DAYS || ordinal == ZENDAT32_HIJRI_MONTH_DAYS
                       || ordinal == ZENDAT32_WEEKDAY_OF || ordinal == ZENDAT32_CHECK_GREG_DATE
                       || ordinal == ZENDAT32_CHECK_HIJRI_DATE || ordinal == ZENDAT32_HIJRI_TO_GREG
                       || ordinal == ZENDAT32_GREG_TO_HIJRI;
    if ((zendat32_entry(ordinal) != nullptr) != known)
        std::abort();
    return 0;
}
