// The privacy avoid list and the profile service: the signed-in player's avoided players, and the
// profiles of players by xuid (some players have none). Lists are read as the real library gives
// them: the count first, then the items into the caller's buffer of exactly that count, once.
#include <algorithm>
#include <any>
#include <memory>
#include <optional>
#include <vector>

#include "AsyncCalls.h"
#include "Calls.h"
#include "ResultArena.h"
#include "ServicesCalls.h"
#include "SocialCalls.h"

namespace Vyro::XboxSim {

namespace {

constexpr char kAvoidList[] = "XblPrivacyGetAvoidListAsync";
constexpr char kProfile[] = "XblProfileGetUserProfileAsync";
constexpr char kProfiles[] = "XblProfileGetUserProfilesAsync";
constexpr HResult kNotFound = static_cast<HResult>(0x80190194); // HTTP_E_STATUS_NOT_FOUND

template <typename Item>
using SharedList = std::shared_ptr<std::vector<Item>>;

std::optional<SimProfile> FindProfile(const Runtime& runtime, std::uint64_t xuid)
{
    const auto found = runtime.social.profiles.find(xuid);
    if (found != runtime.social.profiles.end()) {
        return found->second;
    }
    if (xuid == runtime.settings.xuid) {
        return OwnProfile(runtime.settings.xuid, runtime.settings.gamertag);
    }
    return std::nullopt;
}

void FillProfile(Xbl::XblUserProfile& record, const SimProfile& profile)
{
    record = Xbl::XblUserProfile{};
    record.xboxUserId = profile.xuid;
    CopyField(record.appDisplayName, profile.appDisplayName);
    CopyField(record.appDisplayPictureResizeUri, profile.appDisplayPicture);
    CopyField(record.gameDisplayName, profile.gameDisplayName);
    CopyField(record.gameDisplayPictureResizeUri, profile.gameDisplayPicture);
    CopyField(record.gamerscore, profile.gamerscore);
    CopyField(record.gamertag, profile.gamertag);
    CopyField(record.modernGamertag, profile.gamertag);
    CopyField(record.uniqueModernGamertag, profile.gamertag);
}

// Work that needs the player signed in and keeps `make(runtime)` as the call's result.
template <typename Make>
Work SignedInWork(Make make)
{
    return [make](SimState& state, Operation& operation) {
        if (!state.runtime.account.signedIn) {
            return Results::kUserSignedOut;
        }
        return make(state.runtime, operation.value);
    };
}

template <typename Item>
HResult ListCount(Call& call, Gdk::XAsyncBlock* block, const char* startedBy, HResult programmed, std::size_t* count)
{
    if (!call.Requires(count != nullptr, "null count out pointer")) {
        return call.Returns(Results::kInvalidArg);
    }
    const ResultRead read = ReadResult(call, block, startedBy);
    if (read.operation == nullptr) {
        return call.Returns(read.failure);
    }
    if (!Gdk::Succeeded(programmed)) {
        return call.Returns(programmed);
    }
    *count = std::any_cast<SharedList<Item>>(read.operation->value)->size();
    call.Entry()["count"] = *count;
    return call.Returns(Results::kOk);
}

// Copies the list into `out`, which holds exactly the count the count function gave.
template <typename Item, typename Out, typename Fill>
HResult ListItems(Call& call, Gdk::XAsyncBlock* block, const char* startedBy, HResult programmed, std::size_t count, Out* out,
                  Fill fill)
{
    call.Entry()["count"] = count;
    const ResultRead read = ReadResult(call, block, startedBy);
    if (read.operation == nullptr) {
        return call.Returns(read.failure);
    }
    const std::vector<Item>& list = *std::any_cast<SharedList<Item>>(read.operation->value);
    if (!call.Requires(count == list.size(), "count differs from the result's count (" + std::to_string(list.size()) + ")") ||
        !call.Requires(out != nullptr || count == 0, "null buffer")) {
        return call.Returns(Results::kInvalidArg);
    }
    if (!Gdk::Succeeded(programmed)) {
        return call.Returns(programmed);
    }
    read.operation->resultTaken = true;
    for (std::size_t i = 0; i < count; ++i) {
        fill(out[i], list[i]);
    }
    return call.Returns(Results::kOk);
}

HResult StartProfiles(Call& call, Xbl::XblContextHandle context, const std::uint64_t* xuids, std::size_t count,
                      Gdk::XAsyncBlock* block)
{
    if (!call.Requires(xuids != nullptr && count > 0, "no xuids")) {
        return call.Returns(Results::kInvalidArg);
    }
    const std::vector<std::uint64_t> wanted(xuids, xuids + count);
    SocialAnswers& answers = call.Rt().social.answers;
    return StartServiceCall(call, context, block, answers.profilesStart, answers.profiles,
                            SignedInWork([wanted](const Runtime& runtime, std::any& value) {
                                auto found = std::make_shared<std::vector<SimProfile>>();
                                for (const std::uint64_t xuid : wanted) {
                                    if (const auto profile = FindProfile(runtime, xuid)) {
                                        found->push_back(*profile);
                                    }
                                }
                                value = found;
                                return Results::kOk;
                            }));
}

nlohmann::json XuidTexts(const std::uint64_t* xuids, std::size_t count)
{
    nlohmann::json texts = nlohmann::json::array();
    for (std::size_t i = 0; xuids != nullptr && i < count; ++i) {
        texts.push_back(std::to_string(xuids[i]));
    }
    return texts;
}

} // namespace

HResult ServiceAvoidListAsync(Xbl::XblContextHandle context, Gdk::XAsyncBlock* block)
{
    return JournalledCall(kAvoidList, {{"context", DescribeHandle(context)}}, [&](Call& call) {
        SocialAnswers& answers = call.Rt().social.answers;
        return StartServiceCall(call, context, block, answers.avoidListStart, answers.avoidList,
                                SignedInWork([](const Runtime& runtime, std::any& value) {
                                    value = std::make_shared<std::vector<std::uint64_t>>(runtime.social.avoidList);
                                    return Results::kOk;
                                }));
    });
}

HResult ServiceAvoidListResultCount(Gdk::XAsyncBlock* block, std::size_t* count)
{
    return RuntimeCall("XblPrivacyGetAvoidListResultCount", {}, [&](Call& call) {
        return ListCount<std::uint64_t>(call, block, kAvoidList, call.Rt().social.answers.avoidListCount, count);
    });
}

HResult ServiceAvoidListResult(Gdk::XAsyncBlock* block, std::size_t count, std::uint64_t* xuids)
{
    return RuntimeCall("XblPrivacyGetAvoidListResult", {}, [&](Call& call) {
        return ListItems<std::uint64_t>(call, block, kAvoidList, call.Rt().social.answers.avoidListResult, count, xuids,
                                        [](std::uint64_t& out, std::uint64_t xuid) { out = xuid; });
    });
}

HResult ServiceProfileAsync(Xbl::XblContextHandle context, std::uint64_t xuid, Gdk::XAsyncBlock* block)
{
    return JournalledCall(kProfile, {{"context", DescribeHandle(context)}, {"xuid", std::to_string(xuid)}}, [&](Call& call) {
        SocialAnswers& answers = call.Rt().social.answers;
        return StartServiceCall(call, context, block, answers.profileStart, answers.profile,
                                SignedInWork([xuid](const Runtime& runtime, std::any& value) {
                                    const auto profile = FindProfile(runtime, xuid);
                                    if (!profile) {
                                        return kNotFound;
                                    }
                                    value = *profile;
                                    return Results::kOk;
                                }));
    });
}

HResult ServiceProfileResult(Gdk::XAsyncBlock* block, Xbl::XblUserProfile* profile)
{
    return RuntimeCall("XblProfileGetUserProfileResult", {}, [&](Call& call) {
        if (!call.Requires(profile != nullptr, "null profile out pointer")) {
            return call.Returns(Results::kInvalidArg);
        }
        const ResultRead read = ReadResult(call, block, kProfile);
        if (read.operation == nullptr) {
            return call.Returns(read.failure);
        }
        const HResult programmed = call.Rt().social.answers.profileResult;
        if (!Gdk::Succeeded(programmed)) {
            return call.Returns(programmed);
        }
        read.operation->resultTaken = true;
        FillProfile(*profile, std::any_cast<SimProfile>(read.operation->value));
        return call.Returns(Results::kOk);
    });
}

HResult ServiceProfilesAsync(Xbl::XblContextHandle context, std::uint64_t* xuids, std::size_t count, Gdk::XAsyncBlock* block)
{
    return JournalledCall(kProfiles, {{"context", DescribeHandle(context)}, {"xuids", XuidTexts(xuids, count)}},
                          [&](Call& call) { return StartProfiles(call, context, xuids, count, block); });
}

HResult ServiceProfilesResultCount(Gdk::XAsyncBlock* block, std::size_t* count)
{
    return RuntimeCall("XblProfileGetUserProfilesResultCount", {}, [&](Call& call) {
        return ListCount<SimProfile>(call, block, kProfiles, call.Rt().social.answers.profilesCount, count);
    });
}

HResult ServiceProfilesResult(Gdk::XAsyncBlock* block, std::size_t count, Xbl::XblUserProfile* profiles)
{
    return RuntimeCall("XblProfileGetUserProfilesResult", {}, [&](Call& call) {
        return ListItems<SimProfile>(call, block, kProfiles, call.Rt().social.answers.profilesResult, count, profiles, &FillProfile);
    });
}

} // namespace Vyro::XboxSim
