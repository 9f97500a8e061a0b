#pragma once

#include "core/ChannelType.h"

namespace Vyro {

// What every store channel offers the exported functions. The slot order is fixed: the exports
// forward to these operations one to one. Request texts may be null; callbacks may be null.
class IChannelSDK {
public:
    virtual ~IChannelSDK() = default;
    virtual int GetChannelType() = 0;
    virtual void Load(const char* params, ResultCallback cb) = 0;
    virtual void Unload(const char* params, ResultCallback cb) = 0;
    virtual void Init(const char* params, ResultCallback cb) = 0;
    virtual void Tick() = 0;
    virtual void Login(const char* params, ResultCallback cb) = 0;
    virtual void AuthToken(const char* params, ResultCallback cb) = 0;
    virtual void Products(const char* params, ResultCallback cb) = 0;
    virtual void Checkout(const char* params, ResultCallback cb) = 0;
    virtual void CheckEntitlements(const char* params, ResultCallback cb) = 0;
    virtual void Consume(const char* params, ResultCallback cb) = 0;
    virtual void RegisterCallback(int type, ResultCallback cb) = 0;
    virtual void UnregisterCallback(int type) = 0;
    virtual void Query(const char* params, ResultCallback cb) = 0;
    virtual void CheckPrivilege(const char* params, ResultCallback cb) = 0;
    virtual void ResolvePrivilege(const char* params, ResultCallback cb) = 0;
    virtual void CheckPermission(const char* params, ResultCallback cb) = 0;
    virtual void ShowTextEntry(const char* params, ResultCallback cb) = 0;
    virtual void ShowProfileCard(const char* params, ResultCallback cb) = 0;
    virtual void ShowMessageDialog(const char* params, ResultCallback cb) = 0;
    virtual void ShowErrorDialog(const char* params, ResultCallback cb) = 0;
    virtual void FriendList(const char* params, ResultCallback cb) = 0;
    virtual void BlockList(const char* params, ResultCallback cb) = 0;
    virtual void UserProfile(const char* params, ResultCallback cb) = 0;
    virtual void Achievements(const char* params, ResultCallback cb) = 0;
    virtual void Statistics(const char* params, ResultCallback cb) = 0;
    virtual void Leaderboard(const char* params, ResultCallback cb) = 0;
    virtual void Activity(const char* params, ResultCallback cb) = 0;
    virtual void Invite(const char* params, ResultCallback cb) = 0;
    virtual void RecentPlayers(const char* params, ResultCallback cb) = 0;
};

} // namespace Vyro
