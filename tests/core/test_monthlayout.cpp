// Laying a month into the 42 cells of a page, with the other calendar's dates and month keys.
#include "core/monthlayout.h"
#include "testsupport.h"

#include <QTest>

using core::Lead;
using core::MonthLayout;
using core::Ymd;

class TestMonthLayout : public QObject {
    Q_OBJECT
    static inline const core::CalendarEngine *realEngine = nullptr;

private slots:
    void initTestCase() { realEngine = &testsupport::installRealEngine(); }

    // Every month of Gregorian years 622 to 2562 and Hijri years 1 to 2000 against the engine: day 1 in the
    // cell after its weekday (5 to 14 October 1582 skipped, July 622 from cell 20), the month's last day last,
    // the other date converted, the key 0 at first and one more on each other month's 1st.
    void everyMonthTheBoxesAccept()
    {
        const core::CalendarEngine &e = *realEngine;
        for (const Lead lead : {Lead::Gregorian, Lead::Hijri}) {
            const bool greg = lead == Lead::Gregorian;
            for (int32_t year = greg ? 622 : 1; year <= (greg ? 2562 : 2000); ++year) {
                for (int32_t month = 1; month <= 12 && !QTest::currentTestFailed(); ++month) {
                    const MonthLayout page = core::LayMonth(e, lead, year, month);
                    const Ymd first = greg ? Ymd{year, month, 1} : e.HijriToGreg(year, month, 1);
                    const int w = e.WeekDayOf(first.year, first.month, first.day);
                    const int gap = greg && year == 1582 && month == 10 ? 10 : 0;
                    QVERIFY2(page.valid, qPrintable(QStringLiteral("%1-%2").arg(year).arg(month)));
                    QCOMPARE(page.FirstCell, greg && year == 622 && month == 7 ? 20 : w + 1);
                    QCOMPARE(page.last().leadDay, greg ? e.GregMonthDays(year, month) : e.HijriMonthDays(year, month));
                    for (int n = page.FirstCell; n <= page.LastCell; ++n) {
                        const core::LaidCell &c = page.cells[std::size_t(n)];
                        const int day = n - w;
                        QCOMPARE(c.leadDay, day > 4 ? day + gap : day);
                        QCOMPARE(page.cellOfDay(c.leadDay), n);
                        QCOMPARE(c.other, greg ? e.GregToHijri(year, month, c.leadDay)
                                               : e.HijriToGreg(year, month, c.leadDay));
                        const int previous = n == page.FirstCell ? -1 : page.cells[std::size_t(n - 1)].monthKey;
                        QCOMPARE(int(c.monthKey), n == page.FirstCell ? 0 : previous + (c.other.day == 1));
                    }
                }
            }
        }
    }

    // Cell 20 whatever the engine says of the days before the era, of "month 0" or of the weekday of 1 July.
    void july622StartsTheHijriEraAtCell20()
    {
        testsupport::FakeEngine refusing(*realEngine);
        refusing.gregToHijri = [](int32_t y, int32_t m, int32_t d) {
            return (y == 622 && m == 7 && d < 16) ? Ymd{0, 0, 0} : realEngine->GregToHijri(y, m, d);
        };
        refusing.hijriMonthDays = [](int32_t y, int32_t m) { return m == 0 ? 1 : realEngine->HijriMonthDays(y, m); };
        const MonthLayout page = core::LayGregLedMonth(refusing, 622, 7);
        QCOMPARE(page.FirstCell, 20);
        QCOMPARE(page.first().other, (Ymd{1, 1, 1}));
        QCOMPARE(page.last().monthKey, int16_t(0));

        testsupport::FakeEngine saturday(*realEngine);
        saturday.weekDayOf = [](int32_t y, int32_t m, int32_t d) {
            return (y == 622 && m == 7 && d == 1) ? 6 : realEngine->WeekDayOf(y, m, d);
        };
        const MonthLayout moved = core::LayGregLedMonth(saturday, 622, 7);
        QCOMPARE(moved.FirstCell, 20);
        QCOMPARE(moved.first().leadDay, 14);
    }

    // Month 13, or answers that make no real month (weekdays and lengths: see the nonsense engine on paper).
    void notARealMonth()
    {
        testsupport::FakeEngine day0(*realEngine);
        testsupport::FakeEngine fourMonths(*realEngine);
        day0.gregToHijri = [](int32_t, int32_t, int32_t d) { return Ymd{1446, 1, d == 20 ? 0 : d}; };
        fourMonths.hijriMonthDays = [](int32_t, int32_t) { return 1; };
        fourMonths.gregToHijri = [](int32_t, int32_t m, int32_t) { return Ymd{1446, m, 1}; };
        const MonthLayout pages[] = {core::LayMonth(*realEngine, Lead::Hijri, 1446, 13),
                                     core::LayMonth(*realEngine, Lead::Gregorian, 2024, INT32_MIN),
                                     core::LayGregLedMonth(day0, 2024, 7), core::LayGregLedMonth(fourMonths, 2024, 7)};
        for (const MonthLayout &page : pages)
            QVERIFY2(!page.valid && page.cellOfDay(1) == 0, qPrintable(QString::number(page.month)));

        core::DayCellTable table;
        table[1].GregDayText = QStringLiteral("kept");
        core::FillDayCells(table, pages[3], core::CellTextStyle::Screen);
        QCOMPARE(table[1].GregDayText, QStringLiteral("kept"));
        for (int n = 2; n <= core::CellCount; ++n)
            QVERIFY(table[n].GregDayText.isEmpty() && table[n].HijriDayText.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestMonthLayout)
#include "test_monthlayout.moc"
