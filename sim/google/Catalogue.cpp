#include "Catalogue.h"

#include <algorithm>

namespace Vyro::PlayGamesSim {

Catalogue DefaultCatalogue()
{
    // Non-ASCII on purpose, so that a test sees whether UTF-8 survives the way to the game.
    const std::string starterTitle = "Pack de d\xC3\xA9marrage \xE2\x9A\x94";                // "Pack de démarrage ⚔"
    const std::string starterDescription = "\xC3\x89p\xC3\xA9" "e, bouclier et 200 gemmes"; // "Épée, bouclier et 200 gemmes"
    return {
        {"gems_100", "100 Gems", "100 Gems", "A handful of gems.", {{990000, "USD", "$0.99", "gems_100_offer"}}},
        {"gems_500",
         "500 Gems",
         "500 Gems",
         "A chest of gems, cheaper during the launch week.",
         {{4990000, "USD", "$4.99", "gems_500_offer"}, {3990000, "USD", "$3.99", "gems_500_launch_offer"}}},
        {"starter_pack", starterTitle, "Starter pack", starterDescription, {{1990000, "USD", "$1.99", "starter_pack_offer"}}},
        {"season_pass", "Season Pass", "Season pass", "Every reward of the next season; not on sale yet.", {}},
    };
}

const SimProduct* FindProduct(const Catalogue& catalogue, const std::string& productId)
{
    const auto found = std::find_if(catalogue.begin(), catalogue.end(),
                                    [&](const SimProduct& product) { return product.id == productId; });
    return found == catalogue.end() ? nullptr : &*found;
}

const SimProduct* FindProductWithOffer(const Catalogue& catalogue, const std::string& offerId)
{
    const auto found = std::find_if(catalogue.begin(), catalogue.end(), [&](const SimProduct& product) {
        return std::any_of(product.offers.begin(), product.offers.end(),
                           [&](const SimOffer& offer) { return offer.offerId == offerId; });
    });
    return found == catalogue.end() ? nullptr : &*found;
}

std::string FormatPrice(std::int64_t priceMicros, const std::string& currencyCode)
{
    const std::uint64_t cents = (static_cast<std::uint64_t>(priceMicros) + 5000) / 10000;
    const std::string fraction = std::to_string(cents % 100);
    return std::to_string(cents / 100) + "." + std::string(2 - fraction.size(), '0') + fraction + " " + currencyCode;
}

} // namespace Vyro::PlayGamesSim
