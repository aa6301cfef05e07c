#include "printchecks.h"

#include "core/messages.h"
#include "printjob.h"

namespace printchecks {
namespace {

// 1 to 12.
bool MonthInRange(int32_t Month) { return core::isMonthNumber(Month); }

// Whether the month of that year lies in the calendar's printable span.
bool DateLimitsOK(core::Lead calendar, int32_t Month, int32_t Year)
{
    return core::monthInSpan(calendar, {Year, Month});
}

} // namespace

core::Result<> checkRange(const PrintRange &range)
{
    using namespace core::messages;
    if (!MonthInRange(range.From) || !MonthInRange(range.To))
        return core::Failure{MonthLimits, PrintInputTitle};
    if (!DateLimitsOK(range.calendar, range.From, range.Year) || !DateLimitsOK(range.calendar, range.To, range.Year))
        return core::Failure{DateLimits, PrintInputTitle};
    return {};
}

} // namespace printchecks
