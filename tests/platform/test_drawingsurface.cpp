// The drawing surface as the screen's picture control implements it: user
// scale, lines and boxes on whole pixels, XOR pen, text at the font's own
// size, and an image that is shown without drawing again.
#include "platform/picturebox.h"
#include "platform/window.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QTest>

using platform::PictureBox;

namespace {

constexpr QRgb White = 0xFFFFFFFF;
constexpr QRgb Black = 0xFF000000;

// The pixels that are not white, as a bounding box.
QRect inkBox(const QImage &image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != White)
                box |= QRect(x, y, 1, 1);
    return box;
}

// A picture of the main window's grid size: 423 x 159 inside its border.
std::unique_ptr<PictureBox> gridPicture()
{
    auto picture = std::make_unique<PictureBox>();
    picture->resize(425, 161);
    picture->setTextFont(platform::arialFont(9.75, true));
    return picture;
}

// Counts the paint events a widget gets.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget *widget) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

} // namespace

class TestDrawingSurface : public QObject {
    Q_OBJECT
private slots:
    void imageIsTheInnerArea();
    void scaleMapsCornersToTheInnerArea();
    void linesAreOnePixelOnWholePixels();
    void xorPenIsABitwiseXorOfPixels();
    void filledBoxCoversBothCornerPixels();
    void clsClearsAndHomes();
    void degenerateScaleKeepsTheOldOne();
    void textKeepsItsSizeUnderAnyScale();
    void printDrawsGlyphsOnlyAndMovesOn();
    void textIgnoresTheDrawMode();
    void aCopyOfTheImageNeverChanges();
    void showsTheDrawingInsideItsBorder();
    void drawingTheSameAgainAsksForNoPaint();
};

void TestDrawingSurface::imageIsTheInnerArea()
{
    auto pic = gridPicture();
    QCOMPARE(pic->image().size(), QSize(423, 159));
    QCOMPARE(pic->image().devicePixelRatio(), 1.0);
    QCOMPARE(pic->image().pixel(0, 0), White);
}

void TestDrawingSurface::scaleMapsCornersToTheInnerArea()
{
    auto pic = gridPicture();
    pic->Scale(0, 0, 7, 6);
    QCOMPARE(pic->toDevice(0, 0), QPointF(0, 0));
    QCOMPARE(pic->toDevice(7, 6), QPointF(423, 159));
    QCOMPARE(pic->toDevice(3.5, 3), QPointF(211.5, 79.5));
    pic->Scale(10, 100, 20, 50); // corners given either way round
    QCOMPARE(pic->toDevice(10, 100), QPointF(0, 0));
    QCOMPARE(pic->toDevice(20, 50), QPointF(423, 159));
    pic->Scale(); // back to twips
    QCOMPARE(pic->toDevice(1440, 1440), QPointF(96, 96));
}

void TestDrawingSurface::linesAreOnePixelOnWholePixels()
{
    auto pic = gridPicture();
    pic->Scale(0, 0, 7, 6);
    pic->Line(3, 0, 3, 6); // x = 181.29 -> pixel column 181
    pic->Line(0, 2, 7, 2, core::KeyRed); // y = 53 -> pixel row 53
    const QImage &image = pic->image();
    for (int y = 0; y < image.height(); ++y) {
        QCOMPARE(image.pixel(181, y), y == 53 ? qRgb(255, 0, 0) : Black);
        QCOMPARE(image.pixel(180, y), y == 53 ? qRgb(255, 0, 0) : White);
        QCOMPARE(image.pixel(182, y), y == 53 ? qRgb(255, 0, 0) : White);
    }
    for (int x = 0; x < image.width(); ++x) {
        QCOMPARE(image.pixel(x, 52), x == 181 ? Black : White);
        QCOMPARE(image.pixel(x, 54), x == 181 ? Black : White);
    }
    // A line on the right edge falls outside the picture: the border is the frame.
    pic->Cls();
    pic->Line(7, 0, 7, 6);
    QVERIFY(inkBox(pic->image()).isNull());
}

void TestDrawingSurface::xorPenIsABitwiseXorOfPixels()
{
    auto pic = gridPicture();
    pic->Scale(0, 0, 7, 6);
    pic->Line(1, 0, 1, 6); // black column 60
    pic->setDrawMode(platform::XorPen);
    QCOMPARE(pic->DrawMode(), 7);
    pic->LineBoxFilled(0, 0, 2, 1, core::Grey128);
    QImage once = pic->image().copy();
    QCOMPARE(once.pixel(30, 10), qRgb(127, 127, 127)); // white under grey
    QCOMPARE(once.pixel(60, 10), qRgb(128, 128, 128)); // black under grey
    QCOMPARE(once.pixel(60, 100), Black);              // outside the box
    pic->LineBoxFilled(0, 0, 2, 1, core::Grey128);
    QCOMPARE(pic->image().pixel(30, 10), White); // twice restores
    QCOMPARE(pic->image().pixel(60, 10), Black);
    // Lines take the XOR pen too; copy pen replaces again.
    pic->Line(0, 3, 7, 3, core::Grey128);
    QCOMPARE(pic->image().pixel(30, 80), qRgb(127, 127, 127));
    pic->setDrawMode(platform::CopyPen);
    pic->LineBoxFilled(0, 0, 1, 1, 0x336699);
    QCOMPARE(pic->image().pixel(30, 10), qRgb(0x99, 0x66, 0x33));
}

void TestDrawingSurface::filledBoxCoversBothCornerPixels()
{
    auto pic = gridPicture();
    pic->Scale(0, 0, 7, 6);
    pic->LineBoxFilled(2, 1, 3, 2, core::Black); // columns 121..181, rows 27..53
    QCOMPARE(inkBox(pic->image()), QRect(QPoint(121, 27), QPoint(181, 53)));
    // Exactly the pixels of the lines that bound the cell, and the cell.
    pic->Cls();
    pic->Line(2, 0, 2, 6);
    pic->Line(3, 0, 3, 6);
    pic->Line(0, 1, 7, 1);
    pic->Line(0, 2, 7, 2);
    const QImage lines = pic->image().copy();
    pic->setDrawMode(platform::XorPen);
    pic->LineBoxFilled(2, 1, 3, 2, core::Grey128);
    const QImage marked = pic->image();
    for (int y = 0; y < lines.height(); ++y)
        for (int x = 0; x < lines.width(); ++x) {
            const bool inBox = x >= 121 && x <= 181 && y >= 27 && y <= 53;
            const QRgb expected = inBox ? (lines.pixel(x, y) == Black ? qRgb(128, 128, 128) : qRgb(127, 127, 127))
                                        : lines.pixel(x, y);
            if (marked.pixel(x, y) != expected)
                QFAIL(qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
        }
    QCOMPARE(lines.pixel(121, 40), Black); // the cell's left line...
    QCOMPARE(lines.pixel(181, 40), Black); // ...and its right line
}

void TestDrawingSurface::clsClearsAndHomes()
{
    auto pic = gridPicture();
    pic->Scale(0, 0, 7, 6);
    pic->LineBoxFilled(0, 0, 7, 6, core::KeyBlue);
    pic->setCurrentX(3);
    pic->setCurrentY(4);
    pic->Cls();
    QCOMPARE(pic->CurrentX(), 0.0);
    QCOMPARE(pic->CurrentY(), 0.0);
    QVERIFY(inkBox(pic->image()).isNull());
}

void TestDrawingSurface::degenerateScaleKeepsTheOldOne()
{
    auto pic = gridPicture();
    pic->Scale(0, 0, 7, 6);
    pic->Scale(1, 1, 1, 5);
    pic->Scale(0, 0, qQNaN(), 1);
    QCOMPARE(pic->toDevice(7, 6), QPointF(423, 159));
    QVERIFY(qIsFinite(pic->TextWidth(QStringLiteral("W"))));
}

void TestDrawingSurface::textKeepsItsSizeUnderAnyScale()
{
    auto pic = gridPicture();
    const QFontMetricsF metrics(pic->TextFont(), &pic->image());
    const QString text = QStringLiteral("31 \\ 29");
    QRect boxes[2];
    const double scales[2][2] = {{7, 6}, {1, 100}}; // a wide and a very tall unit
    for (int i = 0; i < 2; ++i) {
        pic->Cls();
        pic->Scale(0, 0, scales[i][0], scales[i][1]);
        // Width and height in user units are the font's pixels over the unit.
        QVERIFY(qAbs(pic->TextWidth(text) * 423 / scales[i][0] - metrics.horizontalAdvance(text)) < 1e-9);
        QVERIFY(qAbs(pic->TextHeight(text) * 159 / scales[i][1] - metrics.height()) < 1e-9);
        pic->setCurrentX(0);
        pic->setCurrentY(0);
        pic->Print(text);
        boxes[i] = inkBox(pic->image());
    }
    QCOMPARE(boxes[0], boxes[1]);
    QVERIFY(qAbs(boxes[0].width() - metrics.horizontalAdvance(text)) <= 3);
    QVERIFY(boxes[0].height() <= metrics.height());
    QVERIFY(boxes[0].height() >= metrics.ascent() / 2);
}

void TestDrawingSurface::printDrawsGlyphsOnlyAndMovesOn()
{
    auto pic = gridPicture();
    pic->Scale(0, 0, 7, 6);
    pic->LineBoxFilled(0, 0, 7, 6, core::KeyOlive);
    pic->setCurrentX(1);
    pic->setCurrentY(2);
    pic->setForeColor(core::KeyBlue);
    const QString lead = QStringLiteral("14 \\ ");
    pic->Print(lead, platform::DrawingSurface::After::StayOnLine);
    QCOMPARE(pic->CurrentX(), 1 + pic->TextWidth(lead));
    QCOMPARE(pic->CurrentY(), 2.0);
    pic->Print(QStringLiteral("8"));
    QCOMPARE(pic->CurrentX(), 0.0); // the next line starts at the left edge
    QCOMPARE(pic->CurrentY(), 2 + pic->TextHeight(QStringLiteral("8")));
    const QImage &image = pic->image();
    int olive = 0, blue = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (p == qRgb(128, 128, 0))
                ++olive;
            else if (qBlue(p) > 200 && qRed(p) < 100)
                ++blue;
        }
    QVERIFY(blue > 20);
    QVERIFY(olive > image.width() * image.height() - 600); // the background shows through
    QCOMPARE(image.pixel(int(pic->toDevice(1, 2).x()) - 2, int(pic->toDevice(1, 2).y()) + 2), qRgb(128, 128, 0));
}

void TestDrawingSurface::textIgnoresTheDrawMode()
{
    auto copy = gridPicture();
    auto xored = gridPicture();
    for (PictureBox *pic : {copy.get(), xored.get()}) {
        pic->Scale(0, 0, 7, 6);
        pic->setDrawMode(pic == copy.get() ? platform::CopyPen : platform::XorPen);
        pic->setCurrentX(1);
        pic->setCurrentY(1);
        pic->Print(QStringLiteral("16 \\ 9"));
    }
    QCOMPARE(copy->image(), xored->image());
}

void TestDrawingSurface::aCopyOfTheImageNeverChanges()
{
    auto pic = gridPicture();
    pic->Scale(0, 0, 7, 6);
    pic->Line(1, 0, 1, 6);
    const QImage before = pic->image();
    pic->Line(2, 0, 2, 6);
    pic->LineBoxFilled(0, 0, 7, 6, core::KeyRed);
    QCOMPARE(before.pixel(121, 10), White);
    QCOMPARE(before.pixel(60, 10), Black);
    QCOMPARE(pic->image().pixel(121, 10), qRgb(255, 0, 0));
}

void TestDrawingSurface::showsTheDrawingInsideItsBorder()
{
    auto pic = gridPicture();
    pic->Scale(0, 0, 7, 6);
    pic->LineBoxFilled(0, 0, 7, 6, core::KeyBlue);
    const QImage shown = pic->grab().toImage();
    QCOMPARE(shown.size(), QSize(425, 161));
    QCOMPARE(pic->frameWidth(), 1);
    QCOMPARE(shown.pixel(0, 80), Black); // the single border
    QCOMPARE(shown.pixel(424, 80), Black);
    QCOMPARE(shown.pixel(200, 0), Black);
    QCOMPARE(shown.pixel(200, 160), Black);
    QCOMPARE(shown.pixel(1, 1), qRgb(0, 0, 255)); // the inner area is the drawing
    QCOMPARE(shown.pixel(423, 159), qRgb(0, 0, 255));
}

void TestDrawingSurface::drawingTheSameAgainAsksForNoPaint()
{
    auto pic = gridPicture();
    PaintCounter paints(pic.get());
    pic->show();
    QVERIFY(QTest::qWaitForWindowExposed(pic.get()));
    const auto draw = [&] {
        pic->Cls();
        pic->Scale(0, 0, 7, 6);
        pic->Line(1, 0, 1, 6);
    };
    draw();
    QTRY_VERIFY(paints.count > 0);
    QTest::qWait(50);
    const int settled = paints.count;
    for (int i = 0; i < 5; ++i) {
        draw();
        QTest::qWait(20);
    }
    QCOMPARE(paints.count, settled); // the same drawing: nothing to show anew
    pic->Line(2, 0, 2, 6);
    QTRY_VERIFY(paints.count > settled); // a change is shown without being asked
    QCOMPARE(pic->grab().toImage().pixel(122, 10), Black);
}

QTEST_MAIN(TestDrawingSurface)
#include "test_drawingsurface.moc"
