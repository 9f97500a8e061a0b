#pragma once

// The Epic channel's function table pointing at the simulator linked into the same program, for
// tests and benchmarks that drive a channel in-process.
#include "EosSim.h"

namespace Vyro::EosSim {

inline Eos::EosApi SimulatedEosApi()
{
    return {&EOS_Initialize,
            &EOS_Shutdown,
            &EOS_Platform_Create,
            &EOS_Platform_Release,
            &EOS_Platform_Tick,
            &EOS_Platform_GetAuthInterface,
            &EOS_Platform_GetEcomInterface,
            &EOS_EResult_ToString,
            &EOS_EResult_IsOperationComplete,
            &EOS_EpicAccountId_IsValid,
            &EOS_EpicAccountId_ToString,
            &EOS_Logging_SetCallback,
            &EOS_Logging_SetLogLevel,
            &EOS_Auth_Login,
            &EOS_Auth_CopyUserAuthToken,
            &EOS_Auth_Token_Release,
            &EOS_Auth_AddNotifyLoginStatusChanged,
            &EOS_Auth_RemoveNotifyLoginStatusChanged,
            &EOS_Auth_GetLoginStatus,
            &EOS_Ecom_QueryOffers,
            &EOS_Ecom_GetOfferCount,
            &EOS_Ecom_CopyOfferByIndex,
            &EOS_Ecom_CatalogOffer_Release,
            &EOS_Ecom_Checkout,
            &EOS_Ecom_QueryEntitlements,
            &EOS_Ecom_GetEntitlementsCount,
            &EOS_Ecom_CopyEntitlementByIndex,
            &EOS_Ecom_Entitlement_Release};
}

} // namespace Vyro::EosSim
