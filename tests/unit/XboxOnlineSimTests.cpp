// The simulated privileges, permission checks and system dialogs in process: results laid out in the
// caller's buffer, each read once, dialogs held open, the parameters journalled, misuse reported and
// the control ops that program them.
#include <gtest/gtest.h>

#include <vector>

#include <nlohmann/json.hpp>

#include "XboxServicesSimFixture.h"

using namespace Vyro;
using nlohmann::json;
using namespace SimControlRequests;
using Gdk::HResult;
using Gdk::XAsyncBlock;

namespace {

constexpr HResult kInvalidArg = static_cast<HResult>(0x80070057);
constexpr HResult kIllegalMethodCall = static_cast<HResult>(0x8000000E);
constexpr HResult kNotSufficientBuffer = static_cast<HResult>(0x8007007A);
constexpr HResult kAbort = static_cast<HResult>(0x80004004);
constexpr HResult kPending = static_cast<HResult>(0x8000000A);

class XboxOnlineSim : public XboxServicesSimTest::ServicesSimTest {};

} // namespace

TEST_F(XboxOnlineSim, PermissionResultsAreLaidOutInTheCallersBufferAndReadOnce)
{
    Sim({{"op", "permissions"},
         {"rules", {{{"xuid", 7}, {"permission", 1000}, {"reasons", {{{"reason", 5}}, {{"reason", 9}, {"privacySetting", 3}}}}},
                    {{"anonymous", 2}, {"allowed", true}}}}});
    Xbl::XblPermission permissions[] = {static_cast<Xbl::XblPermission>(1000), static_cast<Xbl::XblPermission>(1012)};
    std::uint64_t xuids[] = {7, 8};
    Xbl::XblAnonymousUserType types[] = {Xbl::XblAnonymousUserType::CrossNetworkFriend};
    XAsyncBlock block = Block();
    ASSERT_EQ(XblPrivacyBatchCheckPermissionAsync(context, permissions, 2, xuids, 2, types, 1, &block), 0);
    ASSERT_EQ(XAsyncGetStatus(&block, true), 0);
    std::size_t size = 0;
    ASSERT_EQ(XblPrivacyBatchCheckPermissionResultSize(&block, &size), 0);
    std::vector<std::uint64_t> buffer(size / 8 + 1);
    Xbl::XblPermissionCheckResult* results = nullptr;
    std::size_t count = 0;
    EXPECT_EQ(XblPrivacyBatchCheckPermissionResult(&block, size - 1, buffer.data(), &results, &count, nullptr), kNotSufficientBuffer);
    std::size_t used = 0;
    ASSERT_EQ(XblPrivacyBatchCheckPermissionResult(&block, size, buffer.data(), &results, &count, &used), 0);
    EXPECT_EQ(used, size);
    ASSERT_EQ(count, 6u);
    ASSERT_EQ(static_cast<void*>(results), static_cast<void*>(buffer.data()));
    EXPECT_FALSE(results[0].isAllowed);
    EXPECT_EQ(results[0].targetXuid, 7u);
    ASSERT_EQ(results[0].reasonsCount, 2u);
    const auto* begin = reinterpret_cast<const char*>(buffer.data());
    EXPECT_TRUE(reinterpret_cast<const char*>(results[0].reasons) > begin &&
                reinterpret_cast<const char*>(results[0].reasons) < begin + size) << "points into the buffer";
    EXPECT_EQ(results[0].reasons[1].reason, Xbl::XblPermissionDenyReason::PrivacySettingRestrictsTarget);
    EXPECT_EQ(static_cast<std::uint32_t>(results[0].reasons[1].restrictedPrivacySetting), 3u);
    EXPECT_TRUE(results[1].isAllowed) << "no rule: allowed";
    EXPECT_EQ(results[1].reasons, nullptr);
    EXPECT_EQ(results[4].targetUserType, Xbl::XblAnonymousUserType::CrossNetworkFriend);
    EXPECT_TRUE(results[4].isAllowed);

    EXPECT_EQ(XblPrivacyBatchCheckPermissionResult(&block, size, buffer.data(), &results, &count, &used), kIllegalMethodCall);
    EXPECT_EQ(XblPrivacyBatchCheckPermissionAsync(context, nullptr, 1, xuids, 2, nullptr, 0, &block), kInvalidArg);
    EXPECT_EQ(XboxServicesSimTest::Misuse(), json::array({json::array({"XblPrivacyBatchCheckPermissionResult", "the result was read already"}),
                                          json::array({"XblPrivacyBatchCheckPermissionAsync", "null permissions with a count"})}));
}

TEST_F(XboxOnlineSim, APrivilegeResolvedThroughTheDialogIsGrantedFromThenOn)
{
    Sim({{"op", "privileges"}, {"privileges", {{{"privilege", 254}, {"granted", false}, {"denyReason", 2}, {"resolvable", true}}}}});
    const auto multiplayer = static_cast<Gdk::XUserPrivilege>(254);
    bool has = true;
    auto reason = Gdk::XUserPrivilegeDenyReason::None;
    ASSERT_EQ(XUserCheckPrivilege(user, Gdk::XUserPrivilegeOptions::None, multiplayer, &has, &reason), 0);
    EXPECT_FALSE(has);
    EXPECT_EQ(reason, Gdk::XUserPrivilegeDenyReason::Restricted);

    XAsyncBlock block = Block();
    ASSERT_EQ(XUserResolvePrivilegeWithUiAsync(user, Gdk::XUserPrivilegeOptions::None, multiplayer, &block), 0);
    ASSERT_EQ(XAsyncGetStatus(&block, true), 0);
    EXPECT_EQ(XUserResolvePrivilegeWithUiResult(&block), 0);
    ASSERT_EQ(XUserCheckPrivilege(user, Gdk::XUserPrivilegeOptions::None, multiplayer, &has, &reason), 0);
    EXPECT_TRUE(has);
    EXPECT_EQ(reason, Gdk::XUserPrivilegeDenyReason::None);

    XUserCloseHandle(user);
    EXPECT_EQ(XUserCheckPrivilege(user, Gdk::XUserPrivilegeOptions::None, multiplayer, &has, &reason), kInvalidArg);
    EXPECT_EQ(XboxServicesSimTest::Misuse(), json::array({json::array({"XUserCheckPrivilege", "unknown or closed user handle"})}));
}

TEST_F(XboxOnlineSim, ADialogHeldOpenWaitsForReleaseAndATerminatedQueueClosesIt)
{
    Sim({{"op", "dialogs"}, {"holdOpen", true}, {"texts", {"Ünïcode"}}});
    XAsyncBlock entry = Block();
    ASSERT_EQ(XGameUiShowTextEntryAsync(&entry, "T", "D", "default", static_cast<Gdk::XGameUiTextEntryInputScope>(3), 4), 0);
    std::uint32_t size = 0;
    EXPECT_EQ(XGameUiShowTextEntryResultSize(&entry, &size), kPending);
    EXPECT_EQ(Sim({{"op", "releaseWork"}})["released"], 1);
    ASSERT_EQ(XAsyncGetStatus(&entry, true), 0);
    ASSERT_EQ(XGameUiShowTextEntryResultSize(&entry, &size), 0);
    std::vector<char> text(size);
    std::uint32_t used = 0;
    ASSERT_EQ(XGameUiShowTextEntryResult(&entry, size, text.data(), &used), 0);
    EXPECT_STREQ(text.data(), "Ünïc") << "cut to maxLength characters, never inside one";
    EXPECT_EQ(used, 7u);
    EXPECT_EQ(XGameUiShowTextEntryResult(&entry, size, text.data(), &used), kIllegalMethodCall);

    XAsyncBlock message = Block();
    ASSERT_EQ(XGameUiShowMessageDialogAsync(&message, "T", "C", "A", "", "", Gdk::XGameUiMessageDialogButton::First,
                                            Gdk::XGameUiMessageDialogButton::Second),
              0);
    ASSERT_EQ(XTaskQueueTerminate(queue, false, nullptr, nullptr), 0);
    EXPECT_EQ(XAsyncGetStatus(&message, true), kAbort);
    auto button = Gdk::XGameUiMessageDialogButton::Third;
    EXPECT_EQ(XGameUiShowMessageDialogResult(&message, &button), kAbort);
    const json journalled = Calls("XGameUiShowMessageDialogAsync").at(0);
    EXPECT_EQ(journalled["buttons"], (json{"A", "", ""}));
    EXPECT_EQ(journalled["cancelButton"], 1);
    EXPECT_EQ(journalled["heldOpen"], true);
    EXPECT_EQ(XboxServicesSimTest::Misuse(), json::array({json::array({"XGameUiShowTextEntryResult", "the result was read already"})}));
}

TEST_F(XboxOnlineSim, NullDialogTextsAreMisuseAndBadProgramsAreRefused)
{
    XAsyncBlock message = Block();
    EXPECT_EQ(XGameUiShowMessageDialogAsync(&message, "T", "C", "A", nullptr, "", Gdk::XGameUiMessageDialogButton::First,
                                            Gdk::XGameUiMessageDialogButton::First),
              kInvalidArg);
    EXPECT_EQ(XboxServicesSimTest::Misuse(), json::array({json::array({"XGameUiShowMessageDialogAsync", "null button text"})}));
    ExpectRefused({{R"({"op":"dialogs","buttons":[3]})", "dialogs: \"buttons\" must be an array of button indexes 0 to 2"},
                   {R"({"op":"dialogs","texts":[1]})", "dialogs: \"texts\" must be an array of strings"},
                   {R"({"op":"permissions","rules":[{"xuid":1,"anonymous":1}]})", "permissions: "},
                   {R"({"op":"privileges","privileges":[{"granted":false}]})", "privileges: "},
                   {R"({"op":"dialogs","holdopen":true})", "dialogs: "}});
}
