// One store's channel, through the library's exports, on any sequence of calls. The library and the
// store's simulated runtime are staged in a folder of their own (VYRO_FUZZ_FOLDER beside this
// program) and loaded as a game loads them. Each input is read as operations: a request of any
// export with a parameter text taken from the requests' real members and then mutated, Ticks,
// Load, Unload, event (un)registration, the log level, and controls of the simulated store.
//
// Checked on every input: no request is answered twice, every request that carried a callback is
// answered once the store has nothing left in flight, every answer and event is a JSON object
// naming the channel, nothing is answered after Unload returned, and no configured secret or
// store token ever reaches a log line.
#include <dlfcn.h>

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include <nlohmann/json.hpp>

#include "FuzzInput.h"
#include "RequestTexts.h"
#include "StoreControls.h"

namespace {

using Json = nlohmann::json;
using Callback = void (*)(int, const char*);
using RequestExport = void (*)(const char*, Callback);

struct Exports {
    std::array<RequestExport, VyroFuzz::kRequestCount> requests{};
    RequestExport load = nullptr;
    RequestExport unload = nullptr;
    void (*tick)() = nullptr;
    void (*registerCallback)(int, Callback) = nullptr;
    void (*unregisterCallback)(int) = nullptr;
    void (*setLogHandler)(void (*)(int, const char*), int) = nullptr;
    const char* (*simControl)(const char*) = nullptr;
};

Exports exports;

// What the callbacks saw; they may run on a store's own thread (Play Games answers there).
struct Answers {
    std::map<std::string, int> byRequestId;
    std::map<std::string, std::string> sent; // requestId: the request's export and text
    int total = 0;
    bool unloadReturned = false;
};
std::mutex answersLock;
Answers answers;

[[noreturn]] void Fail(const std::string& why)
{
    std::fprintf(stderr, "property failed: %s\n", why.c_str());
    std::abort();
}

Json CheckedReply(const char* json, const char* what)
{
    Json reply = Json::parse(json == nullptr ? "" : json, nullptr, false);
    if (!reply.is_object() || reply.value("channel", std::string()) != VyroFuzz::kChannelName) {
        Fail(std::string(what) + " is not a JSON object naming the channel: " + (json == nullptr ? "(null)" : json));
    }
    return reply;
}

void OnAnswer(int, const char* json)
{
    const Json reply = CheckedReply(json, "an answer");
    std::lock_guard lock(answersLock);
    if (answers.unloadReturned) {
        Fail(std::string("an answer came after Unload returned: ") + json);
    }
    ++answers.total;
    if (reply.contains("requestId") && reply["requestId"].is_string() &&
        ++answers.byRequestId[reply["requestId"].get<std::string>()] > 1) {
        Fail(std::string("a request was answered twice: ") + json);
    }
}

void OnEvent(int, const char* json)
{
    CheckedReply(json, "an event");
    std::lock_guard lock(answersLock);
    if (answers.unloadReturned) {
        Fail(std::string("an event came after Unload returned: ") + json);
    }
}

void OnLogLine(int, const char* line)
{
    for (const char* secret : VyroFuzz::kSecrets) {
        if (line != nullptr && std::string_view(line).find(secret) != std::string_view::npos) {
            Fail(std::string("a log line holds secret text: ") + line);
        }
    }
}

void* Symbol(void* module, const char* name)
{
    void* symbol = dlsym(module, name);
    if (symbol == nullptr) {
        Fail(std::string("missing export ") + name);
    }
    return symbol;
}

void BindExports()
{
    const auto folder = std::filesystem::canonical("/proc/self/exe").parent_path() / VYRO_FUZZ_FOLDER;
    void* library = dlopen((folder / "libVyroChannel.so").c_str(), RTLD_NOW | RTLD_LOCAL);
    void* store = VyroFuzz::kSimulatorFile[0] == '\0' ? nullptr : dlopen((folder / VyroFuzz::kSimulatorFile).c_str(), RTLD_NOW);
    if (library == nullptr || (VyroFuzz::kSimulatorFile[0] != '\0' && store == nullptr)) {
        Fail(std::string("cannot load the staged library or store: ") + dlerror());
    }
    for (std::size_t index = 0; index < VyroFuzz::kRequestCount; ++index) {
        exports.requests[index] =
            reinterpret_cast<RequestExport>(Symbol(library, ("VyroChannel_" + std::string(VyroFuzz::kRequests[index].name)).c_str()));
    }
    exports.load = reinterpret_cast<RequestExport>(Symbol(library, "VyroChannel_Load"));
    exports.unload = reinterpret_cast<RequestExport>(Symbol(library, "VyroChannel_Unload"));
    exports.tick = reinterpret_cast<void (*)()>(Symbol(library, "VyroChannel_Tick"));
    exports.registerCallback = reinterpret_cast<void (*)(int, Callback)>(Symbol(library, "VyroChannel_RegisterCallback"));
    exports.unregisterCallback = reinterpret_cast<void (*)(int)>(Symbol(library, "VyroChannel_UnregisterCallback"));
    exports.setLogHandler = reinterpret_cast<void (*)(void (*)(int, const char*), int)>(Symbol(library, "VyroChannel_SetLogHandler"));
    if (store != nullptr) {
        exports.simControl = reinterpret_cast<const char* (*)(const char*)>(Symbol(store, "VyroSim_Control"));
    }
}

// A game's call: what came before the call returned may not be flagged as late any more.
void BeforeCall()
{
    std::lock_guard lock(answersLock);
    answers.unloadReturned = false;
}

class Session {
public:
    void Request(VyroFuzz::FuzzInput& input)
    {
        const auto& request = VyroFuzz::kRequests[input.Byte() % VyroFuzz::kRequestCount];
        const std::string id = "f" + std::to_string(++serial_);
        const std::string text = VyroFuzz::MutatedParameters(request, id, input);
        const bool withCallback = input.Byte() % 8 != 0;
        BeforeCall();
        const auto call = exports.requests[&request - VyroFuzz::kRequests.data()];
        const bool withText = input.Byte() % 16 != 0;
        if (withCallback && withText) {
            std::lock_guard lock(answersLock);
            answers.sent[id] = std::string(request.name) + " " + text;
        }
        call(withText ? text.c_str() : nullptr, withCallback ? &OnAnswer : nullptr);
        expected_ += withCallback ? 1 : 0;
    }

    void Load(VyroFuzz::FuzzInput& input)
    {
        BeforeCall();
        const bool withCallback = input.Byte() % 4 != 0;
        const std::string text = R"({"requestId":"load-)" + std::to_string(++serial_) + R"("})";
        exports.load(text.c_str(), withCallback ? &OnAnswer : nullptr);
        expected_ += withCallback ? 1 : 0;
    }

    // Every request still in flight is answered first, so that each one is checked; held work
    // is released even when every answer is in, so that Unload does not wait on it.
    void Unload()
    {
        Release();
        Settle();
        BeforeCall();
        const std::string text = R"({"requestId":"unload-)" + std::to_string(++serial_) + R"("})";
        exports.unload(text.c_str(), &OnAnswer);
        ++expected_;
        std::lock_guard lock(answersLock);
        if (answers.total != expected_) {
            Fail("Unload left " + std::to_string(expected_ - answers.total) + " requests unanswered");
        }
        answers.unloadReturned = true;
    }

    void Tick(int count)
    {
        BeforeCall();
        for (int i = 0; i < count; ++i) {
            exports.tick();
        }
    }

    void Control(VyroFuzz::FuzzInput& input)
    {
        if (exports.simControl != nullptr) {
            const auto& controls = VyroFuzz::kControls;
            exports.simControl(controls[input.Byte() % controls.size()]);
        }
    }

    // Releases whatever the store was told to hold and ticks until every request is answered, for
    // at most a few seconds (answers worked out on a store's own threads come in no fixed Tick).
    void Settle()
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        for (int round = 0; Answered() < expected_; ++round) {
            if (std::chrono::steady_clock::now() > deadline) {
                Fail(std::to_string(expected_ - Answered()) + " requests never answered, among them:" + Unanswered());
            }
            // Again now and then: work a Tick starts after a release may be held anew.
            if (round % 256 == 0) {
                Release();
            }
            Tick(1);
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    }

    void Release()
    {
        if (exports.simControl != nullptr) {
            for (const char* release : VyroFuzz::kReleases) {
                exports.simControl(release);
            }
        }
    }

private:
    // The requests with a requestId of their own that no answer named (a mutated text may have
    // lost its id, so this can list requests that were answered under no id).
    static std::string Unanswered()
    {
        std::lock_guard lock(answersLock);
        std::string list;
        for (const auto& [id, request] : answers.sent) {
            if (answers.byRequestId.count(id) == 0) {
                list += "\n  " + request.substr(0, 300);
            }
        }
        return list;
    }

    int Answered()
    {
        std::lock_guard lock(answersLock);
        return answers.total;
    }

    int expected_ = 0;
    int serial_ = 0;
};

void Play(VyroFuzz::FuzzInput& input)
{
    Session session;
    while (!input.Empty()) {
        switch (input.Byte() % 10) {
        case 0: case 1: case 2: session.Request(input); break;
        case 3: session.Tick(1 + input.Byte() % 4); break;
        case 4: session.Load(input); break;
        case 5: session.Unload(); break;
        case 6: exports.registerCallback(input.Byte() % 7 - 1, &OnEvent); break;
        case 7: exports.unregisterCallback(input.Byte() % 7 - 1); break;
        case 8: exports.setLogHandler(&OnLogLine, input.Byte() % 7); break;
        default: session.Control(input); break;
        }
    }
    session.Unload();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    BindExports();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (exports.simControl != nullptr) {
        exports.simControl(R"({"op":"reset"})");
    }
    {
        std::lock_guard lock(answersLock);
        answers = Answers{};
    }
    exports.setLogHandler(&OnLogLine, 0);
    VyroFuzz::FuzzInput input(data, size);
    Play(input);
    return 0;
}
