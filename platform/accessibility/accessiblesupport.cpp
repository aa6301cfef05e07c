#include "accessiblesupport.h"

#include "accessibility.h"

#include <QAccessible>
#include <QApplication>
#include <QWidget>

namespace platform::accessibility {
namespace {

bool readerListens = false;

QAccessibleInterface *makeInterface(const QString &, QObject *object)
{
    if (gridOf(object) && screenReaderListens())
        return makeGridInterface(static_cast<QWidget *>(object));
    return nullptr;
}

class ReaderWatch : public QAccessible::ActivationObserver {
public:
    void accessibilityActiveChanged(bool active) override
    {
        readerListens = active;
        if (!active)
            return;
        for (QWidget *control : QApplication::allWidgets()) {
            handOver(control);
            if (gridOf(control))
                forgetPlainInterface(control);
        }
    }
};

} // namespace

bool screenReaderListens() { return readerListens || QAccessible::isActive(); }

// Two entries in two lists, so it costs nothing while no reader listens.
void installSupport()
{
    static const bool installed = [] {
        QAccessible::installFactory(&makeInterface);
        static ReaderWatch watch;
        QAccessible::installActivationObserver(&watch);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace platform::accessibility
