// The floor of the start-up and memory figures: a minimal Qt Widgets
// program that shows one empty window of the given size. With a third
// argument the window also shows that text in a label, in the program's
// window font: the least that any window with text costs.
#include <QApplication>
#include <QLabel>
#include <QWidget>

#include <cstdlib>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setObjectName(QStringLiteral("Floor"));
    window.resize(argc > 2 ? std::atoi(argv[1]) : 490, argc > 2 ? std::atoi(argv[2]) : 380);
    if (argc > 3) {
        QFont font(QStringLiteral("Arial"));
        font.setPointSizeF(9.75);
        font.setBold(true);
        window.setFont(font);
        auto *label = new QLabel(QString::fromLocal8Bit(argv[3]), &window);
        label->setObjectName(QStringLiteral("FloorText"));
    }
    window.show();
    return app.exec();
}
