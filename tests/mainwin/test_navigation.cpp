// The month and year boxes, their bars and "Go", driven as a user drives them.
#include "core/names.h"
#include "mainwin/calmain.h"
#include "platform/clock.h"
#include "platform/scrollbar.h"
#include "testsupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using platform::VScrollBar;

namespace {

// 16 July 2024 is 9 Muharram 1446.
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

// Focus (which selects the whole text), then type over it.
void typeInto(QLineEdit *box, const QString &text)
{
    box->setFocus();
    QVERIFY(box->hasFocus());
    QCOMPARE(box->selectedText(), box->text());
    QTest::keyClicks(box, text);
    QCOMPARE(box->text(), text);
}

void tabAway(QLineEdit *box)
{
    QTest::keyClick(box, Qt::Key_Tab);
    QVERIFY(!box->hasFocus());
}

void clickBar(VScrollBar *bar, QStyle::SubControl part)
{
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->partRect(part).center());
}

void chooseHijri(CalMain &w)
{
    QTest::mouseClick(w.HegOpt, Qt::LeftButton, {}, QPoint(8, w.HegOpt->height() / 2));
    QVERIFY(w.HegOpt->isChecked());
}

void drawMonth(CalMain &w, const QString &month, const QString &year)
{
    typeInto(w.MonthTXT, month);
    typeInto(w.YearTXT, year);
    QTest::mouseClick(w.GoCMD, Qt::LeftButton);
}

void expectShown(const CalMain &w, int month, int year)
{
    QCOMPARE(w.MonthTXT->text(), QString::number(month));
    QCOMPARE(w.YearTXT->text(), QString::number(year));
    QCOMPARE(w.MonthScroll->Value(), month);
    QCOMPARE(w.YearScroll->Value(), year);
}

void expectToday(const CalMain &w)
{
    w.HegOpt->isChecked() ? expectShown(w, 1, 1446) : expectShown(w, 7, 2024);
}

} // namespace

class TestNavigation : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        testsupport::installRealEngine();
        platform::pinDate(QDate(2024, 7, 16));
    }
    void init() { messages_ = new testsupport::MessageCatcher; }
    void cleanup() { delete messages_; }

    void leavingABox_data()
    {
        QTest::addColumn<bool>("hijri");
        QTest::addColumn<bool>("yearBox");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept"); // empty: refused
        const struct { bool hijri, yearBox; const char *typed, *kept; } rows[] = {
            {false, false, " 07", "7"}, {false, false, "7.5", "8"},    {false, false, "6.5", "6"},
            {false, false, "&HB", "11"}, {false, false, "abc", ""},    {false, false, "0", ""},
            {false, false, "13", ""},    {true, true, "2000", "2000"}, {true, true, "2001", ""},
            {true, true, "0", ""},       {false, true, "621", ""},     {false, true, "2563", ""},
            {false, true, "67536", ""}}; // 2000 + 65536
        for (const auto &r : rows)
            QTest::addRow("%s %s \"%s\"", r.hijri ? "Hijri" : "Gregorian", r.yearBox ? "year" : "month", r.typed)
                << r.hijri << r.yearBox << QString::fromLatin1(r.typed) << QString::fromLatin1(r.kept);
    }
    // Leaving a box rewrites its whole number and moves its bar, or gives the
    // box's message and puts today's month back; the page never changes.
    void leavingABox()
    {
        QFETCH(bool, hijri);
        QFETCH(bool, yearBox);
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        CalMain w;
        QVERIFY(activate(w));
        if (hijri)
            chooseHijri(w);
        drawMonth(w, "3", hijri ? "1400" : "1999");
        const QString before = w.Heading->text();
        QVERIFY(!before.isEmpty());
        const int paints = w.paintCount();
        QLineEdit *box = yearBox ? w.YearTXT : w.MonthTXT;
        typeInto(box, typed);
        tabAway(box);
        if (kept.isEmpty()) {
            QCOMPARE(messages_->texts, QStringList({yearBox ? YearRefused : MonthRefused}));
            QCOMPARE(messages_->titles, QStringList({Title}));
            expectToday(w);
        } else {
            QCOMPARE(messages_->count(), 0);
            QCOMPARE(box->text(), kept);
            QCOMPARE((yearBox ? w.YearScroll : w.MonthScroll)->Value(), kept.toInt());
        }
        QCOMPARE(w.Heading->text(), before);
        QCOMPARE(w.paintCount(), paints);
    }
    void goChecksMonthAndYearTogether_data()
    {
        QTest::addColumn<bool>("hijri");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("year");
        QTest::addColumn<bool>("drawn");
        const struct { bool hijri; int month, year; bool drawn; } rows[] = {
            {false, 6, 622, false}, {false, 7, 622, true},   {false, 9, 1582, true}, {false, 10, 1582, false},
            {false, 11, 1582, true}, {false, 1, 2562, true}, {false, 2, 2562, false}, {true, 8, 990, true},
            {true, 9, 990, false},  {true, 10, 990, true},   {true, 1, 2000, true},  {true, 2, 2000, false},
            {true, 1, 1, true},     {true, 12, 1, true}};
        for (const auto &r : rows)
            QTest::addRow("%s %d/%d", r.hijri ? "Hijri" : "Gregorian", r.month, r.year)
                << r.hijri << r.month << r.year << r.drawn;
    }
    void goChecksMonthAndYearTogether()
    {
        QFETCH(bool, hijri);
        QFETCH(int, month);
        QFETCH(int, year);
        QFETCH(bool, drawn);
        CalMain w;
        QVERIFY(activate(w));
        if (hijri)
            chooseHijri(w);
        drawMonth(w, "5", hijri ? "1400" : "1999");
        const QString before = w.Heading->text();
        const int paints = w.paintCount();
        drawMonth(w, QString::number(month), QString::number(year));
        if (drawn) {
            QCOMPARE(messages_->count(), 0);
            const QString name = hijri ? core::HijriMonthName(month) : core::GregMonthName(month);
            QCOMPARE(w.Heading->text(), name + u',' + QString::number(year));
            QCOMPARE(w.paintCount(), paints + 1);
            expectShown(w, month, year);
        } else {
            QCOMPARE(messages_->texts, QStringList({DateRefused}));
            QCOMPARE(messages_->titles, QStringList({Title}));
            expectToday(w);
            QCOMPARE(w.Heading->text(), before);
            QCOMPARE(w.paintCount(), paints);
        }
    }
    // Only "Go" checks the pair: a repaint draws whatever the boxes hold.
    void repaintDrawsAPairThatGoRefuses()
    {
        CalMain w;
        QVERIFY(activate(w));
        typeInto(w.MonthTXT, "6");
        typeInto(w.YearTXT, "622");
        tabAway(w.YearTXT);
        QCOMPARE(messages_->count(), 0);
        w.Form_Paint();
        QCOMPARE(w.Heading->text(), QStringLiteral("June,622"));
        QTest::mouseClick(w.GoCMD, Qt::LeftButton);
        QCOMPARE(messages_->texts, QStringList({DateRefused}));
        expectToday(w);
        w.Form_Paint();
        QCOMPARE(w.Heading->text(), QStringLiteral("July,2024"));
    }
    // The upper arrow raises the number by one, the trough below lowers it by a
    // page; each click is one change, and none redraws the page.
    void barsStepOncePerClickWithoutRedrawing()
    {
        CalMain w;
        QVERIFY(activate(w));
        typeInto(w.MonthTXT, "5");
        tabAway(w.MonthTXT);
        QVERIFY(!w.MonthEditing);
        QTest::qWait(20);
        const int paints = w.paintCount();
        const QString before = w.Heading->text();
        QStringList seen;
        connect(w.YearScroll, &VScrollBar::Change, &w, [&] { seen << w.YearTXT->text(); });

        clickBar(w.MonthScroll, QStyle::SC_ScrollBarSubLine);
        QCOMPARE(w.MonthTXT->text(), QStringLiteral("6"));
        QCOMPARE(w.MonthScroll->Value(), 6);
        clickBar(w.YearScroll, QStyle::SC_ScrollBarSubLine);
        clickBar(w.YearScroll, QStyle::SC_ScrollBarAddPage);
        clickBar(w.YearScroll, QStyle::SC_ScrollBarAddLine);
        QCOMPARE(seen, QStringList({"2025", "1925", "1924"}));
        QCOMPARE(w.YearScroll->Value(), 1924);
        QTest::qWait(20); // let any repaint asked for happen
        QCOMPARE(w.paintCount(), paints);
        QCOMPARE(w.Heading->text(), before);
    }
    // Entering a box and leaving it unchanged keeps the editing flag: the first
    // arrow click puts the bar back to the box, the second moves it.
    void untouchedBoxTakesTheFirstArrowClick()
    {
        CalMain w;
        QVERIFY(activate(w));
        w.MonthTXT->setFocus();
        QVERIFY(w.MonthEditing);
        tabAway(w.MonthTXT);
        QVERIFY(w.MonthEditing);
        clickBar(w.MonthScroll, QStyle::SC_ScrollBarSubLine);
        QCOMPARE(w.MonthTXT->text(), QStringLiteral("7"));
        QCOMPARE(w.MonthScroll->Value(), 7);
        QVERIFY(!w.MonthEditing);
        clickBar(w.MonthScroll, QStyle::SC_ScrollBarSubLine);
        QCOMPARE(w.MonthTXT->text(), QStringLiteral("8"));
        QCOMPARE(w.MonthScroll->Value(), 8);
        QCOMPARE(messages_->count(), 0);
    }
    // "Go" is no default button: Enter in a box must not run it.
    void enterInABoxDoesNotRunGo()
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
        QCOMPARE(w.MonthTXT->text(), QStringLiteral("13"));
        tabAway(w.MonthTXT);
        QCOMPARE(messages_->texts, QStringList({MonthRefused}));
    }

private:
    testsupport::MessageCatcher *messages_ = nullptr;
};

QTEST_MAIN(TestNavigation)
#include "test_navigation.moc"
