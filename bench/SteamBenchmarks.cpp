// The Steam channel's per-frame costs against the simulated Steam runtime: Tick with nothing
// queued, and Tick delivering one overlay notification to the game.
#include <benchmark/benchmark.h>

#include <memory>

#include "AllocationCount.h"
#include "SimulatedSteamApi.h"
#include "VyroChannel.h"
#include "channels/steam/SteamChannelSDK.h"
#include "core/ChannelHolder.h"

namespace {

std::vector<Vyro::Platform::ProcessAncestor> StartedBySteam() { return {{1, "steam.exe"}}; }

void IgnoreEvent(int, const char* json) { benchmark::DoNotOptimize(json); }

// An initialised Steam channel installed as the library's channel.
void StartSteamChannel()
{
    VyroSim_Control(R"({"op":"reset"})");
    Vyro::InstallChannel(std::make_shared<Vyro::SteamChannelSDK>(
        Vyro::LazyStoreApi<Vyro::Steamworks::SteamApi>(Vyro::SteamSim::SimulatedSteamApi()), &StartedBySteam));
    VyroChannel_Load("{}", nullptr);
    VyroChannel_Init("{}", nullptr);
}

void BM_SteamIdleTick(benchmark::State& state)
{
    StartSteamChannel();
    const long before = VyroBench::Allocations();
    for (auto _ : state) {
        VyroChannel_Tick();
    }
    VyroBench::CountAllocations(state, before);
    Vyro::ReleaseChannel();
}
BENCHMARK(BM_SteamIdleTick);

void BM_SteamOverlayEvent(benchmark::State& state)
{
    StartSteamChannel();
    VyroChannel_RegisterCallback(VYROCHANNEL_EVENT_OVERLAY, &IgnoreEvent);
    // Alternate so that every notification is a change and raises an event.
    const char* notifications[] = {R"({"op":"overlay","active":true})", R"({"op":"overlay","active":false})"};
    long injecting = 0;
    const long before = VyroBench::Allocations();
    for (auto _ : state) {
        state.PauseTiming();
        const long beforeInjecting = VyroBench::Allocations();
        VyroSim_Control(notifications[state.iterations() % 2]);
        injecting += VyroBench::Allocations() - beforeInjecting;
        state.ResumeTiming();
        VyroChannel_Tick();
    }
    state.counters["allocs"] = benchmark::Counter(static_cast<double>(VyroBench::Allocations() - before - injecting),
                                                  benchmark::Counter::kAvgIterations);
    Vyro::ReleaseChannel();
}
BENCHMARK(BM_SteamOverlayEvent);

} // namespace
