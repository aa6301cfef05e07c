// One date converted from either calendar to the other, with the weekday
// of its Gregorian form: what the conversion dialog and the command-line
// tool both show. No widgets.
#pragma once

#include "calendarengine.h"
#include "failure.h"

#include <QString>

namespace core {

struct ConvertedDate {
    Ymd date;        // in the other calendar
    QString weekday; // "Sunday" .. "Saturday", of the Gregorian form of the day
};

// Refused with "Date out of range ....." when CheckGregDate (or
// CheckHijriDate) refuses the date; the engine is asked nothing else then.
Result<ConvertedDate> ConvertGregToHijri(const Ymd &gregorian);
Result<ConvertedDate> ConvertHijriToGreg(const Ymd &hijri);

} // namespace core
