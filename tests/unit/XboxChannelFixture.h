#pragma once

// The Xbox channel driven through its linked tables, which point at the simulated GDK linked in. Work
// runs on the simulator's worker threads, so an answer given in Tick arrives after some Ticks.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include <nlohmann/json.hpp>

#include "LogCapture.h"
#include "RecordedReplies.h"
#include "SimControlRequests.h"
#include "channels/xbox/XboxChannelSDK.h"
#include "channels/xbox/XboxLinkedApi.h"

namespace XboxTest {

using nlohmann::json;
using SimControlRequests::Calls;
using SimControlRequests::Sim;
using VyroTest::Events;
using VyroTest::Record;
using VyroTest::RecordEvent;
using VyroTest::Replies;
using VyroTest::Reply;
using Operation = void (Vyro::XboxChannelSDK::*)(const char*, Vyro::ResultCallback);

inline constexpr char kXuid[] = "2533274936810592";
inline constexpr char kGamertag[] = "Lumen Drift 27";
inline constexpr char kScid[] = "00000000-0000-0000-0000-00005A7E3C19";

// An HRESULT as replies carry it in third_error_code: the same 32 bits, signed.
inline int Signed(std::uint32_t result) { return static_cast<int>(result); }

inline std::unique_ptr<Vyro::XboxChannelSDK> MakeChannel()
{
    return std::make_unique<Vyro::XboxChannelSDK>(Vyro::XboxBinding{
        Vyro::LazyStoreApi<Vyro::Gdk::GameRuntimeApi>(Vyro::XboxLinked::RuntimeApi()),
        Vyro::LazyStoreApi<Vyro::Xbl::XblApi>(Vyro::XboxLinked::ServicesApi())});
}

class XboxChannelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Replies().clear();
        Events().clear();
        Sim({{"op", "reset"}});
        channel_ = MakeChannel();
    }

    void TearDown() override
    {
        channel_.reset();
        const json misuse = Sim({{"op", "misuse"}});
        EXPECT_EQ(misuse["count"], 0) << misuse.dump(1);
    }

    // Ticks until `done` holds; fails the test after five seconds.
    template <typename Done>
    void TickUntil(Done done)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!done()) {
            ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "nothing arrived in time";
            channel_->Tick();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }

    // A request answered at once, exactly once.
    Reply Call(Operation operation, const json& params)
    {
        const std::size_t before = Replies().size();
        ((*channel_).*operation)(params.dump().c_str(), &Record);
        EXPECT_EQ(Replies().size(), before + 1) << "answered at once, exactly once";
        return Replies().size() == before + 1 ? Replies().back() : Reply{999, json()};
    }

    // A request answered inside a later Tick, exactly once.
    Reply CallAndTick(Operation operation, const json& params)
    {
        const std::size_t before = Replies().size();
        ((*channel_).*operation)(params.dump().c_str(), &Record);
        EXPECT_EQ(Replies().size(), before) << "answered inside Tick";
        TickUntil([&] { return Replies().size() > before; });
        channel_->Tick();
        EXPECT_EQ(Replies().size(), before + 1) << "answered once";
        return Replies().size() > before ? Replies()[before] : Reply{999, json()};
    }

    // Load, and the silent sign-in it starts completed.
    void LoadAndSignIn()
    {
        ASSERT_EQ(Call(&Vyro::XboxChannelSDK::Load, json::object()).code, 0);
        TickUntil([&] { return channel_->GetUserHandle() != nullptr; });
        Replies().clear();
    }

    std::unique_ptr<Vyro::XboxChannelSDK> channel_;
    VyroTest::LogCapture log_;
};

} // namespace XboxTest
