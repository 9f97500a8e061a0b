#include "config/mmkv/Crc32.h"

#include <zlib.h>

namespace Vyro::Mmkv {

std::uint32_t Crc32(std::string_view bytes)
{
    return static_cast<std::uint32_t>(
        crc32_z(0, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<z_size_t>(bytes.size())));
}

} // namespace Vyro::Mmkv
