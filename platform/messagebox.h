// Every message the program shows goes through here, so that tests can
// answer it without a screen.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace platform {

// A modal box with a critical-error icon and one OK button.
void showCriticalMessage(QWidget *parent, const QString &text, const QString &title);

// While set, the hook is called instead of showing a box.
using MessageHook = std::function<void(const QString &text, const QString &title)>;
void setMessageHook(MessageHook hook);

} // namespace platform
