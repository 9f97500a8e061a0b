#include "BillingClients.h"

#include <algorithm>

namespace Vyro::PlayGamesSim {

namespace {

// Far from small integers and null, and aligned as a real handle would be.
constexpr std::uintptr_t kHandleBase = 0x5C1E0000;
constexpr std::uintptr_t kHandleStride = 0x10;

void* HandleOf(std::uint64_t number) { return reinterpret_cast<void*>(kHandleBase + number * kHandleStride); }

} // namespace

void* BillingClients::Add(std::uint64_t number)
{
    live_.push_back(number);
    return HandleOf(number);
}

std::optional<std::uint64_t> BillingClients::Find(const void* handle) const
{
    const auto found = std::find_if(live_.begin(), live_.end(), [&](std::uint64_t number) { return HandleOf(number) == handle; });
    return found == live_.end() ? std::nullopt : std::optional(*found);
}

std::optional<std::uint64_t> BillingClients::Remove(const void* handle)
{
    const auto number = Find(handle);
    if (number) {
        live_.erase(std::find(live_.begin(), live_.end(), *number));
    }
    return number;
}

} // namespace Vyro::PlayGamesSim
