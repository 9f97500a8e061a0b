#pragma once

// The Xbox services calls of the simulated library: what their starts share, and each export's
// implementation (forwarded by the thunks file and bound by the in-process tables).
#include <cstddef>
#include <cstdint>

#include "Calls.h"
#include "channels/xbox/XblApi.h"

namespace Vyro::XboxSim {

// Whether the library takes a call: the runtime initialised and the library initialised, not
// cleaning up (misuse); else the HRESULT to answer in `refusal`.
bool LibraryReady(Call& call, HResult& refusal);

// Starts a services call: the library ready, an open Xbox services context (journalled as
// "context"), an accepted block, then the programmed start HRESULT; its work runs as the next
// programmed outcome says.
HResult StartServiceCall(Call& call, Xbl::XblContextHandle context, Gdk::XAsyncBlock* block, HResult startResult,
                         OutcomeList& outcomes, Work work);

HResult ServiceGetAchievementsAsync(Xbl::XblContextHandle context, std::uint64_t xuid, std::uint32_t titleId,
                                    Xbl::XblAchievementType type, bool unlockedOnly, Xbl::XblAchievementOrderBy orderBy,
                                    std::uint32_t skipItems, std::uint32_t maxItems, Gdk::XAsyncBlock* block);
HResult ServiceGetAchievementsResult(Gdk::XAsyncBlock* block, Xbl::XblAchievementsResultHandle* result);
HResult ServiceResultGetAchievements(Xbl::XblAchievementsResultHandle handle, const Xbl::XblAchievement** achievements,
                                     std::size_t* count);
HResult ServiceResultHasNext(Xbl::XblAchievementsResultHandle handle, bool* hasNext);
void ServiceResultCloseHandle(Xbl::XblAchievementsResultHandle handle);
HResult ServiceUpdateAchievementAsync(Xbl::XblContextHandle context, std::uint64_t xuid, const char* achievementId,
                                      std::uint32_t percentComplete, Gdk::XAsyncBlock* block);

HResult ServiceGetStatisticsAsync(Xbl::XblContextHandle context, std::uint64_t xuid, const char* scid, const char** names,
                                  std::size_t namesCount, Gdk::XAsyncBlock* block);
HResult ServiceGetStatisticsResultSize(Gdk::XAsyncBlock* block, std::size_t* size);
HResult ServiceGetStatisticsResult(Gdk::XAsyncBlock* block, std::size_t bufferSize, void* buffer,
                                   Xbl::XblUserStatisticsResult** result, std::size_t* bufferUsed);
HResult ServiceUpdateStatisticsAsync(Xbl::XblContextHandle context, const Xbl::XblTitleManagedStatistic* statistics,
                                     std::size_t count, Gdk::XAsyncBlock* block);
HResult ServiceGetLeaderboardAsync(Xbl::XblContextHandle context, Xbl::XblLeaderboardQuery query, Gdk::XAsyncBlock* block);
HResult ServiceGetLeaderboardResultSize(Gdk::XAsyncBlock* block, std::size_t* size);
HResult ServiceGetLeaderboardResult(Gdk::XAsyncBlock* block, std::size_t bufferSize, void* buffer,
                                    Xbl::XblLeaderboardResult** result, std::size_t* bufferUsed);


HResult ServiceContextGetXboxUserId(Xbl::XblContextHandle context, std::uint64_t* xuid);
HResult ServiceSetActivityAsync(Xbl::XblContextHandle context, const Xbl::XblMultiplayerActivityInfo* info,
                                bool allowCrossPlatformJoin, Gdk::XAsyncBlock* block);
HResult ServiceGetActivityAsync(Xbl::XblContextHandle context, const std::uint64_t* xuids, std::size_t count,
                                Gdk::XAsyncBlock* block);
HResult ServiceGetActivityResultSize(Gdk::XAsyncBlock* block, std::size_t* size);
HResult ServiceGetActivityResult(Gdk::XAsyncBlock* block, std::size_t bufferSize, void* buffer,
                                 Xbl::XblMultiplayerActivityInfo** activities, std::size_t* count, std::size_t* bufferUsed);
HResult ServiceDeleteActivityAsync(Xbl::XblContextHandle context, Gdk::XAsyncBlock* block);
HResult ServiceSendInvitesAsync(Xbl::XblContextHandle context, const std::uint64_t* xuids, std::size_t count,
                                bool allowCrossPlatformJoin, const char* connectionString, Gdk::XAsyncBlock* block);
HResult ServiceUpdateRecentPlayers(Xbl::XblContextHandle context, const Xbl::XblMultiplayerActivityRecentPlayerUpdate* updates,
                                   std::size_t count);
HResult ServiceFlushRecentPlayersAsync(Xbl::XblContextHandle context, Gdk::XAsyncBlock* block);
HResult ServiceBatchCheckPermissionAsync(Xbl::XblContextHandle context, Xbl::XblPermission* permissions,
                                         std::size_t permissionsCount, std::uint64_t* xuids, std::size_t xuidsCount,
                                         Xbl::XblAnonymousUserType* userTypes, std::size_t userTypesCount,
                                         Gdk::XAsyncBlock* block);
HResult ServiceBatchCheckPermissionResultSize(Gdk::XAsyncBlock* block, std::size_t* size);
HResult ServiceBatchCheckPermissionResult(Gdk::XAsyncBlock* block, std::size_t bufferSize, void* buffer,
                                          Xbl::XblPermissionCheckResult** results, std::size_t* count, std::size_t* bufferUsed);

} // namespace Vyro::XboxSim
