#pragma once

// The Xbox services' batch permission check: which of the player's permissions towards other users
// (by xuid, or anonymous users by type) privacy settings, privileges and block lists allow. The
// numbers of every enumeration are passed through unchanged. The records and numbers are those of every
// GDK from the first one with this C API (November 2020) to the October 2025 GDK.
#include <cstddef>
#include <cstdint>

namespace Vyro::Xbl {

enum class XblPermission : std::uint32_t {}; // 1000 communicate using text, 1004 view profile, 1014 play multiplayer, …
enum class XblAnonymousUserType : std::uint32_t { Unknown = 0, CrossNetworkUser = 1, CrossNetworkFriend = 2 };

enum class XblPermissionDenyReason : std::uint32_t {
    Unknown = 0,
    NotAllowed = 2,
    MissingPrivilege = 3,
    PrivilegeRestrictsTarget = 4,
    BlockListRestrictsTarget = 5,
    MuteListRestrictsTarget = 7,
    PrivacySettingRestrictsTarget = 9,
    CrossNetworkUserMustBeFriend = 12,
};

enum class XblPrivilege : std::uint32_t {};     // the user privilege numbers of the runtime
enum class XblPrivacySetting : std::uint32_t {}; // 0 unknown, 1 share friend list, …

// Why one permission is denied: the reason, and the privilege or privacy setting behind it.
struct XblPermissionDenyReasonDetails {
    XblPermissionDenyReason reason;
    XblPrivilege restrictedPrivilege;
    XblPrivacySetting restrictedPrivacySetting;
};

// One permission towards one target, laid out in the caller's result buffer with its reasons.
struct XblPermissionCheckResult {
    bool isAllowed;
    std::uint64_t targetXuid;
    XblAnonymousUserType targetUserType;
    XblPermission permissionRequested;
    XblPermissionDenyReasonDetails* reasons;
    std::size_t reasonsCount;
};

static_assert(sizeof(XblPermissionDenyReasonDetails) == 12 && offsetof(XblPermissionDenyReasonDetails, restrictedPrivacySetting) == 8);
static_assert(sizeof(XblPermissionCheckResult) == 40 && offsetof(XblPermissionCheckResult, targetXuid) == 8 &&
              offsetof(XblPermissionCheckResult, targetUserType) == 16 && offsetof(XblPermissionCheckResult, permissionRequested) == 20 &&
              offsetof(XblPermissionCheckResult, reasons) == 24 && offsetof(XblPermissionCheckResult, reasonsCount) == 32);

} // namespace Vyro::Xbl
