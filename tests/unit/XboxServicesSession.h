#pragma once

// A simulated runtime, linked in, with its Xbox services library initialised, the default user
// signed in and an Xbox services context for it; calls complete without a callback and are waited
// for. "reset" before and after each test.
#include <gtest/gtest.h>

#include "SimControlRequests.h"
#include "XboxSim.h"

class XboxServicesSession : public ::testing::Test {
protected:
    static constexpr char kScid[] = "00000000-0000-0000-0000-00005A7E3C19";

    void SetUp() override
    {
        SimControlRequests::Sim({{"op", "reset"}});
        ASSERT_EQ(XGameRuntimeInitialize(), 0);
        ASSERT_EQ(XTaskQueueCreate(Vyro::Gdk::XTaskQueueDispatchMode::ThreadPool, Vyro::Gdk::XTaskQueueDispatchMode::Manual, &queue), 0);
        const Vyro::Xbl::XblInitArgs args{queue, kScid};
        ASSERT_EQ(XblInitialize(&args), 0);
        Vyro::Gdk::XAsyncBlock add = Block();
        ASSERT_EQ(XUserAddAsync(Vyro::Gdk::XUserAddOptions::AddDefaultUserSilently, &add), 0);
        ASSERT_EQ(XAsyncGetStatus(&add, true), 0);
        ASSERT_EQ(XUserAddResult(&add, &user), 0);
        ASSERT_EQ(XblContextCreateHandle(user, &context), 0);
    }
    void TearDown() override { SimControlRequests::Sim({{"op", "reset"}}); }

    Vyro::Gdk::XAsyncBlock Block() { return {queue, nullptr, nullptr, {}}; }

    Vyro::Gdk::XTaskQueueHandle queue = nullptr;
    Vyro::Gdk::XUserHandle user = nullptr;
    Vyro::Xbl::XblContextHandle context = nullptr;
};
