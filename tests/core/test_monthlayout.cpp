// Laying a month into the 42 cells of a page, with the other calendar's
// dates and month keys.
#include "core/monthlayout.h"
#include "testsupport.h"

#include <QTest>

using core::Lead;
using core::MonthLayout;
using core::Ymd;
using Fake = std::function<void(testsupport::FakeEngine &)>;

namespace {

const core::CalendarEngine *realEngine = nullptr;

// Every cell against the engine: day 1 in the cell after its weekday (5 to 14
// October 1582 skipped, July 622 from cell 20), the month's last day last, the
// other date converted, the key 0 at first and one more on each other month's 1st.
void verifyAgainstEngine(const MonthLayout &page)
{
    QVERIFY(page.valid);
    const bool greg = page.lead == Lead::Gregorian;
    const bool gap = greg && page.year == 1582 && page.month == 10;
    const Ymd first = greg ? Ymd{page.year, page.month, 1} : realEngine->HijriToGreg(page.year, page.month, 1);
    QCOMPARE(page.weekday, realEngine->WeekDayOf(first.year, first.month, first.day));
    QCOMPARE(page.FirstCell, greg && page.year == 622 && page.month == 7 ? 20 : page.weekday + 1);
    QCOMPARE(page.last().leadDay, greg ? realEngine->GregMonthDays(page.year, page.month)
                                       : realEngine->HijriMonthDays(page.year, page.month));
    QCOMPARE(page.cellOfDay(0) + page.cellOfDay(page.last().leadDay + 1), 0);
    for (int n = 1; n <= core::CellCount; ++n) {
        const core::LaidCell &c = page.cells[std::size_t(n)];
        if (n < page.FirstCell || n > page.LastCell) {
            QCOMPARE(c.leadDay, 0);
            continue;
        }
        const int day = n - page.weekday;
        QCOMPARE(c.leadDay, gap && day > 4 ? day + 10 : day);
        QCOMPARE(page.cellOfDay(c.leadDay), n);
        QCOMPARE(c.other, greg ? realEngine->GregToHijri(page.year, page.month, c.leadDay)
                               : realEngine->HijriToGreg(page.year, page.month, c.leadDay));
        const int16_t previous = n == page.FirstCell ? -1 : page.cells[std::size_t(n - 1)].monthKey;
        QCOMPARE(c.monthKey, int16_t(n == page.FirstCell ? 0 : previous + (c.other.day == 1)));
    }
}

} // namespace

class TestMonthLayout : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { realEngine = &testsupport::installRealEngine(); }
    void everyMonthTheBoxesAccept();
    void july622StartsTheHijriEraAtCell20();
    void notARealMonth_data();
    void notARealMonth();
};

// Gregorian years 622 to 2562 and Hijri years 1 to 2000, then months known by heart.
void TestMonthLayout::everyMonthTheBoxesAccept()
{
    for (const Lead lead : {Lead::Gregorian, Lead::Hijri}) {
        const bool greg = lead == Lead::Gregorian;
        for (int32_t year = greg ? 622 : 1; year <= (greg ? 2562 : 2000); ++year) {
            for (int32_t month = 1; month <= 12; ++month) {
                verifyAgainstEngine(core::LayMonth(*realEngine, lead, year, month));
                QVERIFY2(!QTest::currentTestFailed(), qPrintable(QStringLiteral("%1-%2").arg(year).arg(month)));
            }
        }
    }
    const struct {
        Lead lead;
        int32_t year, month;
        int firstCell, lastCell, otherMonths; // cells 0: not known by heart
    } known[] = {
        {Lead::Gregorian, 2006, 2, 4, 31, 1}, // one Hijri month
        {Lead::Gregorian, 2006, 3, 4, 34, 3}, // three
        {Lead::Gregorian, 1582, 10, 2, 22, 2}, // Friday 15th after Thursday 4th
        {Lead::Hijri, 38, 9, 0, 0, 3},        // three Gregorian months
    };
    for (const auto &k : known) {
        const MonthLayout page = core::LayMonth(*realEngine, k.lead, k.year, k.month);
        const QString at = QStringLiteral("%1-%2").arg(k.year).arg(k.month);
        QVERIFY2(page.last().monthKey + 1 == k.otherMonths, qPrintable(at));
        QVERIFY2(!k.firstCell || (page.FirstCell == k.firstCell && page.LastCell == k.lastCell), qPrintable(at));
    }
    const MonthLayout reform = core::LayGregLedMonth(*realEngine, 1582, 10);
    for (int d = 5; d <= 14; ++d)
        QCOMPARE(reform.cellOfDay(d), 0);
}

void TestMonthLayout::july622StartsTheHijriEraAtCell20()
{
    testsupport::FakeEngine refusing(*realEngine), saturday(*realEngine);
    // An engine may refuse the days before the era and say anything of "month 0".
    refusing.gregToHijri = [](int32_t y, int32_t m, int32_t d) {
        return (y == 622 && m == 7 && d < 16) ? Ymd{0, 0, 0} : realEngine->GregToHijri(y, m, d);
    };
    refusing.hijriMonthDays = [](int32_t y, int32_t m) { return m == 0 ? 1 : realEngine->HijriMonthDays(y, m); };
    const MonthLayout page = core::LayGregLedMonth(refusing, 622, 7);
    QVERIFY(page.valid);
    QCOMPARE(page.FirstCell, 20);
    QCOMPARE(page.LastCell, 35);
    QCOMPARE(page.first().leadDay, 16);
    QCOMPARE(page.first().other, (Ymd{1, 1, 1}));
    QCOMPARE(page.last().monthKey, int16_t(0));
    // Whatever weekday 1 July falls on, the 1st of the era is in cell 20.
    saturday.weekDayOf = [](int32_t y, int32_t m, int32_t d) {
        return (y == 622 && m == 7 && d == 1) ? 6 : realEngine->WeekDayOf(y, m, d);
    };
    const MonthLayout moved = core::LayGregLedMonth(saturday, 622, 7);
    QCOMPARE(moved.FirstCell, 20);
    QCOMPARE(moved.LastCell, 37);
    QCOMPARE(moved.first().leadDay, 14);
}

void TestMonthLayout::notARealMonth_data()
{
    QTest::addColumn<int>("lead");
    QTest::addColumn<int>("month");
    QTest::addColumn<Fake>("fake");
    const int greg = int(Lead::Gregorian), hijri = int(Lead::Hijri);
    QTest::newRow("month 13") << greg << 13 << Fake();
    QTest::newRow("month INT32_MIN") << greg << int(INT32_MIN) << Fake();
    QTest::newRow("weekday 9") << greg << 7 << Fake([](auto &f) { f.weekDayOf = [](int32_t, int32_t, int32_t) { return 9; }; });
    QTest::newRow("length 0") << greg << 7 << Fake([](auto &f) { f.gregMonthDays = [](int32_t, int32_t) { return 0; }; });
    QTest::newRow("length 40") << hijri << 7 << Fake([](auto &f) { f.hijriMonthDays = [](int32_t, int32_t) { return 40; }; });
    QTest::newRow("converted month 0") << greg << 7 << Fake([](auto &f) {
        f.gregToHijri = [](int32_t, int32_t, int32_t d) { return Ymd{1446, 0, d}; };
    });
    QTest::newRow("converted day 0") << greg << 7 << Fake([](auto &f) {
        f.gregToHijri = [](int32_t, int32_t, int32_t d) { return Ymd{1446, 1, d == 20 ? 0 : d}; };
    });
    QTest::newRow("four other months") << greg << 7 << Fake([](auto &f) {
        f.hijriMonthDays = [](int32_t, int32_t) { return 1; };
        f.gregToHijri = [](int32_t, int32_t m, int32_t) { return Ymd{1446, m, 1}; };
    });
}

void TestMonthLayout::notARealMonth()
{
    QFETCH(int, lead);
    QFETCH(int, month);
    QFETCH(Fake, fake);
    testsupport::FakeEngine engine(*realEngine);
    if (fake)
        fake(engine);
    const MonthLayout page = core::LayMonth(engine, Lead(lead), 2024, month);
    QVERIFY(!page.valid);
    QCOMPARE(page.cellOfDay(1), 0);
    core::DayCellTable table;
    table[1].GregDayText = QStringLiteral("kept");
    core::FillDayCells(table, page, core::CellTextStyle::Screen);
    QCOMPARE(table[1].GregDayText, QStringLiteral("kept"));
    for (int n = 2; n <= core::CellCount; ++n)
        QVERIFY(table[n].GregDayText.isEmpty() && table[n].HijriDayText.isEmpty());
}

QTEST_GUILESS_MAIN(TestMonthLayout)
#include "test_monthlayout.moc"
