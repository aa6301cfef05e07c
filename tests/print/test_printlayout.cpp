// The print dialog's and the printing box's controls read back against their designed layouts (run at 100 % and
// 200 %).
#include "layoutcheck.h"
#include "print/calcanprint.h"
#include "print/calprint.h"
#include "testsupport.h"

#include <QTest>

static const char PrintDesign[] = R"(
| `YearTXTPRT` | text box | | 1365 | 630 | 1170 | 435 | 0 | year; named by Label1 |
| `FromMonthTXTPRT` | text box | | 1365 | 1680 | 1170 | 435 | 1 | first month of the range; named by Label2 |
| `ToMonthTXTPRT` | text box | | 1365 | 2730 | 1170 | 435 | 2 | last month of the range; named by Label3 |
| `OPTGregorian` | option button | "Gregorian / Christian" | 210 | 3465 | 2325 | 435 | 3 | selected when the window is created |
| `OPTHegiry` | option button | "Hijri" | 3045 | 3465 | 1170 | 435 | 4 | |
| `PrintPRT` | command button | "Print" | 2940 | 1050 | 1170 | 540 | 5 | starts the print job |
| `CancelButton` | command button | "Exit" | 2940 | 2205 | 1170 | 540 | 6 | |
| `Label1` | label | "Year" | 105 | 735 | 1170 | 330 | 7 | |
| `Label2` | label | "From Month" | 105 | 1785 | 1170 | 330 | 8 | |
| `Label3` | label | "To Month" | 105 | 2835 | 1170 | 330 | 9 | |
)";

// The label runs to the box's right edge (3390 wide, not 3255): at 3255 its last letter is cut off.
static const char CancelBoxDesign[] = R"(
| `Label1` | label | "Press Cancel button to stop printing" | 240 | 360 | 3390 | 255 | 0 |
| `CancelPrinting` | command button | "Cancel" | 600 | 1080 | 2295 | 375 | 1 |
)";

class TestPrintLayout : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { testsupport::installRealEngine(); }

    void printDialogAsDesigned()
    {
        CalPrint d;
        testsupport::layoutAsDesigned(d, d, {4485, 3975}, PrintDesign);
    }

    void cancelBoxAsDesigned()
    {
        CalPrint print;
        testsupport::layoutAsDesigned(*print.findChild<CalCanPrint *>(), *print.findChild<CalCanPrint *>(),
                                      {3630, 1665}, CancelBoxDesign);
    }
};

QTEST_MAIN(TestPrintLayout)
#include "test_printlayout.moc"
