// The About box's controls read back against its designed layout (run at 100 % and 200 %).
#include "about/calabout.h"
#include "layoutcheck.h"

#include <QTest>

// The version is the program's own; Enter presses Exit wherever the focus is.
static const char Design[] = R"(
| `Label1` | label | "Dovrin" | 120 | 240 | 4335 | 495 | 0 | centred; Arial 18 pt bold |
| `Label2` | label | "Written by :" | 840 | 960 | 3615 | 375 | 1 | left |
| `Label3` | label | credit name | 105 | 1470 | 4335 | 255 | 2 | centred |
| `Command1` | command button | "Exit" | 735 | 3000 | 3105 | 375 | 3 | default |
| `Label4` | label | "Version 1.21" | 120 | 1875 | 4335 | 255 | 4 | centred |
| `Label5` | label | years line | 120 | 2280 | 4335 | 255 | 5 | centred |
)";

class TestAboutLayout : public QObject {
    Q_OBJECT
private slots:
    void controlsAsDesigned()
    {
        CalAbout box;
        testsupport::layoutAsDesigned(box, box, {4635, 3720}, Design);
    }
};

QTEST_MAIN(TestAboutLayout)
#include "test_aboutlayout.moc"
