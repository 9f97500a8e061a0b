#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "LogCapture.h"
#include "core/BaseChannelSDK.h"

using namespace Vyro;
using VyroTest::LogCapture;

namespace {

// A store-like channel: its Tick delivers events, as every store channel's does.
class DeliveringChannel : public BaseChannelSDK {
public:
    int GetChannelType() override { return ChannelType::Steam; }
    void Tick() override { DispatchEvents(); }
};

struct Delivery {
    std::string listener;
    int code;
    std::string json;
    bool operator==(const Delivery&) const = default;
};

std::vector<Delivery> deliveries;
DeliveringChannel* current = nullptr;

void ListenerA(int code, const char* json) { deliveries.push_back({"A", code, json}); }
void ListenerB(int code, const char* json) { deliveries.push_back({"B", code, json}); }

class ChannelEvents : public ::testing::Test {
protected:
    void SetUp() override
    {
        deliveries.clear();
        current = &channel;
    }
    void TearDown() override { current = nullptr; }
    DeliveringChannel channel;
};

std::vector<std::pair<int, std::string>> answers;
void Answer(int code, const char* json) { answers.emplace_back(code, json); }

} // namespace

TEST(DefaultChannel, EveryRequestAnswersNotImplementedOnceNamingItsStore)
{
    BaseChannelSDK base;
    DeliveringChannel steam;
    using Request = void (IChannelSDK::*)(const char*, ResultCallback);
    const Request requests[] = {
        &IChannelSDK::Load, &IChannelSDK::Unload, &IChannelSDK::Init, &IChannelSDK::Login,
        &IChannelSDK::AuthToken, &IChannelSDK::Products, &IChannelSDK::Checkout, &IChannelSDK::CheckEntitlements,
        &IChannelSDK::Consume, &IChannelSDK::Query, &IChannelSDK::CheckPrivilege, &IChannelSDK::ResolvePrivilege,
        &IChannelSDK::CheckPermission, &IChannelSDK::ShowTextEntry, &IChannelSDK::ShowProfileCard,
        &IChannelSDK::ShowMessageDialog, &IChannelSDK::ShowErrorDialog, &IChannelSDK::FriendList,
        &IChannelSDK::BlockList, &IChannelSDK::UserProfile, &IChannelSDK::Achievements, &IChannelSDK::Statistics,
        &IChannelSDK::Leaderboard, &IChannelSDK::Activity, &IChannelSDK::Invite, &IChannelSDK::RecentPlayers};
    for (const Request request : requests) {
        answers.clear();
        (base.*request)(R"({"requestId":"a1"})", &Answer);
        (steam.*request)(R"({"requestId":"r-7"})", &Answer);
        (base.*request)("{", &Answer);
        (base.*request)(R"({"requestId":"a1"})", nullptr);
        ASSERT_EQ(answers.size(), 3u);
        EXPECT_EQ(answers[0], std::pair(-1, std::string(R"({"channel":"none","message":"Not implemented","requestId":"a1"})")));
        EXPECT_EQ(answers[1], std::pair(-1, std::string(R"({"channel":"steam","message":"Not implemented","requestId":"r-7"})")));
        EXPECT_EQ(answers[2], std::pair(-1, std::string(R"({"channel":"none","message":"Not implemented"})")));
    }
    EXPECT_EQ(base.GetChannelType(), 0);
}

TEST(DefaultChannel, NullCallbackStillParses)
{
    LogCapture log;
    BaseChannelSDK base;
    base.Login(nullptr, nullptr);
    EXPECT_EQ(log.Messages(LogLevel::Warning),
              std::vector<std::string>{"ParseParameters() - params is null, returning empty object"});
}

TEST(DefaultChannel, TickNeverDelivers)
{
    deliveries.clear();
    BaseChannelSDK base;
    base.RegisterCallback(1, &ListenerA);
    base.PostEvent(1, 0, "{}");
    base.Tick();
    EXPECT_TRUE(deliveries.empty());
}

TEST_F(ChannelEvents, EventsWaitForAListenerAndKeepTheirOrder)
{
    channel.PostEvent(2, 0, R"({"n":1})");
    channel.PostEvent(3, 0, R"({"other":true})");
    channel.PostEvent(2, -1, R"({"n":2})");
    for (int i = 0; i < 10; ++i) {
        channel.Tick();
    }
    EXPECT_TRUE(deliveries.empty());
    channel.RegisterCallback(2, &ListenerA);
    channel.Tick();
    EXPECT_EQ(deliveries, (std::vector<Delivery>{{"A", 0, R"({"n":1})"}, {"A", -1, R"({"n":2})"}}));
    channel.Tick();
    EXPECT_EQ(deliveries.size(), 2u);
}

TEST_F(ChannelEvents, EveryRegistrationIsCalledInOrderAndUnregisterRemovesAll)
{
    channel.RegisterCallback(1, &ListenerA);
    channel.RegisterCallback(1, &ListenerB);
    channel.RegisterCallback(1, &ListenerA);
    channel.PostEvent(1, 0, "e1");
    channel.Tick();
    EXPECT_EQ(deliveries, (std::vector<Delivery>{{"A", 0, "e1"}, {"B", 0, "e1"}, {"A", 0, "e1"}}));

    channel.UnregisterCallback(1);
    channel.UnregisterCallback(42); // no slot: ignored
    channel.PostEvent(1, 0, "e2");
    channel.Tick();
    EXPECT_EQ(deliveries.size(), 3u);
}

TEST_F(ChannelEvents, NullCallbackIsLoggedAndIgnored)
{
    LogCapture log;
    channel.RegisterCallback(3, nullptr);
    EXPECT_EQ(log.Messages(LogLevel::Warning),
              std::vector<std::string>{"RegisterCallback ignored null callback for type 3"});
    channel.PostEvent(3, 0, "kept");
    channel.Tick();
    channel.RegisterCallback(3, &ListenerA);
    channel.Tick();
    EXPECT_EQ(deliveries, (std::vector<Delivery>{{"A", 0, "kept"}}));
}

TEST_F(ChannelEvents, AtMost64EventsPerTick)
{
    channel.RegisterCallback(0, &ListenerA);
    for (int i = 0; i < 100; ++i) {
        channel.PostEvent(0, 0, std::to_string(i));
    }
    channel.Tick();
    ASSERT_EQ(deliveries.size(), 64u);
    EXPECT_EQ(deliveries.front().json, "0");
    EXPECT_EQ(deliveries.back().json, "63");
    channel.Tick();
    ASSERT_EQ(deliveries.size(), 100u);
    EXPECT_EQ(deliveries.back().json, "99");
}

TEST_F(ChannelEvents, UnheardEventsCountTowardsTheLimitAndStayQueued)
{
    channel.RegisterCallback(0, &ListenerA);
    for (int i = 0; i < 60; ++i) {
        channel.PostEvent(4, 0, "unheard");
    }
    for (int i = 0; i < 10; ++i) {
        channel.PostEvent(0, 0, std::to_string(i));
    }
    channel.Tick(); // 60 re-queued + 4 delivered
    EXPECT_EQ(deliveries.size(), 4u);
    channel.Tick(); // 6 delivered, then 58 of the re-queued ones
    EXPECT_EQ(deliveries.size(), 10u);
    channel.RegisterCallback(4, &ListenerB);
    channel.Tick();
    EXPECT_EQ(deliveries.size(), 10u + 60u);
}

namespace {
void RegistersAnotherAndPosts(int code, const char* json)
{
    ListenerA(code, json);
    current->UnregisterCallback(1);
    current->RegisterCallback(1, &ListenerB);
    current->PostEvent(1, 7, "posted during delivery");
}
void TicksAgain(int code, const char* json)
{
    ListenerA(code, json);
    current->Tick();
}
} // namespace

TEST_F(ChannelEvents, ListenersMayChangeRegistrationsAndPostDuringDelivery)
{
    channel.RegisterCallback(1, &RegistersAnotherAndPosts);
    channel.RegisterCallback(1, &ListenerA);
    channel.PostEvent(1, 0, "first");
    channel.Tick();
    // Both listeners of the slot as it was when the event was taken; the posted event waits.
    EXPECT_EQ(deliveries, (std::vector<Delivery>{{"A", 0, "first"}, {"A", 0, "first"}}));
    channel.Tick();
    EXPECT_EQ(deliveries.back(), (Delivery{"B", 7, "posted during delivery"}));
}

TEST_F(ChannelEvents, TickFromInsideACallbackDeliversEachEventOnce)
{
    channel.RegisterCallback(2, &TicksAgain);
    channel.RegisterCallback(2, &ListenerB);
    for (int i = 0; i < 5; ++i) {
        channel.PostEvent(2, 0, std::to_string(i));
    }
    channel.Tick();
    channel.Tick();
    std::vector<std::string> seenByB;
    for (const auto& delivery : deliveries) {
        if (delivery.listener == "B") {
            seenByB.push_back(delivery.json);
        }
    }
    EXPECT_EQ(seenByB, (std::vector<std::string>{"4", "3", "2", "1", "0"}))
        << "each event reaches B once; nested ticks deliver later events first";
}

namespace {
std::atomic<int> threadedDeliveries{0};
void CountDelivery(int, const char*) { threadedDeliveries.fetch_add(1, std::memory_order_relaxed); }
} // namespace

TEST(ChannelEventsThreads, PostingFromSeveralThreadsWhileTicking)
{
    DeliveringChannel channel;
    channel.RegisterCallback(0, &CountDelivery);
    constexpr int kThreads = 4;
    constexpr int kPerThread = 2000;
    std::atomic<bool> done{false};
    std::vector<std::thread> posters;
    for (int t = 0; t < kThreads; ++t) {
        posters.emplace_back([&channel, t] {
            for (int i = 0; i < kPerThread; ++i) {
                channel.PostEvent(i % 2 == 0 ? 0 : 4, t, "{}");
            }
        });
    }
    std::thread ticker([&] {
        while (!done.load()) {
            channel.Tick();
        }
    });
    for (auto& poster : posters) {
        poster.join();
    }
    done.store(true);
    ticker.join();
    while (threadedDeliveries.load() < kThreads * kPerThread / 2) {
        channel.Tick();
    }
    EXPECT_EQ(threadedDeliveries.load(), kThreads * kPerThread / 2);
}

TEST_F(ChannelEvents, TypesOutsideTheKnownOnesWorkLikeAnyOther)
{
    channel.RegisterCallback(-5, &ListenerA);
    channel.RegisterCallback(1000, &ListenerB);
    channel.PostEvent(1000, 3, "big");
    channel.PostEvent(-5, -1, "negative");
    channel.Tick();
    EXPECT_EQ(deliveries, (std::vector<Delivery>{{"B", 3, "big"}, {"A", -1, "negative"}}));
}
