#include "Catalogue.h"

#include <algorithm>
#include <limits>

namespace Vyro::EosSim {

namespace {

constexpr std::uint32_t kGeneratedOfferTag = 0x6e0ff3a5;

SimOffer Priced(std::string id, std::string title, std::string description, const char* currency,
                std::uint64_t original, std::uint64_t current, std::uint32_t decimalPoint)
{
    SimOffer offer;
    offer.id = std::move(id);
    offer.titleText = std::move(title);
    offer.descriptionText = std::move(description);
    offer.longDescriptionText = "";
    offer.technicalDetailsText = "";
    offer.currencyCode = currency;
    offer.originalPrice64 = original;
    offer.currentPrice64 = current;
    offer.originalPrice = Deprecated32(original);
    offer.currentPrice = Deprecated32(current);
    offer.discountPercentage = static_cast<std::uint8_t>(original == 0 ? 100 : current * 100 / original);
    offer.decimalPoint = decimalPoint;
    return offer;
}

} // namespace

Catalogue DefaultCatalogue()
{
    std::vector<SimOffer> offers{
        Priced("5f1c2a9e0b7d4c38a6e3f4b2d1c09e87", "Crystal Pack", "300 crystals to spend in the shop, 20% off this week.",
               "USD", 2499, 1999, 2),
        Priced("a7c3e9f1d2b84e6c9f0a1b2c3d4e5f60", "Gold Chest", "A chest of 1000 gold coins.", "JPY", 500, 500, 0),
        // "Épée de lumière ⚔", "Une épée qui brille dans le noir."
        Priced("c4d8f2a6b1e94d7f8a3c5e0b2d6f1a93", "\xC3\x89p\xC3\xA9" "e de lumi\xC3\xA8re \xE2\x9A\x94",
               "Une \xC3\xA9p\xC3\xA9" "e qui brille dans le noir.", "EUR", 499, 499, 2),
        Priced("e2b6d0f4a8c14e3a9b7d5f1c3e5a7b9d", "Season Pass", "Every reward of the next season; not on sale yet.",
               "USD", 999, 999, 2),
    };
    for (std::size_t i = 0; i < offers.size(); ++i) {
        offers[i].serverIndex = static_cast<std::int32_t>(i);
    }
    offers[0].longDescriptionText = "Crystals buy cosmetics and boosts. The pack never expires.";
    offers[3].availableForPurchase = Eos::kFalse;
    return std::make_shared<const std::vector<SimOffer>>(std::move(offers));
}

Catalogue GeneratedCatalogue(std::size_t count)
{
    std::vector<SimOffer> offers;
    offers.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint64_t price = 99 + i;
        SimOffer offer = Priced(HexId(kGeneratedOfferTag, i), "Generated Offer " + std::to_string(i),
                                "Offer " + std::to_string(i) + " of " + std::to_string(count), "USD", price, price, 2);
        offer.serverIndex = static_cast<std::int32_t>(std::min<std::size_t>(i, std::numeric_limits<std::int32_t>::max()));
        offers.push_back(std::move(offer));
    }
    return std::make_shared<const std::vector<SimOffer>>(std::move(offers));
}

std::uint32_t Deprecated32(std::uint64_t price) { return static_cast<std::uint32_t>(price); }

bool HasOffer(const Catalogue& catalogue, const std::string& offerId)
{
    return std::any_of(catalogue->begin(), catalogue->end(), [&](const SimOffer& offer) { return offer.id == offerId; });
}

} // namespace Vyro::EosSim
