// A vertical scroll bar with the larger number at the top: the upper arrow
// adds the arrow step, a click in the trough above the thumb adds the page
// step, a wheel turn away from the user adds one arrow step per notch, and
// dragging the thumb sets the value when it is released.
// Change() is emitted once for every change of the value, by the user or by
// code, before a code assignment returns; assigning the value it already
// holds emits nothing. A new range moves an outside value to the nearer end,
// which is a change.
#pragma once

#include <QScrollBar>
#include <QStyle>

namespace platform {

class VScrollBar : public QScrollBar {
    Q_OBJECT
public:
    explicit VScrollBar(QWidget *parent = nullptr);

    int Value() const { return -value(); }
    // Values outside the range are taken as the nearer end.
    void setValue(int v);
    int Min() const { return -maximum(); } // the bottom end
    int Max() const { return -minimum(); } // the top end
    // bottom = the smaller number, shown at the bottom end; top = the larger.
    void setRange(int bottom, int top) { QScrollBar::setRange(-top, -bottom); }
    void setArrowStep(int step) { setSingleStep(step); }
    void setPageStep(int step) { QScrollBar::setPageStep(step); }

    // Where a part of the bar (an arrow, the trough, the thumb) lies.
    QRect partRect(QStyle::SubControl part) const;

signals:
    void Change();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    // A bar with the keyboard focus draws a frame around itself: the styles
    // draw none for scroll bars, and a keyboard user would lose their place.
    void paintEvent(QPaintEvent *event) override;

private:
    using QScrollBar::setRange;
    using QScrollBar::setValue;

    int wheelTurn_ = 0; // the part of a notch turned so far (touchpads)
};

} // namespace platform
