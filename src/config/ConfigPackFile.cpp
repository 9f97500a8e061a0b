#include "config/ConfigPackFile.h"

#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <set>
#include <string>

#include <nlohmann/json.hpp>

#include "config/ConfigPackFlatten.h"

namespace Vyro {

namespace {

using Json = nlohmann::json;

// The parser keeps only the last of two equal member names in one object; the other value would
// vanish from the store without a word, so the file is refused instead.
class DuplicateMemberCheck {
public:
    bool operator()(int /*depth*/, Json::parse_event_t event, Json& parsed)
    {
        if (event == Json::parse_event_t::object_start) {
            openObjects_.emplace_back();
        } else if (event == Json::parse_event_t::object_end) {
            openObjects_.pop_back();
        } else if (event == Json::parse_event_t::key && !openObjects_.back().insert(parsed.get<std::string>()).second &&
                   !duplicate_) {
            duplicate_ = parsed.get<std::string>();
        }
        return true;
    }

    const std::optional<std::string>& Duplicate() const { return duplicate_; }

private:
    std::vector<std::set<std::string>> openObjects_;
    std::optional<std::string> duplicate_;
};

void PrintParseError(const std::filesystem::path& file, const std::string& message)
{
    std::fprintf(stderr, "error: parse error in '%s': %s\n", file.string().c_str(), message.c_str());
}

// The parsed root, or nothing after printing why the text is not acceptable JSON.
std::optional<Json> ParseStrict(const std::filesystem::path& file, const std::string& text)
{
    DuplicateMemberCheck duplicates;
    try {
        Json root = Json::parse(text, std::ref(duplicates), true, false);
        if (duplicates.Duplicate()) {
            PrintParseError(file, "duplicate member name '" + *duplicates.Duplicate() + "'");
            return std::nullopt;
        }
        return root;
    } catch (const Json::exception& error) {
        // Not only syntax: a number too large for a double ("1e999") is refused by throwing too.
        PrintParseError(file, error.what());
        return std::nullopt;
    }
}

} // namespace

ConfigFileResult LoadConfigFile(const std::filesystem::path& file)
{
    std::ifstream stream(file, std::ios::binary);
    if (!stream) {
        std::fprintf(stderr, "error: cannot open file: %s\n", file.string().c_str());
        return {};
    }
    const std::string text{std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
    const std::optional<Json> root = ParseStrict(file, text);
    if (!root) {
        return {};
    }
    if (!root->is_object()) {
        std::fprintf(stderr, "error: root must be an object in '%s'\n", file.string().c_str());
        return {};
    }
    ConfigFileResult result;
    FlattenConfigObject(*root, "", result.entries);
    result.ok = true;
    return result;
}

} // namespace Vyro
