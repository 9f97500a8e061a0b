#include "channels/xbox/XboxAuth.h"

#include <cstring>
#include <exception>
#include <memory>
#include <span>
#include <utility>
#include <vector>

#include "VyroChannel.h"
#include "channels/xbox/AsyncCall.h"
#include "channels/xbox/HResultText.h"
#include "channels/xbox/IXboxContext.h"
#include "common/Logger.h"
#include "common/Platform.h"
#include "core/BaseChannelSDK.h"
#include "core/Envelope.h"
#include "core/RequestMembers.h"

namespace Vyro {

namespace {

using nlohmann::json;
using Gdk::HResult;

// The relying party of the Xbox services themselves, for a token the game's own servers pass on.
constexpr char kXboxServicesRelyingParty[] = "https://xboxlive.com";
// What a sign-in attempt reports when the runtime is not running and nothing can be started.
constexpr HResult kRuntimeNotInitialized = static_cast<HResult>(0x89240100); // E_GAMERUNTIME_NOT_INITIALIZED

// How a failed GDK call is answered: its code and message, by HRESULT.
struct FailureAnswer {
    HResult result;
    int code;
    const char* message;
};

constexpr FailureAnswer kSignInFailures[] = {
    {static_cast<HResult>(0x8015DC12), VYROCHANNEL_FAILED, "User not authorized for current sandbox."},
    {static_cast<HResult>(0x87DD0013), VYROCHANNEL_NO_USER,
     "Authentication service cannot identify user. Please sign in to Xbox app."},
    {static_cast<HResult>(0x89245101), VYROCHANNEL_NO_USER, "User is signed out. Please sign in to Xbox app."},
    {static_cast<HResult>(0x89245102), VYROCHANNEL_ACCOUNT_NEEDS_ATTENTION,
     "User issue requires resolution. Please check Xbox app."},
    {static_cast<HResult>(0x89245106), VYROCHANNEL_NO_USER, "No user signed in. Please sign in to Xbox app."},
};

constexpr FailureAnswer kTokenFailures[] = {
    {static_cast<HResult>(0x89245101), VYROCHANNEL_NO_USER,
     "User signed out during token request. Please sign in to Xbox app."},
    {static_cast<HResult>(0x89245108), VYROCHANNEL_FAILED, "Title ID not configured in MicrosoftGame.config."},
    {static_cast<HResult>(0x89245111), VYROCHANNEL_FAILED, "Failed to get authentication token."},
    {static_cast<HResult>(0x89245112), VYROCHANNEL_FAILED, "Invalid app configuration. Check MicrosoftGame.config."},
    {static_cast<HResult>(0x89245115), VYROCHANNEL_FAILED, "MSAAppId not configured in MicrosoftGame.config."},
};

// Answers a failed call from its table, or with `otherwise` followed by the HRESULT; the HRESULT is
// always the reply's third_error_code.
void AnswerFailure(ResultCallback cb, const std::string& requestId, std::span<const FailureAnswer> table,
                   const char* otherwise, HResult result)
{
    for (const FailureAnswer& answer : table) {
        if (answer.result == result) {
            BaseChannelSDK::Answer(cb, answer.code, MakeErrorResponse(answer.message, ChannelType::Xbox, requestId, result));
            return;
        }
    }
    BaseChannelSDK::Answer(cb, VYROCHANNEL_FAILED,
                           MakeErrorResponse(otherwise + HResultText(result), ChannelType::Xbox, requestId, result));
}

// A text of the token result: the size the runtime reports, up to a terminator inside it.
std::string ResultText(const char* text, std::size_t size)
{
    return text == nullptr ? std::string() : std::string(text, strnlen(text, size));
}

} // namespace

XboxAuth::XboxAuth(IXboxContext* context) : context_(context) {}

XboxAuth::~XboxAuth() { UnregisterUserChangeEvent(true); }

bool XboxAuth::RuntimeReady() { return context_->IsInitialized() && context_->GetTaskQueue() != nullptr; }

void XboxAuth::Login(const std::string& params, ResultCallback cb)
{
    std::string requestId = GetRequestId(ParseParameters(params.c_str()));
    if (!RuntimeReady()) {
        Log(LogLevel::Error, "SDK not initialized");
        BaseChannelSDK::Answer(cb, VYROCHANNEL_FAILED,
                               MakeErrorResponse("SDK not initialized. Call Load() first.", ChannelType::Xbox, requestId));
        return;
    }
    if (context_->GetUserHandle() != nullptr) {
        BaseChannelSDK::Answer(cb, VYROCHANNEL_OK, MakeSuccessResponse(SignInResult(), ChannelType::Xbox, requestId));
        return;
    }
    const Gdk::GameRuntimeApi& runtime = context_->Runtime();
    const HResult result = AsyncCall::Start(
        context_->GetTaskQueue(),
        [this, requestId, cb](Gdk::XAsyncBlock* block) { CompleteLogin(block, requestId, cb); },
        [&runtime](Gdk::XAsyncBlock* block) { return runtime.XUserAddAsync(Gdk::XUserAddOptions::AddDefaultUserSilently, block); });
    if (!Gdk::Succeeded(result)) {
        LogFailedCall("XUserAddAsync", result);
        BaseChannelSDK::Answer(
            cb, VYROCHANNEL_FAILED,
            MakeErrorResponse("Failed to start user sign-in: " + HResultText(result), ChannelType::Xbox, requestId, result));
    }
}

void XboxAuth::CompleteLogin(Gdk::XAsyncBlock* block, const std::string& requestId, ResultCallback cb)
{
    const Gdk::GameRuntimeApi& runtime = context_->Runtime();
    Gdk::XUserHandle user = nullptr;
    const HResult result = runtime.XUserAddResult(block, &user);
    if (!Gdk::Succeeded(result)) {
        LogFailedCall("XUserAddResult", result);
        AnswerFailure(cb, requestId, kSignInFailures, "Login failed: ", result);
        return;
    }
    context_->SetUserHandle(user);
    RegisterUserChangeEvent();
    Gdk::XStoreContextHandle store = nullptr;
    const HResult storeResult = runtime.XStoreCreateContext(user, &store);
    if (Gdk::Succeeded(storeResult)) {
        context_->SetStoreContext(store);
    } else {
        // A player without a store context can still play; store requests report it themselves.
        Log(LogLevel::Warning, "XStoreCreateContext failed: {}", HResultText(storeResult));
    }
    BaseChannelSDK::Answer(cb, VYROCHANNEL_OK, MakeSuccessResponse(SignInResult(), ChannelType::Xbox, requestId));
}

json XboxAuth::SignInResult()
{
    const std::string sandboxId = SandboxId(true);
    const std::string countryCode = Platform::GetUserGeoName();
    const XboxUserInfo user = GetUserInfo();
    return json{{"authenticated", true},
                {"id", user.xuid},
                {"name", user.gamertag},
                {"xbox",
                 {{"xuid", user.xuid},
                  {"gamertag", user.gamertag},
                  {"sandboxId", sandboxId},
                  {"isStoreUser", user.isStoreUser},
                  {"countryCode", countryCode}}}};
}

void XboxAuth::LoginSilent()
{
    RefreshUser([this](bool ok) {
        if (ok) {
            RegisterUserChangeEvent();
        } else {
            Log(LogLevel::Warning, "Silent login failed - user will need to call Login() explicitly");
        }
    });
}

// One re-sign-in serves every request waiting for it: a second one would replace the user handle
// that the first one's requests have just made their Xbox services objects from.
void XboxAuth::RefreshUser(std::function<void(bool ok)> continuation)
{
    // Without a running runtime and queue there is nothing to start the sign-in on.
    if (!RuntimeReady()) {
        LogFailedCall("Re-login XUserAddAsync", kRuntimeNotInitialized);
        continuation(false);
        return;
    }
    refreshWaiters_.push_back(std::move(continuation));
    if (refreshWaiters_.size() > 1) {
        return;
    }
    const Gdk::GameRuntimeApi& runtime = context_->Runtime();
    const HResult result = AsyncCall::Start(
        context_->GetTaskQueue(), [this](Gdk::XAsyncBlock* block) { CompleteRefresh(block); },
        [&runtime](Gdk::XAsyncBlock* block) { return runtime.XUserAddAsync(Gdk::XUserAddOptions::AddDefaultUserSilently, block); });
    if (!Gdk::Succeeded(result)) {
        LogFailedCall("Re-login XUserAddAsync", result);
        for (const auto& waiter : std::exchange(refreshWaiters_, {})) {
            waiter(false);
        }
    }
}

// The waiters are taken before any of them runs: one may start the next re-sign-in.
void XboxAuth::CompleteRefresh(Gdk::XAsyncBlock* block)
{
    const bool ok = RefreshedUser(block);
    for (const auto& waiter : std::exchange(refreshWaiters_, {})) {
        waiter(ok);
    }
}

bool XboxAuth::RefreshedUser(Gdk::XAsyncBlock* block)
{
    const Gdk::GameRuntimeApi& runtime = context_->Runtime();
    Gdk::XUserHandle user = nullptr;
    const HResult result = runtime.XUserAddResult(block, &user);
    if (!Gdk::Succeeded(result)) {
        LogFailedCall("Re-login XUserAddResult", result);
        return false;
    }
    context_->SetUserHandle(user);
    Gdk::XStoreContextHandle store = nullptr;
    const HResult storeResult = runtime.XStoreCreateContext(user, &store);
    if (!Gdk::Succeeded(storeResult)) {
        Log(LogLevel::Error, "XStoreCreateContext failed during re-login: {}", HResultText(storeResult));
        return false;
    }
    context_->SetStoreContext(store);
    return true;
}

void XboxAuth::AuthToken(const std::string& params, ResultCallback cb)
{
    const json request = ParseParameters(params.c_str());
    std::string requestId = GetRequestId(request);
    const Gdk::XUserHandle user = context_->GetUserHandle();
    if (user == nullptr) {
        Log(LogLevel::Error, "User not signed in");
        BaseChannelSDK::Answer(cb, VYROCHANNEL_NO_USER,
                               MakeErrorResponse("User not signed in. Call Login() first.", ChannelType::Xbox, requestId));
        return;
    }
    const std::string url = StringMember(request, "identity").value_or(kXboxServicesRelyingParty);
    const auto options = BoolMember(request, "forceRefresh").value_or(false) ? Gdk::XUserGetTokenAndSignatureOptions::ForceRefresh
                                                                            : Gdk::XUserGetTokenAndSignatureOptions::None;
    const Gdk::GameRuntimeApi& runtime = context_->Runtime();
    const HResult result = AsyncCall::Start(
        context_->GetTaskQueue(),
        [this, requestId, cb](Gdk::XAsyncBlock* block) { CompleteAuthToken(block, requestId, cb); },
        [&](Gdk::XAsyncBlock* block) {
            return runtime.XUserGetTokenAndSignatureAsync(user, options, "GET", url.c_str(), 0, nullptr, 0, nullptr, block);
        });
    if (!Gdk::Succeeded(result)) {
        LogFailedCall("XUserGetTokenAndSignatureAsync", result);
        AnswerFailure(cb, requestId, kTokenFailures, "Token request failed: ", result);
    }
}

void XboxAuth::CompleteAuthToken(Gdk::XAsyncBlock* block, const std::string& requestId, ResultCallback cb)
{
    const Gdk::GameRuntimeApi& runtime = context_->Runtime();
    std::size_t size = 0;
    HResult result = runtime.XUserGetTokenAndSignatureResultSize(block, &size);
    if (!Gdk::Succeeded(result)) {
        LogFailedCall("XUserGetTokenAndSignatureResultSize", result);
        AnswerFailure(cb, requestId, kTokenFailures, "Token request failed: ", result);
        return;
    }
    // Whole 64-bit words, so that the record the runtime lays out at the start is aligned.
    std::vector<std::uint64_t> buffer((size + sizeof(std::uint64_t) - 1) / sizeof(std::uint64_t));
    Gdk::XUserGetTokenAndSignatureData* data = nullptr;
    result = runtime.XUserGetTokenAndSignatureResult(block, size, buffer.data(), &data, nullptr);
    if (!Gdk::Succeeded(result) || data == nullptr) {
        LogFailedCall("XUserGetTokenAndSignatureResult", result);
        AnswerFailure(cb, requestId, kTokenFailures, "Token request failed: ", result);
        return;
    }
    const json token{{"token", ResultText(data->token, data->tokenSize)},
                     {"xbox", {{"signature", ResultText(data->signature, data->signatureSize)}}}};
    BaseChannelSDK::Answer(cb, VYROCHANNEL_OK, MakeSuccessResponse(token, ChannelType::Xbox, requestId));
}

XboxUserInfo XboxAuth::GetUserInfo()
{
    XboxUserInfo info;
    const Gdk::XUserHandle user = context_->GetUserHandle();
    if (user == nullptr) {
        return info;
    }
    const Gdk::GameRuntimeApi& runtime = context_->Runtime();
    info.status = 0;
    std::uint64_t xuid = 0;
    if (Gdk::Succeeded(runtime.XUserGetId(user, &xuid))) {
        info.xuid = std::to_string(xuid);
    }
    char gamertag[Gdk::kGamertagClassicMaxBytes] = {};
    std::size_t used = 0;
    if (Gdk::Succeeded(runtime.XUserGetGamertag(user, Gdk::XUserGamertagComponent::Classic, sizeof(gamertag), gamertag, &used))) {
        info.gamertag.assign(gamertag, strnlen(gamertag, sizeof(gamertag)));
    }
    info.isStoreUser = runtime.XUserIsStoreUser(user);
    return info;
}

std::string XboxAuth::SandboxId(bool warn)
{
    if (!context_->IsInitialized()) {
        return {};
    }
    char sandbox[Gdk::kSandboxIdMaxBytes] = {};
    std::size_t used = 0;
    const HResult result = context_->Runtime().XSystemGetXboxLiveSandboxId(sizeof(sandbox), sandbox, &used);
    if (!Gdk::Succeeded(result)) {
        if (warn) {
            Log(LogLevel::Warning, "XSystemGetXboxLiveSandboxId failed: {}", HResultText(result));
        }
        return {};
    }
    return std::string(sandbox, strnlen(sandbox, sizeof(sandbox)));
}

void XboxAuth::RegisterUserChangeEvent()
{
    if (changeRegistered_ || !RuntimeReady()) {
        return;
    }
    const HResult result =
        context_->Runtime().XUserRegisterForChangeEvent(context_->GetTaskQueue(), this, &OnUserChange, &changeToken_);
    if (!Gdk::Succeeded(result)) {
        changeToken_ = {};
        Log(LogLevel::Warning, "Failed to register user change event: {}", HResultText(result));
        return;
    }
    changeRegistered_ = true;
}

void XboxAuth::UnregisterUserChangeEvent(bool wait)
{
    if (!changeRegistered_) {
        return;
    }
    context_->Runtime().XUserUnregisterForChangeEvent(changeToken_, wait);
    changeToken_ = {};
    changeRegistered_ = false;
}

void XboxAuth::OnUserChange(void* context, Gdk::XUserLocalId, Gdk::XUserChangeEvent event)
{
    if (event != Gdk::XUserChangeEvent::SignedOut) {
        return;
    }
    try {
        static_cast<XboxAuth*>(context)->HandleSignOut();
    } catch (const std::exception& error) {
        Log(LogLevel::Error, "Exception in user change handler: {}", error.what());
    }
}

void XboxAuth::HandleSignOut()
{
    const std::string xuid = GetUserInfo().xuid;
    // The services objects let go of the user (the social manager by its handle) before it closes.
    context_->ResetServices();
    context_->SetUserHandle(nullptr);
    context_->SetStoreContext(nullptr);
    const json signedOut{{"status", 1}, {"xbox", {{"xuid", xuid}}}};
    context_->PostEvent(VYROCHANNEL_EVENT_LOGIN_STATUS, VYROCHANNEL_OK, MakeSuccessResponse(signedOut, ChannelType::Xbox, ""));
}

} // namespace Vyro
