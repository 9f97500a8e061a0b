#include "channels/epic/EpicCatalog.h"

#include <algorithm>
#include <cmath>

#include <fmt/format.h>

#include "channels/epic/EosText.h"

namespace Vyro {

namespace {

using nlohmann::json;
using Eos::TextOrEmpty;

// No currency has more; a decimal point beyond it would only ask for an enormous text.
constexpr std::uint32_t kMaxPriceDecimals = 18;

} // namespace

double OfferPrice(std::uint64_t currentPrice, std::uint32_t decimalPoint)
{
    const double price = static_cast<double>(currentPrice);
    return decimalPoint == 0 ? price : price / std::pow(10.0, static_cast<double>(decimalPoint));
}

std::string FormatShowPrice(const std::string& currencyCode, std::uint64_t currentPrice, std::uint32_t decimalPoint)
{
    if (decimalPoint == 0) {
        return currencyCode + std::to_string(currentPrice);
    }
    const std::uint32_t decimals = std::min(decimalPoint, kMaxPriceDecimals);
    return currencyCode + fmt::format("{:.{}f}", OfferPrice(currentPrice, decimalPoint), decimals);
}

json OfferItem(const Eos::CatalogOffer& offer)
{
    const std::string id = TextOrEmpty(offer.id);
    const std::string currency = TextOrEmpty(offer.currencyCode);
    return json{{"productIdentifier", id},
                {"offerId", id},
                {"localizedTitle", TextOrEmpty(offer.titleText)},
                {"localizedDescription", TextOrEmpty(offer.descriptionText)},
                {"currencyCode", currency},
                {"price", OfferPrice(offer.currentPrice64, offer.decimalPoint)},
                {"showPrice", FormatShowPrice(currency, offer.currentPrice64, offer.decimalPoint)},
                {"epic",
                 {{"decimalPoint", offer.decimalPoint},
                  {"currentPrice64", offer.currentPrice64},
                  {"originalPrice64", offer.originalPrice64}}}};
}

json EntitlementItem(const Eos::Entitlement& entitlement)
{
    return json{{"entitlementName", TextOrEmpty(entitlement.entitlementName)},
                {"entitlementId", TextOrEmpty(entitlement.entitlementId)},
                {"catalogItemId", TextOrEmpty(entitlement.catalogItemId)},
                {"redeemed", entitlement.redeemed == 1}};
}

} // namespace Vyro
