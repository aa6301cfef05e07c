// The main window's start-up, layout, menu and calendar switch.
#include "mainwin/calmain.h"
#include "platform/clock.h"
#include "platform/picturebox.h"
#include "platform/scrollbar.h"
#include "testsupport.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>

namespace {
void clickOption(QRadioButton *option)
{
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(8, option->height() / 2));
}

// Boxes, bars and the year bar's range.
void expectState(const CalMain &w, int month, int year, int minYear, int maxYear)
{
    QCOMPARE(w.MonthTXT->text(), QString::number(month));
    QCOMPARE(w.YearTXT->text(), QString::number(year));
    QCOMPARE(w.MonthScroll->Value(), month);
    QCOMPARE(w.YearScroll->Value(), year);
    QCOMPARE(w.YearScroll->Min(), minYear);
    QCOMPARE(w.YearScroll->Max(), maxYear);
    QCOMPARE(w.YearScroll->pageStep(), 100);
}
} // namespace

class TestCalMainStartup : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        testsupport::installRealEngine();
        platform::pinDate(QDate(2024, 7, 16)); // 9 Muharram 1446
    }

    void startsOnTodaysGregorianMonthAsDesigned()
    {
        CalMain w;
        QVERIFY(w.GregOpt->isChecked() && !w.HegOpt->isChecked());
        QCOMPARE(core::CalendarMode, int16_t(1));
        expectState(w, 7, 2024, 622, 2562);
        QCOMPARE(w.MonthScroll->Min(), 1);
        QCOMPARE(w.MonthScroll->Max(), 12);
        QVERIFY(!w.MonthEditing && !w.YearEditing);

        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.windowTitle(), QStringLiteral(" Dovrin"));
        QCOMPARE(w.centralWidget()->size(), QSize(490, 359));
        QCOMPARE(w.minimumSize(), w.maximumSize());
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
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
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
            QCOMPARE(core::CalendarMode, int16_t(option == w.GregOpt));
            option == w.HegOpt ? expectState(w, 1, 1446, 1, 2000) : expectState(w, 7, 2024, 622, 2562);
        }
    }
};

QTEST_MAIN(TestCalMainStartup)
#include "test_calmain_startup.moc"
