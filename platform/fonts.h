// The one font of the program: Arial, requested by name (Liberation Sans
// on Linux, with the same metrics).
#pragma once

#include <QFont>
#include <QString>

namespace platform {

inline const QString ArialName = QStringLiteral("Arial");
// The printed page names it in capitals.
inline const QString PrinterArialName = QStringLiteral("ARIAL");

// Every window's own font: Arial 9.75 pt bold.
constexpr qreal WindowFontPoints = 9.75;
// The printer's font before a page changes it: Arial 10 pt regular.
constexpr qreal PrinterFontPoints = 10;

inline QFont arialFont(qreal points, bool bold)
{
    QFont font(ArialName);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

} // namespace platform
