// Every text box of every window given texts no user should type, then every button pressed: only the
// windows' own messages, only allowed months drawn or printed, and each window still working afterwards.
#include "drive.h"
#include "platform/clock/clock.h"

using namespace drive;

class TestHostileInput : public QObject {
    Q_OBJECT
private slots:
    // Each text in each calendar: the main window's and the print dialog's, the conversion's from it.
    void initTestCase_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("hijri");
        int row = 0;
        for (const QString &text : hostileTexts())
            for (const bool hijri : {false, true})
                QTest::addRow("%d %s %s", ++row, hijri ? "Hijri" : "Gregorian",
                              text.left(12).toUtf8().toPercentEncoding().constData())
                    << text << hijri;
    }
    void initTestCase()
    {
        testsupport::installRealEngine();
        platform::pinDate(QDate(2024, 7, 16)); // 9 Muharram 1446
    }

    // The main window's boxes left by Go, by a click on the calendar shown, or by a step of their bar; then each
    // dialog's boxes with its button pressed. After every text the usual texts must work again.
    void everyWindow()
    {
        QFETCH_GLOBAL(QString, text);
        QFETCH_GLOBAL(bool, hijri);
        CalMain w;
        QVERIFY(activate(w));
        QRadioButton *option = hijri ? testsupport::option(w, "HegOpt") : testsupport::option(w, "GregOpt");
        clickOption(option);
        const QString usualYear = hijri ? QStringLiteral("1421") : QStringLiteral("2001");
        messages.clear();
        for (QLineEdit *box : {testsupport::box(w, "MonthTXT"), testsupport::box(w, "YearTXT")}) {
            platform::VScrollBar *bar = box == testsupport::box(w, "MonthTXT") ? testsupport::bar(w, "MonthScroll")
                                                                               : testsupport::bar(w, "YearScroll");
            for (const int leaving : {0, 1, 2}) {
                QString heading = testsupport::label(w, "Heading")->text();
                paste(box, text);
                w.centralWidget()->repaint(); // drawn while the text stands in the box
                checkMainWindow(w, heading, messages);
                heading = testsupport::label(w, "Heading")->text();
                if (leaving == 0)
                    goAndCheck(w, messages);
                else if (leaving == 1)
                    clickOption(option);
                else
                    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->partRect(QStyle::SC_ScrollBarSubLine).center());
                checkMainWindow(w, heading, messages, leaving != 2);
                messages.clear();
                fill({testsupport::box(w, "MonthTXT"), testsupport::box(w, "YearTXT")}, {"8", usualYear});
                click(testsupport::button(w, "GoCMD"));
                QCOMPARE(messages.count(), 0);
                QCOMPARE(testsupport::label(w, "Heading")->text(), headingFor(leadOf(w), 8, usualYear.toInt()));
            }
        }

        CalConv conv; // converting from the row's calendar
        QVERIFY(activate(conv));
        const QList<QLineEdit *> boxes = {testsupport::box(conv, "InYearTXT"), testsupport::box(conv, "InMonthTXT"),
                                          testsupport::box(conv, "InDayTXT")};
        for (QLineEdit *box : boxes) {
            paste(box, text);
            const QString typed = box->text();
            convertAndCheck(conv, hijri ? testsupport::button(conv, "ToGreg") : testsupport::button(conv, "ToHegiry"),
                            messages);
            // Left with its plain number, the 32-bit limit when beyond it (as every window does), its start shown.
            QCOMPARE(box->text(), core::PlainNumber(core::WholeNumber32(typed)));
            QCOMPARE(box->cursorPosition(), 0);
            fill(boxes, hijri ? QStringList{"1446", "1", "9"} : QStringList{"2024", "7", "16"});
            convertAndCheck(conv, hijri ? testsupport::button(conv, "ToGreg") : testsupport::button(conv, "ToHegiry"),
                            messages);
            QCOMPARE(messages.count(), 0);
        }

        testsupport::RecordingPrinter printer;
        CalPrint print;
        print.usePrinter(&printer);
        QVERIFY(activate(print));
        clickOption(hijri ? testsupport::option(print, "OPTHegiry") : testsupport::option(print, "OPTGregorian"));
        const QList<QLineEdit *> fields
            = {testsupport::box(print, "YearTXTPRT"), testsupport::box(print, "FromMonthTXTPRT"),
               testsupport::box(print, "ToMonthTXTPRT")};
        for (QLineEdit *field : fields) {
            paste(field, text);
            printAndCheck(print, printer, messages);
            fill(fields, {hijri ? "1446" : "2024", "3", "4"});
            const int printed = printer.documentCount();
            printAndCheck(print, printer, messages);
            QCOMPARE(printer.documentCount() - printed, 2);
        }
    }

private:
    Messages messages;
};

QTEST_MAIN(TestHostileInput)
#include "test_hostile_input.moc"
