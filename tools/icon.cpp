// Writes the program's icon as PNG files for the icon theme:
//   dovrin-icon OUTPUT_DIR  ->  OUTPUT_DIR/SIZExSIZE/apps/org.dovrin.Dovrin.png
#include "platform/drawing/programicon.h"

#include <QDir>
#include <QGuiApplication>
#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString folder = out.filePath(QStringLiteral("%1x%1/apps").arg(size));
        QDir().mkpath(folder);
        const QString path = QDir(folder).filePath(QStringLiteral("org.dovrin.Dovrin.png"));
        if (!platform::programIconImage(size).save(path)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
