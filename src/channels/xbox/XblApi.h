#pragma once

// The part of the Xbox services C API the Xbox channel uses, declared as
// Microsoft.Xbox.Services.GDK.C.Thunks.dll exports it. On the GDK its user handle is the Gaming
// Runtime's XUserHandle and its asynchronous calls take the runtime's XAsyncBlock.
#include <cstddef>
#include <cstdint>
#include <ctime>

#include "channels/xbox/GameRuntimeApi.h"
#include "channels/xbox/XblAchievementsApi.h"
#include "channels/xbox/XblPermissionApi.h"
#include "channels/xbox/XblStatsApi.h"
#include "channels/xbox/XblMultiplayerActivityApi.h"
#include "channels/xbox/XblProfileApi.h"
#include "channels/xbox/XblSocialApi.h"

namespace Vyro::Xbl {

inline constexpr wchar_t kServicesFileName[] = L"Microsoft.Xbox.Services.GDK.C.Thunks.dll";

using Gdk::HResult;

using XblContextHandle = struct XblContext*;
using XblUserHandle = Gdk::XUserHandle;

// On the GDK the initialisation arguments are the queue for the library's own work and the title's
// service configuration id.
struct XblInitArgs {
    Gdk::XTaskQueueHandle queue;
    const char* scid;
};

static_assert(sizeof(XblInitArgs) == 16 && offsetof(XblInitArgs, scid) == 8);

// HTTP_E_STATUS_NOT_MODIFIED: an achievement update that changes nothing (the progress is already
// at that value or beyond).
inline constexpr HResult kNotModified = static_cast<HResult>(0x80190130);

// The exports of the Xbox services library that the channel calls.
using XblInitialize_t = HResult(const XblInitArgs* args);
using XblCleanupAsync_t = HResult(Gdk::XAsyncBlock* asyncBlock);
using XblContextCreateHandle_t = HResult(XblUserHandle user, XblContextHandle* context);
using XblContextCloseHandle_t = void(XblContextHandle context);

using XblAchievementsGetAchievementsForTitleIdAsync_t = HResult(XblContextHandle context, std::uint64_t xboxUserId,
                                                                std::uint32_t titleId, XblAchievementType type,
                                                                bool unlockedOnly, XblAchievementOrderBy orderBy,
                                                                std::uint32_t skipItems, std::uint32_t maxItems,
                                                                Gdk::XAsyncBlock* asyncBlock);
using XblAchievementsGetAchievementsForTitleIdResult_t = HResult(Gdk::XAsyncBlock* asyncBlock,
                                                                 XblAchievementsResultHandle* result);
using XblAchievementsResultGetAchievements_t = HResult(XblAchievementsResultHandle result,
                                                       const XblAchievement** achievements, std::size_t* achievementsCount);
using XblAchievementsResultHasNext_t = HResult(XblAchievementsResultHandle result, bool* hasNext);
using XblAchievementsResultCloseHandle_t = void(XblAchievementsResultHandle result);
using XblAchievementsUpdateAchievementAsync_t = HResult(XblContextHandle context, std::uint64_t xboxUserId,
                                                        const char* achievementId, std::uint32_t percentComplete,
                                                        Gdk::XAsyncBlock* asyncBlock);

using XblUserStatisticsGetSingleUserStatisticsAsync_t = HResult(XblContextHandle context, std::uint64_t xboxUserId,
                                                                const char* serviceConfigurationId,
                                                                const char** statisticNames,
                                                                std::size_t statisticNamesCount,
                                                                Gdk::XAsyncBlock* asyncBlock);
using XblUserStatisticsGetSingleUserStatisticsResultSize_t = HResult(Gdk::XAsyncBlock* asyncBlock,
                                                                     std::size_t* resultSizeInBytes);
using XblUserStatisticsGetSingleUserStatisticsResult_t = HResult(Gdk::XAsyncBlock* asyncBlock, std::size_t bufferSize,
                                                                 void* buffer, XblUserStatisticsResult** ptrToBuffer,
                                                                 std::size_t* bufferUsed);
using XblTitleManagedStatsUpdateStatsAsync_t = HResult(XblContextHandle context, const XblTitleManagedStatistic* statistics,
                                                       std::size_t statisticsCount, Gdk::XAsyncBlock* asyncBlock);
// The query goes by value.
using XblLeaderboardGetLeaderboardAsync_t = HResult(XblContextHandle context, XblLeaderboardQuery leaderboardQuery,
                                                    Gdk::XAsyncBlock* asyncBlock);
using XblLeaderboardGetLeaderboardResultSize_t = HResult(Gdk::XAsyncBlock* asyncBlock, std::size_t* resultSizeInBytes);
using XblLeaderboardGetLeaderboardResult_t = HResult(Gdk::XAsyncBlock* asyncBlock, std::size_t bufferSize, void* buffer,
                                                     XblLeaderboardResult** ptrToBuffer, std::size_t* bufferUsed);

using XblContextGetXboxUserId_t = HResult(XblContextHandle context, std::uint64_t* xboxUserId);
using XblMultiplayerActivitySetActivityAsync_t = HResult(XblContextHandle context, const XblMultiplayerActivityInfo* activityInfo,
                                                         bool allowCrossPlatformJoin, Gdk::XAsyncBlock* asyncBlock);
using XblMultiplayerActivityGetActivityAsync_t = HResult(XblContextHandle context, const std::uint64_t* xuids,
                                                         std::size_t xuidsCount, Gdk::XAsyncBlock* asyncBlock);
using XblMultiplayerActivityGetActivityResultSize_t = HResult(Gdk::XAsyncBlock* asyncBlock, std::size_t* resultSizeInBytes);
using XblMultiplayerActivityGetActivityResult_t = HResult(Gdk::XAsyncBlock* asyncBlock, std::size_t bufferSize, void* buffer,
                                                          XblMultiplayerActivityInfo** ptrToBufferResults,
                                                          std::size_t* resultCount, std::size_t* bufferUsed);
using XblMultiplayerActivityDeleteActivityAsync_t = HResult(XblContextHandle context, Gdk::XAsyncBlock* asyncBlock);
// The connection string may be null.
using XblMultiplayerActivitySendInvitesAsync_t = HResult(XblContextHandle context, const std::uint64_t* xuids,
                                                         std::size_t xuidsCount, bool allowCrossPlatformJoin,
                                                         const char* connectionString, Gdk::XAsyncBlock* asyncBlock);
using XblMultiplayerActivityUpdateRecentPlayers_t = HResult(XblContextHandle context,
                                                            const XblMultiplayerActivityRecentPlayerUpdate* updates,
                                                            std::size_t updatesCount);
using XblMultiplayerActivityFlushRecentPlayersAsync_t = HResult(XblContextHandle context, Gdk::XAsyncBlock* asyncBlock);
// The service takes its arrays as non-const pointers, though it only reads them.
using XblPrivacyBatchCheckPermissionAsync_t = HResult(XblContextHandle context, XblPermission* permissionsToCheck,
                                                      std::size_t permissionsCount, std::uint64_t* targetXuids,
                                                      std::size_t xuidsCount, XblAnonymousUserType* targetAnonymousUserTypes,
                                                      std::size_t targetAnonymousUserTypesCount, Gdk::XAsyncBlock* async);
using XblPrivacyBatchCheckPermissionResultSize_t = HResult(Gdk::XAsyncBlock* async, std::size_t* resultSizeInBytes);
using XblPrivacyBatchCheckPermissionResult_t = HResult(Gdk::XAsyncBlock* async, std::size_t bufferSize, void* buffer,
                                                       XblPermissionCheckResult** ptrToBufferResults,
                                                       std::size_t* ptrToBufferResultsCount, std::size_t* bufferUsed);
// Social manager, privacy avoid list and profiles.
using XblSocialManagerAddLocalUser_t = HResult(XblUserHandle user, XblSocialManagerExtraDetailLevel extraLevelDetail,
                                               Gdk::XTaskQueueHandle queue);
using XblSocialManagerRemoveLocalUser_t = HResult(XblUserHandle user);
using XblSocialManagerCreateSocialUserGroupFromFilters_t = HResult(XblUserHandle user, XblPresenceFilter presenceFilter,
                                                                   XblRelationshipFilter relationshipFilter,
                                                                   XblSocialManagerUserGroupHandle* group);
using XblSocialManagerDestroySocialUserGroup_t = HResult(XblSocialManagerUserGroupHandle group);
using XblSocialManagerUserGroupGetUsers_t = HResult(XblSocialManagerUserGroupHandle group, XblSocialManagerUserPtrArray* users,
                                                    std::size_t* usersCount);
using XblSocialManagerDoWork_t = HResult(const XblSocialManagerEvent** socialEvents, std::size_t* socialEventsCount);
using XblPrivacyGetAvoidListAsync_t = HResult(XblContextHandle context, Gdk::XAsyncBlock* asyncBlock);
using XblPrivacyGetAvoidListResultCount_t = HResult(Gdk::XAsyncBlock* asyncBlock, std::size_t* xuidCount);
using XblPrivacyGetAvoidListResult_t = HResult(Gdk::XAsyncBlock* asyncBlock, std::size_t xuidCount, std::uint64_t* xuids);
using XblProfileGetUserProfileAsync_t = HResult(XblContextHandle context, std::uint64_t xboxUserId, Gdk::XAsyncBlock* asyncBlock);
using XblProfileGetUserProfileResult_t = HResult(Gdk::XAsyncBlock* asyncBlock, XblUserProfile* profile);
using XblProfileGetUserProfilesAsync_t = HResult(XblContextHandle context, std::uint64_t* xboxUserIds,
                                                 std::size_t xboxUserIdsCount, Gdk::XAsyncBlock* asyncBlock);
using XblProfileGetUserProfilesResultCount_t = HResult(Gdk::XAsyncBlock* asyncBlock, std::size_t* profileCount);
using XblProfileGetUserProfilesResult_t = HResult(Gdk::XAsyncBlock* asyncBlock, std::size_t profilesCount, XblUserProfile* profiles);

// Every export of the Xbox services library the channel calls, as X(name): the table, its binding by
// name and its filling from linked functions are all made from this one list.
#define VYRO_XBL_FUNCTIONS(X) \
    X(XblInitialize) \
    X(XblCleanupAsync) \
    X(XblContextCreateHandle) \
    X(XblContextCloseHandle) \
    X(XblAchievementsGetAchievementsForTitleIdAsync) \
    X(XblAchievementsGetAchievementsForTitleIdResult) \
    X(XblAchievementsResultGetAchievements) \
    X(XblAchievementsResultHasNext) \
    X(XblAchievementsResultCloseHandle) \
    X(XblAchievementsUpdateAchievementAsync) \
    X(XblUserStatisticsGetSingleUserStatisticsAsync) \
    X(XblUserStatisticsGetSingleUserStatisticsResultSize) \
    X(XblUserStatisticsGetSingleUserStatisticsResult) \
    X(XblTitleManagedStatsUpdateStatsAsync) \
    X(XblLeaderboardGetLeaderboardAsync) \
    X(XblLeaderboardGetLeaderboardResultSize) \
    X(XblLeaderboardGetLeaderboardResult) \
    X(XblContextGetXboxUserId) \
    X(XblMultiplayerActivitySetActivityAsync) \
    X(XblMultiplayerActivityGetActivityAsync) \
    X(XblMultiplayerActivityGetActivityResultSize) \
    X(XblMultiplayerActivityGetActivityResult) \
    X(XblMultiplayerActivityDeleteActivityAsync) \
    X(XblMultiplayerActivitySendInvitesAsync) \
    X(XblMultiplayerActivityUpdateRecentPlayers) \
    X(XblMultiplayerActivityFlushRecentPlayersAsync) \
    X(XblPrivacyBatchCheckPermissionAsync) \
    X(XblPrivacyBatchCheckPermissionResultSize) \
    X(XblPrivacyBatchCheckPermissionResult) \
    X(XblSocialManagerAddLocalUser) \
    X(XblSocialManagerRemoveLocalUser) \
    X(XblSocialManagerCreateSocialUserGroupFromFilters) \
    X(XblSocialManagerDestroySocialUserGroup) \
    X(XblSocialManagerUserGroupGetUsers) \
    X(XblSocialManagerDoWork) \
    X(XblPrivacyGetAvoidListAsync) \
    X(XblPrivacyGetAvoidListResultCount) \
    X(XblPrivacyGetAvoidListResult) \
    X(XblProfileGetUserProfileAsync) \
    X(XblProfileGetUserProfileResult) \
    X(XblProfileGetUserProfilesAsync) \
    X(XblProfileGetUserProfilesResultCount) \
    X(XblProfileGetUserProfilesResult)

// One pointer per export; each member is named after its export.
struct XblApi {
#define VYRO_XBL_MEMBER(name) name##_t* name = nullptr;
    VYRO_XBL_FUNCTIONS(VYRO_XBL_MEMBER)
#undef VYRO_XBL_MEMBER
};

// Resolves every export of the table; false (each missing one logged) when any is missing.
bool BindXblApi(const StoreLibrary& library, XblApi& api);

} // namespace Vyro::Xbl
