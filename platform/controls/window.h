// What every window has: twips, its look, and its place at the centre of
// the screen.
#pragma once

#include "platform/units.h"

#include <QMoveEvent>
#include <QRect>
#include <QShowEvent>
#include <QWidget>

namespace platform {

constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(px(left), px(top), px(width), px(height));
}

// White background, black text, Arial 9.75 pt bold: the look of every window.
void applyWindowLook(QWidget *window);

// left = (screen width - window width) / 2, top likewise, with the outer size.
void centreOnScreen(QWidget *window);

// A top-level window of the program: its load handler centres it, and its
// first showing centres it again, and once more when the window manager has
// framed it and the frame's size is known.
template <class QtWindow> class Window : public QtWindow {
public:
    using QtWindow::QtWindow;

protected:
    void showEvent(QShowEvent *event) override
    {
        QtWindow::showEvent(event);
        if (placement_ == Placement::NotShown) {
            placement_ = Placement::AwaitingFrame;
            centreOnScreen(this);
            centredAt_ = this->pos();
        }
    }
    // The frame is known once the frame geometry differs from the inner
    // size; a window moved meanwhile by anyone else stays where it is.
    void moveEvent(QMoveEvent *event) override
    {
        QtWindow::moveEvent(event);
        if (placement_ != Placement::AwaitingFrame || this->frameGeometry().size() == this->size())
            return;
        placement_ = Placement::Centred;
        if (this->pos() == centredAt_)
            centreOnScreen(this);
    }

private:
    enum class Placement { NotShown, AwaitingFrame, Centred };
    Placement placement_ = Placement::NotShown;
    QPoint centredAt_;
};

} // namespace platform
