// The month page on screen: grid, weekday strip, day cells, heading labels
// and the today marker.
#include "calmain.h"

#include "core/monthlayout.h"
#include "core/names.h"
#include "core/numtext.h"
#include "platform/picturebox.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace {

constexpr const char *ShortWeekdays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

QString headingCaption(const QString &monthName, int32_t year)
{
    return monthName + u',' + core::PlainNumber(year);
}

} // namespace

void CalMain::Form_Paint()
{
    if (painting_)
        return; // a paint never starts another
    painting_ = true;
    ++paintCount_;
    Pic->Cls();
    Pic2->Cls();
    DrawGrid();
    DrawWeekdayHeader();
    if (HegOpt->isChecked())
        DrawHijriLedMonth(core::WholeNumber32(YearTXT->text()), core::WholeNumber32(MonthTXT->text()));
    if (GregOpt->isChecked())
        DrawGregLedMonth(core::WholeNumber32(YearTXT->text()), core::WholeNumber32(MonthTXT->text()));
    painting_ = false;
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
    const bool twoLetters = Pic2->TextWidth(QStringLiteral("WWW")) > 1;
    for (int i = 0; i <= 6; ++i) {
        QString name = QString::fromLatin1(ShortWeekdays[i]);
        if (twoLetters)
            name.truncate(2);
        Pic2->setCurrentX(i + 0.5 - Pic2->TextWidth(name) / 2);
        Pic2->setCurrentY(1 - Pic2->TextHeight(name));
        Pic2->Print(name);
    }
}

void CalMain::DrawGregLedMonth(int32_t Year, int32_t Month)
{
    const core::MonthLayout page = core::LayGregLedMonth(core::engine(), Year, Month);
    if (!page.valid) {
        clearHeadingLabels();
        return;
    }
    core::FillDayCells(core::DayCells, page, core::CellTextStyle::Screen);
    const core::DayCell &f = core::DayCells[page.FirstCell];
    const core::DayCell &l = core::DayCells[page.LastCell];
    setLabel(Heading, headingCaption(core::GregMonthName(f.GregMonth), f.GregYear), core::Black);
    setLabel(CurMonth, headingCaption(core::HijriMonthName(f.HijriMonth), f.HijriYear), f.HijriColor);
    setLabel(NextMonth, headingCaption(core::HijriMonthName(l.HijriMonth), l.HijriYear), l.HijriColor);
    MarkToday();
    for (int n = page.FirstCell; n <= page.LastCell; ++n) {
        const core::DayCell &c = core::DayCells[n];
        DrawDayCell(int16_t(n - 1), c.GregDayText, c.GregColor, c.HijriDayText, c.HijriColor);
    }
}

void CalMain::DrawHijriLedMonth(int32_t Year, int32_t Month)
{
    const core::MonthLayout page = core::LayHijriLedMonth(core::engine(), Year, Month);
    if (!page.valid) {
        clearHeadingLabels();
        return;
    }
    core::FillDayCells(core::DayCells, page, core::CellTextStyle::Screen);
    const core::DayCell &f = core::DayCells[page.FirstCell];
    const core::DayCell &l = core::DayCells[page.LastCell];
    setLabel(Heading, headingCaption(core::HijriMonthName(f.HijriMonth), f.HijriYear), core::Black);
    setLabel(CurMonth, headingCaption(core::GregMonthName(f.GregMonth), f.GregYear), f.GregColor);
    setLabel(NextMonth, headingCaption(core::GregMonthName(l.GregMonth), l.GregYear), l.GregColor);
    MarkToday();
    for (int n = page.FirstCell; n <= page.LastCell; ++n) {
        const core::DayCell &c = core::DayCells[n];
        DrawDayCell(int16_t(n - 1), c.HijriDayText, c.HijriColor, c.GregDayText, c.GregColor);
    }
}

void CalMain::DrawDayCell(int16_t CellIndex, const QString &LeadText, core::Colour LeadColor,
                          const QString &SecText, core::Colour SecColor)
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

void CalMain::MarkToday()
{
    const int32_t Month = core::WholeNumber32(MonthTXT->text());
    const int32_t Year = core::WholeNumber32(YearTXT->text());
    int32_t tDay, tMonth, tYear, w;
    if (GregOpt->isChecked()) {
        w = core::engine().WeekDayOf(Year, Month, 1);
        core::TodayGreg(tDay, tMonth, tYear);
    } else {
        core::TodayHijri(tDay, tMonth, tYear);
        const core::Ymd g = core::engine().HijriToGreg(tYear, tMonth, 1);
        w = core::engine().WeekDayOf(g.year, g.month, g.day);
    }
    if (tMonth != Month || tYear != Year)
        return;
    if (w < 0 || w > 6 || tDay < 1 || tDay > 31)
        return; // not a real month: the page shows its frame only
    int CellIndex = tDay + w - 1;
    if (GregOpt->isChecked() && core::isGregorianGapMonth(Year, Month) && tDay > 14)
        CellIndex -= 10; // the days 5 to 14 October 1582 take no cells
    const int column = CellIndex % 7;
    const int row = CellIndex / 7;
    Pic->setDrawMode(platform::XorPen);
    Pic->LineBoxFilled(column, row, column + 1, row + 1, core::Grey128);
}

void CalMain::Pic_MouseDown()
{
    // The grid takes no mouse input: a press selects and marks nothing.
}
