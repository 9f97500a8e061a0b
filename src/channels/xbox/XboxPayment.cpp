#include "channels/xbox/XboxPayment.h"

#include <algorithm>
#include <memory>
#include <vector>

#include <nlohmann/json.hpp>

#include "channels/xbox/AsyncCall.h"
#include "channels/xbox/HResultText.h"
#include "channels/xbox/IXboxContext.h"
#include "channels/xbox/ProductQuery.h"
#include "channels/xbox/XboxServiceAnswers.h"
#include "common/Logger.h"
#include "core/Envelope.h"
#include "core/RequestMembers.h"

namespace Vyro {

namespace {

using nlohmann::json;
using Gdk::HResult;

// The store does not recognise the user (ERROR_NO_SUCH_USER): the user's sign-in has gone stale.
constexpr HResult kStoreUserUnknown = static_cast<HResult>(0x80070525);

// A request refused before any store call: logged at ERROR, and answered with the same text unless
// the answer says otherwise.
void Refuse(ResultCallback cb, const std::string& requestId, const char* logText, const char* answer)
{
    Log(LogLevel::Error, "{}", logText);
    AnswerFailure(cb, requestId, answer);
}

// The strings of a top-level array member, in order; other elements are skipped.
std::vector<std::string> StringElements(const json& request, const char* name)
{
    std::vector<std::string> strings;
    if (!request.is_object()) {
        return strings;
    }
    const auto member = request.find(name);
    if (member == request.end() || !member->is_array()) {
        return strings;
    }
    for (const json& element : *member) {
        if (element.is_string()) {
            strings.push_back(element.get<std::string>());
        }
    }
    return strings;
}

// An "offerId" that is a string wins, even an empty one; else a string "storeId".
std::string StoreIdToBuy(const json& request)
{
    if (auto offerId = StringMember(request, "offerId")) {
        return *offerId;
    }
    return StringMember(request, "storeId").value_or("");
}

} // namespace

XboxPayment::XboxPayment(IXboxContext* context) : context_(context) {}

Gdk::XStoreContextHandle XboxPayment::StoreContext(const std::string& requestId, ResultCallback cb)
{
    const Gdk::XStoreContextHandle store = context_->GetStoreContext();
    if (store == nullptr) {
        Refuse(cb, requestId, "Store context not initialized", "Store context not initialized. Call Login() first.");
    }
    return store;
}

void XboxPayment::Products(const char* params, ResultCallback cb)
{
    const json request = ParseParameters(params);
    std::string requestId = GetRequestId(request);
    const Gdk::XStoreContextHandle store = StoreContext(requestId, cb);
    if (store == nullptr) {
        return;
    }
    const std::vector<std::string> storeIds = StringElements(request, "productIds");
    if (storeIds.empty()) {
        Refuse(cb, requestId, "productIds is required and cannot be empty", "productIds is required and cannot be empty");
        return;
    }
    auto query = std::make_shared<ProductQueryContext>();
    query->callback = cb;
    query->requestId = std::move(requestId);
    query->queue = context_->GetTaskQueue();
    ProductQuery::Start(*context_, store, storeIds, std::move(query));
}

void XboxPayment::Checkout(const char* params, ResultCallback cb)
{
    const json request = ParseParameters(params);
    const std::string requestId = GetRequestId(request);
    const Gdk::XStoreContextHandle store = StoreContext(requestId, cb);
    if (store == nullptr) {
        return;
    }
    const std::string storeId = StoreIdToBuy(request);
    if (storeId.empty()) {
        Refuse(cb, requestId, "No storeId/offerId provided", "storeId or offerId is required");
        return;
    }
    const Gdk::GameRuntimeApi& runtime = context_->Runtime();
    const HResult result = AsyncCall::Start(
        context_->GetTaskQueue(),
        [this, storeId, requestId, cb](Gdk::XAsyncBlock* block) { CompletePurchase(block, storeId, requestId, cb); },
        [&](Gdk::XAsyncBlock* block) {
            return runtime.XStoreShowPurchaseUIAsync(store, storeId.c_str(), nullptr, nullptr, block);
        });
    if (!Gdk::Succeeded(result)) {
        AnswerFailedResult(cb, requestId, "XStoreShowPurchaseUIAsync", "Failed to show purchase UI: " + HResultText(result), result);
    }
}

// A dialog the player closed is a cancelled purchase, not a failure.
void XboxPayment::CompletePurchase(Gdk::XAsyncBlock* block, const std::string& storeId, const std::string& requestId,
                                   ResultCallback cb)
{
    const HResult result = context_->Runtime().XStoreShowPurchaseUIResult(block);
    if (result == Gdk::kAbort) {
        AnswerSuccess(cb, requestId, json{{"canceled", true}});
        return;
    }
    if (!Gdk::Succeeded(result)) {
        AnswerFailedResult(cb, requestId, "XStoreShowPurchaseUIResult", "Purchase failed: " + HResultText(result), result);
        return;
    }
    const json purchase{{"productIdentifier", storeId}, {"transactionId", ""}, {"xbox", {{"storeId", storeId}}}};
    AnswerSuccess(cb, requestId, json{{"purchase", purchase}, {"canceled", false}});
}

void XboxPayment::CheckEntitlements(const char* params, ResultCallback cb)
{
    const json request = ParseParameters(params);
    const std::string requestId = GetRequestId(request);
    if (StoreContext(requestId, cb) == nullptr) {
        return;
    }
    const json xbox = ObjectMember(request, "xbox");
    const std::string serviceTicket = StringMember(xbox, "serviceTicket").value_or("");
    if (serviceTicket.empty()) {
        Refuse(cb, requestId, "xbox.serviceTicket is required", "xbox.serviceTicket is required");
        return;
    }
    RequestCollectionsId(serviceTicket, StringMember(xbox, "publisherUserId").value_or(""), requestId, cb, 0);
}

// The retry runs after a new sign-in, so the store context is read again: a player who signed out
// meanwhile is answered as having none. The store takes the publisher user id as a text it requires,
// so none is passed as an empty text rather than a null pointer.
void XboxPayment::RequestCollectionsId(const std::string& serviceTicket, const std::string& publisherUserId,
                                       const std::string& requestId, ResultCallback cb, int retry)
{
    const Gdk::XStoreContextHandle store = StoreContext(requestId, cb);
    if (store == nullptr) {
        return;
    }
    const Gdk::GameRuntimeApi& runtime = context_->Runtime();
    const HResult result = AsyncCall::Start(
        context_->GetTaskQueue(),
        [this, serviceTicket, publisherUserId, requestId, cb, retry](Gdk::XAsyncBlock* block) {
            CompleteCollectionsId(block, serviceTicket, publisherUserId, requestId, cb, retry);
        },
        [&](Gdk::XAsyncBlock* block) {
            return runtime.XStoreGetUserCollectionsIdAsync(store, serviceTicket.c_str(), publisherUserId.c_str(), block);
        });
    if (!Gdk::Succeeded(result)) {
        AnswerFailedResult(cb, requestId, "XStoreGetUserCollectionsIdAsync", "Failed to start collections ID query: " + HResultText(result), result);
    }
}

void XboxPayment::CompleteCollectionsId(Gdk::XAsyncBlock* block, const std::string& serviceTicket,
                                        const std::string& publisherUserId, const std::string& requestId,
                                        ResultCallback cb, int retry)
{
    const Gdk::GameRuntimeApi& runtime = context_->Runtime();
    std::size_t size = 0;
    HResult result = runtime.XStoreGetUserCollectionsIdResultSize(block, &size);
    if (result == kStoreUserUnknown && retry == 0) {
        context_->RefreshUser([this, serviceTicket, publisherUserId, requestId, cb](bool ok) {
            if (!ok) {
                AnswerFailure(cb, requestId, "Failed to refresh user session");
                return;
            }
            RequestCollectionsId(serviceTicket, publisherUserId, requestId, cb, 1);
        });
        return;
    }
    if (!Gdk::Succeeded(result)) {
        AnswerFailedResult(cb, requestId, "XStoreGetUserCollectionsIdResultSize", "Failed to get collections ID size: " + HResultText(result), result);
        return;
    }
    std::vector<char> buffer(size);
    result = runtime.XStoreGetUserCollectionsIdResult(block, size, buffer.data());
    if (!Gdk::Succeeded(result)) {
        AnswerFailedResult(cb, requestId, "XStoreGetUserCollectionsIdResult", "Failed to get collections ID: " + HResultText(result), result);
        return;
    }
    // The size counts the terminator; the id is the text before it.
    const std::string collectionsId(buffer.begin(), std::find(buffer.begin(), buffer.end(), '\0'));
    AnswerSuccess(cb, requestId, json{{"xbox", {{"collectionsId", collectionsId}}}});
}

} // namespace Vyro
