// ics: the Hijri date of every day of months of a year, as an iCalendar
// file that calendar programs import beside their own Gregorian days.
#include "cli.h"

#include "icalendar.h"
#include "monthrange.h"
#include "outputfile.h"

#include <QDateTime>

namespace cli {
namespace {

// When the file was made: now, or SOURCE_DATE_EPOCH's seconds where it is
// set, so that two runs can give the same bytes.
QDateTime madeAt()
{
    bool isNumber = false;
    const qint64 seconds = qEnvironmentVariable("SOURCE_DATE_EPOCH").toLongLong(&isNumber);
    return isNumber ? QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC) : QDateTime::currentDateTimeUtc();
}

} // namespace

int runIcs(const Command &command, const QStringList &arguments)
{
    QCommandLineParser parser;
    MonthOptions options(parser, command, QStringLiteral("The iCalendar file"));
    const std::variant<MonthsToWrite, int> read = options.read(arguments, false);
    if (const int *status = std::get_if<int>(&read))
        return *status;
    const auto &[file, range] = std::get<MonthsToWrite>(read);
    if (const std::optional<int> refused = refusal(range))
        return *refused;
    if (!installEngine())
        return NoEngine;
    if (const core::Result<> written = writeOutput(file, hijriDatesCalendar(range, madeAt())); !written) {
        printError(written.failure().oneLine());
        return Failed;
    }
    return Done;
}

} // namespace cli
