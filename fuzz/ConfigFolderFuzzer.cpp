// vyro-config-pack's input folder parser on any folder of JSON files. Input: the files' texts
// separated by NUL bytes, written as "0.json", "1.json", … (at most eight), and a last part written
// under a name that is not ".json", which the parser must leave alone.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>

#include "ScratchFolder.h"
#include "config/ConfigPackFolder.h"

namespace {

constexpr std::size_t kMaxFiles = 8;

const VyroFuzz::ScratchFolder& Folder()
{
    static const VyroFuzz::ScratchFolder folder;
    return folder;
}

void WriteFiles(std::string_view input)
{
    Folder().Clear();
    for (std::size_t index = 0; index < kMaxFiles && !input.empty(); ++index) {
        const std::size_t end = input.find('\0');
        const bool last = end == std::string_view::npos || index + 1 == kMaxFiles;
        Folder().Write(std::to_string(index) + (last ? ".JSON.txt" : ".json"), input.substr(0, end));
        input = last ? std::string_view() : input.substr(end + 1);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    WriteFiles(std::string_view(reinterpret_cast<const char*>(data), size));
    std::string error;
    const auto entries = Vyro::LoadConfigFolder(Folder().Path(), error);
    // A success lists every key once; a failure lists nothing and says why.
    std::set<std::string> keys;
    for (const auto& entry : entries) {
        if (!keys.insert(entry.key).second) {
            std::abort();
        }
    }
    if (error.empty() == false && !entries.empty()) {
        std::abort();
    }
    return 0;
}
