#include "Staging.h"

#include <cstdio>
#include <random>
#include <system_error>

#include "Utf8Path.h"

namespace VyroHost {

namespace {

namespace fs = std::filesystem;

// A new, empty folder under the system's temporary folder; a random name keeps parallel runs apart.
bool MakeFreshFolder(fs::path& folder, std::string& error)
{
    std::error_code code;
    const fs::path temp = fs::temp_directory_path(code);
    if (code) {
        error = "no temporary folder: " + code.message();
        return false;
    }
    std::random_device random;
    for (int attempt = 0; attempt < 16; ++attempt) {
        folder = temp / ("vyro-host-" + std::to_string(random()));
        if (fs::create_directory(folder, code)) {
            return true;
        }
    }
    error = "cannot create a folder under " + temp.string() + (code ? ": " + code.message() : "");
    return false;
}

bool CopyInto(const fs::path& source, const fs::path& target, std::string& error)
{
    std::error_code code;
    fs::copy_file(source, target, fs::copy_options::overwrite_existing, code);
    if (code) {
        error = "cannot stage " + source.string() + " as " + target.string() + ": " + code.message();
    }
    return !code;
}

} // namespace

std::unique_ptr<StagedFolder> StagedFolder::Create(const std::map<std::string, fs::path>& files, std::string& error)
{
    fs::path folder;
    if (!MakeFreshFolder(folder, error)) {
        return nullptr;
    }
    // Owned from here on, so that a failed copy still removes the folder.
    std::unique_ptr<StagedFolder> staged(new StagedFolder(folder));
    for (const auto& [name, source] : files) {
        if (!CopyInto(source, folder / name, error)) {
            return nullptr;
        }
    }
    return staged;
}

bool StagedFolder::MakeFolders(const std::vector<std::string>& folders, std::string& error) const
{
    for (const std::string& folder : folders) {
        std::error_code code;
        fs::create_directories(folder_ / PathFromUtf8(folder), code);
        if (code) {
            error = "cannot make the folder " + folder + " in " + PathToUtf8(folder_) + ": " + code.message();
            return false;
        }
    }
    return true;
}

StagedFolder::~StagedFolder()
{
    std::error_code code;
    fs::remove_all(folder_, code);
    if (code) {
        std::fprintf(stderr, "vyro-host: could not remove %s: %s\n", folder_.string().c_str(), code.message().c_str());
    }
}

} // namespace VyroHost
