#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <utility>

namespace VyroHost {

// A fresh temporary folder holding copies of files, the way a game's folder holds the library and
// what it needs beside it. Removed when destroyed, so everything loaded or started from it must be
// unloaded or ended first.
class StagedFolder {
public:
    // `files` maps a file name in the folder to the file to copy there. Null with `error` set when
    // the folder cannot be made or a file cannot be copied.
    static std::unique_ptr<StagedFolder> Create(const std::map<std::string, std::filesystem::path>& files,
                                                std::string& error);
    ~StagedFolder();
    StagedFolder(const StagedFolder&) = delete;
    StagedFolder& operator=(const StagedFolder&) = delete;

    const std::filesystem::path& Folder() const { return folder_; }

private:
    explicit StagedFolder(std::filesystem::path folder) : folder_(std::move(folder)) {}

    std::filesystem::path folder_;
};

} // namespace VyroHost
