// Every text box of every window given texts no user should type, then every
// button pressed: only the windows' own messages, only allowed months drawn
// or printed, and each window still does its work afterwards.
#include "drive.h"
#include "platform/clock.h"

using namespace drive;

class TestHostileInput : public QObject {
    Q_OBJECT
private slots:
    void initTestCase_data()
    {
        QTest::addColumn<QString>("text");
        int row = 0;
        for (const QString &text : hostileTexts())
            QTest::addRow("%d %s", ++row, text.left(12).toUtf8().toPercentEncoding().constData()) << text;
    }
    void initTestCase()
    {
        testsupport::installRealEngine();
        platform::pinDate(QDate(2024, 7, 16)); // 9 Muharram 1446
    }

    void mainWindow()
    {
        QFETCH_GLOBAL(QString, text);
        CalMain w;
        QVERIFY(activate(w));
        for (QRadioButton *option : {w.HegOpt, w.GregOpt}) {
            clickOption(option);
            const QString usualYear = option == w.HegOpt ? QStringLiteral("1421") : QStringLiteral("2001");
            // Each box left by Go, by a click on the calendar shown, or by a step of its bar.
            for (QLineEdit *box : {w.MonthTXT, w.YearTXT}) {
                platform::VScrollBar *bar = box == w.MonthTXT ? w.MonthScroll : w.YearScroll;
                for (const int leaving : {0, 1, 2}) {
                    QString heading = w.Heading->text();
                    messages.clear();
                    paste(box, text);
                    w.centralWidget()->repaint(); // drawn while the text stands in the box
                    checkMainWindow(w, heading, messages);
                    heading = w.Heading->text();
                    if (leaving == 0)
                        goAndCheck(w, messages);
                    else if (leaving == 1)
                        clickOption(option);
                    else
                        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->partRect(QStyle::SC_ScrollBarSubLine).center());
                    checkMainWindow(w, heading, messages, leaving != 2);

                    messages.clear();
                    fill({w.MonthTXT, w.YearTXT}, {"8", usualYear});
                    goAndCheck(w, messages);
                    QCOMPARE(messages.count(), 0);
                    QCOMPARE(w.Heading->text(), headingFor(leadOf(w), 8, usualYear.toInt()));
                }
            }
        }
    }

    void conversion()
    {
        QFETCH_GLOBAL(QString, text);
        CalConv d;
        QVERIFY(activate(d));
        const QList<QLineEdit *> boxes = {d.InYearTXT, d.InMonthTXT, d.InDayTXT};
        for (QPushButton *button : {d.ToHegiry, d.ToGreg}) {
            for (QLineEdit *box : boxes) {
                paste(box, text);
                const QString typed = box->text();
                convertAndCheck(d, button, messages);
                // Left with its plain number, or as typed when no 32-bit number holds it.
                QCOMPARE(box->text(), fitsIn32Bits(typed) ? core::PlainNumber(core::WholeNumber32(typed)) : typed);
                fill(boxes, button == d.ToHegiry ? QStringList{"2024", "7", "16"} : QStringList{"1446", "1", "9"});
                convertAndCheck(d, button, messages);
                QCOMPARE(messages.count(), 0); // still converting
            }
        }
    }

    void printing()
    {
        QFETCH_GLOBAL(QString, text);
        platform::RecordingPrinter printer;
        CalPrint d;
        d.usePrinter(&printer);
        QVERIFY(activate(d));
        const QList<QLineEdit *> fields = {d.YearTXTPRT, d.FromMonthTXTPRT, d.ToMonthTXTPRT};
        for (QRadioButton *option : {d.OPTHegiry, d.OPTGregorian}) {
            clickOption(option);
            for (QLineEdit *field : fields + QList<QLineEdit *>{nullptr}) {
                fill(fields, {option == d.OPTHegiry ? "1446" : "2024", "3", "4"});
                if (field)
                    paste(field, text);
                printAndCheck(d, printer, messages);
            }
            QCOMPARE(printer.documentCount(), 2); // the usual range, after the hostile ones
        }
    }

private:
    Messages messages;
};

QTEST_MAIN(TestHostileInput)
#include "test_hostile_input.moc"
