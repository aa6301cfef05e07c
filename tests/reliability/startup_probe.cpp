// The program's own main(), its message boxes answered on standard output; once its event loop runs, the probe
// asks the print spooler (as a print job would), names the windows shown and quits.
#include "platform/printing/spooler.h"

#include <QTimer>

#define main dovrinMain
#include "main.cpp"
#undef main

static void watchStartUp()
{
    platform::setMessageHook([](const QString &text, const QString &title) {
        std::printf("message: %s: %s\n", qPrintable(title), qPrintable(QString(text).replace(u'\n', u' ')));
    });
    QTimer::singleShot(0, qApp, [] {
        const core::Result<> answers = platform::printing::spoolerAnswers();
        std::printf("spooler: %s\n", answers ? "" : qPrintable(answers.failure().text));
        for (const QWidget *window : QApplication::topLevelWidgets())
            std::printf("window %s: %s\n", window->isVisible() ? "shown" : "hidden", qPrintable(window->objectName()));
        QCoreApplication::quit();
    });
}
Q_COREAPP_STARTUP_FUNCTION(watchStartUp)

int main(int argc, char *argv[]) { return dovrinMain(argc, argv); }
