#include "calconv.h"

#include "core/conversion.h"
#include "core/names.h"
#include "core/numtext.h"
#include "platform/accessibility.h"
#include "platform/controltable.h"
#include "platform/messagebox.h"
#include "platform/programicon.h"
#include "platform/textbox.h"
#include "platform/window.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <cmath>
#include <limits>
#include <optional>

namespace {

constexpr int ClientWidthTwips = 7485;
constexpr int ClientHeightTwips = 3915;

const QString RefusedTitle = QStringLiteral("Input Error.....");

using enum platform::ControlKind;
using platform::Border;
using platform::MiddleLeft;
using platform::MiddleRight;
using platform::WindowFont;

// The dialog's controls, in twips. The headings' places are narrower than
// their captions at their size: the closing " :" stays out of sight, as it
// always has. Captions on a row of boxes and the outputs' numbers stand on
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
    {&CalConv::InYearTXT, "InYearTXT", TextBox, nullptr, 960, 1080, 735, 375, 8, WindowFont, {}, Border::None,
     u"Input year", u"The year of the date to convert"},
    {&CalConv::ToHegiry, "ToHegiry", PushButton, u"To Hijri", 2880, 1080, 1455, 375, 14, WindowFont, {},
     Border::None, nullptr, u"Converts the input date from the Gregorian to the Hijri calendar"},
    {&CalConv::Label6, "Label6", Label, u"Year", 5280, 1080, 615, 375, 5, WindowFont, MiddleLeft, Border::None,
     nullptr, u"Caption of the converted year"},
    {&CalConv::OutYearTXT, "OutYearTXT", Label, nullptr, 6000, 1080, 735, 375, 11, WindowFont, MiddleRight,
     Border::Single, u"Converted year", u"The year of the converted date"},
    {&CalConv::Label4, "Label4", Label, u"Month", 240, 1800, 615, 375, 3, WindowFont, MiddleLeft, Border::None,
     nullptr, u"Caption of the input month"},
    {&CalConv::InMonthTXT, "InMonthTXT", TextBox, nullptr, 960, 1800, 735, 375, 9, WindowFont, {}, Border::None,
     u"Input month", u"The month of the date to convert, 1 to 12"},
    {&CalConv::ToGreg, "ToGreg", PushButton, u"To Greg/Chris", 2880, 1800, 1455, 375, 15, WindowFont, {},
     Border::None, nullptr, u"Converts the input date from the Hijri to the Gregorian calendar"},
    {&CalConv::Label7, "Label7", Label, u"Month", 5280, 1800, 615, 375, 6, WindowFont, MiddleLeft, Border::None,
     nullptr, u"Caption of the converted month"},
    {&CalConv::OutMonthTXT, "OutMonthTXT", Label, nullptr, 6000, 1800, 735, 375, 12, WindowFont, MiddleRight,
     Border::Single, u"Converted month", u"The month of the converted date"},
    {&CalConv::Label5, "Label5", Label, u"Day", 240, 2520, 615, 375, 4, WindowFont, MiddleLeft, Border::None,
     nullptr, u"Caption of the input day"},
    {&CalConv::InDayTXT, "InDayTXT", TextBox, nullptr, 960, 2520, 735, 375, 10, WindowFont, {}, Border::None,
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

// The box's whole number, or nothing when it lies beyond the 32-bit range:
// such a number is never clamped into a date the engine might accept.
std::optional<int32_t> wholeNumberOf(const QLineEdit *box)
{
    const double rounded = std::nearbyint(core::ValOf(box->text()));
    if (!(rounded >= std::numeric_limits<int32_t>::min() && rounded <= std::numeric_limits<int32_t>::max()))
        return std::nullopt;
    return core::WholeNumber32(box->text());
}

// Rewrites the box as its plain number. A number beyond the 32-bit range
// stays as typed, so that the conversion refuses it instead of a clamped
// neighbour.
void rewriteAsPlainNumber(QLineEdit *box)
{
    const std::optional<int32_t> number = wholeNumberOf(box);
    if (!number)
        return;
    platform::writeNumber(box, *number);
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
    platform::describe(
        this, QStringLiteral("Converts a date between the Gregorian and the Hijri calendars and names its weekday"));
    InYearTXT->setFocus();

    for (QLineEdit *box : {InYearTXT, InMonthTXT, InDayTXT})
        box->installEventFilter(this);
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

void CalConv::InDayTXT_GotFocus() { platform::selectWholeTextOnFocus(InDayTXT); }
void CalConv::InMonthTXT_GotFocus() { platform::selectWholeTextOnFocus(InMonthTXT); }
void CalConv::InYearTXT_GotFocus() { platform::selectWholeTextOnFocus(InYearTXT); }

void CalConv::InDayTXT_LostFocus() { rewriteAsPlainNumber(InDayTXT); }
void CalConv::InMonthTXT_LostFocus() { rewriteAsPlainNumber(InMonthTXT); }
void CalConv::InYearTXT_LostFocus() { rewriteAsPlainNumber(InYearTXT); }

bool CalConv::readInputDate(core::Ymd &date) const
{
    const std::optional<int32_t> day = wholeNumberOf(InDayTXT);
    const std::optional<int32_t> month = wholeNumberOf(InMonthTXT);
    const std::optional<int32_t> year = wholeNumberOf(InYearTXT);
    if (!day || !month || !year)
        return false;
    date = core::Ymd{*year, *month, *day};
    return true;
}

void CalConv::ToHegiry_Click()
{
    core::Ymd gregorian;
    const auto hijri = readInputDate(gregorian) ? core::ConvertGregToHijri(gregorian) : std::nullopt;
    if (!hijri) {
        refuseDate();
        return;
    }
    showConversion(*hijri);
    describeConversion(*this, core::HijriMonthName(hijri->date.month));
}

void CalConv::ToGreg_Click()
{
    core::Ymd hijri;
    const auto gregorian = readInputDate(hijri) ? core::ConvertHijriToGreg(hijri) : std::nullopt;
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

// A box's own context menu takes the focus only for a moment: the box is
// neither rewritten nor reselected under the user's hands.
static bool isPopupFocusChange(QEvent *event)
{
    return static_cast<QFocusEvent *>(event)->reason() == Qt::PopupFocusReason;
}

bool CalConv::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if ((type == QEvent::FocusIn || type == QEvent::FocusOut) && isPopupFocusChange(event))
        return platform::Form::eventFilter(watched, event);
    if (type == QEvent::FocusIn) {
        if (watched == InDayTXT)
            InDayTXT_GotFocus();
        else if (watched == InMonthTXT)
            InMonthTXT_GotFocus();
        else if (watched == InYearTXT)
            InYearTXT_GotFocus();
    } else if (type == QEvent::FocusOut) {
        if (watched == InDayTXT)
            InDayTXT_LostFocus();
        else if (watched == InMonthTXT)
            InMonthTXT_LostFocus();
        else if (watched == InYearTXT)
            InYearTXT_LostFocus();
    }
    return platform::Form::eventFilter(watched, event);
}

// Enter in a box moves on to the next control, so the box is rewritten as
// it is left; Enter on a button presses it.
void CalConv::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enter || (event->modifiers() & ~Qt::KeypadModifier)) {
        platform::Form::keyPressEvent(event);
        return;
    }
    QWidget *focused = focusWidget();
    if (auto *button = qobject_cast<QPushButton *>(focused))
        button->click();
    else if (qobject_cast<QLineEdit *>(focused))
        focusNextChild();
    event->accept();
}

void CalConv::reject() { ToExit->click(); }
