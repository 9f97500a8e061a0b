#include "config/mmkv/StoreWriter.h"

#include <span>

#include "common/Logger.h"
#include "config/mmkv/Crc32.h"
#include "config/mmkv/Crypto.h"
#include "config/mmkv/StoreLog.h"

namespace Vyro::Mmkv {

namespace {
// The 4-byte size header of old writers, kept at zero.
constexpr std::size_t kLegacyHeaderSize = 4;

std::optional<std::uint32_t> RandomPlaceholder()
{
    std::uint32_t random = 0;
    if (!FillRandom(std::span(reinterpret_cast<std::uint8_t*>(&random), sizeof random))) {
        return std::nullopt;
    }
    return kPlaceholderMin + random % (kPlaceholderMax - kPlaceholderMin + 1);
}

// The smallest whole number of pages with room for the header, the stream and at least one byte
// more (readers require the stream to end before the file does).
std::size_t DataFileSize(std::size_t streamSize)
{
    return ((kLegacyHeaderSize + streamSize) / kPageSize + 1) * kPageSize;
}

StoreMeta NextMeta(const StoreMeta& previous, const Iv& iv, const std::string& stream)
{
    StoreMeta meta;
    meta.crc32 = Crc32(stream);
    meta.version = kMetaVersion;
    meta.sequence = previous.sequence + 1;
    meta.iv = iv;
    meta.actualSize = static_cast<std::uint32_t>(stream.size());
    meta.lastConfirmedSize = meta.actualSize;
    meta.lastConfirmedCrc32 = meta.crc32;
    meta.flags = previous.flags;
    return meta;
}

enum class StoreFile { Data, Meta };

bool WriteStoreFile(const StoreLocation& location, StoreFile file, std::string_view bytes)
{
    if (WriteFileBytes(file == StoreFile::Data ? location.DataPath() : location.MetaPath(), bytes)) {
        return true;
    }
    StoreLog(LogLevel::Error, "MMKV {}: cannot write its {} file", location.Describe(),
             file == StoreFile::Data ? "data" : "meta");
    return false;
}

// Data first, meta second (see the header).
std::optional<StoreMeta> WriteStore(const StoreLocation& location, const Iv& iv, const StoreMeta& previous,
                                    const std::string& stream)
{
    std::string data(kLegacyHeaderSize, '\0');
    data.append(stream);
    data.resize(DataFileSize(stream.size()), '\0');
    if (data.size() > kMaxDataFileSize) {
        StoreLog(LogLevel::Error, "MMKV {}: {} bytes of data is more than a store may hold", location.Describe(),
                 stream.size());
        return std::nullopt;
    }
    const StoreMeta meta = NextMeta(previous, iv, stream);
    if (!WriteStoreFile(location, StoreFile::Data, data) ||
        !WriteStoreFile(location, StoreFile::Meta, SerializeMeta(meta))) {
        return std::nullopt;
    }
    return meta;
}

std::optional<Iv> RandomIv()
{
    Iv iv{};
    if (!FillRandom(iv)) {
        return std::nullopt;
    }
    return iv;
}

std::optional<std::string> Ciphertext(const std::string& plaintext, const Iv& iv, const std::optional<std::string>& key)
{
    if (!key) {
        return plaintext;
    }
    return AesCfb128(*key, iv, plaintext, CfbDirection::Encrypt);
}
} // namespace

bool CreateMissingStoreFiles(const StoreLocation& location)
{
    if (!CreateFolder(location.Folder())) {
        StoreLog(LogLevel::Error, "MMKV {}: cannot create the folder", location.Describe());
        return false;
    }
    StoreMeta empty;
    empty.version = kMetaVersion;
    return (FileSize(location.DataPath()) || WriteStoreFile(location, StoreFile::Data, std::string(kPageSize, '\0'))) &&
           (FileSize(location.MetaPath()) || WriteStoreFile(location, StoreFile::Meta, SerializeMeta(empty)));
}

std::optional<StoreMeta> RewriteStore(const StoreLocation& location, const std::optional<std::string>& key,
                                      const StoreMeta& previous, const ValueMap& values)
{
    const auto placeholder = RandomPlaceholder();
    const auto iv = RandomIv();
    if (!placeholder || !iv) {
        StoreLog(LogLevel::Error, "MMKV {}: the random generator failed", location.Describe());
        return std::nullopt;
    }
    const auto stream = Ciphertext(EncodeStream(*placeholder, values), *iv, key);
    if (!stream) {
        StoreLog(LogLevel::Error, "MMKV {}: encryption failed", location.Describe());
        return std::nullopt;
    }
    return WriteStore(location, *iv, previous, *stream);
}

std::optional<StoreMeta> ClearStore(const StoreLocation& location, const StoreMeta& previous)
{
    const auto iv = RandomIv();
    if (!iv) {
        StoreLog(LogLevel::Error, "MMKV {}: the random generator failed", location.Describe());
        return std::nullopt;
    }
    return WriteStore(location, *iv, previous, std::string());
}

} // namespace Vyro::Mmkv
