// The month page on a screen scaled to PAGE_SCALE_PERCENT: drawn in device
// pixels, whole grid lines, the today marker over its whole cell.
#include "mainwin/calmain.h"
#include "pagepixels.h"
#include "platform/clock.h"
#include "platform/picturebox.h"
#include "testsupport.h"

#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

using namespace pagepixels;

namespace {
constexpr double Scale = PAGE_SCALE_PERCENT / 100.0;
}

class TestScreenPageScaled : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        testsupport::installRealEngine();
        platform::pinDate(QDate(2024, 7, 16));
    }
    void pageAtScale();
};

void TestScreenPageScaled::pageAtScale()
{
    CalMain w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    for (platform::PictureBox *pic : {w.Pic, w.Pic2}) {
        QCOMPARE(pic->image().devicePixelRatio(), Scale);
        QCOMPARE(pic->image().size(), (QSizeF(pic->contentsRect().size()) * Scale).toSize());
    }
    // Today's month, both leads: one marked cell; 16 July's lines are greyed whole.
    for (QRadioButton *option : {w.HegOpt, w.GregOpt}) {
        option->click();
        QCOMPARE(markedCells(w.Pic->image()).size(), 1);
    }
    QImage image = w.Pic->image();
    const Grid grid(image);
    QCOMPARE(grid.lineWidth, int(Scale));
    QCOMPARE(markedCells(image), QList<int>{16});
    for (int t = 0; t < grid.lineWidth; ++t)
        for (int k : {2, 3})
            QCOMPARE(image.pixel(grid.xLine(k) + t, grid.yLine(2) + 6), MarkerOnBlack);
    QCOMPARE(image.pixel(grid.xLine(2) - 1, grid.yLine(2) + 6), White);
    QCOMPARE(image.pixel(grid.xLine(3) + grid.lineWidth, grid.yLine(2) + 6), White);
    // Another month: the grid lines are whole device pixels, black end to end.
    w.MonthTXT->setText(QStringLiteral("3"));
    w.YearTXT->setText(QStringLiteral("2025"));
    w.Form_Paint();
    image = w.Pic->image();
    QCOMPARE(fullBlackLines(image), qMakePair(6 * grid.lineWidth, 5 * grid.lineWidth));
}

int main(int argc, char *argv[])
{
    qputenv("QT_SCALE_FACTOR", QByteArray::number(Scale)); // read when the application starts
    QApplication app(argc, argv);
    TestScreenPageScaled test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_screenpage_scaled.moc"
