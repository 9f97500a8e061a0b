// The pack builder's JSON side: flattening, file and folder loading, and their messages.
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "ConfigTestFolder.h"
#include "config/ConfigPackFile.h"
#include "config/ConfigPackFlatten.h"
#include "config/ConfigPackFolder.h"

namespace {

using Vyro::ConfigEntry;
using Entries = std::vector<ConfigEntry>;

struct Flattened {
    Entries entries;
    std::string messages; // standard error
};

Flattened Flatten(const std::string& json, const std::string& prefix = "")
{
    Flattened result;
    ::testing::internal::CaptureStderr();
    Vyro::FlattenConfigObject(nlohmann::json::parse(json), prefix, result.entries);
    result.messages = ::testing::internal::GetCapturedStderr();
    return result;
}

TEST(ConfigPackFlatten, ValueTypesFollowTheJsonValue)
{
    const Flattened flat = Flatten(R"({
        "bool": true, "int32": 7, "int32max": 2147483647, "int32min": -2147483648,
        "int64": 3000000000, "int64above": 2147483648, "int64below": -2147483649,
        "int64max": 9223372036854775807, "int64min": -9223372036854775808,
        "double": 7.0, "exponent": 1e2, "string": "héllo", "array": [1, 2],
        "mixed": [ {"b": 1, "a": null}, "x y", 0.5 ] })");
    const Entries expected = {
        {"array", std::string("[1,2]")},
        {"bool", true},
        {"double", 7.0},
        {"exponent", 100.0},
        {"int32", std::int32_t{7}},
        {"int32max", std::int32_t{2147483647}},
        {"int32min", std::int32_t{-2147483647 - 1}},
        {"int64", std::int64_t{3000000000}},
        {"int64above", std::int64_t{2147483648}},
        {"int64below", std::int64_t{-2147483649}},
        {"int64max", std::int64_t{9223372036854775807}},
        {"int64min", std::int64_t{-9223372036854775807 - 1}},
        // Compact text, members of nested objects in key order.
        {"mixed", std::string(R"([{"a":null,"b":1},"x y",0.5])")},
        {"string", std::string("héllo")},
    };
    EXPECT_EQ(flat.entries, expected);
    EXPECT_EQ(flat.messages, "");
}

TEST(ConfigPackFlatten, IntegerBeyondTheSignedRangeBecomesADoubleWithAWarning)
{
    const Flattened flat = Flatten(R"({"huge": 18446744073709551615})");
    EXPECT_EQ(flat.entries, (Entries{{"huge", 18446744073709551615.0}}));
    EXPECT_EQ(flat.messages, "warning: integer beyond the 64-bit signed range stored as double 'huge'\n");
}

TEST(ConfigPackFlatten, NestedObjectsJoinWithDotsInKeyOrder)
{
    const Flattened flat = Flatten(R"({"z": 1, "epic": {"clientId": "c", "deep": {"x": 2}}, "a.b": 3, "empty": {}})");
    const Entries expected = {
        {"a.b", std::int32_t{3}},
        {"epic.clientId", std::string("c")},
        {"epic.deep.x", std::int32_t{2}},
        {"z", std::int32_t{1}},
    };
    EXPECT_EQ(flat.entries, expected);
    EXPECT_EQ(Flatten(R"({"x": {"y": true}})", "root").entries, (Entries{{"root.x.y", true}}));
}

TEST(ConfigPackFlatten, NullMembersAreSkippedWithAWarning)
{
    const Flattened flat = Flatten(R"({"epic": {"clientSecret": null, "clientId": "c"}, "top": null})");
    EXPECT_EQ(flat.entries, (Entries{{"epic.clientId", std::string("c")}}));
    EXPECT_EQ(flat.messages, "warning: skipping null key 'epic.clientSecret'\nwarning: skipping null key 'top'\n");
}

TEST(ConfigPackValue, TypeNames)
{
    EXPECT_STREQ(Vyro::ConfigValueTypeName(true), "bool");
    EXPECT_STREQ(Vyro::ConfigValueTypeName(std::int32_t{1}), "int32");
    EXPECT_STREQ(Vyro::ConfigValueTypeName(std::int64_t{1}), "int64");
    EXPECT_STREQ(Vyro::ConfigValueTypeName(1.0), "double");
    EXPECT_STREQ(Vyro::ConfigValueTypeName(std::string()), "string");
}

// Loading through the folder, with what the loader printed on standard error.
class ConfigPackFolder : public ::testing::Test {
protected:
    Entries Load(const std::filesystem::path& folder)
    {
        ::testing::internal::CaptureStderr();
        Entries entries = Vyro::LoadConfigFolder(folder, error_);
        messages_ = ::testing::internal::GetCapturedStderr();
        return entries;
    }
    Entries Load() { return Load(folder_.Path()); }

    VyroTest::TestFolder folder_;
    std::string error_;
    std::string messages_;
};

TEST_F(ConfigPackFolder, FilesMergeInSortedOrderAndOnlyLowerCaseJsonCounts)
{
    folder_.Write("b.json", R"({"b": 2, "a": 1})");
    folder_.Write("a.json", R"({"z": true})");
    // Upper-case names sort before lower-case ones (and cannot share a name on Windows).
    folder_.Write("Z.json", R"({"first": "upper-case names sort first"})");
    folder_.Write("c.JSON", R"({"ignored": 1})");
    folder_.Write("notes.txt", R"({"ignored": 2})");
    std::filesystem::create_directory(folder_.Path() / "folder.json");
    const Entries expected = {
        {"first", std::string("upper-case names sort first")},
        {"z", true},
        {"a", std::int32_t{1}},
        {"b", std::int32_t{2}},
    };
    EXPECT_EQ(Load(), expected);
    EXPECT_EQ(error_, "");
}

TEST_F(ConfigPackFolder, KeyInTwoFilesNamesTheKeyThenTheFirstThenTheSecondFile)
{
    folder_.Write("b.json", R"({"epic": {"clientId": "second"}})");
    folder_.Write("a.json", R"({"epic": {"clientId": "first"}})");
    EXPECT_TRUE(Load().empty());
    EXPECT_EQ(error_, "duplicate key 'epic.clientId' found in 'a.json' and 'b.json'");
}

TEST_F(ConfigPackFolder, DottedMemberAndNestedObjectInOneFileNameTheFileTwice)
{
    folder_.Write("game.json", R"({"epic.clientId": "flat", "epic": {"clientId": "nested"}})");
    EXPECT_TRUE(Load().empty());
    EXPECT_EQ(error_, "duplicate key 'epic.clientId' found in 'game.json' and 'game.json'");
}

TEST_F(ConfigPackFolder, RepeatedMemberNameInOneObjectIsRefused)
{
    // The parser would keep only the second value; the first must not vanish silently.
    const auto file = folder_.Write("game.json", R"({"epic": {"clientId": "one", "clientId": "two"}})");
    EXPECT_TRUE(Load().empty());
    EXPECT_EQ(error_, "failed to parse: " + file.string());
    EXPECT_EQ(messages_, "error: parse error in '" + file.string() + "': duplicate member name 'clientId'\n");
}

TEST_F(ConfigPackFolder, NullMemberLeavesNoEntryButTheLoadSucceeds)
{
    folder_.Write("game.json", R"({"epic": {"clientSecret": null}, "name": "x"})");
    EXPECT_EQ(Load(), (Entries{{"name", std::string("x")}}));
    EXPECT_EQ(error_, "");
    EXPECT_EQ(messages_, "warning: skipping null key 'epic.clientSecret'\n");
}

TEST_F(ConfigPackFolder, FolderWithoutLowerCaseJsonFiles)
{
    folder_.Write("game.JSON", R"({"a": 1})");
    EXPECT_TRUE(Load().empty());
    EXPECT_EQ(error_, "no .json files found in: " + folder_.Path().string());
}

TEST_F(ConfigPackFolder, PathThatIsNoFolder)
{
    const auto file = folder_.Write("game.json", R"({"a": 1})");
    EXPECT_TRUE(Load(file).empty());
    EXPECT_EQ(error_, "not a directory: " + file.string());
    const auto missing = folder_.Path() / "missing";
    EXPECT_TRUE(Load(missing).empty());
    EXPECT_EQ(error_, "not a directory: " + missing.string());
}

TEST_F(ConfigPackFolder, UnreadableJsonStopsTheLoadWithNothingMerged)
{
    folder_.Write("a.json", R"({"good": 1})");
    const auto bad = folder_.Write("b.json", R"({"trailing": 1,})");
    folder_.Write("c.json", R"({"never": "read"})");
    EXPECT_TRUE(Load().empty());
    EXPECT_EQ(error_, "failed to parse: " + bad.string());
    const std::string prefix = "error: parse error in '" + bad.string() + "': [json.exception.parse_error.101]";
    EXPECT_EQ(messages_.rfind(prefix, 0), 0u) << messages_;
    EXPECT_EQ(messages_.find('\n'), messages_.size() - 1) << messages_;
}

TEST(ConfigPackFile, StrictJsonOnly)
{
    VyroTest::TestFolder folder;
    // A number no double holds is refused as a parse error too, never thrown out of the loader.
    for (const char* text : {"// comment\n{\"a\": 1}", "{\"a\": 1} trailing", "", "{'a': 1}", "{\"a\": 22220e22220}",
                             "{\"a\": {\"b\": -1e999}}"}) {
        const auto file = folder.Write("game.json", text);
        ::testing::internal::CaptureStderr();
        EXPECT_FALSE(Vyro::LoadConfigFile(file).ok) << text;
        EXPECT_EQ(::testing::internal::GetCapturedStderr().rfind("error: parse error in '" + file.string() + "': ", 0), 0u);
    }
}

TEST(ConfigPackFile, RootMustBeAnObject)
{
    VyroTest::TestFolder folder;
    for (const char* text : {"[1, 2]", "\"text\"", "7", "null"}) {
        const auto file = folder.Write("game.json", text);
        ::testing::internal::CaptureStderr();
        const Vyro::ConfigFileResult result = Vyro::LoadConfigFile(file);
        EXPECT_FALSE(result.ok);
        EXPECT_TRUE(result.entries.empty());
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "error: root must be an object in '" + file.string() + "'\n");
    }
}

TEST(ConfigPackFile, FileThatCannotBeOpened)
{
    VyroTest::TestFolder folder;
    const auto missing = folder.Path() / "missing.json";
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(Vyro::LoadConfigFile(missing).ok);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "error: cannot open file: " + missing.string() + "\n");
}

TEST(ConfigPackFile, EntriesOfAnObjectRoot)
{
    VyroTest::TestFolder folder;
    const auto file = folder.Write("game.json", "\xEF\xBB\xBF{\"epic\": {\"productName\": \"Game\"}}");
    const Vyro::ConfigFileResult result = Vyro::LoadConfigFile(file);
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.entries, (Entries{{"epic.productName", std::string("Game")}}));
}

} // namespace
