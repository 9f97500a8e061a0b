#include "Records.h"

namespace Vyro::PlayGamesSim {

PlayGames::Result ResultRecord(const SimResult& result)
{
    return {result.code, result.message ? result.message->c_str() : nullptr};
}

PurchaseRecord::PurchaseRecord(const SimPurchase& purchase)
{
    record_.firstExtraText = purchase.firstExtraText.c_str();
    record_.secondExtraText = purchase.secondExtraText.c_str();
    record_.transactionId = purchase.transactionId.c_str();
    record_.packageName = purchase.packageName.c_str();
    record_.productId = purchase.productId.c_str();
    record_.purchaseState = purchase.purchaseState;
    record_.purchaseTime = purchase.purchaseTime;
    record_.purchaseToken = purchase.purchaseToken.c_str();
    record_.quantity = purchase.quantity;
    record_.acknowledged = purchase.acknowledged;
    record_.signature = purchase.signature.c_str();
    record_.originalJson = purchase.originalJson.c_str();
}

ProductDetailsRecords::ProductDetailsRecords(const Catalogue& products)
{
    offers_.reserve(products.size());
    for (const SimProduct& product : products) {
        std::vector<PlayGames::Offer>& offers = offers_.emplace_back();
        for (const SimOffer& offer : product.offers) {
            offers.push_back(
                {offer.priceMicros, offer.currencyCode.c_str(), offer.formattedPrice.c_str(), offer.offerId.c_str()});
        }
        products_.push_back({product.id.c_str(), product.title.c_str(), product.name.c_str(), product.description.c_str(),
                             offers.data(), offers.size()});
    }
    list_ = {products_.size(), products_.data()};
}

PurchaseListRecords::PurchaseListRecords(const OwnedPurchases& purchases)
{
    for (const SimPurchase& purchase : purchases) {
        purchases_.push_back(*PurchaseRecord(purchase).Get());
    }
    list_ = {purchases_.size(), purchases_.data()};
}

} // namespace Vyro::PlayGamesSim
