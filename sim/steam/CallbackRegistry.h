#pragma once

#include <vector>

#include "channels/steam/SteamApi.h"

namespace Vyro::SteamSim {

// The callback objects the game registered, in registration order, each with the id it asked for.
// Objects are only remembered here, never called: callers call them with no lock held.
class CallbackRegistry {
public:
    // Registers `callback` for `callbackId` (moving it there if it was registered for another id);
    // whether it was registered before.
    bool Add(Steamworks::CallbackBase* callback, int callbackId);
    // Forgets `callback`; whether it was registered.
    bool Remove(Steamworks::CallbackBase* callback);
    bool Contains(const Steamworks::CallbackBase* callback, int callbackId) const;
    std::vector<Steamworks::CallbackBase*> For(int callbackId) const;
    std::vector<int> Ids() const;

private:
    struct Registration {
        Steamworks::CallbackBase* callback;
        int callbackId;
    };
    std::vector<Registration> registrations_;
};

} // namespace Vyro::SteamSim
