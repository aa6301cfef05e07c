// The months and years the boxes, "Go" and the print dialog accept, and the engine's days behind them.
#include "core/dateranges.h"
#include "testsupport.h"

#include <QTest>

using core::Lead;
using core::Ymd;

class TestDateRanges : public QObject {
    Q_OBJECT
private slots:
    // Every edge of both spans and of the two refused months, for "Go" and for the print dialog, which prints
    // October 1582 and Ramadan 990. Months are compared as given: a month 0 or 13 counts before or after the
    // year's months.
    void goAndPrintEdges_data()
    {
        QTest::addColumn<bool>("hijri");
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<bool>("go");
        QTest::addColumn<bool>("print");
        const struct {
            bool hijri;
            int year, month;
            bool go, print;
        } rows[] = {{false, 622, 6, false, false},
                    {false, 622, 7, true, true},
                    {false, 622, 12, true, true},
                    {false, 621, 12, false, false},
                    {false, 622, 13, true, true},
                    {false, 2562, 1, true, true},
                    {false, 2562, 2, false, false},
                    {false, 2562, 0, true, true},
                    {false, 2563, 1, false, false},
                    {false, 2561, 12, true, true},
                    {false, 1582, 9, true, true},
                    {false, 1582, 10, false, true},
                    {false, 1582, 11, true, true},
                    {false, 1583, 10, true, true},
                    {false, 1581, 10, true, true},
                    {false, 700, 13, true, true},
                    {true, 1, 1, true, true},
                    {true, 1, 0, false, false},
                    {true, 0, 12, false, false},
                    {true, 2000, 1, true, true},
                    {true, 2000, 2, false, false},
                    {true, 2001, 1, false, false},
                    {true, 1999, 12, true, true},
                    {true, 990, 8, true, true},
                    {true, 990, 9, false, true},
                    {true, 990, 10, true, true},
                    {true, 989, 9, true, true},
                    {true, 991, 9, true, true},
                    {true, 1582, 10, true, true},
                    {false, 990, 9, true, true},
                    {false, INT32_MIN, 7, false, false},
                    {false, INT32_MAX, 1, false, false},
                    {true, 1, INT32_MAX, true, true},
                    {true, 2000, INT32_MIN, true, true}};
        for (const auto &r : rows)
            QTest::addRow("%s %d-%d", r.hijri ? "H" : "G", r.year, r.month)
                << r.hijri << r.year << r.month << r.go << r.print;
    }

    void goAndPrintEdges()
    {
        QFETCH(bool, hijri);
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(bool, go);
        QFETCH(bool, print);
        const Lead lead = hijri ? Lead::Hijri : Lead::Gregorian;
        QCOMPARE(core::goShowsMonth(lead, {year, month}), go);
        QCOMPARE(core::monthInSpan(lead, {year, month}), print);
    }

    // The year boxes and the year bar: Gregorian 622 to 2562, Hijri 1 to 2000; month boxes 1 to 12.
    void yearsAndMonths()
    {
        QCOMPARE(core::firstYear(Lead::Gregorian), 622);
        QCOMPARE(core::lastYear(Lead::Gregorian), 2562);
        QCOMPARE(core::firstYear(Lead::Hijri), 1);
        QCOMPARE(core::lastYear(Lead::Hijri), 2000);
        for (const Lead lead : {Lead::Gregorian, Lead::Hijri}) {
            const int32_t first = core::firstYear(lead), last = core::lastYear(lead);
            QVERIFY(!core::yearInRange(lead, first - 1) && core::yearInRange(lead, first));
            QVERIFY(core::yearInRange(lead, last) && !core::yearInRange(lead, last + 1));
            QVERIFY(!core::yearInRange(lead, INT32_MIN) && !core::yearInRange(lead, INT32_MAX));
        }
        QVERIFY(!core::isMonthNumber(0) && core::isMonthNumber(1) && core::isMonthNumber(12));
        QVERIFY(!core::isMonthNumber(13) && !core::isMonthNumber(INT32_MIN));
        QVERIFY(core::isGregorianGapMonth(1582, 10));
        QVERIFY(!core::isGregorianGapMonth(1582, 9) && !core::isGregorianGapMonth(1582, 11));
        QVERIFY(!core::isGregorianGapMonth(1583, 10) && !core::isGregorianGapMonth(990, 9));
    }

    // What the ranges stand on, asked of the engine: the Hijri era begins on 16 July 622 and its year 2000 in
    // January 2562; the refused months are the two in which the reform's gap falls.
    void theEngineAgrees()
    {
        const core::CalendarEngine &e = testsupport::installRealEngine();
        QCOMPARE(e.HijriToGreg(1, 1, 1), core::HijriEraStart);
        QVERIFY(!e.CheckGregDate(622, 7, core::HijriEraStart.day - 1));
        QCOMPARE(e.WeekDayOf(622, 7, 1) + core::HijriEraStart.day, core::HijriEraStartCell);
        const Ymd lastStart = e.HijriToGreg(core::HijriSpan.last.year, core::HijriSpan.last.month, 1);
        QCOMPARE((core::YearMonth{lastStart.year, lastStart.month}), core::GregorianSpan.last);

        // 4 October 1582 is followed by 15 October, and both lie in Ramadan 990.
        QCOMPARE(e.WeekDayOf(1582, 10, core::LastJulianDay), 4);
        QCOMPARE(e.WeekDayOf(1582, 10, core::FirstGregorianDay), 5);
        for (int32_t d = core::LastJulianDay + 1; d < core::FirstGregorianDay; ++d)
            QVERIFY(!e.CheckGregDate(1582, 10, d));
        const Ymd before = e.GregToHijri(1582, 10, core::LastJulianDay);
        const Ymd after = e.GregToHijri(1582, 10, core::FirstGregorianDay);
        QCOMPARE(core::GregorianSpan.refusedByGo, (core::YearMonth{1582, 10}));
        QCOMPARE((core::YearMonth{before.year, before.month}), core::HijriSpan.refusedByGo);
        QCOMPARE(after, (Ymd{before.year, before.month, before.day + 1}));
        QCOMPARE(e.HijriToGreg(990, 9, 1), (Ymd{1582, 9, 19}));
        QCOMPARE(e.HijriToGreg(990, 9, 30), (Ymd{1582, 10, 28}));
    }
};

QTEST_GUILESS_MAIN(TestDateRanges)
#include "test_dateranges.moc"
