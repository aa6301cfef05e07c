// The system clock's local date, with a pin for tests and screenshots.
#pragma once

#include <QDate>

namespace platform {

QDate currentDate();

// While pinned, currentDate() answers the pinned date; an invalid date unpins.
void pinDate(QDate date);

} // namespace platform
