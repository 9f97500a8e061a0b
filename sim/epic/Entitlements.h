#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Texts.h"
#include "channels/epic/EosApi.h"

namespace Vyro::EosSim {

// One entitlement with every field of the SDK's entitlement record.
struct SimEntitlement {
    Text entitlementName;
    Text entitlementId;
    Text catalogItemId;
    std::int32_t serverIndex = 0;
    Eos::Bool redeemed = Eos::kFalse;
    std::int64_t endTimestamp = -1; // never ends
};

using Entitlements = std::vector<SimEntitlement>;

// The base game, redeemed, and a founder's bonus not redeemed yet.
Entitlements DefaultEntitlements();
// What a successful checkout of `offerId` grants: entitlement `number` (1, 2, … since the last
// reset), not redeemed, named and catalogued by the offer id.
SimEntitlement PurchasedEntitlement(const std::string& offerId, std::uint64_t number, std::int32_t serverIndex);

// The entitlements a query asks for: only those named in `names` (all of them when `names` is
// empty), and only unredeemed ones unless `includeRedeemed`.
Entitlements MatchingEntitlements(const Entitlements& entitlements, const std::vector<std::string>& names,
                                  bool includeRedeemed);

} // namespace Vyro::EosSim
