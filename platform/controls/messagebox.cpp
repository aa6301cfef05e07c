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

void showFailure(QWidget *parent, const core::Failure &failure)
{
    if (hook()) {
        hook()(failure.text, failure.title);
        return;
    }
    QMessageBox box(QMessageBox::Critical, failure.title, failure.text, QMessageBox::Ok, parent);
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
}

void setMessageHook(MessageHook newHook) { hook() = std::move(newHook); }

} // namespace platform
