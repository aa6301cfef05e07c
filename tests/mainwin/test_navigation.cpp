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

// The boxes and the bars, as "7/2024 7/2024".
QString shown(const CalMain &w)
{
    return w.MonthTXT->text() + u'/' + w.YearTXT->text() + u' ' + QString::number(w.MonthScroll->Value()) + u'/'
           + QString::number(w.YearScroll->Value());
}

} // namespace

class TestNavigation : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        testsupport::installRealEngine();
        platform::pinDate(QDate(2024, 7, 16)); // 9 Muharram 1446
    }
    void init() { messages_ = new testsupport::MessageCatcher; }
    void cleanup() { delete messages_; }

    void boxesAndGo_data()
    {
        QTest::addColumn<bool>("hijri");
        QTest::addColumn<QString>("month"); // null: not typed
        QTest::addColumn<QString>("year");
        QTest::addColumn<QString>("kept"); // empty: refused, as 67536, which is 2000 in 16 bits
        const struct { bool hijri; const char *month, *year, *kept; } rows[] = {
            {false, " 07", nullptr, "7/1999"},  {false, "7.5", nullptr, "8/1999"}, {false, "6.5", nullptr, "6/1999"},
            {false, "&HB", nullptr, "11/1999"}, {false, "abc", nullptr, ""},       {false, "13", nullptr, ""},
            {true, nullptr, "2000", "3/2000"},  {true, nullptr, "2001", ""},       {true, nullptr, "0", ""},
            {false, nullptr, "621", ""},        {false, nullptr, "2563", ""},      {false, nullptr, "67536", ""},
            {false, "6", "622", ""},       {false, "7", "622", "7/622"},     {false, "9", "1582", "9/1582"},
            {false, "10", "1582", ""},     {false, "11", "1582", "11/1582"}, {false, "1", "2562", "1/2562"},
            {false, "2", "2562", ""},      {true, "8", "990", "8/990"},      {true, "9", "990", ""},
            {true, "10", "990", "10/990"}, {true, "1", "2000", "1/2000"},    {true, "2", "2000", ""},
            {true, "1", "1", "1/1"},       {true, "12", "1", "12/1"}};
        for (const auto &r : rows)
            QTest::addRow("%s %s/%s", r.hijri ? "Hijri" : "Gregorian", r.month ? r.month : "-", r.year ? r.year : "-")
                << r.hijri << QString::fromLatin1(r.month) << QString::fromLatin1(r.year)
                << QString::fromLatin1(r.kept);
    }
    // Leaving a box rewrites its number or gives its message; with both boxes passing, a repaint draws the pair,
    // which only "Go" checks. A refusal brings today's month back without redrawing; Enter does nothing.
    void boxesAndGo()
    {
        QFETCH(bool, hijri);
        QFETCH(QString, month);
        QFETCH(QString, year);
        QFETCH(QString, kept);
        CalMain w;
        open(w, hijri);
        QString heading = w.Heading->text();
        int paints = w.paintCount();
        for (QLineEdit *box : {w.MonthTXT, w.YearTXT}) {
            const QString text = box == w.MonthTXT ? month : year;
            if (text.isNull())
                continue;
            typeInto(box, text);
            QTest::keyClick(box, Qt::Key_Return);
            QTest::keyClick(box, Qt::Key_Enter);
            tabAway(box);
        }
        const bool go = !month.isNull() && !year.isNull();
        if (go) {
            QCOMPARE(messages_->count(), 0);
            w.Form_Paint();
            heading = (hijri ? core::HijriMonthName(month.toInt()) : core::GregMonthName(month.toInt())) + u',' + year;
            QCOMPARE(w.Heading->text(), heading);
            paints = w.paintCount();
            QTest::mouseClick(w.GoCMD, Qt::LeftButton);
        }
        const QString refusal = go ? DateRefused : month.isNull() ? YearRefused : MonthRefused;
        QCOMPARE(messages_->texts, kept.isEmpty() ? QStringList{refusal} : QStringList());
        QCOMPARE(messages_->titles, kept.isEmpty() ? QStringList{"Input Error ..."} : QStringList());
        const QString expected = kept.isEmpty() ? (hijri ? "1/1446" : "7/2024") : kept;
        QCOMPARE(shown(w), expected + u' ' + expected);
        QCOMPARE(w.Heading->text(), heading);
        QCOMPARE(w.paintCount(), paints + int(go && !kept.isEmpty()));
    }
    // Leaving a box unchanged keeps its editing flag, so the first arrow click
    // only puts the bar back to the box. After a change each click is one step:
    // the upper arrow up by one, the trough below down by a page; none redraws.
    void barClicks()
    {
        CalMain w;
        open(w, false);
        const int paints = w.paintCount();
        w.MonthTXT->setFocus();
        QVERIFY(w.MonthEditing);
        tabAway(w.MonthTXT);
        QVERIFY(w.MonthEditing);
        clickBar(w.MonthScroll, QStyle::SC_ScrollBarSubLine);
        QCOMPARE(shown(w), QStringLiteral("3/1999 3/1999"));
        QVERIFY(!w.MonthEditing);
        clickBar(w.MonthScroll, QStyle::SC_ScrollBarSubLine);
        QCOMPARE(shown(w), QStringLiteral("4/1999 4/1999"));

        typeInto(w.YearTXT, "2000");
        tabAway(w.YearTXT);
        QVERIFY(!w.YearEditing);
        QStringList seen;
        connect(w.YearScroll, &VScrollBar::Change, &w, [&] { seen << w.YearTXT->text(); });
        clickBar(w.YearScroll, QStyle::SC_ScrollBarSubLine);
        clickBar(w.YearScroll, QStyle::SC_ScrollBarAddPage);
        clickBar(w.YearScroll, QStyle::SC_ScrollBarAddLine);
        QCOMPARE(seen, QStringList({"2001", "1901", "1900"}));
        QCOMPARE(shown(w), QStringLiteral("4/1900 4/1900"));
        QTest::qWait(20); // let any repaint asked for happen
        QCOMPARE(w.paintCount(), paints);
        QCOMPARE(messages_->count(), 0);
    }

private:
    testsupport::MessageCatcher *messages_ = nullptr;
};

QTEST_MAIN(TestNavigation)
#include "test_navigation.moc"
