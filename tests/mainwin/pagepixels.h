// Reading the month page's pictures: where the 7 x 6 cells lie and what ink
// a cell holds. Text is antialiased, so colours are told apart by hue.
#pragma once

#include <QImage>
#include <QRect>
#include <algorithm>
#include <cmath>

namespace pagepixels {

constexpr QRgb White = 0xFFFFFFFF, Black = 0xFF000000;
inline QRgb markerOnWhite() { return qRgb(127, 127, 127); }
inline QRgb markerOnBlack() { return qRgb(128, 128, 128); }

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
            if (p == White || p == markerOnWhite())
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
        if (image.pixel(r.topLeft()) == markerOnWhite() && image.pixel(r.bottomRight()) == markerOnWhite())
            marked << i;
    }
    return marked;
}

// Whole black columns and whole black rows of the image.
inline QPair<int, int> fullBlackLines(const QImage &image)
{
    int columns = 0, rows = 0;
    for (int x = 0; x < image.width(); ++x) {
        int y = 0;
        while (y < image.height() && image.pixel(x, y) == Black)
            ++y;
        columns += y == image.height();
    }
    for (int y = 0; y < image.height(); ++y) {
        int x = 0;
        while (x < image.width() && image.pixel(x, y) == Black)
            ++x;
        rows += x == image.width();
    }
    return {columns, rows};
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

} // namespace pagepixels
