#pragma once

#include <cstdint>
#include <string_view>

namespace Vyro::Mmkv {

// zlib's CRC-32 (reflected polynomial 0xEDB88320), the checksum the meta file keeps of the stream.
std::uint32_t Crc32(std::string_view bytes);

} // namespace Vyro::Mmkv
