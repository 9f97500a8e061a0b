// The linked tables of a GDK build, and the one file that includes the GDK's headers: it fills the
// tables from the functions of the GDK's xgameruntime.lib and of the Xbox services thunks' import
// library (delay-loaded: a game without the thunks beside it still starts, and its other stores still
// work), and checks at compile time that every record, enumeration and function this library
// declares for itself is the GDK's. A difference stops the build here, naming what differs, instead
// of misreading a record on a player's machine.
//
// Needs MSVC and an installed Microsoft GDK (cmake/Gdk.cmake); it cannot be built without one.
#include <windows.h>

#include <delayimp.h>

#include <XGameRuntime.h>
#include <xsapi-c/services_c.h>

#include <cstddef>
#include <type_traits>

#include "channels/xbox/HResultText.h"
#include "channels/xbox/XboxLinkedApi.h"
#include "common/Logger.h"
#include "common/Platform.h"

namespace Vyro::XboxLinked {

namespace {

// ---- Our types, as the GDK's -------------------------------------------------------------------
// Primitive types are the same on both sides; each record, enumeration and handle of ours maps to
// the GDK's of the same name, and pointers, const and function types map through.
template <typename T>
struct ToGdk {
    using type = T;
};
template <typename T>
struct ToGdk<T*> {
    using type = typename ToGdk<T>::type*;
};
template <typename T>
struct ToGdk<const T> {
    using type = const typename ToGdk<T>::type;
};
template <typename Result, typename... Parameters>
struct ToGdk<Result(Parameters...)> {
    using type = typename ToGdk<Result>::type(typename ToGdk<Parameters>::type...);
};
template <typename T>
using ToGdkType = typename ToGdk<T>::type;

#define VYRO_GDK_TYPE(ours, theirs)                                                                                    \
    template <>                                                                                                        \
    struct ToGdk<ours> {                                                                                               \
        using type = theirs;                                                                                           \
    };

// HResult is int32_t; the GDK's HRESULT is a long of the same size.
VYRO_GDK_TYPE(Gdk::HResult, HRESULT)
VYRO_GDK_TYPE(Gdk::XTaskQueueObject, ::XTaskQueueObject)
VYRO_GDK_TYPE(Gdk::XUser, ::XUser)
VYRO_GDK_TYPE(Gdk::XStoreContext, ::XStoreContext)
VYRO_GDK_TYPE(Gdk::XStoreProductQuery, ::XStoreProductQuery)
VYRO_GDK_TYPE(Gdk::XAsyncBlock, ::XAsyncBlock)
VYRO_GDK_TYPE(Gdk::XTaskQueuePort, ::XTaskQueuePort)
VYRO_GDK_TYPE(Gdk::XTaskQueueDispatchMode, ::XTaskQueueDispatchMode)
VYRO_GDK_TYPE(Gdk::XTaskQueueRegistrationToken, ::XTaskQueueRegistrationToken)
VYRO_GDK_TYPE(Gdk::XUserAddOptions, ::XUserAddOptions)
VYRO_GDK_TYPE(Gdk::XUserGamertagComponent, ::XUserGamertagComponent)
VYRO_GDK_TYPE(Gdk::XUserGetTokenAndSignatureOptions, ::XUserGetTokenAndSignatureOptions)
VYRO_GDK_TYPE(Gdk::XUserGetTokenAndSignatureHttpHeader, ::XUserGetTokenAndSignatureHttpHeader)
VYRO_GDK_TYPE(Gdk::XUserGetTokenAndSignatureData, ::XUserGetTokenAndSignatureData)
VYRO_GDK_TYPE(Gdk::XUserLocalId, ::XUserLocalId)
VYRO_GDK_TYPE(Gdk::XUserChangeEvent, ::XUserChangeEvent)
VYRO_GDK_TYPE(Gdk::XStoreProductKind, ::XStoreProductKind)
VYRO_GDK_TYPE(Gdk::XStoreProduct, ::XStoreProduct)
VYRO_GDK_TYPE(Gdk::XUserPrivilegeOptions, ::XUserPrivilegeOptions)
VYRO_GDK_TYPE(Gdk::XUserPrivilege, ::XUserPrivilege)
VYRO_GDK_TYPE(Gdk::XUserPrivilegeDenyReason, ::XUserPrivilegeDenyReason)
VYRO_GDK_TYPE(Gdk::XGameUiMessageDialogButton, ::XGameUiMessageDialogButton)
VYRO_GDK_TYPE(Gdk::XGameUiTextEntryInputScope, ::XGameUiTextEntryInputScope)
VYRO_GDK_TYPE(Xbl::XblInitArgs, ::XblInitArgs)
VYRO_GDK_TYPE(Xbl::XblContext, ::XblContext)
VYRO_GDK_TYPE(Xbl::XblAchievementType, ::XblAchievementType)
VYRO_GDK_TYPE(Xbl::XblAchievementOrderBy, ::XblAchievementOrderBy)
VYRO_GDK_TYPE(Xbl::XblAchievementsResult, ::XblAchievementsResult)
VYRO_GDK_TYPE(Xbl::XblAchievement, ::XblAchievement)
VYRO_GDK_TYPE(Xbl::XblUserStatisticsResult, ::XblUserStatisticsResult)
VYRO_GDK_TYPE(Xbl::XblTitleManagedStatistic, ::XblTitleManagedStatistic)
VYRO_GDK_TYPE(Xbl::XblLeaderboardQuery, ::XblLeaderboardQuery)
VYRO_GDK_TYPE(Xbl::XblLeaderboardResult, ::XblLeaderboardResult)
VYRO_GDK_TYPE(Xbl::XblMultiplayerActivityInfo, ::XblMultiplayerActivityInfo)
VYRO_GDK_TYPE(Xbl::XblMultiplayerActivityRecentPlayerUpdate, ::XblMultiplayerActivityRecentPlayerUpdate)
VYRO_GDK_TYPE(Xbl::XblPermission, ::XblPermission)
VYRO_GDK_TYPE(Xbl::XblAnonymousUserType, ::XblAnonymousUserType)
VYRO_GDK_TYPE(Xbl::XblPermissionCheckResult, ::XblPermissionCheckResult)
VYRO_GDK_TYPE(Xbl::XblSocialManagerExtraDetailLevel, ::XblSocialManagerExtraDetailLevel)
VYRO_GDK_TYPE(Xbl::XblPresenceFilter, ::XblPresenceFilter)
VYRO_GDK_TYPE(Xbl::XblRelationshipFilter, ::XblRelationshipFilter)
VYRO_GDK_TYPE(Xbl::XblSocialManagerUserGroup, ::XblSocialManagerUserGroup)
VYRO_GDK_TYPE(Xbl::XblSocialManagerUser, ::XblSocialManagerUser)
VYRO_GDK_TYPE(Xbl::XblSocialManagerEvent, ::XblSocialManagerEvent)
VYRO_GDK_TYPE(Xbl::XblUserProfile, ::XblUserProfile)
#undef VYRO_GDK_TYPE

// The GDK declares its functions noexcept (all but the runtime's start and stop), which is part of a
// function's type but changes nothing of how it is called.
template <typename Function>
struct WithoutNoexcept {
    using type = Function;
};
template <typename Result, typename... Parameters>
struct WithoutNoexcept<Result(Parameters...) noexcept> {
    using type = Result(Parameters...);
};

// The GDK's function, as the pointer type of our table, once its type is proven to be ours.
template <typename Ours, typename Theirs>
Ours* Linked(Theirs* function)
{
    static_assert(std::is_same_v<ToGdkType<Ours>, typename WithoutNoexcept<Theirs>::type>,
                  "a function declared in GameRuntimeApi.h or XblApi.h differs from the GDK's");
    return reinterpret_cast<Ours*>(function);
}

// ---- Records, enumerations and constants --------------------------------------------------------
#define VYRO_SAME_SIZE(ns, record)                                                                                     \
    static_assert(sizeof(ns::record) == sizeof(::record) && alignof(ns::record) == alignof(::record),                  \
                  #record " differs from the GDK's in size");
#define VYRO_SAME_FIELD(ns, record, field)                                                                             \
    static_assert(offsetof(ns::record, field) == offsetof(::record, field) &&                                         \
                      sizeof(ns::record::field) == sizeof(::record::field),                                            \
                  #record "::" #field " differs from the GDK's");
#define VYRO_SAME_VALUE(ns, enumeration, value)                                                                        \
    static_assert(static_cast<std::uint64_t>(ns::enumeration::value) == static_cast<std::uint64_t>(::enumeration::value), \
                  #enumeration "::" #value " differs from the GDK's");

VYRO_SAME_SIZE(Gdk, XAsyncBlock)
VYRO_SAME_FIELD(Gdk, XAsyncBlock, queue)
VYRO_SAME_FIELD(Gdk, XAsyncBlock, context)
VYRO_SAME_FIELD(Gdk, XAsyncBlock, callback)
VYRO_SAME_FIELD(Gdk, XAsyncBlock, internal)
VYRO_SAME_SIZE(Gdk, XTaskQueueRegistrationToken)
VYRO_SAME_SIZE(Gdk, XUserLocalId)
VYRO_SAME_SIZE(Gdk, XUserGetTokenAndSignatureHttpHeader)
VYRO_SAME_FIELD(Gdk, XUserGetTokenAndSignatureHttpHeader, name)
VYRO_SAME_FIELD(Gdk, XUserGetTokenAndSignatureHttpHeader, value)
VYRO_SAME_SIZE(Gdk, XUserGetTokenAndSignatureData)
VYRO_SAME_FIELD(Gdk, XUserGetTokenAndSignatureData, tokenSize)
VYRO_SAME_FIELD(Gdk, XUserGetTokenAndSignatureData, signatureSize)
VYRO_SAME_FIELD(Gdk, XUserGetTokenAndSignatureData, token)
VYRO_SAME_FIELD(Gdk, XUserGetTokenAndSignatureData, signature)
VYRO_SAME_SIZE(Gdk, XStoreImage)
VYRO_SAME_FIELD(Gdk, XStoreImage, uri)
VYRO_SAME_FIELD(Gdk, XStoreImage, height)
VYRO_SAME_FIELD(Gdk, XStoreImage, width)
VYRO_SAME_FIELD(Gdk, XStoreImage, caption)
VYRO_SAME_FIELD(Gdk, XStoreImage, imagePurposeTag)
VYRO_SAME_SIZE(Gdk, XStorePrice)
VYRO_SAME_FIELD(Gdk, XStorePrice, basePrice)
VYRO_SAME_FIELD(Gdk, XStorePrice, price)
VYRO_SAME_FIELD(Gdk, XStorePrice, recurrencePrice)
VYRO_SAME_FIELD(Gdk, XStorePrice, currencyCode)
VYRO_SAME_FIELD(Gdk, XStorePrice, formattedBasePrice)
VYRO_SAME_FIELD(Gdk, XStorePrice, formattedPrice)
VYRO_SAME_FIELD(Gdk, XStorePrice, formattedRecurrencePrice)
VYRO_SAME_FIELD(Gdk, XStorePrice, isOnSale)
VYRO_SAME_FIELD(Gdk, XStorePrice, saleEndDate)
VYRO_SAME_SIZE(Gdk, XStoreAvailability)
VYRO_SAME_FIELD(Gdk, XStoreAvailability, availabilityId)
VYRO_SAME_FIELD(Gdk, XStoreAvailability, price)
VYRO_SAME_FIELD(Gdk, XStoreAvailability, endDate)
VYRO_SAME_SIZE(Gdk, XStoreCollectionData)
VYRO_SAME_FIELD(Gdk, XStoreCollectionData, acquiredDate)
VYRO_SAME_FIELD(Gdk, XStoreCollectionData, startDate)
VYRO_SAME_FIELD(Gdk, XStoreCollectionData, endDate)
VYRO_SAME_FIELD(Gdk, XStoreCollectionData, isTrial)
VYRO_SAME_FIELD(Gdk, XStoreCollectionData, trialTimeRemainingInSeconds)
VYRO_SAME_FIELD(Gdk, XStoreCollectionData, quantity)
VYRO_SAME_FIELD(Gdk, XStoreCollectionData, campaignId)
VYRO_SAME_FIELD(Gdk, XStoreCollectionData, developerOfferId)
VYRO_SAME_SIZE(Gdk, XStoreSubscriptionInfo)
VYRO_SAME_FIELD(Gdk, XStoreSubscriptionInfo, hasTrialPeriod)
VYRO_SAME_FIELD(Gdk, XStoreSubscriptionInfo, trialPeriodUnit)
VYRO_SAME_FIELD(Gdk, XStoreSubscriptionInfo, trialPeriod)
VYRO_SAME_FIELD(Gdk, XStoreSubscriptionInfo, billingPeriodUnit)
VYRO_SAME_FIELD(Gdk, XStoreSubscriptionInfo, billingPeriod)
VYRO_SAME_SIZE(Gdk, XStoreVideo)
VYRO_SAME_FIELD(Gdk, XStoreVideo, uri)
VYRO_SAME_FIELD(Gdk, XStoreVideo, height)
VYRO_SAME_FIELD(Gdk, XStoreVideo, width)
VYRO_SAME_FIELD(Gdk, XStoreVideo, caption)
VYRO_SAME_FIELD(Gdk, XStoreVideo, videoPurposeTag)
VYRO_SAME_FIELD(Gdk, XStoreVideo, previewImage)
VYRO_SAME_SIZE(Gdk, XStoreSku)
VYRO_SAME_FIELD(Gdk, XStoreSku, skuId)
VYRO_SAME_FIELD(Gdk, XStoreSku, title)
VYRO_SAME_FIELD(Gdk, XStoreSku, description)
VYRO_SAME_FIELD(Gdk, XStoreSku, language)
VYRO_SAME_FIELD(Gdk, XStoreSku, price)
VYRO_SAME_FIELD(Gdk, XStoreSku, isTrial)
VYRO_SAME_FIELD(Gdk, XStoreSku, isInUserCollection)
VYRO_SAME_FIELD(Gdk, XStoreSku, collectionData)
VYRO_SAME_FIELD(Gdk, XStoreSku, isSubscription)
VYRO_SAME_FIELD(Gdk, XStoreSku, subscriptionInfo)
VYRO_SAME_FIELD(Gdk, XStoreSku, bundledSkusCount)
VYRO_SAME_FIELD(Gdk, XStoreSku, bundledSkus)
VYRO_SAME_FIELD(Gdk, XStoreSku, imagesCount)
VYRO_SAME_FIELD(Gdk, XStoreSku, images)
VYRO_SAME_FIELD(Gdk, XStoreSku, videosCount)
VYRO_SAME_FIELD(Gdk, XStoreSku, videos)
VYRO_SAME_FIELD(Gdk, XStoreSku, availabilitiesCount)
VYRO_SAME_FIELD(Gdk, XStoreSku, availabilities)
VYRO_SAME_SIZE(Gdk, XStoreProduct)
VYRO_SAME_FIELD(Gdk, XStoreProduct, storeId)
VYRO_SAME_FIELD(Gdk, XStoreProduct, title)
VYRO_SAME_FIELD(Gdk, XStoreProduct, description)
VYRO_SAME_FIELD(Gdk, XStoreProduct, language)
VYRO_SAME_FIELD(Gdk, XStoreProduct, inAppOfferToken)
VYRO_SAME_FIELD(Gdk, XStoreProduct, linkUri)
VYRO_SAME_FIELD(Gdk, XStoreProduct, productKind)
VYRO_SAME_FIELD(Gdk, XStoreProduct, price)
VYRO_SAME_FIELD(Gdk, XStoreProduct, hasDigitalDownload)
VYRO_SAME_FIELD(Gdk, XStoreProduct, isInUserCollection)
VYRO_SAME_FIELD(Gdk, XStoreProduct, keywordsCount)
VYRO_SAME_FIELD(Gdk, XStoreProduct, keywords)
VYRO_SAME_FIELD(Gdk, XStoreProduct, skusCount)
VYRO_SAME_FIELD(Gdk, XStoreProduct, skus)
VYRO_SAME_FIELD(Gdk, XStoreProduct, imagesCount)
VYRO_SAME_FIELD(Gdk, XStoreProduct, images)
VYRO_SAME_FIELD(Gdk, XStoreProduct, videosCount)
VYRO_SAME_FIELD(Gdk, XStoreProduct, videos)

VYRO_SAME_VALUE(Gdk, XTaskQueuePort, Work)
VYRO_SAME_VALUE(Gdk, XTaskQueuePort, Completion)
VYRO_SAME_VALUE(Gdk, XTaskQueueDispatchMode, Manual)
VYRO_SAME_VALUE(Gdk, XTaskQueueDispatchMode, ThreadPool)
VYRO_SAME_VALUE(Gdk, XTaskQueueDispatchMode, SerializedThreadPool)
VYRO_SAME_VALUE(Gdk, XTaskQueueDispatchMode, Immediate)
VYRO_SAME_VALUE(Gdk, XUserAddOptions, None)
VYRO_SAME_VALUE(Gdk, XUserAddOptions, AddDefaultUserSilently)
VYRO_SAME_VALUE(Gdk, XUserAddOptions, AllowGuests)
VYRO_SAME_VALUE(Gdk, XUserAddOptions, AddDefaultUserAllowingUI)
VYRO_SAME_VALUE(Gdk, XUserGamertagComponent, Classic)
VYRO_SAME_VALUE(Gdk, XUserGamertagComponent, Modern)
VYRO_SAME_VALUE(Gdk, XUserGamertagComponent, ModernSuffix)
VYRO_SAME_VALUE(Gdk, XUserGamertagComponent, UniqueModern)
VYRO_SAME_VALUE(Gdk, XUserGetTokenAndSignatureOptions, None)
VYRO_SAME_VALUE(Gdk, XUserGetTokenAndSignatureOptions, ForceRefresh)
VYRO_SAME_VALUE(Gdk, XUserGetTokenAndSignatureOptions, AllUsers)
VYRO_SAME_VALUE(Gdk, XUserChangeEvent, SignedInAgain)
VYRO_SAME_VALUE(Gdk, XUserChangeEvent, SigningOut)
VYRO_SAME_VALUE(Gdk, XUserChangeEvent, SignedOut)
VYRO_SAME_VALUE(Gdk, XUserChangeEvent, Gamertag)
VYRO_SAME_VALUE(Gdk, XUserChangeEvent, GamerPicture)
VYRO_SAME_VALUE(Gdk, XUserChangeEvent, Privileges)
VYRO_SAME_VALUE(Gdk, XStoreProductKind, None)
VYRO_SAME_VALUE(Gdk, XStoreProductKind, Consumable)
VYRO_SAME_VALUE(Gdk, XStoreProductKind, Durable)
VYRO_SAME_VALUE(Gdk, XStoreProductKind, Game)
VYRO_SAME_VALUE(Gdk, XStoreProductKind, Pass)
VYRO_SAME_VALUE(Gdk, XStoreProductKind, UnmanagedConsumable)
VYRO_SAME_VALUE(Gdk, XStoreDurationUnit, Minute)
VYRO_SAME_VALUE(Gdk, XStoreDurationUnit, Year)
VYRO_SAME_VALUE(Gdk, XGameUiMessageDialogButton, First)
VYRO_SAME_VALUE(Gdk, XGameUiMessageDialogButton, Second)
VYRO_SAME_VALUE(Gdk, XGameUiMessageDialogButton, Third)
VYRO_SAME_VALUE(Gdk, XGameUiTextEntryInputScope, Default)
VYRO_SAME_VALUE(Gdk, XUserPrivilegeOptions, None)
VYRO_SAME_VALUE(Gdk, XUserPrivilegeOptions, AllUsers)
VYRO_SAME_VALUE(Gdk, XUserPrivilegeDenyReason, None)
VYRO_SAME_VALUE(Gdk, XUserPrivilegeDenyReason, PurchaseRequired)
VYRO_SAME_VALUE(Gdk, XUserPrivilegeDenyReason, Restricted)
VYRO_SAME_VALUE(Gdk, XUserPrivilegeDenyReason, Banned)
VYRO_SAME_VALUE(Gdk, XUserPrivilegeDenyReason, Unknown)
static_assert(sizeof(Gdk::XUserPrivilege) == sizeof(::XUserPrivilege));
static_assert(Gdk::kGamertagClassicMaxBytes == XUserGamertagComponentClassicMaxBytes &&
              Gdk::kGamertagModernMaxBytes == XUserGamertagComponentModernMaxBytes &&
              Gdk::kGamertagModernSuffixMaxBytes == XUserGamertagComponentModernSuffixMaxBytes &&
              Gdk::kGamertagUniqueModernMaxBytes == XUserGamertagComponentUniqueModernMaxBytes);
static_assert(Gdk::kSandboxIdMaxBytes == XSystemXboxLiveSandboxIdMaxBytes);
static_assert(Gdk::kStorePriceTextBytes == PRICE_MAX_SIZE);
static_assert(Gdk::kRuntimeNotFound == E_GAMERUNTIME_DLL_NOT_FOUND && Gdk::kRuntimeVersionMismatch == E_GAMERUNTIME_VERSION_MISMATCH);
static_assert(Gdk::kAbort == E_ABORT && Gdk::kPending == E_PENDING);

VYRO_SAME_SIZE(Xbl, XblInitArgs)
VYRO_SAME_FIELD(Xbl, XblInitArgs, queue)
VYRO_SAME_FIELD(Xbl, XblInitArgs, scid)
VYRO_SAME_SIZE(Xbl, XblAchievementTitleAssociation)
VYRO_SAME_FIELD(Xbl, XblAchievementTitleAssociation, name)
VYRO_SAME_FIELD(Xbl, XblAchievementTitleAssociation, titleId)
VYRO_SAME_SIZE(Xbl, XblAchievementRequirement)
VYRO_SAME_FIELD(Xbl, XblAchievementRequirement, id)
VYRO_SAME_FIELD(Xbl, XblAchievementRequirement, currentProgressValue)
VYRO_SAME_FIELD(Xbl, XblAchievementRequirement, targetProgressValue)
VYRO_SAME_SIZE(Xbl, XblAchievementProgression)
VYRO_SAME_FIELD(Xbl, XblAchievementProgression, requirements)
VYRO_SAME_FIELD(Xbl, XblAchievementProgression, requirementsCount)
VYRO_SAME_FIELD(Xbl, XblAchievementProgression, timeUnlocked)
VYRO_SAME_SIZE(Xbl, XblAchievementTimeWindow)
VYRO_SAME_FIELD(Xbl, XblAchievementTimeWindow, startDate)
VYRO_SAME_FIELD(Xbl, XblAchievementTimeWindow, endDate)
VYRO_SAME_SIZE(Xbl, XblAchievementMediaAsset)
VYRO_SAME_FIELD(Xbl, XblAchievementMediaAsset, name)
VYRO_SAME_FIELD(Xbl, XblAchievementMediaAsset, mediaAssetType)
VYRO_SAME_FIELD(Xbl, XblAchievementMediaAsset, url)
VYRO_SAME_SIZE(Xbl, XblAchievementReward)
VYRO_SAME_FIELD(Xbl, XblAchievementReward, name)
VYRO_SAME_FIELD(Xbl, XblAchievementReward, description)
VYRO_SAME_FIELD(Xbl, XblAchievementReward, value)
VYRO_SAME_FIELD(Xbl, XblAchievementReward, rewardType)
VYRO_SAME_FIELD(Xbl, XblAchievementReward, valueType)
VYRO_SAME_FIELD(Xbl, XblAchievementReward, mediaAsset)
VYRO_SAME_SIZE(Xbl, XblAchievement)
VYRO_SAME_FIELD(Xbl, XblAchievement, id)
VYRO_SAME_FIELD(Xbl, XblAchievement, serviceConfigurationId)
VYRO_SAME_FIELD(Xbl, XblAchievement, name)
VYRO_SAME_FIELD(Xbl, XblAchievement, titleAssociations)
VYRO_SAME_FIELD(Xbl, XblAchievement, titleAssociationsCount)
VYRO_SAME_FIELD(Xbl, XblAchievement, progressState)
VYRO_SAME_FIELD(Xbl, XblAchievement, progression)
VYRO_SAME_FIELD(Xbl, XblAchievement, mediaAssets)
VYRO_SAME_FIELD(Xbl, XblAchievement, mediaAssetsCount)
VYRO_SAME_FIELD(Xbl, XblAchievement, platformsAvailableOn)
VYRO_SAME_FIELD(Xbl, XblAchievement, platformsAvailableOnCount)
VYRO_SAME_FIELD(Xbl, XblAchievement, isSecret)
VYRO_SAME_FIELD(Xbl, XblAchievement, unlockedDescription)
VYRO_SAME_FIELD(Xbl, XblAchievement, lockedDescription)
VYRO_SAME_FIELD(Xbl, XblAchievement, productId)
VYRO_SAME_FIELD(Xbl, XblAchievement, type)
VYRO_SAME_FIELD(Xbl, XblAchievement, participationType)
VYRO_SAME_FIELD(Xbl, XblAchievement, available)
VYRO_SAME_FIELD(Xbl, XblAchievement, rewards)
VYRO_SAME_FIELD(Xbl, XblAchievement, rewardsCount)
VYRO_SAME_FIELD(Xbl, XblAchievement, estimatedUnlockTime)
VYRO_SAME_FIELD(Xbl, XblAchievement, deepLink)
VYRO_SAME_FIELD(Xbl, XblAchievement, isRevoked)
VYRO_SAME_SIZE(Xbl, XblStatistic)
VYRO_SAME_FIELD(Xbl, XblStatistic, statisticName)
VYRO_SAME_FIELD(Xbl, XblStatistic, statisticType)
VYRO_SAME_FIELD(Xbl, XblStatistic, value)
VYRO_SAME_SIZE(Xbl, XblServiceConfigurationStatistic)
VYRO_SAME_FIELD(Xbl, XblServiceConfigurationStatistic, serviceConfigurationId)
VYRO_SAME_FIELD(Xbl, XblServiceConfigurationStatistic, statistics)
VYRO_SAME_FIELD(Xbl, XblServiceConfigurationStatistic, statisticsCount)
VYRO_SAME_SIZE(Xbl, XblUserStatisticsResult)
VYRO_SAME_FIELD(Xbl, XblUserStatisticsResult, xboxUserId)
VYRO_SAME_FIELD(Xbl, XblUserStatisticsResult, serviceConfigStatistics)
VYRO_SAME_FIELD(Xbl, XblUserStatisticsResult, serviceConfigStatisticsCount)
VYRO_SAME_SIZE(Xbl, XblTitleManagedStatistic)
VYRO_SAME_FIELD(Xbl, XblTitleManagedStatistic, statisticName)
VYRO_SAME_FIELD(Xbl, XblTitleManagedStatistic, statisticType)
VYRO_SAME_FIELD(Xbl, XblTitleManagedStatistic, numberValue)
VYRO_SAME_FIELD(Xbl, XblTitleManagedStatistic, stringValue)
VYRO_SAME_SIZE(Xbl, XblLeaderboardColumn)
VYRO_SAME_FIELD(Xbl, XblLeaderboardColumn, statName)
VYRO_SAME_FIELD(Xbl, XblLeaderboardColumn, statType)
VYRO_SAME_SIZE(Xbl, XblLeaderboardRow)
VYRO_SAME_FIELD(Xbl, XblLeaderboardRow, gamertag)
VYRO_SAME_FIELD(Xbl, XblLeaderboardRow, modernGamertag)
VYRO_SAME_FIELD(Xbl, XblLeaderboardRow, modernGamertagSuffix)
VYRO_SAME_FIELD(Xbl, XblLeaderboardRow, uniqueModernGamertag)
VYRO_SAME_FIELD(Xbl, XblLeaderboardRow, xboxUserId)
VYRO_SAME_FIELD(Xbl, XblLeaderboardRow, percentile)
VYRO_SAME_FIELD(Xbl, XblLeaderboardRow, rank)
VYRO_SAME_FIELD(Xbl, XblLeaderboardRow, globalRank)
VYRO_SAME_FIELD(Xbl, XblLeaderboardRow, columnValues)
VYRO_SAME_FIELD(Xbl, XblLeaderboardRow, columnValuesCount)
VYRO_SAME_SIZE(Xbl, XblLeaderboardQuery)
VYRO_SAME_FIELD(Xbl, XblLeaderboardQuery, xboxUserId)
VYRO_SAME_FIELD(Xbl, XblLeaderboardQuery, scid)
VYRO_SAME_FIELD(Xbl, XblLeaderboardQuery, leaderboardName)
VYRO_SAME_FIELD(Xbl, XblLeaderboardQuery, statName)
VYRO_SAME_FIELD(Xbl, XblLeaderboardQuery, socialGroup)
VYRO_SAME_FIELD(Xbl, XblLeaderboardQuery, additionalColumnleaderboardNames)
VYRO_SAME_FIELD(Xbl, XblLeaderboardQuery, additionalColumnleaderboardNamesCount)
VYRO_SAME_FIELD(Xbl, XblLeaderboardQuery, order)
VYRO_SAME_FIELD(Xbl, XblLeaderboardQuery, maxItems)
VYRO_SAME_FIELD(Xbl, XblLeaderboardQuery, skipToXboxUserId)
VYRO_SAME_FIELD(Xbl, XblLeaderboardQuery, skipResultToRank)
VYRO_SAME_FIELD(Xbl, XblLeaderboardQuery, continuationToken)
VYRO_SAME_FIELD(Xbl, XblLeaderboardQuery, queryType)
VYRO_SAME_SIZE(Xbl, XblLeaderboardResult)
VYRO_SAME_FIELD(Xbl, XblLeaderboardResult, totalRowCount)
VYRO_SAME_FIELD(Xbl, XblLeaderboardResult, columns)
VYRO_SAME_FIELD(Xbl, XblLeaderboardResult, columnsCount)
VYRO_SAME_FIELD(Xbl, XblLeaderboardResult, rows)
VYRO_SAME_FIELD(Xbl, XblLeaderboardResult, rowsCount)
VYRO_SAME_FIELD(Xbl, XblLeaderboardResult, hasNext)
VYRO_SAME_FIELD(Xbl, XblLeaderboardResult, nextQuery)
VYRO_SAME_SIZE(Xbl, XblMultiplayerActivityInfo)
VYRO_SAME_FIELD(Xbl, XblMultiplayerActivityInfo, xuid)
VYRO_SAME_FIELD(Xbl, XblMultiplayerActivityInfo, connectionString)
VYRO_SAME_FIELD(Xbl, XblMultiplayerActivityInfo, joinRestriction)
VYRO_SAME_FIELD(Xbl, XblMultiplayerActivityInfo, maxPlayers)
VYRO_SAME_FIELD(Xbl, XblMultiplayerActivityInfo, currentPlayers)
VYRO_SAME_FIELD(Xbl, XblMultiplayerActivityInfo, groupId)
VYRO_SAME_FIELD(Xbl, XblMultiplayerActivityInfo, platform)
VYRO_SAME_SIZE(Xbl, XblMultiplayerActivityRecentPlayerUpdate)
VYRO_SAME_FIELD(Xbl, XblMultiplayerActivityRecentPlayerUpdate, xuid)
VYRO_SAME_FIELD(Xbl, XblMultiplayerActivityRecentPlayerUpdate, encounterType)
VYRO_SAME_SIZE(Xbl, XblPermissionDenyReasonDetails)
VYRO_SAME_FIELD(Xbl, XblPermissionDenyReasonDetails, reason)
VYRO_SAME_FIELD(Xbl, XblPermissionDenyReasonDetails, restrictedPrivilege)
VYRO_SAME_FIELD(Xbl, XblPermissionDenyReasonDetails, restrictedPrivacySetting)
VYRO_SAME_SIZE(Xbl, XblPermissionCheckResult)
VYRO_SAME_FIELD(Xbl, XblPermissionCheckResult, isAllowed)
VYRO_SAME_FIELD(Xbl, XblPermissionCheckResult, targetXuid)
VYRO_SAME_FIELD(Xbl, XblPermissionCheckResult, targetUserType)
VYRO_SAME_FIELD(Xbl, XblPermissionCheckResult, permissionRequested)
VYRO_SAME_FIELD(Xbl, XblPermissionCheckResult, reasons)
VYRO_SAME_FIELD(Xbl, XblPermissionCheckResult, reasonsCount)
VYRO_SAME_SIZE(Xbl, XblTitleHistory)
VYRO_SAME_FIELD(Xbl, XblTitleHistory, hasUserPlayed)
VYRO_SAME_FIELD(Xbl, XblTitleHistory, lastTimeUserPlayed)
VYRO_SAME_FIELD(Xbl, XblTitleHistory, lastTimeUserPlayedText)
VYRO_SAME_SIZE(Xbl, XblPreferredColor)
VYRO_SAME_FIELD(Xbl, XblPreferredColor, primaryColor)
VYRO_SAME_FIELD(Xbl, XblPreferredColor, secondaryColor)
VYRO_SAME_FIELD(Xbl, XblPreferredColor, tertiaryColor)
VYRO_SAME_SIZE(Xbl, XblSocialManagerPresenceTitleRecord)
VYRO_SAME_FIELD(Xbl, XblSocialManagerPresenceTitleRecord, titleId)
VYRO_SAME_FIELD(Xbl, XblSocialManagerPresenceTitleRecord, titleName)
VYRO_SAME_FIELD(Xbl, XblSocialManagerPresenceTitleRecord, isTitleActive)
VYRO_SAME_FIELD(Xbl, XblSocialManagerPresenceTitleRecord, presenceText)
VYRO_SAME_FIELD(Xbl, XblSocialManagerPresenceTitleRecord, isBroadcasting)
VYRO_SAME_FIELD(Xbl, XblSocialManagerPresenceTitleRecord, deviceType)
VYRO_SAME_FIELD(Xbl, XblSocialManagerPresenceTitleRecord, isPrimary)
VYRO_SAME_SIZE(Xbl, XblSocialManagerPresenceRecord)
VYRO_SAME_FIELD(Xbl, XblSocialManagerPresenceRecord, userState)
VYRO_SAME_FIELD(Xbl, XblSocialManagerPresenceRecord, presenceTitleRecords)
VYRO_SAME_FIELD(Xbl, XblSocialManagerPresenceRecord, presenceTitleRecordCount)
VYRO_SAME_SIZE(Xbl, XblSocialManagerUser)
VYRO_SAME_FIELD(Xbl, XblSocialManagerUser, xboxUserId)
VYRO_SAME_FIELD(Xbl, XblSocialManagerUser, isFavorite)
VYRO_SAME_FIELD(Xbl, XblSocialManagerUser, isFriend)
VYRO_SAME_FIELD(Xbl, XblSocialManagerUser, isFollowingUser)
VYRO_SAME_FIELD(Xbl, XblSocialManagerUser, isFollowedByCaller)
VYRO_SAME_FIELD(Xbl, XblSocialManagerUser, displayName)
VYRO_SAME_FIELD(Xbl, XblSocialManagerUser, realName)
VYRO_SAME_FIELD(Xbl, XblSocialManagerUser, displayPicUrlRaw)
VYRO_SAME_FIELD(Xbl, XblSocialManagerUser, useAvatar)
VYRO_SAME_FIELD(Xbl, XblSocialManagerUser, gamerscore)
VYRO_SAME_FIELD(Xbl, XblSocialManagerUser, gamertag)
VYRO_SAME_FIELD(Xbl, XblSocialManagerUser, modernGamertag)
VYRO_SAME_FIELD(Xbl, XblSocialManagerUser, modernGamertagSuffix)
VYRO_SAME_FIELD(Xbl, XblSocialManagerUser, uniqueModernGamertag)
VYRO_SAME_FIELD(Xbl, XblSocialManagerUser, presenceRecord)
VYRO_SAME_FIELD(Xbl, XblSocialManagerUser, titleHistory)
VYRO_SAME_FIELD(Xbl, XblSocialManagerUser, preferredColor)
VYRO_SAME_SIZE(Xbl, XblSocialManagerEvent)
VYRO_SAME_FIELD(Xbl, XblSocialManagerEvent, user)
VYRO_SAME_FIELD(Xbl, XblSocialManagerEvent, eventType)
VYRO_SAME_FIELD(Xbl, XblSocialManagerEvent, hr)
VYRO_SAME_FIELD(Xbl, XblSocialManagerEvent, groupAffected)
VYRO_SAME_FIELD(Xbl, XblSocialManagerEvent, usersAffected)
VYRO_SAME_SIZE(Xbl, XblUserProfile)
VYRO_SAME_FIELD(Xbl, XblUserProfile, xboxUserId)
VYRO_SAME_FIELD(Xbl, XblUserProfile, appDisplayName)
VYRO_SAME_FIELD(Xbl, XblUserProfile, appDisplayPictureResizeUri)
VYRO_SAME_FIELD(Xbl, XblUserProfile, gameDisplayName)
VYRO_SAME_FIELD(Xbl, XblUserProfile, gameDisplayPictureResizeUri)
VYRO_SAME_FIELD(Xbl, XblUserProfile, gamerscore)
VYRO_SAME_FIELD(Xbl, XblUserProfile, gamertag)
VYRO_SAME_FIELD(Xbl, XblUserProfile, modernGamertag)
VYRO_SAME_FIELD(Xbl, XblUserProfile, modernGamertagSuffix)
VYRO_SAME_FIELD(Xbl, XblUserProfile, uniqueModernGamertag)

VYRO_SAME_VALUE(Xbl, XblAchievementType, Unknown)
VYRO_SAME_VALUE(Xbl, XblAchievementType, All)
VYRO_SAME_VALUE(Xbl, XblAchievementType, Persistent)
VYRO_SAME_VALUE(Xbl, XblAchievementType, Challenge)
VYRO_SAME_VALUE(Xbl, XblAchievementOrderBy, DefaultOrder)
VYRO_SAME_VALUE(Xbl, XblAchievementOrderBy, TitleId)
VYRO_SAME_VALUE(Xbl, XblAchievementOrderBy, UnlockTime)
VYRO_SAME_VALUE(Xbl, XblAchievementProgressState, Unknown)
VYRO_SAME_VALUE(Xbl, XblAchievementProgressState, Achieved)
VYRO_SAME_VALUE(Xbl, XblAchievementProgressState, NotStarted)
VYRO_SAME_VALUE(Xbl, XblAchievementProgressState, InProgress)
VYRO_SAME_VALUE(Xbl, XblAchievementRewardType, Gamerscore)
VYRO_SAME_VALUE(Xbl, XblTitleManagedStatType, Number)
VYRO_SAME_VALUE(Xbl, XblTitleManagedStatType, String)
VYRO_SAME_VALUE(Xbl, XblLeaderboardStatType, Uint64)
VYRO_SAME_VALUE(Xbl, XblLeaderboardStatType, Boolean)
VYRO_SAME_VALUE(Xbl, XblLeaderboardStatType, Double)
VYRO_SAME_VALUE(Xbl, XblLeaderboardStatType, String)
VYRO_SAME_VALUE(Xbl, XblLeaderboardStatType, Other)
VYRO_SAME_VALUE(Xbl, XblLeaderboardSortOrder, Descending)
VYRO_SAME_VALUE(Xbl, XblLeaderboardSortOrder, Ascending)
VYRO_SAME_VALUE(Xbl, XblSocialGroupType, None)
VYRO_SAME_VALUE(Xbl, XblSocialGroupType, People)
VYRO_SAME_VALUE(Xbl, XblSocialGroupType, Favorites)
VYRO_SAME_VALUE(Xbl, XblLeaderboardQueryType, UserStatBacked)
VYRO_SAME_VALUE(Xbl, XblLeaderboardQueryType, TitleManagedStatBackedGlobal)
VYRO_SAME_VALUE(Xbl, XblLeaderboardQueryType, TitleManagedStatBackedSocial)
VYRO_SAME_VALUE(Xbl, XblMultiplayerActivityJoinRestriction, Public)
VYRO_SAME_VALUE(Xbl, XblMultiplayerActivityJoinRestriction, InviteOnly)
VYRO_SAME_VALUE(Xbl, XblMultiplayerActivityJoinRestriction, Followed)
VYRO_SAME_VALUE(Xbl, XblMultiplayerActivityPlatform, Win32)
VYRO_SAME_VALUE(Xbl, XblMultiplayerActivityPlatform, All)
VYRO_SAME_VALUE(Xbl, XblMultiplayerActivityEncounterType, Default)
VYRO_SAME_VALUE(Xbl, XblMultiplayerActivityEncounterType, Teammate)
VYRO_SAME_VALUE(Xbl, XblMultiplayerActivityEncounterType, Opponent)
VYRO_SAME_VALUE(Xbl, XblAnonymousUserType, Unknown)
VYRO_SAME_VALUE(Xbl, XblAnonymousUserType, CrossNetworkUser)
VYRO_SAME_VALUE(Xbl, XblAnonymousUserType, CrossNetworkFriend)
VYRO_SAME_VALUE(Xbl, XblPermissionDenyReason, Unknown)
VYRO_SAME_VALUE(Xbl, XblPermissionDenyReason, NotAllowed)
VYRO_SAME_VALUE(Xbl, XblPermissionDenyReason, MissingPrivilege)
VYRO_SAME_VALUE(Xbl, XblPermissionDenyReason, PrivilegeRestrictsTarget)
VYRO_SAME_VALUE(Xbl, XblPermissionDenyReason, BlockListRestrictsTarget)
VYRO_SAME_VALUE(Xbl, XblPermissionDenyReason, MuteListRestrictsTarget)
VYRO_SAME_VALUE(Xbl, XblPermissionDenyReason, PrivacySettingRestrictsTarget)
VYRO_SAME_VALUE(Xbl, XblPermissionDenyReason, CrossNetworkUserMustBeFriend)
VYRO_SAME_VALUE(Xbl, XblPresenceUserState, Unknown)
VYRO_SAME_VALUE(Xbl, XblPresenceUserState, Online)
VYRO_SAME_VALUE(Xbl, XblPresenceUserState, Away)
VYRO_SAME_VALUE(Xbl, XblPresenceUserState, Offline)
VYRO_SAME_VALUE(Xbl, XblPresenceDeviceType, PC)
VYRO_SAME_VALUE(Xbl, XblPresenceDeviceType, Scarlett)
VYRO_SAME_VALUE(Xbl, XblSocialManagerExtraDetailLevel, NoExtraDetail)
VYRO_SAME_VALUE(Xbl, XblSocialManagerExtraDetailLevel, TitleHistoryLevel)
VYRO_SAME_VALUE(Xbl, XblSocialManagerExtraDetailLevel, PreferredColorLevel)
VYRO_SAME_VALUE(Xbl, XblPresenceFilter, Unknown)
VYRO_SAME_VALUE(Xbl, XblPresenceFilter, TitleOnline)
VYRO_SAME_VALUE(Xbl, XblPresenceFilter, All)
VYRO_SAME_VALUE(Xbl, XblRelationshipFilter, Unknown)
VYRO_SAME_VALUE(Xbl, XblRelationshipFilter, Friends)
VYRO_SAME_VALUE(Xbl, XblRelationshipFilter, Favorite)
VYRO_SAME_VALUE(Xbl, XblSocialManagerEventType, UsersAddedToSocialGraph)
VYRO_SAME_VALUE(Xbl, XblSocialManagerEventType, UsersRemovedFromSocialGraph)
VYRO_SAME_VALUE(Xbl, XblSocialManagerEventType, PresenceChanged)
VYRO_SAME_VALUE(Xbl, XblSocialManagerEventType, ProfilesChanged)
VYRO_SAME_VALUE(Xbl, XblSocialManagerEventType, SocialRelationshipsChanged)
VYRO_SAME_VALUE(Xbl, XblSocialManagerEventType, LocalUserAdded)
VYRO_SAME_VALUE(Xbl, XblSocialManagerEventType, SocialUserGroupLoaded)
VYRO_SAME_VALUE(Xbl, XblSocialManagerEventType, SocialUserGroupUpdated)
VYRO_SAME_VALUE(Xbl, XblSocialManagerEventType, UnknownEvent)
static_assert(Xbl::kScidLength == XBL_SCID_LENGTH && Xbl::kGamertagCharSize == XBL_GAMERTAG_CHAR_SIZE &&
              Xbl::kModernGamertagCharSize == XBL_MODERN_GAMERTAG_CHAR_SIZE &&
              Xbl::kModernGamertagSuffixCharSize == XBL_MODERN_GAMERTAG_SUFFIX_CHAR_SIZE &&
              Xbl::kUniqueModernGamertagCharSize == XBL_UNIQUE_MODERN_GAMERTAG_CHAR_SIZE);
static_assert(Xbl::kColorCharSize == XBL_COLOR_CHAR_SIZE && Xbl::kDisplayNameCharSize == XBL_DISPLAY_NAME_CHAR_SIZE &&
              Xbl::kDisplayPicUrlRawCharSize == XBL_DISPLAY_PIC_URL_RAW_CHAR_SIZE &&
              Xbl::kGamerscoreCharSize == XBL_GAMERSCORE_CHAR_SIZE && Xbl::kRealNameCharSize == XBL_REAL_NAME_CHAR_SIZE &&
              Xbl::kRichPresenceCharSize == XBL_RICH_PRESENCE_CHAR_SIZE && Xbl::kTitleNameCharSize == XBL_TITLE_NAME_CHAR_SIZE &&
              Xbl::kLastTimePlayedCharSize == XBL_LAST_TIME_PLAYED_CHAR_SIZE &&
              Xbl::kPresenceRecordCount == XBL_NUM_PRESENCE_RECORDS &&
              Xbl::kMaxAffectedUsersPerEvent == XBL_SOCIAL_MANAGER_MAX_AFFECTED_USERS_PER_EVENT);
static_assert(std::is_same_v<ToGdkType<Xbl::XblSocialManagerUserPtrArray>, ::XblSocialManagerUserPtrArray>);

#undef VYRO_SAME_SIZE
#undef VYRO_SAME_FIELD
#undef VYRO_SAME_VALUE

// ---- The delayed imports of the thunks ----------------------------------------------------------
constexpr char kServicesFile[] = "Microsoft.Xbox.Services.GDK.C.Thunks.dll";

// The platform loader's hook for delayed imports: the thunks are loaded from the library's own folder
// first, where the game ships them, so that their own dependencies are found there too; null lets the
// loader's default search go on.
FARPROC WINAPI DelayLoadHook(unsigned notification, PDelayLoadInfo info)
{
    if (notification != dliNotePreLoadLibrary || info == nullptr || info->szDll == nullptr) {
        return nullptr;
    }
    const std::wstring directory = Platform::GetDllDirectory(Platform::kOwnModuleName);
    if (directory.empty()) {
        return nullptr;
    }
    const std::wstring path = directory + L"\\" + Platform::Utf8ToWide(info->szDll);
    if (Platform::ModuleHandle module = Platform::LoadLibraryFrom(path)) {
        return reinterpret_cast<FARPROC>(module);
    }
    Log(LogLevel::Warning, "Failed to load DLL from: {}, error: {}", Platform::WideToUtf8(path), Platform::LastLoadError());
    return nullptr;
}

} // namespace

Gdk::GameRuntimeApi RuntimeApi()
{
    Gdk::GameRuntimeApi api;
#define VYRO_LINK_FUNCTION(name) api.name = Linked<Gdk::name##_t>(&::name);
    VYRO_GAME_RUNTIME_FUNCTIONS(VYRO_LINK_FUNCTION)
#undef VYRO_LINK_FUNCTION
    return api;
}

Xbl::XblApi ServicesApi()
{
    Xbl::XblApi api;
#define VYRO_LINK_FUNCTION(name) api.name = Linked<Xbl::name##_t>(&::name);
    VYRO_XBL_FUNCTIONS(VYRO_LINK_FUNCTION)
#undef VYRO_LINK_FUNCTION
    return api;
}

// Every delayed import of the thunks at once, as an HRESULT rather than the loader's exception on the
// first call. The thunks then stay loaded for the process, and so does this library: the runtime's
// threads may still be finishing work in them.
bool LoadServices()
{
    const HRESULT result = __HrLoadAllImportsForDll(kServicesFile);
    if (FAILED(result)) {
        Log(LogLevel::Error, "Failed to load {}: {}", kServicesFile, HResultText(result));
        return false;
    }
    Platform::PinCurrentModule();
    return true;
}

} // namespace Vyro::XboxLinked

extern "C" const PfnDliHook __pfnDliNotifyHook2 = Vyro::XboxLinked::DelayLoadHook;
