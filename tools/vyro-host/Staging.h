#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

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
    // Makes each folder, given relative to this one in UTF-8, with its parents. False with `error`
    // set when one cannot be made.
    bool MakeFolders(const std::vector<std::string>& folders, std::string& error) const;

private:
    explicit StagedFolder(std::filesystem::path folder) : folder_(std::move(folder)) {}

    std::filesystem::path folder_;
};

} // namespace VyroHost
