// The main window as a user drives it: start-up, the calendar switch, the month and year boxes, their bars, "Go".
#include "mainwin/calmain.h"
#include "platform/clock/clock.h"
#include "platform/controls/scrollbar.h"
#include "testsupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using platform::VScrollBar;

namespace {

// Focus (which selects the whole text), type over it and leave with Enter, which moves on as Tab does.
void typeInto(QLineEdit *box, const QString &text)
{
    box->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Return);
    QVERIFY(!box->hasFocus());
}

void clickBar(VScrollBar *bar, QStyle::SubControl part)
{
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->partRect(part).center());
}

// The boxes, the bars, their ranges and the year bar's page, as "7/2024 7/2024 1..12 622..2562/100".
QString state(const CalMain &w)
{
    const auto *m = testsupport::bar(w, "MonthScroll"), *y = testsupport::bar(w, "YearScroll");
    return testsupport::box(w, "MonthTXT")->text() + u'/' + testsupport::box(w, "YearTXT")->text()
        + QString::asprintf(" %d/%d %d..%d %d..%d/%d", m->Value(), y->Value(), m->Min(), m->Max(), y->Min(), y->Max(),
                            y->pageStep());
}

const QString GregToday = QStringLiteral("7/2024 7/2024 1..12 622..2562/100");
const QString HijriToday = QStringLiteral("1/1446 1/1446 1..12 1..2000/100");

// Typed into the boxes (null: not typed), and the heading "Go" draws or the message of the refusal. 67536 wrapped
// to 16 bits would be 2000; numbers are read with "." under any locale and halves go to even.
const struct {
    bool hijri;
    const char *month, *year, *outcome;
} Entries[] = {{false, nullptr, "67536", "Your Year is out of range"},
               {false, "10", "1582", "Your date is out of range"},
               {false, "7", "622", "July,622"},
               {false, "7.5", "2024", "August,2024"},
               {false, "6.5", "2024", "June,2024"},
               {true, "9", "990", "Your date is out of range"},
               {true, "1", "1", "Muharram,1"}};

} // namespace

class TestNavigation : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        testsupport::installRealEngine();
        platform::pinDate(QDate(2024, 7, 16)); // 9 Muharram 1446
        QVERIFY(testsupport::userLocaleInEffect());
    }

    // Start-up on today's Gregorian month; a switch brings the other calendar's, whatever was shown, and a click on
    // the leading one nothing. A box gives its message when left; "Go" alone checks the pair and draws it, never
    // Enter; a refusal does not redraw.
    void calendarsBoxesAndGo()
    {
        testsupport::MessageCatcher messages;
        CalMain w;
        QCOMPARE(state(w), GregToday);
        QVERIFY(testsupport::activate(w));
        for (const auto &[hijri, month, year, outcome] : Entries) {
            const QString before = state(w);
            const bool switching = hijri != testsupport::option(w, "HegOpt")->isChecked();
            testsupport::clickOption(hijri ? testsupport::option(w, "HegOpt") : testsupport::option(w, "GregOpt"));
            QCOMPARE(state(w), switching ? (hijri ? HijriToday : GregToday) : before);
            messages.clear();
            const QString heading = testsupport::label(w, "Heading")->text();
            const int paints = w.paintCount();
            for (auto [box, text] :
                 {std::pair{testsupport::box(w, "MonthTXT"), month}, std::pair{testsupport::box(w, "YearTXT"), year}})
                if (text)
                    typeInto(box, text);
            if (month && year)
                QTest::mouseClick(testsupport::button(w, "GoCMD"), Qt::LeftButton);
            const bool drawn = !QString::fromLatin1(outcome).startsWith(u"Your ");
            QCOMPARE(messages.texts, drawn ? QStringList() : QStringList{outcome});
            QCOMPARE(testsupport::label(w, "Heading")->text(), drawn ? QString::fromLatin1(outcome) : heading);
            QCOMPARE(w.paintCount(), paints + int(drawn));
        }
        testsupport::clickOption(testsupport::option(w, "GregOpt"));
        QCOMPARE(state(w), GregToday);

        // A box left unchanged keeps its editing flag: the first arrow click only puts the bar back to the box. Then
        // each click is one step: the upper arrow up by one (none past the top), the trough below down by a page.
        const int paints = w.paintCount();
        testsupport::box(w, "MonthTXT")->setFocus();
        QTest::keyClick(testsupport::box(w, "MonthTXT"), Qt::Key_Tab);
        clickBar(testsupport::bar(w, "MonthScroll"), QStyle::SC_ScrollBarSubLine);
        QCOMPARE(state(w), GregToday);
        clickBar(testsupport::bar(w, "MonthScroll"), QStyle::SC_ScrollBarSubLine);
        QCOMPARE(state(w), QStringLiteral("8/2024 8/2024 1..12 622..2562/100"));
        typeInto(testsupport::box(w, "YearTXT"), "2562");
        QStringList seen;
        connect(testsupport::bar(w, "YearScroll"), &VScrollBar::Change, &w,
                [&] { seen << testsupport::box(w, "YearTXT")->text(); });
        for (auto part : {QStyle::SC_ScrollBarSubLine, QStyle::SC_ScrollBarAddPage, QStyle::SC_ScrollBarAddLine})
            clickBar(testsupport::bar(w, "YearScroll"), part);
        QCOMPARE(seen, QStringList({"2462", "2461"}));
        QCOMPARE(state(w), QStringLiteral("8/2461 8/2461 1..12 622..2562/100"));
        QTest::qWait(20); // let any repaint asked for happen: a bar click draws nothing
        QCOMPARE(w.paintCount(), paints);
        QCOMPARE(messages.count(), 0);
    }

    // An unfinished edit survives the menu bar (Alt+C, F10, the mouse) and the box's context menu: no message, the
    // text kept, still being edited. Leaving it then runs the real message box inside the focus change: by a click
    // on the other box, which then has its text selected and takes the typing; by Tab; by a button.
    void focusAndMessages()
    {
        CalMain w;
        QVERIFY(testsupport::activate(w));
        testsupport::MessageAnswerer answers;
        testsupport::box(w, "MonthTXT")->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(testsupport::box(w, "MonthTXT"), "13");
        QTest::keyClick(testsupport::box(w, "MonthTXT"), Qt::Key_C, Qt::AltModifier);
        QTRY_VERIFY(testsupport::menu(w, "CalMenu")->isVisible());
        QTest::keyClick(testsupport::menu(w, "CalMenu"), Qt::Key_Escape);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QTRY_VERIFY(!testsupport::menu(w, "CalMenu")->isVisible());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F10);
        QTest::mouseClick(w.menuBar(), Qt::LeftButton, {},
                          w.menuBar()->actionGeometry(testsupport::menu(w, "CalMenu")->menuAction()).center());
        QTRY_VERIFY(testsupport::menu(w, "CalMenu")->isVisible());
        testsupport::menu(w, "CalMenu")->close();
        testsupport::openContextMenu(testsupport::box(w, "MonthTXT"));
        QVERIFY(testsupport::activate(w));
        QTRY_COMPARE(QApplication::focusWidget(), testsupport::box(w, "MonthTXT"));
        QVERIFY(testsupport::box(w, "MonthTXT")->text() == QStringLiteral("13") && answers.texts.isEmpty());

        QTest::mouseClick(testsupport::box(w, "YearTXT"), Qt::LeftButton);
        QTRY_COMPARE(answers.texts, QStringList{"Your Month is out of range"});
        QVERIFY(testsupport::activate(w));
        QTRY_COMPARE(QApplication::focusWidget(), testsupport::box(w, "YearTXT"));
        QCOMPARE(testsupport::box(w, "MonthTXT")->text(), QStringLiteral("7"));
        // Offscreen, the main window is activated again at a moment that races the click's own press: the
        // selection is checked in the real X session (test_navigation_x11) only.
        if (QGuiApplication::platformName() == QLatin1String("xcb")) {
            QCOMPARE(testsupport::box(w, "YearTXT")->selectedText(), testsupport::box(w, "YearTXT")->text());
            QTest::keyClicks(QApplication::focusWidget(), "2030");
            QCOMPARE(testsupport::box(w, "YearTXT")->text(), QStringLiteral("2030"));
        } else {
            testsupport::box(w, "YearTXT")->setText(QStringLiteral("2030"));
        }

        QTest::keyClicks(testsupport::box(w, "YearTXT"), "0");
        QTest::keyClick(testsupport::box(w, "YearTXT"), Qt::Key_Tab);
        QTRY_COMPARE(answers.texts.value(1), QStringLiteral("Your Year is out of range"));
        QVERIFY(testsupport::activate(w));
        QTRY_COMPARE(QApplication::focusWidget(), testsupport::bar(w, "YearScroll"));
        QCOMPARE(testsupport::box(w, "YearTXT")->text(), QStringLiteral("2024"));

        testsupport::box(w, "MonthTXT")->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(testsupport::box(w, "MonthTXT"), "-99999999999");
        QTest::mouseClick(testsupport::button(w, "GoCMD"), Qt::LeftButton);
        QTRY_COMPARE(answers.texts.value(2), QStringLiteral("Your Month is out of range"));
        QVERIFY(testsupport::activate(w));
        QTRY_COMPARE(QApplication::focusWidget(), testsupport::button(w, "GoCMD"));
        QCOMPARE(testsupport::box(w, "MonthTXT")->text(), QStringLiteral("7"));
    }

    // Keys: Enter and Space on the focused "Go" press it; Enter in a box moves on and never presses "Go". A bar with
    // the focus draws its focus frame.
    void keysAndFocusMarks()
    {
        testsupport::MessageCatcher messages;
        CalMain w;
        QVERIFY(testsupport::activate(w));
        int paints = w.paintCount();
        testsupport::box(w, "YearTXT")->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(testsupport::box(w, "YearTXT"), "2030");
        QTest::keyClick(testsupport::box(w, "YearTXT"), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(QApplication::focusWidget(), testsupport::bar(w, "YearScroll"));
        QCOMPARE(testsupport::label(w, "Heading")->text(), QStringLiteral("July,2024"));
        const QImage unfocused = testsupport::bar(w, "MonthScroll")->grab().toImage();
        const QImage focused = testsupport::bar(w, "YearScroll")->grab().toImage();
        QCOMPARE(focused.pixelColor(1, focused.height() / 2),
                 testsupport::bar(w, "YearScroll")->palette().color(QPalette::Highlight));
        QVERIFY(unfocused.pixelColor(1, unfocused.height() / 2)
                != testsupport::bar(w, "YearScroll")->palette().color(QPalette::Highlight));
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Space}) {
            testsupport::button(w, "GoCMD")->setFocus(Qt::TabFocusReason);
            paints = w.paintCount();
            QTest::keyClick(testsupport::button(w, "GoCMD"), key);
            QCOMPARE(testsupport::label(w, "Heading")->text(), QStringLiteral("July,2030"));
            QCOMPARE(w.paintCount(), paints + 1);
        }
        QCOMPARE(messages.count(), 0);
    }
};

QTEST_MAIN(TestNavigation)
#include "test_navigation.moc"
