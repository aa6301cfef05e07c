// One month's printed page: the grid with the weekday names over it, the
// heading, the legend of the other calendar's months and the day cells.
#pragma once

#include "core/state.h"
#include "platform/printing/printer.h"

#include <QString>
#include <cstdint>

namespace core {
struct MonthLayout;
}

class PrintedPage {
public:
    explicit PrintedPage(platform::Printer &printer) : printer_(printer) {}

    // Portrait or landscape from the paper's proportions; page units and grid.
    void SetUpPrintedPage();
    // "Sunday" to "Saturday" centred over the columns, standing on the grid.
    void PrintWeekdayHeader();
    // Heading, legend and day cells of a month.
    void PrintGregLedMonth(int32_t Month, int32_t Year);
    void PrintHijriLedMonth(int32_t Month, int32_t Year);
    // The leading number at the cell's top-left, the other one ending at its
    // bottom-right corner.
    void PrintDayCell(int16_t CellIndex, const QString &LeadText, core::Colour LeadColor, const QString &SecText,
                      core::Colour SecColor);

private:
    void printMonth(const core::MonthLayout &layout);
    void printHeading(const QString &heading);
    void printLegendEntry(const QString &text, core::Colour colour, bool atRightEdge);

    platform::Printer &printer_;

    // Page-layout values in page units, set for every page by SetUpPrintedPage.
    float PageWidth = 0;
    float PageHeight = 0;
    float GridTop = 0;
    float GridLeft = 0;
    float GridWidth = 0;
    float GridHeight = 0;
    float ShrinkFactor = 1;
};
