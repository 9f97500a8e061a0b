#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "VyroChannel.h"
#include "channels/xbox/XboxServicesFeature.h"

namespace Vyro {

// The signed-in player's friends, block list and profiles. Friends come from the social manager,
// which keeps a live graph of them: the channel pumps it every Tick through ProcessEvents, which
// turns graph changes into social events for the game and answers a waiting friend list once the
// friend group has loaded. Asynchronous completions reach the channel only, never this object: a
// sign-out may destroy it while a call is in flight.
class XboxSocial : public XboxServicesFeature {
public:
    explicit XboxSocial(IXboxContext* context);
    // Forgets waiting friend lists unanswered (the channel aborts them first where they may still be
    // answered) and takes the player out of the social manager.
    ~XboxSocial() override;

    // Makes the Xbox services context, adds the player to the social manager and asks for the group
    // of all friends (a group that cannot be made is only logged).
    bool Initialize() override;

    // {} -> {"friends": [...]}, answered in a later Tick once the friend group has loaded. Requests
    // that wait together are answered together, in the order they came, from the same list.
    void FriendList(const std::string& params, ResultCallback cb);
    // {} -> {"xbox": {"blockList": [{"userId", "displayName"}]}}; gamertags missing when the profiles
    // cannot be read.
    void BlockList(const std::string& params, ResultCallback cb);
    // {"xuid": "<decimal>"} (the player's own when absent) -> {"profile": {...}}.
    void UserProfile(const std::string& params, ResultCallback cb);

    // One pump of the social manager, run every Tick: posts the graph's changes as social events and
    // answers the waiting friend lists when the group is loaded.
    void ProcessEvents();
    // Answers the waiting friend lists -1 with E_ABORT: their group goes with this object (sign-out,
    // Unload), and a game waiting for an answer would otherwise wait forever.
    void AbortFriendList();

private:
    struct PendingRequest {
        ResultCallback cb;
        std::string requestId;
    };

    void AnswerFriendLists();
    void Cleanup();

    std::uint64_t ownXuid_ = 0;
    // The user handle added to the social manager; null while none is.
    Gdk::XUserHandle localUser_ = nullptr;
    Xbl::XblSocialManagerUserGroupHandle friendGroup_ = nullptr;
    std::vector<PendingRequest> pendingFriendLists_;
    bool groupLoaded_ = false;
    // The Xbox services context as block list calls in flight see it: gone once this object is
    // cleaned up, so that a later step does not start on a closed context.
    std::shared_ptr<const Xbl::XblContextHandle> liveContext_;
};

} // namespace Vyro
