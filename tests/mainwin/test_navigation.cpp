// The month and year boxes, their scroll bars and "Go", driven as a user
// drives them: focus, typing, Tab, clicks on the bars and on "Go".
#include "core/names.h"
#include "core/numtext.h"
#include "mainwin/calmain.h"
#include "platform/clock.h"
#include "platform/messagebox.h"
#include "platform/scrollbar.h"
#include "testsupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

using platform::VScrollBar;

namespace {

// 16 July 2024 is 9 Muharram 1446.
const QDate PinnedToday(2024, 7, 16);
constexpr int TodayGregMonth = 7, TodayGregYear = 2024;
constexpr int TodayHijriMonth = 1, TodayHijriYear = 1446;

const QString Title = QStringLiteral("Input Error ...");
const QString MonthRefused = QStringLiteral("Your Month is out of range");
const QString YearRefused = QStringLiteral("Your Year is out of range");
const QString DateRefused = QStringLiteral("Your date is out of range");

bool activate(CalMain &w)
{
    w.show();
    w.activateWindow();
    return QTest::qWaitForWindowActive(&w);
}

// Gives the box the focus and types over its text (the focus selects it all).
void typeInto(QLineEdit *box, const QString &text)
{
    QVERIFY(!box->hasFocus());
    box->setFocus();
    QVERIFY(box->hasFocus());
    QCOMPARE(box->selectedText(), box->text());
    QTest::keyClicks(box, text);
    QCOMPARE(box->text(), text);
}

// Gives the box the focus and puts a text in it as a paste would.
void pasteInto(QLineEdit *box, const QString &text)
{
    QVERIFY(!box->hasFocus());
    box->setFocus();
    QVERIFY(box->hasFocus());
    box->setText(text);
}

// Tab to the next control: the box loses the focus once.
void tabAway(QLineEdit *box)
{
    QTest::keyClick(box, Qt::Key_Tab);
    QVERIFY(!box->hasFocus());
}

void clickUpperArrow(VScrollBar *bar)
{
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->partRect(QStyle::SC_ScrollBarSubLine).center());
}

void clickGo(CalMain &w)
{
    QTest::mouseClick(w.GoCMD, Qt::LeftButton);
}

void chooseHijri(CalMain &w)
{
    QTest::mouseClick(w.HegOpt, Qt::LeftButton, {}, QPoint(8, w.HegOpt->height() / 2));
    QVERIFY(w.HegOpt->isChecked());
}

// Shows a month through the boxes and "Go", so that a later message can be
// seen to leave it on the page.
void drawMonth(CalMain &w, const QString &month, const QString &year)
{
    typeInto(w.MonthTXT, month);
    typeInto(w.YearTXT, year);
    clickGo(w);
}

// The boxes and the bars hold this month and year.
void expectShown(const CalMain &w, int month, int year)
{
    QCOMPARE(w.MonthTXT->text(), QString::number(month));
    QCOMPARE(w.YearTXT->text(), QString::number(year));
    QCOMPARE(w.MonthScroll->Value(), month);
    QCOMPARE(w.YearScroll->Value(), year);
}

void expectToday(const CalMain &w)
{
    if (w.HegOpt->isChecked())
        expectShown(w, TodayHijriMonth, TodayHijriYear);
    else
        expectShown(w, TodayGregMonth, TodayGregYear);
}

QString heading(const QString &monthName, int year)
{
    return monthName + u',' + QString::number(year);
}

} // namespace

class TestNavigation : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void leavingTheMonthBoxWritesItsWholeNumber_data();
    void leavingTheMonthBoxWritesItsWholeNumber();
    void monthBoxRefusesAMonthOutsideOneToTwelve();
    void yearBoxRefusesAYearOutsideTheCalendar_data();
    void yearBoxRefusesAYearOutsideTheCalendar();
    void goChecksMonthAndYearTogether_data();
    void goChecksMonthAndYearTogether();
    void repaintDrawsAPairThatGoRefuses();
    void hostileTextsGiveAMessageOrASoundValue_data();
    void hostileTextsGiveAMessageOrASoundValue();
    void barBesideAnEditedBoxTakesTheBoxsNumber();
    void upperArrowStepsTheBoxWithoutRedrawing();
    void untouchedBoxTakesTheFirstArrowClick();
    void barsFollowEveryUserAction();
    void focusSelectsTheWholeText();
    void enterInABoxDoesNotRunGo();
    void clickOnGoAfterARefusedBox();
    void clickOnAnArrowAfterARefusedBox();

private:
    testsupport::MessageCatcher *messages_ = nullptr;
};

void TestNavigation::initTestCase()
{
    testsupport::installRealEngine();
    platform::pinDate(PinnedToday);
}

void TestNavigation::init()
{
    messages_ = new testsupport::MessageCatcher;
}

void TestNavigation::cleanup()
{
    delete messages_;
    messages_ = nullptr;
}

void TestNavigation::leavingTheMonthBoxWritesItsWholeNumber_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("month");
    QTest::newRow("blank and leading zero") << " 07" << 7;
    QTest::newRow("half up to even") << "7.5" << 8;
    QTest::newRow("half down to even") << "6.5" << 6;
    QTest::newRow("sign") << "+3" << 3;
    QTest::newRow("exponent") << "1.2e1" << 12;
    QTest::newRow("hexadecimal") << "&HB" << 11;
    QTest::newRow("octal") << "&o12" << 10;
    QTest::newRow("trailing letters") << "4th" << 4;
    QTest::newRow("inner blanks") << "1 1" << 11;
}

void TestNavigation::leavingTheMonthBoxWritesItsWholeNumber()
{
    QFETCH(QString, typed);
    QFETCH(int, month);
    CalMain w;
    QVERIFY(activate(w));
    const int paints = w.paintCount();
    typeInto(w.MonthTXT, typed);
    tabAway(w.MonthTXT);
    expectShown(w, month, TodayGregYear);
    QCOMPARE(messages_->count(), 0);
    // The bar moving ends the editing; when it stays, the box keeps it.
    QCOMPARE(w.MonthEditing, month == TodayGregMonth);
    QCOMPARE(w.paintCount(), paints);
}

void TestNavigation::monthBoxRefusesAMonthOutsideOneToTwelve()
{
    // What was typed, and the whole number it is rewritten as before the message.
    const QList<QPair<QString, QString>> refused = {
        {"abc", "0"}, {"0", "0"}, {"13", "13"}, {"-1", "-1"}, {"12.6", "13"}, {"0.5", "0"}, {"99999", "99999"}};
    for (const auto &[typed, whole] : refused) {
        CalMain w;
        QVERIFY(activate(w));
        drawMonth(w, "3", "1999");
        QCOMPARE(w.Heading->text(), QStringLiteral("March,1999"));
        const int paints = w.paintCount();
        QStringList boxAtMessage;
        platform::setMessageHook([&](const QString &text, const QString &title) {
            boxAtMessage << w.MonthTXT->text() << text << title;
        });
        typeInto(w.MonthTXT, typed);
        tabAway(w.MonthTXT);
        platform::setMessageHook({});
        QCOMPARE(boxAtMessage, QStringList({whole, MonthRefused, Title}));
        expectToday(w);
        QCOMPARE(w.Heading->text(), QStringLiteral("March,1999"));
        QCOMPARE(w.paintCount(), paints);
    }
}

void TestNavigation::yearBoxRefusesAYearOutsideTheCalendar_data()
{
    QTest::addColumn<bool>("hijri");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("passes");
    QTest::newRow("Hijri 2000") << true << "2000" << true;
    QTest::newRow("Hijri 2001") << true << "2001" << false;
    QTest::newRow("Hijri 1") << true << "1" << true;
    QTest::newRow("Hijri 0") << true << "0" << false;
    QTest::newRow("Gregorian 622") << false << "622" << true;
    QTest::newRow("Gregorian 621") << false << "621" << false;
    QTest::newRow("Gregorian 2562") << false << "2562" << true;
    QTest::newRow("Gregorian 2563") << false << "2563" << false;
    QTest::newRow("Gregorian 99999") << false << "99999" << false;
    QTest::newRow("Gregorian 70000") << false << "70000" << false;
    QTest::newRow("Gregorian 67536 (2000 + 65536)") << false << "67536" << false;
    QTest::newRow("Gregorian -63512 (2024 - 65536)") << false << "-63512" << false;
    QTest::newRow("Gregorian 4294969320 (2024 + 2^32)") << false << "4294969320" << false;
}

void TestNavigation::yearBoxRefusesAYearOutsideTheCalendar()
{
    QFETCH(bool, hijri);
    QFETCH(QString, typed);
    QFETCH(bool, passes);
    CalMain w;
    QVERIFY(activate(w));
    if (hijri)
        chooseHijri(w);
    const QString before = w.Heading->text();
    const int paints = w.paintCount();
    typeInto(w.YearTXT, typed);
    tabAway(w.YearTXT);
    if (passes) {
        QCOMPARE(messages_->count(), 0);
        QCOMPARE(w.YearTXT->text(), typed);
        QCOMPARE(w.YearScroll->Value(), typed.toInt());
    } else {
        QCOMPARE(messages_->texts, QStringList({YearRefused}));
        QCOMPARE(messages_->titles, QStringList({Title}));
        expectToday(w);
    }
    QCOMPARE(w.Heading->text(), before);
    QCOMPARE(w.paintCount(), paints);
}

void TestNavigation::goChecksMonthAndYearTogether_data()
{
    QTest::addColumn<bool>("hijri");
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("drawn"); // empty: refused

    const auto greg = [](int m, int y) { return heading(core::GregMonthName(m), y); };
    const auto hijri = [](int m, int y) { return heading(core::HijriMonthName(m), y); };
    QTest::newRow("Gregorian 6/622") << false << "6" << "622" << QString();
    QTest::newRow("Gregorian 7/622") << false << "7" << "622" << greg(7, 622);
    QTest::newRow("Gregorian 9/1582") << false << "9" << "1582" << greg(9, 1582);
    QTest::newRow("Gregorian 10/1582") << false << "10" << "1582" << QString();
    QTest::newRow("Gregorian 11/1582") << false << "11" << "1582" << greg(11, 1582);
    QTest::newRow("Gregorian 1/2562") << false << "1" << "2562" << greg(1, 2562);
    QTest::newRow("Gregorian 2/2562") << false << "2" << "2562" << QString();
    QTest::newRow("Hijri 8/990") << true << "8" << "990" << hijri(8, 990);
    QTest::newRow("Hijri 9/990") << true << "9" << "990" << QString();
    QTest::newRow("Hijri 10/990") << true << "10" << "990" << hijri(10, 990);
    QTest::newRow("Hijri 1/2000") << true << "1" << "2000" << hijri(1, 2000);
    QTest::newRow("Hijri 2/2000") << true << "2" << "2000" << QString();
    QTest::newRow("Hijri 1/1") << true << "1" << "1" << hijri(1, 1);
    QTest::newRow("Hijri 12/1") << true << "12" << "1" << hijri(12, 1);
}

void TestNavigation::goChecksMonthAndYearTogether()
{
    QFETCH(bool, hijri);
    QFETCH(QString, month);
    QFETCH(QString, year);
    QFETCH(QString, drawn);
    CalMain w;
    QVERIFY(activate(w));
    if (hijri) {
        chooseHijri(w);
        drawMonth(w, "5", "1400");
    } else {
        drawMonth(w, "3", "1999");
    }
    const QString before = w.Heading->text();
    QVERIFY(!before.isEmpty());
    const int paints = w.paintCount();
    typeInto(w.MonthTXT, month);
    typeInto(w.YearTXT, year);
    clickGo(w);
    if (!drawn.isEmpty()) {
        QCOMPARE(messages_->count(), 0);
        QCOMPARE(w.Heading->text(), drawn);
        QCOMPARE(w.paintCount(), paints + 1);
        expectShown(w, month.toInt(), year.toInt());
    } else {
        QCOMPARE(messages_->texts, QStringList({DateRefused}));
        QCOMPARE(messages_->titles, QStringList({Title}));
        expectToday(w);
        QCOMPARE(w.Heading->text(), before);
        QCOMPARE(w.paintCount(), paints);
    }
}

// Only "Go" checks the pair: a repaint draws whatever the boxes hold.
void TestNavigation::repaintDrawsAPairThatGoRefuses()
{
    CalMain w;
    QVERIFY(activate(w));
    typeInto(w.MonthTXT, "6");
    typeInto(w.YearTXT, "622");
    tabAway(w.YearTXT);
    QCOMPARE(messages_->count(), 0);
    w.Form_Paint(); // as any repaint of the window does
    QCOMPARE(w.Heading->text(), QStringLiteral("June,622"));

    clickGo(w);
    QCOMPARE(messages_->texts, QStringList({DateRefused}));
    expectToday(w);
    QCOMPARE(w.Heading->text(), QStringLiteral("June,622")); // until the next paint
    w.Form_Paint();
    QCOMPARE(w.Heading->text(), QStringLiteral("July,2024"));
}

void TestNavigation::hostileTextsGiveAMessageOrASoundValue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("month"); // 0: refused
    QTest::addColumn<int>("year");  // 0: refused
    const QString digits(10000, u'9');
    QTest::newRow("10,000 nines") << digits << 0 << 0;
    QTest::newRow("10,000 digits of 7") << (QString(9999, u'0') + u'7') << 7 << 0;
    QTest::newRow("beyond 32 bits") << "99999999999999999999" << 0 << 0;
    QTest::newRow("below 32 bits") << "-99999999999999999999" << 0 << 0;
    QTest::newRow("&H with 40 digits") << (QStringLiteral("&H") + QString(40, u'F')) << 0 << 0;
    QTest::newRow("&H wrapping to 2024 in 32 bits") << "&H1000007E8" << 0 << 0;
    QTest::newRow("1E999") << "1E999" << 0 << 0;
    QTest::newRow("-1E999") << "-1E999" << 0 << 0;
    QTest::newRow("1E-999") << "1E-999" << 0 << 0;
    QTest::newRow("plus alone") << "+" << 0 << 0;
    QTest::newRow("minus alone") << "-" << 0 << 0;
    QTest::newRow("dot alone") << "." << 0 << 0;
    QTest::newRow("E alone") << "E5" << 0 << 0;
    QTest::newRow("Arabic-Indic digits") << QStringLiteral("\u0663\u0664") << 0 << 0;
    QTest::newRow("fullwidth digits") << QStringLiteral("\uFF17") << 0 << 0;
    QTest::newRow("Greek letters") << QStringLiteral("\u03B1\u03B2") << 0 << 0;
    QTest::newRow("tabs and line feeds") << "\t1\n9\t9\n9" << 0 << 1999;
    QTest::newRow("month between tabs") << "\t5\n" << 5 << 0;
    QTest::newRow("NUL") << QString(QChar(0)) + u'5' << 0 << 0;
    QTest::newRow("percent signs") << "%n%s%x" << 0 << 0;
}

void TestNavigation::hostileTextsGiveAMessageOrASoundValue()
{
    QFETCH(QString, text);
    QFETCH(int, month);
    QFETCH(int, year);
    CalMain w;
    QVERIFY(activate(w));
    drawMonth(w, "3", "1999");
    const int paints = w.paintCount();

    pasteInto(w.MonthTXT, text);
    tabAway(w.MonthTXT);
    if (month != 0) {
        QCOMPARE(messages_->count(), 0);
        expectShown(w, month, 1999);
    } else {
        QCOMPARE(messages_->texts, QStringList({MonthRefused}));
        expectToday(w);
    }
    messages_->clear();

    pasteInto(w.YearTXT, text);
    tabAway(w.YearTXT);
    if (year != 0) {
        QCOMPARE(messages_->count(), 0);
        QCOMPARE(w.YearTXT->text(), QString::number(year));
        QCOMPARE(w.YearScroll->Value(), year);
    } else {
        QCOMPARE(messages_->texts, QStringList({YearRefused}));
        expectToday(w);
    }
    QCOMPARE(w.Heading->text(), QStringLiteral("March,1999"));
    QCOMPARE(w.paintCount(), paints);

    // Still usable: the next month is reached and drawn.
    messages_->clear();
    drawMonth(w, "8", "2001");
    QCOMPARE(messages_->count(), 0);
    QCOMPARE(w.Heading->text(), QStringLiteral("August,2001"));
}

// A bar moved while its box still has the focus (the wheel does not take
// the focus): the box's number wins, pulled into the bar's range.
void TestNavigation::barBesideAnEditedBoxTakesTheBoxsNumber()
{
    struct Case {
        const char *typed;
        int month;
    };
    for (const Case c : {Case{"4", 4}, Case{"13", 12}, Case{"abc", 1}, Case{"1E999", 12}, Case{"-1E999", 1},
                         Case{"40000", 12}, Case{"0.5", 1}, Case{"12.6", 12}}) {
        CalMain w;
        QVERIFY(activate(w));
        typeInto(w.MonthTXT, QString::fromLatin1(c.typed));
        QVERIFY(w.MonthEditing);
        w.MonthScroll->setValue(9); // as a wheel turn over the bar would
        QCOMPARE(w.MonthScroll->Value(), c.month);
        QVERIFY(!w.MonthEditing);
        QVERIFY(w.MonthTXT->hasFocus());
        QVERIFY(core::WholeNumber16(w.MonthTXT->text()) == c.month);
        QCOMPARE(messages_->count(), 0);
    }

    CalMain w;
    QVERIFY(activate(w));
    chooseHijri(w);
    typeInto(w.YearTXT, "2500");
    w.YearScroll->setValue(5);
    QCOMPARE(w.YearTXT->text(), QStringLiteral("2000"));
    QCOMPARE(w.YearScroll->Value(), 2000);
}

void TestNavigation::upperArrowStepsTheBoxWithoutRedrawing()
{
    CalMain w;
    QVERIFY(activate(w));
    typeInto(w.MonthTXT, "5");
    tabAway(w.MonthTXT); // the bar moves to 5, which ends the editing
    QVERIFY(!w.MonthEditing);
    QCOMPARE(w.MonthScroll->Value(), 5);
    QTest::qWait(20);
    const int paints = w.paintCount();
    const QString before = w.Heading->text();
    clickUpperArrow(w.MonthScroll);
    QCOMPARE(w.MonthTXT->text(), QStringLiteral("6"));
    QCOMPARE(w.MonthScroll->Value(), 6);
    QTest::qWait(20); // let any repaint that was asked for happen
    QCOMPARE(w.paintCount(), paints);
    QCOMPARE(w.Heading->text(), before);

    // The year bar: arrow and trough.
    clickUpperArrow(w.YearScroll);
    QCOMPARE(w.YearTXT->text(), QStringLiteral("2025"));
    const QRect below = w.YearScroll->partRect(QStyle::SC_ScrollBarAddPage);
    QVERIFY(!below.isEmpty());
    QTest::mouseClick(w.YearScroll, Qt::LeftButton, {}, below.center());
    QCOMPARE(w.YearTXT->text(), QStringLiteral("1925"));
    QCOMPARE(w.paintCount(), paints);
}

// Entering a box and leaving it unchanged keeps the editing flag; the next
// arrow click then puts the bar back to the box, the second one moves it.
void TestNavigation::untouchedBoxTakesTheFirstArrowClick()
{
    CalMain w;
    QVERIFY(activate(w));
    w.MonthTXT->setFocus();
    QVERIFY(w.MonthEditing);
    tabAway(w.MonthTXT);
    QVERIFY(w.MonthEditing);
    int changes = 0;
    connect(w.MonthScroll, &VScrollBar::Change, &w, [&] { ++changes; });

    clickUpperArrow(w.MonthScroll);
    QCOMPARE(w.MonthTXT->text(), QStringLiteral("7"));
    QCOMPARE(w.MonthScroll->Value(), 7);
    QCOMPARE(changes, 2); // moved to 8, then set back to 7
    QVERIFY(!w.MonthEditing);

    clickUpperArrow(w.MonthScroll);
    QCOMPARE(w.MonthTXT->text(), QStringLiteral("8"));
    QCOMPARE(w.MonthScroll->Value(), 8);

    // Same with the year box, by the keyboard on the focused bar.
    w.YearTXT->setFocus();
    tabAway(w.YearTXT);
    QVERIFY(w.YearScroll->hasFocus());
    QTest::keyClick(w.YearScroll, Qt::Key_Up);
    QCOMPARE(w.YearTXT->text(), QStringLiteral("2024"));
    QTest::keyClick(w.YearScroll, Qt::Key_Up);
    QCOMPARE(w.YearTXT->text(), QStringLiteral("2025"));
    QCOMPARE(messages_->count(), 0);
}

// Every change of a bar shows in its box exactly once: keys, wheel, arrows,
// trough and drag.
void TestNavigation::barsFollowEveryUserAction()
{
    CalMain w;
    QVERIFY(activate(w));
    VScrollBar *bar = w.MonthScroll;
    QStringList seen;
    connect(bar, &VScrollBar::Change, &w, [&] { seen << w.MonthTXT->text(); });
    bar->setFocus();
    QTest::keyClick(bar, Qt::Key_PageUp);
    QTest::keyClick(bar, Qt::Key_Down);
    QTest::keyClick(bar, Qt::Key_PageDown);
    QCOMPARE(seen, QStringList({"12", "11", "5"}));
    seen.clear();

    const QPointF middle(bar->width() / 2.0, bar->height() / 2.0);
    QWheelEvent wheelUp(middle, bar->mapToGlobal(middle), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                        Qt::NoScrollPhase, false);
    QApplication::sendEvent(bar, &wheelUp);
    QCOMPARE(seen, QStringList({"6"}));
    seen.clear();

    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->partRect(QStyle::SC_ScrollBarAddLine).center());
    QCOMPARE(seen, QStringList({"5"}));
    seen.clear();

    const QRect thumb = bar->partRect(QStyle::SC_ScrollBarSlider);
    const QRect groove = bar->partRect(QStyle::SC_ScrollBarGroove);
    QTest::mousePress(bar, Qt::LeftButton, {}, thumb.center());
    QTest::mouseMove(bar, QPoint(thumb.center().x(), groove.bottom()));
    QCOMPARE(seen, QStringList());
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(thumb.center().x(), groove.bottom()));
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen.last(), QString::number(bar->Value()));
    QVERIFY(bar->Value() < 5);
}

void TestNavigation::focusSelectsTheWholeText()
{
    CalMain w;
    QVERIFY(activate(w));
    // By Tab from the month bar into the year box.
    w.MonthScroll->setFocus();
    QTest::keyClick(w.MonthScroll, Qt::Key_Tab);
    QVERIFY(w.YearTXT->hasFocus());
    QVERIFY(w.YearEditing);
    QCOMPARE(w.YearTXT->selectedText(), QStringLiteral("2024"));

    // By a click, which would otherwise put the caret where it lands.
    QTest::mouseClick(w.MonthTXT, Qt::LeftButton, {}, QPoint(4, w.MonthTXT->height() / 2));
    QVERIFY(w.MonthTXT->hasFocus());
    QVERIFY(w.MonthEditing);
    QTRY_COMPARE(w.MonthTXT->selectedText(), QStringLiteral("7"));
    QTest::keyClicks(w.MonthTXT, "9");
    QCOMPARE(w.MonthTXT->text(), QStringLiteral("9"));

    // A click in a box that has the focus already just places the caret.
    QTest::mouseClick(w.MonthTXT, Qt::LeftButton, {}, QPoint(2, w.MonthTXT->height() / 2));
    QTest::qWait(10);
    QCOMPARE(w.MonthTXT->selectedText(), QString());
}

// "Go" is no default button: Enter in a box must not run it behind the
// box's own check.
void TestNavigation::enterInABoxDoesNotRunGo()
{
    CalMain w;
    QVERIFY(activate(w));
    int goClicks = 0;
    connect(w.GoCMD, &QPushButton::clicked, &w, [&] { ++goClicks; });
    const int paints = w.paintCount();
    typeInto(w.MonthTXT, "13");
    QTest::keyClick(w.MonthTXT, Qt::Key_Return);
    QTest::keyClick(w.MonthTXT, Qt::Key_Enter);
    QCOMPARE(goClicks, 0);
    QCOMPARE(messages_->count(), 0);
    QCOMPARE(w.paintCount(), paints);
    QVERIFY(w.MonthTXT->hasFocus());
    QCOMPARE(w.MonthTXT->text(), QStringLiteral("13"));
    tabAway(w.MonthTXT); // the check still runs when the box is left
    QCOMPARE(messages_->texts, QStringList({MonthRefused}));
}

namespace {
// Closes the real message box as a user does, with a click on its OK button.
void answerNextBoxByMouse(QString *seenText)
{
    QTimer::singleShot(0, [seenText] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        *seenText = box->text();
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    });
}
} // namespace

// The box's message takes the click that left the box: "Go" does not run on
// the refused number, nor on the reset one.
void TestNavigation::clickOnGoAfterARefusedBox()
{
    delete messages_; // real boxes here
    messages_ = nullptr;
    CalMain w;
    QVERIFY(activate(w));
    drawMonth(w, "3", "1999");
    QCOMPARE(w.Heading->text(), QStringLiteral("March,1999"));
    int goClicks = 0;
    connect(w.GoCMD, &QPushButton::clicked, &w, [&] { ++goClicks; });
    typeInto(w.MonthTXT, "13");
    QString shown;
    answerNextBoxByMouse(&shown);
    QTest::mousePress(w.GoCMD, Qt::LeftButton);
    QCOMPARE(shown, MonthRefused);
    QTest::qWait(50);
    QCOMPARE(goClicks, 0);
    expectToday(w);
    QCOMPARE(w.Heading->text(), QStringLiteral("March,1999"));
    QTest::mouseRelease(w.Label4, Qt::LeftButton); // the test's own mouse state: button up
}

// The same for an arrow: the late press must not start an auto-repeat that
// no release would stop.
void TestNavigation::clickOnAnArrowAfterARefusedBox()
{
    delete messages_;
    messages_ = nullptr;
    CalMain w;
    QVERIFY(activate(w));
    typeInto(w.MonthTXT, "13");
    QString shown;
    answerNextBoxByMouse(&shown);
    QTest::mousePress(w.MonthScroll, Qt::LeftButton, {}, w.MonthScroll->partRect(QStyle::SC_ScrollBarSubLine).center());
    QCOMPARE(shown, MonthRefused);
    QTest::qWait(700); // past the auto-repeat delay
    expectToday(w);
    QTest::mouseRelease(w.Label4, Qt::LeftButton);
}

QTEST_MAIN(TestNavigation)
#include "test_navigation.moc"
