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
            &XStoreGetUserCollectionsIdResult,
            &XGameUiShowSendGameInviteAsync,
            &XGameUiShowSendGameInviteResult,
            &XUserCheckPrivilege,
            &XUserResolvePrivilegeWithUiAsync,
            &XUserResolvePrivilegeWithUiResult,
            &XGameUiShowErrorDialogAsync,
            &XGameUiShowErrorDialogResult,
            &XGameUiShowMessageDialogAsync,
            &XGameUiShowMessageDialogResult,
            &XGameUiShowPlayerProfileCardAsync,
            &XGameUiShowPlayerProfileCardResult,
            &XGameUiShowTextEntryAsync,
            &XGameUiShowTextEntryResultSize,
            &XGameUiShowTextEntryResult};
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
            &XblContextGetXboxUserId,
            &XblMultiplayerActivitySetActivityAsync,
            &XblMultiplayerActivityGetActivityAsync,
            &XblMultiplayerActivityGetActivityResultSize,
            &XblMultiplayerActivityGetActivityResult,
            &XblMultiplayerActivityDeleteActivityAsync,
            &XblMultiplayerActivitySendInvitesAsync,
            &XblMultiplayerActivityUpdateRecentPlayers,
            &XblMultiplayerActivityFlushRecentPlayersAsync,
            &XblPrivacyBatchCheckPermissionAsync,
            &XblPrivacyBatchCheckPermissionResultSize,
            &XblPrivacyBatchCheckPermissionResult};
}

} // namespace Vyro::XboxSim
