#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// Where a store's two files live, and plain whole-file reads and in-place writes of them.
namespace Vyro::Mmkv {

// A configuration store is a few hundred KB; a larger data file is not one of ours, and is refused
// rather than read into memory (also the limit a writer keeps to).
inline constexpr std::uintmax_t kMaxDataFileSize = 64u << 20;

// One store: the data file "<root>/<id>" and the meta file "<root>/<id>.crc". Both strings are UTF-8.
struct StoreLocation {
    std::string root;
    std::string id;

    std::filesystem::path Folder() const;
    std::filesystem::path DataPath() const;
    std::filesystem::path MetaPath() const;
    // "store 'id' in 'root'", for diagnostics.
    std::string Describe() const;
};

// Null when the file is missing or cannot be opened.
std::optional<std::uintmax_t> FileSize(const std::filesystem::path& path);
// At most `maxBytes` from the start of the file (fewer when it is shorter); null when it cannot be
// opened or read.
std::optional<std::string> ReadFilePrefix(const std::filesystem::path& path, std::uintmax_t maxBytes);

// Overwrites the file in place (creating it when missing) and then cuts it to `bytes.size()`: the
// file is never empty or absent half-way, so a reader meeting a half-written file finds content
// that fails its checksum rather than no store at all.
bool WriteFileBytes(const std::filesystem::path& path, std::string_view bytes);

// Creates the folder and its parents; true when it exists afterwards.
bool CreateFolder(const std::filesystem::path& path);

} // namespace Vyro::Mmkv
