// Printing on a recording printer: the month page, the print dialog's range checks, and cancelling a job.
#include "core/numtext.h"
#include "core/state.h"
#include "mainwin/calmain.h"
#include "platform/clock.h"
#include "platform/numberbox.h"
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
#include <cmath>
#include <utility>

using printtests::Op;
using testsupport::RecordingPrinter;

static bool near(double a, double b) { return std::abs(a - b) <= 1e-3; }

class TestPrint : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { testsupport::installRealEngine(); }

    // On a printer left red, in XOR and at 10.5 pt. July 2024 meets two Hijri months, Dhu al-Hijjah 1440 lies inside
    // August 2019, May 1919 meets three (the legend names A and C), July 622 starts at cell 20 (1 Muharram 1).
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

    void monthPage()
    {
        QFETCH(bool, hijri);
        QFETCH(QStringList, range);
        QFETCH(QList<int>, days);
        QFETCH(QStringList, legend);
        const QList<core::Colour> colours{core::KeyBlue, core::KeyRed, core::KeyOlive};
        RecordingPrinter printer;
        printer.setForeColor(core::KeyRed);
        printer.setDrawMode(platform::XorPen);
        printer.setFontSize(10.5);
        CalPrint dialog;
        dialog.usePrinter(&printer);
        bool boxShown = false; // a job of one month shows no printing box
        printer.afterEndDoc = [&] { boxShown |= dialog.CanPrint->isVisible(); };
        printtests::print(dialog, hijri, range);
        QVERIFY(!boxShown);
        const auto scales = printer.opsOf(0, Op::SetScale); // set before anything is drawn
        QCOMPARE(scales.size(), std::size_t(1));
        QCOMPARE(std::pair(scales[0].x2, scales[0].y2), std::pair(80.0, 110.0));
        // The 70 x 40 grid at (3, 10) and the weekday names in black with the copy pen, at the printer's size.
        auto frame = printer.opsOf(1, Op::Box);
        QCOMPARE(frame.size(), std::size_t(1));
        QVERIFY(near(frame[0].x1, 3) && near(frame[0].y1, 10) && near(frame[0].x2, 73) && near(frame[0].y2, 50));
        int columns = 0, rows = 0;
        for (const Op &line : printer.opsOf(1, Op::Line)) {
            if (line.x1 == line.x2)
                QVERIFY(near(line.x1, 3 + 10 * ++columns) && near(line.y2, 50));
            else
                QVERIFY(near(line.y1, 10 + 40.0 / 6 * ++rows) && near(line.x2, 73));
            frame.push_back(line);
        }
        QVERIFY(columns >= 6 && columns <= 7 && rows >= 5 && rows <= 6);
        const auto texts = printtests::textsOf(printer, 1);
        frame.push_back(texts.front());
        for (const Op &op : frame)
            QVERIFY(op.colour == core::Black && op.drawMode == platform::CopyPen);
        QCOMPARE(texts.front().font.pointSizeF(), 10.5);

        // The heading centred by its character count, bottom at 5; the rest at the size rounded half to even.
        const auto heading = printtests::headingOf(printer, 1);
        QVERIFY(heading && heading->font.bold() && heading->colour == core::Black);
        QVERIFY(near(heading->x1, 30 - heading->text.size() / 2.0) && near(heading->y2, 5));
        QCOMPARE(texts.back().font.pointSizeF(), 10.0);
        QVERIFY(printer.FontSize() == 10.0 && !printer.FontBold());

        // Each day at its cell's top-left, the other calendar's day at the bottom-right in its key's colour, and
        // the legend one line below the grid, from its left edge and to its right edge.
        int day = days[0];
        int cell = days[1];
        QString seen;
        std::vector<Op> named;
        for (const Op &op : texts) {
            if (op.text.toInt() > 0) {
                QCOMPARE(op.text, core::PlainNumber(day));
                QVERIFY(near(op.x1, 3 + 10 * (cell % 7)) && near(op.y1, 10 + 40.0 / 6 * (cell / 7)));
                ++day;
                ++cell;
            } else if (op.text.startsWith(u' ')) {
                seen += op.text.back();
                QCOMPARE(op.colour, colours.value(op.text.back().unicode() - 'A'));
                QVERIFY(near(op.x2, 13 + 10 * ((cell - 1) % 7)) && near(op.y2, 10 + 40.0 / 6 * ((cell - 1) / 7 + 1)));
            } else if (op.text.contains(QStringLiteral(" - "))) {
                named.push_back(op);
                QCOMPARE(op.colour, colours.value(op.text.front().unicode() - 'A'));
            }
        }
        QCOMPARE(day - 1, days[2]);
        seen.erase(std::unique(seen.begin(), seen.end()), seen.end());
        QCOMPARE(seen, QStringLiteral("ABC").left(legend[1].front().unicode() - 'A' + 1)); // A to the right one's key
        QCOMPARE(named.size(), std::size_t(2));
        QCOMPARE(QStringList({named[0].text, named[1].text}), legend);
        QVERIFY(near(named[0].x1, 3) && near(named[1].x2, 73));
        QVERIFY(near(named[0].y1, 50 + named[0].y2 - named[0].y1) && near(named[1].y1, named[0].y1));
    }

    // Every row starts with a cancel flag left over from an earlier job: it must not stop the new one, and a
    // refused range must leave it. The month test comes first.
    void rangeChecks_data()
    {
        const QString monthMessage = QStringLiteral("Check your 'From Month' or 'To Month' limits");
        const QString dateMessage = QStringLiteral("Check your date limits");
        QTest::addColumn<bool>("hijri");
        QTest::addColumn<QStringList>("range"); // year, from, to
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("pages");
        QTest::newRow("622 from 6") << false << QStringList{"622", "6", "7"} << dateMessage << 0;
        QTest::newRow("622 7..12") << false << QStringList{"622", "7", "12"} << QString() << 6;
        QTest::newRow("2562 to 2") << false << QStringList{"2562", "1", "2"} << dateMessage << 0;
        QTest::newRow("621 12") << false << QStringList{"621", "12", "12"} << dateMessage << 0;
        QTest::newRow("2562 1..1") << false << QStringList{"2562", "1", "1"} << QString() << 1;
        QTest::newRow("2563 1") << false << QStringList{"2563", "1", "1"} << dateMessage << 0;
        QTest::newRow("Hijri 1 1..12") << true << QStringList{"1", "1", "12"} << QString() << 12;
        QTest::newRow("Hijri 2000 1..1") << true << QStringList{"2000", "1", "1"} << QString() << 1;
        QTest::newRow("Hijri 2000 to 2") << true << QStringList{"2000", "1", "2"} << dateMessage << 0;
        QTest::newRow("Hijri year 0") << true << QStringList{"0", "1", "1"} << dateMessage << 0;
        QTest::newRow("from 13") << false << QStringList{"2024", "13", "13"} << monthMessage << 0;
        QTest::newRow("year 0 from 0") << false << QStringList{"0", "0", "5"} << monthMessage << 0;
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
        core::CancelPrintFlag = core::True16;
        printtests::print(dialog, hijri, range);
        QCOMPARE(messages.texts, message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(printer.documentCount(), pages);
        QCOMPARE(printer.ops().empty(), pages == 0); // without a page neither Scale nor EndDoc
        QCOMPARE(core::CancelPrintFlag, message.isEmpty() ? core::False16 : core::True16);
        const QStringList kept{dialog.YearTXTPRT->text(), dialog.FromMonthTXTPRT->text(), dialog.ToMonthTXTPRT->text()};
        QCOMPARE(kept, range);
    }

    void cancelStopsAtTheNextMonth()
    {
        testsupport::MessageCatcher messages;
        RecordingPrinter printer;
        CalPrint dialog;
        dialog.usePrinter(&printer);
        dialog.show();
        // After the third page a click on the Cancel shown waits in the event queue.
        bool clickPosted = false;
        printer.afterEndDoc = [&] {
            if (printer.documentCount() == 3 && dialog.CanPrint->isVisible() && !std::exchange(clickPosted, true))
                QTimer::singleShot(0, dialog.CanPrint->CancelPrinting, &QPushButton::click);
        };
        printtests::print(dialog, false, {"2024", "1", "12"});
        QCOMPARE(printer.documentCount(), 3);
        QCOMPARE(core::CancelPrintFlag, core::True16);
        QVERIFY(!dialog.CanPrint->isVisible());
        QCOMPARE(messages.count(), 0);
        // The stop: scale reset and an EndDoc with no page in progress, so no blank page.
        const auto &ops = printer.ops();
        QVERIFY(ops.size() >= 3 && ops.back().document == 0);
        QCOMPARE(QList({ops[ops.size() - 3].kind, ops[ops.size() - 2].kind, ops.back().kind}),
                 QList({Op::EndDoc, Op::ResetScale, Op::EndDoc}));
    }

    // A click on Print (and Space on it) while a job of twelve months runs prints nothing more; the printing box,
    // without an icon of its own, is up before the first month goes out.
    void secondPrintDuringAJob()
    {
        testsupport::MessageCatcher messages;
        RecordingPrinter printer;
        CalPrint dialog;
        dialog.usePrinter(&printer);
        QVERIFY(testsupport::activate(dialog));
        bool clicked = false, boxUpFirst = false;
        printer.afterEndDoc = [&] {
            if (printer.documentCount() == 1) {
                boxUpFirst = dialog.CanPrint->isVisible();
                QTimer::singleShot(0, &dialog, [&] {
                    QTest::mouseClick(dialog.PrintPRT, Qt::LeftButton);
                    QTest::keyClick(dialog.PrintPRT, Qt::Key_Space); // the keyboard reaches past the printing box
                    clicked = true;
                });
            }
        };
        printtests::print(dialog, false, {"2024", "1", "12"});
        QVERIFY(clicked && boxUpFirst);
        QCOMPARE(printer.documentCount(), 12);
        QCOMPARE(messages.count(), 0);
        QVERIFY(dialog.PrintPRT->isEnabled());
        const QImage icon = dialog.CanPrint->windowIcon().pixmap(16).toImage().convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < icon.height(); ++y)
            for (int x = 0; x < icon.width(); ++x)
                QCOMPARE(qAlpha(icon.pixel(x, y)), 0);
    }

    // A job run without the dialog: a Hijri range, one document each, headed by its Hijri month, though a stop was
    // left over from an earlier job; an empty range touches no printer.
    void jobWithoutTheDialog()
    {
        RecordingPrinter printer;
        core::CancelPrintFlag = core::True16;
        PrintJob job({core::Lead::Hijri, 1445, 11, 12}, &printer);
        QVERIFY(job.run());
        QCOMPARE(core::CancelPrintFlag, core::False16);
        QCOMPARE(printer.documentCount(), 2);
        const auto first = printtests::headingOf(printer, 1), second = printtests::headingOf(printer, 2);
        QVERIFY(first && second);
        QCOMPARE(QStringList({first->text, second->text}),
                 QStringList({"Thu Al-Qa'dah    1445", "Thu Al-Hijjah    1445"}));
        QCOMPARE(job.failedMonth(), 0);
        QVERIFY(job.faultText().isEmpty());

        RecordingPrinter untouched;
        PrintJob empty({core::Lead::Gregorian, 2024, 5, 3}, &untouched);
        QVERIFY(empty.run());
        QVERIFY(untouched.ops().empty());
    }

    // The printer refuses a month's document: the months after it are not printed, and one message says why and
    // which months are lost (the printer's own name when it gives no reason).
    void printerFault_data()
    {
        QTest::addColumn<bool>("hijri");
        QTest::addColumn<int>("failing"); // the document that fails, 1 for the From month
        QTest::addColumn<QString>("why");
        QTest::addColumn<QString>("message");
        QTest::newRow("first of three") << false << 1 << "Out of paper"
                                        << "Out of paper\n\nMarch 2024 and the months after it were not printed.";
        QTest::newRow("middle, no reason") << false << 2 << QString()
                                           << "The printer \"Recorder\" failed.\n\nApril 2024 and the months after "
                                              "it were not printed.";
        QTest::newRow("last, Hijri") << true << 3 << "Jammed"
                                     << "Jammed\n\nRamadan 1445 was not printed.";
    }

    void printerFault()
    {
        QFETCH(bool, hijri);
        QFETCH(int, failing);
        QFETCH(QString, why);
        QFETCH(QString, message);
        testsupport::MessageCatcher messages;
        RecordingPrinter printer;
        printer.failingDocument = failing;
        printer.failureText = why;
        CalPrint dialog;
        dialog.usePrinter(&printer);
        dialog.show();
        printtests::print(dialog, hijri, hijri ? QStringList{"1445", "7", "9"} : QStringList{"2024", "3", "5"});
        QCOMPARE(printer.documentCount(), failing - 1);
        QCOMPARE(printer.opsOf(0, Op::EndDoc).size(), std::size_t(0)); // stopped, not cancelled
        QVERIFY(!dialog.CanPrint->isVisible() && dialog.isVisible());
        QCOMPARE(messages.titles, QStringList{"Printing ....."});
        QCOMPARE(messages.texts, QStringList{message});
    }

    // An option refills the fields with today's month of its calendar (the option already chosen keeps them);
    // Exit keeps fields and option for the next opening; closing from the frame unloads, and the next is fresh.
    void optionsAndDialogLife()
    {
        platform::pinDate(QDate(2024, 7, 16)); // 9 Muharram 1446
        CalMain main;
        main.show();
        const auto shown = [](const CalPrint &d) {
            return QStringList{d.YearTXTPRT->text(), d.FromMonthTXTPRT->text(), d.ToMonthTXTPRT->text(),
                               d.OPTHegiry->isChecked() ? "Hijri" : "Gregorian"};
        };
        QVERIFY(testsupport::whileOpen<CalPrint>(main.PrintCal, [&](CalPrint &d) {
            QCOMPARE(shown(d), QStringList({"2024", "7", "7", "Gregorian"}));
            d.YearTXTPRT->setText(QStringLiteral("1999"));
            testsupport::clickOption(d.OPTGregorian);
            QCOMPARE(shown(d), QStringList({"1999", "7", "7", "Gregorian"}));
            testsupport::clickOption(d.OPTHegiry);
            QCOMPARE(shown(d), QStringList({"1446", "1", "1", "Hijri"}));
            d.YearTXTPRT->setText(QStringLiteral("1400"));
            QTest::mouseClick(d.CancelButton, Qt::LeftButton);
        }));
        for (const QStringList &expected : {QStringList{"1400", "1", "1", "Hijri"}, {"2024", "7", "7", "Gregorian"}})
            QVERIFY(testsupport::whileOpen<CalPrint>(main.PrintCal, [&](CalPrint &d) {
                QCOMPARE(shown(d), expected);
                d.close();
            }));
    }

    // Keys as in the other windows: Enter in a box moves on in tab order and tidies the box, never printing;
    // Enter and Space on a focused Print press it, the refusal shown in a real message box; a right-click in a box
    // rewrites nothing; Escape is Exit, keeping the fields.
    void keysAndBoxes()
    {
        RecordingPrinter printer;
        CalPrint dialog;
        dialog.usePrinter(&printer);
        QVERIFY(testsupport::activate(dialog));
        platform::NumberBox *const boxes[] = {dialog.YearTXTPRT, dialog.FromMonthTXTPRT, dialog.ToMonthTXTPRT};
        dialog.YearTXTPRT->setFocus(Qt::TabFocusReason);
        for (const char *typed : {" 2024.4", "6.5", "0007"}) {
            QTest::keyClicks(QApplication::focusWidget(), typed);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        }
        QCOMPARE(QApplication::focusWidget(), dialog.OPTGregorian);
        QCOMPARE(QStringList({boxes[0]->text(), boxes[1]->text(), boxes[2]->text()}), QStringList({"2024", "6", "7"}));
        QVERIFY(printer.ops().empty());

        for (platform::NumberBox *box : boxes) {
            box->setFocus(Qt::TabFocusReason);
            QTest::keyClicks(box, "7.6");
            testsupport::openContextMenu(box);
            QVERIFY(testsupport::activate(dialog));
            QTRY_COMPARE(QApplication::focusWidget(), box);
            QCOMPARE(box->text(), QStringLiteral("7.6"));
            QTest::keyClick(box, Qt::Key_Enter, Qt::KeypadModifier);
            QCOMPARE(box->text(), QStringLiteral("8"));
        }
        QVERIFY(printer.ops().empty());

        testsupport::MessageAnswerer answers;
        dialog.YearTXTPRT->setText(QStringLiteral("2024"));
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Space}) {
            dialog.PrintPRT->setFocus(Qt::TabFocusReason);
            QTest::keyClick(dialog.PrintPRT, key);
        }
        QCOMPARE(printer.documentCount(), 2); // August 2024, twice
        dialog.ToMonthTXTPRT->setText(QStringLiteral("13"));
        dialog.PrintPRT->setFocus(Qt::TabFocusReason);
        QTest::keyClick(dialog.PrintPRT, Qt::Key_Return);
        QTRY_COMPARE(answers.texts, QStringList{"Check your 'From Month' or 'To Month' limits"});
        QCOMPARE(printer.documentCount(), 2);

        core::CancelPrintFlag = core::False16;
        QVERIFY(testsupport::activate(dialog));
        dialog.FromMonthTXTPRT->setFocus(Qt::TabFocusReason);
        QTest::keyClick(dialog.FromMonthTXTPRT, Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(core::CancelPrintFlag, core::True16);
        QCOMPARE(QStringList({boxes[0]->text(), boxes[1]->text(), boxes[2]->text()}), QStringList({"2024", "8", "13"}));
        QCOMPARE(answers.texts.size(), 1);
    }

    // A number beyond 32 bits is written back as the nearer limit, its sign and first digits in sight, and Print
    // refuses it with the message of the box it stands in.
    void hugeNumbers_data()
    {
        QTest::addColumn<int>("box"); // year, from, to
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("message");
        const QString monthMessage = QStringLiteral("Check your 'From Month' or 'To Month' limits");
        QTest::newRow("year") << 0 << "99999999999"
                              << "2147483647"
                              << "Check your date limits";
        QTest::newRow("year, negative") << 0 << "-99999999999"
                                        << "-2147483648"
                                        << "Check your date limits";
        QTest::newRow("from, negative") << 1 << "-99999999999"
                                        << "-2147483648" << monthMessage;
        QTest::newRow("to") << 2 << "99999999999"
                            << "2147483647" << monthMessage;
    }

    void hugeNumbers()
    {
        QFETCH(int, box);
        QFETCH(QString, typed);
        QFETCH(QString, written);
        QFETCH(QString, message);
        RecordingPrinter printer;
        CalPrint dialog;
        dialog.usePrinter(&printer);
        QVERIFY(testsupport::activate(dialog));
        platform::NumberBox *const field = QList{dialog.YearTXTPRT, dialog.FromMonthTXTPRT, dialog.ToMonthTXTPRT}[box];
        field->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(field, typed);
        QTest::keyClick(field, Qt::Key_Tab);
        QCOMPARE(field->text(), written);
        QVERIFY(testsupport::showsBeginning(field));
        testsupport::MessageAnswerer answers;
        QTest::mouseClick(dialog.PrintPRT, Qt::LeftButton);
        QTRY_COMPARE(answers.texts, QStringList{message});
        QVERIFY(printer.ops().empty());
        QCOMPARE(field->text(), written);
    }

    // The printing box stops the job at the next month by Escape, wherever its focus is, and by Enter or Space
    // on its Cancel, as by a click.
    void printingBoxKeys_data()
    {
        QTest::addColumn<Qt::Key>("key");
        QTest::newRow("Escape") << Qt::Key_Escape;
        QTest::newRow("Enter") << Qt::Key_Return;
        QTest::newRow("Space") << Qt::Key_Space;
    }

    void printingBoxKeys()
    {
        QFETCH(Qt::Key, key);
        testsupport::MessageCatcher messages;
        RecordingPrinter printer;
        CalPrint dialog;
        dialog.usePrinter(&printer);
        QVERIFY(testsupport::activate(dialog));
        bool pressed = false;
        printer.afterEndDoc = [&] {
            if (printer.documentCount() == 2 && dialog.CanPrint->isVisible() && !std::exchange(pressed, true))
                QTimer::singleShot(0, dialog.CanPrint, [&] {
                    dialog.CanPrint->CancelPrinting->setFocus(Qt::TabFocusReason);
                    QTest::keyClick(dialog.CanPrint->CancelPrinting, key);
                });
        };
        printtests::print(dialog, false, {"2024", "1", "12"});
        QVERIFY(pressed);
        QCOMPARE(printer.documentCount(), 2);
        QCOMPARE(core::CancelPrintFlag, core::True16);
        QVERIFY(!dialog.CanPrint->isVisible() && dialog.isVisible());
        QCOMPARE(messages.count(), 0);
    }
};

QTEST_MAIN(TestPrint)
#include "test_print.moc"
