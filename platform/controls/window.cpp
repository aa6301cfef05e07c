#include "window.h"

#include "platform/fonts.h"

#include <QGuiApplication>
#include <QPalette>
#include <QScreen>

namespace platform {

void applyWindowLook(QWidget *window)
{
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::Base, Qt::white);
    // Texts are black while a control is enabled; disabled, it keeps the
    // style's grey, so that it looks as out of reach as it is.
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            palette.setColor(group, role, Qt::black);
    window->setPalette(palette);
    window->setAutoFillBackground(true);
    window->setFont(arialFont(WindowFontPoints, true));
}

void centreOnScreen(QWidget *window)
{
    QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    const QRect frame = window->frameGeometry();
    const QSize inner = window->size();
    // Before the first show the frame is not known yet: assume the inner size.
    const QSize outer = frame.size().isValid() && frame.size() != QSize(0, 0) ? frame.size() : inner;
    const int left = area.left() + (area.width() - outer.width()) / 2;
    const int top = area.top() + (area.height() - outer.height()) / 2;
    window->move(left, top); // move() places the frame's top-left corner
}

} // namespace platform
