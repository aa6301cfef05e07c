#include "printchecks.h"

#include "core/dateranges.h"
#include "printjob.h"

namespace printchecks {

const QString InputErrorTitle = QStringLiteral("Input Error .....");
const QString MonthLimitsText = QStringLiteral("Check your 'From Month' or 'To Month' limits");
const QString DateLimitsText = QStringLiteral("Check your date limits");

bool MonthInRange(int32_t Month) { return core::isMonthNumber(Month); }

bool DateLimitsOK(core::Lead calendar, int32_t Month, int32_t Year)
{
    return core::monthInSpan(calendar, {Year, Month});
}

QString refusalOf(const PrintRange &range)
{
    if (!MonthInRange(range.From) || !MonthInRange(range.To))
        return MonthLimitsText;
    if (!DateLimitsOK(range.calendar, range.From, range.Year) || !DateLimitsOK(range.calendar, range.To, range.Year))
        return DateLimitsText;
    return QString();
}

} // namespace printchecks
