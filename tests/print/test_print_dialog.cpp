// The print dialog and its job on a recording printer: fields rewritten as
// whole numbers, the range checks, the calendar options, the dialog's life
// between openings, one document per month, the cancel flag.
#include "core/names.h"
#include "core/state.h"
#include "mainwin/calmain.h"
#include "platform/clock.h"
#include "print/calcanprint.h"
#include "print/calprint.h"
#include "printtests.h"
#include "testsupport.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <utility>

using platform::RecordingPrinter;
using printtests::Op;

namespace {

const QString MonthMessage = QStringLiteral("Check your 'From Month' or 'To Month' limits");
const QString DateMessage = QStringLiteral("Check your date limits");

void clickOption(QRadioButton *option)
{
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(8, option->height() / 2));
}

QStringList fields(const CalPrint &dialog)
{
    return {dialog.YearTXTPRT->text(), dialog.FromMonthTXTPRT->text(), dialog.ToMonthTXTPRT->text()};
}

void setRange(CalPrint &dialog, const QString &year, const QString &from, const QString &to)
{
    dialog.YearTXTPRT->setText(year);
    dialog.FromMonthTXTPRT->setText(from);
    dialog.ToMonthTXTPRT->setText(to);
}

QStringList hijriToday()
{
    int32_t day = 0, month = 0, year = 0;
    core::TodayHijri(day, month, year);
    return {QString::number(year), QString::number(month), QString::number(month)};
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

QStringList gregorianHeadings(int from, int to)
{
    QStringList expected;
    for (int m = from; m <= to; ++m)
        expected << core::GregMonthName(m) + QStringLiteral("    2024");
    return expected;
}

struct Seen {
    QPointer<CalPrint> dialog;
    QStringList fields;
    bool hijri = false;
};

// Opens the print dialog from the main window's menu, notes what it shows,
// lets `act` change it and end it.
Seen openFromMenu(CalMain &w, const std::function<void(CalPrint &)> &act)
{
    Seen seen;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<CalPrint *>(QApplication::activeModalWidget());
        if (!dialog) {
            if (QWidget *other = QApplication::activeModalWidget())
                other->close();
            return;
        }
        seen = {dialog, fields(*dialog), dialog->OPTHegiry->isChecked()};
        act(*dialog);
    });
    w.PrintCal->trigger();
    return seen;
}

} // namespace

class TestPrintDialog : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void fieldsBecomeWholeNumbers_data();
    void fieldsBecomeWholeNumbers();
    void rangeChecks_data();
    void rangeChecks();
    void switchingCalendars();
    void exitKeepsTheDialogCloseUnloadsIt();
    void oneMonthIsOneDocument();
    void twelveMonthsInOrder();
    void cancelStopsAtTheNextMonth();
    void hijriOptionPrintsHijriLedPages();
};

void TestPrintDialog::initTestCase()
{
    testsupport::installRealEngine();
    platform::pinDate(QDate(2024, 7, 16));
}

void TestPrintDialog::init()
{
    core::CancelPrintFlag = core::False16;
}

void TestPrintDialog::fieldsBecomeWholeNumbers_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("blank, 7, letter") << " 7x" << "7";
    QTest::newRow("2.5 to even") << "2.5" << "2";
    QTest::newRow("3.5 to even") << "3.5" << "4";
    QTest::newRow("hexadecimal") << "&H0C" << "12";
    QTest::newRow("letters") << "abc" << "0";
}

void TestPrintDialog::fieldsBecomeWholeNumbers()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    CalPrint dialog;
    dialog.show();
    dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    for (QLineEdit *box : {dialog.YearTXTPRT, dialog.FromMonthTXTPRT, dialog.ToMonthTXTPRT}) {
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Backspace); // focus selects the whole text
        QTest::keyClicks(box, typed);
        QCOMPARE(box->text(), typed);
        QTest::keyClick(box, Qt::Key_Tab);
        QCOMPARE(box->text(), shown);
    }
}

// Every row starts with a cancel flag left over from an earlier job: it
// must not stop the new one, and a refused range must leave it.
void TestPrintDialog::rangeChecks_data()
{
    QTest::addColumn<bool>("hijri");
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("pages");
    QTest::newRow("622 from 6") << false << "622" << "6" << "7" << DateMessage << 0;
    QTest::newRow("622 7..12") << false << "622" << "7" << "12" << QString() << 6;
    QTest::newRow("2562 1..1") << false << "2562" << "1" << "1" << QString() << 1;
    QTest::newRow("2562 to 2") << false << "2562" << "1" << "2" << DateMessage << 0;
    QTest::newRow("Hijri 2000 1..1") << true << "2000" << "1" << "1" << QString() << 1;
    QTest::newRow("Hijri 2000 to 2") << true << "2000" << "1" << "2" << DateMessage << 0;
    QTest::newRow("Hijri year 0") << true << "0" << "1" << "1" << DateMessage << 0;
    QTest::newRow("Hijri year 1 1..12") << true << "1" << "1" << "12" << QString() << 12;
    QTest::newRow("from 13") << false << "2024" << "13" << "13" << MonthMessage << 0;
    QTest::newRow("from 0") << false << "2024" << "0" << "5" << MonthMessage << 0;
    QTest::newRow("from 5 to 3") << false << "2024" << "5" << "3" << QString() << 0;
}

void TestPrintDialog::rangeChecks()
{
    QFETCH(bool, hijri);
    QFETCH(QString, year);
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QString, message);
    QFETCH(int, pages);
    testsupport::MessageCatcher messages;
    RecordingPrinter printer;
    CalPrint dialog;
    dialog.usePrinter(&printer);
    (hijri ? dialog.OPTHegiry : dialog.OPTGregorian)->setChecked(true);
    setRange(dialog, year, from, to);
    core::CancelPrintFlag = core::True16;
    dialog.PrintPRT_Click();
    QCOMPARE(messages.texts, message.isEmpty() ? QStringList() : QStringList{message});
    if (!message.isEmpty())
        QCOMPARE(messages.titles, QStringList{"Input Error ....."});
    QCOMPARE(printer.documentCount(), pages);
    if (pages == 0)
        QVERIFY(printer.ops().empty()); // neither Scale nor EndDoc
    QCOMPARE(core::CancelPrintFlag, message.isEmpty() ? core::False16 : core::True16);
    QCOMPARE(fields(dialog), QStringList({year, from, to}));
}

void TestPrintDialog::switchingCalendars()
{
    CalPrint dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(fields(dialog), QStringList({"2024", "7", "7"}));
    QCOMPARE(dialog.FieldsCalendar, int16_t(1));
    dialog.YearTXTPRT->setText(QStringLiteral("1999"));
    clickOption(dialog.OPTGregorian); // already selected: the typed year stays
    QCOMPARE(dialog.YearTXTPRT->text(), QStringLiteral("1999"));

    clickOption(dialog.OPTHegiry);
    QCOMPARE(fields(dialog), hijriToday());
    QCOMPARE(dialog.FieldsCalendar, int16_t(0));
    dialog.YearTXTPRT->setText(QStringLiteral("1400"));
    dialog.OPTHegiry_Click(); // a further click while the Hijri defaults are in
    QCOMPARE(dialog.YearTXTPRT->text(), QStringLiteral("1400"));

    clickOption(dialog.OPTGregorian);
    QCOMPARE(fields(dialog), QStringList({"2024", "7", "7"}));
    QCOMPARE(dialog.FieldsCalendar, int16_t(1));
}

void TestPrintDialog::exitKeepsTheDialogCloseUnloadsIt()
{
    CalMain w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));

    // Hijri chosen, a year typed, Exit: hidden, still loaded, cancel flag set.
    const Seen first = openFromMenu(w, [](CalPrint &d) {
        d.OPTHegiry->setChecked(true);
        d.YearTXTPRT->setText(QStringLiteral("1400"));
        d.CancelButton->click();
    });
    QVERIFY(first.dialog);
    QCOMPARE(first.fields, QStringList({"2024", "7", "7"}));
    QCOMPARE(w.printForm(), first.dialog.data());
    QVERIFY(!first.dialog->isVisible());
    QCOMPARE(core::CancelPrintFlag, core::True16);

    // Reopened as it was left; closed from its frame: unloaded.
    const Seen second = openFromMenu(w, [](CalPrint &d) { d.close(); });
    QCOMPARE(second.dialog, first.dialog);
    QCOMPARE(second.fields, QStringList({"1400"}) + hijriToday().mid(1));
    QVERIFY(second.hijri);
    QVERIFY(!w.printForm());
    QVERIFY(!first.dialog);

    // Made anew with today's Gregorian defaults.
    const Seen third = openFromMenu(w, [](CalPrint &d) { d.CancelButton->click(); });
    QVERIFY(third.dialog);
    QCOMPARE(third.fields, QStringList({"2024", "7", "7"}));
    QVERIFY(!third.hijri);
}

void TestPrintDialog::oneMonthIsOneDocument()
{
    testsupport::MessageCatcher messages;
    RecordingPrinter printer;
    CalPrint dialog;
    dialog.usePrinter(&printer);
    dialog.PrintPRT->click(); // the defaults: July 2024
    QCOMPARE(headings(printer), QStringList{"July    2024"});
    QCOMPARE(messages.count(), 0);
    int endDocs = 0;
    for (const Op &op : printer.ops())
        endDocs += op.kind == Op::EndDoc;
    QCOMPARE(endDocs, 1);
}

void TestPrintDialog::twelveMonthsInOrder()
{
    RecordingPrinter printer;
    CalPrint dialog;
    dialog.usePrinter(&printer);
    setRange(dialog, "2024", "1", "12");
    int boxShown = 0;
    printer.afterEndDoc = [&] { boxShown += QApplication::activeModalWidget() == dialog.CanPrint; };
    dialog.PrintPRT_Click();
    QCOMPARE(headings(printer), gregorianHeadings(1, 12));
    QCOMPARE(boxShown, 12);
    QVERIFY(!dialog.CanPrint->isVisible());
    for (int d = 1; d <= 12; ++d) // one page each
        QCOMPARE(printer.opsOf(d, Op::Box).size(), std::size_t(1));
}

void TestPrintDialog::cancelStopsAtTheNextMonth()
{
    testsupport::MessageCatcher messages;
    RecordingPrinter printer;
    CalPrint dialog;
    dialog.usePrinter(&printer);
    dialog.show();
    setRange(dialog, "2024", "1", "12");
    // After the third page a click on Cancel waits in the event queue.
    bool clickPosted = false;
    printer.afterEndDoc = [&] {
        if (printer.documentCount() == 3 && !std::exchange(clickPosted, true))
            QTimer::singleShot(0, dialog.CanPrint, [&] { QTest::mouseClick(dialog.CanPrint->CancelPrinting, Qt::LeftButton); });
    };
    dialog.PrintPRT_Click();
    QCOMPARE(headings(printer), gregorianHeadings(1, 3));
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

void TestPrintDialog::hijriOptionPrintsHijriLedPages()
{
    RecordingPrinter printer;
    CalPrint dialog;
    dialog.usePrinter(&printer);
    dialog.OPTHegiry->setChecked(true);
    setRange(dialog, "1446", "1", "2");
    dialog.PrintPRT_Click();
    QCOMPARE(headings(printer), QStringList({"Muharram    1446", "Safar    1446"}));
    QVERIFY(printtests::findText(printtests::textsOf(printer, 1), QStringLiteral("A - July  2024")));
}

QTEST_MAIN(TestPrintDialog)
#include "test_print_dialog.moc"
