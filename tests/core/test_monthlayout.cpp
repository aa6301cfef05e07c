// Laying a month into the 42 cells of a page, with the other calendar's
// dates and month keys, and the day-cell table filled from it.
#include "core/monthlayout.h"
#include "testsupport.h"

#include <QTest>
#include <vector>

using core::Lead;
using core::MonthLayout;
using core::Ymd;

namespace {

const core::CalendarEngine *realEngine = nullptr;

Ymd toOther(Lead lead, int32_t year, int32_t month, int32_t day)
{
    return lead == Lead::Gregorian ? realEngine->GregToHijri(year, month, day)
                                   : realEngine->HijriToGreg(year, month, day);
}

int32_t leadLength(Lead lead, int32_t year, int32_t month)
{
    return lead == Lead::Gregorian ? realEngine->GregMonthDays(year, month)
                                   : realEngine->HijriMonthDays(year, month);
}

// The other calendar's months that the days of a leading month fall in, in
// order, straight from the engine's conversions.
std::vector<std::pair<int32_t, int32_t>> otherMonthsMet(Lead lead, int32_t year, int32_t month)
{
    std::vector<std::pair<int32_t, int32_t>> met;
    for (int32_t d = 1; d <= leadLength(lead, year, month); ++d) {
        const Ymd o = toOther(lead, year, month, d);
        if (met.empty() || met.back() != std::pair(o.year, o.month))
            met.emplace_back(o.year, o.month);
    }
    return met;
}

// The first month from the given one on that meets `count` months of the other calendar.
std::pair<int32_t, int32_t> firstMonthMeeting(Lead lead, int32_t fromYear, std::size_t count)
{
    for (int32_t y = fromYear; y < fromYear + 400; ++y)
        for (int32_t m = 1; m <= 12; ++m)
            if (otherMonthsMet(lead, y, m).size() == count)
                return {y, m};
    return {0, 0};
}

// Every cell of a valid layout checked against the engine: the leading day
// in the cell of its weekday, the other date converted, and the key the
// index of the cell's other month among the months met.
void verifyAgainstEngine(const MonthLayout &page)
{
    QVERIFY(page.valid);
    const auto met = otherMonthsMet(page.lead, page.year, page.month);
    for (int n = page.FirstCell; n <= page.LastCell; ++n) {
        const core::LaidCell &c = page.cells[std::size_t(n)];
        QCOMPARE(c.leadDay, n - page.weekday);
        QCOMPARE(c.other, toOther(page.lead, page.year, page.month, c.leadDay));
        const auto at = std::find(met.begin(), met.end(), std::pair(c.other.year, c.other.month));
        QCOMPARE(c.monthKey, int16_t(at - met.begin()));
    }
}

} // namespace

class TestMonthLayout : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { realEngine = &testsupport::installRealEngine(); }
    void cellsOfOrdinaryMonths_data();
    void cellsOfOrdinaryMonths();
    void july622StartsWithTheHijriEra();
    void july622KeepsOneKeyWhateverTheEngineSaysOfItsFirstDay();
    void july622StartsAtCell20WhateverItsWeekday();
    void october1582SkipsTheTenDays();
    void monthKeysChangeAfterTheLastDayOfAMonth();
    void hijriLedPagesMeetOneTwoOrThreeGregorianMonths();
    void answersThatAreNotARealMonth_data();
    void answersThatAreNotARealMonth();
    void screenAndPaperTexts();
    void onlyTheMonthsRecordsAreWritten();
};

void TestMonthLayout::cellsOfOrdinaryMonths_data()
{
    QTest::addColumn<int>("lead");
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("firstCell");
    QTest::addColumn<int>("lastCell");
    QTest::newRow("July 2024: Monday the 1st") << int(Lead::Gregorian) << 2024 << 7 << 2 << 32;
    QTest::newRow("February 2015: four whole rows") << int(Lead::Gregorian) << 2015 << 2 << 1 << 28;
    QTest::newRow("February 2026: four whole rows") << int(Lead::Gregorian) << 2026 << 2 << 1 << 28;
    QTest::newRow("August 2020: 31 days from Saturday") << int(Lead::Gregorian) << 2020 << 8 << 7 << 37;
    QTest::newRow("March 2025: 31 days from Saturday") << int(Lead::Gregorian) << 2025 << 3 << 7 << 37;
    QTest::newRow("February 2024: leap year") << int(Lead::Gregorian) << 2024 << 2 << 5 << 33;
    QTest::newRow("January 2562") << int(Lead::Gregorian) << 2562 << 1 << -1 << -1;
    QTest::newRow("Muharram 1446") << int(Lead::Hijri) << 1446 << 1 << -1 << -1;
    QTest::newRow("Muharram 1") << int(Lead::Hijri) << 1 << 1 << -1 << -1;
    QTest::newRow("Ramadan 990") << int(Lead::Hijri) << 990 << 9 << -1 << -1;
    QTest::newRow("Muharram 2000") << int(Lead::Hijri) << 2000 << 1 << -1 << -1;
}

void TestMonthLayout::cellsOfOrdinaryMonths()
{
    QFETCH(int, lead);
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, firstCell);
    QFETCH(int, lastCell);
    const MonthLayout page = core::LayMonth(*realEngine, Lead(lead), year, month);
    QVERIFY(page.valid);
    if (firstCell > 0) { // a Gregorian month whose weekdays everyone knows
        QCOMPARE(page.FirstCell, firstCell);
        QCOMPARE(page.LastCell, lastCell);
    }
    QCOMPARE(page.FirstCell, page.weekday + 1);
    QCOMPARE(page.LastCell, page.weekday + leadLength(Lead(lead), year, month));
    verifyAgainstEngine(page);
    for (int n = 1; n <= core::CellCount; ++n)
        if (n < page.FirstCell || n > page.LastCell)
            QCOMPARE(page.cells[std::size_t(n)].leadDay, 0);
}

void TestMonthLayout::july622StartsWithTheHijriEra()
{
    const MonthLayout page = core::LayGregLedMonth(*realEngine, 622, 7);
    QVERIFY(page.valid);
    QCOMPARE(page.FirstCell, 20);
    QCOMPARE(page.weekday, 4); // 1 July 622, Julian, a Thursday
    QCOMPARE(page.LastCell, 35);
    QCOMPARE(page.first().leadDay, 16);
    QCOMPARE(page.first().other, (Ymd{1, 1, 1}));
    QCOMPARE(page.last().other, (Ymd{1, 1, 16}));
    for (int n = 20; n <= 35; ++n)
        QCOMPARE(page.cells[std::size_t(n)].monthKey, int16_t(0));
    for (int n = 1; n < 20; ++n)
        QCOMPARE(page.cells[std::size_t(n)].leadDay, 0);
}

void TestMonthLayout::july622KeepsOneKeyWhateverTheEngineSaysOfItsFirstDay()
{
    // 1 July 622 lies before the Hijri era: an engine may refuse it (all
    // zeros) and answer anything for the length of "month 0", here one day.
    testsupport::FakeEngine fake(*realEngine);
    fake.gregToHijri = [](int32_t y, int32_t m, int32_t d) {
        return (y == 622 && m == 7 && d < 16) ? Ymd{0, 0, 0} : realEngine->GregToHijri(y, m, d);
    };
    fake.hijriMonthDays = [](int32_t y, int32_t m) { return m == 0 ? 1 : realEngine->HijriMonthDays(y, m); };
    const MonthLayout page = core::LayGregLedMonth(fake, 622, 7);
    QVERIFY(page.valid);
    QCOMPARE(page.first().other, (Ymd{1, 1, 1}));
    for (int n = page.FirstCell; n <= page.LastCell; ++n)
        QCOMPARE(page.cells[std::size_t(n)].monthKey, int16_t(0));
}

void TestMonthLayout::july622StartsAtCell20WhateverItsWeekday()
{
    testsupport::FakeEngine fake(*realEngine);
    fake.weekDayOf = [](int32_t y, int32_t m, int32_t d) {
        return (y == 622 && m == 7 && d == 1) ? 6 : realEngine->WeekDayOf(y, m, d);
    };
    const MonthLayout page = core::LayGregLedMonth(fake, 622, 7);
    QVERIFY(page.valid);
    QCOMPARE(page.FirstCell, 20);
    QCOMPARE(page.LastCell, 37);
    QCOMPARE(page.first().leadDay, 14);
    QCOMPARE(page.last().leadDay, 31);
    for (int n = page.FirstCell; n <= page.LastCell; ++n)
        QCOMPARE(page.cells[std::size_t(n)].other, realEngine->GregToHijri(622, 7, n - 6));
}

void TestMonthLayout::october1582SkipsTheTenDays()
{
    const MonthLayout page = core::LayGregLedMonth(*realEngine, 1582, 10);
    QVERIFY(page.valid);
    const int w = page.weekday;
    QCOMPARE(w, 1); // Monday 1 October 1582
    QCOMPARE(page.FirstCell, w + 1);
    QCOMPARE(page.LastCell, 21 + w);
    for (int d = 1; d <= 4; ++d)
        QCOMPARE(page.cellOfDay(d), d + w);
    for (int d = 5; d <= 14; ++d)
        QCOMPARE(page.cellOfDay(d), 0);
    for (int d = 15; d <= 31; ++d)
        QCOMPARE(page.cellOfDay(d), d - 10 + w);
    QCOMPARE((page.cellOfDay(15) - 1) % 7, 5); // Friday 15 October
    QCOMPARE((page.cellOfDay(4) - 1) % 7, 4);  // after Thursday 4 October
    // The other calendar runs on without a gap.
    const Ymd before = page.cells[std::size_t(page.cellOfDay(4))].other;
    const Ymd after = page.cells[std::size_t(page.cellOfDay(15))].other;
    QCOMPARE(before.month, after.month);
    QCOMPARE(after.day, before.day + 1);
    for (int n = page.FirstCell; n <= page.LastCell; ++n)
        QCOMPARE(page.cells[std::size_t(n)].other,
                 realEngine->GregToHijri(1582, 10, page.cells[std::size_t(n)].leadDay));
}

void TestMonthLayout::monthKeysChangeAfterTheLastDayOfAMonth()
{
    for (std::size_t count : {1, 2, 3}) {
        const auto [year, month] = firstMonthMeeting(Lead::Gregorian, 2000, count);
        QVERIFY2(year != 0, "no such Gregorian month");
        const MonthLayout page = core::LayGregLedMonth(*realEngine, year, month);
        verifyAgainstEngine(page);
        QCOMPARE(page.last().monthKey, int16_t(count - 1));
        for (int n = page.FirstCell; n < page.LastCell; ++n) {
            const core::LaidCell &c = page.cells[std::size_t(n)];
            const core::LaidCell &next = page.cells[std::size_t(n + 1)];
            const bool endsMonth = c.other.day == realEngine->HijriMonthDays(c.other.year, c.other.month);
            QCOMPARE(next.monthKey, int16_t(c.monthKey + (endsMonth ? 1 : 0)));
            if (endsMonth)
                QCOMPARE(next.other.day, 1);
        }
    }
}

void TestMonthLayout::hijriLedPagesMeetOneTwoOrThreeGregorianMonths()
{
    for (std::size_t count : {1, 2, 3}) {
        const auto [year, month] = firstMonthMeeting(Lead::Hijri, 1, count);
        QVERIFY2(year != 0, "no such Hijri month");
        const MonthLayout page = core::LayHijriLedMonth(*realEngine, year, month);
        verifyAgainstEngine(page);
        QCOMPARE(page.last().monthKey, int16_t(count - 1));
        if (count == 3) // a whole February with days on both sides
            QCOMPARE(page.cells[std::size_t(page.FirstCell + 1)].other.month, 2);
    }
}

void TestMonthLayout::answersThatAreNotARealMonth_data()
{
    using Fake = std::function<void(testsupport::FakeEngine &)>;
    QTest::addColumn<int>("lead");
    QTest::addColumn<int>("month");
    QTest::addColumn<Fake>("fake");
    const Fake none = [](testsupport::FakeEngine &) {};
    QTest::newRow("month 13") << int(Lead::Gregorian) << 13 << none;
    QTest::newRow("month 0") << int(Lead::Hijri) << 0 << none;
    QTest::newRow("month -2147483648") << int(Lead::Gregorian) << int(INT32_MIN) << none;
    QTest::newRow("weekday 9") << int(Lead::Gregorian) << 7
                               << Fake([](auto &f) { f.weekDayOf = [](int32_t, int32_t, int32_t) { return 9; }; });
    QTest::newRow("weekday -1") << int(Lead::Hijri) << 7
                                << Fake([](auto &f) { f.weekDayOf = [](int32_t, int32_t, int32_t) { return -1; }; });
    QTest::newRow("length 0") << int(Lead::Gregorian) << 7
                              << Fake([](auto &f) { f.gregMonthDays = [](int32_t, int32_t) { return 0; }; });
    QTest::newRow("length 40") << int(Lead::Hijri) << 7
                               << Fake([](auto &f) { f.hijriMonthDays = [](int32_t, int32_t) { return 40; }; });
    QTest::newRow("length -5") << int(Lead::Gregorian) << 7
                               << Fake([](auto &f) { f.gregMonthDays = [](int32_t, int32_t) { return -5; }; });
    QTest::newRow("converted month 0") << int(Lead::Gregorian) << 7 << Fake([](auto &f) {
        f.gregToHijri = [](int32_t, int32_t, int32_t d) { return Ymd{1446, 0, d}; };
    });
    QTest::newRow("converted month 13") << int(Lead::Hijri) << 7 << Fake([](auto &f) {
        f.hijriToGreg = [](int32_t y, int32_t m, int32_t d) {
            return d == 1 ? realEngine->HijriToGreg(y, m, d) : Ymd{2024, 13, d};
        };
    });
    QTest::newRow("converted day 0") << int(Lead::Gregorian) << 7 << Fake([](auto &f) {
        f.gregToHijri = [](int32_t, int32_t, int32_t d) { return Ymd{1446, 1, d == 20 ? 0 : d}; };
    });
    QTest::newRow("four other months") << int(Lead::Gregorian) << 7 << Fake([](auto &f) {
        f.hijriMonthDays = [](int32_t, int32_t) { return 1; };
        f.gregToHijri = [](int32_t, int32_t m, int32_t) { return Ymd{1446, m, 1}; };
    });
}

void TestMonthLayout::answersThatAreNotARealMonth()
{
    using Fake = std::function<void(testsupport::FakeEngine &)>;
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
    const auto [year, month] = firstMonthMeeting(Lead::Gregorian, 2000, 3);
    const MonthLayout page = core::LayGregLedMonth(*realEngine, year, month);
    QVERIFY(page.valid);
    core::DayCellTable screen, paper;
    core::FillDayCells(screen, page, core::CellTextStyle::Screen);
    core::FillDayCells(paper, page, core::CellTextStyle::Paper);
    const core::Colour keyColours[] = {core::KeyBlue, core::KeyRed, core::KeyOlive};
    for (int n = page.FirstCell; n <= page.LastCell; ++n) {
        const core::LaidCell &c = page.cells[std::size_t(n)];
        const QString day = QString::number(c.other.day);
        QCOMPARE(screen[n].GregDayText, QString::number(n - page.weekday));
        QCOMPARE(paper[n].GregDayText, screen[n].GregDayText);
        QCOMPARE(screen[n].HijriDayText, day);
        QCOMPARE(paper[n].HijriDayText, u' ' + day + QChar(u'A' + c.monthKey));
        QCOMPARE(screen[n].GregColor, core::Black);
        QCOMPARE(screen[n].HijriColor, keyColours[c.monthKey]);
        QCOMPARE(paper[n].HijriColor, screen[n].HijriColor);
        QCOMPARE(screen[n].GregMonth, month);
        QCOMPARE(screen[n].GregYear, year);
        QCOMPARE(screen[n].HijriMonth, c.other.month);
        QCOMPARE(screen[n].HijriYear, c.other.year);
    }
    // Hijri-led: the fields keep their calendar, the Gregorian ones get the colours.
    const MonthLayout hijri = core::LayHijriLedMonth(*realEngine, 1446, 1);
    core::DayCellTable table;
    core::FillDayCells(table, hijri, core::CellTextStyle::Paper);
    const core::DayCell &first = table[hijri.FirstCell];
    const Ymd greg = realEngine->HijriToGreg(1446, 1, 1);
    QCOMPARE(first.HijriDayText, QStringLiteral("1"));
    QCOMPARE(first.HijriMonth, 1);
    QCOMPARE(first.HijriYear, 1446);
    QCOMPARE(first.HijriColor, core::Black);
    QCOMPARE(first.GregDayText, u' ' + QString::number(greg.day) + u'A');
    QCOMPARE(first.GregMonth, greg.month);
    QCOMPARE(first.GregYear, greg.year);
    QCOMPARE(first.GregColor, core::KeyBlue);
    QCOMPARE(core::keyLetter(0), QStringLiteral("A"));
    QCOMPARE(core::keyLetter(2), QStringLiteral("C"));
}

void TestMonthLayout::onlyTheMonthsRecordsAreWritten()
{
    core::DayCellTable table;
    for (int n = 1; n <= core::CellCount; ++n)
        table[n].GregDayText = QStringLiteral("old");
    const MonthLayout page = core::LayGregLedMonth(*realEngine, 2024, 7); // cells 2..32
    core::FillDayCells(table, page, core::CellTextStyle::Screen);
    QCOMPARE(table[1].GregDayText, QStringLiteral("old"));
    QCOMPARE(table[2].GregDayText, QStringLiteral("1"));
    QCOMPARE(table[32].GregDayText, QStringLiteral("31"));
    for (int n = 33; n <= core::CellCount; ++n)
        QCOMPARE(table[n].GregDayText, QStringLiteral("old"));
}

QTEST_GUILESS_MAIN(TestMonthLayout)
#include "test_monthlayout.moc"
