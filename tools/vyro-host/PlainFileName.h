#pragma once

#include <string>

namespace VyroHost {

// A name that can only mean a file directly inside a folder: not empty, no folder part, not "." or
// "..". Names the harness places files under must be such names.
bool IsPlainFileName(const std::string& text);

} // namespace VyroHost
