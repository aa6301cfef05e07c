#include "controltable.h"

#include "accessibility.h"

#include <QKeyEvent>
#include <algorithm>

namespace platform {
namespace {

QString textOf(const char16_t *text) { return text ? QString::fromUtf16(text) : QString(); }

QLabel *makeLabel(QWidget *parent, const QString &caption) { return new QLabel(caption, parent); }

// A push button that Enter presses while it has the focus, as Space does:
// the same in every window, default button or not.
class PushButton : public QPushButton {
public:
    using QPushButton::QPushButton;

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
};

QPushButton *makeButton(QWidget *parent, const QString &caption)
{
    auto *button = new PushButton(caption, parent);
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

} // namespace

QWidget *makeControl(QWidget *parent, ControlKind kind, const char *name, const char16_t *caption)
{
    QWidget *control = nullptr;
    switch (kind) {
    case ControlKind::Label:
        control = makeLabel(parent, textOf(caption));
        break;
    case ControlKind::NumberBox:
        control = new NumberBox(parent);
        break;
    case ControlKind::OptionButton:
        control = new QRadioButton(textOf(caption), parent);
        break;
    case ControlKind::PushButton:
        control = makeButton(parent, textOf(caption));
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

void styleControl(QWidget *control, ControlKind kind, ControlFont font, Qt::Alignment alignment, Border border)
{
    const bool ownFont = font.points > 0;
    if (ownFont)
        control->setFont(arialFont(font.points, font.bold));
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

void describeControl(QWidget *control, const char16_t *accessibleName, const char16_t *description)
{
    if (accessibleName)
        describe(control, textOf(accessibleName), textOf(description));
    else
        describe(control, textOf(description));
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
