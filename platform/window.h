// Window helpers: twips, fonts, centring, and the lifecycle of dialogs that
// are created on first use.
#pragma once

#include <QFont>
#include <QImage>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

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

// Places a control at its twips rectangle.
void place(QWidget *control, int left, int top, int width, int height);

// White background, black text, Arial 9.75 pt bold: the look of every window.
void applyWindowLook(QWidget *window);

// left = (screen width - window width) / 2, top likewise, with the outer size.
void centreOnScreen(QWidget *window);

// The program's icon: a calendar page with a crescent.
QIcon programIcon();
QImage programIconImage(int size);

// Controls named as the window's design names them.
QLabel *makeLabel(QWidget *parent, const char *name, const QString &caption, Qt::Alignment alignment);
QLineEdit *makeTextBox(QWidget *parent, const char *name);
// Never a default button: Enter in a box must not press it behind the box's back.
QPushButton *makeButton(QWidget *parent, const char *name, const QString &caption);

// Sets the tab order from a list of controls in their tab-index order.
void setTabOrder(std::initializer_list<QWidget *> controls);

} // namespace platform
