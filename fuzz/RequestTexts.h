#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "FuzzInput.h"

namespace VyroFuzz {

struct RequestText {
    const char* name;       // the export, without "VyroChannel_"
    const char* parameters; // a realistic parameter object, without requestId
};

// Every request export with members the stores read.
inline constexpr std::array<RequestText, 24> kRequests{{
    {"Init", R"({})"},
    {"Login", R"({})"},
    {"AuthToken", R"({"identity":"backend","forceRefresh":true})"},
    {"Products", R"({"productIds":["gems_100","sword","9PGEMS0100XB","5f1c2a9e0b7d4c38a6e3f4b2d1c09e87"]})"},
    {"Checkout", R"({"offerId":"gems_100_offer","storeId":"9PGEMS0550XB","google":{"obfuscatedAccountId":"a"}})"},
    {"CheckEntitlements", R"({"xbox":{"serviceTicket":"ticket","publisherUserId":"p"}})"},
    {"Consume", R"({"purchaseToken":"sim-token.starter_pack.0000","productId":"sword"})"},
    {"Query", R"({"key":"user"})"},
    {"CheckPrivilege", R"({"xbox":{"privilege":254}})"},
    {"ResolvePrivilege", R"({"xbox":{"privilege":254}})"},
    {"CheckPermission", R"({"xbox":{"account_id":["2533274900000101",2533274900000103],"permission":[1000],"anonymous":[1]}})"},
    {"ShowTextEntry", R"({"title":"Name","description":"d","defaultValue":"Hero","scope":0,"maxLength":16})"},
    {"ShowProfileCard", R"({"xuid":"2533274900000101"})"},
    {"ShowMessageDialog", R"({"title":"t","content":"c","button":["a","b","c"],"defaultButton":1,"cancelButton":2})"},
    {"ShowErrorDialog", R"({"errorCode":-2147467259,"content":"c"})"},
    {"FriendList", R"({})"},
    {"BlockList", R"({})"},
    {"UserProfile", R"({"xuid":"2533274900000101"})"},
    {"Achievements", R"({"action":"get","xbox":{"maxItems":2,"skipItems":1,"achievementId":"2","percentComplete":100}})"},
    {"Statistics", R"({"action":"update","xbox":{"stats":[{"name":"Level","value":"8"}],"names":["Level"]}})"},
    {"Leaderboard", R"({"xbox":{"statName":"Score","maxItems":2,"skipToRank":2}})"},
    {"Activity", R"({"action":"set","xbox":{"connectionString":"c","groupId":"g","maxPlayers":8,"currentPlayers":2,"xuids":["1"]}})"},
    {"Invite", R"({"action":"send","xbox":{"xuids":["2533274900000101"],"customActivationContext":"x"}})"},
    {"RecentPlayers", R"({"xbox":{"players":[{"xuid":"2533274900000101","encounterType":1}]}})"},
}};
inline constexpr std::size_t kRequestCount = kRequests.size();

// The request's parameters with its requestId, then changed as the input says: a member's value
// replaced by raw bytes or by a value of another JSON type, or the whole text replaced.
std::string MutatedParameters(const RequestText& request, const std::string& requestId, FuzzInput& input);

} // namespace VyroFuzz
