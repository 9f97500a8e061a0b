#include "Records.h"

namespace Vyro::PlayGamesSim {

PlayGames::Result ResultRecord(const SimResult& result)
{
    return {result.code, result.message ? result.message->c_str() : nullptr};
}

PlayGames::Purchase PurchaseRecord(const SimPurchase& purchase)
{
    PlayGames::Purchase record{};
    record.firstExtraText = purchase.firstExtraText.c_str();
    record.secondExtraText = purchase.secondExtraText.c_str();
    record.transactionId = purchase.transactionId.c_str();
    record.packageName = purchase.packageName.c_str();
    record.productId = purchase.productId.c_str();
    record.purchaseState = purchase.purchaseState;
    record.purchaseTime = purchase.purchaseTime;
    record.purchaseToken = purchase.purchaseToken.c_str();
    record.quantity = purchase.quantity;
    record.acknowledged = purchase.acknowledged;
    record.signature = purchase.signature.c_str();
    record.originalJson = purchase.originalJson.c_str();
    return record;
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
        purchases_.push_back(PurchaseRecord(purchase));
    }
    list_ = {purchases_.size(), purchases_.data()};
}

} // namespace Vyro::PlayGamesSim
