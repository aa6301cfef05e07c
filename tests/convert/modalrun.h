// Opens a dialog from a menu entry of the main window and works it while it
// is shown modally. The steps run inside the dialog's own event loop; the
// dialog is hidden afterwards if the steps left it on screen, so that a
// failed check never leaves the test waiting on a modal window.
#pragma once

#include <QAction>
#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <functional>

namespace modalrun {

// Triggers the entry, makes the dialog that opens the active window (so
// that focus and typing reach it) and runs the steps on it. False when no
// such dialog came up active.
template <typename Dialog>
bool whileOpen(QAction *menuEntry, const std::function<void(Dialog &)> &steps)
{
    bool ran = false;
    QTimer::singleShot(0, [&] {
        QPointer<QWidget> modal = QApplication::activeModalWidget();
        auto *dialog = qobject_cast<Dialog *>(modal.data());
        if (dialog) {
            dialog->activateWindow();
            ran = QTest::qWaitForWindowActive(dialog);
            if (ran)
                steps(*dialog);
        }
        if (modal && modal->isVisible())
            modal->hide();
    });
    menuEntry->trigger();
    return ran;
}

} // namespace modalrun
