#include "config/ConfigStoreKey.h"

#include <array>
#include <cstdint>

namespace Vyro {

namespace {

constexpr std::array<std::uint64_t, 4> kKeyWords = {
    0xC58E18EC050C22F9ull,
    0x3E0F0ED8B2BC5613ull,
    0x08D34AC401B5526Dull,
    0x1DBBC6EC5DE95D69ull,
};

// Little-endian byte order written out by hand, so that the key is the same on every host.
std::string BuildKey()
{
    std::string key;
    key.reserve(kKeyWords.size() * sizeof(std::uint64_t));
    for (std::uint64_t word : kKeyWords) {
        for (std::size_t byte = 0; byte < sizeof(word); ++byte) {
            key += static_cast<char>((word >> (8 * byte)) & 0xFFu);
        }
    }
    return key;
}

} // namespace

const std::string kConfigStoreKey = BuildKey();

} // namespace Vyro
