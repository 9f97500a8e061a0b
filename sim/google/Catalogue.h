#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Vyro::PlayGamesSim {

struct SimOffer {
    std::int64_t priceMicros = 0;
    std::string currencyCode;
    std::string formattedPrice;
    std::string offerId;
};

struct SimProduct {
    std::string id;
    std::string title;
    std::string name;
    std::string description;
    std::vector<SimOffer> offers;
};

using Catalogue = std::vector<SimProduct>;

// A small shop: gems with one and with two offers, a pack with a non-ASCII title, and a product
// with no offer at all.
Catalogue DefaultCatalogue();

const SimProduct* FindProduct(const Catalogue& catalogue, const std::string& productId);
// The product that sells the offer, or null.
const SimProduct* FindProductWithOffer(const Catalogue& catalogue, const std::string& offerId);

// "4.99 USD" for 4990000 micros of USD: how the runtime shows a price (never negative) when no
// formatted price was programmed.
std::string FormatPrice(std::int64_t priceMicros, const std::string& currencyCode);

} // namespace Vyro::PlayGamesSim
