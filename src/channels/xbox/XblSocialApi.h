#pragma once

// The social manager records of the Xbox services C API as the library lays them out (64-bit), in the
// layout of the October 2024 GDK (Xbox services 2024.10) and every later one, up to the October 2025
// GDK: that release put `isFriend` after `isFavorite`, one byte before the texts, which moved every
// text of the user record on by one. Older thunks libraries are refused at Load (XboxServicesVersion).
// Texts are fixed UTF-8 fields (three bytes per character the service allows). The events and users
// the manager hands out live in its own memory and are valid only until the next
// XblSocialManagerDoWork.
#include <cstddef>
#include <cstdint>
#include <ctime>

#include "channels/xbox/GameRuntimeApi.h"
#include "channels/xbox/XblStatsApi.h"

namespace Vyro::Xbl {

inline constexpr std::size_t kColorCharSize = 7 * 3;
inline constexpr std::size_t kDisplayNameCharSize = 30 * 3;
inline constexpr std::size_t kDisplayPicUrlRawCharSize = 225 * 3;
inline constexpr std::size_t kGamerscoreCharSize = 16 * 3;
inline constexpr std::size_t kRealNameCharSize = 255 * 3;
inline constexpr std::size_t kRichPresenceCharSize = 100 * 3;
inline constexpr std::size_t kTitleNameCharSize = 100 * 3;
inline constexpr std::size_t kLastTimePlayedCharSize = 25 * 3;
inline constexpr std::size_t kPresenceRecordCount = 6;
inline constexpr std::size_t kMaxAffectedUsersPerEvent = 10;

enum class XblPresenceUserState : std::uint32_t { Unknown = 0, Online = 1, Away = 2, Offline = 3 };
enum class XblPresenceDeviceType : std::uint32_t {
    Unknown = 0, WindowsPhone = 1, WindowsPhone7 = 2, Web = 3, Xbox360 = 4, PC = 5, Windows8 = 6, XboxOne = 7,
    WindowsOneCore = 8, WindowsOneCoreMobile = 9, iOS = 10, Android = 11, AppleTV = 12, Nintendo = 13,
    PlayStation = 14, Win32 = 15, Scarlett = 16
};
// Flags: what the manager reads about each user beyond profile and presence.
enum class XblSocialManagerExtraDetailLevel : std::uint32_t { NoExtraDetail = 0, TitleHistoryLevel = 1, PreferredColorLevel = 2 };
enum class XblPresenceFilter : std::uint32_t {
    Unknown = 0, TitleOnline = 1, TitleOffline = 2, TitleOnlineOutsideTitle = 3, AllOnline = 4, AllOffline = 5, AllTitle = 6, All = 7
};
enum class XblRelationshipFilter : std::uint32_t { Unknown = 0, Friends = 1, Favorite = 2 };
enum class XblSocialManagerEventType : std::uint32_t {
    UsersAddedToSocialGraph = 0,
    UsersRemovedFromSocialGraph = 1,
    PresenceChanged = 2,
    ProfilesChanged = 3,
    SocialRelationshipsChanged = 4,
    LocalUserAdded = 5,
    SocialUserGroupLoaded = 6,
    SocialUserGroupUpdated = 7,
    UnknownEvent = 8
};

inline constexpr XblSocialManagerExtraDetailLevel operator|(XblSocialManagerExtraDetailLevel a, XblSocialManagerExtraDetailLevel b)
{
    return static_cast<XblSocialManagerExtraDetailLevel>(static_cast<std::uint32_t>(a) | static_cast<std::uint32_t>(b));
}

struct XblTitleHistory {
    bool hasUserPlayed;
    std::time_t lastTimeUserPlayed;
    char lastTimeUserPlayedText[kLastTimePlayedCharSize];
};

struct XblPreferredColor {
    char primaryColor[kColorCharSize];
    char secondaryColor[kColorCharSize];
    char tertiaryColor[kColorCharSize];
};

struct XblSocialManagerPresenceTitleRecord {
    std::uint32_t titleId;
    char titleName[kTitleNameCharSize];
    bool isTitleActive;
    char presenceText[kRichPresenceCharSize];
    bool isBroadcasting;
    XblPresenceDeviceType deviceType;
    bool isPrimary;
};

struct XblSocialManagerPresenceRecord {
    XblPresenceUserState userState;
    XblSocialManagerPresenceTitleRecord presenceTitleRecords[kPresenceRecordCount];
    std::uint32_t presenceTitleRecordCount;
};

struct XblSocialManagerUser {
    std::uint64_t xboxUserId;
    bool isFavorite;
    // Following each other; the two following flags after it now only repeat it.
    bool isFriend;
    bool isFollowingUser;
    bool isFollowedByCaller;
    char displayName[kDisplayNameCharSize];
    char realName[kRealNameCharSize];
    char displayPicUrlRaw[kDisplayPicUrlRawCharSize];
    bool useAvatar;
    char gamerscore[kGamerscoreCharSize];
    char gamertag[kGamertagCharSize];
    char modernGamertag[kModernGamertagCharSize];
    char modernGamertagSuffix[kModernGamertagSuffixCharSize];
    char uniqueModernGamertag[kUniqueModernGamertagCharSize];
    XblSocialManagerPresenceRecord presenceRecord;
    XblTitleHistory titleHistory;
    XblPreferredColor preferredColor;
};

using XblSocialManagerUserGroupHandle = struct XblSocialManagerUserGroup*;
// The users of a group: an array of pointers the manager owns.
using XblSocialManagerUserPtrArray = const XblSocialManagerUser* const*;

struct XblSocialManagerEvent {
    Gdk::XUserHandle user;
    XblSocialManagerEventType eventType;
    Gdk::HResult hr;
    XblSocialManagerUserGroupHandle groupAffected;
    XblSocialManagerUser* usersAffected[kMaxAffectedUsersPerEvent];
};

static_assert(sizeof(XblTitleHistory) == 96 && offsetof(XblTitleHistory, lastTimeUserPlayedText) == 16);
static_assert(sizeof(XblPreferredColor) == 63);
static_assert(sizeof(XblSocialManagerPresenceTitleRecord) == 616 && offsetof(XblSocialManagerPresenceTitleRecord, isTitleActive) == 304 &&
              offsetof(XblSocialManagerPresenceTitleRecord, deviceType) == 608 &&
              offsetof(XblSocialManagerPresenceTitleRecord, isPrimary) == 612);
static_assert(sizeof(XblSocialManagerPresenceRecord) == 3704 &&
              offsetof(XblSocialManagerPresenceRecord, presenceTitleRecordCount) == 3700);
static_assert(sizeof(XblSocialManagerUser) == 5720 && offsetof(XblSocialManagerUser, isFriend) == 9 &&
              offsetof(XblSocialManagerUser, displayName) == 12 && offsetof(XblSocialManagerUser, useAvatar) == 1542 &&
              offsetof(XblSocialManagerUser, gamertag) == 1591 && offsetof(XblSocialManagerUser, uniqueModernGamertag) == 1751 &&
              offsetof(XblSocialManagerUser, presenceRecord) == 1852 && offsetof(XblSocialManagerUser, titleHistory) == 5560 &&
              offsetof(XblSocialManagerUser, preferredColor) == 5656);
static_assert(sizeof(XblSocialManagerEvent) == 104 && offsetof(XblSocialManagerEvent, hr) == 12 &&
              offsetof(XblSocialManagerEvent, usersAffected) == 24);

} // namespace Vyro::Xbl
