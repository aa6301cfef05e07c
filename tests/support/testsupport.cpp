#include "testsupport.h"

#include <QContextMenuEvent>
#include <QMessageBox>
#include <QPushButton>
#include <clocale>

#include "platform/controls/messagebox.h"
#include "platform/engineloader/engineloader.h"

#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

namespace testsupport {

const core::CalendarEngine &installRealEngine()
{
    static const auto engine = platform::loadEngine(QCoreApplication::applicationDirPath());
    if (!engine)
        qFatal("cannot load the engine: %s", qPrintable(engine.failure().oneLine()));
    core::setEngine(engine->get());
    return **engine;
}

MessageAnswerer::MessageAnswerer()
{
    auto *timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, [this] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            texts << box->text();
            box->button(QMessageBox::Ok)->click();
        }
    });
    timer->start(10);
}

void openContextMenu(QWidget *widget)
{
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (QWidget *popup = QApplication::activePopupWidget())
            popup->close();
    });
    closer.start(20);
    const QPoint inside(widget->width() / 2, widget->height() / 2);
    QContextMenuEvent event(QContextMenuEvent::Mouse, inside, widget->mapToGlobal(inside));
    QApplication::sendEvent(widget, &event);
}

bool showsBeginning(QLineEdit *box)
{
    box->grab(); // a paint scrolls the text to where its cursor is
    return box->cursorPosition() == 0
        && box->inputMethodQuery(Qt::ImCursorRectangle).toRect().left() < box->width() / 4;
}

bool userLocaleInEffect()
{
    if (!qgetenv("LC_ALL").startsWith("de_DE"))
        return true;
    return QByteArray(std::localeconv()->decimal_point) == ",";
}

bool activate(QWidget &window)
{
    window.show();
    window.activateWindow();
    return QTest::qWaitFor([&] { return QApplication::activeWindow() == &window; }, 5000);
}

void clickOption(QRadioButton *option) { QTest::mouseClick(option, Qt::LeftButton, {}, {8, option->height() / 2}); }

MessageCatcher::MessageCatcher()
{
    platform::setMessageHook([this](const QString &text, const QString &title) {
        texts << text;
        titles << title;
    });
}

MessageCatcher::~MessageCatcher() { platform::setMessageHook({}); }

} // namespace testsupport
