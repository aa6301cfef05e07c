#include "calconv.h"

#include "core/names.h"
#include "core/numtext.h"
#include "platform/accessibility/accessibility.h"
#include "platform/controls/messagebox.h"
#include "platform/drawing/programicon.h"

#include <algorithm>

namespace {

constexpr int ClientWidthTwips = 7485;
constexpr int ClientHeightTwips = 3915;

// The headings keep their designed left edge and top and take the width
// their text needs, within the client area.
void fitHeadings(std::initializer_list<QLabel *> headings)
{
    for (QLabel *heading : headings) {
        const int room = heading->parentWidget()->width() - heading->x();
        const int needed = heading->sizeHint().width();
        if (needed > heading->width())
            heading->resize(std::min(needed, room), heading->height());
    }
}

} // namespace

// The dialog's controls, in twips. The headings' designed places are
// narrower than their captions at their size: they grow to their text (see
// fitHeadings). Captions on a row of boxes and the outputs' numbers stand on
// the middle of the row's height, like the boxes' own texts.
std::span<const platform::Control<CalConv>> CalConv::controlTable()
{
    using enum platform::ControlKind;
    using platform::Border;
    using platform::MiddleLeft;
    using platform::MiddleRight;
    // clang-format off
    static const platform::Control<CalConv> table[] = {
        {CONTROL(CalConv, Label1), .kind = Label, .place = {120, 360, 1815, 495}, .tabIndex = 0,
         .caption = u"Input date :", .font = platform::arialBold(18), .alignment = platform::TopLeft,
         .description = u"Heading of the date to convert"},
        {CONTROL(CalConv, Label2), .kind = Label, .place = {5160, 360, 2055, 495}, .tabIndex = 1,
         .caption = u"Output Date :", .font = platform::arialBold(18), .alignment = platform::TopLeft,
         .description = u"Heading of the converted date"},
        {CONTROL(CalConv, Label3), .kind = Label, .place = {240, 1080, 615, 375}, .tabIndex = 2, .caption = u"Year",
         .alignment = MiddleLeft, .description = u"Caption of the input year"},
        {CONTROL(CalConv, InYearTXT), .kind = NumberBox, .place = {960, 1080, 735, 375}, .tabIndex = 8,
         .spokenName = u"Input year", .description = u"The year of the date to convert"},
        {CONTROL(CalConv, ToHegiry), .kind = PushButton, .place = {2880, 1080, 1455, 375}, .tabIndex = 14,
         .caption = u"To Hijri", .description = u"Converts the input date from the Gregorian to the Hijri calendar"},
        {CONTROL(CalConv, Label6), .kind = Label, .place = {5280, 1080, 615, 375}, .tabIndex = 5, .caption = u"Year",
         .alignment = MiddleLeft, .description = u"Caption of the converted year"},
        {CONTROL(CalConv, OutYearTXT), .kind = Label, .place = {6000, 1080, 735, 375}, .tabIndex = 11,
         .alignment = MiddleRight, .border = Border::Single, .spokenName = u"Converted year",
         .description = u"The year of the converted date"},
        {CONTROL(CalConv, Label4), .kind = Label, .place = {240, 1800, 615, 375}, .tabIndex = 3, .caption = u"Month",
         .alignment = MiddleLeft, .description = u"Caption of the input month"},
        {CONTROL(CalConv, InMonthTXT), .kind = NumberBox, .place = {960, 1800, 735, 375}, .tabIndex = 9,
         .spokenName = u"Input month", .description = u"The month of the date to convert, 1 to 12"},
        {CONTROL(CalConv, ToGreg), .kind = PushButton, .place = {2880, 1800, 1455, 375}, .tabIndex = 15,
         .caption = u"To Greg/Chris", .description = u"Converts the input date from the Hijri to the Gregorian calendar"},
        {CONTROL(CalConv, Label7), .kind = Label, .place = {5280, 1800, 615, 375}, .tabIndex = 6, .caption = u"Month",
         .alignment = MiddleLeft, .description = u"Caption of the converted month"},
        {CONTROL(CalConv, OutMonthTXT), .kind = Label, .place = {6000, 1800, 735, 375}, .tabIndex = 12,
         .alignment = MiddleRight, .border = Border::Single, .spokenName = u"Converted month",
         .description = u"The month of the converted date"},
        {CONTROL(CalConv, Label5), .kind = Label, .place = {240, 2520, 615, 375}, .tabIndex = 4, .caption = u"Day",
         .alignment = MiddleLeft, .description = u"Caption of the input day"},
        {CONTROL(CalConv, InDayTXT), .kind = NumberBox, .place = {960, 2520, 735, 375}, .tabIndex = 10,
         .spokenName = u"Input day", .description = u"The day of the date to convert"},
        {CONTROL(CalConv, ToExit), .kind = PushButton, .place = {2880, 2520, 1455, 375}, .tabIndex = 16,
         .caption = u"Exit", .description = u"Hides the dialog; it keeps its dates for the next opening"},
        {CONTROL(CalConv, Label8), .kind = Label, .place = {5280, 2520, 615, 375}, .tabIndex = 7, .caption = u"Day",
         .alignment = MiddleLeft, .description = u"Caption of the converted day"},
        {CONTROL(CalConv, OutDayTXT), .kind = Label, .place = {6000, 2520, 735, 375}, .tabIndex = 13,
         .alignment = MiddleRight, .border = Border::Single, .spokenName = u"Converted day",
         .description = u"The day of the converted date"},
        {CONTROL(CalConv, ToWeekDay), .kind = Label, .place = {2520, 3240, 2175, 375}, .tabIndex = 17,
         .font = platform::arialRegular(13.5), .alignment = platform::TopCentred, .spokenName = u"Converted date",
         .description = u"The converted date with its weekday, read as one sentence"},
    };
    // clang-format on
    return table;
}

CalConv::CalConv(QWidget *parent)
    : platform::Form(parent, QStringLiteral("Conversion"), ClientWidthTwips, ClientHeightTwips)
{
    setObjectName(QStringLiteral("CalConv"));
    setWindowIcon(platform::programIcon());
    platform::buildControls(*this, this, controlTable());
    fitHeadings({Label1, Label2});
    setEscapeButton(ToExit);
    platform::describe(
        this, QStringLiteral("Converts a date between the Gregorian and the Hijri calendars and names its weekday"));
    InYearTXT->setFocus();

    connect(InYearTXT, &platform::NumberBox::left, this, &CalConv::InYearTXT_LostFocus);
    connect(InMonthTXT, &platform::NumberBox::left, this, &CalConv::InMonthTXT_LostFocus);
    connect(InDayTXT, &platform::NumberBox::left, this, &CalConv::InDayTXT_LostFocus);
    connect(ToHegiry, &QPushButton::clicked, this, &CalConv::ToHegiry_Click);
    connect(ToGreg, &QPushButton::clicked, this, &CalConv::ToGreg_Click);
    connect(ToExit, &QPushButton::clicked, this, &CalConv::ToExit_Click);
    Form_Load();
}

void CalConv::Form_Load()
{
    platform::centreOnScreen(this);
    InDayTXT->setText(QStringLiteral("1"));
    InMonthTXT->setText(QStringLiteral("1"));
    InYearTXT->setText(QStringLiteral("1"));
}

// A number beyond the 32-bit range is written back as the nearer limit,
// which no date has: the conversion then refuses it.
void CalConv::InDayTXT_LostFocus() { InDayTXT->rewriteAsWholeNumber(); }
void CalConv::InMonthTXT_LostFocus() { InMonthTXT->rewriteAsWholeNumber(); }
void CalConv::InYearTXT_LostFocus() { InYearTXT->rewriteAsWholeNumber(); }

core::Ymd CalConv::readInputDate() const
{
    return core::Ymd{InYearTXT->wholeNumber(), InMonthTXT->wholeNumber(), InDayTXT->wholeNumber()};
}

void CalConv::ToHegiry_Click() { showConversion(core::ConvertGregToHijri(readInputDate()), core::Lead::Hijri); }

void CalConv::ToGreg_Click() { showConversion(core::ConvertHijriToGreg(readInputDate()), core::Lead::Gregorian); }

void CalConv::ToExit_Click() { hide(); }

// Screen readers hear the outputs as one sentence on the weekday line
// ("Tuesday 9 Muharram 1446"), and each output box with its number.
void CalConv::showConversion(const core::Result<core::ConvertedDate> &converted, core::Lead calendar)
{
    if (!converted) {
        platform::showFailure(this, converted.failure());
        return;
    }
    OutYearTXT->setText(core::PlainNumber(converted->date.year));
    OutMonthTXT->setText(core::PlainNumber(converted->date.month));
    OutDayTXT->setText(core::PlainNumber(converted->date.day));
    ToWeekDay->setText(converted->weekday);
    platform::rename(ToWeekDay,
                     ToWeekDay->text() + u' ' + OutDayTXT->text() + u' '
                         + core::MonthName(calendar, converted->date.month) + u' ' + OutYearTXT->text());
    platform::rename(OutYearTXT, QStringLiteral("Converted year ") + OutYearTXT->text());
    platform::rename(OutMonthTXT, QStringLiteral("Converted month ") + OutMonthTXT->text());
    platform::rename(OutDayTXT, QStringLiteral("Converted day ") + OutDayTXT->text());
}
