// The engine's entry points with any arguments: no undefined behaviour,
// weekdays in 0..6, and every date the checks accept converts both ways.
// Any ordinal may be asked for: only the seven that exist answer.
#include "engine/zendat32.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

template <typename Fn>
Fn entry(int32_t ordinal)
{
    void *address = zendat32_entry(ordinal);
    if (!address)
        std::abort();
    return reinterpret_cast<Fn>(address);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    int32_t in[4] = {};
    std::memcpy(in, data, size < sizeof in ? size : sizeof in);
    const int32_t y = in[0], m = in[1], d = in[2];
    const int32_t copy[3] = {y, m, d};

    static const auto gregDays = entry<zendat32_month_days_fn>(ZENDAT32_GREG_MONTH_DAYS);
    static const auto hijriDays = entry<zendat32_month_days_fn>(ZENDAT32_HIJRI_MONTH_DAYS);
    static const auto weekday = entry<zendat32_weekday_fn>(ZENDAT32_WEEKDAY_OF);
    static const auto checkGreg = entry<zendat32_check_fn>(ZENDAT32_CHECK_GREG_DATE);
    static const auto checkHijri = entry<zendat32_check_fn>(ZENDAT32_CHECK_HIJRI_DATE);
    static const auto toGreg = entry<zendat32_convert_fn>(ZENDAT32_HIJRI_TO_GREG);
    static const auto toHijri = entry<zendat32_convert_fn>(ZENDAT32_GREG_TO_HIJRI);

    const int32_t gLength = gregDays(&y, &m);
    const int32_t hLength = hijriDays(&y, &m);
    if (gLength < 0 || gLength > 31 || hLength < 0 || hLength > 30)
        std::abort();
    int32_t w = -1;
    weekday(&y, &m, &d, &w);
    if (w < 0 || w > 6)
        std::abort();

    int32_t out[3], back[3];
    if (checkGreg(&y, &m, &d) == 1) {
        toHijri(&y, &m, &d, &out[0], &out[1], &out[2]);
        if (checkHijri(&out[0], &out[1], &out[2]) != 1)
            std::abort();
        toGreg(&out[0], &out[1], &out[2], &back[0], &back[1], &back[2]);
        if (back[0] != y || back[1] != m || back[2] != d)
            std::abort();
    }
    if (checkHijri(&y, &m, &d) == 1) {
        toGreg(&y, &m, &d, &out[0], &out[1], &out[2]);
        if (checkGreg(&out[0], &out[1], &out[2]) != 1)
            std::abort();
        toHijri(&out[0], &out[1], &out[2], &back[0], &back[1], &back[2]);
        if (back[0] != y || back[1] != m || back[2] != d)
            std::abort();
    }
    // Conversions of any input: no undefined behaviour, whatever comes out.
    toHijri(&y, &m, &d, &out[0], &out[1], &out[2]);
    toGreg(&y, &m, &d, &out[0], &out[1], &out[2]);
    // Inputs are never written.
    if (y != copy[0] || m != copy[1] || d != copy[2])
        std::abort();

    const int32_t ordinal = in[3];
    const void *address = zendat32_entry(ordinal);
    const bool known = ordinal == ZENDAT32_GREG_MONTH_DAYS || ordinal == ZENDAT32_HIJRI_MONTH_DAYS
                       || ordinal == ZENDAT32_WEEKDAY_OF || ordinal == ZENDAT32_CHECK_GREG_DATE
                       || ordinal == ZENDAT32_CHECK_HIJRI_DATE || ordinal == ZENDAT32_HIJRI_TO_GREG
                       || ordinal == ZENDAT32_GREG_TO_HIJRI;
    if ((address != nullptr) != known)
        std::abort();
    return 0;
}
