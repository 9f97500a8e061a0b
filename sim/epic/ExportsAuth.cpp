// The auth interface: logins, the user's tokens and login status notifications.
#include <chrono>
#include <cstdio>
#include <string>
#include <utility>

#include "Calls.h"
#include "Completion.h"
#include "EosSim.h"
#include "LoginStatus.h"
#include "Releases.h"

using namespace Vyro::EosSim;
namespace Eos = Vyro::Eos;

namespace {

constexpr std::chrono::seconds kAccessTokenLifetime{7200};
constexpr std::chrono::seconds kRefreshTokenLifetime{28800};

ResultSequence TakeProgrammedLogin(Settings& settings)
{
    if (settings.loginResults.empty()) {
        return settings.loginDefault;
    }
    ResultSequence next = std::move(settings.loginResults.front());
    settings.loginResults.pop_front();
    return next;
}

// The results of an accepted attempt: its programmed entry, unless the credentials are turned down
// (which uses the entry up all the same, so that entries stay tied to attempts in call order).
ResultSequence LoginResults(Runtime& runtime, const Eos::AuthCredentials& credentials, nlohmann::json& entry)
{
    ResultSequence programmed = TakeProgrammedLogin(runtime.settings);
    if (IsEmpty(credentials.token)) {
        entry["credentialsRefused"] = "empty token";
        return {Results::kInvalidCredentials};
    }
    if (credentials.type == Eos::kCredentialRefreshToken && runtime.settings.refreshTokenCheck &&
        credentials.token != runtime.account.refreshToken) {
        entry["credentialsRefused"] = "not the account's current refresh token";
        return {Results::kInvalidRefreshToken};
    }
    return programmed;
}

Settle SettleLogin(void* clientData, Eos::OnLoginCallback* completion)
{
    return [=](SimState& state, Platform&, Eos::EResult result, nlohmann::json&) -> GameCall {
        Eos::EpicAccountId user = nullptr;
        if (result == Results::kSuccess) {
            SignIn(state.runtime);
            user = AccountHandle();
        } else if (IsComplete(state.runtime, result)) {
            QueueSdkLog(state.runtime, Eos::kLogWarning, "LogEOSAuth", std::string("Login failed: ") + ResultName(result));
        }
        return [=] {
            Eos::AuthLoginCallbackInfo info{};
            info.resultCode = result;
            info.clientData = clientData;
            info.localUserId = user;
            info.selectedAccountId = user;
            completion(&info);
        };
    };
}

// "2025-01-01T02:00:00.000Z": that long from now, in UTC.
std::string TimeFromNow(std::chrono::seconds after)
{
    using namespace std::chrono;
    const auto at = floor<milliseconds>(system_clock::now() + after);
    const auto day = floor<days>(at);
    const year_month_day date{day};
    const hh_mm_ss time{at - day};
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02d.%03dZ", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()), static_cast<int>(time.hours().count()),
                  static_cast<int>(time.minutes().count()), static_cast<int>(time.seconds().count()),
                  static_cast<int>(time.subseconds().count()));
    return text;
}

SimToken CurrentToken(const Runtime& runtime, const Platform& platform)
{
    const Account& account = runtime.account;
    SimToken token{runtime.productName,
                   platform.clientId,
                   account.accessToken,
                   static_cast<double>(kAccessTokenLifetime.count()),
                   TimeFromNow(kAccessTokenLifetime),
                   account.refreshToken,
                   static_cast<double>(kRefreshTokenLifetime.count()),
                   TimeFromNow(kRefreshTokenLifetime)};
    for (const auto& [name, text] : kTokenTexts) {
        if (runtime.settings.tokenNullTexts.contains(name)) {
            (token.*text).reset();
        }
    }
    return token;
}

Eos::EResult CopyToken(Call& call, Eos::HAuth auth, const Eos::CopyUserAuthTokenOptions* options,
                       Eos::EpicAccountId localUserId, Eos::AuthToken** outToken)
{
    if (!call.Admitted(Needs::Initialised)) {
        return Results::kNotConfigured;
    }
    const Platform* platform = call.Resolve(auth);
    if (platform == nullptr || !call.Accepts(options, Eos::kCopyUserAuthTokenApi) ||
        !call.KnownAccount(localUserId, "localUserId") || !call.Requires(outToken != nullptr, "null OutUserAuthToken")) {
        return Results::kInvalidParameters;
    }
    const Runtime& runtime = call.Rt();
    if (runtime.settings.copyTokenResult != Results::kSuccess) {
        return runtime.settings.copyTokenResult;
    }
    // A dropped sign-in keeps its tokens (the game's re-login needs its refresh token); only an
    // account never signed in since the last reset has none.
    if (runtime.account.refreshToken.empty()) {
        return Results::kNotFound;
    }
    *outToken = call.State().copies.Add(CurrentToken(runtime, *platform), "EOS_Auth_CopyUserAuthToken");
    call.Entry()["copy"] = *call.State().copies.NumberOf(*outToken);
    return Results::kSuccess;
}

} // namespace

extern "C" {

void EOS_Auth_Login(Eos::HAuth auth, const Eos::AuthLoginOptions* options, void* clientData, Eos::OnLoginCallback* completion)
{
    StartAsync("EOS_Auth_Login", auth, clientData, completion, SettleLogin(clientData, completion),
               [&](Call& call) -> std::optional<AsyncStart> {
                   if (!call.Accepts(options, Eos::kAuthLoginApi) ||
                       !call.AcceptsVersion(options->credentials == nullptr ? nullptr : &options->credentials->apiVersion,
                                            Eos::kAuthCredentialsApi, "credentials")) {
                       return std::nullopt;
                   }
                   return AsyncStart{LoginResults(call.Rt(), *options->credentials, call.Entry())};
               });
}

Eos::EResult EOS_Auth_CopyUserAuthToken(Eos::HAuth auth, const Eos::CopyUserAuthTokenOptions* options,
                                        Eos::EpicAccountId localUserId, Eos::AuthToken** outToken)
{
    if (outToken != nullptr) {
        *outToken = nullptr;
    }
    return JournalledCall("EOS_Auth_CopyUserAuthToken", {{"localUserId", DescribeAccountId(localUserId)}}, [&](Call& call) {
        return call.Returns(CopyToken(call, auth, options, localUserId, outToken));
    });
}

void EOS_Auth_Token_Release(Eos::AuthToken* token) { ReleaseCopy("EOS_Auth_Token_Release", token, CopyKind::AuthToken); }

Eos::NotificationId EOS_Auth_AddNotifyLoginStatusChanged(Eos::HAuth auth, const Eos::AddNotifyLoginStatusChangedOptions* options,
                                                         void* clientData, Eos::OnLoginStatusChangedCallback* notification)
{
    const nlohmann::json arguments{{"clientData", DescribeClientData(clientData)}, {"notification", DescribePointer(notification)}};
    return JournalledCall("EOS_Auth_AddNotifyLoginStatusChanged", arguments, [&](Call& call) {
        Platform* platform = call.Admitted(Needs::Initialised) ? call.Resolve(auth) : nullptr;
        if (platform == nullptr || !call.Accepts(options, Eos::kAddNotifyLoginStatusChangedApi) ||
            !call.Requires(notification != nullptr, "null notification handler")) {
            return call.Returns(Eos::kInvalidNotificationId);
        }
        const Eos::NotificationId id = ++call.Rt().lastNotificationId;
        platform->loginStatusHandlers.push_back({id, clientData, notification});
        return call.Returns(id);
    });
}

void EOS_Auth_RemoveNotifyLoginStatusChanged(Eos::HAuth auth, Eos::NotificationId id)
{
    JournalledCall("EOS_Auth_RemoveNotifyLoginStatusChanged", {{"id", id}}, [&](Call& call) {
        Platform* platform = call.Admitted(Needs::Initialised) ? call.Resolve(auth) : nullptr;
        if (platform != nullptr && call.Requires(platform->HasHandler(id), "unknown notification id")) {
            std::erase_if(platform->loginStatusHandlers, [&](const LoginStatusHandler& handler) { return handler.id == id; });
        }
    });
}

Eos::LoginStatus EOS_Auth_GetLoginStatus(Eos::HAuth auth, Eos::EpicAccountId localUserId)
{
    return JournalledCall("EOS_Auth_GetLoginStatus", {{"localUserId", DescribeAccountId(localUserId)}}, [&](Call& call) {
        const Platform* platform = call.Admitted(Needs::Initialised) ? call.Resolve(auth) : nullptr;
        const bool known = platform != nullptr && call.KnownAccount(localUserId, "localUserId");
        return call.Returns(known ? call.Rt().account.status : Eos::kNotLoggedIn);
    });
}

} // extern "C"
