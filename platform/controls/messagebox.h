// Every message the program shows goes through here, so that tests can
// answer it without a screen.
#pragma once

#include "core/failure.h"

#include <functional>

class QWidget;

namespace platform {

// A modal box with the failure's text and title, a critical-error icon and
// one OK button.
void showFailure(QWidget *parent, const core::Failure &failure);

// While set, the hook is called instead of showing a box.
using MessageHook = std::function<void(const QString &text, const QString &title)>;
void setMessageHook(MessageHook hook);

} // namespace platform
