// The Xbox system dialogs against the simulated GDK: what each passes to the runtime, what the player
// did (chose, entered, dismissed), refused parameters, every failing call, and a sign-out or Unload
// while dialogs are open.
#include <set>

#include "XboxErrorReply.h"

namespace XboxTest {
namespace {

using Vyro::XboxChannelSDK;

json Success(const char* requestId, json result = json::object())
{
    result["channel"] = "xbox";
    result["requestId"] = requestId;
    return result;
}

class XboxSystemDialogTest : public XboxChannelTest {
protected:
    void SetUp() override
    {
        XboxChannelTest::SetUp();
        LoadAndSignIn();
    }
    std::string LastError() const
    {
        const std::vector<std::string> errors = log_.Messages(Vyro::LogLevel::Error);
        return errors.empty() ? "" : errors.back();
    }
};

TEST_F(XboxSystemDialogTest, AMessageDialogPassesThreeTextsAndAnswersTheButtonOrTheCancelButton)
{
    Sim({{"op", "dialogs"}, {"buttons", {1}}, {"messageDialogResults", {0, "0x80004004", "0x80004004"}}});
    const json params{{"requestId", "m"}, {"title", "Quit?"}, {"content", "Progress is saved."}, {"button", {"Yes", "No"}}};
    Reply reply = CallAndTick(&XboxChannelSDK::ShowMessageDialog, params);
    EXPECT_EQ(reply.code, 0);
    EXPECT_EQ(reply.body, Success("m", {{"button", 1}}));
    const json call = Calls("XGameUiShowMessageDialogAsync").at(0);
    EXPECT_EQ(call["title"], "Quit?");
    EXPECT_EQ(call["content"], "Progress is saved.");
    EXPECT_EQ(call["buttons"], (json{"Yes", "No", ""}));
    EXPECT_EQ(call["defaultButton"], 0);
    EXPECT_EQ(call["cancelButton"], 0);

    // Dismissed: the requested cancel button, 0 when none was given.
    EXPECT_EQ(CallAndTick(&XboxChannelSDK::ShowMessageDialog, params).body, Success("m", {{"button", 0}}));
    json withCancel = params;
    withCancel["cancelButton"] = 2;
    withCancel["defaultButton"] = 1;
    withCancel["button"] = {"A", "B", "C", 7};
    EXPECT_EQ(CallAndTick(&XboxChannelSDK::ShowMessageDialog, withCancel).body, Success("m", {{"button", 2}}));
    EXPECT_EQ(Calls("XGameUiShowMessageDialogAsync").at(2)["buttons"], (json{"A", "B", "C"}));

    // No "button", or one that is not an array: three empty texts, never null.
    EXPECT_EQ(CallAndTick(&XboxChannelSDK::ShowMessageDialog, {{"requestId", "m"}, {"button", "Yes"}}).code, 0);
    EXPECT_EQ(Calls("XGameUiShowMessageDialogAsync").at(3)["buttons"], (json{"", "", ""}));

    Sim({{"op", "dialogs"}, {"messageDialogResultResult", "0x80070005"}});
    EXPECT_EQ(CallAndTick(&XboxChannelSDK::ShowMessageDialog, params).body, ErrorReply("ShowMessageDialog failed: 0x80070005", "m", 0x80070005));
    EXPECT_EQ(LastError(), "XGameUiShowMessageDialogResult failed: 0x80070005");
}

TEST_F(XboxSystemDialogTest, TextEntryAnswersTheTextInBytesAndMinusSixWhenCancelled)
{
    Sim({{"op", "dialogs"}, {"texts", {"Zoë ✓", ""}}, {"textEntryResults", {0, 0, "0x80004004"}}});
    const json params{{"requestId", "t"}, {"title", "Name"}, {"description", "Your hero"}, {"defaultValue", "Hero"}};
    Reply reply = CallAndTick(&XboxChannelSDK::ShowTextEntry, params);
    EXPECT_EQ(reply.code, 0);
    EXPECT_EQ(reply.body, Success("t", {{"text", "Zoë ✓"}, {"size", 8}}));
    const json call = Calls("XGameUiShowTextEntryAsync").at(0);
    EXPECT_EQ(call["maxLength"], 256);
    EXPECT_EQ(call["scope"], 0);
    EXPECT_EQ(call["title"], "Name");
    EXPECT_EQ(call["description"], "Your hero");
    EXPECT_EQ(call["defaultText"], "Hero");

    EXPECT_EQ(CallAndTick(&XboxChannelSDK::ShowTextEntry, {{"requestId", "t"}, {"scope", 49}, {"maxLength", 3}}).body,
              Success("t", {{"text", ""}, {"size", 0}}));
    EXPECT_EQ(Calls("XGameUiShowTextEntryAsync").at(1)["scope"], 49);
    EXPECT_EQ(Calls("XGameUiShowTextEntryAsync").at(1)["maxLength"], 3);

    reply = CallAndTick(&XboxChannelSDK::ShowTextEntry, params);
    EXPECT_EQ(reply.code, -6);
    EXPECT_EQ(reply.body, Success("t", {{"text", ""}, {"size", 0}}));
    EXPECT_TRUE(Calls("XGameUiShowTextEntryResult").size() == 2u) << "a cancelled entry has no text to read";

    Sim({{"op", "dialogs"}, {"textEntryResultSizeResult", "0x80070005"}});
    EXPECT_EQ(CallAndTick(&XboxChannelSDK::ShowTextEntry, params).body, ErrorReply("Text entry failed: 0x80070005", "t", 0x80070005));
    EXPECT_EQ(LastError(), "XGameUiShowTextEntryResultSize failed: 0x80070005");
    Sim({{"op", "dialogs"}, {"textEntryResultSizeResult", 0}, {"textEntryResultResult", "0x8007000E"}});
    EXPECT_EQ(CallAndTick(&XboxChannelSDK::ShowTextEntry, params).body, ErrorReply("Text entry result failed: 0x8007000E", "t", 0x8007000E));
    EXPECT_EQ(LastError(), "XGameUiShowTextEntryResult failed: 0x8007000E");
}

TEST_F(XboxSystemDialogTest, AProfileCardNeedsAnXuidTextAndShowsItToTheSignedInPlayer)
{
    EXPECT_EQ(Call(&XboxChannelSDK::ShowProfileCard, {{"requestId", "c"}, {"xuid", "abc"}}).body, ErrorReply("Invalid xuid format: abc", "c"));
    EXPECT_EQ(LastError(), "ShowProfileCard: Invalid xuid format: abc");
    EXPECT_EQ(Call(&XboxChannelSDK::ShowProfileCard, {{"requestId", "c"}, {"xuid", "-5"}}).body, ErrorReply("Invalid xuid format: -5", "c"));
    EXPECT_EQ(Call(&XboxChannelSDK::ShowProfileCard, {{"requestId", "c"}, {"xuid", "99999999999999999999"}}).body,
              ErrorReply("Invalid xuid format: 99999999999999999999", "c"));
    EXPECT_EQ(Call(&XboxChannelSDK::ShowProfileCard, {{"requestId", "c"}}).body, ErrorReply("xuid is required", "c"));
    EXPECT_EQ(LastError(), "ShowProfileCard: xuid is required");
    EXPECT_EQ(Call(&XboxChannelSDK::ShowProfileCard, {{"requestId", "c"}, {"xuid", ""}}).body, ErrorReply("xuid is required", "c"));
    EXPECT_EQ(Call(&XboxChannelSDK::ShowProfileCard, {{"requestId", "c"}, {"xuid", 2533274800000001ULL}}).body,
              ErrorReply("Invalid xuid: expected a string.", "c"));
    EXPECT_TRUE(Calls("XGameUiShowPlayerProfileCardAsync").empty());

    Sim({{"op", "dialogs"}, {"profileCardResults", {0, "0x80004004", "0x80190193"}}});
    EXPECT_EQ(CallAndTick(&XboxChannelSDK::ShowProfileCard, {{"requestId", "c"}, {"xuid", " 2533274800000001x"}}).body, Success("c"));
    const json call = Calls("XGameUiShowPlayerProfileCardAsync").at(0);
    EXPECT_EQ(call["targetPlayer"], "2533274800000001");
    EXPECT_TRUE(call["user"].is_number()) << call;
    EXPECT_EQ(CallAndTick(&XboxChannelSDK::ShowProfileCard, {{"requestId", "c"}, {"xuid", "1"}}).body, Success("c"));
    EXPECT_EQ(CallAndTick(&XboxChannelSDK::ShowProfileCard, {{"requestId", "c"}, {"xuid", "1"}}).body,
              ErrorReply("ShowProfileCard failed: 0x80190193", "c", 0x80190193));
    EXPECT_EQ(LastError(), "XGameUiShowPlayerProfileCardResult failed: 0x80190193");

    // Nobody signed in: the card is asked for with no user, and the runtime refuses it.
    Sim({{"op", "signOut"}});
    TickUntil([&] { return channel_->GetUserHandle() == nullptr; });
    EXPECT_EQ(Call(&XboxChannelSDK::ShowProfileCard, {{"requestId", "c"}, {"xuid", "1"}}).body,
              ErrorReply("XGameUiShowPlayerProfileCardAsync failed: 0x80070057", "c", 0x80070057));
    EXPECT_TRUE(Calls("XGameUiShowPlayerProfileCardAsync").back()["user"].is_null());
}

TEST_F(XboxSystemDialogTest, AnErrorDialogDismissedIsAnsweredAsShownAndTakesHResultsEitherWay)
{
    Sim({{"op", "dialogs"}, {"errorDialogResults", {"0x80004004", 0, "0x80070005"}}});
    EXPECT_EQ(CallAndTick(&XboxChannelSDK::ShowErrorDialog, {{"requestId", "e"}, {"errorCode", 2147500037u}, {"content", "Saving"}}).body,
              Success("e"));
    EXPECT_EQ(Calls("XGameUiShowErrorDialogAsync").at(0)["errorCode"], "0x80004005");
    EXPECT_EQ(Calls("XGameUiShowErrorDialogAsync").at(0)["context"], "Saving");
    EXPECT_EQ(CallAndTick(&XboxChannelSDK::ShowErrorDialog, {{"requestId", "e"}, {"errorCode", -2147467259}}).body, Success("e"));
    EXPECT_EQ(Calls("XGameUiShowErrorDialogAsync").at(1)["errorCode"], "0x80004005");
    EXPECT_EQ(Calls("XGameUiShowErrorDialogAsync").at(1)["context"], "");
    EXPECT_EQ(CallAndTick(&XboxChannelSDK::ShowErrorDialog, {{"requestId", "e"}}).body, ErrorReply("ShowErrorDialog failed: 0x80070005", "e", 0x80070005));
    EXPECT_EQ(LastError(), "XGameUiShowErrorDialogResult failed: 0x80070005");
}

TEST_F(XboxSystemDialogTest, EachDialogThatDoesNotOpenIsAnsweredAtOnce)
{
    Sim({{"op", "dialogs"},
         {"errorDialogStartResult", "0x80070005"},
         {"messageDialogStartResult", "0x80070006"},
         {"profileCardStartResult", "0x80070007"},
         {"textEntryStartResult", "0x80070008"}});
    EXPECT_EQ(Call(&XboxChannelSDK::ShowErrorDialog, {{"requestId", "e"}}).body,
              ErrorReply("XGameUiShowErrorDialogAsync failed: 0x80070005", "e", 0x80070005));
    EXPECT_EQ(Call(&XboxChannelSDK::ShowMessageDialog, {{"requestId", "m"}}).body,
              ErrorReply("XGameUiShowMessageDialogAsync failed: 0x80070006", "m", 0x80070006));
    EXPECT_EQ(Call(&XboxChannelSDK::ShowProfileCard, {{"requestId", "c"}, {"xuid", "1"}}).body,
              ErrorReply("XGameUiShowPlayerProfileCardAsync failed: 0x80070007", "c", 0x80070007));
    EXPECT_EQ(Call(&XboxChannelSDK::ShowTextEntry, {{"requestId", "t"}}).body,
              ErrorReply("XGameUiShowTextEntryAsync failed: 0x80070008", "t", 0x80070008));
    EXPECT_EQ(LastError(), "XGameUiShowTextEntryAsync failed: 0x80070008");
}

TEST_F(XboxSystemDialogTest, ParametersOfTheWrongTypeAreRefusedWithoutADialog)
{
    EXPECT_EQ(Call(&XboxChannelSDK::ShowMessageDialog, {{"requestId", "m"}, {"title", 5}}).body,
              ErrorReply("Invalid title: expected a string.", "m"));
    EXPECT_EQ(Call(&XboxChannelSDK::ShowMessageDialog, {{"requestId", "m"}, {"button", {"Yes", 2}}}).body,
              ErrorReply("Invalid button[1]: expected a string.", "m"));
    EXPECT_EQ(Call(&XboxChannelSDK::ShowMessageDialog, {{"requestId", "m"}, {"cancelButton", "1"}}).body,
              ErrorReply("Invalid cancelButton: expected a 32-bit integer.", "m"));
    EXPECT_EQ(Call(&XboxChannelSDK::ShowTextEntry, {{"requestId", "t"}, {"maxLength", -1}}).body,
              ErrorReply("Invalid maxLength: expected an unsigned 32-bit integer.", "t"));
    EXPECT_EQ(Call(&XboxChannelSDK::ShowTextEntry, {{"requestId", "t"}, {"defaultValue", nullptr}}).body,
              ErrorReply("Invalid defaultValue: expected a string.", "t"));
    EXPECT_EQ(Call(&XboxChannelSDK::ShowErrorDialog, {{"requestId", "e"}, {"errorCode", 4294967296LL}}).body,
              ErrorReply("Invalid errorCode: expected a 32-bit integer.", "e"));
    EXPECT_TRUE(Calls("XGameUiShowMessageDialogAsync").empty());
    EXPECT_TRUE(Calls("XGameUiShowTextEntryAsync").empty());
    EXPECT_TRUE(Calls("XGameUiShowErrorDialogAsync").empty());
}

TEST_F(XboxSystemDialogTest, ASignOutWhileADialogIsOpenLeavesItToAnswerOnce)
{
    Sim({{"op", "dialogs"}, {"holdOpen", true}, {"buttons", {2}}});
    channel_->ShowMessageDialog(R"({"requestId":"m","button":["a","b","c"]})", &Record);
    Sim({{"op", "signOut"}});
    TickUntil([&] { return channel_->GetUserHandle() == nullptr; });
    EXPECT_TRUE(Replies().empty());
    Sim({{"op", "releaseWork"}});
    TickUntil([&] { return !Replies().empty(); });
    for (int i = 0; i < 20; ++i) {
        channel_->Tick();
    }
    ASSERT_EQ(Replies().size(), 1u);
    EXPECT_EQ(Replies()[0].body, Success("m", {{"button", 2}}));
}

// Unload closes the dialogs still open: each is answered once, as the player closing it would be,
// before Unload returns.
TEST_F(XboxSystemDialogTest, UnloadClosesTheOpenDialogsAndAnswersEachOnce)
{
    Sim({{"op", "dialogs"}, {"holdOpen", true}});
    channel_->ShowErrorDialog(R"({"requestId":"e"})", &Record);
    channel_->ShowMessageDialog(R"({"requestId":"m","cancelButton":1})", &Record);
    channel_->ShowProfileCard(R"({"requestId":"c","xuid":"1"})", &Record);
    channel_->ShowTextEntry(R"({"requestId":"t"})", &Record);
    channel_->Tick();
    EXPECT_TRUE(Replies().empty());

    channel_->Unload(R"({"requestId":"u"})", &Record);
    ASSERT_EQ(Replies().size(), 5u);
    std::multiset<std::string> answered;
    for (std::size_t i = 0; i < 4; ++i) {
        answered.insert(std::to_string(Replies()[i].code) + " " + Replies()[i].body.dump());
    }
    EXPECT_EQ(answered, (std::multiset<std::string>{"0 " + Success("e").dump(), "0 " + Success("m", {{"button", 1}}).dump(),
                                                    "0 " + Success("c").dump(),
                                                    "-6 " + Success("t", {{"text", ""}, {"size", 0}}).dump()}));
    Sim({{"op", "releaseWork"}});
    channel_->Tick();
    EXPECT_EQ(Replies().size(), 5u);
    EXPECT_EQ(Sim({{"op", "state"}})["leftOpen"], json::object());
}

TEST_F(XboxChannelTest, DialogsBeforeLoadAreRefused)
{
    const Reply reply = Call(&XboxChannelSDK::ShowErrorDialog, {{"requestId", "e"}});
    EXPECT_EQ(reply.body, ErrorReply("SDK not initialized. Call Load() first.", "e"));
}

} // namespace
} // namespace XboxTest
