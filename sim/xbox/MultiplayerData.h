#pragma once

// What the simulated multiplayer activity service and the send-invite dialog know: every player's
// activity, the invites sent, the recent players recorded and uploaded, and the programmed answers of
// their calls. "reset" empties it.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "SimSettings.h"
#include "Store.h"

namespace Vyro::XboxSim {

struct SimActivity {
    std::uint64_t xuid = 0;
    std::optional<std::string> connectionString; // none: hidden from the player asking
    std::optional<std::string> groupId;
    std::uint32_t joinRestriction = 0;
    std::uint64_t maxPlayers = 0;
    std::uint64_t currentPlayers = 0;
    std::uint32_t platform = 3; // Win32
    bool allowCrossPlatformJoin = true;
};

struct SimInviteSent {
    std::vector<std::uint64_t> xuids;
    bool allowCrossPlatformJoin = true;
    std::optional<std::string> connectionString;
};

struct SimRecentPlayer {
    std::uint64_t xuid = 0;
    std::uint32_t encounterType = 0;
};

// The programmed answers: each asynchronous call as a store call (start, outcomes, result function),
// each synchronous one by its HRESULT.
struct MultiplayerAnswers {
    HResult xuidResult = Results::kOk; // XblContextGetXboxUserId
    StoreCallSettings setActivity;
    StoreCallSettings getActivity; // its result function is ...GetActivityResultSize
    HResult getActivityResultResult = Results::kOk;
    StoreCallSettings deleteActivity;
    StoreCallSettings sendInvites;
    HResult updateRecentPlayersResult = Results::kOk;
    StoreCallSettings flushRecentPlayers;
    StoreCallSettings inviteDialog; // outcome S_OK: invites sent; E_ABORT: the player closed it
};

struct MultiplayerData {
    // By player.
    std::map<std::uint64_t, SimActivity> activities;
    std::vector<SimInviteSent> invitesSent;
    std::vector<SimRecentPlayer> pendingRecentPlayers; // recorded, not uploaded yet
    std::vector<SimRecentPlayer> recentPlayers;        // uploaded by a flush
    std::uint32_t flushes = 0;
    std::uint32_t dialogsShown = 0;
    MultiplayerAnswers answers;
};

} // namespace Vyro::XboxSim
