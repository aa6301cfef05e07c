// What the CUPS spooler says about itself, about a queue and about the last
// document handed to it. Qt hands documents over without telling whether the
// spooler took them, so the printer asks the spooler itself.
#pragma once

#include <QString>

namespace platform::spooler {

// Opens the printing library (libcups) from the folder the system's Qt
// print support came from (the questions below say when it is not there).
// Called before Qt makes a printer, so that Qt's print plugin finds it
// already open and nothing is looked up by name.
void openPrintingLibrary();

// Empty when the spooler answers; otherwise why it does not.
QString whySpoolerSilent();

// Empty when the queue can take a job now; otherwise why it cannot.
QString whyQueueRefuses(const QString &queue);

// Right after a document was handed to the spooler on this thread: empty
// when the spooler made a job of it, otherwise the spooler's reason.
QString whyLastDocumentRefused();

} // namespace platform::spooler
