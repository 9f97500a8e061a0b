#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "config/mmkv/Crypto.h"

// The meta file ("<id>.crc"): a 112-byte little-endian record at the start of one zero-filled page,
// telling how long the stream is, its checksum, its IV and the state last confirmed by a rewrite.
namespace Vyro::Mmkv {

inline constexpr std::size_t kPageSize = 4096;
inline constexpr std::size_t kMetaRecordSize = 112;
// The version this implementation writes: IV, actual size, last-confirmed state and flags all kept.
inline constexpr std::uint32_t kMetaVersion = 4;
// First versions that keep the IV, and the actual size and last-confirmed state.
inline constexpr std::uint32_t kFirstVersionWithIv = 2;
inline constexpr std::uint32_t kFirstVersionWithSize = 3;
// Flag bit 0: every value ends in a 4-byte expiry time.
inline constexpr std::uint64_t kExpirationFlag = 1;

struct StoreMeta {
    std::uint32_t crc32 = 0;
    std::uint32_t version = 0;
    std::uint32_t sequence = 0;
    Iv iv{};
    std::uint32_t actualSize = 0;
    std::uint32_t lastConfirmedSize = 0;
    std::uint32_t lastConfirmedCrc32 = 0;
    std::uint64_t flags = 0;

    bool operator==(const StoreMeta&) const = default;
};

// Decodes the record at the start of `bytes`; fields past the end of a short file read as zero.
StoreMeta ParseMeta(std::string_view bytes);

// One page: the record, then zeros (the reserved words included).
std::string SerializeMeta(const StoreMeta& meta);

} // namespace Vyro::Mmkv
