#pragma once

// What the simulated runtime and Xbox services know about the player's privileges and permissions,
// and how the system dialogs answer. "reset" restores the defaults below: every privilege granted,
// every permission allowed, every dialog closed by the player's first choice.
#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "SimSettings.h"
#include "Store.h"

namespace Vyro::XboxSim {

// A privilege the account lacks, and whether the resolve dialog lets the player gain it.
struct SimPrivilege {
    bool granted = true;
    std::uint32_t denyReason = 0; // none; 1 purchase required, 2 restricted, 3 banned
    bool resolvable = false;
};

struct SimDenyReason {
    std::uint32_t reason = 2; // not allowed
    std::uint32_t privilege = 0;
    std::uint32_t privacySetting = 0;
};

// Which checks a rule answers: a target xuid or an anonymous user type, and a permission; a member
// left out matches any. The first matching rule answers a check; none: allowed.
struct SimPermissionRule {
    std::optional<std::uint64_t> xuid;
    std::optional<std::uint32_t> anonymous;
    std::optional<std::uint32_t> permission;
    bool allowed = false;
    std::vector<SimDenyReason> reasons;
};

struct PrivacySettings {
    std::map<std::uint32_t, SimPrivilege> privileges; // by privilege number; absent: granted
    HResult checkResult = Results::kOk;
    StoreCallSettings resolve;
    std::vector<SimPermissionRule> rules;
    HResult permissionStart = Results::kOk;
    OutcomeList permission;
    HResult permissionResultSize = Results::kOk;
    HResult permissionResult = Results::kOk;
};

// How the dialogs answer. A dialog that completes with E_ABORT was closed by the player; while
// `holdOpen` is set, new dialogs stay open until "releaseWork" (or the queue ends, which closes them).
struct DialogSettings {
    bool holdOpen = false;
    StoreCallSettings errorDialog;
    StoreCallSettings messageDialog;
    std::deque<std::uint32_t> buttons; // the buttons the player presses; then the default button
    StoreCallSettings profileCard;
    StoreCallSettings textEntry;       // its result function is the size call
    HResult textEntryResultResult = Results::kOk;
    std::deque<std::string> texts; // what the player enters; then the default text
};

struct OnlineData {
    PrivacySettings privacy;
    DialogSettings dialogs;
};

} // namespace Vyro::XboxSim
