// Any arguments: no undefined behaviour, inputs kept, answers in range, dates accepted convert both ways, 7 ordinals.
#include "zendat32.h"

#include <cstdlib>
#include <cstring>

#define YMD(date) &date[0], &date[1], &date[2]

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    int32_t in[4] = {}, d[3], there[3], back[3], weekday = -1;
    std::memcpy(in, data, size < sizeof in ? size : sizeof in);
    std::memcpy(d, in, sizeof d);
    WeekDayOf(YMD(d), &weekday);
    const auto roundTrip = [&](auto check, auto convert, auto checkThere, auto convertBack) {
        convert(YMD(d), YMD(there)), convertBack(YMD(there), YMD(back)); // any date converts, any result back
        return check(YMD(d)) != 1 || (checkThere(YMD(there)) == 1 && std::memcmp(back, d, sizeof d) == 0);
    };
    if (uint32_t(GregMonthDays(&d[0], &d[1])) > 31 || uint32_t(HijriMonthDays(&d[0], &d[1])) > 30
        || uint32_t(weekday) > 6 || !roundTrip(CheckGregDate, GregToHijri, CheckHijriDate, HijriToGreg)
        || !roundTrip(CheckHijriDate, HijriToGreg, CheckGregDate, GregToHijri) || std::memcmp(d, in, sizeof d) != 0
        || (zendat32_entry(in[3]) != nullptr)
            != (in[3] == 3 || in[3] == 4 || in[3] == 9 || (in[3] >= 11 && in[3] <= 14)))
        std::abort();
    return 0;
}
