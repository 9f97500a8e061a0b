#include "SocialData.h"

namespace Vyro::XboxSim {

namespace {

constexpr std::uint32_t kOnline = 1;
constexpr std::uint32_t kAway = 2;
constexpr std::uint32_t kOffline = 3;

SimProfile Profile(std::uint64_t xuid, const std::string& gamertag, const std::string& gamerscore)
{
    const std::string picture = "https://images.example.net/gamerpic/" + std::to_string(xuid);
    return {xuid, gamertag, gamerscore, gamertag, picture, gamertag, picture};
}

} // namespace

std::vector<SimFriend> SocialData::DefaultFriends()
{
    return {{2533274900000101, "Quiet Harbor", kOnline, kDefaultTitleId, "Exploring the caves", true},
            {2533274900000102, "Amber Vector", kAway, 0, "", false},
            {2533274900000103, "Night Lantern", kOffline, 0, "", false}};
}

std::vector<std::uint64_t> SocialData::DefaultAvoidList() { return {2533274900000201, 2533274900000202}; }

// The friends and the first avoided player have profiles; the second avoided player has none.
std::map<std::uint64_t, SimProfile> SocialData::DefaultProfiles()
{
    std::map<std::uint64_t, SimProfile> profiles;
    for (const SimFriend& friendOf : DefaultFriends()) {
        profiles[friendOf.xuid] = Profile(friendOf.xuid, friendOf.gamertag, "1250");
    }
    profiles[2533274900000201] = Profile(2533274900000201, "Rusty Comet", "40");
    return profiles;
}

SimProfile OwnProfile(std::uint64_t xuid, const std::string& gamertag) { return Profile(xuid, gamertag, "3720"); }

} // namespace Vyro::XboxSim
