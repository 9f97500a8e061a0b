// The exports of Microsoft.Xbox.Services.GDK.C.Thunks.dll: each forwards to the Xbox services
// library in xgameruntime.dll (linked into the same program in the static library).
#include "XblBridge.h"
#include "XboxSim.h"

namespace Xbl = Vyro::Xbl;
namespace Gdk = Vyro::Gdk;

extern "C" {

Xbl::HResult XblInitialize(const Xbl::XblInitArgs* args) { return VyroSim_XblServices()->XblInitialize(args); }

Xbl::HResult XblCleanupAsync(Gdk::XAsyncBlock* asyncBlock) { return VyroSim_XblServices()->XblCleanupAsync(asyncBlock); }

Xbl::HResult XblContextCreateHandle(Xbl::XblUserHandle user, Xbl::XblContextHandle* context)
{
    return VyroSim_XblServices()->XblContextCreateHandle(user, context);
}

void XblContextCloseHandle(Xbl::XblContextHandle context) { VyroSim_XblServices()->XblContextCloseHandle(context); }

Xbl::HResult XblAchievementsGetAchievementsForTitleIdAsync(Xbl::XblContextHandle xboxLiveContext, std::uint64_t xboxUserId,
                                                            std::uint32_t titleId, Xbl::XblAchievementType type, bool unlockedOnly,
                                                            Xbl::XblAchievementOrderBy orderBy, std::uint32_t skipItems,
                                                            std::uint32_t maxItems, Gdk::XAsyncBlock* async)
{
    return VyroSim_XblServices()->XblAchievementsGetAchievementsForTitleIdAsync(xboxLiveContext, xboxUserId, titleId, type, unlockedOnly,
                                                                              orderBy, skipItems, maxItems, async);
}

Xbl::HResult XblAchievementsGetAchievementsForTitleIdResult(Gdk::XAsyncBlock* async, Xbl::XblAchievementsResultHandle* result)
{
    return VyroSim_XblServices()->XblAchievementsGetAchievementsForTitleIdResult(async, result);
}

Xbl::HResult XblAchievementsResultGetAchievements(Xbl::XblAchievementsResultHandle resultHandle, const Xbl::XblAchievement** achievements,
                                                  std::size_t* achievementsCount)
{
    return VyroSim_XblServices()->XblAchievementsResultGetAchievements(resultHandle, achievements, achievementsCount);
}

Xbl::HResult XblAchievementsResultHasNext(Xbl::XblAchievementsResultHandle resultHandle, bool* hasNext)
{
    return VyroSim_XblServices()->XblAchievementsResultHasNext(resultHandle, hasNext);
}

void XblAchievementsResultCloseHandle(Xbl::XblAchievementsResultHandle handle)
{
    VyroSim_XblServices()->XblAchievementsResultCloseHandle(handle);
}

Xbl::HResult XblAchievementsUpdateAchievementAsync(Xbl::XblContextHandle xboxLiveContext, std::uint64_t xboxUserId,
                                                   const char* achievementId, std::uint32_t percentComplete, Gdk::XAsyncBlock* async)
{
    return VyroSim_XblServices()->XblAchievementsUpdateAchievementAsync(xboxLiveContext, xboxUserId, achievementId, percentComplete,
                                                                      async);
}

Xbl::HResult XblUserStatisticsGetSingleUserStatisticsAsync(Xbl::XblContextHandle xblContextHandle, std::uint64_t xboxUserId,
                                                           const char* serviceConfigurationId, const char** statisticNames,
                                                           std::size_t statisticNamesCount, Gdk::XAsyncBlock* async)
{
    return VyroSim_XblServices()->XblUserStatisticsGetSingleUserStatisticsAsync(xblContextHandle, xboxUserId, serviceConfigurationId,
                                                                              statisticNames, statisticNamesCount, async);
}

Xbl::HResult XblUserStatisticsGetSingleUserStatisticsResultSize(Gdk::XAsyncBlock* async, std::size_t* resultSizeInBytes)
{
    return VyroSim_XblServices()->XblUserStatisticsGetSingleUserStatisticsResultSize(async, resultSizeInBytes);
}

Xbl::HResult XblUserStatisticsGetSingleUserStatisticsResult(Gdk::XAsyncBlock* async, std::size_t bufferSize, void* buffer,
                                                            Xbl::XblUserStatisticsResult** ptrToBuffer, std::size_t* bufferUsed)
{
    return VyroSim_XblServices()->XblUserStatisticsGetSingleUserStatisticsResult(async, bufferSize, buffer, ptrToBuffer, bufferUsed);
}

Xbl::HResult XblTitleManagedStatsUpdateStatsAsync(Xbl::XblContextHandle xblContextHandle, const Xbl::XblTitleManagedStatistic* statistics,
                                                  std::size_t statisticsCount, Gdk::XAsyncBlock* async)
{
    return VyroSim_XblServices()->XblTitleManagedStatsUpdateStatsAsync(xblContextHandle, statistics, statisticsCount, async);
}

Xbl::HResult XblLeaderboardGetLeaderboardAsync(Xbl::XblContextHandle xboxLiveContext, Xbl::XblLeaderboardQuery leaderboardQuery,
                                               Gdk::XAsyncBlock* async)
{
    return VyroSim_XblServices()->XblLeaderboardGetLeaderboardAsync(xboxLiveContext, leaderboardQuery, async);
}

Xbl::HResult XblLeaderboardGetLeaderboardResultSize(Gdk::XAsyncBlock* async, std::size_t* resultSizeInBytes)
{
    return VyroSim_XblServices()->XblLeaderboardGetLeaderboardResultSize(async, resultSizeInBytes);
}

Xbl::HResult XblLeaderboardGetLeaderboardResult(Gdk::XAsyncBlock* async, std::size_t bufferSize, void* buffer,
                                                Xbl::XblLeaderboardResult** ptrToBuffer, std::size_t* bufferUsed)
{
    return VyroSim_XblServices()->XblLeaderboardGetLeaderboardResult(async, bufferSize, buffer, ptrToBuffer, bufferUsed);
}

Xbl::HResult XblContextGetXboxUserId(Xbl::XblContextHandle xblContextHandle, std::uint64_t* xboxUserId)
{
    return VyroSim_XblServices()->XblContextGetXboxUserId(xblContextHandle, xboxUserId);
}

Xbl::HResult XblMultiplayerActivitySetActivityAsync(Xbl::XblContextHandle xblContext, const Xbl::XblMultiplayerActivityInfo* activityInfo,
                                                    bool allowCrossPlatformJoin, Gdk::XAsyncBlock* async)
{
    return VyroSim_XblServices()->XblMultiplayerActivitySetActivityAsync(xblContext, activityInfo, allowCrossPlatformJoin, async);
}

Xbl::HResult XblMultiplayerActivityGetActivityAsync(Xbl::XblContextHandle xblContext, const std::uint64_t* xuids, std::size_t xuidsCount,
                                                    Gdk::XAsyncBlock* async)
{
    return VyroSim_XblServices()->XblMultiplayerActivityGetActivityAsync(xblContext, xuids, xuidsCount, async);
}

Xbl::HResult XblMultiplayerActivityGetActivityResultSize(Gdk::XAsyncBlock* async, std::size_t* resultSizeInBytes)
{
    return VyroSim_XblServices()->XblMultiplayerActivityGetActivityResultSize(async, resultSizeInBytes);
}

Xbl::HResult XblMultiplayerActivityGetActivityResult(Gdk::XAsyncBlock* async, std::size_t bufferSize, void* buffer,
                                                     Xbl::XblMultiplayerActivityInfo** ptrToBufferResults, std::size_t* resultCount,
                                                     std::size_t* bufferUsed)
{
    return VyroSim_XblServices()->XblMultiplayerActivityGetActivityResult(async, bufferSize, buffer, ptrToBufferResults, resultCount,
                                                                        bufferUsed);
}

Xbl::HResult XblMultiplayerActivityDeleteActivityAsync(Xbl::XblContextHandle xblContext, Gdk::XAsyncBlock* async)
{
    return VyroSim_XblServices()->XblMultiplayerActivityDeleteActivityAsync(xblContext, async);
}

Xbl::HResult XblMultiplayerActivitySendInvitesAsync(Xbl::XblContextHandle xblContext, const std::uint64_t* xuids, std::size_t xuidsCount,
                                                    bool allowCrossPlatformJoin, const char* connectionString, Gdk::XAsyncBlock* async)
{
    return VyroSim_XblServices()->XblMultiplayerActivitySendInvitesAsync(xblContext, xuids, xuidsCount, allowCrossPlatformJoin,
                                                                       connectionString, async);
}

Xbl::HResult XblMultiplayerActivityUpdateRecentPlayers(Xbl::XblContextHandle xblContext,
                                                       const Xbl::XblMultiplayerActivityRecentPlayerUpdate* updates, std::size_t updatesCount)
{
    return VyroSim_XblServices()->XblMultiplayerActivityUpdateRecentPlayers(xblContext, updates, updatesCount);
}

Xbl::HResult XblMultiplayerActivityFlushRecentPlayersAsync(Xbl::XblContextHandle xblContext, Gdk::XAsyncBlock* async)
{
    return VyroSim_XblServices()->XblMultiplayerActivityFlushRecentPlayersAsync(xblContext, async);
}

Xbl::HResult XblPrivacyBatchCheckPermissionAsync(Xbl::XblContextHandle xboxLiveContext, Xbl::XblPermission* permissionsToCheck,
                                                 std::size_t permissionsCount, std::uint64_t* targetXuids, std::size_t xuidsCount,
                                                 Xbl::XblAnonymousUserType* targetAnonymousUserTypes,
                                                 std::size_t targetAnonymousUserTypesCount, Gdk::XAsyncBlock* async)
{
    return VyroSim_XblServices()->XblPrivacyBatchCheckPermissionAsync(xboxLiveContext, permissionsToCheck, permissionsCount, targetXuids,
                                                                    xuidsCount, targetAnonymousUserTypes, targetAnonymousUserTypesCount,
                                                                    async);
}

Xbl::HResult XblPrivacyBatchCheckPermissionResultSize(Gdk::XAsyncBlock* async, std::size_t* resultSizeInBytes)
{
    return VyroSim_XblServices()->XblPrivacyBatchCheckPermissionResultSize(async, resultSizeInBytes);
}

Xbl::HResult XblPrivacyBatchCheckPermissionResult(Gdk::XAsyncBlock* async, std::size_t bufferSize, void* buffer,
                                                  Xbl::XblPermissionCheckResult** ptrToBufferResults, std::size_t* ptrToBufferResultsCount,
                                                  std::size_t* bufferUsed)
{
    return VyroSim_XblServices()->XblPrivacyBatchCheckPermissionResult(async, bufferSize, buffer, ptrToBufferResults,
                                                                     ptrToBufferResultsCount, bufferUsed);
}

Xbl::HResult XblSocialManagerAddLocalUser(Xbl::XblUserHandle user, Xbl::XblSocialManagerExtraDetailLevel extraLevelDetail, Gdk::XTaskQueueHandle queue)
{
    return VyroSim_XblServices()->XblSocialManagerAddLocalUser(user, extraLevelDetail, queue);
}

Xbl::HResult XblSocialManagerRemoveLocalUser(Xbl::XblUserHandle user)
{
    return VyroSim_XblServices()->XblSocialManagerRemoveLocalUser(user);
}

Xbl::HResult XblSocialManagerCreateSocialUserGroupFromFilters(Xbl::XblUserHandle user, Xbl::XblPresenceFilter presenceDetailLevel, Xbl::XblRelationshipFilter filter, Xbl::XblSocialManagerUserGroupHandle* group)
{
    return VyroSim_XblServices()->XblSocialManagerCreateSocialUserGroupFromFilters(user, presenceDetailLevel, filter, group);
}

Xbl::HResult XblSocialManagerDestroySocialUserGroup(Xbl::XblSocialManagerUserGroupHandle group)
{
    return VyroSim_XblServices()->XblSocialManagerDestroySocialUserGroup(group);
}

Xbl::HResult XblSocialManagerUserGroupGetUsers(Xbl::XblSocialManagerUserGroupHandle group, Xbl::XblSocialManagerUserPtrArray* users, std::size_t* usersCount)
{
    return VyroSim_XblServices()->XblSocialManagerUserGroupGetUsers(group, users, usersCount);
}

Xbl::HResult XblSocialManagerDoWork(const Xbl::XblSocialManagerEvent** socialEvents, std::size_t* socialEventsCount)
{
    return VyroSim_XblServices()->XblSocialManagerDoWork(socialEvents, socialEventsCount);
}

Xbl::HResult XblPrivacyGetAvoidListAsync(Xbl::XblContextHandle xblContextHandle, Gdk::XAsyncBlock* async)
{
    return VyroSim_XblServices()->XblPrivacyGetAvoidListAsync(xblContextHandle, async);
}

Xbl::HResult XblPrivacyGetAvoidListResultCount(Gdk::XAsyncBlock* async, std::size_t* xuidCount)
{
    return VyroSim_XblServices()->XblPrivacyGetAvoidListResultCount(async, xuidCount);
}

Xbl::HResult XblPrivacyGetAvoidListResult(Gdk::XAsyncBlock* async, std::size_t xuidCount, std::uint64_t* xuids)
{
    return VyroSim_XblServices()->XblPrivacyGetAvoidListResult(async, xuidCount, xuids);
}

Xbl::HResult XblProfileGetUserProfileAsync(Xbl::XblContextHandle xboxLiveContext, std::uint64_t xboxUserId, Gdk::XAsyncBlock* async)
{
    return VyroSim_XblServices()->XblProfileGetUserProfileAsync(xboxLiveContext, xboxUserId, async);
}

Xbl::HResult XblProfileGetUserProfileResult(Gdk::XAsyncBlock* async, Xbl::XblUserProfile* profile)
{
    return VyroSim_XblServices()->XblProfileGetUserProfileResult(async, profile);
}

Xbl::HResult XblProfileGetUserProfilesAsync(Xbl::XblContextHandle xboxLiveContext, std::uint64_t* xboxUserIds, std::size_t xboxUserIdsCount, Gdk::XAsyncBlock* async)
{
    return VyroSim_XblServices()->XblProfileGetUserProfilesAsync(xboxLiveContext, xboxUserIds, xboxUserIdsCount, async);
}

Xbl::HResult XblProfileGetUserProfilesResultCount(Gdk::XAsyncBlock* async, std::size_t* profileCount)
{
    return VyroSim_XblServices()->XblProfileGetUserProfilesResultCount(async, profileCount);
}

Xbl::HResult XblProfileGetUserProfilesResult(Gdk::XAsyncBlock* async, std::size_t profilesCount, Xbl::XblUserProfile* profiles)
{
    return VyroSim_XblServices()->XblProfileGetUserProfilesResult(async, profilesCount, profiles);
}

} // extern "C"
