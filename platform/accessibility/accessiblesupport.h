// What the parts of the program's accessibility share, inside the platform
// library: where a control's texts wait, whether a screen reader listens,
// and the interfaces the program adds to Qt's.
//
// Qt builds an accessible interface for every widget that is shown or given
// an accessible name, screen reader or not. So the program's texts wait on
// their widgets, and its grid tables are not made, until a screen reader
// becomes active; meanwhile Qt's plain interfaces stand in.
#pragma once

class QAccessibleInterface;
class QObject;
class QWidget;

namespace platform {

class AccessibleGrid;

namespace accessibility {

// Where a control keeps its name and description.
inline constexpr char NameProperty[] = "dovrinAccessibleName";
inline constexpr char DescriptionProperty[] = "dovrinAccessibleDescription";

bool screenReaderListens();
// Adds the program's interfaces to Qt's and watches for a screen reader.
void installSupport();

// The control's waiting texts reach Qt (accessiblenames.cpp).
void handOver(QWidget *control);
// The grid a picture shows, or null (accessiblegrid.cpp).
const AccessibleGrid *gridOf(const QObject *picture);
// The picture as a table of its grid's cells (accessiblegrid.cpp).
QAccessibleInterface *makeGridInterface(QWidget *picture);
// The plain interface Qt made for a grid picture before a screen reader
// listened gives way to the grid's table (accessiblegrid.cpp).
void forgetPlainInterface(QWidget *picture);

} // namespace accessibility
} // namespace platform
