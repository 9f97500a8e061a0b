#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <utility>

#include <nlohmann/json.hpp>

namespace Vyro::XboxSim {

// Handles are opaque values made from a number that is never reused in the process, not even after a
// reset, and is shared by every kind of handle: a closed handle, one from before a reset or one of
// another kind is simply not found. Never an address, so the game cannot reach into the simulator.
inline constexpr std::uintptr_t kHandleBase = 0x5A7E00000000;

template <typename Handle>
Handle HandleOf(std::uint64_t number)
{
    return reinterpret_cast<Handle>(kHandleBase + static_cast<std::uintptr_t>(number));
}

inline std::optional<std::uint64_t> NumberOf(const void* handle)
{
    const auto value = reinterpret_cast<std::uintptr_t>(handle);
    return value > kHandleBase ? std::optional<std::uint64_t>(value - kHandleBase) : std::nullopt;
}

// A handle as the journal names it: its number, null, or "<unknown>" for a value never handed out.
inline nlohmann::json DescribeHandle(const void* handle)
{
    if (handle == nullptr) {
        return nullptr;
    }
    const auto number = NumberOf(handle);
    return number ? nlohmann::json(*number) : nlohmann::json("<unknown>");
}

// A context pointer the game passes through, as the journal shows it: its value as a number.
inline nlohmann::json DescribeContext(const void* context)
{
    return context == nullptr ? nlohmann::json() : nlohmann::json(static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(context)));
}

// The open handles of one kind, by number, with what the simulator keeps for each.
template <typename Record>
class HandleTable {
public:
    Record& Add(std::uint64_t number, Record record) { return open_.insert_or_assign(number, std::move(record)).first->second; }

    Record* Find(const void* handle)
    {
        const auto number = NumberOf(handle);
        return number ? FindNumber(*number) : nullptr;
    }

    Record* FindNumber(std::uint64_t number)
    {
        const auto found = open_.find(number);
        return found == open_.end() ? nullptr : &found->second;
    }

    void Remove(std::uint64_t number) { open_.erase(number); }
    std::size_t Count() const { return open_.size(); }
    std::map<std::uint64_t, Record>& All() { return open_; }
    const std::map<std::uint64_t, Record>& All() const { return open_; }

    nlohmann::json Numbers() const
    {
        nlohmann::json numbers = nlohmann::json::array();
        for (const auto& entry : open_) {
            numbers.push_back(entry.first);
        }
        return numbers;
    }

private:
    std::map<std::uint64_t, Record> open_;
};

} // namespace Vyro::XboxSim
