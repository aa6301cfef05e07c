// The checks a range of months passes before anything is printed, and what
// the user is told when it does not: the print dialog shows the failure in
// a box, dovrin-cli writes it to standard error.
#pragma once

#include "core/dateranges.h"
#include "core/failure.h"

struct PrintRange;

namespace printchecks {

// Months first, then the calendar's printable span for both ends. A From
// after To passes: such a range prints nothing, without a word.
core::Result<> checkRange(const PrintRange &range);

} // namespace printchecks
