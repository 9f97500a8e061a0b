#include "channels/xbox/XblApi.h"

#include "core/StoreLibrary.h"

namespace Vyro::Xbl {

bool BindXblApi(const StoreLibrary& library, XblApi& api)
{
    bool bound = true;
    bound &= library.Bind("XblInitialize", api.XblInitialize);
    bound &= library.Bind("XblCleanupAsync", api.XblCleanupAsync);
    bound &= library.Bind("XblContextCreateHandle", api.XblContextCreateHandle);
    bound &= library.Bind("XblContextCloseHandle", api.XblContextCloseHandle);
    bound &= library.Bind("XblAchievementsGetAchievementsForTitleIdAsync", api.XblAchievementsGetAchievementsForTitleIdAsync);
    bound &= library.Bind("XblAchievementsGetAchievementsForTitleIdResult", api.XblAchievementsGetAchievementsForTitleIdResult);
    bound &= library.Bind("XblAchievementsResultGetAchievements", api.XblAchievementsResultGetAchievements);
    bound &= library.Bind("XblAchievementsResultHasNext", api.XblAchievementsResultHasNext);
    bound &= library.Bind("XblAchievementsResultCloseHandle", api.XblAchievementsResultCloseHandle);
    bound &= library.Bind("XblAchievementsUpdateAchievementAsync", api.XblAchievementsUpdateAchievementAsync);
    bound &= library.Bind("XblUserStatisticsGetSingleUserStatisticsAsync", api.XblUserStatisticsGetSingleUserStatisticsAsync);
    bound &= library.Bind("XblUserStatisticsGetSingleUserStatisticsResultSize",
                          api.XblUserStatisticsGetSingleUserStatisticsResultSize);
    bound &= library.Bind("XblUserStatisticsGetSingleUserStatisticsResult", api.XblUserStatisticsGetSingleUserStatisticsResult);
    bound &= library.Bind("XblTitleManagedStatsUpdateStatsAsync", api.XblTitleManagedStatsUpdateStatsAsync);
    bound &= library.Bind("XblLeaderboardGetLeaderboardAsync", api.XblLeaderboardGetLeaderboardAsync);
    bound &= library.Bind("XblLeaderboardGetLeaderboardResultSize", api.XblLeaderboardGetLeaderboardResultSize);
    bound &= library.Bind("XblLeaderboardGetLeaderboardResult", api.XblLeaderboardGetLeaderboardResult);
    bound &= library.Bind("XblContextGetXboxUserId", api.XblContextGetXboxUserId);
    bound &= library.Bind("XblMultiplayerActivitySetActivityAsync", api.XblMultiplayerActivitySetActivityAsync);
    bound &= library.Bind("XblMultiplayerActivityGetActivityAsync", api.XblMultiplayerActivityGetActivityAsync);
    bound &= library.Bind("XblMultiplayerActivityGetActivityResultSize", api.XblMultiplayerActivityGetActivityResultSize);
    bound &= library.Bind("XblMultiplayerActivityGetActivityResult", api.XblMultiplayerActivityGetActivityResult);
    bound &= library.Bind("XblMultiplayerActivityDeleteActivityAsync", api.XblMultiplayerActivityDeleteActivityAsync);
    bound &= library.Bind("XblMultiplayerActivitySendInvitesAsync", api.XblMultiplayerActivitySendInvitesAsync);
    bound &= library.Bind("XblMultiplayerActivityUpdateRecentPlayers", api.XblMultiplayerActivityUpdateRecentPlayers);
    bound &= library.Bind("XblMultiplayerActivityFlushRecentPlayersAsync", api.XblMultiplayerActivityFlushRecentPlayersAsync);
    bound &= library.Bind("XblPrivacyBatchCheckPermissionAsync", api.XblPrivacyBatchCheckPermissionAsync);
    bound &= library.Bind("XblPrivacyBatchCheckPermissionResultSize", api.XblPrivacyBatchCheckPermissionResultSize);
    bound &= library.Bind("XblPrivacyBatchCheckPermissionResult", api.XblPrivacyBatchCheckPermissionResult);
    bound &= library.Bind("XblSocialManagerAddLocalUser", api.XblSocialManagerAddLocalUser);
    bound &= library.Bind("XblSocialManagerRemoveLocalUser", api.XblSocialManagerRemoveLocalUser);
    bound &= library.Bind("XblSocialManagerCreateSocialUserGroupFromFilters", api.XblSocialManagerCreateSocialUserGroupFromFilters);
    bound &= library.Bind("XblSocialManagerDestroySocialUserGroup", api.XblSocialManagerDestroySocialUserGroup);
    bound &= library.Bind("XblSocialManagerUserGroupGetUsers", api.XblSocialManagerUserGroupGetUsers);
    bound &= library.Bind("XblSocialManagerDoWork", api.XblSocialManagerDoWork);
    bound &= library.Bind("XblPrivacyGetAvoidListAsync", api.XblPrivacyGetAvoidListAsync);
    bound &= library.Bind("XblPrivacyGetAvoidListResultCount", api.XblPrivacyGetAvoidListResultCount);
    bound &= library.Bind("XblPrivacyGetAvoidListResult", api.XblPrivacyGetAvoidListResult);
    bound &= library.Bind("XblProfileGetUserProfileAsync", api.XblProfileGetUserProfileAsync);
    bound &= library.Bind("XblProfileGetUserProfileResult", api.XblProfileGetUserProfileResult);
    bound &= library.Bind("XblProfileGetUserProfilesAsync", api.XblProfileGetUserProfilesAsync);
    bound &= library.Bind("XblProfileGetUserProfilesResultCount", api.XblProfileGetUserProfilesResultCount);
    bound &= library.Bind("XblProfileGetUserProfilesResult", api.XblProfileGetUserProfilesResult);
    return bound;
}

} // namespace Vyro::Xbl
