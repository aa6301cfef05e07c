// The calendar engine as the program sees it: the seven operations of the
// engine library, year first like the library. The running program talks to
// the loaded library through LibraryEngine; tests put a fake in its place.
#pragma once

#include <cstdint>

namespace core {

struct Ymd {
    int32_t year = 0;
    int32_t month = 0;
    int32_t day = 0;
    friend bool operator==(const Ymd &, const Ymd &) = default;
};

class CalendarEngine {
public:
    virtual ~CalendarEngine() = default;
    virtual int32_t GregMonthDays(int32_t year, int32_t month) const = 0;
    virtual int32_t HijriMonthDays(int32_t year, int32_t month) const = 0;
    // 0 Sunday ... 6 Saturday, as the engine answers it (callers that lay out
    // pages must not trust it to be in range).
    virtual int32_t WeekDayOf(int32_t year, int32_t month, int32_t day) const = 0;
    // True only when the engine answers 1.
    virtual bool CheckGregDate(int32_t year, int32_t month, int32_t day) const = 0;
    virtual bool CheckHijriDate(int32_t year, int32_t month, int32_t day) const = 0;
    virtual Ymd HijriToGreg(int32_t year, int32_t month, int32_t day) const = 0;
    virtual Ymd GregToHijri(int32_t year, int32_t month, int32_t day) const = 0;
};

// The engine every routine of the program uses. Must be set before the first
// window is made; tests swap it freely.
const CalendarEngine &engine();
void setEngine(const CalendarEngine *engine);

} // namespace core
