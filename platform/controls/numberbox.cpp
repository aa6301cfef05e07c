#include "numberbox.h"

#include "core/numtext.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>

namespace platform {
namespace {

// Focus moved by something that is not the user going to another control:
// a popup (the box's context menu, a menu of the menu bar), the menu bar
// taking the keyboard (Alt, F10), or another window taking the activation.
bool isPassing(Qt::FocusReason reason)
{
    return reason == Qt::PopupFocusReason || reason == Qt::MenuBarFocusReason || reason == Qt::ActiveWindowFocusReason;
}

bool isEnter(const QKeyEvent *event)
{
    return (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        && !(event->modifiers() & ~Qt::KeypadModifier);
}

// A press whose button is already up arrives late: a message box shown while
// the focus moved took its release.
bool isLatePress(const QMouseEvent *event) { return !(QApplication::mouseButtons() & event->button()); }

} // namespace

NumberBox::NumberBox(QWidget *parent) : QLineEdit(parent) {}

void NumberBox::writeNumber(int64_t number)
{
    const QString plain = core::PlainNumber(number);
    if (text() != plain)
        setText(plain);
    showBeginning();
}

int32_t NumberBox::wholeNumber() const { return core::WholeNumber32(text()); }

void NumberBox::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    // Coming back from a popup or another window is not entering, unless
    // the box got the focus while that window held the activation and so
    // was never entered.
    if (!entered_)
        enter(event->reason() == Qt::MouseFocusReason || activationTakenBeforeEntering_);
}

void NumberBox::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    if (!entered_ && event->reason() == Qt::ActiveWindowFocusReason)
        activationTakenBeforeEntering_ = true; // a message box came up while a click moved the focus here
    if (isPassing(event->reason()) || !entered_)
        return;
    entered_ = false;
    clickEntering_ = false;
    emit left();
    showBeginning();
}

// The click that moved the focus here (perhaps before a message box came in
// between) may still have its press and release to come.
void NumberBox::enter(bool byClick)
{
    entered_ = true;
    clickEntering_ = byClick || QApplication::mouseButtons() != Qt::NoButton;
    activationTakenBeforeEntering_ = false;
    selectWholeText();
    emit entered();
}

// Selected from the end back to the start: the cursor stands at the start,
// so a text longer than the box shows its beginning.
void NumberBox::selectWholeText()
{
    const int length = int(text().size());
    setSelection(length, -length);
}

// The cursor at the start scrolls the text back to its first character. A
// box the user is in keeps its whole text selected.
void NumberBox::showBeginning()
{
    if (entered_) // also while a message box holds the activation
        selectWholeText();
    else
        setCursorPosition(0);
}

// Enter moves on to the next control, leaving the box as Tab does. Escape
// and the rest go on to the window.
void NumberBox::keyPressEvent(QKeyEvent *event)
{
    clickEntering_ = false;
    if (isEnter(event)) {
        focusNextChild();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

// The click that brought the focus ends with the whole text selected: the
// press, a drag and the release would otherwise place the caret.
void NumberBox::mousePressEvent(QMouseEvent *event)
{
    if (isLatePress(event)) {
        clickEntering_ = false; // its release went to the message box
        event->accept();
        return;
    }
    QLineEdit::mousePressEvent(event);
    if (clickEntering_ && event->button() == Qt::LeftButton)
        selectWholeText();
}

void NumberBox::mouseMoveEvent(QMouseEvent *event)
{
    if (clickEntering_) {
        event->accept();
        return;
    }
    QLineEdit::mouseMoveEvent(event);
}

void NumberBox::mouseReleaseEvent(QMouseEvent *event)
{
    QLineEdit::mouseReleaseEvent(event);
    if (clickEntering_) {
        clickEntering_ = false;
        selectWholeText();
    }
}

} // namespace platform
