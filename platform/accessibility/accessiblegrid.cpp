// A picture that shows a month's grid of cells, read out as a table cell by
// cell.
#include "accessibility.h"
#include "accessiblesupport.h"

#include "core/state.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>
#include <QWidget>

#include <map>

namespace platform {
namespace accessibility {
namespace {

// The grid each exposed picture shows.
QHash<const QObject *, const AccessibleGrid *> &grids()
{
    static QHash<const QObject *, const AccessibleGrid *> shown;
    return shown;
}

// One cell in use of a grid. It asks the grid for its text every time, so a
// screen reader always hears what the picture shows now.
class GridCell : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    GridCell(QWidget *picture, int cell) : picture_(picture), cell_(cell) {}

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
        if (!picture_)
            return {};
        const QRect inner = picture_->contentsRect();
        const core::CellPlace place = core::placeOfCell(cell_);
        const int left = inner.left() + inner.width() * place.column / core::GridColumns;
        const int right = inner.left() + inner.width() * (place.column + 1) / core::GridColumns;
        const int top = inner.top() + inner.height() * place.row / core::GridRows;
        const int bottom = inner.top() + inner.height() * (place.row + 1) / core::GridRows;
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
    int columnIndex() const override { return core::placeOfCell(cell_).column; }
    int rowIndex() const override { return core::placeOfCell(cell_).row; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface *table() const override { return parent(); }

private:
    const AccessibleGrid *grid() const { return gridOf(picture_); }

    QPointer<QWidget> picture_;
    int cell_;
};

// The picture as a table whose children are its cells in use.
class GridTable : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit GridTable(QWidget *picture) : QAccessibleWidget(picture, QAccessible::Table), picture_(picture) {}

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
        if (row < 0 || column < 0 || row >= core::GridRows || column >= core::GridColumns)
            return nullptr;
        const int cell = row * core::GridColumns + column;
        return used().contains(cell) ? cellInterface(cell) : nullptr;
    }
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface *> selectedCells() const override { return {}; }
    QString columnDescription(int column) const override
    {
        const AccessibleGrid *g = gridOf(picture_);
        return g ? g->columnHeader(column) : QString();
    }
    int columnCount() const override { return core::GridColumns; }
    int rowCount() const override { return core::GridRows; }
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
        const AccessibleGrid *g = gridOf(picture_);
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

    QWidget *picture_;
    mutable std::map<int, QAccessible::Id> cellIds_;
};

} // namespace

const AccessibleGrid *gridOf(const QObject *picture) { return picture ? grids().value(picture) : nullptr; }

QAccessibleInterface *makeGridInterface(QWidget *picture) { return new GridTable(picture); }

void forgetPlainInterface(QWidget *picture)
{
    QAccessibleInterface *current = QAccessible::queryAccessibleInterface(picture);
    if (current && current->role() != QAccessible::Table)
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(current));
}

} // namespace accessibility

void exposeGrid(QWidget *picture, const AccessibleGrid *grid)
{
    accessibility::installSupport();
    if (!grid) {
        accessibility::grids().remove(picture);
        return;
    }
    accessibility::grids().insert(picture, grid);
    if (accessibility::screenReaderListens())
        accessibility::forgetPlainInterface(picture);
}

void gridChanged(QWidget *picture)
{
    if (!accessibility::screenReaderListens())
        return;
    QAccessibleTableModelChangeEvent event(picture, QAccessibleTableModelChangeEvent::ModelReset);
    QAccessible::updateAccessibility(&event);
}

} // namespace platform
