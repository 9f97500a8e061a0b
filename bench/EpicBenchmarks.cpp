// The Epic channel's per-frame costs against the simulated EOS runtime: Tick with nothing pending,
// and one Products request of 100 offers answered inside Tick.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

#include "AllocationCount.h"
#include "SimulatedEosApi.h"
#include "VyroChannel.h"
#include "channels/epic/EpicChannelSDK.h"
#include "common/Platform.h"
#include "config/ConfigPackStore.h"
#include "config/ConfigReader.h"
#include "config/Utf8Path.h"
#include "core/ChannelHolder.h"

namespace {

namespace fs = std::filesystem;

Vyro::Platform::CommandLineArgs LauncherArgs() { return {{"AUTH_TYPE", "exchangecode"}, {"AUTH_PASSWORD", "bench-code"}}; }

// The Epic settings, written once into a folder of their own and opened for the whole run.
Vyro::ConfigReader& EpicConfig()
{
    static Vyro::ConfigReader reader;
    if (!reader.IsOpen()) {
        const fs::path folder = fs::temp_directory_path() / "vyro-epic-bench-config";
        MMKV* store = nullptr;
        Vyro::CreateConfigStore(folder, store);
        for (const char* key : {"epic.productName", "epic.productVersion", "epic.productId", "epic.sandboxId",
                                "epic.deploymentId", "epic.clientId", "epic.clientSecret"}) {
            Vyro::SetString(store, key, std::string(key) + "-bench");
        }
        reader.OpenAt(Vyro::Platform::Utf8ToWide(Vyro::PathToUtf8(folder)));
    }
    return reader;
}

void IgnoreEvent(int, const char* json) { benchmark::DoNotOptimize(json); }

void CountProducts(int code, const char* json)
{
    benchmark::DoNotOptimize(code);
    benchmark::DoNotOptimize(json);
}

// A loaded Epic channel, signed in, installed as the library's channel.
void StartEpicChannel()
{
    VyroSim_Control(R"({"op":"reset"})");
    VyroSim_Control(R"({"op":"set","sdkLogging":false})");
    Vyro::InstallChannel(std::make_shared<Vyro::EpicChannelSDK>(
        Vyro::LazyStoreApi<Vyro::Eos::EosApi>(Vyro::EosSim::SimulatedEosApi()), EpicConfig(), &LauncherArgs));
    // The login status event of the sign-in is taken, as a game that listens for it does; one nobody
    // listens to would stay queued and be carried over by every Tick.
    VyroChannel_RegisterCallback(VYROCHANNEL_EVENT_LOGIN_STATUS, &IgnoreEvent);
    VyroChannel_Load("{}", nullptr);
    VyroChannel_Tick();
    VyroChannel_Tick();
}

void BM_EpicIdleTick(benchmark::State& state)
{
    StartEpicChannel();
    const long before = VyroBench::Allocations();
    for (auto _ : state) {
        VyroChannel_Tick();
    }
    VyroBench::CountAllocations(state, before);
    Vyro::ReleaseChannel();
}
BENCHMARK(BM_EpicIdleTick);

void BM_EpicProducts100(benchmark::State& state)
{
    StartEpicChannel();
    VyroSim_Control(R"({"op":"catalogue","generate":100})");
    const long before = VyroBench::Allocations();
    for (auto _ : state) {
        VyroChannel_Products(R"({"requestId":"p"})", &CountProducts);
        VyroChannel_Tick();
    }
    VyroBench::CountAllocations(state, before);
    state.SetItemsProcessed(state.iterations() * 100);
    Vyro::ReleaseChannel();
}
BENCHMARK(BM_EpicProducts100);

} // namespace

BENCHMARK_MAIN();
