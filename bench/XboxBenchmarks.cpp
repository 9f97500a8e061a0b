// The Xbox channel's per-frame costs against the simulated GDK: Tick with an empty queue, and one
// AuthToken request whose work runs on the runtime's worker thread and whose answer arrives in Tick.
#include <benchmark/benchmark.h>

#include <atomic>
#include <memory>

#include "AllocationCount.h"
#include "SimulatedGdkApi.h"
#include "VyroChannel.h"
#include "channels/xbox/XboxChannelSDK.h"
#include "core/ChannelHolder.h"

namespace {

std::atomic<int> answers{0};

void CountAnswer(int code, const char* json)
{
    benchmark::DoNotOptimize(code);
    benchmark::DoNotOptimize(json);
    answers.fetch_add(1, std::memory_order_relaxed);
}

// Ticks until the answers counted reach `count`.
void TickUntilAnswered(int count)
{
    while (answers.load(std::memory_order_relaxed) < count) {
        VyroChannel_Tick();
    }
}

// A loaded Xbox channel whose silent sign-in has completed, installed as the library's channel.
void StartXboxChannel()
{
    VyroSim_Control(R"({"op":"reset"})");
    Vyro::InstallChannel(std::make_shared<Vyro::XboxChannelSDK>(
        Vyro::LazyStoreApi<Vyro::Gdk::GameRuntimeApi>(Vyro::XboxSim::SimulatedGameRuntimeApi()),
        Vyro::LazyStoreApi<Vyro::Xbl::XblApi>(Vyro::XboxSim::SimulatedXblApi())));
    VyroChannel_Load("{}", nullptr);
    answers = 0;
    VyroChannel_Login("{}", &CountAnswer);
    TickUntilAnswered(1);
}

void StopXboxChannel()
{
    VyroChannel_Unload("{}", nullptr);
    Vyro::ReleaseChannel();
}

void BM_XboxIdleTick(benchmark::State& state)
{
    StartXboxChannel();
    const long before = VyroBench::Allocations();
    for (auto _ : state) {
        VyroChannel_Tick();
    }
    VyroBench::CountAllocations(state, before);
    StopXboxChannel();
}
BENCHMARK(BM_XboxIdleTick);

void BM_XboxAuthTokenRoundTrip(benchmark::State& state)
{
    StartXboxChannel();
    const long before = VyroBench::Allocations();
    for (auto _ : state) {
        const int expected = answers.load(std::memory_order_relaxed) + 1;
        VyroChannel_AuthToken(R"({"requestId":"t"})", &CountAnswer);
        TickUntilAnswered(expected);
    }
    VyroBench::CountAllocations(state, before);
    StopXboxChannel();
}
BENCHMARK(BM_XboxAuthTokenRoundTrip)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
