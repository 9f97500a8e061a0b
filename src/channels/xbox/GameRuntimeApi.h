#pragma once

// The part of the Gaming Runtime the Xbox channel uses, declared as xgameruntime.dll exports it: C
// functions returning HRESULTs, opaque handles, and asynchronous calls driven by an XAsyncBlock the
// caller owns until its completion routine has run. Completions of work queued on a task queue
// whose completion port is manual run only inside XTaskQueueDispatch, on the calling thread. Text
// is UTF-8. Sizes are asserted below for the 64-bit layout.
#include <cstddef>
#include <cstdint>

#include "channels/xbox/GameUiApi.h"
#include "channels/xbox/XUserPrivilegeApi.h"

namespace Vyro {
class StoreLibrary;
}

namespace Vyro::Gdk {

inline constexpr wchar_t kRuntimeFileName[] = L"xgameruntime.dll";

using HResult = std::int32_t;

inline constexpr HResult kOk = 0;
inline constexpr HResult kPending = static_cast<HResult>(0x8000000A);      // E_PENDING
inline constexpr HResult kAbort = static_cast<HResult>(0x80004004);        // E_ABORT
inline constexpr HResult kRuntimeNotFound = static_cast<HResult>(0x89240101);        // E_GAMERUNTIME_DLL_NOT_FOUND
inline constexpr HResult kRuntimeVersionMismatch = static_cast<HResult>(0x89240102); // E_GAMERUNTIME_VERSION_MISMATCH

inline constexpr bool Succeeded(HResult result) { return result >= 0; }

using XTaskQueueHandle = struct XTaskQueueObject*;
using XUserHandle = struct XUser*;
using XStoreContextHandle = struct XStoreContext*;

enum class XTaskQueuePort : std::uint32_t { Work = 0, Completion = 1 };
enum class XTaskQueueDispatchMode : std::uint32_t { Manual = 0, ThreadPool = 1, SerializedThreadPool = 2, Immediate = 3 };

struct XTaskQueueRegistrationToken {
    std::uint64_t token;
};

struct XAsyncBlock;
using XAsyncCompletionRoutine = void(XAsyncBlock* asyncBlock);

// The caller's record of one asynchronous call; the runtime keeps its own state in `internal` and
// requires the block to stay put, unchanged, until the completion routine has run.
struct XAsyncBlock {
    XTaskQueueHandle queue;
    void* context;
    XAsyncCompletionRoutine* callback;
    unsigned char internal[sizeof(void*) * 4];
};

using XTaskQueueTerminatedCallback = void(void* context);

enum class XUserAddOptions : std::uint32_t {
    None = 0x00,
    AddDefaultUserSilently = 0x01,
    AllowGuests = 0x02,
    AddDefaultUserAllowingUI = 0x04,
};

enum class XUserGamertagComponent : std::uint32_t { Classic = 0, Modern = 1, ModernSuffix = 2, UniqueModern = 3 };
// Buffer sizes of each component, terminator included.
inline constexpr std::size_t kGamertagClassicMaxBytes = 16;
inline constexpr std::size_t kGamertagModernMaxBytes = 97;
inline constexpr std::size_t kGamertagModernSuffixMaxBytes = 15;
inline constexpr std::size_t kGamertagUniqueModernMaxBytes = 101;

enum class XUserGetTokenAndSignatureOptions : std::uint32_t { None = 0x00, ForceRefresh = 0x01, AllUsers = 0x02 };

struct XUserGetTokenAndSignatureHttpHeader {
    const char* name;
    const char* value;
};

// Laid out at the start of the caller's result buffer; the texts point into the same buffer.
struct XUserGetTokenAndSignatureData {
    std::size_t tokenSize;
    std::size_t signatureSize;
    const char* token;
    const char* signature;
};

struct XUserLocalId {
    std::uint64_t value;
};

enum class XUserChangeEvent : std::uint32_t {
    SignedInAgain = 0,
    SigningOut = 1,
    SignedOut = 2,
    Gamertag = 3,
    GamerPicture = 4,
    Privileges = 5,
};

using XUserChangeEventCallback = void(void* context, XUserLocalId userLocalId, XUserChangeEvent event);

// The sandbox id buffer size, terminator included.
inline constexpr std::size_t kSandboxIdMaxBytes = 16;

// Called with the invite's URI when the player accepts a game invite or starts the game from one.
using XGameInviteEventCallback = void(void* context, const char* inviteUri);

static_assert(sizeof(void*) == 8, "the Gaming Runtime records below are laid out for 64-bit builds");
static_assert(sizeof(XAsyncBlock) == 56 && offsetof(XAsyncBlock, callback) == 16 && offsetof(XAsyncBlock, internal) == 24);
static_assert(sizeof(XTaskQueueRegistrationToken) == 8 && sizeof(XUserLocalId) == 8);
static_assert(sizeof(XUserGetTokenAndSignatureData) == 32 && offsetof(XUserGetTokenAndSignatureData, token) == 16);
static_assert(sizeof(XUserGetTokenAndSignatureHttpHeader) == 16);
static_assert(sizeof(XTaskQueuePort) == 4 && sizeof(XTaskQueueDispatchMode) == 4 && sizeof(XUserAddOptions) == 4 &&
              sizeof(XUserGamertagComponent) == 4 && sizeof(XUserGetTokenAndSignatureOptions) == 4 &&
              sizeof(XUserChangeEvent) == 4);

// The store. Product records handed to an enumeration callback (and every text and array they point
// to) belong to the runtime and are valid only while that callback runs. Texts may be null.
using XStoreProductQueryHandle = struct XStoreProductQuery*;

// Product kinds, combinable as flags.
enum class XStoreProductKind : std::uint32_t {
    None = 0x00,
    Consumable = 0x01,
    Durable = 0x02,
    Game = 0x04,
    Pass = 0x08,
    UnmanagedConsumable = 0x10,
};

enum class XStoreDurationUnit : std::uint32_t { Minute = 0, Hour = 1, Day = 2, Week = 3, Month = 4, Year = 5 };

// The formatted price texts are fixed buffers, terminator included.
inline constexpr std::size_t kStorePriceTextBytes = 16;

struct XStoreImage {
    const char* uri;
    std::uint32_t height;
    std::uint32_t width;
    const char* caption;
    const char* imagePurposeTag;
};

// Amounts in single precision; dates are 64-bit time_t values.
struct XStorePrice {
    float basePrice;
    float price;
    float recurrencePrice;
    const char* currencyCode;
    char formattedBasePrice[kStorePriceTextBytes];
    char formattedPrice[kStorePriceTextBytes];
    char formattedRecurrencePrice[kStorePriceTextBytes];
    bool isOnSale;
    std::int64_t saleEndDate;
};

struct XStoreAvailability {
    const char* availabilityId;
    XStorePrice price;
    std::int64_t endDate;
};

struct XStoreCollectionData {
    std::int64_t acquiredDate;
    std::int64_t startDate;
    std::int64_t endDate;
    bool isTrial;
    std::uint32_t trialTimeRemainingInSeconds;
    std::uint32_t quantity;
    const char* campaignId;
    const char* developerOfferId;
};

struct XStoreSubscriptionInfo {
    bool hasTrialPeriod;
    XStoreDurationUnit trialPeriodUnit;
    std::uint32_t trialPeriod;
    XStoreDurationUnit billingPeriodUnit;
    std::uint32_t billingPeriod;
};

struct XStoreVideo {
    const char* uri;
    std::uint32_t height;
    std::uint32_t width;
    const char* caption;
    const char* videoPurposeTag;
    XStoreImage previewImage;
};

// A bundle's SKUs are listed by their ids only.
struct XStoreSku {
    const char* skuId;
    const char* title;
    const char* description;
    const char* language;
    XStorePrice price;
    bool isTrial;
    bool isInUserCollection;
    XStoreCollectionData collectionData;
    bool isSubscription;
    XStoreSubscriptionInfo subscriptionInfo;
    std::uint32_t bundledSkusCount;
    const char** bundledSkus;
    std::uint32_t imagesCount;
    XStoreImage* images;
    std::uint32_t videosCount;
    XStoreVideo* videos;
    std::uint32_t availabilitiesCount;
    XStoreAvailability* availabilities;
};

struct XStoreProduct {
    const char* storeId;
    const char* title;
    const char* description;
    const char* language;
    const char* inAppOfferToken;
    char* linkUri;
    XStoreProductKind productKind;
    XStorePrice price;
    bool hasDigitalDownload;
    bool isInUserCollection;
    std::uint32_t keywordsCount;
    const char** keywords;
    std::uint32_t skusCount;
    XStoreSku* skus;
    std::uint32_t imagesCount;
    XStoreImage* images;
    std::uint32_t videosCount;
    XStoreVideo* videos;
};

// Called once per product of the page, on the enumerating thread; false stops the enumeration.
using XStoreProductQueryCallback = bool(const XStoreProduct* product, void* context);

static_assert(sizeof(XStoreProductKind) == 4 && sizeof(XStoreDurationUnit) == 4);
static_assert(sizeof(XStoreImage) == 32 && offsetof(XStoreImage, caption) == 16);
static_assert(sizeof(XStorePrice) == 88 && offsetof(XStorePrice, currencyCode) == 16 &&
              offsetof(XStorePrice, formattedPrice) == 40 && offsetof(XStorePrice, isOnSale) == 72 &&
              offsetof(XStorePrice, saleEndDate) == 80);
static_assert(sizeof(XStoreAvailability) == 104 && offsetof(XStoreAvailability, endDate) == 96);
static_assert(sizeof(XStoreCollectionData) == 56 && offsetof(XStoreCollectionData, trialTimeRemainingInSeconds) == 28 &&
              offsetof(XStoreCollectionData, campaignId) == 40);
static_assert(sizeof(XStoreSubscriptionInfo) == 20 && offsetof(XStoreSubscriptionInfo, billingPeriod) == 16);
static_assert(sizeof(XStoreVideo) == 64 && offsetof(XStoreVideo, previewImage) == 32);
static_assert(sizeof(XStoreSku) == 272 && offsetof(XStoreSku, price) == 32 && offsetof(XStoreSku, isTrial) == 120 &&
              offsetof(XStoreSku, collectionData) == 128 && offsetof(XStoreSku, isSubscription) == 184 &&
              offsetof(XStoreSku, subscriptionInfo) == 188 && offsetof(XStoreSku, bundledSkusCount) == 208 &&
              offsetof(XStoreSku, availabilities) == 264);
static_assert(sizeof(XStoreProduct) == 208 && offsetof(XStoreProduct, productKind) == 48 &&
              offsetof(XStoreProduct, price) == 56 && offsetof(XStoreProduct, hasDigitalDownload) == 144 &&
              offsetof(XStoreProduct, keywordsCount) == 148 && offsetof(XStoreProduct, skusCount) == 160 &&
              offsetof(XStoreProduct, skus) == 168 && offsetof(XStoreProduct, videos) == 200);

// The exports of xgameruntime.dll that the channel calls.
using XGameRuntimeInitialize_t = HResult();
using XGameRuntimeUninitialize_t = void();
using XTaskQueueCreate_t = HResult(XTaskQueueDispatchMode workDispatchMode, XTaskQueueDispatchMode completionDispatchMode,
                                   XTaskQueueHandle* queue);
using XTaskQueueDispatch_t = bool(XTaskQueueHandle queue, XTaskQueuePort port, std::uint32_t timeoutInMs);
using XTaskQueueTerminate_t = HResult(XTaskQueueHandle queue, bool wait, void* callbackContext,
                                      XTaskQueueTerminatedCallback* callback);
using XTaskQueueCloseHandle_t = void(XTaskQueueHandle queue);
using XAsyncGetStatus_t = HResult(XAsyncBlock* asyncBlock, bool wait);
// Asks the call on the block to stop: it completes with E_ABORT (its completion routine still runs)
// now, later, or not at all when its work is past stopping.
using XAsyncCancel_t = void(XAsyncBlock* asyncBlock);
using XUserAddAsync_t = HResult(XUserAddOptions options, XAsyncBlock* asyncBlock);
using XUserAddResult_t = HResult(XAsyncBlock* asyncBlock, XUserHandle* newUser);
using XUserGetId_t = HResult(XUserHandle user, std::uint64_t* userId);
using XUserGetGamertag_t = HResult(XUserHandle user, XUserGamertagComponent gamertagComponent, std::size_t gamertagSize,
                                   char* gamertag, std::size_t* gamertagUsed);
using XUserIsStoreUser_t = bool(XUserHandle user);
using XUserCloseHandle_t = void(XUserHandle user);
using XUserGetTokenAndSignatureAsync_t = HResult(XUserHandle user, XUserGetTokenAndSignatureOptions options,
                                                 const char* method, const char* url, std::size_t headerCount,
                                                 const XUserGetTokenAndSignatureHttpHeader* headers,
                                                 std::size_t bodySize, const void* bodyBuffer, XAsyncBlock* asyncBlock);
using XUserGetTokenAndSignatureResultSize_t = HResult(XAsyncBlock* asyncBlock, std::size_t* bufferSize);
using XUserGetTokenAndSignatureResult_t = HResult(XAsyncBlock* asyncBlock, std::size_t bufferSize, void* buffer,
                                                  XUserGetTokenAndSignatureData** ptrToBuffer, std::size_t* bufferUsed);
using XUserRegisterForChangeEvent_t = HResult(XTaskQueueHandle queue, void* context, XUserChangeEventCallback* callback,
                                              XTaskQueueRegistrationToken* token);
using XUserUnregisterForChangeEvent_t = bool(XTaskQueueRegistrationToken token, bool wait);
using XStoreCreateContext_t = HResult(XUserHandle user, XStoreContextHandle* storeContextHandle);
using XStoreCloseContextHandle_t = void(XStoreContextHandle storeContextHandle);
using XGameGetXboxTitleId_t = HResult(std::uint32_t* titleId);
using XSystemGetXboxLiveSandboxId_t = HResult(std::size_t sandboxIdSize, char* sandboxId, std::size_t* sandboxIdUsed);
using XGameInviteRegisterForEvent_t = HResult(XTaskQueueHandle queue, void* context, XGameInviteEventCallback* callback,
                                              XTaskQueueRegistrationToken* token);
using XGameInviteUnregisterForEvent_t = bool(XTaskQueueRegistrationToken token, bool wait);

using XStoreQueryProductsAsync_t = HResult(XStoreContextHandle storeContextHandle, XStoreProductKind productKinds,
                                           const char** storeIds, std::size_t storeIdsCount, const char** actionFilters,
                                           std::size_t actionFiltersCount, XAsyncBlock* async);
using XStoreQueryProductsResult_t = HResult(XAsyncBlock* async, XStoreProductQueryHandle* productQueryHandle);
using XStoreEnumerateProductsQuery_t = HResult(XStoreProductQueryHandle productQueryHandle, void* context,
                                               XStoreProductQueryCallback* callback);
using XStoreProductsQueryHasMorePages_t = bool(XStoreProductQueryHandle productQueryHandle);
using XStoreProductsQueryNextPageAsync_t = HResult(XStoreProductQueryHandle productQueryHandle, XAsyncBlock* async);
using XStoreProductsQueryNextPageResult_t = HResult(XAsyncBlock* async, XStoreProductQueryHandle* productQueryHandle);
using XStoreCloseProductsQueryHandle_t = void(XStoreProductQueryHandle productQueryHandle);
using XStoreShowPurchaseUIAsync_t = HResult(XStoreContextHandle storeContextHandle, const char* storeId, const char* name,
                                            const char* extendedJsonData, XAsyncBlock* async);
using XStoreShowPurchaseUIResult_t = HResult(XAsyncBlock* async);
using XStoreGetUserCollectionsIdAsync_t = HResult(XStoreContextHandle storeContextHandle, const char* serviceTicket,
                                                  const char* publisherUserId, XAsyncBlock* async);
using XStoreGetUserCollectionsIdResultSize_t = HResult(XAsyncBlock* async, std::size_t* size);
using XStoreGetUserCollectionsIdResult_t = HResult(XAsyncBlock* async, std::size_t size, char* result);

// The system's dialog inviting friends to the player's current multiplayer activity (its connection
// string and join settings); it fails when the player has set no activity.
using XGameUiShowMultiplayerActivityGameInviteAsync_t = HResult(XAsyncBlock* async, XUserHandle requestingUser);
using XGameUiShowMultiplayerActivityGameInviteResult_t = HResult(XAsyncBlock* async);
// The user privilege check and its resolve dialog; the system dialogs.
using XUserCheckPrivilege_t = HResult(XUserHandle user, XUserPrivilegeOptions options, XUserPrivilege privilege,
                                      bool* hasPrivilege, XUserPrivilegeDenyReason* reason);
using XUserResolvePrivilegeWithUiAsync_t = HResult(XUserHandle user, XUserPrivilegeOptions options, XUserPrivilege privilege,
                                                   XAsyncBlock* async);
using XUserResolvePrivilegeWithUiResult_t = HResult(XAsyncBlock* async);
using XGameUiShowErrorDialogAsync_t = HResult(XAsyncBlock* async, HResult errorCode, const char* context);
using XGameUiShowErrorDialogResult_t = HResult(XAsyncBlock* async);
using XGameUiShowMessageDialogAsync_t = HResult(XAsyncBlock* async, const char* titleText, const char* contentText,
                                                const char* firstButtonText, const char* secondButtonText,
                                                const char* thirdButtonText, XGameUiMessageDialogButton defaultButton,
                                                XGameUiMessageDialogButton cancelButton);
using XGameUiShowMessageDialogResult_t = HResult(XAsyncBlock* async, XGameUiMessageDialogButton* resultButton);
using XGameUiShowPlayerProfileCardAsync_t = HResult(XAsyncBlock* async, XUserHandle requestingUser, std::uint64_t targetPlayer);
using XGameUiShowPlayerProfileCardResult_t = HResult(XAsyncBlock* async);
using XGameUiShowTextEntryAsync_t = HResult(XAsyncBlock* async, const char* titleText, const char* descriptionText,
                                            const char* defaultText, XGameUiTextEntryInputScope inputScope,
                                            std::uint32_t maxTextLength);
// The size counts the terminator.
using XGameUiShowTextEntryResultSize_t = HResult(XAsyncBlock* async, std::uint32_t* resultTextBufferSize);
using XGameUiShowTextEntryResult_t = HResult(XAsyncBlock* async, std::uint32_t resultTextBufferSize, char* resultTextBuffer,
                                             std::uint32_t* resultTextBufferUsed);

// Every export of the runtime the channel calls, as X(name): the table, its binding by name and its
// filling from linked functions are all made from this one list, so that none of them can miss one.
#define VYRO_GAME_RUNTIME_FUNCTIONS(X) \
    X(XGameRuntimeInitialize) \
    X(XGameRuntimeUninitialize) \
    X(XTaskQueueCreate) \
    X(XTaskQueueDispatch) \
    X(XTaskQueueTerminate) \
    X(XTaskQueueCloseHandle) \
    X(XAsyncGetStatus) \
    X(XAsyncCancel) \
    X(XUserAddAsync) \
    X(XUserAddResult) \
    X(XUserGetId) \
    X(XUserGetGamertag) \
    X(XUserIsStoreUser) \
    X(XUserCloseHandle) \
    X(XUserGetTokenAndSignatureAsync) \
    X(XUserGetTokenAndSignatureResultSize) \
    X(XUserGetTokenAndSignatureResult) \
    X(XUserRegisterForChangeEvent) \
    X(XUserUnregisterForChangeEvent) \
    X(XStoreCreateContext) \
    X(XStoreCloseContextHandle) \
    X(XGameGetXboxTitleId) \
    X(XSystemGetXboxLiveSandboxId) \
    X(XGameInviteRegisterForEvent) \
    X(XGameInviteUnregisterForEvent) \
    X(XStoreQueryProductsAsync) \
    X(XStoreQueryProductsResult) \
    X(XStoreEnumerateProductsQuery) \
    X(XStoreProductsQueryHasMorePages) \
    X(XStoreProductsQueryNextPageAsync) \
    X(XStoreProductsQueryNextPageResult) \
    X(XStoreCloseProductsQueryHandle) \
    X(XStoreShowPurchaseUIAsync) \
    X(XStoreShowPurchaseUIResult) \
    X(XStoreGetUserCollectionsIdAsync) \
    X(XStoreGetUserCollectionsIdResultSize) \
    X(XStoreGetUserCollectionsIdResult) \
    X(XGameUiShowMultiplayerActivityGameInviteAsync) \
    X(XGameUiShowMultiplayerActivityGameInviteResult) \
    X(XUserCheckPrivilege) \
    X(XUserResolvePrivilegeWithUiAsync) \
    X(XUserResolvePrivilegeWithUiResult) \
    X(XGameUiShowErrorDialogAsync) \
    X(XGameUiShowErrorDialogResult) \
    X(XGameUiShowMessageDialogAsync) \
    X(XGameUiShowMessageDialogResult) \
    X(XGameUiShowPlayerProfileCardAsync) \
    X(XGameUiShowPlayerProfileCardResult) \
    X(XGameUiShowTextEntryAsync) \
    X(XGameUiShowTextEntryResultSize) \
    X(XGameUiShowTextEntryResult)

// One pointer per export; each member is named after its export.
struct GameRuntimeApi {
#define VYRO_GAME_RUNTIME_MEMBER(name) name##_t* name = nullptr;
    VYRO_GAME_RUNTIME_FUNCTIONS(VYRO_GAME_RUNTIME_MEMBER)
#undef VYRO_GAME_RUNTIME_MEMBER
};

// Resolves every export of the table; false (each missing one logged) when any is missing.
bool BindGameRuntimeApi(const StoreLibrary& library, GameRuntimeApi& api);

} // namespace Vyro::Gdk
