// The exported functions, in-process, over a recording channel put in the holder.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "LogCapture.h"
#include "VyroChannel.h"
#include "core/BaseChannelSDK.h"
#include "core/ChannelHolder.h"

using namespace Vyro;
using VyroTest::LogCapture;

namespace {

struct Call {
    std::string operation;
    std::string params; // "<null>" for a null pointer
    ResultCallback cb;
    bool operator==(const Call&) const = default;
};

std::vector<Call> calls;
int destroyed = 0;

std::string Text(const char* params) { return params == nullptr ? "<null>" : params; }

#define RECORD(Operation)                                                                              \
    void Operation(const char* params, ResultCallback cb) override { calls.push_back({#Operation, Text(params), cb}); }

class RecordingChannel : public BaseChannelSDK {
public:
    ~RecordingChannel() override { ++destroyed; }
    int GetChannelType() override { return ChannelType::Epic; }
    void Tick() override
    {
        calls.push_back({"Tick", "", nullptr});
        DispatchEvents();
    }
    RECORD(Load)
    RECORD(Unload)
    RECORD(Init)
    RECORD(Login)
    RECORD(Products)
    RECORD(RecentPlayers)
};
#undef RECORD

class ThrowingChannel : public BaseChannelSDK {
public:
    void Init(const char*, ResultCallback) override { throw std::runtime_error("boom"); }
    void Tick() override { throw 42; }
};

std::vector<std::pair<int, std::string>> answers;
void Answer(int code, const char* json) { answers.emplace_back(code, json); }

class Exports : public ::testing::Test {
protected:
    void SetUp() override
    {
        calls.clear();
        answers.clear();
        destroyed = 0;
        InstallChannel(std::make_shared<RecordingChannel>());
    }
    void TearDown() override { ReleaseChannel(); }
};

} // namespace

TEST_F(Exports, RequestsForwardTheirArgumentsUnchanged)
{
    VyroChannel_Init(R"({"requestId":"1"})", &Answer);
    VyroChannel_Login(nullptr, nullptr);
    VyroChannel_Products("not json", &Answer);
    VyroChannel_RecentPlayers("{}", &Answer);
    VyroChannel_Tick();
    EXPECT_EQ(calls, (std::vector<Call>{{"Init", R"({"requestId":"1"})", &Answer},
                                        {"Login", "<null>", nullptr},
                                        {"Products", "not json", &Answer},
                                        {"RecentPlayers", "{}", &Answer},
                                        {"Tick", "", nullptr}}));
    EXPECT_TRUE(answers.empty()) << "the export layer itself never answers when a channel exists";
}

TEST_F(Exports, InheritedOperationsNameTheChannelsStore)
{
    VyroChannel_Statistics(R"({"requestId":"s"})", &Answer);
    EXPECT_EQ(answers, (std::vector<std::pair<int, std::string>>{
                           {-1, R"({"channel":"epic","message":"Not implemented","requestId":"s"})"}}));
}

TEST_F(Exports, LoadParsesForItsLogLinesThenForwards)
{
    LogCapture log;
    VyroChannel_Load("{", &Answer);
    ASSERT_EQ(log.Messages(LogLevel::Error).size(), 1u);
    EXPECT_EQ(calls, (std::vector<Call>{{"Load", "{", &Answer}}));
}

TEST_F(Exports, UnloadForwardsThenReleasesTheChannel)
{
    VyroChannel_Unload("{}", &Answer);
    EXPECT_EQ(calls, (std::vector<Call>{{"Unload", "{}", &Answer}}));
    EXPECT_EQ(destroyed, 1);
}

TEST_F(Exports, UnityHooksLoadAndUnloadWithTheUnitySourceAndNoCallback)
{
    UnityPluginLoad(nullptr);
    UnityPluginUnload();
    EXPECT_EQ(calls, (std::vector<Call>{{"Load", R"({"source":"unity"})", nullptr},
                                        {"Unload", R"({"source":"unity"})", nullptr}}));
    EXPECT_EQ(std::string(R"({"source":"unity"})").size(), 18u);
    EXPECT_EQ(destroyed, 1);
}

namespace {
void UnloadsFromInsideTheEvent(int, const char*)
{
    VyroChannel_Unload(nullptr, nullptr);
    calls.push_back({"after unload", "", nullptr});
}
} // namespace

TEST_F(Exports, UnloadFromInsideADeliveredEventKeepsTheChannelAliveUntilTickReturns)
{
    auto channel = std::make_shared<RecordingChannel>();
    std::weak_ptr<RecordingChannel> watch = channel;
    InstallChannel(channel);
    VyroChannel_RegisterCallback(2, &UnloadsFromInsideTheEvent);
    channel->PostEvent(2, 0, "{}");
    channel->PostEvent(2, 0, "{}");
    channel.reset();
    EXPECT_EQ(destroyed, 1) << "the channel SetUp installed was replaced";
    VyroChannel_Tick();
    EXPECT_TRUE(watch.expired());
    EXPECT_EQ(destroyed, 2);
    // The second event died with its channel; the first one's listener ran to completion.
    EXPECT_EQ(calls.back(), (Call{"after unload", "", nullptr}));
}

TEST_F(Exports, RegistrationsGoToTheChannelAndDieWithIt)
{
    VyroChannel_RegisterCallback(1, &Answer);
    VyroChannel_UnregisterCallback(1);
    VyroChannel_RegisterCallback(1, &Answer);
    VyroChannel_Unload(nullptr, nullptr);
    EXPECT_EQ(destroyed, 1);
}

TEST_F(Exports, ExceptionsNeverReachTheGame)
{
    InstallChannel(std::make_shared<ThrowingChannel>());
    LogCapture log;
    EXPECT_NO_THROW(VyroChannel_Init("{}", &Answer));
    EXPECT_NO_THROW(VyroChannel_Tick());
    EXPECT_EQ(log.Messages(LogLevel::Error), (std::vector<std::string>{"VyroChannel_Init failed: boom",
                                                                       "VyroChannel_Tick failed: unknown exception"}));
}

TEST_F(Exports, PrintDoesNothing)
{
    LogCapture log;
    testing::internal::CaptureStdout();
    VyroChannel_Print();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_TRUE(calls.empty());
    EXPECT_TRUE(log.Lines().empty());
}

TEST_F(Exports, SetLogHandlerRoutesLinesToTheHostWithoutTouchingTheChannel)
{
    static std::vector<std::pair<int, std::string>> lines;
    lines.clear();
    VyroChannel_SetLogHandler([](int level, const char* line) { lines.emplace_back(level, line); }, 3);
    VyroChannel_RegisterCallback(3, nullptr); // WARNING
    VyroChannel_Load(nullptr, nullptr);       // WARNING from parsing
    VyroChannel_SetLogHandler(nullptr, 0);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].first, 3);
    EXPECT_NE(lines[0].second.find("] [WARNING] RegisterCallback ignored null callback for type 3"), std::string::npos);
    EXPECT_EQ(calls.size(), 1u);
}

TEST(ExportsWithoutStore, TheDefaultChannelIsCreatedOnFirstUseAndAfterEachUnload)
{
    ReleaseChannel();
    LogCapture log;
    answers.clear();
    VyroChannel_Init(R"({"requestId":"7"})", &Answer);
    EXPECT_EQ(answers, (std::vector<std::pair<int, std::string>>{
                           {-1, R"({"channel":"none","message":"Not implemented","requestId":"7"})"}}));
    EXPECT_EQ(log.Messages(LogLevel::Warning), std::vector<std::string>{"DetectChannelType: No compatible channel detected"});
    EXPECT_EQ(log.Messages(LogLevel::Error).back(), "CreateSDK: No compatible channel found, SDK creation failed");
    const std::size_t linesAfterFirstDetection = log.Lines().size();

    VyroChannel_Products("{}", &Answer);
    EXPECT_EQ(log.Lines().size(), linesAfterFirstDetection) << "detection runs once per channel";

    VyroChannel_Unload(nullptr, &Answer);
    VyroChannel_Login("{}", &Answer);
    EXPECT_EQ(log.Messages(LogLevel::Warning).size(), 3u) << "null params, then a second detection";
    EXPECT_EQ(answers.size(), 4u);
    ReleaseChannel();
}
