#include "conversion.h"

#include "messages.h"
#include "names.h"

namespace core {
namespace {

const Failure refused{messages::DateRefused, messages::ConversionInputTitle};

ConvertedDate withWeekday(const Ymd &converted, const Ymd &gregorian)
{
    return {converted, WeekDayName(engine().WeekDayOf(gregorian.year, gregorian.month, gregorian.day))};
}

} // namespace

Result<ConvertedDate> ConvertGregToHijri(const Ymd &gregorian)
{
    const CalendarEngine &e = engine();
    if (!e.CheckGregDate(gregorian.year, gregorian.month, gregorian.day))
        return refused;
    return withWeekday(e.GregToHijri(gregorian.year, gregorian.month, gregorian.day), gregorian);
}

Result<ConvertedDate> ConvertHijriToGreg(const Ymd &hijri)
{
    const CalendarEngine &e = engine();
    if (!e.CheckHijriDate(hijri.year, hijri.month, hijri.day))
        return refused;
    const Ymd gregorian = e.HijriToGreg(hijri.year, hijri.month, hijri.day);
    return withWeekday(gregorian, gregorian);
}

} // namespace core
