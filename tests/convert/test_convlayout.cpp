// The conversion dialog's controls read back against its designed layout (run at 100 % and 200 %).
#include "convert/calconv.h"
#include "layoutcheck.h"
#include "testsupport.h"

#include <QTest>

static const char Design[] = R"(
| `Label1` | label | "Input date :" | 120 | 360 | 1815 | 495 | 0 | Arial 18 pt bold; grows to its text |
| `Label2` | label | "Output Date :" | 5160 | 360 | 2055 | 495 | 1 | Arial 18 pt bold; grows to its text |
| `Label3` | label | "Year" | 240 | 1080 | 615 | 375 | 2 | |
| `InYearTXT` | text box | "1" at opening | 960 | 1080 | 735 | 375 | 8 | named by Label3 |
| `ToHegiry` | push button | "To Hijri" | 2880 | 1080 | 1455 | 375 | 14 | |
| `Label6` | label | "Year" | 5280 | 1080 | 615 | 375 | 5 | |
| `OutYearTXT` | label | empty | 6000 | 1080 | 735 | 375 | 11 | single-line border, right-aligned; named by Label6 |
| `Label4` | label | "Month" | 240 | 1800 | 615 | 375 | 3 | |
| `InMonthTXT` | text box | "1" at opening | 960 | 1800 | 735 | 375 | 9 | named by Label4 |
| `ToGreg` | push button | "To Greg/Chris" | 2880 | 1800 | 1455 | 375 | 15 | |
| `Label7` | label | "Month" | 5280 | 1800 | 615 | 375 | 6 | |
| `OutMonthTXT` | label | empty | 6000 | 1800 | 735 | 375 | 12 | single-line border, right-aligned; named by Label7 |
| `Label5` | label | "Day" | 240 | 2520 | 615 | 375 | 4 | |
| `InDayTXT` | text box | "1" at opening | 960 | 2520 | 735 | 375 | 10 | named by Label5 |
| `ToExit` | push button | "Exit" | 2880 | 2520 | 1455 | 375 | 16 | |
| `Label8` | label | "Day" | 5280 | 2520 | 615 | 375 | 7 | |
| `OutDayTXT` | label | empty | 6000 | 2520 | 735 | 375 | 13 | single-line border, right-aligned; named by Label8 |
| `ToWeekDay` | label | empty | 2520 | 3240 | 2175 | 375 | 17 | centred; Arial 13.5 pt regular |
)";

class TestConvLayout : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { testsupport::installRealEngine(); }

    // Each input box and output is named by the caption beside it, in words a listener can tell apart.
    void controlsAsDesigned()
    {
        CalConv d;
        if (!testsupport::layoutAsDesigned(d, d, {7485, 3915}, Design))
            return;
        QStringList names;
        for (QWidget *box :
             std::initializer_list<QWidget *>{testsupport::box(d, "InYearTXT"), testsupport::box(d, "InMonthTXT"),
                                              testsupport::box(d, "InDayTXT"), testsupport::label(d, "OutYearTXT"),
                                              testsupport::label(d, "OutMonthTXT"), testsupport::label(d, "OutDayTXT")})
            names << testsupport::spokenName(box);
        QCOMPARE(names.removeDuplicates(), 0);
    }
};

QTEST_MAIN(TestConvLayout)
#include "test_convlayout.moc"
