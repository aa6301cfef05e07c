// The conversion dialog: one date from either calendar to the other, with
// the name of its weekday.
#pragma once

#include "core/calendarengine.h"
#include "core/conversion.h"
#include "platform/controls/controltable.h"
#include "platform/controls/form.h"

#include <span>

class CalConv : public platform::Form {
    Q_OBJECT
public:
    explicit CalConv(QWidget *parent = nullptr);

    void Form_Load();
    void InDayTXT_LostFocus();
    void InMonthTXT_LostFocus();
    void InYearTXT_LostFocus();
    void ToHegiry_Click();
    void ToGreg_Click();
    void ToExit_Click();

private:
    static std::span<const platform::Control<CalConv>> controlTable();
    // The three boxes as a date.
    core::Ymd readInputDate() const;
    // Writes a converted date and its weekday, or tells why there is none
    // (the outputs then keep what they showed).
    void showConversion(const core::Result<core::ConvertedDate> &converted, core::Lead calendar);

    // Controls, named as the dialog's design names them.
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    platform::NumberBox *InYearTXT = nullptr;
    QPushButton *ToHegiry = nullptr;
    QLabel *Label6 = nullptr;
    QLabel *OutYearTXT = nullptr;
    QLabel *Label4 = nullptr;
    platform::NumberBox *InMonthTXT = nullptr;
    QPushButton *ToGreg = nullptr;
    QLabel *Label7 = nullptr;
    QLabel *OutMonthTXT = nullptr;
    QLabel *Label5 = nullptr;
    platform::NumberBox *InDayTXT = nullptr;
    QPushButton *ToExit = nullptr;
    QLabel *Label8 = nullptr;
    QLabel *OutDayTXT = nullptr;
    QLabel *ToWeekDay = nullptr;
};
