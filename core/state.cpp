#include "state.h"

namespace core {

int16_t CalendarMode = 0;
int16_t CancelPrintFlag = False16;
DayCellTable DayCells;

} // namespace core
