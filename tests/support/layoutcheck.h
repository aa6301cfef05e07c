// Reads a window's controls back against the window's layout table as its design writes it, one row a line:
//   | `Name` | type | caption | left | top | width | height | tab index | notes |
// (twips; notes such as "centred", "right-aligned", "Arial 24 pt regular", "single-line border").
#pragma once

#include <QString>

class QWidget;

namespace testsupport {

// Shows the window, starts a screen reader, and checks the client area's size, every row's control (its type,
// caption, rectangle, font, alignment, border and accessible name) and the Tab order of the controls that take the
// focus. Fails the running test at the first difference and returns false.
// What a screen reader calls the control.
QString spokenName(QWidget *control);

bool layoutAsDesigned(QWidget &window, const QWidget &client, int clientWidth, int clientHeight, const char *design);

} // namespace testsupport
