#pragma once

#include <mutex>
#include <string>

#include "VyroChannel.h"

#include "channels/xbox/XboxServicesFeature.h"

namespace Vyro {

// Multiplayer activity and game invites of the signed-in player. It turns every invite the player
// accepts (or starts the game from) into a game invite event, and remembers the connection string
// to join until the game asks for it.
class XboxMultiplayer : public XboxServicesFeature {
public:
    explicit XboxMultiplayer(IXboxContext* context);
    ~XboxMultiplayer() override;

    // Makes the Xbox services context and, the first time, registers the invite handler (a failed
    // registration is only logged).
    bool Initialize() override;
    // Registers the invite handler on the channel's task queue, once; false, logged, on failure.
    bool RegisterInviteHandler();
    bool InviteHandlerRegistered() const { return inviteHandlerRegistered_; }
    // Unregisters the invite handler, closes the Xbox services context and forgets the pending join.
    // Once it returns no handler call is inside this object; with `waitForHandler`, none is running
    // at all (the runtime is waited for), which must not be asked where the runtime would wait for
    // this very thread.
    void Stop(bool waitForHandler);

    bool HasPendingJoin() const;
    std::string GetPendingJoin() const;

    // Publishes the player's joinable game; its connection string is the pending join from the start.
    void SetActivity(const std::string& params, ResultCallback cb);
    // The activities of the players the request names.
    void GetActivities(const std::string& params, ResultCallback cb);
    void DeleteActivity(const std::string& params, ResultCallback cb);
    // The system dialog inviting friends to the player's activity; closing it is no failure.
    void ShowSessionInvite(const std::string& params, ResultCallback cb);
    void SendSessionInvite(const std::string& params, ResultCallback cb);
    // Records the players met; the answer does not wait for the upload it starts.
    void UpdateRecentPlayers(const std::string& params, ResultCallback cb);

    // Runs on whichever thread the runtime delivers the invite on.
    void HandleInvite(const std::string& inviteUri);

private:
    void SetPendingJoin(std::string connectionString);

    Gdk::XTaskQueueRegistrationToken inviteToken_{};
    bool inviteHandlerRegistered_ = false;
    void* inviteListener_ = nullptr;
    // Written by the invite handler too, on the runtime's thread.
    mutable std::mutex pendingJoinLock_;
    std::string pendingJoin_;
};

} // namespace Vyro
