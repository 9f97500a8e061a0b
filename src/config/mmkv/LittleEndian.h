#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Little-endian integers inside byte buffers, the byte order of every field of the store's files.
namespace Vyro::Mmkv {

// Bytes past the end of `bytes` read as zero, as the short files of a damaged store need.
template <typename T>
T LoadLittleEndian(std::string_view bytes, std::size_t offset)
{
    T value = 0;
    for (std::size_t i = 0; i < sizeof(T) && offset + i < bytes.size(); ++i) {
        value |= static_cast<T>(static_cast<std::uint8_t>(bytes[offset + i])) << (8 * i);
    }
    return value;
}

// `bytes` must already hold offset + sizeof(T) bytes.
template <typename T>
void StoreLittleEndian(std::string& bytes, std::size_t offset, T value)
{
    for (std::size_t i = 0; i < sizeof(T); ++i) {
        bytes[offset + i] = static_cast<char>(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

} // namespace Vyro::Mmkv
