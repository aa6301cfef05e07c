#include "calmain.h"

#include "about/calabout.h"
#include "convert/calconv.h"
#include "core/messages.h"
#include "core/names.h"
#include "core/numtext.h"
#include "platform/accessibility/accessibility.h"
#include "platform/drawing/programicon.h"
#include "print/calprint.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QPaintEvent>
#include <QPointer>
#include <functional>

namespace {

constexpr int ClientWidthTwips = 7350;
constexpr int ClientHeightTwips = 5385;

// The window's client area; a repaint of the page's part of it draws the
// month page. Repaints of the buttons and boxes alone leave the page as it is.
class ClientArea : public QWidget {
public:
    ClientArea(QWidget *window, std::function<void(const QRegion &)> painted)
        : QWidget(window), painted_(std::move(painted))
    {
        setAutoFillBackground(true);
    }

protected:
    void paintEvent(QPaintEvent *event) override { painted_(event->region()); }

private:
    std::function<void(const QRegion &)> painted_;
};

// The month grid as screen readers hear it: every day of the page in its
// cell, as the cell reads (leading calendar first) with its weekday in
// words: "Friday 16 July 622, 1 Muharram 1". The page is the one last
// painted, which may differ from what the boxes hold by now.
class MonthGridSpeech : public QObject, public platform::AccessibleGrid {
public:
    MonthGridSpeech(QWidget *picture, CalMain &window) : QObject(&window), picture_(picture), window_(window)
    {
        platform::exposeGrid(picture, this);
    }
    ~MonthGridSpeech() override
    {
        if (picture_)
            platform::exposeGrid(picture_, nullptr);
    }

    void pagePainted() { platform::gridChanged(picture_); }

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
        QString text = core::WeekDayName(core::placeOfCell(cell).column) + u' ' + core::DateInWords(page.lead, lead)
            + QStringLiteral(", ") + core::DateInWords(core::otherCalendar(page.lead), day.other);
        if (n == window_.todayCell())
            text += QStringLiteral(", today");
        return text;
    }

    QString columnHeader(int column) const override { return core::WeekDayName(column); }

private:
    QPointer<QWidget> picture_;
    const CalMain &window_;
};

// A menu entry, named.
template <typename Handler>
QAction *addEntry(QMenu *menu, const char *name, const QString &caption, CalMain *window, Handler handler)
{
    QAction *entry = menu->addAction(caption, window, handler);
    entry->setObjectName(QLatin1String(name));
    return entry;
}

} // namespace

// The window's controls, in twips within the client area. Labels are on the
// top line of their rectangle; the pictures draw in the window's font.
std::span<const platform::Control<CalMain>> CalMain::controlTable()
{
    using enum platform::ControlKind;
    using platform::TopCentred;
    // clang-format off
    static const platform::Control<CalMain> table[] = {
        {CONTROL(CalMain, Heading), .kind = Label, .place = {1080, 120, 5175, 615}, .tabIndex = 12,
         .font = platform::arialRegular(24), .alignment = TopCentred, .description = u"The month on display"},
        {CONTROL(CalMain, CurMonth), .kind = Label, .place = {480, 720, 3135, 495}, .tabIndex = 0,
         .alignment = platform::TopLeft, .description = u"The other calendar's month of the page's first day"},
        {CONTROL(CalMain, NextMonth), .kind = Label, .place = {3720, 720, 3135, 495}, .tabIndex = 8,
         .alignment = platform::TopRight, .description = u"The other calendar's month of the page's last day"},
        {CONTROL(CalMain, Pic2), .kind = PictureBox, .place = {480, 1200, 6375, 375}, .tabIndex = 9,
         .spokenName = u"Weekdays", .description = u"The weekday names over the grid's columns, Sunday first"},
        {CONTROL(CalMain, Pic), .kind = PictureBox, .place = {480, 1680, 6375, 2415}, .tabIndex = 13,
         .spokenName = u"Days of the month",
         .description = u"One cell per day: the day in the leading calendar, then in the other calendar; "
                        u"today's cell is shaded"},
        {CONTROL(CalMain, HegOpt), .kind = OptionButton, .place = {480, 4440, 2175, 375}, .tabIndex = 1,
         .caption = u"Hijri", .description = u"Shows the months of the Hijri calendar, from today's month"},
        {CONTROL(CalMain, GregOpt), .kind = OptionButton, .place = {480, 4800, 2295, 375}, .tabIndex = 2,
         .caption = u"Gregorian / Christian",
         .description = u"Shows the months of the Gregorian calendar, from today's month"},
        {CONTROL(CalMain, Label4), .kind = Label, .place = {3240, 4320, 855, 255}, .tabIndex = 10,
         .caption = u"Month", .alignment = TopCentred, .description = u"Caption of the month box"},
        {CONTROL(CalMain, MonthTXT), .kind = NumberBox, .place = {3240, 4680, 855, 360}, .tabIndex = 3,
         .spokenName = u"Month", .description = u"The month on display, 1 to 12"},
        {CONTROL(CalMain, MonthScroll), .kind = VScrollBar, .place = {4320, 4440, 255, 735}, .tabIndex = 4,
         .spokenName = u"Month", .description = u"Steps the month box: up for a later month, down for an earlier one"},
        {CONTROL(CalMain, Label5), .kind = Label, .place = {5040, 4320, 855, 255}, .tabIndex = 11,
         .caption = u"Year", .alignment = TopCentred, .description = u"Caption of the year box"},
        {CONTROL(CalMain, YearTXT), .kind = NumberBox, .place = {5040, 4680, 855, 360}, .tabIndex = 5,
         .spokenName = u"Year", .description = u"The year on display, within the years of the calendar shown"},
        {CONTROL(CalMain, YearScroll), .kind = VScrollBar, .place = {6000, 4440, 255, 735}, .tabIndex = 6,
         .spokenName = u"Year", .description = u"Steps the year box: up for a later year, down for an earlier one"},
        {CONTROL(CalMain, GoCMD), .kind = PushButton, .place = {6480, 4560, 615, 495}, .tabIndex = 7,
         .caption = u"Go", .description = u"Shows the month and year of the boxes"},
    };
    // clang-format on
    return table;
}

CalMain::CalMain(QWidget *parent) : platform::Window<QMainWindow>(parent)
{
    setObjectName(QStringLiteral("CalMain"));
    setWindowTitle(core::messages::ProgramCaption);
    setWindowIcon(platform::programIcon());
    createControls();
    createMenu();
    Form_Load();
}

CalMain::~CalMain() = default;

void CalMain::createControls()
{
    auto *client = new ClientArea(this, [this](const QRegion &region) {
        if (region.intersects(pageRect()))
            Form_Paint();
    });
    client->setObjectName(QStringLiteral("Client"));
    platform::applyWindowLook(client);
    platform::applyWindowLook(this);
    client->setFixedSize(platform::px(ClientWidthTwips), platform::px(ClientHeightTwips));
    setCentralWidget(client);

    const std::vector<QWidget *> made = platform::buildControls(*this, client, controlTable());
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
    connect(Pic, &platform::PictureBox::mouseDown, this, &CalMain::Pic_MouseDown);

    // A screen reader already listening was given Qt's plain interface for
    // the picture when it was described; exposing the grid replaces it.
    auto *speech = new MonthGridSpeech(Pic, *this);
    connect(this, &CalMain::pagePainted, speech, &MonthGridSpeech::pagePainted);
}

void CalMain::createMenu()
{
    CalMenu = menuBar()->addMenu(QStringLiteral("&Calendar"));
    CalMenu->setObjectName(QStringLiteral("CalMenu"));
    platform::describe(CalMenu, QStringLiteral("Calendar"),
                       QStringLiteral("Converting dates, printing, about the program, exit"));
    Convert = addEntry(CalMenu, "Convert", QStringLiteral("C&onvert"), this, &CalMain::Convert_Click);
    PrintCal = addEntry(CalMenu, "PrintCal", QStringLiteral("&Print"), this, &CalMain::PrintCal_Click);
    CalMenu->addSeparator();
    About = addEntry(CalMenu, "About", QStringLiteral("&About"), this, &CalMain::About_Click);
    CalMenu->addSeparator();
    Quit = addEntry(CalMenu, "Quit", QStringLiteral("E&xit"), this, &CalMain::Quit_Click);
    // The frame is fixed: the client area keeps its designed size.
    adjustSize();
    setFixedSize(size());
}

void CalMain::Form_Load()
{
    platform::centreOnScreen(this);
    HegOpt->setChecked(false);
    GregOpt->setChecked(true);
    core::setLeadingCalendar(core::Lead::Gregorian);
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
    const core::Lead lead = core::leadingCalendar();
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

void CalMain::Form_Unload() { Quit_Click(); }

QRect CalMain::pageRect() const
{
    return Heading->geometry() | CurMonth->geometry() | NextMonth->geometry() | Pic2->geometry() | Pic->geometry();
}

void CalMain::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}

void CalMain::GregOpt_Click()
{
    if (core::leadingCalendar() == core::Lead::Hijri)
        switchCalendar(core::Lead::Gregorian);
}

void CalMain::HegOpt_Click()
{
    if (core::leadingCalendar() == core::Lead::Gregorian)
        switchCalendar(core::Lead::Hijri);
}

// Brings today's month of the newly chosen calendar; never converts the
// month on display.
void CalMain::switchCalendar(core::Lead lead)
{
    core::setLeadingCalendar(lead);
    // Both boxes are about to be replaced: an edit left pending in them must
    // not pull the bars back to the numbers they held before the switch.
    MonthEditing = false;
    YearEditing = false;
    setYearScrollRange();
    YearScroll->setArrowStep(1);
    YearScroll->setPageStep(100);
    const core::Ymd today = core::TodayIn(lead);
    MonthScroll->setValue(today.month);
    YearScroll->setValue(today.year);
    MonthTXT->setText(core::PlainNumber(today.month));
    YearTXT->setText(core::PlainNumber(today.year));
    Form_Paint();
}
