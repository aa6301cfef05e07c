#include "accessiblesupport.h"

#include "picturebox.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QWidget>

namespace platform::accessibility {
namespace {

bool readerListens = false;

QAccessibleInterface *makeInterface(const QString &, QObject *object)
{
    if (auto *picture = qobject_cast<PictureBox *>(object))
        return picture->accessibleGrid() && screenReaderListens() ? makeGridInterface(picture) : nullptr;
    if (auto *entry = qobject_cast<QAction *>(object))
        return makeEntryInterface(entry);
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
            if (auto *picture = qobject_cast<PictureBox *>(control); picture && picture->accessibleGrid())
                forgetPlainInterface(picture);
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
