#include "config/mmkv/StoreFiles.h"

#include <cstdio>
#include <fstream>
#include <memory>
#include <system_error>

#include <fmt/format.h>

#include "config/Utf8Path.h"

namespace Vyro::Mmkv {

namespace fs = std::filesystem;

namespace {
constexpr std::string_view kMetaSuffix = ".crc";

std::FILE* OpenForReading(const fs::path& path)
{
#ifdef _WIN32
    return _wfopen(path.c_str(), L"rb");
#else
    return std::fopen(path.c_str(), "rb");
#endif
}
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
    // The C library's unbuffered reads rather than a file stream: a process's first stream (its
    // locale and buffer set-up) cost more than the rest of its first store open.
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(OpenForReading(path), &std::fclose);
    if (!file) {
        return std::nullopt;
    }
    std::setvbuf(file.get(), nullptr, _IONBF, 0);
    // One allocation of the size asked for, read straight into, rather than a string grown as it
    // reads (fresh heap pages for every doubling).
    std::string bytes(static_cast<std::size_t>(maxBytes), '\0');
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file.get()));
    // A failed read is no shorter file: its checksum would fail and hide the cause.
    if (std::ferror(file.get()) != 0) {
        return std::nullopt;
    }
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
