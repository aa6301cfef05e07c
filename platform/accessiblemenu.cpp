// Menu entries with a description for screen readers.
#include "accessibility.h"
#include "accessiblesupport.h"

#include <QAccessible>
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

namespace platform {
namespace accessibility {
namespace {

QString withoutAccessKeys(QString text)
{
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text.at(i) == u'&')
            text.remove(i, 1); // "&&" keeps one "&"
    return text;
}

// A menu entry with a description. Qt's own menu entries have none; this one
// does what Qt's does otherwise: name, access key, state, place, press.
class DescribedEntry : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    explicit DescribedEntry(QAction *entry) : entry_(entry) {}

    bool isValid() const override { return entry_ && owner(); }
    QObject *object() const override { return entry_; }
    QWindow *window() const override
    {
        QWidget *menu = owner();
        return menu && menu->window() ? menu->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface *focusChild() const override { return nullptr; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(owner()); }
    QAccessibleInterface *child(int index) const override
    {
        return index == 0 && entry_->menu() ? QAccessible::queryAccessibleInterface(entry_->menu()) : nullptr;
    }
    int childCount() const override { return entry_->menu() ? 1 : 0; }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child && entry_->menu() && child->object() == entry_->menu() ? 0 : -1;
    }

    QString text(QAccessible::Text t) const override
    {
        switch (t) {
        case QAccessible::Name:
            return withoutAccessKeys(entry_->text());
        case QAccessible::Description:
            return entry_->property(DescriptionProperty).toString();
        case QAccessible::Accelerator: {
            const QKeySequence key = QKeySequence::mnemonic(entry_->text());
            return (key.isEmpty() ? entry_->shortcut() : key).toString(QKeySequence::NativeText);
        }
        default:
            return {};
        }
    }
    void setText(QAccessible::Text, const QString &) override {}

    QRect rect() const override
    {
        QWidget *widget = owner();
        QRect place;
        if (auto *menu = qobject_cast<QMenu *>(widget))
            place = menu->actionGeometry(entry_);
        else if (auto *bar = qobject_cast<QMenuBar *>(widget))
            place = bar->actionGeometry(entry_);
        return place.isNull() ? QRect() : QRect(widget->mapToGlobal(place.topLeft()), place.size());
    }

    QAccessible::Role role() const override
    {
        return entry_->isSeparator() ? QAccessible::Separator : QAccessible::MenuItem;
    }

    QAccessible::State state() const override
    {
        QAccessible::State s;
        QWidget *widget = owner();
        if (!widget || !widget->isVisible())
            s.invisible = true;
        if (!entry_->isEnabled())
            s.disabled = true;
        QAction *active = nullptr;
        if (auto *menu = qobject_cast<QMenu *>(widget))
            active = menu->activeAction();
        else if (auto *bar = qobject_cast<QMenuBar *>(widget))
            active = bar->activeAction();
        if (active == entry_) {
            s.focused = true;
            s.hotTracked = true;
        }
        if (!entry_->isSeparator())
            s.focusable = true;
        if (entry_->menu())
            s.hasPopup = true;
        return s;
    }

    void *interface_cast(QAccessible::InterfaceType t) override
    {
        return t == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface *>(this) : nullptr;
    }

    QStringList actionNames() const override
    {
        if (!entry_->isEnabled() || entry_->isSeparator())
            return {};
        return {entry_->menu() ? showMenuAction() : pressAction()};
    }

    void doAction(const QString &name) override
    {
        if (!entry_->isEnabled())
            return;
        if (name == pressAction())
            entry_->trigger();
        else if (name == showMenuAction()) {
            if (auto *bar = qobject_cast<QMenuBar *>(owner()))
                bar->setActiveAction(entry_);
            else if (auto *menu = qobject_cast<QMenu *>(owner()))
                menu->setActiveAction(entry_);
        }
    }

    QStringList keyBindingsForAction(const QString &) const override { return {}; }

private:
    // The menu or menu bar that shows the entry.
    QWidget *owner() const
    {
        if (!entry_)
            return nullptr;
        for (QObject *o : entry_->associatedObjects())
            if (qobject_cast<QMenu *>(o) || qobject_cast<QMenuBar *>(o))
                return static_cast<QWidget *>(o);
        return nullptr;
    }

    QPointer<QAction> entry_;
};

} // namespace

QAccessibleInterface *makeEntryInterface(QAction *entry)
{
    return entry->property(DescriptionProperty).isValid() ? new DescribedEntry(entry) : nullptr;
}

} // namespace accessibility

void describe(QAction *entry, const QString &description)
{
    accessibility::installSupport();
    entry->setProperty(accessibility::DescriptionProperty, description);
}

} // namespace platform
