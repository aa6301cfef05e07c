// The engine's C entry points against Qt's calendars, whose Hijri epoch is the engine's: Friday 16 July 622 Julian.
#include "engine/zendat32.h"

#include <QCalendar>
#include <QTest>

namespace {
using Date = QCalendar::YearMonthDay; // as the engine takes them: int32_t year, month, day
bool operator==(Date a, Date b) { return a.year == b.year && a.month == b.month && a.day == b.day; }
const QCalendar julian(QCalendar::System::Julian), islamic(QCalendar::System::IslamicCivil);
bool accepts(zendat32_check_fn check, const Date &x) { return check(&x.year, &x.month, &x.day) == 1; }
int32_t days(zendat32_month_days_fn fn, int32_t year, int32_t month) { return fn(&year, &month); }
QString str(const Date &x) { return QStringLiteral("%1-%2-%3").arg(x.year).arg(x.month).arg(x.day); }
} // namespace

class TestEngine : public QObject {
    Q_OBJECT
private slots:
    // Every day from 1 Muharram 1 to 2600 (Julian before 15 October 1582), then every 11th day and the last 400 up
    // to 31 December 9999: both ways, both checks, the weekday, both months' lengths and the day after them refused.
    void againstQCalendar()
    {
        QStringList bad;
        for (QDate day(622, 7, 16, julian), last(9999, 12, 31); day <= last && bad.size() < 8;
             day = day.addDays(day <= QDate(2600, 12, 31) || day >= last.addDays(-400) ? 1 : 11)) {
            const QCalendar side = day < QDate(1582, 10, 15) ? julian : QCalendar();
            const Date g = side.partsFromDate(day), h = islamic.partsFromDate(day);
            Date toH, toG;
            int32_t weekday = -1;
            GregToHijri(&g.year, &g.month, &g.day, &toH.year, &toH.month, &toH.day);
            HijriToGreg(&h.year, &h.month, &h.day, &toG.year, &toG.month, &toG.day);
            WeekDayOf(&g.year, &g.month, &g.day, &weekday);
            const int32_t gDays = days(GregMonthDays, g.year, g.month), hDays = days(HijriMonthDays, h.year, h.month);
            if (toH != h || toG != g || !accepts(CheckGregDate, g) || !accepts(CheckHijriDate, h)
                || weekday != day.dayOfWeek() % 7 || gDays != side.daysInMonth(g.month, g.year)
                || hDays != islamic.daysInMonth(h.month, h.year) || accepts(CheckGregDate, {g.year, g.month, gDays + 1})
                || accepts(CheckHijriDate, {h.year, h.month, hDays + 1}))
                bad << str(g) + " = AH " + str(h) + " (the engine: AH " + str(toH) + ", " + str(toG) + ")";
        }
        QVERIFY2(bad.isEmpty(), qPrintable(bad.join("; ")));
    }

    // Days before the era, after 9999 and lost in October 1582, months 0 and 13, day 0; month 13 as next January.
    void refusedDatesAndMonth13()
    {
        QVERIFY(!accepts(CheckGregDate, {622, 7, 15}) && !accepts(CheckGregDate, {10000, 1, 1}));
        QVERIFY(!accepts(CheckHijriDate, {0, 12, 29})
                && !accepts(CheckHijriDate, islamic.partsFromDate(QDate(10000, 1, 1))));
        for (int32_t day = 5; day <= 14; ++day)
            QVERIFY2(!accepts(CheckGregDate, {1582, 10, day}), qPrintable(QString::number(day)));
        for (const Date &x : {Date{1446, 0, 1}, Date{1446, 13, 1}, Date{1446, 1, 0}, Date{-1, 1, 1}})
            QVERIFY2(!accepts(CheckGregDate, x) && !accepts(CheckHijriDate, x), qPrintable(str(x)));
        QVERIFY(days(HijriMonthDays, 1446, 13) == 30 && days(GregMonthDays, 2024, 13) == 31); // not Dhu al-Hijjah's 29
    }
};

QTEST_GUILESS_MAIN(TestEngine)
#include "test_engine.moc"
