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

// The boxes, the bars, their ranges and the year bar's page, as "7/2024 7/2024 1..12 622..2562/100".
QString state(const CalMain &w)
{
    const auto *m = w.MonthScroll, *y = w.YearScroll;
    return w.MonthTXT->text() + u'/' + w.YearTXT->text()
           + QString::asprintf(" %d/%d %d..%d %d..%d/%d", m->Value(), y->Value(), m->Min(), m->Max(), y->Min(),
                               y->Max(), y->pageStep());
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
            QCOMPARE(state(w), option == w.HegOpt ? QStringLiteral("1/1446 1/1446 1..12 1..2000/100")
                                                  : QStringLiteral("7/2024 7/2024 1..12 622..2562/100"));
        }
    }
};

QTEST_MAIN(TestCalMainStartup)
#include "test_calmain_startup.moc"
