// Callback registration and delivery. Delivery calls into game code, which may call straight back
// into any export (or the control entry point), so no lock is held while a callback runs.
#include <optional>
#include <utility>

#include "SimState.h"
#include "SteamSim.h"

using namespace Vyro::SteamSim;
namespace Steamworks = Vyro::Steamworks;

namespace {

// The records one SteamAPI_RunCallbacks call delivers: those queued before it began.
struct Batch {
    std::deque<CallbackRecord> records;
    std::uint64_t generation;
};

// Takes the queue for delivery; nothing when the runtime is not initialised or a delivery is
// already running (a call from inside a callback, or from another thread, delivers nothing, so
// records always arrive in queue order). An empty queue is left alone: games pump every frame, and
// a frame with nothing to deliver should cost next to nothing.
std::optional<Batch> BeginDelivery()
{
    return WithState([](SimState& state) -> std::optional<Batch> {
        ++state.runtime.runCallbacksCalls;
        if (!state.runtime.initialised || state.delivering || state.runtime.queued.empty()) {
            return std::nullopt;
        }
        state.delivering = true;
        return Batch{std::exchange(state.runtime.queued, {}), state.generation};
    });
}

// Ends the delivery even when a callback throws through it.
struct DeliveryScope {
    ~DeliveryScope()
    {
        WithState([](SimState& state) { state.delivering = false; });
    }
};

bool SameSession(const SimState& state, std::uint64_t generation)
{
    return state.runtime.initialised && state.generation == generation;
}

// The objects registered for the record's id at this moment; nothing once the session that queued
// the record has ended (Shutdown or reset from an earlier callback).
std::optional<std::vector<Steamworks::CallbackBase*>> Receivers(const CallbackRecord& record, std::uint64_t generation)
{
    return WithState([&](SimState& state) -> std::optional<std::vector<Steamworks::CallbackBase*>> {
        if (!SameSession(state, generation)) {
            return std::nullopt;
        }
        auto receivers = state.runtime.registry.For(CallbackIdOf(record));
        state.runtime.journal.Add(DescribeDelivery(record, receivers.size()));
        return receivers;
    });
}

// An earlier receiver may have unregistered (and destroyed) this one, or ended the session.
bool StillReceives(const Steamworks::CallbackBase* callback, int callbackId, std::uint64_t generation)
{
    return WithState([&](SimState& state) {
        return SameSession(state, generation) && state.runtime.registry.Contains(callback, callbackId);
    });
}

// Delivers one record; false when the session ended and the rest of the batch is dropped.
bool Deliver(CallbackRecord& record, std::uint64_t generation)
{
    const auto receivers = Receivers(record, generation);
    if (!receivers) {
        return false;
    }
    const int callbackId = CallbackIdOf(record);
    for (Steamworks::CallbackBase* callback : *receivers) {
        if (StillReceives(callback, callbackId, generation)) {
            callback->Run(RecordPointer(record));
        }
    }
    return true;
}

nlohmann::json RegistrationEntry(int callbackId, int sizeBytes, bool wasRegistered)
{
    const std::optional<int> expected = RecordSize(callbackId);
    return {{"fn", "SteamAPI_RegisterCallback"},
            {"callbackId", callbackId},
            {"sizeBytes", sizeBytes},
            {"expectedSize", expected ? nlohmann::json(*expected) : nlohmann::json()},
            {"sizeMatches", expected == sizeBytes},
            {"wasRegistered", wasRegistered}};
}

void JournalNullCallback(const char* function)
{
    WithState([&](SimState& state) {
        state.runtime.journal.Add({{"fn", function}, {"error", "null callback object"}});
    });
}

} // namespace

extern "C" {

void SteamAPI_RegisterCallback(Steamworks::CallbackBase* callback, int callbackId)
{
    if (callback == nullptr) {
        JournalNullCallback("SteamAPI_RegisterCallback");
        return;
    }
    const int sizeBytes = callback->GetCallbackSizeBytes(); // game code: before taking the lock
    WithState([&](SimState& state) {
        const bool wasRegistered = state.runtime.registry.Add(callback, callbackId);
        callback->callbackFlags |= Steamworks::CallbackBase::kFlagRegistered;
        callback->callbackId = callbackId;
        state.runtime.journal.Add(RegistrationEntry(callbackId, sizeBytes, wasRegistered));
    });
}

void SteamAPI_UnregisterCallback(Steamworks::CallbackBase* callback)
{
    if (callback == nullptr) {
        JournalNullCallback("SteamAPI_UnregisterCallback");
        return;
    }
    WithState([&](SimState& state) {
        const bool wasRegistered = state.runtime.registry.Remove(callback);
        callback->callbackFlags &= static_cast<std::uint8_t>(~Steamworks::CallbackBase::kFlagRegistered);
        state.runtime.journal.Add({{"fn", "SteamAPI_UnregisterCallback"},
                                   {"callbackId", callback->callbackId},
                                   {"wasRegistered", wasRegistered}});
    });
}

void SteamAPI_RunCallbacks()
{
    auto batch = BeginDelivery();
    if (!batch) {
        return;
    }
    const DeliveryScope scope;
    for (CallbackRecord& record : batch->records) {
        if (!Deliver(record, batch->generation)) {
            return;
        }
    }
}

} // extern "C"
