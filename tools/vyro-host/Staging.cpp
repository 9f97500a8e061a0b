#include "Staging.h"

#include <cstdio>
#include <optional>
#include <random>
#include <string_view>
#include <system_error>

#include "ProcessLiveness.h"
#include "Utf8Path.h"

namespace VyroHost {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kFolderPrefix = "vyro-host-";

// The identity of the process that made a staged folder, from its name:
// "vyro-host-<process identity>-<random>".
std::optional<std::string> MakerOf(const std::string& name)
{
    const auto end = name.rfind('-');
    if (!name.starts_with(kFolderPrefix) || end == std::string::npos || end <= kFolderPrefix.size()) {
        return std::nullopt;
    }
    return name.substr(kFolderPrefix.size(), end - kFolderPrefix.size());
}

// Under Windows a staged folder cannot be removed by the run that made it while the store runtimes
// the library keeps for the process are loaded from it; each run removes what ended runs left.
void RemoveFoldersOfEndedRuns(const fs::path& temp)
{
    std::error_code code;
    for (fs::directory_iterator entry(temp, code), end; !code && entry != end; entry.increment(code)) {
        const auto maker = MakerOf(entry->path().filename().string());
        std::error_code ignored;
        if (maker && !ProcessRunning(*maker)) {
            fs::remove_all(entry->path(), ignored);
        }
    }
}

// A new, empty folder under the system's temporary folder, named after this process; a random
// part keeps one process's folders apart.
bool MakeFreshFolder(fs::path& folder, std::string& error)
{
    std::error_code code;
    const fs::path temp = fs::temp_directory_path(code);
    if (code) {
        error = "no temporary folder: " + code.message();
        return false;
    }
    RemoveFoldersOfEndedRuns(temp);
    const std::string prefix = std::string(kFolderPrefix) + CurrentProcessIdentity() + "-";
    std::random_device random;
    for (int attempt = 0; attempt < 16; ++attempt) {
        folder = temp / (prefix + std::to_string(random()));
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
        std::fprintf(stderr, "vyro-host: could not remove %s yet (%s): a later run removes it\n", folder_.string().c_str(),
                     code.message().c_str());
    }
}

} // namespace VyroHost
