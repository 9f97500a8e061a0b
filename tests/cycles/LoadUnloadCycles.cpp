// load_unload_cycles FOLDER STORE CYCLES [LAUNCHER-OPTION...]
//
// The editor's Play, stop, Play again, CYCLES times in one process: the library staged in FOLDER
// with STORE's simulated runtime is loaded as a game loads it, and every cycle plays Load, Init,
// Login, one request the store answers later, and Unload. Every request must be answered exactly
// once in its cycle; after a warm-up, the process's resident size must stay flat within a small
// bound, and its threads, file descriptors and the simulated store's open items must not grow.
#include <dlfcn.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <unistd.h>

#include <nlohmann/json.hpp>

namespace {

using Json = nlohmann::json;
using Callback = void (*)(int, const char*);
using Export = void (*)(const char*, Callback);

constexpr int kWarmUpCycles = 50;
constexpr long kResidentGrowthLimitKb = 1024;

// The sanitizers' own bookkeeping (ASan's quarantine of freed memory) grows the resident size; there
// LeakSanitizer's check at exit stands in for the bound.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool kResidentSizeIsMeaningful = false;
#else
constexpr bool kResidentSizeIsMeaningful = true;
#endif

// Load, Init and Unload answers carry no requestId on some stores, so answers are counted in all
// and, where they carry one, by requestId.
std::mutex answersLock;
int answersInAll = 0;
std::map<std::string, int> answersById;
std::string twiceAnswered;

void OnAnswer(int, const char* json)
{
    const Json reply = Json::parse(json == nullptr ? "" : json, nullptr, false);
    std::lock_guard lock(answersLock);
    ++answersInAll;
    if (reply.is_object() && reply.contains("requestId") && ++answersById[reply.value("requestId", "")] > 1) {
        twiceAnswered = reply.dump();
    }
}

[[noreturn]] void Fail(const std::string& why)
{
    std::fprintf(stderr, "load_unload_cycles: %s\n", why.c_str());
    std::exit(1);
}

struct Library {
    void* module = nullptr;
    const char* (*simControl)(const char*) = nullptr;
    void (*tick)() = nullptr;

    Export Get(const char* name) const
    {
        auto* symbol = reinterpret_cast<Export>(dlsym(module, name));
        if (symbol == nullptr) {
            Fail(std::string("missing export ") + name);
        }
        return symbol;
    }
};

// What each store answers in a later Tick, or on a thread of its own.
const char* LaterRequest(const std::string& store)
{
    return store == "steam" || store == "xbox" ? "VyroChannel_AuthToken" : "VyroChannel_Products";
}

const char* SimulatorFile(const std::string& store)
{
    if (store == "steam") return "steam_api64.dll";
    if (store == "google") return "play_pc_sdk.dll";
    if (store == "epic") return "EOSSDK-Win64-Shipping.dll";
    if (store == "xbox") return "xgameruntime.dll";
    return nullptr;
}

// Sends one request and ticks until its answer came, for at most ten seconds.
void Answered(const Library& library, const char* name, const std::string& requestId)
{
    static int sent = 0;
    const int expected = ++sent;
    const std::string params = Json{{"requestId", requestId}, {"productIds", {"gems_100"}}}.dump();
    library.Get(name)(params.c_str(), &OnAnswer);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (true) {
        {
            std::lock_guard lock(answersLock);
            if (!twiceAnswered.empty()) {
                Fail("a request was answered twice: " + twiceAnswered);
            }
            if (answersInAll > expected) {
                Fail("an answer came that no request was waiting for, at " + requestId);
            }
            if (answersInAll == expected) {
                return;
            }
        }
        if (std::chrono::steady_clock::now() > deadline) {
            Fail(requestId + " was never answered");
        }
        library.tick();
        std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
}

std::size_t Entries(const char* folder)
{
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) {
        ++count;
    }
    return count;
}

long ResidentKb()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// How many items the simulator lists in its state: handles, registrations, queues, pending work.
std::size_t ListedItems(const Json& value)
{
    std::size_t items = value.is_array() ? value.size() : 0;
    if (value.is_structured()) {
        for (const auto& member : value) {
            items += ListedItems(member);
        }
    }
    return items;
}

struct Footprint {
    long residentKb;
    std::size_t threads;
    std::size_t descriptors;
    std::size_t simulatorItems;
};

Footprint Measure(const Library& library)
{
    const std::size_t items = library.simControl == nullptr ? 0 : ListedItems(Json::parse(library.simControl(R"({"op":"state"})")));
    return {ResidentKb(), Entries("/proc/self/task"), Entries("/proc/self/fd"), items};
}

void PlayCycle(const Library& library, const std::string& store, int cycle)
{
    const std::string prefix = "c" + std::to_string(cycle) + "-";
    Answered(library, "VyroChannel_Load", prefix + "load");
    Answered(library, "VyroChannel_Init", prefix + "init");
    Answered(library, "VyroChannel_Login", prefix + "login");
    Answered(library, LaterRequest(store), prefix + "later");
    Answered(library, "VyroChannel_Unload", prefix + "unload");
    // The simulator journals every call by design; that record is not the library's to keep small.
    if (library.simControl != nullptr) {
        library.simControl(R"({"op":"journal","fn":"none","clear":true})");
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: load_unload_cycles FOLDER STORE CYCLES [LAUNCHER-OPTION...]\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    const std::string store = argv[2];
    const int cycles = std::atoi(argv[3]);
    Library library;
    library.module = dlopen((folder / "libVyroChannel.so").c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library.module == nullptr) {
        Fail(std::string("cannot load the library: ") + dlerror());
    }
    if (const char* file = SimulatorFile(store)) {
        void* simulator = dlopen((folder / file).c_str(), RTLD_NOW);
        library.simControl = simulator == nullptr ? nullptr : reinterpret_cast<const char* (*)(const char*)>(dlsym(simulator, "VyroSim_Control"));
        if (library.simControl == nullptr) {
            Fail(std::string("cannot reach the simulated store: ") + file);
        }
    }
    library.tick = reinterpret_cast<void (*)()>(dlsym(library.module, "VyroChannel_Tick"));
    reinterpret_cast<void (*)(void (*)(int, const char*), int)>(dlsym(library.module, "VyroChannel_SetLogHandler"))(nullptr, 5);

    Footprint warm{};
    const auto start = std::chrono::steady_clock::now();
    for (int cycle = 1; cycle <= cycles; ++cycle) {
        PlayCycle(library, store, cycle);
        if (cycle == std::min(kWarmUpCycles, cycles)) {
            warm = Measure(library);
        }
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const Footprint end = Measure(library);
    std::printf("%s: %d cycles, %.2f ms per cycle; resident %ld kB after %d cycles, %ld kB at the end; threads %zu/%zu, "
                "descriptors %zu/%zu, simulator items %zu/%zu\n",
                store.c_str(), cycles, seconds * 1000 / cycles, warm.residentKb, kWarmUpCycles, end.residentKb, warm.threads,
                end.threads, warm.descriptors, end.descriptors, warm.simulatorItems, end.simulatorItems);
    if (kResidentSizeIsMeaningful && end.residentKb - warm.residentKb > kResidentGrowthLimitKb) {
        Fail("the resident size grew by " + std::to_string(end.residentKb - warm.residentKb) + " kB");
    }
    if (end.threads > warm.threads || end.descriptors > warm.descriptors || end.simulatorItems > warm.simulatorItems) {
        Fail("threads, descriptors or the simulator's open items grew");
    }
    return 0;
}
