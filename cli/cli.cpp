#include "cli.h"

#include "core/calendarengine.h"
#include "platform/engineloader/engineloader.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>
#include <memory>

namespace cli {
namespace {

const QList<Command> &commands()
{
    static const QList<Command> table = {
        {QStringLiteral("to-hijri"), QStringLiteral("DATE"),
         QStringLiteral("Converts a Gregorian date, YYYY-MM-DD, to the Hijri calendar."), runToHijri},
        {QStringLiteral("to-gregorian"), QStringLiteral("DATE"),
         QStringLiteral("Converts a Hijri date, YYYY-MM-DD, to the Gregorian calendar."), runToGregorian},
        {QStringLiteral("pdf"), QStringLiteral("FILE"),
         QStringLiteral("Writes months of a year, one page each as printed, into one PDF file."), runPdf},
        {QStringLiteral("ics"), QStringLiteral("FILE"),
         QStringLiteral("Writes the Hijri date of every day of months of a year as an iCalendar file for calendar "
                        "programs."),
         runIcs},
    };
    return table;
}

QString commandList()
{
    QString text = QStringLiteral("Dovrin's calendar work without a window.\n\nCommands:\n");
    for (const Command &command : commands()) {
        const QString usage = command.name + u' ' + command.operands;
        text += QStringLiteral("  %1  %2\n").arg(usage, -18).arg(command.description);
    }
    return text + QStringLiteral("\n'dovrin-cli COMMAND --help' tells more about a command.");
}

// Kept for the life of the process: the commands' results come from it.
std::unique_ptr<core::CalendarEngine> loadedEngine;

} // namespace

void printLine(const QString &text)
{
    std::fputs(qPrintable(text + u'\n'), stdout);
    std::fflush(stdout);
}

void printError(const QString &text)
{
    std::fputs(qPrintable(QStringLiteral("dovrin-cli: ") + text + u'\n'), stderr);
    std::fflush(stderr);
}

QCommandLineOption helpOption()
{
    return QCommandLineOption({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Displays this help."));
}

void printHelp(const QCommandLineParser &parser)
{
    QString text = parser.helpText();
    const QString invoked = QCoreApplication::arguments().value(0);
    if (const qsizetype at = invoked.isEmpty() ? -1 : text.indexOf(invoked); at >= 0)
        text.replace(at, invoked.size(), QStringLiteral("dovrin-cli"));
    std::fputs(qPrintable(text), stdout);
}

bool installEngine()
{
    auto loaded = platform::loadEngine(QCoreApplication::applicationDirPath());
    if (!loaded) {
        printError(loaded.failure().oneLine());
        return false;
    }
    loadedEngine = std::move(*loaded);
    core::setEngine(loadedEngine.get());
    return true;
}

int run(const QStringList &commandLine)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(commandList());
    const QCommandLineOption help = helpOption();
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("The command to run, listed above."),
                                 QStringLiteral("COMMAND [ARGUMENTS]"));
    // Everything after the command's name is the command's own.
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);

    if (!parser.parse(commandLine)) {
        printError(parser.errorText());
        return Misused;
    }
    if (parser.isSet(help)) {
        printHelp(parser);
        return Done;
    }
    if (parser.isSet(version)) {
        printLine(QCoreApplication::applicationName() + u' ' + QCoreApplication::applicationVersion());
        return Done;
    }
    QStringList arguments = parser.positionalArguments();
    if (arguments.isEmpty()) {
        printError(QStringLiteral("no command given; 'dovrin-cli --help' lists them."));
        return Misused;
    }
    const QString name = arguments.takeFirst();
    for (const Command &command : commands()) {
        if (command.name == name)
            return command.run(command, arguments);
    }
    printError(QStringLiteral("unknown command '%1'; 'dovrin-cli --help' lists them.").arg(name));
    return Misused;
}

} // namespace cli
