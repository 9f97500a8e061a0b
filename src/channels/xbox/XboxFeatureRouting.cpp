// The Xbox channel's operations served by its Xbox services feature objects: each makes its feature
// ready through the Ensure step (signing the default user in again silently when no user is held)
// and then runs the feature's method for the request.
#include <algorithm>
#include <cstring>
#include <type_traits>

#include <nlohmann/json.hpp>

#include "VyroChannel.h"
#include "channels/xbox/XboxChannelSDK.h"
#include "common/Logger.h"
#include "core/Envelope.h"
#include "core/RequestMembers.h"

namespace Vyro {

namespace {

using nlohmann::json;
using FeatureKind = XboxChannelSDK::FeatureKind;
using ActionSet = XboxChannelSDK::ActionSet;

constexpr FeatureKind kOnlineServices{"XboxOnlineServices", "EnsureOnlineServices: RefreshUser failed",
                                      "Failed to initialize online services."};
constexpr FeatureKind kSocial{"XboxSocial", "EnsureSocial: RefreshUser failed", "Failed to initialize social services."};
constexpr FeatureKind kAchievements{"XboxAchievements", "EnsureAchievements: RefreshUser failed",
                                    "Failed to initialize achievements."};
constexpr FeatureKind kStats{"XboxStats", "EnsureStats: RefreshUser failed", "Failed to initialize stats."};
constexpr FeatureKind kMultiplayer{"XboxMultiplayer", "EnsureMultiplayer: RefreshUser failed",
                                   "Failed to initialize multiplayer."};

const ActionSet kAchievementActions{{"get", "update"}, "Unknown achievements action: "};
const ActionSet kStatisticsActions{{"get", "update"}, "Unknown statistics action: "};
const ActionSet kActivityActions{{"set", "get", "delete"}, "Unknown activity action: "};
const ActionSet kInviteActions{{"show", "send"}, "Unknown invite action: "};

bool Accepts(const ActionSet& actions, const std::string& action)
{
    return std::any_of(actions.names.begin(), actions.names.end(), [&](const char* name) { return action == name; });
}

} // namespace

template <typename Feature>
bool XboxChannelSDK::CreateFeature(std::unique_ptr<Feature>& feature, const FeatureKind& kind)
{
    // The Xbox services library may have failed to start, or be cleaning up on the way out.
    if (!xblInitialized_) {
        Log(LogLevel::Error, "Cannot initialize {}: Xbox Live services not initialized", kind.className);
        feature.reset();
        return false;
    }
    if (!feature) {
        if constexpr (std::is_same_v<Feature, XboxServicesFeature>) {
            feature = std::make_unique<Feature>(this, kind.className);
        } else {
            feature = std::make_unique<Feature>(this);
        }
    }
    if (!feature->Initialize()) {
        feature.reset();
        return false;
    }
    return true;
}

template <typename Feature>
void XboxChannelSDK::Ensure(std::unique_ptr<Feature>& feature, const FeatureKind& kind, const std::string& requestId,
                            ResultCallback cb, std::function<void()> onReady)
{
    auto create = [this, &feature, &kind, requestId, cb, onReady = std::move(onReady)] {
        if (!CreateFeature(feature, kind)) {
            Answer(cb, VYROCHANNEL_FAILED, MakeErrorResponse(kind.initFailed, ChannelType::Xbox, requestId));
            return;
        }
        onReady();
    };
    if (user_ != nullptr) {
        create();
        return;
    }
    // Every object of a user that went was destroyed with it, so an object found when the re-sign-in
    // completes was made for the new user by an earlier request of this same wait: it is used, not
    // destroyed, which would lose a friend list it is still to answer.
    RefreshUser([&kind, requestId, cb, create = std::move(create)](bool ok) {
        if (!ok) {
            Log(LogLevel::Error, "{}", kind.refreshFailed);
            Answer(cb, VYROCHANNEL_NO_USER, MakeErrorResponse("User not signed in. Login first.", ChannelType::Xbox, requestId));
            return;
        }
        create();
    });
}

// What onReady needs is captured by value: after a re-sign-in it runs in a later Tick.
template <typename Feature>
void XboxChannelSDK::Route(std::unique_ptr<Feature>& feature, const FeatureKind& kind, const char* params,
                           ResultCallback cb, const ActionSet* actions, Serve serve)
{
    const json request = ParseParameters(params);
    std::string requestId = GetRequestId(request);
    std::string action = StringMember(request, "action").value_or("");
    std::string text = params == nullptr ? "" : params;
    Ensure(feature, kind, requestId, cb, [actions, action, requestId, cb, text, serve = std::move(serve)] {
        if (actions != nullptr && !Accepts(*actions, action)) {
            Answer(cb, VYROCHANNEL_FAILED, MakeErrorResponse(actions->unknownPrefix + action, ChannelType::Xbox, requestId));
            return;
        }
        serve(action, text);
    });
}

void XboxChannelSDK::CheckPrivilege(const char* params, ResultCallback cb)
{
    Route(onlineServices_, kOnlineServices, params, cb, nullptr, [this, cb](const std::string&, const std::string& request) {
        onlineServices_->CheckPrivilege(request, cb);
    });
}

void XboxChannelSDK::ResolvePrivilege(const char* params, ResultCallback cb)
{
    Route(onlineServices_, kOnlineServices, params, cb, nullptr, [this, cb](const std::string&, const std::string& request) {
        onlineServices_->ResolvePrivilege(request, cb);
    });
}

void XboxChannelSDK::CheckPermission(const char* params, ResultCallback cb)
{
    Route(onlineServices_, kOnlineServices, params, cb, nullptr, [this, cb](const std::string&, const std::string& request) {
        onlineServices_->CheckPermission(request, cb);
    });
}

void XboxChannelSDK::FriendList(const char* params, ResultCallback cb)
{
    Route(social_, kSocial, params, cb, nullptr, [this, cb](const std::string&, const std::string& request) {
        social_->FriendList(request, cb);
    });
}

void XboxChannelSDK::BlockList(const char* params, ResultCallback cb)
{
    Route(social_, kSocial, params, cb, nullptr, [this, cb](const std::string&, const std::string& request) {
        social_->BlockList(request, cb);
    });
}

void XboxChannelSDK::UserProfile(const char* params, ResultCallback cb)
{
    Route(social_, kSocial, params, cb, nullptr, [this, cb](const std::string&, const std::string& request) {
        social_->UserProfile(request, cb);
    });
}

void XboxChannelSDK::Achievements(const char* params, ResultCallback cb)
{
    Route(achievements_, kAchievements, params, cb, &kAchievementActions, [this, cb](const std::string& action, const std::string& request) {
        if (action == "get") {
            achievements_->GetAchievements(request, cb);
        } else {
            achievements_->UpdateAchievement(request, cb);
        }
    });
}

void XboxChannelSDK::Statistics(const char* params, ResultCallback cb)
{
    Route(stats_, kStats, params, cb, &kStatisticsActions, [this, cb](const std::string& action, const std::string& request) {
        if (action == "get") {
            stats_->GetStatistics(request, cb);
        } else {
            stats_->UpdateStatistics(request, cb);
        }
    });
}

void XboxChannelSDK::Leaderboard(const char* params, ResultCallback cb)
{
    Route(stats_, kStats, params, cb, nullptr, [this, cb](const std::string&, const std::string& request) {
        stats_->GetLeaderboard(request, cb);
    });
}

void XboxChannelSDK::Activity(const char* params, ResultCallback cb)
{
    Route(multiplayer_, kMultiplayer, params, cb, &kActivityActions, [this, cb](const std::string& action, const std::string& request) {
        if (action == "set") {
            multiplayer_->SetActivity(request, cb);
        } else if (action == "get") {
            multiplayer_->GetActivities(request, cb);
        } else {
            multiplayer_->DeleteActivity(request, cb);
        }
    });
}

void XboxChannelSDK::Invite(const char* params, ResultCallback cb)
{
    Route(multiplayer_, kMultiplayer, params, cb, &kInviteActions, [this, cb](const std::string& action, const std::string& request) {
        if (action == "show") {
            multiplayer_->ShowSessionInvite(request, cb);
        } else {
            multiplayer_->SendSessionInvite(request, cb);
        }
    });
}

void XboxChannelSDK::RecentPlayers(const char* params, ResultCallback cb)
{
    Route(multiplayer_, kMultiplayer, params, cb, nullptr, [this, cb](const std::string&, const std::string& request) {
        multiplayer_->UpdateRecentPlayers(request, cb);
    });
}

XboxSystemDialog& XboxChannelSDK::EnsureSystemDialog()
{
    if (!systemDialog_) {
        systemDialog_ = std::make_unique<XboxSystemDialog>(this);
    }
    return *systemDialog_;
}

void XboxChannelSDK::ShowErrorDialog(const char* params, ResultCallback cb)
{
    EnsureSystemDialog().ShowErrorDialog(params == nullptr ? "" : params, cb);
}

void XboxChannelSDK::ShowMessageDialog(const char* params, ResultCallback cb)
{
    EnsureSystemDialog().ShowMessageDialog(params == nullptr ? "" : params, cb);
}

void XboxChannelSDK::ShowProfileCard(const char* params, ResultCallback cb)
{
    EnsureSystemDialog().ShowProfileCard(params == nullptr ? "" : params, cb);
}

void XboxChannelSDK::ShowTextEntry(const char* params, ResultCallback cb)
{
    EnsureSystemDialog().ShowTextEntry(params == nullptr ? "" : params, cb);
}

} // namespace Vyro
