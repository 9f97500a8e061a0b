#include "CallbackRegistry.h"

#include <algorithm>

namespace Vyro::SteamSim {

bool CallbackRegistry::Add(Steamworks::CallbackBase* callback, int callbackId)
{
    const bool wasRegistered = Remove(callback);
    registrations_.push_back({callback, callbackId});
    return wasRegistered;
}

bool CallbackRegistry::Remove(Steamworks::CallbackBase* callback)
{
    return std::erase_if(registrations_, [&](const Registration& entry) { return entry.callback == callback; }) > 0;
}

bool CallbackRegistry::Contains(const Steamworks::CallbackBase* callback, int callbackId) const
{
    return std::any_of(registrations_.begin(), registrations_.end(), [&](const Registration& entry) {
        return entry.callback == callback && entry.callbackId == callbackId;
    });
}

std::vector<Steamworks::CallbackBase*> CallbackRegistry::For(int callbackId) const
{
    std::vector<Steamworks::CallbackBase*> callbacks;
    for (const Registration& entry : registrations_) {
        if (entry.callbackId == callbackId) {
            callbacks.push_back(entry.callback);
        }
    }
    return callbacks;
}

std::vector<int> CallbackRegistry::Ids() const
{
    std::vector<int> ids;
    for (const Registration& entry : registrations_) {
        ids.push_back(entry.callbackId);
    }
    return ids;
}

} // namespace Vyro::SteamSim
