// The billing client: creating and destroying it, and its four requests, each answered through the
// game's completion with records built from owned copies.
#include <algorithm>

#include "Answers.h"
#include "GoogleSim.h"

using namespace Vyro::PlayGamesSim;
namespace PlayGames = Vyro::PlayGames;
using Vyro::Sim::JournalText;

namespace {

// Decides a request on a billing client: `decide` for a live client, a failure for any other
// handle. The journal entry names the client by number (null when not live) and holds the
// request's `arguments` either way.
template <typename Completion, typename Decide>
Answer DecideBillingCall(const char* function, void* client, void* context, Completion* completion,
                         const nlohmann::json& arguments, Decide decide)
{
    return DecideCall(function, context, completion, [&](Runtime& runtime, nlohmann::json& entry) -> std::optional<SimResult> {
        entry.update(arguments);
        const auto number = runtime.clients.Find(client);
        entry["client"] = number ? nlohmann::json(*number) : nlohmann::json();
        if (!number) {
            return SimResult{Codes::kError, kInvalidClientMessage};
        }
        return decide(runtime, entry);
    });
}

// A request answered with records of a value: `decide(runtime, value, entry)` decides it and, on
// success, fills the value the records are built from.
template <typename Records, typename Value, typename Completion, typename Decide>
void AnswerWithRecords(const char* function, void* client, void* context, Completion* completion,
                       const nlohmann::json& arguments, Decide decide)
{
    std::optional<Value> value;
    Answer answer = DecideBillingCall(function, client, context, completion, arguments,
                                      [&](Runtime& runtime, nlohmann::json& entry) { return decide(runtime, value, entry); });
    SendWithRecords<Records>(std::move(answer), completion, context, std::move(value));
}

nlohmann::json DescribeQuery(const PlayGames::ProductQuery* query)
{
    if (query == nullptr) {
        return nullptr;
    }
    nlohmann::json items = nlohmann::json::array();
    for (std::uint64_t i = 0; query->items != nullptr && i < query->count; ++i) {
        items.push_back({{"productId", JournalText(query->items[i].productId)}, {"productType", query->items[i].productType}});
    }
    return {{"count", query->count}, {"items", std::move(items)}};
}

bool IsValidQuery(const PlayGames::ProductQuery* query)
{
    return query != nullptr && (query->count == 0 || query->items != nullptr);
}

// The catalogue's products for the query's in-app items, in query order; other ids find nothing.
Catalogue MatchingProducts(const Catalogue& catalogue, const PlayGames::ProductQuery& query)
{
    Catalogue found;
    for (std::uint64_t i = 0; i < query.count; ++i) {
        const PlayGames::ProductQueryItem& item = query.items[i];
        const SimProduct* product = item.productId == nullptr || item.productType != PlayGames::kProductTypeInApp
                                        ? nullptr
                                        : FindProduct(catalogue, item.productId);
        if (product != nullptr) {
            found.push_back(*product);
        }
    }
    return found;
}

std::optional<SimResult> QueryCatalogue(Runtime& runtime, const PlayGames::ProductQuery* query,
                                        std::optional<Catalogue>& found)
{
    if (!IsValidQuery(query)) {
        return BillingFailure(Codes::kDeveloperError);
    }
    if (runtime.settings.queryProductsFailure) {
        return runtime.settings.queryProductsFailure;
    }
    found = MatchingProducts(runtime.catalogue, *query);
    return SimResult{};
}

nlohmann::json DescribeFlowRequest(const PlayGames::PurchaseFlowRequest* request)
{
    if (request == nullptr) {
        return nullptr;
    }
    return {{"offerId", JournalText(request->offerId)},
            {"obfuscatedAccountId", JournalText(request->obfuscatedAccountId)},
            {"obfuscatedProfileId", JournalText(request->obfuscatedProfileId)},
            {"flag", request->flag},
            {"trailingValue", request->trailingValue}};
}

bool Owns(const OwnedPurchases& owned, const std::string& productId)
{
    return std::any_of(owned.begin(), owned.end(), [&](const SimPurchase& purchase) { return purchase.productId == productId; });
}

// A new purchase of `product`; it carries the request's obfuscated account and profile ids as its
// two extra texts (empty when not given).
SimPurchase MakeFlowPurchase(Runtime& runtime, const SimProduct& product, const PlayGames::PurchaseFlowRequest& request)
{
    SimPurchase purchase = NewPurchase(product.id, ++runtime.purchasesMade, NowMs());
    purchase.firstExtraText = request.obfuscatedAccountId != nullptr ? request.obfuscatedAccountId : "";
    purchase.secondExtraText = request.obfuscatedProfileId != nullptr ? request.obfuscatedProfileId : "";
    return purchase;
}

// The purchase flow as the store runs it: the offer must exist; then the programmed outcome, and
// a purchase only when the product is not owned already.
std::optional<SimResult> RunPurchaseFlow(Runtime& runtime, const PlayGames::PurchaseFlowRequest* request,
                                         std::optional<SimPurchase>& purchase, nlohmann::json& entry)
{
    if (request == nullptr || request->offerId == nullptr) {
        return BillingFailure(Codes::kDeveloperError);
    }
    const SimProduct* product = FindProductWithOffer(runtime.catalogue, request->offerId);
    if (product == nullptr) {
        return BillingFailure(Codes::kItemUnavailable);
    }
    entry["productId"] = product->id;
    const PurchaseFlowSetting& flow = runtime.settings.purchaseFlow;
    switch (flow.outcome) {
    case FlowOutcome::Never:
        return std::nullopt;
    case FlowOutcome::Cancel:
    case FlowOutcome::Fail:
        return flow.result;
    case FlowOutcome::Success:
        break;
    }
    if (Owns(runtime.owned, product->id)) {
        return BillingFailure(Codes::kItemAlreadyOwned);
    }
    purchase = MakeFlowPurchase(runtime, *product, *request);
    runtime.owned.push_back(*purchase);
    entry["purchaseToken"] = purchase->purchaseToken;
    return SimResult{};
}

std::optional<SimResult> ListOwned(Runtime& runtime, std::optional<OwnedPurchases>& owned, nlohmann::json& entry)
{
    if (runtime.settings.queryPurchasesFailure) {
        return runtime.settings.queryPurchasesFailure;
    }
    owned = runtime.owned;
    entry["count"] = owned->size();
    return SimResult{};
}

std::optional<SimResult> ConsumeOwned(Runtime& runtime, const PlayGames::ConsumeRequest* request)
{
    if (request == nullptr || request->purchaseToken == nullptr) {
        return BillingFailure(Codes::kDeveloperError);
    }
    if (runtime.settings.consumeFailure) {
        return runtime.settings.consumeFailure;
    }
    const std::string token = request->purchaseToken;
    const auto owned = std::find_if(runtime.owned.begin(), runtime.owned.end(),
                                    [&](const SimPurchase& purchase) { return purchase.purchaseToken == token; });
    if (owned == runtime.owned.end()) {
        return BillingFailure(Codes::kItemNotOwned);
    }
    runtime.owned.erase(owned);
    return SimResult{};
}

} // namespace

extern "C" {

void* _BillingClient_Create()
{
    return WithState([](SimState& state) {
        const std::uint64_t number = ++state.lastClientNumber;
        state.runtime.journal.Add(
            {{"fn", "_BillingClient_Create"}, {"client", number}, {"initialised", state.runtime.initialised}});
        return state.runtime.clients.Add(number);
    });
}

void _BillingClient_Destroy(void* client)
{
    WithState([&](SimState& state) {
        const auto number = state.runtime.clients.Remove(client);
        nlohmann::json entry{{"fn", "_BillingClient_Destroy"}, {"client", number ? nlohmann::json(*number) : nlohmann::json()}};
        if (!number) {
            entry["error"] = kInvalidClientMessage;
        }
        state.runtime.journal.Add(std::move(entry));
    });
}

void _BillingClient_QueryProductDetails(void* client, const PlayGames::ProductQuery* query, void* context,
                                        PlayGames::ProductDetailsCompletion* completion)
{
    AnswerWithRecords<ProductDetailsRecords, Catalogue>(
        "_BillingClient_QueryProductDetails", client, context, completion, {{"query", DescribeQuery(query)}},
        [&](Runtime& runtime, std::optional<Catalogue>& found, nlohmann::json&) { return QueryCatalogue(runtime, query, found); });
}

void _BillingClient_LaunchPurchaseFlow(void* client, const PlayGames::PurchaseFlowRequest* request, void* context,
                                       PlayGames::PurchaseFlowCompletion* completion)
{
    AnswerWithRecords<PurchaseRecord, SimPurchase>(
        "_BillingClient_LaunchPurchaseFlow", client, context, completion, {{"request", DescribeFlowRequest(request)}},
        [&](Runtime& runtime, std::optional<SimPurchase>& purchase, nlohmann::json& entry) {
            return RunPurchaseFlow(runtime, request, purchase, entry);
        });
}

void _BillingClient_QueryPurchases(void* client, void* context, PlayGames::PurchasesCompletion* completion)
{
    AnswerWithRecords<PurchaseListRecords, OwnedPurchases>("_BillingClient_QueryPurchases", client, context, completion,
                                                           nlohmann::json::object(), ListOwned);
}

void _BillingClient_ConsumePurchase(void* client, const PlayGames::ConsumeRequest* request, void* context,
                                    PlayGames::ConsumeCompletion* completion)
{
    const nlohmann::json arguments{
        {"purchaseToken", request != nullptr ? JournalText(request->purchaseToken) : nlohmann::json()}};
    Answer answer = DecideBillingCall("_BillingClient_ConsumePurchase", client, context, completion, arguments,
                                      [&](Runtime& runtime, nlohmann::json&) { return ConsumeOwned(runtime, request); });
    Send(std::move(answer), [=](const PlayGames::Result& result) { completion(context, &result); });
}

} // extern "C"
