// The conversion dialog and the About box, worked as a user works them: typing,
// Enter, Escape, clicks, and opening them again from the main window's menu.
#include "about/calabout.h"
#include "convert/calconv.h"
#include "mainwin/calmain.h"
#include "testsupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <tuple>

namespace {

// The three inputs, then the four outputs.
QStringList shown(const CalConv &d)
{
    return {testsupport::box(d, "InYearTXT")->text(),     testsupport::box(d, "InMonthTXT")->text(),
            testsupport::box(d, "InDayTXT")->text(),      testsupport::label(d, "OutYearTXT")->text(),
            testsupport::label(d, "OutMonthTXT")->text(), testsupport::label(d, "OutDayTXT")->text(),
            testsupport::label(d, "ToWeekDay")->text()};
}

QPoint centred(const QWidget &w)
{
    const QRect screen = w.screen()->geometry();
    const QSize outer = w.frameGeometry().size();
    return screen.topLeft() + QPoint((screen.width() - outer.width()) / 2, (screen.height() - outer.height()) / 2);
}

void press(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }

} // namespace

class TestCalConv : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { testsupport::installRealEngine(); }

    // From the menu, a new dialog opens centred (not over the main window), showing "1" in each input; Exit
    // (Enter or Escape for the About box) hides it where it stands, as it was; closing it from the frame unloads it.
    void dialogsKeptOnExitCentredWhenMade()
    {
        CalMain main;
        main.show();
        main.move(0, 0);
        const QPoint moved(23, 31);
        QVERIFY(testsupport::whileOpen<CalConv>(testsupport::entry(main, "Convert"), [&](CalConv &d) {
            QCOMPARE(d.pos(), centred(d));
            convertInTurn(d);
            d.move(moved);
            QTest::mouseClick(testsupport::button(d, "ToExit"), Qt::LeftButton);
        }));
        const CalConv *conv = main.findChild<CalConv *>();
        QVERIFY(testsupport::whileOpen<CalConv>(testsupport::entry(main, "Convert"), [&](CalConv &d) {
            QVERIFY(&d == conv && d.pos() == moved);
            QCOMPARE(shown(d), QStringList({"2024", "7", "2147483647", "622", "7", "16", "Friday"}));
            d.close();
        }));
        QVERIFY(!main.findChild<CalConv *>());
        // Typing starts on the year, its "1" selected; Enter in a box moves on, rewriting it, and converts
        // nothing; Enter on a button presses it; Escape is Exit.
        QVERIFY(testsupport::whileOpen<CalConv>(testsupport::entry(main, "Convert"), [&](CalConv &d) {
            QCOMPARE(d.pos(), centred(d));
            QCOMPARE(shown(d), QStringList({"1", "1", "1", {}, {}, {}, {}}));
            QTest::keyClicks(QApplication::focusWidget(), " 2024");
            testsupport::openContextMenu(testsupport::box(d, "InYearTXT")); // neither leaves nor enters the box
            QVERIFY(testsupport::activate(d));
            QTRY_COMPARE(QApplication::focusWidget(), testsupport::box(d, "InYearTXT"));
            QCOMPARE(testsupport::box(d, "InYearTXT")->text(), QStringLiteral(" 2024"));
            press(Qt::Key_Return);
            QTest::keyClicks(testsupport::box(d, "InMonthTXT"), "7");
            QTest::keyClick(testsupport::box(d, "InMonthTXT"), Qt::Key_Enter, Qt::KeypadModifier);
            QTest::keyClicks(testsupport::box(d, "InDayTXT"), "16");
            press(Qt::Key_Return); // moves on, converts nothing: the button below is pressed by the next Enter
            QCOMPARE(QApplication::focusWidget(), testsupport::button(d, "ToHegiry"));
            press(Qt::Key_Return);
            QCOMPARE(shown(d), QStringList({"2024", "7", "16", "1446", "1", "9", "Tuesday"}));
            press(Qt::Key_Escape);
        }));
        QVERIFY(main.findChild<CalConv *>());

        QVERIFY(testsupport::whileOpen<CalAbout>(testsupport::entry(main, "About"), [&](CalAbout &box) {
            QCOMPARE(box.pos(), centred(box));
            box.move(moved);
            QCOMPARE(QApplication::focusWidget(), testsupport::button(box, "Command1"));
            press(Qt::Key_Return);
        }));
        const CalAbout *about = main.findChild<CalAbout *>();
        QVERIFY(testsupport::whileOpen<CalAbout>(testsupport::entry(main, "About"),
                                                 [&](CalAbout &) { press(Qt::Key_Escape); }));
        QVERIFY(testsupport::whileOpen<CalAbout>(testsupport::entry(main, "About"), [&](CalAbout &box) {
            QVERIFY(&box == about && box.pos() == moved);
            box.close();
        }));
        QVERIFY(!main.findChild<CalAbout *>());
    }

private:
    // One after another, each box typed over as Tab leaves it selected: a refusal keeps all four outputs of the
    // conversion before, and the focus on the button pressed.
    void convertInTurn(CalConv &d)
    {
        const QStringList refusal = {"Date out of range .....", "Input Error....."};
        // The button, what is typed, then the inputs once they have lost the focus and the outputs.
        const std::tuple<QPushButton *, QStringList, QStringList> steps[] = {
            {testsupport::button(d, "ToHegiry"), {" 622", "07", "16"}, {"622", "7", "16", "1", "1", "1", "Friday"}},
            {testsupport::button(d, "ToGreg"),
             {"1446", "12", "30"},
             {"1446", "12", "30", "1", "1", "1", "Friday"}}, // a common year
            {testsupport::button(d, "ToGreg"), {"1", "1", "1"}, {"1", "1", "1", "622", "7", "16", "Friday"}},
            // Past 32 bits: written back as the 32-bit limit (never wrapped, to 16 here), its sign and first digits
            // in sight, and refused.
            {testsupport::button(d, "ToHegiry"),
             {"2024", "7", "4294967312"},
             {"2024", "7", "2147483647", "622", "7", "16", "Friday"}},
        };
        for (const auto &[button, typed, expected] : steps) {
            const bool refused = expected.mid(3) == shown(d).mid(3);
            messages_.clear();
            testsupport::box(d, "InYearTXT")->setFocus(Qt::TabFocusReason);
            for (const QString &text : typed) {
                QTest::keyClicks(QApplication::focusWidget(), text);
                press(Qt::Key_Tab);
            }
            QTest::mouseClick(button, Qt::LeftButton);
            QCOMPARE(shown(d), expected);
            for (QLineEdit *box :
                 {testsupport::box(d, "InYearTXT"), testsupport::box(d, "InMonthTXT"), testsupport::box(d, "InDayTXT")})
                QVERIFY2(testsupport::showsBeginning(box), qPrintable(box->objectName()));
            QCOMPARE(messages_.texts + messages_.titles, refused ? refusal : QStringList());
            QCOMPARE(d.focusWidget(), button);
        }
    }

    testsupport::MessageCatcher messages_;
};

QTEST_MAIN(TestCalConv)
#include "test_calconv.moc"
