// The program's own main(), unchanged, in a probe that a test starts from a
// folder of its choosing: every message box is answered at once and written
// to standard output, and so is every window that shows. Once the main
// window is up the probe ends, so its exit status tells how start-up ended.
#include "core/calendarengine.h"
#include "mainwin/calmain.h"
#include "platform/engineloader.h"
#include "platform/messagebox.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>

namespace {

class WindowWatcher : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *widget = qobject_cast<QWidget *>(watched);
        if (event->type() == QEvent::Show && widget && widget->isWindow()) {
            std::printf("window shown: %s\n", qPrintable(widget->objectName()));
            std::fflush(stdout);
            if (widget->objectName() == QLatin1String("CalMain"))
                QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }
};

// Runs as the application object is made, before main() goes on.
void watchStartUp()
{
    platform::setMessageHook([](const QString &text, const QString &title) {
        std::printf("message: %s: %s\n", qPrintable(title), qPrintable(QString(text).replace(u'\n', u' ')));
        std::fflush(stdout);
    });
    qApp->installEventFilter(new WindowWatcher(qApp));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(watchStartUp)

#define main dovrinMain
#include "main.cpp"
#undef main

int main(int argc, char *argv[])
{
    return dovrinMain(argc, argv);
}
