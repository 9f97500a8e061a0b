// The Xbox channel's feature operations (their Ensure steps and actions), game invites, and requests
// still waiting when the channel stops, against the simulated GDK.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <set>
#include <string>
#include <thread>

#include "XboxChannelFixture.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace XboxTest {
namespace {

// A call still in the runtime's hands when the channel is destroyed keeps its record for good: the
// runtime may write into it later, so freeing it would be worse than leaving it. The leak checker is
// told that this allocation is meant to outlive everything.
class DeliberateLeak {
public:
#if defined(__SANITIZE_ADDRESS__)
    DeliberateLeak() { __lsan_disable(); }
    ~DeliberateLeak() { __lsan_enable(); }
#else
    DeliberateLeak() = default;
#endif
    DeliberateLeak(const DeliberateLeak&) = delete;
    DeliberateLeak& operator=(const DeliberateLeak&) = delete;
};

using Vyro::XboxChannelSDK;

struct FeatureCase {
    Operation operation;
    const char* action;
    const char* initFailed;
    // What the ready feature answers this request with.
    // None: a ready feature answers in a later Tick.
    const char* readyAnswer = "Not implemented";
    // The request's "xbox" member as JSON text, if any.
    const char* xbox = nullptr;
};

const FeatureCase kFeatures[] = {
    {&XboxChannelSDK::CheckPrivilege, nullptr, "Failed to initialize online services.", "Invalid xbox: expected an object.", "5"},
    {&XboxChannelSDK::ResolvePrivilege, nullptr, "Failed to initialize online services.", "Invalid xbox: expected an object.", "5"},
    {&XboxChannelSDK::CheckPermission, nullptr, "Failed to initialize online services.", "Invalid xbox: expected an object.", "5"},
    {&XboxChannelSDK::FriendList, nullptr, "Failed to initialize social services.", nullptr},
    {&XboxChannelSDK::BlockList, nullptr, "Failed to initialize social services.", nullptr},
    {&XboxChannelSDK::UserProfile, nullptr, "Failed to initialize social services.", nullptr},
    {&XboxChannelSDK::Achievements, "update", "Failed to initialize achievements.", "Achievement ID is required."},
    {&XboxChannelSDK::Statistics, "get", "Failed to initialize stats.", "No stat names provided in xbox.names array."},
    {&XboxChannelSDK::Leaderboard, nullptr, "Failed to initialize stats.", "No statName provided in xbox.statName."},
    {&XboxChannelSDK::Activity, "get", "Failed to initialize multiplayer.", "No valid xuids provided."},
    {&XboxChannelSDK::Invite, "send", "Failed to initialize multiplayer.", "No valid xuids provided."},
    {&XboxChannelSDK::RecentPlayers, nullptr, "Failed to initialize multiplayer.", "No valid players provided."},
};

json Request(const FeatureCase& feature)
{
    json params{{"requestId", "f"}};
    if (feature.action != nullptr) {
        params["action"] = feature.action;
    }
    if (feature.xbox != nullptr) {
        params["xbox"] = json::parse(feature.xbox);
    }
    return params;
}

TEST_F(XboxChannelTest, EveryFeatureIsMadeReadyBeforeItsRequestAndAFailedContextLeavesNothingBehind)
{
    LoadAndSignIn();
    Sim({{"op", "set"}, {"xblContextResult", "0x80004005"}});
    for (const FeatureCase& feature : kFeatures) {
        EXPECT_EQ(Call(feature.operation, Request(feature)).body,
                  (json{{"channel", "xbox"}, {"message", feature.initFailed}, {"requestId", "f"}}));
        EXPECT_EQ(log_.Messages(Vyro::LogLevel::Error).back(), "XblContextCreateHandle failed: 0x80004005");
    }
    EXPECT_FALSE(Sim({{"op", "state"}})["leftOpen"].contains("xblContexts"));

    Sim({{"op", "set"}, {"xblContextResult", 0}});
    for (const FeatureCase& feature : kFeatures) {
        if (feature.readyAnswer == nullptr) {
            ((*channel_).*feature.operation)(Request(feature).dump().c_str(), &Record);
            continue;
        }
        EXPECT_EQ(Call(feature.operation, Request(feature)).body,
                  (json{{"channel", "xbox"}, {"message", feature.readyAnswer}, {"requestId", "f"}}));
    }
    EXPECT_EQ(Calls("XblContextCreateHandle").size(), std::size(kFeatures) + 5)
        << "then one context for each of the five feature objects, kept while the user stays";
    // The social requests still with the runtime are answered by the unload, not left to the destructor.
    channel_->Unload("{}", &Record);
}

TEST_F(XboxChannelTest, ActionsAreComparedWholeAndCaseSensitively)
{
    LoadAndSignIn();
    struct Case {
        Operation operation;
        json action;
        const char* message;
    };
    for (const Case& request : {Case{&XboxChannelSDK::Achievements, nullptr, "Unknown achievements action: "},
                                Case{&XboxChannelSDK::Achievements, "Get", "Unknown achievements action: Get"},
                                Case{&XboxChannelSDK::Statistics, 5, "Unknown statistics action: "},
                                Case{&XboxChannelSDK::Activity, "set ", "Unknown activity action: set "},
                                Case{&XboxChannelSDK::Invite, "", "Unknown invite action: "}}) {
        json params{{"requestId", "r"}};
        if (!request.action.is_null()) {
            params["action"] = request.action;
        }
        EXPECT_EQ(Call(request.operation, params).body,
                  (json{{"channel", "xbox"}, {"message", request.message}, {"requestId", "r"}}));
    }
    EXPECT_TRUE(log_.Messages(Vyro::LogLevel::Warning).empty());
}

TEST_F(XboxChannelTest, WithoutServicesTheFeaturesCannotBeMade)
{
    Sim({{"op", "set"}, {"xblInitializeResult", "0x80004005"}});
    ASSERT_EQ(Call(&XboxChannelSDK::Load, json::object()).code, -1);
    ASSERT_EQ(CallAndTick(&XboxChannelSDK::Login, json::object()).code, 0) << "the runtime alone signs in";
    EXPECT_EQ(Call(&XboxChannelSDK::Leaderboard, {{"requestId", "l"}}).body["message"], "Failed to initialize stats.");
    EXPECT_EQ(log_.Messages(Vyro::LogLevel::Error).back(), "Cannot initialize XboxStats: Xbox Live services not initialized");
    EXPECT_TRUE(Calls("XblContextCreateHandle").empty());
}

TEST_F(XboxChannelTest, GameInvitesBecomeEvent4AndAPendingJoin)
{
    LoadAndSignIn();
    EXPECT_EQ(Calls("XGameInviteRegisterForEvent").size(), 1u) << "a signed-in user starts the invite handling";
    channel_->RegisterCallback(4, &RecordEvent);
    EXPECT_EQ(Calls("XGameInviteRegisterForEvent").size(), 1u) << "registered once";

    Sim({{"op", "invite"}, {"uri", nullptr}});
    Sim({{"op", "invite"}, {"uri", "ms-xbl-multiplayer://inviteHandleAccept/?invitedXuid=1&connectionString=a%3Db&bare&=x&invitedXuid=2"}});
    TickUntil([&] { return !Events().empty(); });
    channel_->Tick();
    ASSERT_EQ(Events().size(), 1u) << "an invite without a text is ignored";
    EXPECT_EQ(Events()[0].body,
              (json{{"channel", "xbox"},
                    {"xbox",
                     {{"url", "ms-xbl-multiplayer://inviteHandleAccept/?invitedXuid=1&connectionString=a%3Db&bare&=x&invitedXuid=2"},
                      {"invitedXuid", "2"},
                      {"connectionString", "a=b"},
                      {"", "x"}}}}));
    EXPECT_EQ(Call(&XboxChannelSDK::Query, {{"key", "hasJoinSession"}}).body,
              json::parse(R"({"channel":"xbox","hasJoinSession":{"connectionString":"a=b","hasJoinSession":true}})"));

    // A sign-out resets the multiplayer object: the pending join goes with it, the handler is removed.
    Sim({{"op", "signOut"}});
    TickUntil([&] { return channel_->GetUserHandle() == nullptr; });
    EXPECT_EQ(Call(&XboxChannelSDK::Query, {{"key", "hasJoinSession"}}).body["hasJoinSession"]["hasJoinSession"], false);
    EXPECT_EQ(Calls("XGameInviteUnregisterForEvent").size(), 1u);
}

// Work the runtime has not finished when Unload terminates the queue completes as aborted, and its
// request is answered then, once; nothing is answered after Unload.
TEST_F(XboxChannelTest, UnloadAnswersTheRequestsStillWaitingOnceAndNothingAfterwards)
{
    LoadAndSignIn();
    Sim({{"op", "set"}, {"holdWork", "queued"}});
    channel_->AuthToken(R"({"requestId":"t"})", &Record);
    Sim({{"op", "signOut"}});
    TickUntil([&] { return channel_->GetUserHandle() == nullptr; });
    channel_->Achievements(R"({"requestId":"a","action":"get"})", &Record);
    channel_->Tick();
    EXPECT_TRUE(Replies().empty());

    Sim({{"op", "set"}, {"holdWork", "none"}});
    channel_->Unload(R"({"requestId":"u"})", &Record);
    ASSERT_EQ(Replies().size(), 2u + 1u);
    std::set<std::string> waiting{Replies()[0].body.dump(), Replies()[1].body.dump()};
    EXPECT_EQ(waiting, (std::set<std::string>{R"({"channel":"xbox","message":"Token request failed: 0x80004004",)"
                                              R"("requestId":"t","third_error_code":-2147467260})",
                                              R"({"channel":"xbox","message":"User not signed in. Login first.",)"
                                              R"("requestId":"a"})"}));
    EXPECT_EQ(Replies()[2].body, json::parse(R"({"channel":"xbox"})"));
    Sim({{"op", "releaseWork"}});
    channel_->Tick();
    EXPECT_EQ(Replies().size(), 3u);
    EXPECT_EQ(Sim({{"op", "state"}})["leftOpen"], json::object());
}

// Where the journal first has a call of `function`; the journal's size when it has none.
std::size_t FirstCallOf(const json& journal, const std::string& function)
{
    for (std::size_t i = 0; i < journal.size(); ++i) {
        if (journal[i].value("fn", "") == function) {
            return i;
        }
    }
    return journal.size();
}

// The Xbox services library is cleaned up only once no call is outstanding: a call about to finish is
// let finish and answered with its result; one that does not finish in time is cancelled first and
// answered with E_ABORT. Either way it is answered once, before XblCleanupAsync starts.
TEST_F(XboxChannelTest, UnloadLetsOutstandingCallsFinishOrCancelsThemBeforeTheServicesCleanUp)
{
    LoadAndSignIn();
    Sim({{"op", "set"}, {"workDelayMs", 50}});
    channel_->Achievements(R"({"requestId":"finishing","action":"get"})", &Record);
    channel_->Tick();
    channel_->Unload(nullptr, &Record);
    ASSERT_EQ(Replies().size(), 2u);
    EXPECT_EQ(Replies()[0].code, 0) << Replies()[0].body;
    EXPECT_EQ(Replies()[0].body["requestId"], "finishing");
    json journal = Sim({{"op", "journal"}})["calls"];
    EXPECT_LT(FirstCallOf(journal, "XblAchievementsGetAchievementsForTitleIdResult"), FirstCallOf(journal, "XblCleanupAsync"));
    EXPECT_EQ(FirstCallOf(journal, "XAsyncCancel"), journal.size()) << "nothing left to cancel";

    Replies().clear();
    Sim({{"op", "reset"}});
    LoadAndSignIn();
    Sim({{"op", "set"}, {"holdWork", "queued"}});
    channel_->Achievements(R"({"requestId":"held","action":"get"})", &Record);
    Sim({{"op", "set"}, {"holdWork", "none"}}); // that call stays held; the cleanup's own work is not
    const auto unloadStarted = std::chrono::steady_clock::now();
    channel_->Unload(nullptr, &Record);
    EXPECT_LT(std::chrono::steady_clock::now() - unloadStarted, std::chrono::seconds(2)) << "Unload never hangs";
    ASSERT_EQ(Replies().size(), 2u);
    EXPECT_EQ(Replies()[0].body["requestId"], "held");
    EXPECT_EQ(Replies()[0].body["third_error_code"], Signed(0x80004004));
    journal = Sim({{"op", "journal"}})["calls"];
    const std::size_t cancel = FirstCallOf(journal, "XAsyncCancel");
    ASSERT_LT(cancel, journal.size());
    EXPECT_EQ(journal[cancel]["call"], "XblAchievementsGetAchievementsForTitleIdAsync");
    EXPECT_LT(cancel, FirstCallOf(journal, "XblCleanupAsync"));
    EXPECT_EQ(Sim({{"op", "state"}})["leftOpen"], json::object());
}

// The game may unload from inside an answer, and tick from inside one.
TEST_F(XboxChannelTest, AnswersMayTickOrUnloadTheChannel)
{
    static XboxChannelSDK* channel = nullptr;
    static int answers = 0;
    channel = channel_.get();
    answers = 0;
    LoadAndSignIn();
    channel_->AuthToken("{}", [](int, const char*) {
        ++answers;
        channel->Tick();
        channel->Unload(nullptr, nullptr);
        channel->Tick();
    });
    TickUntil([&] { return answers > 0; });
    channel_->Tick();
    EXPECT_EQ(answers, 1);
    EXPECT_EQ(channel_->GetTaskQueue(), nullptr);
    EXPECT_EQ(Sim({{"op", "state"}})["leftOpen"], json::object());
}

// Destruction without Unload (the library going away, often with the process) waits for no other
// thread: what waits is dropped unanswered and its completion never runs.
TEST_F(XboxChannelTest, DestroyingTheChannelReleasesWithoutWaitingAndAnswersNothing)
{
    LoadAndSignIn();
    Sim({{"op", "set"}, {"holdWork", "running"}});
    {
        [[maybe_unused]] const DeliberateLeak neverReturnedByTheRuntime;
        channel_->AuthToken("{}", &Record);
    }
    Sim({{"op", "journal"}, {"clear", true}});
    channel_.reset();
    EXPECT_TRUE(Replies().empty());
    EXPECT_TRUE(Calls("XAsyncGetStatus").empty()) << "no wait for the Xbox services cleanup";
    EXPECT_EQ(Calls("XTaskQueueTerminate")[0]["wait"], false);
    EXPECT_TRUE(Calls("XTaskQueueDispatch").empty()) << "no completion runs";
    const json open = Sim({{"op", "state"}})["leftOpen"];
    for (const char* handles : {"queues", "users", "storeContexts", "xblContexts", "registrations"}) {
        EXPECT_FALSE(open.contains(handles)) << handles << ": " << open;
    }
    Sim({{"op", "releaseWork"}});
}

// Work finishes on the runtime's worker threads while the game thread ticks and the system signs the
// player out and in again: every request is answered exactly once, on the game thread.
TEST_F(XboxChannelTest, WorkFinishingOnWorkerThreadsWhileTheGameThreadTicks)
{
    LoadAndSignIn();
    channel_->RegisterCallback(2, &RecordEvent);
    Sim({{"op", "set"}, {"workDelayMs", 1}});
    constexpr int kRequests = 60;
    std::atomic<bool> stop{false};
    std::thread system([&] {
        while (!stop) {
            Sim({{"op", "signOut"}});
            std::this_thread::sleep_for(std::chrono::milliseconds(3));
            Sim({{"op", "signIn"}});
            std::this_thread::sleep_for(std::chrono::milliseconds(3));
        }
    });
    for (int i = 0; i < kRequests; ++i) {
        channel_->AuthToken(json{{"requestId", std::to_string(i)}}.dump().c_str(), &Record);
        channel_->Achievements(R"({"action":"get"})", &Record);
        channel_->Tick();
    }
    TickUntil([&] { return Replies().size() >= 2 * kRequests; });
    stop = true;
    system.join();
    for (int i = 0; i < 20; ++i) {
        channel_->Tick();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    EXPECT_EQ(Replies().size(), 2u * kRequests);
    EXPECT_FALSE(Events().empty());
}

} // namespace
// Work that never ends on the runtime's threads (held running, with the simulator's own wait limit
// far away) keeps the Xbox services cleanup and the queue's termination from finishing: Unload waits
// for each a while and returns, the request answered once, and leaves the runtime initialised under
// the work. Once the work ends nothing more is answered, and a later Load starts again.
TEST_F(XboxChannelTest, UnloadDoesNotWaitForeverForWorkThatNeverEnds)
{
    LoadAndSignIn();
    Sim({{"op", "set"}, {"holdWork", "running"}, {"waitLimitMs", 600000}});
    channel_->AuthToken(R"({"requestId":"stuck"})", &Record);
    channel_->Unload("{}", &Record);
    ASSERT_EQ(Replies().size(), 2u);
    EXPECT_EQ(Replies()[0].body["requestId"], "stuck");
    EXPECT_EQ(Replies()[0].code, -1);
    EXPECT_EQ(Replies()[1].code, 0) << "Unload's own answer";
    const auto warnings = log_.Messages(Vyro::LogLevel::Warning);
    EXPECT_NE(std::find(warnings.begin(), warnings.end(), "XblCleanupAsync not finished after 2000 ms: left running"), warnings.end());
    EXPECT_TRUE(Calls("XGameRuntimeUninitialize").empty());

    Sim({{"op", "set"}, {"holdWork", "none"}, {"waitLimitMs", 10000}});
    Sim({{"op", "releaseWork"}});
    channel_->Tick();
    EXPECT_EQ(Replies().size(), 2u);
    // The cleanup ends on the runtime's thread once its work does; until then a Load finds the Xbox
    // services still initialised.
    TickUntil([&] { return Call(&XboxChannelSDK::Load, json::object()).code == 0; });
    EXPECT_EQ(Call(&XboxChannelSDK::Unload, json::object()).code, 0) << "its silent sign-in answered";
}

} // namespace XboxTest
