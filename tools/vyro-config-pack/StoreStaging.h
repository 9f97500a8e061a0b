#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <utility>

namespace ConfigPack {

// A fresh folder beside the store folder in which a store is built. Publish moves the finished
// store's files into the store folder; whatever is left is removed with the staging folder, so
// that a failed build never leaves a store that could pass for a good one.
class StoreStaging {
public:
    // Nothing, with `error` set, when no staging folder can be made beside `storeFolder`.
    static std::unique_ptr<StoreStaging> Create(const std::filesystem::path& storeFolder, std::string& error);
    ~StoreStaging();
    StoreStaging(const StoreStaging&) = delete;
    StoreStaging& operator=(const StoreStaging&) = delete;

    const std::filesystem::path& Folder() const { return folder_; }
    // The store's data file path in the store folder, where Publish puts it.
    std::filesystem::path PublishedDataFile() const;
    bool Publish(std::string& error);

private:
    StoreStaging(std::filesystem::path storeFolder, std::filesystem::path folder)
        : storeFolder_(std::move(storeFolder)), folder_(std::move(folder))
    {
    }

    std::filesystem::path storeFolder_;
    std::filesystem::path folder_;
};

} // namespace ConfigPack
