// The program-wide state shared by the main window and the printed pages.
#pragma once

#include <QColor>
#include <QString>
#include <array>
#include <cstdint>

namespace core {

// 1 while the Gregorian calendar leads the main window, 0 while the Hijri one does.
extern int16_t CalendarMode;

// Set by the print dialog's Exit and the printing box's Cancel; true = -1.
extern int16_t CancelPrintFlag;
constexpr int16_t True16 = -1;
constexpr int16_t False16 = 0;

// Colours are 0x00BBGGRR.
using Colour = uint32_t;
constexpr Colour Black = 0x000000;
constexpr Colour KeyBlue = 0xFF0000;
constexpr Colour KeyRed = 0x0000FF;
constexpr Colour KeyOlive = 0x008080;
constexpr Colour Grey128 = 0x808080;

// Colour of the other calendar's n-th month met on a page (0, 1, 2).
constexpr Colour monthKeyColour(int16_t monthKey)
{
    return monthKey <= 0 ? KeyBlue : monthKey == 1 ? KeyRed : KeyOlive;
}

constexpr QRgb toQRgb(Colour c) { return qRgb(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)); }

inline QColor toQColor(Colour c) { return QColor(toQRgb(c)); }

struct DayCell {
    QString GregDayText;
    int32_t GregMonth = 0;
    int32_t GregYear = 0;
    Colour GregColor = Black;
    QString HijriDayText;
    int32_t HijriMonth = 0;
    int32_t HijriYear = 0;
    Colour HijriColor = Black;
};

constexpr int CellCount = 42;

// Record c (1..42) of the last month laid out, on screen or on paper.
class DayCellTable {
public:
    // Cell numbers 1..42; any other number throws std::out_of_range.
    DayCell &operator[](int cellNumber) { return cells_.at(std::size_t(cellNumber - 1)); }
    const DayCell &operator[](int cellNumber) const { return cells_.at(std::size_t(cellNumber - 1)); }

private:
    std::array<DayCell, CellCount> cells_{};
};

extern DayCellTable DayCells;

} // namespace core
