// The pack builder's store side: creating and emptying the store, the setters, and what the
// reader finds in the files they leave.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "ConfigTestFolder.h"
#include "common/Platform.h"
#include "config/ConfigPackStore.h"
#include "config/ConfigReader.h"
#include "config/Utf8Path.h"

namespace {

namespace fs = std::filesystem;

class ConfigStoreTest : public ::testing::Test {
protected:
    // Reads the store's files as they are on disk: copied, so that the reader cannot be handed the
    // writer's instance from MMKV's registry of open stores.
    void OpenCopyOfStore(Vyro::ConfigReader& reader, const fs::path& store)
    {
        const fs::path copy = VyroTest::CopyStore(store, folder_.Path() / ("copy-" + std::to_string(copies_++)));
        ASSERT_TRUE(reader.OpenAt(Vyro::Platform::Utf8ToWide(Vyro::PathToUtf8(copy))));
    }

    VyroTest::TestFolder folder_;
    int copies_ = 0;
};

TEST_F(ConfigStoreTest, CreatesMissingFoldersAndAnEmptyStore)
{
    const fs::path store = folder_.Path() / "a" / "b";
    MMKV* handle = nullptr;
    ASSERT_TRUE(Vyro::CreateConfigStore(store, handle));
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(Vyro::CountConfigKeys(handle), 0u);
    EXPECT_TRUE(fs::is_regular_file(store / "VyroChannelConfig"));
    EXPECT_TRUE(fs::is_regular_file(store / "VyroChannelConfig.crc"));
}

TEST_F(ConfigStoreTest, EarlierKeysDoNotSurviveANewStore)
{
    const fs::path store = folder_.Path() / "store";
    MMKV* handle = nullptr;
    ASSERT_TRUE(Vyro::CreateConfigStore(store, handle));
    ASSERT_TRUE(Vyro::SetString(handle, "old.key", "old"));
    ASSERT_TRUE(Vyro::CreateConfigStore(store, handle));
    ASSERT_TRUE(Vyro::SetString(handle, "new.key", "new"));
    EXPECT_EQ(Vyro::CountConfigKeys(handle), 1u);
    ASSERT_TRUE(Vyro::FinishConfigStore(handle));

    Vyro::ConfigReader reader;
    OpenCopyOfStore(reader, store);
    std::string value;
    EXPECT_FALSE(reader.GetString("old.key", value));
    EXPECT_TRUE(reader.GetString("new.key", value));
    EXPECT_EQ(value, "new");
}

TEST_F(ConfigStoreTest, SettersNeedAStoreAndAKey)
{
    MMKV* handle = nullptr;
    ASSERT_TRUE(Vyro::CreateConfigStore(folder_.Path(), handle));
    EXPECT_FALSE(Vyro::SetBool(nullptr, "k", true));
    EXPECT_FALSE(Vyro::SetInt32(nullptr, "k", 1));
    EXPECT_FALSE(Vyro::SetString(nullptr, "k", "v"));
    EXPECT_FALSE(Vyro::SetBool(handle, "", true));
    EXPECT_FALSE(Vyro::SetInt32(handle, "", 1));
    EXPECT_FALSE(Vyro::SetInt64(handle, "", 1));
    EXPECT_FALSE(Vyro::SetFloat(handle, "", 1.0f));
    EXPECT_FALSE(Vyro::SetDouble(handle, "", 1.0));
    EXPECT_FALSE(Vyro::SetString(handle, "", "v"));
    EXPECT_EQ(Vyro::CountConfigKeys(handle), 0u);
    EXPECT_EQ(Vyro::CountConfigKeys(nullptr), 0u);
}

TEST_F(ConfigStoreTest, EverySetterCountsOneKey)
{
    MMKV* handle = nullptr;
    ASSERT_TRUE(Vyro::CreateConfigStore(folder_.Path(), handle));
    EXPECT_TRUE(Vyro::SetBool(handle, "bool", true));
    EXPECT_TRUE(Vyro::SetInt32(handle, "int32", 1));
    EXPECT_TRUE(Vyro::SetInt64(handle, "int64", 1));
    EXPECT_TRUE(Vyro::SetFloat(handle, "float", 1.5f));
    EXPECT_TRUE(Vyro::SetDouble(handle, "double", 1.5));
    EXPECT_TRUE(Vyro::SetString(handle, "string", "v"));
    EXPECT_TRUE(Vyro::SetString(handle, "string", "overwritten"));
    EXPECT_EQ(Vyro::CountConfigKeys(handle), 6u);
}

TEST_F(ConfigStoreTest, WhatTheSettersWriteTheReaderReads)
{
    const fs::path store = folder_.Path() / "store";
    const std::string longText(5000, 'x'); // more than a memory page
    const std::string utf8 = "héllo ✓ 日本語";
    MMKV* handle = nullptr;
    ASSERT_TRUE(Vyro::CreateConfigStore(store, handle));
    ASSERT_TRUE(Vyro::SetString(handle, "string.utf8", utf8));
    ASSERT_TRUE(Vyro::SetString(handle, "string.empty", ""));
    ASSERT_TRUE(Vyro::SetString(handle, "string.long", longText));
    ASSERT_TRUE(Vyro::SetString(handle, "string.array", R"([1,"two",{"three":3}])"));
    ASSERT_TRUE(Vyro::SetString(handle, "ключ.ünï", "non-ASCII key"));
    ASSERT_TRUE(Vyro::SetInt32(handle, "int32.min", INT32_MIN));
    ASSERT_TRUE(Vyro::SetInt32(handle, "int32.max", INT32_MAX));
    ASSERT_TRUE(Vyro::SetInt64(handle, "int64.min", INT64_MIN));
    ASSERT_TRUE(Vyro::SetInt64(handle, "int64.max", INT64_MAX));
    ASSERT_TRUE(Vyro::FinishConfigStore(handle));

    Vyro::ConfigReader reader;
    OpenCopyOfStore(reader, store);
    const auto readString = [&](const std::string& key) {
        std::string value = "absent";
        reader.GetString(key, value);
        return value;
    };
    EXPECT_EQ(readString("string.utf8"), utf8);
    EXPECT_EQ(readString("string.empty"), "");
    EXPECT_EQ(readString("string.long"), longText);
    EXPECT_EQ(readString("string.array"), R"([1,"two",{"three":3}])");
    EXPECT_EQ(readString("ключ.ünï"), "non-ASCII key");
    EXPECT_EQ(reader.GetInt32("int32.min", 0), INT32_MIN);
    EXPECT_EQ(reader.GetInt32("int32.max", 0), INT32_MAX);
    EXPECT_EQ(reader.GetInt64("int64.min", 0), INT64_MIN);
    EXPECT_EQ(reader.GetInt64("int64.max", 0), INT64_MAX);
}

// Packing writes the store once, at the end: until then the files hold the empty store.
TEST_F(ConfigStoreTest, ValuesReachTheFilesWhenTheStoreIsFinished)
{
    const fs::path store = folder_.Path() / "store";
    MMKV* handle = nullptr;
    ASSERT_TRUE(Vyro::CreateConfigStore(store, handle));
    ASSERT_TRUE(Vyro::SetString(handle, "first", "1"));
    ASSERT_TRUE(Vyro::SetInt32(handle, "second", 2));
    std::string value;
    Vyro::ConfigReader before;
    OpenCopyOfStore(before, store);
    EXPECT_FALSE(before.GetString("first", value));

    ASSERT_TRUE(Vyro::FinishConfigStore(handle));
    Vyro::ConfigReader after;
    OpenCopyOfStore(after, store);
    EXPECT_TRUE(after.GetString("first", value));
    EXPECT_EQ(value, "1");
    EXPECT_EQ(after.GetInt32("second", 0), 2);
    EXPECT_FALSE(Vyro::FinishConfigStore(nullptr));
}

TEST_F(ConfigStoreTest, StoreThatCannotBeCreated)
{
    const fs::path file = folder_.Write("file", "not a folder");
    MMKV* handle = nullptr;
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(Vyro::CreateConfigStore(file, handle));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "error: failed to create config MMKV\n");
    EXPECT_EQ(handle, nullptr);
    // A folder below a file cannot be made at all.
    EXPECT_THROW(Vyro::CreateConfigStore(file / "store", handle), fs::filesystem_error);
}

} // namespace
