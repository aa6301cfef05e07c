// Printing on a recording printer: the page (frame, heading, legend, cells), the dialog's fields,
// range checks and life between openings, and the job (one document per month, the cancel flag).
#include "core/monthlayout.h"
#include "core/names.h"
#include "core/numtext.h"
#include "core/state.h"
#include "mainwin/calmain.h"
#include "platform/clock.h"
#include "print/calcanprint.h"
#include "print/calprint.h"
#include "print/printedpage.h"
#include "printtests.h"
#include "testsupport.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <tuple>
#include <utility>

using platform::RecordingPrinter;
using printtests::Op;
using Paper = RecordingPrinter::Paper;

using testsupport::clickOption;

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

// The leading day numbers (texts at the top-left corners of cells), each with its cell.
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

const QString MonthMessage = QStringLiteral("Check your 'From Month' or 'To Month' limits");
const QString DateMessage = QStringLiteral("Check your date limits");
const QStringList GregorianToday{"2024", "7", "7"};
const QStringList HijriToday{"1446", "1", "1"}; // 16 July 2024 is 9 Muharram 1446

QStringList fields(const CalPrint &dialog)
{
    return {dialog.YearTXTPRT->text(), dialog.FromMonthTXTPRT->text(), dialog.ToMonthTXTPRT->text()};
}

void setRange(CalPrint &dialog, const QStringList &range)
{
    dialog.YearTXTPRT->setText(range[0]);
    dialog.FromMonthTXTPRT->setText(range[1]);
    dialog.ToMonthTXTPRT->setText(range[2]);
}

// Opens the print dialog from the main window's menu; `act` notes what it shows, changes it and ends it.
QPointer<CalPrint> openFromMenu(CalMain &w, const std::function<void(CalPrint &)> &act)
{
    QPointer<CalPrint> opened;
    QTimer::singleShot(0, [&] {
        if ((opened = qobject_cast<CalPrint *>(QApplication::activeModalWidget())))
            act(*opened);
        else if (QWidget *other = QApplication::activeModalWidget())
            other->close();
    });
    w.PrintCal->trigger();
    return opened;
}

} // namespace

class TestPrint : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        testsupport::installRealEngine();
        platform::pinDate(QDate(2024, 7, 16));
    }
    void init() { core::CancelPrintFlag = core::False16; }

    void pageGeometry_data()
    {
        QTest::addColumn<int>("paper");
        // scale width, grid left, width and height, heading left (centred by character count)
        QTest::addColumn<QList<double>>("sizes");
        QTest::newRow("portrait") << int(Paper::Portrait) << QList<double>{80, 3, 70, 40, 24};
        QTest::newRow("landscape") << int(Paper::Landscape) << QList<double>{110, 2.91, 97, 58.2, 39};
        QTest::newRow("square as portrait") << int(Paper::Square) << QList<double>{80, 3, 70, 40, 24};
    }

    // The frame and weekday names in black with the copy pen, whatever the printer had before.
    void pageGeometry()
    {
        QFETCH(int, paper);
        QFETCH(QList<double>, sizes);
        const double left = sizes[1], width = sizes[2], height = sizes[3];
        RecordingPrinter printer{Paper(paper)};
        printer.setForeColor(core::KeyRed);
        printer.setDrawMode(platform::XorPen);
        const PrintedMonth m = printMonth(printer, core::Lead::Gregorian, 2024, 7);
        QVERIFY(near(m.gridLeft, left) && near(m.gridWidth, width) && near(m.gridHeight, height));
        QCOMPARE(m.gridTop, 10.0f);
        const auto scales = printer.opsOf(0, Op::SetScale); // set before anything is drawn
        QCOMPARE(scales.size(), std::size_t(1));
        QCOMPARE(scales[0].x2, sizes[0]);
        QCOMPARE(scales[0].y2, 190.0 - sizes[0]);

        auto frame = printer.opsOf(1, Op::Box);
        QCOMPARE(frame.size(), std::size_t(1));
        QVERIFY(near(frame[0].x1, left) && near(frame[0].y1, 10));
        QVERIFY(near(frame[0].x2, left + width) && near(frame[0].y2, 10 + height));
        int columns = 0, rows = 0;
        for (const Op &line : printer.opsOf(1, Op::Line)) {
            if (line.x1 == line.x2)
                QVERIFY(near(line.x1, left + width / 7 * ++columns) && near(line.y2, 10 + height));
            else
                QVERIFY(near(line.y1, 10 + height / 6 * ++rows) && near(line.x2, left + width));
            frame.push_back(line);
        }
        QVERIFY(columns >= 6 && columns <= 7 && rows >= 5 && rows <= 6);
        frame.push_back(printtests::textsOf(printer, 1).front());
        for (const Op &op : frame)
            QVERIFY(op.colour == core::Black && op.drawMode == platform::CopyPen);

        const auto heading = printtests::headingOf(printer, 1);
        QVERIFY(heading);
        QVERIFY2(near(heading->x1, sizes[4]) && near(heading->y2, 5), qPrintable(QString::number(heading->x1)));
        QVERIFY(heading->font.bold());
        QCOMPARE(heading->colour, core::Black);
    }

    // The printer's size of 10.5 is kept for the weekday names and comes back rounded for the cells.
    void dayCellsAndTwoMonthLegend()
    {
        RecordingPrinter printer;
        printer.setFontSize(10.5);
        const PrintedMonth m = printMonth(printer, core::Lead::Gregorian, 2024, 7); // 1 July 2024 is a Monday
        QCOMPARE(m.FirstCell, 2);
        QCOMPARE(m.LastCell, 32);
        const auto texts = printtests::textsOf(printer, 1);
        QCOMPARE(texts.front().text, QStringLiteral("Sunday"));
        QCOMPARE(texts.front().font.pointSizeF(), 10.5);
        QCOMPARE(texts.back().font.pointSizeF(), 10.0); // halves to even
        QCOMPARE(printer.FontSize(), 10.0);
        QVERIFY(!printer.FontBold());
        const auto numbers = leadingNumbers(printer, m);
        QCOMPARE(int(numbers.size()), 31);
        for (int d = 1; d <= 31; ++d)
            QCOMPARE(numbers[std::size_t(d - 1)], std::make_pair(core::PlainNumber(d), d));
        const auto other = printtests::findText(texts, u' ' + core::PlainNumber(core::engine().GregToHijri(2024, 7, 1).day) + u'A');
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

    // Dhu al-Hijjah 1440 lies inside August 2019: one month, named on both sides. May 1919 meets three Hijri
    // months: A, B and C in the cells, only A and C named. July 622 starts at cell 20, the cells before it empty.
    void headingCellsAndLegend()
    {
        const QList<core::Colour> colours{core::KeyBlue, core::KeyRed, core::KeyOlive};
        const auto named = [](bool greg, int32_t month, int32_t year, const QString &gap) {
            return (greg ? core::GregMonthName(month) : core::HijriMonthName(month)) + gap + core::PlainNumber(year);
        };
        for (const auto &[lead, year, month, key] : {std::tuple(core::Lead::Hijri, 1440, 12, 0),
                                                     std::tuple(core::Lead::Gregorian, 1919, 5, 2),
                                                     std::tuple(core::Lead::Gregorian, 622, 7, 0)}) {
            RecordingPrinter printer;
            const PrintedMonth m = printMonth(printer, lead, year, month);
            const core::MonthLayout layout = core::LayMonth(core::engine(), lead, year, month);
            const bool greg = lead == core::Lead::Gregorian;
            QCOMPARE(printtests::headingOf(printer, 1).value_or(Op()).text, named(greg, month, year, "    "));
            QCOMPARE(std::pair(m.FirstCell, m.LastCell), std::pair(layout.FirstCell, layout.LastCell));
            QVERIFY(year != 622 || m.FirstCell == 20);
            const auto first = std::make_pair(core::PlainNumber(layout.first().leadDay), int(layout.FirstCell) - 1);
            QCOMPARE(leadingNumbers(printer, m).front(), first); // no number in the cells before it
            const auto texts = printtests::textsOf(printer, 1);
            QSet<QChar> keys;
            QStringList legend;
            for (const Op &op : texts) {
                if (op.text.contains(QStringLiteral(" - ")))
                    legend << op.text;
                else if (op.text.startsWith(u' ')) {
                    keys << op.text.back();
                    QCOMPARE(op.colour, colours.value(op.text.back().unicode() - 'A'));
                }
            }
            QCOMPARE(int(keys.size()), key + 1);
            const core::Ymd &left = layout.first().other, &right = layout.last().other;
            const QString last = core::keyLetter(int16_t(key)) + " - " + named(!greg, right.month, right.year, "  ");
            QCOMPARE(legend, QStringList({"A - " + named(!greg, left.month, left.year, "  "), last}));
            QCOMPARE(printtests::findText(texts, last)->colour, colours[key]);
        }
    }

    // Typed, then shown on leaving the field: a blank, 7 and a letter; halves to even; hexadecimal; no number.
    void fieldsBecomeWholeNumbers()
    {
        CalPrint dialog;
        QVERIFY(testsupport::activate(dialog));
        for (const auto &[typed, shown] : {std::pair(" 7x", "7"), {"2.5", "2"}, {"3.5", "4"}, {"&H0C", "12"}, {"abc", "0"}})
            for (QLineEdit *box : {dialog.YearTXTPRT, dialog.FromMonthTXTPRT, dialog.ToMonthTXTPRT}) {
                box->setFocus();
                QTest::keyClick(box, Qt::Key_Backspace); // focus selects the whole text
                QTest::keyClicks(box, typed);
                QCOMPARE(box->text(), QString(typed));
                QTest::keyClick(box, Qt::Key_Tab);
                QCOMPARE(box->text(), QString(shown));
            }
    }

    // Every row starts with a cancel flag left over from an earlier job: it must not stop the new one,
    // and a refused range must leave it.
    void rangeChecks_data()
    {
        QTest::addColumn<bool>("hijri");
        QTest::addColumn<QStringList>("range"); // year, from, to
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("pages");
        QTest::newRow("622 from 6") << false << QStringList{"622", "6", "7"} << DateMessage << 0;
        QTest::newRow("622 7..12") << false << QStringList{"622", "7", "12"} << QString() << 6;
        QTest::newRow("2562 1..1") << false << QStringList{"2562", "1", "1"} << QString() << 1;
        QTest::newRow("2562 to 2") << false << QStringList{"2562", "1", "2"} << DateMessage << 0;
        QTest::newRow("Hijri 2000 1..1") << true << QStringList{"2000", "1", "1"} << QString() << 1;
        QTest::newRow("Hijri 2000 to 2") << true << QStringList{"2000", "1", "2"} << DateMessage << 0;
        QTest::newRow("Hijri year 0") << true << QStringList{"0", "1", "1"} << DateMessage << 0;
        QTest::newRow("Hijri year 1 1..12") << true << QStringList{"1", "1", "12"} << QString() << 12;
        QTest::newRow("from 13") << false << QStringList{"2024", "13", "13"} << MonthMessage << 0;
        QTest::newRow("from 0") << false << QStringList{"2024", "0", "5"} << MonthMessage << 0;
        QTest::newRow("from 5 to 3") << false << QStringList{"2024", "5", "3"} << QString() << 0;
    }

    void rangeChecks()
    {
        QFETCH(bool, hijri);
        QFETCH(QStringList, range);
        QFETCH(QString, message);
        QFETCH(int, pages);
        testsupport::MessageCatcher messages;
        RecordingPrinter printer;
        CalPrint dialog;
        dialog.usePrinter(&printer);
        (hijri ? dialog.OPTHegiry : dialog.OPTGregorian)->setChecked(true);
        setRange(dialog, range);
        core::CancelPrintFlag = core::True16;
        dialog.PrintPRT_Click();
        QCOMPARE(messages.texts, message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(printer.documentCount(), pages);
        if (pages == 0)
            QVERIFY(printer.ops().empty()); // neither Scale nor EndDoc
        QCOMPARE(core::CancelPrintFlag, message.isEmpty() ? core::False16 : core::True16);
        QCOMPARE(fields(dialog), range);
    }

    // Switching calendars refills all three fields with today; a click on the option in force keeps
    // what was typed. Exit only hides the dialog; closing it unloads it.
    void calendarOptionsAndDialogLife()
    {
        CalMain w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QStringList seen;
        const QPointer<CalPrint> first = openFromMenu(w, [&](CalPrint &d) {
            seen << fields(d);
            d.YearTXTPRT->setText(QStringLiteral("1999"));
            clickOption(d.OPTGregorian);
            seen << d.YearTXTPRT->text();
            clickOption(d.OPTHegiry);
            seen << fields(d);
            d.YearTXTPRT->setText(QStringLiteral("1400"));
            d.OPTHegiry_Click(); // a further click event while the Hijri defaults are in
            d.CancelButton->click();
        });
        QCOMPARE(seen, GregorianToday + QStringList{"1999"} + HijriToday);
        QVERIFY(first && !first->isVisible());
        QCOMPARE(core::CancelPrintFlag, core::True16);

        seen.clear();
        openFromMenu(w, [&](CalPrint &d) {
            seen << fields(d) << (d.OPTHegiry->isChecked() ? "Hijri" : "Gregorian");
            d.close();
        });
        QCOMPARE(seen, QStringList{"1400"} + HijriToday.mid(1) + QStringList{"Hijri"});
        QVERIFY(!first); // unloaded

        seen.clear();
        openFromMenu(w, [&](CalPrint &d) {
            seen << fields(d) << (d.OPTHegiry->isChecked() ? "Hijri" : "Gregorian");
            clickOption(d.OPTHegiry);
            clickOption(d.OPTGregorian);
            seen << fields(d);
            d.CancelButton->click();
        });
        QCOMPARE(seen, GregorianToday + QStringList{"Gregorian"} + GregorianToday);
    }

    void cancelStopsAtTheNextMonth()
    {
        testsupport::MessageCatcher messages;
        RecordingPrinter printer;
        CalPrint dialog;
        dialog.usePrinter(&printer);
        dialog.show();
        setRange(dialog, {"2024", "1", "12"});
        // After the third page a click on Cancel waits in the event queue.
        bool clickPosted = false;
        printer.afterEndDoc = [&] {
            if (printer.documentCount() == 3 && !std::exchange(clickPosted, true))
                QTimer::singleShot(0, dialog.CanPrint, [&] { QTest::mouseClick(dialog.CanPrint->CancelPrinting, Qt::LeftButton); });
        };
        dialog.PrintPRT_Click();
        QCOMPARE(printer.documentCount(), 3);
        QCOMPARE(core::CancelPrintFlag, core::True16);
        QVERIFY(!dialog.CanPrint->isVisible());
        QCOMPARE(messages.count(), 0);
        // The stop: scale reset and an EndDoc with no page in progress.
        const auto &ops = printer.ops();
        QVERIFY(ops.size() >= 3);
        QCOMPARE(ops[ops.size() - 3].kind, Op::EndDoc);
        QCOMPARE(ops[ops.size() - 2].kind, Op::ResetScale);
        QCOMPARE(ops.back().kind, Op::EndDoc);
        QCOMPARE(ops.back().document, 0); // no blank page
    }
};

QTEST_MAIN(TestPrint)
#include "test_print.moc"
