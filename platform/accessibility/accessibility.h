// What screen readers are told about the program's controls: names and
// descriptions, and pictures that show a month's grid of cells, read out
// cell by cell as a table.
//
// Nothing here costs anything while no screen reader is active: the texts
// wait on their controls and reach Qt (which builds an accessible interface
// for every control given a name) only once a screen reader becomes active;
// the program's own interfaces are made when first asked for.
//
// One header, a file per thing exposed: accessiblenames.cpp (controls),
// accessiblegrid.cpp (grids), and accessiblesupport.cpp, which turns them
// on when a screen reader listens.
#pragma once

#include <QList>
#include <QString>

class QWidget;

namespace platform {

// The name a screen reader says for the control, and what it is for.
void describe(QWidget *control, const QString &name, const QString &description);
// Only what the control is for: its name stays its own text (labels,
// buttons, options whose caption is their name).
void describe(QWidget *control, const QString &description);
// A new name, as the control's content changes.
void rename(QWidget *control, const QString &name);
// What a picture showing a month's grid (6 rows of 7 cells) says about it.
class AccessibleGrid {
public:
    virtual ~AccessibleGrid() = default;
    // Cell indexes in use, in reading order.
    virtual QList<int> usedCells() const = 0;
    // What a cell in use says, as one sentence.
    virtual QString cellText(int cell) const = 0;
    virtual QString columnHeader(int column) const = 0;
};

// Shows the picture to screen readers as a table with one cell for each
// cell in use of the grid; the grid must outlive the picture or be removed
// (nullptr) first.
void exposeGrid(QWidget *picture, const AccessibleGrid *grid);
// The grid's cells changed: screen readers are told, when any listens.
void gridChanged(QWidget *picture);

} // namespace platform
