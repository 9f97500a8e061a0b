#include "channels/google/GoogleChannelSDK.h"

#include <future>
#include <string_view>

#include "VyroChannel.h"
#include "common/Logger.h"
#include "core/Envelope.h"
#include "core/RequestMembers.h"

namespace Vyro {

namespace {

using nlohmann::json;
using namespace PlayGames;
using BillingOperation = GoogleChannelSDK::BillingOperation;

constexpr char kNoBillingClient[] = "BillingClient not initialized";

constexpr BillingOperation kProducts{"Products", "QueryProductDetails", "Internal error querying products"};
constexpr BillingOperation kCheckout{"Checkout", "LaunchPurchaseFlow", "Internal error launching purchase flow"};
constexpr BillingOperation kEntitlements{"CheckEntitlements", "QueryPurchases", "Internal error querying purchases"};
constexpr BillingOperation kConsume{"Consume", "ConsumePurchase", "Internal error consuming purchase"};

// The SDK's completions. Each converts its record while the SDK still holds it.
void OnCompletedWithoutValue(void* context, const Result* result)
{
    CompleteRequest<NoValue>(context, result, [] { return NoValue{}; });
}

void OnProductDetails(void* context, const Result* result, const ProductDetailsList* details)
{
    CompleteRequest<std::vector<ProductInfo>>(context, result, [details] { return CopyProducts(details); });
}

void OnPurchaseFlow(void* context, const Result* result, const Purchase* purchase)
{
    CompleteRequest<std::optional<PurchaseInfo>>(context, result, [purchase] { return CopyPurchase(purchase); });
}

void OnPurchases(void* context, const Result* result, const PurchaseList* purchases)
{
    CompleteRequest<std::vector<PurchaseInfo>>(context, result, [purchases] { return CopyPurchases(purchases); });
}

// Answers one billing request at most once.
class BillingAnswer {
public:
    BillingAnswer(const BillingOperation& operation, ResultCallback cb, std::string requestId)
        : operation_(operation), cb_(cb), requestId_(std::move(requestId))
    {
    }

    void Success(const json& result)
    {
        Send(VYROCHANNEL_OK, MakeSuccessResponse(result, ChannelType::Google, requestId_));
    }

    // The error reply is built, logged and sent only when someone listens.
    void Error(const std::string& message)
    {
        if (cb_ == nullptr) {
            return;
        }
        const std::string reply = MakeErrorResponse(message, ChannelType::Google, requestId_);
        Log(LogLevel::Error, "{} error response: {}", operation_.request, reply);
        Send(VYROCHANNEL_FAILED, reply);
    }

    // After an exception: the last-resort error, unless the caller has already been answered.
    void InternalError()
    {
        if (!sent_) {
            Error(operation_.internalError);
        }
    }

private:
    void Send(int code, const std::string& reply)
    {
        sent_ = true;
        BaseChannelSDK::Answer(cb_, code, reply);
    }

    const BillingOperation& operation_;
    ResultCallback cb_;
    std::string requestId_;
    bool sent_ = false;
};

void Refuse(const BillingOperation& operation, ResultCallback cb, const char* message, std::string requestId)
{
    Log(LogLevel::Error, std::string_view(message));
    BillingAnswer(operation, cb, std::move(requestId)).Error(message);
}

// The callable that answers a billing request from its completion. `successResult` gives the
// result object for an outcome that counts as success, or nothing for a failure.
template <typename Value, typename SuccessResult>
PlayCallable<Value> Answering(const BillingOperation& operation, ResultCallback cb, std::string requestId,
                              SuccessResult successResult)
{
    return [&operation, cb, requestId = std::move(requestId), successResult](PlayResult<Value> result) {
        BillingAnswer answer(operation, cb, requestId);
        try {
            const std::optional<json> success = successResult(result);
            if (success) {
                answer.Success(*success);
                return;
            }
            Log(LogLevel::Error, "{} failed: code={}, message={}", operation.sdkCall, result.code, result.message);
            answer.Error(result.message);
        } catch (const std::exception& error) {
            Log(LogLevel::Error, "Exception in {} callback: {}", operation.sdkCall, error.what());
            answer.InternalError();
        } catch (...) {
            Log(LogLevel::Error, "Unknown exception in {} callback", operation.sdkCall);
            answer.InternalError();
        }
    };
}

// An obfuscated id for the purchase flow: null unless a non-empty string.
const char* OptionalText(const std::optional<std::string>& text)
{
    return text && !text->empty() ? text->c_str() : nullptr;
}

json ProductsResult(const std::vector<ProductInfo>& products)
{
    json list = json::array();
    for (const ProductInfo& product : products) {
        list.push_back(ProductJson(product));
    }
    return json{{"products", std::move(list)}};
}

json PurchasesResult(const std::vector<PurchaseInfo>& purchases)
{
    json list = json::array();
    for (const PurchaseInfo& purchase : purchases) {
        list.push_back(PurchaseJson(purchase));
    }
    return json{{"google", {{"purchases", std::move(list)}}}};
}

std::optional<json> CheckoutResult(PlayResult<std::optional<PurchaseInfo>>& result)
{
    if (result.code == kPurchaseFlowCanceled) {
        return json{{"canceled", true}};
    }
    if (result.code == 0 && !result.value) {
        // Never report a purchase that the SDK did not give.
        result.code = VYROCHANNEL_FAILED;
        result.message = "Purchase flow completed without a purchase";
    }
    if (result.code != 0) {
        return std::nullopt;
    }
    return json{{"purchase", PurchaseJson(*result.value)}, {"canceled", false}};
}

} // namespace

GoogleChannelSDK::GoogleChannelSDK()
    : GoogleChannelSDK(LazyStoreApi<PlayGamesApi>(kRuntimeFileName, BindPlayGamesApi,
                                                  LazyStoreApi<PlayGamesApi>::Lifetime::Process))
{
}

GoogleChannelSDK::GoogleChannelSDK(LazyStoreApi<PlayGamesApi> api) : api_(std::move(api)) {}

GoogleChannelSDK::~GoogleChannelSDK()
{
    initialised_ = false;
    billingClient_.reset();
}

int GoogleChannelSDK::GetChannelType() { return ChannelType::Google; }

void GoogleChannelSDK::Load(const char* /*params*/, ResultCallback cb)
{
    Answer(cb, VYROCHANNEL_OK, MakeSuccessResponse(json::object(), ChannelType::Google, {}));
}

void GoogleChannelSDK::Init(const char* /*params*/, ResultCallback cb)
{
    if (initialised_) {
        Answer(cb, VYROCHANNEL_OK, MakeSuccessResponse(json::object(), ChannelType::Google, {}));
        return;
    }
    const PlayGamesApi* api = api_.Get();
    if (api == nullptr) {
        Answer(cb, VYROCHANNEL_FAILED, MakeErrorResponse("Failed to load play_pc_sdk.dll", ChannelType::Google));
        return;
    }
    const PlayResult<NoValue> result = InitializeSdk(*api);
    if (result.code == 0) {
        initialised_ = true;
        // The new client is made before an earlier one is destroyed.
        billingClient_ = std::make_unique<BillingClient>(*api);
        Answer(cb, VYROCHANNEL_OK, MakeSuccessResponse(json::object(), ChannelType::Google, {}));
        return;
    }
    Log(LogLevel::Error, "Google Play SDK initialization failed: code={}, message={}", result.code, result.message);
    const int code = result.code == 2   ? VYROCHANNEL_GOOGLE_INIT_FAILED
                     : result.code == 3 ? VYROCHANNEL_GOOGLE_INIT_UNAVAILABLE
                                        : VYROCHANNEL_FAILED;
    const std::string reply = MakeErrorResponse(result.message, ChannelType::Google);
    Log(LogLevel::Error, "Init error response: {}", reply);
    Answer(cb, code, reply);
}

PlayResult<NoValue> GoogleChannelSDK::InitializeSdk(const PlayGamesApi& api)
{
    // Shared with the callable: the SDK may complete on its own thread, even after this returns
    // from the wait.
    auto promise = std::make_shared<std::promise<PlayResult<NoValue>>>();
    std::future<PlayResult<NoValue>> completed = promise->get_future();
    api.initialize(NewRequestContext<NoValue>([promise](PlayResult<NoValue> result) { promise->set_value(std::move(result)); }),
                   &OnCompletedWithoutValue);
    return completed.get();
}

// The SDK needs no pumping.
void GoogleChannelSDK::Tick() { DispatchEvents(); }

void GoogleChannelSDK::Login(const char* params, ResultCallback cb)
{
    const json result{{"authenticated", true}, {"message", "User authenticated via Google Play"}};
    Answer(cb, VYROCHANNEL_OK, MakeSuccessResponse(result, ChannelType::Google, GetRequestId(ParseParameters(params))));
}

bool GoogleChannelSDK::RefuseWithoutClient(const BillingOperation& operation, ResultCallback cb)
{
    if (billingClient_) {
        return false;
    }
    Refuse(operation, cb, kNoBillingClient, {});
    return true;
}

void GoogleChannelSDK::Products(const char* params, ResultCallback cb)
{
    if (RefuseWithoutClient(kProducts, cb)) {
        return;
    }
    const json request = ParseParameters(params);
    std::string requestId = GetRequestId(request);
    const auto productIds = request.is_object() ? request.find("productIds") : request.end();
    if (productIds == request.end() || !productIds->is_array()) {
        Refuse(kProducts, cb, "Missing or invalid product_ids parameter", std::move(requestId));
        return;
    }
    std::vector<ProductQueryItem> items;
    for (const json& id : *productIds) {
        if (id.is_string()) {
            items.push_back({id.get_ref<const std::string&>().c_str(), kProductTypeInApp});
        }
    }
    const ProductQuery query{items.size(), items.data()};
    void* context = NewRequestContext(Answering<std::vector<ProductInfo>>(
        kProducts, cb, std::move(requestId), [](const PlayResult<std::vector<ProductInfo>>& result) -> std::optional<json> {
            return result.code == 0 ? std::optional(ProductsResult(result.value)) : std::nullopt;
        }));
    api_.Bound()->queryProductDetails(billingClient_->Handle(), &query, context, &OnProductDetails);
}

void GoogleChannelSDK::Checkout(const char* params, ResultCallback cb)
{
    if (RefuseWithoutClient(kCheckout, cb)) {
        return;
    }
    const json request = ParseParameters(params);
    std::string requestId = GetRequestId(request);
    const std::optional<std::string> offerId = StringMember(request, "offerId");
    if (!offerId) {
        Refuse(kCheckout, cb, "Missing or invalid offer_id parameter", std::move(requestId));
        return;
    }
    const json google = ObjectMember(request, "google");
    const std::optional<std::string> accountId = StringMember(google, "obfuscatedAccountId");
    const std::optional<std::string> profileId = StringMember(google, "obfuscatedProfileId");
    const PurchaseFlowRequest flow{offerId->c_str(), OptionalText(accountId), OptionalText(profileId), 0, 1};
    void* context = NewRequestContext(
        Answering<std::optional<PurchaseInfo>>(kCheckout, cb, std::move(requestId), &CheckoutResult));
    api_.Bound()->launchPurchaseFlow(billingClient_->Handle(), &flow, context, &OnPurchaseFlow);
}

void GoogleChannelSDK::CheckEntitlements(const char* params, ResultCallback cb)
{
    if (RefuseWithoutClient(kEntitlements, cb)) {
        return;
    }
    void* context = NewRequestContext(Answering<std::vector<PurchaseInfo>>(
        kEntitlements, cb, GetRequestId(ParseParameters(params)),
        [](const PlayResult<std::vector<PurchaseInfo>>& result) -> std::optional<json> {
            return result.code == 0 ? std::optional(PurchasesResult(result.value)) : std::nullopt;
        }));
    api_.Bound()->queryPurchases(billingClient_->Handle(), context, &OnPurchases);
}

void GoogleChannelSDK::Consume(const char* params, ResultCallback cb)
{
    if (RefuseWithoutClient(kConsume, cb)) {
        return;
    }
    const json request = ParseParameters(params);
    std::string requestId = GetRequestId(request);
    const std::optional<std::string> token = StringMember(request, "purchaseToken");
    if (!token) {
        Refuse(kConsume, cb, "Missing or invalid purchaseToken parameter", std::move(requestId));
        return;
    }
    const ConsumeRequest consume{token->c_str()};
    void* context = NewRequestContext(Answering<NoValue>(
        kConsume, cb, std::move(requestId), [](const PlayResult<NoValue>& result) -> std::optional<json> {
            return result.code == 0 ? std::optional(json::object()) : std::nullopt;
        }));
    api_.Bound()->consumePurchase(billingClient_->Handle(), &consume, context, &OnCompletedWithoutValue);
}

} // namespace Vyro
