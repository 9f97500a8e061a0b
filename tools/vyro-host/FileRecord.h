#pragma once

#include <filesystem>
#include <string>

#include "Json.h"

namespace VyroHost {

// {"type":"file","name":NAME,"exists":B,"kind":"file"|"directory"|"link"|"other"|null} for the entry
// at `path` (a link is reported, not followed); a regular file adds "size" (bytes) and, when it is
// text (UTF-8 without NUL bytes), "lines": its lines without their line ends, so that the same
// check holds for files written with "\r\n".
Json FileRecord(const std::string& name, const std::filesystem::path& path);

} // namespace VyroHost
