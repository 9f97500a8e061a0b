#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Vyro::PlayGamesSim {

inline constexpr std::int32_t kPurchaseStatePurchased = 1;
inline constexpr char kDefaultPackageName[] = "com.example.game";
// When purchases made before the session were made: 2025-01-01T00:00:00Z, in ms since the epoch.
inline constexpr std::int64_t kDefaultPurchaseTime = 1735689600000;

// One purchase the player owns, with every field the runtime reports.
struct SimPurchase {
    std::string firstExtraText;
    std::string secondExtraText;
    std::string transactionId;
    std::string packageName = kDefaultPackageName;
    std::string productId;
    std::int32_t purchaseState = kPurchaseStatePurchased;
    std::int64_t purchaseTime = 0; // ms since the Unix epoch
    std::string purchaseToken;
    std::int64_t quantity = 1;
    bool acknowledged = false;
    std::string signature;
    std::string originalJson;
};

using OwnedPurchases = std::vector<SimPurchase>;

// Purchase number `number` of `productId`, made at `purchaseTime`: an unacknowledged quantity of one
// with a transaction id, token, JSON text and signature derived from those.
SimPurchase NewPurchase(const std::string& productId, std::uint64_t number, std::int64_t purchaseTime);
// One acknowledged starter pack, bought before the session.
OwnedPurchases DefaultOwnedPurchases();

// "GPA." and four groups of digits, the last one the number.
std::string TransactionId(std::uint64_t number);
std::string PurchaseToken(const std::string& productId, std::uint64_t number);
// The purchase as a JSON text, as the store signs it (the extra texts are not part of it).
std::string PurchaseJson(const SimPurchase& purchase);
// A stand-in signature of the JSON text: recognisably not a real one, but tied to the text.
std::string SignatureOf(const std::string& originalJson);

// Now, in ms since the Unix epoch.
std::int64_t NowMs();

} // namespace Vyro::PlayGamesSim
