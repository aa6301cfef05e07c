// dovrin-cli: Dovrin's conversions and printed pages from the command line.
// Needs no display: pages are drawn with fonts, which need a graphical
// application, so the tool always runs on the offscreen platform, whatever
// the session around it uses.
#include "cli.h"

#include "core/version.h"

#include <QGuiApplication>

namespace {

QtMessageHandler qtHandler = nullptr;

// Standard error carries the tool's own messages, which scripts read. Qt's
// warnings about the session (for one, "XDG_RUNTIME_DIR not set" under cron
// or in a container) would sit among them, so only its critical and fatal
// messages get through; the tool checks every result it relies on itself.
void keepQtQuiet(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        qtHandler(type, context, message);
}

} // namespace

int main(int argc, char *argv[])
{
    qtHandler = qInstallMessageHandler(keepQtQuiet);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("dovrin-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(DOVRIN_VERSION));
    return cli::run(QCoreApplication::arguments());
}
