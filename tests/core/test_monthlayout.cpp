// Laying a month into the 42 cells of a page, with the other calendar's
// dates and month keys, and the day-cell table filled from it.
#include "core/monthlayout.h"
#include "testsupport.h"

#include <QTest>

using core::Lead;
using core::MonthLayout;
using core::Ymd;
using Fake = std::function<void(testsupport::FakeEngine &)>;

namespace {

const core::CalendarEngine *realEngine = nullptr;

// Every cell against the engine: the leading day in the cell of its weekday
// (days skipped by a calendar reform aside), the other date converted, the
// key 0 at first and one more on each other month's 1st: the day that ends
// a month keeps its key.
void verifyAgainstEngine(const MonthLayout &page, int skipped = 0)
{
    QVERIFY(page.valid);
    for (int n = 1; n <= core::CellCount; ++n) {
        const core::LaidCell &c = page.cells[std::size_t(n)];
        if (n < page.FirstCell || n > page.LastCell) {
            QCOMPARE(c.leadDay, 0);
            continue;
        }
        if (!skipped)
            QCOMPARE(c.leadDay, n - page.weekday);
        QCOMPARE(c.other, page.lead == Lead::Gregorian ? realEngine->GregToHijri(page.year, page.month, c.leadDay)
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
    void months_data();
    void months();
    void july622StartsTheHijriEraAtCell20();
    void notARealMonth_data();
    void notARealMonth();
    void screenAndPaperTexts();
};

void TestMonthLayout::months_data()
{
    QTest::addColumn<int>("lead");
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("firstCell"); // 0: not known by heart
    QTest::addColumn<int>("lastCell");
    QTest::addColumn<int>("otherMonths");
    const int greg = int(Lead::Gregorian), hijri = int(Lead::Hijri);
    QTest::newRow("July 2024") << greg << 2024 << 7 << 2 << 32 << 2;
    QTest::newRow("February 2015 from Sunday") << greg << 2015 << 2 << 1 << 28 << 2;
    QTest::newRow("February 2024: leap") << greg << 2024 << 2 << 5 << 33 << 2;
    QTest::newRow("February 2006: one Hijri month") << greg << 2006 << 2 << 4 << 31 << 1;
    QTest::newRow("March 2006: three Hijri months") << greg << 2006 << 3 << 4 << 34 << 3;
    QTest::newRow("October 1582: Friday 15th after Thursday 4th") << greg << 1582 << 10 << 2 << 22 << 2;
    QTest::newRow("Rabi II 2: one Gregorian month") << hijri << 2 << 4 << 0 << 0 << 1;
    QTest::newRow("Muharram 1446: two") << hijri << 1446 << 1 << 0 << 0 << 2;
    QTest::newRow("Ramadan 38: three") << hijri << 38 << 9 << 0 << 0 << 3;
}

void TestMonthLayout::months()
{
    QFETCH(int, lead);
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, firstCell);
    QFETCH(int, lastCell);
    QFETCH(int, otherMonths);
    const MonthLayout page = core::LayMonth(*realEngine, Lead(lead), year, month);
    const bool reform = year == 1582;
    verifyAgainstEngine(page, reform ? 10 : 0);
    QCOMPARE(page.FirstCell, page.weekday + 1);
    QCOMPARE(page.first().leadDay, 1);
    QCOMPARE(page.last().monthKey + 1, otherMonths);
    if (firstCell) {
        QCOMPARE(page.FirstCell, firstCell);
        QCOMPARE(page.LastCell, lastCell);
    }
    if (reform) {
        for (int d = 1; d <= 31; ++d)
            QCOMPARE(page.cellOfDay(d), d <= 4 ? d + 1 : d >= 15 ? d - 9 : 0);
        const Ymd before = page.cells[5].other, after = page.cells[6].other; // the Hijri days run on
        QCOMPARE(after, (Ymd{before.year, before.month, before.day + 1}));
    }
}

void TestMonthLayout::july622StartsTheHijriEraAtCell20()
{
    testsupport::FakeEngine refusing(*realEngine), saturday(*realEngine);
    // An engine may refuse the days before the era and say anything of "month 0".
    refusing.gregToHijri = [](int32_t y, int32_t m, int32_t d) {
        return (y == 622 && m == 7 && d < 16) ? Ymd{0, 0, 0} : realEngine->GregToHijri(y, m, d);
    };
    refusing.hijriMonthDays = [](int32_t y, int32_t m) { return m == 0 ? 1 : realEngine->HijriMonthDays(y, m); };
    for (const core::CalendarEngine *engine : {realEngine, static_cast<const core::CalendarEngine *>(&refusing)}) {
        const MonthLayout page = core::LayGregLedMonth(*engine, 622, 7);
        QVERIFY(page.valid);
        QCOMPARE(page.FirstCell, 20);
        QCOMPARE(page.LastCell, 35);
        QCOMPARE(page.first().leadDay, 16);
        QCOMPARE(page.first().other, (Ymd{1, 1, 1}));
        for (int n = 20; n <= 35; ++n)
            QCOMPARE(page.cells[std::size_t(n)].monthKey, int16_t(0));
    }
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

void TestMonthLayout::screenAndPaperTexts()
{
    const MonthLayout page = core::LayGregLedMonth(*realEngine, 2006, 3); // three Hijri months
    core::DayCellTable screen, paper;
    for (int n = 1; n <= core::CellCount; ++n)
        screen[n].GregDayText = QStringLiteral("old");
    core::FillDayCells(screen, page, core::CellTextStyle::Screen);
    core::FillDayCells(paper, page, core::CellTextStyle::Paper);
    const core::Colour keyColours[] = {core::KeyBlue, core::KeyRed, core::KeyOlive};
    for (int n = 1; n <= core::CellCount; ++n) {
        if (n < page.FirstCell || n > page.LastCell) { // only the month's records are written
            QCOMPARE(screen[n].GregDayText, QStringLiteral("old"));
            continue;
        }
        const core::LaidCell &c = page.cells[std::size_t(n)];
        QCOMPARE(screen[n].GregDayText, QString::number(c.leadDay));
        QCOMPARE(paper[n].GregDayText, screen[n].GregDayText);
        QCOMPARE(screen[n].HijriDayText, QString::number(c.other.day));
        QCOMPARE(paper[n].HijriDayText, u' ' + QString::number(c.other.day) + QChar(u'A' + c.monthKey));
        QCOMPARE(screen[n].GregColor, core::Black);
        QCOMPARE(screen[n].HijriColor, keyColours[c.monthKey]);
        QCOMPARE(paper[n].HijriColor, screen[n].HijriColor);
        QCOMPARE(screen[n].GregMonth * 10000 + screen[n].HijriMonth, 3 * 10000 + c.other.month);
        QCOMPARE(screen[n].HijriYear, c.other.year);
    }
    // Hijri-led (Safar 1446, from early August): the Gregorian side gets the key and colour.
    const MonthLayout hijri = core::LayHijriLedMonth(*realEngine, 1446, 2);
    core::DayCellTable table;
    core::FillDayCells(table, hijri, core::CellTextStyle::Paper);
    const core::DayCell &first = table[hijri.FirstCell];
    QCOMPARE(first.HijriDayText, QStringLiteral("1"));
    QCOMPARE(first.HijriColor, core::Black);
    QCOMPARE(first.GregMonth, 8);
    QCOMPARE(first.GregColor, core::KeyBlue);
    QCOMPARE(table[hijri.FirstCell + 7 - hijri.first().other.day].GregDayText, QStringLiteral(" 7A"));
}

QTEST_GUILESS_MAIN(TestMonthLayout)
#include "test_monthlayout.moc"
