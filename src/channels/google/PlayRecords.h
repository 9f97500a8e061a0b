#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "channels/google/GoogleApi.h"

namespace Vyro::PlayGames {

// Owned copies of what the SDK hands a completion: its records are valid only during the call,
// while a reply may be built after it. Null text becomes empty text.

struct OfferInfo {
    std::int64_t priceMicros = 0;
    std::string currencyCode;
    std::string formattedPrice;
    std::string offerId;
};

struct ProductInfo {
    std::string productId;
    std::string title;
    std::string name;
    std::string description;
    // Only the first offer is reported.
    std::optional<OfferInfo> firstOffer;
};

struct PurchaseInfo {
    std::string transactionId;
    std::string packageName;
    std::string productId;
    std::int32_t purchaseState = 0;
    std::int64_t purchaseTime = 0;
    std::string purchaseToken;
    std::int64_t quantity = 0;
    bool acknowledged = false;
    std::string signature;
    std::string originalJson;
};

std::string CopyText(const char* text);
// Empty for a null list.
std::vector<ProductInfo> CopyProducts(const ProductDetailsList* details);
std::optional<PurchaseInfo> CopyPurchase(const Purchase* purchase);
std::vector<PurchaseInfo> CopyPurchases(const PurchaseList* purchases);

nlohmann::json ProductJson(const ProductInfo& product);
nlohmann::json PurchaseJson(const PurchaseInfo& purchase);

} // namespace Vyro::PlayGames
