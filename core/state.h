// The program-wide state shared by the main window and the printed pages.
#pragma once

#include "dateranges.h"

#include <QColor>
#include <QString>
#include <array>
#include <cstdint>

namespace core {

// 1 while the Gregorian calendar leads the main window, 0 while the Hijri one does.
extern int16_t CalendarMode;

// The calendar that leads the main window, as CalendarMode tells it: every
// window reads it here.
inline Lead leadingCalendar() { return CalendarMode == 1 ? Lead::Gregorian : Lead::Hijri; }
inline void setLeadingCalendar(Lead lead) { CalendarMode = lead == Lead::Gregorian ? 1 : 0; }

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

// One calendar's half of a cell record.
struct CellSide {
    QString text;
    int32_t month = 0;
    int32_t year = 0;
    Colour colour = Black;
};

inline CellSide sideOf(const DayCell &cell, Lead calendar)
{
    if (calendar == Lead::Gregorian)
        return {cell.GregDayText, cell.GregMonth, cell.GregYear, cell.GregColor};
    return {cell.HijriDayText, cell.HijriMonth, cell.HijriYear, cell.HijriColor};
}

inline void setSide(DayCell &cell, Lead calendar, const CellSide &side)
{
    if (calendar == Lead::Gregorian) {
        cell.GregDayText = side.text;
        cell.GregMonth = side.month;
        cell.GregYear = side.year;
        cell.GregColor = side.colour;
    } else {
        cell.HijriDayText = side.text;
        cell.HijriMonth = side.month;
        cell.HijriYear = side.year;
        cell.HijriColor = side.colour;
    }
}

// A month page: 6 rows of 7 cells, one column per weekday with Sunday in
// column 0. Cells are numbered 1 to 42 row by row; a cell's index is its
// number - 1. Screen, paper and the screen reader all place cells this way.
constexpr int GridColumns = 7;
constexpr int GridRows = 6;
constexpr int CellCount = GridColumns * GridRows;

struct CellPlace {
    int row;    // [0, 5] for a cell of the page
    int column; // [0, 6], the weekday
};

constexpr CellPlace placeOfCell(int cellIndex) { return {cellIndex / GridColumns, cellIndex % GridColumns}; }

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
