#include "accessibility.h"

#include "picturebox.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QWidget>

#include <map>

namespace platform {
namespace {

// Where a control or a menu entry keeps its name and description.
constexpr char NameProperty[] = "dovrinAccessibleName";
constexpr char DescriptionProperty[] = "dovrinAccessibleDescription";

// ------------------------------------------------------------- menu entries

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

// ------------------------------------------------------------- grids

class GridTable;

// One cell in use of a grid. It asks the grid for its text every time, so a
// screen reader always hears what the picture shows now.
class GridCell : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    GridCell(PictureBox *picture, int cell) : picture_(picture), cell_(cell) {}

    bool isValid() const override { return grid() && grid()->usedCells().contains(cell_); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return picture_ ? picture_->window()->windowHandle() : nullptr; }
    QAccessibleInterface *focusChild() const override { return nullptr; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(picture_); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name && isValid() ? grid()->cellText(cell_) : QString();
    }
    void setText(QAccessible::Text, const QString &) override {}

    QRect rect() const override
    {
        const AccessibleGrid *g = grid();
        if (!g || g->columnCount() <= 0 || g->rowCount() <= 0)
            return {};
        const QRect inner = picture_->contentsRect();
        const int column = columnIndex(), row = rowIndex();
        const int left = inner.left() + inner.width() * column / g->columnCount();
        const int right = inner.left() + inner.width() * (column + 1) / g->columnCount();
        const int top = inner.top() + inner.height() * row / g->rowCount();
        const int bottom = inner.top() + inner.height() * (row + 1) / g->rowCount();
        return QRect(picture_->mapToGlobal(QPoint(left, top)), QSize(right - left, bottom - top));
    }

    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.readOnly = true;
        if (!picture_ || !picture_->isVisible())
            s.invisible = true;
        return s;
    }

    void *interface_cast(QAccessible::InterfaceType t) override
    {
        return t == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface *>(this) : nullptr;
    }

    bool isSelected() const override { return false; }
    QList<QAccessibleInterface *> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface *> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return grid() ? cell_ % grid()->columnCount() : 0; }
    int rowIndex() const override { return grid() ? cell_ / grid()->columnCount() : 0; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface *table() const override { return parent(); }

private:
    const AccessibleGrid *grid() const
    {
        return picture_ && picture_->accessibleGrid() && picture_->accessibleGrid()->columnCount() > 0
                   ? picture_->accessibleGrid()
                   : nullptr;
    }

    QPointer<PictureBox> picture_;
    int cell_;
};

// The picture as a table whose children are its cells in use.
class GridTable : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit GridTable(PictureBox *picture) : QAccessibleWidget(picture, QAccessible::Table), picture_(picture) {}

    ~GridTable() override
    {
        for (const auto &[cell, id] : cellIds_)
            QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return int(used().size()); }
    QAccessibleInterface *child(int index) const override
    {
        const QList<int> cells = used();
        return index >= 0 && index < cells.size() ? cellInterface(cells.at(index)) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        const QList<int> cells = used();
        for (int i = 0; i < cells.size(); ++i)
            if (cellIds_.count(cells.at(i)) && QAccessible::accessibleInterface(cellIds_.at(cells.at(i))) == child)
                return i;
        return -1;
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        for (int cell : used()) {
            QAccessibleInterface *c = cellInterface(cell);
            if (c->rect().contains(x, y))
                return c;
        }
        return nullptr;
    }

    void *interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface *>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    QAccessibleInterface *caption() const override { return nullptr; }
    QAccessibleInterface *summary() const override { return nullptr; }
    QAccessibleInterface *cellAt(int row, int column) const override
    {
        const AccessibleGrid *g = picture_->accessibleGrid();
        if (!g || row < 0 || column < 0 || row >= g->rowCount() || column >= g->columnCount())
            return nullptr;
        const int cell = row * g->columnCount() + column;
        return used().contains(cell) ? cellInterface(cell) : nullptr;
    }
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface *> selectedCells() const override { return {}; }
    QString columnDescription(int column) const override
    {
        const AccessibleGrid *g = picture_->accessibleGrid();
        return g ? g->columnHeader(column) : QString();
    }
    int columnCount() const override
    {
        const AccessibleGrid *g = picture_->accessibleGrid();
        return g ? g->columnCount() : 0;
    }
    int rowCount() const override
    {
        const AccessibleGrid *g = picture_->accessibleGrid();
        return g ? g->rowCount() : 0;
    }
    QString rowDescription(int) const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent *) override {}

private:
    QList<int> used() const
    {
        const AccessibleGrid *g = picture_->accessibleGrid();
        return g ? g->usedCells() : QList<int>();
    }

    // Made once per cell and kept: a cell's text is read when asked for.
    QAccessibleInterface *cellInterface(int cell) const
    {
        auto it = cellIds_.find(cell);
        if (it == cellIds_.end())
            it = cellIds_.emplace(cell, QAccessible::registerAccessibleInterface(new GridCell(picture_, cell))).first;
        return QAccessible::accessibleInterface(it->second);
    }

    PictureBox *picture_;
    mutable std::map<int, QAccessible::Id> cellIds_;
};

// ------------------------------------------------------------- when a reader listens

// Qt builds an accessible interface for every widget that is shown or given
// an accessible name, screen reader or not. So the program's texts wait on
// their widgets, and its grid tables are not made, until a screen reader
// becomes active; meanwhile Qt's plain interfaces stand in.
bool readerListens = false;

bool screenReaderListens() { return readerListens || QAccessible::isActive(); }

QAccessibleInterface *makeInterface(const QString &, QObject *object)
{
    if (auto *picture = qobject_cast<PictureBox *>(object))
        return picture->accessibleGrid() && screenReaderListens() ? new GridTable(picture) : nullptr;
    if (auto *entry = qobject_cast<QAction *>(object))
        return entry->property(DescriptionProperty).isValid() ? new DescribedEntry(entry) : nullptr;
    return nullptr;
}

// The plain interface Qt made for a grid picture before a screen reader
// listened gives way to the grid's table.
void forgetPlainInterface(PictureBox *picture)
{
    QAccessibleInterface *current = QAccessible::queryAccessibleInterface(picture);
    if (current && current->role() != QAccessible::Table)
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(current));
}

void handOver(QWidget *control)
{
    const QVariant name = control->property(NameProperty);
    if (name.isValid())
        control->setAccessibleName(name.toString());
    const QVariant description = control->property(DescriptionProperty);
    if (description.isValid())
        control->setAccessibleDescription(description.toString());
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

// Adds the program's interfaces to Qt's and watches for a screen reader:
// two entries in two lists, so it costs nothing while none listens.
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

void keepTexts(QWidget *control)
{
    installSupport();
    if (screenReaderListens())
        handOver(control);
}

} // namespace

void describe(QWidget *control, const QString &name, const QString &description)
{
    control->setProperty(NameProperty, name);
    control->setProperty(DescriptionProperty, description);
    keepTexts(control);
}

void describe(QWidget *control, const QString &description)
{
    control->setProperty(DescriptionProperty, description);
    keepTexts(control);
}

void rename(QWidget *control, const QString &name)
{
    control->setProperty(NameProperty, name);
    keepTexts(control);
}

void describe(QAction *entry, const QString &description)
{
    installSupport();
    entry->setProperty(DescriptionProperty, description);
}

void exposeGrid(PictureBox *picture, const AccessibleGrid *grid)
{
    installSupport();
    picture->setAccessibleGrid(grid);
    if (grid && screenReaderListens())
        forgetPlainInterface(picture);
}

void gridChanged(PictureBox *picture)
{
    if (!screenReaderListens())
        return;
    QAccessibleTableModelChangeEvent event(picture, QAccessibleTableModelChangeEvent::ModelReset);
    QAccessible::updateAccessibility(&event);
}

} // namespace platform
