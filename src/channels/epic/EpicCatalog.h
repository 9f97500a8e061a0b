#pragma once

#include <cstdint>
#include <string>

#include <nlohmann/json.hpp>

#include "channels/epic/EosApi.h"

namespace Vyro {

// The price as a number: the current price in minor units over 10 to the power of the decimal point.
double OfferPrice(std::uint64_t currentPrice, std::uint32_t decimalPoint);
// The currency code followed directly by the price with as many decimals as the currency has:
// USD, 1999, 2 gives "USD19.99"; JPY, 500, 0 gives "JPY500".
std::string FormatShowPrice(const std::string& currencyCode, std::uint64_t currentPrice, std::uint32_t decimalPoint);

// The product item of one offer whose price is valid.
nlohmann::json OfferItem(const Eos::CatalogOffer& offer);
// The item of one entitlement.
nlohmann::json EntitlementItem(const Eos::Entitlement& entitlement);

} // namespace Vyro
