#include "ControlOps.h"

#include <algorithm>
#include <array>

#include "CompletionThread.h"
#include "ControlFields.h"
#include "ControlReaders.h"
#include "ControlReply.h"
#include "ControlOpShapes.h"
#include "SimState.h"

namespace Vyro::PlayGamesSim {

namespace {

using Sim::ControlFields;
using Sim::Refusal;
using Sim::Success;

constexpr std::int64_t kMaxDrainMs = 600000;
constexpr std::int64_t kDefaultDrainMs = 10000;

// Completions already handed to the completion thread are still delivered, and withheld contexts
// stay: the game owns them.
nlohmann::json Reset(const nlohmann::json& request)
{
    return Sim::AnswerPlainRequest(request, "reset", [] {
        WithState([](SimState& state) { state.runtime = Runtime{}; });
        return Success();
    });
}

nlohmann::json Set(const nlohmann::json& request)
{
    ControlFields fields(request, "set",
                         {"initCode", "initMessage", "initMessageHex", "completionMode", "delayMs", "purchaseFlow",
                          "queryProductsFailure", "queryPurchasesFailure", "consumeFailure"});
    return WithState([&](SimState& state) { return Sim::UpdateSettings(fields, state.runtime.settings, ReadSettings); });
}

nlohmann::json ReplaceCatalogue(const nlohmann::json& request)
{
    ControlFields fields(request, "catalogue", {"products"});
    return Sim::ReplacePart(fields, ReadCatalogue, [](Catalogue catalogue) {
        return WithState([&](SimState& state) {
            state.runtime.catalogue = std::move(catalogue);
            return nlohmann::json{{"products", state.runtime.catalogue.size()}};
        });
    });
}

nlohmann::json ReplaceOwned(const nlohmann::json& request)
{
    ControlFields fields(request, "owned", {"purchases"});
    return Sim::ReplacePart(fields, ReadOwnedPurchases, [](OwnedPurchases owned) {
        return WithState([&](SimState& state) {
            Runtime& runtime = state.runtime;
            runtime.owned = std::move(owned);
            // Purchases the runtime makes from now on are numbered after the programmed ones.
            runtime.purchasesMade = std::max<std::uint64_t>(runtime.purchasesMade, runtime.owned.size());
            return nlohmann::json{{"purchases", runtime.owned.size()}};
        });
    });
}

nlohmann::json Drain(const nlohmann::json& request)
{
    ControlFields fields(request, "drain", {"timeoutMs"});
    const auto timeout = fields.Integer("timeoutMs", 0, kMaxDrainMs);
    if (fields.Failed()) {
        return Refusal(fields.Error());
    }
    if (OnCompletionThread()) {
        return Refusal("drain: called from a completion on the runtime's completion thread, which cannot wait for itself");
    }
    return Success({{"pending", DrainCompletions(std::chrono::milliseconds(timeout.value_or(kDefaultDrainMs)))}});
}

nlohmann::json JournalCalls(const nlohmann::json& request)
{
    return Sim::AnswerJournalRequest(request, [](auto read) {
        return WithState([&](SimState& state) { return read(state.runtime.journal); });
    });
}

nlohmann::json ProductIds(const Catalogue& catalogue)
{
    nlohmann::json ids = nlohmann::json::array();
    for (const SimProduct& product : catalogue) {
        ids.push_back(product.id);
    }
    return ids;
}

nlohmann::json PurchaseTokens(const OwnedPurchases& owned)
{
    nlohmann::json tokens = nlohmann::json::array();
    for (const SimPurchase& purchase : owned) {
        tokens.push_back(purchase.purchaseToken);
    }
    return tokens;
}

nlohmann::json State(const nlohmann::json& request)
{
    return Sim::AnswerPlainRequest(request, "state", [] {
        nlohmann::json reply = WithState([](SimState& state) {
            const Runtime& runtime = state.runtime;
            return Success({{"initialised", runtime.initialised},
                            {"clients", runtime.clients.Numbers()},
                            {"catalogue", ProductIds(runtime.catalogue)},
                            {"owned", PurchaseTokens(runtime.owned)},
                            {"completionMode", runtime.settings.timing.mode == CompletionMode::Sync ? "sync" : "thread"},
                            {"delayMs", runtime.settings.timing.delay.count()},
                            {"withheld", state.withheld.size()}});
        });
        reply["pending"] = PendingCompletions();
        return reply;
    });
}

constexpr std::array<Sim::NamedControlOp, 7> kOps{{
    {"reset", Reset},
    {"set", Set},
    {"catalogue", ReplaceCatalogue},
    {"owned", ReplaceOwned},
    {"drain", Drain},
    {"journal", JournalCalls},
    {"state", State},
}};

} // namespace

std::span<const Sim::NamedControlOp> ControlOps() { return kOps; }

} // namespace Vyro::PlayGamesSim
