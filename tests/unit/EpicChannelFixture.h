#pragma once

// The Epic channel driven through a function table that points at the simulated EOS runtime, linked
// in, with a configuration store written into a test folder and a given launcher command line.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "ConfigTestFolder.h"
#include "LogCapture.h"
#include "RecordedReplies.h"
#include "SimControlRequests.h"
#include "SimulatedEosApi.h"
#include "channels/epic/EpicChannelSDK.h"
#include "common/Platform.h"
#include "config/ConfigPackStore.h"
#include "config/ConfigReader.h"
#include "config/Utf8Path.h"

namespace EpicTest {

using nlohmann::json;
using SimControlRequests::Calls;
using SimControlRequests::Sim;

inline constexpr char kAccountId[] = "0f2d1c8b6a4e4d3c9b8a7f6e5d4c3b2a";
inline constexpr char kExchangeCode[] = "launcher-exchange-code";
inline constexpr char kCrystalPack[] = "5f1c2a9e0b7d4c38a6e3f4b2d1c09e87";

using VyroTest::Events;
using VyroTest::Record;
using VyroTest::RecordEvent;
using VyroTest::Replies;
using VyroTest::Reply;

// The launcher's options for the next channel.
inline Vyro::Platform::CommandLineArgs& LauncherArgs()
{
    static Vyro::Platform::CommandLineArgs args;
    return args;
}
inline Vyro::Platform::CommandLineArgs CommandLine() { return LauncherArgs(); }

inline std::map<std::string, std::string> CompleteConfig()
{
    return {{"epic.productName", "Vyro Test Game"},
            {"epic.productVersion", "1.2"},
            {"epic.productId", "product-0123"},
            {"epic.sandboxId", "sandbox-0123"},
            {"epic.deploymentId", "deployment-0123"},
            {"epic.clientId", "client-0123"},
            {"epic.clientSecret", "client-secret-0123"}};
}

class EpicChannelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Replies().clear();
        Events().clear();
        LauncherArgs() = {{"AUTH_TYPE", "exchangecode"}, {"AUTH_PASSWORD", kExchangeCode}};
        Sim({{"op", "reset"}});
    }

    // A configuration store holding `values`, opened by the channel's reader.
    void WriteConfig(const std::map<std::string, std::string>& values)
    {
        MMKV* store = nullptr;
        ASSERT_TRUE(Vyro::CreateConfigStore(folder_.Path(), store));
        for (const auto& [key, value] : values) {
            ASSERT_TRUE(Vyro::SetString(store, key, value));
        }
        ASSERT_TRUE(reader_.OpenAt(Vyro::Platform::Utf8ToWide(Vyro::PathToUtf8(folder_.Path()))));
    }

    Reply Call(void (Vyro::EpicChannelSDK::*operation)(const char*, Vyro::ResultCallback), const json& params)
    {
        const std::size_t before = Replies().size();
        (channel_.*operation)(params.dump().c_str(), &Record);
        EXPECT_EQ(Replies().size(), before + 1) << "answered at once, exactly once";
        return Replies().size() == before + 1 ? Replies().back() : Reply{999, json()};
    }

    // The request answered in the next Tick.
    Reply CallAndTick(void (Vyro::EpicChannelSDK::*operation)(const char*, Vyro::ResultCallback), const json& params)
    {
        const std::size_t before = Replies().size();
        (channel_.*operation)(params.dump().c_str(), &Record);
        EXPECT_EQ(Replies().size(), before) << "answered inside Tick";
        channel_.Tick();
        EXPECT_EQ(Replies().size(), before + 1);
        return Replies().size() == before + 1 ? Replies().back() : Reply{999, json()};
    }

    // Load with the complete configuration, and the launcher login answered in the next Tick.
    void SignIn()
    {
        WriteConfig(CompleteConfig());
        ASSERT_EQ(Call(&Vyro::EpicChannelSDK::Load, json::object()).code, 0);
        channel_.Tick(); // the login completes
        channel_.Tick(); // its login status change (0 to 2) is delivered
        const Reply init = Call(&Vyro::EpicChannelSDK::Init, json::object());
        ASSERT_EQ(init.code, 0) << init.body;
        ASSERT_EQ(init.body["epic"].value("accountId", ""), kAccountId);
        Replies().clear();
    }

    // The channel's own lines at `level` that start with `prefix`, without the SDK's routed ones.
    std::vector<std::string> Logged(int level, const std::string& prefix) const
    {
        std::vector<std::string> lines;
        for (const std::string& line : log_.Messages(level)) {
            if (line.starts_with(prefix)) {
                lines.push_back(line);
            }
        }
        return lines;
    }

    VyroTest::TestFolder folder_;
    VyroTest::LogCapture log_;
    Vyro::ConfigReader reader_;
    Vyro::EpicChannelSDK channel_{Vyro::LazyStoreApi<Vyro::Eos::EosApi>(Vyro::EosSim::SimulatedEosApi()), reader_,
                                  &CommandLine};
};

} // namespace EpicTest
