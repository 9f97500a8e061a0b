#include "core/BaseChannelSDK.h"

#include <algorithm>

#include "common/Logger.h"
#include "core/Envelope.h"

namespace Vyro {

int BaseChannelSDK::GetChannelType() { return ChannelType::None; }

void BaseChannelSDK::Answer(ResultCallback cb, int code, const std::string& reply)
{
    if (cb != nullptr) {
        cb(code, reply.c_str());
    }
}

void BaseChannelSDK::NotImplemented(const char* params, ResultCallback cb, int type)
{
    const std::string requestId = GetRequestId(ParseParameters(params));
    if (cb != nullptr) {
        Answer(cb, CallbackCode::Failure, MakeNotImplementedResponse(type, requestId));
    }
}

#define VYRO_NOT_IMPLEMENTED(Operation)                                                                \
    void BaseChannelSDK::Operation(const char* params, ResultCallback cb)                              \
    {                                                                                                  \
        NotImplemented(params, cb, GetChannelType());                                                  \
    }

VYRO_NOT_IMPLEMENTED(Load)
VYRO_NOT_IMPLEMENTED(Unload)
VYRO_NOT_IMPLEMENTED(Init)
VYRO_NOT_IMPLEMENTED(Login)
VYRO_NOT_IMPLEMENTED(AuthToken)
VYRO_NOT_IMPLEMENTED(Products)
VYRO_NOT_IMPLEMENTED(Checkout)
VYRO_NOT_IMPLEMENTED(CheckEntitlements)
VYRO_NOT_IMPLEMENTED(Consume)
VYRO_NOT_IMPLEMENTED(Query)
VYRO_NOT_IMPLEMENTED(CheckPrivilege)
VYRO_NOT_IMPLEMENTED(ResolvePrivilege)
VYRO_NOT_IMPLEMENTED(CheckPermission)
VYRO_NOT_IMPLEMENTED(ShowTextEntry)
VYRO_NOT_IMPLEMENTED(ShowProfileCard)
VYRO_NOT_IMPLEMENTED(ShowMessageDialog)
VYRO_NOT_IMPLEMENTED(ShowErrorDialog)
VYRO_NOT_IMPLEMENTED(FriendList)
VYRO_NOT_IMPLEMENTED(BlockList)
VYRO_NOT_IMPLEMENTED(UserProfile)
VYRO_NOT_IMPLEMENTED(Achievements)
VYRO_NOT_IMPLEMENTED(Statistics)
VYRO_NOT_IMPLEMENTED(Leaderboard)
VYRO_NOT_IMPLEMENTED(Activity)
VYRO_NOT_IMPLEMENTED(Invite)
VYRO_NOT_IMPLEMENTED(RecentPlayers)

#undef VYRO_NOT_IMPLEMENTED

// The default channel has no store to pump and delivers nothing.
void BaseChannelSDK::Tick() {}

void BaseChannelSDK::RegisterCallback(int type, ResultCallback cb)
{
    if (cb == nullptr) {
        Log(LogLevel::Warning, "RegisterCallback ignored null callback for type {}", type);
        return;
    }
    auto listener = std::make_shared<EventDelegate>([cb](int code, const char* json) { cb(code, json); });
    std::lock_guard lock(mutex_);
    callbacks_[type].push_back(std::move(listener));
}

void BaseChannelSDK::UnregisterCallback(int type)
{
    std::lock_guard lock(mutex_);
    callbacks_.erase(type);
}

void BaseChannelSDK::PostEvent(int type, int code, std::string json)
{
    std::lock_guard lock(mutex_);
    events_.push_back(PendingEvent{type, code, std::move(json)});
}

void BaseChannelSDK::DispatchEvents()
{
    std::size_t queued = 0;
    {
        std::lock_guard lock(mutex_);
        queued = events_.size();
    }
    if (queued == 0) {
        return;
    }
    // A callback that ticks again re-enters here while the outer delivery still walks the scratch
    // list; the nested call gets its own list so neither corrupts the other.
    const bool nested = scratchInUse_;
    std::vector<std::shared_ptr<EventDelegate>> nestedListeners;
    auto& listeners = nested ? nestedListeners : scratch_;
    scratchInUse_ = true;
    const std::size_t steps = std::min<std::size_t>(queued, kMaxEventsPerDispatch);
    for (std::size_t step = 0; step < steps && DispatchOne(listeners); ++step) {
    }
    scratchInUse_ = nested;
}

// Takes the oldest event and calls its listeners outside the lock. False when the queue is empty.
bool BaseChannelSDK::DispatchOne(std::vector<std::shared_ptr<EventDelegate>>& listeners)
{
    PendingEvent event;
    {
        std::lock_guard lock(mutex_);
        if (events_.empty()) {
            return false;
        }
        event = std::move(events_.front());
        events_.pop_front();
        const auto slot = callbacks_.find(event.type);
        if (slot == callbacks_.end()) {
            // Nobody listens yet: keep it, in order, for a later Tick.
            events_.push_back(std::move(event));
            return true;
        }
        listeners.assign(slot->second.begin(), slot->second.end());
    }
    for (const auto& listener : listeners) {
        (*listener)(event.code, event.json.c_str());
    }
    listeners.clear();
    return true;
}

} // namespace Vyro
