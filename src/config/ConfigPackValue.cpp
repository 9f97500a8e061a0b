#include "config/ConfigPackValue.h"

#include <array>

namespace Vyro {

const char* ConfigValueTypeName(const ConfigValue& value)
{
    // In the order of the variant's alternatives.
    static constexpr std::array<const char*, std::variant_size_v<ConfigValue>> kNames = {
        "bool", "int32", "int64", "double", "string"};
    return kNames[value.index()];
}

} // namespace Vyro
