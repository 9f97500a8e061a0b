#include "FileRecord.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string_view>
#include <system_error>

namespace VyroHost {

namespace {

namespace fs = std::filesystem;

Json KindName(fs::file_type type)
{
    switch (type) {
    case fs::file_type::not_found:
    case fs::file_type::none:
        return nullptr;
    case fs::file_type::regular:
        return "file";
    case fs::file_type::directory:
        return "directory";
    case fs::file_type::symlink:
        return "link";
    default:
        return "other";
    }
}

std::size_t SequenceLength(unsigned char lead)
{
    if (lead < 0x80) {
        return lead == 0 ? 0 : 1;
    }
    return (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
}

// UTF-8 without NUL bytes: what a log or a text file holds, unlike a library or the packed store.
bool IsText(std::string_view content)
{
    for (std::size_t index = 0; index < content.size();) {
        const std::size_t length = SequenceLength(static_cast<unsigned char>(content[index]));
        if (length == 0 || index + length > content.size()) {
            return false;
        }
        for (std::size_t next = index + 1; next < index + length; ++next) {
            if ((static_cast<unsigned char>(content[next]) & 0xC0) != 0x80) {
                return false;
            }
        }
        index += length;
    }
    return true;
}

Json Lines(std::string_view content)
{
    Json lines = Json::array();
    while (!content.empty()) {
        const std::size_t end = std::min(content.find('\n'), content.size());
        std::string_view line = content.substr(0, end);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        lines.push_back(line);
        content.remove_prefix(std::min(end + 1, content.size()));
    }
    return lines;
}

} // namespace

Json FileRecord(const std::string& name, const fs::path& path)
{
    std::error_code ignored;
    const fs::file_type type = fs::symlink_status(path, ignored).type();
    const Json kind = KindName(type);
    Json record{{"type", "file"}, {"name", name}, {"exists", !kind.is_null()}, {"kind", kind}};
    if (type != fs::file_type::regular) {
        return record;
    }
    std::ifstream stream(path, std::ios::binary);
    const std::string content((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
    record["size"] = content.size();
    if (IsText(content)) {
        record["lines"] = Lines(content);
    }
    return record;
}

} // namespace VyroHost
