// The configuration store reader on any pair of files. Input: one byte of flags (bit 0: read with
// the store's key, else as a plain store), four bytes (little-endian) giving the data file's size,
// the data file, then the companion ".crc" file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "ScratchFolder.h"
#include "config/ConfigStoreKey.h"
#include "config/mmkv/StoreReader.h"
#include "config/mmkv/ValueCodec.h"

namespace {

const VyroFuzz::ScratchFolder& Folder()
{
    static const VyroFuzz::ScratchFolder folder;
    return folder;
}

// Whatever a value's bytes hold, every typed reading of them must come back without fault; a
// string read back must encode to bytes that read as the same string.
void ReadEveryWay(std::string_view value)
{
    (void)Vyro::Mmkv::DecodeBool(value);
    (void)Vyro::Mmkv::DecodeInt32(value);
    (void)Vyro::Mmkv::DecodeInt64(value);
    (void)Vyro::Mmkv::DecodeFloat(value);
    (void)Vyro::Mmkv::DecodeDouble(value);
    if (const auto text = Vyro::Mmkv::DecodeString(value)) {
        if (Vyro::Mmkv::DecodeString(Vyro::Mmkv::EncodeString(*text)) != text) {
            std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 5) {
        return -1;
    }
    const bool encrypted = (data[0] & 1) != 0;
    const std::size_t dataSize = data[1] | data[2] << 8 | data[3] << 16 | static_cast<std::size_t>(data[4]) << 24;
    const std::string_view rest(reinterpret_cast<const char*>(data) + 5, size - 5);
    const std::string_view dataFile = rest.substr(0, dataSize);
    const std::string_view metaFile = rest.substr(dataFile.size());

    const Vyro::Mmkv::StoreLocation location{Folder().Path().string(), Vyro::kConfigStoreId};
    Folder().Clear();
    Folder().Write(Vyro::kConfigStoreId, dataFile);
    Folder().Write(std::string(Vyro::kConfigStoreId) + ".crc", metaFile);
    const auto store = Vyro::Mmkv::LoadStore(location, encrypted ? std::optional(Vyro::kConfigStoreKey) : std::nullopt);
    for (const auto& entry : store.values) {
        ReadEveryWay(entry.second);
    }
    return 0;
}
