// The main window: one month page led by either calendar, the month and
// year controls, and the menu that opens the dialogs.
#pragma once

#include "core/monthlayout.h"
#include "core/state.h"
#include "platform/controls/controltable.h"
#include "platform/controls/form.h"

#include <QMainWindow>
#include <cstdint>
#include <span>

class QMenu;
class QAction;
class CalConv;
class CalPrint;
class CalAbout;

class CalMain : public platform::Window<QMainWindow> {
    Q_OBJECT
public:
    explicit CalMain(QWidget *parent = nullptr);
    ~CalMain() override;

    // The window's events, as the platform delivers them.
    void Form_Load();
    void Form_Paint();
    void Form_Unload();
    void Convert_Click();
    void PrintCal_Click();
    void About_Click();
    void Quit_Click();
    void GregOpt_Click();
    void HegOpt_Click();
    void Pic_MouseDown();
    void MonthTXT_GotFocus();
    void YearTXT_GotFocus();
    void MonthTXT_LostFocus();
    void YearTXT_LostFocus();
    void MonthScroll_Change();
    void YearScroll_Change();
    void GoCMD_Click();

    // How many times the page was drawn (tests and benchmarks watch it).
    int paintCount() const { return paintCount_; }
    // The month the last paint laid out (not valid when it drew the frame
    // only) and the cell it shaded as today's (0 when none).
    const core::MonthLayout &shownMonth() const { return shownMonth_; }
    int todayCell() const { return todayCell_; }

signals:
    void pagePainted();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    static std::span<const platform::Control<CalMain>> controlTable();
    void createControls();
    void createMenu();
    // The part of the client area that the month page covers.
    QRect pageRect() const;

    // Calendar switch (calmain.cpp).
    void switchCalendar(core::Lead lead);
    void setYearScrollRange();

    // The month page (screenpage.cpp).
    void DrawGrid();
    void DrawWeekdayHeader();
    void DrawGregLedMonth(int32_t Year, int32_t Month);
    void DrawHijriLedMonth(int32_t Year, int32_t Month);
    void DrawDayCell(int16_t CellIndex, const QString &LeadText, core::Colour LeadColor, const QString &SecText,
                     core::Colour SecColor);
    void MarkToday();
    // What both month routines do once the month is laid out.
    void showLaidMonth(const core::MonthLayout &page);

    // Navigation (navigation.cpp).
    bool CheckMonthTXT();
    bool CheckYearTXT();
    bool CheckMonthYear(int32_t month, int32_t year);
    void leaveBox(platform::NumberBox *box, bool (CalMain::*check)(), const QString &refusal);
    void barChanged(platform::VScrollBar *bar, platform::NumberBox *box, bool &editing, bool (CalMain::*check)());

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

    platform::FormSlot<CalConv> conv_;
    platform::FormSlot<CalPrint> print_;
    platform::FormSlot<CalAbout> about_;
    int paintCount_ = 0;
    core::MonthLayout shownMonth_;
    int todayCell_ = 0;
    bool painting_ = false;
};
