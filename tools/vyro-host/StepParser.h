#pragma once

#include <optional>
#include <string>

#include "Step.h"

namespace VyroHost {

// One scenario step from its JSON object: exactly one key names the kind ("call", "tick", ...),
// the others must belong to that kind. Null with `error` set otherwise.
std::optional<Step> ParseStep(const Json& source, std::string& error);

} // namespace VyroHost
