#include "PlainFileName.h"

#include <algorithm>
#include <filesystem>

#include "Utf8Path.h"

namespace VyroHost {

bool IsPlainFileName(const std::string& text)
{
    const std::filesystem::path name(text);
    return !name.empty() && name.filename() == name && text != "." && text != "..";
}

bool IsPathInsideFolder(const std::string& text)
{
    const std::filesystem::path path = PathFromUtf8(text);
    const auto isPlainPart = [](const std::filesystem::path& part) { return IsPlainFileName(PathToUtf8(part)); };
    return !path.empty() && !path.has_root_path() && std::all_of(path.begin(), path.end(), isPlainPart);
}

} // namespace VyroHost
