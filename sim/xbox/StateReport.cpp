#include "StateReport.h"

#include <string>

#include "MultiplayerControl.h"
#include "OnlineControl.h"
#include "ServicesControl.h"
#include "SocialControl.h"

namespace Vyro::XboxSim {

namespace {

const char* TerminationName(Termination termination)
{
    switch (termination) {
    case Termination::None:
        return "none";
    case Termination::Terminating:
        return "terminating";
    case Termination::Finished:
        return "finished";
    }
    return "";
}

nlohmann::json DescribeQueue(const TaskQueue& queue)
{
    nlohmann::json waiting = nlohmann::json::array();
    for (const PortItem& item : queue.completions) {
        waiting.push_back(item.entry.value("delivers", ""));
    }
    return {{"queue", queue.number},
            {"termination", TerminationName(queue.termination)},
            {"completionPort", std::move(waiting)},
            {"dispatchingThreads", queue.dispatchers.size()},
            {"delivered", queue.delivered}};
}

nlohmann::json DescribeInFlight(const Operations& operations)
{
    nlohmann::json inFlight = nlohmann::json::array();
    for (const auto& [block, operation] : operations.All()) {
        if (InFlight(operation)) {
            inFlight.push_back({{"operation", operation.id},
                                {"fn", operation.function},
                                {"queue", operation.queue},
                                {"stage", StageName(operation.stage)}});
        }
    }
    return inFlight;
}

std::size_t CountInFlight(const Operations& operations)
{
    std::size_t count = 0;
    for (const auto& [block, operation] : operations.All()) {
        count += InFlight(operation);
    }
    return count;
}

void AddCount(nlohmann::json& open, const char* kind, std::size_t count)
{
    if (count > 0) {
        open[kind] = count;
    }
}

nlohmann::json DescribeXbl(const XblLibrary& xbl)
{
    return {{"state", XblStateName(xbl.state)},
            {"scid", xbl.state == XblState::NotInitialised ? nlohmann::json() : nlohmann::json(xbl.scid)},
            {"queue", xbl.state == XblState::NotInitialised ? nlohmann::json() : nlohmann::json(xbl.queue)},
            {"contexts", xbl.contexts.Numbers()}};
}

} // namespace

nlohmann::json OpenObjects(const Runtime& runtime)
{
    nlohmann::json open = nlohmann::json::object();
    AddCount(open, "runtimeInitializations", runtime.initCount);
    AddCount(open, "queues", runtime.queues.Count());
    AddCount(open, "users", runtime.users.Count());
    AddCount(open, "storeContexts", runtime.storeContexts.Count());
    AddCount(open, "registrations", runtime.events.Count());
    AddCount(open, "inFlight", CountInFlight(runtime.operations));
    AddCount(open, "xblInitialized", runtime.xbl.state != XblState::NotInitialised);
    AddCount(open, "xblContexts", runtime.xbl.contexts.Count());
    AddCount(open, "productQueries", runtime.store.productQueries.Count());
    AddCount(open, "achievementsResults", runtime.services.achievementsResults.Count());
    AddCount(open, "socialLocalUsers", runtime.social.localUsers.size());
    AddCount(open, "socialGroups", runtime.social.groups.Count());
    return open;
}

nlohmann::json MisuseEntries(const Journal& journal)
{
    nlohmann::json misuse = nlohmann::json::array();
    for (nlohmann::json& entry : journal.Calls(std::nullopt)) {
        if (entry.contains("misuse")) {
            misuse.push_back(std::move(entry));
        }
    }
    return misuse;
}

nlohmann::json DescribeState(const SimState& state)
{
    const Runtime& runtime = state.runtime;
    nlohmann::json queues = nlohmann::json::array();
    for (const auto& [number, queue] : runtime.queues.All()) {
        queues.push_back(DescribeQueue(*queue));
    }
    return {{"initCount", runtime.initCount},
            {"account",
             {{"xuid", std::to_string(runtime.settings.xuid)},
              {"gamertag", runtime.settings.gamertag},
              {"signedIn", runtime.account.signedIn},
              {"tokenSerial", runtime.account.tokenSerial}}},
            {"queues", std::move(queues)},
            {"users", runtime.users.Numbers()},
            {"storeContexts", runtime.storeContexts.Numbers()},
            {"registrations",
             {{"userChange", DescribeRegistrations(runtime.events.userChange)},
              {"gameInvite", DescribeRegistrations(runtime.events.gameInvite)}}},
            {"eventCallbacksRunning", runtime.events.running.size()},
            {"inFlight", DescribeInFlight(runtime.operations)},
            {"xbl", DescribeXbl(runtime.xbl)},
            {"services", DescribeServices(runtime.services)},
            {"addUserResultsLeft", runtime.settings.addUser.next.size()},
            {"tokenResultsLeft", runtime.settings.token.next.size()},
            {"dispatches", {{"calls", runtime.dispatches.calls}, {"delivered", runtime.dispatches.delivered}}},
            {"productQueries", runtime.store.productQueries.Numbers()},
            {"online", DescribeOnline(runtime.online)},
            {"multiplayer", DescribeMultiplayer(runtime.multiplayer)},
            {"social", DescribeSocial(runtime.social)},
            {"leftOpen", OpenObjects(runtime)},
            {"misuse", MisuseEntries(runtime.journal)}};
}

} // namespace Vyro::XboxSim
