// The month page on screen: grid, weekday strip, day cells, heading labels
// and the today marker.
#include "calmain.h"

#include "core/monthlayout.h"
#include "core/names.h"
#include "core/numtext.h"
#include "platform/numberbox.h"
#include "platform/picturebox.h"

#include <QLabel>
#include <QRadioButton>

namespace {

// "July,2024": the month name, a comma and the year, no blank.
QString caption(const QString &monthName, int32_t year) { return monthName + u',' + core::PlainNumber(year); }

// A day cell as the page writes it: the leading calendar's number first.
struct CellText {
    const QString &leadText;
    core::Colour leadColour;
    const QString &secText;
    core::Colour secColour;
};

CellText cellText(core::Lead lead, const core::DayCell &c)
{
    if (lead == core::Lead::Gregorian)
        return {c.GregDayText, c.GregColor, c.HijriDayText, c.HijriColor};
    return {c.HijriDayText, c.HijriColor, c.GregDayText, c.GregColor};
}

// The leading month named in the heading; the other calendar's month of a
// cell named under it, in the cell's colour.
QString leadMonthCaption(core::Lead lead, const core::DayCell &c)
{
    return lead == core::Lead::Gregorian ? caption(core::GregMonthName(c.GregMonth), c.GregYear)
                                         : caption(core::HijriMonthName(c.HijriMonth), c.HijriYear);
}

QString otherMonthCaption(core::Lead lead, const core::DayCell &c)
{
    return lead == core::Lead::Gregorian ? caption(core::HijriMonthName(c.HijriMonth), c.HijriYear)
                                         : caption(core::GregMonthName(c.GregMonth), c.GregYear);
}

core::Colour otherColour(core::Lead lead, const core::DayCell &c)
{
    return lead == core::Lead::Gregorian ? c.HijriColor : c.GregColor;
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
    const core::DayCell &f = core::DayCells[page.FirstCell];
    const core::DayCell &l = core::DayCells[page.LastCell];
    setLabel(Heading, leadMonthCaption(page.lead, f), core::Black);
    setLabel(CurMonth, otherMonthCaption(page.lead, f), otherColour(page.lead, f));
    setLabel(NextMonth, otherMonthCaption(page.lead, l), otherColour(page.lead, l));
    MarkToday();
    for (int n = page.FirstCell; n <= page.LastCell; ++n) {
        const CellText t = cellText(page.lead, core::DayCells[n]);
        DrawDayCell(int16_t(n - 1), t.leadText, t.leadColour, t.secText, t.secColour);
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
    if (HegOpt->isChecked())
        DrawHijriLedMonth(Year, Month);
    if (GregOpt->isChecked())
        DrawGregLedMonth(Year, Month);
    painting_ = false;
    emit pagePainted();
}

void CalMain::DrawGrid()
{
    Pic->Scale(0, 0, 7, 6);
    Pic->setForeColor(core::Black);
    Pic->setDrawMode(platform::CopyPen);
    for (int x = 1; x <= 6; ++x)
        Pic->Line(x, 0, x, 6);
    for (int y = 1; y <= 5; ++y)
        Pic->Line(0, y, 7, y);
}

void CalMain::DrawWeekdayHeader()
{
    Pic2->Scale(0, 0, 7, 1);
    Pic2->setForeColor(core::Black);
    const bool twoLetters = Pic2->TextWidth(QStringLiteral("WWW")) > 1;
    for (int i = 0; i <= 6; ++i) {
        const QString name = core::WeekDayName(i).left(twoLetters ? 2 : 3);
        Pic2->setCurrentX(i + 0.5 - Pic2->TextWidth(name) / 2);
        Pic2->setCurrentY(1 - Pic2->TextHeight(name));
        Pic2->Print(name);
    }
}

void CalMain::DrawGregLedMonth(int32_t Year, int32_t Month)
{
    showLaidMonth(core::LayGregLedMonth(core::engine(), Year, Month));
}

void CalMain::DrawHijriLedMonth(int32_t Year, int32_t Month)
{
    showLaidMonth(core::LayHijriLedMonth(core::engine(), Year, Month));
}

void CalMain::DrawDayCell(int16_t CellIndex, const QString &LeadText, core::Colour LeadColor, const QString &SecText,
                          core::Colour SecColor)
{
    const int column = CellIndex % 7;
    const int row = CellIndex / 7;
    const QString lead = LeadText + QStringLiteral(" \\ ");
    const QString whole = lead + SecText;
    Pic->setCurrentX(column + 0.5 - Pic->TextWidth(whole) / 2);
    Pic->setCurrentY(row + 0.5 - Pic->TextHeight(whole) / 2);
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
    int32_t tDay, tMonth, tYear;
    if (page.lead == core::Lead::Gregorian)
        core::TodayGreg(tDay, tMonth, tYear);
    else
        core::TodayHijri(tDay, tMonth, tYear);
    if (tMonth != page.month || tYear != page.year)
        return;
    todayCell_ = page.cellOfDay(tDay);
    if (todayCell_ == 0)
        return;
    const int CellIndex = todayCell_ - 1;
    const int column = CellIndex % 7;
    const int row = CellIndex / 7;
    Pic->setDrawMode(platform::XorPen);
    Pic->LineBoxFilled(column, row, column + 1, row + 1, core::Grey128);
}

void CalMain::Pic_MouseDown()
{
    // The grid takes no mouse input: a press selects and marks nothing.
}
