// Packing a folder of JSON into a configuration store as vyro-config-pack does, for stores of
// 1,000, 4,000 and 10,000 keys: the store is written once at the end, so the time grows with the
// key count, not its square.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "PackCommand.h"

namespace {

namespace fs = std::filesystem;

// One JSON file of `keys` members of every value type under one object.
void WriteSettings(const fs::path& file, int keys)
{
    std::ofstream json(file, std::ios::binary);
    json << "{\"game\": {";
    for (int i = 0; i < keys; ++i) {
        json << (i == 0 ? "" : ", ") << "\"setting" << i << "\": ";
        switch (i % 4) {
        case 0: json << "\"value of setting " << i << '"'; break;
        case 1: json << i; break;
        case 2: json << (i % 8 == 2 ? "true" : "false"); break;
        default: json << i << ".5"; break;
        }
    }
    json << "}}";
}

void BM_PackKeys(benchmark::State& state)
{
    const int keys = static_cast<int>(state.range(0));
    const fs::path folder = fs::temp_directory_path() / ("vyro-pack-bench-" + std::to_string(keys));
    fs::remove_all(folder);
    fs::create_directories(folder / "json");
    WriteSettings(folder / "json" / "settings.json", keys);
    std::FILE* out = std::fopen("/dev/null", "w");
    for (auto _ : state) {
        if (ConfigPack::RunPack(folder / "json", folder / "store", out) != 0) {
            state.SkipWithError("packing failed");
            break;
        }
    }
    std::fclose(out);
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}
BENCHMARK(BM_PackKeys)->Arg(1000)->Arg(4000)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
