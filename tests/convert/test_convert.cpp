// The conversion dialog and the About box as a user works them: from the menu, typing, Enter, Escape, clicks, and
// opening them again. (Every conversion and refusal against the engine: test_reliability's hostile input.)
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
