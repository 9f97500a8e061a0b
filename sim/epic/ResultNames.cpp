#include "ResultNames.h"

#include <algorithm>
#include <array>
#include <utility>

namespace Vyro::EosSim {

namespace {

// The names of eos_result.h for every code a game meets through the platform, auth and ecom
// interfaces, sorted by code.
constexpr std::array<std::pair<Eos::EResult, const char*>, 77> kNames{{
    {0, "EOS_Success"},
    {1, "EOS_NoConnection"},
    {2, "EOS_InvalidCredentials"},
    {3, "EOS_InvalidUser"},
    {4, "EOS_InvalidAuth"},
    {5, "EOS_AccessDenied"},
    {6, "EOS_MissingPermissions"},
    {7, "EOS_Token_Not_Account"},
    {8, "EOS_TooManyRequests"},
    {9, "EOS_AlreadyPending"},
    {10, "EOS_InvalidParameters"},
    {11, "EOS_InvalidRequest"},
    {12, "EOS_UnrecognizedResponse"},
    {13, "EOS_IncompatibleVersion"},
    {14, "EOS_NotConfigured"},
    {15, "EOS_AlreadyConfigured"},
    {16, "EOS_NotImplemented"},
    {17, "EOS_Canceled"},
    {18, "EOS_NotFound"},
    {19, "EOS_OperationWillRetry"},
    {20, "EOS_NoChange"},
    {21, "EOS_VersionMismatch"},
    {22, "EOS_LimitExceeded"},
    {23, "EOS_Disabled"},
    {24, "EOS_DuplicateNotAllowed"},
    {26, "EOS_InvalidSandboxId"},
    {27, "EOS_TimedOut"},
    {28, "EOS_PartialResult"},
    {29, "EOS_Missing_Role"},
    {30, "EOS_Missing_Feature"},
    {31, "EOS_Invalid_Sandbox"},
    {32, "EOS_Invalid_Deployment"},
    {33, "EOS_Invalid_Product"},
    {34, "EOS_Invalid_ProductUserID"},
    {35, "EOS_ServiceFailure"},
    {36, "EOS_CacheDirectoryMissing"},
    {37, "EOS_CacheDirectoryInvalid"},
    {38, "EOS_InvalidState"},
    {39, "EOS_RequestInProgress"},
    {1001, "EOS_Auth_AccountLocked"},
    {1002, "EOS_Auth_AccountLockedForUpdate"},
    {1003, "EOS_Auth_InvalidRefreshToken"},
    {1004, "EOS_Auth_InvalidToken"},
    {1005, "EOS_Auth_AuthenticationFailure"},
    {1006, "EOS_Auth_InvalidPlatformToken"},
    {1007, "EOS_Auth_WrongAccount"},
    {1008, "EOS_Auth_WrongClient"},
    {1009, "EOS_Auth_FullAccountRequired"},
    {1010, "EOS_Auth_HeadlessAccountRequired"},
    {1011, "EOS_Auth_PasswordResetRequired"},
    {1012, "EOS_Auth_PasswordCannotBeReused"},
    {1013, "EOS_Auth_Expired"},
    {1014, "EOS_Auth_ScopeConsentRequired"},
    {1015, "EOS_Auth_ApplicationNotFound"},
    {1016, "EOS_Auth_ScopeNotFound"},
    {1017, "EOS_Auth_AccountFeatureRestricted"},
    {1020, "EOS_Auth_PinGrantCode"},
    {1021, "EOS_Auth_PinGrantExpired"},
    {1022, "EOS_Auth_PinGrantPending"},
    {1030, "EOS_Auth_ExternalAuthNotLinked"},
    {1032, "EOS_Auth_ExternalAuthRevoked"},
    {1033, "EOS_Auth_ExternalAuthInvalid"},
    {1034, "EOS_Auth_ExternalAuthRestricted"},
    {1035, "EOS_Auth_ExternalAuthCannotLogin"},
    {1036, "EOS_Auth_ExternalAuthExpired"},
    {1037, "EOS_Auth_ExternalAuthIsLastLoginType"},
    {1040, "EOS_Auth_ExchangeCodeNotFound"},
    {1041, "EOS_Auth_OriginatingExchangeCodeSessionExpired"},
    {1050, "EOS_Auth_PersistentAuth_AccountNotActive"},
    {1060, "EOS_Auth_MFARequired"},
    {4000, "EOS_Ecom_EntitlementStale"},
    {4001, "EOS_Ecom_CatalogOfferStale"},
    {4002, "EOS_Ecom_CatalogItemStale"},
    {4003, "EOS_Ecom_CatalogOfferPriceInvalid"},
    {4004, "EOS_Ecom_CheckoutLoadError"},
    {4005, "EOS_Ecom_PurchaseProcessing"},
    {0x7FFFFFFF, "EOS_UnexpectedError"},
}};

} // namespace

const char* ResultName(Eos::EResult result)
{
    const auto found = std::lower_bound(kNames.begin(), kNames.end(), result,
                                        [](const auto& entry, Eos::EResult code) { return entry.first < code; });
    return found != kNames.end() && found->first == result ? found->second : "EOS_UnknownError";
}

} // namespace Vyro::EosSim
