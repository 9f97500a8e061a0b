#include <gtest/gtest.h>

#include <string>

#include "LogCapture.h"
#include "core/ChannelType.h"
#include "core/Envelope.h"

using namespace Vyro;
using nlohmann::json;
using VyroTest::LogCapture;

TEST(ParseParameters, ObjectsPassThroughAndNullStaysNullSilently)
{
    LogCapture log;
    EXPECT_EQ(ParseParameters(R"({"requestId":"r","n":[1,2]})"), json::parse(R"({"n":[1,2],"requestId":"r"})"));
    EXPECT_TRUE(ParseParameters("null").is_null());
    EXPECT_TRUE(ParseParameters("  {}  ").is_object());
    EXPECT_TRUE(log.Lines().empty());
}

TEST(ParseParameters, NullPointerWarnsOnceAndYieldsEmptyObject)
{
    LogCapture log;
    EXPECT_EQ(ParseParameters(nullptr), json::object());
    EXPECT_EQ(log.Messages(LogLevel::Warning),
              std::vector<std::string>{"ParseParameters() - params is null, returning empty object"});
    EXPECT_EQ(log.Lines().size(), 1u);
}

TEST(ParseParameters, MalformedTextsLogOneParseErrorEach)
{
    for (const char* text : {"", "{", "{\"a\":1} trailing", "{/*c*/}", "{\"s\":\"\xC3\x28\"}"}) {
        LogCapture log;
        EXPECT_EQ(ParseParameters(text), json::object()) << text;
        const auto errors = log.Messages(LogLevel::Error);
        ASSERT_EQ(errors.size(), 1u) << text;
        EXPECT_EQ(errors[0].rfind("ParseParameters() - JSON parse error: [json.exception.parse_error.", 0), 0u)
            << errors[0];
        EXPECT_EQ(log.Lines().size(), 1u);
    }
}

TEST(ParseParameters, NonObjectsWarnWithTheirTypeName)
{
    const std::pair<const char*, const char*> cases[] = {
        {"[1,2]", "array"}, {"\"x\"", "string"}, {"true", "boolean"}, {"12.5", "number"}};
    for (const auto& [text, typeName] : cases) {
        LogCapture log;
        EXPECT_EQ(ParseParameters(text), json::object());
        EXPECT_EQ(log.Messages(LogLevel::Warning),
                  std::vector<std::string>{std::string("ParseParameters() - parsed JSON is not an object (type: ") +
                                           typeName + "), returning empty object"});
    }
}

TEST(ParseParameters, SurvivesHugeAndDeeplyNestedTexts)
{
    LogCapture log;
    const std::string deep = std::string(200000, '[') + std::string(200000, ']');
    EXPECT_EQ(ParseParameters(deep.c_str()), json::object());
    const std::string big = R"({"requestId":"big","blob":")" + std::string(8 << 20, 'x') + "\"}";
    EXPECT_EQ(GetRequestId(ParseParameters(big.c_str())), "big");
}

TEST(GetRequestId, OnlyTopLevelStringMembersCount)
{
    EXPECT_EQ(GetRequestId(json::parse(R"({"requestId":"abc"})")), "abc");
    EXPECT_EQ(GetRequestId(json::parse(R"({"requestId":12})")), "");
    EXPECT_EQ(GetRequestId(json::parse(R"({"RequestId":"abc"})")), "");
    EXPECT_EQ(GetRequestId(json::parse(R"({"x":{"requestId":"abc"}})")), "");
    EXPECT_EQ(GetRequestId(json(nullptr)), "");
    EXPECT_EQ(GetRequestId(json::array({1})), "");
}

TEST(ChannelName, KnownTypesAndEverythingElseIsNone)
{
    EXPECT_EQ(ChannelName(0), "none");
    EXPECT_EQ(ChannelName(1), "steam");
    EXPECT_EQ(ChannelName(2), "google");
    EXPECT_EQ(ChannelName(3), "xbox");
    EXPECT_EQ(ChannelName(4), "epic");
    EXPECT_EQ(ChannelName(7), "none");
    EXPECT_EQ(ChannelName(-1), "none");
}

TEST(Replies, ErrorRepliesCarryOptionalMembersOnlyWhenSet)
{
    EXPECT_EQ(MakeErrorResponse("x", ChannelType::Xbox), R"({"channel":"xbox","message":"x"})");
    EXPECT_EQ(MakeErrorResponse("x", ChannelType::Xbox, "q", -5),
              R"({"channel":"xbox","message":"x","requestId":"q","third_error_code":-5})");
    EXPECT_EQ(MakeErrorResponse("", ChannelType::Steam, "", 0), R"({"channel":"steam","message":""})");
    EXPECT_EQ(MakeErrorResponse("m", 0, "", INT32_MIN), R"({"channel":"none","message":"m","third_error_code":-2147483648})");
}

TEST(Replies, SuccessRepliesSortKeysAndOverwriteEnvelopeMembers)
{
    EXPECT_EQ(MakeSuccessResponse(json::parse(R"({"b":1,"a":2})"), ChannelType::Epic, ""),
              R"({"a":2,"b":1,"channel":"epic"})");
    EXPECT_EQ(MakeSuccessResponse(json::parse(R"({"channel":"x","requestId":"old","z":{"b":1,"a":[]}})"),
                                  ChannelType::Steam, "new"),
              R"({"channel":"steam","requestId":"new","z":{"a":[],"b":1}})");
    EXPECT_EQ(MakeSuccessResponse(json::parse(R"({"requestId":"kept"})"), ChannelType::Steam, ""),
              R"({"channel":"steam","requestId":"kept"})");
}

TEST(Replies, TextIsRawUtf8AndInvalidUtf8NeverThrows)
{
    EXPECT_EQ(MakeErrorResponse("Grüße ✓", ChannelType::Google), "{\"channel\":\"google\",\"message\":\"Grüße ✓\"}");
    std::string reply;
    ASSERT_NO_THROW(reply = MakeErrorResponse("bad \xC3\x28 byte", ChannelType::Google, "r\xFF"));
    EXPECT_EQ(reply, "{\"channel\":\"google\",\"message\":\"bad \xEF\xBF\xBD( byte\",\"requestId\":\"r\xEF\xBF\xBD\"}");
    EXPECT_NO_THROW(json::parse(reply));
}

TEST(Replies, FixedReplies)
{
    EXPECT_EQ(MakeNoChannelResponse(), R"({"channel":"none","message":"No compatible channel SDK found"})");
    EXPECT_EQ(MakeNotImplementedResponse(ChannelType::Steam, "r-7"),
              R"({"channel":"steam","message":"Not implemented","requestId":"r-7"})");
    EXPECT_EQ(MakeMessageResponse(ChannelType::Epic, "done"), R"({"channel":"epic","message":"done"})");
    EXPECT_EQ(MakeMessageResponse(ChannelType::Epic, ""), R"({"channel":"epic"})");
}
