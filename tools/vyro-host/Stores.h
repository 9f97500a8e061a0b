#pragma once

#include <optional>
#include <string>
#include <vector>

namespace VyroHost {

// A file placed beside the library: its name there and where it is built, relative to the
// harness's own folder.
struct StagedFile {
    std::string name;
    std::string source;
};

// What `--store NAME` places beside the library besides the library itself, and how that store
// starts a game: the executable names of the processes it starts the game under, outermost first,
// and the arguments on the game's command line.
struct StoreSetup {
    std::string name;
    std::vector<StagedFile> files;
    std::vector<std::string> launchers;
    // A folder of JSON files, relative to the harness's folder, packed into the configuration
    // store beside the library; none: no store.
    std::optional<std::string> config;
    std::vector<std::string> arguments;
    // A library can be built with this store's simulator linked in (the Xbox channel's linked
    // binding, as the tests build it); the simulator then answers from inside the library.
    bool linkable = false;
};

// Null for a store name the harness does not know.
const StoreSetup* FindStore(const std::string& name);
// "none, ..." for messages.
std::string StoreNames();
// The staged file names of the stores whose simulator a library can carry linked in.
std::vector<std::string> LinkableRuntimes();

} // namespace VyroHost
