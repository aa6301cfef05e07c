// Every message the program shows or writes, and the titles of the boxes
// it shows them in: each window has a title of its own.
#pragma once

#include <QString>

namespace core::messages {

// The main window's month and year boxes and "Go".
inline const QString MainInputTitle = QStringLiteral("Input Error ...");
inline const QString MonthOutOfRange = QStringLiteral("Your Month is out of range");
inline const QString YearOutOfRange = QStringLiteral("Your Year is out of range");
inline const QString DateOutOfRange = QStringLiteral("Your date is out of range");

// The conversion dialog, and dovrin-cli's conversions: which part of the
// date was wrong is not told.
inline const QString ConversionInputTitle = QStringLiteral("Input Error.....");
inline const QString DateRefused = QStringLiteral("Date out of range .....");

// The print dialog's checks, and dovrin-cli's printing.
inline const QString PrintInputTitle = QStringLiteral("Input Error .....");
inline const QString MonthLimits = QStringLiteral("Check your 'From Month' or 'To Month' limits");
inline const QString DateLimits = QStringLiteral("Check your date limits");

// The printing box's caption, and the title of a printer fault.
inline const QString PrintingTitle = QStringLiteral("Printing .....");

// The main window's caption, and the title of a fault at start-up.
inline const QString ProgramCaption = QStringLiteral(" Dovrin");

} // namespace core::messages
