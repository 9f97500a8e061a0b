#pragma once

// The social manager, privacy and profile calls of the simulated Xbox services library (forwarded by
// the thunks file and bound by the in-process tables).
#include <cstddef>
#include <cstdint>

#include "HResults.h"
#include "channels/xbox/XblApi.h"

namespace Vyro::XboxSim {

HResult ServiceSocialAddLocalUser(Xbl::XblUserHandle user, Xbl::XblSocialManagerExtraDetailLevel level, Gdk::XTaskQueueHandle queue);
HResult ServiceSocialRemoveLocalUser(Xbl::XblUserHandle user);
HResult ServiceSocialCreateGroup(Xbl::XblUserHandle user, Xbl::XblPresenceFilter presenceFilter,
                                 Xbl::XblRelationshipFilter relationshipFilter, Xbl::XblSocialManagerUserGroupHandle* group);
HResult ServiceSocialDestroyGroup(Xbl::XblSocialManagerUserGroupHandle group);
HResult ServiceSocialGetUsers(Xbl::XblSocialManagerUserGroupHandle group, Xbl::XblSocialManagerUserPtrArray* users,
                              std::size_t* usersCount);
HResult ServiceSocialDoWork(const Xbl::XblSocialManagerEvent** events, std::size_t* eventsCount);

HResult ServiceAvoidListAsync(Xbl::XblContextHandle context, Gdk::XAsyncBlock* block);
HResult ServiceAvoidListResultCount(Gdk::XAsyncBlock* block, std::size_t* count);
HResult ServiceAvoidListResult(Gdk::XAsyncBlock* block, std::size_t count, std::uint64_t* xuids);
HResult ServiceProfileAsync(Xbl::XblContextHandle context, std::uint64_t xuid, Gdk::XAsyncBlock* block);
HResult ServiceProfileResult(Gdk::XAsyncBlock* block, Xbl::XblUserProfile* profile);
HResult ServiceProfilesAsync(Xbl::XblContextHandle context, std::uint64_t* xuids, std::size_t count, Gdk::XAsyncBlock* block);
HResult ServiceProfilesResultCount(Gdk::XAsyncBlock* block, std::size_t* count);
HResult ServiceProfilesResult(Gdk::XAsyncBlock* block, std::size_t count, Xbl::XblUserProfile* profiles);

} // namespace Vyro::XboxSim
