#include "channels/google/PlayRecords.h"

namespace Vyro::PlayGames {

namespace {

constexpr double kMicrosPerUnit = 1000000.0;

OfferInfo CopyOffer(const Offer& offer)
{
    return {offer.priceMicros, CopyText(offer.currencyCode), CopyText(offer.formattedPrice), CopyText(offer.offerId)};
}

ProductInfo CopyProduct(const ProductDetails& product)
{
    ProductInfo info{CopyText(product.productId), CopyText(product.title), CopyText(product.name),
                     CopyText(product.description), std::nullopt};
    if (product.offerCount > 0 && product.offers != nullptr) {
        info.firstOffer = CopyOffer(product.offers[0]);
    }
    return info;
}

} // namespace

std::string CopyText(const char* text) { return text != nullptr ? text : ""; }

std::vector<ProductInfo> CopyProducts(const ProductDetailsList* details)
{
    std::vector<ProductInfo> products;
    if (details != nullptr && details->products != nullptr) {
        products.reserve(details->count);
        for (std::uint64_t i = 0; i < details->count; ++i) {
            products.push_back(CopyProduct(details->products[i]));
        }
    }
    return products;
}

std::optional<PurchaseInfo> CopyPurchase(const Purchase* purchase)
{
    if (purchase == nullptr) {
        return std::nullopt;
    }
    return PurchaseInfo{CopyText(purchase->transactionId), CopyText(purchase->packageName),
                        CopyText(purchase->productId),     purchase->purchaseState,
                        purchase->purchaseTime,            CopyText(purchase->purchaseToken),
                        purchase->quantity,                purchase->acknowledged,
                        CopyText(purchase->signature),     CopyText(purchase->originalJson)};
}

std::vector<PurchaseInfo> CopyPurchases(const PurchaseList* purchases)
{
    std::vector<PurchaseInfo> copies;
    if (purchases != nullptr && purchases->purchases != nullptr) {
        copies.reserve(purchases->count);
        for (std::uint64_t i = 0; i < purchases->count; ++i) {
            copies.push_back(*CopyPurchase(&purchases->purchases[i]));
        }
    }
    return copies;
}

nlohmann::json ProductJson(const ProductInfo& product)
{
    nlohmann::json json{{"productIdentifier", product.productId},
                        {"localizedTitle", product.title},
                        {"localizedDescription", product.description},
                        {"productName", product.name}};
    if (product.firstOffer) {
        json["currencyCode"] = product.firstOffer->currencyCode;
        json["showPrice"] = product.firstOffer->formattedPrice;
        json["price"] = static_cast<double>(product.firstOffer->priceMicros) / kMicrosPerUnit;
        json["offerId"] = product.firstOffer->offerId;
    }
    return json;
}

nlohmann::json PurchaseJson(const PurchaseInfo& purchase)
{
    return {{"productIdentifier", purchase.productId},
            {"transactionId", purchase.transactionId},
            {"google",
             {{"purchaseToken", purchase.purchaseToken},
              {"purchaseState", purchase.purchaseState},
              {"acknowledged", purchase.acknowledged},
              {"quantity", purchase.quantity},
              {"purchaseTime", purchase.purchaseTime},
              {"packageName", purchase.packageName},
              {"signature", purchase.signature},
              {"originalJson", purchase.originalJson}}}};
}

} // namespace Vyro::PlayGames
