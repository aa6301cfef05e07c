// The month page on screen: grid, weekday strip, day cells, heading labels
// and the today marker.
#include "calmain.h"

#include "core/monthlayout.h"
#include "core/names.h"
#include "core/numtext.h"

namespace {

// "July,2024": the month name, a comma and the year, no blank.
QString caption(core::Lead calendar, const core::CellSide &side)
{
    return core::MonthName(calendar, side.month) + u',' + core::PlainNumber(side.year);
}

void setLabel(QLabel *label, const QString &caption, core::Colour colour)
{
    QPalette palette = label->palette();
    const QColor wanted = core::toQColor(colour);
    if (palette.color(QPalette::WindowText) != wanted) {
        palette.setColor(QPalette::WindowText, wanted);
        label->setPalette(palette);
    }
    if (label->text() != caption)
        label->setText(caption);
}

} // namespace

// The day-cell table, the three labels, the today marker, then the numbers;
// a month that is not real leaves the frame alone, with nothing of an
// earlier page.
void CalMain::showLaidMonth(const core::MonthLayout &page)
{
    shownMonth_ = page;
    if (!page.valid) {
        for (QLabel *label : {Heading, CurMonth, NextMonth})
            setLabel(label, QString(), core::Black);
        return;
    }
    core::FillDayCells(core::DayCells, page, core::CellTextStyle::Screen);
    const core::Lead lead = page.lead;
    const core::Lead other = core::otherCalendar(lead);
    const core::CellSide first = core::sideOf(core::DayCells[page.FirstCell], other);
    const core::CellSide last = core::sideOf(core::DayCells[page.LastCell], other);
    setLabel(Heading, caption(lead, core::sideOf(core::DayCells[page.FirstCell], lead)), core::Black);
    setLabel(CurMonth, caption(other, first), first.colour);
    setLabel(NextMonth, caption(other, last), last.colour);
    MarkToday();
    for (int n = page.FirstCell; n <= page.LastCell; ++n) {
        const core::CellSide leading = core::sideOf(core::DayCells[n], lead);
        const core::CellSide secondary = core::sideOf(core::DayCells[n], other);
        DrawDayCell(int16_t(n - 1), leading.text, leading.colour, secondary.text, secondary.colour);
    }
}

void CalMain::Form_Paint()
{
    if (painting_)
        return; // a paint never starts another
    painting_ = true;
    ++paintCount_;
    shownMonth_ = {};
    todayCell_ = 0;
    Pic->Cls();
    Pic2->Cls();
    DrawGrid();
    DrawWeekdayHeader();
    // The boxes are read as they stand, also while the user is typing.
    const int32_t Month = MonthTXT->wholeNumber();
    const int32_t Year = YearTXT->wholeNumber();
    if (core::leadingCalendar() == core::Lead::Hijri)
        DrawHijriLedMonth(Year, Month);
    else
        DrawGregLedMonth(Year, Month);
    painting_ = false;
    emit pagePainted();
}

void CalMain::DrawGrid()
{
    Pic->Scale(0, 0, core::GridColumns, core::GridRows);
    Pic->setForeColor(core::Black);
    Pic->setDrawMode(platform::CopyPen);
    for (int x = 1; x < core::GridColumns; ++x)
        Pic->Line(x, 0, x, core::GridRows);
    for (int y = 1; y < core::GridRows; ++y)
        Pic->Line(0, y, core::GridColumns, y);
}

void CalMain::DrawWeekdayHeader()
{
    Pic2->Scale(0, 0, core::GridColumns, 1);
    Pic2->setForeColor(core::Black);
    const bool twoLetters = Pic2->TextWidth(QStringLiteral("WWW")) > 1;
    for (int i = 0; i < core::GridColumns; ++i) {
        const QString name = core::WeekDayName(i).left(twoLetters ? 2 : 3);
        Pic2->setCurrentX(i + 0.5 - Pic2->TextWidth(name) / 2);
        Pic2->setCurrentY(1 - Pic2->TextHeight(name));
        Pic2->Print(name);
    }
}

void CalMain::DrawGregLedMonth(int32_t Year, int32_t Month)
{
    showLaidMonth(core::LayMonth(core::engine(), core::Lead::Gregorian, Year, Month));
}

void CalMain::DrawHijriLedMonth(int32_t Year, int32_t Month)
{
    showLaidMonth(core::LayMonth(core::engine(), core::Lead::Hijri, Year, Month));
}

void CalMain::DrawDayCell(int16_t CellIndex, const QString &LeadText, core::Colour LeadColor, const QString &SecText,
                          core::Colour SecColor)
{
    const core::CellPlace place = core::placeOfCell(CellIndex);
    const QString lead = LeadText + QStringLiteral(" \\ ");
    const QString whole = lead + SecText;
    Pic->setCurrentX(place.column + 0.5 - Pic->TextWidth(whole) / 2);
    Pic->setCurrentY(place.row + 0.5 - Pic->TextHeight(whole) / 2);
    Pic->setForeColor(LeadColor);
    Pic->Print(lead, platform::DrawingSurface::After::StayOnLine);
    Pic->setForeColor(SecColor);
    Pic->Print(SecText);
}

// Shades today's cell when the page shows the current month of the leading
// calendar. The cell is found on the month as the page laid it out, so it is
// always the cell that holds today's number (October 1582 included).
void CalMain::MarkToday()
{
    const core::MonthLayout &page = shownMonth_;
    const core::Ymd today = core::TodayIn(page.lead);
    if (today.month != page.month || today.year != page.year)
        return;
    todayCell_ = page.cellOfDay(today.day);
    if (todayCell_ == 0)
        return;
    const core::CellPlace place = core::placeOfCell(todayCell_ - 1);
    Pic->setDrawMode(platform::XorPen);
    Pic->LineBoxFilled(place.column, place.row, place.column + 1, place.row + 1, core::Grey128);
}

// The grid takes no mouse input: a press selects and marks nothing.
void CalMain::Pic_MouseDown() {}
