#include "calmain.h"

#include "about/calabout.h"
#include "convert/calconv.h"
#include "core/monthlayout.h"
#include "core/names.h"
#include "core/numtext.h"
#include "platform/accessibility.h"
#include "platform/picturebox.h"
#include "platform/scrollbar.h"
#include "platform/window.h"
#include "print/calprint.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QMouseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QPointer>
#include <QRadioButton>


using platform::place;

namespace {

constexpr int ClientWidthTwips = 7350;
constexpr int ClientHeightTwips = 5385;

// The window's client area; every repaint of it draws the month page.
class ClientArea : public QWidget {
public:
    ClientArea(CalMain *window) : QWidget(window), window_(window)
    {
        setAutoFillBackground(true);
    }

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

QLabel *makeLabel(QWidget *parent, const char *name, const QString &caption, Qt::Alignment alignment)
{
    QLabel *label = platform::makeLabel(parent, name, caption, alignment | Qt::AlignTop);
    // Opaque, so that changing a caption never asks the page to repaint.
    label->setAutoFillBackground(true);
    return label;
}

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

void describeControls(CalMain &w)
{
    using platform::describe;
    describe(&w, QStringLiteral("Shows one month of the Gregorian or the Hijri calendar with the other "
                                "calendar's days beside it"));
    describe(w.Heading, QStringLiteral("The month on display"));
    describe(w.CurMonth, QStringLiteral("The other calendar's month of the page's first day"));
    describe(w.NextMonth, QStringLiteral("The other calendar's month of the page's last day"));
    describe(w.Pic2, QStringLiteral("Weekdays"), QStringLiteral("The weekday names over the grid's columns, Sunday first"));
    describe(w.Pic, QStringLiteral("Days of the month"),
             QStringLiteral("One cell per day: the day in the leading calendar, then in the other calendar; "
                            "today's cell is shaded"));
    describe(w.HegOpt, QStringLiteral("Shows the months of the Hijri calendar, from today's month"));
    describe(w.GregOpt, QStringLiteral("Shows the months of the Gregorian calendar, from today's month"));
    describe(w.Label4, QStringLiteral("Caption of the month box"));
    describe(w.MonthTXT, QStringLiteral("Month"), QStringLiteral("The month on display, 1 to 12"));
    describe(w.MonthScroll, QStringLiteral("Month"),
             QStringLiteral("Steps the month box: up for a later month, down for an earlier one"));
    describe(w.Label5, QStringLiteral("Caption of the year box"));
    describe(w.YearTXT, QStringLiteral("Year"),
             QStringLiteral("The year on display, %1 to %2 in the Gregorian calendar, %3 to %4 in the Hijri calendar")
                 .arg(core::firstYear(core::Lead::Gregorian))
                 .arg(core::lastYear(core::Lead::Gregorian))
                 .arg(core::firstYear(core::Lead::Hijri))
                 .arg(core::lastYear(core::Lead::Hijri)));
    describe(w.YearScroll, QStringLiteral("Year"),
             QStringLiteral("Steps the year box: up for a later year, down for an earlier one"));
    describe(w.GoCMD, QStringLiteral("Shows the month and year of the boxes"));
}

void describeMenu(CalMain &w)
{
    using platform::describe;
    const QString calendarMenu = QStringLiteral("Converting dates, printing, about the program, exit");
    describe(w.CalMenu, QStringLiteral("Calendar"), calendarMenu);
    describe(w.CalMenu->menuAction(), calendarMenu);
    describe(w.Convert, QStringLiteral("Converts a date between the Gregorian and the Hijri calendars"));
    describe(w.PrintCal, QStringLiteral("Prints a page for each month of a range"));
    describe(w.About, QStringLiteral("Shows the program's version"));
    describe(w.Quit, QStringLiteral("Ends the program"));
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

    Heading = makeLabel(client, "Heading", {}, Qt::AlignHCenter);
    Heading->setFont(platform::arialFont(24, false));
    place(Heading, 1080, 120, 5175, 615);
    CurMonth = makeLabel(client, "CurMonth", {}, Qt::AlignLeft);
    place(CurMonth, 480, 720, 3135, 495);
    NextMonth = makeLabel(client, "NextMonth", {}, Qt::AlignRight);
    place(NextMonth, 3720, 720, 3135, 495);

    Pic2 = new platform::PictureBox(client);
    Pic2->setObjectName(QStringLiteral("Pic2"));
    place(Pic2, 480, 1200, 6375, 375);
    Pic2->setTextFont(client->font());
    Pic = new platform::PictureBox(client);
    Pic->setObjectName(QStringLiteral("Pic"));
    place(Pic, 480, 1680, 6375, 2415);
    Pic->setTextFont(client->font());

    HegOpt = new QRadioButton(QStringLiteral("Hijri"), client);
    HegOpt->setObjectName(QStringLiteral("HegOpt"));
    place(HegOpt, 480, 4440, 2175, 375);
    GregOpt = new QRadioButton(QStringLiteral("Gregorian / Christian"), client);
    GregOpt->setObjectName(QStringLiteral("GregOpt"));
    place(GregOpt, 480, 4800, 2295, 375);
    GregOpt->setChecked(true);

    Label4 = makeLabel(client, "Label4", QStringLiteral("Month"), Qt::AlignHCenter);
    place(Label4, 3240, 4320, 855, 255);
    MonthTXT = platform::makeTextBox(client, "MonthTXT");
    place(MonthTXT, 3240, 4680, 855, 360);
    MonthScroll = new platform::VScrollBar(client);
    MonthScroll->setObjectName(QStringLiteral("MonthScroll"));
    place(MonthScroll, 4320, 4440, 255, 735);

    Label5 = makeLabel(client, "Label5", QStringLiteral("Year"), Qt::AlignHCenter);
    place(Label5, 5040, 4320, 855, 255);
    YearTXT = platform::makeTextBox(client, "YearTXT");
    place(YearTXT, 5040, 4680, 855, 360);
    YearScroll = new platform::VScrollBar(client);
    YearScroll->setObjectName(QStringLiteral("YearScroll"));
    place(YearScroll, 6000, 4440, 255, 735);

    GoCMD = platform::makeButton(client, "GoCMD", QStringLiteral("Go"));
    place(GoCMD, 6480, 4560, 615, 495);

    platform::setTabOrder({HegOpt, GregOpt, MonthTXT, MonthScroll, YearTXT, YearScroll, GoCMD});

    connect(GregOpt, &QRadioButton::clicked, this, &CalMain::GregOpt_Click);
    connect(HegOpt, &QRadioButton::clicked, this, &CalMain::HegOpt_Click);
    connect(MonthScroll, &platform::VScrollBar::Change, this, &CalMain::MonthScroll_Change);
    connect(YearScroll, &platform::VScrollBar::Change, this, &CalMain::YearScroll_Change);
    connect(GoCMD, &QPushButton::clicked, this, &CalMain::GoCMD_Click);
    for (QWidget *control : std::initializer_list<QWidget *>{MonthTXT, YearTXT, Pic, GoCMD, HegOpt, GregOpt})
        control->installEventFilter(this);

    // The grid first: a screen reader that is already listening asks for the
    // grid's interface as soon as the picture is described.
    auto *speech = new MonthGridSpeech(Pic, *this);
    describeControls(*this);
    connect(this, &CalMain::pagePainted, speech, &MonthGridSpeech::pagePainted);
}

void CalMain::createMenu()
{
    CalMenu = menuBar()->addMenu(QStringLiteral("&Calendar"));
    CalMenu->setObjectName(QStringLiteral("CalMenu"));
    Convert = CalMenu->addAction(QStringLiteral("C&onvert"), this, &CalMain::Convert_Click);
    Convert->setObjectName(QStringLiteral("Convert"));
    PrintCal = CalMenu->addAction(QStringLiteral("&Print"), this, &CalMain::PrintCal_Click);
    PrintCal->setObjectName(QStringLiteral("PrintCal"));
    CalMenu->addSeparator();
    About = CalMenu->addAction(QStringLiteral("&About"), this, &CalMain::About_Click);
    About->setObjectName(QStringLiteral("About"));
    CalMenu->addSeparator();
    Quit = CalMenu->addAction(QStringLiteral("E&xit"), this, &CalMain::Quit_Click);
    Quit->setObjectName(QStringLiteral("Quit"));
    describeMenu(*this);
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
    return Heading->geometry() | CurMonth->geometry() | NextMonth->geometry() | Pic2->geometry()
           | Pic->geometry();
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
    if (watched == MonthTXT || watched == YearTXT) {
        const bool month = watched == MonthTXT;
        // The box's own context menu, or another window taking the focus for
        // a while, leaves the user still editing the box: it is neither left
        // nor entered.
        if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
            const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
            if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason)
                return false;
        }
        if (event->type() == QEvent::FocusIn)
            month ? MonthTXT_GotFocus() : YearTXT_GotFocus();
        else if (event->type() == QEvent::FocusOut)
            month ? MonthTXT_LostFocus() : YearTXT_LostFocus();
    } else if (watched == Pic && event->type() == QEvent::MouseButtonPress) {
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
