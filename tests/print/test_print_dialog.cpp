// The print dialog: layout, today's defaults in either calendar, fields
// rewritten as whole numbers, the range checks and their messages, and the
// dialog's life between openings from the main window's menu.
#include "core/names.h"
#include "core/state.h"
#include "mainwin/calmain.h"
#include "platform/clock.h"
#include "platform/window.h"
#include "print/calprint.h"
#include "printtests.h"
#include "testsupport.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

using platform::RecordingPrinter;

namespace {

const QString MonthMessage = QStringLiteral("Check your 'From Month' or 'To Month' limits");
const QString DateMessage = QStringLiteral("Check your date limits");

// A click on the option's indicator.
void clickOption(QRadioButton *option)
{
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(8, option->height() / 2));
}

struct Today {
    int32_t day, month, year;
};

Today todayHijri()
{
    Today t{};
    core::TodayHijri(t.day, t.month, t.year);
    return t;
}

QStringList fields(const CalPrint &dialog)
{
    return {dialog.YearTXTPRT->text(), dialog.FromMonthTXTPRT->text(), dialog.ToMonthTXTPRT->text()};
}

bool activate(QWidget &w)
{
    w.show();
    w.activateWindow();
    return QTest::qWaitForWindowActive(&w);
}

// What a modal print dialog showed while it was open.
struct Seen {
    QPointer<CalPrint> dialog;
    QStringList fields;
    bool hijri = false;
    int16_t fieldsCalendar = -1;
};

// Opens the print dialog from the main window's menu, looks at it, lets
// `act` change it, then ends it with `end`.
Seen openFromMenu(CalMain &w, const std::function<void(CalPrint &)> &act,
                  const std::function<void(CalPrint &)> &end)
{
    Seen seen;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<CalPrint *>(QApplication::activeModalWidget());
        if (!dialog) {
            if (QWidget *other = QApplication::activeModalWidget())
                other->close();
            return;
        }
        seen.dialog = dialog;
        seen.fields = fields(*dialog);
        seen.hijri = dialog->OPTHegiry->isChecked();
        seen.fieldsCalendar = dialog->FieldsCalendar;
        act(*dialog);
        end(*dialog);
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

    void layoutAsDesigned();
    void gregorianDefaultsFromToday();
    void fieldsBecomeWholeNumbers_data();
    void fieldsBecomeWholeNumbers();
    void focusSelectsTheWholeText();
    void enterInAFieldPrintsNothing();

    void rangeChecks_data();
    void rangeChecks();
    void monthInRangeAndDateLimits();

    void switchingCalendarsRefillsTheFields();
    void clickingTheSelectedCalendarKeepsTypedFields();
    void arrowKeysSwitchCalendarsToo();

    void exitKeepsTheDialogCloseUnloadsIt();
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

void TestPrintDialog::layoutAsDesigned()
{
    CalPrint dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Print"));
    QCOMPARE(dialog.size(), QSize(platform::px(4485), platform::px(3975)));
    QCOMPARE(dialog.YearTXTPRT->geometry(), platform::twipsRect(1365, 630, 1170, 435));
    QCOMPARE(dialog.FromMonthTXTPRT->geometry(), platform::twipsRect(1365, 1680, 1170, 435));
    QCOMPARE(dialog.ToMonthTXTPRT->geometry(), platform::twipsRect(1365, 2730, 1170, 435));
    QCOMPARE(dialog.OPTGregorian->geometry(), platform::twipsRect(210, 3465, 2325, 435));
    QCOMPARE(dialog.OPTHegiry->geometry(), platform::twipsRect(3045, 3465, 1170, 435));
    QCOMPARE(dialog.PrintPRT->geometry(), platform::twipsRect(2940, 1050, 1170, 540));
    QCOMPARE(dialog.CancelButton->geometry(), platform::twipsRect(2940, 2205, 1170, 540));
    QCOMPARE(dialog.Label1->geometry(), platform::twipsRect(105, 735, 1170, 330));
    QCOMPARE(dialog.Label2->text(), QStringLiteral("From Month"));
    QCOMPARE(dialog.Label3->text(), QStringLiteral("To Month"));
    QCOMPARE(dialog.OPTGregorian->text(), QStringLiteral("Gregorian / Christian"));
    QCOMPARE(dialog.OPTHegiry->text(), QStringLiteral("Hijri"));
    QCOMPARE(dialog.PrintPRT->text(), QStringLiteral("Print"));
    QCOMPARE(dialog.CancelButton->text(), QStringLiteral("Exit"));
    QVERIFY(dialog.OPTGregorian->isChecked());
    QVERIFY(!dialog.OPTHegiry->isChecked());
    QCOMPARE(dialog.font().family(), QStringLiteral("Arial"));
    QVERIFY(dialog.font().bold());

    const QList<QWidget *> order{dialog.YearTXTPRT, dialog.FromMonthTXTPRT, dialog.ToMonthTXTPRT,
                                 dialog.OPTGregorian, dialog.OPTHegiry, dialog.PrintPRT, dialog.CancelButton};
    for (int i = 0; i + 1 < order.size(); ++i) {
        QWidget *next = order[i]->nextInFocusChain();
        while (!(next->focusPolicy() & Qt::TabFocus))
            next = next->nextInFocusChain();
        QCOMPARE(next, order[i + 1]);
    }
}

void TestPrintDialog::gregorianDefaultsFromToday()
{
    CalPrint dialog;
    QCOMPARE(fields(dialog), QStringList({"2024", "7", "7"}));
    QCOMPARE(dialog.FieldsCalendar, int16_t(1));
    platform::pinDate(QDate(2031, 12, 31));
    CalPrint later;
    QCOMPARE(fields(later), QStringList({"2031", "12", "12"}));
    platform::pinDate(QDate(2024, 7, 16));
}

void TestPrintDialog::fieldsBecomeWholeNumbers_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("blank, 7, letter") << " 7x" << "7";
    QTest::newRow("2.5 to even") << "2.5" << "2";
    QTest::newRow("3.5 to even") << "3.5" << "4";
    QTest::newRow("hexadecimal") << "&H0C" << "12";
    QTest::newRow("octal") << "&O17" << "15";
    QTest::newRow("letters") << "abc" << "0";
    QTest::newRow("empty") << "" << "0";
    QTest::newRow("negative") << "-3" << "-3";
    QTest::newRow("too large") << "99999999999" << "2147483647";
}

void TestPrintDialog::fieldsBecomeWholeNumbers()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    CalPrint dialog;
    QVERIFY(activate(dialog));
    for (QLineEdit *box : {dialog.YearTXTPRT, dialog.FromMonthTXTPRT, dialog.ToMonthTXTPRT}) {
        box->setFocus();
        QVERIFY(box->hasFocus());
        QTest::keyClick(box, Qt::Key_Backspace); // the whole text is selected
        QTest::keyClicks(box, typed);
        QCOMPARE(box->text(), typed);
        QTest::keyClick(box, Qt::Key_Tab);
        QVERIFY(!box->hasFocus());
        QCOMPARE(box->text(), shown);
    }
}

void TestPrintDialog::focusSelectsTheWholeText()
{
    CalPrint dialog;
    QVERIFY(activate(dialog));
    dialog.ToMonthTXTPRT->setFocus();
    dialog.YearTXTPRT->setText(QStringLiteral("1999"));
    dialog.YearTXTPRT->setFocus();
    QCOMPARE(dialog.YearTXTPRT->selectedText(), QStringLiteral("1999"));
    QTest::keyClick(dialog.YearTXTPRT, Qt::Key_Tab);
    QVERIFY(dialog.FromMonthTXTPRT->hasFocus());
    QCOMPARE(dialog.FromMonthTXTPRT->selectedText(), QStringLiteral("7"));
    QTest::keyClicks(dialog.FromMonthTXTPRT, QStringLiteral("3"));
    QCOMPARE(dialog.FromMonthTXTPRT->text(), QStringLiteral("3")); // typing replaces it
}

void TestPrintDialog::enterInAFieldPrintsNothing()
{
    testsupport::MessageCatcher messages;
    RecordingPrinter printer;
    CalPrint dialog;
    dialog.usePrinter(&printer);
    QVERIFY(activate(dialog));
    dialog.FromMonthTXTPRT->setFocus();
    QTest::keyClick(dialog.FromMonthTXTPRT, Qt::Key_Return);
    QVERIFY(printer.ops().empty());
    QVERIFY(dialog.isVisible());
}

void TestPrintDialog::rangeChecks_data()
{
    QTest::addColumn<bool>("hijri");
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("pages");
    QTest::newRow("Gregorian 622 from 6") << false << "622" << "6" << "7" << DateMessage << 0;
    QTest::newRow("Gregorian 622 to 6") << false << "622" << "7" << "6" << DateMessage << 0;
    QTest::newRow("Gregorian 622 7..12") << false << "622" << "7" << "12" << QString() << 6;
    QTest::newRow("Gregorian 621") << false << "621" << "12" << "12" << DateMessage << 0;
    QTest::newRow("Gregorian 2562 1..1") << false << "2562" << "1" << "1" << QString() << 1;
    QTest::newRow("Gregorian 2562 to 2") << false << "2562" << "1" << "2" << DateMessage << 0;
    QTest::newRow("Gregorian 1582 October") << false << "1582" << "10" << "10" << QString() << 1;
    QTest::newRow("Hijri 2000 1..1") << true << "2000" << "1" << "1" << QString() << 1;
    QTest::newRow("Hijri 2000 to 2") << true << "2000" << "1" << "2" << DateMessage << 0;
    QTest::newRow("Hijri year 0") << true << "0" << "1" << "1" << DateMessage << 0;
    QTest::newRow("Hijri year 1 1..12") << true << "1" << "1" << "12" << QString() << 12;
    QTest::newRow("Hijri 990 Ramadan") << true << "990" << "9" << "9" << QString() << 1;
    QTest::newRow("Hijri in a Gregorian year") << true << "2024" << "1" << "1" << DateMessage << 0;
    QTest::newRow("from 13") << false << "2024" << "13" << "13" << MonthMessage << 0;
    QTest::newRow("from 0") << false << "2024" << "0" << "5" << MonthMessage << 0;
    QTest::newRow("to 13") << false << "2024" << "1" << "13" << MonthMessage << 0;
    QTest::newRow("month test comes first") << false << "0" << "13" << "1" << MonthMessage << 0;
    QTest::newRow("Hijri from 13") << true << "1446" << "13" << "13" << MonthMessage << 0;
    QTest::newRow("empty from") << false << "2024" << "" << "5" << MonthMessage << 0;
    QTest::newRow("empty year") << false << "" << "1" << "1" << DateMessage << 0;
    QTest::newRow("huge year") << false << "1E30" << "1" << "1" << DateMessage << 0;
    QTest::newRow("huge month") << false << "2024" << "1" << "4294967297" << MonthMessage << 0;
    QTest::newRow("from 5 to 3") << false << "2024" << "5" << "3" << QString() << 0;
    QTest::newRow("from 2.5 to 3.5") << false << "2024" << "2.5" << "3.5" << QString() << 3;
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
    dialog.YearTXTPRT->setText(year);
    dialog.FromMonthTXTPRT->setText(from);
    dialog.ToMonthTXTPRT->setText(to);
    dialog.PrintPRT_Click();
    if (message.isEmpty()) {
        QCOMPARE(messages.count(), 0);
    } else {
        QCOMPARE(messages.texts, QStringList{message});
        QCOMPARE(messages.titles, QStringList{"Input Error ....."});
        QVERIFY(printer.ops().empty());
    }
    QCOMPARE(printer.documentCount(), pages);
    QCOMPARE(fields(dialog), QStringList({year, from, to})); // the fields keep their texts
}

void TestPrintDialog::monthInRangeAndDateLimits()
{
    CalPrint dialog;
    for (int32_t month : {0, 1, 12, 13, -1}) {
        const bool expected = month >= 1 && month <= 12;
        QCOMPARE(dialog.MonthInRange(month), expected);
    }
    // The limits follow the option selected at the moment of the call.
    int32_t month = 1, year = 2000;
    QVERIFY(dialog.DateLimitsOK(month, year));
    dialog.OPTHegiry->setChecked(true);
    QVERIFY(dialog.DateLimitsOK(month, year));
    month = 2;
    QVERIFY(!dialog.DateLimitsOK(month, year));
    dialog.OPTGregorian->setChecked(true);
    QVERIFY(dialog.DateLimitsOK(month, year));
}

void TestPrintDialog::switchingCalendarsRefillsTheFields()
{
    CalPrint dialog;
    QVERIFY(activate(dialog));
    dialog.YearTXTPRT->setText(QStringLiteral("1999"));
    clickOption(dialog.OPTHegiry);
    QVERIFY(dialog.OPTHegiry->isChecked());
    const Today h = todayHijri();
    QCOMPARE(fields(dialog), QStringList({QString::number(h.year), QString::number(h.month), QString::number(h.month)}));
    QCOMPARE(dialog.FieldsCalendar, int16_t(0));

    dialog.ToMonthTXTPRT->setText(QStringLiteral("12"));
    clickOption(dialog.OPTGregorian);
    QCOMPARE(fields(dialog), QStringList({"2024", "7", "7"}));
    QCOMPARE(dialog.FieldsCalendar, int16_t(1));
}

void TestPrintDialog::clickingTheSelectedCalendarKeepsTypedFields()
{
    CalPrint dialog;
    QVERIFY(activate(dialog));
    dialog.YearTXTPRT->setText(QStringLiteral("1999"));
    clickOption(dialog.OPTGregorian);
    dialog.OPTGregorian_Click();
    QCOMPARE(dialog.YearTXTPRT->text(), QStringLiteral("1999"));

    clickOption(dialog.OPTHegiry);
    dialog.YearTXTPRT->setText(QStringLiteral("1400"));
    clickOption(dialog.OPTHegiry);
    dialog.OPTHegiry_Click(); // a further click event while the Hijri defaults are in
    QCOMPARE(dialog.YearTXTPRT->text(), QStringLiteral("1400"));
    QCOMPARE(dialog.FieldsCalendar, int16_t(0));
}

void TestPrintDialog::arrowKeysSwitchCalendarsToo()
{
    CalPrint dialog;
    QVERIFY(activate(dialog));
    dialog.OPTGregorian->setFocus();
    QTest::keyClick(dialog.OPTGregorian, Qt::Key_Right);
    QVERIFY(dialog.OPTHegiry->isChecked());
    QCOMPARE(dialog.FieldsCalendar, int16_t(0));
    QCOMPARE(dialog.YearTXTPRT->text(), QString::number(todayHijri().year));
}

void TestPrintDialog::exitKeepsTheDialogCloseUnloadsIt()
{
    CalMain w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const Today h = todayHijri();

    // First opening: today's Gregorian defaults; Hijri chosen, a year typed, Exit.
    const Seen first = openFromMenu(
        w,
        [](CalPrint &d) {
            d.OPTHegiry->setChecked(true);
            d.YearTXTPRT->setText(QStringLiteral("1400"));
        },
        [](CalPrint &d) { d.CancelButton->click(); });
    QVERIFY(first.dialog);
    QCOMPARE(first.fields, QStringList({"2024", "7", "7"}));
    QVERIFY(!first.hijri);
    QCOMPARE(w.printForm(), first.dialog.data()); // hidden, still loaded
    QVERIFY(!first.dialog->isVisible());
    QCOMPARE(core::CancelPrintFlag, core::True16);

    // Second opening: the same dialog as it was left; closed from its frame.
    const Seen second = openFromMenu(w, [](CalPrint &) {}, [](CalPrint &d) { d.close(); });
    QCOMPARE(second.dialog, first.dialog);
    QCOMPARE(second.fields, QStringList({"1400", QString::number(h.month), QString::number(h.month)}));
    QVERIFY(second.hijri);
    QCOMPARE(second.fieldsCalendar, int16_t(0));
    QVERIFY(!w.printForm()); // unloaded
    QVERIFY(!first.dialog);

    // Third opening: made anew with today's Gregorian defaults.
    const Seen third = openFromMenu(w, [](CalPrint &) {}, [](CalPrint &d) { d.CancelButton->click(); });
    QVERIFY(third.dialog);
    QCOMPARE(third.fields, QStringList({"2024", "7", "7"}));
    QVERIFY(!third.hijri);
    QCOMPARE(third.fieldsCalendar, int16_t(1));
}

QTEST_MAIN(TestPrintDialog)
#include "test_print_dialog.moc"
