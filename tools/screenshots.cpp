// Renders the program's windows and a printed page to PNG files, offscreen,
// with the clock pinned, so that what a user sees can be looked at.
//   dovrin-screenshots OUTPUT_DIR
#include "shots.h"

#include "core/calendarengine.h"
#include "platform/clock/clock.h"
#include "platform/engineloader/engineloader.h"

#include <QApplication>
#include <QWidget>
#include <cstdio>

namespace shots {

bool save(QWidget &widget, const QDir &dir, const QString &name)
{
    const QString path = dir.filePath(name + QStringLiteral(".png"));
    if (!widget.grab().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

} // namespace shots

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QApplication app(argc, argv);
    const QDir dir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots-out"));
    QDir().mkpath(dir.path());

    const auto engine = platform::loadEngine(QCoreApplication::applicationDirPath());
    if (!engine) {
        std::fprintf(stderr, "%s\n", qPrintable(engine.failure().oneLine()));
        return 2;
    }
    core::setEngine(engine->get());
    platform::pinDate(QDate(2024, 7, 16));

    bool ok = shots::mainWindow(dir);
    ok = shots::dialogs(dir) && ok;
    ok = shots::printedPage(dir) && ok;
    return ok ? 0 : 1;
}
