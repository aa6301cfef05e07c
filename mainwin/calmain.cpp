#include "calmain.h"

#include "about/calabout.h"
#include "convert/calconv.h"
#include "core/monthlayout.h"
#include "core/names.h"
#include "core/numtext.h"
#include "platform/accessibility.h"
#include "platform/controltable.h"
#include "platform/numberbox.h"
#include "platform/programicon.h"
#include "platform/window.h"
#include "print/calprint.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

namespace {

constexpr int ClientWidthTwips = 7350;
constexpr int ClientHeightTwips = 5385;

// The window's client area; every repaint of it draws the month page.
class ClientArea : public QWidget {
public:
    ClientArea(CalMain *window) : QWidget(window), window_(window) { setAutoFillBackground(true); }

protected:
    // Repaints of the buttons and boxes alone leave the page as it is.
    void paintEvent(QPaintEvent *event) override
    {
        if (event->region().intersects(window_->pageRect()))
            window_->Form_Paint();
    }

private:
    CalMain *window_;
};

// The month grid as screen readers hear it: every day of the page in its
// cell, as the cell reads (leading calendar first) with its weekday in
// words: "Friday 16 July 622, 1 Muharram 1". The page is the one last
// painted, which may differ from what the boxes hold by now.
class MonthGridSpeech : public QObject, public platform::AccessibleGrid {
public:
    MonthGridSpeech(platform::PictureBox *picture, CalMain &window)
        : QObject(&window), picture_(picture), window_(window)
    {
        platform::exposeGrid(picture, this);
    }
    ~MonthGridSpeech() override
    {
        if (picture_)
            platform::exposeGrid(picture_, nullptr);
    }

    void pagePainted() { platform::gridChanged(picture_); }

    int rowCount() const override { return 6; }
    int columnCount() const override { return 7; }

    QList<int> usedCells() const override
    {
        QList<int> cells;
        const core::MonthLayout &page = window_.shownMonth();
        if (page.valid)
            for (int n = page.FirstCell; n <= page.LastCell; ++n)
                cells << n - 1;
        return cells;
    }

    QString cellText(int cell) const override
    {
        const core::MonthLayout &page = window_.shownMonth();
        const int n = cell + 1;
        if (!page.valid || n < page.FirstCell || n > page.LastCell)
            return {};
        const core::LaidCell &day = page.cells[std::size_t(n)];
        const core::Ymd lead{page.year, page.month, day.leadDay};
        const bool gregorianLeads = page.lead == core::Lead::Gregorian;
        QString text = core::WeekDayName(cell % 7) + u' ' + dateInWords(lead, gregorianLeads) + QStringLiteral(", ")
            + dateInWords(day.other, !gregorianLeads);
        if (n == window_.todayCell())
            text += QStringLiteral(", today");
        return text;
    }

    QString columnHeader(int column) const override { return core::WeekDayName(column); }

private:
    static QString dateInWords(const core::Ymd &date, bool gregorian)
    {
        return core::PlainNumber(date.day) + u' '
            + (gregorian ? core::GregMonthName(date.month) : core::HijriMonthName(date.month)) + u' '
            + core::PlainNumber(date.year);
    }

    QPointer<platform::PictureBox> picture_;
    const CalMain &window_;
};

using enum platform::ControlKind;
using platform::Border;
using platform::TopCentred;
using platform::TopLeft;
using platform::TopRight;
using platform::WindowFont;

// The window's controls, in twips within the client area. Labels are on the
// top line of their rectangle; the pictures draw in the window's font.
// One row per control, as the design lists them.
// clang-format off
const platform::Control<CalMain> Controls[] = {
    // member, name, kind, caption, left, top, width, height, tab index, font, alignment, border,
    // accessible name (null: its own text), description
    {&CalMain::Heading, "Heading", Label, nullptr, 1080, 120, 5175, 615, 12, platform::arialRegular(24), TopCentred,
     Border::None, nullptr, u"The month on display"},
    {&CalMain::CurMonth, "CurMonth", Label, nullptr, 480, 720, 3135, 495, 0, WindowFont, TopLeft, Border::None,
     nullptr, u"The other calendar's month of the page's first day"},
    {&CalMain::NextMonth, "NextMonth", Label, nullptr, 3720, 720, 3135, 495, 8, WindowFont, TopRight, Border::None,
     nullptr, u"The other calendar's month of the page's last day"},
    {&CalMain::Pic2, "Pic2", PictureBox, nullptr, 480, 1200, 6375, 375, 9, WindowFont, {}, Border::None,
     u"Weekdays", u"The weekday names over the grid's columns, Sunday first"},
    {&CalMain::Pic, "Pic", PictureBox, nullptr, 480, 1680, 6375, 2415, 13, WindowFont, {}, Border::None,
     u"Days of the month",
     u"One cell per day: the day in the leading calendar, then in the other calendar; today's cell is shaded"},
    {&CalMain::HegOpt, "HegOpt", OptionButton, u"Hijri", 480, 4440, 2175, 375, 1, WindowFont, {}, Border::None,
     nullptr, u"Shows the months of the Hijri calendar, from today's month"},
    {&CalMain::GregOpt, "GregOpt", OptionButton, u"Gregorian / Christian", 480, 4800, 2295, 375, 2, WindowFont, {},
     Border::None, nullptr, u"Shows the months of the Gregorian calendar, from today's month"},
    {&CalMain::Label4, "Label4", Label, u"Month", 3240, 4320, 855, 255, 10, WindowFont, TopCentred, Border::None,
     nullptr, u"Caption of the month box"},
    {&CalMain::MonthTXT, "MonthTXT", NumberBox, nullptr, 3240, 4680, 855, 360, 3, WindowFont, {}, Border::None,
     u"Month", u"The month on display, 1 to 12"},
    {&CalMain::MonthScroll, "MonthScroll", VScrollBar, nullptr, 4320, 4440, 255, 735, 4, WindowFont, {},
     Border::None, u"Month", u"Steps the month box: up for a later month, down for an earlier one"},
    {&CalMain::Label5, "Label5", Label, u"Year", 5040, 4320, 855, 255, 11, WindowFont, TopCentred, Border::None,
     nullptr, u"Caption of the year box"},
    {&CalMain::YearTXT, "YearTXT", NumberBox, nullptr, 5040, 4680, 855, 360, 5, WindowFont, {}, Border::None, u"Year",
     u"The year on display, within the years of the calendar shown"},
    {&CalMain::YearScroll, "YearScroll", VScrollBar, nullptr, 6000, 4440, 255, 735, 6, WindowFont, {}, Border::None,
     u"Year", u"Steps the year box: up for a later year, down for an earlier one"},
    {&CalMain::GoCMD, "GoCMD", PushButton, u"Go", 6480, 4560, 615, 495, 7, WindowFont, {}, Border::None, nullptr,
     u"Shows the month and year of the boxes"},
};
// clang-format on

const QString CalendarMenuDescription = QStringLiteral("Converting dates, printing, about the program, exit");

// A menu entry, named, with what it does for screen readers.
template <typename Handler>
QAction *addEntry(QMenu *menu, const char *name, const QString &caption, CalMain *window, Handler handler,
                  const QString &description)
{
    QAction *entry = menu->addAction(caption, window, handler);
    entry->setObjectName(QLatin1String(name));
    platform::describe(entry, description);
    return entry;
}

} // namespace

CalMain::CalMain(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("CalMain"));
    setWindowTitle(QStringLiteral(" Dovrin"));
    setWindowIcon(platform::programIcon());
    createControls();
    createMenu();
    Form_Load();
}

CalMain::~CalMain() = default;

CalConv *CalMain::convForm() const { return conv_.form(); }
CalPrint *CalMain::printForm() const { return print_.form(); }
CalAbout *CalMain::aboutForm() const { return about_.form(); }

void CalMain::createControls()
{
    auto *client = new ClientArea(this);
    client->setObjectName(QStringLiteral("Client"));
    platform::applyWindowLook(client);
    platform::applyWindowLook(this);
    client->setFixedSize(platform::px(ClientWidthTwips), platform::px(ClientHeightTwips));
    setCentralWidget(client);

    const std::vector<QWidget *> made = platform::buildControls(*this, client, Controls);
    // Opaque labels: changing a caption never asks the page to repaint.
    for (QWidget *control : made)
        if (auto *label = qobject_cast<QLabel *>(control))
            label->setAutoFillBackground(true);
    GregOpt->setChecked(true);
    platform::describe(this,
                       QStringLiteral("Shows one month of the Gregorian or the Hijri calendar with the other "
                                      "calendar's days beside it"));

    connect(GregOpt, &QRadioButton::clicked, this, &CalMain::GregOpt_Click);
    connect(HegOpt, &QRadioButton::clicked, this, &CalMain::HegOpt_Click);
    connect(MonthScroll, &platform::VScrollBar::Change, this, &CalMain::MonthScroll_Change);
    connect(YearScroll, &platform::VScrollBar::Change, this, &CalMain::YearScroll_Change);
    connect(GoCMD, &QPushButton::clicked, this, &CalMain::GoCMD_Click);
    connect(MonthTXT, &platform::NumberBox::entered, this, &CalMain::MonthTXT_GotFocus);
    connect(MonthTXT, &platform::NumberBox::left, this, &CalMain::MonthTXT_LostFocus);
    connect(YearTXT, &platform::NumberBox::entered, this, &CalMain::YearTXT_GotFocus);
    connect(YearTXT, &platform::NumberBox::left, this, &CalMain::YearTXT_LostFocus);
    for (QWidget *control : std::initializer_list<QWidget *>{Pic, GoCMD, HegOpt, GregOpt})
        control->installEventFilter(this);

    // A screen reader already listening was given Qt's plain interface for
    // the picture when it was described; exposing the grid replaces it.
    auto *speech = new MonthGridSpeech(Pic, *this);
    connect(this, &CalMain::pagePainted, speech, &MonthGridSpeech::pagePainted);
}

void CalMain::createMenu()
{
    CalMenu = menuBar()->addMenu(QStringLiteral("&Calendar"));
    CalMenu->setObjectName(QStringLiteral("CalMenu"));
    platform::describe(CalMenu, QStringLiteral("Calendar"), CalendarMenuDescription);
    platform::describe(CalMenu->menuAction(), CalendarMenuDescription);
    Convert = addEntry(CalMenu, "Convert", QStringLiteral("C&onvert"), this, &CalMain::Convert_Click,
                       QStringLiteral("Converts a date between the Gregorian and the Hijri calendars"));
    PrintCal = addEntry(CalMenu, "PrintCal", QStringLiteral("&Print"), this, &CalMain::PrintCal_Click,
                        QStringLiteral("Prints a page for each month of a range"));
    CalMenu->addSeparator();
    About = addEntry(CalMenu, "About", QStringLiteral("&About"), this, &CalMain::About_Click,
                     QStringLiteral("Shows the program's version"));
    CalMenu->addSeparator();
    Quit = addEntry(CalMenu, "Quit", QStringLiteral("E&xit"), this, &CalMain::Quit_Click,
                    QStringLiteral("Ends the program"));
    // The frame is fixed: the client area keeps its designed size.
    adjustSize();
    setFixedSize(size());
}

void CalMain::Form_Load()
{
    platform::centreOnScreen(this);
    HegOpt->setChecked(false);
    GregOpt->setChecked(true);
    core::CalendarMode = 1;
    int32_t day, month, year;
    core::TodayGreg(day, month, year);
    MonthTXT->setText(core::PlainNumber(month));
    YearTXT->setText(core::PlainNumber(year));
    MonthScroll->setRange(1, 12);
    MonthScroll->setArrowStep(1);
    MonthScroll->setPageStep(6);
    MonthScroll->setValue(month);
    YearScroll->setArrowStep(1);
    YearScroll->setPageStep(100);
    setYearScrollRange();
    YearScroll->setValue(year);
    MonthEditing = false;
    YearEditing = false;
}

void CalMain::setYearScrollRange()
{
    const core::Lead lead = core::CalendarMode == 1 ? core::Lead::Gregorian : core::Lead::Hijri;
    YearScroll->setRange(core::firstYear(lead), core::lastYear(lead));
}

void CalMain::Convert_Click() { conv_.showModal(this); }
void CalMain::PrintCal_Click() { print_.showModal(this); }
void CalMain::About_Click() { about_.showModal(this); }

void CalMain::Quit_Click()
{
    hide();
    QApplication::quit();
}

void CalMain::Form_Unload()
{
    hide();
    QApplication::quit();
}

QRect CalMain::pageRect() const
{
    return Heading->geometry() | CurMonth->geometry() | NextMonth->geometry() | Pic2->geometry() | Pic->geometry();
}

void CalMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // The frame's size is known only once the window is shown.
    if (!shownBefore_) {
        shownBefore_ = true;
        platform::centreOnScreen(this);
    }
}

void CalMain::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}

void CalMain::GregOpt_Click()
{
    if (core::CalendarMode == 0)
        switchCalendar(1);
}

void CalMain::HegOpt_Click()
{
    if (core::CalendarMode == 1)
        switchCalendar(0);
}

// Brings today's month of the newly chosen calendar; never converts the
// month on display.
void CalMain::switchCalendar(int16_t mode)
{
    core::CalendarMode = mode;
    // Both boxes are about to be replaced: an edit left pending in them must
    // not pull the bars back to the numbers they held before the switch.
    MonthEditing = false;
    YearEditing = false;
    setYearScrollRange();
    YearScroll->setArrowStep(1);
    YearScroll->setPageStep(100);
    int32_t day, month, year;
    if (mode == 1)
        core::TodayGreg(day, month, year);
    else
        core::TodayHijri(day, month, year);
    MonthScroll->setValue(month);
    YearScroll->setValue(year);
    MonthTXT->setText(core::PlainNumber(month));
    YearTXT->setText(core::PlainNumber(year));
    Form_Paint();
}

void CalMain::setLabel(QLabel *label, const QString &caption, core::Colour colour)
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

bool CalMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Pic && event->type() == QEvent::MouseButtonPress) {
        Pic_MouseDown();
        return true;
    } else if (event->type() == QEvent::MouseButtonPress
               && !(QApplication::mouseButtons() & static_cast<QMouseEvent *>(event)->button())) {
        // A press that arrives after its button was released (a message box
        // took the release) would leave the button drawn pressed.
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}
