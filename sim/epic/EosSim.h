#pragma once

// The exports of the simulated EOS SDK: the functions the Epic channel calls, under their real names
// with the types the channel binds them as, and the simulator's control entry point.
#include <cstdint>
#include <type_traits>

#include "SimExport.h"
#include "channels/epic/EosApi.h"

extern "C" {

VYRO_SIM_EXPORT Vyro::Eos::EResult EOS_Initialize(const Vyro::Eos::InitializeOptions* options);
VYRO_SIM_EXPORT Vyro::Eos::EResult EOS_Shutdown();
VYRO_SIM_EXPORT Vyro::Eos::HPlatform EOS_Platform_Create(const Vyro::Eos::PlatformOptions* options);
VYRO_SIM_EXPORT void EOS_Platform_Release(Vyro::Eos::HPlatform platform);
VYRO_SIM_EXPORT void EOS_Platform_Tick(Vyro::Eos::HPlatform platform);
VYRO_SIM_EXPORT Vyro::Eos::HAuth EOS_Platform_GetAuthInterface(Vyro::Eos::HPlatform platform);
VYRO_SIM_EXPORT Vyro::Eos::HEcom EOS_Platform_GetEcomInterface(Vyro::Eos::HPlatform platform);
VYRO_SIM_EXPORT const char* EOS_EResult_ToString(Vyro::Eos::EResult result);
VYRO_SIM_EXPORT Vyro::Eos::Bool EOS_EResult_IsOperationComplete(Vyro::Eos::EResult result);
VYRO_SIM_EXPORT Vyro::Eos::Bool EOS_EpicAccountId_IsValid(Vyro::Eos::EpicAccountId accountId);
VYRO_SIM_EXPORT Vyro::Eos::EResult EOS_EpicAccountId_ToString(Vyro::Eos::EpicAccountId accountId, char* outBuffer,
                                                               std::int32_t* inOutBufferLength);
VYRO_SIM_EXPORT Vyro::Eos::EResult EOS_Logging_SetCallback(Vyro::Eos::LogMessageFunction* callback);
VYRO_SIM_EXPORT Vyro::Eos::EResult EOS_Logging_SetLogLevel(Vyro::Eos::LogCategory category, Vyro::Eos::LogLevel level);
VYRO_SIM_EXPORT void EOS_Auth_Login(Vyro::Eos::HAuth auth, const Vyro::Eos::AuthLoginOptions* options, void* clientData,
                                    Vyro::Eos::OnLoginCallback* completion);
VYRO_SIM_EXPORT Vyro::Eos::EResult EOS_Auth_CopyUserAuthToken(Vyro::Eos::HAuth auth,
                                                              const Vyro::Eos::CopyUserAuthTokenOptions* options,
                                                              Vyro::Eos::EpicAccountId localUserId,
                                                              Vyro::Eos::AuthToken** outToken);
VYRO_SIM_EXPORT void EOS_Auth_Token_Release(Vyro::Eos::AuthToken* token);
VYRO_SIM_EXPORT Vyro::Eos::NotificationId EOS_Auth_AddNotifyLoginStatusChanged(
    Vyro::Eos::HAuth auth, const Vyro::Eos::AddNotifyLoginStatusChangedOptions* options, void* clientData,
    Vyro::Eos::OnLoginStatusChangedCallback* notification);
VYRO_SIM_EXPORT void EOS_Auth_RemoveNotifyLoginStatusChanged(Vyro::Eos::HAuth auth, Vyro::Eos::NotificationId id);
VYRO_SIM_EXPORT Vyro::Eos::LoginStatus EOS_Auth_GetLoginStatus(Vyro::Eos::HAuth auth, Vyro::Eos::EpicAccountId localUserId);
VYRO_SIM_EXPORT void EOS_Ecom_QueryOffers(Vyro::Eos::HEcom ecom, const Vyro::Eos::QueryOffersOptions* options,
                                          void* clientData, Vyro::Eos::OnQueryOffersCallback* completion);
VYRO_SIM_EXPORT std::uint32_t EOS_Ecom_GetOfferCount(Vyro::Eos::HEcom ecom, const Vyro::Eos::GetOfferCountOptions* options);
VYRO_SIM_EXPORT Vyro::Eos::EResult EOS_Ecom_CopyOfferByIndex(Vyro::Eos::HEcom ecom,
                                                             const Vyro::Eos::CopyOfferByIndexOptions* options,
                                                             Vyro::Eos::CatalogOffer** outOffer);
VYRO_SIM_EXPORT void EOS_Ecom_CatalogOffer_Release(Vyro::Eos::CatalogOffer* offer);
VYRO_SIM_EXPORT void EOS_Ecom_Checkout(Vyro::Eos::HEcom ecom, const Vyro::Eos::CheckoutOptions* options, void* clientData,
                                       Vyro::Eos::OnCheckoutCallback* completion);
VYRO_SIM_EXPORT void EOS_Ecom_QueryEntitlements(Vyro::Eos::HEcom ecom, const Vyro::Eos::QueryEntitlementsOptions* options,
                                                void* clientData, Vyro::Eos::OnQueryEntitlementsCallback* completion);
VYRO_SIM_EXPORT std::uint32_t EOS_Ecom_GetEntitlementsCount(Vyro::Eos::HEcom ecom,
                                                            const Vyro::Eos::GetEntitlementsCountOptions* options);
VYRO_SIM_EXPORT Vyro::Eos::EResult EOS_Ecom_CopyEntitlementByIndex(Vyro::Eos::HEcom ecom,
                                                                   const Vyro::Eos::CopyEntitlementByIndexOptions* options,
                                                                   Vyro::Eos::Entitlement** outEntitlement);
VYRO_SIM_EXPORT void EOS_Ecom_Entitlement_Release(Vyro::Eos::Entitlement* entitlement);

} // extern "C"

// The channel binds these by name into pointers of its own types: a drifting signature would only
// show as a crash at run time, so it is caught here.
namespace Vyro::EosSim::Checks {
namespace E = Vyro::Eos;
static_assert(std::is_same_v<decltype(EOS_Initialize), E::EOS_Initialize_t>);
static_assert(std::is_same_v<decltype(EOS_Shutdown), E::EOS_Shutdown_t>);
static_assert(std::is_same_v<decltype(EOS_Platform_Create), E::EOS_Platform_Create_t>);
static_assert(std::is_same_v<decltype(EOS_Platform_Release), E::EOS_Platform_Release_t>);
static_assert(std::is_same_v<decltype(EOS_Platform_Tick), E::EOS_Platform_Tick_t>);
static_assert(std::is_same_v<decltype(EOS_Platform_GetAuthInterface), E::EOS_Platform_GetAuthInterface_t>);
static_assert(std::is_same_v<decltype(EOS_Platform_GetEcomInterface), E::EOS_Platform_GetEcomInterface_t>);
static_assert(std::is_same_v<decltype(EOS_EResult_ToString), E::EOS_EResult_ToString_t>);
static_assert(std::is_same_v<decltype(EOS_EResult_IsOperationComplete), E::EOS_EResult_IsOperationComplete_t>);
static_assert(std::is_same_v<decltype(EOS_EpicAccountId_IsValid), E::EOS_EpicAccountId_IsValid_t>);
static_assert(std::is_same_v<decltype(EOS_EpicAccountId_ToString), E::EOS_EpicAccountId_ToString_t>);
static_assert(std::is_same_v<decltype(EOS_Logging_SetCallback), E::EOS_Logging_SetCallback_t>);
static_assert(std::is_same_v<decltype(EOS_Logging_SetLogLevel), E::EOS_Logging_SetLogLevel_t>);
static_assert(std::is_same_v<decltype(EOS_Auth_Login), E::EOS_Auth_Login_t>);
static_assert(std::is_same_v<decltype(EOS_Auth_CopyUserAuthToken), E::EOS_Auth_CopyUserAuthToken_t>);
static_assert(std::is_same_v<decltype(EOS_Auth_Token_Release), E::EOS_Auth_Token_Release_t>);
static_assert(std::is_same_v<decltype(EOS_Auth_AddNotifyLoginStatusChanged), E::EOS_Auth_AddNotifyLoginStatusChanged_t>);
static_assert(std::is_same_v<decltype(EOS_Auth_RemoveNotifyLoginStatusChanged), E::EOS_Auth_RemoveNotifyLoginStatusChanged_t>);
static_assert(std::is_same_v<decltype(EOS_Auth_GetLoginStatus), E::EOS_Auth_GetLoginStatus_t>);
static_assert(std::is_same_v<decltype(EOS_Ecom_QueryOffers), E::EOS_Ecom_QueryOffers_t>);
static_assert(std::is_same_v<decltype(EOS_Ecom_GetOfferCount), E::EOS_Ecom_GetOfferCount_t>);
static_assert(std::is_same_v<decltype(EOS_Ecom_CopyOfferByIndex), E::EOS_Ecom_CopyOfferByIndex_t>);
static_assert(std::is_same_v<decltype(EOS_Ecom_CatalogOffer_Release), E::EOS_Ecom_CatalogOffer_Release_t>);
static_assert(std::is_same_v<decltype(EOS_Ecom_Checkout), E::EOS_Ecom_Checkout_t>);
static_assert(std::is_same_v<decltype(EOS_Ecom_QueryEntitlements), E::EOS_Ecom_QueryEntitlements_t>);
static_assert(std::is_same_v<decltype(EOS_Ecom_GetEntitlementsCount), E::EOS_Ecom_GetEntitlementsCount_t>);
static_assert(std::is_same_v<decltype(EOS_Ecom_CopyEntitlementByIndex), E::EOS_Ecom_CopyEntitlementByIndex_t>);
static_assert(std::is_same_v<decltype(EOS_Ecom_Entitlement_Release), E::EOS_Ecom_Entitlement_Release_t>);
} // namespace Vyro::EosSim::Checks
