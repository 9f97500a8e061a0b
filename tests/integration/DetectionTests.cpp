// Store detection through the real library: a copy of it in a fresh folder with store runtime
// files beside it, loaded and driven through its exports as a game would.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "HostLibrary.h"
#include "Module.h"

namespace fs = std::filesystem;

namespace {

const std::string kGoogle = "play_pc_sdk.dll";
const std::string kSteam = "steam_api64.dll";
const std::string kXbox = "Microsoft.Xbox.Services.GDK.C.Thunks.dll";
// The Xbox channel's Load binds the Gaming Runtime beside the library, then by the system's search,
// which on Windows looks in the test program's folder too, where the simulated runtime is built. A
// library without the runtime's functions placed beside the library keeps the search from going
// there, and from keeping that simulator loaded for the rest of this process.
const std::string kXboxRuntime = "xgameruntime.dll";
const std::string kEpic = "EOSSDK-Win64-Shipping.dll";

std::vector<std::pair<int, std::string>> logLines;
std::vector<std::pair<int, std::string>> answers;

void CaptureLog(int level, const char* line)
{
    const std::string text(line);
    const auto levelStart = text.find("] [") + 3;
    logLines.emplace_back(level, text.substr(text.find("] ", levelStart) + 2));
}
void Answer(int code, const char* json) { answers.emplace_back(code, json); }

fs::path FreshFolder()
{
    static std::atomic<int> counter{0};
    const fs::path folder = fs::temp_directory_path() /
                            ("vyro-detection-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                             "-" + std::to_string(counter++) + "-" +
                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

class Detection : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_ = FreshFolder();
        fs::copy_file(VYRO_LIBRARY, folder_ / fs::path(VYRO_LIBRARY).filename());
        logLines.clear();
        answers.clear();
    }
    void TearDown() override
    {
        library_.reset();
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }

    void PlaceEmpty(const std::string& name) { std::ofstream(folder_ / name).put('\0'); }
    void PlaceCopy(const char* source, const std::string& name) { fs::copy_file(source, folder_ / name); }
    void Remove(const std::string& name) { fs::remove(folder_ / name); }

    // Loads the library copy and calls Load, which detects the store.
    const VyroHost::Exports& LoadLibraryAndChannel()
    {
        std::string error;
        library_ = VyroHost::HostLibrary::Open(folder_ / fs::path(VYRO_LIBRARY).filename(), error);
        EXPECT_NE(library_, nullptr) << error;
        library_->exports().SetLogHandler(&CaptureLog, 0);
        library_->exports().Load("{}", nullptr);
        return library_->exports();
    }

    static std::vector<std::string> Messages(int level)
    {
        std::vector<std::string> messages;
        for (const auto& [lineLevel, message] : logLines) {
            if (lineLevel == level) {
                messages.push_back(message);
            }
        }
        return messages;
    }
    static std::string SearchFailure(const std::string& name) { return "SearchPathW() failed for " + name + ", error: 2"; }
    static bool Logged(const std::string& message)
    {
        return std::any_of(logLines.begin(), logLines.end(), [&](const auto& line) { return line.second == message; });
    }

    fs::path folder_;
    std::unique_ptr<VyroHost::HostLibrary> library_;
};

constexpr int kWarning = 3;
constexpr int kError = 4;
const std::string kNoChannel = "DetectChannelType: No compatible channel detected";
const std::string kCreateFailed = "CreateSDK: No compatible channel found, SDK creation failed";
const std::string kEpicKeysMissing = "[EpicChannelSDK] Some config keys are missing";
const std::string kEpicConfigMissing = "[EpicChannelSDK] Required Epic config fields are missing";

} // namespace

TEST_F(Detection, NothingBesideTheLibraryGivesTheDefaultChannel)
{
    const auto& exports = LoadLibraryAndChannel();
    EXPECT_EQ(Messages(kError), (std::vector<std::string>{SearchFailure(kGoogle), SearchFailure(kSteam),
                                                          SearchFailure(kXbox), SearchFailure(kEpic), kCreateFailed}));
    EXPECT_EQ(Messages(kWarning), std::vector<std::string>{kNoChannel});
    exports.Init(R"({"requestId":"7"})", &Answer);
    EXPECT_EQ(answers, (std::vector<std::pair<int, std::string>>{
                           {-1, R"({"channel":"none","message":"Not implemented","requestId":"7"})"}}));
}

TEST_F(Detection, OneStoreRuntimeIsFoundWithoutTheMultipleLine)
{
    PlaceEmpty(kEpic);
    LoadLibraryAndChannel();
    // After detection, the Epic channel's Load finds no configuration store beside the library.
    EXPECT_EQ(Messages(kError), (std::vector<std::string>{SearchFailure(kGoogle), SearchFailure(kSteam),
                                                          SearchFailure(kXbox), kEpicConfigMissing}));
    EXPECT_FALSE(Logged(kNoChannel));
    EXPECT_TRUE(Logged(kEpicKeysMissing));
}

TEST_F(Detection, AllFourAreNamedInTableOrder)
{
    PlaceEmpty(kEpic);
    PlaceEmpty(kXbox);
    PlaceCopy(STUB_VERSION_EQUAL, kSteam);
    PlaceEmpty(kGoogle);
    LoadLibraryAndChannel();
    EXPECT_EQ(Messages(kError), std::vector<std::string>{"Multiple DLL FOUND:" + kGoogle + ", " + kSteam + ", " + kXbox +
                                                         ", " + kEpic + ", "});
}

TEST_F(Detection, SteamBelowTheMinimumVersionCountsAsAbsent)
{
    PlaceCopy(STUB_VERSION_BELOW, kSteam);
    LoadLibraryAndChannel();
    EXPECT_EQ(Messages(kWarning),
              (std::vector<std::string>{
                  "DLL steam_api64.dll version 9.59.99.99 is below required 9.60.0.0 - treating as not detected",
                  kNoChannel}));
    EXPECT_TRUE(Logged(kCreateFailed));
}

TEST_F(Detection, SteamAtOrAboveTheMinimumVersionIsAccepted)
{
    for (const char* stub : {STUB_VERSION_EQUAL, STUB_VERSION_ABOVE}) {
        logLines.clear();
        library_.reset();
        Remove(kSteam);
        PlaceCopy(stub, kSteam);
        LoadLibraryAndChannel();
        EXPECT_TRUE(Messages(kWarning).empty()) << stub;
        EXPECT_FALSE(Logged(kCreateFailed)) << stub;
        library_->exports().Unload(nullptr, nullptr);
    }
}

TEST_F(Detection, SteamWithoutAVersionCountsAsAbsentAndTheNextStoreWins)
{
    PlaceCopy(STUB_NO_VERSION, kSteam);
    PlaceEmpty(kXbox);
    PlaceCopy(STUB_NO_VERSION, kXboxRuntime);
    LoadLibraryAndChannel();
    EXPECT_TRUE(Logged("DLL steam_api64.dll has no readable version resource - treating as not detected"));
    EXPECT_FALSE(Logged(kNoChannel));
    EXPECT_FALSE(Logged(kCreateFailed));
    const auto errors = Messages(kError);
    EXPECT_TRUE(std::none_of(errors.begin(), errors.end(),
                             [](const std::string& m) { return m.starts_with("Multiple DLL FOUND:"); }));
}

TEST_F(Detection, UnloadForgetsTheResultSoTheNextCallDetectsAfresh)
{
    PlaceEmpty(kGoogle);
    PlaceEmpty(kEpic);
    const auto& exports = LoadLibraryAndChannel();
    EXPECT_TRUE(Logged("Multiple DLL FOUND:" + kGoogle + ", " + kEpic + ", "));
    const std::size_t detectionErrors = Messages(kError).size();
    exports.Products("{}", &Answer);
    const auto errors = Messages(kError);
    EXPECT_TRUE(std::none_of(errors.begin() + static_cast<std::ptrdiff_t>(detectionErrors), errors.end(),
                             [](const std::string& m) { return m.starts_with("SearchPathW() failed"); }))
        << "no second detection while the channel lives";

    exports.Unload("{}", &Answer);
    Remove(kGoogle);
    logLines.clear();
    exports.Load("{}", &Answer);
    EXPECT_EQ(Messages(kError), (std::vector<std::string>{SearchFailure(kGoogle), SearchFailure(kSteam),
                                                          SearchFailure(kXbox), kEpicConfigMissing}));
}

TEST_F(Detection, AStoreRuntimeTheGameAlreadyLoadedCountsWhereverItLies)
{
    const fs::path elsewhere = FreshFolder();
    fs::copy_file(STUB_NO_VERSION, elsewhere / kXbox);
    std::string error;
    auto preloaded = VyroHost::Module::Open(elsewhere / kXbox, error);
    ASSERT_NE(preloaded, nullptr) << error;
    PlaceCopy(STUB_NO_VERSION, kXboxRuntime);
    LoadLibraryAndChannel();
    // Detection found the Xbox runtime that was already loaded; the Xbox channel's Load then finds a
    // Gaming Runtime without its functions beside the library.
    const auto errors = Messages(kError);
    ASSERT_GE(errors.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(errors.begin(), errors.begin() + 3),
              (std::vector<std::string>{SearchFailure(kGoogle), SearchFailure(kSteam), SearchFailure(kEpic)}));
    EXPECT_EQ(errors.back(), "XGameRuntimeInitialize failed: 0x89240101");
    EXPECT_FALSE(Logged(kCreateFailed));
    library_.reset();
    preloaded.reset();
    std::error_code ignored;
    fs::remove_all(elsewhere, ignored);
}
