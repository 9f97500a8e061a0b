#include "config/mmkv/MetaFile.h"

#include <algorithm>

#include "config/mmkv/LittleEndian.h"

namespace Vyro::Mmkv {

namespace {
// Field offsets in the record; 40..104 are reserved words.
constexpr std::size_t kCrcOffset = 0;
constexpr std::size_t kVersionOffset = 4;
constexpr std::size_t kSequenceOffset = 8;
constexpr std::size_t kIvOffset = 12;
constexpr std::size_t kActualSizeOffset = 28;
constexpr std::size_t kLastConfirmedSizeOffset = 32;
constexpr std::size_t kLastConfirmedCrcOffset = 36;
constexpr std::size_t kFlagsOffset = 104;
} // namespace

StoreMeta ParseMeta(std::string_view bytes)
{
    std::string record(bytes.substr(0, kMetaRecordSize));
    record.resize(kMetaRecordSize, '\0');
    StoreMeta meta;
    meta.crc32 = LoadLittleEndian<std::uint32_t>(record, kCrcOffset);
    meta.version = LoadLittleEndian<std::uint32_t>(record, kVersionOffset);
    meta.sequence = LoadLittleEndian<std::uint32_t>(record, kSequenceOffset);
    std::copy_n(record.begin() + kIvOffset, kIvSize, meta.iv.begin());
    meta.actualSize = LoadLittleEndian<std::uint32_t>(record, kActualSizeOffset);
    meta.lastConfirmedSize = LoadLittleEndian<std::uint32_t>(record, kLastConfirmedSizeOffset);
    meta.lastConfirmedCrc32 = LoadLittleEndian<std::uint32_t>(record, kLastConfirmedCrcOffset);
    meta.flags = LoadLittleEndian<std::uint64_t>(record, kFlagsOffset);
    return meta;
}

std::string SerializeMeta(const StoreMeta& meta)
{
    std::string page(kPageSize, '\0');
    StoreLittleEndian(page, kCrcOffset, meta.crc32);
    StoreLittleEndian(page, kVersionOffset, meta.version);
    StoreLittleEndian(page, kSequenceOffset, meta.sequence);
    std::copy(meta.iv.begin(), meta.iv.end(), page.begin() + kIvOffset);
    StoreLittleEndian(page, kActualSizeOffset, meta.actualSize);
    StoreLittleEndian(page, kLastConfirmedSizeOffset, meta.lastConfirmedSize);
    StoreLittleEndian(page, kLastConfirmedCrcOffset, meta.lastConfirmedCrc32);
    StoreLittleEndian(page, kFlagsOffset, meta.flags);
    return page;
}

} // namespace Vyro::Mmkv
