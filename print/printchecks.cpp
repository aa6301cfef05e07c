#include "printchecks.h"

#include "core/dateranges.h"
#include "printjob.h"

namespace printchecks {

const QString InputErrorTitle = QStringLiteral("Input Error .....");
const QString MonthLimitsText = QStringLiteral("Check your 'From Month' or 'To Month' limits");
const QString DateLimitsText = QStringLiteral("Check your date limits");

QString refusalOf(const PrintRange &range)
{
    if (!core::isMonthNumber(range.From) || !core::isMonthNumber(range.To))
        return MonthLimitsText;
    if (!core::monthInSpan(range.calendar, {range.Year, range.From})
        || !core::monthInSpan(range.calendar, {range.Year, range.To}))
        return DateLimitsText;
    return QString();
}

} // namespace printchecks
