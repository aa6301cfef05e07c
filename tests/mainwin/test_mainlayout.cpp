// The main window's controls read back against its designed layout, at the screen's scale (run at 100 % and 200 %).
#include "layoutcheck.h"
#include "mainwin/calmain.h"
#include "platform/picturebox.h"
#include "platform/scrollbar.h"
#include "testsupport.h"

#include <QAccessible>
#include <QLabel>
#include <QTest>

namespace {

const char *const Design = R"(
| `Heading` | label | set with each page | 1080 | 120 | 5175 | 615 | 12 | centred; Arial 24 pt regular |
| `CurMonth` | label | set with each page | 480 | 720 | 3135 | 495 | 0 | left-aligned |
| `NextMonth` | label | set with each page | 3720 | 720 | 3135 | 495 | 8 | right-aligned |
| `Pic2` | picture box | none | 480 | 1200 | 6375 | 375 | 9 | weekday header strip |
| `Pic` | picture box | none | 480 | 1680 | 6375 | 2415 | 13 | the month grid |
| `HegOpt` | option button | "Hijri" | 480 | 4440 | 2175 | 375 | 1 | |
| `GregOpt` | option button | "Gregorian / Christian" | 480 | 4800 | 2295 | 375 | 2 | selected when the window is created |
| `Label4` | label | "Month" | 3240 | 4320 | 855 | 255 | 10 | centred |
| `MonthTXT` | text box | empty | 3240 | 4680 | 855 | 360 | 3 | |
| `MonthScroll` | vertical scroll bar | none | 4320 | 4440 | 255 | 735 | 4 | |
| `Label5` | label | "Year" | 5040 | 4320 | 855 | 255 | 11 | centred |
| `YearTXT` | text box | empty | 5040 | 4680 | 855 | 360 | 5 | |
| `YearScroll` | vertical scroll bar | none | 6000 | 4440 | 255 | 735 | 6 | |
| `GoCMD` | push button | "Go" | 6480 | 4560 | 615 | 495 | 7 | |
)";

} // namespace

class TestMainLayout : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { testsupport::installRealEngine(); }

    // The boxes and bars are named by the captions over them, and the grid is read as a table, whether the screen
    // reader started before the window was made or after.
    void controlsAsDesigned()
    {
        CalMain before;
        QAccessible::setActive(true);
        QCOMPARE(testsupport::spokenName(before.MonthTXT), before.Label4->text());
        QCOMPARE(QAccessible::queryAccessibleInterface(before.Pic)->role(), QAccessible::Table);
        CalMain w;
        if (!testsupport::layoutAsDesigned(w, *w.centralWidget(), 7350, 5385, Design))
            return;
        const qreal scale = qEnvironmentVariableIsSet("QT_SCALE_FACTOR") ? qgetenv("QT_SCALE_FACTOR").toDouble() : 1.0;
        QCOMPARE(w.devicePixelRatio(), scale);
        QVERIFY(w.GregOpt->isChecked());
        QCOMPARE(testsupport::spokenName(w.MonthTXT), w.Label4->text());
        QCOMPARE(testsupport::spokenName(w.MonthScroll), w.Label4->text());
        QCOMPARE(testsupport::spokenName(w.YearTXT), w.Label5->text());
        QCOMPARE(testsupport::spokenName(w.YearScroll), w.Label5->text());
        QCOMPARE(QAccessible::queryAccessibleInterface(w.Pic)->role(), QAccessible::Table);
        // Drawn at the screen's scale: the grid's image has as many device pixels as the scale asks.
        QCOMPARE(w.Pic->image().width(), qRound(w.Pic->contentsRect().width() * scale));
    }
};

QTEST_MAIN(TestMainLayout)
#include "test_mainlayout.moc"
