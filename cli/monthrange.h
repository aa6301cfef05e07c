// What the commands that write months (pdf, ics) read from their command
// line: the FILE to write and a range of months of one year, checked as the
// print dialog checks them.
#pragma once

#include "cli.h"
#include "print/printjob.h"

#include <QCommandLineParser>
#include <variant>

namespace cli {

struct MonthsToWrite {
    QString file;
    PrintRange range;
};

// The parser's own options: --help, --year, --from, --to and --hijri, and
// the FILE operand. `what` is what FILE is ("The PDF file").
class MonthOptions {
public:
    MonthOptions(QCommandLineParser &parser, const Command &command, const QString &what);

    // Parses the command line. A status to exit with when it is not a range
    // to write (help asked for, or a wrong command line, told on standard
    // error); --from and --to default to 1 and 12 where not needed.
    std::variant<MonthsToWrite, int> read(const QStringList &arguments, bool monthsNeeded);

private:
    QCommandLineParser &parser_;
    const Command &command_;
    const QCommandLineOption help_ = helpOption();
    const QCommandLineOption year_, from_, to_, hijri_;
};

// The print dialog's checks, and a From month after the To month (which
// the dialog silently prints nothing for, and a script would find no file
// for): the status to exit with when refused, told on standard error.
std::optional<int> refusal(const PrintRange &range);

} // namespace cli
