#pragma once

// Starting a program and waiting for it, as a launcher starts a game. Kept free of system headers
// so that tests including it see no Windows macros.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace VyroTools {

// Runs `program` (a path; no search) with `arguments` (UTF-8, any text) on this process's standard
// input, output and error, and waits for it. Returns its exit code, 128 plus the signal number
// when a signal ended it, or null with `error` set when it could not be started or waited for.
std::optional<int> RunChild(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                            std::string& error);

// The id of this process as the process snapshot reports it.
std::uint32_t CurrentProcessId();

} // namespace VyroTools
