#include "form.h"

#include "window.h"

#include <QCloseEvent>

namespace platform {

Form::Form(QWidget *parent, const QString &caption, int clientWidthTwips, int clientHeightTwips)
    : QDialog(parent,
              Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
                  | Qt::MSWindowsFixedSizeDialogHint)
{
    setWindowTitle(caption);
    setModal(true);
    applyWindowLook(this);
    setFixedSize(px(clientWidthTwips), px(clientHeightTwips));
    setSizeGripEnabled(false);
}

void Form::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    unloaded_ = true;
    event->accept();
}

void Form::reject()
{
    if (escapeButton_ && escapeButton_->isVisible() && escapeButton_->isEnabled())
        escapeButton_->click();
}

void Form::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // The frame's size is known only once the window is shown: the first
    // showing centres the form again with its outer size.
    if (!shownBefore_) {
        shownBefore_ = true;
        centreOnScreen(this);
    }
}

} // namespace platform
