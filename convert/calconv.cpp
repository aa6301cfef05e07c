#include "calconv.h"

#include "core/conversion.h"
#include "core/names.h"
#include "core/numtext.h"
#include "platform/accessibility.h"
#include "platform/controltable.h"
#include "platform/messagebox.h"
#include "platform/programicon.h"
#include "platform/numberbox.h"
#include "platform/window.h"

#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace {

constexpr int ClientWidthTwips = 7485;
constexpr int ClientHeightTwips = 3915;

const QString RefusedTitle = QStringLiteral("Input Error.....");

using enum platform::ControlKind;
using platform::Border;
using platform::MiddleLeft;
using platform::MiddleRight;
using platform::WindowFont;

// The dialog's controls, in twips. The headings' designed places are
// narrower than their captions at their size: they grow to their text (see
// fitHeadings). Captions on a row of boxes and the outputs' numbers stand on
// the middle of the row's height, like the boxes' own texts.
// One row per control, as the design lists them.
// clang-format off
const platform::Control<CalConv> Controls[] = {
    // member, name, kind, caption, left, top, width, height, tab index, font, alignment, border,
    // accessible name (null: its own text), description
    {&CalConv::Label1, "Label1", Label, u"Input date :", 120, 360, 1815, 495, 0, platform::arialBold(18),
     platform::TopLeft, Border::None, nullptr, u"Heading of the date to convert"},
    {&CalConv::Label2, "Label2", Label, u"Output Date :", 5160, 360, 2055, 495, 1, platform::arialBold(18),
     platform::TopLeft, Border::None, nullptr, u"Heading of the converted date"},
    {&CalConv::Label3, "Label3", Label, u"Year", 240, 1080, 615, 375, 2, WindowFont, MiddleLeft, Border::None,
     nullptr, u"Caption of the input year"},
    {&CalConv::InYearTXT, "InYearTXT", NumberBox, nullptr, 960, 1080, 735, 375, 8, WindowFont, {}, Border::None,
     u"Input year", u"The year of the date to convert"},
    {&CalConv::ToHegiry, "ToHegiry", PushButton, u"To Hijri", 2880, 1080, 1455, 375, 14, WindowFont, {},
     Border::None, nullptr, u"Converts the input date from the Gregorian to the Hijri calendar"},
    {&CalConv::Label6, "Label6", Label, u"Year", 5280, 1080, 615, 375, 5, WindowFont, MiddleLeft, Border::None,
     nullptr, u"Caption of the converted year"},
    {&CalConv::OutYearTXT, "OutYearTXT", Label, nullptr, 6000, 1080, 735, 375, 11, WindowFont, MiddleRight,
     Border::Single, u"Converted year", u"The year of the converted date"},
    {&CalConv::Label4, "Label4", Label, u"Month", 240, 1800, 615, 375, 3, WindowFont, MiddleLeft, Border::None,
     nullptr, u"Caption of the input month"},
    {&CalConv::InMonthTXT, "InMonthTXT", NumberBox, nullptr, 960, 1800, 735, 375, 9, WindowFont, {}, Border::None,
     u"Input month", u"The month of the date to convert, 1 to 12"},
    {&CalConv::ToGreg, "ToGreg", PushButton, u"To Greg/Chris", 2880, 1800, 1455, 375, 15, WindowFont, {},
     Border::None, nullptr, u"Converts the input date from the Hijri to the Gregorian calendar"},
    {&CalConv::Label7, "Label7", Label, u"Month", 5280, 1800, 615, 375, 6, WindowFont, MiddleLeft, Border::None,
     nullptr, u"Caption of the converted month"},
    {&CalConv::OutMonthTXT, "OutMonthTXT", Label, nullptr, 6000, 1800, 735, 375, 12, WindowFont, MiddleRight,
     Border::Single, u"Converted month", u"The month of the converted date"},
    {&CalConv::Label5, "Label5", Label, u"Day", 240, 2520, 615, 375, 4, WindowFont, MiddleLeft, Border::None,
     nullptr, u"Caption of the input day"},
    {&CalConv::InDayTXT, "InDayTXT", NumberBox, nullptr, 960, 2520, 735, 375, 10, WindowFont, {}, Border::None,
     u"Input day", u"The day of the date to convert"},
    {&CalConv::ToExit, "ToExit", PushButton, u"Exit", 2880, 2520, 1455, 375, 16, WindowFont, {}, Border::None,
     nullptr, u"Hides the dialog; it keeps its dates for the next opening"},
    {&CalConv::Label8, "Label8", Label, u"Day", 5280, 2520, 615, 375, 7, WindowFont, MiddleLeft, Border::None,
     nullptr, u"Caption of the converted day"},
    {&CalConv::OutDayTXT, "OutDayTXT", Label, nullptr, 6000, 2520, 735, 375, 13, WindowFont, MiddleRight,
     Border::Single, u"Converted day", u"The day of the converted date"},
    {&CalConv::ToWeekDay, "ToWeekDay", Label, nullptr, 2520, 3240, 2175, 375, 17, platform::arialRegular(13.5),
     platform::TopCentred, Border::None, u"Converted date",
     u"The converted date with its weekday, read as one sentence"},
};
// clang-format on

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

// Screen readers hear the outputs as one sentence on the weekday line
// ("Tuesday 9 Muharram 1446"), and each output box with its number.
void describeConversion(CalConv &d, const QString &monthName)
{
    const QString sentence
        = d.ToWeekDay->text() + u' ' + d.OutDayTXT->text() + u' ' + monthName + u' ' + d.OutYearTXT->text();
    platform::rename(d.ToWeekDay, sentence);
    platform::rename(d.OutYearTXT, QStringLiteral("Converted year ") + d.OutYearTXT->text());
    platform::rename(d.OutMonthTXT, QStringLiteral("Converted month ") + d.OutMonthTXT->text());
    platform::rename(d.OutDayTXT, QStringLiteral("Converted day ") + d.OutDayTXT->text());
}

} // namespace

CalConv::CalConv(QWidget *parent)
    : platform::Form(parent, QStringLiteral("Conversion"), ClientWidthTwips, ClientHeightTwips)
{
    setObjectName(QStringLiteral("CalConv"));
    setWindowIcon(platform::programIcon());
    createControls();
    Form_Load();
}

void CalConv::createControls()
{
    platform::buildControls(*this, this, Controls);
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

void CalConv::ToHegiry_Click()
{
    const auto hijri = core::ConvertGregToHijri(readInputDate());
    if (!hijri) {
        refuseDate();
        return;
    }
    showConversion(*hijri);
    describeConversion(*this, core::HijriMonthName(hijri->date.month));
}

void CalConv::ToGreg_Click()
{
    const auto gregorian = core::ConvertHijriToGreg(readInputDate());
    if (!gregorian) {
        refuseDate();
        return;
    }
    showConversion(*gregorian);
    describeConversion(*this, core::GregMonthName(gregorian->date.month));
}

void CalConv::ToExit_Click() { hide(); }

void CalConv::showConversion(const core::ConvertedDate &converted)
{
    OutYearTXT->setText(core::PlainNumber(converted.date.year));
    OutMonthTXT->setText(core::PlainNumber(converted.date.month));
    OutDayTXT->setText(core::PlainNumber(converted.date.day));
    ToWeekDay->setText(converted.weekday);
}

// The outputs keep what they showed; which part of the date was wrong is
// not told.
void CalConv::refuseDate() { platform::showCriticalMessage(this, core::DateRefusedText, RefusedTitle); }
