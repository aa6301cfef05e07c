// What the CUPS spooler says about itself, about a queue and about the last
// document handed to it. Qt hands documents over without telling whether the
// spooler took them, so the printer asks the spooler itself: on a thread of
// its own, over a connection of its own with short timeouts, while the
// window's events go on, so that a spooler that does not answer never
// freezes the program.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace platform::spooler {

// The printing library (libcups) as the dynamic linker found it for Qt: the
// one already loaded into the process, else the first folder of `folders`
// holding it. Only absolute paths count: a bare name would be searched on
// LD_LIBRARY_PATH, where an empty entry stands for the working directory.
// Empty when there is none.
QString findPrintingLibrary(const QStringList &loadedObjects, const QStringList &folders,
                            const std::function<bool(const QString &)> &exists);
// The files of every object loaded into the process now.
QStringList loadedObjects();
// Where the linker looks for Qt's libraries: the folder Qt's print support
// came from, then the system's library folders from its configuration.
QStringList linkerFolders();

// Opens the printing library before Qt makes a printer, so that Qt's print
// plugin finds it already open and nothing is looked up by name. Without it
// the checks below step aside and Qt's own result stands.
void openPrintingLibrary();

// How long the window waits at most for the spooler's answer; one that
// answers at all does so in milliseconds.
constexpr int AnswerWaitMs = 10000;

// Empty when the spooler answers; otherwise why nothing can be printed, in
// the user's words. Waits at most AnswerWaitMs, letting window events through.
QString whySpoolerSilent();

// Empty when the queue can take a job now; otherwise why it cannot, naming
// the printer. Waits as whySpoolerSilent does.
QString whyQueueRefuses(const QString &queue);

// Right after a document was handed to the spooler on this thread: empty
// when the spooler made a job of it, otherwise why not, naming the printer.
QString whyLastDocumentRefused(const QString &queue);

} // namespace platform::spooler
