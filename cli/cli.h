// dovrin-cli: the program's work without a window, one command per run.
// Each command parses its own arguments; the table in cli.cpp lists them.
#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>

namespace cli {

// Exit statuses.
enum Status : int {
    Done = 0,
    Refused = 1,  // the input was refused with the program's own message
    Misused = 2,  // unknown command or option, or the wrong number of operands
    NoEngine = 3, // the calendar engine could not be loaded
    Failed = 4,   // the output could not be written
};

struct Command {
    QString name;
    QString operands;    // as shown on the usage line, e.g. "DATE"
    QString description; // one line for the list of commands
    // arguments: what followed the command's name on the command line.
    int (*run)(const Command &command, const QStringList &arguments);
};

// Runs the command line (the program's name first) and answers the exit
// status. Writes only to standard output and standard error.
int run(const QStringList &commandLine);

// Output helpers shared by the commands.
void printLine(const QString &text);  // to standard output
void printError(const QString &text); // "dovrin-cli: text" to standard error
// -h, --help: Qt's own help option would add --help-all, which lists Qt's
// options for graphical programs.
QCommandLineOption helpOption();
// The parser's help on standard output, naming the program "dovrin-cli"
// however it was started.
void printHelp(const QCommandLineParser &parser);
// Loads the engine from the program's own folder (or ../lib/dovrin) and
// installs it; false, with the reason on standard error, when it cannot.
bool installEngine();

// The conversion commands (convertcommands.cpp).
int runToHijri(const Command &command, const QStringList &arguments);
int runToGregorian(const Command &command, const QStringList &arguments);
// The commands that write months: pdf (pdfcommand.cpp) and ics
// (icscommand.cpp).
int runPdf(const Command &command, const QStringList &arguments);
int runIcs(const Command &command, const QStringList &arguments);

} // namespace cli
