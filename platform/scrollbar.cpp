#include "scrollbar.h"

namespace platform {

// Qt's bar has its minimum at the top; the value is kept negated so that the
// larger number stands at the top and the upper arrow adds.
VScrollBar::VScrollBar(QWidget *parent) : QScrollBar(Qt::Vertical, parent)
{
    setTracking(false);
    setFocusPolicy(Qt::StrongFocus); // a tab stop, like the boxes beside it
    connect(this, &QAbstractSlider::valueChanged, this, &VScrollBar::Change);
}

} // namespace platform
