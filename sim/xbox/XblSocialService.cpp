// The social manager: local users added with their user handle, groups of friends made from filters
// that report themselves loaded after a few DoWork calls, and the graph changes made through the
// control entry point given out as events by the next DoWork. What DoWork and GetUsers hand out is
// valid until the next DoWork, which scribbles over it before freeing it, as the real manager
// invalidates it.
#include <cstring>

#include "Calls.h"
#include "ResultArena.h"
#include "ServicesCalls.h"
#include "SocialCalls.h"

namespace Vyro::XboxSim {

namespace {

using Xbl::XblPresenceFilter;
using Xbl::XblSocialManagerEvent;
using Xbl::XblSocialManagerEventType;
using Xbl::XblSocialManagerUser;

constexpr HResult kUnexpected = static_cast<HResult>(0x8000FFFF); // E_UNEXPECTED
constexpr unsigned char kScribble = 0xDD;
constexpr std::uint32_t kOnline = 1;
constexpr std::uint32_t kAway = 2;
constexpr std::uint32_t kOffline = 3;
constexpr char kGroupWhat[] = "unknown or destroyed social user group";

bool UserAdded(Call& call, Xbl::XblUserHandle user)
{
    const auto number = NumberOf(user);
    return number && call.Rt().social.localUsers.count(*number) != 0;
}

bool MatchesPresence(XblPresenceFilter filter, const SimFriend& person, std::uint32_t titleId)
{
    const bool online = person.presence == kOnline || person.presence == kAway;
    const bool inTitle = person.titleId == titleId;
    switch (filter) {
    case XblPresenceFilter::TitleOnline:
        return online && inTitle;
    case XblPresenceFilter::TitleOffline:
        return person.presence == kOffline && inTitle;
    case XblPresenceFilter::TitleOnlineOutsideTitle:
        return online && !inTitle && person.titleId != 0;
    case XblPresenceFilter::AllOnline:
        return online;
    case XblPresenceFilter::AllOffline:
        return person.presence == kOffline;
    case XblPresenceFilter::AllTitle:
        return inTitle;
    case XblPresenceFilter::All:
        return true;
    default:
        return false;
    }
}

void FillUser(XblSocialManagerUser& record, const SimFriend& person, std::uint32_t titleId)
{
    record.xboxUserId = person.xuid;
    record.isFavorite = person.favorite;
    record.isFriend = true;
    record.isFollowingUser = true;
    record.isFollowedByCaller = true;
    CopyField(record.displayName, person.gamertag);
    CopyField(record.gamertag, person.gamertag);
    CopyField(record.modernGamertag, person.gamertag);
    CopyField(record.uniqueModernGamertag, person.gamertag);
    CopyField(record.gamerscore, "0");
    record.presenceRecord.userState = static_cast<Xbl::XblPresenceUserState>(person.presence);
    if (person.titleId != 0) {
        Xbl::XblSocialManagerPresenceTitleRecord& title = record.presenceRecord.presenceTitleRecords[0];
        title.titleId = person.titleId;
        CopyField(title.titleName, person.titleId == titleId ? "Simulated title" : "Another title");
        title.isTitleActive = person.presence != kOffline;
        CopyField(title.presenceText, person.presenceText);
        title.deviceType = Xbl::XblPresenceDeviceType::PC;
        title.isPrimary = true;
        record.presenceRecord.presenceTitleRecordCount = 1;
    }
    record.titleHistory.hasUserPlayed = person.titleId == titleId;
    CopyField(record.preferredColor.primaryColor, "ff107c10");
}

// Room for `count` user records that live until the next DoWork.
XblSocialManagerUser* NewUsers(SocialRecords& records, std::size_t count)
{
    records.users.emplace_back(count);
    return records.users.back().data();
}

template <typename Record>
void Scribble(std::vector<Record>& records)
{
    if (!records.empty()) {
        std::memset(static_cast<void*>(records.data()), kScribble, sizeof(Record) * records.size());
    }
}

// What the last DoWork and the GetUsers calls since handed out is no longer valid: scribbled over
// and retired, and what was retired before is freed.
void InvalidateRecords(SocialData& social)
{
    SocialRecords& records = social.records;
    for (auto& users : records.users) {
        Scribble(users);
    }
    for (auto& pointers : records.userArrays) {
        Scribble(pointers);
    }
    Scribble(records.events);
    social.retired = std::move(records);
    records = SocialRecords{};
}

struct PendingEvent {
    XblSocialManagerEvent event{};
    const SimFriend* person = nullptr;
};

std::vector<PendingEvent> CollectEvents(Runtime& runtime)
{
    SocialData& social = runtime.social;
    std::vector<PendingEvent> events;
    for (auto& [number, local] : social.localUsers) {
        if (!local.announced) {
            local.announced = true;
            PendingEvent added;
            added.event.user = HandleOf<Gdk::XUserHandle>(number);
            added.event.eventType = XblSocialManagerEventType::LocalUserAdded;
            events.push_back(added);
        }
    }
    for (const SocialChange& change : social.changes) {
        for (const auto& [number, local] : social.localUsers) {
            PendingEvent changed;
            changed.event.user = HandleOf<Gdk::XUserHandle>(number);
            changed.event.eventType = change.type;
            changed.person = &change.person;
            events.push_back(changed);
        }
    }
    for (auto& [number, group] : social.groups.All()) {
        if (group.loaded || social.localUsers.count(group.user) == 0) {
            continue;
        }
        if (group.doWorksUntilLoaded > 0) {
            --group.doWorksUntilLoaded;
        }
        if (group.doWorksUntilLoaded == 0) {
            group.loaded = true;
            PendingEvent loaded;
            loaded.event.user = HandleOf<Gdk::XUserHandle>(group.user);
            loaded.event.eventType = XblSocialManagerEventType::SocialUserGroupLoaded;
            loaded.event.groupAffected = HandleOf<Xbl::XblSocialManagerUserGroupHandle>(number);
            events.push_back(loaded);
        }
    }
    return events;
}

// Lays the events out in memory valid until the next DoWork, each changed user with its record.
void HandOutEvents(Call& call, std::vector<PendingEvent>& pending, const XblSocialManagerEvent** events, std::size_t* count)
{
    Runtime& runtime = call.Rt();
    SocialRecords& records = runtime.social.records;
    records.events.resize(pending.size());
    XblSocialManagerUser* users = NewUsers(records, pending.size());
    nlohmann::json journalled = nlohmann::json::array();
    for (std::size_t i = 0; i < pending.size(); ++i) {
        XblSocialManagerEvent& event = records.events[i];
        event = pending[i].event;
        nlohmann::json described{{"eventType", static_cast<std::uint32_t>(event.eventType)}};
        if (pending[i].person != nullptr) {
            FillUser(users[i], *pending[i].person, runtime.settings.titleId);
            event.usersAffected[0] = &users[i];
            described["xuid"] = std::to_string(pending[i].person->xuid);
        }
        journalled.push_back(std::move(described));
    }
    *events = records.events.data();
    *count = pending.size();
    call.Entry()["events"] = std::move(journalled);
}

HResult DoWork(Call& call, const XblSocialManagerEvent** events, std::size_t* count)
{
    HResult refusal = Results::kOk;
    if (!LibraryReady(call, refusal)) {
        return call.Returns(refusal);
    }
    if (!call.Requires(events != nullptr && count != nullptr, "null out pointer")) {
        return call.Returns(Results::kInvalidArg);
    }
    SocialData& social = call.Rt().social;
    InvalidateRecords(social);
    ++social.doWorkCalls;
    *events = nullptr;
    *count = 0;
    if (!Gdk::Succeeded(social.answers.doWork)) {
        return call.Returns(social.answers.doWork);
    }
    std::vector<PendingEvent> pending = CollectEvents(call.Rt());
    if (pending.empty()) {
        // Called every frame: only a DoWork that gives something is journalled.
        call.JournalOnlyMisuse();
        return call.Returns(Results::kOk);
    }
    HandOutEvents(call, pending, events, count);
    social.changes.clear();
    return call.Returns(Results::kOk);
}

HResult AddLocalUser(Call& call, Xbl::XblUserHandle user, Gdk::XTaskQueueHandle queue)
{
    HResult refusal = Results::kOk;
    if (!LibraryReady(call, refusal)) {
        return call.Returns(refusal);
    }
    if (!call.User(user) || (queue != nullptr && call.Queue(queue) == nullptr)) {
        return call.Returns(Results::kInvalidArg);
    }
    if (!call.Requires(!UserAdded(call, user), "user already added to the social manager")) {
        return call.Returns(kUnexpected);
    }
    SocialData& social = call.Rt().social;
    if (!Gdk::Succeeded(social.answers.addLocalUser)) {
        return call.Returns(social.answers.addLocalUser);
    }
    social.localUsers[*NumberOf(user)] = LocalSocialUser{};
    return call.Returns(Results::kOk);
}

HResult RemoveLocalUser(Call& call, Xbl::XblUserHandle user)
{
    HResult refusal = Results::kOk;
    if (!LibraryReady(call, refusal)) {
        return call.Returns(refusal);
    }
    if (!call.User(user)) {
        return call.Returns(Results::kInvalidArg);
    }
    if (!call.Requires(UserAdded(call, user), "user not added to the social manager")) {
        return call.Returns(kUnexpected);
    }
    SocialData& social = call.Rt().social;
    if (!Gdk::Succeeded(social.answers.removeLocalUser)) {
        return call.Returns(social.answers.removeLocalUser);
    }
    social.localUsers.erase(*NumberOf(user));
    return call.Returns(Results::kOk);
}

HResult CreateGroup(Call& call, Xbl::XblUserHandle user, XblPresenceFilter presenceFilter,
                    Xbl::XblRelationshipFilter relationshipFilter, Xbl::XblSocialManagerUserGroupHandle* group)
{
    HResult refusal = Results::kOk;
    if (!LibraryReady(call, refusal)) {
        return call.Returns(refusal);
    }
    if (!call.User(user) || !call.Requires(group != nullptr, "null group out pointer")) {
        return call.Returns(Results::kInvalidArg);
    }
    if (!call.Requires(UserAdded(call, user), "group for a user not added to the social manager")) {
        return call.Returns(kUnexpected);
    }
    const bool validFilters = presenceFilter > XblPresenceFilter::Unknown && presenceFilter <= XblPresenceFilter::All &&
                              relationshipFilter > Xbl::XblRelationshipFilter::Unknown &&
                              relationshipFilter <= Xbl::XblRelationshipFilter::Favorite;
    if (!call.Requires(validFilters, "unknown presence or relationship filter")) {
        return call.Returns(Results::kInvalidArg);
    }
    SocialData& social = call.Rt().social;
    if (!Gdk::Succeeded(social.answers.createGroup)) {
        return call.Returns(social.answers.createGroup);
    }
    SocialGroupRecord record{*NumberOf(user), presenceFilter, relationshipFilter, social.loadAfterDoWorks, false};
    return call.HandsOut(social.groups, call.State().NextNumber(), record, group, "group");
}

HResult DestroyGroup(Call& call, Xbl::XblSocialManagerUserGroupHandle group)
{
    HResult refusal = Results::kOk;
    if (!LibraryReady(call, refusal)) {
        return call.Returns(refusal);
    }
    SocialData& social = call.Rt().social;
    if (!call.Requires(social.groups.Find(group) != nullptr, kGroupWhat)) {
        return call.Returns(Results::kInvalidArg);
    }
    if (!Gdk::Succeeded(social.answers.destroyGroup)) {
        return call.Returns(social.answers.destroyGroup);
    }
    social.groups.Remove(*NumberOf(group));
    return call.Returns(Results::kOk);
}

HResult GetUsers(Call& call, Xbl::XblSocialManagerUserGroupHandle group, Xbl::XblSocialManagerUserPtrArray* users,
                 std::size_t* count)
{
    HResult refusal = Results::kOk;
    if (!LibraryReady(call, refusal)) {
        return call.Returns(refusal);
    }
    Runtime& runtime = call.Rt();
    SocialData& social = runtime.social;
    const SocialGroupRecord* record = social.groups.Find(group);
    if (!call.Requires(record != nullptr, kGroupWhat) || !call.Requires(users != nullptr && count != nullptr, "null out pointer")) {
        return call.Returns(Results::kInvalidArg);
    }
    if (!call.Requires(social.localUsers.count(record->user) != 0, "group of a user removed from the social manager")) {
        return call.Returns(kUnexpected);
    }
    if (!Gdk::Succeeded(social.answers.getUsers)) {
        return call.Returns(social.answers.getUsers);
    }
    std::vector<const SimFriend*> members;
    for (const SimFriend& person : social.friends) {
        const bool related = record->relationshipFilter == Xbl::XblRelationshipFilter::Friends || person.favorite;
        if (record->loaded && related && MatchesPresence(record->presenceFilter, person, runtime.settings.titleId)) {
            members.push_back(&person);
        }
    }
    XblSocialManagerUser* records = NewUsers(social.records, members.size());
    social.records.userArrays.emplace_back(members.size());
    const XblSocialManagerUser** pointers = social.records.userArrays.back().data();
    for (std::size_t i = 0; i < members.size(); ++i) {
        FillUser(records[i], *members[i], runtime.settings.titleId);
        pointers[i] = &records[i];
    }
    *users = pointers;
    *count = members.size();
    call.Entry()["count"] = members.size();
    return call.Returns(Results::kOk);
}

} // namespace

HResult ServiceSocialAddLocalUser(Xbl::XblUserHandle user, Xbl::XblSocialManagerExtraDetailLevel level, Gdk::XTaskQueueHandle queue)
{
    return JournalledCall("XblSocialManagerAddLocalUser", {{"extraDetailLevel", static_cast<std::uint32_t>(level)}},
                          [&](Call& call) { return AddLocalUser(call, user, queue); });
}

HResult ServiceSocialRemoveLocalUser(Xbl::XblUserHandle user)
{
    return JournalledCall("XblSocialManagerRemoveLocalUser", {}, [&](Call& call) { return RemoveLocalUser(call, user); });
}

HResult ServiceSocialCreateGroup(Xbl::XblUserHandle user, XblPresenceFilter presenceFilter, Xbl::XblRelationshipFilter relationshipFilter,
                                 Xbl::XblSocialManagerUserGroupHandle* group)
{
    return JournalledCall("XblSocialManagerCreateSocialUserGroupFromFilters",
                          {{"presenceFilter", static_cast<std::uint32_t>(presenceFilter)},
                           {"relationshipFilter", static_cast<std::uint32_t>(relationshipFilter)}},
                          [&](Call& call) { return CreateGroup(call, user, presenceFilter, relationshipFilter, group); });
}

HResult ServiceSocialDestroyGroup(Xbl::XblSocialManagerUserGroupHandle group)
{
    return JournalledCall("XblSocialManagerDestroySocialUserGroup", {{"group", DescribeHandle(group)}},
                          [&](Call& call) { return DestroyGroup(call, group); });
}

HResult ServiceSocialGetUsers(Xbl::XblSocialManagerUserGroupHandle group, Xbl::XblSocialManagerUserPtrArray* users,
                              std::size_t* usersCount)
{
    return JournalledCall("XblSocialManagerUserGroupGetUsers", {{"group", DescribeHandle(group)}},
                          [&](Call& call) { return GetUsers(call, group, users, usersCount); });
}

HResult ServiceSocialDoWork(const XblSocialManagerEvent** events, std::size_t* eventsCount)
{
    return JournalledCall("XblSocialManagerDoWork", {}, [&](Call& call) { return DoWork(call, events, eventsCount); });
}

} // namespace Vyro::XboxSim
