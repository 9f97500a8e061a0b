#pragma once

#include <string>

#include "channels/xbox/GameRuntimeApi.h"
#include "core/ChannelType.h"

namespace Vyro {

class IXboxContext;

// The Xbox channel's store: the products on sale, the system purchase dialog, and the collections id
// a game's server needs to check the player's entitlements. Every store call is made with the store
// context of the signed-in user.
class XboxPayment {
public:
    explicit XboxPayment(IXboxContext* context);

    void Products(const char* params, ResultCallback cb);
    void Checkout(const char* params, ResultCallback cb);
    void CheckEntitlements(const char* params, ResultCallback cb);
    // One collections id request; a store that does not recognise the user is asked again once
    // (`retry` 0), after a successful silent sign-in.
    void RequestCollectionsId(const std::string& serviceTicket, const std::string& publisherUserId,
                              const std::string& requestId, ResultCallback cb, int retry);

private:
    // The signed-in user's store context; null (logged and answered) when there is none.
    Gdk::XStoreContextHandle StoreContext(const std::string& requestId, ResultCallback cb);
    void CompletePurchase(Gdk::XAsyncBlock* block, const std::string& storeId, const std::string& requestId,
                          ResultCallback cb);
    void CompleteCollectionsId(Gdk::XAsyncBlock* block, const std::string& serviceTicket,
                               const std::string& publisherUserId, const std::string& requestId, ResultCallback cb,
                               int retry);

    IXboxContext* context_;
};

} // namespace Vyro
