#pragma once

#include <nlohmann/json.hpp>

namespace VyroHost {

// Members keep the order they were written or received in, so steps and replies print as given;
// the check compares objects member by member and never depends on that order.
using Json = nlohmann::ordered_json;

} // namespace VyroHost
