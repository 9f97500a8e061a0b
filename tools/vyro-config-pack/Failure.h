#pragma once

#include <string>

namespace ConfigPack {

inline constexpr int kSucceeded = 0;
inline constexpr int kFailed = 1;
inline constexpr int kBadCommandLine = 2;

// Prints "error: <message>" on standard error; returns kFailed.
int Fail(const std::string& message);

} // namespace ConfigPack
