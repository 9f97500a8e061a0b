#include <gtest/gtest.h>

#include "ScenarioCheck.h"

namespace {

using VyroHost::CheckRecords;
using VyroHost::Expectations;
using VyroHost::Json;
using VyroHost::Matches;

Json Callback(const char* requestId)
{
    return Json{{"type", "callback"}, {"code", -1}, {"reply", {{"channel", "none"}, {"requestId", requestId}}}};
}

std::vector<Json> Records()
{
    return {Json{{"step", 0}}, Callback("1"), Json{{"type", "log"}, {"level", "ERROR"}}, Json{{"step", 1}},
            Callback("2")};
}

TEST(ScenarioMatch, NamedMembersMustMatchAtEveryDepthOthersAreIgnored)
{
    EXPECT_TRUE(Matches(Json::object(), Callback("1")));
    EXPECT_TRUE(Matches(Json::parse(R"({"reply":{"requestId":"1"}})"), Callback("1")));
    EXPECT_TRUE(Matches(Json::parse(R"({"code":-1.0})"), Callback("1")));
    EXPECT_FALSE(Matches(Json::parse(R"({"reply":{"requestId":"2"}})"), Callback("1")));
    EXPECT_FALSE(Matches(Json::parse(R"({"reply":{"message":"x"}})"), Callback("1")));
    EXPECT_FALSE(Matches(Json::parse(R"({"reply":{"requestId":1}})"), Callback("1")));
    EXPECT_FALSE(Matches(Json::parse(R"({"reply":{}})"), Json::parse(R"({"reply":"{}"})")));
    // Key order never matters; array length and order do.
    EXPECT_TRUE(Matches(Json::parse(R"({"a":{"y":2,"x":1}})"), Json::parse(R"({"a":{"x":1,"y":2,"z":3}})")));
    EXPECT_TRUE(Matches(Json::parse(R"([{"x":1}])"), Json::parse(R"([{"x":1,"y":2}])")));
    EXPECT_FALSE(Matches(Json::parse(R"([1])"), Json::parse(R"([1,2])")));
    EXPECT_FALSE(Matches(Json::parse(R"([2,1])"), Json::parse(R"([1,2])")));
}

TEST(ScenarioCheck, ExpectationsFormAnOrderedSubsequence)
{
    Expectations expectations;
    expectations.inOrder = {Json{{"step", 0}}, Callback("1"), Json{{"step", 1}}, Callback("2")};
    EXPECT_TRUE(CheckRecords(Records(), expectations).empty());

    expectations.inOrder = {Json{{"step", 1}}, Callback("1")};
    const auto failures = CheckRecords(Records(), expectations);
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find("expect[1]"), std::string::npos) << failures[0];
    EXPECT_NE(failures[0].find("out of order"), std::string::npos) << failures[0];

    // One record satisfies one expectation only.
    expectations.inOrder = {Json{{"type", "callback"}}, Json{{"type", "callback"}}, Json{{"type", "callback"}}};
    EXPECT_EQ(CheckRecords(Records(), expectations).size(), 1u);
}

TEST(ScenarioCheck, CountsAreExact)
{
    Expectations expectations;
    expectations.counts = {{Json{{"type", "callback"}}, 2}, {Json{{"type", "event"}}, 0}};
    EXPECT_TRUE(CheckRecords(Records(), expectations).empty());

    expectations.counts = {{Json{{"type", "callback"}}, 1}, {Json{{"type", "log"}}, 0}, {Json::object(), 5}};
    const auto failures = CheckRecords(Records(), expectations);
    ASSERT_EQ(failures.size(), 2u);
    EXPECT_NE(failures[0].find("matched 2 output records, expected 1"), std::string::npos) << failures[0];
    EXPECT_NE(failures[1].find("expectCount[1]"), std::string::npos) << failures[1];
}

} // namespace
