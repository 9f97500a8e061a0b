#include "channels/epic/EpicPayment.h"

#include <optional>

#include "VyroChannel.h"
#include "channels/epic/EosCompletionGuard.h"
#include "channels/epic/EosText.h"
#include "channels/epic/EpicCatalog.h"
#include "channels/epic/IEpicContext.h"
#include "core/PendingCalls.h"
#include "common/Logger.h"
#include "core/BaseChannelSDK.h"
#include "core/Envelope.h"

namespace Vyro {

namespace {

using nlohmann::json;
using Request = EpicPayment::PendingPurchaseRequest;
using Requests = PendingCalls<Request>;

constexpr char kAbandoned[] = "EOS platform released before the request completed";

void AnswerError(const Request& request, int code, const std::string& message, int eosResult = 0)
{
    BaseChannelSDK::Answer(request.cb, code, MakeErrorResponse(message, ChannelType::Epic, request.requestId, eosResult));
}

void AnswerSuccess(const Request& request, int code, const json& result)
{
    BaseChannelSDK::Answer(request.cb, code, MakeSuccessResponse(result, ChannelType::Epic, request.requestId));
}

void Refuse(ResultCallback cb, int code, const char* message, const std::string& requestId)
{
    BaseChannelSDK::Answer(cb, code, MakeErrorResponse(message, ChannelType::Epic, requestId));
}

// The offer to buy: "offerId" when the request has that member, else "productId"; a member that is
// not a string counts as no offer id.
std::string OfferIdOf(const json& request)
{
    if (!request.is_object()) {
        return {};
    }
    const auto offerId = request.find("offerId");
    const auto member = offerId != request.end() ? offerId : request.find("productId");
    return member != request.end() && member->is_string() ? member->get<std::string>() : std::string();
}

// Runs the completion of the request a callback names, if it is still pending.
template <typename Info>
void Dispatch(const char* callback, const Info* info, void (EpicPayment::*complete)(const Info&))
{
    if (info == nullptr) {
        return;
    }
    GuardEosCallback(callback, [&] {
        if (const Request* request = Requests::Find(info->clientData)) {
            (request->owner->*complete)(*info);
        }
    });
}

} // namespace

EpicPayment::~EpicPayment() { AbandonPendingRequests(false); }

std::optional<Request> EpicPayment::TakeCompleted(Eos::EResult result, void* clientData)
{
    // An incomplete result is delivered again later with the same client data.
    if (owner_->Api().resultIsOperationComplete(result) == Eos::kFalse) {
        return std::nullopt;
    }
    return Requests::Take(clientData);
}

void EpicPayment::FailQuery(const char* operation, const Request& request, Eos::EResult result)
{
    const std::string name = Eos::ResultName(owner_->Api(), result);
    Log(LogLevel::Error, "[EpicPayment] {} failed: {}", operation, name);
    AnswerError(request, VYROCHANNEL_FAILED, std::string(operation) + " failed: " + name, result);
}

bool EpicPayment::Ready(Eos::HEcom& ecom, Eos::EpicAccountId& account)
{
    const Eos::HPlatform platform = owner_->GetPlatform();
    account = owner_->GetAccountId();
    if (platform == nullptr || account == nullptr) {
        return false;
    }
    ecom = owner_->Api().platformGetEcomInterface(platform);
    return true;
}

void EpicPayment::QueryOffers(const char* params, ResultCallback cb)
{
    const std::string requestId = GetRequestId(ParseParameters(params));
    Eos::HEcom ecom = nullptr;
    Eos::EpicAccountId account = nullptr;
    if (!Ready(ecom, account)) {
        Refuse(cb, VYROCHANNEL_FAILED, "EOS not ready (platform or user not set)", requestId);
        return;
    }
    const Eos::QueryOffersOptions options{Eos::kQueryOffersApi, account, nullptr};
    owner_->Api().ecomQueryOffers(ecom, &options, Requests::Add({this, cb, requestId, ""}), &OnQueryOffers);
}

void EpicPayment::OnQueryOffers(const Eos::QueryOffersCallbackInfo* info)
{
    Dispatch("OnQueryOffers", info, &EpicPayment::CompleteQueryOffers);
}

void EpicPayment::CompleteQueryOffers(const Eos::QueryOffersCallbackInfo& info)
{
    const std::optional<Request> request = TakeCompleted(info.resultCode, info.clientData);
    if (!request) {
        return;
    }
    if (info.resultCode != Eos::kSuccess) {
        FailQuery("QueryOffers", *request, info.resultCode);
        return;
    }
    Eos::HEcom ecom = nullptr;
    Eos::EpicAccountId account = nullptr;
    const json products = Ready(ecom, account) ? CopyOffers(ecom, account) : json::array();
    AnswerSuccess(*request, VYROCHANNEL_OK, json{{"products", products}});
}

json EpicPayment::CopyOffers(Eos::HEcom ecom, Eos::EpicAccountId account)
{
    const Eos::EosApi& api = owner_->Api();
    const Eos::GetOfferCountOptions countOptions{Eos::kGetOfferCountApi, account};
    const std::uint32_t count = api.ecomGetOfferCount(ecom, &countOptions);
    json products = json::array();
    for (std::uint32_t index = 0; index < count; ++index) {
        const Eos::CopyOfferByIndexOptions options{Eos::kCopyOfferByIndexApi, account, index};
        Eos::CatalogOffer* offer = nullptr;
        const Eos::EResult result = api.ecomCopyOfferByIndex(ecom, &options, &offer);
        if (result != Eos::kSuccess || offer == nullptr) {
            Log(LogLevel::Warning, "[EpicPayment] CopyOfferByIndex({}) failed: {}", index, Eos::ResultName(api, result));
            if (offer != nullptr) {
                api.ecomCatalogOfferRelease(offer);
            }
            continue;
        }
        if (offer->priceResult != Eos::kSuccess) {
            Log(LogLevel::Warning, "[EpicPayment] Offer {} has invalid pricing (PriceResult={}), skipping",
                offer->id == nullptr ? "null" : offer->id, Eos::ResultName(api, offer->priceResult));
        } else {
            products.push_back(OfferItem(*offer));
        }
        api.ecomCatalogOfferRelease(offer);
    }
    return products;
}

void EpicPayment::Checkout(const char* params, ResultCallback cb)
{
    const json request = ParseParameters(params);
    const std::string requestId = GetRequestId(request);
    Eos::HEcom ecom = nullptr;
    Eos::EpicAccountId account = nullptr;
    if (!Ready(ecom, account)) {
        Refuse(cb, VYROCHANNEL_FAILED, "EOS not ready", requestId);
        return;
    }
    const Eos::EosApi& api = owner_->Api();
    if (api.authGetLoginStatus(api.platformGetAuthInterface(owner_->GetPlatform()), account) != Eos::kLoggedIn) {
        Refuse(cb, VYROCHANNEL_NO_USER, "User not logged in", requestId);
        return;
    }
    const std::string offerId = OfferIdOf(request);
    if (offerId.empty()) {
        Refuse(cb, VYROCHANNEL_FAILED, "Missing offerId parameter", requestId);
        return;
    }
    const Eos::CheckoutEntry entry{Eos::kCheckoutEntryApi, offerId.c_str()};
    const Eos::CheckoutOptions options{Eos::kCheckoutApi, account, nullptr, 1, &entry, 0};
    api.ecomCheckout(ecom, &options, Requests::Add({this, cb, requestId, offerId}), &OnCheckout);
}

void EpicPayment::OnCheckout(const Eos::CheckoutCallbackInfo* info)
{
    Dispatch("OnCheckout", info, &EpicPayment::CompleteCheckout);
}

json EpicPayment::PurchaseResult(const Request& request, const char* transactionId)
{
    std::string accountId;
    std::string accessToken;
    std::string refreshToken;
    owner_->CopyUserAuthToken(accountId, accessToken, refreshToken);
    return json{{"purchase",
                 {{"productIdentifier", request.offerId},
                  {"transactionId", Eos::TextOrEmpty(transactionId)},
                  {"epic", {{"accountId", accountId}, {"accessToken", accessToken}}}}},
                {"canceled", false}};
}

void EpicPayment::CompleteCheckout(const Eos::CheckoutCallbackInfo& info)
{
    const std::optional<Request> taken = TakeCompleted(info.resultCode, info.clientData);
    if (!taken) {
        return;
    }
    const Request& request = *taken;
    switch (info.resultCode) {
    case Eos::kSuccess:
        AnswerSuccess(request, VYROCHANNEL_OK, PurchaseResult(request, info.transactionId));
        return;
    case Eos::kEcomPurchaseProcessing:
        AnswerSuccess(request, Eos::kEcomPurchaseProcessing, json{{"canceled", false}});
        return;
    case Eos::kCanceled:
        AnswerSuccess(request, VYROCHANNEL_CANCELED, json{{"canceled", true}});
        return;
    default:
        const std::string result = Eos::ResultName(owner_->Api(), info.resultCode);
        Log(LogLevel::Error, "[EpicPayment] Checkout failed: {}", result);
        AnswerError(request, info.resultCode, "Checkout failed: " + result, info.resultCode);
    }
}

void EpicPayment::QueryEntitlements(const char* params, ResultCallback cb)
{
    const std::string requestId = GetRequestId(ParseParameters(params));
    Eos::HEcom ecom = nullptr;
    Eos::EpicAccountId account = nullptr;
    if (!Ready(ecom, account)) {
        Refuse(cb, VYROCHANNEL_FAILED, "EOS not ready", requestId);
        return;
    }
    const Eos::QueryEntitlementsOptions options{Eos::kQueryEntitlementsApi, account, nullptr, 0, Eos::kTrue, nullptr};
    owner_->Api().ecomQueryEntitlements(ecom, &options, Requests::Add({this, cb, requestId, ""}), &OnQueryEntitlements);
}

void EpicPayment::OnQueryEntitlements(const Eos::QueryEntitlementsCallbackInfo* info)
{
    Dispatch("OnQueryEntitlements", info, &EpicPayment::CompleteQueryEntitlements);
}

void EpicPayment::CompleteQueryEntitlements(const Eos::QueryEntitlementsCallbackInfo& info)
{
    const std::optional<Request> request = TakeCompleted(info.resultCode, info.clientData);
    if (!request) {
        return;
    }
    std::string accountId;
    std::string accessToken;
    std::string refreshToken;
    owner_->CopyUserAuthToken(accountId, accessToken, refreshToken);
    if (info.resultCode != Eos::kSuccess) {
        FailQuery("QueryEntitlements", *request, info.resultCode);
        return;
    }
    Eos::HEcom ecom = nullptr;
    Eos::EpicAccountId account = nullptr;
    const json entitlements = Ready(ecom, account) ? CopyEntitlements(ecom, account) : json::array();
    const json result{{"epic", {{"accountId", accountId}, {"accessToken", accessToken}, {"entitlements", entitlements}}}};
    AnswerSuccess(*request, VYROCHANNEL_OK, result);
}

json EpicPayment::CopyEntitlements(Eos::HEcom ecom, Eos::EpicAccountId account)
{
    const Eos::EosApi& api = owner_->Api();
    const Eos::GetEntitlementsCountOptions countOptions{Eos::kGetEntitlementsCountApi, account};
    const std::uint32_t count = api.ecomGetEntitlementsCount(ecom, &countOptions);
    json entitlements = json::array();
    for (std::uint32_t index = 0; index < count; ++index) {
        const Eos::CopyEntitlementByIndexOptions options{Eos::kCopyEntitlementByIndexApi, account, index};
        Eos::Entitlement* entitlement = nullptr;
        const Eos::EResult result = api.ecomCopyEntitlementByIndex(ecom, &options, &entitlement);
        if (result == Eos::kSuccess && entitlement != nullptr) {
            entitlements.push_back(EntitlementItem(*entitlement));
        }
        if (entitlement != nullptr) {
            api.ecomEntitlementRelease(entitlement);
        }
    }
    return entitlements;
}

void EpicPayment::AbandonPendingRequests(bool answer)
{
    for (const Request& request : Requests::TakeAllOf(this)) {
        if (answer) {
            AnswerError(request, VYROCHANNEL_FAILED, kAbandoned);
        }
    }
}

} // namespace Vyro
