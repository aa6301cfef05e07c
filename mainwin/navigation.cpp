// Month and year navigation: the two boxes, their scroll bars and "Go".
#include "calmain.h"

#include "core/dateranges.h"
#include "core/names.h"
#include "core/numtext.h"
#include "platform/messagebox.h"
#include "platform/scrollbar.h"
#include "platform/numberbox.h"

#include <QApplication>
#include <QRadioButton>

namespace {

const QString InputErrorTitle = QStringLiteral("Input Error ...");
const QString MonthOutOfRange = QStringLiteral("Your Month is out of range");
const QString YearOutOfRange = QStringLiteral("Your Year is out of range");
const QString DateOutOfRange = QStringLiteral("Your date is out of range");

using Check = bool (CalMain::*)();

void setBarFromBox(platform::VScrollBar *bar, const platform::NumberBox *box) { bar->setValue(core::WholeNumber16(box->text())); }

struct MonthYear {
    int32_t month;
    int32_t year;
};

MonthYear todayInLeadingCalendar(const CalMain &w)
{
    int32_t day;
    MonthYear today{};
    if (w.HegOpt->isChecked())
        core::TodayHijri(day, today.month, today.year);
    else
        core::TodayGreg(day, today.month, today.year);
    return today;
}

// Leaving a box: its text becomes its plain number; a number its own check
// refuses brings today's month and year of the leading calendar back into
// both boxes. Either way the bars then follow the boxes.
void leaveBox(CalMain &w, platform::NumberBox *box, Check check, const QString &refusal)
{
    box->rewriteAsWholeNumber();
    if (!(w.*check)()) {
        platform::showCriticalMessage(&w, refusal, InputErrorTitle);
        const MonthYear today = todayInLeadingCalendar(w);
        w.YearTXT->writeNumber(today.year);
        w.MonthTXT->writeNumber(today.month);
    }
    setBarFromBox(w.YearScroll, w.YearTXT);
    setBarFromBox(w.MonthScroll, w.MonthTXT);
}

// A bar moved. Normally the box shows the bar's value; while the box is
// being edited the box is the source of truth instead: a number its check
// refuses is pulled to the nearer end of the bar, and the bar is set back to
// the box. Setting the bar may run this again at once, with the flag still
// set; that run finds the same number and clears the flag.
void barChanged(CalMain &w, platform::VScrollBar *bar, platform::NumberBox *box, bool &editing, Check check)
{
    if (!editing) {
        box->writeNumber(bar->Value());
        return;
    }
    if (!(w.*check)()) {
        if (core::ValOf(box->text()) > bar->Max())
            box->writeNumber(bar->Max());
        if (core::ValOf(box->text()) < bar->Min())
            box->writeNumber(bar->Min());
    }
    setBarFromBox(bar, box);
    editing = false;
}

} // namespace

// The box has selected its text by itself.
void CalMain::MonthTXT_GotFocus() { MonthEditing = true; }
void CalMain::YearTXT_GotFocus() { YearEditing = true; }

void CalMain::MonthTXT_LostFocus() { leaveBox(*this, MonthTXT, &CalMain::CheckMonthTXT, MonthOutOfRange); }

void CalMain::YearTXT_LostFocus() { leaveBox(*this, YearTXT, &CalMain::CheckYearTXT, YearOutOfRange); }

void CalMain::MonthScroll_Change() { barChanged(*this, MonthScroll, MonthTXT, MonthEditing, &CalMain::CheckMonthTXT); }

void CalMain::YearScroll_Change() { barChanged(*this, YearScroll, YearTXT, YearEditing, &CalMain::CheckYearTXT); }

// Only "Go" checks the month and year together; the page is redrawn only
// when they pass.
void CalMain::GoCMD_Click()
{
    const int32_t month = MonthTXT->wholeNumber();
    const int32_t year = YearTXT->wholeNumber();
    if (CheckMonthYear(month, year)) {
        Form_Paint();
        return;
    }
    platform::showCriticalMessage(this, DateOutOfRange, InputErrorTitle);
    const MonthYear today = todayInLeadingCalendar(*this);
    MonthTXT->writeNumber(today.month);
    YearTXT->writeNumber(today.year);
    setBarFromBox(MonthScroll, MonthTXT);
    setBarFromBox(YearScroll, YearTXT);
}

bool CalMain::CheckMonthTXT() { return core::isMonthNumber(core::WholeNumber16(MonthTXT->text())); }

bool CalMain::CheckYearTXT()
{
    const int16_t year = core::WholeNumber16(YearTXT->text());
    return core::yearInRange(HegOpt->isChecked() ? core::Lead::Hijri : core::Lead::Gregorian, year);
}

// The whole range of the leading calendar. The month is not checked against
// 1 to 12 here: its box did that when it lost the focus.
bool CalMain::CheckMonthYear(int32_t month, int32_t year)
{
    return core::goShowsMonth(GregOpt->isChecked() ? core::Lead::Gregorian : core::Lead::Hijri, {year, month});
}
