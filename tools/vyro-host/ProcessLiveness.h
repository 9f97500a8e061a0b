#pragma once

#include <string>

namespace VyroHost {

// A text naming this process, made of digits and dots, that no later process shares: its id, and
// under Windows (where ids come round again quickly, under Wine at once) its creation time.
std::string CurrentProcessIdentity();
// Whether the process `identity` names runs now (one that cannot be asked about counts as running).
bool ProcessRunning(const std::string& identity);

} // namespace VyroHost
