// The conversion dialog.
#pragma once

#include "platform/form.h"

class CalConv : public platform::Form {
    Q_OBJECT
public:
    explicit CalConv(QWidget *parent = nullptr);
};
