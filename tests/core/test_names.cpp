// Month and weekday names, and today's date in both calendars.
#include "core/names.h"
#include "platform/clock.h"
#include "testsupport.h"

#include <QTest>
#include <limits>

class TestNames : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { testsupport::installRealEngine(); }
    void cleanup() { platform::pinDate({}); }
    void monthNames();
    void namesOutsideTheirRange();
    void todayFollowsTheClock();
    void todayHijriIsTheEnginesConversion();
};

void TestNames::monthNames()
{
    QCOMPARE(core::GregMonthName(1), QStringLiteral("January"));
    QCOMPARE(core::GregMonthName(12), QStringLiteral("December"));
    QCOMPARE(core::HijriMonthName(1), QStringLiteral("Muharram"));
    QCOMPARE(core::HijriMonthName(3), QStringLiteral("Rabi I"));
    QCOMPARE(core::HijriMonthName(8), QStringLiteral("Sha'ban"));
    QCOMPARE(core::HijriMonthName(11), QStringLiteral("Thu Al-Qa'dah"));
    QCOMPARE(core::HijriMonthName(12), QStringLiteral("Thu Al-Hijjah"));
    QCOMPARE(core::WeekDayName(0), QStringLiteral("Sunday"));
    QCOMPARE(core::WeekDayName(6), QStringLiteral("Saturday"));
}

void TestNames::namesOutsideTheirRange()
{
    constexpr int32_t min = std::numeric_limits<int32_t>::min();
    constexpr int32_t max = std::numeric_limits<int32_t>::max();
    for (int32_t month : {0, 13, -1, min, max}) {
        QVERIFY(core::GregMonthName(month).isEmpty());
        QVERIFY(core::HijriMonthName(month).isEmpty());
    }
    for (int32_t weekday : {7, -1, min, max})
        QVERIFY(core::WeekDayName(weekday).isEmpty());
}

void TestNames::todayFollowsTheClock()
{
    platform::pinDate(QDate(2024, 7, 16));
    int32_t d, m, y;
    core::TodayGreg(d, m, y);
    QCOMPARE(d, 16);
    QCOMPARE(m, 7);
    QCOMPARE(y, 2024);
    core::TodayHijri(d, m, y);
    QCOMPARE(d, 9); // the arithmetic calendar's 1 Muharram 1446 is 8 July 2024
    QCOMPARE(m, 1);
    QCOMPARE(y, 1446);

    platform::pinDate(QDate(2024, 7, 17)); // past midnight: each call reads the clock again
    core::TodayGreg(d, m, y);
    QCOMPARE(d, 17);
}

void TestNames::todayHijriIsTheEnginesConversion()
{
    for (QDate date(2023, 12, 25); date < QDate(2024, 2, 5); date = date.addDays(1)) {
        platform::pinDate(date);
        int32_t d, m, y;
        core::TodayHijri(d, m, y);
        const core::Ymd expected = core::engine().GregToHijri(date.year(), date.month(), date.day());
        QCOMPARE(core::Ymd({y, m, d}), expected);
    }
}

QTEST_GUILESS_MAIN(TestNames)
#include "test_names.moc"
