// Seeded random damage to every fixture, each damaged copy opened read-only and read in full: no
// crash, no read outside the files (run it under AddressSanitizer), at most one warning, and no
// value the undamaged store does not hold.
#include <algorithm>
#include <bit>
#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <tuple>

#include <gtest/gtest.h>

#include "LogCapture.h"
#include "MmkvTestSupport.h"

using namespace VyroTest::MmkvSupport;

namespace {

constexpr int kMutationsPerFixture = 150;

// Everything the getters say about one key.
using Reading = std::tuple<bool, std::string, bool, bool, bool, std::int32_t, bool, std::int64_t, bool, std::uint32_t,
                           bool, std::uint64_t>;

std::map<std::string, Reading> ReadEverything(MMKV& store)
{
    std::map<std::string, Reading> readings;
    for (const auto& key : store.allKeys()) {
        auto& [ok, text, boolHas, boolean, int32Has, int32, int64Has, int64, floatHas, floatBits, doubleHas,
               doubleBits] = readings[key];
        ok = store.getString(key, text);
        boolean = store.getBool(key, false, &boolHas);
        int32 = store.getInt32(key, 0, &int32Has);
        int64 = store.getInt64(key, 0, &int64Has);
        floatBits = std::bit_cast<std::uint32_t>(store.getFloat(key, 0, &floatHas));
        doubleBits = std::bit_cast<std::uint64_t>(store.getDouble(key, 0, &doubleHas));
    }
    EXPECT_EQ(store.count(), readings.size());
    return readings;
}

struct StoreBytes {
    std::string data;
    std::string meta;
};

// One random kind of damage to a store's bytes. An emptied file is left out half the time: missing.
class Mutator {
public:
    explicit Mutator(std::uint32_t seed) : random_(seed) {}

    // `trusted` is false when the IV may have changed: the checksum covers the ciphertext only, so a
    // changed IV garbles the first block unnoticed and only the absence of crashes can be asked for.
    StoreBytes Damage(StoreBytes store, bool& trusted)
    {
        trusted = true;
        const std::uint32_t streamEnd = 4 + U32At(store.meta, 28);
        switch (Below(7)) {
        case 0: store.data.resize(Below(4) == 0 ? 0 : Below(store.data.size() + 1)); break;
        case 1: Flip(store.data, 0, streamEnd + 16); break;
        case 2: Put(store.meta, kFieldOffsets[Below(std::size(kFieldOffsets))], RandomOrExtreme()); break;
        case 3: store.meta.resize(Below(4) == 0 ? 0 : Below(113)); break;
        case 4:
            store.data.resize(Below(store.data.size() + 1));
            Put(store.meta, 28 + 4 * Below(2), static_cast<std::uint32_t>(store.data.size() - Below(8)));
            break;
        case 5:
            Flip(store.meta, 0, 112);
            trusted = false;
            break;
        default:
            Flip(store.meta, 12, 16);
            trusted = false;
            break;
        }
        return store;
    }

private:
    // crc, version, sequence, actual size, last confirmed size and checksum.
    static constexpr std::size_t kFieldOffsets[] = {0, 4, 8, 28, 32, 36};

    std::size_t Below(std::size_t bound) { return std::uniform_int_distribution<std::size_t>(0, bound - 1)(random_); }

    std::uint32_t RandomOrExtreme()
    {
        static constexpr std::uint32_t extremes[] = {0, 1, 2, 3, 4, 7, 0x7fffffff, 0x80000000, 0xfffffffb, 0xffffffff};
        return Below(2) == 0 ? extremes[Below(std::size(extremes))] : static_cast<std::uint32_t>(random_());
    }

    // One to four bytes of [start, start + length) changed, as far as `bytes` reaches.
    void Flip(std::string& bytes, std::size_t start, std::size_t length)
    {
        for (std::size_t flips = 1 + Below(4); flips > 0 && start < bytes.size(); --flips) {
            bytes[start + Below(std::min(length, bytes.size() - start))] ^= static_cast<char>(1 + Below(255));
        }
    }

    static void Put(std::string& bytes, std::size_t offset, std::uint32_t value)
    {
        for (std::size_t i = 0; i < 4; ++i) {
            bytes[offset + i] = static_cast<char>(value >> (8 * i));
        }
    }

    std::mt19937 random_;
};

class MmkvMutation : public ::testing::TestWithParam<std::size_t> {
protected:
    void SetUp() override { InitialiseMmkv(); }

    VyroTest::TestFolder folder_;
};

} // namespace

TEST_P(MmkvMutation, DamagedStoresReadAsPartOfTheOriginalOrEmpty)
{
    const std::string& name = FixtureNames()[GetParam()];
    const json expected = Expected(name);
    const std::string key = ReadKeyOf(expected);
    // The two damaged fixtures hold at most what the store they were copied from holds.
    const auto original = ReadEverything(
        *OpenReadOnly(CopyFixture(expected.value("derivedFrom", name), folder_.Path() / "original"), key));
    const StoreBytes pristine{ReadBytes(FixturePath(name) / kStoreId), ReadBytes(FixturePath(name) / kMetaName)};
    const std::string root = Vyro::PathToUtf8(folder_.Path());
    VyroTest::LogCapture log(Vyro::LogLevel::Warning);
    Mutator mutator(20261208u + static_cast<std::uint32_t>(GetParam()));
    for (int i = 0; i < kMutationsPerFixture; ++i) {
        SCOPED_TRACE("mutation " + std::to_string(i));
        bool trusted = true;
        const StoreBytes damaged = mutator.Damage(pristine, trusted);
        const std::string id = "m" + std::to_string(i);
        for (const auto& [file, bytes] : {std::pair{id, damaged.data}, {id + ".crc", damaged.meta}}) {
            if (!bytes.empty() || i % 2 == 0) {
                WriteBytes(folder_.Path() / file, bytes);
            }
        }
        const std::size_t warned = log.Messages(Vyro::LogLevel::Warning).size();
        MMKV* store = MMKV::mmkvWithID(id, MMKV_SINGLE_PROCESS | MMKV_READ_ONLY, &key, &root, 0, true);
        ASSERT_NE(store, nullptr);
        for (const auto& [storedKey, reading] : ReadEverything(*store)) {
            ASSERT_TRUE(!trusted || original.contains(storedKey)) << "invented " << storedKey;
            EXPECT_TRUE(!trusted || reading == original.at(storedKey)) << "changed " << storedKey;
        }
        EXPECT_LE(log.Messages(Vyro::LogLevel::Warning).size(), warned + 1);
        fs::remove(folder_.Path() / id);
        fs::remove(folder_.Path() / (id + ".crc"));
    }
}

INSTANTIATE_TEST_SUITE_P(Fixtures, MmkvMutation, ::testing::Range<std::size_t>(0, FixtureNames().size()),
                         [](const auto& info) {
                             std::string name = FixtureNames()[info.param];
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });
