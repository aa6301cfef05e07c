// The pictures that `make screenshots` takes, one routine per area.
#pragma once

#include <QDir>
#include <QString>

class QWidget;

namespace shots {

// Saves the widget's picture as DIR/NAME.png and prints the path.
bool save(QWidget &widget, const QDir &dir, const QString &name);

bool mainWindow(const QDir &dir);  // shots_mainwin.cpp
bool dialogs(const QDir &dir);     // shots_dialogs.cpp
bool printedPage(const QDir &dir); // shots_print.cpp

} // namespace shots
