// The purchase dialog and the user's collections id. The dialog completes as programmed: S_OK for a
// purchase, E_ABORT when the player closes it, any other failure as the store's. The collections id
// is an opaque text the game's server passes on to the store's collections service.
#include <cstring>
#include <string>

#include "StoreCalls.h"
#include "XboxSim.h"

using namespace Vyro::XboxSim;
namespace Gdk = Vyro::Gdk;

namespace {

constexpr char kPurchase[] = "XStoreShowPurchaseUIAsync";
constexpr char kCollectionsId[] = "XStoreGetUserCollectionsIdAsync";

HResult StartPurchase(Call& call, Gdk::XStoreContextHandle context, const char* storeId, Gdk::XAsyncBlock* block)
{
    if (!StoreContextOpen(call, context) || !call.Requires(storeId != nullptr, "null storeId")) {
        return call.Returns(Results::kInvalidArg);
    }
    return StartStoreCall(call, block, call.Rt().store.settings.purchase, [](SimState&, Operation&) { return Results::kOk; });
}

HResult TakePurchase(Call& call, Gdk::XAsyncBlock* block)
{
    HResult failure = Results::kOk;
    Operation* operation = ReadStoreResult(call, block, kPurchase, call.Rt().store.settings.purchase.resultResult, failure);
    if (operation == nullptr) {
        return call.Returns(failure);
    }
    operation->resultTaken = true;
    return call.Returns(Results::kOk);
}

HResult StartCollectionsId(Call& call, Gdk::XStoreContextHandle context, const char* serviceTicket,
                           const char* publisherUserId, Gdk::XAsyncBlock* block)
{
    if (!StoreContextOpen(call, context) || !call.Requires(serviceTicket != nullptr, "null serviceTicket") ||
        !call.Requires(publisherUserId != nullptr, "null publisherUserId")) {
        return call.Returns(Results::kInvalidArg);
    }
    return StartStoreCall(call, block, call.Rt().store.settings.collectionsId, [](SimState& state, Operation& operation) {
        operation.value = state.runtime.store.settings.collectionsIdText;
        return Results::kOk;
    });
}

// The size counts the terminator.
std::size_t CollectionsIdSize(const Operation& operation) { return std::any_cast<const std::string&>(operation.value).size() + 1; }

HResult GiveCollectionsIdSize(Call& call, Gdk::XAsyncBlock* block, std::size_t* size)
{
    if (!call.Requires(size != nullptr, "null size")) {
        return call.Returns(Results::kInvalidArg);
    }
    HResult failure = Results::kOk;
    const Operation* operation =
        ReadStoreResult(call, block, kCollectionsId, call.Rt().store.settings.collectionsId.resultResult, failure);
    if (operation == nullptr) {
        return call.Returns(failure);
    }
    *size = CollectionsIdSize(*operation);
    call.Entry()["size"] = *size;
    return call.Returns(Results::kOk);
}

HResult GiveCollectionsId(Call& call, Gdk::XAsyncBlock* block, std::size_t size, char* result)
{
    if (!call.Requires(result != nullptr, "null result buffer")) {
        return call.Returns(Results::kInvalidArg);
    }
    HResult failure = Results::kOk;
    Operation* operation =
        ReadStoreResult(call, block, kCollectionsId, call.Rt().store.settings.collectionsIdResultResult, failure);
    if (operation == nullptr) {
        return call.Returns(failure);
    }
    const std::size_t required = CollectionsIdSize(*operation);
    if (size < required) {
        call.Entry()["required"] = required;
        return call.Returns(Results::kNotSufficientBuffer);
    }
    const auto& text = std::any_cast<const std::string&>(operation->value);
    std::memcpy(result, text.c_str(), required);
    operation->resultTaken = true;
    call.Entry()["collectionsId"] = text;
    return call.Returns(Results::kOk);
}

} // namespace

extern "C" {

Gdk::HResult XStoreShowPurchaseUIAsync(Gdk::XStoreContextHandle storeContextHandle, const char* storeId, const char* name,
                                       const char* extendedJsonData, Gdk::XAsyncBlock* async)
{
    return RuntimeCall(kPurchase,
                       {{"storeId", JournalText(storeId)}, {"name", JournalText(name)}, {"extendedJsonData", JournalText(extendedJsonData)}},
                       [&](Call& call) { return StartPurchase(call, storeContextHandle, storeId, async); });
}

Gdk::HResult XStoreShowPurchaseUIResult(Gdk::XAsyncBlock* async)
{
    return RuntimeCall("XStoreShowPurchaseUIResult", {}, [&](Call& call) { return TakePurchase(call, async); });
}

Gdk::HResult XStoreGetUserCollectionsIdAsync(Gdk::XStoreContextHandle storeContextHandle, const char* serviceTicket,
                                             const char* publisherUserId, Gdk::XAsyncBlock* async)
{
    return RuntimeCall(kCollectionsId, {{"serviceTicket", JournalText(serviceTicket)}, {"publisherUserId", JournalText(publisherUserId)}},
                       [&](Call& call) { return StartCollectionsId(call, storeContextHandle, serviceTicket, publisherUserId, async); });
}

Gdk::HResult XStoreGetUserCollectionsIdResultSize(Gdk::XAsyncBlock* async, std::size_t* size)
{
    return RuntimeCall("XStoreGetUserCollectionsIdResultSize", {},
                       [&](Call& call) { return GiveCollectionsIdSize(call, async, size); });
}

Gdk::HResult XStoreGetUserCollectionsIdResult(Gdk::XAsyncBlock* async, std::size_t size, char* result)
{
    return RuntimeCall("XStoreGetUserCollectionsIdResult", {{"size", size}},
                       [&](Call& call) { return GiveCollectionsId(call, async, size, result); });
}

} // extern "C"
