#include "ControlOps.h"

#include <array>
#include <limits>
#include <utility>

#include "ControlFields.h"
#include "ControlOpShapes.h"
#include "ControlReaders.h"
#include "ControlReply.h"
#include "Journal.h"
#include "LogThreads.h"
#include "LoginStatus.h"
#include "SdkLog.h"
#include "SimState.h"

namespace Vyro::EosSim {

namespace {

using Sim::ControlFields;
using Sim::Refusal;
using Sim::Success;

constexpr std::int64_t kMaxLogMessages = 100000;
constexpr std::int64_t kMaxLogThreads = 64;
constexpr char kLogThreadRefusal[] = "called from a log callback on one of the SDK's log threads, which cannot wait for itself";

// Threads still logging are joined first, with no lock held; a log callback on one of them cannot
// reset. Copies the game still holds stay valid.
nlohmann::json Reset(const nlohmann::json& request)
{
    return Sim::AnswerPlainRequest(request, "reset", [] {
        if (!JoinLogThreads()) {
            return Refusal(std::string("reset: ") + kLogThreadRefusal);
        }
        WithState([](SimState& state) { state.runtime = Runtime{}; });
        return Success();
    });
}

nlohmann::json Set(const nlohmann::json& request)
{
    ControlFields fields(request, "set",
                         {"initializeResult", "platformCreateFails", "delayTicks", "loginResults", "loginDefault",
                          "refreshTokenCheck", "incompleteResults", "queryOffersResult", "checkoutResult", "holdCheckouts",
                          "queryEntitlementsResult", "copyTokenResult", "tokenNullTexts", "accountIdToStringResult",
                          "offerCopyFailures", "entitlementCopyFailures", "sdkLogging"});
    return WithState([&](SimState& state) { return Sim::UpdateSettings(fields, state.runtime.settings, ReadSettings); });
}

nlohmann::json ReplaceCatalogue(const nlohmann::json& request)
{
    ControlFields fields(request, "catalogue", {"offers", "generate"});
    return Sim::ReplacePart(fields, ReadCatalogue, [](Catalogue catalogue) {
        return WithState([&](SimState& state) {
            state.runtime.catalogue = std::move(catalogue);
            return nlohmann::json{{"offers", state.runtime.catalogue->size()}};
        });
    });
}

nlohmann::json ReplaceEntitlements(const nlohmann::json& request)
{
    ControlFields fields(request, "entitlements", {"entitlements"});
    return Sim::ReplacePart(fields, ReadEntitlements, [](Entitlements entitlements) {
        return WithState([&](SimState& state) {
            state.runtime.entitlements = std::move(entitlements);
            return nlohmann::json{{"entitlements", state.runtime.entitlements.size()}};
        });
    });
}

// A sign-in restored this way keeps the account's tokens, or gets fresh ones when it has none.
nlohmann::json LoginStatusChange(const nlohmann::json& request)
{
    ControlFields fields(request, "loginStatus", {"status"});
    fields.Require("status");
    const auto status = fields.Integer("status", Eos::kNotLoggedIn, Eos::kLoggedIn);
    if (fields.Failed()) {
        return Refusal(fields.Error());
    }
    return WithState([&](SimState& state) {
        Runtime& runtime = state.runtime;
        if (*status == Eos::kLoggedIn && runtime.account.refreshToken.empty()) {
            runtime.account.IssueTokens();
        }
        return Success({{"queued", ChangeLoginStatus(runtime, static_cast<Eos::LoginStatus>(*status))}});
    });
}

// A text member that may be null; `fallback` when absent.
Text ReadLogText(ControlFields& fields, const char* name, const char* fallback)
{
    return fields.StringOrNull(name).value_or(Text(fallback));
}

nlohmann::json Log(const nlohmann::json& request)
{
    ControlFields fields(request, "log", {"level", "category", "message", "messages", "threads"});
    fields.Require("level");
    const auto level = fields.Integer("level", std::numeric_limits<Eos::LogLevel>::min(), std::numeric_limits<Eos::LogLevel>::max());
    const LogLine line{static_cast<Eos::LogLevel>(level.value_or(0)), ReadLogText(fields, "category", "LogEOS"),
                       ReadLogText(fields, "message", "")};
    const auto messages = static_cast<std::size_t>(fields.Integer("messages", 0, kMaxLogMessages).value_or(1));
    const auto threads = static_cast<std::size_t>(fields.Integer("threads", 0, kMaxLogThreads).value_or(0));
    if (fields.Failed()) {
        return Refusal(fields.Error());
    }
    if (threads > 0) {
        StartLogThreads(threads, messages, line);
        return Success({{"started", threads}});
    }
    return Success({{"delivered", EmitLog(line, messages)}});
}

nlohmann::json JoinLogs(const nlohmann::json& request)
{
    return Sim::AnswerPlainRequest(request, "joinLogThreads", [] {
        const auto joined = JoinLogThreads();
        return joined ? Success({{"joined", *joined}}) : Refusal(std::string("joinLogThreads: ") + kLogThreadRefusal);
    });
}

nlohmann::json ReleaseCheckouts(const nlohmann::json& request)
{
    return Sim::AnswerPlainRequest(request, "releaseCheckouts", [] {
        return WithState([](SimState& state) {
            std::size_t released = 0;
            for (auto& [number, platform] : state.runtime.platforms.All()) {
                released += platform.ReleaseHeld();
            }
            return Success({{"released", released}});
        });
    });
}

nlohmann::json JournalCalls(const nlohmann::json& request)
{
    return Sim::AnswerJournalRequest(request, [](auto read) {
        return WithState([&](SimState& state) { return read(state.runtime.journal); });
    });
}

nlohmann::json MisuseCalls(const nlohmann::json& request)
{
    return Sim::AnswerPlainRequest(request, "misuse", [] {
        return WithState([](SimState& state) {
            nlohmann::json misuse = nlohmann::json::array();
            for (nlohmann::json& entry : state.runtime.journal.Calls(std::nullopt)) {
                if (entry.contains("misuse")) {
                    misuse.push_back(std::move(entry));
                }
            }
            return Success({{"count", misuse.size()}, {"calls", std::move(misuse)}});
        });
    });
}

const char* SdkStateName(SdkState sdk)
{
    switch (sdk) {
    case SdkState::NotInitialised:
        return "notInitialised";
    case SdkState::Initialised:
        return "initialised";
    case SdkState::ShutDown:
        return "shutDown";
    }
    return "";
}

nlohmann::json DescribePlatform(const Platform& platform)
{
    nlohmann::json handlers = nlohmann::json::array();
    for (const LoginStatusHandler& handler : platform.loginStatusHandlers) {
        handlers.push_back(handler.id);
    }
    nlohmann::json pending = nlohmann::json::array();
    for (const PendingCompletion& entry : platform.pending) {
        pending.push_back({{"delivers", entry.function}, {"dueTick", entry.dueTick}, {"held", entry.held}});
    }
    return {{"platform", platform.number},
            {"clientId", platform.clientId},
            {"ticks", platform.ticks},
            {"loginStatusHandlers", std::move(handlers)},
            {"pending", std::move(pending)}};
}

nlohmann::json DescribeState(const SimState& state)
{
    const Runtime& runtime = state.runtime;
    nlohmann::json platforms = nlohmann::json::array();
    for (const auto& [number, platform] : runtime.platforms.All()) {
        platforms.push_back(DescribePlatform(platform));
    }
    const Account& account = runtime.account;
    return {{"sdk", SdkStateName(runtime.sdk)},
            {"platforms", std::move(platforms)},
            {"account",
             {{"id", kAccountIdText},
              {"displayName", kDisplayName},
              {"status", account.status},
              {"accessToken", account.accessToken},
              {"refreshToken", account.refreshToken}}},
            {"loginResultsLeft", runtime.settings.loginResults.size()},
            {"offers", runtime.catalogue->size()},
            {"entitlements", runtime.entitlements.size()},
            {"outstandingCopies", state.copies.Outstanding()},
            {"ticks", runtime.ticks},
            {"helperCalls", runtime.helperCalls},
            {"log",
             {{"callback", runtime.logging.callback != nullptr},
              {"threshold", runtime.logging.threshold},
              {"delivered", runtime.logging.delivered},
              {"filtered", runtime.logging.filtered}}}};
}

nlohmann::json State(const nlohmann::json& request)
{
    return Sim::AnswerPlainRequest(request, "state", [] {
        nlohmann::json reply = Success(WithState([](SimState& state) { return DescribeState(state); }));
        reply["log"]["threads"] = LogThreadCount();
        return reply;
    });
}

constexpr std::array<Sim::NamedControlOp, 11> kOps{{
    {"reset", Reset},
    {"set", Set},
    {"catalogue", ReplaceCatalogue},
    {"entitlements", ReplaceEntitlements},
    {"loginStatus", LoginStatusChange},
    {"log", Log},
    {"joinLogThreads", JoinLogs},
    {"releaseCheckouts", ReleaseCheckouts},
    {"journal", JournalCalls},
    {"misuse", MisuseCalls},
    {"state", State},
}};

} // namespace

std::span<const Sim::NamedControlOp> ControlOps() { return kOps; }

} // namespace Vyro::EosSim
