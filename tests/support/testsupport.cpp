#include "testsupport.h"

#include "platform/engineloader.h"
#include "platform/messagebox.h"

#include <QApplication>
#include <QRadioButton>
#include <QTest>

namespace testsupport {

const core::CalendarEngine &installRealEngine()
{
    static const platform::EngineLoad load = platform::loadEngine(QCoreApplication::applicationDirPath());
    if (!load.engine)
        qFatal("cannot load the engine: %s: %s", qPrintable(load.file), qPrintable(load.reason));
    core::setEngine(load.engine.get());
    return *load.engine;
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
