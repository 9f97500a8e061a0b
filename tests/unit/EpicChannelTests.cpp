// The Epic channel's lifecycle, configuration and sign-in against the simulated EOS runtime: every
// call the channel makes is journalled by the simulator and checked here.
#include "EpicChannelFixture.h"

using namespace EpicTest;
using Vyro::EpicChannelSDK;
namespace LogLevel = Vyro::LogLevel;

namespace {

json Last(const std::string& function)
{
    const json calls = Calls(function);
    return calls.empty() ? json() : calls.back();
}

std::size_t CallCount(const std::string& function) { return Calls(function).size(); }

} // namespace

TEST_F(EpicChannelTest, LoadStartsEosWithTheConfigurationAndTheLauncherOverrides)
{
    auto config = CompleteConfig();
    config["epic.productName"] = "";
    config.erase("epic.productVersion");
    WriteConfig(config);
    LauncherArgs()["epicsandboxid"] = "";
    LauncherArgs()["epicdeploymentid"] = "deployment-from-launcher";

    const Reply load = Call(&EpicChannelSDK::Load, {{"requestId", "l1"}});
    EXPECT_EQ(load.code, 0);
    EXPECT_EQ(load.body, (json{{"channel", "epic"}, {"requestId", "l1"}}));

    const json initialize = Last("EOS_Initialize")["options"];
    EXPECT_EQ(initialize["apiVersion"], 4);
    EXPECT_EQ(initialize["productName"], "VyroChannel");
    EXPECT_EQ(initialize["productVersion"], "2.0");
    EXPECT_EQ(initialize["allocateMemoryFunction"], nullptr);
    const json platform = Last("EOS_Platform_Create")["options"];
    EXPECT_EQ(platform["apiVersion"], 14);
    EXPECT_EQ(platform["productId"], "product-0123");
    EXPECT_EQ(platform["sandboxId"], "sandbox-0123") << "an empty launcher value keeps the configured id";
    EXPECT_EQ(platform["deploymentId"], "deployment-from-launcher");
    EXPECT_EQ(platform["clientCredentials"], (json{{"clientId", "client-0123"}, {"clientSecret", "client-secret-0123"}}));
    EXPECT_EQ(platform["encryptionKey"], "5c0ffee15c0ffee15c0ffee15c0ffee15c0ffee15c0ffee15c0ffee15c0ffee1");
    EXPECT_EQ(platform["isServer"], 0);
    EXPECT_EQ(platform["flags"], 0);
    EXPECT_EQ(platform["cacheDirectory"], nullptr);
    EXPECT_EQ(Last("EOS_Logging_SetLogLevel")["level"], 300);
    const json credentials = Last("EOS_Auth_Login")["options"];
    EXPECT_EQ(credentials["scopeFlags"], 1);
    EXPECT_EQ(credentials["loginFlags"], 0);
    EXPECT_EQ(credentials["credentials"]["apiVersion"], 4);
    EXPECT_EQ(credentials["credentials"]["type"], 1);
    EXPECT_EQ(credentials["credentials"]["token"], kExchangeCode);
    EXPECT_EQ(credentials["credentials"]["id"], nullptr);
    EXPECT_EQ(CallCount("EOS_Auth_AddNotifyLoginStatusChanged"), 1u);

    // Before the launcher login's verdict Init succeeds without the account id.
    const Reply early = Call(&EpicChannelSDK::Init, {{"requestId", "i1"}});
    EXPECT_EQ(early.code, 0);
    EXPECT_EQ(early.body, (json{{"channel", "epic"},
                                {"requestId", "i1"},
                                {"epic",
                                 {{"productId", "product-0123"},
                                  {"sandboxId", "sandbox-0123"},
                                  {"deploymentId", "deployment-from-launcher"},
                                  {"clientId", "client-0123"}}}}));
    channel_.Tick();
    EXPECT_EQ(Call(&EpicChannelSDK::Init, json::object()).body["epic"]["accountId"], kAccountId);

    // A second Load answers at once and touches nothing.
    Sim({{"op", "journal"}, {"clear", true}});
    EXPECT_EQ(Call(&EpicChannelSDK::Load, json::object()).code, 0);
    EXPECT_EQ(Sim({{"op", "journal"}})["count"], 0);
    for (const std::string& line : log_.Messages(LogLevel::Warning)) {
        EXPECT_EQ(line.find("client-secret-0123"), std::string::npos) << line;
        EXPECT_EQ(line.find(kExchangeCode), std::string::npos) << line;
    }
}

TEST_F(EpicChannelTest, ConfigurationFailuresAnswerBeforeEosIsTouched)
{
    auto config = CompleteConfig();
    config.erase("epic.clientSecret");
    WriteConfig(config);
    const Reply missing = Call(&EpicChannelSDK::Load, {{"requestId", "r1"}});
    EXPECT_EQ(missing.code, -1);
    EXPECT_EQ(missing.body, json::parse(R"({"channel":"epic","epic":{"errorType":"config_read_failed"},)"
                                        R"("message":"Failed to read Epic config from MMKV","requestId":"r1"})"));
    EXPECT_EQ(log_.Messages(LogLevel::Warning).back(), "[EpicChannelSDK] Some config keys are missing");
    EXPECT_EQ(log_.Messages(LogLevel::Error).back(), "[EpicChannelSDK] Required Epic config fields are missing");
    EXPECT_EQ(CallCount("EOS_Initialize"), 0u);

    // A store that cannot be opened: the tests' program is not the library, so its folder is unknown.
    Vyro::ConfigReader closed;
    EpicChannelSDK unconfigured(Vyro::LazyStoreApi<Vyro::Eos::EosApi>(Vyro::EosSim::SimulatedEosApi()), closed, &CommandLine);
    unconfigured.Load("{}", &Record);
    EXPECT_EQ(Replies().back().body["epic"]["errorType"], "config_read_failed");
    EXPECT_EQ(log_.Messages(LogLevel::Warning).back(), "[EpicChannelSDK] ConfigReader init failed");

    // Init and Unload without a platform.
    EXPECT_EQ(Call(&EpicChannelSDK::Init, {{"requestId", "i"}}).body,
              (json{{"channel", "epic"}, {"message", "EOS platform not loaded. Call Load first."}, {"requestId", "i"}}));
    EXPECT_EQ(Call(&EpicChannelSDK::Unload, json::object()).code, 0);
    EXPECT_EQ(Sim({{"op", "journal"}})["count"], 0);
}

TEST_F(EpicChannelTest, StartUpFailuresOfEos)
{
    WriteConfig(CompleteConfig());
    Sim({{"op", "set"}, {"initializeResult", 10}});
    const Reply initialize = Call(&EpicChannelSDK::Load, json::object());
    EXPECT_EQ(initialize.code, -1);
    EXPECT_EQ(initialize.body, json::parse(R"({"channel":"epic","epic":{"eosResultString":"EOS_InvalidParameters",)"
                                           R"("errorType":"eos_initialize_failed","thirdErrorCode":10},)"
                                           R"("message":"EOS_Initialize failed: EOS_InvalidParameters","third_error_code":10})"));
    EXPECT_EQ(log_.Messages(LogLevel::Error).back(), "[EpicChannelSDK] EOS_Initialize failed: EOS_InvalidParameters");

    Sim({{"op", "set"}, {"initializeResult", 0}, {"platformCreateFails", true}});
    const Reply create = Call(&EpicChannelSDK::Load, json::object());
    EXPECT_EQ(create.body, json::parse(R"({"channel":"epic","epic":{"errorType":"eos_platform_create_failed"},)"
                                       R"("message":"EOS_Platform_Create failed"})"));
    EXPECT_EQ(CallCount("EOS_Shutdown"), 0u) << "EOS could never be initialised again";

    // The next Load finds EOS initialised (15) and goes on.
    Sim({{"op", "set"}, {"platformCreateFails", false}});
    EXPECT_EQ(Call(&EpicChannelSDK::Load, json::object()).code, 0);
    EXPECT_EQ(Last("EOS_Initialize")["result"], 15);
    EXPECT_EQ(Sim({{"op", "misuse"}})["count"], 0);
}

TEST_F(EpicChannelTest, LauncherCredentialTypes)
{
    WriteConfig(CompleteConfig());
    const std::pair<const char*, int> spellings[] = {{"RefreshToken", 5}, {"PERSISTENTAUTH", 2}, {"exchangeCode", 1},
                                                     {"password", 1}};
    for (const auto& [spelling, type] : spellings) {
        LauncherArgs()["AUTH_TYPE"] = spelling;
        EpicChannelSDK channel(Vyro::LazyStoreApi<Vyro::Eos::EosApi>(Vyro::EosSim::SimulatedEosApi()), reader_, &CommandLine);
        channel.Load("{}", nullptr);
        EXPECT_EQ(Last("EOS_Auth_Login")["options"]["credentials"]["type"], type) << spelling;
    }
    EXPECT_EQ(log_.Messages(LogLevel::Warning).back(), "[EpicChannelSDK] Unknown AUTH_TYPE: password");

    LauncherArgs().clear();
    channel_.Load("{}", nullptr);
    const json credentials = Last("EOS_Auth_Login")["options"]["credentials"];
    EXPECT_EQ(credentials["type"], 1);
    EXPECT_EQ(credentials["token"], "");
}

TEST_F(EpicChannelTest, LauncherLoginRetriesThreeTimesAtOnce)
{
    WriteConfig(CompleteConfig());
    Sim({{"op", "set"}, {"loginDefault", 1003}});
    channel_.Load("{}", &Record);
    for (int tick = 0; tick < 6; ++tick) {
        channel_.Tick();
    }
    const json logins = Calls("EOS_Auth_Login");
    ASSERT_EQ(logins.size(), 4u);
    for (const json& login : logins) {
        EXPECT_EQ(login["options"]["credentials"]["token"], kExchangeCode);
    }
    EXPECT_EQ(Logged(LogLevel::Warning, "[EpicAuth]"), (std::vector<std::string>{
                           "[EpicAuth] LauncherLogin failed (EOS_Auth_InvalidRefreshToken), retry 1/3",
                           "[EpicAuth] LauncherLogin failed (EOS_Auth_InvalidRefreshToken), retry 2/3",
                           "[EpicAuth] LauncherLogin failed (EOS_Auth_InvalidRefreshToken), retry 3/3"}));
    EXPECT_EQ(Logged(LogLevel::Error, "[Epic"),
              (std::vector<std::string>{"[EpicAuth] LauncherLogin failed: EOS_Auth_InvalidRefreshToken (after 3 retries)",
                                        "[EpicChannelSDK] Launcher login failed: code=-1, third=1003, "
                                        "msg=Login failed: EOS_Auth_InvalidRefreshToken"}));

    const Reply init = Call(&EpicChannelSDK::Init, {{"requestId", "i"}});
    EXPECT_EQ(init.code, -1);
    EXPECT_EQ(init.body, json::parse(R"({"channel":"epic","epic":{"eosResultString":"EOS_Auth_InvalidRefreshToken",)"
                                     R"("errorType":"login_failed","thirdErrorCode":1003},)"
                                     R"("message":"Login failed: EOS_Auth_InvalidRefreshToken","requestId":"i",)"
                                     R"("third_error_code":1003})"));
}

TEST_F(EpicChannelTest, LauncherLoginSucceedsOnItsLastRetryAndWaitsOutAnIncompleteResult)
{
    WriteConfig(CompleteConfig());
    Sim({{"op", "set"}, {"loginResults", json::array({1, 1, json::array({19, 0})})}, {"loginDefault", 1}});
    channel_.Load("{}", nullptr);
    for (int tick = 0; tick < 3; ++tick) {
        channel_.Tick();
    }
    EXPECT_FALSE(Call(&EpicChannelSDK::Init, json::object()).body["epic"].contains("accountId"))
        << "the third attempt is still running: EOS answered 19, operation will retry";
    channel_.Tick();
    EXPECT_EQ(Call(&EpicChannelSDK::Init, json::object()).body["epic"]["accountId"], kAccountId);
    EXPECT_EQ(CallCount("EOS_Auth_Login"), 3u);
}

TEST_F(EpicChannelTest, RefreshLoginAndTokens)
{
    // Before any sign-in.
    EXPECT_EQ(Call(&EpicChannelSDK::Login, {{"requestId", "x"}}).body,
              (json{{"channel", "epic"}, {"message", "EOS platform not loaded"}, {"requestId", "x"}}));
    WriteConfig(CompleteConfig());
    Sim({{"op", "set"}, {"loginDefault", 1001}});
    channel_.Load("{}", nullptr);
    for (int tick = 0; tick < 5; ++tick) {
        channel_.Tick();
    }
    const std::size_t logins = CallCount("EOS_Auth_Login");
    EXPECT_EQ(Call(&EpicChannelSDK::Login, {{"requestId", "x"}}).body["message"], "No refresh token available");
    channel_.Login("{}", nullptr);
    EXPECT_EQ(log_.Messages(LogLevel::Error).back(), "[EpicAuth] Login: No refresh token available");
    EXPECT_EQ(Call(&EpicChannelSDK::AuthToken, {{"requestId", "t"}}).body,
              (json{{"channel", "epic"}, {"message", "Failed to copy auth token"}, {"requestId", "t"}}));
    EXPECT_EQ(CallCount("EOS_Auth_Login"), logins);
}

TEST_F(EpicChannelTest, RefreshLoginUsesTheCurrentRefreshToken)
{
    SignIn();
    const Reply token = Call(&EpicChannelSDK::AuthToken, {{"requestId", "t1"}});
    EXPECT_EQ(token.body, (json{{"channel", "epic"},
                                {"requestId", "t1"},
                                {"token", "sim-access-0001"},
                                {"epic", {{"accountId", kAccountId}, {"refreshToken", "sim-refresh-0001"}}}}));

    const Reply login = CallAndTick(&EpicChannelSDK::Login, {{"requestId", "r1"}});
    EXPECT_EQ(login.body, (json{{"authenticated", true}, {"channel", "epic"}, {"requestId", "r1"},
                                {"epic", {{"accountId", kAccountId}}}}));
    const json refresh = Last("EOS_Auth_Login")["options"]["credentials"];
    EXPECT_EQ(refresh["type"], 5);
    EXPECT_EQ(refresh["token"], "sim-refresh-0001");

    // Every attempt fails: three retries, each with the token copied afresh, then one answer.
    Sim({{"op", "set"}, {"loginDefault", 5}});
    channel_.Login(R"({"requestId":"r2"})", &Record);
    for (int tick = 0; tick < 6; ++tick) {
        channel_.Tick();
    }
    EXPECT_EQ(Replies().back().body, json::parse(R"({"channel":"epic","message":"Login failed: EOS_AccessDenied",)"
                                                 R"("requestId":"r2","third_error_code":5})"));
    EXPECT_EQ(Logged(LogLevel::Error, "[EpicAuth]").back(), "[EpicAuth] Login failed: EOS_AccessDenied (after 3 retries)");
    EXPECT_EQ(Logged(LogLevel::Warning, "[EpicAuth]").back(), "[EpicAuth] Login failed (EOS_AccessDenied), retry 3/3");
    EXPECT_EQ(Replies().size(), 3u);
    EXPECT_EQ(Sim({{"op", "state"}})["outstandingCopies"], json::array());
}

TEST_F(EpicChannelTest, TokensWithNullTextsOrAnUnprintableAccountId)
{
    SignIn();
    Sim({{"op", "set"}, {"tokenNullTexts", true}, {"accountIdToStringResult", 10}});
    const Reply token = Call(&EpicChannelSDK::AuthToken, json::object());
    EXPECT_EQ(token.body, (json{{"channel", "epic"}, {"token", ""}, {"epic", {{"accountId", ""}, {"refreshToken", ""}}}}));
    EXPECT_EQ(Call(&EpicChannelSDK::Login, json::object()).body["message"], "No refresh token available");

    Sim({{"op", "set"}, {"copyTokenResult", 18}});
    EXPECT_EQ(Call(&EpicChannelSDK::AuthToken, json::object()).body["message"], "Failed to copy auth token");
    EXPECT_EQ(log_.Messages(LogLevel::Warning).back(), "[IEpicContext] CopyUserAuthToken failed: EOS_NotFound");
}

TEST_F(EpicChannelTest, ALostSignInIsPostedAndStartsOneReLogin)
{
    channel_.RegisterCallback(2, &RecordEvent);
    SignIn();
    ASSERT_EQ(Events().size(), 1u) << "the launcher login's 0 to 2";
    Events().clear();
    const std::size_t logins = CallCount("EOS_Auth_Login");

    Sim({{"op", "loginStatus"}, {"status", 0}});
    channel_.Tick();
    ASSERT_EQ(Events().size(), 1u);
    EXPECT_EQ(Events()[0].code, 0);
    EXPECT_EQ(Events()[0].body, json::parse(R"({"channel":"epic","epic":{"currentStatus":0,"prevStatus":2},"status":1})"));
    EXPECT_EQ(Logged(LogLevel::Warning, "[EpicAuth]").back(), "[EpicAuth] Login status dropped, attempting auto-relogin");
    EXPECT_EQ(CallCount("EOS_Auth_Login"), logins + 1);
    EXPECT_EQ(Last("EOS_Auth_Login")["options"]["credentials"]["type"], 5);

    // The re-login signs in again: 0 -> 2 is posted and starts nothing.
    channel_.Tick();
    channel_.Tick();
    ASSERT_EQ(Events().size(), 2u);
    EXPECT_EQ(Events()[1].body["status"], 0);
    EXPECT_EQ(Events()[1].body["epic"], (json{{"currentStatus", 2}, {"prevStatus", 0}}));
    EXPECT_EQ(CallCount("EOS_Auth_Login"), logins + 1);
    EXPECT_TRUE(Replies().empty()) << "the re-login answers nobody";
}

TEST_F(EpicChannelTest, UnloadThenLoadPlaysAWholeSessionAgain)
{
    SignIn();
    channel_.Login(R"({"requestId":"pending-login"})", &Record);
    channel_.Products(R"({"requestId":"pending-products"})", &Record);
    channel_.Unload(R"({"requestId":"u"})", &Record);
    ASSERT_EQ(Replies().size(), 3u) << "the two requests EOS dropped with the platform are answered, then Unload";
    EXPECT_EQ(Replies()[2].body, (json{{"channel", "epic"}, {"requestId", "u"}}));
    EXPECT_EQ(Replies()[0].body["requestId"], "pending-login");
    EXPECT_EQ(Replies()[0].body["message"], "EOS platform released before the login completed");
    EXPECT_EQ(Replies()[1].body["message"], "EOS platform released before the request completed");
    EXPECT_EQ(CallCount("EOS_Auth_RemoveNotifyLoginStatusChanged"), 1u);
    EXPECT_EQ(CallCount("EOS_Platform_Release"), 1u);
    EXPECT_EQ(CallCount("EOS_Shutdown"), 0u);
    channel_.Tick();
    EXPECT_EQ(Replies().size(), 3u);
    EXPECT_EQ(Call(&EpicChannelSDK::Init, json::object()).code, -1);

    Replies().clear();
    ASSERT_EQ(Call(&EpicChannelSDK::Load, json::object()).code, 0);
    EXPECT_EQ(Last("EOS_Initialize")["result"], 15);
    EXPECT_EQ(CallCount("EOS_Auth_AddNotifyLoginStatusChanged"), 2u);
    channel_.Tick();
    EXPECT_EQ(Call(&EpicChannelSDK::Init, json::object()).body["epic"]["accountId"], kAccountId);
    EXPECT_EQ(CallAndTick(&EpicChannelSDK::Products, json::object()).code, 0);
    EXPECT_EQ(Sim({{"op", "misuse"}})["count"], 0);
}

TEST_F(EpicChannelTest, DestructionReleasesThePlatformWithoutAnswering)
{
    {
        Vyro::ConfigReader reader;
        WriteConfig(CompleteConfig());
        EpicChannelSDK channel(Vyro::LazyStoreApi<Vyro::Eos::EosApi>(Vyro::EosSim::SimulatedEosApi()), reader_, &CommandLine);
        channel.Load("{}", nullptr);
        channel.Tick();
        channel.Login("{}", &Record);
    }
    EXPECT_TRUE(Replies().empty());
    EXPECT_EQ(CallCount("EOS_Auth_RemoveNotifyLoginStatusChanged"), 1u);
    EXPECT_EQ(CallCount("EOS_Platform_Release"), 1u);
    EXPECT_EQ(CallCount("EOS_Shutdown"), 0u);
    EXPECT_EQ(Sim({{"op", "misuse"}})["count"], 0);
}

TEST_F(EpicChannelTest, EosLogMessagesReachTheLogFromAnyThread)
{
    SignIn();
    Sim({{"op", "log"}, {"level", 100}, {"category", "LogEOS"}, {"message", "fatal"}});
    Sim({{"op", "log"}, {"level", 200}, {"category", nullptr}, {"message", nullptr}});
    Sim({{"op", "log"}, {"level", 300}, {"category", "LogEOSAuth"}, {"message", "careful"}});
    EXPECT_EQ(Logged(LogLevel::Error, "[EOS:"), (std::vector<std::string>{"[EOS:LogEOS] fatal", "[EOS:Unknown] "}));
    EXPECT_EQ(Logged(LogLevel::Warning, "[EOS:").back(), "[EOS:LogEOSAuth] careful");

    // Lines keep arriving from EOS's threads while the game thread unloads.
    Sim({{"op", "log"}, {"level", 200}, {"message", "from a thread"}, {"threads", 4}, {"messages", 250}});
    channel_.Unload("{}", nullptr);
    Sim({{"op", "joinLogThreads"}});
    const auto errors = Logged(LogLevel::Error, "[EOS:LogEOS] from a thread");
    EXPECT_EQ(errors.size(), 1000u);
}
