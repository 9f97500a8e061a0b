#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Texts.h"
#include "channels/epic/EosApi.h"

namespace Vyro::EosSim {

inline constexpr char kCatalogNamespace[] = "9b1e7c3d5f2a4e6c8d0b1a2c3e4f5a6b";
// When the default offers were released and became effective: 2025-01-01T00:00:00Z, in seconds.
inline constexpr std::int64_t kDefaultReleaseDate = 1735689600;

// One offer with every field of the SDK's catalog offer record.
struct SimOffer {
    std::int32_t serverIndex = 0;
    Text catalogNamespace = kCatalogNamespace;
    Text id;
    Text titleText;
    Text descriptionText;
    Text longDescriptionText;
    Text technicalDetailsText;
    Text currencyCode = "USD";
    Eos::EResult priceResult = 0;
    std::uint32_t originalPrice = 0; // the deprecated 32-bit prices
    std::uint32_t currentPrice = 0;
    std::uint8_t discountPercentage = 100; // the current price as a percentage of the original
    std::int64_t expirationTimestamp = -1; // never expires
    std::uint32_t purchasedCount = 0;
    std::int32_t purchaseLimit = -1; // no limit
    Eos::Bool availableForPurchase = Eos::kTrue;
    std::uint64_t originalPrice64 = 0;
    std::uint64_t currentPrice64 = 0;
    std::uint32_t decimalPoint = 2;
    std::int64_t releaseDateTimestamp = kDefaultReleaseDate;
    std::int64_t effectiveDateTimestamp = kDefaultReleaseDate;
};

// Shared, never changed once made: a query keeps the catalogue it answered even when a control
// request replaces it, and ten thousand offers are not copied per query.
using Catalogue = std::shared_ptr<const std::vector<SimOffer>>;

// A small shop: a discounted USD pack, a JPY offer without decimals, a non-ASCII title in EUR and
// an offer that is not for sale.
Catalogue DefaultCatalogue();
// `count` plain USD offers numbered from 0, for size tests.
Catalogue GeneratedCatalogue(std::size_t count);

// The deprecated 32-bit price the SDK reports beside a 64-bit one: the value, cut to 32 bits.
std::uint32_t Deprecated32(std::uint64_t price);
// Whether the catalogue has an offer with that id.
bool HasOffer(const Catalogue& catalogue, const std::string& offerId);

} // namespace Vyro::EosSim
