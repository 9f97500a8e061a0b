#pragma once

// What the simulated social services know: the signed-in player's friends with their presence, the
// player's avoid list, the profiles the profile service has, the social manager's local users and
// groups, the graph changes waiting for the next XblSocialManagerDoWork, the records the manager last
// handed out, and the programmed answers of every social, privacy and profile call. "reset" restores
// the defaults below.
#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "Handles.h"
#include "SimSettings.h"
#include "channels/xbox/XblProfileApi.h"
#include "channels/xbox/XblSocialApi.h"

namespace Vyro::XboxSim {

struct SimFriend {
    std::uint64_t xuid = 0;
    std::string gamertag;
    std::uint32_t presence = 1; // XblPresenceUserState: online
    std::uint32_t titleId = 0;  // the title played; none when 0
    std::string presenceText;
    bool favorite = false;
};

struct SimProfile {
    std::uint64_t xuid = 0;
    std::string gamertag;
    std::string gamerscore;
    std::string appDisplayName;
    std::string appDisplayPicture;
    std::string gameDisplayName;
    std::string gameDisplayPicture;
};

// A change of the graph made through the control entry point, reported by the next DoWork as one
// event of `type` naming the friend as the change left it (as it was, for one removed).
struct SocialChange {
    Xbl::XblSocialManagerEventType type = Xbl::XblSocialManagerEventType::UnknownEvent;
    SimFriend person;
};

// A local user of the social manager, by the number of the user handle it was added with.
struct LocalSocialUser {
    bool announced = false; // its LocalUserAdded event was given
};

struct SocialGroupRecord {
    std::uint64_t user = 0;
    Xbl::XblPresenceFilter presenceFilter = Xbl::XblPresenceFilter::All;
    Xbl::XblRelationshipFilter relationshipFilter = Xbl::XblRelationshipFilter::Friends;
    std::uint32_t doWorksUntilLoaded = 0;
    bool loaded = false;
};

struct SocialAnswers {
    HResult addLocalUser = Results::kOk;
    HResult removeLocalUser = Results::kOk;
    HResult createGroup = Results::kOk;
    HResult destroyGroup = Results::kOk;
    HResult getUsers = Results::kOk;
    HResult doWork = Results::kOk;
    HResult avoidListStart = Results::kOk;
    OutcomeList avoidList;
    HResult avoidListCount = Results::kOk;
    HResult avoidListResult = Results::kOk;
    HResult profileStart = Results::kOk;
    OutcomeList profile;
    HResult profileResult = Results::kOk;
    HResult profilesStart = Results::kOk;
    OutcomeList profiles;
    HResult profilesCount = Results::kOk;
    HResult profilesResult = Results::kOk;
};

// The memory of what the manager handed out since the last DoWork: events, users and user arrays.
// (A moved vector keeps its elements where they are, so what was handed out stays put as more is.)
struct SocialRecords {
    std::vector<std::vector<Xbl::XblSocialManagerUser>> users;
    std::vector<std::vector<const Xbl::XblSocialManagerUser*>> userArrays;
    std::vector<Xbl::XblSocialManagerEvent> events;
};

struct SocialData {
    std::vector<SimFriend> friends = DefaultFriends();
    std::vector<std::uint64_t> avoidList = DefaultAvoidList();
    std::map<std::uint64_t, SimProfile> profiles = DefaultProfiles();
    // The DoWork calls after a group is made before it reports itself loaded.
    std::uint32_t loadAfterDoWorks = 2;
    std::map<std::uint64_t, LocalSocialUser> localUsers;
    HandleTable<SocialGroupRecord> groups;
    std::deque<SocialChange> changes;
    SocialRecords records;
    // What the DoWork before the last handed out, scribbled over: kept one DoWork longer, so that a game
    // reading it too late reads rubbish rather than freed memory.
    SocialRecords retired;
    std::uint64_t doWorkCalls = 0;
    SocialAnswers answers;

    static std::vector<SimFriend> DefaultFriends();
    static std::vector<std::uint64_t> DefaultAvoidList();
    static std::map<std::uint64_t, SimProfile> DefaultProfiles();
};

// The profile of the signed-in player made from the account's xuid and gamertag.
SimProfile OwnProfile(std::uint64_t xuid, const std::string& gamertag);

} // namespace Vyro::XboxSim
