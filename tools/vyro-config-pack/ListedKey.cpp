#include "ListedKey.h"

#include <fmt/format.h>

namespace ConfigPack {

namespace {

constexpr char kDelete = 0x7F;

std::optional<char> ShortEscape(char escaped)
{
    switch (escaped) {
    case '\\': return '\\';
    case 'n': return '\n';
    case 'r': return '\r';
    case 't': return '\t';
    default: return std::nullopt;
    }
}

std::optional<int> HexDigit(char digit)
{
    if (digit >= '0' && digit <= '9') {
        return digit - '0';
    }
    if (digit >= 'A' && digit <= 'F') {
        return digit - 'A' + 10;
    }
    if (digit >= 'a' && digit <= 'f') {
        return digit - 'a' + 10;
    }
    return std::nullopt;
}

} // namespace

std::string ListedKey(const std::string& key)
{
    std::string listed;
    listed.reserve(key.size());
    for (const char byte : key) {
        switch (byte) {
        case '\\': listed += "\\\\"; break;
        case '\n': listed += "\\n"; break;
        case '\r': listed += "\\r"; break;
        case '\t': listed += "\\t"; break;
        default:
            if (static_cast<unsigned char>(byte) < 0x20 || byte == kDelete) {
                listed += fmt::format("\\x{:02X}", static_cast<unsigned char>(byte));
            } else {
                listed += byte;
            }
        }
    }
    return listed;
}

std::optional<std::string> KeyFromListing(const std::string& listed)
{
    std::string key;
    for (std::size_t i = 0; i < listed.size(); ++i) {
        if (listed[i] != '\\') {
            key += listed[i];
            continue;
        }
        if (i + 1 >= listed.size()) {
            return std::nullopt;
        }
        if (const auto escaped = ShortEscape(listed[i + 1])) {
            key += *escaped;
            i += 1;
            continue;
        }
        const auto high = listed[i + 1] == 'x' && i + 3 < listed.size() ? HexDigit(listed[i + 2]) : std::nullopt;
        const auto low = high ? HexDigit(listed[i + 3]) : std::nullopt;
        if (!low) {
            return std::nullopt;
        }
        key += static_cast<char>(*high * 16 + *low);
        i += 3;
    }
    return key;
}

} // namespace ConfigPack
