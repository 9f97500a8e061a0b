#pragma once

#include <filesystem>
#include <string>

namespace VyroHost {

// Where the harness finds the library and a store's simulated runtime: beside itself in a build;
// when it runs from an unpacked release package's tools/ folder and nothing is beside it, in the
// package's bin/ (lib/ on Linux) and devkit/<store>/ folders.
std::filesystem::path LibraryFor(const std::filesystem::path& bin, const std::string& fileName);
std::filesystem::path StoreRuntimeFor(const std::filesystem::path& bin, const std::string& store, const std::string& source);

} // namespace VyroHost
