// The xuids games give as text or numbers: what is read, what is refused, and what a list keeps.
#include <gtest/gtest.h>

#include "LogCapture.h"
#include "channels/xbox/XuidText.h"

namespace {

using nlohmann::json;
using Vyro::ParseXuidList;
using Vyro::ReadXuidNumber;
using Vyro::ReadXuidText;

TEST(XuidTextTest, TextIsReadUpToTheFirstCharacterThatIsNoDigit)
{
    EXPECT_EQ(ReadXuidText("2814613569642996").value, 2814613569642996u);
    EXPECT_EQ(ReadXuidText("  +12x").value, 12u);
    EXPECT_EQ(ReadXuidText("18446744073709551615").value, 18446744073709551615u);

    EXPECT_EQ(ReadXuidText("").error, Vyro::kXuidInvalid);
    EXPECT_EQ(ReadXuidText("abc").error, Vyro::kXuidInvalid);
    EXPECT_EQ(ReadXuidText("+").error, Vyro::kXuidInvalid);
    EXPECT_EQ(ReadXuidText("18446744073709551616").error, Vyro::kXuidOutOfRange);
    EXPECT_EQ(ReadXuidText("-5").error, Vyro::kXuidOutOfRange);
}

TEST(XuidTextTest, NumbersOutsideTheXuidRangeAreRefusedNotWrapped)
{
    EXPECT_EQ(ReadXuidNumber(json(42)).value, 42u);
    EXPECT_EQ(ReadXuidNumber(json(18446744073709551615u)).value, 18446744073709551615u);
    EXPECT_EQ(ReadXuidNumber(json(7.9)).value, 7u);

    EXPECT_EQ(ReadXuidNumber(json(-1)).error, Vyro::kXuidOutOfRange);
    EXPECT_EQ(ReadXuidNumber(json(-0.5)).value, 0u);
    EXPECT_EQ(ReadXuidNumber(json(1e20)).error, Vyro::kXuidOutOfRange);
    EXPECT_EQ(ReadXuidNumber(json::parse("18446744073709551616")).error, Vyro::kXuidOutOfRange);
}

TEST(XuidTextTest, AListKeepsTheXuidsInOrderAndWarnsOnceForEachTextOrNumberItRefuses)
{
    VyroTest::LogCapture log;
    const json member = json::parse(R"(["1", 2, "abc", true, null, {"x": 1}, [3], 4.5, -6, "", " 7 "])");

    EXPECT_EQ(ParseXuidList(member, "GetActivities"), (std::vector<std::uint64_t>{1, 2, 4, 7}));
    EXPECT_EQ(log.Messages(Vyro::LogLevel::Warning),
              (std::vector<std::string>{"GetActivities: Skipping invalid xuid 'abc': invalid stoull argument",
                                        "GetActivities: Skipping invalid xuid '-6': stoull argument out of range",
                                        "GetActivities: Skipping invalid xuid '': invalid stoull argument"}));
    EXPECT_TRUE(ParseXuidList(json("5"), "GetActivities").empty());
    EXPECT_TRUE(ParseXuidList(json(), "GetActivities").empty());
}

} // namespace
