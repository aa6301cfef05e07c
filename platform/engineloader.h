// Loads the calendar engine library from the program's own folder, never
// from the working directory or the library search path.
#pragma once

#include "core/calendarengine.h"

#include <QString>
#include <QStringList>
#include <memory>

namespace platform {

inline constexpr char EngineFileName[] = "libzendat32.so";

struct EngineLoad {
    std::unique_ptr<core::CalendarEngine> engine; // null when loading failed
    QString file;                                 // the library tried last (or the folders searched)
    QString reason;                               // why it failed
};

// The folders searched, in order: the program's folder and, for an
// installed layout, ../lib/dovrin beside it.
QStringList engineFolders(const QString &programDir);

// Loads the library by absolute path and resolves its seven ordinals once.
EngineLoad loadEngine(const QString &programDir);

// What a failed load tells the user: the file and the reason, on lines of
// their own.
QString engineFailureText(const EngineLoad &load);

// loadEngine, and on failure a critical message (also written to standard
// error) naming the file and the reason; then the answer is null.
std::unique_ptr<core::CalendarEngine> loadEngineOrExplain(const QString &programDir);

} // namespace platform
