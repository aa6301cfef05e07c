// Printing on the recording printer: every page's frame and month on each paper either way, the print dialog's
// boxes and checks, and a job's months, cancel and presses. (The real spooler: test_print_spooler; the options and
// the dialog's life through the X server: test_x11.)
#include "core/names.h"
#include "core/numtext.h"
#include "core/state.h"
#include "print/calcanprint.h"
#include "print/calprint.h"
#include "testsupport.h"

using namespace testsupport;
using Op = RecordingPrinter::Op;

namespace {

bool near(double a, double b) { return std::abs(a - b) <= 1e-3; }
QRectF box(const Op &op) { return QRectF(QPointF(op.x1, op.y1), QPointF(op.x2, op.y2)).normalized(); }

// A dialog printing on its own recording printer, messages caught.
struct Printing {
    MessageCatcher messages;
    RecordingPrinter printer;
    CalPrint dialog;
    explicit Printing(QPageSize::PageSizeId paper = QPageSize::A4,
                      QPageLayout::Orientation orientation = QPageLayout::Portrait)
        : printer(paper, orientation)
    {
        dialog.usePrinter(&printer);
    }
};

} // namespace

class TestPrint : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { realEngine(); }

    // A month on a paper, against the layout's own numbers: portrait 80 x 110 units with a 70 x 40 grid at (3, 10),
    // landscape 110 x 80 shrunk by 0.97. The grid and the weekday names (each narrower than its column), the heading
    // centred by its character count, the legend under the grid from edge to edge naming the first and last of the
    // other calendar's months met; every day in its cell, the other calendar's in its key's colour and letter.
    void page_data() // the month (calendar, year, month)|the legend's first and last
    {
        addRows({"A4, July 2024: two Hijri months|G 2024 7|A - Thu Al-Hijjah  1445|B - Muharram  1446",
                 "A4 lying, Dhu al-Hijjah 1440 inside August|H 1440 12|A - August  2019|A - August  2019",
                 "Letter, May 1919: three Hijri months|G 1919 5|A - Rajab  1337|C - Ramadan  1337",
                 "Letter lying, July 622 from the era's first day|G 622 7|A - Muharram  1|A - Muharram  1",
                 "A5, September 2024|G 2024 9|A - Safar  1446|B - Rabi I  1446",
                 "A5 lying, Ramadan 1445|H 1445 9|A - March  2024|B - April  2024"});
    }

    void page()
    {
        QFETCH(QStringList, row);
        const QString tag = QTest::currentDataTag();
        const QStringList month = row[0].split(u' '), legend = row.mid(1);
        const bool landscape = tag.contains(u" lying");
        const auto paper = tag.startsWith(u"A4") ? QPageSize::A4
            : tag.startsWith(u"A5")              ? QPageSize::A5
                                                 : QPageSize::Letter;
        const double width = landscape ? 110 : 80, height = landscape ? 80 : 110, shrink = landscape ? 0.97 : 1;
        const double w7 = (landscape ? 100 : 70) * shrink / 7, h6 = (landscape ? 60 : 40) * shrink / 6;
        const QRectF grid(width * shrink / 2 - 3.5 * w7 - 2 * shrink, 10, 7 * w7, 6 * h6);
        const auto onLine
            = [](double v, double origin, double step) { return near(std::remainder(v - origin, step), 0); };
        Printing p(paper, landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
        p.printer.setForeColor(core::KeyRed); // a printer left red, in XOR, at 10.5 pt
        p.printer.setDrawMode(platform::XorPen);
        p.printer.setFontSize(10.5);
        print(p.dialog, month[0] == u"H", {month[1], month[2], month[2]});
        const std::vector<Op> lines = p.printer.opsOf(1, Op::Line), texts = textsOf(p.printer, 1);
        QVERIFY(p.printer.documentCount() == 1 && lines.size() >= 15); // the frame and the lines between
        for (const Op &line : lines) // in page units of the paper's scale, on the grid's lines, black
            QVERIFY(near(line.x1, line.onPaper.left() * width) && near(line.y1, line.onPaper.top() * height)
                    && line.colour == core::Black
                    && (line.x1 == line.x2
                            ? onLine(line.x1, grid.left(), w7) && near(std::abs(line.y2 - line.y1), 6 * h6)
                            : onLine(line.y1, grid.top(), h6) && near(std::abs(line.x2 - line.x1), 7 * w7)));
        for (int k = 0; k < 7; ++k)
            QVERIFY(texts[k].text == core::WeekDayName(k)
                    && near(box(texts[k]).center().x(), grid.left() + w7 * (k + 0.5)) && near(texts[k].y2, grid.top())
                    && box(texts[k]).width() < w7 && texts[k].colour == core::Black
                    && texts[k].drawMode == platform::CopyPen);
        const double header = texts.front().font.pointSizeF(); // the printer's own size, less on narrow columns only
        QVERIFY(paper == QPageSize::A5 && !landscape ? header < 10.5 : header == 10.5);
        const Op heading = *headingOf(p.printer, 1);
        QCOMPARE(heading.text,
                 core::MonthName(month[0] == u"H" ? core::Lead::Hijri : core::Lead::Gregorian, month[2].toInt())
                     + "    " + month[1]);
        QVERIFY(near(heading.x1, width / 2 - heading.text.size() / 2.0 - 10) && heading.font.bold()
                && (near(heading.y2, 5) || near(heading.y1, 0))); // its top on the paper's where 5 is too little
        QStringList named;
        QString keys;
        for (const Op &op : texts) {
            for (const Op &other : texts) // no two texts overlap; they may touch
                QVERIFY2(&op == &other || (box(op) & box(other)).width() < 1e-3
                             || (box(op) & box(other)).height() < 1e-3,
                         qPrintable(op.text + u'/' + other.text));
            if (op.text.contains(u" - ")) { // the legend, one line under the grid, from edge to edge
                named << op.text;
                QVERIFY(near(op.y1, grid.bottom() + op.y2 - op.y1)
                        && (named.size() == 1 ? near(op.x1, grid.left()) : near(op.x2, grid.right())));
            } else if (op.text.startsWith(u' ')) { // the other calendar's day, its key letter and colour
                keys += op.text.back();
                QVERIFY(near(op.x2, grid.left() + w7 * std::round((op.x2 - grid.left()) / w7))
                        && op.colour == core::monthKeyColour(int16_t(op.text.back().unicode() - u'A')));
            } else if (op.text.toInt() > 0 && &op != &texts.back() && op.font.pointSizeF() < 30) {
                QVERIFY(onLine(op.x1, grid.left(), w7) && onLine(op.y1, grid.top(), h6)); // at its cell's corner
                QCOMPARE(op.font.pointSizeF(), 10.0); // the printer's size rounded, half to even
            }
        }
        QVERIFY(named == legend && keys.front() == u'A' && keys.back() == legend[1].front());
    }

    // Typed into year, From and To (each left by Tab, so written back as its plain number; past 32 bits the limit):
    // the message, the months printed. A cancel flag left over must not stop a job; a refusal leaves it set.
    void rangeChecks_data() // calendar;year;From;To typed|written back|message|months printed
    {
        addRows({"June 622|G;622;6;7|622 6 7|dates|0", "July to December 622|G;622; 7x;12|622 7 12||6",
                 "October 1582|G;1582;10;10|1582 10 10||1", "Hijri Ramadan 990|H;990;9;9|990 9 9||1",
                 "February 2562|G;2562;1;2|2562 1 2|dates|0", "Hijri year 1|H;1;1;12|1 1 12||12",
                 "Hijri Safar 2000|H;2000;1;2|2000 1 2|dates|0", "From 13|G;2024;&H0D;13|2024 13 13|months|0",
                 "2.5 is 2, 3.5 is 4|G;2024;2.5;3.5|2024 2 4||3", "From 5 to 3: no word|G;2024;5;3|2024 5 3||0",
                 "past 32 bits|G;99999999999;1;1|2147483647 1 1|dates|0"});
    }

    void rangeChecks()
    {
        QFETCH(QStringList, row);
        const QStringList typed = row[0].split(u';');
        const QString written = row[1],
                      message = row[2] == u"dates" ? "Input Error .....: Check your date limits"
            : row[2] == u"months"                  ? "Input Error .....: Check your 'From Month' or 'To Month' limits"
                                                   : "";
        const int pages = row[3].toInt();
        Printing p;
        QVERIFY(activate(p.dialog));
        click(option(p.dialog, typed[0] == u"H" ? "OPTHegiry" : "OPTGregorian"));
        QStringList fields;
        for (const char *name : {"YearTXTPRT", "FromMonthTXTPRT", "ToMonthTXTPRT"}) {
            type(testsupport::box(p.dialog, name), typed[fields.size() + 1]);
            fields << testsupport::box(p.dialog, name)->text();
            QVERIFY(showsBeginning(testsupport::box(p.dialog, name)));
        }
        core::CancelPrintFlag = core::True16;
        click(button(p.dialog, "PrintPRT"));
        QCOMPARE(fields.join(u' '), written);
        QCOMPARE(p.messages.shown, message.isEmpty() ? QStringList() : QStringList{message});
        QVERIFY(p.printer.documentCount() == pages && p.printer.endDocCount() == pages); // nothing ended without a page
        QCOMPARE(core::CancelPrintFlag, message.isEmpty() ? core::False16 : core::True16);
        for (int month = 1; month <= pages; ++month)
            QCOMPARE(headingOf(p.printer, month)->text.section(u' ', -1), fields[0]);
    }

    // The printing box, up before the first month goes out, stops the job at the next month by a click on its
    // Cancel, Enter or Space on it, Escape, or closing it; no blank page follows. The dialog's Exit during a job
    // stops it too, hiding the dialog.
    void cancel_data()
    {
        QTest::addColumn<QString>("how");
        for (const char *how : {"click", "Escape", "Return", "Space", "close", "Exit"})
            QTest::newRow(how) << how;
    }

    void cancel()
    {
        QFETCH(QString, how);
        Printing p;
        QVERIFY(activate(p.dialog));
        CalCanPrint *box = p.dialog.findChild<CalCanPrint *>();
        QPushButton *cancel = button(*box, "CancelPrinting");
        bool boxUpFirst = false;
        p.printer.afterEndDoc = [&] {
            boxUpFirst |= p.printer.documentCount() == 1 && box->isVisible();
            if (p.printer.documentCount() == 1)
                QTimer::singleShot(0, box, [&] {
                    cancel->setFocus(Qt::TabFocusReason);
                    how == u"click"       ? click(cancel)
                        : how == u"close" ? void(box->close())
                        : how == u"Exit"  ? button(p.dialog, "CancelButton")->click()
                                          : QTest::keyClick(cancel, Qt::Key(QKeySequence::fromString(how)[0].key()));
                });
        };
        print(p.dialog, false, {"2024", "1", "12"});
        QVERIFY(boxUpFirst && !box->isVisible() && p.messages.shown.isEmpty());
        QVERIFY(p.printer.documentCount() == 1 && p.printer.endDocCount() == 2); // the stop ends no page
        QCOMPARE(p.dialog.isVisible(), how != u"Exit");
    }

    // A click on Print and Space on it, while a job runs or waiting in the queue when it ends, print nothing more;
    // meanwhile Print is drawn grey. The focus stays on Print, where Space prints again.
    void onePressOneJob_data()
    {
        QTest::addColumn<int>("count"); // months from January
        QTest::newRow("twelve months") << 12;
        QTest::newRow("one month") << 1;
    }

    void onePressOneJob()
    {
        QFETCH(int, count);
        Printing p;
        QVERIFY(activate(p.dialog));
        QPushButton *print = button(p.dialog, "PrintPRT");
        bool pressed = false, grey = false, boxShown = false;
        p.printer.afterEndDoc = [&] {
            boxShown |= p.dialog.findChild<CalCanPrint *>()->isVisible(); // for several months only
            if (p.printer.documentCount() == 1)
                QTimer::singleShot(0, &p.dialog, [&] {
                    grey = !print->isEnabled()
                        && print->palette().color(QPalette::Disabled, QPalette::ButtonText) != QColor(Qt::black);
                    click(print);
                    QTest::keyClick(print, Qt::Key_Space); // the keyboard reaches past the printing box
                    pressed = true;
                });
        };
        fill(p.dialog, false, {"2024", "1", QString::number(count)});
        print->setFocus(Qt::TabFocusReason);
        QTest::keyClick(print, Qt::Key_Space);
        QVERIFY(pressed && grey && print->isEnabled() && p.dialog.focusWidget() == print);
        QCOMPARE(p.printer.documentCount(), count);
        QCOMPARE(boxShown, count > 1);
        p.printer.afterEndDoc = {};
        QTest::keyClick(print, Qt::Key_Space);
        QCOMPARE(p.printer.documentCount(), 2 * count);
        QCOMPARE(p.messages.shown, QStringList());
    }
};

QTEST_MAIN(TestPrint)
#include "test_print.moc"
