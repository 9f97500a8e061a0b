// The configuration store reader: opening, staying open, and reads of stores that real MMKV wrote.
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ConfigTestFolder.h"
#include "LogCapture.h"
#include "common/Platform.h"
#include "config/ConfigReader.h"
#include "config/ConfigStoreKey.h"
#include "config/Utf8Path.h"

namespace {

namespace fs = std::filesystem;
using Vyro::ConfigReader;
using Warnings = std::vector<std::string>;

std::wstring Wide(const fs::path& path) { return Vyro::Platform::Utf8ToWide(Vyro::PathToUtf8(path)); }

// The fixtures are read-only (and may sit on a read-only file system): tests read writable copies.
fs::path CopyFixture(const std::string& name, const fs::path& into)
{
    return VyroTest::CopyStore(fs::path(VYRO_MMKV_FIXTURES) / name, into / name);
}

class ConfigReaderTest : public ::testing::Test {
protected:
    Warnings LoggedWarnings() const { return log_.Messages(Vyro::LogLevel::Warning); }

    VyroTest::TestFolder folder_;
    VyroTest::LogCapture log_{Vyro::LogLevel::Warning};
};

TEST_F(ConfigReaderTest, OpenWithoutTheLibraryLoadedUnderItsOwnNameFails)
{
    // The tests link the library's code into their own program: no module carries its file name.
    ConfigReader& reader = ConfigReader::Instance();
    EXPECT_EQ(&reader, &ConfigReader::Instance());
    EXPECT_FALSE(reader.Open());
    EXPECT_FALSE(reader.IsOpen());
    EXPECT_EQ(LoggedWarnings(), Warnings{"[ConfigReader] could not determine DLL directory"});
}

TEST_F(ConfigReaderTest, MissingFolderFailsAndALaterOpenTriesAgain)
{
    ConfigReader reader;
    const fs::path missing = folder_.Path() / "missing folder é";
    EXPECT_FALSE(reader.OpenAt(Wide(missing)));
    EXPECT_FALSE(reader.IsOpen());
    EXPECT_EQ(LoggedWarnings(), Warnings{"[ConfigReader] config path not found: " + Vyro::PathToUtf8(missing)});

    EXPECT_TRUE(reader.OpenAt(Wide(CopyFixture("epic-basic", folder_.Path()))));
    EXPECT_TRUE(reader.IsOpen());
}

TEST_F(ConfigReaderTest, ReadsTheEpicKeysOfAStoreThatMmkvWrote)
{
    ConfigReader reader;
    ASSERT_TRUE(reader.OpenAt(Wide(CopyFixture("epic-basic", folder_.Path()))));
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"epic.productName", "Fixture Game"}, {"epic.productVersion", "1.2.3"}, {"epic.productId", "prod-0001"},
        {"epic.sandboxId", "sandbox-0001"},   {"epic.deploymentId", "deploy-0001"}, {"epic.clientId", "client-0001"},
        {"epic.clientSecret", "secret-0001"},
    };
    for (const auto& [key, value] : expected) {
        std::string out;
        EXPECT_TRUE(reader.GetString(key, out)) << key;
        EXPECT_EQ(out, value);
    }
    EXPECT_EQ(LoggedWarnings(), Warnings{});
}

TEST_F(ConfigReaderTest, ReadsIntegersOfAStoreThatMmkvWrote)
{
    ConfigReader reader;
    ASSERT_TRUE(reader.OpenAt(Wide(CopyFixture("types", folder_.Path()))));
    EXPECT_EQ(reader.GetInt32("int32.minus5", 0), -5);
    EXPECT_EQ(reader.GetInt32("int32.max", 0), 2147483647);
    EXPECT_EQ(reader.GetInt64("int64.3e9", 0), 3000000000);
    EXPECT_EQ(reader.GetInt64("int64.minus9e9", 0), -9000000000);
    std::string text;
    EXPECT_TRUE(reader.GetString("string.empty", text = "before"));
    EXPECT_EQ(text, "");
    EXPECT_TRUE(reader.GetString("string.big10000", text));
    EXPECT_EQ(text.size(), 10000u);
}

TEST_F(ConfigReaderTest, AbsentOrEmptyKeysLeaveTheCallersValues)
{
    ConfigReader reader;
    ASSERT_TRUE(reader.OpenAt(Wide(CopyFixture("epic-basic", folder_.Path()))));
    std::string out = "default";
    EXPECT_FALSE(reader.GetString("epic.missing", out));
    EXPECT_FALSE(reader.GetString("", out));
    EXPECT_EQ(out, "default");
    EXPECT_EQ(reader.GetInt32("epic.missing", 42), 42);
    EXPECT_EQ(reader.GetInt64("epic.missing", -7), -7);
}

TEST_F(ConfigReaderTest, ClosedReaderAnswersWithDefaults)
{
    const ConfigReader reader;
    std::string out = "default";
    EXPECT_FALSE(reader.GetString("epic.clientId", out));
    EXPECT_EQ(out, "default");
    EXPECT_EQ(reader.GetInt32("epic.clientId", 42), 42);
    EXPECT_EQ(reader.GetInt64("epic.clientId", -7), -7);
}

TEST_F(ConfigReaderTest, AnOpenReaderStaysOnItsStore)
{
    ConfigReader reader;
    ASSERT_TRUE(reader.OpenAt(Wide(CopyFixture("epic-basic", folder_.Path()))));
    // Neither the missing folder nor the library's own folder is looked at again.
    EXPECT_TRUE(reader.OpenAt(Wide(folder_.Path() / "missing")));
    EXPECT_TRUE(reader.Open());
    EXPECT_EQ(LoggedWarnings(), Warnings{});
    std::string out;
    EXPECT_TRUE(reader.GetString("epic.clientId", out));
    EXPECT_EQ(out, "client-0001");
}

// Whether MMKV opens them as empty stores or refuses them, the reader has no value to give.
TEST_F(ConfigReaderTest, StoreOfAnotherKeyOrNoStoreAtAllHasNoValues)
{
    for (const fs::path& store : {CopyFixture("wrong-key", folder_.Path()), folder_.Path()}) {
        ConfigReader reader;
        reader.OpenAt(Wide(store));
        std::string out = "default";
        EXPECT_FALSE(reader.GetString("epic.clientId", out)) << store;
        EXPECT_EQ(out, "default");
        EXPECT_EQ(reader.GetInt32("epic.clientId", 42), 42);
    }
}

TEST(ConfigStoreKey, IsTheKeyTheFixturesWereWrittenWith)
{
    const std::string& key = Vyro::kConfigStoreKey;
    EXPECT_EQ(Vyro::Platform::HexEncode(reinterpret_cast<const std::uint8_t*>(key.data()), key.size(), false),
              "f9220c05ec188ec51356bcb2d80e0f3e6d52b501c44ad308695de95decc6bb1d");
    EXPECT_STREQ(Vyro::kConfigStoreId, "VyroChannelConfig");
}

} // namespace
