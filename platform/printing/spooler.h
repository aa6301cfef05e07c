// What the CUPS spooler says about itself, about a queue and about the last
// document handed to it. Qt hands documents over without telling whether the
// spooler took them, so the printer asks the spooler itself: on a thread of
// its own, over a connection of its own with short timeouts, while the
// window's events go on, so that a spooler that does not answer never
// freezes the program. Without the printing library every question passes
// and Qt's own result stands.
#pragma once

#include "core/failure.h"

#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <optional>

namespace platform::printing {

// Fails, in the user's words, when the spooler does not answer. Waits at
// most ten seconds, letting window events through.
core::Result<> spoolerAnswers();

// Fails, naming the printer, when the queue cannot take a job now. Waits as
// spoolerAnswers does.
core::Result<> queueTakesJobs(const QString &queue);

// What a queue prints on when a job asks for nothing else: each empty where
// the queue gives no default, or does not answer. Waits as spoolerAnswers
// does.
struct QueueDefaults {
    std::optional<QPageSize> paper;
    std::optional<QPageLayout::Orientation> orientation;
};
QueueDefaults queueDefaults(const QString &queue);

// Right after a document was handed to the spooler on this thread: fails,
// naming the printer, when the spooler made no job of it.
core::Result<> documentTaken(const QString &queue);

} // namespace platform::printing
