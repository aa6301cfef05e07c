// Reading the month page's pictures pixel by pixel: where the grid's cells
// lie in the image and what colours of text a cell holds. Text is
// antialiased, so colours are told apart by their hue, never by exact value.
#pragma once

#include <QImage>
#include <QRect>
#include <algorithm>
#include <cmath>

namespace pagepixels {

constexpr QRgb White = 0xFFFFFFFF;
constexpr QRgb Black = 0xFF000000;
inline QRgb markerOnWhite() { return qRgb(127, 127, 127); }
inline QRgb markerOnBlack() { return qRgb(128, 128, 128); }

// The 7 x 6 grid over an image of the picture's inner area.
struct Grid {
    explicit Grid(const QImage &image)
        : width(image.width()), height(image.height()),
          lineWidth(std::max(1, int(std::floor(image.devicePixelRatio()))))
    {
    }
    int width, height, lineWidth;

    // First device pixel of the line at x = column (0..7) or y = row (0..6).
    int xLine(int column) const { return int(std::floor(column * double(width) / 7 + 0.5)); }
    int yLine(int row) const { return int(std::floor(row * double(height) / 6 + 0.5)); }

    // A cell's pixels without the lines around it and one pixel more.
    QRect interior(int cellIndex) const
    {
        const int c = cellIndex % 7, r = cellIndex / 7;
        return QRect(QPoint(xLine(c) + lineWidth + 1, yLine(r) + lineWidth + 1),
                     QPoint(xLine(c + 1) - 2, yLine(r + 1) - 2));
    }
};

inline bool isBlueText(QRgb p) { return qBlue(p) > 150 && qRed(p) < 120 && qGreen(p) < 120 && qBlue(p) - qRed(p) > 80; }
inline bool isRedText(QRgb p) { return qRed(p) > 150 && qGreen(p) < 120 && qBlue(p) < 120 && qRed(p) - qGreen(p) > 80; }
inline bool isOliveText(QRgb p)
{
    return qRed(p) < 230 && qRed(p) - qBlue(p) > 60 && std::abs(qRed(p) - qGreen(p)) < 20;
}
inline bool isBlackText(QRgb p) { return qRed(p) < 90 && qGreen(p) < 90 && qBlue(p) < 90; }

struct Ink {
    int blue = 0, red = 0, olive = 0, black = 0, any = 0;
};

// What a cell holds besides its background (white, or the marker's grey).
inline Ink inkIn(const QImage &image, const QRect &area)
{
    Ink ink;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (p == White || p == markerOnWhite())
                continue;
            ++ink.any;
            ink.blue += isBlueText(p);
            ink.red += isRedText(p);
            ink.olive += isOliveText(p);
            ink.black += isBlackText(p);
        }
    return ink;
}

// True when the cell's background is the today marker's grey.
inline bool isMarked(const QImage &image, const Grid &grid, int cellIndex)
{
    const QRect r = grid.interior(cellIndex);
    return image.pixel(r.topLeft()) == markerOnWhite() && image.pixel(r.bottomRight()) == markerOnWhite()
           && image.pixel(r.topRight()) == markerOnWhite() && image.pixel(r.bottomLeft()) == markerOnWhite();
}

// Columns (or rows) of the image that are black from end to end.
inline int fullBlackColumns(const QImage &image)
{
    int count = 0;
    for (int x = 0; x < image.width(); ++x) {
        int y = 0;
        while (y < image.height() && image.pixel(x, y) == Black)
            ++y;
        count += y == image.height();
    }
    return count;
}

inline int fullBlackRows(const QImage &image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        int x = 0;
        while (x < image.width() && image.pixel(x, y) == Black)
            ++x;
        count += x == image.width();
    }
    return count;
}

// Nothing but the grid: the inner lines black, everything else white.
inline bool isBareGrid(const QImage &image)
{
    const Grid grid(image);
    const auto onLine = [&](int v, bool vertical) {
        for (int k = 1; k <= (vertical ? 6 : 5); ++k) {
            const int start = vertical ? grid.xLine(k) : grid.yLine(k);
            if (v >= start && v < start + grid.lineWidth)
                return true;
        }
        return false;
    };
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != ((onLine(x, true) || onLine(y, false)) ? Black : White))
                return false;
    return true;
}

// The non-white pixels of one strip column, as a box.
inline QRect inkBox(const QImage &image, const QRect &area)
{
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) != White)
                box |= QRect(x, y, 1, 1);
    return box;
}

} // namespace pagepixels
