#include "calendarengine.h"

#include <cstdio>
#include <cstdlib>

namespace core {
namespace {
const CalendarEngine *currentEngine = nullptr;
}

const CalendarEngine &engine()
{
    if (!currentEngine) {
        // A programming error, not a user's: main() installs the engine first.
        std::fputs("dovrin: calendar engine used before it was loaded\n", stderr);
        std::abort();
    }
    return *currentEngine;
}

void setEngine(const CalendarEngine *engine) { currentEngine = engine; }

} // namespace core
