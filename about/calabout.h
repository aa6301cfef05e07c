// The About box.
#pragma once

#include "platform/form.h"

class CalAbout : public platform::Form {
    Q_OBJECT
public:
    explicit CalAbout(QWidget *parent = nullptr);
};
