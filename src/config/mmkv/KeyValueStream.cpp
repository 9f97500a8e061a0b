#include "config/mmkv/KeyValueStream.h"

#include "config/mmkv/Varint.h"

namespace Vyro::Mmkv {

std::string EncodeStream(std::uint32_t placeholder, const ValueMap& values)
{
    std::string stream;
    AppendVarint(stream, placeholder);
    for (const auto& [key, value] : values) {
        AppendLengthPrefixed(stream, key);
        AppendLengthPrefixed(stream, value);
    }
    return stream;
}

std::optional<ValueMap> ReplayStream(std::string_view stream)
{
    if (!ReadVarint(stream)) {
        return std::nullopt;
    }
    ValueMap values;
    while (!stream.empty()) {
        const auto key = ReadLengthPrefixed(stream);
        if (!key) {
            return std::nullopt;
        }
        // MMKV's own parser takes a zero key length alone and reads the next varint as the next
        // key's length; doing the same keeps such streams readable exactly as MMKV reads them.
        if (key->empty()) {
            continue;
        }
        const auto value = ReadLengthPrefixed(stream);
        if (!value) {
            return std::nullopt;
        }
        if (value->empty()) {
            values.erase(std::string(*key));
        } else {
            values.insert_or_assign(std::string(*key), std::string(*value));
        }
    }
    return values;
}

} // namespace Vyro::Mmkv
