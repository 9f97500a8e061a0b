#pragma once

#include <cstdint>
#include <map>
#include <thread>

#include <nlohmann/json.hpp>

#include "channels/xbox/GameRuntimeApi.h"

namespace Vyro::XboxSim {

// One registered event callback, delivered through its queue's completion port.
template <typename Callback>
struct Registration {
    std::uint64_t queue = 0;
    void* context = nullptr;
    Callback* callback = nullptr;
};

template <typename Callback>
using RegistrationTable = std::map<std::uint64_t, Registration<Callback>>; // by token

// Every event registration, and the event callbacks running right now: unregistering with `wait`
// waits for those of its token, unless it is the thread running one (which would wait for itself).
struct EventRegistrations {
    RegistrationTable<Gdk::XUserChangeEventCallback> userChange;
    RegistrationTable<Gdk::XGameInviteEventCallback> gameInvite;
    std::multimap<std::uint64_t, std::thread::id> running;

    std::size_t Count() const { return userChange.size() + gameInvite.size(); }
    bool RunningOn(std::uint64_t token, std::thread::id thread) const;
};

template <typename Callback>
nlohmann::json DescribeRegistrations(const RegistrationTable<Callback>& table)
{
    nlohmann::json list = nlohmann::json::array();
    for (const auto& [token, registration] : table) {
        list.push_back({{"token", token}, {"queue", registration.queue}});
    }
    return list;
}

} // namespace Vyro::XboxSim
