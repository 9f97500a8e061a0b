#pragma once

// The records a completion receives, built just before the call from data the runtime owns: they
// point into that data, so it must outlive them, and they live only as long as the call. Each
// holder's Get() is what the completion is passed.
#include <vector>

#include "Catalogue.h"
#include "OwnedPurchases.h"
#include "SimSettings.h"
#include "channels/google/GoogleApi.h"

namespace Vyro::PlayGamesSim {

PlayGames::Result ResultRecord(const SimResult& result);

class ProductDetailsRecords {
public:
    explicit ProductDetailsRecords(const Catalogue& products);
    ProductDetailsRecords(const ProductDetailsRecords&) = delete;
    ProductDetailsRecords& operator=(const ProductDetailsRecords&) = delete;

    const PlayGames::ProductDetailsList* Get() const { return &list_; }

private:
    std::vector<std::vector<PlayGames::Offer>> offers_;
    std::vector<PlayGames::ProductDetails> products_;
    PlayGames::ProductDetailsList list_{};
};

class PurchaseRecord {
public:
    explicit PurchaseRecord(const SimPurchase& purchase);

    const PlayGames::Purchase* Get() const { return &record_; }

private:
    PlayGames::Purchase record_{};
};

class PurchaseListRecords {
public:
    explicit PurchaseListRecords(const OwnedPurchases& purchases);
    PurchaseListRecords(const PurchaseListRecords&) = delete;
    PurchaseListRecords& operator=(const PurchaseListRecords&) = delete;

    const PlayGames::PurchaseList* Get() const { return &list_; }

private:
    std::vector<PlayGames::Purchase> purchases_;
    PlayGames::PurchaseList list_{};
};

} // namespace Vyro::PlayGamesSim
