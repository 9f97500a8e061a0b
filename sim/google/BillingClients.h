#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace Vyro::PlayGamesSim {

// The billing clients the game holds, by number. A handle is an opaque value made from the number
// (not an address), so a handle that was never handed out or was destroyed is simply not found.
class BillingClients {
public:
    void* Add(std::uint64_t number);
    std::optional<std::uint64_t> Find(const void* handle) const;
    // Forgets the client; its number, or nothing for a handle that is not a live client.
    std::optional<std::uint64_t> Remove(const void* handle);
    const std::vector<std::uint64_t>& Numbers() const { return live_; }

private:
    std::vector<std::uint64_t> live_;
};

} // namespace Vyro::PlayGamesSim
