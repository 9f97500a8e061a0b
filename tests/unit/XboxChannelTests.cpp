// The Xbox channel's lifecycle against the simulated GDK: Load, Init, Query, Unload and destruction.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "XboxChannelFixture.h"
#include "common/Platform.h"

namespace XboxTest {
namespace {

using Vyro::XboxChannelSDK;

constexpr char kOk[] = R"({"channel":"xbox"})";

// Every export called since the journal was last cleared, by name, in order.
std::vector<std::string> CalledFunctions()
{
    const json calls = Sim({{"op", "journal"}})["calls"];
    std::vector<std::string> names;
    for (const json& call : calls) {
        names.push_back(call["fn"].get<std::string>());
    }
    return names;
}

TEST_F(XboxChannelTest, LoadStartsTheRuntimeTheQueueAndTheServicesThenSignsInSilently)
{
    EXPECT_EQ(Call(&XboxChannelSDK::Load, {{"requestId", "ignored"}}).body, json::parse(kOk));
    EXPECT_EQ(CalledFunctions(), (std::vector<std::string>{"XGameRuntimeInitialize", "XTaskQueueCreate",
                                                              "XGameGetXboxTitleId", "XblInitialize", "XUserAddAsync"}));
    const json queue = Calls("XTaskQueueCreate")[0];
    EXPECT_EQ(queue["workMode"], "ThreadPool");
    EXPECT_EQ(queue["completionMode"], "Manual");
    EXPECT_EQ(Calls("XblInitialize")[0]["scid"], kScid);

    EXPECT_EQ(channel_->GetUserHandle(), nullptr) << "Load does not wait for the sign-in";
    TickUntil([&] { return channel_->GetUserHandle() != nullptr; });
    EXPECT_EQ(Calls("XUserRegisterForChangeEvent").size(), 1u);
    EXPECT_NE(channel_->GetStoreContext(), nullptr);
    EXPECT_EQ(Call(&XboxChannelSDK::Init, {{"requestId", "i"}}).body, json::parse(kOk));

    const Reply user = Call(&XboxChannelSDK::Query, {{"requestId", "q"}, {"key", "user"}});
    EXPECT_EQ(user.body, (json{{"channel", "xbox"},
                              {"requestId", "q"},
                              {"user",
                               {{"status", 0},
                                {"id", kXuid},
                                {"name", kGamertag},
                                {"xbox",
                                 {{"isStoreUser", true},
                                  {"sandboxId", "XDKS.1"},
                                  {"countryCode", Vyro::Platform::GetUserGeoName()}}}}}}));
}

TEST_F(XboxChannelTest, ARuntimeThatDoesNotStartIsReportedByItsHResult)
{
    struct Case {
        const char* result;
        int code;
        const char* message;
    };
    for (const Case& failure : {Case{"0x89240101", -1002, "Xbox Game Runtime not found"},
                                Case{"0x89240102", -1003, "Xbox Game Runtime version mismatch"},
                                Case{"0x80004005", -1, "Xbox Game Runtime initialization failed: 0x80004005"}}) {
        Sim({{"op", "reset"}});
        channel_ = MakeChannel();
        Sim({{"op", "set"}, {"initializeResult", failure.result}});
        const Reply load = Call(&XboxChannelSDK::Load, json::object());
        EXPECT_EQ(load.code, failure.code);
        EXPECT_EQ(load.body["message"], failure.message);
        EXPECT_EQ(load.body["third_error_code"], Signed(std::stoul(failure.result, nullptr, 16)));
        EXPECT_EQ(log_.Messages(Vyro::LogLevel::Error).back(), std::string("XGameRuntimeInitialize failed: ") + failure.result);
        EXPECT_EQ(Call(&XboxChannelSDK::Init, json::object()).body["message"],
                  "Xbox Game Runtime not initialized. Call Load() first.");
        EXPECT_EQ(Calls("XTaskQueueCreate").size(), 0u);
    }
}

// A runtime file that cannot be bound is what the runtime's own loader reports for a missing one.
TEST_F(XboxChannelTest, AMissingRuntimeLibraryIsARuntimeNotFound)
{
    XboxChannelSDK channel(Vyro::XboxBinding{
        Vyro::LazyStoreApi<Vyro::Gdk::GameRuntimeApi>(L"no_such_gaming_runtime.dll", &Vyro::Gdk::BindGameRuntimeApi),
        Vyro::LazyStoreApi<Vyro::Xbl::XblApi>(Vyro::XboxLinked::ServicesApi())});
    channel.Load(nullptr, &Record);
    ASSERT_EQ(Replies().size(), 1u);
    EXPECT_EQ(Replies()[0].code, -1002);
    EXPECT_EQ(Replies()[0].body, json::parse(R"({"channel":"xbox","message":"Xbox Game Runtime not found",)"
                                             R"("third_error_code":-1994129151})"));
    channel.Tick();
    channel.Unload(nullptr, &Record);
    EXPECT_EQ(Replies().back().body, json::parse(kOk));
}

TEST_F(XboxChannelTest, LaterStartFailuresLeaveTheRuntimeForUnloadAndInitSaysSo)
{
    Sim({{"op", "set"}, {"titleIdResult", "0x80070490"}});
    Reply load = Call(&XboxChannelSDK::Load, json::object());
    EXPECT_EQ(load.code, -1);
    EXPECT_EQ(load.body, json::parse(R"({"channel":"xbox","message":"Failed to get Xbox Title ID: 0x80070490",)"
                                     R"("third_error_code":-2147023728})"));

    Sim({{"op", "set"}, {"titleIdResult", 0}, {"xblInitializeResult", "0x80004005"}});
    load = Call(&XboxChannelSDK::Load, json::object());
    EXPECT_EQ(load.body["message"], "Failed to initialize Xbox Live services: 0x80004005");
    EXPECT_EQ(Calls("XGameRuntimeInitialize").size(), 1u) << "a started runtime is not started twice";
    EXPECT_EQ(Calls("XTaskQueueCloseHandle").size(), 1u) << "the queue of the failed Load is replaced";
    const Reply init = Call(&XboxChannelSDK::Init, json::object());
    EXPECT_EQ(init.body["message"], "Xbox Live services failed to initialize during Load.");
    EXPECT_EQ(log_.Messages(Vyro::LogLevel::Error).back(), "XSAPI initialization failed during Load");

    EXPECT_EQ(Call(&XboxChannelSDK::Unload, json::object()).body, json::parse(kOk));
    EXPECT_EQ(Sim({{"op", "state"}})["leftOpen"], json::object());
}

TEST_F(XboxChannelTest, ASecondLoadAnswersAtOnceWithoutStartingAgain)
{
    LoadAndSignIn();
    EXPECT_EQ(Call(&XboxChannelSDK::Load, json::object()).body, json::parse(kOk));
    EXPECT_EQ(Calls("XGameRuntimeInitialize").size(), 1u);
    EXPECT_EQ(Calls("XTaskQueueCreate").size(), 1u);
    EXPECT_EQ(Calls("XUserAddAsync").size(), 1u);
}

TEST_F(XboxChannelTest, QueryKeys)
{
    for (const json& params : {json::object(), json{{"key", ""}}, json{{"key", 5}}, json{{"key", {{"device", 1}}}}}) {
        EXPECT_EQ(Call(&XboxChannelSDK::Query, params).body, json::parse(R"({"channel":"xbox","message":"Query key is empty or missing"})"));
    }
    EXPECT_TRUE(log_.Messages(Vyro::LogLevel::Warning).empty());
    EXPECT_EQ(Call(&XboxChannelSDK::Query, {{"key", "device"}, {"requestId", "d"}}).body,
              json::parse(R"({"channel":"xbox","device":{"isDeviceHandheld":false},"requestId":"d"})"));
    EXPECT_EQ(Call(&XboxChannelSDK::Query, {{"key", "hasJoinSession"}}).body,
              json::parse(R"({"channel":"xbox","hasJoinSession":{"hasJoinSession":false}})"));
    const Reply user = Call(&XboxChannelSDK::Query, {{"key", "user"}});
    EXPECT_EQ(user.body["user"]["status"], 1);
    EXPECT_EQ(user.body["user"]["id"], "");
    EXPECT_EQ(user.body["user"]["xbox"]["sandboxId"], "") << "no runtime to ask before Load";
    const Reply unknown = Call(&XboxChannelSDK::Query, {{"key", "Device"}, {"requestId", "u"}});
    EXPECT_EQ(unknown.body, json::parse(R"({"channel":"xbox","message":"Unknown query key: Device","requestId":"u"})"));
    // (Windows versions without the device family query, Wine's among them, add a WARNING for "device".)
    EXPECT_EQ(log_.Messages(Vyro::LogLevel::Warning).back(), "XboxChannelSDK::Query unknown key: Device");
    EXPECT_TRUE(CalledFunctions().empty()) << "Query before Load calls no GDK function";
}

TEST_F(XboxChannelTest, UnloadStopsEverythingInOrderAndLeavesNothingOpen)
{
    EXPECT_EQ(Call(&XboxChannelSDK::Unload, json::object()).body, json::parse(kOk));
    EXPECT_TRUE(CalledFunctions().empty()) << "Unload without Load calls nothing";

    LoadAndSignIn();
    ASSERT_EQ(Call(&XboxChannelSDK::Achievements, {{"action", "update"}}).code, -1) << "an Xbox services context is made";
    Sim({{"op", "journal"}, {"clear", true}});
    EXPECT_EQ(Call(&XboxChannelSDK::Unload, {{"requestId", "u"}}).body, json::parse(kOk));
    std::vector<std::string> called = CalledFunctions();
    called.erase(std::unique(called.begin(), called.end()), called.end()); // the cleanup is polled
    EXPECT_EQ(called,
              (std::vector<std::string>{"XUserUnregisterForChangeEvent", "XGameInviteUnregisterForEvent",
                                        "XblContextCloseHandle", "XStoreCloseContextHandle", "XUserCloseHandle",
                                        "XblCleanupAsync", "XAsyncGetStatus", "XTaskQueueTerminate", "XTaskQueueDispatch",
                                        "XTaskQueueCloseHandle", "XGameRuntimeUninitialize"}));
    EXPECT_EQ(Calls("XUserUnregisterForChangeEvent")[0]["wait"], true);
    EXPECT_EQ(Calls("XTaskQueueTerminate")[0]["wait"], false);
    EXPECT_EQ(Sim({{"op", "state"}})["leftOpen"], json::object());

    Sim({{"op", "journal"}, {"clear", true}});
    channel_->Tick();
    EXPECT_EQ(Call(&XboxChannelSDK::Init, json::object()).code, -1);
    EXPECT_TRUE(CalledFunctions().empty()) << "nothing runs after Unload";
}

TEST_F(XboxChannelTest, UnloadThenLoadPlaysASessionAgain)
{
    LoadAndSignIn();
    Call(&XboxChannelSDK::Unload, json::object());
    LoadAndSignIn();
    EXPECT_EQ(Call(&XboxChannelSDK::Query, {{"key", "user"}}).body["user"]["id"], kXuid);
    EXPECT_EQ(Calls("XUserRegisterForChangeEvent").size(), 2u) << "registered again by the new sign-in";
}

} // namespace
} // namespace XboxTest
