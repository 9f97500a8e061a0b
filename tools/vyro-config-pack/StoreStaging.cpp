#include "StoreStaging.h"

#include <array>
#include <system_error>

#include "config/ConfigStoreKey.h"
#include "config/Utf8Path.h"

namespace ConfigPack {

namespace {

namespace fs = std::filesystem;

// Enough attempts to step over staging folders that killed runs left behind.
constexpr int kStagingAttempts = 100;

std::array<std::string, 2> StoreFileNames()
{
    return {std::string(Vyro::kConfigStoreId), std::string(Vyro::kConfigStoreId) + ".crc"};
}

// "out/", "out/." and "out" name the same folder; its parent must be the real one.
fs::path NormalFolder(const fs::path& folder)
{
    fs::path normal = fs::absolute(folder).lexically_normal();
    return normal.has_filename() ? normal : normal.parent_path();
}

std::string Describe(const std::string& what, const fs::path& path, const std::error_code& error)
{
    return what + " " + Vyro::PathToUtf8(path) + ": " + error.message();
}

void RemoveStoreFiles(const fs::path& folder)
{
    std::error_code ignored;
    for (const std::string& name : StoreFileNames()) {
        fs::remove(folder / name, ignored);
    }
}

} // namespace

std::unique_ptr<StoreStaging> StoreStaging::Create(const fs::path& storeFolder, std::string& error)
{
    const fs::path target = NormalFolder(storeFolder);
    const fs::path parent = target.parent_path();
    std::error_code status;
    fs::create_directories(parent, status);
    if (status) {
        error = Describe("cannot create folder", parent, status);
        return nullptr;
    }
    const std::string stem = "." + Vyro::PathToUtf8(target.filename()) + ".staging-";
    for (int attempt = 0; attempt < kStagingAttempts; ++attempt) {
        const fs::path folder = parent / Vyro::PathFromUtf8(stem + std::to_string(attempt));
        if (fs::create_directory(folder, status)) {
            return std::unique_ptr<StoreStaging>(new StoreStaging(target, folder));
        }
        if (status) {
            error = Describe("cannot create staging folder", folder, status);
            return nullptr;
        }
    }
    error = "cannot create a staging folder beside " + Vyro::PathToUtf8(target);
    return nullptr;
}

StoreStaging::~StoreStaging()
{
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
}

fs::path StoreStaging::PublishedDataFile() const
{
    return storeFolder_ / Vyro::kConfigStoreId;
}

bool StoreStaging::Publish(std::string& error)
{
    std::error_code status;
    fs::create_directories(storeFolder_, status);
    if (status) {
        error = Describe("cannot create folder", storeFolder_, status);
        return false;
    }
    for (const std::string& name : StoreFileNames()) {
        fs::rename(folder_ / name, storeFolder_ / name, status);
        if (status) {
            error = Describe("cannot move the store into", storeFolder_, status);
            // A data file without its own checksum file is no store: leave none rather than that.
            RemoveStoreFiles(storeFolder_);
            return false;
        }
    }
    return true;
}

} // namespace ConfigPack
