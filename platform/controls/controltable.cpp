#include "controltable.h"

#include "platform/accessibility/accessibility.h"
#include "platform/fonts.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>

namespace platform {
namespace {

QString textOf(const char16_t *text) { return text ? QString::fromUtf16(text) : QString(); }

// A press whose button is already up arrives late: a message box shown
// while the focus moved took its release. Acting on it would leave the
// control drawn pressed.
bool isLatePress(const QMouseEvent *event) { return !(QApplication::mouseButtons() & event->button()); }

// Never a default button: Enter in a box must not press one behind the
// box's back. Enter presses it while it has the focus, as Space does: the
// same in every window.
class PushButton : public QPushButton {
public:
    explicit PushButton(const QString &caption, QWidget *parent) : QPushButton(caption, parent)
    {
        setAutoDefault(false);
        setDefault(false);
    }

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        if (enter && !(event->modifiers() & ~Qt::KeypadModifier) && !event->isAutoRepeat()) {
            click();
            event->accept();
            return;
        }
        QPushButton::keyPressEvent(event);
    }
    void mousePressEvent(QMouseEvent *event) override
    {
        if (isLatePress(event))
            return event->accept();
        QPushButton::mousePressEvent(event);
    }
    // A double-click presses a button once: its second press is not a
    // second click.
    void mouseDoubleClickEvent(QMouseEvent *event) override { event->accept(); }
};

class OptionButton : public QRadioButton {
public:
    using QRadioButton::QRadioButton;

protected:
    void mousePressEvent(QMouseEvent *event) override
    {
        if (isLatePress(event))
            return event->accept();
        QRadioButton::mousePressEvent(event);
    }
};

} // namespace

QWidget *makeControl(QWidget *parent, ControlKind kind, const char *name, const char16_t *caption)
{
    QWidget *control = nullptr;
    switch (kind) {
    case ControlKind::Label:
        control = new QLabel(textOf(caption), parent);
        break;
    case ControlKind::NumberBox:
        control = new NumberBox(parent);
        break;
    case ControlKind::OptionButton:
        control = new OptionButton(textOf(caption), parent);
        break;
    case ControlKind::PushButton:
        control = new PushButton(textOf(caption), parent);
        break;
    case ControlKind::VScrollBar:
        control = new VScrollBar(parent);
        break;
    case ControlKind::PictureBox:
        control = new PictureBox(parent);
        break;
    }
    control->setObjectName(QLatin1String(name));
    return control;
}

void styleControl(QWidget *control, ControlKind kind, Twips place, ControlFont font, Qt::Alignment alignment,
                  Border border, const char16_t *spokenName, const char16_t *description)
{
    control->setGeometry(twipsRect(place.left, place.top, place.width, place.height));
    const bool ownFont = font.points > 0;
    if (ownFont)
        control->setFont(arialFont(font.points, font.bold));
    if (spokenName)
        describe(control, textOf(spokenName), textOf(description));
    else
        describe(control, textOf(description));
    if (kind == ControlKind::PictureBox)
        static_cast<PictureBox *>(control)->setTextFont(ownFont ? control->font() : control->parentWidget()->font());
    if (kind != ControlKind::Label)
        return;
    auto *label = static_cast<QLabel *>(control);
    label->setAlignment(alignment);
    if (border == Border::Single) {
        label->setFrameStyle(QFrame::Box | QFrame::Plain);
        label->setLineWidth(1);
        label->setMargin(2); // keeps the caption off the line
    }
}

void setTabOrderByIndex(std::vector<std::pair<int, QWidget *>> controls)
{
    std::stable_sort(controls.begin(), controls.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    QWidget *previous = nullptr;
    for (const auto &[tabIndex, control] : controls) {
        if (!(control->focusPolicy() & Qt::TabFocus))
            continue; // labels and pictures keep their index but take no focus
        if (previous)
            QWidget::setTabOrder(previous, control);
        previous = control;
    }
}

} // namespace platform
