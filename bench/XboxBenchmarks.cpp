// The Xbox channel's per-frame costs against the simulated GDK: Tick with an empty queue, one
// AuthToken request whose work runs on the runtime's worker thread and whose answer arrives in Tick,
// one Products request of 100 products over two pages, and Tick pumping a loaded social manager
// with nothing changing.
#include <benchmark/benchmark.h>

#include <atomic>
#include <memory>
#include <string>

#include <nlohmann/json.hpp>

#include "AllocationCount.h"
#include "SimExport.h"
#include "VyroChannel.h"
#include "channels/xbox/XboxChannelSDK.h"
#include "channels/xbox/XboxLinkedApi.h"
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
        Vyro::XboxBinding{Vyro::LazyStoreApi<Vyro::Gdk::GameRuntimeApi>(Vyro::XboxLinked::RuntimeApi()),
                          Vyro::LazyStoreApi<Vyro::Xbl::XblApi>(Vyro::XboxLinked::ServicesApi())}));
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

// A catalogue of 100 products in pages of 50, and the Products request that asks for all of them.
std::string StockHundredProducts()
{
    nlohmann::json products = nlohmann::json::array();
    nlohmann::json ids = nlohmann::json::array();
    for (int i = 0; i < 100; ++i) {
        const std::string id = "9NPRODUCT" + std::to_string(1000 + i);
        products.push_back({{"id", id},
                            {"title", "Product " + std::to_string(i)},
                            {"description", "One of a hundred."},
                            {"skus", {{{"id", "0010"}, {"price", {{"base", 1.99}, {"price", 1.99}, {"formatted", "$1.99"}}}}}}});
        ids.push_back(id);
    }
    const nlohmann::json store{{"op", "store"}, {"pageSize", 50}, {"products", products}};
    VyroSim_Control(store.dump().c_str());
    return nlohmann::json{{"requestId", "p"}, {"productIds", ids}}.dump();
}

void BM_XboxProducts100(benchmark::State& state)
{
    StartXboxChannel();
    const std::string request = StockHundredProducts();
    const long before = VyroBench::Allocations();
    for (auto _ : state) {
        const int expected = answers.load(std::memory_order_relaxed) + 1;
        VyroChannel_Products(request.c_str(), &CountAnswer);
        TickUntilAnswered(expected);
    }
    VyroBench::CountAllocations(state, before);
    StopXboxChannel();
}
BENCHMARK(BM_XboxProducts100)->Unit(benchmark::kMicrosecond);

// Every frame pumps the social manager once the game has used social: with a loaded friend group
// and a graph that does not change, that pump must cost next to nothing.
void BM_XboxSocialIdleTick(benchmark::State& state)
{
    StartXboxChannel();
    VyroChannel_FriendList(R"({"requestId":"f"})", &CountAnswer);
    TickUntilAnswered(2);
    const long before = VyroBench::Allocations();
    for (auto _ : state) {
        VyroChannel_Tick();
    }
    VyroBench::CountAllocations(state, before);
    StopXboxChannel();
}
BENCHMARK(BM_XboxSocialIdleTick);

} // namespace

BENCHMARK_MAIN();
