#pragma once

// A runtime of the simulated GDK in process with its Xbox services library initialised, a signed-in
// user and an Xbox services context, for tests of the simulated services.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "SimControlRequests.h"
#include "XboxSim.h"

namespace XboxServicesSimTest {

using nlohmann::json;
using SimControlRequests::Sim;
using Vyro::Gdk::XAsyncBlock;

inline constexpr char kScid[] = "00000000-0000-0000-0000-00005A7E3C19";

// The rule each journalled misuse broke, by export, oldest first.
inline json Misuse()
{
    json broken = json::array();
    const json calls = Sim({{"op", "misuse"}})["calls"];
    for (const json& entry : calls) {
        broken.push_back(json::array({entry["fn"], entry["misuse"]}));
    }
    return broken;
}

// Calls complete without a callback and are waited for.
class ServicesSimTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        namespace Gdk = Vyro::Gdk;
        Sim({{"op", "reset"}});
        ASSERT_EQ(XGameRuntimeInitialize(), 0);
        ASSERT_EQ(XTaskQueueCreate(Gdk::XTaskQueueDispatchMode::ThreadPool, Gdk::XTaskQueueDispatchMode::Manual, &queue), 0);
        const Vyro::Xbl::XblInitArgs args{queue, kScid};
        ASSERT_EQ(XblInitialize(&args), 0);
        XAsyncBlock add = Block();
        ASSERT_EQ(XUserAddAsync(Gdk::XUserAddOptions::AddDefaultUserSilently, &add), 0);
        ASSERT_EQ(XAsyncGetStatus(&add, true), 0);
        ASSERT_EQ(XUserAddResult(&add, &user), 0);
        ASSERT_EQ(XblContextCreateHandle(user, &context), 0);
    }
    void TearDown() override { Sim({{"op", "reset"}}); }

    XAsyncBlock Block() { return {queue, nullptr, nullptr, {}}; }

    Vyro::Gdk::XTaskQueueHandle queue = nullptr;
    Vyro::Gdk::XUserHandle user = nullptr;
    Vyro::Xbl::XblContextHandle context = nullptr;
};

} // namespace XboxServicesSimTest
