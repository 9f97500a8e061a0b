#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace VyroHost {

// Starts `program` the way a store starts a game: through a chain of launcher processes, so that the
// program finds them among its ancestors under `names` (outermost first). Each is a copy of
// `launcher` (a program that runs its arguments as a command and exits with its exit code) under
// one of the names in a temporary folder, which is removed when the chain has ended. Returns the
// program's exit code as passed back up the chain, or null with `error` set when the chain cannot be
// set up or started.
std::optional<int> RunUnderLaunchers(const std::filesystem::path& launcher, const std::vector<std::string>& names,
                                     const std::filesystem::path& program, const std::vector<std::string>& arguments,
                                     std::string& error);

} // namespace VyroHost
