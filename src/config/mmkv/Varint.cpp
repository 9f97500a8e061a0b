#include "config/mmkv/Varint.h"

namespace Vyro::Mmkv {

namespace {
constexpr std::uint8_t kMoreBytes = 0x80;
constexpr std::uint8_t kPayloadBits = 0x7f;
} // namespace

void AppendVarint(std::string& out, std::uint64_t value)
{
    while (value > kPayloadBits) {
        out.push_back(static_cast<char>((value & kPayloadBits) | kMoreBytes));
        value >>= 7;
    }
    out.push_back(static_cast<char>(value));
}

std::optional<std::uint64_t> ReadVarint(std::string_view& in)
{
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < kMaxVarintBytes && i < in.size(); ++i) {
        const auto byte = static_cast<std::uint8_t>(in[i]);
        value |= static_cast<std::uint64_t>(byte & kPayloadBits) << (7 * i);
        if ((byte & kMoreBytes) == 0) {
            in.remove_prefix(i + 1);
            return value;
        }
    }
    return std::nullopt;
}

std::optional<std::int32_t> ReadVarint32(std::string_view& in)
{
    const auto value = ReadVarint(in);
    if (!value) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(*value));
}

void AppendLengthPrefixed(std::string& out, std::string_view bytes)
{
    AppendVarint(out, bytes.size());
    out.append(bytes);
}

std::optional<std::string_view> ReadLengthPrefixed(std::string_view& in)
{
    const auto length = ReadVarint32(in);
    if (!length || *length < 0 || static_cast<std::size_t>(*length) > in.size()) {
        return std::nullopt;
    }
    const std::string_view bytes = in.substr(0, static_cast<std::size_t>(*length));
    in.remove_prefix(bytes.size());
    return bytes;
}

} // namespace Vyro::Mmkv
