#include "config/mmkv/StoreReader.h"

#include <algorithm>

#include <fmt/format.h>

#include "config/mmkv/Crc32.h"
#include "config/mmkv/Crypto.h"
#include "config/mmkv/LittleEndian.h"

namespace Vyro::Mmkv {

namespace {
// The data file starts with a 4-byte size that only writers older than meta version 3 kept.
constexpr std::size_t kLegacyHeaderSize = 4;

struct Checkpoint {
    std::uint32_t size;
    std::uint32_t crc32;
};

bool Covers(std::string_view data, Checkpoint checkpoint)
{
    return kLegacyHeaderSize + std::uint64_t{checkpoint.size} <= data.size() &&
           Crc32(data.substr(kLegacyHeaderSize, checkpoint.size)) == checkpoint.crc32;
}

// The first pair of (stream size, checksum) the meta file offers that matches the data: the
// current one, then (from version 3 on) the current checksum with an older writer's size header,
// then the state the last rewrite confirmed. `recovered` when it is not the current one.
struct VerifiedSize {
    std::uint32_t size;
    bool recovered;
};

std::optional<VerifiedSize> FindVerifiedSize(std::string_view data, const StoreMeta& meta)
{
    const auto legacySize = LoadLittleEndian<std::uint32_t>(data, 0);
    const bool sized = meta.version >= kFirstVersionWithSize;
    const Checkpoint current{sized ? meta.actualSize : legacySize, meta.crc32};
    if (Covers(data, current)) {
        return VerifiedSize{current.size, false};
    }
    if (!sized) {
        return std::nullopt;
    }
    for (const Checkpoint fallback :
         {Checkpoint{legacySize, meta.crc32}, Checkpoint{meta.lastConfirmedSize, meta.lastConfirmedCrc32}}) {
        if (Covers(data, fallback)) {
            return VerifiedSize{fallback.size, true};
        }
    }
    return std::nullopt;
}

// Before version 2 no IV was stored and the key's first bytes served as one.
Iv IvFor(const StoreMeta& meta, const std::string& key)
{
    if (meta.version >= kFirstVersionWithIv) {
        return meta.iv;
    }
    Iv iv{};
    std::copy_n(key.begin(), std::min(key.size(), kIvSize), iv.begin());
    return iv;
}

std::optional<std::string> Plaintext(std::string_view stream, const StoreMeta& meta,
                                     const std::optional<std::string>& key)
{
    if (!key) {
        return std::string(stream);
    }
    return AesCfb128(*key, IvFor(meta, *key), stream, CfbDirection::Decrypt);
}

LoadedStore Unreadable(LoadedStore store, std::string problem)
{
    store.values.clear();
    store.problem = std::move(problem) + "; it reads as empty";
    return store;
}

// A file's bytes, or why there are none.
struct FileRead {
    std::optional<std::string> bytes;
    std::string problem;
};

FileRead ReadDataFile(const StoreLocation& location)
{
    const auto size = FileSize(location.DataPath());
    if (!size || *size == 0) {
        return {std::nullopt, "the data file is missing or empty"};
    }
    if (*size > kMaxDataFileSize) {
        return {std::nullopt, fmt::format("the data file is {} bytes, more than any store", *size)};
    }
    auto bytes = ReadFilePrefix(location.DataPath(), *size);
    if (!bytes) {
        return {std::nullopt, "the data file cannot be read"};
    }
    return {std::move(bytes), {}};
}

// Only the record at its start matters.
FileRead ReadMetaFile(const StoreLocation& location)
{
    auto bytes = ReadFilePrefix(location.MetaPath(), kMetaRecordSize);
    if (!bytes || bytes->empty()) {
        return {std::nullopt, "the meta file is missing or empty"};
    }
    return {std::move(bytes), {}};
}

LoadedStore Decode(LoadedStore store, std::string_view stream, const std::optional<std::string>& key)
{
    if (stream.empty()) {
        return store;
    }
    const auto plaintext = Plaintext(stream, store.meta, key);
    if (!plaintext) {
        return Unreadable(std::move(store), "the data cannot be decrypted");
    }
    auto values = ReplayStream(*plaintext);
    if (!values) {
        return Unreadable(std::move(store), "the data does not decode (written with another key, or damaged)");
    }
    store.values = std::move(*values);
    return store;
}
} // namespace

LoadedStore LoadStore(const StoreLocation& location, const std::optional<std::string>& key)
{
    LoadedStore store;
    const FileRead data = ReadDataFile(location);
    if (!data.bytes) {
        return Unreadable(std::move(store), data.problem);
    }
    const FileRead meta = ReadMetaFile(location);
    if (!meta.bytes) {
        return Unreadable(std::move(store), meta.problem);
    }
    store.meta = ParseMeta(*meta.bytes);
    const auto verified = FindVerifiedSize(*data.bytes, store.meta);
    if (!verified) {
        return Unreadable(std::move(store),
                          "its checksum does not match the data, nor does the last confirmed state's");
    }
    if (verified->recovered) {
        store.problem = fmt::format("its checksum does not match the data; it reads as the last confirmed state "
                                    "({} of {} bytes)",
                                    verified->size, store.meta.actualSize);
    }
    return Decode(std::move(store), std::string_view(*data.bytes).substr(kLegacyHeaderSize, verified->size), key);
}

} // namespace Vyro::Mmkv
