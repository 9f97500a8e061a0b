// The social control ops: the friend graph, the avoid list and profiles, the answers of the social
// calls, and graph changes that come out as social manager events.
#include "SocialControl.h"

#include <algorithm>

#include "ControlOpShapes.h"
#include "ControlReaders.h"
#include "ControlReply.h"
#include "SimState.h"

namespace Vyro::XboxSim {

namespace {

using Sim::Assign;
using Sim::ControlFields;
using nlohmann::json;
using EventType = Xbl::XblSocialManagerEventType;

constexpr std::int64_t kPresenceStates = 3;
constexpr std::int64_t kMaxRepeat = 10000;
constexpr std::int64_t kMaxLoadDoWorks = 1000;
constexpr std::int64_t kUint32Max = 0xFFFFFFFF;

void ReadFriend(ControlFields& fields, SimFriend& person)
{
    fields.Require("xuid");
    Assign(fields.Unsigned64("xuid"), person.xuid);
    Assign(fields.String("gamertag"), person.gamertag);
    Assign(fields.Integer("presence", 0, kPresenceStates), person.presence);
    Assign(fields.Integer("titleId", 0, kUint32Max), person.titleId);
    Assign(fields.String("presenceText"), person.presenceText);
    Assign(fields.Bool("favorite"), person.favorite);
}

void ReadProfile(ControlFields& fields, SimProfile& profile)
{
    fields.Require("xuid");
    Assign(fields.Unsigned64("xuid"), profile.xuid);
    Assign(fields.String("gamertag"), profile.gamertag);
    Assign(fields.String("gamerscore"), profile.gamerscore);
    Assign(fields.String("appDisplayName"), profile.appDisplayName);
    Assign(fields.String("appDisplayPicture"), profile.appDisplayPicture);
    Assign(fields.String("gameDisplayName"), profile.gameDisplayName);
    Assign(fields.String("gameDisplayPicture"), profile.gameDisplayPicture);
}

// An avoided player: the xuid as a number or a decimal string.
void ReadAvoided(ControlFields& parent, const json& element, std::size_t index, std::vector<std::uint64_t>& list)
{
    ControlFields fields(parent, json{{"xuid", element}}, "avoidList[" + std::to_string(index) + "]", {"xuid"});
    if (const auto xuid = fields.Unsigned64("xuid")) {
        list.push_back(*xuid);
    }
}

void ReadAnswers(ControlFields& fields, SocialAnswers& answers)
{
    ReadHResult(fields, "addLocalUserResult", answers.addLocalUser);
    ReadHResult(fields, "removeLocalUserResult", answers.removeLocalUser);
    ReadHResult(fields, "createGroupResult", answers.createGroup);
    ReadHResult(fields, "destroyGroupResult", answers.destroyGroup);
    ReadHResult(fields, "getUsersResult", answers.getUsers);
    ReadHResult(fields, "doWorkResult", answers.doWork);
    ReadHResult(fields, "avoidListStartResult", answers.avoidListStart);
    ReadOutcomes(fields, "avoidListResults", answers.avoidList.next);
    ReadOutcome(fields, "avoidListDefault", answers.avoidList.fallback);
    ReadHResult(fields, "avoidListCountResult", answers.avoidListCount);
    ReadHResult(fields, "avoidListResultResult", answers.avoidListResult);
    ReadHResult(fields, "profileStartResult", answers.profileStart);
    ReadOutcomes(fields, "profileResults", answers.profile.next);
    ReadOutcome(fields, "profileDefault", answers.profile.fallback);
    ReadHResult(fields, "profileResultResult", answers.profileResult);
    ReadHResult(fields, "profilesStartResult", answers.profilesStart);
    ReadOutcomes(fields, "profilesResults", answers.profiles.next);
    ReadOutcome(fields, "profilesDefault", answers.profiles.fallback);
    ReadHResult(fields, "profilesCountResult", answers.profilesCount);
    ReadHResult(fields, "profilesResultResult", answers.profilesResult);
}

// The programmable parts of the social services, copied so that a refused request changes nothing.
struct SocialProgram {
    std::vector<SimFriend> friends;
    std::vector<std::uint64_t> avoidList;
    std::map<std::uint64_t, SimProfile> profiles;
    std::uint32_t loadAfterDoWorks = 0;
    SocialAnswers answers;
};

void ReadProgram(ControlFields& fields, SocialProgram& program)
{
    Assign(ReadRecords<SimFriend>(fields, "friends", {"xuid", "gamertag", "presence", "titleId", "presenceText", "favorite"}, ReadFriend),
           program.friends);
    if (const json* avoided = fields.Array("avoidList")) {
        program.avoidList.clear();
        for (std::size_t i = 0; i < avoided->size(); ++i) {
            ReadAvoided(fields, (*avoided)[i], i, program.avoidList);
        }
    }
    const auto profiles = ReadRecords<SimProfile>(fields, "profiles",
                                                  {"xuid", "gamertag", "gamerscore", "appDisplayName", "appDisplayPicture",
                                                   "gameDisplayName", "gameDisplayPicture"},
                                                  ReadProfile);
    if (profiles) {
        program.profiles.clear();
        for (const SimProfile& profile : *profiles) {
            program.profiles[profile.xuid] = profile;
        }
    }
    Assign(fields.Integer("loadAfterDoWorks", 0, kMaxLoadDoWorks), program.loadAfterDoWorks);
    ReadAnswers(fields, program.answers);
}

// One change of the graph as the request gives it.
struct GraphChange {
    std::string kind;
    SimFriend person;
    bool hasPresence = false;
    bool hasFavorite = false;
};

void ReadChange(ControlFields& fields, GraphChange& change)
{
    fields.Require("kind");
    fields.Require("xuid");
    Assign(fields.OneOf("kind", {"added", "removed", "presence", "relationship"}), change.kind);
    change.hasPresence = fields.Has("presence");
    change.hasFavorite = fields.Has("favorite");
    ReadFriend(fields, change.person);
}

// Applies one change to `friends`; the event it gives, or a refusal in `error`.
SocialChange Apply(const GraphChange& change, std::vector<SimFriend>& friends, std::string& error)
{
    const auto found = std::find_if(friends.begin(), friends.end(), [&](const SimFriend& f) { return f.xuid == change.person.xuid; });
    const std::string xuid = std::to_string(change.person.xuid);
    if (change.kind == "added") {
        if (found != friends.end()) {
            error = "socialChanges: " + xuid + " is a friend already";
            return {};
        }
        friends.push_back(change.person);
        return {EventType::UsersAddedToSocialGraph, change.person};
    }
    if (found == friends.end()) {
        error = "socialChanges: " + xuid + " is no friend";
        return {};
    }
    if (change.kind == "removed") {
        SocialChange removed{EventType::UsersRemovedFromSocialGraph, *found};
        friends.erase(found);
        return removed;
    }
    if (change.kind == "presence") {
        found->presence = change.hasPresence ? change.person.presence : found->presence;
        found->titleId = change.person.titleId;
        found->presenceText = change.person.presenceText;
        return {EventType::PresenceChanged, *found};
    }
    found->favorite = change.hasFavorite ? change.person.favorite : found->favorite;
    return {EventType::SocialRelationshipsChanged, *found};
}

} // namespace

json ProgramSocial(const json& request)
{
    ControlFields fields(request, "social",
                         {"friends", "avoidList", "profiles", "loadAfterDoWorks", "addLocalUserResult", "removeLocalUserResult",
                          "createGroupResult", "destroyGroupResult", "getUsersResult", "doWorkResult", "avoidListStartResult",
                          "avoidListResults", "avoidListDefault", "avoidListCountResult", "avoidListResultResult",
                          "profileStartResult", "profileResults", "profileDefault", "profileResultResult", "profilesStartResult",
                          "profilesResults", "profilesDefault", "profilesCountResult", "profilesResultResult"});
    return WithState([&](SimState& state) {
        SocialData& social = state.runtime.social;
        SocialProgram program{social.friends, social.avoidList, social.profiles, social.loadAfterDoWorks, social.answers};
        ReadProgram(fields, program);
        if (fields.Failed()) {
            return Sim::Refusal(fields.Error());
        }
        social.friends = std::move(program.friends);
        social.avoidList = std::move(program.avoidList);
        social.profiles = std::move(program.profiles);
        social.loadAfterDoWorks = program.loadAfterDoWorks;
        social.answers = std::move(program.answers);
        return Sim::Success();
    });
}

json ChangeSocialGraph(const json& request)
{
    ControlFields fields(request, "socialChanges", {"changes", "repeat"});
    fields.Require("changes");
    const auto changes = ReadRecords<GraphChange>(
        fields, "changes", {"kind", "xuid", "gamertag", "presence", "titleId", "presenceText", "favorite"}, ReadChange);
    const std::int64_t repeat = fields.Integer("repeat", 1, kMaxRepeat).value_or(1);
    if (fields.Failed()) {
        return Sim::Refusal(fields.Error());
    }
    return WithState([&](SimState& state) {
        SocialData& social = state.runtime.social;
        std::vector<SimFriend> friends = social.friends;
        std::vector<SocialChange> events;
        std::string error;
        for (std::int64_t round = 0; round < repeat && error.empty(); ++round) {
            for (std::size_t i = 0; i < changes->size() && error.empty(); ++i) {
                events.push_back(Apply((*changes)[i], friends, error));
            }
        }
        if (!error.empty()) {
            return Sim::Refusal(error);
        }
        social.friends = std::move(friends);
        social.changes.insert(social.changes.end(), events.begin(), events.end());
        return Sim::Success({{"queued", events.size()}});
    });
}

json DescribeSocial(const SocialData& social)
{
    json friends = json::array();
    for (const SimFriend& person : social.friends) {
        friends.push_back({{"xuid", std::to_string(person.xuid)},
                           {"gamertag", person.gamertag},
                           {"presence", person.presence},
                           {"favorite", person.favorite}});
    }
    json localUsers = json::array();
    for (const auto& entry : social.localUsers) {
        localUsers.push_back(entry.first);
    }
    json groups = json::array();
    for (const auto& [number, group] : social.groups.All()) {
        groups.push_back({{"group", number}, {"user", group.user}, {"loaded", group.loaded}});
    }
    return {{"friends", std::move(friends)},
            {"localUsers", std::move(localUsers)},
            {"groups", std::move(groups)},
            {"pendingChanges", social.changes.size()},
            {"doWorkCalls", social.doWorkCalls}};
}

} // namespace Vyro::XboxSim
