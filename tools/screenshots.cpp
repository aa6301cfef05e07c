// Renders the program's windows to PNG files, offscreen, with the clock
// pinned, so that what a user sees can be looked at and compared.
//   dovrin-screenshots OUTPUT_DIR
#include "core/calendarengine.h"
#include "mainwin/calmain.h"
#include "platform/clock.h"
#include "platform/engineloader.h"

#include <QApplication>
#include <QDir>
#include <QRadioButton>
#include <cstdio>

namespace {

bool save(QWidget &window, const QDir &dir, const QString &name)
{
    const QString path = dir.filePath(name + QStringLiteral(".png"));
    if (!window.grab().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QApplication app(argc, argv);
    const QDir dir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots-out"));
    QDir().mkpath(dir.path());

    const platform::EngineLoad load = platform::loadEngine(QCoreApplication::applicationDirPath());
    if (!load.engine) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(load.file), qPrintable(load.reason));
        return 2;
    }
    core::setEngine(load.engine.get());
    platform::pinDate(QDate(2024, 7, 16));

    bool ok = true;
    CalMain window;
    window.show();
    ok &= save(window, dir, QStringLiteral("main-gregorian"));
    window.HegOpt->click();
    ok &= save(window, dir, QStringLiteral("main-hijri"));
    return ok ? 0 : 1;
}
