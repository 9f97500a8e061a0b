#pragma once

#include <optional>
#include <string>
#include <variant>

#include "Json.h"

namespace VyroHost {

// Callbacks for event types 0 to kEventTypeCount - 1 can be registered (one C function each).
inline constexpr int kEventTypeCount = 16;

// A request export called by name ("Init", "Load", ...); no text means a null pointer.
struct CallStep {
    std::string name;
    std::optional<std::string> params;
    bool callback = true;
};
struct TickStep {
    int count = 1;
};
// Ticks until `count` records matching `match` (as "expectCount" matches) have been output since the
// step began, for answers that work on a store's own threads brings in a Tick not known in advance.
struct TickUntilStep {
    Json match;
    int count = 1;
    int timeoutMs = 10000;
    bool sinceStart = false; // count the records of the whole scenario, not only those of this step
};
struct RegisterStep {
    int type = 0;
};
struct UnregisterStep {
    int type = 0;
};
struct SleepStep {
    int milliseconds = 0;
};
struct UnityStep {
    bool load = true;
};
struct LogLevelStep {
    int level = 0;
};
struct PrintStep {};
// A control message for a staged simulated store runtime.
struct SimStep {
    std::string runtime;
    std::string control;
};

// A report on an entry of the staged folder: a path relative to it.
struct FileStep {
    std::string path;
};

using StepAction = std::variant<CallStep, TickStep, TickUntilStep, RegisterStep, UnregisterStep, SleepStep, UnityStep, LogLevelStep,
                                PrintStep, SimStep, FileStep>;

struct Step {
    Json source; // the step as written, echoed before it runs
    StepAction action;
};

} // namespace VyroHost
