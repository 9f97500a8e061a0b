#pragma once

// The multiplayer activity records of the Xbox services C API as the library lays them out (64-bit).
// A query's activities are laid out in the caller's buffer: the records' texts point into it.
// The layout is that of every GDK from the first one with this C API (November 2020) to the October
// 2025 GDK.
#include <cstddef>
#include <cstdint>

namespace Vyro::Xbl {

enum class XblMultiplayerActivityJoinRestriction : std::uint32_t { Public = 0, InviteOnly = 1, Followed = 2 };

// The platform an activity runs on. The service fills it in when an activity is set.
enum class XblMultiplayerActivityPlatform : std::uint32_t {
    Unknown = 0,
    XboxOne = 1,
    WindowsOneCore = 2,
    Win32 = 3,
    Scarlett = 4,
    iOS = 20,
    Android = 30,
    Nintendo = 40,
    PlayStation = 50,
    All = 60,
};

enum class XblMultiplayerActivityEncounterType : std::uint32_t { Default = 0, Teammate = 1, Opponent = 2 };

// One player's activity. The player counts are pointer-sized; 0 means not given.
struct XblMultiplayerActivityInfo {
    std::uint64_t xuid;
    const char* connectionString;
    XblMultiplayerActivityJoinRestriction joinRestriction;
    std::size_t maxPlayers;
    std::size_t currentPlayers;
    const char* groupId;
    XblMultiplayerActivityPlatform platform;
};

struct XblMultiplayerActivityRecentPlayerUpdate {
    std::uint64_t xuid;
    XblMultiplayerActivityEncounterType encounterType;
};

static_assert(sizeof(XblMultiplayerActivityInfo) == 56 && offsetof(XblMultiplayerActivityInfo, connectionString) == 8 &&
              offsetof(XblMultiplayerActivityInfo, joinRestriction) == 16 && offsetof(XblMultiplayerActivityInfo, maxPlayers) == 24 &&
              offsetof(XblMultiplayerActivityInfo, currentPlayers) == 32 && offsetof(XblMultiplayerActivityInfo, groupId) == 40 &&
              offsetof(XblMultiplayerActivityInfo, platform) == 48);
static_assert(sizeof(XblMultiplayerActivityRecentPlayerUpdate) == 16 &&
              offsetof(XblMultiplayerActivityRecentPlayerUpdate, encounterType) == 8);

} // namespace Vyro::Xbl
