// The Xbox services library: initialised once with the title's service configuration id and a queue
// for its own work, contexts per user, and an asynchronous cleanup.
#include <string>
#include <string_view>

#include "AsyncCalls.h"
#include "Calls.h"
#include "ServicesCalls.h"
#include "SocialCalls.h"
#include "XblBridge.h"

namespace Vyro::XboxSim {

bool LibraryReady(Call& call, HResult& refusal)
{
    if (!call.Admitted()) {
        refusal = Results::kRuntimeNotInitialized;
        return false;
    }
    const XblLibrary& xbl = call.Rt().xbl;
    refusal = Results::kXblNotInitialized;
    switch (xbl.state) {
    case XblState::Initialised:
        return true;
    case XblState::CleaningUp:
        return call.Requires(false, "call during XblCleanupAsync");
    case XblState::NotInitialised:
        return call.Requires(false, xbl.everInitialised ? "call after XblCleanupAsync completed" : "call before XblInitialize");
    }
    return false;
}

namespace {

HResult InitializeLibrary(Call& call, const Xbl::XblInitArgs* args)
{
    if (!call.Requires(args != nullptr, "null args")) {
        return call.Returns(Results::kInvalidArg);
    }
    call.Entry()["scid"] = JournalText(args->scid);
    HResult refusal = Results::kOk;
    const TaskQueue* queue = call.SubmissionQueue(args->queue, refusal);
    // The library works on its queue for as long as it lives: a terminated one is a mistake.
    if (queue == nullptr && refusal == Results::kAbort) {
        call.Misuse("the queue is terminated");
        refusal = Results::kInvalidArg;
    }
    if (queue == nullptr) {
        return call.Returns(refusal);
    }
    if (!call.Requires(args->scid != nullptr && *args->scid != '\0', "null or empty scid")) {
        return call.Returns(Results::kInvalidArg);
    }
    XblLibrary& xbl = call.Rt().xbl;
    if (xbl.state != XblState::NotInitialised) {
        return call.Returns(Results::kXblAlreadyInitialized);
    }
    const HResult programmed = call.Rt().settings.xblInitializeResult;
    if (!Gdk::Succeeded(programmed)) {
        return call.Returns(programmed);
    }
    xbl.state = XblState::Initialised;
    xbl.everInitialised = true;
    xbl.scid = args->scid;
    xbl.queue = queue->number;
    return call.Returns(Results::kOk);
}

// The cleanup's work: the library is no longer initialised. Its contexts stay open (the game's leak).
HResult CleanUp(SimState& state, Operation&)
{
    state.runtime.xbl.state = XblState::NotInitialised;
    return Results::kOk;
}

// The Xbox services calls whose work is not done; the library's own calls are named Xbl....
std::size_t OutstandingServicesCalls(const Runtime& runtime)
{
    std::size_t outstanding = 0;
    for (const auto& [block, operation] : runtime.operations.All()) {
        outstanding += WorkUnfinished(operation) && std::string_view(operation.function).starts_with("Xbl");
    }
    return outstanding;
}

HResult StartCleanup(Call& call, Gdk::XAsyncBlock* block)
{
    HResult refusal = Results::kOk;
    TaskQueue* queue = LibraryReady(call, refusal) ? AcceptBlock(call, block, refusal) : nullptr;
    if (queue == nullptr) {
        return call.Returns(refusal);
    }
    XblLibrary& xbl = call.Rt().xbl;
    call.Entry()["openContexts"] = xbl.contexts.Count();
    const std::size_t outstanding = OutstandingServicesCalls(call.Rt());
    if (outstanding > 0) {
        call.Misuse("XblCleanupAsync with " + std::to_string(outstanding) +
                    " Xbox services calls outstanding: the title must let them finish, or cancel them, first");
    }
    xbl.state = XblState::CleaningUp;
    return Launch(call, block, *queue, Outcome{}, CleanUp);
}

HResult CreateContext(Call& call, Xbl::XblUserHandle user, Xbl::XblContextHandle* context)
{
    HResult refusal = Results::kOk;
    if (!LibraryReady(call, refusal)) {
        return call.Returns(refusal);
    }
    if (!call.User(user) || !call.Requires(context != nullptr, "null context out pointer")) {
        return call.Returns(Results::kInvalidArg);
    }
    const HResult programmed = call.Rt().settings.xblContextResult;
    if (!Gdk::Succeeded(programmed)) {
        return call.Returns(programmed);
    }
    return call.HandsOut(call.Rt().xbl.contexts, call.State().NextNumber(), XblContextRecord{*NumberOf(user)}, context, "context");
}

HResult ServiceInitialize(const Xbl::XblInitArgs* args)
{
    return RuntimeCall("XblInitialize", {}, [&](Call& call) { return InitializeLibrary(call, args); });
}

HResult ServiceCleanupAsync(Gdk::XAsyncBlock* asyncBlock)
{
    return JournalledCall("XblCleanupAsync", {}, [&](Call& call) { return StartCleanup(call, asyncBlock); });
}

HResult ServiceContextCreateHandle(Xbl::XblUserHandle user, Xbl::XblContextHandle* context)
{
    return JournalledCall("XblContextCreateHandle", {}, [&](Call& call) { return CreateContext(call, user, context); });
}

void ServiceContextCloseHandle(Xbl::XblContextHandle context)
{
    JournalledCall("XblContextCloseHandle", {{"context", DescribeHandle(context)}}, [&](Call& call) {
        HResult refusal = Results::kOk;
        if (LibraryReady(call, refusal)) {
            call.Closes(call.Rt().xbl.contexts, context, "Xbox services context");
        }
    });
}

} // namespace

} // namespace Vyro::XboxSim

extern "C" const Vyro::Xbl::XblApi* VyroSim_XblServices()
{
    using namespace Vyro::XboxSim;
    static const Vyro::Xbl::XblApi services{&ServiceInitialize,
                                            &ServiceCleanupAsync,
                                            &ServiceContextCreateHandle,
                                            &ServiceContextCloseHandle,
                                            &ServiceGetAchievementsAsync,
                                            &ServiceGetAchievementsResult,
                                            &ServiceResultGetAchievements,
                                            &ServiceResultHasNext,
                                            &ServiceResultCloseHandle,
                                            &ServiceUpdateAchievementAsync,
                                            &ServiceGetStatisticsAsync,
                                            &ServiceGetStatisticsResultSize,
                                            &ServiceGetStatisticsResult,
                                            &ServiceUpdateStatisticsAsync,
                                            &ServiceGetLeaderboardAsync,
                                            &ServiceGetLeaderboardResultSize,
                                            &ServiceGetLeaderboardResult,
                                            &ServiceContextGetXboxUserId,
                                            &ServiceSetActivityAsync,
                                            &ServiceGetActivityAsync,
                                            &ServiceGetActivityResultSize,
                                            &ServiceGetActivityResult,
                                            &ServiceDeleteActivityAsync,
                                            &ServiceSendInvitesAsync,
                                            &ServiceUpdateRecentPlayers,
                                            &ServiceFlushRecentPlayersAsync,
                                            &ServiceBatchCheckPermissionAsync,
                                            &ServiceBatchCheckPermissionResultSize,
                                            &ServiceBatchCheckPermissionResult,
                                            &ServiceSocialAddLocalUser,
                                            &ServiceSocialRemoveLocalUser,
                                            &ServiceSocialCreateGroup,
                                            &ServiceSocialDestroyGroup,
                                            &ServiceSocialGetUsers,
                                            &ServiceSocialDoWork,
                                            &ServiceAvoidListAsync,
                                            &ServiceAvoidListResultCount,
                                            &ServiceAvoidListResult,
                                            &ServiceProfileAsync,
                                            &ServiceProfileResult,
                                            &ServiceProfilesAsync,
                                            &ServiceProfilesResultCount,
                                            &ServiceProfilesResult};
    return &services;
}
