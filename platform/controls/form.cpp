#include "form.h"

#include <QCloseEvent>

namespace platform {

Form::Form(QWidget *parent, const QString &caption, int clientWidthTwips, int clientHeightTwips)
    : Window<QDialog>(parent,
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

} // namespace platform
