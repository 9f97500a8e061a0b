// Achievements: pages of the title's achievements behind result handles the game closes, and progress
// updates.
#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstring>

#include "AsyncCalls.h"
#include "Calls.h"
#include "ResultArena.h"
#include "ServicesCalls.h"

namespace Vyro::XboxSim {

namespace {

using Xbl::XblAchievement;

constexpr char kGetAchievements[] = "XblAchievementsGetAchievementsForTitleIdAsync";
constexpr char kUpdateAchievement[] = "XblAchievementsUpdateAchievementAsync";
constexpr char kResultWhat[] = "achievements result handle";
constexpr HResult kNotModified = static_cast<HResult>(0x80190130); // HTTP_E_STATUS_NOT_MODIFIED
constexpr HResult kNotFound = static_cast<HResult>(0x80190194);    // HTTP_E_STATUS_NOT_FOUND
constexpr HResult kBadRequest = static_cast<HResult>(0x80190190);  // HTTP_E_STATUS_BAD_REQUEST
constexpr std::uint32_t kAchieved = 1;
constexpr std::uint32_t kInProgress = 3;

// What a page request asked for, kept for its work.
struct PageRequest {
    std::uint32_t titleId;
    bool unlockedOnly;
    std::uint32_t skipItems;
    std::uint32_t maxItems;
};

// The records of one achievement, laid out in the arena.
void LayOut(ResultArena& arena, XblAchievement* record, const SimAchievement& achievement, const std::string& scid)
{
    const char* id = arena.Text(achievement.id);
    const char* scidText = arena.Text(scid);
    const char* name = arena.Text(achievement.name);
    auto* rewards = arena.Place<Xbl::XblAchievementReward>(achievement.rewards.size());
    for (std::size_t i = 0; i < achievement.rewards.size(); ++i) {
        const SimReward& reward = achievement.rewards[i];
        const char* rewardName = arena.Text(reward.name);
        const char* value = arena.Text(reward.value);
        const char* valueType = arena.Text(reward.valueType);
        if (rewards != nullptr) {
            rewards[i].name = rewardName;
            rewards[i].value = value;
            rewards[i].rewardType = static_cast<Xbl::XblAchievementRewardType>(reward.rewardType);
            rewards[i].valueType = valueType;
        }
    }
    auto* requirements = arena.Place<Xbl::XblAchievementRequirement>(achievement.requirements.size());
    for (std::size_t i = 0; i < achievement.requirements.size(); ++i) {
        const SimRequirement& requirement = achievement.requirements[i];
        const char* requirementId = arena.Text(requirement.id);
        const char* current = arena.Text(requirement.current);
        const char* target = arena.Text(requirement.target);
        if (requirements != nullptr) {
            requirements[i] = {requirementId, current, target};
        }
    }
    if (record == nullptr) {
        return;
    }
    record->id = id;
    record->serviceConfigurationId = scidText;
    record->name = name;
    record->progressState = static_cast<Xbl::XblAchievementProgressState>(achievement.progressState);
    record->progression = {requirements, achievement.requirements.size(), static_cast<std::time_t>(achievement.timeUnlocked)};
    record->type = Xbl::XblAchievementType::Persistent;
    record->participationType = Xbl::XblAchievementParticipationType::Individual;
    record->rewards = rewards;
    record->rewardsCount = achievement.rewards.size();
}

std::vector<const SimAchievement*> Select(const std::vector<SimAchievement>& all, const PageRequest& request, bool& hasNext)
{
    std::vector<const SimAchievement*> matching;
    for (const SimAchievement& achievement : all) {
        if (!request.unlockedOnly || achievement.progressState == kAchieved) {
            matching.push_back(&achievement);
        }
    }
    const std::size_t first = std::min<std::size_t>(request.skipItems, matching.size());
    const std::size_t count = request.maxItems == 0 ? matching.size() - first
                                                    : std::min<std::size_t>(request.maxItems, matching.size() - first);
    hasNext = first + count < matching.size();
    return {matching.begin() + static_cast<std::ptrdiff_t>(first), matching.begin() + static_cast<std::ptrdiff_t>(first + count)};
}

// Lays the page out twice: measured, then into the record's own storage.
AchievementsResultRecord MakePage(const std::vector<const SimAchievement*>& page, const std::string& scid, bool hasNext)
{
    const auto layOut = [&](ResultArena& arena) {
        auto* records = arena.Place<XblAchievement>(page.size());
        for (std::size_t i = 0; i < page.size(); ++i) {
            LayOut(arena, records == nullptr ? nullptr : &records[i], *page[i], scid);
        }
    };
    ResultArena measure;
    layOut(measure);
    AchievementsResultRecord record;
    record.storage.resize(measure.Used() / sizeof(std::uint64_t) + 1);
    ResultArena arena(record.storage.data());
    layOut(arena);
    record.count = page.size();
    record.hasNext = hasNext;
    return record;
}

Work PageWork(const PageRequest& request)
{
    return [request](SimState& state, Operation& operation) {
        Runtime& runtime = state.runtime;
        if (!runtime.account.signedIn) {
            return Results::kUserSignedOut;
        }
        bool hasNext = false;
        std::vector<const SimAchievement*> page;
        // Another title's achievements are none of this simulator's.
        if (request.titleId == runtime.settings.titleId) {
            page = Select(runtime.services.achievements, request, hasNext);
        }
        operation.value = std::make_shared<AchievementsResultRecord>(MakePage(page, runtime.xbl.scid, hasNext));
        return Results::kOk;
    };
}

std::uint32_t CurrentProgress(const SimAchievement& achievement)
{
    if (achievement.requirements.empty()) {
        return achievement.progressState == kAchieved ? 100 : achievement.progress;
    }
    const OptionalText& current = achievement.requirements.front().current;
    std::uint32_t progress = 0;
    if (current) {
        std::from_chars(current->data(), current->data() + current->size(), progress);
    }
    return progress;
}

Work UpdateWork(const std::string& id, std::uint32_t percent)
{
    return [id, percent](SimState& state, Operation&) {
        Runtime& runtime = state.runtime;
        if (!runtime.account.signedIn) {
            return Results::kUserSignedOut;
        }
        auto& list = runtime.services.achievements;
        const auto found = std::find_if(list.begin(), list.end(), [&](const SimAchievement& a) { return a.id == id; });
        if (found == list.end()) {
            return kNotFound;
        }
        if (percent > 100) {
            return kBadRequest;
        }
        if (percent <= CurrentProgress(*found) || found->progressState == kAchieved) {
            return kNotModified;
        }
        found->progress = percent;
        if (!found->requirements.empty()) {
            found->requirements.front().current = std::to_string(percent);
        }
        found->progressState = percent == 100 ? kAchieved : kInProgress;
        if (percent == 100) {
            found->timeUnlocked = std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch()).count();
        }
        return Results::kOk;
    };
}

HResult StartPage(Call& call, Xbl::XblContextHandle context, const PageRequest& request, Gdk::XAsyncBlock* block)
{
    ServicesAnswers& answers = call.Rt().services.answers;
    return StartServiceCall(call, context, block, answers.achievementsStart, answers.achievements, PageWork(request));
}

HResult StartUpdate(Call& call, Xbl::XblContextHandle context, const char* id, std::uint32_t percent, Gdk::XAsyncBlock* block)
{
    if (!call.Requires(id != nullptr, "null achievementId")) {
        return call.Returns(Results::kInvalidArg);
    }
    ServicesAnswers& answers = call.Rt().services.answers;
    return StartServiceCall(call, context, block, answers.updateStart, answers.update, UpdateWork(id, percent));
}

HResult TakePage(Call& call, Gdk::XAsyncBlock* block, Xbl::XblAchievementsResultHandle* result)
{
    if (!call.Requires(result != nullptr, "null result out pointer")) {
        return call.Returns(Results::kInvalidArg);
    }
    const ResultRead read = ReadResult(call, block, kGetAchievements);
    if (read.operation == nullptr) {
        return call.Returns(read.failure);
    }
    const HResult programmed = call.Rt().services.answers.achievementsResult;
    if (!Gdk::Succeeded(programmed)) {
        return call.Returns(programmed);
    }
    read.operation->resultTaken = true;
    auto page = std::any_cast<std::shared_ptr<AchievementsResultRecord>>(read.operation->value);
    call.Entry()["count"] = page->count;
    return call.HandsOut(call.Rt().services.achievementsResults, call.State().NextNumber(), std::move(*page), result, "handle");
}

// The open page behind a handle (a closed or unknown one is misuse).
AchievementsResultRecord* OpenPage(Call& call, Xbl::XblAchievementsResultHandle handle)
{
    call.Entry()["handle"] = DescribeHandle(handle);
    AchievementsResultRecord* page = call.Rt().services.achievementsResults.Find(handle);
    call.Requires(page != nullptr, std::string("unknown or closed ") + kResultWhat);
    return page;
}

HResult ReadPage(Call& call, Xbl::XblAchievementsResultHandle handle, const XblAchievement** achievements, std::size_t* count)
{
    AchievementsResultRecord* page = OpenPage(call, handle);
    if (page == nullptr || !call.Requires(achievements != nullptr && count != nullptr, "null out pointer")) {
        return call.Returns(Results::kInvalidArg);
    }
    const HResult programmed = call.Rt().services.answers.achievementsRead;
    if (!Gdk::Succeeded(programmed)) {
        return call.Returns(programmed);
    }
    *achievements = reinterpret_cast<const XblAchievement*>(page->storage.data());
    *count = page->count;
    call.Entry()["count"] = page->count;
    return call.Returns(Results::kOk);
}

HResult PageHasNext(Call& call, Xbl::XblAchievementsResultHandle handle, bool* hasNext)
{
    AchievementsResultRecord* page = OpenPage(call, handle);
    if (page == nullptr || !call.Requires(hasNext != nullptr, "null out pointer")) {
        return call.Returns(Results::kInvalidArg);
    }
    const HResult programmed = call.Rt().services.answers.achievementsHasNext;
    if (!Gdk::Succeeded(programmed)) {
        return call.Returns(programmed);
    }
    *hasNext = page->hasNext;
    call.Entry()["hasNext"] = page->hasNext;
    return call.Returns(Results::kOk);
}

} // namespace

HResult ServiceGetAchievementsAsync(Xbl::XblContextHandle context, std::uint64_t xuid, std::uint32_t titleId,
                                    Xbl::XblAchievementType type, bool unlockedOnly, Xbl::XblAchievementOrderBy orderBy,
                                    std::uint32_t skipItems, std::uint32_t maxItems, Gdk::XAsyncBlock* block)
{
    const PageRequest request{titleId, unlockedOnly, skipItems, maxItems};
    return JournalledCall(kGetAchievements,
                          {{"context", DescribeHandle(context)},
                           {"xuid", std::to_string(xuid)},
                           {"titleId", titleId},
                           {"type", static_cast<std::uint32_t>(type)},
                           {"unlockedOnly", unlockedOnly},
                           {"orderBy", static_cast<std::uint32_t>(orderBy)},
                           {"skipItems", skipItems},
                           {"maxItems", maxItems}},
                          [&](Call& call) { return StartPage(call, context, request, block); });
}

HResult ServiceGetAchievementsResult(Gdk::XAsyncBlock* block, Xbl::XblAchievementsResultHandle* result)
{
    return RuntimeCall("XblAchievementsGetAchievementsForTitleIdResult", {},
                       [&](Call& call) { return TakePage(call, block, result); });
}

HResult ServiceResultGetAchievements(Xbl::XblAchievementsResultHandle handle, const XblAchievement** achievements,
                                     std::size_t* count)
{
    return RuntimeCall("XblAchievementsResultGetAchievements", {},
                       [&](Call& call) { return ReadPage(call, handle, achievements, count); });
}

HResult ServiceResultHasNext(Xbl::XblAchievementsResultHandle handle, bool* hasNext)
{
    return RuntimeCall("XblAchievementsResultHasNext", {}, [&](Call& call) { return PageHasNext(call, handle, hasNext); });
}

void ServiceResultCloseHandle(Xbl::XblAchievementsResultHandle handle)
{
    JournalledCall("XblAchievementsResultCloseHandle", {{"handle", DescribeHandle(handle)}}, [&](Call& call) {
        if (call.Admitted()) {
            call.Closes(call.Rt().services.achievementsResults, handle, kResultWhat);
        }
    });
}

HResult ServiceUpdateAchievementAsync(Xbl::XblContextHandle context, std::uint64_t xuid, const char* achievementId,
                                      std::uint32_t percentComplete, Gdk::XAsyncBlock* block)
{
    return JournalledCall(kUpdateAchievement,
                          {{"context", DescribeHandle(context)},
                           {"xuid", std::to_string(xuid)},
                           {"achievementId", JournalText(achievementId)},
                           {"percentComplete", percentComplete}},
                          [&](Call& call) { return StartUpdate(call, context, achievementId, percentComplete, block); });
}

} // namespace Vyro::XboxSim
