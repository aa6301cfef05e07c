// The print dialog: calendar, year and range of months to print; Print
// checks them and runs a print job.
#pragma once

#include "platform/form.h"
#include "platform/numberbox.h"

#include <cstdint>

class QLabel;
class QPushButton;
class QRadioButton;
class CalCanPrint;
struct PrintRange;

namespace platform {
class Printer;
}

class CalPrint : public platform::Form {
    Q_OBJECT
public:
    explicit CalPrint(QWidget *parent = nullptr);
    ~CalPrint() override;

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

    // 1 when the fields hold today's Gregorian defaults, 0 for the Hijri ones.
    int16_t FieldsCalendar = 1;

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
    void createControls();
    void fillDefaults(int32_t month, int32_t year);
    // The calendar and the inputs as numbers; false (after telling the user)
    // when they cannot be printed.
    bool readPrintRange(PrintRange &range);

    platform::Printer *printer_ = nullptr;
};
