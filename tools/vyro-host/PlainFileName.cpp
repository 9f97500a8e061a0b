#include "PlainFileName.h"

#include <filesystem>

namespace VyroHost {

bool IsPlainFileName(const std::string& text)
{
    const std::filesystem::path name(text);
    return !name.empty() && name.filename() == name && text != "." && text != "..";
}

} // namespace VyroHost
