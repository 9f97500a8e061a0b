#include "channels/epic/EosApi.h"

#include "core/StoreLibrary.h"

namespace Vyro::Eos {

bool BindEosApi(const StoreLibrary& library, EosApi& api)
{
    // Every export is tried, so that the log names all the missing ones at once.
    bool bound = true;
    bound &= library.Bind("EOS_Initialize", api.initialize);
    bound &= library.Bind("EOS_Shutdown", api.shutdown);
    bound &= library.Bind("EOS_Platform_Create", api.platformCreate);
    bound &= library.Bind("EOS_Platform_Release", api.platformRelease);
    bound &= library.Bind("EOS_Platform_Tick", api.platformTick);
    bound &= library.Bind("EOS_Platform_GetAuthInterface", api.platformGetAuthInterface);
    bound &= library.Bind("EOS_Platform_GetEcomInterface", api.platformGetEcomInterface);
    bound &= library.Bind("EOS_EResult_ToString", api.resultToString);
    bound &= library.Bind("EOS_EResult_IsOperationComplete", api.resultIsOperationComplete);
    bound &= library.Bind("EOS_EpicAccountId_IsValid", api.accountIdIsValid);
    bound &= library.Bind("EOS_EpicAccountId_ToString", api.accountIdToString);
    bound &= library.Bind("EOS_Logging_SetCallback", api.loggingSetCallback);
    bound &= library.Bind("EOS_Logging_SetLogLevel", api.loggingSetLogLevel);
    bound &= library.Bind("EOS_Auth_Login", api.authLogin);
    bound &= library.Bind("EOS_Auth_CopyUserAuthToken", api.authCopyUserAuthToken);
    bound &= library.Bind("EOS_Auth_Token_Release", api.authTokenRelease);
    bound &= library.Bind("EOS_Auth_AddNotifyLoginStatusChanged", api.authAddNotifyLoginStatusChanged);
    bound &= library.Bind("EOS_Auth_RemoveNotifyLoginStatusChanged", api.authRemoveNotifyLoginStatusChanged);
    bound &= library.Bind("EOS_Auth_GetLoginStatus", api.authGetLoginStatus);
    bound &= library.Bind("EOS_Ecom_QueryOffers", api.ecomQueryOffers);
    bound &= library.Bind("EOS_Ecom_GetOfferCount", api.ecomGetOfferCount);
    bound &= library.Bind("EOS_Ecom_CopyOfferByIndex", api.ecomCopyOfferByIndex);
    bound &= library.Bind("EOS_Ecom_CatalogOffer_Release", api.ecomCatalogOfferRelease);
    bound &= library.Bind("EOS_Ecom_Checkout", api.ecomCheckout);
    bound &= library.Bind("EOS_Ecom_QueryEntitlements", api.ecomQueryEntitlements);
    bound &= library.Bind("EOS_Ecom_GetEntitlementsCount", api.ecomGetEntitlementsCount);
    bound &= library.Bind("EOS_Ecom_CopyEntitlementByIndex", api.ecomCopyEntitlementByIndex);
    bound &= library.Bind("EOS_Ecom_Entitlement_Release", api.ecomEntitlementRelease);
    return bound;
}

} // namespace Vyro::Eos
