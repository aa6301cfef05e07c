// Window helpers: twips, fonts, the windows' look and centring.
#pragma once

#include <QFont>
#include <QRect>
#include <QWidget>

namespace platform {

// Layouts are given in twips; the screen has 15 twips per logical pixel.
constexpr int TwipsPerPixel = 15;
constexpr int px(int twips) { return (twips + TwipsPerPixel / 2) / TwipsPerPixel; }
constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(px(left), px(top), px(width), px(height));
}

// "Arial" by name (Liberation Sans on Linux, with the same metrics).
QFont arialFont(qreal pointSize, bool bold);

// White background, black text, Arial 9.75 pt bold: the look of every window.
void applyWindowLook(QWidget *window);

// left = (screen width - window width) / 2, top likewise, with the outer size.
void centreOnScreen(QWidget *window);

} // namespace platform
