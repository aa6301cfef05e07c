// A picture that shows a grid of cells, read out as a table cell by cell.
#include "accessibility.h"
#include "accessiblesupport.h"

#include "picturebox.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>

#include <map>

namespace platform {
namespace accessibility {
namespace {

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

} // namespace

QAccessibleInterface *makeGridInterface(PictureBox *picture) { return new GridTable(picture); }

void forgetPlainInterface(PictureBox *picture)
{
    QAccessibleInterface *current = QAccessible::queryAccessibleInterface(picture);
    if (current && current->role() != QAccessible::Table)
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(current));
}

} // namespace accessibility

void exposeGrid(PictureBox *picture, const AccessibleGrid *grid)
{
    accessibility::installSupport();
    picture->setAccessibleGrid(grid);
    if (grid && accessibility::screenReaderListens())
        accessibility::forgetPlainInterface(picture);
}

void gridChanged(PictureBox *picture)
{
    if (!accessibility::screenReaderListens())
        return;
    QAccessibleTableModelChangeEvent event(picture, QAccessibleTableModelChangeEvent::ModelReset);
    QAccessible::updateAccessibility(&event);
}

} // namespace platform
