// The About box: the program's title, version, credit and years.
#pragma once

#include "platform/controls/controltable.h"
#include "platform/controls/form.h"

#include <span>

class CalAbout : public platform::Form {
    Q_OBJECT
public:
    explicit CalAbout(QWidget *parent = nullptr);

    void Form_Load();
    void Command1_Click();

private:
    static std::span<const platform::Control<CalAbout>> controlTable();

    // Controls, named as the box's design names them.
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QPushButton *Command1 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label5 = nullptr;
};
