#pragma once

#include <string>

#include "channels/epic/EosApi.h"
#include "core/ChannelType.h"

namespace Vyro {

class IEpicContext;

// Signs the player in to EOS and keeps the sign-in alive: the launcher login that Load starts, the
// refresh-token login of Login, the tokens of AuthToken, and the login status notification, whose
// changes reach the game as events and whose lost sign-in starts one re-login. Failed logins are
// retried at once, up to three times after the first attempt.
class EpicAuth {
public:
    explicit EpicAuth(IEpicContext* owner);
    ~EpicAuth();
    EpicAuth(const EpicAuth&) = delete;
    EpicAuth& operator=(const EpicAuth&) = delete;

    void SetCredentials(int type, std::string token);
    void RegisterLoginStatusNotification();
    void AutoLogin();
    void LauncherLogin(int retry);
    void Login(const char* params, ResultCallback cb);
    // A refresh-token login; `automatic` for the re-login a lost sign-in starts, which answers nobody.
    void RefreshLogin(std::string requestId, ResultCallback cb, int retry, bool automatic = false);
    void GetAuthToken(const char* params, ResultCallback cb);
    // Unload: the notification removed, the launcher credentials forgotten.
    void Reset();
    // Once the platform is gone EOS completes nothing more: the attempts still pending are freed, and
    // each Login still waiting is answered when `answer` is set.
    void AbandonPendingLogins(bool answer);

    // The login attempts EOS carries as client data.
    struct LauncherAttempt {
        EpicAuth* owner;
        int retry;
    };
    struct RefreshAttempt {
        EpicAuth* owner;
        ResultCallback cb;
        std::string requestId;
        int retry;
        bool automatic;
    };
    struct StatusListener {
        EpicAuth* owner;
    };

private:
    static void OnLauncherLogin(const Eos::AuthLoginCallbackInfo* info);
    static void OnRefreshLogin(const Eos::AuthLoginCallbackInfo* info);
    static void OnLoginStatusChanged(const Eos::LoginStatusChangedCallbackInfo* info);

    void StartLogin(int type, const std::string& token, void* clientData, Eos::OnLoginCallback* completion);
    void CompleteLauncherLogin(const Eos::AuthLoginCallbackInfo& info);
    void CompleteRefreshLogin(const Eos::AuthLoginCallbackInfo& info);
    void HandleLoginStatusChange(const Eos::LoginStatusChangedCallbackInfo& info);
    void FailRefresh(const std::string& requestId, ResultCallback cb, const std::string& message);
    void RemoveLoginStatusNotification();
    bool IsComplete(Eos::EResult result);
    // An automatic re-login is pending (a retry is pending again before its failure is answered).
    bool ReloginRunning() const;

    IEpicContext* owner_;
    int credentialType_ = Eos::kCredentialExchangeCode;
    std::string credentialToken_;
    Eos::NotificationId notificationId_ = Eos::kInvalidNotificationId;
    void* statusListener_ = nullptr; // the notification's client data while registered
};

} // namespace Vyro
