// Where a command's output goes: the file the user named, a pipe, a device
// or standard output.
#pragma once

#include "core/failure.h"

#include <QByteArray>
#include <QString>

namespace cli {

// "-" is standard output. A FIFO or a device is written directly and never
// replaced; a symbolic link's target is written and the link kept; a
// regular file, or a new one, is replaced whole or not at all.
core::Result<> writeOutput(const QString &path, const QByteArray &bytes);

} // namespace cli
