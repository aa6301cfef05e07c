#include "printedpage.h"

#include "core/monthlayout.h"
#include "core/names.h"
#include "core/numtext.h"
#include "platform/fonts.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double HeadingFontSize = 30;
// The share of its column a weekday name may fill, the least size the
// header shrinks to, and the step it shrinks by beyond the proportion.
constexpr double HeaderShare = 0.9;
constexpr double HeaderLeastPoints = 4;
constexpr double HeaderSizeStep = 0.25;
// The classic palette's colour 0, the frame's colour.
constexpr core::Colour QBColor0 = core::Black;

// "July    2024" for the heading, "Muharram  1446" for the legend.
QString monthAndYear(core::Lead calendar, const core::CellSide &side, const QString &gap)
{
    return core::MonthName(calendar, side.month) + gap + core::PlainNumber(side.year);
}

} // namespace

void PrintedPage::SetUpPrintedPage()
{
    GridTop = 10;
    const auto paperWidth = std::lround(printer_.Width());
    const auto paperHeight = std::lround(printer_.Height());
    if (paperHeight < paperWidth) {
        PageHeight = 80;
        PageWidth = 110;
        GridWidth = 100;
        GridHeight = 60;
        ShrinkFactor = 0.97f;
    } else {
        PageHeight = 110;
        PageWidth = 80;
        GridWidth = 70;
        GridHeight = 40;
        ShrinkFactor = 1.0f;
    }
    printer_.Scale(0, 0, PageWidth, PageHeight);
    PageHeight = PageHeight * ShrinkFactor;
    PageWidth = PageWidth * ShrinkFactor;
    GridWidth = GridWidth * ShrinkFactor;
    GridHeight = GridHeight * ShrinkFactor;
    printer_.setForeColor(core::Black);
    GridLeft = PageWidth / 2 - GridWidth / 2 - 2 * ShrinkFactor;
    printer_.setDrawMode(platform::CopyPen);

    const float right = GridLeft + GridWidth;
    const float bottom = GridTop + GridHeight;
    printer_.LineBox(GridLeft, GridTop, right, bottom, QBColor0);
    // Summed in single precision: whether the last line, on the frame's
    // edge, is drawn again depends on the rounding.
    for (float x = GridLeft + GridWidth / core::GridColumns; x <= right; x = x + GridWidth / core::GridColumns)
        printer_.Line(x, GridTop, x, bottom, core::Black);
    for (float y = GridTop + GridHeight / core::GridRows; y <= bottom; y = y + GridHeight / core::GridRows)
        printer_.Line(GridLeft, y, right, y, core::Black);
}

// On small paper the names at the printer's size are wider than their
// columns and would run together: the header alone is printed smaller then,
// each name keeping a tenth of its column clear.
void PrintedPage::PrintWeekdayHeader()
{
    const float columnWidth = GridWidth / core::GridColumns;
    const double savedSize = printer_.FontSize();
    const auto widest = [this] {
        double width = 0;
        for (int k = 0; k < core::GridColumns; ++k)
            width = std::max(width, printer_.TextWidth(core::WeekDayName(k)));
        return width;
    };
    const double room = HeaderShare * columnWidth;
    for (double width = widest(); width > room && printer_.FontSize() > HeaderLeastPoints; width = widest())
        printer_.setFontSize(std::max(HeaderLeastPoints, printer_.FontSize() * room / width - HeaderSizeStep));
    for (int k = 0; k < core::GridColumns; ++k) {
        const QString name = core::WeekDayName(k);
        printer_.setCurrentX(GridLeft + k * columnWidth + columnWidth / 2 - float(printer_.TextWidth(name)) / 2);
        printer_.setCurrentY(GridTop - float(printer_.TextHeight(name)));
        printer_.Print(name);
    }
    printer_.setFontSize(savedSize);
}

void PrintedPage::PrintGregLedMonth(int32_t Month, int32_t Year)
{
    printMonth(core::LayMonth(core::engine(), core::Lead::Gregorian, Year, Month));
}

void PrintedPage::PrintHijriLedMonth(int32_t Month, int32_t Year)
{
    printMonth(core::LayMonth(core::engine(), core::Lead::Hijri, Year, Month));
}

void PrintedPage::printMonth(const core::MonthLayout &layout)
{
    if (!layout.valid)
        return; // the engine gave no real month: the page keeps its frame only
    core::FillDayCells(core::DayCells, layout, core::CellTextStyle::Paper);
    const int FirstCell = layout.FirstCell;
    const int LastCell = layout.LastCell;

    const core::Lead lead = layout.lead;
    const core::Lead other = core::otherCalendar(lead);
    const core::DayCell &first = core::DayCells[FirstCell];
    const core::DayCell &last = core::DayCells[LastCell];

    printer_.setForeColor(core::Black);
    const QString savedName = printer_.FontName();
    printHeading(monthAndYear(lead, core::sideOf(first, lead), QStringLiteral("    ")));

    const core::CellSide firstOther = core::sideOf(first, other);
    const core::CellSide lastOther = core::sideOf(last, other);
    printLegendEntry(QStringLiteral("A - ") + monthAndYear(other, firstOther, QStringLiteral("  ")), firstOther.colour,
                     false);
    printLegendEntry(core::keyLetter(layout.last().monthKey) + QStringLiteral(" - ")
                         + monthAndYear(other, lastOther, QStringLiteral("  ")),
                     lastOther.colour, true);

    for (int c = FirstCell; c <= LastCell; ++c) {
        const core::CellSide leading = core::sideOf(core::DayCells[c], lead);
        const core::CellSide secondary = core::sideOf(core::DayCells[c], other);
        PrintDayCell(int16_t(c - 1), leading.text, leading.colour, secondary.text, secondary.colour);
    }
    printer_.setFontName(savedName);
}

// Large bold type; then the size (as a whole number) and weight of before.
// Placed by the character count, not by the measured width; never above the
// printable area.
void PrintedPage::printHeading(const QString &heading)
{
    const double savedSize = std::nearbyint(printer_.FontSize());
    const bool savedBold = printer_.FontBold();
    printer_.setFontName(platform::PrinterArialName);
    printer_.setFontSize(HeadingFontSize);
    printer_.setFontBold(true);
    // Its bottom stands at 5; on small paper the 30 pt letters would reach
    // above the printable area, where the printer cannot put them.
    const float top = 5 - float(printer_.TextHeight(heading));
    printer_.setCurrentY(top < 0 ? 0 : top);
    printer_.setCurrentX((PageWidth / ShrinkFactor) / 2 - float(heading.size()) / 2 - 10);
    printer_.Print(heading);
    printer_.setFontBold(savedBold);
    printer_.setFontSize(savedSize);
}

// One text line under the grid, at its left edge or ending at its right edge.
void PrintedPage::printLegendEntry(const QString &text, core::Colour colour, bool atRightEdge)
{
    printer_.setForeColor(colour);
    printer_.setCurrentY(GridTop + GridHeight + float(printer_.TextHeight(text)));
    printer_.setCurrentX(atRightEdge ? GridLeft + GridWidth - float(printer_.TextWidth(text)) : GridLeft);
    printer_.Print(text);
}

void PrintedPage::PrintDayCell(int16_t CellIndex, const QString &LeadText, core::Colour LeadColor,
                               const QString &SecText, core::Colour SecColor)
{
    const float w7 = GridWidth / core::GridColumns;
    const float h6 = GridHeight / core::GridRows;
    const core::CellPlace place = core::placeOfCell(CellIndex);
    const float left = GridLeft + place.column * w7;
    const float top = GridTop + place.row * h6;
    printer_.setCurrentX(left);
    printer_.setCurrentY(top);
    printer_.setForeColor(LeadColor);
    printer_.Print(LeadText);
    printer_.setCurrentX(left + w7 - float(printer_.TextWidth(SecText)));
    printer_.setCurrentY(top + h6 - float(printer_.TextHeight(SecText)));
    printer_.setForeColor(SecColor);
    printer_.Print(SecText);
}
