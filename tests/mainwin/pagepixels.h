// Reading the month page's pictures: where the 7 x 6 cells lie and what ink
// a cell holds. Text is antialiased, so colours are told apart by hue.
#pragma once

#include <QImage>
#include <QRect>
#include <algorithm>
#include <cmath>

namespace pagepixels {

// The today marker XORs grey over the cell: 127 on white, 128 on the lines.
constexpr QRgb White = 0xFFFFFFFF, Black = 0xFF000000, MarkerOnWhite = 0xFF7F7F7F, MarkerOnBlack = 0xFF808080;

struct Grid {
    explicit Grid(const QImage &image)
        : width(image.width()), height(image.height()),
          lineWidth(std::max(1, int(std::floor(image.devicePixelRatio())))) {}
    int width, height, lineWidth;
    int xLine(int column) const { return int(std::floor(column * double(width) / 7 + 0.5)); }
    int yLine(int row) const { return int(std::floor(row * double(height) / 6 + 0.5)); }
    // A cell's pixels without its lines and one pixel more.
    QRect interior(int i) const
    {
        return QRect(QPoint(xLine(i % 7) + lineWidth + 1, yLine(i / 7) + lineWidth + 1),
                     QPoint(xLine(i % 7 + 1) - 2, yLine(i / 7 + 1) - 2));
    }
    QRect column(int i, int stripHeight) const
    {
        return QRect(QPoint(xLine(i) + lineWidth, 0), QPoint(xLine(i + 1) - 1, stripHeight - 1));
    }
};

struct Ink {
    int blue = 0, red = 0, olive = 0, black = 0, any = 0;
};

// What a cell holds besides its background (white or the marker's grey).
inline Ink inkIn(const QImage &image, const QRect &area)
{
    Ink ink;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            const int r = qRed(p), g = qGreen(p), b = qBlue(p);
            if (p == White || p == MarkerOnWhite)
                continue;
            ++ink.any;
            ink.blue += b > 150 && r < 120 && g < 120 && b - r > 80;
            ink.red += r > 150 && g < 120 && b < 120 && r - g > 80;
            ink.olive += r < 230 && r - b > 60 && std::abs(r - g) < 20;
            ink.black += r < 90 && g < 90 && b < 90;
        }
    return ink;
}

// The bounding box of the non-white pixels in an area.
inline QRect inkBox(const QImage &image, const QRect &area)
{
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) != White)
                box |= QRect(x, y, 1, 1);
    return box;
}

// The cells whose background is the today marker's grey, by index 0..41.
inline QList<int> markedCells(const QImage &image)
{
    const Grid grid(image);
    QList<int> marked;
    for (int i = 0; i < 42; ++i) {
        const QRect r = grid.interior(i);
        if (image.pixel(r.topLeft()) == MarkerOnWhite && image.pixel(r.bottomRight()) == MarkerOnWhite)
            marked << i;
    }
    return marked;
}

// How many whole columns and whole rows of the image are black.
inline QPair<int, int> fullBlackLines(const QImage &image)
{
    const auto count = [&](int lines, int length, bool columns) {
        int full = 0;
        for (int a = 0; a < lines; ++a) {
            int b = 0;
            while (b < length && image.pixel(columns ? a : b, columns ? b : a) == Black)
                ++b;
            full += b == length;
        }
        return full;
    };
    return {count(image.width(), image.height(), true), count(image.height(), image.width(), false)};
}

// Nothing but the grid: its inner lines, no marker, no ink in any cell.
inline bool isBareGrid(const QImage &image)
{
    const Grid grid(image);
    for (int i = 0; i < 42; ++i)
        if (inkIn(image, grid.interior(i)).any)
            return false;
    return markedCells(image).isEmpty() && fullBlackLines(image) == qMakePair(6 * grid.lineWidth, 5 * grid.lineWidth);
}

} // namespace pagepixels
