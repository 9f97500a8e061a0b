#include "config/mmkv/ValueCodec.h"

#include <bit>

#include "config/mmkv/LittleEndian.h"
#include "config/mmkv/Varint.h"

namespace Vyro::Mmkv {

namespace {
template <typename Bits>
std::string EncodeBits(Bits bits)
{
    std::string bytes(sizeof(Bits), '\0');
    StoreLittleEndian(bytes, 0, bits);
    return bytes;
}

template <typename Bits>
std::optional<Bits> DecodeBits(std::string_view value)
{
    if (value.size() < sizeof(Bits)) {
        return std::nullopt;
    }
    return LoadLittleEndian<Bits>(value, 0);
}

// std::optional::transform arrives only with C++23.
template <typename T, typename Function>
auto Transform(const std::optional<T>& value, Function function) -> std::optional<decltype(function(*value))>
{
    if (!value) {
        return std::nullopt;
    }
    return function(*value);
}
} // namespace

std::string EncodeBool(bool value) { return std::string(1, value ? '\1' : '\0'); }

std::string EncodeInt32(std::int32_t value) { return EncodeInt64(value); }

std::string EncodeInt64(std::int64_t value)
{
    std::string bytes;
    AppendVarint(bytes, static_cast<std::uint64_t>(value));
    return bytes;
}

std::string EncodeFloat(float value) { return EncodeBits(std::bit_cast<std::uint32_t>(value)); }

std::string EncodeDouble(double value) { return EncodeBits(std::bit_cast<std::uint64_t>(value)); }

std::string EncodeString(std::string_view value)
{
    std::string bytes;
    AppendLengthPrefixed(bytes, value);
    return bytes;
}

std::optional<bool> DecodeBool(std::string_view value)
{
    return Transform(DecodeInt32(value), [](std::int32_t number) { return number != 0; });
}

std::optional<std::int32_t> DecodeInt32(std::string_view value) { return ReadVarint32(value); }

std::optional<std::int64_t> DecodeInt64(std::string_view value)
{
    return Transform(ReadVarint(value), [](std::uint64_t number) { return static_cast<std::int64_t>(number); });
}

std::optional<float> DecodeFloat(std::string_view value)
{
    return Transform(DecodeBits<std::uint32_t>(value), [](std::uint32_t bits) { return std::bit_cast<float>(bits); });
}

std::optional<double> DecodeDouble(std::string_view value)
{
    return Transform(DecodeBits<std::uint64_t>(value), [](std::uint64_t bits) { return std::bit_cast<double>(bits); });
}

std::optional<std::string_view> DecodeString(std::string_view value) { return ReadLengthPrefixed(value); }

} // namespace Vyro::Mmkv
