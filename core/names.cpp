#include "names.h"

#include "calendarengine.h"
#include "platform/clock/clock.h"

#include <array>

namespace core {
namespace {

template <std::size_t N> QString nameAt(const std::array<const char *, N> &names, int64_t index)
{
    if (index < 0 || index >= int64_t(N))
        return {};
    return QString::fromLatin1(names[std::size_t(index)]);
}

constexpr std::array<const char *, 12> gregMonths{"January",   "February", "March",    "April",
                                                  "May",       "June",     "July",     "August",
                                                  "September", "October",  "November", "December"};

constexpr std::array<const char *, 12> hijriMonths{"Muharram", "Safar",     "Rabi I",        "Rabi II",
                                                   "Jumada I", "Jumada II", "Rajab",         "Sha'ban",
                                                   "Ramadan",  "Shawwal",   "Thu Al-Qa'dah", "Thu Al-Hijjah"};

constexpr std::array<const char *, 7> weekdays{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                               "Thursday", "Friday", "Saturday"};

} // namespace

QString GregMonthName(int32_t month) { return nameAt(gregMonths, int64_t(month) - 1); }
QString HijriMonthName(int32_t month) { return nameAt(hijriMonths, int64_t(month) - 1); }
QString WeekDayName(int32_t weekday) { return nameAt(weekdays, weekday); }

void TodayGreg(int32_t &day, int32_t &month, int32_t &year)
{
    const QDate today = platform::currentDate();
    day = today.day();
    month = today.month();
    year = today.year();
}

void TodayHijri(int32_t &day, int32_t &month, int32_t &year)
{
    int32_t gDay, gMonth, gYear;
    TodayGreg(gDay, gMonth, gYear);
    const Ymd hijri = engine().GregToHijri(gYear, gMonth, gDay);
    day = hijri.day;
    month = hijri.month;
    year = hijri.year;
}

Ymd TodayIn(Lead calendar)
{
    Ymd today;
    if (calendar == Lead::Gregorian)
        TodayGreg(today.day, today.month, today.year);
    else
        TodayHijri(today.day, today.month, today.year);
    return today;
}

QString MonthName(Lead calendar, int32_t month)
{
    return calendar == Lead::Gregorian ? GregMonthName(month) : HijriMonthName(month);
}

QString DateInWords(Lead calendar, const Ymd &date)
{
    return QString::number(date.day) + u' ' + MonthName(calendar, date.month) + u' ' + QString::number(date.year);
}

} // namespace core
