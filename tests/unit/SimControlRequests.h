#pragma once

// Talking to the simulated store runtime linked into a test program, through its control entry point.
#include <gtest/gtest.h>

#include <string>

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

} // namespace SimControlRequests
