// The main window as a user finds it and drives it: start-up, layout and menu, the calendar switch,
// and the month and year boxes, their bars and "Go".
#include "core/names.h"
#include "mainwin/calmain.h"
#include "platform/clock.h"
#include "platform/picturebox.h"
#include "platform/scrollbar.h"
#include "testsupport.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>

using platform::VScrollBar;
using testsupport::clickOption;

namespace {

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

// Shows the window, active, led by the given calendar: today's month, 7/2024 or 1/1446.
void open(CalMain &w, bool hijri)
{
    QVERIFY(testsupport::activate(w));
    if (hijri)
        clickOption(w.HegOpt);
    QCOMPARE(w.HegOpt->isChecked(), hijri);
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

// The boxes, the bars, their ranges and the year bar's page, as "7/2024 7/2024 1..12 622..2562/100".
QString state(const CalMain &w)
{
    const auto *m = w.MonthScroll, *y = w.YearScroll;
    return shown(w) + QString::asprintf(" %d..%d %d..%d/%d", m->Min(), m->Max(), y->Min(), y->Max(), y->pageStep());
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
    void init() { messages_.clear(); }

    void startsOnTodaysGregorianMonthAsDesigned()
    {
        CalMain w;
        QVERIFY(w.GregOpt->isChecked() && !w.HegOpt->isChecked());
        QCOMPARE(state(w), QStringLiteral("7/2024 7/2024 1..12 622..2562/100"));
        QVERIFY(!w.MonthEditing && !w.YearEditing);

        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.windowTitle(), QStringLiteral(" Dovrin"));
        QCOMPARE(w.centralWidget()->size(), QSize(490, 359));
        QCOMPARE(w.Pic->geometry(), QRect(32, 112, 425, 161));
        QCOMPARE(w.Pic2->geometry(), QRect(32, 80, 425, 25));
        QCOMPARE(w.GoCMD->geometry(), QRect(432, 304, 41, 33));
        QCOMPARE(w.GregOpt->text(), QStringLiteral("Gregorian / Christian"));
        QCOMPARE(w.HegOpt->text(), QStringLiteral("Hijri"));
        const QRect screen = w.screen()->geometry();
        QVERIFY((w.frameGeometry().center() - screen.center()).manhattanLength() <= 2);

        QStringList entries;
        for (QAction *action : w.CalMenu->actions())
            entries << (action->isSeparator() ? QStringLiteral("-") : action->text());
        QCOMPARE(w.CalMenu->title(), QStringLiteral("&Calendar"));
        QCOMPARE(entries, QStringList({"C&onvert", "&Print", "-", "&About", "-", "E&xit"}));
    }

    // A switch brings today's month of the new calendar, whatever was shown;
    // clicking the calendar that leads changes nothing and does not redraw.
    void calendarSwitch()
    {
        CalMain w;
        open(w, false);
        for (QRadioButton *option : {w.HegOpt, w.GregOpt}) {
            QRadioButton *leading = option == w.HegOpt ? w.GregOpt : w.HegOpt;
            w.MonthTXT->setText(QStringLiteral("3"));
            w.YearTXT->setText(QStringLiteral("1400"));
            w.GoCMD->click();
            const int paints = w.paintCount();
            clickOption(leading);
            QVERIFY(leading->isChecked());
            QCOMPARE(w.MonthTXT->text() + u'/' + w.YearTXT->text(), QStringLiteral("3/1400"));
            QCOMPARE(w.paintCount(), paints);
            clickOption(option);
            QCOMPARE(state(w), option == w.HegOpt ? QStringLiteral("1/1446 1/1446 1..12 1..2000/100")
                                                  : QStringLiteral("7/2024 7/2024 1..12 622..2562/100"));
        }
        QCOMPARE(messages_.count(), 0);
    }

    void boxesAndGo_data()
    {
        QTest::addColumn<bool>("hijri");
        QTest::addColumn<QString>("month"); // null: not typed
        QTest::addColumn<QString>("year");
        QTest::addColumn<QString>("kept"); // empty: refused; 67536 wrapped to 16 bits would be 2000
        const struct { bool hijri; const char *month, *year, *kept; } rows[] = {
            {false, "7.5", nullptr, "8/2024"}, {false, "abc", nullptr, ""},        {false, nullptr, "67536", ""},
            {false, "6", "622", ""},           {false, "7", "622", "7/622"},       {false, "1", "2562", "1/2562"},
            {false, "10", "1582", ""},         {false, "11", "1582", "11/1582"},   {true, "9", "990", ""},
            {true, "10", "990", "10/990"},     {true, "1", "2000", "1/2000"},      {true, "1", "1", "1/1"}};
        for (const auto &r : rows)
            QTest::addRow("%s %s/%s", r.hijri ? "Hijri" : "Gregorian", r.month ? r.month : "-", r.year ? r.year : "-")
                << r.hijri << QString::fromLatin1(r.month) << QString::fromLatin1(r.year)
                << QString::fromLatin1(r.kept);
    }
    // Leaving a box rewrites its number or gives its message; only "Go" checks the pair and draws it.
    // A refusal brings today's month back without redrawing; Enter does nothing.
    void boxesAndGo()
    {
        QFETCH(bool, hijri);
        QFETCH(QString, month);
        QFETCH(QString, year);
        QFETCH(QString, kept);
        CalMain w;
        open(w, hijri);
        QString heading = w.Heading->text();
        const int paints = w.paintCount();
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
            QCOMPARE(messages_.count(), 0);
            QTest::mouseClick(w.GoCMD, Qt::LeftButton);
        }
        const QString refusal = go               ? QStringLiteral("Your date is out of range")
                                : month.isNull() ? QStringLiteral("Your Year is out of range")
                                                 : QStringLiteral("Your Month is out of range");
        QCOMPARE(messages_.texts, kept.isEmpty() ? QStringList{refusal} : QStringList());
        QCOMPARE(messages_.titles, kept.isEmpty() ? QStringList{"Input Error ..."} : QStringList());
        const QString expected = kept.isEmpty() ? (hijri ? "1/1446" : "7/2024") : kept;
        QCOMPARE(shown(w), expected + u' ' + expected);
        const bool drawn = go && !kept.isEmpty();
        if (drawn)
            heading = (hijri ? core::HijriMonthName(month.toInt()) : core::GregMonthName(month.toInt())) + u',' + year;
        QCOMPARE(w.Heading->text(), heading);
        QCOMPARE(w.paintCount(), paints + int(drawn));
    }

    // Leaving a box unchanged keeps its editing flag, so the first arrow click
    // only puts the bar back to the box. After a change each click is one step:
    // the upper arrow up by one (none past the top), the trough below down by a page; none redraws.
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
        QCOMPARE(shown(w), QStringLiteral("7/2024 7/2024"));
        QVERIFY(!w.MonthEditing);
        clickBar(w.MonthScroll, QStyle::SC_ScrollBarSubLine);
        QCOMPARE(shown(w), QStringLiteral("8/2024 8/2024"));

        typeInto(w.YearTXT, "2562");
        tabAway(w.YearTXT);
        QVERIFY(!w.YearEditing);
        QStringList seen;
        connect(w.YearScroll, &VScrollBar::Change, &w, [&] { seen << w.YearTXT->text(); });
        for (auto part : {QStyle::SC_ScrollBarSubLine, QStyle::SC_ScrollBarAddPage, QStyle::SC_ScrollBarAddLine})
            clickBar(w.YearScroll, part);
        QCOMPARE(seen, QStringList({"2462", "2461"}));
        QCOMPARE(shown(w), QStringLiteral("8/2461 8/2461"));
        QTest::qWait(20); // let any repaint asked for happen
        QCOMPARE(w.paintCount(), paints);
        QCOMPARE(messages_.count(), 0);
    }

private:
    testsupport::MessageCatcher messages_;
};

QTEST_MAIN(TestNavigation)
#include "test_navigation.moc"
