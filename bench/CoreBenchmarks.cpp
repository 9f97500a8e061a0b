// The per-frame and per-request costs: an idle Tick, event delivery, and one request's parse and
// reply. "allocs" counts heap allocations per iteration.
#include <benchmark/benchmark.h>

#include "AllocationCount.h"
#include "VyroChannel.h"
#include "core/BaseChannelSDK.h"
#include "core/ChannelHolder.h"
#include "core/Envelope.h"

namespace {

// A store channel's Tick with nothing to pump: only the event dispatch.
class DispatchingChannel : public Vyro::BaseChannelSDK {
public:
    int GetChannelType() override { return Vyro::ChannelType::Steam; }
    void Tick() override { DispatchEvents(); }
};

void IgnoreEvent(int, const char* json) { benchmark::DoNotOptimize(json); }

void BM_IdleTick(benchmark::State& state)
{
    Vyro::InstallChannel(std::make_shared<DispatchingChannel>());
    const long before = VyroBench::Allocations();
    for (auto _ : state) {
        VyroChannel_Tick();
    }
    VyroBench::CountAllocations(state, before);
    Vyro::ReleaseChannel();
}
BENCHMARK(BM_IdleTick);

void BM_Dispatch64Events(benchmark::State& state)
{
    auto channel = std::make_shared<DispatchingChannel>();
    Vyro::InstallChannel(channel);
    VyroChannel_RegisterCallback(1, &IgnoreEvent);
    const std::string payload = R"({"active":true,"channel":"steam","steam":{"appId":480}})";
    long posting = 0;
    const long before = VyroBench::Allocations();
    for (auto _ : state) {
        state.PauseTiming();
        const long beforePosting = VyroBench::Allocations();
        for (int i = 0; i < 64; ++i) {
            channel->PostEvent(1, 0, payload);
        }
        posting += VyroBench::Allocations() - beforePosting;
        state.ResumeTiming();
        VyroChannel_Tick();
    }
    state.counters["allocs"] = benchmark::Counter(static_cast<double>(VyroBench::Allocations() - before - posting),
                                                  benchmark::Counter::kAvgIterations);
    state.SetItemsProcessed(state.iterations() * 64);
    Vyro::ReleaseChannel();
}
BENCHMARK(BM_Dispatch64Events);

void BM_RequestRoundTrip(benchmark::State& state)
{
    const char* params = R"({"requestId":"r-42","productIds":["gold_100","gold_500"],"google":{"offerId":"o1"}})";
    const nlohmann::json result = {{"authenticated", true},
                                   {"token", "14000000bc3f9d2e8a7b6c5d4e3f2a1b"},
                                   {"steam", {{"steamId", "76561198000000000"}, {"personaName", "Player"}}}};
    const long before = VyroBench::Allocations();
    for (auto _ : state) {
        const nlohmann::json request = Vyro::ParseParameters(params);
        std::string reply = Vyro::MakeSuccessResponse(result, Vyro::ChannelType::Steam, Vyro::GetRequestId(request));
        benchmark::DoNotOptimize(reply);
    }
    VyroBench::CountAllocations(state, before);
}
BENCHMARK(BM_RequestRoundTrip);

// The same request text parsed and a reply object of the same size dumped with nlohmann alone: the
// ratio to BM_RequestRoundTrip is the library's own overhead.
void BM_RequestRoundTripBaseline(benchmark::State& state)
{
    const char* params = R"({"requestId":"r-42","productIds":["gold_100","gold_500"],"google":{"offerId":"o1"}})";
    const nlohmann::json result = {{"authenticated", true},
                                   {"channel", "steam"},
                                   {"requestId", "r-42"},
                                   {"token", "14000000bc3f9d2e8a7b6c5d4e3f2a1b"},
                                   {"steam", {{"steamId", "76561198000000000"}, {"personaName", "Player"}}}};
    const long before = VyroBench::Allocations();
    for (auto _ : state) {
        const nlohmann::json request = nlohmann::json::parse(params);
        benchmark::DoNotOptimize(request);
        std::string reply = result.dump();
        benchmark::DoNotOptimize(reply);
    }
    VyroBench::CountAllocations(state, before);
}
BENCHMARK(BM_RequestRoundTripBaseline);

} // namespace

BENCHMARK_MAIN();
