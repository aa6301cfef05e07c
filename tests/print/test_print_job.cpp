// The print job on a recording printer: one document per month, in order;
// the cancel flag; the printing box and its Cancel button; printer faults.
#include "core/names.h"
#include "core/state.h"
#include "platform/clock.h"
#include "platform/window.h"
#include "print/calcanprint.h"
#include "print/calprint.h"
#include "printtests.h"
#include "testsupport.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <utility>

using platform::RecordingPrinter;
using printtests::Op;

namespace {

void setRange(CalPrint &dialog, const QString &year, const QString &from, const QString &to)
{
    dialog.YearTXTPRT->setText(year);
    dialog.FromMonthTXTPRT->setText(from);
    dialog.ToMonthTXTPRT->setText(to);
}

QStringList headings(const RecordingPrinter &printer)
{
    QStringList found;
    for (int d = 1; d <= printer.documentCount(); ++d) {
        const auto heading = printtests::headingOf(printer, d);
        found << (heading ? heading->text : QString());
    }
    return found;
}

QStringList gregorianHeadings(int from, int to, int year)
{
    QStringList expected;
    for (int m = from; m <= to; ++m)
        expected << core::GregMonthName(m) + QStringLiteral("    ") + QString::number(year);
    return expected;
}

} // namespace

class TestPrintJob : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();

    void printingBoxAsDesigned();
    void oneMonthIsOneDocument();
    void twelveMonthsInOrder();
    void everyPageInTheSameOrder();
    void backwardsRangePrintsNothing();
    void leftoverCancelFlagDoesNotStopANewJob();
    void failedValidationLeavesTheFlag();
    void cancelStopsAtTheNextMonth();
    void closingThePrintingBoxCancelsToo();
    void printWhilePrintingIsIgnored();
    void hijriOptionPrintsHijriLedPages();
    void printerFaultIsReportedOnceAndStopsTheJob();
    void faultOnTheLastMonth();
};

void TestPrintJob::initTestCase()
{
    testsupport::installRealEngine();
    platform::pinDate(QDate(2024, 7, 16));
}

void TestPrintJob::init()
{
    core::CancelPrintFlag = core::False16;
}

void TestPrintJob::printingBoxAsDesigned()
{
    CalPrint dialog;
    CalCanPrint &box = *dialog.CanPrint;
    QCOMPARE(box.windowTitle(), QStringLiteral("Printing ....."));
    QCOMPARE(box.size(), QSize(platform::px(3630), platform::px(1665)));
    QCOMPARE(box.Label1->text(), QStringLiteral("Press Cancel button to stop printing"));
    QVERIFY(box.Label1->fontMetrics().horizontalAdvance(box.Label1->text()) <= box.Label1->width()); // whole
    QCOMPARE(box.CancelPrinting->text(), QStringLiteral("Cancel"));
    QCOMPARE(box.CancelPrinting->geometry(), platform::twipsRect(600, 1080, 2295, 375));
    QVERIFY(!box.isVisible());
    box.show();
    box.CancelPrinting->click();
    QCOMPARE(core::CancelPrintFlag, core::True16);
    QVERIFY(!box.isVisible());
}

void TestPrintJob::oneMonthIsOneDocument()
{
    testsupport::MessageCatcher messages;
    RecordingPrinter printer;
    CalPrint dialog;
    dialog.usePrinter(&printer);
    bool boxShown = false;
    printer.afterEndDoc = [&] { boxShown = boxShown || dialog.CanPrint->isVisible(); };
    dialog.PrintPRT->click(); // the defaults: July 2024
    QCOMPARE(printer.documentCount(), 1);
    QCOMPARE(headings(printer), QStringList{"July    2024"});
    QVERIFY(!boxShown); // one month: no printing box
    QCOMPARE(messages.count(), 0);
    // Exactly one EndDoc: the one that ends the page.
    int endDocs = 0;
    for (const Op &op : printer.ops())
        endDocs += op.kind == Op::EndDoc;
    QCOMPARE(endDocs, 1);
}

void TestPrintJob::twelveMonthsInOrder()
{
    RecordingPrinter printer;
    CalPrint dialog;
    dialog.usePrinter(&printer);
    setRange(dialog, "2024", "1", "12");
    int boxShownAt = 0;
    printer.afterEndDoc = [&] {
        // Shown, and keeping every other window still.
        if (dialog.CanPrint->isVisible() && QApplication::activeModalWidget() == dialog.CanPrint
            && dialog.CanPrint->windowModality() == Qt::ApplicationModal)
            ++boxShownAt;
    };
    dialog.PrintPRT_Click();
    QCOMPARE(printer.documentCount(), 12);
    QCOMPARE(headings(printer), gregorianHeadings(1, 12, 2024));
    QCOMPARE(boxShownAt, 12);
    QVERIFY(!dialog.CanPrint->isVisible()); // hidden when the job ends
    QCOMPARE(core::CancelPrintFlag, core::False16);
    for (int d = 1; d <= 12; ++d) // one page each: one frame per document
        QCOMPARE(printer.opsOf(d, Op::Box).size(), std::size_t(1));
}

// Font name, scale reset, page scale and frame, weekday names, heading,
// legend and cells, scale reset, EndDoc.
void TestPrintJob::everyPageInTheSameOrder()
{
    RecordingPrinter printer;
    printer.setFontName(QStringLiteral("Courier"));
    CalPrint dialog;
    dialog.usePrinter(&printer);
    setRange(dialog, "2024", "2", "3");
    dialog.PrintPRT_Click();
    std::vector<Op::Kind> sequence;
    for (const Op &op : printer.ops())
        if (sequence.empty() || sequence.back() != op.kind)
            sequence.push_back(op.kind);
    const std::vector<Op::Kind> page{Op::ResetScale, Op::SetScale, Op::Box, Op::Line, Op::Text, Op::ResetScale, Op::EndDoc};
    std::vector<Op::Kind> twoPages = page;
    twoPages.insert(twoPages.end(), page.begin(), page.end());
    QVERIFY(sequence == twoPages);
    for (int d = 1; d <= 2; ++d) {
        const auto texts = printtests::textsOf(printer, d);
        QCOMPARE(texts.front().text, QStringLiteral("Sunday"));
        QCOMPARE(texts.front().font.family(), QStringLiteral("ARIAL"));
        QCOMPARE(texts[7].font.pointSizeF(), 30.0); // the heading follows the seven names
    }
}

void TestPrintJob::backwardsRangePrintsNothing()
{
    testsupport::MessageCatcher messages;
    RecordingPrinter printer;
    CalPrint dialog;
    dialog.usePrinter(&printer);
    setRange(dialog, "2024", "5", "3");
    core::CancelPrintFlag = core::True16;
    dialog.PrintPRT_Click();
    QVERIFY(printer.ops().empty()); // neither Scale nor EndDoc
    QCOMPARE(messages.count(), 0);
    QCOMPARE(core::CancelPrintFlag, core::False16); // it passed the checks
}

void TestPrintJob::leftoverCancelFlagDoesNotStopANewJob()
{
    RecordingPrinter printer;
    CalPrint dialog;
    dialog.usePrinter(&printer);
    setRange(dialog, "2024", "3", "4");
    dialog.CancelButton_Click(); // Exit leaves the flag true
    QCOMPARE(core::CancelPrintFlag, core::True16);
    dialog.PrintPRT_Click();
    QCOMPARE(printer.documentCount(), 2);
    QCOMPARE(core::CancelPrintFlag, core::False16);
}

void TestPrintJob::failedValidationLeavesTheFlag()
{
    testsupport::MessageCatcher messages;
    RecordingPrinter printer;
    CalPrint dialog;
    dialog.usePrinter(&printer);
    for (const int16_t flag : {core::True16, core::False16}) {
        core::CancelPrintFlag = flag;
        setRange(dialog, "2024", "13", "13");
        dialog.PrintPRT_Click();
        QCOMPARE(core::CancelPrintFlag, flag);
        setRange(dialog, "2563", "1", "1");
        dialog.PrintPRT_Click();
        QCOMPARE(core::CancelPrintFlag, flag);
    }
    QCOMPARE(messages.count(), 4);
    QVERIFY(printer.ops().empty());
}

void TestPrintJob::cancelStopsAtTheNextMonth()
{
    testsupport::MessageCatcher messages;
    RecordingPrinter printer;
    CalPrint dialog;
    dialog.usePrinter(&printer);
    dialog.show();
    setRange(dialog, "2024", "1", "12");
    // After the third page a click on Cancel waits in the event queue: the
    // job must let it through before the fourth month.
    bool clickPosted = false;
    printer.afterEndDoc = [&] {
        if (printer.documentCount() == 3 && !std::exchange(clickPosted, true))
            QTimer::singleShot(0, dialog.CanPrint, [&] {
                QVERIFY(dialog.CanPrint->isVisible());
                QTest::mouseClick(dialog.CanPrint->CancelPrinting, Qt::LeftButton);
            });
    };
    dialog.PrintPRT_Click();
    QCOMPARE(printer.documentCount(), 3);
    QCOMPARE(headings(printer), gregorianHeadings(1, 3, 2024));
    QCOMPARE(core::CancelPrintFlag, core::True16); // stays until the next job
    QVERIFY(!dialog.CanPrint->isVisible());
    QCOMPARE(messages.count(), 0);
    // The stop: scale reset and an EndDoc with no page in progress.
    const auto &ops = printer.ops();
    QCOMPARE(ops.size() >= 2, true);
    QCOMPARE(ops[ops.size() - 2].kind, Op::ResetScale);
    QCOMPARE(ops.back().kind, Op::EndDoc);
    QCOMPARE(ops.back().document, 0); // no blank page
    QCOMPARE(ops[ops.size() - 3].kind, Op::EndDoc);
    QCOMPARE(ops[ops.size() - 3].document, 3);

    // The next job starts afresh.
    printer.afterEndDoc = nullptr;
    setRange(dialog, "2024", "11", "12");
    dialog.PrintPRT_Click();
    QCOMPARE(printer.documentCount(), 5);
}

void TestPrintJob::closingThePrintingBoxCancelsToo()
{
    RecordingPrinter printer;
    CalPrint dialog;
    dialog.usePrinter(&printer);
    dialog.show();
    setRange(dialog, "2024", "1", "12");
    bool closePosted = false;
    printer.afterEndDoc = [&] {
        if (printer.documentCount() == 2 && !std::exchange(closePosted, true))
            QTimer::singleShot(0, dialog.CanPrint, [&] { dialog.CanPrint->close(); });
    };
    dialog.PrintPRT_Click();
    QCOMPARE(printer.documentCount(), 2);
    QCOMPARE(core::CancelPrintFlag, core::True16);
}

void TestPrintJob::printWhilePrintingIsIgnored()
{
    RecordingPrinter printer;
    CalPrint dialog;
    dialog.usePrinter(&printer);
    dialog.show();
    setRange(dialog, "2024", "1", "3");
    bool clickPosted = false;
    printer.afterEndDoc = [&] {
        if (printer.documentCount() == 1 && !std::exchange(clickPosted, true))
            QTimer::singleShot(0, &dialog, [&] { dialog.PrintPRT->click(); });
    };
    dialog.PrintPRT_Click();
    QCOMPARE(printer.documentCount(), 3);
    QCOMPARE(headings(printer), gregorianHeadings(1, 3, 2024));
}

void TestPrintJob::hijriOptionPrintsHijriLedPages()
{
    RecordingPrinter printer;
    CalPrint dialog;
    dialog.usePrinter(&printer);
    dialog.OPTHegiry->setChecked(true);
    setRange(dialog, "1446", "1", "2");
    dialog.PrintPRT_Click();
    QCOMPARE(headings(printer), QStringList({"Muharram    1446", "Safar    1446"}));
    const auto texts = printtests::textsOf(printer, 1);
    const auto legend = printtests::findText(texts, QStringLiteral("A - July  2024"));
    QVERIFY(legend);
    QCOMPARE(printtests::findText(texts, QStringLiteral("1"))->colour, core::Black);
}

void TestPrintJob::printerFaultIsReportedOnceAndStopsTheJob()
{
    testsupport::MessageCatcher messages;
    RecordingPrinter printer;
    printer.failDocumentAtEnd(2, QStringLiteral("out of paper"));
    CalPrint dialog;
    dialog.usePrinter(&printer);
    dialog.show();
    setRange(dialog, "2024", "1", "6");
    dialog.PrintPRT_Click();
    QCOMPARE(printer.documentCount(), 2); // nothing after the failed one
    QCOMPARE(messages.count(), 1);
    QCOMPARE(messages.titles[0], QStringLiteral("Printing ....."));
    QVERIFY(messages.texts[0].contains(QStringLiteral("\"Recorder\"")));
    QVERIFY(messages.texts[0].contains(QStringLiteral("out of paper")));
    QVERIFY(messages.texts[0].contains(QStringLiteral("February 2024 and the months after it were not printed.")));
    QVERIFY(!dialog.CanPrint->isVisible());
    QVERIFY(dialog.isVisible()); // the dialog stays open

    // The program goes on working: the next job prints.
    setRange(dialog, "2024", "9", "9");
    dialog.PrintPRT_Click();
    QCOMPARE(printer.documentCount(), 3);
    QCOMPARE(messages.count(), 1);
}

void TestPrintJob::faultOnTheLastMonth()
{
    testsupport::MessageCatcher messages;
    RecordingPrinter printer;
    printer.failDocumentAtEnd(1, QStringLiteral("jammed"));
    CalPrint dialog;
    dialog.usePrinter(&printer);
    dialog.OPTHegiry->setChecked(true);
    setRange(dialog, "1446", "3", "3");
    dialog.PrintPRT_Click();
    QCOMPARE(messages.count(), 1);
    QVERIFY(messages.texts[0].endsWith(QStringLiteral("Rabi I 1446 was not printed.")));
}

QTEST_MAIN(TestPrintJob)
#include "test_print_job.moc"
