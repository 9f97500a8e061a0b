// The simulated GDK in process: control requests, the runtime's lifetime, callbacks only inside
// XTaskQueueDispatch on the dispatching thread, termination with work in flight, waits that would hang
// the real runtime, users and their sign-out events, token buffers, the Xbox services library, and the
// two built files sharing one state.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include <nlohmann/json.hpp>

#include "SimControlRequests.h"
#include "XboxSim.h"
#include "common/Platform.h"
#include "core/StoreLibrary.h"

using namespace Vyro;
using nlohmann::json;
using namespace SimControlRequests;
using Gdk::HResult;
using Gdk::XAsyncBlock;
using Gdk::XTaskQueueDispatchMode;
using Gdk::XTaskQueueHandle;
using Gdk::XTaskQueuePort;
using Gdk::XUserHandle;

namespace {

constexpr HResult kPending = static_cast<HResult>(0x8000000A);
constexpr HResult kAbort = static_cast<HResult>(0x80004004);
constexpr HResult kIllegalMethodCall = static_cast<HResult>(0x8000000E);
constexpr HResult kInvalidArg = static_cast<HResult>(0x80070057);
constexpr HResult kNotSufficientBuffer = static_cast<HResult>(0x8007007A);
constexpr HResult kNotInitialized = static_cast<HResult>(0x89240100);
constexpr HResult kSignedOut = static_cast<HResult>(0x89245101);
constexpr HResult kNoDefaultUser = static_cast<HResult>(0x89245106);
constexpr HResult kXblAlreadyInitialized = static_cast<HResult>(0x89235207);
constexpr HResult kXblNotInitialized = static_cast<HResult>(0x89235208);
constexpr auto kSilently = Gdk::XUserAddOptions::AddDefaultUserSilently;
constexpr std::uint32_t kDispatchWaitMs = 5000;

void* Context(std::uintptr_t number) { return reinterpret_cast<void*>(number); }
std::uintptr_t Number(void* context) { return reinterpret_cast<std::uintptr_t>(context); }

std::string Hex(HResult result)
{
    char text[11];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(result));
    return text;
}

// Every callback the runtime made, from whichever thread dispatched it.
struct Delivery {
    json what;
    std::thread::id thread;
};
std::mutex deliveredMutex;
std::vector<Delivery> delivered;
// Game code run inside an XAsyncBlock callback, and inside an invite callback.
std::function<void(XAsyncBlock*)> onAsync;
std::function<void()> onInvite;

void Record(json what)
{
    const std::lock_guard lock(deliveredMutex);
    delivered.push_back({std::move(what), std::this_thread::get_id()});
}

std::vector<Delivery> TakeDeliveries()
{
    const std::lock_guard lock(deliveredMutex);
    return std::exchange(delivered, {});
}

json Take()
{
    json what = json::array();
    for (Delivery& delivery : TakeDeliveries()) {
        what.push_back(std::move(delivery.what));
    }
    return what;
}

void OnAsync(XAsyncBlock* block)
{
    Record({{"async", Number(block->context)}, {"status", Hex(XAsyncGetStatus(block, false))}});
    if (onAsync) {
        onAsync(block);
    }
}

void OnUserChange(void* context, Gdk::XUserLocalId user, Gdk::XUserChangeEvent event)
{
    Record({{"user", Number(context)}, {"localId", user.value}, {"event", static_cast<int>(event)}});
}

void OnInvite(void* context, const char* uri)
{
    Record({{"invite", Number(context)}, {"uri", uri == nullptr ? json() : json(uri)}});
    if (onInvite) {
        onInvite();
    }
}

void OnTerminated(void* context) { Record({{"terminated", Number(context)}}); }

json State() { return Sim({{"op", "state"}}); }

std::vector<std::string> MisuseReasons()
{
    std::vector<std::string> reasons;
    const json calls = Sim({{"op", "misuse"}})["calls"];
    for (const json& entry : calls) {
        reasons.push_back(entry["fn"].get<std::string>() + ": " + entry["misuse"].get<std::string>());
    }
    return reasons;
}

// The deliveries the journal shows, in order: what each delivered, and with which status or event.
std::vector<std::string> DispatchedItems()
{
    std::vector<std::string> items;
    for (const json& entry : Calls("XTaskQueueDispatch")) {
        if (entry.contains("delivers")) {
            items.push_back(entry["delivers"].get<std::string>() + " " + entry.value("status", entry.value("event", "")));
        }
    }
    return items;
}

// Waits until that many calls are running, held by "holdWork": a termination lets them finish first.
void AwaitHeld(std::size_t count)
{
    for (;;) {
        std::size_t held = 0;
        const json inFlight = State()["inFlight"];
        for (const json& call : inFlight) {
            held += call["stage"] == "held";
        }
        if (held == count) {
            return;
        }
        std::this_thread::yield();
    }
}

XAsyncBlock Block(XTaskQueueHandle queue, std::uintptr_t context, bool callback = true)
{
    return {queue, Context(context), callback ? OnAsync : nullptr, {}};
}

class XboxSim : public ::testing::Test {
protected:
    void SetUp() override
    {
        Sim({{"op", "reset"}});
        TakeDeliveries();
        onAsync = nullptr;
        onInvite = nullptr;
    }
    // A reset joins the runtime's workers, so none outlives the test.
    void TearDown() override
    {
        onAsync = nullptr;
        onInvite = nullptr;
        Sim({{"op", "reset"}});
    }

    void Start()
    {
        ASSERT_EQ(XGameRuntimeInitialize(), 0);
        queue = NewQueue();
        ASSERT_NE(queue, nullptr);
    }
    static XTaskQueueHandle NewQueue()
    {
        XTaskQueueHandle made = nullptr;
        EXPECT_EQ(XTaskQueueCreate(XTaskQueueDispatchMode::ThreadPool, XTaskQueueDispatchMode::Manual, &made), 0);
        return made;
    }
    bool Dispatch(XTaskQueueHandle on, std::uint32_t timeoutMs = kDispatchWaitMs)
    {
        return XTaskQueueDispatch(on, XTaskQueuePort::Completion, timeoutMs);
    }
    // A user handle, added silently with a block that has no callback.
    XUserHandle AddUser()
    {
        XAsyncBlock block = Block(queue, 0, false);
        EXPECT_EQ(XUserAddAsync(kSilently, &block), 0);
        EXPECT_EQ(XAsyncGetStatus(&block, true), 0);
        XUserHandle user = nullptr;
        EXPECT_EQ(XUserAddResult(&block, &user), 0);
        return user;
    }
    void RequestToken(XUserHandle user, XAsyncBlock& block, Gdk::XUserGetTokenAndSignatureOptions options = {})
    {
        EXPECT_EQ(XUserGetTokenAndSignatureAsync(user, options, "GET", "https://inventory.xboxlive.com/users/me", 0, nullptr, 0,
                                                 nullptr, &block),
                  0);
    }
    // The token answer of a completed request, read into a buffer of the size the runtime asks for.
    json ReadToken(XAsyncBlock& block)
    {
        std::size_t size = 0;
        EXPECT_EQ(XUserGetTokenAndSignatureResultSize(&block, &size), 0);
        std::vector<unsigned char> buffer(size);
        Gdk::XUserGetTokenAndSignatureData* data = nullptr;
        std::size_t used = 0;
        EXPECT_EQ(XUserGetTokenAndSignatureResult(&block, size, buffer.data(), &data, &used), 0);
        EXPECT_EQ(used, size);
        if (data == nullptr) {
            return nullptr;
        }
        return {{"token", data->token}, {"signature", data->signature == nullptr ? json() : json(data->signature)}};
    }

    XTaskQueueHandle queue = nullptr;
};

} // namespace

TEST_F(XboxSim, RefusesBadControlRequestsWithAMessageNamingTheFaultAndAppliesNothing)
{
    ExpectRefused({
        {R"({"op":"fly"})", "unknown op \"fly\" (one of reset, set, signOut, signIn, invite, releaseWork, journal, misuse, state, store, services"},
        {R"({"op":"set","initialiseResult":0})", "set: unknown member \"initialiseResult\" (it takes initializeResult, "},
        {R"({"op":"set","initializeResult":"0xZZ"})", "set: \"initializeResult\" must be an HRESULT"},
        {R"({"op":"set","initializeResult":4294967296})", "set: \"initializeResult\" must be an HRESULT"},
        {R"({"op":"set","addUserResults":[0,{"result":1,"delayMs":-1}]})", "set: \"addUserResults\" must be an array whose entries"},
        {R"({"op":"set","addUserDefault":{"delayMs":5}})", "set: \"addUserDefault\" must be an HRESULT, or {\"result\""},
        {R"({"op":"set","tokenResults":[{"result":0,"delay":5}]})", "set: \"tokenResults\" must be an array whose entries"},
        {R"({"op":"set","holdWork":"paused"})", "set: \"holdWork\" must be one of none, queued, running, got \"paused\""},
        {R"({"op":"set","gamertag":"SixteenBytesLong"})", "set: \"gamertag\" must be a string of 1 to 15 bytes"},
        {R"({"op":"set","sandboxId":""})", "set: \"sandboxId\" must be a string of 1 to 15 bytes"},
        {R"({"op":"set","xuid":-1})", "set: \"xuid\" must be an unsigned 64-bit integer"},
        {R"({"op":"set","storeUser":1})", "set: \"storeUser\" must be true or false, got 1"},
        {R"({"op":"set","workDelayMs":600001})", "set: \"workDelayMs\" must be an integer from 0 to 600000"},
        {R"({"op":"set","token":5})", "set: \"token\" must be a string or null, got 5"},
        {R"({"op":"invite"})", "invite: \"uri\" is required"},
        {R"({"op":"invite","uri":7})", "invite: \"uri\" must be a string or null, got 7"},
        {R"({"op":"signOut","now":true})", "signOut: unknown member \"now\" (it takes none)"},
        {R"({"op":"journal","fn":3})", "journal: \"fn\" must be a string, got 3"},
    });

    // One bad member and nothing applies: the runtime still initialises.
    EXPECT_EQ(Control(R"({"op":"set","initializeResult":"0x89240102","holdWork":"paused"})")["ok"], false);
    EXPECT_EQ(XGameRuntimeInitialize(), 0);
    // An HRESULT may be given signed, unsigned or in hex.
    Sim({{"op", "set"}, {"initializeResult", -2128346878}});
    EXPECT_EQ(XGameRuntimeInitialize(), static_cast<HResult>(0x81240102));
    Sim({{"op", "set"}, {"initializeResult", 2300838146u}});
    EXPECT_EQ(XGameRuntimeInitialize(), static_cast<HResult>(0x89240102));
    EXPECT_EQ(State()["initCount"], 1) << "failed initialisations do not count";
}

TEST_F(XboxSim, RuntimeIsReferenceCountedAndRefusesEveryCallOutsideItsLifetime)
{
    XTaskQueueHandle none = nullptr;
    EXPECT_EQ(XTaskQueueCreate(XTaskQueueDispatchMode::ThreadPool, XTaskQueueDispatchMode::Manual, &none), kNotInitialized);
    std::uint32_t titleId = 0;
    EXPECT_EQ(XGameGetXboxTitleId(&titleId), kNotInitialized);
    XGameRuntimeUninitialize();

    ASSERT_EQ(XGameRuntimeInitialize(), 0);
    ASSERT_EQ(XGameRuntimeInitialize(), 0);
    XGameRuntimeUninitialize();
    EXPECT_EQ(XGameGetXboxTitleId(&titleId), 0) << "one initialisation is left";
    EXPECT_EQ(titleId, 0x5A7E3C19u);
    queue = NewQueue();
    XAsyncBlock block = Block(queue, 1);
    Sim({{"op", "set"}, {"holdWork", "running"}});
    ASSERT_EQ(XUserAddAsync(kSilently, &block), 0);
    XGameRuntimeUninitialize();

    EXPECT_EQ(XTaskQueueDispatch(queue, XTaskQueuePort::Completion, 0), false);
    EXPECT_EQ(XAsyncGetStatus(&block, true), kNotInitialized);
    EXPECT_EQ(XUserIsStoreUser(nullptr), false);
    const json uninitialise = Calls("XGameRuntimeUninitialize");
    EXPECT_EQ(uninitialise[2]["activeObjects"], json({{"queues", 1}, {"inFlight", 1}}));
    EXPECT_EQ(uninitialise[2]["abandoned"], 1);
    EXPECT_EQ(State()["workerThreads"], 0) << "the last uninitialise joins the workers";
    EXPECT_EQ(MisuseReasons(), (std::vector<std::string>{
                                   "XTaskQueueCreate: call before XGameRuntimeInitialize",
                                   "XGameGetXboxTitleId: call before XGameRuntimeInitialize",
                                   "XGameRuntimeUninitialize: call before XGameRuntimeInitialize",
                                   "XGameRuntimeUninitialize: XGameRuntimeUninitialize with active objects (0x89240105 "
                                   "E_GAMERUNTIME_UNINITIALIZE_ACTIVEOBJECTS): close them first",
                                   "XTaskQueueDispatch: call after XGameRuntimeUninitialize",
                                   "XAsyncGetStatus: call after XGameRuntimeUninitialize",
                                   "XUserIsStoreUser: call after XGameRuntimeUninitialize",
                               }));
}

TEST_F(XboxSim, CompletionsRunOnlyInsideDispatchOnTheDispatchingThreadAndMayCallStraightBackIn)
{
    Start();
    Sim({{"op", "set"}, {"holdWork", "running"}});
    XAsyncBlock block = Block(queue, 1);
    ASSERT_EQ(XUserAddAsync(kSilently, &block), 0);
    EXPECT_EQ(XAsyncGetStatus(&block, false), kPending);
    XUserHandle early = nullptr;
    EXPECT_EQ(XUserAddResult(&block, &early), kPending);
    EXPECT_EQ(XUserAddAsync(kSilently, &block), kInvalidArg) << "the block is still in flight";
    AwaitHeld(1);
    EXPECT_FALSE(Dispatch(queue, 20));

    Sim({{"op", "set"}, {"holdWork", "none"}});
    EXPECT_EQ(Sim({{"op", "releaseWork"}})["released"], 1);
    // The completion waits for the game: its status is final before its callback runs.
    while (XAsyncGetStatus(&block, false) == kPending) {
        std::this_thread::yield();
    }
    EXPECT_EQ(Take(), json::array());

    // The callback takes its result, starts another call on the same block and dispatches again,
    // from inside the dispatch.
    std::vector<bool> nested;
    XUserHandle users[2] = {};
    onAsync = [&](XAsyncBlock* done) {
        const int index = Number(done->context) == 1 ? 0 : 1;
        EXPECT_EQ(XUserAddResult(done, &users[index]), 0);
        if (index == 0) {
            done->context = Context(2);
            EXPECT_EQ(XUserAddAsync(kSilently, done), 0);
            nested.push_back(Dispatch(queue));
        }
    };
    EXPECT_TRUE(Dispatch(queue, 0));
    EXPECT_EQ(nested, std::vector<bool>{true});
    const std::vector<Delivery> deliveries = TakeDeliveries();
    ASSERT_EQ(deliveries.size(), 2u);
    for (const Delivery& delivery : deliveries) {
        EXPECT_EQ(delivery.thread, std::this_thread::get_id());
        EXPECT_EQ(delivery.what["status"], "0x00000000");
    }
    EXPECT_NE(users[0], nullptr);
    EXPECT_NE(users[0], users[1]) << "a new handle per call";
    EXPECT_EQ(XUserAddResult(&block, &early), kIllegalMethodCall);
    EXPECT_FALSE(Dispatch(queue, 0));
    EXPECT_EQ(MisuseReasons(), (std::vector<std::string>{"XUserAddAsync: the XAsyncBlock is still in flight with XUserAddAsync",
                                                         "XUserAddResult: the result was read already"}));
}

TEST_F(XboxSim, WorkFinishesOnWorkersWhileOtherThreadsDispatchEachCallbackOnce)
{
    Start();
    Sim({{"op", "set"}, {"workDelayMs", 1}});
    const XUserHandle user = AddUser();
    constexpr std::size_t kRequests = 24;
    std::vector<XAsyncBlock> blocks(kRequests);
    std::atomic<std::size_t> started{0};
    std::vector<std::thread> dispatchers;
    std::set<std::thread::id> dispatcherIds;
    for (int i = 0; i < 2; ++i) {
        dispatchers.emplace_back([&] {
            while (started < kRequests || State()["dispatches"]["delivered"] < kRequests) {
                Dispatch(queue, 5);
            }
        });
        dispatcherIds.insert(dispatchers.back().get_id());
    }
    for (std::size_t i = 0; i < kRequests; ++i) {
        blocks[i] = Block(queue, i);
        RequestToken(user, blocks[i]);
        ++started;
    }
    for (std::thread& thread : dispatchers) {
        thread.join();
    }
    const std::vector<Delivery> deliveries = TakeDeliveries();
    std::set<std::uintptr_t> contexts;
    for (const Delivery& delivery : deliveries) {
        EXPECT_TRUE(dispatcherIds.contains(delivery.thread)) << "only dispatching threads run callbacks";
        contexts.insert(delivery.what["async"].get<std::uintptr_t>());
    }
    EXPECT_EQ(deliveries.size(), kRequests);
    EXPECT_EQ(contexts.size(), kRequests) << "each callback exactly once";
    EXPECT_EQ(State()["dispatches"]["delivered"], kRequests);
}

TEST_F(XboxSim, TerminationAbortsWorkInFlightRefusesNewWorkAndDeliversItsOwnCallbackLast)
{
    Start();
    const XUserHandle user = AddUser();
    Sim({{"op", "set"}, {"holdWork", "running"}});
    XAsyncBlock running = Block(queue, 1);
    RequestToken(user, running);
    AwaitHeld(1);
    Sim({{"op", "set"}, {"holdWork", "queued"}});
    XAsyncBlock notStarted = Block(queue, 2);
    RequestToken(user, notStarted);
    XAsyncBlock waitingOnly = Block(queue, 3, false);
    ASSERT_EQ(XUserAddAsync(kSilently, &waitingOnly), 0);
    Gdk::XTaskQueueRegistrationToken token{};
    ASSERT_EQ(XUserRegisterForChangeEvent(queue, Context(9), OnUserChange, &token), 0);
    Sim({{"op", "signOut"}});

    ASSERT_EQ(XTaskQueueTerminate(queue, false, Context(7), OnTerminated), 0);
    EXPECT_EQ(Calls("XTaskQueueTerminate")[0]["droppedEvents"], 2) << "the sign-out events are not delivered";
    XAsyncBlock refused = Block(queue, 4);
    EXPECT_EQ(XUserAddAsync(kSilently, &refused), kAbort);
    EXPECT_EQ(XAsyncGetStatus(&waitingOnly, false), kAbort) << "cancelled before its work started";
    EXPECT_EQ(XAsyncGetStatus(&notStarted, false), kAbort);
    EXPECT_TRUE(Dispatch(queue, 0));
    EXPECT_FALSE(Dispatch(queue, 20)) << "the running work is still held";

    EXPECT_EQ(Sim({{"op", "releaseWork"}})["released"], 1);
    EXPECT_TRUE(Dispatch(queue));
    EXPECT_TRUE(Dispatch(queue, 0));
    EXPECT_EQ(Take(), json({{{"async", 2}, {"status", Hex(kAbort)}}, {{"async", 1}, {"status", Hex(kAbort)}}, {{"terminated", 7}}}));
    EXPECT_EQ(DispatchedItems(), (std::vector<std::string>{"XUserGetTokenAndSignatureAsync 0x80004004",
                                                           "XUserGetTokenAndSignatureAsync 0x80004004", "XTaskQueueTerminated "}));
    std::size_t size = 0;
    EXPECT_EQ(XUserGetTokenAndSignatureResultSize(&running, &size), kAbort);

    EXPECT_FALSE(Dispatch(queue, 0));
    EXPECT_EQ(XTaskQueueTerminate(queue, false, nullptr, nullptr), kAbort);
    XTaskQueueCloseHandle(queue);
    XTaskQueueCloseHandle(queue);
    XUserCloseHandle(user);
    EXPECT_EQ(MisuseReasons(), (std::vector<std::string>{"XTaskQueueDispatch: dispatch after the queue's termination finished",
                                                         "XTaskQueueTerminate: the queue is terminated already",
                                                         "XTaskQueueCloseHandle: unknown or closed queue handle"}));
    EXPECT_EQ(State()["leftOpen"], json({{"runtimeInitializations", 1}, {"registrations", 1}}));
}

TEST_F(XboxSim, WaitsThatWouldHangTheRealRuntimeAreMisuseAndReturn)
{
    Start();
    Sim({{"op", "set"}, {"waitLimitMs", 50}});
    EXPECT_FALSE(Dispatch(queue, 0)) << "this thread now dispatches the queue";
    const XUserHandle user = AddUser();
    const auto before = std::chrono::steady_clock::now();

    // The callback is this thread's to dispatch: waiting for it returns at once.
    XAsyncBlock withCallback = Block(queue, 1);
    RequestToken(user, withCallback);
    XAsyncGetStatus(&withCallback, true);
    ASSERT_TRUE(Dispatch(queue));
    // Held work no wait outlasts: the simulator gives up after the limit.
    Sim({{"op", "set"}, {"holdWork", "running"}});
    XAsyncBlock held = Block(queue, 2, false);
    RequestToken(user, held);
    EXPECT_EQ(XAsyncGetStatus(&held, true), kPending);
    Sim({{"op", "set"}, {"holdWork", "none"}});
    Sim({{"op", "releaseWork"}});
    EXPECT_EQ(XAsyncGetStatus(&held, true), 0);

    // Unregistering with wait from inside the registration's own callback.
    Gdk::XTaskQueueRegistrationToken token{};
    ASSERT_EQ(XGameInviteRegisterForEvent(queue, Context(5), OnInvite, &token), 0);
    Sim({{"op", "invite"}, {"uri", "ms-xbl-multiplayer://inviteHandleAccept/?invitedXuid=2533274936810592"}});
    onInvite = [&] { EXPECT_TRUE(XGameInviteUnregisterForEvent(token, true)); };
    ASSERT_TRUE(Dispatch(queue));
    EXPECT_EQ(XTaskQueueTerminate(queue, true, nullptr, nullptr), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(2)) << "no wait lasted";
    EXPECT_EQ(Take().size(), 2u);

    // Another thread waits for the termination this thread dispatches.
    Sim({{"op", "set"}, {"waitLimitMs", 10000}});
    const XTaskQueueHandle second = NewQueue();
    std::thread waiter([&] { EXPECT_EQ(XTaskQueueTerminate(second, true, Context(8), OnTerminated), 0); });
    while (!Dispatch(second, 10)) {
    }
    waiter.join();
    EXPECT_EQ(Take(), json({{{"terminated", 8}}}));
    EXPECT_EQ(MisuseReasons(),
              (std::vector<std::string>{
                  "XAsyncGetStatus: wait on a thread that dispatches the completion port of the block's callback: the call is done only "
                  "once this thread dispatches it, so the real runtime would never return",
                  "XAsyncGetStatus: waited 50 ms for something no other thread brought: the real runtime would still be waiting",
                  "XGameInviteUnregisterForEvent: wait from inside the registration's own callback: the real runtime would wait for "
                  "itself",
                  "XTaskQueueTerminate: wait on a thread that dispatches the queue's completion port: the termination ends only when "
                  "this thread dispatches it, so the real runtime would never return"}));
}

TEST_F(XboxSim, AddingUsersFollowsTheProgrammedOutcomesInCallOrder)
{
    Start();
    const std::vector<std::string> failures{"0x8015DC12", "0x87DD0013", "0x89245101", "0x89245102", "0x89245106", "0x80004005"};
    json programmed = json::array();
    for (const std::string& failure : failures) {
        programmed.push_back(failure);
    }
    programmed.push_back({{"result", 0}, {"delayMs", 30}});
    Sim({{"op", "set"}, {"addUserResults", programmed}, {"addUserDefault", "0x89245100"}});
    for (const std::string& failure : failures) {
        XAsyncBlock block = Block(queue, 0, false);
        ASSERT_EQ(XUserAddAsync(kSilently, &block), 0) << "failures show at completion";
        EXPECT_EQ(Hex(XAsyncGetStatus(&block, true)), failure);
        XUserHandle user = nullptr;
        EXPECT_EQ(Hex(XUserAddResult(&block, &user)), failure);
        EXPECT_EQ(user, nullptr);
    }
    XAsyncBlock delayed = Block(queue, 0, false);
    const auto before = std::chrono::steady_clock::now();
    ASSERT_EQ(XUserAddAsync(kSilently, &delayed), 0);
    EXPECT_EQ(XAsyncGetStatus(&delayed, true), 0);
    EXPECT_GE(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(30));
    XAsyncBlock fallback = Block(queue, 0, false);
    ASSERT_EQ(XUserAddAsync(kSilently, &fallback), 0);
    EXPECT_EQ(XAsyncGetStatus(&fallback, true), static_cast<HResult>(0x89245100));
    EXPECT_EQ(State()["addUserResultsLeft"], 0);

    // The system's sign-out fails every add until the account is back, and uses up no entry less.
    Sim({{"op", "set"}, {"addUserResults", json::array({0})}, {"addUserDefault", 0}});
    Sim({{"op", "signOut"}});
    XAsyncBlock signedOut = Block(queue, 0, false);
    ASSERT_EQ(XUserAddAsync(kSilently, &signedOut), 0);
    EXPECT_EQ(XAsyncGetStatus(&signedOut, true), kNoDefaultUser);
    EXPECT_EQ(State()["addUserResultsLeft"], 0);
    Sim({{"op", "signIn"}});
    EXPECT_NE(AddUser(), nullptr);
}

TEST_F(XboxSim, SignOutReachesEachRegistrationThroughTheQueueItNamedAndOnlyInsideItsDispatch)
{
    Start();
    const XTaskQueueHandle other = NewQueue();
    const XUserHandle user = AddUser();
    Gdk::XTaskQueueRegistrationToken first{}, second{}, invites{};
    ASSERT_EQ(XUserRegisterForChangeEvent(queue, Context(1), OnUserChange, &first), 0);
    ASSERT_EQ(XUserRegisterForChangeEvent(other, Context(2), OnUserChange, &second), 0);
    ASSERT_EQ(XGameInviteRegisterForEvent(other, Context(3), OnInvite, &invites), 0);
    EXPECT_NE(first.token, second.token);

    EXPECT_EQ(Sim({{"op", "signOut"}})["queued"], 4);
    EXPECT_EQ(Sim({{"op", "signOut"}})["queued"], 0) << "signed out already";
    EXPECT_EQ(Take(), json::array());
    while (Dispatch(queue, 0)) {
    }
    EXPECT_EQ(Take(), json({{{"user", 1}, {"localId", 1}, {"event", 1}}, {{"user", 1}, {"localId", 1}, {"event", 2}}}));

    // A signed-out user's handle stays valid, but gets no token.
    std::uint64_t xuid = 0;
    EXPECT_EQ(XUserGetId(user, &xuid), 0);
    EXPECT_EQ(xuid, 2533274936810592u);
    XAsyncBlock token = Block(queue, 0, false);
    RequestToken(user, token);
    EXPECT_EQ(XAsyncGetStatus(&token, true), kSignedOut);

    // An unregistered handler gets nothing more, even what was already queued for it.
    EXPECT_TRUE(XUserUnregisterForChangeEvent(second, false));
    EXPECT_FALSE(XUserUnregisterForChangeEvent(second, false));
    EXPECT_FALSE(XGameInviteUnregisterForEvent(first, false)) << "a token of the other kind";
    Sim({{"op", "invite"}, {"uri", nullptr}});
    Sim({{"op", "invite"}, {"uri", "ms-xbl-multiplayer://inviteHandleAccept/?handle=5c1d7a2e"}});
    while (Dispatch(other, 0)) {
    }
    EXPECT_EQ(Take(), json({{{"invite", 3}, {"uri", nullptr}}, {{"invite", 3}, {"uri", "ms-xbl-multiplayer://inviteHandleAccept/?handle=5c1d7a2e"}}}));

    // A registration on a terminated queue hears nothing.
    ASSERT_EQ(XTaskQueueTerminate(other, false, nullptr, nullptr), 0);
    EXPECT_EQ(Sim({{"op", "signIn"}})["queued"], 1);
    ASSERT_TRUE(Dispatch(queue, 0));
    EXPECT_EQ(Take(), json({{{"user", 1}, {"localId", 1}, {"event", 0}}}));
    EXPECT_EQ(MisuseReasons(), (std::vector<std::string>{"XUserUnregisterForChangeEvent: unknown or unregistered token",
                                                         "XGameInviteUnregisterForEvent: unknown or unregistered token"}));
}

TEST_F(XboxSim, TokenResultIsLaidOutInTheCallersBufferAndEachStepFailsAsProgrammed)
{
    Start();
    const XUserHandle user = AddUser();
    const Gdk::XUserGetTokenAndSignatureHttpHeader headers[] = {{"Content-Type", "application/json"}, {"x-xbl-contract-version", "2"}};
    const std::string body = R"({"items":[]})";
    XAsyncBlock block = Block(queue, 0, false);
    ASSERT_EQ(XUserGetTokenAndSignatureAsync(user, Gdk::XUserGetTokenAndSignatureOptions::None, "POST",
                                             "https://collections.mp.microsoft.com/v9.0/collections/query", 2, headers,
                                             body.size(), body.data(), &block),
              0);
    const json request = Calls("XUserGetTokenAndSignatureAsync")[0];
    EXPECT_EQ(request["method"], "POST");
    EXPECT_EQ(request["url"], "https://collections.mp.microsoft.com/v9.0/collections/query");
    EXPECT_EQ(request["headers"], json({{{"name", "Content-Type"}, {"value", "application/json"}}, {{"name", "x-xbl-contract-version"}, {"value", "2"}}}));
    EXPECT_EQ(request["bodySize"], body.size());
    EXPECT_EQ(request["options"], 0);
    ASSERT_EQ(XAsyncGetStatus(&block, true), 0);

    std::size_t size = 0;
    ASSERT_EQ(XUserGetTokenAndSignatureResultSize(&block, &size), 0);
    alignas(Gdk::XUserGetTokenAndSignatureData) unsigned char buffer[1024];
    Gdk::XUserGetTokenAndSignatureData* data = nullptr;
    EXPECT_EQ(XUserGetTokenAndSignatureResult(&block, size - 1, buffer, &data, nullptr), kNotSufficientBuffer);
    std::size_t used = 0;
    ASSERT_EQ(XUserGetTokenAndSignatureResult(&block, sizeof buffer, buffer, &data, &used), 0);
    ASSERT_EQ(static_cast<void*>(data), static_cast<void*>(buffer));
    EXPECT_EQ(used, size);
    const char* texts = reinterpret_cast<const char*>(buffer + sizeof *data);
    EXPECT_EQ(data->token, texts);
    EXPECT_EQ(data->tokenSize, std::strlen(data->token) + 1);
    EXPECT_EQ(data->signature, texts + data->tokenSize);
    EXPECT_EQ(data->signatureSize, std::strlen(data->signature) + 1);
    EXPECT_EQ(sizeof *data + data->tokenSize + data->signatureSize, size);
    EXPECT_TRUE(std::string(data->token).starts_with("XBL3.0 x=12751929012543788015;eyJ")) << data->token;
    EXPECT_EQ(XUserGetTokenAndSignatureResult(&block, sizeof buffer, buffer, &data, &used), kIllegalMethodCall);

    // The same token until a refresh; a programmed text; no signature.
    XAsyncBlock again = Block(queue, 0, false);
    RequestToken(user, again);
    ASSERT_EQ(XAsyncGetStatus(&again, true), 0);
    EXPECT_EQ(ReadToken(again)["token"], texts);
    RequestToken(user, again, Gdk::XUserGetTokenAndSignatureOptions::ForceRefresh);
    ASSERT_EQ(XAsyncGetStatus(&again, true), 0);
    EXPECT_TRUE(ReadToken(again)["token"].get<std::string>().ends_with(".sim-xsts-0002"));
    Sim({{"op", "set"}, {"token", "XBL3.0 x=1;abc"}, {"signature", nullptr}});
    RequestToken(user, again);
    ASSERT_EQ(XAsyncGetStatus(&again, true), 0);
    EXPECT_EQ(ReadToken(again), json({{"token", "XBL3.0 x=1;abc"}, {"signature", nullptr}}));

    // A failure at the start, in the completion (ResultSize and Result), at ResultSize, at Result.
    for (const char* failure : {"0x89245101", "0x89245108", "0x89245111", "0x89245112", "0x89245115", "0x80072EE7"}) {
        Sim({{"op", "set"}, {"tokenStartResult", failure}});
        EXPECT_EQ(Hex(XUserGetTokenAndSignatureAsync(user, {}, "GET", "https://x.test/", 0, nullptr, 0, nullptr, &again)), failure);
        Sim({{"op", "set"}, {"tokenStartResult", 0}, {"tokenResults", json::array({failure})}});
        RequestToken(user, again);
        EXPECT_EQ(Hex(XAsyncGetStatus(&again, true)), failure);
        EXPECT_EQ(Hex(XUserGetTokenAndSignatureResultSize(&again, &size)), failure);
        EXPECT_EQ(Hex(XUserGetTokenAndSignatureResult(&again, sizeof buffer, buffer, &data, &used)), failure);
        Sim({{"op", "set"}, {"tokenResultSizeResult", failure}});
        RequestToken(user, again);
        ASSERT_EQ(XAsyncGetStatus(&again, true), 0);
        EXPECT_EQ(Hex(XUserGetTokenAndSignatureResultSize(&again, &size)), failure);
        Sim({{"op", "set"}, {"tokenResultSizeResult", 0}, {"tokenResultResult", failure}});
        EXPECT_EQ(XUserGetTokenAndSignatureResultSize(&again, &size), 0);
        EXPECT_EQ(Hex(XUserGetTokenAndSignatureResult(&again, sizeof buffer, buffer, &data, &used)), failure);
        Sim({{"op", "set"}, {"tokenResultResult", 0}});
    }
    XUserHandle notAUser = nullptr;
    EXPECT_EQ(XUserAddResult(&again, &notAUser), kInvalidArg) << "the block's call was a token request";
    EXPECT_EQ(MisuseReasons(), (std::vector<std::string>{"XUserGetTokenAndSignatureResult: the result was read already",
                                                         "XUserAddResult: the XAsyncBlock's call is XUserGetTokenAndSignatureAsync, "
                                                         "not XUserAddAsync"}));
}

TEST_F(XboxSim, UserStoreAndSystemQueriesCheckTheirHandlesAndBufferSizes)
{
    Start();
    const XUserHandle user = AddUser();
    char gamertag[Gdk::kGamertagClassicMaxBytes];
    std::size_t used = 0;
    EXPECT_EQ(XUserGetGamertag(user, Gdk::XUserGamertagComponent::Classic, sizeof gamertag - 1, gamertag, &used), kNotSufficientBuffer);
    ASSERT_EQ(XUserGetGamertag(user, Gdk::XUserGamertagComponent::Classic, sizeof gamertag, gamertag, &used), 0);
    EXPECT_STREQ(gamertag, "Lumen Drift 27");
    EXPECT_EQ(used, 15u);
    EXPECT_TRUE(XUserIsStoreUser(user));
    Sim({{"op", "set"}, {"storeUser", false}, {"gamertag", "ABCDEFGHIJKLMNO"}});
    EXPECT_FALSE(XUserIsStoreUser(user));
    ASSERT_EQ(XUserGetGamertag(user, Gdk::XUserGamertagComponent::Classic, sizeof gamertag, gamertag, &used), 0);
    EXPECT_EQ(used, 16u);

    Gdk::XStoreContextHandle store = nullptr;
    ASSERT_EQ(XStoreCreateContext(user, &store), 0);
    Sim({{"op", "set"}, {"storeContextResult", "0x80070005"}});
    Gdk::XStoreContextHandle refused = nullptr;
    EXPECT_EQ(XStoreCreateContext(user, &refused), static_cast<HResult>(0x80070005));
    EXPECT_EQ(XStoreCreateContext(reinterpret_cast<XUserHandle>(store), &refused), kInvalidArg) << "a handle of another kind";
    XStoreCloseContextHandle(store);
    XStoreCloseContextHandle(store);

    char sandbox[Gdk::kSandboxIdMaxBytes];
    EXPECT_EQ(XSystemGetXboxLiveSandboxId(sizeof sandbox - 1, sandbox, &used), kNotSufficientBuffer);
    ASSERT_EQ(XSystemGetXboxLiveSandboxId(sizeof sandbox, sandbox, &used), 0);
    EXPECT_STREQ(sandbox, "XDKS.1");
    EXPECT_EQ(used, 7u);
    Sim({{"op", "set"}, {"titleId", 1234}, {"sandboxIdResult", "0x80004005"}});
    std::uint32_t titleId = 0;
    ASSERT_EQ(XGameGetXboxTitleId(&titleId), 0);
    EXPECT_EQ(titleId, 1234u);
    EXPECT_EQ(XSystemGetXboxLiveSandboxId(sizeof sandbox, sandbox, &used), static_cast<HResult>(0x80004005));

    XUserCloseHandle(user);
    XUserCloseHandle(user);
    std::uint64_t xuid = 0;
    EXPECT_EQ(XUserGetId(user, &xuid), kInvalidArg);
    EXPECT_EQ(MisuseReasons(), (std::vector<std::string>{"XStoreCreateContext: unknown or closed user handle",
                                                         "XStoreCloseContextHandle: unknown or closed store context handle",
                                                         "XUserCloseHandle: unknown or closed user handle",
                                                         "XUserGetId: unknown or closed user handle"}));
}

TEST_F(XboxSim, XboxServicesInitialiseOnceAndCleanUpOnTheWorkPortWithoutADispatch)
{
    Start();
    const XUserHandle user = AddUser();
    Xbl::XblContextHandle context = nullptr;
    EXPECT_EQ(XblContextCreateHandle(user, &context), kXblNotInitialized);
    EXPECT_EQ(XblInitialize(nullptr), kInvalidArg);
    const Xbl::XblInitArgs noQueue{nullptr, "00000000-0000-0000-0000-00005a7e3c19"};
    EXPECT_EQ(XblInitialize(&noQueue), static_cast<HResult>(0x800701AB));

    const Xbl::XblInitArgs args{queue, "00000000-0000-0000-0000-00005a7e3c19"};
    ASSERT_EQ(XblInitialize(&args), 0);
    EXPECT_EQ(Calls("XblInitialize")[2]["scid"], "00000000-0000-0000-0000-00005a7e3c19");
    EXPECT_EQ(XblInitialize(&args), kXblAlreadyInitialized);
    ASSERT_EQ(XblContextCreateHandle(user, &context), 0);
    XblContextCloseHandle(context);
    XblContextCloseHandle(context);

    XAsyncBlock cleanup = Block(queue, 0, false);
    ASSERT_EQ(XblCleanupAsync(&cleanup), 0);
    EXPECT_EQ(XAsyncGetStatus(&cleanup, true), 0);
    EXPECT_EQ(State()["dispatches"]["calls"], 0);
    EXPECT_EQ(XblContextCreateHandle(user, &context), kXblNotInitialized);
    EXPECT_EQ(MisuseReasons(), (std::vector<std::string>{"XblContextCreateHandle: call before XblInitialize",
                                                         "XblInitialize: null args",
                                                         "XblInitialize: null queue: the simulator has no process task queue, pass a queue",
                                                         "XblContextCloseHandle: unknown or closed Xbox services context",
                                                         "XblContextCreateHandle: call after XblCleanupAsync completed"}));
}

TEST_F(XboxSim, TheChannelsWholeSessionLeavesNothingOpenAndNoMisuse)
{
    Start();
    Gdk::XTaskQueueRegistrationToken changes{}, invites{};
    ASSERT_EQ(XUserRegisterForChangeEvent(queue, nullptr, OnUserChange, &changes), 0);
    ASSERT_EQ(XGameInviteRegisterForEvent(queue, nullptr, OnInvite, &invites), 0);
    const Xbl::XblInitArgs args{queue, "00000000-0000-0000-0000-00005a7e3c19"};
    ASSERT_EQ(XblInitialize(&args), 0);
    XAsyncBlock add = Block(queue, 1);
    ASSERT_EQ(XUserAddAsync(kSilently, &add), 0);
    XUserHandle user = nullptr;
    onAsync = [&](XAsyncBlock* block) { EXPECT_EQ(XUserAddResult(block, &user), 0); };
    ASSERT_TRUE(Dispatch(queue));
    Gdk::XStoreContextHandle store = nullptr;
    Xbl::XblContextHandle context = nullptr;
    ASSERT_EQ(XStoreCreateContext(user, &store), 0);
    ASSERT_EQ(XblContextCreateHandle(user, &context), 0);
    EXPECT_NE(State()["leftOpen"], json::object());

    XblContextCloseHandle(context);
    XStoreCloseContextHandle(store);
    XUserCloseHandle(user);
    XAsyncBlock cleanup = Block(queue, 0, false);
    ASSERT_EQ(XblCleanupAsync(&cleanup), 0);
    ASSERT_EQ(XAsyncGetStatus(&cleanup, true), 0);
    EXPECT_TRUE(XUserUnregisterForChangeEvent(changes, true));
    EXPECT_TRUE(XGameInviteUnregisterForEvent(invites, true));
    Take();
    ASSERT_EQ(XTaskQueueTerminate(queue, false, Context(1), OnTerminated), 0);
    ASSERT_TRUE(Dispatch(queue, 0));
    EXPECT_EQ(Take(), json({{{"terminated", 1}}})) << "dispatched no more once the termination finished";
    XTaskQueueCloseHandle(queue);
    XGameRuntimeUninitialize();
    EXPECT_EQ(State()["leftOpen"], json::object());
    EXPECT_EQ(MisuseReasons(), std::vector<std::string>{});
}

// The built files, as the channel loads and binds them: Xbox services calls through the thunks file
// reach the runtime file's state.
TEST(XboxSimRuntimeFiles, ExportEveryFunctionTheChannelBindsAndShareOneState)
{
    const auto folder = std::filesystem::absolute(SIM_XBOX_RUNTIME).parent_path();
    const auto runtime = StoreLibrary::Load(folder.wstring(), Gdk::kRuntimeFileName);
    const auto services = StoreLibrary::Load(folder.wstring(), Xbl::kServicesFileName);
    ASSERT_NE(runtime, nullptr);
    ASSERT_NE(services, nullptr);
    void (*function)() = nullptr;
    for (const char* name :
         {"XGameRuntimeInitialize", "XGameRuntimeUninitialize", "XTaskQueueCreate", "XTaskQueueDispatch", "XTaskQueueTerminate",
          "XTaskQueueCloseHandle", "XAsyncGetStatus", "XUserAddAsync", "XUserAddResult", "XUserGetId", "XUserGetGamertag",
          "XUserIsStoreUser", "XUserCloseHandle", "XUserGetTokenAndSignatureAsync", "XUserGetTokenAndSignatureResultSize",
          "XUserGetTokenAndSignatureResult", "XUserRegisterForChangeEvent", "XUserUnregisterForChangeEvent", "XStoreCreateContext",
          "XStoreCloseContextHandle", "XGameGetXboxTitleId", "XSystemGetXboxLiveSandboxId", "XGameInviteRegisterForEvent",
          "XGameInviteUnregisterForEvent"}) {
        EXPECT_TRUE(runtime->Bind(name, function)) << name;
    }
    Xbl::XblInitialize_t* initialize = nullptr;
    for (const char* name : {"XblInitialize", "XblCleanupAsync", "XblContextCreateHandle", "XblContextCloseHandle"}) {
        EXPECT_TRUE(services->Bind(name, function)) << name;
    }
    ASSERT_TRUE(services->Bind("XblInitialize", initialize));
    const char* (*control)(const char*) = nullptr;
    ASSERT_TRUE(runtime->Bind("VyroSim_Control", control));
    ASSERT_NE(control, &VyroSim_Control);
    const char* (*servicesControl)(const char*) = nullptr;
    services->Bind("VyroSim_Control", servicesControl);
    EXPECT_TRUE(servicesControl == nullptr || servicesControl == control) << "the runtime file's state, or none";

    Gdk::XGameRuntimeInitialize_t* runtimeInitialize = nullptr;
    Gdk::XTaskQueueCreate_t* create = nullptr;
    ASSERT_TRUE(runtime->Bind("XGameRuntimeInitialize", runtimeInitialize));
    ASSERT_TRUE(runtime->Bind("XTaskQueueCreate", create));
    ASSERT_EQ(json::parse(control(R"({"op":"reset"})"))["ok"], true);
    Sim({{"op", "reset"}});
    ASSERT_EQ(runtimeInitialize(), 0);
    XTaskQueueHandle queue = nullptr;
    ASSERT_EQ(create(XTaskQueueDispatchMode::ThreadPool, XTaskQueueDispatchMode::Manual, &queue), 0);
    const Xbl::XblInitArgs args{queue, "00000000-0000-0000-0000-00005a7e3c19"};
    EXPECT_EQ(initialize(&args), 0) << "the queue is the runtime file's";
    EXPECT_EQ(json::parse(control(R"({"op":"state"})"))["xbl"]["state"], "initialised");
    EXPECT_EQ(State()["xbl"]["state"], "notInitialised") << "the program's own copy saw nothing";
    // Joins the file's workers before it is unloaded.
    EXPECT_EQ(json::parse(control(R"({"op":"reset"})"))["ok"], true);

    const auto path = [&](const wchar_t* name) { return (folder / name).make_preferred().wstring(); };
    EXPECT_EQ(Platform::GetFileVersion(path(Gdk::kRuntimeFileName)), (Platform::FileVersion{10, 0, 26100, 0}));
    EXPECT_EQ(Platform::GetFileVersion(path(Xbl::kServicesFileName)), (Platform::FileVersion{2025, 10, 0, 0}));
}
