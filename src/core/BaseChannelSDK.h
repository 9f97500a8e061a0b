#pragma once

#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "core/Delegate.h"
#include "core/IChannelSDK.h"

namespace Vyro {

// Defaults for every operation ("Not implemented"), plus what all channels share: the listeners the
// game registered per event type and the queue of events waiting for Tick.
class BaseChannelSDK : public IChannelSDK {
public:
    using EventDelegate = Delegate<int, const char*>;
    using CallbackSlot = std::vector<std::shared_ptr<EventDelegate>>;

    BaseChannelSDK() = default;
    BaseChannelSDK(const BaseChannelSDK&) = delete;
    BaseChannelSDK& operator=(const BaseChannelSDK&) = delete;

    int GetChannelType() override;
    void Load(const char* params, ResultCallback cb) override;
    void Unload(const char* params, ResultCallback cb) override;
    void Init(const char* params, ResultCallback cb) override;
    void Tick() override;
    void Login(const char* params, ResultCallback cb) override;
    void AuthToken(const char* params, ResultCallback cb) override;
    void Products(const char* params, ResultCallback cb) override;
    void Checkout(const char* params, ResultCallback cb) override;
    void CheckEntitlements(const char* params, ResultCallback cb) override;
    void Consume(const char* params, ResultCallback cb) override;
    void RegisterCallback(int type, ResultCallback cb) override;
    void UnregisterCallback(int type) override;
    void Query(const char* params, ResultCallback cb) override;
    void CheckPrivilege(const char* params, ResultCallback cb) override;
    void ResolvePrivilege(const char* params, ResultCallback cb) override;
    void CheckPermission(const char* params, ResultCallback cb) override;
    void ShowTextEntry(const char* params, ResultCallback cb) override;
    void ShowProfileCard(const char* params, ResultCallback cb) override;
    void ShowMessageDialog(const char* params, ResultCallback cb) override;
    void ShowErrorDialog(const char* params, ResultCallback cb) override;
    void FriendList(const char* params, ResultCallback cb) override;
    void BlockList(const char* params, ResultCallback cb) override;
    void UserProfile(const char* params, ResultCallback cb) override;
    void Achievements(const char* params, ResultCallback cb) override;
    void Statistics(const char* params, ResultCallback cb) override;
    void Leaderboard(const char* params, ResultCallback cb) override;
    void Activity(const char* params, ResultCallback cb) override;
    void Invite(const char* params, ResultCallback cb) override;
    void RecentPlayers(const char* params, ResultCallback cb) override;

    // Sends `reply` to `cb` unless the caller passed no callback.
    static void Answer(ResultCallback cb, int code, const std::string& reply);

    // Queues an event for the next Tick; safe from any thread.
    void PostEvent(int type, int code, std::string json);

protected:
    // Delivers at most 64 of the events queued when it starts, in order, to the listeners of their
    // type; events nobody listens to go back to the end of the queue. Game thread only.
    void DispatchEvents();

    // Answers -1 "Not implemented" naming this channel's store.
    void NotImplemented(const char* params, ResultCallback cb, int type);

private:
    struct PendingEvent {
        int type;
        int code;
        std::string json;
    };

    static constexpr int kMaxEventsPerDispatch = 64;

    bool DispatchOne(std::vector<std::shared_ptr<EventDelegate>>& listeners);

    std::map<int, CallbackSlot> callbacks_;
    std::mutex mutex_;
    std::deque<PendingEvent> events_;
    // Reused between deliveries so that delivering an event allocates nothing; a delivery nested
    // inside a callback (a Tick from a callback) uses a list of its own instead.
    std::vector<std::shared_ptr<EventDelegate>> scratch_;
    bool scratchInUse_ = false;
};

} // namespace Vyro
