#pragma once

// The Google channel's function table pointing at the simulator linked into the same program, for
// tests and benchmarks that drive a channel in-process.
#include "GoogleSim.h"

namespace Vyro::PlayGamesSim {

inline PlayGames::PlayGamesApi SimulatedPlayGamesApi()
{
    return {&_GooglePlayInitialize,
            &_BillingClient_Create,
            &_BillingClient_Destroy,
            &_BillingClient_QueryProductDetails,
            &_BillingClient_LaunchPurchaseFlow,
            &_BillingClient_QueryPurchases,
            &_BillingClient_ConsumePurchase};
}

} // namespace Vyro::PlayGamesSim
