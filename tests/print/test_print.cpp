// Printing on a recording printer: what a month page holds, the print dialog's range checks and keys, and a job's
// months, cancel and printer faults. The page's geometry on every paper is test_printpaper's.
#include "core/numtext.h"
#include "core/state.h"
#include "mainwin/calmain.h"
#include "platform/clock/clock.h"
#include "platform/controls/numberbox.h"
#include "print/calcanprint.h"
#include "print/printjob.h"
#include "printtests.h"
#include "testsupport.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <optional>
#include <utility>

using printtests::Op;
using testsupport::RecordingPrinter;

namespace {

const QString MonthMessage = QStringLiteral("Check your 'From Month' or 'To Month' limits");
const QString DateMessage = QStringLiteral("Check your date limits");

// A dialog printing on its own recording printer, any message caught.
struct Printing {
    std::optional<testsupport::MessageCatcher> messages; // none where a real message box is answered
    RecordingPrinter printer;
    CalPrint dialog;
    explicit Printing(bool catchMessages = true)
    {
        if (catchMessages)
            messages.emplace();
        dialog.usePrinter(&printer);
    }
    QStringList fields() const
    {
        return {testsupport::box(dialog, "YearTXTPRT")->text(), testsupport::box(dialog, "FromMonthTXTPRT")->text(),
                testsupport::box(dialog, "ToMonthTXTPRT")->text()};
    }
};

} // namespace

class TestPrint : public QObject {
    Q_OBJECT
private slots:
    // An option refills the fields with today's month of its calendar (the option already chosen keeps them);
    // Exit keeps fields and option for the next opening; closing from the frame unloads, and the next is fresh.
    void optionsAndDialogLife()
    {
        platform::pinDate(QDate(2024, 7, 16)); // 9 Muharram 1446
        CalMain main;
        main.show();
        const auto shown = [](const CalPrint &d) {
            return QStringList{testsupport::box(d, "YearTXTPRT")->text(),
                               testsupport::box(d, "FromMonthTXTPRT")->text(),
                               testsupport::box(d, "ToMonthTXTPRT")->text(),
                               testsupport::option(d, "OPTHegiry")->isChecked() ? "Hijri" : "Gregorian"};
        };
        QVERIFY(testsupport::whileOpen<CalPrint>(testsupport::entry(main, "PrintCal"), [&](CalPrint &d) {
            QCOMPARE(shown(d), QStringList({"2024", "7", "7", "Gregorian"}));
            testsupport::box(d, "YearTXTPRT")->setText(QStringLiteral("1999"));
            testsupport::clickOption(testsupport::option(d, "OPTGregorian"));
            QCOMPARE(shown(d), QStringList({"1999", "7", "7", "Gregorian"}));
            testsupport::clickOption(testsupport::option(d, "OPTHegiry"));
            QCOMPARE(shown(d), QStringList({"1446", "1", "1", "Hijri"}));
            testsupport::box(d, "YearTXTPRT")->setText(QStringLiteral("1400"));
            QTest::mouseClick(testsupport::button(d, "CancelButton"), Qt::LeftButton);
        }));
        for (const QStringList &expected : {QStringList{"1400", "1", "1", "Hijri"}, {"2024", "7", "7", "Gregorian"}})
            QVERIFY(testsupport::whileOpen<CalPrint>(testsupport::entry(main, "PrintCal"), [&](CalPrint &d) {
                QCOMPARE(shown(d), expected);
                d.close();
            }));
    }

    void initTestCase() { testsupport::installRealEngine(); }

    // July 2024 meets two Hijri months, Dhu al-Hijjah 1440 lies inside August 2019, May 1919 meets three (the
    // legend names A and C), July 622 starts at cell 19 (1 Muharram 1).
    void monthPage_data()
    {
        QTest::addColumn<bool>("hijri");
        QTest::addColumn<QStringList>("range");
        QTest::addColumn<QList<int>>("days"); // the first printed, its cell index, the last
        QTest::addColumn<QStringList>("legend");
        QTest::newRow("July 2024") << false << QStringList{"2024", "7", "7"} << QList<int>{1, 1, 31}
                                   << QStringList{"A - Thu Al-Hijjah  1445", "B - Muharram  1446"};
        QTest::newRow("Dhu al-Hijjah 1440") << true << QStringList{"1440", "12", "12"} << QList<int>{1, 6, 29}
                                            << QStringList{"A - August  2019", "A - August  2019"};
        QTest::newRow("May 1919") << false << QStringList{"1919", "5", "5"} << QList<int>{1, 4, 31}
                                  << QStringList{"A - Rajab  1337", "C - Ramadan  1337"};
        QTest::newRow("July 622") << false << QStringList{"622", "7", "7"} << QList<int>{16, 19, 31}
                                  << QStringList{"A - Muharram  1", "A - Muharram  1"};
    }

    // On a printer left red, in XOR and at 10.5 pt: the grid's text in black with the copy pen, the days in their
    // cells, the other calendar's days and the legend in their keys' colours; one month shows no printing box.
    void monthPage()
    {
        QFETCH(bool, hijri);
        QFETCH(QStringList, range);
        QFETCH(QList<int>, days);
        QFETCH(QStringList, legend);
        const QList<core::Colour> keys{core::KeyBlue, core::KeyRed, core::KeyOlive};
        Printing p;
        p.printer.setForeColor(core::KeyRed);
        p.printer.setDrawMode(platform::XorPen);
        p.printer.setFontSize(10.5);
        bool boxShown = false;
        p.printer.afterEndDoc = [&] { boxShown |= p.dialog.findChild<CalCanPrint *>()->isVisible(); };
        printtests::print(p.dialog, hijri, range);
        QVERIFY(!boxShown);
        const auto texts = printtests::textsOf(p.printer, 1);
        QVERIFY(texts.front().colour == core::Black && texts.front().drawMode == platform::CopyPen);
        QCOMPARE(texts.front().font.pointSizeF(), 10.5);
        QCOMPARE(texts.back().font.pointSizeF(), 10.0); // rounded half to even
        int day = days[0], cell = days[1];
        QString keysSeen;
        QStringList named;
        for (const Op &op : texts) {
            if (op.text.toInt() > 0) {
                QCOMPARE(op.text, core::PlainNumber(day++));
                QVERIFY(std::abs(op.x1 - (3 + 10 * (cell % 7))) < 1e-3);
                QVERIFY(std::abs(op.y1 - (10 + 40.0 / 6 * (cell++ / 7))) < 1e-3);
            } else if (op.text.startsWith(u' ') || op.text.contains(QStringLiteral(" - "))) {
                const QChar key = op.text.startsWith(u' ') ? op.text.back() : op.text.front();
                QCOMPARE(op.colour, keys.value(key.unicode() - 'A'));
                if (op.text.startsWith(u' '))
                    keysSeen += key;
                else
                    named << op.text;
            }
        }
        QCOMPARE(day - 1, days[2]);
        keysSeen.erase(std::unique(keysSeen.begin(), keysSeen.end()), keysSeen.end());
        QCOMPARE(keysSeen, QStringLiteral("ABC").left(legend[1].front().unicode() - 'A' + 1));
        QCOMPARE(named, legend);
    }

    // Each row starts with a cancel flag left over from an earlier job: it must not stop the new one, and a
    // refused range must leave it. The month test comes first; the fields keep what was typed.
    void rangeChecks_data()
    {
        QTest::addColumn<bool>("hijri");
        QTest::addColumn<QStringList>("range"); // year, from, to
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("pages");
        const auto row = [](const char *name, bool hijri, QStringList range, QString message, int pages) {
            QTest::newRow(name) << hijri << range << message << pages;
        };
        row("622 from 6", false, {"622", "6", "7"}, DateMessage, 0);
        row("622 7..12", false, {"622", "7", "12"}, {}, 6);
        row("621 12", false, {"621", "12", "12"}, DateMessage, 0);
        row("2562 1..1", false, {"2562", "1", "1"}, {}, 1);
        row("2562 to 2", false, {"2562", "1", "2"}, DateMessage, 0);
        row("Hijri 1 1..12", true, {"1", "1", "12"}, {}, 12);
        row("Hijri 2000 1..1", true, {"2000", "1", "1"}, {}, 1);
        row("Hijri 2000 to 2", true, {"2000", "1", "2"}, DateMessage, 0);
        row("Hijri year 0", true, {"0", "1", "1"}, DateMessage, 0);
        row("from 13", false, {"2024", "13", "13"}, MonthMessage, 0);
        row("year 0 from 0", false, {"0", "0", "5"}, MonthMessage, 0);
        row("from 5 to 3", false, {"2024", "5", "3"}, {}, 0);
    }

    void rangeChecks()
    {
        QFETCH(bool, hijri);
        QFETCH(QStringList, range);
        QFETCH(QString, message);
        QFETCH(int, pages);
        Printing p;
        core::CancelPrintFlag = core::True16;
        printtests::print(p.dialog, hijri, range);
        QCOMPARE(p.messages->texts, message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(p.printer.documentCount(), pages);
        QCOMPARE(p.printer.endDocCount(), pages); // without a page no EndDoc
        QCOMPARE(core::CancelPrintFlag, message.isEmpty() ? core::False16 : core::True16);
        QCOMPARE(p.fields(), range);
    }

    // A job run without the dialog: one document a Hijri month, headed by it; an empty range touches no printer.
    void jobWithoutTheDialog()
    {
        RecordingPrinter printer, untouched;
        PrintJob job({core::Lead::Hijri, 1445, 11, 12}, &printer);
        QVERIFY(job.run());
        QCOMPARE(printer.documentCount(), 2);
        QCOMPARE(printtests::headingOf(printer, 2).value_or(Op{}).text, QStringLiteral("Thu Al-Hijjah    1445"));
        QVERIFY(PrintJob({core::Lead::Gregorian, 2024, 5, 3}, &untouched).run() && untouched.endDocCount() == 0);
    }

    // The printing box, up before the first month goes out, stops the job at the next month by a click on its
    // Cancel, by Enter or Space on it, and by Escape; the stop ends with no page in progress, so no blank page.
    void cancelStopsAtTheNextMonth_data()
    {
        QTest::addColumn<int>("key"); // 0 for a click
        QTest::newRow("click") << 0;
        QTest::newRow("Escape") << int(Qt::Key_Escape);
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Space") << int(Qt::Key_Space);
    }

    void cancelStopsAtTheNextMonth()
    {
        QFETCH(int, key);
        Printing p;
        QVERIFY(testsupport::activate(p.dialog));
        bool pressed = false, boxUpFirst = false;
        CalCanPrint *box = p.dialog.findChild<CalCanPrint *>();
        p.printer.afterEndDoc = [&] {
            boxUpFirst |= p.printer.documentCount() == 1 && box->isVisible();
            if (p.printer.documentCount() == 2 && box->isVisible() && !std::exchange(pressed, true))
                QTimer::singleShot(0, box, [&] {
                    testsupport::button(*box, "CancelPrinting")->setFocus(Qt::TabFocusReason);
                    key ? QTest::keyClick(testsupport::button(*box, "CancelPrinting"), Qt::Key(key))
                        : testsupport::button(*box, "CancelPrinting")->click();
                });
        };
        printtests::print(p.dialog, false, {"2024", "1", "12"});
        QVERIFY(pressed && boxUpFirst);
        QCOMPARE(p.printer.documentCount(), 2);
        QCOMPARE(core::CancelPrintFlag, core::True16);
        QVERIFY(!box->isVisible() && p.dialog.isVisible());
        QCOMPARE(p.messages->count(), 0);
        QCOMPARE(p.printer.endDocCount(), 3); // the stop ends no page: no blank page comes out
    }

    // A click on Print and Space on it, while a job runs or waiting in the queue when it ends, print nothing more;
    // meanwhile Print is drawn grey. The focus stays on Print, where Space prints again.
    void onePressOneJob_data()
    {
        QTest::addColumn<QStringList>("range");
        QTest::newRow("twelve months") << QStringList{"2024", "1", "12"};
        QTest::newRow("one month") << QStringList{"2024", "7", "7"};
    }

    void onePressOneJob()
    {
        QFETCH(QStringList, range);
        Printing p;
        QVERIFY(testsupport::activate(p.dialog));
        QPushButton *print = testsupport::button(p.dialog, "PrintPRT");
        bool pressed = false, greyWhileRunning = false;
        p.printer.afterEndDoc = [&] {
            if (p.printer.documentCount() == 1)
                QTimer::singleShot(0, &p.dialog, [&] {
                    greyWhileRunning = !print->isEnabled()
                        && print->palette().color(QPalette::Disabled, QPalette::ButtonText) != QColor(Qt::black);
                    QTest::mouseClick(print, Qt::LeftButton);
                    QTest::keyClick(print, Qt::Key_Space); // the keyboard reaches past the printing box
                    pressed = true;
                });
        };
        printtests::fill(p.dialog, false, range);
        print->setFocus(Qt::TabFocusReason);
        QTest::keyClick(print, Qt::Key_Space);
        const int months = range[2].toInt() - range[1].toInt() + 1;
        QVERIFY(pressed && greyWhileRunning && print->isEnabled());
        QCOMPARE(p.printer.documentCount(), months);
        QCOMPARE(p.dialog.focusWidget(), print);
        p.printer.afterEndDoc = {};
        QTest::keyClick(print, Qt::Key_Space);
        QCOMPARE(p.printer.documentCount(), 2 * months);
        QCOMPARE(p.messages->count(), 0);
    }

    // The printer refuses a month's document: the months after it are not printed, and one message says why and
    // which months are lost (the printer's own name when it gives no reason).
    void printerFault_data()
    {
        QTest::addColumn<bool>("hijri");
        QTest::addColumn<int>("failing"); // the document that fails, 1 for the From month
        QTest::addColumn<QString>("why");
        QTest::addColumn<QString>("message");
        const QString after = QStringLiteral(" and the months after it were not printed.");
        QTest::newRow("first of three") << false << 1 << "Out of paper"
                                        << "Out of paper\n\nMarch 2024" + after;
        QTest::newRow("middle") << false << 2 << "The printer \"Recorder\" failed."
                                << "The printer \"Recorder\" failed.\n\nApril 2024" + after;
        QTest::newRow("last, Hijri") << true << 3 << "Jammed"
                                     << "Jammed\n\nRamadan 1445 was not printed.";
    }

    void printerFault()
    {
        QFETCH(bool, hijri);
        QFETCH(int, failing);
        QFETCH(QString, why);
        QFETCH(QString, message);
        Printing p;
        p.printer.failingDocument = failing;
        p.printer.failureText = why;
        p.dialog.show();
        printtests::print(p.dialog, hijri, hijri ? QStringList{"1445", "7", "9"} : QStringList{"2024", "3", "5"});
        QCOMPARE(p.printer.documentCount(), failing - 1);
        QCOMPARE(p.printer.endDocCount(), failing); // stopped, not cancelled
        QVERIFY(!p.dialog.findChild<CalCanPrint *>()->isVisible() && p.dialog.isVisible());
        QCOMPARE(p.messages->titles, QStringList{"Printing ....."});
        QCOMPARE(p.messages->texts, QStringList{message});
    }

    // Enter in a box moves on in tab order and tidies the box, never printing; Enter and Space on a focused Print
    // press it, a refusal shown in a real message box; Escape is Exit, keeping the fields.
    void keys()
    {
        Printing p(false);
        QVERIFY(testsupport::activate(p.dialog));
        testsupport::box(p.dialog, "YearTXTPRT")->setFocus(Qt::TabFocusReason);
        for (const char *typed : {" 2024.4", "6.5", "0007"}) {
            QTest::keyClicks(QApplication::focusWidget(), typed);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        }
        QCOMPARE(QApplication::focusWidget(), testsupport::option(p.dialog, "OPTGregorian"));
        QCOMPARE(p.fields(), QStringList({"2024", "6", "7"}));
        QVERIFY(p.printer.ops().empty());
        testsupport::MessageAnswerer answers;
        testsupport::box(p.dialog, "FromMonthTXTPRT")->setText(QStringLiteral("8"));
        for (const auto &[key, to] : {std::pair{Qt::Key_Return, "8"}, {Qt::Key_Space, "8"}, {Qt::Key_Return, "13"}}) {
            testsupport::box(p.dialog, "ToMonthTXTPRT")->setText(QString::fromLatin1(to));
            testsupport::button(p.dialog, "PrintPRT")->setFocus(Qt::TabFocusReason);
            QTest::keyClick(testsupport::button(p.dialog, "PrintPRT"), key);
        }
        QTRY_COMPARE(answers.texts, QStringList{MonthMessage});
        QCOMPARE(p.printer.documentCount(), 2); // August 2024, twice
        QVERIFY(testsupport::activate(p.dialog));
        testsupport::box(p.dialog, "FromMonthTXTPRT")->setFocus(Qt::TabFocusReason);
        QTest::keyClick(testsupport::box(p.dialog, "FromMonthTXTPRT"), Qt::Key_Escape);
        QVERIFY(!p.dialog.isVisible());
        QCOMPARE(p.fields(), QStringList({"2024", "8", "13"}));
    }

    // A number beyond 32 bits is written back as the nearer limit, its sign and first digits in sight, and Print
    // refuses it with the message of the box it stands in.
    void hugeNumbers_data()
    {
        QTest::addColumn<int>("box"); // year, from, to
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("message");
        QTest::newRow("year") << 0 << "99999999999"
                              << "2147483647" << DateMessage;
        QTest::newRow("year, negative") << 0 << "-99999999999"
                                        << "-2147483648" << DateMessage;
        QTest::newRow("from, negative") << 1 << "-99999999999"
                                        << "-2147483648" << MonthMessage;
        QTest::newRow("to") << 2 << "99999999999"
                            << "2147483647" << MonthMessage;
    }

    void hugeNumbers()
    {
        QFETCH(int, box);
        QFETCH(QString, typed);
        QFETCH(QString, written);
        QFETCH(QString, message);
        Printing p(false);
        QVERIFY(testsupport::activate(p.dialog));
        platform::NumberBox *const field
            = QList{testsupport::box(p.dialog, "YearTXTPRT"), testsupport::box(p.dialog, "FromMonthTXTPRT"),
                    testsupport::box(p.dialog, "ToMonthTXTPRT")}[box];
        field->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(field, typed);
        QTest::keyClick(field, Qt::Key_Tab);
        QCOMPARE(field->text(), written);
        QVERIFY(testsupport::showsBeginning(field));
        testsupport::MessageAnswerer answers;
        QTest::mouseClick(testsupport::button(p.dialog, "PrintPRT"), Qt::LeftButton);
        QTRY_COMPARE(answers.texts, QStringList{message});
        QVERIFY(p.printer.ops().empty());
    }
};

QTEST_MAIN(TestPrint)
#include "test_print.moc"
