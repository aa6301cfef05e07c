// The conversion dialog and the About box as a user works them: from the menu, typing, Enter, Escape, clicks, and
// opening them again.
#include "about/calabout.h"
#include "convert/calconv.h"
#include "mainwin/calmain.h"
#include "testsupport.h"

#include <QScreen>

using namespace testsupport;

namespace {

QStringList shown(const CalConv &d)
{
    QStringList texts;
    for (const char *name : {"InYearTXT", "InMonthTXT", "InDayTXT", "OutYearTXT", "OutMonthTXT", "OutDayTXT"})
        texts << find(d, name)->property("text").toString();
    return texts << label(d, "ToWeekDay")->text();
}

bool centred(const QWidget &w)
{
    return (w.frameGeometry().center() - w.screen()->geometry().center()).manhattanLength() <= 1;
}

} // namespace

class TestConvert : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { realEngine(); }

    // The button, what is typed into year, month and day (each left by Tab), and what the dialog then shows: a
    // refusal keeps the outputs of the conversion before. Beyond 32 bits a box is written back as the limit.
    void conversions_data()
    {
        addRows({"to Hijri|ToHegiry| 2024;07;16|2024 7 16 1446 1 9 Tuesday",
                 "the era's first day|ToGreg|1;1;1|1 1 1 622 7 16 Friday",
                 "30 Thu Al-Hijjah of a common year, refused|ToGreg|1446;12;30|1446 12 30 622 7 16 Friday",
                 "5 October 1582, refused|ToHegiry|1582;10;5|1582 10 5 622 7 16 Friday",
                 "past 32 bits, refused|ToHegiry|2024;7;4294967312|2024 7 2147483647 622 7 16 Friday",
                 "letters are 0, refused|ToGreg|abc;1;1|0 1 1 622 7 16 Friday"}); // the button|year;month;day
                                                                                  // typed|what is shown after
    }

    void conversions()
    {
        QFETCH(QStringList, row);
        const QByteArray button = row[0].toLatin1();
        const QStringList typed = row[1].split(u';'), after = row[2].split(u' ');
        MessageCatcher messages;
        CalConv d;
        QVERIFY(activate(d));
        type(box(d, "InYearTXT"), "1"), type(box(d, "InMonthTXT"), "1"), type(box(d, "InDayTXT"), "1");
        click(testsupport::button(d, "ToGreg")); // 16 July 622, shown before
        for (const auto &[name, text] :
             {std::pair{"InYearTXT", typed[0]}, {"InMonthTXT", typed[1]}, {"InDayTXT", typed[2]}})
            type(box(d, name), text);
        click(testsupport::button(d, button));
        QCOMPARE(shown(d), after);
        const bool refused = QByteArray(QTest::currentDataTag()).endsWith("refused");
        QCOMPARE(messages.shown, refused ? QStringList{"Input Error.....: Date out of range ....."} : QStringList());
        QCOMPARE(d.focusWidget(), testsupport::button(d, button));
        for (const char *name : {"InYearTXT", "InMonthTXT", "InDayTXT"})
            QVERIFY2(showsBeginning(box(d, name)), name);
    }

    // From the menu: new, centred, "1" in each input; Enter in a box moves on and converts nothing, Enter on a
    // button presses it, Escape is Exit, which keeps the dialog where it was with its dates; closing it from the
    // frame discards it. The About box: Enter and Escape close it; it is kept until closed from its frame.
    void lifeFromTheMenu()
    {
        CalMain main;
        main.show();
        const QPoint moved(23, 31);
        QVERIFY(whileOpen<CalConv>(entry(main, "Convert"), [&](CalConv &d) {
            QVERIFY(centred(d));
            QCOMPARE(shown(d), QStringList({"1", "1", "1", {}, {}, {}, {}}));
            QTest::keyClicks(QApplication::focusWidget(), "2024"); // typing starts on the year, selected
            for (const char *typed : {"7", "16"}) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
                QTest::keyClicks(QApplication::focusWidget(), typed);
            }
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), button(d, "ToHegiry"));
            QCOMPARE(label(d, "OutYearTXT")->text(), QString());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            d.move(moved);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        }));
        QVERIFY(whileOpen<CalConv>(entry(main, "Convert"), [&](CalConv &d) {
            QCOMPARE(shown(d), QStringList({"2024", "7", "16", "1446", "1", "9", "Tuesday"}));
            QCOMPARE(d.pos(), moved);
            d.close();
        }));
        QVERIFY(!main.findChild<CalConv *>());
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape})
            QVERIFY(whileOpen<CalAbout>(entry(main, "About"), [&](CalAbout &box) {
                QVERIFY(centred(box));
                QTest::keyClick(QApplication::focusWidget(), key);
            }));
        QVERIFY(whileOpen<CalAbout>(entry(main, "About"), [&](CalAbout &box) { click(button(box, "Command1")); }));
        QVERIFY(whileOpen<CalAbout>(entry(main, "About"), [&](CalAbout &box) { box.close(); }));
        QVERIFY(!main.findChild<CalAbout *>());
    }
};

QTEST_MAIN(TestConvert)
#include "test_convert.moc"
