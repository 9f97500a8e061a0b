// The simulated Steam runtime in process: control requests, what the exports answer, and callback
// delivery, including callbacks that call back into the runtime while it delivers.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <nlohmann/json.hpp>

#include "SimControlRequests.h"
#include "SteamSim.h"
#include "common/Platform.h"
#include "core/StoreLibrary.h"

using namespace Vyro;
using nlohmann::json;
using namespace SimControlRequests;

namespace {

// A callback object of the shape the channel registers; every Run is written to `deliveries`.
std::vector<std::string> deliveries;

class TestCallback final : public Steamworks::CallbackBase {
public:
    TestCallback(std::string name, int sizeBytes) : name_(std::move(name)), sizeBytes_(sizeBytes) {}

    void RunCallResult(void*, bool, Steamworks::ApiCallHandle) override { deliveries.push_back(name_ + ":call-result"); }
    void Run(void* param) override
    {
        deliveries.push_back(name_ + ":" + std::to_string(callbackId) + Detail(param));
        if (onRun) {
            onRun(param);
        }
    }
    int GetCallbackSizeBytes() override { return sizeBytes_; }

    std::function<void(void*)> onRun;

private:
    std::string Detail(void* param) const
    {
        switch (callbackId) {
        case Steamworks::GameOverlayActivated::kCallbackId:
            return ":" + std::to_string(static_cast<Steamworks::GameOverlayActivated*>(param)->overlayPid);
        case Steamworks::GetTicketForWebApiResponse::kCallbackId:
            return ":" + std::to_string(static_cast<Steamworks::GetTicketForWebApiResponse*>(param)->authTicket);
        default:
            return "";
        }
    }

    std::string name_;
    int sizeBytes_;
};

constexpr int kOverlay = Steamworks::GameOverlayActivated::kCallbackId;
constexpr int kPurchase = Steamworks::MicroTxnAuthorizationResponse::kCallbackId;
constexpr int kTicket = Steamworks::GetTicketForWebApiResponse::kCallbackId;

void QueueOverlay(int pid) { Sim({{"op", "overlay"}, {"active", true}, {"overlayPid", pid}}); }

class SteamSim : public ::testing::Test {
protected:
    void SetUp() override
    {
        Sim({{"op", "reset"}});
        deliveries.clear();
    }
    void Init() { ASSERT_EQ(SteamInternal_SteamAPI_Init(Steamworks::kInterfaceVersions, &errorText), Steamworks::InitOk); }
    void* User() { return SteamInternal_FindOrCreateUserInterface(SteamAPI_GetHSteamUser(), Steamworks::kUserInterfaceVersion); }
    void* Friends() { return SteamInternal_FindOrCreateUserInterface(SteamAPI_GetHSteamUser(), Steamworks::kFriendsInterfaceVersion); }
    void* Utils() { return SteamInternal_FindOrCreateUserInterface(0, Steamworks::kUtilsInterfaceVersion); }

    Steamworks::InitErrorText errorText{};
};

} // namespace

TEST_F(SteamSim, RefusesBadControlRequestsWithAMessageNamingTheFault)
{
    const std::vector<std::pair<std::string, std::string>> cases{
        {"{\"op\":", "the request is not valid JSON: "},
        {R"({"op":"set","appId":1e999})", "the request is not valid JSON: "},
        {"[1]", "the request must be a JSON object with an \"op\""},
        {"{\"op\":5}", "the request needs \"op\" as a string (one of reset, set, overlay, microTxn, ticketResponse, "
                       "releaseTickets, journal, state)"},
        {R"({"op":"fly"})", "unknown op \"fly\" (one of "},
        {R"({"op":"set","appid":7})", "set: unknown member \"appid\" (it takes initResult, "},
        {R"({"op":"state","all":true})", "state: unknown member \"all\" (it takes none)"},
        {R"({"op":"set","appId":-1})", "set: \"appId\" must be an integer from 0 to 4294967295, got -1"},
        {R"({"op":"set","appId":4294967296})", "set: \"appId\" must be an integer from 0 to 4294967295"},
        {R"({"op":"set","initResult":2147483648})", "set: \"initResult\" must be an integer from -2147483648"},
        {R"({"op":"set","appId":480.0})", "set: \"appId\" must be an integer"},
        {R"({"op":"set","loggedOn":1})", "set: \"loggedOn\" must be true or false, got 1"},
        {R"({"op":"set","steamId":"12x"})", "set: \"steamId\" must be an unsigned 64-bit integer"},
        {R"({"op":"set","steamId":"18446744073709551616"})", "set: \"steamId\" must be an unsigned 64-bit integer"},
        {R"({"op":"set","steamId":-5})", "set: \"steamId\" must be an unsigned 64-bit integer"},
        {R"({"op":"set","ticketSize":2561})", "set: \"ticketSize\" must be an integer from 0 to 2560"},
        {R"({"op":"set","ticketHex":"ABC"})", "set: \"ticketHex\" must be hexadecimal digit pairs"},
        {R"({"op":"set","ticketHex":"0g"})", "set: \"ticketHex\" must be hexadecimal digit pairs"},
        {R"({"op":"set","ticketHex":")" + std::string(2 * 2561, 'A') + "\"}", "set: \"ticketHex\" must be hexadecimal digit pairs for at most 2560 bytes, got \"AAAA"},
        {R"({"op":"set","ticketHex":"00","ticketSize":1})", "set: give \"ticketHex\" or \"ticketSize\", not both"},
        {R"({"op":"set","personaName":5})", "set: \"personaName\" must be a string"},
        {R"({"op":"overlay"})", "overlay: \"active\" is required"},
        {R"({"op":"overlay","active":256})", "overlay: \"active\" must be an integer from 0 to 255"},
        {R"({"op":"microTxn","orderId":1,"authorized":"yes"})", "microTxn: \"authorized\" must be true, false or"},
        {R"({"op":"ticketResponse"})", "ticketResponse: \"handle\" is required"},
        {R"({"op":"journal","fn":5})", "journal: \"fn\" must be a string"},
    };
    for (const auto& [request, error] : cases) {
        const json reply = Control(request);
        EXPECT_EQ(reply["ok"], false) << request;
        EXPECT_TRUE(reply.value("error", "").starts_with(error)) << request << " -> " << reply;
    }
    EXPECT_EQ(json::parse(VyroSim_Control(nullptr))["error"], "no request: the control text is null");

    // A request with one bad member applies none of its members.
    EXPECT_EQ(Control(R"({"op":"set","appId":7,"loggedOn":"no"})")["ok"], false);
    EXPECT_EQ(Control(R"({"op":"overlay","active":true,"appId":-2})")["ok"], false);
    Init();
    EXPECT_EQ(SteamAPI_ISteamUtils_GetAppID(Utils()), 480u);
    EXPECT_TRUE(SteamAPI_ISteamUser_BLoggedOn(User()));
    EXPECT_EQ(Sim({{"op", "state"}})["queued"], 0);
}

TEST_F(SteamSim, InitJournalsTheVersionListAndWritesErrorTextsThatAlwaysFitTheBuffer)
{
    EXPECT_EQ(SteamAPI_GetHSteamUser(), 0);
    Init();
    EXPECT_EQ(errorText[0], '\0');
    EXPECT_EQ(SteamAPI_GetHSteamUser(), 1);
    const json versions = Calls("SteamInternal_SteamAPI_Init")[0]["versions"];
    ASSERT_EQ(versions.size(), 26u);
    EXPECT_EQ(versions[0], "SteamUtils010");
    EXPECT_EQ(versions[24], "SteamUser023");
    EXPECT_EQ(versions[25], "STEAMVIDEO_INTERFACE_V007");

    Sim({{"op", "reset"}});
    Sim({{"op", "set"}, {"initResult", 2}});
    EXPECT_EQ(SteamInternal_SteamAPI_Init("", &errorText), Steamworks::InitNoSteamClient);
    EXPECT_EQ(std::string(errorText), "Cannot connect to the Steam client: Steam is not running or the user is not logged in");
    EXPECT_EQ(Sim({{"op", "state"}})["initialised"], false);
    EXPECT_EQ(Calls("SteamInternal_SteamAPI_Init")[0]["versions"], json::array());

    Sim({{"op", "set"}, {"initResult", 3}, {"initErrorHex", "41FF00" + std::string(3000, 'B')}});
    std::fill(std::begin(errorText), std::end(errorText), 'x');
    EXPECT_EQ(SteamInternal_SteamAPI_Init(nullptr, &errorText), Steamworks::InitVersionMismatch);
    EXPECT_EQ(std::string(errorText), "A\xFF") << "bytes passed as given, up to their NUL";

    Sim({{"op", "set"}, {"initError", std::string(2000, 'e')}});
    std::fill(std::begin(errorText), std::end(errorText), 'x');
    SteamInternal_SteamAPI_Init(nullptr, &errorText);
    EXPECT_EQ(std::string(errorText), std::string(Steamworks::kInitErrorSize - 1, 'e'));
    SteamInternal_SteamAPI_Init(nullptr, nullptr);
}

TEST_F(SteamSim, InterfacesAreHandedOutOnlyToTheCurrentUserAndRefuseForeignPointers)
{
    EXPECT_EQ(User(), nullptr) << "not initialised";
    Init();
    ASSERT_NE(User(), nullptr);
    EXPECT_NE(User(), Friends());
    EXPECT_NE(Friends(), Utils());
    EXPECT_NE(Utils(), nullptr);
    Sim({{"op", "journal"}, {"clear", true}});
    EXPECT_EQ(SteamInternal_FindOrCreateUserInterface(2, Steamworks::kUserInterfaceVersion), nullptr);
    EXPECT_EQ(SteamInternal_FindOrCreateUserInterface(1, "SteamUser022"), nullptr);
    EXPECT_EQ(SteamInternal_FindOrCreateUserInterface(1, nullptr), nullptr);
    EXPECT_EQ(SteamInternal_FindOrCreateUserInterface(7, Steamworks::kUtilsInterfaceVersion), Utils());
    EXPECT_EQ(Calls("SteamInternal_FindOrCreateUserInterface")[0],
              json({{"fn", "SteamInternal_FindOrCreateUserInterface"}, {"user", 2}, {"version", "SteamUser023"},
                    {"result", nullptr}, {"error", "user handle is not the current user"}}));

    EXPECT_EQ(SteamAPI_ISteamUser_GetSteamID(User()), 76561198000000042ull);
    EXPECT_STREQ(SteamAPI_ISteamFriends_GetPersonaName(Friends()), "Zo\xC3\xAB \xC3\x85ngstr\xC3\xB6m \xF0\x9F\x8E\xAE");
    EXPECT_TRUE(SteamAPI_ISteamUtils_IsOverlayEnabled(Utils()));

    EXPECT_FALSE(SteamAPI_ISteamUser_BLoggedOn(Friends()));
    EXPECT_EQ(SteamAPI_ISteamFriends_GetPersonaName(User()), nullptr);
    EXPECT_EQ(SteamAPI_ISteamUser_GetAuthTicketForWebApi(nullptr, nullptr), 0u);
    EXPECT_EQ(Calls("SteamAPI_ISteamUser_BLoggedOn")[0],
              json({{"fn", "SteamAPI_ISteamUser_BLoggedOn"}, {"error", "not the SteamUser023 interface pointer"},
                    {"result", false}}));
    EXPECT_EQ(Calls("SteamAPI_ISteamUser_GetAuthTicketForWebApi")[0]["identity"], nullptr);

    // A name handed out stays readable after another is programmed.
    const char* before = SteamAPI_ISteamFriends_GetPersonaName(Friends());
    Sim({{"op", "set"}, {"personaName", nullptr}, {"steamId", "18446744073709551615"}});
    EXPECT_EQ(SteamAPI_ISteamFriends_GetPersonaName(Friends()), nullptr);
    EXPECT_STREQ(before, "Zo\xC3\xAB \xC3\x85ngstr\xC3\xB6m \xF0\x9F\x8E\xAE");
    EXPECT_EQ(SteamAPI_ISteamUser_GetSteamID(User()), 18446744073709551615ull);

    SteamAPI_Shutdown();
    EXPECT_FALSE(SteamAPI_ISteamUtils_IsOverlayEnabled(Utils())) << "a pointer kept past Shutdown";
}

TEST_F(SteamSim, TicketsCountUpAndTheirResponsesComeWithTheNextRunCallbacksOrWhenReleased)
{
    Init();
    TestCallback tickets("t", sizeof(Steamworks::GetTicketForWebApiResponse));
    std::vector<Steamworks::GetTicketForWebApiResponse> received;
    tickets.onRun = [&](void* param) { received.push_back(*static_cast<Steamworks::GetTicketForWebApiResponse*>(param)); };
    SteamAPI_RegisterCallback(&tickets, kTicket);

    EXPECT_EQ(SteamAPI_ISteamUser_GetAuthTicketForWebApi(User(), "backend"), 1u);
    EXPECT_EQ(SteamAPI_ISteamUser_GetAuthTicketForWebApi(User(), ""), 2u);
    EXPECT_TRUE(received.empty());
    SteamAPI_RunCallbacks();
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[1].authTicket, 2u);
    EXPECT_EQ(received[0].result, Steamworks::kResultOk);
    ASSERT_EQ(received[0].ticketSize, 240);
    const std::vector<std::uint8_t> ticket(received[0].ticket, received[0].ticket + 240);
    EXPECT_EQ(ticket[0], 0x0B);
    EXPECT_NE(std::find(ticket.begin(), ticket.end(), 0x00), ticket.end());
    EXPECT_EQ(Calls("SteamAPI_ISteamUser_GetAuthTicketForWebApi")[0]["identity"], "backend");

    Sim({{"op", "set"}, {"holdTickets", true}, {"ticketResult", 5}, {"ticketHex", "00010FA0ff"}});
    EXPECT_EQ(SteamAPI_ISteamUser_GetAuthTicketForWebApi(User(), ""), 3u);
    SteamAPI_RunCallbacks();
    EXPECT_EQ(received.size(), 2u);
    EXPECT_EQ(Sim({{"op", "releaseTickets"}})["released"], 1);
    Sim({{"op", "ticketResponse"}, {"handle", 99}, {"ticketSize", 0}});
    SteamAPI_RunCallbacks();
    ASSERT_EQ(received.size(), 4u);
    EXPECT_EQ(received[2].result, 5);
    EXPECT_EQ(std::vector<std::uint8_t>(received[2].ticket, received[2].ticket + received[2].ticketSize),
              (std::vector<std::uint8_t>{0x00, 0x01, 0x0F, 0xA0, 0xFF}));
    EXPECT_EQ(received[3].authTicket, 99u);
    EXPECT_EQ(received[3].ticketSize, 0);

    Sim({{"op", "set"}, {"ticketHandleZero", true}});
    EXPECT_EQ(SteamAPI_ISteamUser_GetAuthTicketForWebApi(User(), ""), 0u);
    EXPECT_EQ(Sim({{"op", "state"}})["queued"], 0);
    EXPECT_EQ(Sim({{"op", "state"}})["held"], 0);
}

TEST_F(SteamSim, RegistrationSetsTheFlagAndIdAndJournalsWhetherTheObjectHasTheRecordSize)
{
    TestCallback purchase("p", 24), overlay("o", sizeof(Steamworks::GameOverlayActivated));
    SteamAPI_RegisterCallback(&purchase, kPurchase);
    SteamAPI_RegisterCallback(&overlay, kOverlay);
    SteamAPI_RegisterCallback(nullptr, kOverlay);
    EXPECT_EQ(purchase.callbackFlags, Steamworks::CallbackBase::kFlagRegistered);
    EXPECT_EQ(purchase.callbackId, kPurchase);
    const json registrations = Calls("SteamAPI_RegisterCallback");
    EXPECT_EQ(registrations[0]["sizeBytes"], 24);
    EXPECT_EQ(registrations[0]["expectedSize"], sizeof(Steamworks::MicroTxnAuthorizationResponse));
    EXPECT_EQ(registrations[0]["sizeMatches"], sizeof(Steamworks::MicroTxnAuthorizationResponse) == 24);
    EXPECT_EQ(registrations[1]["sizeMatches"], true);
    EXPECT_EQ(registrations[2]["error"], "null callback object");
    EXPECT_EQ(Sim({{"op", "state"}})["registered"], json({kPurchase, kOverlay}));

    purchase.callbackFlags |= Steamworks::CallbackBase::kFlagGameServer;
    SteamAPI_UnregisterCallback(&purchase);
    SteamAPI_UnregisterCallback(&purchase);
    EXPECT_EQ(purchase.callbackFlags, Steamworks::CallbackBase::kFlagGameServer);
    EXPECT_EQ(Calls("SteamAPI_UnregisterCallback")[1], json({{"fn", "SteamAPI_UnregisterCallback"},
                                                             {"callbackId", kPurchase}, {"wasRegistered", false}}));
    EXPECT_EQ(Sim({{"op", "state"}})["registered"], json({kOverlay}));
}

TEST_F(SteamSim, DeliversRecordsInQueueOrderToReceiversInRegistrationOrder)
{
    TestCallback first("a", 12), second("b", 12), purchase("p", 16);
    SteamAPI_RegisterCallback(&first, kOverlay);
    SteamAPI_RegisterCallback(&purchase, kPurchase);
    SteamAPI_RegisterCallback(&second, kOverlay);
    QueueOverlay(1);
    Sim({{"op", "microTxn"}, {"orderId", "18446744073709551615"}});
    QueueOverlay(2);
    SteamAPI_RunCallbacks();
    EXPECT_TRUE(deliveries.empty()) << "not initialised: the records wait";
    Init();
    SteamAPI_RunCallbacks();
    EXPECT_EQ(deliveries, (std::vector<std::string>{"a:331:1", "b:331:1", "p:152", "a:331:2", "b:331:2"}));
    const json runs = Calls("SteamAPI_RunCallbacks");
    ASSERT_EQ(runs.size(), 3u) << "only calls that delivered";
    EXPECT_EQ(runs[1], json({{"fn", "SteamAPI_RunCallbacks"}, {"callbackId", kPurchase}, {"orderId", 18446744073709551615ull},
                             {"authorized", 1}, {"receivers", 1}}));
    SteamAPI_RunCallbacks();
    EXPECT_EQ(Calls("SteamAPI_RunCallbacks").size(), 3u);
    EXPECT_EQ(Sim({{"op", "state"}})["runCallbacks"], 3);

    // Shutdown drops what is queued; registrations stay.
    QueueOverlay(3);
    SteamAPI_Shutdown();
    Init();
    SteamAPI_RunCallbacks();
    EXPECT_EQ(deliveries.size(), 5u);
}

TEST_F(SteamSim, CallbacksMayCallBackIntoTheRuntimeWhileItDelivers)
{
    Init();
    TestCallback first("a", 12), self("s", 12);
    auto second = std::make_unique<TestCallback>("b", 12);
    SteamAPI_RegisterCallback(&first, kOverlay);
    SteamAPI_RegisterCallback(second.get(), kOverlay);
    SteamAPI_RegisterCallback(&self, kOverlay);
    // The first receiver drops the second (as a channel being unloaded would), queues a record,
    // pumps again and asks for a ticket; the third unregisters itself.
    first.onRun = [&](void*) {
        if (second) {
            SteamAPI_UnregisterCallback(second.get());
            second.reset();
            QueueOverlay(9);
            SteamAPI_RunCallbacks();
            SteamAPI_ISteamUser_GetAuthTicketForWebApi(User(), "");
        }
    };
    self.onRun = [&](void*) { SteamAPI_UnregisterCallback(&self); };
    QueueOverlay(1);
    QueueOverlay(2);
    SteamAPI_RunCallbacks();
    EXPECT_EQ(deliveries, (std::vector<std::string>{"a:331:1", "s:331:1", "a:331:2"}));
    EXPECT_EQ(Sim({{"op", "state"}})["queued"], 2) << "queued during delivery: left for the next call";
    deliveries.clear();
    SteamAPI_RunCallbacks();
    EXPECT_EQ(deliveries, std::vector<std::string>{"a:331:9"});

    // Shutdown from a callback ends the delivery: the rest of the batch is dropped.
    first.onRun = [](void*) { SteamAPI_Shutdown(); };
    QueueOverlay(3);
    QueueOverlay(4);
    deliveries.clear();
    SteamAPI_RunCallbacks();
    EXPECT_EQ(deliveries, std::vector<std::string>{"a:331:3"});
    EXPECT_EQ(Sim({{"op", "state"}})["queued"], 0);

    // So does a reset.
    Init();
    first.onRun = [](void*) { Sim({{"op", "reset"}}); };
    QueueOverlay(5);
    QueueOverlay(6);
    deliveries.clear();
    SteamAPI_RunCallbacks();
    EXPECT_EQ(deliveries, std::vector<std::string>{"a:331:5"});
}

TEST_F(SteamSim, RecordsQueuedFromAnotherThreadArriveOnceAndInOrder)
{
    Init();
    TestCallback overlay("o", 12);
    SteamAPI_RegisterCallback(&overlay, kOverlay);
    constexpr int kRecords = 200;
    std::thread producer([] {
        for (int pid = 1; pid <= kRecords; ++pid) {
            QueueOverlay(pid);
        }
    });
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (deliveries.size() < kRecords && std::chrono::steady_clock::now() < deadline) {
        SteamAPI_RunCallbacks();
    }
    producer.join();
    SteamAPI_RunCallbacks();
    ASSERT_EQ(deliveries.size(), static_cast<std::size_t>(kRecords));
    for (int pid = 1; pid <= kRecords; ++pid) {
        EXPECT_EQ(deliveries[pid - 1], "o:331:" + std::to_string(pid));
    }
}

// The built runtime files, as the library finds and binds them.
TEST(SteamSimRuntimeFiles, ExportEveryFunctionByNameAndCarryTheirFileVersions)
{
    const auto folder = std::filesystem::absolute(SIM_STEAM_RUNTIME).parent_path();
    const auto library = StoreLibrary::Load(folder.wstring(), L"steam_api64.dll");
    ASSERT_NE(library, nullptr);
    void (*function)() = nullptr;
    for (const char* name : {"SteamInternal_SteamAPI_Init", "SteamAPI_Shutdown", "SteamAPI_RunCallbacks",
                             "SteamAPI_RegisterCallback", "SteamAPI_UnregisterCallback", "SteamAPI_GetHSteamUser",
                             "SteamInternal_FindOrCreateUserInterface", "SteamAPI_ISteamUser_BLoggedOn",
                             "SteamAPI_ISteamUser_GetSteamID", "SteamAPI_ISteamUser_GetAuthTicketForWebApi",
                             "SteamAPI_ISteamFriends_GetPersonaName", "SteamAPI_ISteamUtils_GetAppID",
                             "SteamAPI_ISteamUtils_IsOverlayEnabled"}) {
        EXPECT_TRUE(library->Bind(name, function)) << name;
    }
    const char* (*control)(const char*) = nullptr;
    ASSERT_TRUE(library->Bind("VyroSim_Control", control));
    EXPECT_EQ(json::parse(control(R"({"op":"state"})"))["runCallbacks"], 0) << "a state of its own";

    const auto version = [](const char* path) {
        return Platform::GetFileVersion(std::filesystem::absolute(path).make_preferred().wstring());
    };
    EXPECT_EQ(version(SIM_STEAM_RUNTIME), (Platform::FileVersion{9, 60, 0, 0}));
    EXPECT_EQ(version(SIM_STEAM_RUNTIME_BELOW), (Platform::FileVersion{9, 59, 99, 99}));
    EXPECT_EQ(version(SIM_STEAM_RUNTIME_ABOVE), (Platform::FileVersion{9, 61, 0, 0}));
}
