// The engine's entry points with any arguments: no undefined behaviour, inputs never written, lengths and
// weekdays in range, every date the checks accept converts both ways, and only the seven ordinals answer.
#include "engine/zendat32.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

static void require(bool holds)
{
    if (!holds)
        std::abort();
}

// Any date converts; one the check accepts converts to one the other check accepts, and back to itself.
static void roundTrip(const int32_t (&date)[3], zendat32_check_fn check, zendat32_convert_fn there,
                      zendat32_check_fn checkThere, zendat32_convert_fn back)
{
    int32_t out[3];
    int32_t again[3];
    there(&date[0], &date[1], &date[2], &out[0], &out[1], &out[2]);
    if (check(&date[0], &date[1], &date[2]) != 1)
        return;
    require(checkThere(&out[0], &out[1], &out[2]) == 1);
    back(&out[0], &out[1], &out[2], &again[0], &again[1], &again[2]);
    require(std::memcmp(again, date, sizeof again) == 0);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    int32_t in[4] = {};
    std::memcpy(in, data, std::min(size, sizeof in));
    int32_t date[3] = {in[0], in[1], in[2]};
    const int32_t gLength = GregMonthDays(&date[0], &date[1]);
    const int32_t hLength = HijriMonthDays(&date[0], &date[1]);
    int32_t w = -1;
    WeekDayOf(&date[0], &date[1], &date[2], &w);
    require(gLength >= 0 && gLength <= 31 && hLength >= 0 && hLength <= 30 && w >= 0 && w <= 6);
    roundTrip(date, CheckGregDate, GregToHijri, CheckHijriDate, HijriToGreg);
    roundTrip(date, CheckHijriDate, HijriToGreg, CheckGregDate, GregToHijri);
    require(std::memcmp(date, in, sizeof date) == 0);

    const int32_t ordinal = in[3];
    const bool exists = ordinal == 3 || ordinal == 4 || ordinal == 9 || (ordinal >= 11 && ordinal <= 14);
    require((zendat32_entry(ordinal) != nullptr) == exists);
    return 0;
}
