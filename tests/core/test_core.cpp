// The core without windows: boxes' numbers, names, today, the months shown and printed, pages, conversions.
#include "core/conversion.h"
#include "core/monthlayout.h"
#include "core/names.h"
#include "core/numtext.h"
#include "testsupport.h"

#include <QTest>

using core::Lead;
using core::Ymd;
constexpr auto Screen = core::CellTextStyle::Screen;
constexpr Lead G = Lead::Gregorian, H = Lead::Hijri;

// The day after a date by the engine's month lengths; the Gregorian 4 October 1582 is followed by the 15th.
static Ymd dayAfter(const core::CalendarEngine &e, bool greg, const Ymd &d)
{
    if (greg && d == Ymd{1582, 10, 4})
        return {1582, 10, 15};
    if (d.day < (greg ? e.GregMonthDays(d.year, d.month) : e.HijriMonthDays(d.year, d.month)))
        return {d.year, d.month, d.day + 1};
    return d.month < 12 ? Ymd{d.year, d.month + 1, 1} : Ymd{d.year + 1, 1, 1};
}

// The first cell or day wrong on a month's page on screen (see everyMonth), or nothing.
static QString wrongOnPage(const core::CalendarEngine &e, Lead lead, int32_t year, int32_t month)
{
    const bool greg = lead == Lead::Gregorian, early = greg && (year < 622 || (year == 622 && month < 7));
    const core::MonthLayout page = core::LayMonth(e, lead, year, month);
    core::DayCellTable table;
    core::FillDayCells(table, page, Screen);
    const auto colour = [&](int n) { return core::sideOf(table[n], core::otherCalendar(lead)).colour; };
    uint32_t days = 0;
    for (int n = page.FirstCell, key = 0; page.valid && n <= page.LastCell; days |= 1u << page.cells[n++].leadDay) {
        const core::LaidCell &c = page.cells[n], &p = page.cells[n - 1];
        const Ymd mine{year, month, c.leadDay}, g = greg ? mine : c.other, h = greg ? c.other : mine;
        const auto [row, column] = core::placeOfCell(n - 1);
        const auto converted = greg ? core::ConvertGregToHijri(g) : core::ConvertHijriToGreg(h);
        const bool first = n == page.FirstCell, changed = !first && p.other.month != c.other.month;
        key += changed;
        if ((days >> c.leadDay & 1) || page.cellOfDay(c.leadDay) != n || e.WeekDayOf(g.year, g.month, g.day) != column
            || row * 7 + column != n - 1 || c.monthKey != key || (!first && (colour(n) != colour(n - 1)) != changed)
            || (!early && (!converted || converted->date != c.other || converted->weekday != core::WeekDayName(column)))
            || (first ? e.GregToHijri(g.year, g.month, g.day) != h
                      : dayAfter(e, greg, {year, month, p.leadDay}) != mine || dayAfter(e, !greg, p.other) != c.other))
            return QStringLiteral("cell %1").arg(n);
    }
    const auto check = greg ? &core::CalendarEngine::CheckGregDate : &core::CalendarEngine::CheckHijriDate;
    for (int32_t d = 1; d <= 31; ++d)
        if (bool(days >> d & 1) != (early ? d <= e.GregMonthDays(year, month) : (e.*check)(year, month, d)))
            return QStringLiteral("day %1").arg(d);
    return page.valid ? QString() : QStringLiteral("no layout");
}

class TestCore : public QObject {
    Q_OBJECT
    const core::CalendarEngine &engine = testsupport::realEngine();

private slots:
    void initTestCase() { QVERIFY2(testsupport::userLocaleInEffect(), "no de_DE.UTF-8: run tools/install-deps"); }

    // A box's text in 32 and 16 bits: blanks anywhere, halves to even, &H, &O, never the locale's comma, the limits.
    void numberReader_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("expected");
        // clang-format off
        const std::pair<QString, qint64> rows[] = {{" 1 9\t9\n9", 1999}, {"+12", 12}, {"--5", 0}, {"-2.5", -2},
            {"7.5", 8}, {"6.5", 6}, {".6", 1}, {"1.5.5", 2}, {"1,5", 1}, {" 7x", 7}, {"&H0C", 12}, {"&h1F", 31},
            {"&O17", 15}, {"&O78", 7}, {"&H", 0}, {"1.2E3", 1200}, {"5e-1", 0}, {"12E+", 12}, {"", 0}, {"abc", 0},
            {"NaN", 0}, {"0x1F", 0}, {QString::fromUtf8("٣"), 0}, {"32768", 32768}, {"-32769", -32769}, {"1E-999", 0},
            {"2147483648", INT32_MAX}, {"-2147483649", INT32_MIN}, {"1E999", INT32_MAX}, {"-1E999", INT32_MIN},
            {QString(10000, u'9'), INT32_MAX}, {"&H" + QString(40, u'F'), INT32_MAX}, {QString(5000, u' ') + "3 ", 3}};
        // clang-format on
        for (const auto &[text, expected] : rows)
            QTest::newRow(qPrintable(text.right(12).simplified())) << text << expected;
    }
    void numberReader()
    {
        QFETCH(QString, text);
        QFETCH(qint64, expected);
        QCOMPARE(core::WholeNumber32(text), expected);
        QCOMPARE(core::WholeNumber16(text), std::clamp<qint64>(expected, INT16_MIN, INT16_MAX));
        QCOMPARE(core::PlainNumber(core::WholeNumber32(text)), QString::number(expected));
    }

    // Every month the boxes take: each cell in its weekday's column, as converted, the day after its neighbour in
    // both calendars; the other's key and colour change with its month; each real day (before the era, all) once.
    void everyMonth()
    {
        for (const Lead lead : {Lead::Gregorian, Lead::Hijri})
            for (int32_t year = core::firstYear(lead); year <= core::lastYear(lead); ++year)
                for (int32_t month = 1; month <= 12; ++month)
                    if (const QString wrong = wrongOnPage(engine, lead, year, month); !wrong.isEmpty())
                        QFAIL(qPrintable(core::MonthName(lead, month) + QStringLiteral(" %1: ").arg(year) + wrong));
    }

    // July 622 starts in cell 20 whatever the engine says of the days before; no real month: no layout, page kept.
    void layoutEdges()
    {
        testsupport::FakeEngine refusing, day0, everyDayAMonth;
        refusing.gregToHijri = [this](auto y, auto m, auto d) { return d < 16 ? Ymd{} : engine.GregToHijri(y, m, d); };
        refusing.hijriMonthDays = [this](auto y, auto m) { return m == 0 ? 1 : engine.HijriMonthDays(y, m); };
        const core::MonthLayout era = core::LayMonth(refusing, G, 622, 7);
        QVERIFY(era.valid && era.FirstCell == 20 && era.first().other == (Ymd{1, 1, 1}) && era.last().monthKey == 0);
        day0.gregToHijri = [](auto, auto, auto d) { return Ymd{1446, 1, d == 20 ? 0 : d}; };
        everyDayAMonth.hijriMonthDays = [](auto, auto) { return 1; };
        everyDayAMonth.gregToHijri = [](auto, auto, auto d) { return Ymd{1446, 1 + d % 12, 1}; };
        core::FillDayCells(core::DayCells, core::LayMonth(engine, G, 2024, 7), Screen);
        const core::DayCellTable july = core::DayCells;
        for (const core::MonthLayout &bad :
             {core::LayMonth(engine, H, 1446, 13), core::LayMonth(engine, G, 2024, INT32_MIN),
              core::LayMonth(day0, G, 2024, 7), core::LayMonth(everyDayAMonth, G, 2024, 7)}) {
            core::FillDayCells(core::DayCells, bad, Screen);
            QVERIFY(!bad.valid && bad.cellOfDay(1) == 0);
            for (int n = 1; n <= core::CellCount; ++n)
                QVERIFY(core::DayCells[n].GregDayText + core::DayCells[n].HijriDayText
                        == july[n].GregDayText + july[n].HijriDayText);
        }
    }

    // A date the engine refuses is an input error of the conversion; a failure on one line, as dovrin-cli writes it.
    void refusedConversionAndFailure()
    {
        for (const auto &r : {core::ConvertGregToHijri({1582, 10, 10}), core::ConvertGregToHijri({622, 7, 15}),
                              core::ConvertHijriToGreg({1446, 12, 30}), core::ConvertHijriToGreg({1446, 13, 1})})
            QCOMPARE(r ? QString() : r.failure().title + ": " + r.failure().text,
                     "Input Error.....: Date out of range .....");
        QCOMPARE(core::Failure{"No engine.\n\nIts file:\nmissing"}.oneLine(), "No engine. Its file: missing");
    }
};

QTEST_GUILESS_MAIN(TestCore)
#include "test_core.moc"
