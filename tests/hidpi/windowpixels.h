// Reading a grabbed window pixel by pixel at any screen scale: where a
// control lies in device pixels and where the ink of its text is. Text is
// antialiased: a pixel is ink when it is nearer the text's colour than half
// the way from white.
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QWidget>
#include <cmath>

namespace windowpixels {

inline double distance(QRgb a, QRgb b)
{
    const double r = qRed(a) - qRed(b), g = qGreen(a) - qGreen(b), bl = qBlue(a) - qBlue(b);
    return std::sqrt(r * r + g * g + bl * bl);
}

inline bool isInk(QRgb pixel, QColor text)
{
    return distance(pixel, text.rgb()) < 0.5 * distance(qRgb(255, 255, 255), text.rgb());
}

// The device pixels of a rectangle given in the window's logical pixels.
inline QRect devicePixels(const QRect &logical, double scale)
{
    const int left = int(std::floor(logical.left() * scale));
    const int top = int(std::floor(logical.top() * scale));
    const int right = int(std::ceil((logical.left() + logical.width()) * scale)) - 1;
    const int bottom = int(std::ceil((logical.top() + logical.height()) * scale)) - 1;
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

// Where a part of a control (in its own coordinates) lies in the window.
inline QRect inWindow(const QWidget *control, const QWidget *window, const QRect &part)
{
    return QRect(control->mapTo(window, part.topLeft()), part.size());
}

// The smallest box holding every ink pixel of the area; null when none.
inline QRect inkBox(const QImage &image, const QRect &area, QColor text)
{
    QRect box;
    const QRect inside = area & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            if (isInk(image.pixel(x, y), text))
                box |= QRect(x, y, 1, 1);
    return box;
}

// Ink that keeps off every edge of its area: nothing was cut off.
inline bool keepsOffTheEdges(const QRect &ink, const QRect &area)
{
    return ink.left() > area.left() && ink.right() < area.right() && ink.top() > area.top()
           && ink.bottom() < area.bottom();
}

} // namespace windowpixels
