// The printed page in page units: grid, weekday names, heading, legend and
// day cells, on upright, sideways and square paper.
#include "core/monthlayout.h"
#include "core/names.h"
#include "core/numtext.h"
#include "platform/clock.h"
#include "print/printedpage.h"
#include "printtests.h"
#include "testsupport.h"

#include <QSet>
#include <QTest>
#include <cmath>

using platform::RecordingPrinter;
using printtests::Op;

namespace {

constexpr double Tolerance = 1e-3;

bool near(double a, double b, double tolerance = Tolerance)
{
    return std::abs(a - b) <= tolerance;
}

struct PrintedMonth {
    float gridLeft, gridTop, gridWidth, gridHeight;
    int32_t FirstCell = 0, LastCell = 0, Day = 0;
};

// One page as the print job draws it: font name, scale, frame, header, month.
PrintedMonth printMonth(RecordingPrinter &printer, core::Lead lead, int32_t Year, int32_t Month)
{
    PrintedPage page(printer);
    printer.setFontName(QStringLiteral("ARIAL"));
    printer.Scale();
    page.SetUpPrintedPage();
    page.PrintWeekdayHeader();
    PrintedMonth printed{page.GridLeft, page.GridTop, page.GridWidth, page.GridHeight};
    printed.Day = 1;
    if (lead == core::Lead::Gregorian)
        page.PrintGregLedMonth(printed.FirstCell, printed.LastCell, printed.Day, Month, Year);
    else
        page.PrintHijriLedMonth(printed.FirstCell, printed.LastCell, printed.Day, Month, Year);
    printer.Scale();
    printer.EndDoc();
    return printed;
}

// The texts printed at the top-left corners of cells: the leading numbers.
std::vector<Op> leadingNumbers(const RecordingPrinter &printer, const PrintedMonth &m)
{
    std::vector<Op> found;
    const double w7 = m.gridWidth / 7, h6 = m.gridHeight / 6;
    for (const Op &op : printtests::textsOf(printer, 1)) {
        const double column = (op.x1 - m.gridLeft) / w7, row = (op.y1 - m.gridTop) / h6;
        if (row >= 0 && near(column, std::round(column)) && near(row, std::round(row)) && op.font.pointSizeF() != 30)
            found.push_back(op);
    }
    return found;
}

int cellIndexAt(const Op &leading, const PrintedMonth &m)
{
    const int column = int(std::lround((leading.x1 - m.gridLeft) / (m.gridWidth / 7)));
    const int row = int(std::lround((leading.y1 - m.gridTop) / (m.gridHeight / 6)));
    return row * 7 + column;
}

// A Gregorian-led month of the real engine whose last cell carries the key.
std::optional<std::pair<int32_t, int32_t>> gregorianMonthEndingInKey(int16_t key)
{
    for (int32_t year = 1900; year <= 2100; ++year)
        for (int32_t month = 1; month <= 12; ++month) {
            const core::MonthLayout layout = core::LayGregLedMonth(core::engine(), year, month);
            if (layout.valid && layout.last().monthKey == key)
                return std::make_pair(year, month);
        }
    return std::nullopt;
}

} // namespace

class TestPrintedPage : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();

    void portraitPageFrame();
    void landscapePageFrame();
    void squarePageCountsAsPortrait();
    void frameFollowsEveryPagesPaper();
    void weekdayNamesStandCentredOnTheGrid();

    void headingByCharacterCount_data();
    void headingByCharacterCount();
    void dayCellsAtTheirCorners();
    void legendOfTwoMonths();
    void legendOfOneMonth();
    void legendOfThreeMonths();
    void hijriLedPage();
    void july622StartsAtCell20();
    void october1582SkipsTenDays();
    void dayCellsOutsideTheMonthAreLeftAlone();

    void fontRestoredRounded_data();
    void fontRestoredRounded();
    void fontNameRestoredAfterTheCells();
};

void TestPrintedPage::initTestCase()
{
    testsupport::installRealEngine();
    platform::pinDate(QDate(2024, 7, 16));
}

void TestPrintedPage::init()
{
    core::DayCells = core::DayCellTable{};
}

void TestPrintedPage::portraitPageFrame()
{
    RecordingPrinter printer(RecordingPrinter::Paper::Portrait);
    PrintedPage page(printer);
    printer.setForeColor(core::KeyRed);
    printer.setDrawMode(platform::XorPen);
    page.SetUpPrintedPage();

    QCOMPARE(page.PageWidth, 80.0f);
    QCOMPARE(page.PageHeight, 110.0f);
    QCOMPARE(page.ShrinkFactor, 1.0f);
    QCOMPARE(page.GridLeft, 3.0f);
    QCOMPARE(page.GridTop, 10.0f);
    QCOMPARE(page.GridWidth, 70.0f);
    QCOMPARE(page.GridHeight, 40.0f);
    QCOMPARE(printer.ForeColor(), core::Black);
    QCOMPARE(printer.DrawMode(), int(platform::CopyPen));

    const auto &ops = printer.ops();
    QCOMPARE(ops.front().kind, Op::SetScale);
    QCOMPARE(ops.front().x2, 80.0);
    QCOMPARE(ops.front().y2, 110.0);
    const auto boxes = printer.opsOf(1, Op::Box);
    QCOMPARE(boxes.size(), std::size_t(1));
    QCOMPARE(boxes[0].x1, 3.0);
    QCOMPARE(boxes[0].y1, 10.0);
    QCOMPARE(boxes[0].x2, 73.0);
    QCOMPARE(boxes[0].y2, 50.0);
    QCOMPARE(boxes[0].colour, core::Black);
    QCOMPARE(boxes[0].drawMode, int(platform::CopyPen));

    QList<double> columns, rows;
    for (const Op &line : printer.opsOf(1, Op::Line)) {
        QCOMPARE(line.colour, core::Black);
        if (line.x1 == line.x2) {
            QCOMPARE(line.y1, 10.0);
            QCOMPARE(line.y2, 50.0);
            columns << line.x1;
        } else {
            QCOMPARE(line.y1, line.y2);
            QCOMPARE(line.x1, 3.0);
            QCOMPARE(line.x2, 73.0);
            rows << line.y1;
        }
    }
    QVERIFY2(columns.size() == 6 || columns.size() == 7, qPrintable(QString::number(columns.size())));
    for (int k = 1; k <= 6; ++k)
        QCOMPARE(columns[k - 1], 3.0 + 10 * k);
    if (columns.size() == 7)
        QCOMPARE(columns[6], 73.0);
    QVERIFY(rows.size() == 5 || rows.size() == 6);
    for (int r = 1; r <= 5; ++r)
        QVERIFY2(near(rows[r - 1], 10 + 40.0 * r / 6), qPrintable(QString::number(rows[r - 1])));
}

void TestPrintedPage::landscapePageFrame()
{
    RecordingPrinter printer(RecordingPrinter::Paper::Landscape);
    PrintedPage page(printer);
    page.SetUpPrintedPage();

    const auto &scale = printer.ops().front();
    QCOMPARE(scale.kind, Op::SetScale);
    QCOMPARE(scale.x2, 110.0);
    QCOMPARE(scale.y2, 80.0);
    QCOMPARE(page.ShrinkFactor, 0.97f);
    QVERIFY(near(page.PageWidth, 106.7));
    QVERIFY(near(page.PageHeight, 77.6));
    QVERIFY(near(page.GridWidth, 97));
    QVERIFY(near(page.GridHeight, 58.2));
    QVERIFY(near(page.GridLeft, 2.91));
    QCOMPARE(page.GridTop, 10.0f);

    const auto boxes = printer.opsOf(1, Op::Box);
    QCOMPARE(boxes.size(), std::size_t(1));
    QVERIFY(near(boxes[0].x2, 99.91));
    QVERIFY(near(boxes[0].y2, 68.2));
    int columns = 0, rows = 0;
    for (const Op &line : printer.opsOf(1, Op::Line)) {
        if (line.x1 == line.x2)
            QVERIFY(near(line.x1, 2.91 + 97.0 / 7 * ++columns));
        else
            QVERIFY(near(line.y1, 10 + 9.7 * ++rows));
    }
    QVERIFY(columns >= 6 && columns <= 7);
    QVERIFY(rows >= 5 && rows <= 6);
}

void TestPrintedPage::squarePageCountsAsPortrait()
{
    RecordingPrinter printer(RecordingPrinter::Paper::Square);
    QCOMPARE(printer.Width(), printer.Height());
    PrintedPage page(printer);
    page.SetUpPrintedPage();
    QCOMPARE(page.PageWidth, 80.0f);
    QCOMPARE(page.PageHeight, 110.0f);
    QCOMPARE(page.GridLeft, 3.0f);
}

void TestPrintedPage::frameFollowsEveryPagesPaper()
{
    RecordingPrinter printer(RecordingPrinter::Paper::Landscape);
    const PrintedMonth wide = printMonth(printer, core::Lead::Gregorian, 2024, 7);
    printer.setPaper(RecordingPrinter::Paper::Portrait);
    const PrintedMonth upright = printMonth(printer, core::Lead::Gregorian, 2024, 8);
    QVERIFY(near(wide.gridLeft, 2.91));
    QCOMPARE(upright.gridLeft, 3.0f);
    QCOMPARE(upright.gridWidth, 70.0f);
    std::vector<Op> secondPageScales;
    bool afterFirstDocument = false;
    for (const Op &op : printer.ops()) {
        if (op.kind == Op::EndDoc && op.document == 1)
            afterFirstDocument = true;
        else if (afterFirstDocument && op.kind == Op::SetScale)
            secondPageScales.push_back(op);
    }
    QCOMPARE(secondPageScales.size(), std::size_t(1));
    QCOMPARE(secondPageScales[0].x2, 80.0);
    QCOMPARE(printer.opsOf(2, Op::Box).size(), std::size_t(1));
    QCOMPARE(printer.opsOf(2, Op::Box)[0].x2, 73.0);
}

void TestPrintedPage::weekdayNamesStandCentredOnTheGrid()
{
    for (auto paper : {RecordingPrinter::Paper::Portrait, RecordingPrinter::Paper::Landscape}) {
        RecordingPrinter printer(paper);
        printer.setFontName(QStringLiteral("ARIAL"));
        PrintedPage page(printer);
        page.SetUpPrintedPage();
        page.PrintWeekdayHeader();
        const auto texts = printtests::textsOf(printer, 1);
        QCOMPARE(printtests::stringsOf(texts),
                 QStringList({"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"}));
        const double w7 = page.GridWidth / 7.0;
        for (int k = 0; k < 7; ++k) {
            QVERIFY(near((texts[k].x1 + texts[k].x2) / 2, page.GridLeft + (k + 0.5) * w7));
            QVERIFY(near(texts[k].y2, page.GridTop));
            QCOMPARE(texts[k].colour, core::Black);
            QCOMPARE(texts[k].font.pointSizeF(), 10.0); // the printer's own size
            QVERIFY(!texts[k].font.bold());
            QVERIFY(texts[k].x2 - texts[k].x1 < w7); // fits its column at 10 pt
        }
    }
}

void TestPrintedPage::headingByCharacterCount_data()
{
    QTest::addColumn<int>("paper");
    QTest::addColumn<int>("lead");
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<QString>("heading");
    QTest::addColumn<double>("left");
    QTest::newRow("portrait July 2024") << int(RecordingPrinter::Paper::Portrait) << int(core::Lead::Gregorian) << 2024 << 7
                                        << "July    2024" << 30.0 - 12 / 2.0;
    QTest::newRow("landscape July 2024") << int(RecordingPrinter::Paper::Landscape) << int(core::Lead::Gregorian) << 2024
                                         << 7 << "July    2024" << 45.0 - 12 / 2.0;
    QTest::newRow("portrait September 2561") << int(RecordingPrinter::Paper::Portrait) << int(core::Lead::Gregorian) << 2561
                                             << 9 << "September    2561" << 30.0 - 17 / 2.0;
    QTest::newRow("Hijri Thu Al-Qa'dah 1445") << int(RecordingPrinter::Paper::Portrait) << int(core::Lead::Hijri) << 1445
                                              << 11 << "Thu Al-Qa'dah    1445" << 30.0 - 21 / 2.0;
}

void TestPrintedPage::headingByCharacterCount()
{
    QFETCH(int, paper);
    QFETCH(int, lead);
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(QString, heading);
    QFETCH(double, left);
    RecordingPrinter printer{RecordingPrinter::Paper(paper)};
    printMonth(printer, core::Lead(lead), year, month);
    const auto found = printtests::headingOf(printer, 1);
    QVERIFY(found);
    QCOMPARE(found->text, heading);
    QVERIFY2(near(found->x1, left), qPrintable(QString::number(found->x1)));
    QVERIFY(near(found->y2, 5)); // stands on y = 5
    QVERIFY(found->y1 < 5 && found->y1 >= 0);
    QVERIFY(found->font.bold());
    QCOMPARE(found->font.family(), QStringLiteral("ARIAL"));
    QCOMPARE(found->colour, core::Black);
}

void TestPrintedPage::dayCellsAtTheirCorners()
{
    RecordingPrinter printer;
    const PrintedMonth m = printMonth(printer, core::Lead::Gregorian, 2024, 7); // 1 July 2024 is a Monday
    QCOMPARE(m.FirstCell, 2);
    QCOMPARE(m.LastCell, 32);
    QCOMPARE(m.Day, 31);
    const auto texts = printtests::textsOf(printer, 1);

    const core::Ymd first = core::engine().GregToHijri(2024, 7, 1);
    const auto one = printtests::findText(texts, QStringLiteral("1"));
    QVERIFY(one);
    QCOMPARE(one->x1, 13.0);
    QCOMPARE(one->y1, 10.0);
    QCOMPARE(one->colour, core::Black);
    const auto other = printtests::findText(texts, u' ' + core::PlainNumber(first.day) + u'A');
    QVERIFY(other);
    QVERIFY(near(other->x2, 23));
    QVERIFY(near(other->y2, 10 + 40.0 / 6));
    QCOMPARE(other->colour, core::KeyBlue);

    // 31 July: Wednesday of the fifth row.
    const auto last = printtests::findText(texts, QStringLiteral("31"));
    QVERIFY(last);
    QCOMPARE(last->x1, 33.0);
    QVERIFY(near(last->y1, 10 + 4 * 40.0 / 6));

    const auto numbers = leadingNumbers(printer, m);
    QCOMPARE(int(numbers.size()), 31);
    for (int d = 1; d <= 31; ++d) {
        QCOMPARE(numbers[std::size_t(d - 1)].text, core::PlainNumber(d));
        QCOMPARE(cellIndexAt(numbers[std::size_t(d - 1)], m), d); // cell d + 1
    }
    QCOMPARE(core::DayCells[2].GregDayText, QStringLiteral("1"));
    QCOMPARE(core::DayCells[2].HijriDayText, u' ' + core::PlainNumber(first.day) + u'A');
}

void TestPrintedPage::legendOfTwoMonths()
{
    RecordingPrinter printer;
    const PrintedMonth m = printMonth(printer, core::Lead::Gregorian, 2024, 7);
    const auto texts = printtests::textsOf(printer, 1);
    const auto left = printtests::findText(texts, QStringLiteral("A - Thu Al-Hijjah  1445"));
    const auto right = printtests::findText(texts, QStringLiteral("B - Muharram  1446"));
    QVERIFY(left);
    QVERIFY(right);
    QCOMPARE(left->colour, core::KeyBlue);
    QCOMPARE(right->colour, core::KeyRed);
    QCOMPARE(left->x1, double(m.gridLeft));
    QVERIFY(near(right->x2, 73));
    const double height = left->y2 - left->y1;
    QVERIFY(near(left->y1, 50 + height)); // one text line below the grid
    QVERIFY(near(right->y1, left->y1));
    QCOMPARE(left->font.pointSizeF(), 10.0);
    QVERIFY(!left->font.bold());

    // The keys change on the day after a Hijri month's last day.
    QStringList keys;
    for (const Op &op : texts)
        if (op.text.startsWith(u' '))
            keys << op.text.right(1);
    QCOMPARE(keys.count(QStringLiteral("A")) + keys.count(QStringLiteral("B")), 31);
    QVERIFY(keys.indexOf(QStringLiteral("B")) > 0);
    QCOMPARE(keys.lastIndexOf(QStringLiteral("A")) + 1, keys.indexOf(QStringLiteral("B")));
}

void TestPrintedPage::legendOfOneMonth()
{
    // A Hijri month that lies wholly in one Gregorian month.
    std::optional<std::pair<int32_t, int32_t>> found;
    for (int32_t year = 1440; year <= 1460 && !found; ++year)
        for (int32_t month = 1; month <= 12 && !found; ++month) {
            const core::MonthLayout layout = core::LayHijriLedMonth(core::engine(), year, month);
            if (layout.valid && layout.last().monthKey == 0)
                found = std::make_pair(year, month);
        }
    QVERIFY(found);
    RecordingPrinter printer;
    printMonth(printer, core::Lead::Hijri, found->first, found->second);
    const auto texts = printtests::textsOf(printer, 1);
    QStringList legend;
    for (const Op &op : texts)
        if (op.text.contains(QStringLiteral(" - ")))
            legend << op.text;
    QCOMPARE(legend.size(), 2);
    QCOMPARE(legend[0], legend[1]);
    QVERIFY(legend[0].startsWith(QStringLiteral("A - ")));
    for (const Op &op : texts)
        if (op.text.startsWith(u' '))
            QVERIFY2(op.text.endsWith(u'A') && op.colour == core::KeyBlue, qPrintable(op.text));
}

void TestPrintedPage::legendOfThreeMonths()
{
    const auto found = gregorianMonthEndingInKey(2);
    QVERIFY(found);
    const auto [year, month] = *found;
    const core::MonthLayout layout = core::LayGregLedMonth(core::engine(), year, month);
    RecordingPrinter printer;
    printMonth(printer, core::Lead::Gregorian, year, month);
    const auto texts = printtests::textsOf(printer, 1);
    QSet<QChar> keys;
    for (const Op &op : texts)
        if (op.text.startsWith(u' ')) {
            keys << op.text.back();
            const core::Colour expected = op.text.back() == u'A' ? core::KeyBlue
                                          : op.text.back() == u'B' ? core::KeyRed
                                                                   : core::KeyOlive;
            QCOMPARE(op.colour, expected);
        }
    QCOMPARE(keys, QSet<QChar>({u'A', u'B', u'C'}));
    const QString firstMonth = core::HijriMonthName(layout.first().other.month) + QStringLiteral("  ")
                               + core::PlainNumber(layout.first().other.year);
    const QString lastMonth = core::HijriMonthName(layout.last().other.month) + QStringLiteral("  ")
                              + core::PlainNumber(layout.last().other.year);
    const auto left = printtests::findText(texts, QStringLiteral("A - ") + firstMonth);
    const auto right = printtests::findText(texts, QStringLiteral("C - ") + lastMonth);
    QVERIFY(left);
    QVERIFY(right);
    QCOMPARE(right->colour, core::KeyOlive);
    for (const Op &op : texts)
        QVERIFY(!op.text.startsWith(QStringLiteral("B - "))); // the middle month is not named
}

void TestPrintedPage::hijriLedPage()
{
    RecordingPrinter printer;
    const PrintedMonth m = printMonth(printer, core::Lead::Hijri, 1446, 1);
    const auto texts = printtests::textsOf(printer, 1);
    QCOMPARE(printtests::headingOf(printer, 1)->text, QStringLiteral("Muharram    1446"));
    const core::Ymd first = core::engine().HijriToGreg(1446, 1, 1);
    const auto left = printtests::findText(texts, QStringLiteral("A - ") + core::GregMonthName(first.month)
                                                       + QStringLiteral("  ") + core::PlainNumber(first.year));
    QVERIFY(left);
    QCOMPARE(left->colour, core::KeyBlue);
    const auto numbers = leadingNumbers(printer, m);
    QCOMPARE(int(numbers.size()), core::engine().HijriMonthDays(1446, 1));
    QCOMPARE(numbers.front().text, QStringLiteral("1"));
    QCOMPARE(cellIndexAt(numbers.front(), m), core::engine().WeekDayOf(first.year, first.month, first.day));
    QCOMPARE(core::DayCells[m.FirstCell].HijriDayText, QStringLiteral("1"));
    QCOMPARE(core::DayCells[m.FirstCell].GregDayText, u' ' + core::PlainNumber(first.day) + u'A');
    QCOMPARE(m.Day, core::engine().HijriMonthDays(1446, 1));
}

void TestPrintedPage::july622StartsAtCell20()
{
    RecordingPrinter printer;
    const PrintedMonth m = printMonth(printer, core::Lead::Gregorian, 622, 7);
    const int32_t w = core::engine().WeekDayOf(622, 7, 1);
    QCOMPARE(m.FirstCell, 20);
    QCOMPARE(m.LastCell, 31 + w);
    QCOMPARE(m.Day, 31);
    QCOMPARE(printtests::headingOf(printer, 1)->text, QStringLiteral("July    622"));
    const auto numbers = leadingNumbers(printer, m);
    QCOMPARE(numbers.front().text, core::PlainNumber(20 - w));
    QCOMPARE(cellIndexAt(numbers.front(), m), 19);
    const core::Ymd atCell20 = core::engine().GregToHijri(622, 7, 20 - w);
    const auto left = printtests::findText(printtests::textsOf(printer, 1),
                                           QStringLiteral("A - ") + core::HijriMonthName(atCell20.month)
                                               + QStringLiteral("  ") + core::PlainNumber(atCell20.year));
    QVERIFY(left);
}

void TestPrintedPage::october1582SkipsTenDays()
{
    RecordingPrinter printer;
    const PrintedMonth m = printMonth(printer, core::Lead::Gregorian, 1582, 10);
    const auto numbers = leadingNumbers(printer, m);
    QStringList days;
    for (const Op &op : numbers)
        days << op.text;
    QStringList expected{"1", "2", "3", "4"};
    for (int d = 15; d <= 31; ++d)
        expected << QString::number(d);
    QCOMPARE(days, expected);
    QCOMPARE(m.LastCell - m.FirstCell + 1, 21);
    QCOMPARE(cellIndexAt(numbers[4], m) % 7, 5); // 15 October on its Friday
    QCOMPARE(m.Day, 31);
}

void TestPrintedPage::dayCellsOutsideTheMonthAreLeftAlone()
{
    core::DayCells[1].GregDayText = QStringLiteral("kept");
    core::DayCells[33].HijriDayText = QStringLiteral("kept too");
    RecordingPrinter printer;
    printMonth(printer, core::Lead::Gregorian, 2024, 7); // cells 2 to 32
    QCOMPARE(core::DayCells[1].GregDayText, QStringLiteral("kept"));
    QCOMPARE(core::DayCells[33].HijriDayText, QStringLiteral("kept too"));
}

void TestPrintedPage::fontRestoredRounded_data()
{
    QTest::addColumn<double>("size");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<double>("restored");
    QTest::newRow("10.5 -> 10 (halves to even)") << 10.5 << false << 10.0;
    QTest::newRow("11.5 -> 12 (halves to even)") << 11.5 << false << 12.0;
    QTest::newRow("9.6 bold -> 10 bold") << 9.6 << true << 10.0;
    QTest::newRow("14 stays 14") << 14.0 << false << 14.0;
}

void TestPrintedPage::fontRestoredRounded()
{
    QFETCH(double, size);
    QFETCH(bool, bold);
    QFETCH(double, restored);
    RecordingPrinter printer;
    printer.setFontSize(size);
    printer.setFontBold(bold);
    printMonth(printer, core::Lead::Gregorian, 2024, 7);
    QCOMPARE(printer.FontSize(), restored);
    QCOMPARE(printer.FontBold(), bold);
    QCOMPARE(printer.FontName(), QStringLiteral("ARIAL"));

    const auto texts = printtests::textsOf(printer, 1);
    QCOMPARE(texts.front().text, QStringLiteral("Sunday"));
    QCOMPARE(texts.front().font.pointSizeF(), size); // the header comes before the heading
    bool afterHeading = false;
    for (const Op &op : texts) {
        if (op.font.pointSizeF() == 30) {
            afterHeading = true;
            continue;
        }
        if (afterHeading) {
            QCOMPARE(op.font.pointSizeF(), restored);
            QCOMPARE(op.font.bold(), bold);
        }
    }
    QVERIFY(afterHeading);
}

void TestPrintedPage::fontNameRestoredAfterTheCells()
{
    RecordingPrinter printer;
    PrintedPage page(printer);
    printer.setFontName(QStringLiteral("Courier"));
    page.SetUpPrintedPage();
    int32_t FirstCell = 0, LastCell = 0, Day = 1, Month = 7, Year = 2024;
    page.PrintGregLedMonth(FirstCell, LastCell, Day, Month, Year);
    QCOMPARE(printer.FontName(), QStringLiteral("Courier"));
    // The legend and the cells are printed in the heading's font name.
    const auto texts = printtests::textsOf(printer, 1);
    QCOMPARE(texts.back().font.family(), QStringLiteral("ARIAL"));
    QCOMPARE(texts.back().text.back(), u'B');
}

QTEST_MAIN(TestPrintedPage)
#include "test_printed_page.moc"
