#pragma once

#include <filesystem>

namespace VyroHost {

// The folder of the running harness executable, where the build puts the library and the
// simulated store runtimes; empty if the system cannot tell.
std::filesystem::path ExecutableFolder();

} // namespace VyroHost
