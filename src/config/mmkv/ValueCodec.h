#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The bytes each typed setter stores as a value, and how each getter reads any value back. No type
// is stored, so a getter decodes whatever bytes it finds, with the results MMKV 2.4 gives for a
// value written by another setter.
namespace Vyro::Mmkv {

std::string EncodeBool(bool value);
// Negative numbers take the ten-byte form of their 64-bit sign extension.
std::string EncodeInt32(std::int32_t value);
std::string EncodeInt64(std::int64_t value);
std::string EncodeFloat(float value);
std::string EncodeDouble(double value);
// The byte length as a varint, then the bytes.
std::string EncodeString(std::string_view value);

// Each getter fails (null) where MMKV's would return the caller's default.
std::optional<bool> DecodeBool(std::string_view value);
std::optional<std::int32_t> DecodeInt32(std::string_view value);
std::optional<std::int64_t> DecodeInt64(std::string_view value);
std::optional<float> DecodeFloat(std::string_view value);
std::optional<double> DecodeDouble(std::string_view value);
std::optional<std::string_view> DecodeString(std::string_view value);

} // namespace Vyro::Mmkv
