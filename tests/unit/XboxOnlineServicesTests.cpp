// Xbox privileges and permissions against the simulated GDK: the privilege check answered at once,
// the resolve dialog, and batch permission checks with the xuids, permissions and user types a game
// gives, their deny reasons, every failing call, and Unload with work in flight.
#include <set>

#include "XboxErrorReply.h"

namespace XboxTest {
namespace {

using Vyro::XboxChannelSDK;

json Permission(const json& xbox) { return {{"requestId", "p"}, {"xbox", xbox}}; }

class XboxOnlineServicesTest : public XboxChannelTest {
protected:
    void SetUp() override
    {
        XboxChannelTest::SetUp();
        LoadAndSignIn();
    }
    Reply CheckPermission(const json& params) { return CallAndTick(&XboxChannelSDK::CheckPermission, params); }
    std::string LastError() const
    {
        const std::vector<std::string> errors = log_.Messages(Vyro::LogLevel::Error);
        return errors.empty() ? "" : errors.back();
    }
};

TEST_F(XboxOnlineServicesTest, CheckPrivilegeAnswersAtOnceWithTheRuntimesAnswer)
{
    Sim({{"op", "privileges"}, {"privileges", {{{"privilege", 254}, {"granted", false}, {"denyReason", 2}}}}});
    Reply reply = Call(&XboxChannelSDK::CheckPrivilege, {{"requestId", "c"}});
    EXPECT_EQ(reply.code, 0);
    EXPECT_EQ(reply.body, (json{{"channel", "xbox"}, {"requestId", "c"}, {"xbox", {{"hasPrivilege", true}, {"privilege", 0}, {"denyReason", 0}}}}));
    EXPECT_EQ(Calls("XUserCheckPrivilege").at(0)["privilege"], 0);
    EXPECT_EQ(Calls("XUserCheckPrivilege").at(0)["options"], 0);

    reply = Call(&XboxChannelSDK::CheckPrivilege, {{"requestId", "c"}, {"xbox", {{"privilege", 254}}}});
    EXPECT_EQ(reply.body.dump(),
              R"({"channel":"xbox","requestId":"c","xbox":{"denyReason":2,"hasPrivilege":false,"privilege":254}})");

    Sim({{"op", "privileges"}, {"checkResult", "0x80070005"}});
    reply = Call(&XboxChannelSDK::CheckPrivilege, {{"requestId", "c"}});
    EXPECT_EQ(reply.code, -1);
    EXPECT_EQ(reply.body, ErrorReply("XUserCheckPrivilege failed: 0x80070005", "c", 0x80070005));
    EXPECT_EQ(LastError(), "XUserCheckPrivilege failed: 0x80070005");
}

TEST_F(XboxOnlineServicesTest, APrivilegeThatIsNoUnsigned32BitNumberIsRefusedWithoutACall)
{
    for (const json& privilege : {json(-1), json(4294967296LL), json("254"), json(1.5)}) {
        const Reply reply = Call(&XboxChannelSDK::CheckPrivilege, {{"requestId", "c"}, {"xbox", {{"privilege", privilege}}}});
        EXPECT_EQ(reply.body, ErrorReply("Invalid xbox.privilege: expected an unsigned 32-bit integer.", "c")) << privilege;
    }
    EXPECT_EQ(Call(&XboxChannelSDK::ResolvePrivilege, {{"requestId", "r"}, {"xbox", 5}}).body,
              ErrorReply("Invalid xbox: expected an object.", "r"));
    EXPECT_TRUE(Calls("XUserCheckPrivilege").empty());
    EXPECT_TRUE(Calls("XUserResolvePrivilegeWithUiAsync").empty());
}

TEST_F(XboxOnlineServicesTest, ResolvePrivilegeAnswersWhetherThePlayerFixedIt)
{
    Sim({{"op", "privileges"},
         {"privileges", {{{"privilege", 254}, {"granted", false}, {"denyReason", 1}, {"resolvable", true}},
                         {{"privilege", 255}, {"granted", false}, {"denyReason", 2}}}}});
    Reply reply = CallAndTick(&XboxChannelSDK::ResolvePrivilege, {{"requestId", "r"}, {"xbox", {{"privilege", 254}}}});
    EXPECT_EQ(reply.code, 0);
    EXPECT_EQ(reply.body, (json{{"channel", "xbox"}, {"requestId", "r"}, {"xbox", {{"resolved", true}, {"privilege", 254}}}}));
    EXPECT_EQ(Call(&XboxChannelSDK::CheckPrivilege, {{"xbox", {{"privilege", 254}}}}).body["xbox"]["hasPrivilege"], true);

    // Closed without fixing it: no log line, only the answer.
    const std::size_t errors = log_.Messages(Vyro::LogLevel::Error).size();
    reply = CallAndTick(&XboxChannelSDK::ResolvePrivilege, {{"requestId", "r"}, {"xbox", {{"privilege", 255}}}});
    EXPECT_EQ(reply.code, -1);
    EXPECT_EQ(reply.body, ErrorReply("Privilege not resolved", "r", 0x80004004));
    EXPECT_EQ(log_.Messages(Vyro::LogLevel::Error).size(), errors);

    Sim({{"op", "privileges"}, {"resolveStartResult", "0x80070005"}});
    reply = Call(&XboxChannelSDK::ResolvePrivilege, {{"requestId", "r"}});
    EXPECT_EQ(reply.body, ErrorReply("XUserResolvePrivilegeWithUiAsync failed: 0x80070005", "r", 0x80070005));
    EXPECT_EQ(LastError(), "XUserResolvePrivilegeWithUiAsync failed: 0x80070005");
}

TEST_F(XboxOnlineServicesTest, CheckPermissionChecksTheXuidsAGameGivesAndSkipsTheRest)
{
    const Reply reply = CheckPermission(Permission({{"account_id", {"2533274800000001", "letters", 2533274800000002ULL, true, nullptr}},
                                                    {"permission", {1000, true, 1003.9}},
                                                    {"anonymous", {false}}}));
    ASSERT_EQ(reply.code, 0) << reply.body;
    const json call = Calls("XblPrivacyBatchCheckPermissionAsync").at(0);
    EXPECT_EQ(call["xuids"], (json{"2533274800000001", "2533274800000002"}));
    EXPECT_EQ(call["permissions"], (json{1000, 1, 1003}));
    EXPECT_EQ(call["anonymous"], (json{0}));
    EXPECT_EQ(log_.Messages(Vyro::LogLevel::Warning),
              std::vector<std::string>{"CheckPermission: Skipping invalid xuid 'letters': invalid stoull argument"});
    const json& permissions = reply.body["xbox"]["permissions"];
    ASSERT_EQ(permissions.size(), 9u);
    EXPECT_EQ(permissions[0], (json{{"is_allowed", true}, {"account_id", "2533274800000001"}, {"permission", 1000}, {"anonymous", 0}}));
    EXPECT_EQ(permissions[8], (json{{"is_allowed", true}, {"account_id", "0"}, {"permission", 1003}, {"anonymous", 0}}));

    // Not an array: no xuid at all, and the check still runs; with nothing to check its result is
    // empty, which the result size reports as 0.
    EXPECT_EQ(CheckPermission(Permission({{"account_id", "2533274800000001"}, {"permission", {1000}}})).body,
              ErrorReply("Failed to get permission result size", "p"));
    EXPECT_EQ(Calls("XblPrivacyBatchCheckPermissionAsync").at(1)["xuidCount"], 0);
}

TEST_F(XboxOnlineServicesTest, PermissionElementsThatAreNoNumbersAreRefusedWithoutACall)
{
    for (const json& element : {json("1000"), json(nullptr), json::object(), json(-1), json(4294967296LL)}) {
        const Reply reply = Call(&XboxChannelSDK::CheckPermission, Permission({{"permission", {1000, element}}}));
        EXPECT_EQ(reply.body, ErrorReply("Invalid xbox.permission[1]: expected an unsigned 32-bit number or a boolean.", "p")) << element;
    }
    EXPECT_EQ(Call(&XboxChannelSDK::CheckPermission, Permission({{"anonymous", {"x"}}})).body,
              ErrorReply("Invalid xbox.anonymous[0]: expected an unsigned 32-bit number or a boolean.", "p"));
    EXPECT_TRUE(Calls("XblPrivacyBatchCheckPermissionAsync").empty());
}

TEST_F(XboxOnlineServicesTest, DenyReasonsAreListedOnlyWhenThereAreAny)
{
    Sim({{"op", "permissions"},
         {"rules",
          {{{"xuid", 2533274800000001ULL}, {"permission", 1000}, {"allowed", false},
            {"reasons", {{{"reason", 9}, {"privilege", 0}, {"privacySetting", 3}}, {{"reason", 3}, {"privilege", 252}}}}},
           {{"xuid", 2533274800000001ULL}, {"allowed", false}},
           {{"anonymous", 1}, {"allowed", false}, {"reasons", {{{"reason", 10}}}}}}}});
    const Reply reply = CheckPermission(
        Permission({{"account_id", {"2533274800000001", "2533274800000002"}}, {"permission", {1000, 1012}}, {"anonymous", {1}}}));
    const json& permissions = reply.body["xbox"]["permissions"];
    ASSERT_EQ(permissions.size(), 6u) << reply.body;
    EXPECT_EQ(permissions[0]["is_allowed"], false);
    EXPECT_EQ(permissions[0]["reason"], (json{{{"reason", 9}, {"restricted_privilege", 0}, {"restricted_privacy_setting", 3}},
                                              {{"reason", 3}, {"restricted_privilege", 252}, {"restricted_privacy_setting", 0}}}));
    EXPECT_EQ(permissions[1], (json{{"is_allowed", false}, {"account_id", "2533274800000001"}, {"permission", 1012}, {"anonymous", 0}}));
    EXPECT_EQ(permissions[2], (json{{"is_allowed", true}, {"account_id", "2533274800000002"}, {"permission", 1000}, {"anonymous", 0}}));
    EXPECT_EQ(permissions[4]["anonymous"], 1);
    EXPECT_EQ(permissions[4]["reason"], (json{{{"reason", 10}, {"restricted_privilege", 0}, {"restricted_privacy_setting", 0}}}));
}

TEST_F(XboxOnlineServicesTest, AThousandXuidsGoInOneBatch)
{
    json xuids = json::array();
    for (std::uint64_t i = 0; i < 1000; ++i) {
        xuids.push_back(std::to_string(2533274800000000ULL + i));
    }
    Sim({{"op", "permissions"}, {"rules", {{{"xuid", 2533274800000999ULL}, {"allowed", false}, {"reasons", {{{"reason", 5}}}}}}}});
    const Reply reply = CheckPermission(Permission({{"account_id", xuids}, {"permission", {1012}}}));
    const json& permissions = reply.body["xbox"]["permissions"];
    ASSERT_EQ(permissions.size(), 1000u);
    EXPECT_EQ(permissions[999]["account_id"], "2533274800000999");
    EXPECT_EQ(permissions[999]["reason"][0]["reason"], 5);
    EXPECT_EQ(permissions[998]["is_allowed"], true);
    EXPECT_EQ(Calls("XblPrivacyBatchCheckPermissionAsync").size(), 1u);
}

TEST_F(XboxOnlineServicesTest, EveryFailingPermissionCallIsAnsweredWithItsText)
{
    Sim({{"op", "permissions"}, {"startResult", "0x80070005"}});
    EXPECT_EQ(Call(&XboxChannelSDK::CheckPermission, Permission(json::object())).body,
              ErrorReply("XblPrivacyBatchCheckPermissionAsync failed: 0x80070005", "p", 0x80070005));

    Sim({{"op", "permissions"}, {"startResult", 0}, {"results", {"0x80190193"}}});
    EXPECT_EQ(CheckPermission(Permission(json::object())).body, ErrorReply("Failed to get permission result size", "p", 0x80190193));
    EXPECT_EQ(LastError(), "XblPrivacyBatchCheckPermissionResultSize failed: 0x80190193");

    // Nothing asked, nothing to lay out: a size of 0 is a failure of its own, without an HRESULT.
    EXPECT_EQ(CheckPermission(Permission(json::object())).body, ErrorReply("Failed to get permission result size", "p"));
    EXPECT_EQ(LastError(), "XblPrivacyBatchCheckPermissionResultSize failed: 0x00000000");

    Sim({{"op", "permissions"}, {"resultResult", "0x8007000E"}});
    EXPECT_EQ(CheckPermission(Permission({{"account_id", {"1"}}, {"permission", {1000}}})).body,
              ErrorReply("Failed to get permission results", "p", 0x8007000E));
    EXPECT_EQ(LastError(), "XblPrivacyBatchCheckPermissionResult failed: 0x8007000E");
}

// Unload with a permission batch and a resolve dialog in flight answers each once, before it
// returns, and leaves nothing open.
TEST_F(XboxOnlineServicesTest, UnloadAnswersTheChecksInFlightOnce)
{
    Sim({{"op", "privileges"}, {"privileges", {{{"privilege", 254}, {"granted", false}, {"resolvable", true}}}}});
    Sim({{"op", "dialogs"}, {"holdOpen", true}});
    Sim({{"op", "set"}, {"holdWork", "queued"}});
    channel_->CheckPermission(Permission({{"account_id", {"1"}}, {"permission", {1000}}}).dump().c_str(), &Record);
    Sim({{"op", "set"}, {"holdWork", "none"}});
    channel_->ResolvePrivilege(R"({"requestId":"r","xbox":{"privilege":254}})", &Record);
    channel_->Tick();
    EXPECT_TRUE(Replies().empty());

    channel_->Unload(R"({"requestId":"u"})", &Record);
    ASSERT_EQ(Replies().size(), 3u);
    std::set<std::string> answered{Replies()[0].body.dump(), Replies()[1].body.dump()};
    EXPECT_EQ(answered, (std::set<std::string>{ErrorReply("Failed to get permission result size", "p", 0x80004004).dump(),
                                               ErrorReply("Privilege not resolved", "r", 0x80004004).dump()}));
    Sim({{"op", "releaseWork"}});
    channel_->Tick();
    EXPECT_EQ(Replies().size(), 3u);
    EXPECT_EQ(Sim({{"op", "state"}})["leftOpen"], json::object());
}

} // namespace
} // namespace XboxTest
