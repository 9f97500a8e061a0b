#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// The platform's own cryptography (Nettle on POSIX, CNG on Windows): AES in CFB mode
// and random bytes.
namespace Vyro::Mmkv {

inline constexpr std::size_t kIvSize = 16;
using Iv = std::array<std::uint8_t, kIvSize>;

enum class CfbDirection { Encrypt, Decrypt };

// AES in CFB mode with 128-bit feedback (SP 800-38A CFB128): any length, no padding, the output as
// long as the input. The key is 16 or 32 bytes (AES-128 or AES-256). Null on any other key length
// or when the platform refuses.
std::optional<std::string> AesCfb128(std::string_view key, const Iv& iv, std::string_view input,
                                     CfbDirection direction);

// Fills `out` from the platform's cryptographic random generator; false when it fails.
bool FillRandom(std::span<std::uint8_t> out);

} // namespace Vyro::Mmkv
