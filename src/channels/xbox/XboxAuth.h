#pragma once

#include <functional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "channels/xbox/GameRuntimeApi.h"
#include "core/ChannelType.h"

namespace Vyro {

class IXboxContext;

// The signed-in user as Query "user" and the sign-in result report it.
struct XboxUserInfo {
    int status = 1;           // 0 when a user handle is held, 1 when not
    std::string xuid;         // decimal; "" when there is no user or the runtime cannot tell
    std::string gamertag;     // the classic gamertag; "" likewise
    bool isStoreUser = false;
};

// Signs the player in and keeps the channel's user and store context current. Every sign-in adds the
// default user silently: the player signs in through the Xbox app, never through a dialog of ours.
// A system sign-out becomes a login status event and resets the Xbox services objects.
class XboxAuth {
public:
    explicit XboxAuth(IXboxContext* context);
    ~XboxAuth();
    XboxAuth(const XboxAuth&) = delete;
    XboxAuth& operator=(const XboxAuth&) = delete;

    void Login(const std::string& params, ResultCallback cb);
    void AuthToken(const std::string& params, ResultCallback cb);
    // The sign-in Load starts; it answers no one.
    void LoginSilent();
    // One silent attempt to add the default user again; `continuation` learns whether a user and
    // store context are now held. Requests that ask while an attempt is under way wait for that one.
    void RefreshUser(std::function<void(bool ok)> continuation);

    XboxUserInfo GetUserInfo();
    // The Xbox services sandbox; "" when the runtime cannot tell (logged when `warn`).
    std::string SandboxId(bool warn);

    // Registers for user changes on the channel's task queue, once.
    void RegisterUserChangeEvent();
    // Unregisters, while the runtime and the queue still exist; with `wait`, a change being handled
    // on another thread is waited for. The next successful sign-in registers again.
    void UnregisterUserChangeEvent(bool wait);

private:
    static void OnUserChange(void* context, Gdk::XUserLocalId user, Gdk::XUserChangeEvent event);
    void HandleSignOut();
    void CompleteLogin(Gdk::XAsyncBlock* block, const std::string& requestId, ResultCallback cb);
    void CompleteRefresh(Gdk::XAsyncBlock* block);
    bool RefreshedUser(Gdk::XAsyncBlock* block);
    void CompleteAuthToken(Gdk::XAsyncBlock* block, const std::string& requestId, ResultCallback cb);
    nlohmann::json SignInResult();
    bool RuntimeReady();

    IXboxContext* context_;
    Gdk::XTaskQueueRegistrationToken changeToken_{};
    bool changeRegistered_ = false;
    // The continuations waiting for the re-sign-in under way; empty when none is.
    std::vector<std::function<void(bool ok)>> refreshWaiters_;
};

} // namespace Vyro
