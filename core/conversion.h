// One date converted from either calendar to the other, with the weekday
// of its Gregorian form: what the conversion dialog and the command-line
// tool both show. No widgets.
#pragma once

#include "calendarengine.h"

#include <QString>
#include <optional>

namespace core {

// What the user is told when the engine's check refuses a date; which part
// of it was wrong is not told.
inline const QString DateRefusedText = QStringLiteral("Date out of range .....");

struct ConvertedDate {
    Ymd date;        // in the other calendar
    QString weekday; // "Sunday" .. "Saturday", of the Gregorian form of the day
};

// Nothing when CheckGregDate (or CheckHijriDate) refuses the date; the
// engine is asked nothing else then.
std::optional<ConvertedDate> ConvertGregToHijri(const Ymd &gregorian);
std::optional<ConvertedDate> ConvertHijriToGreg(const Ymd &hijri);

} // namespace core
