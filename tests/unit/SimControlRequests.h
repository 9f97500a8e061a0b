#pragma once

// Talking to the simulated store runtime linked into a test program, through its control entry point.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

#include "SimExport.h"

namespace SimControlRequests {

// The reply to one request text, whatever it says.
inline nlohmann::json Control(const std::string& text) { return nlohmann::json::parse(VyroSim_Control(text.c_str())); }

// The reply to a request the test expects the simulator to accept.
inline nlohmann::json Sim(const nlohmann::json& request)
{
    const nlohmann::json reply = Control(request.dump());
    EXPECT_EQ(reply["ok"], true) << request << " -> " << reply;
    return reply;
}

// The journalled calls of one export.
inline nlohmann::json Calls(const std::string& function) { return Sim({{"op", "journal"}, {"fn", function}})["calls"]; }

// Sends each request text and expects it refused with an error that starts with the text paired with it.
inline void ExpectRefused(const std::vector<std::pair<std::string, std::string>>& cases)
{
    for (const auto& [request, error] : cases) {
        const nlohmann::json reply = Control(request);
        EXPECT_EQ(reply["ok"], false) << request;
        EXPECT_TRUE(reply.value("error", "").starts_with(error)) << request << " -> " << reply;
    }
}

} // namespace SimControlRequests
