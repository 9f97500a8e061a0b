#pragma once

#include <filesystem>

namespace VyroHost {

// The running harness executable; empty if the system cannot tell.
std::filesystem::path ExecutablePath();

// The folder of the running harness executable, where the build puts the library, the simulated
// store runtimes and the launcher; empty if the system cannot tell.
std::filesystem::path ExecutableFolder();

} // namespace VyroHost
