// Laying a month into the 42 cells of a page, with the other calendar's dates and month keys.
#include "core/monthlayout.h"
#include "testsupport.h"

#include <QSet>
#include <QTest>

using core::Lead;
using core::MonthLayout;
using core::Ymd;

namespace {

// The day after a date, from the month lengths alone; 4 October 1582 is followed by 15 October.
Ymd nextGregorianDay(const core::CalendarEngine &e, Ymd d)
{
    if (d == Ymd{1582, 10, 4})
        return {1582, 10, 15};
    if (d.day < e.GregMonthDays(d.year, d.month))
        return {d.year, d.month, d.day + 1};
    return d.month < 12 ? Ymd{d.year, d.month + 1, 1} : Ymd{d.year + 1, 1, 1};
}

Ymd nextHijriDay(const core::CalendarEngine &e, Ymd d)
{
    if (d.day < e.HijriMonthDays(d.year, d.month))
        return {d.year, d.month, d.day + 1};
    return d.month < 12 ? Ymd{d.year, d.month + 1, 1} : Ymd{d.year + 1, 1, 1};
}

} // namespace

// QVERIFY2 whose message is built only when the check fails.
#define VERIFY_AT(condition, message)                                                                                  \
    do {                                                                                                               \
        if (!(condition))                                                                                              \
            QFAIL(qPrintable(QStringLiteral(#condition " at ") + (message)));                                          \
    } while (false)

class TestMonthLayout : public QObject {
    Q_OBJECT
    static inline const core::CalendarEngine *realEngine = nullptr;

private slots:
    void initTestCase() { realEngine = &testsupport::installRealEngine(); }

    // Every month of Gregorian years 622 to 2562 and Hijri years 1 to 2000, checked against the engine's own
    // answers: each cell's weekday is its column; neighbouring cells are the next day in both calendars (the
    // Gregorian days jump from 4 to 15 October 1582); every real day of the month is on the page once; the
    // other calendar's key and colour change exactly where its month changes.
    void everyMonthTheBoxesAccept_data()
    {
        QTest::addColumn<Lead>("lead");
        QTest::newRow("Gregorian") << Lead::Gregorian;
        QTest::newRow("Hijri") << Lead::Hijri;
    }

    void everyMonthTheBoxesAccept()
    {
        const core::CalendarEngine &e = *realEngine;
        QFETCH(const Lead, lead);
        const bool greg = lead == Lead::Gregorian;
        for (int32_t year = core::firstYear(lead); year <= core::lastYear(lead); ++year) {
            for (int32_t month = 1; month <= 12 && !QTest::currentTestFailed(); ++month) {
                // The month's name is made only for a failure's message: these loops run 47,000 times.
                const auto where
                    = [&] { return QStringLiteral("%1 %2-%3").arg(greg ? "G" : "H").arg(year).arg(month); };
                const MonthLayout page = core::LayMonth(e, lead, year, month);
                VERIFY_AT(page.valid, where());
                core::DayCellTable table;
                core::FillDayCells(table, page, core::CellTextStyle::Screen);

                QSet<int32_t> days;
                for (int n = page.FirstCell; n <= page.LastCell; ++n) {
                    const core::LaidCell &c = page.cells[std::size_t(n)];
                    const Ymd lead{year, month, c.leadDay};
                    const Ymd g = greg ? lead : c.other;
                    const Ymd h = greg ? c.other : lead;
                    VERIFY_AT(!days.contains(c.leadDay), where());
                    days.insert(c.leadDay);
                    QCOMPARE(page.cellOfDay(c.leadDay), n);
                    QCOMPARE(e.WeekDayOf(g.year, g.month, g.day), (n - 1) % 7);
                    QCOMPARE(greg ? e.GregToHijri(g.year, g.month, g.day) : e.HijriToGreg(h.year, h.month, h.day),
                             c.other);
                    const core::Colour otherColour = greg ? table[n].HijriColor : table[n].GregColor;
                    if (n == page.FirstCell) {
                        QCOMPARE(c.monthKey, int16_t(0));
                        continue;
                    }
                    const core::LaidCell &p = page.cells[std::size_t(n - 1)];
                    const Ymd pg = greg ? Ymd{year, month, p.leadDay} : p.other;
                    const Ymd ph = greg ? p.other : Ymd{year, month, p.leadDay};
                    VERIFY_AT(nextGregorianDay(e, pg) == g, where() + QStringLiteral(" cell %1").arg(n));
                    VERIFY_AT(nextHijriDay(e, ph) == h, where() + QStringLiteral(" cell %1").arg(n));
                    const bool otherMonthChanged = p.other.month != c.other.month;
                    const core::Colour previousColour = greg ? table[n - 1].HijriColor : table[n - 1].GregColor;
                    QCOMPARE(c.monthKey, int16_t(p.monthKey + otherMonthChanged));
                    QCOMPARE(otherColour != previousColour, otherMonthChanged);
                }
                // The engine knows no day before 1 Muharram 1 (16 July 622); the months before July 622
                // are laid out whole all the same.
                const bool beforeTheEra = greg && (year < 622 || (year == 622 && month < 7));
                const int32_t length = greg ? e.GregMonthDays(year, month) : e.HijriMonthDays(year, month);
                for (int32_t d = 1; d <= 31; ++d) {
                    const bool real = beforeTheEra ? d <= length
                        : greg                     ? e.CheckGregDate(year, month, d)
                                                   : e.CheckHijriDate(year, month, d);
                    VERIFY_AT(days.contains(d) == real, where() + QStringLiteral(" day %1").arg(d));
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
        const MonthLayout page = core::LayMonth(refusing, core::Lead::Gregorian, 622, 7);
        QCOMPARE(page.FirstCell, 20);
        QCOMPARE(page.first().other, (Ymd{1, 1, 1}));
        QCOMPARE(page.last().monthKey, int16_t(0));

        testsupport::FakeEngine saturday(*realEngine);
        saturday.weekDayOf = [](int32_t y, int32_t m, int32_t d) {
            return (y == 622 && m == 7 && d == 1) ? 6 : realEngine->WeekDayOf(y, m, d);
        };
        const MonthLayout moved = core::LayMonth(saturday, core::Lead::Gregorian, 622, 7);
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
                                     core::LayMonth(day0, core::Lead::Gregorian, 2024, 7),
                                     core::LayMonth(fourMonths, core::Lead::Gregorian, 2024, 7)};
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
