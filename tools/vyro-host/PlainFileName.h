#pragma once

#include <string>

namespace VyroHost {

// A name that can only mean a file directly inside a folder: not empty, no folder part, not "." or
// "..". Names the harness places files under must be such names.
bool IsPlainFileName(const std::string& text);

// A relative path that can only mean an entry at or below a folder: every part a plain file name.
// Folders a scenario makes, and entries it asks about, in the staged folder must be such paths.
bool IsPathInsideFolder(const std::string& text);

} // namespace VyroHost
