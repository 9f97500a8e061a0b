#pragma once

// The answers and events a channel under test delivers, recorded by result callbacks the tests hand
// it. Channels answer on the thread that calls them or ticks them, which is the test's thread.
#include <vector>

#include <nlohmann/json.hpp>

namespace VyroTest {

struct Reply {
    int code;
    nlohmann::json body;
};

inline std::vector<Reply>& Replies()
{
    static std::vector<Reply> replies;
    return replies;
}
inline void Record(int code, const char* text) { Replies().push_back({code, nlohmann::json::parse(text)}); }

inline std::vector<Reply>& Events()
{
    static std::vector<Reply> events;
    return events;
}
inline void RecordEvent(int code, const char* text) { Events().push_back({code, nlohmann::json::parse(text)}); }

} // namespace VyroTest
