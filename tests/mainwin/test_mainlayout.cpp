// The main window's controls read back against its designed layout, at the screen's scale (run at 100 % and 200 %).
#include "layoutcheck.h"
#include "mainwin/calmain.h"
#include "platform/controls/picturebox.h"
#include "testsupport.h"

#include <QTest>

static const char Design[] = R"(
| `Heading` | label | set with each page | 1080 | 120 | 5175 | 615 | 12 | centred; Arial 24 pt regular |
| `CurMonth` | label | set with each page | 480 | 720 | 3135 | 495 | 0 | left-aligned |
| `NextMonth` | label | set with each page | 3720 | 720 | 3135 | 495 | 8 | right-aligned |
| `Pic2` | picture box | none | 480 | 1200 | 6375 | 375 | 9 | weekday header strip |
| `Pic` | picture box | none | 480 | 1680 | 6375 | 2415 | 13 | the month grid |
| `HegOpt` | option button | "Hijri" | 480 | 4440 | 2175 | 375 | 1 | |
| `GregOpt` | option button | "Gregorian / Christian" | 480 | 4800 | 2295 | 375 | 2 | selected when the window is created |
| `Label4` | label | "Month" | 3240 | 4320 | 855 | 255 | 10 | centred |
| `MonthTXT` | text box | empty | 3240 | 4680 | 855 | 360 | 3 | named by Label4 |
| `MonthScroll` | vertical scroll bar | none | 4320 | 4440 | 255 | 735 | 4 | named by Label4 |
| `Label5` | label | "Year" | 5040 | 4320 | 855 | 255 | 11 | centred |
| `YearTXT` | text box | empty | 5040 | 4680 | 855 | 360 | 5 | named by Label5 |
| `YearScroll` | vertical scroll bar | none | 6000 | 4440 | 255 | 735 | 6 | named by Label5 |
| `GoCMD` | push button | "Go" | 6480 | 4560 | 615 | 495 | 7 | |
)";

class TestMainLayout : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { testsupport::installRealEngine(); }

    // The grid is read as a table and the boxes are named by their captions, even with the reader started after.
    void controlsAsDesigned()
    {
        CalMain w; // made before the screen reader starts
        QAccessible::setActive(true);
        QCOMPARE(testsupport::spokenName(testsupport::box(w, "MonthTXT")), testsupport::label(w, "Label4")->text());
        QCOMPARE(QAccessible::queryAccessibleInterface(testsupport::picture(w, "Pic"))->role(), QAccessible::Table);
        if (!testsupport::layoutAsDesigned(w, *w.centralWidget(), {7350, 5385}, Design))
            return;
        // Drawn at the screen's scale: the grid's image has as many device pixels as the scale asks.
        const qreal scale = qEnvironmentVariableIsSet("QT_SCALE_FACTOR") ? qgetenv("QT_SCALE_FACTOR").toDouble() : 1.0;
        QCOMPARE(w.devicePixelRatio(), scale);
        QCOMPARE(testsupport::picture(w, "Pic")->image().width(),
                 qRound(testsupport::picture(w, "Pic")->contentsRect().width() * scale));
    }
};

QTEST_MAIN(TestMainLayout)
#include "test_mainlayout.moc"
