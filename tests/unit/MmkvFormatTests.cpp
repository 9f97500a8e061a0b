// The store's building blocks against published test vectors and the files MMKV 2.4 wrote.
#include <cstdint>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "MmkvTestSupport.h"
#include "config/mmkv/Crc32.h"
#include "config/mmkv/Crypto.h"
#include "config/mmkv/KeyValueStream.h"
#include "config/mmkv/MetaFile.h"
#include "config/mmkv/StoreFiles.h"
#include "config/mmkv/Varint.h"

using namespace Vyro::Mmkv;
using namespace VyroTest::MmkvSupport;

TEST(MmkvVarint, MinimalEncodingAndReadsThatStopAtTheInputsEndOrTenBytes)
{
    for (const auto& [value, hex] : {std::pair<std::uint64_t, const char*>{0, "00"},
                                     {127, "7f"},
                                     {128, "8001"},
                                     {0x200000, "80808001"},
                                     {std::numeric_limits<std::uint64_t>::max(), "ffffffffffffffffff01"}}) {
        std::string bytes;
        AppendVarint(bytes, value);
        EXPECT_EQ(bytes, FromHex(hex));
        std::string_view in = bytes;
        EXPECT_EQ(ReadVarint(in), value);
        EXPECT_TRUE(in.empty());
    }
    for (const char* bad : {"", "8080", "ffffffffffffffffffff01"}) {
        const std::string bytes = FromHex(bad);
        std::string_view in = bytes;
        EXPECT_EQ(ReadVarint(in), std::nullopt) << bad;
    }
}

TEST(MmkvCrc32, MatchesZlibsCheckValue) { EXPECT_EQ(Crc32("123456789"), 0xCBF43926u); }

// SP 800-38A F.3.13 and F.3.1: CFB128 with AES-256 and AES-128. On Windows this checks the CFB
// chaining assembled around CNG's block function.
TEST(MmkvAesCfb, MatchesTheNistVectorsForWholeAndPartialBlocks)
{
    const std::string plaintext = FromHex("6bc1bee22e409f96e93d7e117393172aae2d8a571e03ac9c9eb76fac45af8e51"
                                          "30c81c46a35ce411e5fbc1191a0a52eff69f2445df4f9b17ad2b417be66c3710");
    const Iv iv{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
    const std::pair<const char*, const char*> vectors[] = {
        {"603deb1015ca71be2b73aef0857d77811f352c073b6108d72d9810a30914dff4",
         "dc7e84bfda79164b7ecd8486985d386039ffed143b28b1c832113c6331e5407b"
         "df10132415e54b92a13ed0a8267ae2f975a385741ab9cef82031623d55b1e471"},
        {"2b7e151628aed2a6abf7158809cf4f3c", "3b3fd92eb72dad20333449f8e83cfb4ac8a64537a0b3a93fcde3cdad9f1ce58b"
                                             "26751f67a3cbb140b1808cf187a4f4dfc04b05357c5d1c0eeac4c66f9ff7f2e6"},
    };
    for (const auto& [keyHex, ciphertextHex] : vectors) {
        const std::string key = FromHex(keyHex);
        const std::string ciphertext = FromHex(ciphertextHex);
        for (std::size_t length : {0u, 1u, 15u, 16u, 17u, 50u, 64u}) {
            EXPECT_EQ(AesCfb128(key, iv, plaintext.substr(0, length), CfbDirection::Encrypt),
                      ciphertext.substr(0, length));
            EXPECT_EQ(AesCfb128(key, iv, ciphertext.substr(0, length), CfbDirection::Decrypt),
                      plaintext.substr(0, length));
        }
    }
    EXPECT_EQ(AesCfb128(std::string(24, 'k'), iv, "data", CfbDirection::Encrypt), std::nullopt);
}

TEST(MmkvMetaFile, ReadsTheFieldsMmkvWroteAndWritesTheSamePageBack)
{
    for (const auto& name : FixtureNames()) {
        SCOPED_TRACE(name);
        const std::string page = ReadBytes(FixturePath(name) / kMetaName);
        const json expected = Expected(name)["meta"];
        const StoreMeta meta = ParseMeta(page);
        EXPECT_EQ(meta.crc32, std::stoul(expected["crc32"].get<std::string>(), nullptr, 16));
        EXPECT_EQ(meta.version, expected["version"]);
        EXPECT_EQ(meta.sequence, expected["sequence"]);
        EXPECT_EQ(std::string(meta.iv.begin(), meta.iv.end()), FromHex(expected["ivHex"].get<std::string>()));
        EXPECT_EQ(meta.actualSize, expected["actualSize"]);
        EXPECT_EQ(meta.lastConfirmedSize, expected["lastConfirmedActualSize"]);
        EXPECT_EQ(meta.lastConfirmedCrc32, std::stoul(expected["lastConfirmedCrc32"].get<std::string>(), nullptr, 16));
        EXPECT_EQ(meta.flags, expected["flags"]);
        EXPECT_EQ(SerializeMeta(meta), page);
    }
}

TEST(MmkvStream, ReplayKeepsTheLastWriteAndDropsRemovedKeys)
{
    // Placeholder, a=1, b=2, a=3, b removed, c removed though absent, then a zero key length that
    // MMKV's parser skips on its own.
    const std::string stream = FromHex("80808001"
                                       "01610131"
                                       "01620132"
                                       "01610133"
                                       "016200"
                                       "016300"
                                       "00");
    EXPECT_EQ(ReplayStream(stream), (ValueMap{{"a", "3"}}));
}

TEST(MmkvStream, AnyParseErrorDiscardsTheWholeStream)
{
    const std::string good = FromHex("8080800101610131");
    ASSERT_EQ(ReplayStream(good), (ValueMap{{"a", "1"}}));
    for (const char* tail : {"01", "0162", "01620278", "ffffffff0f", "8080808080808080808080"}) {
        EXPECT_EQ(ReplayStream(good + FromHex(tail)), std::nullopt) << tail;
    }
    EXPECT_EQ(ReplayStream(""), std::nullopt) << "no placeholder";
}

// A folder in place of a file opens on POSIX and then fails to read: that is no file at all, not an
// empty one. Windows refuses to open it.
TEST(MmkvStoreFiles, ReadsAtMostThePrefixAskedForAndNothingFromAFileThatCannotBeRead)
{
    VyroTest::TestFolder folder;
    WriteBytes(folder.Path() / "file", "0123456789");
    EXPECT_EQ(ReadFilePrefix(folder.Path() / "file", 4), "0123");
    EXPECT_EQ(ReadFilePrefix(folder.Path() / "file", 64), "0123456789");
    EXPECT_EQ(ReadFilePrefix(folder.Path() / "missing", 4), std::nullopt);
    EXPECT_EQ(ReadFilePrefix(folder.Path(), 4), std::nullopt);
}
