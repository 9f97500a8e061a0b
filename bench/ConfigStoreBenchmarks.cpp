// The MMKV-format store under the configuration reader: opening a read-only store of 1,000 keys and
// reading seven strings, the reads alone, and one set (a whole rewrite) in a store of that size.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <system_error>

#include "config/Utf8Path.h"
#include "config/ConfigStoreKey.h"
#include "config/mmkv/MMKV.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kStoreId = "VyroChannelConfig";
constexpr int kKeys = 1000;
constexpr std::array<const char*, 7> kReadKeys = {"epic.productName", "epic.productVersion", "epic.productId",
                                                  "epic.sandboxId",   "epic.deploymentId",   "epic.clientId",
                                                  "epic.clientSecret"};

// A store of kKeys keys written by our writer into a temporary folder, removed afterwards. MMKV keeps
// every instance it opened for the life of the process, one per (folder, id): a fresh open needs a
// folder no earlier open used, so each one gets a copy of the files in a folder of its own.
class BenchStore {
public:
    // Each benchmark run (repetitions included) writes its own store: the writer opened before
    // stays cached with its folder.
    BenchStore() : folder_(fs::temp_directory_path() / ("vyro-mmkv-bench-" + std::to_string(runs_++)))
    {
        fs::remove_all(folder_);
        MMKV::initializeMMKV(Vyro::PathToUtf8(folder_), MMKVLogWarning);
        writer_ = Open(folder_ / "source", MMKV_SINGLE_PROCESS);
        for (int i = 0; writer_ != nullptr && i < kKeys; ++i) {
            const std::string key =
                i < static_cast<int>(kReadKeys.size()) ? kReadKeys[i] : "game.setting" + std::to_string(i);
            writer_->set("value of " + key, key);
        }
    }
    ~BenchStore()
    {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    BenchStore(const BenchStore&) = delete;
    BenchStore& operator=(const BenchStore&) = delete;

    MMKV* Writer() const { return writer_; }

    fs::path FreshCopy()
    {
        const fs::path copy = folder_ / ("copy" + std::to_string(copies_++));
        fs::create_directories(copy);
        for (const std::string& name : {std::string(kStoreId), std::string(kStoreId) + ".crc"}) {
            fs::copy_file(folder_ / "source" / name, copy / name);
        }
        return copy;
    }

    MMKV* Open(const fs::path& root, MMKVMode mode) const
    {
        const std::string rootText = Vyro::PathToUtf8(root);
        return MMKV::mmkvWithID(kStoreId, mode, &key_, &rootText, 0, true);
    }

private:
    static inline int runs_ = 0;
    const std::string key_ = Vyro::kConfigStoreKey;
    fs::path folder_;
    MMKV* writer_ = nullptr;
    int copies_ = 0;
};

void GetSevenStrings(MMKV& store, benchmark::State& state)
{
    std::string value;
    for (const char* key : kReadKeys) {
        if (!store.getString(key, value)) {
            state.SkipWithError("key missing");
        }
        benchmark::DoNotOptimize(value);
    }
}

void BM_MmkvOpenReadOnlyAndGetSevenStrings(benchmark::State& state)
{
    BenchStore store;
    for (auto _ : state) {
        state.PauseTiming();
        const fs::path root = store.FreshCopy();
        state.ResumeTiming();
        MMKV* reader = store.Open(root, MMKV_SINGLE_PROCESS | MMKV_READ_ONLY);
        if (reader == nullptr || reader->count() != kKeys) {
            state.SkipWithError("open failed");
            break;
        }
        GetSevenStrings(*reader, state);
    }
}
// Every iteration leaves one more store open for the life of the process: a bounded number of them.
BENCHMARK(BM_MmkvOpenReadOnlyAndGetSevenStrings)->Iterations(300)->Unit(benchmark::kMicrosecond);

void BM_MmkvGetSevenStrings(benchmark::State& state)
{
    BenchStore store;
    MMKV* reader = store.Open(store.FreshCopy(), MMKV_SINGLE_PROCESS | MMKV_READ_ONLY);
    for (auto _ : state) {
        GetSevenStrings(*reader, state);
    }
}
BENCHMARK(BM_MmkvGetSevenStrings);

void BM_MmkvSetInAThousandKeyStore(benchmark::State& state)
{
    BenchStore store;
    int round = 0;
    for (auto _ : state) {
        if (!store.Writer()->set(std::to_string(round++), "game.setting500")) {
            state.SkipWithError("set failed");
        }
    }
}
BENCHMARK(BM_MmkvSetInAThousandKeyStore)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
