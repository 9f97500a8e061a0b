#include "config/mmkv/StoreFiles.h"

#include <fstream>
#include <system_error>

#include <fmt/format.h>

#include "config/Utf8Path.h"

namespace Vyro::Mmkv {

namespace fs = std::filesystem;

namespace {
constexpr std::string_view kMetaSuffix = ".crc";
} // namespace

fs::path StoreLocation::Folder() const { return PathFromUtf8(root); }

fs::path StoreLocation::DataPath() const { return Folder() / PathFromUtf8(id); }

fs::path StoreLocation::MetaPath() const { return Folder() / PathFromUtf8(id + std::string(kMetaSuffix)); }

std::string StoreLocation::Describe() const { return fmt::format("store '{}' in '{}'", id, root); }

std::optional<std::uintmax_t> FileSize(const fs::path& path)
{
    std::error_code error;
    const std::uintmax_t size = fs::file_size(path, error);
    if (error) {
        return std::nullopt;
    }
    return size;
}

std::optional<std::string> ReadFilePrefix(const fs::path& path, std::uintmax_t maxBytes)
{
    std::ifstream file(path, std::ios::binary);
    if (!file.is_open()) {
        return std::nullopt;
    }
    // One allocation of the size asked for, read straight into: a growing string would take fresh
    // heap pages for every doubling, which is most of what a process's first store open costs.
    std::string bytes(static_cast<std::size_t>(maxBytes), '\0');
    const std::streamsize got = file.rdbuf()->sgetn(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return bytes;
}

bool WriteFileBytes(const fs::path& path, std::string_view bytes)
{
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
    if (!file.is_open()) {
        file.open(path, std::ios::out | std::ios::binary);
    }
    if (!file.is_open() || !file.write(bytes.data(), static_cast<std::streamsize>(bytes.size())) || !file.flush()) {
        return false;
    }
    file.close();
    std::error_code error;
    fs::resize_file(path, bytes.size(), error);
    return !error;
}

bool CreateFolder(const fs::path& path)
{
    std::error_code error;
    fs::create_directories(path, error);
    return fs::is_directory(path, error);
}

} // namespace Vyro::Mmkv
