// Dovrin: a dual Gregorian and Hijri calendar.
#include "core/calendarengine.h"
#include "core/version.h"
#include "mainwin/calmain.h"
#include "platform/controls/messagebox.h"
#include "platform/engineloader/engineloader.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Dovrin"));
    QApplication::setApplicationVersion(QStringLiteral(DOVRIN_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("org.dovrin.Dovrin"));

    const auto engine = platform::loadEngine(QCoreApplication::applicationDirPath());
    if (!engine) {
        std::fprintf(stderr, "dovrin: %s\n", qPrintable(engine.failure().oneLine()));
        std::fflush(stderr);
        platform::showFailure(nullptr, engine.failure());
        return 2;
    }
    core::setEngine(engine->get());

    CalMain window;
    window.show();
    const int status = app.exec();
    core::setEngine(nullptr);
    return status;
}
