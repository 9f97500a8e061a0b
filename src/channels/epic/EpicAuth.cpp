#include "channels/epic/EpicAuth.h"

#include <nlohmann/json.hpp>

#include "VyroChannel.h"
#include "channels/epic/EosCompletionGuard.h"
#include "channels/epic/EosText.h"
#include "channels/epic/IEpicContext.h"
#include "core/PendingCalls.h"
#include "common/Logger.h"
#include "core/BaseChannelSDK.h"
#include "core/Envelope.h"

namespace Vyro {

namespace {

using nlohmann::json;

constexpr int kMaxRetries = 3;
constexpr char kNoPlatform[] = "EOS platform not loaded";
constexpr char kAbandoned[] = "EOS platform released before the login completed";

using LauncherCalls = PendingCalls<EpicAuth::LauncherAttempt>;
using RefreshCalls = PendingCalls<EpicAuth::RefreshAttempt>;
using StatusListeners = PendingCalls<EpicAuth::StatusListener>;

// Runs the completion of the login attempt a callback names, if it is still pending.
template <typename Attempt>
void DispatchLogin(const char* callback, const Eos::AuthLoginCallbackInfo* info,
                   void (EpicAuth::*complete)(const Eos::AuthLoginCallbackInfo&))
{
    if (info == nullptr) {
        return;
    }
    GuardEosCallback(callback, [&] {
        if (const Attempt* attempt = PendingCalls<Attempt>::Find(info->clientData)) {
            (attempt->owner->*complete)(*info);
        }
    });
}

LoginResult FailedVerdict(std::string message, int eosResult, std::string eosResultName)
{
    return {false, VYROCHANNEL_FAILED, "", std::move(message), eosResult, std::move(eosResultName)};
}

} // namespace

EpicAuth::EpicAuth(IEpicContext* owner) : owner_(owner) {}

EpicAuth::~EpicAuth()
{
    RemoveLoginStatusNotification();
    AbandonPendingLogins(false);
}

void EpicAuth::SetCredentials(int type, std::string token)
{
    credentialType_ = type;
    credentialToken_ = std::move(token);
}

bool EpicAuth::ReloginRunning() const
{
    return RefreshCalls::AnyOf(this, [](const RefreshAttempt& attempt) { return attempt.automatic; });
}

bool EpicAuth::IsComplete(Eos::EResult result) { return owner_->Api().resultIsOperationComplete(result) != Eos::kFalse; }

void EpicAuth::StartLogin(int type, const std::string& token, void* clientData, Eos::OnLoginCallback* completion)
{
    const Eos::EosApi& api = owner_->Api();
    const Eos::AuthCredentials credentials{Eos::kAuthCredentialsApi, nullptr, token.c_str(), type, nullptr, 0};
    const Eos::AuthLoginOptions options{Eos::kAuthLoginApi, &credentials, Eos::kScopeBasicProfile, 0};
    api.authLogin(api.platformGetAuthInterface(owner_->GetPlatform()), &options, clientData, completion);
}

void EpicAuth::AutoLogin() { LauncherLogin(0); }

void EpicAuth::LauncherLogin(int retry)
{
    if (owner_->GetPlatform() == nullptr) {
        owner_->OnLoginResult(FailedVerdict(kNoPlatform, 0, ""));
        return;
    }
    StartLogin(credentialType_, credentialToken_, LauncherCalls::Add({this, retry}), &OnLauncherLogin);
}

void EpicAuth::OnLauncherLogin(const Eos::AuthLoginCallbackInfo* info)
{
    DispatchLogin<LauncherAttempt>("OnLauncherLogin", info, &EpicAuth::CompleteLauncherLogin);
}

void EpicAuth::CompleteLauncherLogin(const Eos::AuthLoginCallbackInfo& info)
{
    if (!IsComplete(info.resultCode)) {
        return; // EOS calls again with the same client data
    }
    const int retry = LauncherCalls::Take(info.clientData)->retry;
    const Eos::EosApi& api = owner_->Api();
    if (info.resultCode == Eos::kSuccess) {
        owner_->SetAccountId(info.localUserId);
        owner_->OnLoginResult({true, 0, Eos::AccountIdToString(api, info.localUserId), "", 0, ""});
        return;
    }
    const std::string result = Eos::ResultName(api, info.resultCode);
    if (retry < kMaxRetries) {
        Log(LogLevel::Warning, "[EpicAuth] LauncherLogin failed ({}), retry {}/{}", result, retry + 1, kMaxRetries);
        LauncherLogin(retry + 1);
        return;
    }
    Log(LogLevel::Error, "[EpicAuth] LauncherLogin failed: {} (after {} retries)", result, retry);
    owner_->OnLoginResult(FailedVerdict("Login failed: " + result, info.resultCode, result));
}

void EpicAuth::Login(const char* params, ResultCallback cb) { RefreshLogin(GetRequestId(ParseParameters(params)), cb, 0); }

void EpicAuth::FailRefresh(const std::string& requestId, ResultCallback cb, const std::string& message)
{
    if (cb == nullptr) {
        Log(LogLevel::Error, "[EpicAuth] Login: {}", message);
        return;
    }
    BaseChannelSDK::Answer(cb, VYROCHANNEL_FAILED, MakeErrorResponse(message, ChannelType::Epic, requestId));
}

void EpicAuth::RefreshLogin(std::string requestId, ResultCallback cb, int retry, bool automatic)
{
    if (owner_->GetPlatform() == nullptr) {
        FailRefresh(requestId, cb, kNoPlatform);
        return;
    }
    std::string accountId;
    std::string accessToken;
    std::string refreshToken;
    if (!owner_->CopyUserAuthToken(accountId, accessToken, refreshToken) || refreshToken.empty()) {
        FailRefresh(requestId, cb, "No refresh token available");
        return;
    }
    StartLogin(Eos::kCredentialRefreshToken, refreshToken, RefreshCalls::Add({this, cb, std::move(requestId), retry, automatic}),
               &OnRefreshLogin);
}

void EpicAuth::OnRefreshLogin(const Eos::AuthLoginCallbackInfo* info)
{
    DispatchLogin<RefreshAttempt>("OnRefreshLogin", info, &EpicAuth::CompleteRefreshLogin);
}

void EpicAuth::CompleteRefreshLogin(const Eos::AuthLoginCallbackInfo& info)
{
    if (!IsComplete(info.resultCode)) {
        return;
    }
    RefreshAttempt attempt = *RefreshCalls::Take(info.clientData);
    const Eos::EosApi& api = owner_->Api();
    if (info.resultCode == Eos::kSuccess) {
        owner_->SetAccountId(info.localUserId);
        const json result{{"authenticated", true}, {"epic", {{"accountId", Eos::AccountIdToString(api, info.localUserId)}}}};
        BaseChannelSDK::Answer(attempt.cb, VYROCHANNEL_OK, MakeSuccessResponse(result, ChannelType::Epic, attempt.requestId));
        return;
    }
    const std::string result = Eos::ResultName(api, info.resultCode);
    if (attempt.retry < kMaxRetries) {
        Log(LogLevel::Warning, "[EpicAuth] Login failed ({}), retry {}/{}", result, attempt.retry + 1, kMaxRetries);
        RefreshLogin(std::move(attempt.requestId), attempt.cb, attempt.retry + 1, attempt.automatic);
        return;
    }
    Log(LogLevel::Error, "[EpicAuth] Login failed: {} (after {} retries)", result, attempt.retry);
    BaseChannelSDK::Answer(attempt.cb, VYROCHANNEL_FAILED,
                           MakeErrorResponse("Login failed: " + result, ChannelType::Epic, attempt.requestId, info.resultCode));
}

void EpicAuth::GetAuthToken(const char* params, ResultCallback cb)
{
    const std::string requestId = GetRequestId(ParseParameters(params));
    std::string accountId;
    std::string accessToken;
    std::string refreshToken;
    if (!owner_->CopyUserAuthToken(accountId, accessToken, refreshToken)) {
        BaseChannelSDK::Answer(cb, VYROCHANNEL_FAILED, MakeErrorResponse("Failed to copy auth token", ChannelType::Epic, requestId));
        return;
    }
    const json result{{"token", accessToken}, {"epic", {{"accountId", accountId}, {"refreshToken", refreshToken}}}};
    BaseChannelSDK::Answer(cb, VYROCHANNEL_OK, MakeSuccessResponse(result, ChannelType::Epic, requestId));
}

void EpicAuth::RegisterLoginStatusNotification()
{
    if (notificationId_ != Eos::kInvalidNotificationId) {
        return;
    }
    const Eos::EosApi& api = owner_->Api();
    const Eos::AddNotifyLoginStatusChangedOptions options{Eos::kAddNotifyLoginStatusChangedApi};
    statusListener_ = StatusListeners::Add({this});
    notificationId_ = api.authAddNotifyLoginStatusChanged(api.platformGetAuthInterface(owner_->GetPlatform()), &options,
                                                          statusListener_, &OnLoginStatusChanged);
    if (notificationId_ == Eos::kInvalidNotificationId) {
        StatusListeners::Take(statusListener_);
        statusListener_ = nullptr;
    }
}

void EpicAuth::OnLoginStatusChanged(const Eos::LoginStatusChangedCallbackInfo* info)
{
    if (info == nullptr) {
        return;
    }
    GuardEosCallback("OnLoginStatusChanged", [info] {
        if (const StatusListener* listener = StatusListeners::Find(info->clientData)) {
            listener->owner->HandleLoginStatusChange(*info);
        }
    });
}

void EpicAuth::HandleLoginStatusChange(const Eos::LoginStatusChangedCallbackInfo& info)
{
    if (info.prevStatus == Eos::kLoggedIn && info.currentStatus != Eos::kLoggedIn) {
        if (ReloginRunning()) {
            Log(LogLevel::Warning, "[EpicAuth] Login status dropped, auto-relogin already running");
        } else {
            // Never the launcher's exchange code: it is single-use and has expired by now.
            Log(LogLevel::Warning, "[EpicAuth] Login status dropped, attempting auto-relogin");
            RefreshLogin("", nullptr, 0, true);
        }
    }
    const json event{{"channel", ChannelName(ChannelType::Epic)},
                     {"status", info.currentStatus != Eos::kLoggedIn ? 1 : 0},
                     {"epic", {{"prevStatus", info.prevStatus}, {"currentStatus", info.currentStatus}}}};
    owner_->PostEvent(VYROCHANNEL_EVENT_LOGIN_STATUS, VYROCHANNEL_OK, SerializeReply(event));
}

void EpicAuth::RemoveLoginStatusNotification()
{
    if (notificationId_ == Eos::kInvalidNotificationId) {
        return;
    }
    if (const Eos::HPlatform platform = owner_->GetPlatform()) {
        const Eos::EosApi& api = owner_->Api();
        api.authRemoveNotifyLoginStatusChanged(api.platformGetAuthInterface(platform), notificationId_);
    }
    notificationId_ = Eos::kInvalidNotificationId;
    StatusListeners::Take(statusListener_);
    statusListener_ = nullptr;
}

void EpicAuth::Reset()
{
    RemoveLoginStatusNotification();
    credentialType_ = Eos::kCredentialExchangeCode;
    credentialToken_.clear();
}

void EpicAuth::AbandonPendingLogins(bool answer)
{
    LauncherCalls::TakeAllOf(this);
    for (RefreshAttempt& attempt : RefreshCalls::TakeAllOf(this)) {
        if (answer) {
            BaseChannelSDK::Answer(attempt.cb, VYROCHANNEL_FAILED,
                                   MakeErrorResponse(kAbandoned, ChannelType::Epic, attempt.requestId));
        }
    }
}

} // namespace Vyro
