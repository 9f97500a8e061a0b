#include "Platforms.h"

#include <algorithm>

namespace Vyro::EosSim {

namespace {

// Far from small integers and null, and aligned as real handles would be; a platform's three
// handles are distinct and no two platforms share one.
constexpr std::uintptr_t kHandleBase = 0xE05F0000;
constexpr std::uintptr_t kHandleStride = 0x40;
constexpr std::uintptr_t kAuthOffset = 0x10;
constexpr std::uintptr_t kEcomOffset = 0x20;

std::uintptr_t HandleValue(std::uint64_t number, std::uintptr_t offset)
{
    return kHandleBase + static_cast<std::uintptr_t>(number) * kHandleStride + offset;
}

} // namespace

void Platform::Queue(PendingCompletion completion, std::uint32_t delayTicks)
{
    completion.number = ++lastPending;
    completion.dueTick = ticks + 1 + delayTicks;
    pending.push_back(std::move(completion));
}

std::optional<PendingCompletion> Platform::Take(std::uint64_t pendingNumber)
{
    const auto found = std::find_if(pending.begin(), pending.end(),
                                    [&](const PendingCompletion& entry) { return entry.number == pendingNumber; });
    if (found == pending.end()) {
        return std::nullopt;
    }
    PendingCompletion taken = std::move(*found);
    pending.erase(found);
    return taken;
}

std::vector<std::uint64_t> Platform::Due() const
{
    std::vector<std::uint64_t> due;
    for (const PendingCompletion& entry : pending) {
        if (!entry.held && entry.dueTick <= ticks) {
            due.push_back(entry.number);
        }
    }
    return due;
}

bool Platform::HasHandler(Eos::NotificationId id) const
{
    return std::any_of(loginStatusHandlers.begin(), loginStatusHandlers.end(),
                       [&](const LoginStatusHandler& entry) { return entry.id == id; });
}

std::size_t Platform::ReleaseHeld()
{
    std::size_t released = 0;
    for (PendingCompletion& entry : pending) {
        if (entry.held) {
            entry.held = false;
            entry.dueTick = ticks + 1;
            ++released;
        }
    }
    return released;
}

Eos::HPlatform Platforms::Add(std::uint64_t number, std::string clientId)
{
    Platform& platform = live_[number];
    platform.number = number;
    platform.clientId = std::move(clientId);
    return PlatformHandle(number);
}

template <typename Handle>
Platform* Platforms::FindBy(Handle handle, Handle (*handleOf)(std::uint64_t))
{
    const auto found = std::find_if(live_.begin(), live_.end(), [&](const auto& entry) { return handleOf(entry.first) == handle; });
    return found == live_.end() ? nullptr : &found->second;
}

Platform* Platforms::Find(Eos::HPlatform handle) { return FindBy(handle, &PlatformHandle); }
Platform* Platforms::Find(Eos::HAuth handle) { return FindBy(handle, &AuthHandle); }
Platform* Platforms::Find(Eos::HEcom handle) { return FindBy(handle, &EcomHandle); }

Platform* Platforms::FindNumber(std::uint64_t number)
{
    const auto found = live_.find(number);
    return found == live_.end() ? nullptr : &found->second;
}

void Platforms::Remove(std::uint64_t number) { live_.erase(number); }

Eos::HPlatform Platforms::PlatformHandle(std::uint64_t number)
{
    return reinterpret_cast<Eos::HPlatform>(HandleValue(number, 0));
}

Eos::HAuth Platforms::AuthHandle(std::uint64_t number) { return reinterpret_cast<Eos::HAuth>(HandleValue(number, kAuthOffset)); }

Eos::HEcom Platforms::EcomHandle(std::uint64_t number) { return reinterpret_cast<Eos::HEcom>(HandleValue(number, kEcomOffset)); }

} // namespace Vyro::EosSim
