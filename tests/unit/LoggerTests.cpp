#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "LogCapture.h"
#include "common/Logger.h"

using namespace Vyro;
using VyroTest::LogCapture;

namespace {
const std::regex kLinePattern(R"(\[VyroChannel\]\[([01][0-9]|2[0-3]):[0-5][0-9]:[0-5][0-9]\] \[([A-Z]+)\] (.*))");
} // namespace

TEST(Logger, LinesCarryPrefixTimeAndLevelName)
{
    const std::pair<int, const char*> levels[] = {{0, "TRACE"}, {1, "DEBUG"}, {2, "INFO"}, {3, "WARNING"},
                                                  {4, "ERROR"}, {9, "UNKNOWN"}, {-1, "UNKNOWN"}};
    for (const auto& [level, name] : levels) {
        const std::string line = Logger::FormatLine(level, "hello {}");
        std::smatch match;
        ASSERT_TRUE(std::regex_match(line, match, kLinePattern)) << line;
        EXPECT_EQ(match[2], name);
        EXPECT_EQ(match[3], "hello {}") << "the message is not a template";
    }
}

TEST(Logger, HandlerReceivesFullLinesAtOrAboveItsLevel)
{
    LogCapture log(LogLevel::Warning);
    Log(LogLevel::Info, "dropped");
    Log(LogLevel::Error, "kept {} {:#x}", 42, 255);
    const auto lines = log.Lines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].level, LogLevel::Error);
    std::smatch match;
    ASSERT_TRUE(std::regex_match(lines[0].text, match, kLinePattern));
    EXPECT_EQ(match[3], "kept 42 0xff");
}

TEST(Logger, LevelAboveErrorSilencesAndNullHandlerRestoresEverything)
{
    LogCapture log(5);
    Log(LogLevel::Error, "silenced");
    EXPECT_TRUE(log.Lines().empty());
    GlobalLogger().SetHandler(nullptr, 0);
    EXPECT_TRUE(GlobalLogger().Enabled(LogLevel::Trace));
    Log(LogLevel::Trace, "standard output only");
    EXPECT_TRUE(log.Lines().empty());
}

TEST(Logger, StandardOutputGetsTheLineWithoutAHandler)
{
    GlobalLogger().SetHandler(nullptr, 0);
    testing::internal::CaptureStdout();
    Log(LogLevel::Warning, "to stdout");
    const std::string out = testing::internal::GetCapturedStdout();
    std::smatch match;
    ASSERT_TRUE(std::regex_match(out, match, std::regex(R"(\[VyroChannel\]\[\d\d:\d\d:\d\d\] \[WARNING\] to stdout\n)")))
        << out;
}

namespace {
void RemovesItself(int, const char*) { GlobalLogger().SetHandler(nullptr, 0); }
} // namespace

TEST(Logger, HandlerMayReplaceItselfWithoutDeadlock)
{
    GlobalLogger().SetHandler(&RemovesItself, 0);
    Log(LogLevel::Info, "first");
    Log(LogLevel::Info, "second");
    SUCCEED();
}

TEST(Logger, WideMessagesAreConvertedToUtf8)
{
    LogCapture log;
    Log(LogLevel::Info, std::wstring(L"Gr\u00FC\u00DFe"));
    EXPECT_EQ(log.Messages(LogLevel::Info), std::vector<std::string>{"Grüße"});
}
