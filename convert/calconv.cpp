#include "calconv.h"

#include "core/conversion.h"
#include "core/names.h"
#include "core/numtext.h"
#include "platform/accessibility.h"
#include "platform/messagebox.h"
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

using platform::place;

namespace {

constexpr int ClientWidthTwips = 7485;
constexpr int ClientHeightTwips = 3915;

const QString RefusedTitle = QStringLiteral("Input Error.....");

// The headings' places are narrower than their captions at this size: the
// closing " :" stays out of sight, as it always has.
QLabel *makeHeading(QWidget *parent, const char *name, const QString &caption)
{
    QLabel *label = platform::makeLabel(parent, name, caption, Qt::AlignLeft | Qt::AlignTop);
    label->setFont(platform::arialFont(18, true));
    return label;
}

// A caption on a row of boxes: centred on the row's height like the boxes'
// own texts.
QLabel *makeRowCaption(QWidget *parent, const char *name, const QString &caption)
{
    return platform::makeLabel(parent, name, caption, Qt::AlignLeft | Qt::AlignVCenter);
}

// An output: a framed label whose number stands at its right edge.
QLabel *makeOutput(QWidget *parent, const char *name)
{
    QLabel *label = platform::makeLabel(parent, name, {}, Qt::AlignRight | Qt::AlignVCenter);
    label->setFrameStyle(QFrame::Box | QFrame::Plain);
    label->setLineWidth(1);
    label->setMargin(2);
    return label;
}

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

void describeControls(CalConv &d)
{
    using platform::describe;
    describe(&d, QStringLiteral("Converts a date between the Gregorian and the Hijri calendars and names its weekday"));
    describe(d.Label1, QStringLiteral("Heading of the date to convert"));
    describe(d.Label2, QStringLiteral("Heading of the converted date"));
    describe(d.Label3, QStringLiteral("Caption of the input year"));
    describe(d.Label4, QStringLiteral("Caption of the input month"));
    describe(d.Label5, QStringLiteral("Caption of the input day"));
    describe(d.Label6, QStringLiteral("Caption of the converted year"));
    describe(d.Label7, QStringLiteral("Caption of the converted month"));
    describe(d.Label8, QStringLiteral("Caption of the converted day"));
    describe(d.InYearTXT, QStringLiteral("Input year"), QStringLiteral("The year of the date to convert"));
    describe(d.InMonthTXT, QStringLiteral("Input month"), QStringLiteral("The month of the date to convert, 1 to 12"));
    describe(d.InDayTXT, QStringLiteral("Input day"), QStringLiteral("The day of the date to convert"));
    describe(d.ToHegiry, QStringLiteral("Converts the input date from the Gregorian to the Hijri calendar"));
    describe(d.ToGreg, QStringLiteral("Converts the input date from the Hijri to the Gregorian calendar"));
    describe(d.ToExit, QStringLiteral("Hides the dialog; it keeps its dates for the next opening"));
    describe(d.OutYearTXT, QStringLiteral("Converted year"), QStringLiteral("The year of the converted date"));
    describe(d.OutMonthTXT, QStringLiteral("Converted month"), QStringLiteral("The month of the converted date"));
    describe(d.OutDayTXT, QStringLiteral("Converted day"), QStringLiteral("The day of the converted date"));
    describe(d.ToWeekDay, QStringLiteral("Converted date"),
             QStringLiteral("The converted date with its weekday, read as one sentence"));
}

// Screen readers hear the outputs as one sentence on the weekday line
// ("Tuesday 9 Muharram 1446"), and each output box with its number.
void describeConversion(CalConv &d, const QString &monthName)
{
    const QString sentence = d.ToWeekDay->text() + u' ' + d.OutDayTXT->text() + u' ' + monthName + u' '
                             + d.OutYearTXT->text();
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
    Label1 = makeHeading(this, "Label1", QStringLiteral("Input date :"));
    place(Label1, 120, 360, 1815, 495);
    Label2 = makeHeading(this, "Label2", QStringLiteral("Output Date :"));
    place(Label2, 5160, 360, 2055, 495);

    Label3 = makeRowCaption(this, "Label3", QStringLiteral("Year"));
    place(Label3, 240, 1080, 615, 375);
    InYearTXT = platform::makeTextBox(this, "InYearTXT");
    place(InYearTXT, 960, 1080, 735, 375);
    ToHegiry = platform::makeButton(this, "ToHegiry", QStringLiteral("To Hijri"));
    place(ToHegiry, 2880, 1080, 1455, 375);
    Label6 = makeRowCaption(this, "Label6", QStringLiteral("Year"));
    place(Label6, 5280, 1080, 615, 375);
    OutYearTXT = makeOutput(this, "OutYearTXT");
    place(OutYearTXT, 6000, 1080, 735, 375);

    Label4 = makeRowCaption(this, "Label4", QStringLiteral("Month"));
    place(Label4, 240, 1800, 615, 375);
    InMonthTXT = platform::makeTextBox(this, "InMonthTXT");
    place(InMonthTXT, 960, 1800, 735, 375);
    ToGreg = platform::makeButton(this, "ToGreg", QStringLiteral("To Greg/Chris"));
    place(ToGreg, 2880, 1800, 1455, 375);
    Label7 = makeRowCaption(this, "Label7", QStringLiteral("Month"));
    place(Label7, 5280, 1800, 615, 375);
    OutMonthTXT = makeOutput(this, "OutMonthTXT");
    place(OutMonthTXT, 6000, 1800, 735, 375);

    Label5 = makeRowCaption(this, "Label5", QStringLiteral("Day"));
    place(Label5, 240, 2520, 615, 375);
    InDayTXT = platform::makeTextBox(this, "InDayTXT");
    place(InDayTXT, 960, 2520, 735, 375);
    ToExit = platform::makeButton(this, "ToExit", QStringLiteral("Exit"));
    place(ToExit, 2880, 2520, 1455, 375);
    Label8 = makeRowCaption(this, "Label8", QStringLiteral("Day"));
    place(Label8, 5280, 2520, 615, 375);
    OutDayTXT = makeOutput(this, "OutDayTXT");
    place(OutDayTXT, 6000, 2520, 735, 375);

    ToWeekDay = platform::makeLabel(this, "ToWeekDay", {}, Qt::AlignHCenter | Qt::AlignTop);
    ToWeekDay->setFont(platform::arialFont(13.5, false));
    place(ToWeekDay, 2520, 3240, 2175, 375);

    platform::setTabOrder({InYearTXT, InMonthTXT, InDayTXT, ToHegiry, ToGreg, ToExit});
    InYearTXT->setFocus();

    for (QLineEdit *box : {InYearTXT, InMonthTXT, InDayTXT})
        box->installEventFilter(this);
    connect(ToHegiry, &QPushButton::clicked, this, &CalConv::ToHegiry_Click);
    connect(ToGreg, &QPushButton::clicked, this, &CalConv::ToGreg_Click);
    connect(ToExit, &QPushButton::clicked, this, &CalConv::ToExit_Click);
    describeControls(*this);
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
void CalConv::refuseDate()
{
    platform::showCriticalMessage(this, core::DateRefusedText, RefusedTitle);
}

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
