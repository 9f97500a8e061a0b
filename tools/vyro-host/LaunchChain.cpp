#include "LaunchChain.h"

#include <map>

#include "ChildProcess.h"
#include "Staging.h"
#include "Utf8Path.h"

namespace VyroHost {

namespace fs = std::filesystem;

std::optional<int> RunUnderLaunchers(const fs::path& launcher, const std::vector<std::string>& names,
                                     const fs::path& program, const std::vector<std::string>& arguments,
                                     std::string& error)
{
    if (names.empty()) {
        error = "no launcher names given";
        return std::nullopt;
    }
    std::map<std::string, fs::path> copies;
    for (const std::string& name : names) {
        copies[name] = launcher;
    }
    const auto folder = StagedFolder::Create(copies, error);
    if (!folder) {
        return std::nullopt;
    }
    // Each launcher's arguments are the command it starts: the next launcher's, down to the program's.
    std::vector<std::string> command;
    for (auto name = names.begin() + 1; name != names.end(); ++name) {
        command.push_back(PathToUtf8(folder->Folder() / *name));
    }
    command.push_back(PathToUtf8(program));
    command.insert(command.end(), arguments.begin(), arguments.end());
    const fs::path outermost = folder->Folder() / names.front();
    const auto exitCode = VyroTools::RunChild(outermost, command, error);
    if (!exitCode) {
        error = "cannot start " + PathToUtf8(outermost) + ": " + error;
    }
    return exitCode;
}

} // namespace VyroHost
