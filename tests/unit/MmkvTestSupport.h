#pragma once

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

#include "ConfigTestFolder.h"
#include "config/Utf8Path.h"
#include "config/ConfigStoreKey.h"
#include "config/mmkv/MMKV.h"

// Shared by the store's tests: the project key, fixture copies, raw file access, and a reading of
// streams that follows the documented layout rather than the implementation.
namespace VyroTest::MmkvSupport {

namespace fs = std::filesystem;
using json = nlohmann::json;

inline constexpr const char* kStoreId = "VyroChannelConfig";
inline constexpr const char* kMetaName = "VyroChannelConfig.crc";

// The store key the fixtures were written with (the key test checks the constant against them).
inline std::string ProjectKey() { return Vyro::kConfigStoreKey; }

inline std::string FromHex(std::string_view hex)
{
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        bytes.push_back(static_cast<char>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16)));
    }
    return bytes;
}

inline std::string ReadBytes(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const fs::path& path, std::string_view bytes)
{
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::uint32_t U32At(std::string_view bytes, std::size_t offset)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value |= static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[offset + i])) << (8 * i);
    }
    return value;
}

inline fs::path FixturePath(const std::string& name) { return fs::path(VYRO_MMKV_FIXTURES) / name; }

inline json Expected(const std::string& name) { return json::parse(ReadBytes(FixturePath(name) / "expected.json")); }

inline const std::vector<std::string>& FixtureNames()
{
    static const std::vector<std::string> names = {"epic-basic", "types",     "appended",     "cleared",
                                                   "plain",      "wrong-key", "crc-mismatch", "crc-mismatch-header"};
    return names;
}

// The key a fixture's expected.json reads it with; empty for a plain store.
inline std::string ReadKeyOf(const json& expected)
{
    const auto& readWith = expected.at("readWith");
    const auto hex = readWith.find("cryptKeyHex");
    return hex == readWith.end() || hex->is_null() ? std::string() : FromHex(hex->get<std::string>());
}

// A writable copy of a fixture's two files in `root` (the fixtures themselves are read-only).
inline fs::path CopyFixture(const std::string& name, const fs::path& root)
{
    return CopyStore(FixturePath(name), root);
}

// Sets the process's default root once, before any store opens; returns it.
inline const fs::path& InitialiseMmkv()
{
    static const TestFolder defaultRoot;
    static const bool initialised = [] {
        MMKV::initializeMMKV(Vyro::PathToUtf8(defaultRoot.Path()), MMKVLogInfo);
        return true;
    }();
    static_cast<void>(initialised);
    return defaultRoot.Path();
}

// Instances are kept per (root, id) for the process: every open of other files needs a new root.
inline MMKV* Open(const fs::path& root, MMKVMode mode, const std::string& key)
{
    const std::string rootText = Vyro::PathToUtf8(root);
    return MMKV::mmkvWithID(kStoreId, mode, &key, &rootText, 0, true);
}

inline MMKV* OpenReadOnly(const fs::path& root, const std::string& key = ProjectKey())
{
    return Open(root, MMKV_SINGLE_PROCESS | MMKV_READ_ONLY, key);
}

// Every file of a folder with its bytes and modification time.
using FolderSnapshot = std::vector<std::pair<fs::path, std::pair<std::string, fs::file_time_type>>>;

inline FolderSnapshot Snapshot(const fs::path& folder)
{
    FolderSnapshot snapshot;
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(folder, ignored)) {
        snapshot.push_back({entry.path(), {ReadBytes(entry.path()), entry.last_write_time()}});
    }
    std::sort(snapshot.begin(), snapshot.end());
    return snapshot;
}

inline std::uint64_t TakeVarint(std::string_view& in)
{
    std::uint64_t value = 0;
    for (int shift = 0;; shift += 7) {
        const auto byte = static_cast<std::uint8_t>(in.at(0));
        in.remove_prefix(1);
        value |= static_cast<std::uint64_t>(byte & 0x7f) << shift;
        if ((byte & 0x80) == 0) {
            return value;
        }
    }
}

// The (key, value) records of a plaintext stream, after its placeholder varint.
inline std::vector<std::pair<std::string, std::string>> Records(std::string_view stream)
{
    TakeVarint(stream);
    std::vector<std::pair<std::string, std::string>> records;
    while (!stream.empty()) {
        std::string parts[2];
        for (std::string& part : parts) {
            part = std::string(stream.substr(0, TakeVarint(stream)));
            stream.remove_prefix(part.size());
        }
        records.emplace_back(std::move(parts[0]), std::move(parts[1]));
    }
    return records;
}

} // namespace VyroTest::MmkvSupport
