// Laying a month into the 42 cells of a page, with the other calendar's
// dates and month keys, and the day-cell table filled from it.
#include "core/monthlayout.h"
#include "testsupport.h"

#include <QTest>
#include <vector>

using core::Lead;
using core::MonthLayout;
using core::Ymd;
using Fake = std::function<void(testsupport::FakeEngine &)>;

namespace {

const core::CalendarEngine *realEngine = nullptr;

Ymd toOther(Lead lead, int32_t y, int32_t m, int32_t d)
{
    return lead == Lead::Gregorian ? realEngine->GregToHijri(y, m, d) : realEngine->HijriToGreg(y, m, d);
}

// The other calendar's months that the days of a leading month fall in, in order.
std::vector<std::pair<int32_t, int32_t>> otherMonthsMet(Lead lead, int32_t year, int32_t month)
{
    std::vector<std::pair<int32_t, int32_t>> met;
    const int32_t length = lead == Lead::Gregorian ? realEngine->GregMonthDays(year, month)
                                                   : realEngine->HijriMonthDays(year, month);
    for (int32_t d = 1; d <= length; ++d) {
        const Ymd o = toOther(lead, year, month, d);
        if (met.empty() || met.back() != std::pair(o.year, o.month))
            met.emplace_back(o.year, o.month);
    }
    return met;
}

// Every cell checked against the engine: the leading day in the cell of its
// weekday, the other date converted, the key the index of its other month;
// the key changes only on the day after one that ends its month.
void verifyAgainstEngine(const MonthLayout &page)
{
    QVERIFY(page.valid);
    const auto met = otherMonthsMet(page.lead, page.year, page.month);
    for (int n = 1; n <= core::CellCount; ++n) {
        const core::LaidCell &c = page.cells[std::size_t(n)];
        if (n < page.FirstCell || n > page.LastCell) {
            QCOMPARE(c.leadDay, 0);
            continue;
        }
        QCOMPARE(c.other, toOther(page.lead, page.year, page.month, c.leadDay));
        const auto at = std::find(met.begin(), met.end(), std::pair(c.other.year, c.other.month));
        QCOMPARE(c.monthKey, int16_t(at - met.begin()));
        if (n > page.FirstCell) {
            const core::LaidCell &prev = page.cells[std::size_t(n - 1)];
            QCOMPARE(c.monthKey, int16_t(prev.monthKey + (c.other.day == 1 ? 1 : 0)));
        }
    }
    QCOMPARE(page.last().monthKey, int16_t(met.size() - 1));
}

} // namespace

class TestMonthLayout : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { realEngine = &testsupport::installRealEngine(); }
    void months_data();
    void months();
    void july622StartsTheHijriEraAtCell20();
    void october1582SkipsTheTenDays();
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
    QTest::newRow("August 2020: 31 days from Saturday") << greg << 2020 << 8 << 7 << 37 << 2;
    QTest::newRow("February 2024: leap") << greg << 2024 << 2 << 5 << 33 << 2;
    QTest::newRow("February 2006: one Hijri month") << greg << 2006 << 2 << 4 << 31 << 1;
    QTest::newRow("March 2006: three Hijri months") << greg << 2006 << 3 << 4 << 34 << 3;
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
    verifyAgainstEngine(page);
    QCOMPARE(page.FirstCell, page.weekday + 1);
    QCOMPARE(page.first().leadDay, 1);
    QCOMPARE(page.last().monthKey + 1, otherMonths);
    if (firstCell) {
        QCOMPARE(page.FirstCell, firstCell);
        QCOMPARE(page.LastCell, lastCell);
    }
}

void TestMonthLayout::july622StartsTheHijriEraAtCell20()
{
    const MonthLayout page = core::LayGregLedMonth(*realEngine, 622, 7);
    QVERIFY(page.valid);
    for (int n = 20; n <= 35; ++n)
        QCOMPARE(page.cells[std::size_t(n)].other, realEngine->GregToHijri(622, 7, n - 4));
    QCOMPARE(page.FirstCell, 20);
    QCOMPARE(page.LastCell, 35);
    QCOMPARE(page.first().leadDay, 16);
    QCOMPARE(page.first().other, (Ymd{1, 1, 1}));
    QCOMPARE(page.last().monthKey, int16_t(0));

    // An engine that refuses the days before the era, or puts 1 July on another weekday.
    testsupport::FakeEngine fake(*realEngine);
    fake.gregToHijri = [](int32_t y, int32_t m, int32_t d) {
        return (y == 622 && m == 7 && d < 16) ? Ymd{0, 0, 0} : realEngine->GregToHijri(y, m, d);
    };
    fake.hijriMonthDays = [](int32_t y, int32_t m) { return m == 0 ? 1 : realEngine->HijriMonthDays(y, m); };
    const MonthLayout refused = core::LayGregLedMonth(fake, 622, 7);
    QVERIFY(refused.valid);
    QCOMPARE(refused.first().other, (Ymd{1, 1, 1}));
    QCOMPARE(refused.last().monthKey, int16_t(0));
    testsupport::FakeEngine saturday(*realEngine);
    saturday.weekDayOf = [](int32_t y, int32_t m, int32_t d) {
        return (y == 622 && m == 7 && d == 1) ? 6 : realEngine->WeekDayOf(y, m, d);
    };
    const MonthLayout moved = core::LayGregLedMonth(saturday, 622, 7);
    QCOMPARE(moved.FirstCell, 20);
    QCOMPARE(moved.LastCell, 37);
    QCOMPARE(moved.first().leadDay, 14);
}

void TestMonthLayout::october1582SkipsTheTenDays()
{
    const MonthLayout page = core::LayGregLedMonth(*realEngine, 1582, 10);
    QVERIFY(page.valid);
    const int w = page.weekday;
    QCOMPARE(w, 1); // Monday 1 October 1582
    QCOMPARE(page.LastCell, 21 + w);
    for (int d = 1; d <= 31; ++d)
        QCOMPARE(page.cellOfDay(d), d <= 4 ? d + w : d >= 15 ? d - 10 + w : 0);
    QCOMPARE((page.cellOfDay(15) - 1) % 7, 5); // Friday 15 October
    // The other calendar runs on without a gap.
    const Ymd before = page.cells[std::size_t(page.cellOfDay(4))].other;
    const Ymd after = page.cells[std::size_t(page.cellOfDay(15))].other;
    QCOMPARE(after, (Ymd{before.year, before.month, before.day + 1}));
    for (int n = page.FirstCell; n <= page.LastCell; ++n)
        QCOMPARE(page.cells[std::size_t(n)].other,
                 realEngine->GregToHijri(1582, 10, page.cells[std::size_t(n)].leadDay));
}

void TestMonthLayout::notARealMonth_data()
{
    QTest::addColumn<int>("lead");
    QTest::addColumn<int>("month");
    QTest::addColumn<Fake>("fake");
    const int greg = int(Lead::Gregorian), hijri = int(Lead::Hijri);
    const Fake none = [](testsupport::FakeEngine &) {};
    QTest::newRow("month 13") << greg << 13 << none;
    QTest::newRow("month 0") << hijri << 0 << none;
    QTest::newRow("month INT32_MIN") << greg << int(INT32_MIN) << none;
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
    const int year = 2006, month = 3; // three Hijri months
    const MonthLayout page = core::LayGregLedMonth(*realEngine, year, month);
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
        QCOMPARE(screen[n].GregDayText, QString::number(n - page.weekday));
        QCOMPARE(paper[n].GregDayText, screen[n].GregDayText);
        QCOMPARE(screen[n].HijriDayText, QString::number(c.other.day));
        QCOMPARE(paper[n].HijriDayText, u' ' + QString::number(c.other.day) + QChar(u'A' + c.monthKey));
        QCOMPARE(screen[n].GregColor, core::Black);
        QCOMPARE(screen[n].HijriColor, keyColours[c.monthKey]);
        QCOMPARE(paper[n].HijriColor, screen[n].HijriColor);
        QCOMPARE(screen[n].GregMonth, month);
        QCOMPARE(screen[n].HijriMonth, c.other.month);
        QCOMPARE(screen[n].HijriYear, c.other.year);
    }
    // Hijri-led (Safar 1446, from 5 or 6 August): the Gregorian side gets the key and the colour.
    const MonthLayout hijri = core::LayHijriLedMonth(*realEngine, 1446, 2);
    core::DayCellTable table;
    core::FillDayCells(table, hijri, core::CellTextStyle::Paper);
    const core::DayCell &first = table[hijri.FirstCell];
    QCOMPARE(first.HijriDayText, QStringLiteral("1"));
    QCOMPARE(first.HijriColor, core::Black);
    QCOMPARE(first.GregMonth, 8);
    QCOMPARE(first.GregColor, core::KeyBlue);
    const int seventh = hijri.FirstCell + 7 - hijri.first().other.day;
    QCOMPARE(table[seventh].GregDayText, QStringLiteral(" 7A"));
}

QTEST_GUILESS_MAIN(TestMonthLayout)
#include "test_monthlayout.moc"
