// Month and weekday names, and today's date in both calendars.
#include "core/names.h"
#include "platform/clock.h"
#include "testsupport.h"

#include <QTest>
#include <climits>

class TestNames : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { testsupport::installRealEngine(); }
    void cleanup() { platform::pinDate({}); }

    void names()
    {
        QCOMPARE(core::GregMonthName(12), QStringLiteral("December"));
        QCOMPARE(core::HijriMonthName(11), QStringLiteral("Thu Al-Qa'dah"));
        QCOMPARE(core::WeekDayName(0), QStringLiteral("Sunday"));
        for (int32_t month : {0, 13, -1, INT32_MIN, INT32_MAX})
            QVERIFY(core::GregMonthName(month).isEmpty() && core::HijriMonthName(month).isEmpty());
        for (int32_t weekday : {7, -1, INT32_MIN, INT32_MAX})
            QVERIFY(core::WeekDayName(weekday).isEmpty());
    }

    // Each call reads the (pinned) clock again; the Hijri day is the engine's
    // conversion of the Gregorian one, across the change of year.
    void todayFollowsTheClock()
    {
        for (QDate date(2023, 12, 25); date < QDate(2024, 7, 20); date = date.addDays(1)) {
            platform::pinDate(date);
            int32_t d, m, y;
            core::TodayGreg(d, m, y);
            QCOMPARE(QDate(y, m, d), date);
            core::TodayHijri(d, m, y);
            QCOMPARE(core::Ymd({y, m, d}), core::engine().GregToHijri(date.year(), date.month(), date.day()));
        }
    }
};

QTEST_GUILESS_MAIN(TestNames)
#include "test_names.moc"
