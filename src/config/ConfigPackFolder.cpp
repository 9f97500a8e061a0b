#include "config/ConfigPackFolder.h"

#include <algorithm>
#include <map>
#include <utility>

#include "config/ConfigPackFile.h"

namespace Vyro {

namespace {

namespace fs = std::filesystem;

// Regular files (links followed) with the exact, case-sensitive extension ".json", sorted.
std::vector<fs::path> ListJsonFiles(const fs::path& folder)
{
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        if (entry.is_regular_file() && entry.path().extension() == ".json") {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace

std::vector<ConfigEntry> LoadConfigFolder(const fs::path& folder, std::string& error)
{
    if (!fs::is_directory(fs::status(folder))) {
        error = "not a directory: " + folder.string();
        return {};
    }
    const std::vector<fs::path> files = ListJsonFiles(folder);
    if (files.empty()) {
        error = "no .json files found in: " + folder.string();
        return {};
    }
    std::vector<ConfigEntry> merged;
    std::map<std::string, std::string> firstFileOfKey;
    for (const fs::path& file : files) {
        ConfigFileResult loaded = LoadConfigFile(file);
        if (!loaded.ok) {
            error = "failed to parse: " + file.string();
            return {};
        }
        const std::string name = file.filename().string();
        for (ConfigEntry& entry : loaded.entries) {
            const auto [first, inserted] = firstFileOfKey.try_emplace(entry.key, name);
            if (!inserted) {
                error = "duplicate key '" + entry.key + "' found in '" + first->second + "' and '" + name + "'";
                return {};
            }
            merged.push_back(std::move(entry));
        }
    }
    return merged;
}

} // namespace Vyro
