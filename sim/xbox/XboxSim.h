#pragma once

// The exports of the simulated GDK: the Gaming Runtime functions the Xbox channel calls (exported by
// xgameruntime.dll) and the Xbox services functions (exported by
// Microsoft.Xbox.Services.GDK.C.Thunks.dll), under their real names with the types the channel binds
// them as, and the simulator's control entry point (xgameruntime.dll only).
#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "SimExport.h"
#include "channels/xbox/GameRuntimeApi.h"
#include "channels/xbox/XblApi.h"

extern "C" {

VYRO_SIM_EXPORT Vyro::Gdk::HResult XGameRuntimeInitialize();
VYRO_SIM_EXPORT void XGameRuntimeUninitialize();
VYRO_SIM_EXPORT Vyro::Gdk::HResult XTaskQueueCreate(Vyro::Gdk::XTaskQueueDispatchMode workDispatchMode,
                                                    Vyro::Gdk::XTaskQueueDispatchMode completionDispatchMode,
                                                    Vyro::Gdk::XTaskQueueHandle* queue);
VYRO_SIM_EXPORT bool XTaskQueueDispatch(Vyro::Gdk::XTaskQueueHandle queue, Vyro::Gdk::XTaskQueuePort port,
                                        std::uint32_t timeoutInMs);
VYRO_SIM_EXPORT Vyro::Gdk::HResult XTaskQueueTerminate(Vyro::Gdk::XTaskQueueHandle queue, bool wait, void* callbackContext,
                                                       Vyro::Gdk::XTaskQueueTerminatedCallback* callback);
VYRO_SIM_EXPORT void XTaskQueueCloseHandle(Vyro::Gdk::XTaskQueueHandle queue);
VYRO_SIM_EXPORT Vyro::Gdk::HResult XAsyncGetStatus(Vyro::Gdk::XAsyncBlock* asyncBlock, bool wait);
VYRO_SIM_EXPORT Vyro::Gdk::HResult XUserAddAsync(Vyro::Gdk::XUserAddOptions options, Vyro::Gdk::XAsyncBlock* asyncBlock);
VYRO_SIM_EXPORT Vyro::Gdk::HResult XUserAddResult(Vyro::Gdk::XAsyncBlock* asyncBlock, Vyro::Gdk::XUserHandle* newUser);
VYRO_SIM_EXPORT Vyro::Gdk::HResult XUserGetId(Vyro::Gdk::XUserHandle user, std::uint64_t* userId);
VYRO_SIM_EXPORT Vyro::Gdk::HResult XUserGetGamertag(Vyro::Gdk::XUserHandle user,
                                                    Vyro::Gdk::XUserGamertagComponent gamertagComponent,
                                                    std::size_t gamertagSize, char* gamertag, std::size_t* gamertagUsed);
VYRO_SIM_EXPORT bool XUserIsStoreUser(Vyro::Gdk::XUserHandle user);
VYRO_SIM_EXPORT void XUserCloseHandle(Vyro::Gdk::XUserHandle user);
VYRO_SIM_EXPORT Vyro::Gdk::HResult XUserGetTokenAndSignatureAsync(
    Vyro::Gdk::XUserHandle user, Vyro::Gdk::XUserGetTokenAndSignatureOptions options, const char* method, const char* url,
    std::size_t headerCount, const Vyro::Gdk::XUserGetTokenAndSignatureHttpHeader* headers, std::size_t bodySize,
    const void* bodyBuffer, Vyro::Gdk::XAsyncBlock* asyncBlock);
VYRO_SIM_EXPORT Vyro::Gdk::HResult XUserGetTokenAndSignatureResultSize(Vyro::Gdk::XAsyncBlock* asyncBlock,
                                                                       std::size_t* bufferSize);
VYRO_SIM_EXPORT Vyro::Gdk::HResult XUserGetTokenAndSignatureResult(Vyro::Gdk::XAsyncBlock* asyncBlock, std::size_t bufferSize,
                                                                   void* buffer,
                                                                   Vyro::Gdk::XUserGetTokenAndSignatureData** ptrToBuffer,
                                                                   std::size_t* bufferUsed);
VYRO_SIM_EXPORT Vyro::Gdk::HResult XUserRegisterForChangeEvent(Vyro::Gdk::XTaskQueueHandle queue, void* context,
                                                               Vyro::Gdk::XUserChangeEventCallback* callback,
                                                               Vyro::Gdk::XTaskQueueRegistrationToken* token);
VYRO_SIM_EXPORT bool XUserUnregisterForChangeEvent(Vyro::Gdk::XTaskQueueRegistrationToken token, bool wait);
VYRO_SIM_EXPORT Vyro::Gdk::HResult XStoreCreateContext(Vyro::Gdk::XUserHandle user,
                                                       Vyro::Gdk::XStoreContextHandle* storeContextHandle);
VYRO_SIM_EXPORT void XStoreCloseContextHandle(Vyro::Gdk::XStoreContextHandle storeContextHandle);
VYRO_SIM_EXPORT Vyro::Gdk::HResult XGameGetXboxTitleId(std::uint32_t* titleId);
VYRO_SIM_EXPORT Vyro::Gdk::HResult XSystemGetXboxLiveSandboxId(std::size_t sandboxIdSize, char* sandboxId,
                                                               std::size_t* sandboxIdUsed);
VYRO_SIM_EXPORT Vyro::Gdk::HResult XGameInviteRegisterForEvent(Vyro::Gdk::XTaskQueueHandle queue, void* context,
                                                               Vyro::Gdk::XGameInviteEventCallback* callback,
                                                               Vyro::Gdk::XTaskQueueRegistrationToken* token);
VYRO_SIM_EXPORT bool XGameInviteUnregisterForEvent(Vyro::Gdk::XTaskQueueRegistrationToken token, bool wait);

VYRO_SIM_EXPORT Vyro::Gdk::HResult XStoreQueryProductsAsync(Vyro::Gdk::XStoreContextHandle storeContextHandle,
                                                            Vyro::Gdk::XStoreProductKind productKinds, const char** storeIds,
                                                            std::size_t storeIdsCount, const char** actionFilters,
                                                            std::size_t actionFiltersCount, Vyro::Gdk::XAsyncBlock* async);
VYRO_SIM_EXPORT Vyro::Gdk::HResult XStoreQueryProductsResult(Vyro::Gdk::XAsyncBlock* async,
                                                             Vyro::Gdk::XStoreProductQueryHandle* productQueryHandle);
VYRO_SIM_EXPORT Vyro::Gdk::HResult XStoreEnumerateProductsQuery(Vyro::Gdk::XStoreProductQueryHandle productQueryHandle,
                                                                void* context, Vyro::Gdk::XStoreProductQueryCallback* callback);
VYRO_SIM_EXPORT bool XStoreProductsQueryHasMorePages(Vyro::Gdk::XStoreProductQueryHandle productQueryHandle);
VYRO_SIM_EXPORT Vyro::Gdk::HResult XStoreProductsQueryNextPageAsync(Vyro::Gdk::XStoreProductQueryHandle productQueryHandle,
                                                                    Vyro::Gdk::XAsyncBlock* async);
VYRO_SIM_EXPORT Vyro::Gdk::HResult XStoreProductsQueryNextPageResult(Vyro::Gdk::XAsyncBlock* async,
                                                                     Vyro::Gdk::XStoreProductQueryHandle* productQueryHandle);
VYRO_SIM_EXPORT void XStoreCloseProductsQueryHandle(Vyro::Gdk::XStoreProductQueryHandle productQueryHandle);
VYRO_SIM_EXPORT Vyro::Gdk::HResult XStoreShowPurchaseUIAsync(Vyro::Gdk::XStoreContextHandle storeContextHandle,
                                                             const char* storeId, const char* name,
                                                             const char* extendedJsonData, Vyro::Gdk::XAsyncBlock* async);
VYRO_SIM_EXPORT Vyro::Gdk::HResult XStoreShowPurchaseUIResult(Vyro::Gdk::XAsyncBlock* async);
VYRO_SIM_EXPORT Vyro::Gdk::HResult XStoreGetUserCollectionsIdAsync(Vyro::Gdk::XStoreContextHandle storeContextHandle,
                                                                   const char* serviceTicket, const char* publisherUserId,
                                                                   Vyro::Gdk::XAsyncBlock* async);
VYRO_SIM_EXPORT Vyro::Gdk::HResult XStoreGetUserCollectionsIdResultSize(Vyro::Gdk::XAsyncBlock* async, std::size_t* size);
VYRO_SIM_EXPORT Vyro::Gdk::HResult XStoreGetUserCollectionsIdResult(Vyro::Gdk::XAsyncBlock* async, std::size_t size,
                                                                    char* result);

VYRO_SIM_EXPORT Vyro::Xbl::HResult XblInitialize(const Vyro::Xbl::XblInitArgs* args);
VYRO_SIM_EXPORT Vyro::Xbl::HResult XblCleanupAsync(Vyro::Gdk::XAsyncBlock* asyncBlock);
VYRO_SIM_EXPORT Vyro::Xbl::HResult XblContextCreateHandle(Vyro::Xbl::XblUserHandle user, Vyro::Xbl::XblContextHandle* context);
VYRO_SIM_EXPORT void XblContextCloseHandle(Vyro::Xbl::XblContextHandle context);

VYRO_SIM_EXPORT Vyro::Xbl::HResult XblAchievementsGetAchievementsForTitleIdAsync(
    Vyro::Xbl::XblContextHandle xboxLiveContext, std::uint64_t xboxUserId, std::uint32_t titleId, Vyro::Xbl::XblAchievementType type,
    bool unlockedOnly, Vyro::Xbl::XblAchievementOrderBy orderBy, std::uint32_t skipItems, std::uint32_t maxItems,
    Vyro::Gdk::XAsyncBlock* async);
VYRO_SIM_EXPORT Vyro::Xbl::HResult XblAchievementsGetAchievementsForTitleIdResult(Vyro::Gdk::XAsyncBlock* async,
                                                                                   Vyro::Xbl::XblAchievementsResultHandle* result);
VYRO_SIM_EXPORT Vyro::Xbl::HResult XblAchievementsResultGetAchievements(Vyro::Xbl::XblAchievementsResultHandle resultHandle,
                                                                         const Vyro::Xbl::XblAchievement** achievements,
                                                                         std::size_t* achievementsCount);
VYRO_SIM_EXPORT Vyro::Xbl::HResult XblAchievementsResultHasNext(Vyro::Xbl::XblAchievementsResultHandle resultHandle, bool* hasNext);
VYRO_SIM_EXPORT void XblAchievementsResultCloseHandle(Vyro::Xbl::XblAchievementsResultHandle handle);
VYRO_SIM_EXPORT Vyro::Xbl::HResult XblAchievementsUpdateAchievementAsync(Vyro::Xbl::XblContextHandle xboxLiveContext,
                                                                          std::uint64_t xboxUserId, const char* achievementId,
                                                                          std::uint32_t percentComplete, Vyro::Gdk::XAsyncBlock* async);
VYRO_SIM_EXPORT Vyro::Xbl::HResult XblUserStatisticsGetSingleUserStatisticsAsync(
    Vyro::Xbl::XblContextHandle xblContextHandle, std::uint64_t xboxUserId, const char* serviceConfigurationId,
    const char** statisticNames, std::size_t statisticNamesCount, Vyro::Gdk::XAsyncBlock* async);
VYRO_SIM_EXPORT Vyro::Xbl::HResult XblUserStatisticsGetSingleUserStatisticsResultSize(Vyro::Gdk::XAsyncBlock* async,
                                                                                       std::size_t* resultSizeInBytes);
VYRO_SIM_EXPORT Vyro::Xbl::HResult XblUserStatisticsGetSingleUserStatisticsResult(Vyro::Gdk::XAsyncBlock* async, std::size_t bufferSize,
                                                                                   void* buffer,
                                                                                   Vyro::Xbl::XblUserStatisticsResult** ptrToBuffer,
                                                                                   std::size_t* bufferUsed);
VYRO_SIM_EXPORT Vyro::Xbl::HResult XblTitleManagedStatsUpdateStatsAsync(Vyro::Xbl::XblContextHandle xblContextHandle,
                                                                         const Vyro::Xbl::XblTitleManagedStatistic* statistics,
                                                                         std::size_t statisticsCount, Vyro::Gdk::XAsyncBlock* async);
VYRO_SIM_EXPORT Vyro::Xbl::HResult XblLeaderboardGetLeaderboardAsync(Vyro::Xbl::XblContextHandle xboxLiveContext,
                                                                      Vyro::Xbl::XblLeaderboardQuery leaderboardQuery,
                                                                      Vyro::Gdk::XAsyncBlock* async);
VYRO_SIM_EXPORT Vyro::Xbl::HResult XblLeaderboardGetLeaderboardResultSize(Vyro::Gdk::XAsyncBlock* async, std::size_t* resultSizeInBytes);
VYRO_SIM_EXPORT Vyro::Xbl::HResult XblLeaderboardGetLeaderboardResult(Vyro::Gdk::XAsyncBlock* async, std::size_t bufferSize,
                                                                       void* buffer, Vyro::Xbl::XblLeaderboardResult** ptrToBuffer,
                                                                       std::size_t* bufferUsed);

VYRO_SIM_EXPORT Vyro::Gdk::HResult XGameUiShowSendGameInviteAsync(Vyro::Gdk::XAsyncBlock* async, Vyro::Gdk::XUserHandle requestingUser,
                                                                  const char* serviceConfigurationId, const char* sessionTemplateName,
                                                                  const char* sessionId, const char* invitationText,
                                                                  const char* customActivationContext);
VYRO_SIM_EXPORT Vyro::Gdk::HResult XGameUiShowSendGameInviteResult(Vyro::Gdk::XAsyncBlock* async);
VYRO_SIM_EXPORT Vyro::Xbl::HResult XblContextGetXboxUserId(Vyro::Xbl::XblContextHandle xblContextHandle, std::uint64_t* xboxUserId);
VYRO_SIM_EXPORT Vyro::Xbl::HResult XblMultiplayerActivitySetActivityAsync(Vyro::Xbl::XblContextHandle xblContext,
                                                                          const Vyro::Xbl::XblMultiplayerActivityInfo* activityInfo,
                                                                          bool allowCrossPlatformJoin, Vyro::Gdk::XAsyncBlock* async);
VYRO_SIM_EXPORT Vyro::Xbl::HResult XblMultiplayerActivityGetActivityAsync(Vyro::Xbl::XblContextHandle xblContext, const std::uint64_t* xuids,
                                                                          std::size_t xuidsCount, Vyro::Gdk::XAsyncBlock* async);
VYRO_SIM_EXPORT Vyro::Xbl::HResult XblMultiplayerActivityGetActivityResultSize(Vyro::Gdk::XAsyncBlock* async, std::size_t* resultSizeInBytes);
VYRO_SIM_EXPORT Vyro::Xbl::HResult XblMultiplayerActivityGetActivityResult(Vyro::Gdk::XAsyncBlock* async, std::size_t bufferSize,
                                                                           void* buffer,
                                                                           Vyro::Xbl::XblMultiplayerActivityInfo** ptrToBufferResults,
                                                                           std::size_t* resultCount, std::size_t* bufferUsed);
VYRO_SIM_EXPORT Vyro::Xbl::HResult XblMultiplayerActivityDeleteActivityAsync(Vyro::Xbl::XblContextHandle xblContext,
                                                                             Vyro::Gdk::XAsyncBlock* async);
VYRO_SIM_EXPORT Vyro::Xbl::HResult XblMultiplayerActivitySendInvitesAsync(Vyro::Xbl::XblContextHandle xblContext, const std::uint64_t* xuids,
                                                                          std::size_t xuidsCount, bool allowCrossPlatformJoin,
                                                                          const char* connectionString, Vyro::Gdk::XAsyncBlock* async);
VYRO_SIM_EXPORT Vyro::Xbl::HResult XblMultiplayerActivityUpdateRecentPlayers(
    Vyro::Xbl::XblContextHandle xblContext, const Vyro::Xbl::XblMultiplayerActivityRecentPlayerUpdate* updates, std::size_t updatesCount);
VYRO_SIM_EXPORT Vyro::Xbl::HResult XblMultiplayerActivityFlushRecentPlayersAsync(Vyro::Xbl::XblContextHandle xblContext,
                                                                                 Vyro::Gdk::XAsyncBlock* async);
VYRO_SIM_EXPORT Vyro::Gdk::HResult XUserCheckPrivilege(Vyro::Gdk::XUserHandle user, Vyro::Gdk::XUserPrivilegeOptions options,
                                                       Vyro::Gdk::XUserPrivilege privilege, bool* hasPrivilege,
                                                       Vyro::Gdk::XUserPrivilegeDenyReason* reason);
VYRO_SIM_EXPORT Vyro::Gdk::HResult XUserResolvePrivilegeWithUiAsync(Vyro::Gdk::XUserHandle user,
                                                                    Vyro::Gdk::XUserPrivilegeOptions options,
                                                                    Vyro::Gdk::XUserPrivilege privilege, Vyro::Gdk::XAsyncBlock* async);
VYRO_SIM_EXPORT Vyro::Gdk::HResult XUserResolvePrivilegeWithUiResult(Vyro::Gdk::XAsyncBlock* async);
VYRO_SIM_EXPORT Vyro::Gdk::HResult XGameUiShowErrorDialogAsync(Vyro::Gdk::XAsyncBlock* async, Vyro::Gdk::HResult errorCode,
                                                               const char* context);
VYRO_SIM_EXPORT Vyro::Gdk::HResult XGameUiShowErrorDialogResult(Vyro::Gdk::XAsyncBlock* async);
VYRO_SIM_EXPORT Vyro::Gdk::HResult XGameUiShowMessageDialogAsync(Vyro::Gdk::XAsyncBlock* async, const char* titleText,
                                                                 const char* contentText, const char* firstButtonText,
                                                                 const char* secondButtonText, const char* thirdButtonText,
                                                                 Vyro::Gdk::XGameUiMessageDialogButton defaultButton,
                                                                 Vyro::Gdk::XGameUiMessageDialogButton cancelButton);
VYRO_SIM_EXPORT Vyro::Gdk::HResult XGameUiShowMessageDialogResult(Vyro::Gdk::XAsyncBlock* async,
                                                                  Vyro::Gdk::XGameUiMessageDialogButton* resultButton);
VYRO_SIM_EXPORT Vyro::Gdk::HResult XGameUiShowPlayerProfileCardAsync(Vyro::Gdk::XAsyncBlock* async,
                                                                     Vyro::Gdk::XUserHandle requestingUser, std::uint64_t targetPlayer);
VYRO_SIM_EXPORT Vyro::Gdk::HResult XGameUiShowPlayerProfileCardResult(Vyro::Gdk::XAsyncBlock* async);
VYRO_SIM_EXPORT Vyro::Gdk::HResult XGameUiShowTextEntryAsync(Vyro::Gdk::XAsyncBlock* async, const char* titleText,
                                                             const char* descriptionText, const char* defaultText,
                                                             Vyro::Gdk::XGameUiTextEntryInputScope inputScope,
                                                             std::uint32_t maxTextLength);
VYRO_SIM_EXPORT Vyro::Gdk::HResult XGameUiShowTextEntryResultSize(Vyro::Gdk::XAsyncBlock* async, std::uint32_t* resultTextBufferSize);
VYRO_SIM_EXPORT Vyro::Gdk::HResult XGameUiShowTextEntryResult(Vyro::Gdk::XAsyncBlock* async, std::uint32_t resultTextBufferSize,
                                                              char* resultTextBuffer, std::uint32_t* resultTextBufferUsed);

VYRO_SIM_EXPORT Vyro::Xbl::HResult XblPrivacyBatchCheckPermissionAsync(
    Vyro::Xbl::XblContextHandle xboxLiveContext, const Vyro::Xbl::XblPermission* permissionsToCheck, std::size_t permissionsCount,
    const std::uint64_t* targetXuids, std::size_t xuidsCount, const Vyro::Xbl::XblAnonymousUserType* targetAnonymousUserTypes,
    std::size_t targetAnonymousUserTypesCount, Vyro::Gdk::XAsyncBlock* async);
VYRO_SIM_EXPORT Vyro::Xbl::HResult XblPrivacyBatchCheckPermissionResultSize(Vyro::Gdk::XAsyncBlock* async,
                                                                             std::size_t* resultSizeInBytes);
VYRO_SIM_EXPORT Vyro::Xbl::HResult XblPrivacyBatchCheckPermissionResult(Vyro::Gdk::XAsyncBlock* async, std::size_t bufferSize,
                                                                         void* buffer,
                                                                         Vyro::Xbl::XblPermissionCheckResult** ptrToBufferResults,
                                                                         std::size_t* ptrToBufferResultsCount, std::size_t* bufferUsed);
VYRO_SIM_EXPORT Vyro::Xbl::HResult XblSocialManagerAddLocalUser(Vyro::Xbl::XblUserHandle user, Vyro::Xbl::XblSocialManagerExtraDetailLevel extraLevelDetail, Vyro::Gdk::XTaskQueueHandle queue);
VYRO_SIM_EXPORT Vyro::Xbl::HResult XblSocialManagerRemoveLocalUser(Vyro::Xbl::XblUserHandle user);
VYRO_SIM_EXPORT Vyro::Xbl::HResult XblSocialManagerCreateSocialUserGroupFromFilters(Vyro::Xbl::XblUserHandle user, Vyro::Xbl::XblPresenceFilter presenceDetailLevel, Vyro::Xbl::XblRelationshipFilter filter, Vyro::Xbl::XblSocialManagerUserGroupHandle* group);
VYRO_SIM_EXPORT Vyro::Xbl::HResult XblSocialManagerDestroySocialUserGroup(Vyro::Xbl::XblSocialManagerUserGroupHandle group);
VYRO_SIM_EXPORT Vyro::Xbl::HResult XblSocialManagerUserGroupGetUsers(Vyro::Xbl::XblSocialManagerUserGroupHandle group, Vyro::Xbl::XblSocialManagerUserPtrArray* users, std::size_t* usersCount);
VYRO_SIM_EXPORT Vyro::Xbl::HResult XblSocialManagerDoWork(const Vyro::Xbl::XblSocialManagerEvent** socialEvents, std::size_t* socialEventsCount);
VYRO_SIM_EXPORT Vyro::Xbl::HResult XblPrivacyGetAvoidListAsync(Vyro::Xbl::XblContextHandle xblContextHandle, Vyro::Gdk::XAsyncBlock* async);
VYRO_SIM_EXPORT Vyro::Xbl::HResult XblPrivacyGetAvoidListResultCount(Vyro::Gdk::XAsyncBlock* async, std::size_t* xuidCount);
VYRO_SIM_EXPORT Vyro::Xbl::HResult XblPrivacyGetAvoidListResult(Vyro::Gdk::XAsyncBlock* async, std::size_t xuidCount, std::uint64_t* xuids);
VYRO_SIM_EXPORT Vyro::Xbl::HResult XblProfileGetUserProfileAsync(Vyro::Xbl::XblContextHandle xboxLiveContext, std::uint64_t xboxUserId, Vyro::Gdk::XAsyncBlock* async);
VYRO_SIM_EXPORT Vyro::Xbl::HResult XblProfileGetUserProfileResult(Vyro::Gdk::XAsyncBlock* async, Vyro::Xbl::XblUserProfile* profile);
VYRO_SIM_EXPORT Vyro::Xbl::HResult XblProfileGetUserProfilesAsync(Vyro::Xbl::XblContextHandle xboxLiveContext, const std::uint64_t* xboxUserIds, std::size_t xboxUserIdsCount, Vyro::Gdk::XAsyncBlock* async);
VYRO_SIM_EXPORT Vyro::Xbl::HResult XblProfileGetUserProfilesResultCount(Vyro::Gdk::XAsyncBlock* async, std::size_t* profileCount);
VYRO_SIM_EXPORT Vyro::Xbl::HResult XblProfileGetUserProfilesResult(Vyro::Gdk::XAsyncBlock* async, std::size_t profilesCount, Vyro::Xbl::XblUserProfile* profiles);

} // extern "C"

// The channel binds these by name into pointers of its own types: a drifting signature would only
// show as a crash at run time, so it is caught here.
namespace Vyro::XboxSim::Checks {
namespace G = Vyro::Gdk;
namespace X = Vyro::Xbl;
static_assert(std::is_same_v<decltype(XGameRuntimeInitialize), G::XGameRuntimeInitialize_t>);
static_assert(std::is_same_v<decltype(XGameRuntimeUninitialize), G::XGameRuntimeUninitialize_t>);
static_assert(std::is_same_v<decltype(XTaskQueueCreate), G::XTaskQueueCreate_t>);
static_assert(std::is_same_v<decltype(XTaskQueueDispatch), G::XTaskQueueDispatch_t>);
static_assert(std::is_same_v<decltype(XTaskQueueTerminate), G::XTaskQueueTerminate_t>);
static_assert(std::is_same_v<decltype(XTaskQueueCloseHandle), G::XTaskQueueCloseHandle_t>);
static_assert(std::is_same_v<decltype(XAsyncGetStatus), G::XAsyncGetStatus_t>);
static_assert(std::is_same_v<decltype(XUserAddAsync), G::XUserAddAsync_t>);
static_assert(std::is_same_v<decltype(XUserAddResult), G::XUserAddResult_t>);
static_assert(std::is_same_v<decltype(XUserGetId), G::XUserGetId_t>);
static_assert(std::is_same_v<decltype(XUserGetGamertag), G::XUserGetGamertag_t>);
static_assert(std::is_same_v<decltype(XUserIsStoreUser), G::XUserIsStoreUser_t>);
static_assert(std::is_same_v<decltype(XUserCloseHandle), G::XUserCloseHandle_t>);
static_assert(std::is_same_v<decltype(XUserGetTokenAndSignatureAsync), G::XUserGetTokenAndSignatureAsync_t>);
static_assert(std::is_same_v<decltype(XUserGetTokenAndSignatureResultSize), G::XUserGetTokenAndSignatureResultSize_t>);
static_assert(std::is_same_v<decltype(XUserGetTokenAndSignatureResult), G::XUserGetTokenAndSignatureResult_t>);
static_assert(std::is_same_v<decltype(XUserRegisterForChangeEvent), G::XUserRegisterForChangeEvent_t>);
static_assert(std::is_same_v<decltype(XUserUnregisterForChangeEvent), G::XUserUnregisterForChangeEvent_t>);
static_assert(std::is_same_v<decltype(XStoreCreateContext), G::XStoreCreateContext_t>);
static_assert(std::is_same_v<decltype(XStoreCloseContextHandle), G::XStoreCloseContextHandle_t>);
static_assert(std::is_same_v<decltype(XGameGetXboxTitleId), G::XGameGetXboxTitleId_t>);
static_assert(std::is_same_v<decltype(XSystemGetXboxLiveSandboxId), G::XSystemGetXboxLiveSandboxId_t>);
static_assert(std::is_same_v<decltype(XGameInviteRegisterForEvent), G::XGameInviteRegisterForEvent_t>);
static_assert(std::is_same_v<decltype(XGameInviteUnregisterForEvent), G::XGameInviteUnregisterForEvent_t>);
static_assert(std::is_same_v<decltype(XStoreQueryProductsAsync), G::XStoreQueryProductsAsync_t>);
static_assert(std::is_same_v<decltype(XStoreQueryProductsResult), G::XStoreQueryProductsResult_t>);
static_assert(std::is_same_v<decltype(XStoreEnumerateProductsQuery), G::XStoreEnumerateProductsQuery_t>);
static_assert(std::is_same_v<decltype(XStoreProductsQueryHasMorePages), G::XStoreProductsQueryHasMorePages_t>);
static_assert(std::is_same_v<decltype(XStoreProductsQueryNextPageAsync), G::XStoreProductsQueryNextPageAsync_t>);
static_assert(std::is_same_v<decltype(XStoreProductsQueryNextPageResult), G::XStoreProductsQueryNextPageResult_t>);
static_assert(std::is_same_v<decltype(XStoreCloseProductsQueryHandle), G::XStoreCloseProductsQueryHandle_t>);
static_assert(std::is_same_v<decltype(XStoreShowPurchaseUIAsync), G::XStoreShowPurchaseUIAsync_t>);
static_assert(std::is_same_v<decltype(XStoreShowPurchaseUIResult), G::XStoreShowPurchaseUIResult_t>);
static_assert(std::is_same_v<decltype(XStoreGetUserCollectionsIdAsync), G::XStoreGetUserCollectionsIdAsync_t>);
static_assert(std::is_same_v<decltype(XStoreGetUserCollectionsIdResultSize), G::XStoreGetUserCollectionsIdResultSize_t>);
static_assert(std::is_same_v<decltype(XStoreGetUserCollectionsIdResult), G::XStoreGetUserCollectionsIdResult_t>);
static_assert(std::is_same_v<decltype(XblInitialize), X::XblInitialize_t>);
static_assert(std::is_same_v<decltype(XblCleanupAsync), X::XblCleanupAsync_t>);
static_assert(std::is_same_v<decltype(XblContextCreateHandle), X::XblContextCreateHandle_t>);
static_assert(std::is_same_v<decltype(XblContextCloseHandle), X::XblContextCloseHandle_t>);
static_assert(std::is_same_v<decltype(XblAchievementsGetAchievementsForTitleIdAsync), X::XblAchievementsGetAchievementsForTitleIdAsync_t>);
static_assert(std::is_same_v<decltype(XblAchievementsGetAchievementsForTitleIdResult), X::XblAchievementsGetAchievementsForTitleIdResult_t>);
static_assert(std::is_same_v<decltype(XblAchievementsResultGetAchievements), X::XblAchievementsResultGetAchievements_t>);
static_assert(std::is_same_v<decltype(XblAchievementsResultHasNext), X::XblAchievementsResultHasNext_t>);
static_assert(std::is_same_v<decltype(XblAchievementsResultCloseHandle), X::XblAchievementsResultCloseHandle_t>);
static_assert(std::is_same_v<decltype(XblAchievementsUpdateAchievementAsync), X::XblAchievementsUpdateAchievementAsync_t>);
static_assert(std::is_same_v<decltype(XblUserStatisticsGetSingleUserStatisticsAsync), X::XblUserStatisticsGetSingleUserStatisticsAsync_t>);
static_assert(std::is_same_v<decltype(XblUserStatisticsGetSingleUserStatisticsResultSize), X::XblUserStatisticsGetSingleUserStatisticsResultSize_t>);
static_assert(std::is_same_v<decltype(XblUserStatisticsGetSingleUserStatisticsResult), X::XblUserStatisticsGetSingleUserStatisticsResult_t>);
static_assert(std::is_same_v<decltype(XblTitleManagedStatsUpdateStatsAsync), X::XblTitleManagedStatsUpdateStatsAsync_t>);
static_assert(std::is_same_v<decltype(XblLeaderboardGetLeaderboardAsync), X::XblLeaderboardGetLeaderboardAsync_t>);
static_assert(std::is_same_v<decltype(XblLeaderboardGetLeaderboardResultSize), X::XblLeaderboardGetLeaderboardResultSize_t>);
static_assert(std::is_same_v<decltype(XblLeaderboardGetLeaderboardResult), X::XblLeaderboardGetLeaderboardResult_t>);
static_assert(std::is_same_v<decltype(XGameUiShowSendGameInviteAsync), G::XGameUiShowSendGameInviteAsync_t>);
static_assert(std::is_same_v<decltype(XGameUiShowSendGameInviteResult), G::XGameUiShowSendGameInviteResult_t>);
static_assert(std::is_same_v<decltype(XblContextGetXboxUserId), X::XblContextGetXboxUserId_t>);
static_assert(std::is_same_v<decltype(XblMultiplayerActivitySetActivityAsync), X::XblMultiplayerActivitySetActivityAsync_t>);
static_assert(std::is_same_v<decltype(XblMultiplayerActivityGetActivityAsync), X::XblMultiplayerActivityGetActivityAsync_t>);
static_assert(std::is_same_v<decltype(XblMultiplayerActivityGetActivityResultSize), X::XblMultiplayerActivityGetActivityResultSize_t>);
static_assert(std::is_same_v<decltype(XblMultiplayerActivityGetActivityResult), X::XblMultiplayerActivityGetActivityResult_t>);
static_assert(std::is_same_v<decltype(XblMultiplayerActivityDeleteActivityAsync), X::XblMultiplayerActivityDeleteActivityAsync_t>);
static_assert(std::is_same_v<decltype(XblMultiplayerActivitySendInvitesAsync), X::XblMultiplayerActivitySendInvitesAsync_t>);
static_assert(std::is_same_v<decltype(XblMultiplayerActivityUpdateRecentPlayers), X::XblMultiplayerActivityUpdateRecentPlayers_t>);
static_assert(std::is_same_v<decltype(XblMultiplayerActivityFlushRecentPlayersAsync), X::XblMultiplayerActivityFlushRecentPlayersAsync_t>);
static_assert(std::is_same_v<decltype(XUserCheckPrivilege), G::XUserCheckPrivilege_t>);
static_assert(std::is_same_v<decltype(XUserResolvePrivilegeWithUiAsync), G::XUserResolvePrivilegeWithUiAsync_t>);
static_assert(std::is_same_v<decltype(XUserResolvePrivilegeWithUiResult), G::XUserResolvePrivilegeWithUiResult_t>);
static_assert(std::is_same_v<decltype(XGameUiShowErrorDialogAsync), G::XGameUiShowErrorDialogAsync_t>);
static_assert(std::is_same_v<decltype(XGameUiShowErrorDialogResult), G::XGameUiShowErrorDialogResult_t>);
static_assert(std::is_same_v<decltype(XGameUiShowMessageDialogAsync), G::XGameUiShowMessageDialogAsync_t>);
static_assert(std::is_same_v<decltype(XGameUiShowMessageDialogResult), G::XGameUiShowMessageDialogResult_t>);
static_assert(std::is_same_v<decltype(XGameUiShowPlayerProfileCardAsync), G::XGameUiShowPlayerProfileCardAsync_t>);
static_assert(std::is_same_v<decltype(XGameUiShowPlayerProfileCardResult), G::XGameUiShowPlayerProfileCardResult_t>);
static_assert(std::is_same_v<decltype(XGameUiShowTextEntryAsync), G::XGameUiShowTextEntryAsync_t>);
static_assert(std::is_same_v<decltype(XGameUiShowTextEntryResultSize), G::XGameUiShowTextEntryResultSize_t>);
static_assert(std::is_same_v<decltype(XGameUiShowTextEntryResult), G::XGameUiShowTextEntryResult_t>);
static_assert(std::is_same_v<decltype(XblPrivacyBatchCheckPermissionAsync), X::XblPrivacyBatchCheckPermissionAsync_t>);
static_assert(std::is_same_v<decltype(XblPrivacyBatchCheckPermissionResultSize), X::XblPrivacyBatchCheckPermissionResultSize_t>);
static_assert(std::is_same_v<decltype(XblPrivacyBatchCheckPermissionResult), X::XblPrivacyBatchCheckPermissionResult_t>);
static_assert(std::is_same_v<decltype(XblSocialManagerAddLocalUser), X::XblSocialManagerAddLocalUser_t>);
static_assert(std::is_same_v<decltype(XblSocialManagerRemoveLocalUser), X::XblSocialManagerRemoveLocalUser_t>);
static_assert(std::is_same_v<decltype(XblSocialManagerCreateSocialUserGroupFromFilters), X::XblSocialManagerCreateSocialUserGroupFromFilters_t>);
static_assert(std::is_same_v<decltype(XblSocialManagerDestroySocialUserGroup), X::XblSocialManagerDestroySocialUserGroup_t>);
static_assert(std::is_same_v<decltype(XblSocialManagerUserGroupGetUsers), X::XblSocialManagerUserGroupGetUsers_t>);
static_assert(std::is_same_v<decltype(XblSocialManagerDoWork), X::XblSocialManagerDoWork_t>);
static_assert(std::is_same_v<decltype(XblPrivacyGetAvoidListAsync), X::XblPrivacyGetAvoidListAsync_t>);
static_assert(std::is_same_v<decltype(XblPrivacyGetAvoidListResultCount), X::XblPrivacyGetAvoidListResultCount_t>);
static_assert(std::is_same_v<decltype(XblPrivacyGetAvoidListResult), X::XblPrivacyGetAvoidListResult_t>);
static_assert(std::is_same_v<decltype(XblProfileGetUserProfileAsync), X::XblProfileGetUserProfileAsync_t>);
static_assert(std::is_same_v<decltype(XblProfileGetUserProfileResult), X::XblProfileGetUserProfileResult_t>);
static_assert(std::is_same_v<decltype(XblProfileGetUserProfilesAsync), X::XblProfileGetUserProfilesAsync_t>);
static_assert(std::is_same_v<decltype(XblProfileGetUserProfilesResultCount), X::XblProfileGetUserProfilesResultCount_t>);
static_assert(std::is_same_v<decltype(XblProfileGetUserProfilesResult), X::XblProfileGetUserProfilesResult_t>);
} // namespace Vyro::XboxSim::Checks
