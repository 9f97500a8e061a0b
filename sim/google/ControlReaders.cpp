#include "ControlReaders.h"

#include <limits>
#include <set>

namespace Vyro::PlayGamesSim {

namespace {

using Sim::Assign;
using Sim::ControlFields;

constexpr std::int64_t kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t kInt64Min = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t kInt64Max = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMaxDelayMs = 60000;
constexpr std::size_t kMaxMessageBytes = 4096;

// A message given as text, as null (no message at all), or as hex bytes for text that is not
// UTF-8. The outer nothing: not given.
std::optional<std::optional<std::string>> ReadMessage(ControlFields& fields, const char* textName, const char* hexName)
{
    fields.Exclusive(textName, hexName);
    if (fields.IsNull(textName)) {
        return std::optional<std::string>();
    }
    if (fields.Has(textName) && !fields.Member(textName).is_string()) {
        fields.Fail(textName, "a string or null");
        return std::nullopt;
    }
    if (auto text = fields.String(textName)) {
        return std::optional<std::string>(std::move(text));
    }
    if (auto bytes = fields.HexText(hexName, kMaxMessageBytes)) {
        return std::optional<std::string>(std::move(bytes));
    }
    return std::nullopt;
}

// {"code", "message" | "messageHex"}: a failure whose message defaults to the code's text.
std::optional<SimResult> ReadFailure(ControlFields& fields, std::int32_t defaultCode)
{
    const auto code = fields.Integer("code", kInt32Min, kInt32Max);
    if (code == Codes::kOk) {
        fields.Fail("code", "a failure code (not 0)");
    }
    const auto message = ReadMessage(fields, "message", "messageHex");
    if (fields.Failed()) {
        return std::nullopt;
    }
    const auto failureCode = static_cast<std::int32_t>(code.value_or(defaultCode));
    return SimResult{failureCode, message.value_or(DefaultBillingMessage(failureCode))};
}

void ReadInit(ControlFields& fields, SimResult& init)
{
    const auto code = fields.Integer("initCode", kInt32Min, kInt32Max);
    const auto message = ReadMessage(fields, "initMessage", "initMessageHex");
    Assign(code, init.code);
    if (message) {
        init.message = *message;
    } else if (code) {
        init.message = DefaultInitMessage(init.code);
    }
}

void ReadTiming(ControlFields& fields, Timing& timing)
{
    if (const auto mode = fields.OneOf("completionMode", {"sync", "thread"})) {
        timing.mode = *mode == "sync" ? CompletionMode::Sync : CompletionMode::Thread;
    }
    if (const auto delay = fields.Integer("delayMs", 0, kMaxDelayMs)) {
        timing.delay = std::chrono::milliseconds(*delay);
    }
}

FlowOutcome OutcomeNamed(const std::string& name)
{
    if (name == "cancel") {
        return FlowOutcome::Cancel;
    }
    if (name == "fail") {
        return FlowOutcome::Fail;
    }
    return name == "never" ? FlowOutcome::Never : FlowOutcome::Success;
}

void ReadPurchaseFlow(ControlFields& fields, PurchaseFlowSetting& flow)
{
    if (!fields.Has("purchaseFlow")) {
        return;
    }
    ControlFields member(fields, fields.Member("purchaseFlow"), "purchaseFlow", {"outcome", "code", "message", "messageHex"});
    member.Require("outcome");
    const auto outcome = member.OneOf("outcome", {"success", "cancel", "fail", "never"});
    if (!outcome) {
        return;
    }
    flow.outcome = OutcomeNamed(*outcome);
    if (flow.outcome != FlowOutcome::Fail && (member.Has("code") || member.Has("message") || member.Has("messageHex"))) {
        member.Refuse("\"code\" and \"message\" go only with the outcome \"fail\"");
    }
    if (flow.outcome == FlowOutcome::Cancel) {
        flow.result = BillingFailure(Codes::kUserCanceled);
    } else if (flow.outcome == FlowOutcome::Fail) {
        Assign(ReadFailure(member, Codes::kError), flow.result);
    }
}

// A failure object that every request of one kind answers, or null to answer normally again.
void ReadRequestFailure(ControlFields& fields, const char* name, std::optional<SimResult>& failure)
{
    if (!fields.Has(name)) {
        return;
    }
    if (fields.IsNull(name)) {
        failure.reset();
        return;
    }
    ControlFields member(fields, fields.Member(name), name, {"code", "message", "messageHex"});
    member.Require("code");
    failure = ReadFailure(member, Codes::kError);
}

SimOffer ReadOffer(ControlFields& offer)
{
    offer.Require("priceMicros");
    offer.Require("offerId");
    SimOffer read;
    Assign(offer.Integer("priceMicros", 0, kInt64Max), read.priceMicros);
    read.currencyCode = offer.String("currencyCode").value_or("USD");
    read.formattedPrice = offer.String("formattedPrice").value_or(FormatPrice(read.priceMicros, read.currencyCode));
    Assign(offer.String("offerId"), read.offerId);
    return read;
}

SimProduct ReadProduct(ControlFields& product)
{
    product.Require("id");
    SimProduct read;
    Assign(product.String("id"), read.id);
    product.Exclusive("title", "titleHex");
    read.title = read.id;
    Assign(product.String("title"), read.title);
    Assign(product.HexText("titleHex", kMaxMessageBytes), read.title);
    read.name = product.String("name").value_or(read.id);
    read.description = product.String("description").value_or("");
    const nlohmann::json* offers = product.Array("offers");
    for (std::size_t i = 0; offers != nullptr && i < offers->size(); ++i) {
        ControlFields offer(product, (*offers)[i], "offers[" + std::to_string(i) + "]",
                            {"priceMicros", "currencyCode", "formattedPrice", "offerId"});
        read.offers.push_back(ReadOffer(offer));
    }
    return read;
}

// Refuses an id that `seen` holds already.
void RequireUnique(ControlFields& fields, std::set<std::string>& seen, const char* kind, const std::string& id)
{
    if (!seen.insert(id).second) {
        fields.Refuse(std::string(kind) + " \"" + id + "\" is given twice");
    }
}

SimPurchase ReadPurchase(ControlFields& purchase, std::uint64_t number)
{
    purchase.Require("productId");
    SimPurchase read;
    Assign(purchase.String("productId"), read.productId);
    read.firstExtraText = purchase.String("firstExtraText").value_or("");
    read.secondExtraText = purchase.String("secondExtraText").value_or("");
    read.transactionId = purchase.String("transactionId").value_or(TransactionId(number));
    Assign(purchase.String("packageName"), read.packageName);
    Assign(purchase.Integer("purchaseState", kInt32Min, kInt32Max), read.purchaseState);
    read.purchaseTime = purchase.Integer("purchaseTime", kInt64Min, kInt64Max).value_or(kDefaultPurchaseTime);
    read.purchaseToken = purchase.String("purchaseToken").value_or(PurchaseToken(read.productId, number));
    Assign(purchase.Integer("quantity", kInt64Min, kInt64Max), read.quantity);
    Assign(purchase.Bool("acknowledged"), read.acknowledged);
    read.originalJson = purchase.String("originalJson").value_or(PurchaseJson(read));
    read.signature = purchase.String("signature").value_or(SignatureOf(read.originalJson));
    return read;
}

} // namespace

void ReadSettings(ControlFields& fields, Settings& settings)
{
    ReadInit(fields, settings.init);
    ReadTiming(fields, settings.timing);
    ReadPurchaseFlow(fields, settings.purchaseFlow);
    ReadRequestFailure(fields, "queryProductsFailure", settings.queryProductsFailure);
    ReadRequestFailure(fields, "queryPurchasesFailure", settings.queryPurchasesFailure);
    ReadRequestFailure(fields, "consumeFailure", settings.consumeFailure);
}

std::optional<Catalogue> ReadCatalogue(ControlFields& fields)
{
    fields.Require("products");
    const nlohmann::json* products = fields.Array("products");
    Catalogue catalogue;
    std::set<std::string> productIds;
    std::set<std::string> offerIds;
    for (std::size_t i = 0; products != nullptr && i < products->size(); ++i) {
        ControlFields product(fields, (*products)[i], "products[" + std::to_string(i) + "]",
                              {"id", "title", "titleHex", "name", "description", "offers"});
        SimProduct read = ReadProduct(product);
        RequireUnique(fields, productIds, "product id", read.id);
        for (const SimOffer& offer : read.offers) {
            RequireUnique(fields, offerIds, "offer id", offer.offerId);
        }
        catalogue.push_back(std::move(read));
    }
    return fields.Failed() ? std::nullopt : std::optional(std::move(catalogue));
}

std::optional<OwnedPurchases> ReadOwnedPurchases(ControlFields& fields)
{
    fields.Require("purchases");
    const nlohmann::json* purchases = fields.Array("purchases");
    OwnedPurchases owned;
    std::set<std::string> tokens;
    for (std::size_t i = 0; purchases != nullptr && i < purchases->size(); ++i) {
        ControlFields purchase(fields, (*purchases)[i], "purchases[" + std::to_string(i) + "]",
                               {"productId", "purchaseToken", "transactionId", "packageName", "purchaseState",
                                "purchaseTime", "quantity", "acknowledged", "signature", "originalJson",
                                "firstExtraText", "secondExtraText"});
        SimPurchase read = ReadPurchase(purchase, i + 1);
        RequireUnique(fields, tokens, "purchase token", read.purchaseToken);
        owned.push_back(std::move(read));
    }
    return fields.Failed() ? std::nullopt : std::optional(std::move(owned));
}

} // namespace Vyro::PlayGamesSim
