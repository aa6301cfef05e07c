#include "printedpage.h"

#include "core/monthlayout.h"
#include "core/names.h"
#include "core/numtext.h"

#include <cmath>

namespace {

const QString HeadingFontName = QStringLiteral("ARIAL");
constexpr double HeadingFontSize = 30;
// The classic palette's colour 0, the frame's colour.
constexpr core::Colour QBColor0 = core::Black;

// One calendar's half of a cell record.
struct CellSide {
    QString text;
    int32_t month;
    int32_t year;
    core::Colour colour;
};

CellSide sideOf(const core::DayCell &cell, core::Lead calendar)
{
    if (calendar == core::Lead::Gregorian)
        return {cell.GregDayText, cell.GregMonth, cell.GregYear, cell.GregColor};
    return {cell.HijriDayText, cell.HijriMonth, cell.HijriYear, cell.HijriColor};
}

core::Lead otherCalendar(core::Lead calendar)
{
    return calendar == core::Lead::Gregorian ? core::Lead::Hijri : core::Lead::Gregorian;
}

QString monthName(core::Lead calendar, int32_t month)
{
    return calendar == core::Lead::Gregorian ? core::GregMonthName(month) : core::HijriMonthName(month);
}

// "July    2024" for the heading, "Muharram  1446" for the legend.
QString monthAndYear(core::Lead calendar, const CellSide &side, const QString &gap)
{
    return monthName(calendar, side.month) + gap + core::PlainNumber(side.year);
}

} // namespace

void PrintedPage::SetUpPrintedPage()
{
    GridTop = 10;
    const auto paperWidth = std::lround(Printer.Width());
    const auto paperHeight = std::lround(Printer.Height());
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
    Printer.Scale(0, 0, PageWidth, PageHeight);
    PageHeight = PageHeight * ShrinkFactor;
    PageWidth = PageWidth * ShrinkFactor;
    GridWidth = GridWidth * ShrinkFactor;
    GridHeight = GridHeight * ShrinkFactor;
    Printer.setForeColor(core::Black);
    GridLeft = PageWidth / 2 - GridWidth / 2 - 2 * ShrinkFactor;
    Printer.setDrawMode(platform::CopyPen);

    const float right = GridLeft + GridWidth;
    const float bottom = GridTop + GridHeight;
    Printer.LineBox(GridLeft, GridTop, right, bottom, QBColor0);
    // Summed in single precision: whether the last line, on the frame's
    // edge, is drawn again depends on the rounding.
    for (float x = GridLeft + GridWidth / 7; x <= right; x = x + GridWidth / 7)
        Printer.Line(x, GridTop, x, bottom, core::Black);
    for (float y = GridTop + GridHeight / 6; y <= bottom; y = y + GridHeight / 6)
        Printer.Line(GridLeft, y, right, y, core::Black);
}

void PrintedPage::PrintWeekdayHeader()
{
    const float columnWidth = GridWidth / 7;
    for (int k = 0; k <= 6; ++k) {
        const QString name = core::WeekDayName(k);
        Printer.setCurrentX(GridLeft + k * columnWidth + columnWidth / 2 - float(Printer.TextWidth(name)) / 2);
        Printer.setCurrentY(GridTop - float(Printer.TextHeight(name)));
        Printer.Print(name);
    }
}

void PrintedPage::PrintGregLedMonth(int32_t Month, int32_t Year)
{
    printMonth(core::LayGregLedMonth(core::engine(), Year, Month));
}

void PrintedPage::PrintHijriLedMonth(int32_t Month, int32_t Year)
{
    printMonth(core::LayHijriLedMonth(core::engine(), Year, Month));
}

void PrintedPage::printMonth(const core::MonthLayout &layout)
{
    if (!layout.valid)
        return; // the engine gave no real month: the page keeps its frame only
    core::FillDayCells(core::DayCells, layout, core::CellTextStyle::Paper);
    const int FirstCell = layout.FirstCell;
    const int LastCell = layout.LastCell;

    const core::Lead lead = layout.lead;
    const core::Lead other = otherCalendar(lead);
    const core::DayCell &first = core::DayCells[FirstCell];
    const core::DayCell &last = core::DayCells[LastCell];

    Printer.setForeColor(core::Black);
    const QString savedName = Printer.FontName();
    printHeading(monthAndYear(lead, sideOf(first, lead), QStringLiteral("    ")));

    const CellSide firstOther = sideOf(first, other);
    const CellSide lastOther = sideOf(last, other);
    printLegendEntry(QStringLiteral("A - ") + monthAndYear(other, firstOther, QStringLiteral("  ")), firstOther.colour,
                     false);
    printLegendEntry(core::keyLetter(layout.last().monthKey) + QStringLiteral(" - ")
                         + monthAndYear(other, lastOther, QStringLiteral("  ")),
                     lastOther.colour, true);

    for (int c = FirstCell; c <= LastCell; ++c) {
        const CellSide leading = sideOf(core::DayCells[c], lead);
        const CellSide secondary = sideOf(core::DayCells[c], other);
        PrintDayCell(int16_t(c - 1), leading.text, leading.colour, secondary.text, secondary.colour);
    }
    Printer.setFontName(savedName);
}

// Large bold type; then the size (as a whole number) and weight of before.
// Placed by the character count, not by the measured width; never above the
// printable area.
void PrintedPage::printHeading(const QString &heading)
{
    const double savedSize = std::nearbyint(Printer.FontSize());
    const bool savedBold = Printer.FontBold();
    Printer.setFontName(HeadingFontName);
    Printer.setFontSize(HeadingFontSize);
    Printer.setFontBold(true);
    // Its bottom stands at 5; on small paper the 30 pt letters would reach
    // above the printable area, where the printer cannot put them.
    const float top = 5 - float(Printer.TextHeight(heading));
    Printer.setCurrentY(top < 0 ? 0 : top);
    Printer.setCurrentX((PageWidth / ShrinkFactor) / 2 - float(heading.size()) / 2 - 10);
    Printer.Print(heading);
    Printer.setFontBold(savedBold);
    Printer.setFontSize(savedSize);
}

// One text line under the grid, at its left edge or ending at its right edge.
void PrintedPage::printLegendEntry(const QString &text, core::Colour colour, bool atRightEdge)
{
    Printer.setForeColor(colour);
    Printer.setCurrentY(GridTop + GridHeight + float(Printer.TextHeight(text)));
    Printer.setCurrentX(atRightEdge ? GridLeft + GridWidth - float(Printer.TextWidth(text)) : GridLeft);
    Printer.Print(text);
}

void PrintedPage::PrintDayCell(int16_t CellIndex, const QString &LeadText, core::Colour LeadColor,
                               const QString &SecText, core::Colour SecColor)
{
    const float w7 = GridWidth / 7;
    const float h6 = GridHeight / 6;
    const int column = CellIndex % 7;
    const int row = CellIndex / 7;
    const float left = GridLeft + column * w7;
    const float top = GridTop + row * h6;
    Printer.setCurrentX(left);
    Printer.setCurrentY(top);
    Printer.setForeColor(LeadColor);
    Printer.Print(LeadText);
    Printer.setCurrentX(left + w7 - float(Printer.TextWidth(SecText)));
    Printer.setCurrentY(top + h6 - float(Printer.TextHeight(SecText)));
    Printer.setForeColor(SecColor);
    Printer.Print(SecText);
}
