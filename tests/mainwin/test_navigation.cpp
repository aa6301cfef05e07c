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
const QString MonthRefused = QStringLiteral("Your Month is out of range");
const QString YearRefused = QStringLiteral("Your Year is out of range");
const QString DateRefused = QStringLiteral("Your date is out of range");

// Focus (which selects the whole text), then type over it.
void typeInto(QLineEdit *box, const QString &text)
{
    box->setFocus();
    QVERIFY(box->hasFocus());
    QCOMPARE(box->selectedText(), box->text());
    QTest::keyClicks(box, text);
    QCOMPARE(box->text(), text);
}

// Shows the window led by the given calendar, on month 3 of 1999 (Hijri: 1400) drawn by "Go".
void open(CalMain &w, bool hijri)
{
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    if (hijri)
        QTest::mouseClick(w.HegOpt, Qt::LeftButton, {}, QPoint(8, w.HegOpt->height() / 2));
    QCOMPARE(w.HegOpt->isChecked(), hijri);
    typeInto(w.MonthTXT, "3");
    typeInto(w.YearTXT, hijri ? "1400" : "1999");
    QTest::mouseClick(w.GoCMD, Qt::LeftButton);
    QCOMPARE(w.Heading->text(), (hijri ? core::HijriMonthName(3) : core::GregMonthName(3)) + u',' + w.YearTXT->text());
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

void expectShown(const CalMain &w, int month, int year)
{
    QCOMPARE(w.MonthTXT->text(), QString::number(month));
    QCOMPARE(w.YearTXT->text(), QString::number(year));
    QCOMPARE(w.MonthScroll->Value(), month);
    QCOMPARE(w.YearScroll->Value(), year);
}

// One message, then today's month of the leading calendar in the boxes and bars.
void expectRefused(const CalMain &w, const testsupport::MessageCatcher &messages, const QString &text)
{
    QCOMPARE(messages.texts, QStringList({text}));
    QCOMPARE(messages.titles, QStringList({"Input Error ..."}));
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
    // box's message and puts today's month back; Enter ("Go" is no default
    // button) and leaving never redraw the page.
    void leavingABox()
    {
        QFETCH(bool, hijri);
        QFETCH(bool, yearBox);
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        CalMain w;
        open(w, hijri);
        const int paints = w.paintCount();
        QLineEdit *box = yearBox ? w.YearTXT : w.MonthTXT;
        typeInto(box, typed);
        QTest::keyClick(box, Qt::Key_Return);
        QTest::keyClick(box, Qt::Key_Enter);
        QCOMPARE(messages_->count(), 0);
        tabAway(box);
        if (kept.isEmpty()) {
            expectRefused(w, *messages_, yearBox ? YearRefused : MonthRefused);
        } else {
            QCOMPARE(messages_->count(), 0);
            QCOMPARE(box->text(), kept);
            QCOMPARE((yearBox ? w.YearScroll : w.MonthScroll)->Value(), kept.toInt());
        }
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
    // Each box passes on its own and a repaint draws the pair; only "Go" checks
    // it, and a refusal puts today's month in the boxes without redrawing.
    void goChecksMonthAndYearTogether()
    {
        QFETCH(bool, hijri);
        QFETCH(int, month);
        QFETCH(int, year);
        QFETCH(bool, drawn);
        CalMain w;
        open(w, hijri);
        typeInto(w.MonthTXT, QString::number(month));
        typeInto(w.YearTXT, QString::number(year));
        tabAway(w.YearTXT);
        w.Form_Paint();
        const QString heading = (hijri ? core::HijriMonthName(month) : core::GregMonthName(month)) + u','
                                + QString::number(year);
        QCOMPARE(w.Heading->text(), heading);
        const int paints = w.paintCount();
        QTest::mouseClick(w.GoCMD, Qt::LeftButton);
        QCOMPARE(w.paintCount(), paints + int(drawn));
        QCOMPARE(w.Heading->text(), heading);
        if (drawn) {
            QCOMPARE(messages_->count(), 0);
            expectShown(w, month, year);
        } else {
            expectRefused(w, *messages_, DateRefused);
        }
    }
    // Leaving a box unchanged keeps its editing flag, so the first arrow click
    // only puts the bar back to the box. After a change each click is one step:
    // the upper arrow up by one, the trough below down by a page; none redraws.
    void barClicks()
    {
        CalMain w;
        open(w, false);
        const int paints = w.paintCount();
        const QString before = w.Heading->text();
        w.MonthTXT->setFocus();
        QVERIFY(w.MonthEditing);
        tabAway(w.MonthTXT);
        QVERIFY(w.MonthEditing);
        clickBar(w.MonthScroll, QStyle::SC_ScrollBarSubLine);
        expectShown(w, 3, 1999);
        QVERIFY(!w.MonthEditing);
        clickBar(w.MonthScroll, QStyle::SC_ScrollBarSubLine);
        expectShown(w, 4, 1999);

        typeInto(w.YearTXT, "2000");
        tabAway(w.YearTXT);
        QVERIFY(!w.YearEditing);
        QStringList seen;
        connect(w.YearScroll, &VScrollBar::Change, &w, [&] { seen << w.YearTXT->text(); });
        clickBar(w.YearScroll, QStyle::SC_ScrollBarSubLine);
        clickBar(w.YearScroll, QStyle::SC_ScrollBarAddPage);
        clickBar(w.YearScroll, QStyle::SC_ScrollBarAddLine);
        QCOMPARE(seen, QStringList({"2001", "1901", "1900"}));
        expectShown(w, 4, 1900);
        QTest::qWait(20); // let any repaint asked for happen
        QCOMPARE(w.paintCount(), paints);
        QCOMPARE(w.Heading->text(), before);
        QCOMPARE(messages_->count(), 0);
    }

private:
    testsupport::MessageCatcher *messages_ = nullptr;
};

QTEST_MAIN(TestNavigation)
#include "test_navigation.moc"
