// The month page on a scaled screen (150 % and 200 %): the pictures are
// drawn in device pixels, the grid lines stay whole, the cells and the
// weekday strip line up, text keeps its proportions. Saves the window's
// pictures to test-output/ beside the build's bin folder.
#include "mainwin/calmain.h"
#include "pagepixels.h"
#include "platform/clock.h"
#include "platform/picturebox.h"
#include "testsupport.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

using namespace pagepixels;

#ifndef PAGE_SCALE_PERCENT
#define PAGE_SCALE_PERCENT 200
#endif

namespace {

constexpr double Scale = PAGE_SCALE_PERCENT / 100.0;

QString outputPath(const QString &name)
{
    const QDir dir(QCoreApplication::applicationDirPath() + QStringLiteral("/../test-output"));
    QDir().mkpath(dir.path());
    return dir.absoluteFilePath(name);
}

} // namespace

class TestScreenPageScaled : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void picturesAreInDevicePixels();
    void gridLinesStayWhole();
    void cellsAndWeekdaysLineUp();
    void textIsNotStretched();
    void todayMarkerFillsOneCell();
    void theScreenShowsTheDrawing();
    void paintingStopsWhenIdle();
    void saveScreenshots();
};

void TestScreenPageScaled::initTestCase()
{
    testsupport::installRealEngine();
    platform::pinDate(QDate(2024, 7, 16));
}

void TestScreenPageScaled::picturesAreInDevicePixels()
{
    CalMain w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.devicePixelRatioF(), Scale);
    for (platform::PictureBox *pic : {w.Pic, w.Pic2}) {
        const QImage image = pic->image();
        QCOMPARE(image.devicePixelRatio(), Scale);
        QCOMPARE(image.size(), (QSizeF(pic->contentsRect().size()) * Scale).toSize());
    }
    // The user scale still spans the inner area, in the painter's units.
    QCOMPARE(w.Pic->toDevice(7, 6), QPointF(w.Pic->image().width() / Scale, w.Pic->image().height() / Scale));
}

void TestScreenPageScaled::gridLinesStayWhole()
{
    CalMain w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.MonthTXT->setText(QStringLiteral("3"));
    w.YearTXT->setText(QStringLiteral("2025"));
    w.Form_Paint();
    const QImage image = w.Pic->image();
    const Grid grid(image);
    QCOMPARE(fullBlackColumns(image), 6 * grid.lineWidth);
    QCOMPARE(fullBlackRows(image), 5 * grid.lineWidth);
    for (int k = 1; k <= 6; ++k)
        for (int t = 0; t < grid.lineWidth; ++t)
            QCOMPARE(image.pixel(grid.xLine(k) + t, image.height() / 2 + 5), Black);
    for (int k = 1; k <= 5; ++k)
        QCOMPARE(image.pixel(5, grid.yLine(k)), Black);
}

void TestScreenPageScaled::cellsAndWeekdaysLineUp()
{
    CalMain w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QImage cells = w.Pic->image(), strip = w.Pic2->image();
    QCOMPARE(strip.width(), cells.width());
    const Grid grid(cells);
    for (int i = 0; i < 7; ++i) {
        const QRect column(QPoint(grid.xLine(i) + grid.lineWidth, 0), QPoint(grid.xLine(i + 1) - 1, strip.height() - 1));
        const QRect name = inkBox(strip, column);
        QVERIFY(!name.isNull());
        const double middle = (grid.xLine(i) + grid.xLine(i + 1)) / 2.0;
        QVERIFY2(qAbs((name.left() + name.right() + 1) / 2.0 - middle) <= 2.5 * Scale,
                 qPrintable(QStringLiteral("column %1: name at %2..%3").arg(i).arg(name.left()).arg(name.right())));
    }
    // July 2024: the days in cells 2 to 32, nothing in the others.
    for (int n = 1; n <= 42; ++n)
        QCOMPARE(inkIn(cells, grid.interior(n - 1)).any > 0, n >= 2 && n <= 32);
    for (int n = 2; n <= 32; ++n) {
        const QRect number = inkBox(cells, grid.interior(n - 1));
        const QRect cell = grid.interior(n - 1);
        // Centred in the cell both ways.
        QVERIFY(qAbs(number.center().x() - cell.center().x()) <= 3 * Scale);
        QVERIFY(qAbs(number.center().y() - cell.center().y()) <= 4 * Scale);
    }
}

void TestScreenPageScaled::textIsNotStretched()
{
    CalMain w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QImage cells = w.Pic->image();
    const Grid grid(cells);
    const QFontMetricsF metrics(w.Pic->TextFont(), &cells);
    // Cell 13 holds "12 \ ..." : two-digit numbers both sides.
    const QString text = core::DayCells[13].GregDayText + QStringLiteral(" \\ ") + core::DayCells[13].HijriDayText;
    const QRect number = inkBox(cells, grid.interior(12));
    QVERIFY(qAbs(number.width() - metrics.boundingRect(text).width() * Scale) <= 3 * Scale);
    QVERIFY(number.height() <= metrics.height() * Scale);
    QVERIFY(number.height() >= metrics.capHeight() * Scale - 1);
}

void TestScreenPageScaled::todayMarkerFillsOneCell()
{
    CalMain w;
    for (QRadioButton *option : {w.HegOpt, w.GregOpt}) {
        option->click();
        const QImage image = w.Pic->image();
        const Grid grid(image);
        int marked = 0;
        for (int i = 0; i < 42; ++i)
            marked += isMarked(image, grid, i);
        QCOMPARE(marked, 1);
    }
    // 16 July: the whole cell and its lines, whole device pixels.
    const QImage image = w.Pic->image();
    const Grid grid(image);
    for (int t = 0; t < grid.lineWidth; ++t) {
        QCOMPARE(image.pixel(grid.xLine(2) + t, grid.yLine(2) + 6), markerOnBlack());
        QCOMPARE(image.pixel(grid.xLine(3) + t, grid.yLine(2) + 6), markerOnBlack());
    }
    QCOMPARE(image.pixel(grid.xLine(2) - 1, grid.yLine(2) + 6), White);
    QCOMPARE(image.pixel(grid.xLine(3) + grid.lineWidth, grid.yLine(2) + 6), White);
}

void TestScreenPageScaled::theScreenShowsTheDrawing()
{
    CalMain w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QImage drawn = w.Pic->image();
    const QImage shown = w.Pic->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown.devicePixelRatio(), Scale);
    const Grid grid(drawn);
    // The marked cell's middle, and a line crossing, land where they were drawn.
    const QPoint border = (QPointF(w.Pic->contentsRect().topLeft()) * Scale).toPoint();
    const QPoint samples[] = {grid.interior(16).topLeft(), QPoint(grid.xLine(1), grid.yLine(4) + 4),
                              grid.interior(40).center()};
    for (QPoint p : samples)
        QCOMPARE(shown.pixel(p + border), drawn.pixel(p));
}

void TestScreenPageScaled::paintingStopsWhenIdle()
{
    CalMain w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTRY_VERIFY(w.paintCount() > 0);
    QTest::qWait(200);
    const int settled = w.paintCount();
    QTest::qWait(500);
    QCOMPARE(w.paintCount(), settled);
}

void TestScreenPageScaled::saveScreenshots()
{
    CalMain w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QString suffix = QStringLiteral("-%1.png").arg(PAGE_SCALE_PERCENT);
    QPixmap gregorian = w.grab();
    QCOMPARE(gregorian.devicePixelRatio(), Scale);
    QVERIFY(gregorian.save(outputPath(QStringLiteral("main-gregorian") + suffix)));
    w.HegOpt->click();
    QVERIFY(w.grab().save(outputPath(QStringLiteral("main-hijri") + suffix)));
}

int main(int argc, char *argv[])
{
    // Read once, when the application starts.
    qputenv("QT_SCALE_FACTOR", QByteArray::number(Scale));
    QApplication app(argc, argv);
    TestScreenPageScaled test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_screenpage_scaled.moc"
