// Laying one month into the 42 cells of a month page, led by either
// calendar, with the other calendar's date and month key of every day.
// Shared by the screen page and the printed page.
#pragma once

#include "calendarengine.h"
#include "dateranges.h"
#include "state.h"

#include <array>
#include <cstdint>

namespace core {

struct LaidCell {
    int32_t leadDay = 0;  // day number in the leading calendar; 0 = cell not used
    Ymd other;            // the same day in the other calendar
    int16_t monthKey = 0; // 0, 1, 2: which of the other calendar's months
};

struct MonthLayout {
    // False when the engine's answers for the month are not a real month;
    // then nothing else is meaningful and a page shows its frame only.
    bool valid = false;
    Lead lead = Lead::Gregorian;
    int32_t year = 0;    // leading calendar
    int32_t month = 0;   // leading calendar
    int32_t weekday = 0; // of the leading month's first day
    int FirstCell = 0;
    int LastCell = 0;
    std::array<LaidCell, CellCount + 1> cells{}; // indexed by cell number 1..42

    const LaidCell &first() const { return cells[std::size_t(FirstCell)]; }
    const LaidCell &last() const { return cells[std::size_t(LastCell)]; }
    // Cell number in which the leading calendar's day stands; 0 when the day
    // is not on this page (another month, a day that never existed, or a
    // layout that is not valid).
    int cellOfDay(int32_t leadDay) const;
};

// The month of the leading calendar laid out; any year and month, whatever
// the engine answers.
MonthLayout LayMonth(const CalendarEngine &engine, Lead lead, int32_t year, int32_t month);

// How the other calendar's number is written: on screen the plain number,
// on paper a blank, the number and the key letter (" 7A").
enum class CellTextStyle { Screen, Paper };

QString keyLetter(int16_t monthKey); // "A", "B", "C"

// Writes records FirstCell..LastCell of DayCells from a valid layout.
void FillDayCells(DayCellTable &table, const MonthLayout &layout, CellTextStyle style);

} // namespace core
