// The program's own main(), unchanged, with every message box answered on
// standard output. Once the event loop runs, the probe names the windows
// shown (and asks the print spooler, as a print job would, when
// PROBE_ASKS_SPOOLER is set) and quits, so its exit status tells how
// start-up ended.
#include "platform/messagebox.h"
#include "platform/printerspooler.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <cstdio>

namespace {

void watchStartUp()
{
    platform::setMessageHook([](const QString &text, const QString &title) {
        std::printf("message: %s: %s\n", qPrintable(title), qPrintable(QString(text).replace(u'\n', u' ')));
    });
    QTimer::singleShot(0, qApp, [] {
        if (qEnvironmentVariableIsSet("PROBE_ASKS_SPOOLER"))
            std::printf("spooler: %s\n", qPrintable(platform::spooler::whySpoolerSilent()));
        for (const QWidget *window : QApplication::topLevelWidgets())
            if (window->isVisible())
                std::printf("window shown: %s\n", qPrintable(window->objectName()));
        QCoreApplication::quit();
    });
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(watchStartUp)

#define main dovrinMain
#include "main.cpp"
#undef main

int main(int argc, char *argv[]) { return dovrinMain(argc, argv); }
