// Writable stores: our bytes against the documented layout and against the value encodings MMKV 2.4
// wrote for the same values, and round trips through a fresh read-only instance.
#include <bit>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <iostream>
#include <limits>
#include <map>
#include <string>

#include <gtest/gtest.h>

#include "LogCapture.h"
#include "MmkvTestSupport.h"
#include "config/mmkv/Crc32.h"
#include "config/mmkv/Crypto.h"

using namespace VyroTest::MmkvSupport;
namespace LogLevel = Vyro::LogLevel;
namespace Mmkv = Vyro::Mmkv;

namespace {

constexpr std::size_t kPage = 4096;

// The meta record's fields at their documented offsets.
struct Meta {
    explicit Meta(const fs::path& root) : page(ReadBytes(root / kMetaName)) {}
    std::uint32_t Crc() const { return U32At(page, 0); }
    std::uint32_t Sequence() const { return U32At(page, 8); }
    Mmkv::Iv Iv() const
    {
        Mmkv::Iv iv{};
        std::copy_n(page.begin() + 12, iv.size(), iv.begin());
        return iv;
    }
    std::uint32_t Size() const { return U32At(page, 28); }

    std::string page;
};

std::string Stream(const fs::path& root) { return ReadBytes(root / kStoreId).substr(4, Meta(root).Size()); }

std::map<std::string, std::string> Decrypted(const fs::path& root)
{
    const auto plaintext = Mmkv::AesCfb128(ProjectKey(), Meta(root).Iv(), Stream(root), Mmkv::CfbDirection::Decrypt);
    std::map<std::string, std::string> records;
    for (auto& [recordKey, value] : Records(plaintext.value())) {
        EXPECT_TRUE(records.emplace(recordKey, value).second) << "one record per key: " << recordKey;
    }
    return records;
}

class MmkvWritable : public ::testing::Test {
protected:
    void SetUp() override { InitialiseMmkv(); }

    fs::path Root(const std::string& name) const { return folder_.Path() / name; }
    MMKV* Writer(const std::string& name, const std::string& key = ProjectKey()) const
    {
        return Open(Root(name), MMKV_SINGLE_PROCESS, key);
    }
    // A read-only instance of a copy: the writer's own folder would give the writer back.
    MMKV* Reader(const std::string& name, const std::string& key = ProjectKey()) const
    {
        return OpenReadOnly(VyroTest::CopyStore(Root(name), Root(name + "-copy")), key);
    }

    VyroTest::TestFolder folder_;
    VyroTest::LogCapture log_{LogLevel::Warning};
};

} // namespace

TEST_F(MmkvWritable, TheFirstOpenCreatesFolderAndEmptyStoreTheFirstSetRewritesIt)
{
    MMKV* store = Writer("new/nested");
    ASSERT_NE(store, nullptr);
    EXPECT_EQ(ReadBytes(Root("new/nested") / kStoreId), std::string(kPage, '\0'));
    EXPECT_EQ(ReadBytes(Root("new/nested") / kMetaName), std::string(4, '\0') + '\4' + std::string(kPage - 5, '\0'));
    ASSERT_TRUE(store->set(std::string("1"), "a"));
    const Meta first(Root("new/nested"));
    ASSERT_TRUE(store->set(std::string("1"), "a"));
    const Meta second(Root("new/nested"));
    EXPECT_EQ(second.Sequence(), 2u);
    EXPECT_NE(second.Iv(), first.Iv()) << "a fresh IV per rewrite";
    EXPECT_NE(second.Iv(), Mmkv::Iv{});
    EXPECT_TRUE(log_.Lines().empty());
}

// The values of fixture `types` through our setters: the same value bytes as MMKV's, and a stream as
// long as MMKV's (both are compact), in a file of the smallest page multiple longer than it.
TEST_F(MmkvWritable, WritesTheValueBytesAndLayoutMmkvWrites)
{
    const json expected = Expected("types");
    MMKV* store = Writer("store");
    for (const auto& [key, entry] : expected["values"].items()) {
        const std::string type = entry["type"];
        const json& value = entry["value"];
        ASSERT_TRUE(type == "bool"     ? store->set(value.get<bool>(), key)
                    : type == "int32"  ? store->set(value.get<std::int32_t>(), key)
                    : type == "int64"  ? store->set(value.get<std::int64_t>(), key)
                    : type == "float"  ? store->set(value.get<float>(), key)
                    : type == "double" ? store->set(value.get<double>(), key)
                                       : store->set(value.get<std::string>(), key));
    }
    const auto records = Decrypted(Root("store"));
    ASSERT_EQ(records.size(), expected["values"].size());
    for (const auto& [key, entry] : expected["values"].items()) {
        EXPECT_EQ(records.at(key), key == "string.big10000" ? FromHex("904e") + entry["value"].get<std::string>()
                                                            : FromHex(entry["encodedValueHex"].get<std::string>()))
            << key;
    }
    const Meta meta(Root("store"));
    const std::string data = ReadBytes(Root("store") / kStoreId);
    EXPECT_EQ(meta.Size(), expected["meta"]["actualSize"]);
    EXPECT_EQ(meta.page.size(), kPage);
    EXPECT_EQ(U32At(meta.page, 4), 4u) << "version";
    EXPECT_EQ(meta.Sequence(), 14u) << "one rewrite per set";
    EXPECT_EQ(meta.Crc(), Mmkv::Crc32(Stream(Root("store"))));
    EXPECT_EQ(U32At(meta.page, 32), meta.Size()) << "last confirmed size";
    EXPECT_EQ(U32At(meta.page, 36), meta.Crc()) << "last confirmed checksum";
    EXPECT_EQ(meta.page.substr(40), std::string(kPage - 40, '\0')) << "reserved words, flags, padding";
    EXPECT_EQ(data.size(), 3 * kPage);
    EXPECT_EQ(data.substr(0, 4), std::string(4, '\0'));
    EXPECT_EQ(data.substr(4 + meta.Size()), std::string(data.size() - 4 - meta.Size(), '\0'));
}

// Key "k" with a string of n bytes (128 <= n < 16382) makes a stream of n + 10 bytes.
TEST_F(MmkvWritable, TheDataFileIsTheSmallestPageMultipleLongerThanHeaderAndStream)
{
    MMKV* store = Writer("store");
    for (const auto& [length, fileSize] : {std::pair<std::size_t, std::uintmax_t>{4081, kPage},
                                           {4082, 2 * kPage},
                                           {8177, 2 * kPage},
                                           {8178, 3 * kPage},
                                           {200, kPage}}) {
        ASSERT_TRUE(store->set(std::string(length, 'v'), "k"));
        EXPECT_EQ(Meta(Root("store")).Size(), length + 10);
        EXPECT_EQ(fs::file_size(Root("store") / kStoreId), fileSize) << length;
    }
}

TEST_F(MmkvWritable, EveryValueRoundTripsThroughAFreshReader)
{
    MMKV* writer = Writer("store");
    const std::string big(10000, 'q');
    const std::string withNul("a\0b", 3);
    ASSERT_TRUE(writer->set(false, "bool"));
    ASSERT_TRUE(writer->set(std::numeric_limits<std::int32_t>::min(), "int32"));
    ASSERT_TRUE(writer->set(std::numeric_limits<std::int64_t>::min(), "int64"));
    ASSERT_TRUE(writer->set(std::numeric_limits<float>::quiet_NaN(), "float"));
    ASSERT_TRUE(writer->set(-0.0, "double"));
    ASSERT_TRUE(writer->set(std::string(), "empty"));
    ASSERT_TRUE(writer->set(big, "big"));
    ASSERT_TRUE(writer->set(withNul, "ключ é"));
    ASSERT_TRUE(writer->set(7, "overwritten"));
    ASSERT_TRUE(writer->set("now a string", "overwritten"));
    ASSERT_TRUE(writer->set("soon gone", "removed"));
    ASSERT_TRUE(writer->set(static_cast<const char*>(nullptr), "removed"));
    EXPECT_FALSE(writer->set(std::string("v"), "")) << "empty keys are refused";

    MMKV* reader = Reader("store");
    EXPECT_EQ(reader->count(), 9u);
    bool has = false;
    EXPECT_FALSE(reader->getBool("bool", true, &has));
    EXPECT_TRUE(has);
    EXPECT_EQ(reader->getInt32("int32"), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(reader->getInt64("int64"), std::numeric_limits<std::int64_t>::min());
    EXPECT_TRUE(std::isnan(reader->getFloat("float")));
    EXPECT_EQ(std::bit_cast<std::uint64_t>(reader->getDouble("double", 1.0)), std::bit_cast<std::uint64_t>(-0.0));
    for (const auto& [key, value] : {std::pair<std::string, std::string>{"empty", ""},
                                     {"big", big},
                                     {"ключ é", withNul},
                                     {"overwritten", "now a string"}}) {
        std::string text = "untouched";
        EXPECT_TRUE(reader->getString(key, text));
        EXPECT_EQ(text, value) << key;
    }
    std::string text;
    EXPECT_FALSE(reader->getString("removed", text));
    EXPECT_TRUE(log_.Lines().empty());
}

TEST_F(MmkvWritable, StoresWithoutAKeyKeepTheStreamInTheClear)
{
    MMKV* plain = Writer("plain", "");
    ASSERT_TRUE(plain->set("1", "a"));
    EXPECT_EQ(Stream(Root("plain")).substr(4), FromHex("0161020131")) << "the stream in the clear";
    std::string text;
    EXPECT_TRUE(Reader("plain", "")->getString("a", text));
    EXPECT_EQ(text, "1");
}

TEST_F(MmkvWritable, ClearAllEmptiesTheStoreAndShrinksItToOnePage)
{
    MMKV* store = Writer("store");
    ASSERT_TRUE(store->set(std::string(10000, 'x'), "big"));
    const Meta before(Root("store"));
    store->clearAll();
    EXPECT_EQ(store->count(), 0u);
    EXPECT_EQ(ReadBytes(Root("store") / kStoreId), std::string(kPage, '\0'));
    const Meta cleared(Root("store"));
    EXPECT_EQ(cleared.Sequence(), before.Sequence() + 1);
    EXPECT_NE(cleared.Iv(), before.Iv());
    EXPECT_EQ(cleared.Crc(), 0u);
    EXPECT_EQ(cleared.page.substr(28, 12), std::string(12, '\0')) << "size and last confirmed state";
    ASSERT_TRUE(store->set("only", "z"));
    EXPECT_EQ(Reader("store")->allKeys(), std::vector<std::string>{"z"});
    EXPECT_TRUE(log_.Lines().empty());
}

// The data file is written first: a rewrite cut off before its meta file never reads as a store.
TEST_F(MmkvWritable, ARewriteInterruptedBeforeTheMetaFileReadsAsEmptyNotWrong)
{
    MMKV* store = Writer("store");
    ASSERT_TRUE(store->set("1", "a"));
    const std::string oldMeta = ReadBytes(Root("store") / kMetaName);
    ASSERT_TRUE(store->set("2", "b"));
    WriteBytes(Root("store") / kMetaName, oldMeta);
    EXPECT_EQ(Reader("store")->count(), 0u);
    EXPECT_EQ(log_.Messages(LogLevel::Warning).size(), 1u);
}

// Also keeps per-key expiration: its values end in a 4-byte expiry time, 0 ("never") in ours.
TEST_F(MmkvWritable, ContinuesAStoreMmkvWroteKeepingItsFlags)
{
    const fs::path root = CopyFixture("epic-basic", Root("store"));
    std::string meta = ReadBytes(root / kMetaName);
    meta[104] = 1;
    WriteBytes(root / kMetaName, meta);
    MMKV* store = Writer("store");
    ASSERT_EQ(store->count(), 7u);
    ASSERT_TRUE(store->set("x", "added"));
    const auto records = Decrypted(root);
    EXPECT_EQ(records.size(), 8u);
    EXPECT_EQ(records.at("epic.clientSecret"), FromHex("0b") + "secret-0001");
    EXPECT_EQ(records.at("added"), FromHex("017800000000"));
    EXPECT_EQ(Meta(root).Sequence(), 2u);
    EXPECT_EQ(Meta(root).page[104], 1);
}

TEST_F(MmkvWritable, AFailedWriteLeavesTheValueAsItWasAndIsAnError)
{
    MMKV* store = Writer("store");
    ASSERT_TRUE(store->set("1", "a"));
    fs::remove(Root("store") / kStoreId);
    fs::create_directory(Root("store") / kStoreId);
    VyroTest::LogCapture errors(LogLevel::Error);
    EXPECT_FALSE(store->set("2", "a"));
    EXPECT_FALSE(store->set("3", "b"));
    std::string text;
    EXPECT_TRUE(store->getString("a", text));
    EXPECT_EQ(text, "1");
    EXPECT_EQ(store->count(), 1u);
    WriteBytes(Root("a file"), "not a folder");
    EXPECT_EQ(Writer("a file"), nullptr);
    EXPECT_EQ(errors.Messages(LogLevel::Error).size(), 3u);
}

TEST_F(MmkvWritable, StoresOpenedWithoutARootLiveInTheInitialisedOne)
{
    ASSERT_TRUE(MMKV::mmkvWithID("DefaultRootStore")->set(true, "here"));
    EXPECT_TRUE(fs::exists(InitialiseMmkv() / "DefaultRootStore.crc"));
}

TEST_F(MmkvWritable, AThousandKeysSetOneAtATime)
{
    MMKV* store = Writer("store");
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 1000; ++i) {
        ASSERT_TRUE(store->set("value " + std::to_string(i), "game.setting" + std::to_string(i)));
    }
    std::cout << "1000 sets: " << std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count()
              << " s\n";
    MMKV* reader = Reader("store");
    std::string text;
    EXPECT_EQ(reader->count(), 1000u);
    EXPECT_TRUE(reader->getString("game.setting999", text));
    EXPECT_EQ(text, "value 999");
}
