#include "calmain.h"

#include "about/calabout.h"
#include "convert/calconv.h"
#include "core/names.h"
#include "core/numtext.h"
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
    auto *label = new QLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    label->setAlignment(alignment | Qt::AlignTop);
    // Opaque, so that changing a caption never asks the page to repaint.
    label->setAutoFillBackground(true);
    return label;
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
    MonthTXT = new QLineEdit(client);
    MonthTXT->setObjectName(QStringLiteral("MonthTXT"));
    place(MonthTXT, 3240, 4680, 855, 360);
    MonthScroll = new platform::VScrollBar(client);
    MonthScroll->setObjectName(QStringLiteral("MonthScroll"));
    place(MonthScroll, 4320, 4440, 255, 735);

    Label5 = makeLabel(client, "Label5", QStringLiteral("Year"), Qt::AlignHCenter);
    place(Label5, 5040, 4320, 855, 255);
    YearTXT = new QLineEdit(client);
    YearTXT->setObjectName(QStringLiteral("YearTXT"));
    place(YearTXT, 5040, 4680, 855, 360);
    YearScroll = new platform::VScrollBar(client);
    YearScroll->setObjectName(QStringLiteral("YearScroll"));
    place(YearScroll, 6000, 4440, 255, 735);

    GoCMD = new QPushButton(QStringLiteral("Go"), client);
    GoCMD->setObjectName(QStringLiteral("GoCMD"));
    GoCMD->setAutoDefault(false);
    GoCMD->setDefault(false);
    place(GoCMD, 6480, 4560, 615, 495);

    platform::setTabOrder({HegOpt, GregOpt, MonthTXT, MonthScroll, YearTXT, YearScroll, GoCMD});

    connect(GregOpt, &QRadioButton::clicked, this, &CalMain::GregOpt_Click);
    connect(HegOpt, &QRadioButton::clicked, this, &CalMain::HegOpt_Click);
    connect(MonthScroll, &platform::VScrollBar::Change, this, &CalMain::MonthScroll_Change);
    connect(YearScroll, &platform::VScrollBar::Change, this, &CalMain::YearScroll_Change);
    connect(GoCMD, &QPushButton::clicked, this, &CalMain::GoCMD_Click);
    for (QWidget *control : std::initializer_list<QWidget *>{MonthTXT, YearTXT, Pic, GoCMD, HegOpt, GregOpt})
        control->installEventFilter(this);
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
    if (core::CalendarMode == 1)
        YearScroll->setRange(622, 2562);
    else
        YearScroll->setRange(1, 2000);
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
