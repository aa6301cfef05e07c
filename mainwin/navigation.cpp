// Month and year navigation: the two boxes, their scroll bars and "Go".
#include "calmain.h"

#include "core/names.h"
#include "core/numtext.h"
#include "platform/messagebox.h"
#include "platform/scrollbar.h"

#include <QLineEdit>
#include <QRadioButton>

namespace {

const QString InputErrorTitle = QStringLiteral("Input Error ...");

void selectAll(QLineEdit *box)
{
    box->setSelection(0, int(box->text().size()));
}

// Rewrites a box as the plain text of its whole number.
void normalise(QLineEdit *box)
{
    const QString plain = core::PlainNumber(core::WholeNumber32(box->text()));
    if (box->text() != plain)
        box->setText(plain);
}

} // namespace

void CalMain::MonthTXT_GotFocus()
{
    MonthEditing = true;
    selectAll(MonthTXT);
}

void CalMain::YearTXT_GotFocus()
{
    YearEditing = true;
    selectAll(YearTXT);
}

bool CalMain::CheckMonthTXT()
{
    const int16_t month = core::WholeNumber16(MonthTXT->text());
    return month >= 1 && month <= 12;
}

bool CalMain::CheckYearTXT()
{
    const int16_t year = core::WholeNumber16(YearTXT->text());
    if (!HegOpt->isChecked())
        return year >= 622 && year <= 2562;
    return year >= 1 && year <= 2000;
}

bool CalMain::CheckMonthYear(int32_t month, int32_t year)
{
    if (GregOpt->isChecked()) {
        if (year == 1582 && month == 10)
            return false;
        return (year > 622 && year < 2562) || (year == 622 && month >= 7) || (year == 2562 && month <= 1);
    }
    if (year == 990 && month == 9)
        return false;
    return (year > 1 && year < 2000) || (year == 1 && month >= 1) || (year == 2000 && month <= 1);
}

// Puts today's month and year of the leading calendar into both boxes.
static void todayOfLeadingCalendar(bool hijri, int32_t &month, int32_t &year)
{
    int32_t day;
    if (hijri)
        core::TodayHijri(day, month, year);
    else
        core::TodayGreg(day, month, year);
}

void CalMain::MonthTXT_LostFocus()
{
    normalise(MonthTXT);
    if (!CheckMonthTXT()) {
        platform::showCriticalMessage(this, QStringLiteral("Your Month is out of range"), InputErrorTitle);
        int32_t month, year;
        todayOfLeadingCalendar(HegOpt->isChecked(), month, year);
        YearTXT->setText(core::PlainNumber(year));
        MonthTXT->setText(core::PlainNumber(month));
    }
    YearScroll->setValue(core::WholeNumber16(YearTXT->text()));
    MonthScroll->setValue(core::WholeNumber16(MonthTXT->text()));
}

void CalMain::YearTXT_LostFocus()
{
    normalise(YearTXT);
    if (!CheckYearTXT()) {
        platform::showCriticalMessage(this, QStringLiteral("Your Year is out of range"), InputErrorTitle);
        int32_t month, year;
        todayOfLeadingCalendar(HegOpt->isChecked(), month, year);
        YearTXT->setText(core::PlainNumber(year));
        MonthTXT->setText(core::PlainNumber(month));
    }
    YearScroll->setValue(core::WholeNumber16(YearTXT->text()));
    MonthScroll->setValue(core::WholeNumber16(MonthTXT->text()));
}

// While the box is being edited the box is the source of truth: an
// out-of-range text is pulled to the nearer end of the bar first.
static void followBox(QLineEdit *box, platform::VScrollBar *bar, bool &editing, bool valid)
{
    if (!editing) {
        const QString text = core::PlainNumber(bar->Value());
        if (box->text() != text)
            box->setText(text);
        return;
    }
    if (!valid) {
        const double typed = core::ValOf(box->text());
        if (typed > bar->Max())
            box->setText(core::PlainNumber(bar->Max()));
        if (core::ValOf(box->text()) < bar->Min())
            box->setText(core::PlainNumber(bar->Min()));
    }
    bar->setValue(core::WholeNumber16(box->text()));
    editing = false;
}

void CalMain::MonthScroll_Change()
{
    followBox(MonthTXT, MonthScroll, MonthEditing, MonthEditing && CheckMonthTXT());
}

void CalMain::YearScroll_Change()
{
    followBox(YearTXT, YearScroll, YearEditing, YearEditing && CheckYearTXT());
}

void CalMain::GoCMD_Click()
{
    const int32_t month = core::WholeNumber32(MonthTXT->text());
    const int32_t year = core::WholeNumber32(YearTXT->text());
    if (CheckMonthYear(month, year)) {
        Form_Paint();
        return;
    }
    platform::showCriticalMessage(this, QStringLiteral("Your date is out of range"), InputErrorTitle);
    int32_t todayMonth, todayYear;
    todayOfLeadingCalendar(HegOpt->isChecked(), todayMonth, todayYear);
    MonthTXT->setText(core::PlainNumber(todayMonth));
    YearTXT->setText(core::PlainNumber(todayYear));
    MonthScroll->setValue(core::WholeNumber16(MonthTXT->text()));
    YearScroll->setValue(core::WholeNumber16(YearTXT->text()));
}
