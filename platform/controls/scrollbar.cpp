#include "scrollbar.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOptionSlider>
#include <QWheelEvent>
#include <algorithm>

namespace platform {
namespace {

constexpr int WheelNotch = 120; // angle delta of one notch, in eighths of a degree

// The main window's bars are short (49 pixels): a thumb of the style's usual
// least length would fill the whole trough, leaving nothing to click or drag.
constexpr int ThumbLeastLength = 8;

// The focus frame's line, in device-independent pixels: it scales with the
// screen.
constexpr int FocusFrameWidth = 2;

// The trough steps by a page wherever it is clicked, even on desktops whose
// style would jump the thumb to the pointer, and holding it down keeps
// stepping: the value is never left behind the thumb.
class SteppingStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const override
    {
        if (metric == PM_ScrollBarSliderMin)
            return ThumbLeastLength;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_ScrollBar_LeftClickAbsolutePosition || hint == SH_Slider_StopMouseOverSlider)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

// Qt's bar has its minimum at the top; the value is kept negated so that the
// larger number stands at the top and the upper arrow adds. Without tracking,
// a drag changes the value only when the thumb is released.
VScrollBar::VScrollBar(QWidget *parent) : QScrollBar(Qt::Vertical, parent)
{
    auto *style = new SteppingStyle(QApplication::style()->name());
    style->setParent(this);
    setStyle(style);
    setTracking(false);
    setFocusPolicy(Qt::StrongFocus); // a tab stop, like the boxes beside it
    connect(this, &QAbstractSlider::valueChanged, this, &VScrollBar::Change);
}

void VScrollBar::setValue(int v)
{
    const int wanted = std::clamp(v, Min(), Max()); // clamped first: negating stays safe
    if (wanted != Value())
        QScrollBar::setValue(-wanted);
}

QRect VScrollBar::partRect(QStyle::SubControl part) const
{
    QStyleOptionSlider option;
    initStyleOption(&option);
    return style()->subControlRect(QStyle::CC_ScrollBar, &option, part, this);
}

// A press whose button is already up arrives late: a message box shown while
// the focus left another control took its release. Acting on it would start
// an arrow's auto-repeat that no release would ever stop.
void VScrollBar::mousePressEvent(QMouseEvent *event)
{
    if (!(QApplication::mouseButtons() & event->button())) {
        event->accept();
        return;
    }
    QScrollBar::mousePressEvent(event);
}

void VScrollBar::paintEvent(QPaintEvent *event)
{
    QScrollBar::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter painter(this);
    QPen pen(palette().color(QPalette::Highlight), FocusFrameWidth);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const qreal inset = FocusFrameWidth / 2.0;
    painter.drawRect(QRectF(rect()).adjusted(inset, inset, -inset, -inset));
}

// One arrow step per notch, turning away from the user adding, as with the
// upper arrow; a whole turn is one change of the value.
void VScrollBar::wheelEvent(QWheelEvent *event)
{
    const QPoint delta = event->angleDelta();
    if (qAbs(delta.x()) > qAbs(delta.y())) {
        event->ignore();
        return;
    }
    const int turn = event->inverted() ? -delta.y() : delta.y();
    if (turn == 0) {
        event->ignore();
        return;
    }
    if ((turn > 0) != (wheelTurn_ > 0))
        wheelTurn_ = 0; // the wheel changed direction
    wheelTurn_ += turn;
    const int notches = wheelTurn_ / WheelNotch;
    wheelTurn_ %= WheelNotch;
    if (notches != 0)
        setValue(Value() + notches * singleStep());
    event->accept();
}

} // namespace platform
