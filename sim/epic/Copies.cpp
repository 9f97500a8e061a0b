#include "Copies.h"

#include <algorithm>
#include <vector>

#include "Account.h"

namespace Vyro::EosSim {

namespace {

constexpr std::int32_t kUserToken = 1;

} // namespace

const char* NameOf(CopyKind kind)
{
    switch (kind) {
    case CopyKind::AuthToken:
        return "authToken";
    case CopyKind::CatalogOffer:
        return "catalogOffer";
    case CopyKind::Entitlement:
        return "entitlement";
    }
    return "";
}

const char* Copies::Held::Keep(const Text& text) { return text ? texts.emplace_back(*text).c_str() : nullptr; }

template <typename Record, typename Fill>
Record* Copies::Make(const char* function, Fill fill)
{
    auto held = std::make_unique<Held>(Held{++lastNumber_, function, Record{}, {}});
    Record& record = std::get<Record>(held->record);
    fill(record, *held);
    held_.emplace(&record, std::move(held));
    return &record;
}

Eos::AuthToken* Copies::Add(const SimToken& token, const char* function)
{
    return Make<Eos::AuthToken>(function, [&](Eos::AuthToken& record, Held& held) {
        record.apiVersion = Eos::kAuthTokenApi;
        record.app = held.Keep(token.app);
        record.clientId = held.Keep(token.clientId);
        record.accountId = AccountHandle();
        record.accessToken = held.Keep(token.accessToken);
        record.expiresIn = token.expiresIn;
        record.expiresAt = held.Keep(token.expiresAt);
        record.authType = kUserToken;
        record.refreshToken = held.Keep(token.refreshToken);
        record.refreshExpiresIn = token.refreshExpiresIn;
        record.refreshExpiresAt = held.Keep(token.refreshExpiresAt);
    });
}

Eos::CatalogOffer* Copies::Add(const SimOffer& offer, const char* function)
{
    return Make<Eos::CatalogOffer>(function, [&](Eos::CatalogOffer& record, Held& held) {
        record.apiVersion = Eos::kCatalogOfferApi;
        record.serverIndex = offer.serverIndex;
        record.catalogNamespace = held.Keep(offer.catalogNamespace);
        record.id = held.Keep(offer.id);
        record.titleText = held.Keep(offer.titleText);
        record.descriptionText = held.Keep(offer.descriptionText);
        record.longDescriptionText = held.Keep(offer.longDescriptionText);
        record.technicalDetailsTextDeprecated = held.Keep(offer.technicalDetailsText);
        record.currencyCode = held.Keep(offer.currencyCode);
        record.priceResult = offer.priceResult;
        record.originalPriceDeprecated = offer.originalPrice;
        record.currentPriceDeprecated = offer.currentPrice;
        record.discountPercentage = offer.discountPercentage;
        record.expirationTimestamp = offer.expirationTimestamp;
        record.purchasedCountDeprecated = offer.purchasedCount;
        record.purchaseLimit = offer.purchaseLimit;
        record.availableForPurchase = offer.availableForPurchase;
        record.originalPrice64 = offer.originalPrice64;
        record.currentPrice64 = offer.currentPrice64;
        record.decimalPoint = offer.decimalPoint;
        record.releaseDateTimestamp = offer.releaseDateTimestamp;
        record.effectiveDateTimestamp = offer.effectiveDateTimestamp;
    });
}

Eos::Entitlement* Copies::Add(const SimEntitlement& entitlement, const char* function)
{
    return Make<Eos::Entitlement>(function, [&](Eos::Entitlement& record, Held& held) {
        record.apiVersion = Eos::kEntitlementApi;
        record.entitlementName = held.Keep(entitlement.entitlementName);
        record.entitlementId = held.Keep(entitlement.entitlementId);
        record.catalogItemId = held.Keep(entitlement.catalogItemId);
        record.serverIndex = entitlement.serverIndex;
        record.redeemed = entitlement.redeemed;
        record.endTimestamp = entitlement.endTimestamp;
    });
}

Copies::Released Copies::Remove(const void* record, CopyKind kind)
{
    const auto found = held_.find(record);
    if (found == held_.end()) {
        return {Release::Unknown, std::nullopt};
    }
    const std::uint64_t number = found->second->number;
    if (found->second->Kind() != kind) {
        return {Release::OtherKind, number};
    }
    held_.erase(found);
    return {Release::Released, number};
}

std::optional<std::uint64_t> Copies::NumberOf(const void* record) const
{
    const auto found = held_.find(record);
    return found == held_.end() ? std::nullopt : std::optional(found->second->number);
}

nlohmann::json Copies::Outstanding() const
{
    std::vector<const Held*> copies;
    for (const auto& entry : held_) {
        copies.push_back(entry.second.get());
    }
    std::sort(copies.begin(), copies.end(), [](const Held* a, const Held* b) { return a->number < b->number; });
    nlohmann::json list = nlohmann::json::array();
    for (const Held* copy : copies) {
        list.push_back({{"copy", copy->number}, {"kind", NameOf(copy->Kind())}, {"fn", copy->function}});
    }
    return list;
}

} // namespace Vyro::EosSim
