#include "conversion.h"

#include "names.h"

namespace core {

std::optional<ConvertedDate> ConvertGregToHijri(const Ymd &gregorian)
{
    const CalendarEngine &e = engine();
    if (!e.CheckGregDate(gregorian.year, gregorian.month, gregorian.day))
        return std::nullopt;
    const Ymd hijri = e.GregToHijri(gregorian.year, gregorian.month, gregorian.day);
    return ConvertedDate{hijri, WeekDayName(e.WeekDayOf(gregorian.year, gregorian.month, gregorian.day))};
}

std::optional<ConvertedDate> ConvertHijriToGreg(const Ymd &hijri)
{
    const CalendarEngine &e = engine();
    if (!e.CheckHijriDate(hijri.year, hijri.month, hijri.day))
        return std::nullopt;
    const Ymd gregorian = e.HijriToGreg(hijri.year, hijri.month, hijri.day);
    return ConvertedDate{gregorian, WeekDayName(e.WeekDayOf(gregorian.year, gregorian.month, gregorian.day))};
}

} // namespace core
