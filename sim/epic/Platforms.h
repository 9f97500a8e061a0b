#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "Catalogue.h"
#include "Entitlements.h"
#include "SimSettings.h"
#include "channels/epic/EosApi.h"

namespace Vyro::EosSim {

struct SimState;
struct Platform;

// The call of a game's completion or notification handler, owning everything it passes; made under
// the lock, run without it.
using GameCall = std::function<void()>;
// Decides one delivery of a pending completion with the lock held: applies what `result` changes
// (a sign-in, a purchase, a query's results), adds its own members to the delivery's journal
// entry, and gives the call to make, or none when there is nobody to call any more.
using Settle = std::function<GameCall(SimState& state, Platform& platform, Eos::EResult result, nlohmann::json& entry)>;

// A completion (or login status notification) waiting for a Tick of its platform.
struct PendingCompletion {
    std::uint64_t number = 0; // in queue order, per platform
    const char* function;     // the export that started it, or "LoginStatusChanged"
    void* clientData;
    ResultSequence results;   // empty for a notification, which carries no result
    std::size_t next = 0;     // the result of the next delivery
    std::uint64_t dueTick = 0;
    bool held = false;        // a checkout kept back until "releaseCheckouts"
    Settle settle;
};

struct LoginStatusHandler {
    Eos::NotificationId id;
    void* clientData;
    Eos::OnLoginStatusChangedCallback* handler;
};

// One platform the game created, with its interfaces, its pending completions and what its
// queries answered.
struct Platform {
    std::uint64_t number = 0;
    std::string clientId;
    std::uint64_t ticks = 0; // Ticks that could deliver (not nested ones)
    bool delivering = false; // a Tick is delivering; a nested one delivers nothing
    std::uint64_t lastPending = 0;
    std::deque<PendingCompletion> pending;
    std::vector<LoginStatusHandler> loginStatusHandlers;
    // The answers of the last successful queries, by user.
    std::map<Eos::EpicAccountId, Catalogue> queriedOffers;
    std::map<Eos::EpicAccountId, Entitlements> queriedEntitlements;

    // Queues `pending` to be due `delayTicks` Ticks after the next one.
    void Queue(PendingCompletion pending, std::uint32_t delayTicks);
    // Takes the pending completion with that number off the queue.
    std::optional<PendingCompletion> Take(std::uint64_t pendingNumber);
    // The numbers of the completions the current Tick delivers: due and not held, in queue order.
    std::vector<std::uint64_t> Due() const;
    bool HasHandler(Eos::NotificationId id) const;
    // Makes the held checkouts due at the next Tick; how many there were.
    std::size_t ReleaseHeld();
};

// The live platforms. Handles are opaque values made from the platform's number (never an address,
// never reused in the process), so a released or never-made handle is simply not found.
class Platforms {
public:
    Eos::HPlatform Add(std::uint64_t number, std::string clientId);
    Platform* Find(Eos::HPlatform handle);
    Platform* Find(Eos::HAuth handle);
    Platform* Find(Eos::HEcom handle);
    Platform* FindNumber(std::uint64_t number);
    void Remove(std::uint64_t number);
    std::map<std::uint64_t, Platform>& All() { return live_; }
    const std::map<std::uint64_t, Platform>& All() const { return live_; }

    static Eos::HPlatform PlatformHandle(std::uint64_t number);
    static Eos::HAuth AuthHandle(std::uint64_t number);
    static Eos::HEcom EcomHandle(std::uint64_t number);

private:
    template <typename Handle>
    Platform* FindBy(Handle handle, Handle (*handleOf)(std::uint64_t));

    std::map<std::uint64_t, Platform> live_;
};

} // namespace Vyro::EosSim
