#include "channels/xbox/XboxChannelSDK.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <thread>
#include <utility>
#include <vector>

#include <fmt/format.h>
#include <nlohmann/json.hpp>

#include "VyroChannel.h"
#include "channels/xbox/AsyncCall.h"
#include "channels/xbox/HResultText.h"
#include "channels/xbox/XboxHelper.h"
#include "channels/xbox/XboxServicesVersion.h"
#include "common/Logger.h"
#include "common/NeverDestroyed.h"
#include "common/Platform.h"
#include "core/Envelope.h"

namespace Vyro {

namespace {

using nlohmann::json;
using Gdk::HResult;

// How long one wait for the queue's next completion lasts before what it waits for is checked again.
constexpr std::uint32_t kDrainWaitMs = 10;
// How long Unload lets the calls still outstanding finish, and then the cancelled ones.
constexpr std::chrono::milliseconds kSettleMs{250};
// How long Unload waits for the Xbox services cleanup and then for the queue's termination, each of
// which waits for work still running on the runtime's threads, before it goes on without them (and
// answers what is left): a game's Stop never hangs on a runtime thread that does not come back.
constexpr std::chrono::milliseconds kCleanupLimitMs{2000};
constexpr std::chrono::milliseconds kTerminateLimitMs{2000};

std::string LoadFailure(const std::string& message, HResult result)
{
    return MakeErrorResponse(message + HResultText(result), ChannelType::Xbox, "", result);
}

// The answer to a runtime that did not start: missing and mismatched runtimes have codes of their
// own, as for the other stores' clients.
void AnswerRuntimeFailure(ResultCallback cb, HResult result)
{
    if (result == Gdk::kRuntimeNotFound) {
        BaseChannelSDK::Answer(cb, VYROCHANNEL_STORE_NOT_PRESENT,
                               MakeErrorResponse("Xbox Game Runtime not found", ChannelType::Xbox, "", result));
    } else if (result == Gdk::kRuntimeVersionMismatch) {
        BaseChannelSDK::Answer(cb, VYROCHANNEL_STORE_VERSION_MISMATCH,
                               MakeErrorResponse("Xbox Game Runtime version mismatch", ChannelType::Xbox, "", result));
    } else {
        BaseChannelSDK::Answer(cb, VYROCHANNEL_FAILED, LoadFailure("Xbox Game Runtime initialization failed: ", result));
    }
}

bool RefuseLoad(ResultCallback cb, int code, const std::string& reply)
{
    BaseChannelSDK::Answer(cb, code, reply);
    return false;
}

void OnQueueTerminated(void* context) { static_cast<std::atomic<bool>*>(context)->store(true); }

// What the runtime may still write into after Unload stopped waiting for it (a cleanup's block, a
// termination's flag): kept, reachable, for the rest of the process. Game thread only.
void KeepForTheProcess(std::shared_ptr<void> object)
{
    NeverDestroyed<std::vector<std::shared_ptr<void>>>().push_back(std::move(object));
}

// Counts the dispatches of the channel's queue this thread is inside.
class DispatchScope {
public:
    explicit DispatchScope(int& depth) : depth_(depth) { ++depth_; }
    ~DispatchScope() { --depth_; }
    DispatchScope(const DispatchScope&) = delete;
    DispatchScope& operator=(const DispatchScope&) = delete;

private:
    int& depth_;
};

} // namespace

XboxChannelSDK::XboxChannelSDK() : XboxChannelSDK(DefaultXboxBinding()) {}

XboxChannelSDK::XboxChannelSDK(XboxBinding binding)
    : runtimeApi_(std::move(binding.runtime)), servicesApi_(std::move(binding.services)),
      auth_(std::make_unique<XboxAuth>(this)), payment_(std::make_unique<XboxPayment>(this))
{
}

// A channel destroyed without Unload goes with the library, often at process exit: the runtime's
// threads are then gone, or blocked behind the lock the loader holds while it unloads us, so nothing
// here waits for another thread. What is held is closed and the queue terminated without draining
// it: requests still waiting are never answered, and since nobody dispatches its completion port
// again, none of their completions ever runs. Their call records are left allocated on purpose: the
// runtime may still write into them. The runtime stays initialised (its uninitialise may wait for its
// own threads).
XboxChannelSDK::~XboxChannelSDK()
{
    tearingDown_ = true;
    destroying_ = true;
    auth_->UnregisterUserChangeEvent(false);
    // Nothing is answered from a destructor: a friend list still waiting goes with the social object.
    social_.reset();
    ReleaseUser();
    if (queue_ != nullptr) {
        AsyncCall::Forget(queue_);
        runtimeApi_.Bound()->XTaskQueueTerminate(queue_, false, nullptr, nullptr);
        runtimeApi_.Bound()->XTaskQueueCloseHandle(queue_);
    }
}

int XboxChannelSDK::GetChannelType() { return ChannelType::Xbox; }

void XboxChannelSDK::Load(const char*, ResultCallback cb)
{
    // Started already: a second start would replace the queue the Xbox services library and the
    // runtime's registrations still use.
    if (servicesReady_) {
        Answer(cb, VYROCHANNEL_OK, MakeSuccessResponse(json::object(), ChannelType::Xbox, ""));
        return;
    }
    XboxHelper::InitializeComSecurity();
    const HResult started = StartRuntime();
    if (!Gdk::Succeeded(started)) {
        LogFailedCall("XGameRuntimeInitialize", started);
        AnswerRuntimeFailure(cb, started);
        return;
    }
    if (!StartServices(*runtimeApi_.Bound(), cb)) {
        return;
    }
    auth_->LoginSilent();
    Answer(cb, VYROCHANNEL_OK, MakeSuccessResponse(json::object(), ChannelType::Xbox, ""));
}

// A runtime that cannot be loaded, or lacks a function, is reported as the runtime's own loader
// reports a missing runtime. A runtime started by an earlier Load that failed later is not started
// twice: each start is owed its own uninitialise.
HResult XboxChannelSDK::StartRuntime()
{
    if (runtimeInitialized_) {
        return Gdk::kOk;
    }
    const Gdk::GameRuntimeApi* runtime = runtimeApi_.Get();
    const HResult result = runtime == nullptr ? Gdk::kRuntimeNotFound : runtime->XGameRuntimeInitialize();
    runtimeInitialized_ = Gdk::Succeeded(result);
    return result;
}

bool XboxChannelSDK::StartServices(const Gdk::GameRuntimeApi& runtime, ResultCallback cb)
{
    Gdk::XTaskQueueHandle queue = nullptr;
    HResult result = runtime.XTaskQueueCreate(Gdk::XTaskQueueDispatchMode::ThreadPool, Gdk::XTaskQueueDispatchMode::Manual, &queue);
    if (!Gdk::Succeeded(result)) {
        LogFailedCall("XTaskQueueCreate", result);
        return RefuseLoad(cb, VYROCHANNEL_FAILED, LoadFailure("Failed to create task queue: ", result));
    }
    // A failed Load's queue: what is still on its way there (a Login's sign-in) is answered, and what
    // hangs on its user released, before the queue goes.
    if (queue_ != nullptr) {
        DrainTaskQueue();
        ReleaseUser();
        runtime.XTaskQueueCloseHandle(queue_);
    }
    queue_ = queue;
    std::uint32_t titleId = 0;
    result = runtime.XGameGetXboxTitleId(&titleId);
    if (!Gdk::Succeeded(result)) {
        LogFailedCall("XGameGetXboxTitleId", result);
        return RefuseLoad(cb, VYROCHANNEL_FAILED, LoadFailure("Failed to get Xbox Title ID: ", result));
    }
    scid_ = fmt::format("00000000-0000-0000-0000-0000{:08X}", titleId);
    const Xbl::XblApi* services = servicesApi_.Get();
    if (services == nullptr) {
        return RefuseLoad(cb, VYROCHANNEL_FAILED,
                          MakeErrorResponse("Failed to load " + Platform::WideToUtf8(Xbl::kServicesFileName), ChannelType::Xbox));
    }
    // A thunks library too old for the records read here is a version mismatch, as for the runtime.
    if (const std::optional<std::string> refusal = Xbl::RefuseOlderServices()) {
        Log(LogLevel::Error, "{}", *refusal);
        return RefuseLoad(cb, VYROCHANNEL_STORE_VERSION_MISMATCH, MakeErrorResponse(*refusal, ChannelType::Xbox));
    }
    const Xbl::XblInitArgs args{queue_, scid_.c_str()};
    result = services->XblInitialize(&args);
    if (!Gdk::Succeeded(result)) {
        LogFailedCall("XblInitialize", result);
        return RefuseLoad(cb, VYROCHANNEL_FAILED, LoadFailure("Failed to initialize Xbox Live services: ", result));
    }
    xblInitialized_ = true;
    servicesReady_ = true;
    return true;
}

void XboxChannelSDK::Init(const char*, ResultCallback cb)
{
    if (servicesReady_) {
        Answer(cb, VYROCHANNEL_OK, MakeSuccessResponse(json::object(), ChannelType::Xbox, ""));
    } else if (runtimeInitialized_) {
        Log(LogLevel::Error, "XSAPI initialization failed during Load");
        Answer(cb, VYROCHANNEL_FAILED,
               MakeErrorResponse("Xbox Live services failed to initialize during Load.", ChannelType::Xbox));
    } else {
        Log(LogLevel::Error, "Xbox Game Runtime not initialized");
        Answer(cb, VYROCHANNEL_FAILED,
               MakeErrorResponse("Xbox Game Runtime not initialized. Call Load() first.", ChannelType::Xbox));
    }
}

void XboxChannelSDK::Tick()
{
    DispatchEvents();
    if (queue_ != nullptr && social_) {
        social_->ProcessEvents();
    }
    // The queue is read again every round: a completion may have unloaded the channel.
    const DispatchScope dispatching(dispatchDepth_);
    while (queue_ != nullptr && runtimeApi_.Bound()->XTaskQueueDispatch(queue_, Gdk::XTaskQueuePort::Completion, 0)) {
    }
}

void XboxChannelSDK::Unload(const char*, ResultCallback cb)
{
    Teardown();
    Answer(cb, VYROCHANNEL_OK, MakeSuccessResponse(json::object(), ChannelType::Xbox, ""));
}

// Stops everything Load started, in an order that lets nothing run into something already gone: the
// user change registration goes while its queue exists, and the Xbox services contexts before the
// library cleans up. The queue is then terminated and its completions dispatched here, so each
// waiting request is answered once now and nothing runs after Unload; what those completions stored
// is released with the rest. A teardown started from a completion dispatched here is left to this
// one.
void XboxChannelSDK::Teardown()
{
    if (tearingDown_) {
        return;
    }
    tearingDown_ = true;
    ReleaseUser();
    SettleCalls();
    const bool cleanedUp = CleanupXsapi();
    const bool drained = DrainTaskQueue();
    ReleaseUser();
    if (queue_ != nullptr) {
        runtimeApi_.Bound()->XTaskQueueCloseHandle(queue_);
        queue_ = nullptr;
    }
    // Work still running holds the runtime's objects: the runtime stays initialised under it.
    if (runtimeInitialized_ && cleanedUp && drained) {
        runtimeApi_.Bound()->XGameRuntimeUninitialize();
        runtimeInitialized_ = false;
    }
    servicesReady_ = false;
    tearingDown_ = false;
}

void XboxChannelSDK::ReleaseUser()
{
    auth_->UnregisterUserChangeEvent(true);
    ResetServices();
    SetStoreContext(nullptr);
    SetUserHandle(nullptr);
}

bool XboxChannelSDK::CleanupXsapi()
{
    if (!xblInitialized_) {
        return true;
    }
    xblInitialized_ = false;
    // No completion routine: the wait ends when the cleanup does, without dispatching the queue. Kept
    // for the process when it is given up on: the cleanup still writes into its block.
    auto cleanup = std::make_unique<Gdk::XAsyncBlock>();
    cleanup->queue = queue_;
    const HResult started = servicesApi_.Bound()->XblCleanupAsync(cleanup.get());
    if (!Gdk::Succeeded(started)) {
        Log(LogLevel::Warning, "XblCleanupAsync failed: {}", HResultText(started));
        return true;
    }
    const auto deadline = std::chrono::steady_clock::now() + kCleanupLimitMs;
    HResult status = runtimeApi_.Bound()->XAsyncGetStatus(cleanup.get(), false);
    for (; status == Gdk::kPending && std::chrono::steady_clock::now() < deadline;
         status = runtimeApi_.Bound()->XAsyncGetStatus(cleanup.get(), false)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    if (status == Gdk::kPending) {
        Log(LogLevel::Warning, "XblCleanupAsync not finished after {} ms: left running", kCleanupLimitMs.count());
        KeepForTheProcess(std::move(cleanup));
        return false;
    }
    if (!Gdk::Succeeded(status)) {
        Log(LogLevel::Warning, "XblCleanupAsync wait failed: {}", HResultText(status));
    }
    return true;
}

// The Xbox services library is cleaned up only once no call is outstanding, as it asks: the calls'
// completions are dispatched for a while, then what is left is cancelled (its requests are answered
// with E_ABORT) and dispatched again for a while. A call that even then has not completed, its work
// past stopping, is left to the queue's termination, so that Unload never hangs.
void XboxChannelSDK::SettleCalls()
{
    if (!xblInitialized_ || queue_ == nullptr) {
        return;
    }
    DispatchWhileOutstanding(kSettleMs);
    for (Gdk::XAsyncBlock* block : AsyncCall::Outstanding(queue_)) {
        runtimeApi_.Bound()->XAsyncCancel(block);
    }
    DispatchWhileOutstanding(kSettleMs);
    if (const std::size_t left = AsyncCall::Outstanding(queue_).size(); left > 0) {
        Log(LogLevel::Warning, "XblCleanupAsync starts with {} calls outstanding", left);
    }
}

void XboxChannelSDK::DispatchWhileOutstanding(std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    const DispatchScope dispatching(dispatchDepth_);
    while (queue_ != nullptr && !AsyncCall::Outstanding(queue_).empty() && std::chrono::steady_clock::now() < deadline) {
        runtimeApi_.Bound()->XTaskQueueDispatch(queue_, Gdk::XTaskQueuePort::Completion, kDrainWaitMs);
    }
}

// The queue's completion port is dispatched by this very thread, so waiting inside the terminate
// call would never end: the termination is started without waiting and the port dispatched here
// until the runtime reports the termination finished, or for a while: work that never ends keeps
// the termination from finishing, and its calls are then answered without their results.
bool XboxChannelSDK::DrainTaskQueue()
{
    if (queue_ == nullptr) {
        return true;
    }
    const Gdk::GameRuntimeApi& runtime = *runtimeApi_.Bound();
    // Kept for the process when the termination is given up on: it may still report to it later.
    auto terminated = std::make_unique<std::atomic<bool>>(false);
    const HResult result = runtime.XTaskQueueTerminate(queue_, false, terminated.get(), &OnQueueTerminated);
    if (!Gdk::Succeeded(result)) {
        LogFailedCall("XTaskQueueTerminate", result);
        return true;
    }
    const auto deadline = std::chrono::steady_clock::now() + kTerminateLimitMs;
    const DispatchScope dispatching(dispatchDepth_);
    while (!terminated->load()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            Log(LogLevel::Warning, "XTaskQueueTerminate not finished after {} ms: answering {} calls still running",
                kTerminateLimitMs.count(), AsyncCall::Outstanding(queue_).size());
            AsyncCall::Abandon(queue_);
            KeepForTheProcess(std::move(terminated));
            return false;
        }
        runtime.XTaskQueueDispatch(queue_, Gdk::XTaskQueuePort::Completion, kDrainWaitMs);
    }
    return true;
}

void XboxChannelSDK::Login(const char* params, ResultCallback cb) { auth_->Login(params == nullptr ? "" : params, cb); }

void XboxChannelSDK::AuthToken(const char* params, ResultCallback cb)
{
    auth_->AuthToken(params == nullptr ? "" : params, cb);
}

void XboxChannelSDK::Products(const char* params, ResultCallback cb) { payment_->Products(params, cb); }
void XboxChannelSDK::Checkout(const char* params, ResultCallback cb) { payment_->Checkout(params, cb); }
void XboxChannelSDK::CheckEntitlements(const char* params, ResultCallback cb) { payment_->CheckEntitlements(params, cb); }

void XboxChannelSDK::RegisterCallback(int type, ResultCallback cb)
{
    BaseChannelSDK::RegisterCallback(type, cb);
    if (type == VYROCHANNEL_EVENT_GAME_INVITE) {
        StartMultiplayerEvents();
    }
}

void XboxChannelSDK::StartMultiplayerEvents()
{
    if (!IsInitialized() || queue_ == nullptr) {
        return;
    }
    if (!multiplayer_) {
        multiplayer_ = std::make_unique<XboxMultiplayer>(this);
    } else if (multiplayer_->InviteHandlerRegistered()) {
        return;
    }
    multiplayer_->RegisterInviteHandler();
}

Gdk::XTaskQueueHandle XboxChannelSDK::GetTaskQueue() { return queue_; }
Gdk::XUserHandle XboxChannelSDK::GetUserHandle() { return user_; }
Gdk::XStoreContextHandle XboxChannelSDK::GetStoreContext() { return storeContext_; }
std::string XboxChannelSDK::GetScid() { return scid_; }
// A runtime being stopped counts as stopped: completions that run while Unload drains the queue make
// no new registrations on it.
bool XboxChannelSDK::IsInitialized() { return runtimeInitialized_ && !tearingDown_; }

void XboxChannelSDK::SetUserHandle(Gdk::XUserHandle user)
{
    if (user_ != nullptr) {
        runtimeApi_.Bound()->XUserCloseHandle(user_);
    }
    user_ = user;
    if (user_ != nullptr) {
        StartMultiplayerEvents();
    }
}

void XboxChannelSDK::SetStoreContext(Gdk::XStoreContextHandle context)
{
    if (storeContext_ != nullptr) {
        runtimeApi_.Bound()->XStoreCloseContextHandle(storeContext_);
    }
    storeContext_ = context;
}

void XboxChannelSDK::PostEvent(int type, int code, std::string json) { BaseChannelSDK::PostEvent(type, code, std::move(json)); }

void XboxChannelSDK::RefreshUser(std::function<void(bool ok)> continuation) { auth_->RefreshUser(std::move(continuation)); }

void XboxChannelSDK::ResetServices()
{
    if (social_) {
        social_->AbortFriendList();
    }
    if (multiplayer_) {
        multiplayer_->Stop(MayWaitForRuntime());
    }
    multiplayer_.reset();
    stats_.reset();
    achievements_.reset();
    social_.reset();
    onlineServices_.reset();
}

// The runtime delivers the channel's events through its queue, which this thread dispatches: inside
// a dispatch, waiting for an event callback would wait for this very thread. A channel going with
// the library waits for nothing: the runtime's threads may be gone, or blocked behind the loader.
bool XboxChannelSDK::MayWaitForRuntime() const { return dispatchDepth_ == 0 && !destroying_; }

const Gdk::GameRuntimeApi& XboxChannelSDK::Runtime() { return *runtimeApi_.Bound(); }
const Xbl::XblApi& XboxChannelSDK::Services() { return *servicesApi_.Bound(); }

} // namespace Vyro
