// The first configuration-store open in a fresh process against a warm one: each iteration starts
// vyro_config_open_probe, which times both in its own process (a store of 1,000 keys, opened
// read-only, one string read), and reports one of the two as the iteration's time.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "config/ConfigPackStore.h"

namespace {

namespace fs = std::filesystem;

const fs::path kFolder = fs::temp_directory_path() / "vyro-first-open-bench";

// The store and its copy, written once for the whole run.
bool WriteStores()
{
    static const bool written = [] {
        fs::remove_all(kFolder);
        MMKV* store = nullptr;
        if (!Vyro::CreateConfigStore(kFolder / "store", store)) {
            return false;
        }
        for (int i = 0; i < 1000; ++i) {
            Vyro::SetString(store, "game.setting" + std::to_string(i), "value of setting " + std::to_string(i));
        }
        if (!Vyro::FinishConfigStore(store)) {
            return false;
        }
        std::error_code code;
        fs::copy(kFolder / "store", kFolder / "copy", fs::copy_options::recursive, code);
        return !code;
    }();
    return written;
}

// The probe's two times in seconds, or false when it could not be run.
bool RunProbe(double& first, double& warm)
{
    const std::string command = VYRO_OPEN_PROBE " " + (kFolder / "store").string() + " " + (kFolder / "copy").string();
    std::FILE* probe = popen(command.c_str(), "r");
    long long firstNs = -1;
    long long warmNs = -1;
    const bool read = probe != nullptr && std::fscanf(probe, "%lld %lld", &firstNs, &warmNs) == 2;
    const bool ended = probe != nullptr && pclose(probe) == 0;
    first = static_cast<double>(firstNs) * 1e-9;
    warm = static_cast<double>(warmNs) * 1e-9;
    return read && ended;
}

void ReportProbe(benchmark::State& state, bool reportFirst)
{
    if (!WriteStores()) {
        state.SkipWithError("cannot write the store");
        return;
    }
    for (auto _ : state) {
        double first = 0;
        double warm = 0;
        if (!RunProbe(first, warm)) {
            state.SkipWithError("the probe failed");
            break;
        }
        state.SetIterationTime(reportFirst ? first : warm);
    }
}

void BM_ConfigStoreFirstOpenInAFreshProcess(benchmark::State& state) { ReportProbe(state, true); }
void BM_ConfigStoreWarmOpenInAFreshProcess(benchmark::State& state) { ReportProbe(state, false); }
BENCHMARK(BM_ConfigStoreFirstOpenInAFreshProcess)->UseManualTime()->Iterations(50)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ConfigStoreWarmOpenInAFreshProcess)->UseManualTime()->Iterations(50)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
