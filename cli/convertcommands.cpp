// to-hijri and to-gregorian: the conversion dialog's two buttons, with the
// date on the command line and the answer on standard output.
#include "cli.h"

#include "core/conversion.h"
#include "core/messages.h"

#include <QCommandLineParser>
#include <QRegularExpression>
#include <algorithm>
#include <cstdio>
#include <optional>

namespace cli {
namespace {

// YYYY-MM-DD in ASCII digits, and nothing around it: no blanks, no sign, no
// other scripts' digits. Up to nine digits of year, so that any year read
// fits a 32-bit integer and the engine decides whether it is in range.
std::optional<core::Ymd> parseDate(const QString &text)
{
    static const QRegularExpression form(
        QRegularExpression::anchoredPattern(QStringLiteral("([0-9]{1,9})-([0-9]{1,2})-([0-9]{1,2})")));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    return core::Ymd{match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt()};
}

QString formatDate(const core::ConvertedDate &converted)
{
    return QString::asprintf("%04d-%02d-%02d ", int(converted.date.year), int(converted.date.month),
                             int(converted.date.day))
        + converted.weekday;
}

void printCommandHelp(const Command &command)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(command.description);
    parser.addOption(helpOption());
    parser.addPositionalArgument(command.operands, QStringLiteral("The date, e.g. 2024-07-16."),
                                 command.name + u' ' + command.operands);
    printHelp(parser);
}

// The arguments are read here rather than by an option parser: "-h" or
// "--help" alone asks for help; any other word that begins with "-" is an
// option the command does not know, unless "--" stands before it; exactly
// one date must follow.
int runConversion(const Command &command, QStringList arguments,
                  core::Result<core::ConvertedDate> (*convert)(const core::Ymd &))
{
    if (arguments.size() == 1 && (arguments[0] == u"-h" || arguments[0] == u"--help")) {
        printCommandHelp(command);
        return Done;
    }
    if (!arguments.isEmpty() && arguments[0] == u"--")
        arguments.removeFirst();
    else if (const auto option = std::find_if(arguments.cbegin(), arguments.cend(),
                                              [](const QString &a) { return a.size() > 1 && a.startsWith(u'-'); });
             option != arguments.cend()) {
        printError(
            QStringLiteral("Unknown option '%1'; 'dovrin-cli %2 --help' tells more.").arg(*option, command.name));
        return Misused;
    }
    if (arguments.size() != 1) {
        printError(QStringLiteral("%1 takes one date, %2; 'dovrin-cli %1 --help' tells more.")
                       .arg(command.name, command.operands));
        return Misused;
    }
    if (!installEngine())
        return NoEngine;
    const std::optional<core::Ymd> date = parseDate(arguments[0]);
    if (!date) {
        printError(core::messages::DateRefused);
        return Refused;
    }
    const core::Result<core::ConvertedDate> converted = convert(*date);
    if (!converted) {
        printError(converted.failure().oneLine());
        return Refused;
    }
    printLine(formatDate(*converted));
    return Done;
}

} // namespace

int runToHijri(const Command &command, const QStringList &arguments)
{
    return runConversion(command, arguments, core::ConvertGregToHijri);
}

int runToGregorian(const Command &command, const QStringList &arguments)
{
    return runConversion(command, arguments, core::ConvertHijriToGreg);
}

} // namespace cli
