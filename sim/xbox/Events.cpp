#include "Events.h"

#include <algorithm>
#include <thread>
#include <vector>

#include "Workers.h"

namespace Vyro::XboxSim {

namespace {

const char* UserChangeName(Gdk::XUserChangeEvent event)
{
    switch (event) {
    case Gdk::XUserChangeEvent::SignedInAgain:
        return "SignedInAgain";
    case Gdk::XUserChangeEvent::SigningOut:
        return "SigningOut";
    case Gdk::XUserChangeEvent::SignedOut:
        return "SignedOut";
    case Gdk::XUserChangeEvent::Gamertag:
        return "Gamertag";
    case Gdk::XUserChangeEvent::GamerPicture:
        return "GamerPicture";
    case Gdk::XUserChangeEvent::Privileges:
        return "Privileges";
    }
    return "";
}

// The event for one registration: delivered only while the registration lasts, and marked as running
// for the length of its callback so that an unregistration with `wait` can wait for it.
template <typename Callback>
PortItem EventItem(RegistrationTable<Callback> EventRegistrations::*table, std::uint64_t token, nlohmann::json entry, GameCall call)
{
    PortItem item;
    item.entry = std::move(entry);
    item.entry["token"] = token;
    item.dropOnTermination = true;
    item.begin = [table, token](SimState& state) {
        EventRegistrations& events = state.runtime.events;
        if (!(events.*table).contains(token)) {
            return false;
        }
        events.running.emplace(token, std::this_thread::get_id());
        return true;
    };
    item.call = std::move(call);
    item.after = [token](SimState& state, TaskQueue&) {
        auto& running = state.runtime.events.running;
        for (auto [at, end] = running.equal_range(token); at != end; ++at) {
            if (at->second == std::this_thread::get_id()) {
                running.erase(at);
                return;
            }
        }
    };
    return item;
}

// Posts one event to every registration of `table` whose queue is open and not terminated (a
// terminated queue takes no new items). `makeCall(registration)` gives the callback's call.
template <typename Callback, typename MakeCall>
std::size_t Broadcast(SimState& state, RegistrationTable<Callback> EventRegistrations::*table, const nlohmann::json& entry,
                      MakeCall makeCall)
{
    std::size_t queued = 0;
    for (const auto& [token, registration] : state.runtime.events.*table) {
        std::shared_ptr<TaskQueue>* queue = state.runtime.queues.FindNumber(registration.queue);
        if (queue != nullptr && AcceptsWork(**queue)) {
            Post(**queue, EventItem(table, token, entry, makeCall(registration)));
            ++queued;
        }
    }
    return queued;
}

} // namespace

bool EventRegistrations::RunningOn(std::uint64_t token, std::thread::id thread) const
{
    const auto [begin, end] = running.equal_range(token);
    return std::any_of(begin, end, [&](const auto& entry) { return entry.second == thread; });
}

std::size_t QueueUserChange(SimState& state, Gdk::XUserChangeEvent event)
{
    const nlohmann::json entry{{"delivers", "XUserChangeEvent"}, {"event", UserChangeName(event)}, {"localId", kAccountLocalId}};
    return Broadcast(state, &EventRegistrations::userChange, entry, [event](const Registration<Gdk::XUserChangeEventCallback>& registration) {
        return [callback = registration.callback, context = registration.context, event] {
            callback(context, Gdk::XUserLocalId{kAccountLocalId}, event);
        };
    });
}

std::size_t QueueInvite(SimState& state, const std::optional<std::string>& uri)
{
    const nlohmann::json entry{{"delivers", "XGameInviteEvent"}, {"uri", uri ? nlohmann::json(*uri) : nlohmann::json()}};
    return Broadcast(state, &EventRegistrations::gameInvite, entry, [&uri](const Registration<Gdk::XGameInviteEventCallback>& registration) {
        return [callback = registration.callback, context = registration.context, uri] { callback(context, uri ? uri->c_str() : nullptr); };
    });
}

std::size_t DeliverHeldInvite(SimState& state, const std::optional<std::string>& uri, std::chrono::milliseconds hold)
{
    struct Delivery {
        std::uint64_t token;
        Registration<Gdk::XGameInviteEventCallback> registration;
    };
    std::vector<Delivery> deliveries;
    EventRegistrations& events = state.runtime.events;
    for (const auto& [token, registration] : events.gameInvite) {
        std::shared_ptr<TaskQueue>* queue = state.runtime.queues.FindNumber(registration.queue);
        if (queue != nullptr && AcceptsWork(**queue)) {
            // Begun on no game thread: the thread that will run it is not known yet.
            events.running.emplace(token, std::thread::id());
            deliveries.push_back({token, registration});
        }
    }
    state.runtime.journal.Add({{"delivers", "XGameInviteEvent"}, {"uri", uri ? nlohmann::json(*uri) : nlohmann::json()},
                               {"heldMs", hold.count()}, {"registrations", deliveries.size()}});
    Workers::Instance().Submit([deliveries, uri, hold] {
        // Stopped workers mean a runtime that has gone: its deliveries end without calling anyone.
        if (Workers::Instance().Pause(hold)) {
            for (const Delivery& delivery : deliveries) {
                delivery.registration.callback(delivery.registration.context, uri ? uri->c_str() : nullptr);
            }
        }
        WithState([&](SimState& after) {
            auto& running = after.runtime.events.running;
            for (const Delivery& delivery : deliveries) {
                for (auto [at, end] = running.equal_range(delivery.token); at != end; ++at) {
                    if (at->second == std::thread::id()) {
                        running.erase(at);
                        break;
                    }
                }
            }
        });
    });
    return deliveries.size();
}

} // namespace Vyro::XboxSim
