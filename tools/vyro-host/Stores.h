#pragma once

#include <string>
#include <vector>

namespace VyroHost {

// A file placed beside the library: its name there and where it is built, relative to the
// harness's own folder.
struct StagedFile {
    std::string name;
    std::string source;
};

// What `--store NAME` places beside the library besides the library itself, and the executable
// names of the processes that start a game from that store, outermost first.
struct StoreSetup {
    std::string name;
    std::vector<StagedFile> files;
    std::vector<std::string> launchers;
};

// Null for a store name the harness does not know.
const StoreSetup* FindStore(const std::string& name);
// "none, ..." for messages.
std::string StoreNames();

} // namespace VyroHost
