#pragma once

// The part of the Play Games PC SDK the Google channel uses, declared as play_pc_sdk.dll exports it:
// C functions taking every record by pointer, with completions called back with a context pointer.
// Records have the 64-bit Windows layout (natural alignment); text is UTF-8, NUL-terminated, and
// records handed to a completion are valid only during that call.
#include <cstddef>
#include <cstdint>

namespace Vyro {
class StoreLibrary;
}

namespace Vyro::PlayGames {

inline constexpr wchar_t kRuntimeFileName[] = L"play_pc_sdk.dll";

// The product type of every queried product.
inline constexpr std::int32_t kProductTypeInApp = 1;
// Result code of a purchase flow the user left.
inline constexpr std::int32_t kPurchaseFlowCanceled = 1;

struct Result {
    std::int32_t code;   // 0 success
    const char* message; // may be null on success
};

struct ProductQueryItem {
    const char* productId;
    std::int32_t productType;
};

struct ProductQuery {
    std::uint64_t count;
    const ProductQueryItem* items;
};

struct Offer {
    std::int64_t priceMicros;
    const char* currencyCode;
    const char* formattedPrice;
    const char* offerId;
};

struct ProductDetails {
    const char* productId;
    const char* title;
    const char* name;
    const char* description;
    const Offer* offers;
    std::uint64_t offerCount;
};

struct ProductDetailsList {
    std::uint64_t count;
    const ProductDetails* products;
};

struct PurchaseFlowRequest {
    const char* offerId;
    const char* obfuscatedAccountId; // null when not given
    const char* obfuscatedProfileId; // null when not given
    std::uint8_t flag;               // always 0; its meaning is the SDK's
    std::int64_t trailingValue;      // always 1; its meaning is the SDK's
};

struct Purchase {
    const char* firstExtraText;  // not reported
    const char* secondExtraText; // not reported
    const char* transactionId;
    const char* packageName;
    const char* productId;
    std::int32_t purchaseState;
    std::int64_t purchaseTime;
    const char* purchaseToken;
    std::int64_t quantity;
    bool acknowledged;
    const char* signature;
    const char* originalJson;
};

struct PurchaseList {
    std::uint64_t count;
    const Purchase* purchases;
};

struct ConsumeRequest {
    const char* purchaseToken;
};

static_assert(sizeof(Result) == 16 && sizeof(ProductQueryItem) == 16 && sizeof(ProductQuery) == 16);
static_assert(sizeof(Offer) == 32 && sizeof(ProductDetails) == 48 && sizeof(ProductDetailsList) == 16);
static_assert(sizeof(PurchaseFlowRequest) == 40 && offsetof(PurchaseFlowRequest, trailingValue) == 32);
static_assert(sizeof(Purchase) == 96 && offsetof(Purchase, purchaseState) == 40 && offsetof(Purchase, purchaseTime) == 48 &&
              offsetof(Purchase, purchaseToken) == 56 && offsetof(Purchase, quantity) == 64 &&
              offsetof(Purchase, acknowledged) == 72 && offsetof(Purchase, signature) == 80 &&
              offsetof(Purchase, originalJson) == 88);
static_assert(sizeof(PurchaseList) == 16 && sizeof(ConsumeRequest) == 8);

using InitializeCompletion = void(void* context, const Result* result);
using ProductDetailsCompletion = void(void* context, const Result* result, const ProductDetailsList* details);
using PurchaseFlowCompletion = void(void* context, const Result* result, const Purchase* purchase);
using PurchasesCompletion = void(void* context, const Result* result, const PurchaseList* purchases);
using ConsumeCompletion = void(void* context, const Result* result);

// The exports of play_pc_sdk.dll that the channel calls.
using GooglePlayInitializeFunction = void(void* context, InitializeCompletion* completion);
using BillingClientCreateFunction = void*();
using BillingClientDestroyFunction = void(void* client);
using QueryProductDetailsFunction = void(void* client, const ProductQuery* query, void* context,
                                         ProductDetailsCompletion* completion);
using LaunchPurchaseFlowFunction = void(void* client, const PurchaseFlowRequest* request, void* context,
                                        PurchaseFlowCompletion* completion);
using QueryPurchasesFunction = void(void* client, void* context, PurchasesCompletion* completion);
using ConsumePurchaseFunction = void(void* client, const ConsumeRequest* request, void* context,
                                     ConsumeCompletion* completion);

// One pointer per export, bound by name.
struct PlayGamesApi {
    GooglePlayInitializeFunction* initialize = nullptr;                // _GooglePlayInitialize
    BillingClientCreateFunction* createBillingClient = nullptr;        // _BillingClient_Create
    BillingClientDestroyFunction* destroyBillingClient = nullptr;      // _BillingClient_Destroy
    QueryProductDetailsFunction* queryProductDetails = nullptr;        // _BillingClient_QueryProductDetails
    LaunchPurchaseFlowFunction* launchPurchaseFlow = nullptr;          // _BillingClient_LaunchPurchaseFlow
    QueryPurchasesFunction* queryPurchases = nullptr;                  // _BillingClient_QueryPurchases
    ConsumePurchaseFunction* consumePurchase = nullptr;                // _BillingClient_ConsumePurchase
};

// Resolves every export of the table; false (each missing one logged) when any is missing.
bool BindPlayGamesApi(const StoreLibrary& library, PlayGamesApi& api);

} // namespace Vyro::PlayGames
