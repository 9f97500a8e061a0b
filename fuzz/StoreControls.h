#pragma once

// What the channel fuzzer knows of the store it was built for (VYRO_FUZZ_STORE): the channel's name
// in replies, the simulated runtime whose controls it drives, the controls (programmed failures,
// delays, store events, sign-outs, dialogs, invite bursts), the controls that release whatever a
// control held, and texts that must never reach a log line.
#include <array>
#include <string_view>

namespace VyroFuzz {

// The example configuration's client secret and the simulated stores' credentials and tokens.
inline constexpr std::array<const char*, 5> kSecrets{
    "placeholder-client-secret-not-real", "sim-access-", "sim-refresh-", "sim-exchange-code", "XBL3.0 x="};

#if defined(VYRO_FUZZ_STORE_STEAM)
inline constexpr const char* kChannelName = "steam";
inline constexpr const char* kSimulatorFile = "steam_api64.dll";
inline constexpr std::array<const char*, 9> kControls{
    R"({"op":"overlay","active":true})",
    R"({"op":"overlay","active":false,"userInitiated":true})",
    R"({"op":"microTxn","orderId":"4242424242","authorized":false})",
    R"({"op":"microTxn","orderId":"18446744073709551615","authorized":true})",
    R"({"op":"set","ticketResult":5})",
    R"({"op":"set","holdTickets":true})",
    R"({"op":"set","loggedOn":false})",
    R"({"op":"set","initResult":2,"initError":"Steam is not running"})",
    R"({"op":"set","personaName":"Zo\u00eb \ud83c\udfae \u0000 end","overlayEnabled":false})",
};
inline constexpr std::array<const char*, 2> kReleases{R"({"op":"set","holdTickets":false})", R"({"op":"releaseTickets"})"};
#elif defined(VYRO_FUZZ_STORE_GOOGLE)
inline constexpr const char* kChannelName = "google";
inline constexpr const char* kSimulatorFile = "play_pc_sdk.dll";
inline constexpr std::array<const char*, 7> kControls{
    R"({"op":"set","completionMode":"thread","delayMs":3})",
    R"({"op":"set","purchaseFlow":{"outcome":"cancel"}})",
    R"({"op":"set","purchaseFlow":{"outcome":"fail","code":3,"message":"Card declined"}})",
    R"({"op":"set","queryPurchasesFailure":{"code":2},"queryProductsFailure":{"code":6}})",
    R"({"op":"set","consumeFailure":{"code":8}})",
    R"({"op":"set","initCode":2,"initMessage":"Google Play Games is not running"})",
    R"({"op":"owned","purchases":[{"productId":"gems_100","quantity":3},{"productId":"\u0000\ud83d\ude00"}]})",
};
inline constexpr std::array<const char*, 1> kReleases{R"({"op":"drain","timeoutMs":2000})"};
#elif defined(VYRO_FUZZ_STORE_EPIC)
inline constexpr const char* kChannelName = "epic";
inline constexpr const char* kSimulatorFile = "EOSSDK-Win64-Shipping.dll";
inline constexpr std::array<const char*, 9> kControls{
    R"({"op":"loginStatus","status":0})",
    R"({"op":"loginStatus","status":2})",
    R"({"op":"set","checkoutResult":17})",
    R"({"op":"set","holdCheckouts":true})",
    R"({"op":"set","delayTicks":3})",
    R"({"op":"set","loginResults":[1003,0],"queryOffersResult":3})",
    R"({"op":"set","tokenNullTexts":["accessToken","refreshToken"],"offerCopyFailures":[{"index":1,"result":4001}]})",
    R"({"op":"set","copyTokenResult":2,"queryEntitlementsResult":3})",
    R"({"op":"log","level":300,"message":"Token refresh failed","threads":2,"messages":3})",
};
inline constexpr std::array<const char*, 3> kReleases{
    R"({"op":"set","holdCheckouts":false})", R"({"op":"releaseCheckouts"})", R"({"op":"joinLogThreads"})"};
#elif defined(VYRO_FUZZ_STORE_XBOX)
inline constexpr const char* kChannelName = "xbox";
inline constexpr const char* kSimulatorFile = "xgameruntime.dll";
inline constexpr std::array<const char*, 12> kControls{
    R"({"op":"signOut"})",
    R"({"op":"signIn"})",
    R"({"op":"set","holdWork":"running","waitLimitMs":200})",
    R"({"op":"set","workDelayMs":2})",
    R"({"op":"set","tokenResults":["0x89245111"],"addUserResults":["0x8015DC12"]})",
    R"({"op":"store","purchaseResults":["0x80004004"],"enumerateResults":[0,"0x80004005"],"pageSize":1})",
    R"({"op":"services","achievementsResults":["0x80190193"],"leaderboardResultSizeResult":"0x8007000E"})",
    R"({"op":"dialogs","holdOpen":true,"buttons":[1],"texts":["Zo\u00eb \ud83c\udfae \u0000"]})",
    R"({"op":"socialChanges","repeat":20,"changes":[{"kind":"added","xuid":99},{"kind":"removed","xuid":99}]})",
    R"({"op":"invite","uri":"ms-xbl-multiplayer://inviteHandleAccept/?connectionString=a%00b"})",
    R"({"op":"inviteBurst","count":20,"uriPrefix":"ms-xbl-multiplayer://inviteHandleAccept/?connectionString=room-","intervalMs":0})",
    R"({"op":"set","gamertag":"\ud83c\udfae\u0000\u00ff"})",
};
// Holds are lifted before what they held is released, so nothing begun in between stays held; a
// signed-out player signs in again, for requests that wait for a user.
inline constexpr std::array<const char*, 4> kReleases{
    R"({"op":"set","holdWork":"none"})", R"({"op":"dialogs","holdOpen":false})", R"({"op":"releaseWork"})",
    R"({"op":"signIn"})"};
#else // the library alone: no store runtime beside it
inline constexpr const char* kChannelName = "none";
inline constexpr const char* kSimulatorFile = "";
inline constexpr std::array<const char*, 1> kControls{""};
inline constexpr std::array<const char*, 0> kReleases{};
#endif

} // namespace VyroFuzz
