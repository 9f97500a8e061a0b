#include "Entitlements.h"

#include <algorithm>

namespace Vyro::EosSim {

namespace {

constexpr std::uint32_t kPurchaseTag = 0xe1171e3e;

} // namespace

Entitlements DefaultEntitlements()
{
    return {
        {"base_game", "8c2f4a6e1b3d4f5a9e7c0b2d4f6a8c1e", "0a1b2c3d4e5f60718293a4b5c6d7e8f9", 0, Eos::kTrue, -1},
        {"founders_bonus", "3e5a7c9e1f2b4d6f8a0c2e4a6c8e0b1d", "7f6e5d4c3b2a19080f1e2d3c4b5a6978", 1, Eos::kFalse, -1},
    };
}

SimEntitlement PurchasedEntitlement(const std::string& offerId, std::uint64_t number, std::int32_t serverIndex)
{
    return {offerId, HexId(kPurchaseTag, number), offerId, serverIndex, Eos::kFalse, -1};
}

Entitlements MatchingEntitlements(const Entitlements& entitlements, const std::vector<std::string>& names,
                                  bool includeRedeemed)
{
    Entitlements matching;
    for (const SimEntitlement& entitlement : entitlements) {
        const bool named = names.empty() || (entitlement.entitlementName &&
                                             std::find(names.begin(), names.end(), *entitlement.entitlementName) != names.end());
        if (named && (includeRedeemed || entitlement.redeemed != Eos::kTrue)) {
            matching.push_back(entitlement);
        }
    }
    return matching;
}

} // namespace Vyro::EosSim
