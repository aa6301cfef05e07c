#include "messagebox.h"

#include <QMessageBox>

namespace platform {
namespace {
MessageHook &hook()
{
    static MessageHook instance;
    return instance;
}
} // namespace

void showCriticalMessage(QWidget *parent, const QString &text, const QString &title)
{
    if (hook()) {
        hook()(text, title);
        return;
    }
    QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Ok, parent);
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
}

void setMessageHook(MessageHook newHook) { hook() = std::move(newHook); }

} // namespace platform
