#include "channels/xbox/XboxAchievements.h"

#include <memory>

#include <nlohmann/json.hpp>

#include "channels/xbox/DecimalText.h"
#include "channels/xbox/HResultText.h"
#include "channels/xbox/IXboxContext.h"
#include "channels/xbox/XboxParameters.h"
#include "channels/xbox/XboxServiceAnswers.h"
#include "common/Logger.h"

namespace Vyro {

namespace {

using nlohmann::json;
using Gdk::HResult;

constexpr std::uint32_t kDefaultMaxItems = 100;

// Closes a page's result handle when the answer is built, on every path.
class AchievementsPage {
public:
    AchievementsPage(const Xbl::XblApi& services, Xbl::XblAchievementsResultHandle handle) : services_(services), handle_(handle) {}
    ~AchievementsPage() { services_.XblAchievementsResultCloseHandle(handle_); }
    AchievementsPage(const AchievementsPage&) = delete;
    AchievementsPage& operator=(const AchievementsPage&) = delete;
    Xbl::XblAchievementsResultHandle Handle() const { return handle_; }

private:
    const Xbl::XblApi& services_;
    Xbl::XblAchievementsResultHandle handle_;
};

// The value of the first whole-number reward whose value converts; rewards that do not convert are
// passed over.
std::uint64_t Gamerscore(const Xbl::XblAchievement& achievement)
{
    if (achievement.rewards == nullptr) {
        return 0;
    }
    for (std::size_t i = 0; i < achievement.rewardsCount; ++i) {
        const Xbl::XblAchievementReward& reward = achievement.rewards[i];
        if (reward.valueType == nullptr || TextOf(reward.valueType) != Xbl::kRewardValueTypeInteger || reward.value == nullptr) {
            continue;
        }
        const DecimalReading<std::uint64_t> value = ReadUnsigned64(reward.value);
        if (value.Ok()) {
            return value.value;
        }
    }
    return 0;
}

std::uint32_t PercentComplete(const Xbl::XblAchievementProgression& progression)
{
    if (progression.requirements == nullptr || progression.requirementsCount == 0) {
        return 0;
    }
    return ReadUnsigned32(progression.requirements[0].currentProgressValue).value;
}

json AchievementObject(const Xbl::XblAchievement& achievement)
{
    return json{{"id", TextOf(achievement.id)},
                {"name", TextOf(achievement.name)},
                {"progressState", static_cast<std::uint32_t>(achievement.progressState)},
                {"gamerscore", Gamerscore(achievement)},
                {"percentComplete", PercentComplete(achievement.progression)},
                {"timeUnlocked", static_cast<std::int64_t>(achievement.progression.timeUnlocked)}};
}

void CompleteGetAchievements(IXboxContext& context, Gdk::XAsyncBlock* block, ResultCallback cb, const std::string& requestId)
{
    const Xbl::XblApi& services = context.Services();
    Xbl::XblAchievementsResultHandle handle = nullptr;
    const HResult result = services.XblAchievementsGetAchievementsForTitleIdResult(block, &handle);
    if (!Gdk::Succeeded(result)) {
        AnswerFailedResult(cb, requestId, "XblAchievementsGetAchievementsForTitleIdResult",
                           "Failed to get achievements result: " + HResultText(result), result);
        return;
    }
    const AchievementsPage page(services, handle);
    const Xbl::XblAchievement* achievements = nullptr;
    std::size_t count = 0;
    const HResult read = services.XblAchievementsResultGetAchievements(page.Handle(), &achievements, &count);
    if (!Gdk::Succeeded(read)) {
        AnswerFailedResult(cb, requestId, "XblAchievementsResultGetAchievements",
                           "Failed to read achievements: " + HResultText(read), read);
        return;
    }
    bool hasNext = false;
    if (!Gdk::Succeeded(services.XblAchievementsResultHasNext(page.Handle(), &hasNext))) {
        hasNext = false;
    }
    json list = json::array();
    for (std::size_t i = 0; achievements != nullptr && i < count; ++i) {
        list.push_back(AchievementObject(achievements[i]));
    }
    AnswerSuccess(cb, requestId, json{{"xbox", {{"achievements", std::move(list)}, {"totalCount", count}, {"hasNext", hasNext}}}});
}

void CompleteUpdate(IXboxContext& context, Gdk::XAsyncBlock* block, ResultCallback cb, const std::string& requestId,
                    const std::string& achievementId)
{
    const HResult status = context.Runtime().XAsyncGetStatus(block, false);
    if (!Gdk::Succeeded(status) && status != Xbl::kNotModified) {
        AnswerFailedResult(cb, requestId, "XblAchievementsUpdateAchievementAsync",
                           "Failed to update achievement: " + HResultText(status), status);
        return;
    }
    AnswerSuccess(cb, requestId, json{{"xbox", {{"achievementId", achievementId}}}});
}

} // namespace

XboxAchievements::XboxAchievements(IXboxContext* context) : XboxServicesFeature(context, "XboxAchievements") {}

void XboxAchievements::GetAchievements(const std::string& params, ResultCallback cb)
{
    json request;
    std::string requestId;
    if (!OpenRequest(params, ServicesContext(), cb, VYROCHANNEL_FAILED, request, requestId)) {
        return;
    }
    XboxParameters members = XboxParameters::OfXbox(request);
    const bool unlockedOnly = members.Bool("unlockedOnly", false);
    const std::uint32_t maxItems = members.Uint32("maxItems", kDefaultMaxItems);
    const std::uint32_t skipItems = members.Uint32("skipItems", 0);
    if (!members.Refusal().empty()) {
        AnswerFailure(cb, requestId, members.Refusal());
        return;
    }
    IXboxContext& context = *Context();
    std::uint64_t xuid = 0;
    if (!GetXuid(context, cb, requestId, xuid)) {
        return;
    }
    std::uint32_t titleId = 0;
    const HResult titleResult = context.Runtime().XGameGetXboxTitleId(&titleId);
    if (!Gdk::Succeeded(titleResult)) {
        AnswerFailedCall(cb, requestId, "XGameGetXboxTitleId", titleResult);
        return;
    }
    const Xbl::XblContextHandle servicesContext = ServicesContext();
    StartCall(
        context, cb, requestId, "XblAchievementsGetAchievementsForTitleIdAsync",
        [&context, cb, requestId](Gdk::XAsyncBlock* block) { CompleteGetAchievements(context, block, cb, requestId); },
        [&](Gdk::XAsyncBlock* block) {
            return context.Services().XblAchievementsGetAchievementsForTitleIdAsync(
                servicesContext, xuid, titleId, Xbl::XblAchievementType::All, unlockedOnly,
                Xbl::XblAchievementOrderBy::DefaultOrder, skipItems, maxItems, block);
        });
}

void XboxAchievements::UpdateAchievement(const std::string& params, ResultCallback cb)
{
    json request;
    std::string requestId;
    if (!OpenRequest(params, ServicesContext(), cb, VYROCHANNEL_FAILED, request, requestId)) {
        return;
    }
    XboxParameters members = XboxParameters::OfXbox(request);
    // The service reads the id while the call runs: the handler keeps it.
    auto achievementId = std::make_shared<const std::string>(members.String("achievementId", ""));
    const std::uint32_t percentComplete = members.Uint32("percentComplete", 0);
    if (!members.Refusal().empty()) {
        AnswerFailure(cb, requestId, members.Refusal());
        return;
    }
    if (achievementId->empty()) {
        Log(LogLevel::Error, "Achievement ID is empty");
        AnswerFailure(cb, requestId, "Achievement ID is required.");
        return;
    }
    IXboxContext& context = *Context();
    std::uint64_t xuid = 0;
    if (!GetXuid(context, cb, requestId, xuid)) {
        return;
    }
    const Xbl::XblContextHandle servicesContext = ServicesContext();
    StartCall(
        context, cb, requestId, "XblAchievementsUpdateAchievementAsync",
        [&context, cb, requestId, achievementId](Gdk::XAsyncBlock* block) {
            CompleteUpdate(context, block, cb, requestId, *achievementId);
        },
        [&](Gdk::XAsyncBlock* block) {
            return context.Services().XblAchievementsUpdateAchievementAsync(servicesContext, xuid, achievementId->c_str(),
                                                                          percentComplete, block);
        });
}

} // namespace Vyro
