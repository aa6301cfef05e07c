// The print dialog: calendar, year and range of months to print; Print
// checks them and runs a print job.
#pragma once

#include "core/dateranges.h"
#include "platform/controls/controltable.h"
#include "platform/controls/form.h"

#include <cstdint>
#include <span>

class CalCanPrint;

namespace platform {
class Printer;
}

class CalPrint : public platform::Form {
    Q_OBJECT
public:
    explicit CalPrint(QWidget *parent = nullptr);
    ~CalPrint() override;

    void Form_Load();
    void OPTGregorian_Click();
    void OPTHegiry_Click();
    void YearTXTPRT_LostFocus();
    void FromMonthTXTPRT_LostFocus();
    void ToMonthTXTPRT_LostFocus();
    void PrintPRT_Click();
    void CancelButton_Click();

    // Jobs print on this printer instead of the system's default printer,
    // which is otherwise taken anew for every job. Not owned; null resets.
    void usePrinter(platform::Printer *printer) { printer_ = printer; }

protected:
    void Form_Unload() override;

private:
    static std::span<const platform::Control<CalPrint>> controlTable();
    // The calendar of the print job: the option selected.
    core::Lead chosenCalendar() const;
    // Today's year and month in the calendar; the fields say whose they are.
    void fillDefaults(core::Lead calendar);

    // Controls, named as the dialog's design names them.
    platform::NumberBox *YearTXTPRT = nullptr;
    platform::NumberBox *FromMonthTXTPRT = nullptr;
    platform::NumberBox *ToMonthTXTPRT = nullptr;
    QRadioButton *OPTGregorian = nullptr;
    QRadioButton *OPTHegiry = nullptr;
    QPushButton *PrintPRT = nullptr;
    QPushButton *CancelButton = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;

    // The printing box shown while a job of several months runs.
    CalCanPrint *CanPrint = nullptr;

    // The calendar whose today the fields were last filled with.
    core::Lead FieldsCalendar = core::Lead::Gregorian;

    platform::Printer *printer_ = nullptr;
};
