// The printed page in page units: frame and grid on upright, sideways and
// square paper, heading, legend, day cells and the font left afterwards.
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
using Paper = RecordingPrinter::Paper;

namespace {

bool near(double a, double b)
{
    return std::abs(a - b) <= 1e-3;
}

struct PrintedMonth {
    float gridLeft, gridTop, gridWidth, gridHeight;
    int32_t FirstCell = 0, LastCell = 0, Day = 1;
};

// One page as the print job draws it.
PrintedMonth printMonth(RecordingPrinter &printer, core::Lead lead, int32_t Year, int32_t Month)
{
    PrintedPage page(printer);
    printer.setFontName(QStringLiteral("ARIAL"));
    printer.Scale();
    page.SetUpPrintedPage();
    page.PrintWeekdayHeader();
    PrintedMonth m{page.GridLeft, page.GridTop, page.GridWidth, page.GridHeight};
    if (lead == core::Lead::Gregorian)
        page.PrintGregLedMonth(m.FirstCell, m.LastCell, m.Day, Month, Year);
    else
        page.PrintHijriLedMonth(m.FirstCell, m.LastCell, m.Day, Month, Year);
    printer.Scale();
    printer.EndDoc();
    return m;
}

// The leading day numbers: texts at the top-left corners of cells, with their cell index.
std::vector<std::pair<QString, int>> leadingNumbers(const RecordingPrinter &printer, const PrintedMonth &m)
{
    std::vector<std::pair<QString, int>> found;
    const double w7 = m.gridWidth / 7, h6 = m.gridHeight / 6;
    for (const Op &op : printtests::textsOf(printer, 1)) {
        const double column = (op.x1 - m.gridLeft) / w7, row = (op.y1 - m.gridTop) / h6;
        if (row >= 0 && near(column, std::round(column)) && near(row, std::round(row)) && op.font.pointSizeF() != 30)
            found.emplace_back(op.text, int(std::lround(row)) * 7 + int(std::lround(column)));
    }
    return found;
}

QStringList legendOf(const std::vector<Op> &texts)
{
    QStringList legend;
    for (const Op &op : texts)
        if (op.text.contains(QStringLiteral(" - ")))
            legend << op.text;
    return legend;
}

} // namespace

class TestPrintedPage : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void pageGeometry_data();
    void pageGeometry();
    void heading_data();
    void heading();
    void dayCellsAndTwoMonthLegend();
    void legendOfOneMonth();
    void legendOfThreeMonths();
    void july622StartsAtCell20();
    void fontRestoredRounded();
};

void TestPrintedPage::initTestCase()
{
    testsupport::installRealEngine();
    platform::pinDate(QDate(2024, 7, 16));
}

void TestPrintedPage::pageGeometry_data()
{
    QTest::addColumn<int>("paper");
    QTest::addColumn<double>("scaleWidth");
    QTest::addColumn<double>("pageWidth");
    QTest::addColumn<double>("pageHeight");
    QTest::addColumn<double>("gridLeft");
    QTest::addColumn<double>("gridWidth");
    QTest::addColumn<double>("gridHeight");
    QTest::newRow("portrait") << int(Paper::Portrait) << 80.0 << 80.0 << 110.0 << 3.0 << 70.0 << 40.0;
    QTest::newRow("landscape") << int(Paper::Landscape) << 110.0 << 106.7 << 77.6 << 2.91 << 97.0 << 58.2;
    QTest::newRow("square as portrait") << int(Paper::Square) << 80.0 << 80.0 << 110.0 << 3.0 << 70.0 << 40.0;
}

void TestPrintedPage::pageGeometry()
{
    QFETCH(int, paper);
    QFETCH(double, scaleWidth);
    QFETCH(double, pageWidth);
    QFETCH(double, pageHeight);
    QFETCH(double, gridLeft);
    QFETCH(double, gridWidth);
    QFETCH(double, gridHeight);
    RecordingPrinter printer{Paper(paper)};
    PrintedPage page(printer);
    printer.setForeColor(core::KeyRed);
    printer.setDrawMode(platform::XorPen);
    page.SetUpPrintedPage();

    QCOMPARE(printer.ops().front().kind, Op::SetScale);
    QCOMPARE(printer.ops().front().x2, scaleWidth);
    QCOMPARE(printer.ops().front().y2, 190.0 - scaleWidth);
    QVERIFY(near(page.PageWidth, pageWidth) && near(page.PageHeight, pageHeight));
    QVERIFY(near(page.GridLeft, gridLeft) && near(page.GridWidth, gridWidth) && near(page.GridHeight, gridHeight));
    QCOMPARE(page.GridTop, 10.0f);
    QCOMPARE(printer.ForeColor(), core::Black);
    QCOMPARE(printer.DrawMode(), int(platform::CopyPen));

    const auto boxes = printer.opsOf(1, Op::Box);
    QCOMPARE(boxes.size(), std::size_t(1));
    QVERIFY(near(boxes[0].x1, gridLeft) && near(boxes[0].y1, 10));
    QVERIFY(near(boxes[0].x2, gridLeft + gridWidth) && near(boxes[0].y2, 10 + gridHeight));
    QCOMPARE(boxes[0].colour, core::Black);
    int columns = 0, rows = 0;
    for (const Op &line : printer.opsOf(1, Op::Line)) {
        QCOMPARE(line.colour, core::Black);
        if (line.x1 == line.x2)
            QVERIFY(near(line.x1, gridLeft + gridWidth / 7 * ++columns) && near(line.y2, 10 + gridHeight));
        else
            QVERIFY(near(line.y1, 10 + gridHeight / 6 * ++rows) && near(line.x2, gridLeft + gridWidth));
    }
    QVERIFY(columns >= 6 && columns <= 7);
    QVERIFY(rows >= 5 && rows <= 6);
}

void TestPrintedPage::heading_data()
{
    QTest::addColumn<int>("paper");
    QTest::addColumn<int>("lead");
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<QString>("heading");
    QTest::addColumn<double>("left"); // centred by character count
    QTest::newRow("portrait") << int(Paper::Portrait) << int(core::Lead::Gregorian) << 2024 << 7 << "July    2024" << 24.0;
    QTest::newRow("landscape") << int(Paper::Landscape) << int(core::Lead::Gregorian) << 2024 << 7 << "July    2024" << 39.0;
    QTest::newRow("Hijri") << int(Paper::Portrait) << int(core::Lead::Hijri) << 1445 << 11 << "Thu Al-Qa'dah    1445" << 19.5;
}

void TestPrintedPage::heading()
{
    QFETCH(int, paper);
    QFETCH(int, lead);
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(QString, heading);
    QFETCH(double, left);
    RecordingPrinter printer{Paper(paper)};
    printMonth(printer, core::Lead(lead), year, month);
    const auto found = printtests::headingOf(printer, 1);
    QVERIFY(found);
    QCOMPARE(found->text, heading);
    QVERIFY2(near(found->x1, left), qPrintable(QString::number(found->x1)));
    QVERIFY(near(found->y2, 5));
    QVERIFY(found->font.bold());
    QCOMPARE(found->colour, core::Black);
}

void TestPrintedPage::dayCellsAndTwoMonthLegend()
{
    RecordingPrinter printer;
    const PrintedMonth m = printMonth(printer, core::Lead::Gregorian, 2024, 7); // 1 July 2024 is a Monday
    QCOMPARE(m.FirstCell, 2);
    QCOMPARE(m.LastCell, 32);
    QCOMPARE(m.Day, 31);
    const auto texts = printtests::textsOf(printer, 1);
    QCOMPARE(texts.front().text, QStringLiteral("Sunday"));

    const auto numbers = leadingNumbers(printer, m);
    QCOMPARE(int(numbers.size()), 31);
    for (int d = 1; d <= 31; ++d)
        QCOMPARE(numbers[std::size_t(d - 1)], std::make_pair(core::PlainNumber(d), d));
    const core::Ymd first = core::engine().GregToHijri(2024, 7, 1);
    const auto other = printtests::findText(texts, u' ' + core::PlainNumber(first.day) + u'A');
    QVERIFY(other);
    QVERIFY(near(other->x2, 23) && near(other->y2, 10 + 40.0 / 6)); // bottom-right of cell 2
    QCOMPARE(other->colour, core::KeyBlue);

    const auto left = printtests::findText(texts, QStringLiteral("A - Thu Al-Hijjah  1445"));
    const auto right = printtests::findText(texts, QStringLiteral("B - Muharram  1446"));
    QVERIFY(left && right);
    QCOMPARE(left->colour, core::KeyBlue);
    QCOMPARE(right->colour, core::KeyRed);
    QCOMPARE(left->x1, 3.0);
    QVERIFY(near(right->x2, 73));
    QVERIFY(near(left->y1, 50 + left->y2 - left->y1)); // one text line below the grid
    QVERIFY(near(right->y1, left->y1));
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
    const QStringList legend = legendOf(texts);
    QCOMPARE(legend.size(), 2);
    QCOMPARE(legend[0], legend[1]);
    QVERIFY(legend[0].startsWith(QStringLiteral("A - ")));
    for (const Op &op : texts)
        if (op.text.startsWith(u' '))
            QVERIFY2(op.text.endsWith(u'A') && op.colour == core::KeyBlue, qPrintable(op.text));
}

void TestPrintedPage::legendOfThreeMonths()
{
    std::optional<core::MonthLayout> layout;
    int32_t year = 1900, month = 1;
    for (; year <= 2100 && !layout; ++year)
        for (month = 1; month <= 12 && !layout; ++month) {
            const core::MonthLayout l = core::LayGregLedMonth(core::engine(), year, month);
            if (l.valid && l.last().monthKey == 2)
                layout = l;
        }
    QVERIFY(layout);
    RecordingPrinter printer;
    printMonth(printer, core::Lead::Gregorian, year - 1, month - 1);
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
    const auto named = [](const core::Ymd &d) { return core::HijriMonthName(d.month) + QStringLiteral("  ") + core::PlainNumber(d.year); };
    // The first and the last month are named; the middle one is not.
    QCOMPARE(legendOf(texts), QStringList({"A - " + named(layout->first().other), "C - " + named(layout->last().other)}));
    QCOMPARE(printtests::findText(texts, "C - " + named(layout->last().other))->colour, core::KeyOlive);
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
    QCOMPARE(numbers.front(), std::make_pair(core::PlainNumber(20 - w), 19));
    const core::Ymd atCell20 = core::engine().GregToHijri(622, 7, 20 - w);
    QVERIFY(printtests::findText(printtests::textsOf(printer, 1), QStringLiteral("A - ") + core::HijriMonthName(atCell20.month)
                                                                      + QStringLiteral("  ") + core::PlainNumber(atCell20.year)));
}

void TestPrintedPage::fontRestoredRounded()
{
    RecordingPrinter printer;
    printer.setFontSize(10.5);
    printMonth(printer, core::Lead::Gregorian, 2024, 7);
    QCOMPARE(printer.FontSize(), 10.0); // halves to even
    QVERIFY(!printer.FontBold());
    const auto texts = printtests::textsOf(printer, 1);
    QCOMPARE(texts.front().font.pointSizeF(), 10.5); // the weekday names come before the heading
    QCOMPARE(texts.back().font.pointSizeF(), 10.0);   // the cells after it
}

QTEST_MAIN(TestPrintedPage)
#include "test_printed_page.moc"
