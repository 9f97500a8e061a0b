#include "channels/xbox/XboxSocial.h"

#include <map>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

#include "channels/xbox/HResultText.h"
#include "channels/xbox/IXboxContext.h"
#include "channels/xbox/XboxServiceAnswers.h"
#include "channels/xbox/XuidText.h"
#include "common/Logger.h"
#include "core/BaseChannelSDK.h"
#include "core/Envelope.h"
#include "core/RequestMembers.h"

namespace Vyro {

namespace {

using nlohmann::json;
using Gdk::HResult;
using Xbl::XblSocialManagerEventType;
using XuidList = std::shared_ptr<std::vector<std::uint64_t>>;
using LiveContext = std::weak_ptr<const Xbl::XblContextHandle>;

// The social events the game hears of, by the name it hears; others are not passed on.
const char* EventName(XblSocialManagerEventType type)
{
    switch (type) {
    case XblSocialManagerEventType::UsersAddedToSocialGraph:
        return "UsersAddedToSocialGraph";
    case XblSocialManagerEventType::UsersRemovedFromSocialGraph:
        return "UsersRemovedFromSocialGraph";
    case XblSocialManagerEventType::SocialRelationshipsChanged:
        return "SocialRelationshipsChanged";
    default:
        return nullptr;
    }
}

// 1 online, 2 away, 3 offline, 0 for anything else.
int PresenceCode(Xbl::XblPresenceUserState state)
{
    switch (state) {
    case Xbl::XblPresenceUserState::Online:
    case Xbl::XblPresenceUserState::Away:
    case Xbl::XblPresenceUserState::Offline:
        return static_cast<int>(state);
    default:
        return 0;
    }
}

json FriendObject(const Xbl::XblSocialManagerUser& user)
{
    const int presence = PresenceCode(user.presenceRecord.userState);
    return json{{"userId", std::to_string(user.xboxUserId)},
                {"displayName", FieldText(user.gamertag)},
                {"status", presence},
                {"xbox", {{"presenceState", presence}}}};
}

json ProfileObject(const Xbl::XblUserProfile& profile)
{
    return json{{"userId", std::to_string(profile.xboxUserId)},
                {"displayName", FieldText(profile.gamertag)},
                {"xbox",
                 {{"gamertag", FieldText(profile.gamertag)},
                  {"gamerscore", FieldText(profile.gamerscore)},
                  {"appDisplayName", FieldText(profile.appDisplayName)},
                  {"appDisplayPictureResizeUri", FieldText(profile.appDisplayPictureResizeUri)},
                  {"gameDisplayName", FieldText(profile.gameDisplayName)},
                  {"gameDisplayPictureResizeUri", FieldText(profile.gameDisplayPictureResizeUri)}}}};
}

// One entry per avoided xuid, in the avoid list's order; "" for a player without a known gamertag.
json BlockListAnswer(const std::vector<std::uint64_t>& xuids, const std::map<std::uint64_t, std::string>& gamertags)
{
    json entries = json::array();
    for (const std::uint64_t xuid : xuids) {
        const auto found = gamertags.find(xuid);
        entries.push_back({{"userId", std::to_string(xuid)}, {"displayName", found == gamertags.end() ? "" : found->second}});
    }
    return json{{"xbox", {{"blockList", std::move(entries)}}}};
}

void CompleteProfiles(IXboxContext& context, Gdk::XAsyncBlock* block, ResultCallback cb, const std::string& requestId,
                      const XuidList& xuids)
{
    const Xbl::XblApi& services = context.Services();
    std::map<std::uint64_t, std::string> gamertags;
    std::size_t count = 0;
    if (Gdk::Succeeded(services.XblProfileGetUserProfilesResultCount(block, &count)) && count > 0) {
        std::vector<Xbl::XblUserProfile> profiles(count);
        if (Gdk::Succeeded(services.XblProfileGetUserProfilesResult(block, count, profiles.data()))) {
            for (const Xbl::XblUserProfile& profile : profiles) {
                gamertags[profile.xboxUserId] = FieldText(profile.gamertag);
            }
        }
    }
    AnswerSuccess(cb, requestId, BlockListAnswer(*xuids, gamertags));
}

// The gamertags of the avoided players; without them (the social object gone, or the lookup not
// started) the block list is answered at once with the xuids alone.
void StartProfiles(IXboxContext& context, ResultCallback cb, const std::string& requestId, const LiveContext& live,
                   const XuidList& xuids)
{
    const std::shared_ptr<const Xbl::XblContextHandle> servicesContext = live.lock();
    const HResult started =
        servicesContext == nullptr
            ? Gdk::kAbort
            : AsyncCall::Start(
                  context.GetTaskQueue(),
                  [&context, cb, requestId, xuids](Gdk::XAsyncBlock* block) { CompleteProfiles(context, block, cb, requestId, xuids); },
                  [&](Gdk::XAsyncBlock* block) {
                      return context.Services().XblProfileGetUserProfilesAsync(*servicesContext, xuids->data(), xuids->size(), block);
                  });
    if (!Gdk::Succeeded(started)) {
        Log(LogLevel::Warning, "XblProfileGetUserProfilesAsync failed: {}, returning XUIDs without gamertags", HResultText(started));
        AnswerSuccess(cb, requestId, BlockListAnswer(*xuids, {}));
    }
}

void CompleteAvoidList(IXboxContext& context, Gdk::XAsyncBlock* block, ResultCallback cb, const std::string& requestId,
                       const LiveContext& live)
{
    const Xbl::XblApi& services = context.Services();
    std::size_t count = 0;
    const HResult counted = services.XblPrivacyGetAvoidListResultCount(block, &count);
    if (!Gdk::Succeeded(counted)) {
        AnswerFailedResult(cb, requestId, "XblPrivacyGetAvoidListResultCount", "Failed to get block list count.", counted);
        return;
    }
    if (count == 0) {
        AnswerSuccess(cb, requestId, json{{"xbox", {{"blockList", json::array()}}}});
        return;
    }
    auto xuids = std::make_shared<std::vector<std::uint64_t>>(count);
    const HResult read = services.XblPrivacyGetAvoidListResult(block, count, xuids->data());
    if (!Gdk::Succeeded(read)) {
        AnswerFailedResult(cb, requestId, "XblPrivacyGetAvoidListResult", "Failed to get block list.", read);
        return;
    }
    StartProfiles(context, cb, requestId, live, xuids);
}

void CompleteProfile(IXboxContext& context, Gdk::XAsyncBlock* block, ResultCallback cb, const std::string& requestId)
{
    Xbl::XblUserProfile profile{};
    const HResult result = context.Services().XblProfileGetUserProfileResult(block, &profile);
    if (!Gdk::Succeeded(result)) {
        AnswerFailedResult(cb, requestId, "XblProfileGetUserProfileResult", "Failed to get user profile: " + HResultText(result), result);
        return;
    }
    AnswerSuccess(cb, requestId, json{{"profile", ProfileObject(profile)}});
}

} // namespace

XboxSocial::XboxSocial(IXboxContext* context) : XboxServicesFeature(context, "XboxSocial") {}

XboxSocial::~XboxSocial() { Cleanup(); }

bool XboxSocial::Initialize()
{
    IXboxContext& context = *Context();
    const Gdk::XUserHandle user = context.GetUserHandle();
    if (user == nullptr || ServicesContext() != nullptr) {
        return XboxServicesFeature::Initialize();
    }
    const HResult idResult = context.Runtime().XUserGetId(user, &ownXuid_);
    if (!Gdk::Succeeded(idResult)) {
        LogFailedCall("XUserGetId", idResult);
        return false;
    }
    if (!XboxServicesFeature::Initialize()) {
        return false;
    }
    const Xbl::XblApi& services = context.Services();
    const HResult added = services.XblSocialManagerAddLocalUser(
        user, Xbl::XblSocialManagerExtraDetailLevel::TitleHistoryLevel | Xbl::XblSocialManagerExtraDetailLevel::PreferredColorLevel,
        context.GetTaskQueue());
    if (!Gdk::Succeeded(added)) {
        LogFailedCall("XblSocialManagerAddLocalUser", added);
        CloseServicesContext();
        return false;
    }
    localUser_ = user;
    liveContext_ = std::make_shared<const Xbl::XblContextHandle>(ServicesContext());
    const HResult grouped = services.XblSocialManagerCreateSocialUserGroupFromFilters(
        user, Xbl::XblPresenceFilter::All, Xbl::XblRelationshipFilter::Friends, &friendGroup_);
    if (!Gdk::Succeeded(grouped)) {
        friendGroup_ = nullptr;
        Log(LogLevel::Warning, "Failed to create friend group: {}", HResultText(grouped));
    }
    return true;
}

void XboxSocial::FriendList(const std::string& params, ResultCallback cb)
{
    const json request = ParseParameters(params.c_str());
    std::string requestId = GetRequestId(request);
    if (localUser_ == nullptr || friendGroup_ == nullptr) {
        Log(LogLevel::Error, "Social Manager not initialized");
        AnswerFailure(cb, requestId, "Social Manager not initialized.");
        return;
    }
    pendingFriendLists_.push_back(PendingRequest{cb, std::move(requestId)});
}

void XboxSocial::BlockList(const std::string& params, ResultCallback cb)
{
    json request;
    std::string requestId;
    if (!OpenRequest(params, ServicesContext(), cb, VYROCHANNEL_NO_USER, request, requestId)) {
        return;
    }
    IXboxContext& context = *Context();
    const Xbl::XblContextHandle servicesContext = ServicesContext();
    StartCall(
        context, cb, requestId, "XblPrivacyGetAvoidListAsync",
        [&context, cb, requestId, live = LiveContext(liveContext_)](Gdk::XAsyncBlock* block) {
            CompleteAvoidList(context, block, cb, requestId, live);
        },
        [&](Gdk::XAsyncBlock* block) { return context.Services().XblPrivacyGetAvoidListAsync(servicesContext, block); });
}

void XboxSocial::UserProfile(const std::string& params, ResultCallback cb)
{
    json request;
    std::string requestId;
    if (!OpenRequest(params, ServicesContext(), cb, VYROCHANNEL_NO_USER, request, requestId)) {
        return;
    }
    std::uint64_t target = ownXuid_;
    const std::string xuidText = StringMember(request, "xuid").value_or("");
    if (!xuidText.empty()) {
        const DecimalReading<std::uint64_t> xuid = ReadXuidText(xuidText);
        if (xuid.Ok()) {
            target = xuid.value;
        } else {
            Log(LogLevel::Warning, "Invalid xuid '{}': {}", xuidText, xuid.error);
        }
    }
    IXboxContext& context = *Context();
    const Xbl::XblContextHandle servicesContext = ServicesContext();
    StartCall(
        context, cb, requestId, "XblProfileGetUserProfileAsync",
        [&context, cb, requestId](Gdk::XAsyncBlock* block) { CompleteProfile(context, block, cb, requestId); },
        [&](Gdk::XAsyncBlock* block) { return context.Services().XblProfileGetUserProfileAsync(servicesContext, target, block); });
}

void XboxSocial::ProcessEvents()
{
    if (localUser_ == nullptr) {
        return;
    }
    const Xbl::XblSocialManagerEvent* events = nullptr;
    std::size_t count = 0;
    if (!Gdk::Succeeded(Context()->Services().XblSocialManagerDoWork(&events, &count))) {
        return;
    }
    for (std::size_t i = 0; events != nullptr && i < count; ++i) {
        if (events[i].eventType == XblSocialManagerEventType::SocialUserGroupLoaded) {
            groupLoaded_ = true;
        } else if (const char* name = EventName(events[i].eventType)) {
            Context()->PostEvent(VYROCHANNEL_EVENT_SOCIAL, VYROCHANNEL_OK,
                                 MakeSuccessResponse(json{{"xbox", {{"eventType", name}}}}, ChannelType::Xbox, ""));
        }
    }
    if (!pendingFriendLists_.empty() && groupLoaded_) {
        AnswerFriendLists();
    }
}

void XboxSocial::AnswerFriendLists()
{
    // Taken first: a game callback may send the next FriendList.
    const std::vector<PendingRequest> requests = std::exchange(pendingFriendLists_, {});
    Xbl::XblSocialManagerUserPtrArray users = nullptr;
    std::size_t count = 0;
    const HResult result = Context()->Services().XblSocialManagerUserGroupGetUsers(friendGroup_, &users, &count);
    json friends = json::array();
    for (std::size_t i = 0; Gdk::Succeeded(result) && users != nullptr && i < count; ++i) {
        if (users[i] != nullptr) {
            friends.push_back(FriendObject(*users[i]));
        }
    }
    for (const PendingRequest& request : requests) {
        if (Gdk::Succeeded(result)) {
            AnswerSuccess(request.cb, request.requestId, json{{"friends", friends}});
        } else {
            AnswerFailedResult(request.cb, request.requestId, "XblSocialManagerUserGroupGetUsers", "Failed to get friends.", result);
        }
    }
}

void XboxSocial::AbortFriendList()
{
    for (const PendingRequest& request : std::exchange(pendingFriendLists_, {})) {
        AnswerFailure(request.cb, request.requestId, "Failed to get friends.", Gdk::kAbort);
    }
}

// The social manager keeps the player and the group until told otherwise: both go with this object,
// with the very user handle the player was added with.
void XboxSocial::Cleanup()
{
    pendingFriendLists_.clear();
    groupLoaded_ = false;
    liveContext_.reset();
    const Xbl::XblApi& services = Context()->Services();
    if (friendGroup_ != nullptr) {
        services.XblSocialManagerDestroySocialUserGroup(friendGroup_);
        friendGroup_ = nullptr;
    }
    if (localUser_ != nullptr) {
        services.XblSocialManagerRemoveLocalUser(localUser_);
        localUser_ = nullptr;
    }
    CloseServicesContext();
}

} // namespace Vyro
