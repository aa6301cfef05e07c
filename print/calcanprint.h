// The printing box: shown while a job of several months runs; its Cancel
// button stops the job at the next month.
#pragma once

#include "platform/controls/controltable.h"
#include "platform/controls/form.h"

#include <span>

class CalCanPrint : public platform::Form {
    Q_OBJECT
public:
    explicit CalCanPrint(QWidget *parent = nullptr);

    void CancelPrinting_Click();

protected:
    // Closing the box from its frame stops the job too: the box is what
    // keeps the other windows still while the job runs.
    void Form_Unload() override;

private:
    static std::span<const platform::Control<CalCanPrint>> controlTable();

    QLabel *Label1 = nullptr;
    QPushButton *CancelPrinting = nullptr;
};
