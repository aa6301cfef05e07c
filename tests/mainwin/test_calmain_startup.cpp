// The main window's start-up, menu and calendar switch.
#include "mainwin/calmain.h"
#include "platform/clock.h"
#include "platform/picturebox.h"
#include "platform/scrollbar.h"
#include "testsupport.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>

namespace {
// A click on the option's indicator (the middle of the control may lie
// beyond its caption).
void clickOption(QRadioButton *option)
{
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(8, option->height() / 2));
}

QWidget *nextTabStop(QWidget *w)
{
    do
        w = w->nextInFocusChain();
    while (!(w->focusPolicy() & Qt::TabFocus));
    return w;
}
} // namespace

class TestCalMainStartup : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void startsOnTodaysGregorianMonth();
    void layoutAsDesigned();
    void menuEntries();
    void switchBringsTodaysMonthOfTheNewCalendar();
    void clickingTheLeadingCalendarChangesNothing();
    void exitHidesTheWindow();
};

void TestCalMainStartup::initTestCase()
{
    testsupport::installRealEngine();
    platform::pinDate(QDate(2024, 7, 16)); // 9 Muharram 1446
}

void TestCalMainStartup::startsOnTodaysGregorianMonth()
{
    CalMain w;
    QCOMPARE(core::CalendarMode, int16_t(1));
    QVERIFY(w.GregOpt->isChecked());
    QVERIFY(!w.HegOpt->isChecked());
    QCOMPARE(w.MonthTXT->text(), QStringLiteral("7"));
    QCOMPARE(w.YearTXT->text(), QStringLiteral("2024"));
    QCOMPARE(w.MonthScroll->Value(), 7);
    QCOMPARE(w.YearScroll->Value(), 2024);
    QCOMPARE(w.MonthScroll->Min(), 1);
    QCOMPARE(w.MonthScroll->Max(), 12);
    QCOMPARE(w.MonthScroll->pageStep(), 6);
    QCOMPARE(w.YearScroll->Min(), 622);
    QCOMPARE(w.YearScroll->Max(), 2562);
    QCOMPARE(w.YearScroll->pageStep(), 100);
    QCOMPARE(w.YearScroll->singleStep(), 1);
    QVERIFY(!w.MonthEditing);
    QVERIFY(!w.YearEditing);
}

void TestCalMainStartup::layoutAsDesigned()
{
    CalMain w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.windowTitle(), QStringLiteral(" Dovrin"));
    QCOMPARE(w.centralWidget()->size(), QSize(490, 359));
    QCOMPARE(w.minimumSize(), w.maximumSize()); // fixed frame
    QCOMPARE(w.Pic->geometry(), QRect(32, 112, 425, 161));
    QCOMPARE(w.Pic2->geometry(), QRect(32, 80, 425, 25));
    QCOMPARE(w.GoCMD->geometry(), QRect(432, 304, 41, 33));
    QCOMPARE(w.GoCMD->text(), QStringLiteral("Go"));
    QCOMPARE(w.GregOpt->text(), QStringLiteral("Gregorian / Christian"));
    QCOMPARE(w.HegOpt->text(), QStringLiteral("Hijri"));
    QCOMPARE(w.font().family(), QStringLiteral("Arial"));
    QCOMPARE(w.font().pointSizeF(), 9.75);
    QVERIFY(w.font().bold());
    QVERIFY(!w.windowIcon().isNull());
    // Centred on the screen with the outer size.
    const QRect screen = w.screen()->geometry();
    const QRect frame = w.frameGeometry();
    QVERIFY(qAbs(frame.center().x() - screen.center().x()) <= 1);
    QVERIFY(qAbs(frame.center().y() - screen.center().y()) <= 1);
    // Keyboard order: options, month box and bar, year box and bar, Go.
    QCOMPARE(nextTabStop(w.GregOpt), static_cast<QWidget *>(w.MonthTXT));
    QCOMPARE(nextTabStop(w.MonthTXT), static_cast<QWidget *>(w.MonthScroll));
    QCOMPARE(nextTabStop(w.MonthScroll), static_cast<QWidget *>(w.YearTXT));
    QCOMPARE(nextTabStop(w.YearScroll), static_cast<QWidget *>(w.GoCMD));
}

void TestCalMainStartup::menuEntries()
{
    CalMain w;
    QCOMPARE(w.CalMenu->title(), QStringLiteral("&Calendar"));
    QStringList entries;
    for (QAction *action : w.CalMenu->actions())
        entries << (action->isSeparator() ? QStringLiteral("-") : action->text());
    QCOMPARE(entries, QStringList({"C&onvert", "&Print", "-", "&About", "-", "E&xit"}));
}

void TestCalMainStartup::switchBringsTodaysMonthOfTheNewCalendar()
{
    CalMain w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    // A month of another year on display...
    w.MonthTXT->setText(QStringLiteral("3"));
    w.YearTXT->setText(QStringLiteral("1999"));
    w.GoCMD->click();
    // ...then Hijri: today's Hijri month, not the Hijri month of March 1999.
    clickOption(w.HegOpt);
    QCOMPARE(core::CalendarMode, int16_t(0));
    QCOMPARE(w.MonthTXT->text(), QStringLiteral("1"));
    QCOMPARE(w.YearTXT->text(), QStringLiteral("1446"));
    QCOMPARE(w.MonthScroll->Value(), 1);
    QCOMPARE(w.YearScroll->Value(), 1446);
    QCOMPARE(w.YearScroll->Min(), 1);
    QCOMPARE(w.YearScroll->Max(), 2000);
    QCOMPARE(w.YearScroll->pageStep(), 100);

    clickOption(w.GregOpt);
    QCOMPARE(core::CalendarMode, int16_t(1));
    QCOMPARE(w.MonthTXT->text(), QStringLiteral("7"));
    QCOMPARE(w.YearTXT->text(), QStringLiteral("2024"));
    QCOMPARE(w.YearScroll->Min(), 622);
    QCOMPARE(w.YearScroll->Max(), 2562);
    QCOMPARE(w.YearScroll->Value(), 2024);
}

void TestCalMainStartup::clickingTheLeadingCalendarChangesNothing()
{
    CalMain w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.MonthTXT->setText(QStringLiteral("3"));
    w.YearTXT->setText(QStringLiteral("1999"));
    const int paints = w.paintCount();
    clickOption(w.GregOpt);
    QCOMPARE(w.MonthTXT->text(), QStringLiteral("3"));
    QCOMPARE(w.YearTXT->text(), QStringLiteral("1999"));
    QCOMPARE(core::CalendarMode, int16_t(1));
    QCOMPARE(w.paintCount(), paints);

    clickOption(w.HegOpt);
    w.YearTXT->setText(QStringLiteral("1400"));
    const int hijriPaints = w.paintCount();
    clickOption(w.HegOpt);
    QCOMPARE(w.YearTXT->text(), QStringLiteral("1400"));
    QCOMPARE(w.paintCount(), hijriPaints);
}

void TestCalMainStartup::exitHidesTheWindow()
{
    CalMain w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.Quit->trigger();
    QVERIFY(!w.isVisible());
    w.show();
    w.close(); // from the frame
    QVERIFY(!w.isVisible());
}

QTEST_MAIN(TestCalMainStartup)
#include "test_calmain_startup.moc"
