// dovrin-cli: Dovrin's conversions from the command line. Needs no display.
#include "cli.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("dovrin-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(DOVRIN_VERSION));
    return cli::run(QCoreApplication::arguments());
}
