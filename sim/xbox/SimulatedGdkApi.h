#pragma once

// The Xbox channel's function tables pointing at the simulator linked into the same program, for
// tests and benchmarks that drive the channel in-process.
#include "XboxSim.h"

namespace Vyro::XboxSim {

inline Gdk::GameRuntimeApi SimulatedGameRuntimeApi()
{
    return {&XGameRuntimeInitialize,
            &XGameRuntimeUninitialize,
            &XTaskQueueCreate,
            &XTaskQueueDispatch,
            &XTaskQueueTerminate,
            &XTaskQueueCloseHandle,
            &XAsyncGetStatus,
            &XUserAddAsync,
            &XUserAddResult,
            &XUserGetId,
            &XUserGetGamertag,
            &XUserIsStoreUser,
            &XUserCloseHandle,
            &XUserGetTokenAndSignatureAsync,
            &XUserGetTokenAndSignatureResultSize,
            &XUserGetTokenAndSignatureResult,
            &XUserRegisterForChangeEvent,
            &XUserUnregisterForChangeEvent,
            &XStoreCreateContext,
            &XStoreCloseContextHandle,
            &XGameGetXboxTitleId,
            &XSystemGetXboxLiveSandboxId,
            &XGameInviteRegisterForEvent,
            &XGameInviteUnregisterForEvent,
            &XStoreQueryProductsAsync,
            &XStoreQueryProductsResult,
            &XStoreEnumerateProductsQuery,
            &XStoreProductsQueryHasMorePages,
            &XStoreProductsQueryNextPageAsync,
            &XStoreProductsQueryNextPageResult,
            &XStoreCloseProductsQueryHandle,
            &XStoreShowPurchaseUIAsync,
            &XStoreShowPurchaseUIResult,
            &XStoreGetUserCollectionsIdAsync,
            &XStoreGetUserCollectionsIdResultSize,
            &XStoreGetUserCollectionsIdResult};
}

inline Xbl::XblApi SimulatedXblApi()
{
    return {&XblInitialize,
            &XblCleanupAsync,
            &XblContextCreateHandle,
            &XblContextCloseHandle,
            &XblAchievementsGetAchievementsForTitleIdAsync,
            &XblAchievementsGetAchievementsForTitleIdResult,
            &XblAchievementsResultGetAchievements,
            &XblAchievementsResultHasNext,
            &XblAchievementsResultCloseHandle,
            &XblAchievementsUpdateAchievementAsync,
            &XblUserStatisticsGetSingleUserStatisticsAsync,
            &XblUserStatisticsGetSingleUserStatisticsResultSize,
            &XblUserStatisticsGetSingleUserStatisticsResult,
            &XblTitleManagedStatsUpdateStatsAsync,
            &XblLeaderboardGetLeaderboardAsync,
            &XblLeaderboardGetLeaderboardResultSize,
            &XblLeaderboardGetLeaderboardResult,
            &XblSocialManagerAddLocalUser,
            &XblSocialManagerRemoveLocalUser,
            &XblSocialManagerCreateSocialUserGroupFromFilters,
            &XblSocialManagerDestroySocialUserGroup,
            &XblSocialManagerUserGroupGetUsers,
            &XblSocialManagerDoWork,
            &XblPrivacyGetAvoidListAsync,
            &XblPrivacyGetAvoidListResultCount,
            &XblPrivacyGetAvoidListResult,
            &XblProfileGetUserProfileAsync,
            &XblProfileGetUserProfileResult,
            &XblProfileGetUserProfilesAsync,
            &XblProfileGetUserProfilesResultCount,
            &XblProfileGetUserProfilesResult};
}

} // namespace Vyro::XboxSim
