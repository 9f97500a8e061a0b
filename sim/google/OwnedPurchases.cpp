#include "OwnedPurchases.h"

#include <chrono>
#include <cstdio>

#include <nlohmann/json.hpp>

namespace Vyro::PlayGamesSim {

namespace {

std::string Digits(std::uint64_t value, int width)
{
    const std::string digits = std::to_string(value);
    return digits.size() >= static_cast<std::size_t>(width) ? digits : std::string(width - digits.size(), '0') + digits;
}

// FNV-1a, 64 bits.
std::uint64_t Fingerprint(const std::string& text)
{
    std::uint64_t hash = 14695981039346656037ull;
    for (const unsigned char byte : text) {
        hash = (hash ^ byte) * 1099511628211ull;
    }
    return hash;
}

// The JSON text and its signature, from the other fields.
void Seal(SimPurchase& purchase)
{
    purchase.originalJson = PurchaseJson(purchase);
    purchase.signature = SignatureOf(purchase.originalJson);
}

} // namespace

SimPurchase NewPurchase(const std::string& productId, std::uint64_t number, std::int64_t purchaseTime)
{
    SimPurchase purchase;
    purchase.transactionId = TransactionId(number);
    purchase.productId = productId;
    purchase.purchaseTime = purchaseTime;
    purchase.purchaseToken = PurchaseToken(productId, number);
    Seal(purchase);
    return purchase;
}

OwnedPurchases DefaultOwnedPurchases()
{
    SimPurchase starterPack = NewPurchase("starter_pack", 0, kDefaultPurchaseTime);
    starterPack.acknowledged = true;
    Seal(starterPack);
    return {starterPack};
}

std::string TransactionId(std::uint64_t number) { return "GPA.3345-7721-0094-" + Digits(number, 5); }

std::string PurchaseToken(const std::string& productId, std::uint64_t number)
{
    return "sim-token." + productId + "." + Digits(number, 4);
}

std::string PurchaseJson(const SimPurchase& purchase)
{
    const nlohmann::ordered_json json{{"orderId", purchase.transactionId},     {"packageName", purchase.packageName},
                                      {"productId", purchase.productId},       {"purchaseTime", purchase.purchaseTime},
                                      {"purchaseState", purchase.purchaseState}, {"purchaseToken", purchase.purchaseToken},
                                      {"quantity", purchase.quantity},         {"acknowledged", purchase.acknowledged}};
    return json.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

std::string SignatureOf(const std::string& originalJson)
{
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(Fingerprint(originalJson)));
    return std::string("SIMULATED-SIGNATURE.") + hex;
}

std::int64_t NowMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::system_clock::now().time_since_epoch()).count();
}

} // namespace Vyro::PlayGamesSim
