// Dovrin: a dual Gregorian and Hijri calendar.
#include "core/calendarengine.h"
#include "mainwin/calmain.h"
#include "platform/engineloader.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Dovrin"));
    QApplication::setApplicationVersion(QStringLiteral(DOVRIN_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("org.dovrin.Dovrin"));

    const auto engine = platform::loadEngineOrExplain(QCoreApplication::applicationDirPath());
    if (!engine)
        return 2;
    core::setEngine(engine.get());

    CalMain window;
    window.show();
    const int status = app.exec();
    core::setEngine(nullptr);
    return status;
}
