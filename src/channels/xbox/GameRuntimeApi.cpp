#include "channels/xbox/GameRuntimeApi.h"

#include "core/StoreLibrary.h"

namespace Vyro::Gdk {

bool BindGameRuntimeApi(const StoreLibrary& library, GameRuntimeApi& api)
{
    // Every export is tried, so that the log names all the missing ones at once.
    bool bound = true;
    bound &= library.Bind("XGameRuntimeInitialize", api.XGameRuntimeInitialize);
    bound &= library.Bind("XGameRuntimeUninitialize", api.XGameRuntimeUninitialize);
    bound &= library.Bind("XTaskQueueCreate", api.XTaskQueueCreate);
    bound &= library.Bind("XTaskQueueDispatch", api.XTaskQueueDispatch);
    bound &= library.Bind("XTaskQueueTerminate", api.XTaskQueueTerminate);
    bound &= library.Bind("XTaskQueueCloseHandle", api.XTaskQueueCloseHandle);
    bound &= library.Bind("XAsyncGetStatus", api.XAsyncGetStatus);
    bound &= library.Bind("XUserAddAsync", api.XUserAddAsync);
    bound &= library.Bind("XUserAddResult", api.XUserAddResult);
    bound &= library.Bind("XUserGetId", api.XUserGetId);
    bound &= library.Bind("XUserGetGamertag", api.XUserGetGamertag);
    bound &= library.Bind("XUserIsStoreUser", api.XUserIsStoreUser);
    bound &= library.Bind("XUserCloseHandle", api.XUserCloseHandle);
    bound &= library.Bind("XUserGetTokenAndSignatureAsync", api.XUserGetTokenAndSignatureAsync);
    bound &= library.Bind("XUserGetTokenAndSignatureResultSize", api.XUserGetTokenAndSignatureResultSize);
    bound &= library.Bind("XUserGetTokenAndSignatureResult", api.XUserGetTokenAndSignatureResult);
    bound &= library.Bind("XUserRegisterForChangeEvent", api.XUserRegisterForChangeEvent);
    bound &= library.Bind("XUserUnregisterForChangeEvent", api.XUserUnregisterForChangeEvent);
    bound &= library.Bind("XStoreCreateContext", api.XStoreCreateContext);
    bound &= library.Bind("XStoreCloseContextHandle", api.XStoreCloseContextHandle);
    bound &= library.Bind("XGameGetXboxTitleId", api.XGameGetXboxTitleId);
    bound &= library.Bind("XSystemGetXboxLiveSandboxId", api.XSystemGetXboxLiveSandboxId);
    bound &= library.Bind("XGameInviteRegisterForEvent", api.XGameInviteRegisterForEvent);
    bound &= library.Bind("XGameInviteUnregisterForEvent", api.XGameInviteUnregisterForEvent);
    bound &= library.Bind("XStoreQueryProductsAsync", api.XStoreQueryProductsAsync);
    bound &= library.Bind("XStoreQueryProductsResult", api.XStoreQueryProductsResult);
    bound &= library.Bind("XStoreEnumerateProductsQuery", api.XStoreEnumerateProductsQuery);
    bound &= library.Bind("XStoreProductsQueryHasMorePages", api.XStoreProductsQueryHasMorePages);
    bound &= library.Bind("XStoreProductsQueryNextPageAsync", api.XStoreProductsQueryNextPageAsync);
    bound &= library.Bind("XStoreProductsQueryNextPageResult", api.XStoreProductsQueryNextPageResult);
    bound &= library.Bind("XStoreCloseProductsQueryHandle", api.XStoreCloseProductsQueryHandle);
    bound &= library.Bind("XStoreShowPurchaseUIAsync", api.XStoreShowPurchaseUIAsync);
    bound &= library.Bind("XStoreShowPurchaseUIResult", api.XStoreShowPurchaseUIResult);
    bound &= library.Bind("XStoreGetUserCollectionsIdAsync", api.XStoreGetUserCollectionsIdAsync);
    bound &= library.Bind("XStoreGetUserCollectionsIdResultSize", api.XStoreGetUserCollectionsIdResultSize);
    bound &= library.Bind("XStoreGetUserCollectionsIdResult", api.XStoreGetUserCollectionsIdResult);
    bound &= library.Bind("XGameUiShowSendGameInviteAsync", api.XGameUiShowSendGameInviteAsync);
    bound &= library.Bind("XGameUiShowSendGameInviteResult", api.XGameUiShowSendGameInviteResult);
    bound &= library.Bind("XUserCheckPrivilege", api.XUserCheckPrivilege);
    bound &= library.Bind("XUserResolvePrivilegeWithUiAsync", api.XUserResolvePrivilegeWithUiAsync);
    bound &= library.Bind("XUserResolvePrivilegeWithUiResult", api.XUserResolvePrivilegeWithUiResult);
    bound &= library.Bind("XGameUiShowErrorDialogAsync", api.XGameUiShowErrorDialogAsync);
    bound &= library.Bind("XGameUiShowErrorDialogResult", api.XGameUiShowErrorDialogResult);
    bound &= library.Bind("XGameUiShowMessageDialogAsync", api.XGameUiShowMessageDialogAsync);
    bound &= library.Bind("XGameUiShowMessageDialogResult", api.XGameUiShowMessageDialogResult);
    bound &= library.Bind("XGameUiShowPlayerProfileCardAsync", api.XGameUiShowPlayerProfileCardAsync);
    bound &= library.Bind("XGameUiShowPlayerProfileCardResult", api.XGameUiShowPlayerProfileCardResult);
    bound &= library.Bind("XGameUiShowTextEntryAsync", api.XGameUiShowTextEntryAsync);
    bound &= library.Bind("XGameUiShowTextEntryResultSize", api.XGameUiShowTextEntryResultSize);
    bound &= library.Bind("XGameUiShowTextEntryResult", api.XGameUiShowTextEntryResult);
    return bound;
}

} // namespace Vyro::Gdk
