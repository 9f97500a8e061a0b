#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <utility>

namespace VyroHost {

// A fresh temporary folder holding a copy of the library and the files a session needs beside it,
// the way a game's folder holds them. Removed when destroyed, so everything loaded from it must be
// unloaded first.
class StagedFolder {
public:
    // `files` maps a file name in the folder to the file to copy there. Null with `error` set when
    // the folder cannot be made or a file cannot be copied.
    static std::unique_ptr<StagedFolder> Create(const std::filesystem::path& library,
                                                const std::map<std::string, std::filesystem::path>& files,
                                                std::string& error);
    ~StagedFolder();
    StagedFolder(const StagedFolder&) = delete;
    StagedFolder& operator=(const StagedFolder&) = delete;

    const std::filesystem::path& Folder() const { return folder_; }
    const std::filesystem::path& LibraryPath() const { return library_; }

private:
    StagedFolder(std::filesystem::path folder, std::filesystem::path library)
        : folder_(std::move(folder)), library_(std::move(library))
    {
    }

    std::filesystem::path folder_;
    std::filesystem::path library_;
};

} // namespace VyroHost
