#include "channels/google/GoogleApi.h"

#include "core/StoreLibrary.h"

namespace Vyro::PlayGames {

bool BindPlayGamesApi(const StoreLibrary& library, PlayGamesApi& api)
{
    // Every export is tried, so that the log names all the missing ones at once.
    bool bound = true;
    bound &= library.Bind("_GooglePlayInitialize", api.initialize);
    bound &= library.Bind("_BillingClient_Create", api.createBillingClient);
    bound &= library.Bind("_BillingClient_Destroy", api.destroyBillingClient);
    bound &= library.Bind("_BillingClient_QueryProductDetails", api.queryProductDetails);
    bound &= library.Bind("_BillingClient_LaunchPurchaseFlow", api.launchPurchaseFlow);
    bound &= library.Bind("_BillingClient_QueryPurchases", api.queryPurchases);
    bound &= library.Bind("_BillingClient_ConsumePurchase", api.consumePurchase);
    return bound;
}

} // namespace Vyro::PlayGames
