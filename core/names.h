// English names of months and weekdays, and today's date in both calendars.
#pragma once

#include "calendarengine.h"
#include "dateranges.h"

#include <QString>
#include <cstdint>

namespace core {

// Empty for a month outside 1..12.
QString GregMonthName(int32_t month);
QString HijriMonthName(int32_t month);
// Empty for a weekday outside 0..6 (0 = Sunday).
QString WeekDayName(int32_t weekday);

// Today's local date, day first. Each call reads the clock again.
void TodayGreg(int32_t &day, int32_t &month, int32_t &year);
// Today's Gregorian date passed through the engine's GregToHijri.
void TodayHijri(int32_t &day, int32_t &month, int32_t &year);
// Today in either calendar, year first.
Ymd TodayIn(Lead calendar);

// "July", "Muharram": a month's name in its calendar.
QString MonthName(Lead calendar, int32_t month);
// "9 Muharram 1446": a date as the program writes it in words.
QString DateInWords(Lead calendar, const Ymd &date);

} // namespace core
