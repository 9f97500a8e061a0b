// Read-only stores: every fixture MMKV 2.4 wrote, read as its expected.json says except where a
// checksum fails (then nothing unconfirmed is shown), damaged and missing files, and no file touched.
#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "LogCapture.h"
#include "MmkvTestSupport.h"

using namespace VyroTest::MmkvSupport;
namespace LogLevel = Vyro::LogLevel;

namespace {

std::uint64_t Bits(const json& hex) { return std::stoull(hex.get<std::string>(), nullptr, 16); }

// What the getter of the value's type returns for it.
void ExpectValue(MMKV& store, const std::string& key, const json& expected)
{
    SCOPED_TRACE(key);
    const std::string type = expected["type"];
    bool has = false;
    std::string text;
    if (type == "string") {
        has = store.getString(key, text);
        EXPECT_EQ(text, expected["value"].get<std::string>());
    } else if (type == "bool") {
        EXPECT_EQ(store.getBool(key, !expected["value"].get<bool>(), &has), expected["value"].get<bool>());
    } else if (type == "int32") {
        EXPECT_EQ(store.getInt32(key, 0, &has), expected["value"].get<std::int32_t>());
    } else if (type == "int64") {
        EXPECT_EQ(store.getInt64(key, 0, &has), expected["value"].get<std::int64_t>());
    } else if (type == "float") {
        EXPECT_EQ(std::bit_cast<std::uint32_t>(store.getFloat(key, 0, &has)), Bits(expected["bitsHex"]));
    } else {
        EXPECT_EQ(std::bit_cast<std::uint64_t>(store.getDouble(key, 0, &has)), Bits(expected["bitsHex"]));
    }
    EXPECT_TRUE(has);
}

void ExpectAbsent(MMKV& store, const std::string& key)
{
    std::string text = "untouched";
    bool has = true;
    EXPECT_FALSE(store.getString(key, text)) << key;
    EXPECT_EQ(text, "untouched");
    EXPECT_EQ(store.getInt64(key, 42, &has), 42) << key;
    EXPECT_FALSE(has);
}

std::vector<std::string> Sorted(std::vector<std::string> keys)
{
    std::sort(keys.begin(), keys.end());
    return keys;
}

class MmkvReadOnly : public ::testing::Test {
protected:
    void SetUp() override { InitialiseMmkv(); }

    std::vector<std::string> Warnings() const { return log_.Messages(LogLevel::Warning); }
    // A damaged store gives one warning, naming it and its folder, then the problem.
    void ExpectOneWarning(const fs::path& root, const std::string& problem, std::size_t earlier = 0) const
    {
        const auto warnings = Warnings();
        ASSERT_EQ(warnings.size(), earlier + 1) << ::testing::PrintToString(warnings);
        const std::string start = "MMKV store 'VyroChannelConfig' in '" + Vyro::PathToUtf8(root) + "': ";
        EXPECT_EQ(warnings.back().rfind(start, 0), 0u) << warnings.back();
        EXPECT_NE(warnings.back().find(problem), std::string::npos) << warnings.back();
    }

    VyroTest::TestFolder folder_;
    VyroTest::LogCapture log_{LogLevel::Warning};
};

class MmkvFixtureRead : public MmkvReadOnly, public ::testing::WithParamInterface<std::string> {};

} // namespace

// Also: a read-only store refuses every change, and its files stay bit-identical.
TEST_P(MmkvFixtureRead, GivesWhatMmkvGaveAndChangesNoFile)
{
    json expected = Expected(GetParam());
    const fs::path root = CopyFixture(GetParam(), folder_.Path() / "store");
    const auto before = Snapshot(root);
    MMKV* store = OpenReadOnly(root, ReadKeyOf(expected));
    ASSERT_NE(store, nullptr);
    if (GetParam() == "crc-mismatch") {
        // MMKV shows the tampered stream here; the only matching checksum is the last confirmed
        // state's, which covers the 4-byte placeholder alone.
        ASSERT_EQ(expected["meta"]["lastConfirmedActualSize"], 4);
        expected["values"] = json::object();
        expected["count"] = 0;
        ExpectOneWarning(root, "it reads as the last confirmed state (4 of 206 bytes)");
    } else if (!expected["opens"].get<bool>()) {
        ExpectOneWarning(root, "it reads as empty");
    } else {
        EXPECT_TRUE(Warnings().empty()) << ::testing::PrintToString(Warnings());
    }
    EXPECT_EQ(store->count(), expected["count"].get<std::size_t>());
    std::vector<std::string> keys;
    for (const auto& [key, value] : expected["values"].items()) {
        ExpectValue(*store, key, value);
        keys.push_back(key);
    }
    EXPECT_EQ(Sorted(store->allKeys()), Sorted(keys));
    for (const auto& key : expected.value("absentKeys", json::array())) {
        ExpectAbsent(*store, key);
    }
    EXPECT_FALSE(store->set(std::string("x"), "epic.clientId"));
    store->clearAll();
    EXPECT_EQ(store->count(), expected["count"].get<std::size_t>());
    EXPECT_EQ(Snapshot(root), before);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, MmkvFixtureRead, ::testing::ValuesIn(FixtureNames()), [](const auto& info) {
    std::string name = info.param;
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
});

TEST_F(MmkvReadOnly, EveryGetterOnEveryTypeGivesWhatMmkvGave)
{
    const json expected = Expected("types");
    MMKV* store = OpenReadOnly(CopyFixture("types", folder_.Path() / "store"));
    for (const auto& [key, results] : expected["crossTypeGetters"]["results"].items()) {
        SCOPED_TRACE(key);
        std::string text = "untouched";
        ASSERT_EQ(store->getString(key, text), results["getString"]["ok"].get<bool>());
        const json& string = key == "string.big10000" ? expected["values"][key] : results["getString"];
        EXPECT_EQ(text, string["value"].is_null() ? "untouched" : string["value"].get<std::string>());
        bool has = false;
        EXPECT_EQ(store->getBool(key, false, &has), results["getBool"]["value"].get<bool>());
        EXPECT_EQ(has, results["getBool"]["has"].get<bool>());
        EXPECT_EQ(store->getInt32(key, 0, &has), results["getInt32"]["value"].get<std::int32_t>());
        EXPECT_EQ(has, results["getInt32"]["has"].get<bool>());
        EXPECT_EQ(store->getInt64(key, 0, &has), results["getInt64"]["value"].get<std::int64_t>());
        EXPECT_EQ(has, results["getInt64"]["has"].get<bool>());
        const auto floatBits = std::bit_cast<std::uint32_t>(store->getFloat(key, 0, &has));
        ASSERT_EQ(has, results["getFloat"]["has"].get<bool>());
        EXPECT_TRUE(!has || floatBits == Bits(results["getFloat"]["bitsHex"]));
        const auto doubleBits = std::bit_cast<std::uint64_t>(store->getDouble(key, 0, &has));
        ASSERT_EQ(has, results["getDouble"]["has"].get<bool>());
        EXPECT_TRUE(!has || doubleBits == Bits(results["getDouble"]["bitsHex"]));
    }
}

// `types` grew once: its last confirmed state is the 12 keys rewritten then, before the big
// string and "[1,2]" were appended under the same IV.
TEST_F(MmkvReadOnly, ADamagedTailReadsAsExactlyTheLastConfirmedState)
{
    const fs::path root = CopyFixture("types", folder_.Path() / "store");
    std::string data = ReadBytes(root / kStoreId);
    data[4 + 10261 - 1] ^= 0x01;
    WriteBytes(root / kStoreId, data);
    MMKV* store = OpenReadOnly(root);
    EXPECT_EQ(store->count(), 12u);
    ExpectAbsent(*store, "string.big10000");
    ExpectAbsent(*store, "string.json");
    const json expected = Expected("types");
    for (const auto& [key, value] : expected["values"].items()) {
        if (key != "string.big10000" && key != "string.json") {
            ExpectValue(*store, key, value);
        }
    }
    ExpectOneWarning(root, "it reads as the last confirmed state (222 of 10261 bytes)");
}

// A short meta file reads as zeros past its end: cut after the last confirmed state, nothing is lost.
TEST_F(MmkvReadOnly, MissingShortOrEmptyFilesReadAsEmptyWithOneWarningAndCreateNothing)
{
    const struct {
        const char* name;
        const char* file;
        std::intmax_t size;  // -1: removed
        const char* problem; // null: the store reads in full
    } cases[] = {
        {"no data", kStoreId, -1, "the data file is missing or empty"},
        {"empty data", kStoreId, 0, "the data file is missing or empty"},
        {"data cut inside the stream", kStoreId, 100, "the last confirmed state (4 of 206 bytes)"},
        {"no meta", kMetaName, -1, "the meta file is missing or empty"},
        {"empty meta", kMetaName, 0, "the meta file is missing or empty"},
        {"meta cut before the size", kMetaName, 28, "the last confirmed state (0 of 0 bytes)"},
        {"meta cut after the last confirmed state", kMetaName, 40, nullptr},
    };
    for (const auto& damage : cases) {
        SCOPED_TRACE(damage.name);
        const fs::path root = CopyFixture("epic-basic", folder_.Path() / damage.name);
        if (damage.size < 0) {
            fs::remove(root / damage.file);
        } else {
            fs::resize_file(root / damage.file, static_cast<std::uintmax_t>(damage.size));
        }
        const std::size_t earlier = Warnings().size();
        EXPECT_EQ(OpenReadOnly(root)->count(), damage.problem == nullptr ? 7u : 0u);
        if (damage.problem != nullptr) {
            ExpectOneWarning(root, damage.problem, earlier);
        }
    }
    const fs::path missing = folder_.Path() / "missing" / "deeper";
    EXPECT_EQ(OpenReadOnly(missing)->count(), 0u);
    EXPECT_FALSE(fs::exists(folder_.Path() / "missing"));
}

TEST_F(MmkvReadOnly, InstancesAreKeptPerFolderAndIdWithTheFirstOpensMode)
{
    const fs::path root = CopyFixture("epic-basic", folder_.Path() / "store");
    MMKV* first = OpenReadOnly(root);
    EXPECT_EQ(OpenReadOnly(root), first);
    EXPECT_EQ(Open(root, MMKV_SINGLE_PROCESS, ProjectKey()), first);
    EXPECT_FALSE(first->set(true, "still.read.only"));
    EXPECT_NE(OpenReadOnly(CopyFixture("epic-basic", folder_.Path() / "other")), first);
    const std::string folder = Vyro::PathToUtf8(folder_.Path());
    for (const char* id : {"", "a/b", "a\\b", "c:d", "*", "x|y"}) {
        EXPECT_EQ(MMKV::mmkvWithID(id, MMKV_SINGLE_PROCESS, nullptr, &folder), nullptr) << id;
    }
}

TEST_F(MmkvReadOnly, TheLevelGivenAtInitialisationFiltersTheStoresLines)
{
    MMKV::initializeMMKV("ignored: the first root stays", MMKVLogError);
    OpenReadOnly(CopyFixture("wrong-key", folder_.Path() / "quiet"));
    EXPECT_TRUE(Warnings().empty());
    MMKV::initializeMMKV("ignored", MMKVLogWarning);
    OpenReadOnly(CopyFixture("wrong-key", folder_.Path() / "heard"));
    EXPECT_EQ(Warnings().size(), 1u);
    MMKV::initializeMMKV("ignored", MMKVLogInfo);
}

TEST(MmkvBeforeInitialisation, NoStoreOpens)
{
    // In a fresh process: the other tests of this program initialise MMKV.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            const std::string root = ".";
            std::exit(MMKV::mmkvWithID(kStoreId, MMKV_SINGLE_PROCESS, nullptr, &root) == nullptr ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}
