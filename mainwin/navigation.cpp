// Month and year navigation: the two boxes, their scroll bars and "Go".
#include "calmain.h"

#include "core/dateranges.h"
#include "core/messages.h"
#include "core/names.h"
#include "core/numtext.h"
#include "platform/controls/messagebox.h"

namespace {

void setBarFromBox(platform::VScrollBar *bar, const platform::NumberBox *box)
{
    bar->setValue(core::WholeNumber16(box->text()));
}

core::Failure inputError(const QString &text) { return {text, core::messages::MainInputTitle}; }

} // namespace

// Leaving a box: its text becomes its plain number; a number its own check
// refuses brings today's month and year of the leading calendar back into
// both boxes. Either way the bars then follow the boxes.
void CalMain::leaveBox(platform::NumberBox *box, bool (CalMain::*check)(), const QString &refusal)
{
    box->rewriteAsWholeNumber();
    if (!(this->*check)()) {
        platform::showFailure(this, inputError(refusal));
        const core::Ymd today = core::TodayIn(core::leadingCalendar());
        YearTXT->writeNumber(today.year);
        MonthTXT->writeNumber(today.month);
    }
    setBarFromBox(YearScroll, YearTXT);
    setBarFromBox(MonthScroll, MonthTXT);
}

// A bar moved. Normally the box shows the bar's value; while the box is
// being edited the box is the source of truth instead: a number its check
// refuses is pulled to the nearer end of the bar, and the bar is set back to
// the box. Setting the bar may run this again at once, with the flag still
// set; that run finds the same number and clears the flag.
void CalMain::barChanged(platform::VScrollBar *bar, platform::NumberBox *box, bool &editing, bool (CalMain::*check)())
{
    if (!editing) {
        box->writeNumber(bar->Value());
        return;
    }
    if (!(this->*check)()) {
        if (core::ValOf(box->text()) > bar->Max())
            box->writeNumber(bar->Max());
        if (core::ValOf(box->text()) < bar->Min())
            box->writeNumber(bar->Min());
    }
    setBarFromBox(bar, box);
    editing = false;
}

// The box has selected its text by itself.
void CalMain::MonthTXT_GotFocus() { MonthEditing = true; }
void CalMain::YearTXT_GotFocus() { YearEditing = true; }

void CalMain::MonthTXT_LostFocus() { leaveBox(MonthTXT, &CalMain::CheckMonthTXT, core::messages::MonthOutOfRange); }
void CalMain::YearTXT_LostFocus() { leaveBox(YearTXT, &CalMain::CheckYearTXT, core::messages::YearOutOfRange); }

void CalMain::MonthScroll_Change() { barChanged(MonthScroll, MonthTXT, MonthEditing, &CalMain::CheckMonthTXT); }
void CalMain::YearScroll_Change() { barChanged(YearScroll, YearTXT, YearEditing, &CalMain::CheckYearTXT); }

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
    platform::showFailure(this, inputError(core::messages::DateOutOfRange));
    const core::Ymd today = core::TodayIn(core::leadingCalendar());
    MonthTXT->writeNumber(today.month);
    YearTXT->writeNumber(today.year);
    setBarFromBox(MonthScroll, MonthTXT);
    setBarFromBox(YearScroll, YearTXT);
}

bool CalMain::CheckMonthTXT() { return core::isMonthNumber(core::WholeNumber16(MonthTXT->text())); }

bool CalMain::CheckYearTXT()
{
    return core::yearInRange(core::leadingCalendar(), core::WholeNumber16(YearTXT->text()));
}

// The whole range of the leading calendar. The month is not checked against
// 1 to 12 here: its box did that when it lost the focus.
bool CalMain::CheckMonthYear(int32_t month, int32_t year)
{
    return core::goShowsMonth(core::leadingCalendar(), {year, month});
}
