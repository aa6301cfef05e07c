// What screen readers are told about the program's controls: names and
// descriptions, menu entries with descriptions, and picture controls that
// show a grid of cells read out cell by cell as a table.
//
// Nothing here costs anything while no screen reader is active: the texts
// wait on their controls and reach Qt (which builds an accessible interface
// for every control given a name) only once a screen reader becomes active;
// the program's own interfaces are made when first asked for.
//
// One header, a file per thing exposed: accessiblenames.cpp (controls),
// accessiblemenu.cpp (menu entries), accessiblegrid.cpp (grids), and
// accessiblesupport.cpp, which turns them on when a screen reader listens.
#pragma once

#include <QList>
#include <QString>

class QAction;
class QWidget;

namespace platform {

class PictureBox;

// The name a screen reader says for the control, and what it is for.
void describe(QWidget *control, const QString &name, const QString &description);
// Only what the control is for: its name stays its own text (labels,
// buttons, options whose caption is their name).
void describe(QWidget *control, const QString &description);
// A new name, as the control's content changes.
void rename(QWidget *control, const QString &name);
// A menu entry's description; its name is its text without the "&".
void describe(QAction *entry, const QString &description);

// What a picture showing a grid of cells says about them.
class AccessibleGrid {
public:
    virtual ~AccessibleGrid() = default;
    virtual int rowCount() const = 0;
    virtual int columnCount() const = 0;
    // Cells in use, in reading order, each as row * columnCount() + column.
    virtual QList<int> usedCells() const = 0;
    // What a cell in use says, as one sentence.
    virtual QString cellText(int cell) const = 0;
    virtual QString columnHeader(int column) const = 0;
};

// Shows the picture to screen readers as a table with one cell for each
// cell in use of the grid; the grid must outlive the picture or be removed
// (nullptr) first.
void exposeGrid(PictureBox *picture, const AccessibleGrid *grid);
// The grid's cells changed: screen readers are told, when any listens.
void gridChanged(PictureBox *picture);

} // namespace platform
