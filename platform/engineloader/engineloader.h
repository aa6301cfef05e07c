// Loads the calendar engine library from the program's own folder, never
// from the working directory or the library search path.
#pragma once

#include "core/calendarengine.h"
#include "core/failure.h"

#include <QString>
#include <memory>

namespace platform {

inline constexpr char EngineFileName[] = "libzendat32.so";

// Loads the library by absolute path from the program's folder or, for an
// installed layout, ../lib/dovrin beside it, and resolves its seven
// ordinals once. A failure names the file and the reason, on lines of
// their own; whoever loads the engine presents it.
core::Result<std::unique_ptr<core::CalendarEngine>> loadEngine(const QString &programDir);

} // namespace platform
