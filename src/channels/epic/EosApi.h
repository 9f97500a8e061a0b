#pragma once

// The part of the EOS SDK the Epic channel uses, declared as EOSSDK-Win64-Shipping.dll exports it:
// C functions taking option records by pointer, each record starting with the API version the
// channel was written against, and completions called back with a record whose client data is the
// caller's. The SDK packs its records to 8 bytes; every size and key offset is asserted below for
// the 64-bit layout. Text is UTF-8, NUL-terminated; records handed to a completion are valid only
// during that call, copied records until their release function is called.
#include <cstddef>
#include <cstdint>

namespace Vyro {
class StoreLibrary;
}

namespace Vyro::Eos {

inline constexpr wchar_t kRuntimeFileName[] = L"EOSSDK-Win64-Shipping.dll";

using EResult = std::int32_t;
using Bool = std::int32_t;
using NotificationId = std::uint64_t;
using LoginStatus = std::int32_t;
using LogLevel = std::int32_t;
using LogCategory = std::int32_t;

using HPlatform = struct PlatformHandle*;
using HAuth = struct AuthHandle*;
using HEcom = struct EcomHandle*;
using EpicAccountId = struct EpicAccountIdDetails*;

// Results the channel tells apart.
inline constexpr EResult kSuccess = 0;
inline constexpr EResult kCanceled = 17;
inline constexpr EResult kAlreadyConfigured = 15;
inline constexpr EResult kEcomPurchaseProcessing = 4005;

inline constexpr Bool kTrue = 1;
inline constexpr Bool kFalse = 0;
inline constexpr NotificationId kInvalidNotificationId = 0;

// Login credential types and login statuses.
inline constexpr std::int32_t kCredentialExchangeCode = 1;
inline constexpr std::int32_t kCredentialPersistentAuth = 2;
inline constexpr std::int32_t kCredentialRefreshToken = 5;
inline constexpr LoginStatus kNotLoggedIn = 0;
inline constexpr LoginStatus kUsingLocalProfile = 1;
inline constexpr LoginStatus kLoggedIn = 2;
inline constexpr std::int32_t kScopeBasicProfile = 0x1;

// Log levels and the category that stands for all of them.
inline constexpr LogCategory kAllLogCategories = 0x7FFFFFFF;
inline constexpr LogLevel kLogFatal = 100;
inline constexpr LogLevel kLogError = 200;
inline constexpr LogLevel kLogWarning = 300;
inline constexpr LogLevel kLogVeryVerbose = 600;

// An account id as text: 32 characters and the terminator.
inline constexpr std::int32_t kEpicAccountIdMaxLength = 32;
inline constexpr std::int32_t kEpicAccountIdBufferLength = kEpicAccountIdMaxLength + 1;

// API versions of the records below, as the channel fills them.
inline constexpr std::int32_t kInitializeApi = 4;
inline constexpr std::int32_t kPlatformOptionsApi = 14;
inline constexpr std::int32_t kAuthLoginApi = 3;
inline constexpr std::int32_t kAuthCredentialsApi = 4;
inline constexpr std::int32_t kCopyUserAuthTokenApi = 1;
inline constexpr std::int32_t kAddNotifyLoginStatusChangedApi = 1;
inline constexpr std::int32_t kQueryOffersApi = 1;
inline constexpr std::int32_t kGetOfferCountApi = 1;
inline constexpr std::int32_t kCopyOfferByIndexApi = 3;
inline constexpr std::int32_t kCheckoutApi = 2;
inline constexpr std::int32_t kCheckoutEntryApi = 1;
inline constexpr std::int32_t kQueryEntitlementsApi = 3;
inline constexpr std::int32_t kGetEntitlementsCountApi = 1;
inline constexpr std::int32_t kCopyEntitlementByIndexApi = 1;
// Versions of the records the SDK fills.
inline constexpr std::int32_t kAuthTokenApi = 2;
inline constexpr std::int32_t kCatalogOfferApi = 5;
inline constexpr std::int32_t kEntitlementApi = 2;

#pragma pack(push, 8)

using AllocateMemoryFunction = void*(std::size_t sizeInBytes, std::size_t alignment);
using ReallocateMemoryFunction = void*(void* pointer, std::size_t sizeInBytes, std::size_t alignment);
using ReleaseMemoryFunction = void(void* pointer);

struct InitializeOptions {
    std::int32_t apiVersion;
    AllocateMemoryFunction* allocateMemoryFunction;
    ReallocateMemoryFunction* reallocateMemoryFunction;
    ReleaseMemoryFunction* releaseMemoryFunction;
    const char* productName;
    const char* productVersion;
    void* reserved;
    void* systemInitializeOptions;
    const void* overrideThreadAffinity;
};

struct ClientCredentials {
    const char* clientId;
    const char* clientSecret;
};

struct PlatformOptions {
    std::int32_t apiVersion;
    void* reserved;
    const char* productId;
    const char* sandboxId;
    ClientCredentials clientCredentials;
    Bool isServer;
    const char* encryptionKey;
    const char* overrideCountryCode;
    const char* overrideLocaleCode;
    const char* deploymentId;
    std::uint64_t flags;
    const char* cacheDirectory;
    std::uint32_t tickBudgetInMilliseconds;
    const void* rtcOptions;
    void* integratedPlatformOptionsContainerHandle;
    const void* systemSpecificOptions;
    double* taskNetworkTimeoutSeconds;
};

struct LogMessage {
    const char* category;
    const char* message;
    LogLevel level;
};

struct AuthCredentials {
    std::int32_t apiVersion;
    const char* id;
    const char* token;
    std::int32_t type;
    void* systemAuthCredentialsOptions;
    std::int32_t externalType;
};

struct AuthLoginOptions {
    std::int32_t apiVersion;
    const AuthCredentials* credentials;
    std::int32_t scopeFlags;
    std::uint64_t loginFlags;
};

struct AuthLoginCallbackInfo {
    EResult resultCode;
    void* clientData;
    EpicAccountId localUserId;
    const void* pinGrantInfo;
    void* continuanceToken;
    const void* accountFeatureRestrictedInfoDeprecated;
    EpicAccountId selectedAccountId;
};

struct CopyUserAuthTokenOptions {
    std::int32_t apiVersion;
};

struct AuthToken {
    std::int32_t apiVersion;
    const char* app;
    const char* clientId;
    EpicAccountId accountId;
    const char* accessToken;
    double expiresIn;
    const char* expiresAt;
    std::int32_t authType;
    const char* refreshToken;
    double refreshExpiresIn;
    const char* refreshExpiresAt;
};

struct AddNotifyLoginStatusChangedOptions {
    std::int32_t apiVersion;
};

struct LoginStatusChangedCallbackInfo {
    void* clientData;
    EpicAccountId localUserId;
    LoginStatus prevStatus;
    LoginStatus currentStatus;
};

struct QueryOffersOptions {
    std::int32_t apiVersion;
    EpicAccountId localUserId;
    const char* overrideCatalogNamespace;
};

struct QueryOffersCallbackInfo {
    EResult resultCode;
    void* clientData;
    EpicAccountId localUserId;
};

struct GetOfferCountOptions {
    std::int32_t apiVersion;
    EpicAccountId localUserId;
};

struct CopyOfferByIndexOptions {
    std::int32_t apiVersion;
    EpicAccountId localUserId;
    std::uint32_t offerIndex;
};

struct CatalogOffer {
    std::int32_t apiVersion;
    std::int32_t serverIndex;
    const char* catalogNamespace;
    const char* id;
    const char* titleText;
    const char* descriptionText;
    const char* longDescriptionText;
    const char* technicalDetailsTextDeprecated;
    const char* currencyCode;
    EResult priceResult;
    std::uint32_t originalPriceDeprecated;
    std::uint32_t currentPriceDeprecated;
    std::uint8_t discountPercentage;
    std::int64_t expirationTimestamp;
    std::uint32_t purchasedCountDeprecated;
    std::int32_t purchaseLimit;
    Bool availableForPurchase;
    std::uint64_t originalPrice64;
    std::uint64_t currentPrice64;
    std::uint32_t decimalPoint;
    std::int64_t releaseDateTimestamp;
    std::int64_t effectiveDateTimestamp;
};

struct CheckoutEntry {
    std::int32_t apiVersion;
    const char* offerId;
};

struct CheckoutOptions {
    std::int32_t apiVersion;
    EpicAccountId localUserId;
    const char* overrideCatalogNamespace;
    std::uint32_t entryCount;
    const CheckoutEntry* entries;
    std::int32_t preferredOrientation;
};

struct CheckoutCallbackInfo {
    EResult resultCode;
    void* clientData;
    EpicAccountId localUserId;
    const char* transactionId;
};

struct QueryEntitlementsOptions {
    std::int32_t apiVersion;
    EpicAccountId localUserId;
    const char* const* entitlementNames;
    std::uint32_t entitlementNameCount;
    Bool includeRedeemed;
    const char* overrideCatalogNamespace;
};

struct QueryEntitlementsCallbackInfo {
    EResult resultCode;
    void* clientData;
    EpicAccountId localUserId;
};

struct GetEntitlementsCountOptions {
    std::int32_t apiVersion;
    EpicAccountId localUserId;
};

struct CopyEntitlementByIndexOptions {
    std::int32_t apiVersion;
    EpicAccountId localUserId;
    std::uint32_t entitlementIndex;
};

struct Entitlement {
    std::int32_t apiVersion;
    const char* entitlementName;
    const char* entitlementId;
    const char* catalogItemId;
    std::int32_t serverIndex;
    Bool redeemed;
    std::int64_t endTimestamp;
};

#pragma pack(pop)

static_assert(sizeof(void*) == 8, "the EOS records below are laid out for 64-bit builds");
static_assert(sizeof(InitializeOptions) == 72 && offsetof(InitializeOptions, productName) == 32 &&
              offsetof(InitializeOptions, overrideThreadAffinity) == 64);
static_assert(sizeof(PlatformOptions) == 144 && offsetof(PlatformOptions, clientCredentials) == 32 &&
              offsetof(PlatformOptions, isServer) == 48 && offsetof(PlatformOptions, deploymentId) == 80 &&
              offsetof(PlatformOptions, flags) == 88 && offsetof(PlatformOptions, tickBudgetInMilliseconds) == 104 &&
              offsetof(PlatformOptions, rtcOptions) == 112 && offsetof(PlatformOptions, taskNetworkTimeoutSeconds) == 136);
static_assert(sizeof(LogMessage) == 24 && offsetof(LogMessage, level) == 16);
static_assert(sizeof(AuthCredentials) == 48 && offsetof(AuthCredentials, type) == 24 &&
              offsetof(AuthCredentials, externalType) == 40);
static_assert(sizeof(AuthLoginOptions) == 32 && offsetof(AuthLoginOptions, scopeFlags) == 16 &&
              offsetof(AuthLoginOptions, loginFlags) == 24);
static_assert(sizeof(AuthLoginCallbackInfo) == 56 && offsetof(AuthLoginCallbackInfo, localUserId) == 16);
static_assert(sizeof(AuthToken) == 88 && offsetof(AuthToken, accountId) == 24 && offsetof(AuthToken, accessToken) == 32 &&
              offsetof(AuthToken, refreshToken) == 64);
static_assert(sizeof(LoginStatusChangedCallbackInfo) == 24 && offsetof(LoginStatusChangedCallbackInfo, prevStatus) == 16);
static_assert(sizeof(QueryOffersOptions) == 24 && sizeof(QueryOffersCallbackInfo) == 24);
static_assert(sizeof(GetOfferCountOptions) == 16 && sizeof(CopyOfferByIndexOptions) == 24);
static_assert(sizeof(CatalogOffer) == 144 && offsetof(CatalogOffer, currencyCode) == 56 &&
              offsetof(CatalogOffer, priceResult) == 64 && offsetof(CatalogOffer, expirationTimestamp) == 80 &&
              offsetof(CatalogOffer, availableForPurchase) == 96 && offsetof(CatalogOffer, originalPrice64) == 104 &&
              offsetof(CatalogOffer, currentPrice64) == 112 && offsetof(CatalogOffer, decimalPoint) == 120 &&
              offsetof(CatalogOffer, effectiveDateTimestamp) == 136);
static_assert(sizeof(CheckoutEntry) == 16 && sizeof(CheckoutOptions) == 48 && offsetof(CheckoutOptions, entries) == 32);
static_assert(sizeof(CheckoutCallbackInfo) == 32 && offsetof(CheckoutCallbackInfo, transactionId) == 24);
static_assert(sizeof(QueryEntitlementsOptions) == 40 && offsetof(QueryEntitlementsOptions, includeRedeemed) == 28);
static_assert(sizeof(GetEntitlementsCountOptions) == 16 && sizeof(CopyEntitlementByIndexOptions) == 24);
static_assert(sizeof(Entitlement) == 48 && offsetof(Entitlement, redeemed) == 36 && offsetof(Entitlement, endTimestamp) == 40);

// Completions and handlers the SDK calls, always inside EOS_Platform_Tick except the log callback.
using LogMessageFunction = void(const LogMessage* message);
using OnLoginCallback = void(const AuthLoginCallbackInfo* data);
using OnLoginStatusChangedCallback = void(const LoginStatusChangedCallbackInfo* data);
using OnQueryOffersCallback = void(const QueryOffersCallbackInfo* data);
using OnCheckoutCallback = void(const CheckoutCallbackInfo* data);
using OnQueryEntitlementsCallback = void(const QueryEntitlementsCallbackInfo* data);

// The exports of EOSSDK-Win64-Shipping.dll that the channel calls.
using EOS_Initialize_t = EResult(const InitializeOptions* options);
using EOS_Shutdown_t = EResult();
using EOS_Platform_Create_t = HPlatform(const PlatformOptions* options);
using EOS_Platform_Release_t = void(HPlatform platform);
using EOS_Platform_Tick_t = void(HPlatform platform);
using EOS_Platform_GetAuthInterface_t = HAuth(HPlatform platform);
using EOS_Platform_GetEcomInterface_t = HEcom(HPlatform platform);
using EOS_EResult_ToString_t = const char*(EResult result);
using EOS_EResult_IsOperationComplete_t = Bool(EResult result);
using EOS_EpicAccountId_IsValid_t = Bool(EpicAccountId accountId);
using EOS_EpicAccountId_ToString_t = EResult(EpicAccountId accountId, char* outBuffer, std::int32_t* inOutBufferLength);
using EOS_Logging_SetCallback_t = EResult(LogMessageFunction* callback);
using EOS_Logging_SetLogLevel_t = EResult(LogCategory category, LogLevel level);
using EOS_Auth_Login_t = void(HAuth auth, const AuthLoginOptions* options, void* clientData, OnLoginCallback* completion);
using EOS_Auth_CopyUserAuthToken_t = EResult(HAuth auth, const CopyUserAuthTokenOptions* options, EpicAccountId localUserId,
                                             AuthToken** outToken);
using EOS_Auth_Token_Release_t = void(AuthToken* token);
using EOS_Auth_AddNotifyLoginStatusChanged_t = NotificationId(HAuth auth, const AddNotifyLoginStatusChangedOptions* options,
                                                              void* clientData, OnLoginStatusChangedCallback* notification);
using EOS_Auth_RemoveNotifyLoginStatusChanged_t = void(HAuth auth, NotificationId id);
using EOS_Auth_GetLoginStatus_t = LoginStatus(HAuth auth, EpicAccountId localUserId);
using EOS_Ecom_QueryOffers_t = void(HEcom ecom, const QueryOffersOptions* options, void* clientData,
                                    OnQueryOffersCallback* completion);
using EOS_Ecom_GetOfferCount_t = std::uint32_t(HEcom ecom, const GetOfferCountOptions* options);
using EOS_Ecom_CopyOfferByIndex_t = EResult(HEcom ecom, const CopyOfferByIndexOptions* options, CatalogOffer** outOffer);
using EOS_Ecom_CatalogOffer_Release_t = void(CatalogOffer* offer);
using EOS_Ecom_Checkout_t = void(HEcom ecom, const CheckoutOptions* options, void* clientData, OnCheckoutCallback* completion);
using EOS_Ecom_QueryEntitlements_t = void(HEcom ecom, const QueryEntitlementsOptions* options, void* clientData,
                                          OnQueryEntitlementsCallback* completion);
using EOS_Ecom_GetEntitlementsCount_t = std::uint32_t(HEcom ecom, const GetEntitlementsCountOptions* options);
using EOS_Ecom_CopyEntitlementByIndex_t = EResult(HEcom ecom, const CopyEntitlementByIndexOptions* options,
                                                  Entitlement** outEntitlement);
using EOS_Ecom_Entitlement_Release_t = void(Entitlement* entitlement);

// One pointer per export, bound by name.
struct EosApi {
    EOS_Initialize_t* initialize = nullptr;
    EOS_Shutdown_t* shutdown = nullptr;
    EOS_Platform_Create_t* platformCreate = nullptr;
    EOS_Platform_Release_t* platformRelease = nullptr;
    EOS_Platform_Tick_t* platformTick = nullptr;
    EOS_Platform_GetAuthInterface_t* platformGetAuthInterface = nullptr;
    EOS_Platform_GetEcomInterface_t* platformGetEcomInterface = nullptr;
    EOS_EResult_ToString_t* resultToString = nullptr;
    EOS_EResult_IsOperationComplete_t* resultIsOperationComplete = nullptr;
    EOS_EpicAccountId_IsValid_t* accountIdIsValid = nullptr;
    EOS_EpicAccountId_ToString_t* accountIdToString = nullptr;
    EOS_Logging_SetCallback_t* loggingSetCallback = nullptr;
    EOS_Logging_SetLogLevel_t* loggingSetLogLevel = nullptr;
    EOS_Auth_Login_t* authLogin = nullptr;
    EOS_Auth_CopyUserAuthToken_t* authCopyUserAuthToken = nullptr;
    EOS_Auth_Token_Release_t* authTokenRelease = nullptr;
    EOS_Auth_AddNotifyLoginStatusChanged_t* authAddNotifyLoginStatusChanged = nullptr;
    EOS_Auth_RemoveNotifyLoginStatusChanged_t* authRemoveNotifyLoginStatusChanged = nullptr;
    EOS_Auth_GetLoginStatus_t* authGetLoginStatus = nullptr;
    EOS_Ecom_QueryOffers_t* ecomQueryOffers = nullptr;
    EOS_Ecom_GetOfferCount_t* ecomGetOfferCount = nullptr;
    EOS_Ecom_CopyOfferByIndex_t* ecomCopyOfferByIndex = nullptr;
    EOS_Ecom_CatalogOffer_Release_t* ecomCatalogOfferRelease = nullptr;
    EOS_Ecom_Checkout_t* ecomCheckout = nullptr;
    EOS_Ecom_QueryEntitlements_t* ecomQueryEntitlements = nullptr;
    EOS_Ecom_GetEntitlementsCount_t* ecomGetEntitlementsCount = nullptr;
    EOS_Ecom_CopyEntitlementByIndex_t* ecomCopyEntitlementByIndex = nullptr;
    EOS_Ecom_Entitlement_Release_t* ecomEntitlementRelease = nullptr;
};

// Resolves every export of the table; false (each missing one logged) when any is missing.
bool BindEosApi(const StoreLibrary& library, EosApi& api);

} // namespace Vyro::Eos
