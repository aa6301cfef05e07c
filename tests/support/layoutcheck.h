// Reads a window's controls back against its layout table as the design writes it, one row a line:
//   | `Name` | type | caption | left | top | width | height | tab index | notes |
// (twips; notes such as "centred", "right-aligned", "Arial 24 pt regular", "single-line border", "grows to its
// text", "selected when the window is created", "default", "named by Label4").
#pragma once

#include <QAccessible>
#include <QWidget>

namespace testsupport {

// What a screen reader calls the control.
inline QString spokenName(QWidget *control)
{
    return QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
}

// Shows the window with a screen reader on and checks the client's size in twips, each row's control (type, caption,
// rectangle, font, look, state, spoken name, a label's whole text shown) and the Tab order. Fails the running test at
// the first difference and returns false.
bool layoutAsDesigned(QWidget &window, const QWidget &client, QSize clientTwips, const char *design);

} // namespace testsupport
