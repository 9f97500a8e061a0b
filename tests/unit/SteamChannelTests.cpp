// The Steam channel driven through a function table that points at the simulated Steam runtime,
// linked in: every call the channel makes is journalled by the simulator and checked here.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "LogCapture.h"
#include "SimulatedSteamApi.h"
#include "channels/steam/SteamChannelSDK.h"
#include "channels/steam/SteamLaunchCheck.h"

using namespace Vyro;
using nlohmann::json;
using VyroTest::LogCapture;

namespace {

constexpr int kError = 4;
constexpr int kWarning = 3;

struct Reply {
    int code;
    json body;
};

std::vector<Reply> replies;
void Record(int code, const char* text) { replies.push_back({code, json::parse(text)}); }

std::vector<Reply> events;
void RecordEvent(int code, const char* text) { events.push_back({code, json::parse(text)}); }

std::vector<Platform::ProcessAncestor> ancestors;
std::vector<Platform::ProcessAncestor> Ancestors() { return ancestors; }

json Sim(const json& request)
{
    const json reply = json::parse(VyroSim_Control(request.dump().c_str()));
    EXPECT_TRUE(reply.value("ok", false)) << request << " -> " << reply;
    return reply;
}

std::size_t CallCount(const std::string& function) { return Sim({{"op", "journal"}, {"fn", function}})["count"]; }

class SteamChannel : public ::testing::Test {
protected:
    void SetUp() override
    {
        replies.clear();
        events.clear();
        ancestors = {{41, "launcher.exe"}, {7, "steam.exe"}};
        Sim({{"op", "reset"}});
    }

    // Load and Init answered with success; the replies are cleared.
    void StartSteam()
    {
        replies.clear();
        channel.Load("", Record);
        channel.Init("", Record);
        ASSERT_EQ(replies.size(), 2u);
        ASSERT_EQ(replies[1].code, 0) << replies[1].body;
        replies.clear();
    }

    std::string RequestTicket(const json& params)
    {
        const std::size_t before = replies.size();
        channel.AuthToken(params.dump().c_str(), Record);
        EXPECT_EQ(replies.size(), before) << "a ticket is answered in a later Tick";
        channel.Tick();
        EXPECT_EQ(replies.size(), before + 1);
        return replies.size() == before + 1 ? replies.back().body.value("token", "") : "";
    }

    LogCapture log;
    SteamChannelSDK channel{LazyStoreApi<Steamworks::SteamApi>(SteamSim::SimulatedSteamApi()), &Ancestors};
};

} // namespace

TEST(SteamLaunchCheck, AnyAncestorNamedSteamExeInAnyLetterCase)
{
    using Steamworks::IsLaunchedBySteam;
    EXPECT_TRUE(IsLaunchedBySteam({{2, "game-launcher.exe"}, {1, "steam.exe"}}));
    EXPECT_TRUE(IsLaunchedBySteam({{1, "STEAM.EXE"}}));
    EXPECT_TRUE(IsLaunchedBySteam({{1, "Steam.Exe"}}));
    EXPECT_FALSE(IsLaunchedBySteam({{1, "steam.exe.bak"}}));
    EXPECT_FALSE(IsLaunchedBySteam({{1, "steam.ex"}}));
    EXPECT_FALSE(IsLaunchedBySteam({{1, "notsteam.exe"}}));
    EXPECT_FALSE(IsLaunchedBySteam({}));
}

TEST_F(SteamChannel, WithoutSteamAncestorLoadIsRefusedOnceAndSteamIsNotInitialised)
{
    ancestors = {{41, "explorer.exe"}};
    channel.Load("", Record);
    channel.Load("", Record);
    ASSERT_EQ(replies.size(), 2u);
    for (const Reply& reply : replies) {
        EXPECT_EQ(reply.code, -1002);
        EXPECT_EQ(reply.body, json({{"channel", "steam"}, {"message", "Game must be launched from Steam client"}}));
    }
    EXPECT_EQ(log.Messages(kError), std::vector<std::string>{"steam.exe - Steam client launch required"});
    EXPECT_EQ(CallCount("SteamInternal_SteamAPI_Init"), 0u);

    channel.Init("", Record);
    EXPECT_EQ(replies.back().code, -1002);
    EXPECT_EQ(log.Messages(kError).back(), "Steam API load failed previously: Game must be launched from Steam client");

    // Shut down after any verdict, then a fresh Load tries again.
    channel.Unload("", Record);
    EXPECT_EQ(replies.back().code, 0);
    EXPECT_EQ(CallCount("SteamAPI_Shutdown"), 1u);
    ancestors = {{7, "steam.exe"}};
    channel.Load("", Record);
    EXPECT_EQ(replies.back().code, 0);
}

TEST_F(SteamChannel, InitResultsMapToLoadCodesWithSteamsOwnText)
{
    struct Case {
        int initResult;
        int code;
        const char* logPrefix;
    };
    for (const Case& c : {Case{2, -1002, "Steam client not running: "}, Case{3, -1003, "Steam client version mismatch: "},
                          Case{1, -1, "Steam API initialization failed: "}, Case{9, -1, "Steam API initialization failed: "}}) {
        SCOPED_TRACE(c.initResult);
        Sim({{"op", "reset"}});
        Sim({{"op", "set"}, {"initResult", c.initResult}, {"initError", "text from Steam"}});
        replies.clear();
        SteamChannelSDK fresh(LazyStoreApi<Steamworks::SteamApi>(SteamSim::SimulatedSteamApi()), &Ancestors);
        fresh.Load("", Record);
        fresh.Load("", Record);
        ASSERT_EQ(replies.size(), 2u);
        EXPECT_EQ(replies[0].code, c.code);
        EXPECT_EQ(replies[0].body, json({{"channel", "steam"}, {"message", "text from Steam"}}));
        EXPECT_EQ(replies[1].body, replies[0].body);
        EXPECT_EQ(log.Messages(kError).back(), std::string(c.logPrefix) + "text from Steam");
        EXPECT_EQ(CallCount("SteamInternal_SteamAPI_Init"), 1u);
    }
}

TEST_F(SteamChannel, InitErrorTextThatIsNotUtf8StillGivesJson)
{
    Sim({{"op", "set"}, {"initResult", 2}, {"initErrorHex", "53C3FF74"}});
    channel.Load("", Record);
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0].body["message"], "S\xEF\xBF\xBD\xEF\xBF\xBDt");
}

TEST_F(SteamChannel, LoadPassesTheInterfaceVersionListInOrder)
{
    channel.Load("", Record);
    const json calls = Sim({{"op", "journal"}, {"fn", "SteamInternal_SteamAPI_Init"}})["calls"];
    ASSERT_EQ(calls.size(), 1u);
    const json versions = calls[0]["versions"];
    ASSERT_EQ(versions.size(), 26u);
    EXPECT_EQ(versions.front(), "SteamUtils010");
    EXPECT_EQ(versions[4], "SteamFriends018");
    EXPECT_EQ(versions[24], "SteamUser023");
    EXPECT_EQ(versions.back(), "STEAMVIDEO_INTERFACE_V007");
}

TEST_F(SteamChannel, InitNeedsLoadAndRegistersTheThreeCallbacksOnce)
{
    channel.Init("", Record);
    EXPECT_EQ(replies.back().code, -1);
    EXPECT_EQ(replies.back().body, json({{"channel", "steam"}, {"message", "Load() must be called before Init()"}}));
    EXPECT_EQ(log.Messages(kError).back(), "Steam API not loaded - Load() must be called before Init()");

    channel.Load("", Record);
    channel.Init("{\"requestId\":\"r\"}", Record);
    channel.Init("", Record);
    const json appIdReply{{"channel", "steam"}, {"steam", {{"appId", 480}}}};
    EXPECT_EQ(replies[replies.size() - 2].body, appIdReply);
    EXPECT_EQ(replies.back().body, appIdReply);

    const json registrations = Sim({{"op", "journal"}, {"fn", "SteamAPI_RegisterCallback"}})["calls"];
    ASSERT_EQ(registrations.size(), 3u);
    const int ids[] = {152, 168, 331};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(registrations[i]["callbackId"], ids[i]);
        EXPECT_EQ(registrations[i]["sizeMatches"], true) << registrations[i];
    }
}

TEST_F(SteamChannel, LoginReportsTheSignedInUser)
{
    channel.Login("{\"requestId\":\"r0\"}", Record);
    EXPECT_EQ(replies.back().body, json({{"channel", "steam"}, {"message", "Steam API not initialized"}, {"requestId", "r0"}}));
    StartSteam();

    channel.Login("{\"requestId\":\"r1\"}", Record);
    EXPECT_EQ(replies.back().code, 0);
    EXPECT_EQ(replies.back().body, json({{"authenticated", true},
                                         {"channel", "steam"},
                                         {"requestId", "r1"},
                                         {"steam",
                                          {{"Id", "76561198000000042"},
                                           {"nickName", "Zo\xC3\xAB \xC3\x85ngstr\xC3\xB6m \xF0\x9F\x8E\xAE"},
                                           {"overlayEnabled", true}}}}));

    Sim({{"op", "set"}, {"personaName", nullptr}, {"steamId", "18446744073709551615"}, {"overlayEnabled", false}});
    channel.Login("", Record);
    EXPECT_EQ(replies.back().body["steam"],
              json({{"Id", "18446744073709551615"}, {"nickName", ""}, {"overlayEnabled", false}}));

    Sim({{"op", "set"}, {"loggedOn", false}});
    channel.Login("{\"requestId\":\"r2\"}", Record);
    EXPECT_EQ(replies.back().code, -1);
    EXPECT_EQ(replies.back().body, json({{"channel", "steam"}, {"message", "User not logged on to Steam"}, {"requestId", "r2"}}));
    EXPECT_EQ(log.Messages(kError).back(), "User not logged on to Steam");
}

TEST_F(SteamChannel, TicketIsAnsweredInALaterTickAsUpperCaseHex)
{
    StartSteam();
    Sim({{"op", "set"}, {"ticketHex", "00010FA0ff"}});
    EXPECT_EQ(RequestTicket({{"requestId", "t1"}, {"identity", "my-web-service"}}), "00010FA0FF");
    EXPECT_EQ(replies.back().body, json({{"channel", "steam"}, {"requestId", "t1"}, {"token", "00010FA0FF"}}));
    EXPECT_EQ(Sim({{"op", "journal"}, {"fn", "SteamAPI_ISteamUser_GetAuthTicketForWebApi"}})["calls"][0]["identity"],
              "my-web-service");

    Sim({{"op", "set"}, {"ticketSize", 0}});
    EXPECT_EQ(RequestTicket({{"identity", 42}}), "");
    EXPECT_EQ(Sim({{"op", "journal"}, {"fn", "SteamAPI_ISteamUser_GetAuthTicketForWebApi"}})["calls"][1]["identity"], "");

    Sim({{"op", "set"}, {"ticketSize", 2560}});
    EXPECT_EQ(RequestTicket(json::array()).size(), 5120u);

    const std::string hugeIdentity(1 << 20, 'i');
    RequestTicket({{"identity", hugeIdentity}});
    EXPECT_EQ(Sim({{"op", "journal"}, {"fn", "SteamAPI_ISteamUser_GetAuthTicketForWebApi"}})["calls"][3]["identity"],
              hugeIdentity);
}

TEST_F(SteamChannel, TicketFailuresAnswerWithTheRequestId)
{
    StartSteam();
    Sim({{"op", "set"}, {"ticketResult", 5}});
    RequestTicket({{"requestId", "t2"}});
    EXPECT_EQ(replies.back().code, -1);
    EXPECT_EQ(replies.back().body,
              json({{"channel", "steam"}, {"message", "Failed to get auth ticket (EResult: 5)"}, {"requestId", "t2"}}));
    EXPECT_EQ(log.Messages(kError).back(), "Auth ticket failed - Result: 5");

    Sim({{"op", "set"}, {"ticketHandleZero", true}});
    channel.AuthToken("{\"requestId\":\"t3\"}", Record);
    EXPECT_EQ(replies.back().body, json({{"channel", "steam"}, {"message", "Failed to get auth ticket"}, {"requestId", "t3"}}));
    EXPECT_EQ(log.Messages(kError).back(), "Failed to get auth ticket for web API");
}

TEST_F(SteamChannel, UnloadDropsPendingTicketsWithoutAnswering)
{
    StartSteam();
    Sim({{"op", "set"}, {"holdTickets", true}});
    channel.AuthToken("{\"requestId\":\"never\"}", Record);
    channel.Tick();
    channel.Unload("", Record);
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0].body, json({{"channel", "steam"}}));
    EXPECT_EQ(CallCount("SteamAPI_UnregisterCallback"), 3u);
    EXPECT_EQ(CallCount("SteamAPI_Shutdown"), 1u);

    // Steam answers the dropped ticket after a new session started: only a warning.
    StartSteam();
    Sim({{"op", "ticketResponse"}, {"handle", 1}, {"result", 1}});
    channel.Tick();
    EXPECT_TRUE(replies.empty());
    EXPECT_EQ(log.Messages(kWarning).back(), "Received auth ticket response for unknown handle: 1");
}

TEST_F(SteamChannel, OverlayChangesAndPurchasesBecomeEventsInTheSameTick)
{
    channel.RegisterCallback(0, RecordEvent);
    channel.RegisterCallback(1, RecordEvent);
    StartSteam();
    for (bool active : {true, true, false, false, true}) {
        Sim({{"op", "overlay"}, {"active", active}});
    }
    Sim({{"op", "microTxn"}, {"orderId", "18446744073709551615"}, {"authorized", 1}});
    Sim({{"op", "microTxn"}, {"orderId", 7}, {"authorized", 0}});
    Sim({{"op", "microTxn"}, {"orderId", 8}, {"authorized", 2}});
    channel.Tick();
    ASSERT_EQ(events.size(), 6u);
    const json shown{{"active", true}, {"appId", 480}, {"channel", "steam"}};
    const json hidden{{"active", false}, {"appId", 480}, {"channel", "steam"}};
    EXPECT_EQ(events[0].body, shown);
    EXPECT_EQ(events[1].body, hidden);
    EXPECT_EQ(events[2].body, shown);
    EXPECT_EQ(events[3].code, 0);
    EXPECT_EQ(events[3].body,
              json({{"appId", 480}, {"authorized", true}, {"channel", "steam"}, {"orderId", "18446744073709551615"}}));
    EXPECT_EQ(events[4].code, -1);
    EXPECT_EQ(events[4].body["authorized"], false);
    // Any non-zero byte counts as answered, but only 1 as authorised.
    EXPECT_EQ(events[5].code, 0);
    EXPECT_EQ(events[5].body["authorized"], false);
}

TEST_F(SteamChannel, TickBeforeInitTouchesNothing)
{
    channel.RegisterCallback(1, RecordEvent);
    channel.Load("", Record);
    Sim({{"op", "overlay"}, {"active", true}});
    channel.Tick();
    EXPECT_EQ(Sim({{"op", "state"}})["runCallbacks"], 0);
    EXPECT_TRUE(events.empty());
}

TEST_F(SteamChannel, ExceptionFromTheAnswerIsContainedInTheHandler)
{
    StartSteam();
    channel.AuthToken("{}", [](int, const char*) { throw std::runtime_error("game callback failed"); });
    channel.Tick();
    EXPECT_EQ(log.Messages(kError).back(), "Exception in OnGetTicketForWebApiResponse: game callback failed");
    channel.AuthToken("{}", [](int, const char*) { throw 5; });
    channel.Tick();
    EXPECT_EQ(log.Messages(kError).back(), "Unknown exception in OnGetTicketForWebApiResponse");
}

TEST_F(SteamChannel, UnloadFromInsideAnAnswerOrEventIsSafe)
{
    static SteamChannelSDK* unloading = nullptr;
    unloading = &channel;
    StartSteam();
    channel.AuthToken("{}", [](int, const char*) { unloading->Unload("", Record); });
    channel.Tick();
    EXPECT_EQ(CallCount("SteamAPI_Shutdown"), 1u);
    channel.Tick();

    StartSteam();
    channel.RegisterCallback(1, [](int, const char*) { unloading->Unload("", Record); });
    Sim({{"op", "overlay"}, {"active", true}});
    Sim({{"op", "overlay"}, {"active", false}});
    channel.Tick();
    channel.Tick();
    EXPECT_EQ(CallCount("SteamAPI_Shutdown"), 2u);
    EXPECT_EQ(Sim({{"op", "state"}})["registered"], json::array());
}

TEST_F(SteamChannel, OtherRequestsAreNotImplemented)
{
    StartSteam();
    channel.Products("{\"requestId\":\"p\"}", Record);
    EXPECT_EQ(replies.back().code, -1);
    EXPECT_EQ(replies.back().body, json({{"channel", "steam"}, {"message", "Not implemented"}, {"requestId", "p"}}));
}

TEST(SteamChannelWithoutRuntime, MissingLibraryIsAnErrorReplyNotACrash)
{
    replies.clear();
    ancestors = {{7, "steam.exe"}};
    LogCapture log;
    {
        SteamChannelSDK channel(LazyStoreApi<Steamworks::SteamApi>(L"no_such_steam_api64.dll", Steamworks::BindSteamApi),
                                &Ancestors);
        channel.Load("", Record);
        channel.Init("", Record);
        channel.Tick();
        channel.Unload("", Record);
    }
    ASSERT_EQ(replies.size(), 3u);
    EXPECT_EQ(replies[0].code, -1);
    EXPECT_EQ(replies[0].body, json({{"channel", "steam"}, {"message", "Failed to load steam_api64.dll"}}));
    EXPECT_EQ(replies[1].body, replies[0].body);
    EXPECT_EQ(replies[2].code, 0);
    EXPECT_EQ(log.Messages(kError).front().rfind("Failed to load DLL no_such_steam_api64.dll, error: ", 0), 0u);
}
