// The main window: one month page led by either calendar, the month and
// year controls, and the menu that opens the dialogs.
#pragma once

#include "core/monthlayout.h"
#include "core/state.h"
#include "platform/form.h"
#include "platform/numberbox.h"

#include <QMainWindow>
#include <cstdint>

class QLabel;
class QPushButton;
class QRadioButton;
class QMenu;
class QAction;

namespace platform {
class PictureBox;
class VScrollBar;
} // namespace platform

class CalConv;
class CalPrint;
class CalAbout;

class CalMain : public QMainWindow {
    Q_OBJECT
public:
    explicit CalMain(QWidget *parent = nullptr);
    ~CalMain() override;

    // Controls, named as the window's design names them.
    QLabel *Heading = nullptr;
    QLabel *CurMonth = nullptr;
    QLabel *NextMonth = nullptr;
    platform::PictureBox *Pic2 = nullptr;
    platform::PictureBox *Pic = nullptr;
    QRadioButton *HegOpt = nullptr;
    QRadioButton *GregOpt = nullptr;
    QLabel *Label4 = nullptr;
    platform::NumberBox *MonthTXT = nullptr;
    platform::VScrollBar *MonthScroll = nullptr;
    QLabel *Label5 = nullptr;
    platform::NumberBox *YearTXT = nullptr;
    platform::VScrollBar *YearScroll = nullptr;
    QPushButton *GoCMD = nullptr;
    QMenu *CalMenu = nullptr;
    QAction *Convert = nullptr;
    QAction *PrintCal = nullptr;
    QAction *About = nullptr;
    QAction *Quit = nullptr;

    bool MonthEditing = false;
    bool YearEditing = false;

    // Start-up, menu and calendar switch.
    void Form_Load();
    void Convert_Click();
    void PrintCal_Click();
    void About_Click();
    void Quit_Click();
    void Form_Unload();
    void GregOpt_Click();
    void HegOpt_Click();

    // The month page.
    void Form_Paint();
    void DrawGrid();
    void DrawWeekdayHeader();
    void DrawGregLedMonth(int32_t Year, int32_t Month);
    void DrawHijriLedMonth(int32_t Year, int32_t Month);
    void DrawDayCell(int16_t CellIndex, const QString &LeadText, core::Colour LeadColor, const QString &SecText,
                     core::Colour SecColor);
    void MarkToday();
    void Pic_MouseDown();

    // Month and year navigation.
    void MonthTXT_GotFocus();
    void YearTXT_GotFocus();
    void MonthTXT_LostFocus();
    void YearTXT_LostFocus();
    void MonthScroll_Change();
    void YearScroll_Change();
    void GoCMD_Click();
    bool CheckMonthTXT();
    bool CheckYearTXT();
    bool CheckMonthYear(int32_t month, int32_t year);

    // The dialogs, while they exist.
    CalConv *convForm() const;
    CalPrint *printForm() const;
    CalAbout *aboutForm() const;

    // How many times the page was drawn (tests and benchmarks watch it).
    int paintCount() const { return paintCount_; }

    // The month the last paint laid out (not valid when it drew the frame
    // only) and the cell it shaded as today's (0 when none).
    const core::MonthLayout &shownMonth() const { return shownMonth_; }
    int todayCell() const { return todayCell_; }

    // The part of the client area that the month page covers.
    QRect pageRect() const;

signals:
    void pagePainted();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    void createMenu();
    void switchCalendar(int16_t mode);
    void setYearScrollRange();
    // What both month routines do once the month is laid out.
    void showLaidMonth(const core::MonthLayout &page);
    void setLabel(QLabel *label, const QString &caption, core::Colour colour);

    platform::FormSlot<CalConv> conv_;
    platform::FormSlot<CalPrint> print_;
    platform::FormSlot<CalAbout> about_;
    int paintCount_ = 0;
    core::MonthLayout shownMonth_;
    int todayCell_ = 0;
    bool painting_ = false;
    bool shownBefore_ = false;
};
