#pragma once

// The exports of the simulated Play Games PC runtime: the SDK functions the Google channel calls,
// with the types the channel binds them as, and the simulator's control entry point.
#include <type_traits>

#include "SimExport.h"
#include "channels/google/GoogleApi.h"

extern "C" {

VYRO_SIM_EXPORT void _GooglePlayInitialize(void* context, Vyro::PlayGames::InitializeCompletion* completion);
VYRO_SIM_EXPORT void* _BillingClient_Create();
VYRO_SIM_EXPORT void _BillingClient_Destroy(void* client);
VYRO_SIM_EXPORT void _BillingClient_QueryProductDetails(void* client, const Vyro::PlayGames::ProductQuery* query,
                                                        void* context,
                                                        Vyro::PlayGames::ProductDetailsCompletion* completion);
VYRO_SIM_EXPORT void _BillingClient_LaunchPurchaseFlow(void* client, const Vyro::PlayGames::PurchaseFlowRequest* request,
                                                       void* context, Vyro::PlayGames::PurchaseFlowCompletion* completion);
VYRO_SIM_EXPORT void _BillingClient_QueryPurchases(void* client, void* context,
                                                   Vyro::PlayGames::PurchasesCompletion* completion);
VYRO_SIM_EXPORT void _BillingClient_ConsumePurchase(void* client, const Vyro::PlayGames::ConsumeRequest* request,
                                                    void* context, Vyro::PlayGames::ConsumeCompletion* completion);

} // extern "C"

// The channel binds these by name into pointers of its own types: a drifting signature would only
// show as a crash at run time, so it is caught here.
namespace Vyro::PlayGamesSim::Checks {
namespace P = Vyro::PlayGames;
static_assert(std::is_same_v<decltype(_GooglePlayInitialize), P::GooglePlayInitializeFunction>);
static_assert(std::is_same_v<decltype(_BillingClient_Create), P::BillingClientCreateFunction>);
static_assert(std::is_same_v<decltype(_BillingClient_Destroy), P::BillingClientDestroyFunction>);
static_assert(std::is_same_v<decltype(_BillingClient_QueryProductDetails), P::QueryProductDetailsFunction>);
static_assert(std::is_same_v<decltype(_BillingClient_LaunchPurchaseFlow), P::LaunchPurchaseFlowFunction>);
static_assert(std::is_same_v<decltype(_BillingClient_QueryPurchases), P::QueryPurchasesFunction>);
static_assert(std::is_same_v<decltype(_BillingClient_ConsumePurchase), P::ConsumePurchaseFunction>);
} // namespace Vyro::PlayGamesSim::Checks
