// The print dialog.
#pragma once

#include "platform/form.h"

class CalPrint : public platform::Form {
    Q_OBJECT
public:
    explicit CalPrint(QWidget *parent = nullptr);
};
