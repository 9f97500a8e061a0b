// The Xbox channel's sign-in against the simulated GDK: Login, AuthToken and the system sign-out.
#include "XboxChannelFixture.h"
#include "common/Platform.h"

namespace XboxTest {
namespace {

using Vyro::XboxChannelSDK;

json SignInResult()
{
    return json{{"authenticated", true},
                {"channel", "xbox"},
                {"id", kXuid},
                {"name", kGamertag},
                {"xbox",
                 {{"xuid", kXuid},
                  {"gamertag", kGamertag},
                  {"sandboxId", "XDKS.1"},
                  {"isStoreUser", true},
                  {"countryCode", Vyro::Platform::GetUserGeoName()}}}};
}

struct FailureCase {
    const char* result;
    int code;
    const char* message;
};

TEST_F(XboxChannelTest, LoginSignsTheDefaultUserInSilentlyOrAnswersAtOnceWhenOneIsHeld)
{
    const Reply early = Call(&XboxChannelSDK::Login, {{"requestId", "l0"}});
    EXPECT_EQ(early.body, json::parse(R"({"channel":"xbox","message":"SDK not initialized. Call Load() first.","requestId":"l0"})"));
    EXPECT_EQ(log_.Messages(Vyro::LogLevel::Error), std::vector<std::string>{"SDK not initialized"});

    // The silent sign-in of Load finds nobody: the player is asked to sign in to the Xbox app.
    Sim({{"op", "set"}, {"addUserResults", {"0x89245106"}}});
    ASSERT_EQ(Call(&XboxChannelSDK::Load, json::object()).code, 0);
    TickUntil([&] { return !log_.Messages(Vyro::LogLevel::Warning).empty(); });
    EXPECT_EQ(log_.Messages(Vyro::LogLevel::Warning),
              std::vector<std::string>{"Silent login failed - user will need to call Login() explicitly"});
    EXPECT_TRUE(Calls("XUserRegisterForChangeEvent").empty());

    json expected = SignInResult();
    expected["requestId"] = "l1";
    EXPECT_EQ(CallAndTick(&XboxChannelSDK::Login, {{"requestId", "l1"}}).body, expected);
    EXPECT_EQ(Calls("XUserAddAsync")[1]["options"], 1) << "AddDefaultUserSilently";
    EXPECT_EQ(Calls("XUserRegisterForChangeEvent").size(), 1u);

    expected["requestId"] = "l2";
    EXPECT_EQ(Call(&XboxChannelSDK::Login, {{"requestId", "l2"}}).body, expected) << "a held user answers at once";
    EXPECT_EQ(Calls("XUserAddAsync").size(), 2u);
}

TEST_F(XboxChannelTest, SignInFailuresAreAnsweredByTheirHResult)
{
    Sim({{"op", "set"}, {"addUserDefault", "0x89245106"}});
    ASSERT_EQ(Call(&XboxChannelSDK::Load, json::object()).code, 0);
    TickUntil([&] { return !log_.Messages(Vyro::LogLevel::Warning).empty(); }); // the silent sign-in's end
    for (const FailureCase& failure :
         {FailureCase{"0x8015DC12", -1, "User not authorized for current sandbox."},
          FailureCase{"0x87DD0013", -2001, "Authentication service cannot identify user. Please sign in to Xbox app."},
          FailureCase{"0x89245101", -2001, "User is signed out. Please sign in to Xbox app."},
          FailureCase{"0x89245102", -2002, "User issue requires resolution. Please check Xbox app."},
          FailureCase{"0x89245106", -2001, "No user signed in. Please sign in to Xbox app."},
          FailureCase{"0x80070005", -1, "Login failed: 0x80070005"}}) {
        Sim({{"op", "set"}, {"addUserResults", {failure.result}}});
        const Reply login = CallAndTick(&XboxChannelSDK::Login, {{"requestId", "l"}});
        EXPECT_EQ(login.code, failure.code) << failure.result;
        EXPECT_EQ(login.body, (json{{"channel", "xbox"},
                                   {"message", failure.message},
                                   {"requestId", "l"},
                                   {"third_error_code", Signed(std::stoul(failure.result, nullptr, 16))}}));
        EXPECT_EQ(log_.Messages(Vyro::LogLevel::Error).back(), std::string("XUserAddResult failed: ") + failure.result);
    }
    EXPECT_EQ(channel_->GetUserHandle(), nullptr);
}

TEST_F(XboxChannelTest, AStoreContextThatCannotBeMadeFailsARefreshButNotALogin)
{
    Sim({{"op", "set"}, {"addUserResults", {"0x89245106"}}, {"storeContextResult", "0x80004005"}});
    ASSERT_EQ(Call(&XboxChannelSDK::Load, json::object()).code, 0);
    TickUntil([&] { return !log_.Messages(Vyro::LogLevel::Warning).empty(); });
    EXPECT_EQ(CallAndTick(&XboxChannelSDK::Login, json::object()).code, 0);
    EXPECT_EQ(log_.Messages(Vyro::LogLevel::Warning).back(), "XStoreCreateContext failed: 0x80004005");
    EXPECT_EQ(channel_->GetStoreContext(), nullptr);

    // A sign-out, then an operation that needs a user: the re-sign-in keeps the new user but fails.
    Sim({{"op", "signOut"}});
    TickUntil([&] { return channel_->GetUserHandle() == nullptr; });
    Sim({{"op", "signIn"}});
    const Reply achievements = CallAndTick(&XboxChannelSDK::Achievements, {{"action", "get"}, {"requestId", "a"}});
    EXPECT_EQ(achievements.code, -2001);
    EXPECT_EQ(achievements.body, json::parse(R"({"channel":"xbox","message":"User not signed in. Login first.","requestId":"a"})"));
    const auto errors = log_.Messages(Vyro::LogLevel::Error);
    EXPECT_EQ(std::vector<std::string>(errors.end() - 2, errors.end()),
              (std::vector<std::string>{"XStoreCreateContext failed during re-login: 0x80004005",
                                        "EnsureAchievements: RefreshUser failed"}));
    EXPECT_NE(channel_->GetUserHandle(), nullptr);
}

TEST_F(XboxChannelTest, AuthTokenReadsItsIdentityAndForceRefreshOnlyWhenTheyHaveTheirTypes)
{
    const Reply early = Call(&XboxChannelSDK::AuthToken, {{"requestId", "t0"}});
    EXPECT_EQ(early.code, -2001);
    EXPECT_EQ(early.body, json::parse(R"({"channel":"xbox","message":"User not signed in. Call Login() first.","requestId":"t0"})"));
    EXPECT_EQ(log_.Messages(Vyro::LogLevel::Error), std::vector<std::string>{"User not signed in"});

    LoadAndSignIn();
    struct Case {
        json params;
        const char* url;
        int options;
    };
    for (const Case& request : {Case{json::object(), "https://xboxlive.com", 0},
                                Case{{{"forceRefresh", true}}, "https://xboxlive.com", 1},
                                Case{{{"forceRefresh", "yes"}, {"identity", 5}}, "https://xboxlive.com", 0},
                                Case{{{"identity", "https://game.example/"}, {"forceRefresh", 1}}, "https://game.example/", 0}}) {
        json params = request.params;
        params["requestId"] = "t";
        const Reply token = CallAndTick(&XboxChannelSDK::AuthToken, params);
        ASSERT_EQ(token.code, 0) << token.body;
        const json call = Calls("XUserGetTokenAndSignatureAsync").back();
        EXPECT_EQ(call["url"], request.url) << params;
        EXPECT_EQ(call["options"], request.options) << params;
        EXPECT_EQ(call["method"], "GET");
        EXPECT_EQ(call["headerCount"], 0);
        EXPECT_EQ(call["bodySize"], 0);
        const json answered = Calls("XUserGetTokenAndSignatureResult").back();
        EXPECT_EQ(token.body, (json{{"channel", "xbox"},
                                   {"requestId", "t"},
                                   {"token", answered["token"]},
                                   {"xbox", {{"signature", answered["signature"]}}}}));
        EXPECT_FALSE(token.body["token"].get<std::string>().empty());
    }
}

TEST_F(XboxChannelTest, TokenFailuresAreAnsweredByTheirHResultWhereverTheyHappen)
{
    LoadAndSignIn();
    const FailureCase failures[] = {
        {"0x89245101", -2001, "User signed out during token request. Please sign in to Xbox app."},
        {"0x89245108", -1, "Title ID not configured in MicrosoftGame.config."},
        {"0x89245111", -1, "Failed to get authentication token."},
        {"0x89245112", -1, "Invalid app configuration. Check MicrosoftGame.config."},
        {"0x89245115", -1, "MSAAppId not configured in MicrosoftGame.config."},
        {"0x80072EE7", -1, "Token request failed: 0x80072EE7"},
    };
    struct Stage {
        const char* setting;
        const char* logged;
        bool atOnce;
    };
    for (const Stage& stage : {Stage{"tokenStartResult", "XUserGetTokenAndSignatureAsync", true},
                               Stage{"tokenResults", "XUserGetTokenAndSignatureResultSize", false},
                               Stage{"tokenResultSizeResult", "XUserGetTokenAndSignatureResultSize", false},
                               Stage{"tokenResultResult", "XUserGetTokenAndSignatureResult", false}}) {
        for (const FailureCase& failure : failures) {
            const json value = std::string(stage.setting) == "tokenResults" ? json::array({failure.result}) : json(failure.result);
            Sim({{"op", "set"}, {stage.setting, value}});
            const Reply token = stage.atOnce ? Call(&XboxChannelSDK::AuthToken, {{"requestId", "t"}})
                                             : CallAndTick(&XboxChannelSDK::AuthToken, {{"requestId", "t"}});
            EXPECT_EQ(token.code, failure.code) << stage.setting << " " << failure.result;
            EXPECT_EQ(token.body, (json{{"channel", "xbox"},
                                       {"message", failure.message},
                                       {"requestId", "t"},
                                       {"third_error_code", Signed(std::stoul(failure.result, nullptr, 16))}}));
            EXPECT_EQ(log_.Messages(Vyro::LogLevel::Error).back(), std::string(stage.logged) + " failed: " + failure.result);
        }
        Sim({{"op", "set"}, {stage.setting, std::string(stage.setting) == "tokenResults" ? json::array() : json(0)}});
    }
}

TEST_F(XboxChannelTest, ASystemSignOutBecomesEvent2AndResetsTheServicesObjects)
{
    LoadAndSignIn();
    channel_->RegisterCallback(2, &RecordEvent);
    ASSERT_EQ(Call(&XboxChannelSDK::Achievements, {{"action", "update"}}).code, -1);
    ASSERT_EQ(Sim({{"op", "state"}})["leftOpen"].value("xblContexts", 0), 1);

    Sim({{"op", "signOut"}});
    TickUntil([&] { return !Events().empty(); });
    channel_->Tick();
    ASSERT_EQ(Events().size(), 1u) << "signing out is not an event of its own";
    EXPECT_EQ(Events()[0].code, 0);
    EXPECT_EQ(Events()[0].body, (json{{"channel", "xbox"}, {"status", 1}, {"xbox", {{"xuid", kXuid}}}}));
    EXPECT_EQ(channel_->GetUserHandle(), nullptr);
    EXPECT_EQ(channel_->GetStoreContext(), nullptr);
    const json open = Sim({{"op", "state"}})["leftOpen"];
    EXPECT_FALSE(open.contains("xblContexts")) << open;
    EXPECT_FALSE(open.contains("users")) << open;
    EXPECT_EQ(Call(&XboxChannelSDK::Query, {{"key", "user"}}).body["user"]["status"], 1);

    // With nobody in the Xbox app the re-sign-in fails, and the answer comes from a later Tick.
    const Reply refused = CallAndTick(&XboxChannelSDK::Achievements, {{"action", "get"}, {"requestId", "a1"}});
    EXPECT_EQ(refused.code, -2001);
    EXPECT_EQ(refused.body["message"], "User not signed in. Login first.");
    const auto errors = log_.Messages(Vyro::LogLevel::Error);
    EXPECT_EQ(std::vector<std::string>(errors.end() - 2, errors.end()),
              (std::vector<std::string>{"Re-login XUserAddResult failed: 0x89245106", "EnsureAchievements: RefreshUser failed"}));

    Sim({{"op", "signIn"}});
    const Reply again = CallAndTick(&XboxChannelSDK::Achievements, {{"action", "get"}, {"requestId", "a2"}});
    EXPECT_EQ(again.code, 0) << "served once the player is back";
    EXPECT_EQ(again.body["requestId"], "a2");
    EXPECT_EQ(again.body["xbox"]["totalCount"], 10);
    EXPECT_NE(channel_->GetUserHandle(), nullptr);
}

} // namespace
} // namespace XboxTest
