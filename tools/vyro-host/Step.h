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

using StepAction = std::variant<CallStep, TickStep, RegisterStep, UnregisterStep, SleepStep, UnityStep, LogLevelStep,
                                PrintStep, SimStep, FileStep>;

struct Step {
    Json source; // the step as written, echoed before it runs
    StepAction action;
};

} // namespace VyroHost
