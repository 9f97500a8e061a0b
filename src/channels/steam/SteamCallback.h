#pragma once

#include "channels/steam/SteamApi.h"

namespace Vyro::Steamworks {

// A callback object registered and unregistered by hand, calling a member of its owner with the
// record Steam delivers. Steam keeps the registered bit in the object's flags, so that bit, not a
// field of ours, says whether it needs unregistering.
template <typename Owner, typename Record>
class ManualCallback final : public CallbackBase {
public:
    using Handler = void (Owner::*)(const Record* record);

    ManualCallback() { callbackId = Record::kCallbackId; }
    ~ManualCallback() = default;

    bool IsRegistered() const { return (callbackFlags & kFlagRegistered) != 0; }

    void Register(const SteamApi& api, Owner* owner, Handler handler)
    {
        Unregister(api);
        owner_ = owner;
        handler_ = handler;
        api.registerCallback(this, Record::kCallbackId);
    }

    void Unregister(const SteamApi& api)
    {
        if (IsRegistered()) {
            api.unregisterCallback(this);
        }
    }

    void RunCallResult(void* param, bool /*ioFailure*/, ApiCallHandle /*call*/) override { Run(param); }

    void Run(void* param) override
    {
        if (owner_ != nullptr) {
            (owner_->*handler_)(static_cast<const Record*>(param));
        }
    }

    int GetCallbackSizeBytes() override { return static_cast<int>(sizeof(Record)); }

private:
    Owner* owner_ = nullptr;
    Handler handler_ = nullptr;
};

} // namespace Vyro::Steamworks
