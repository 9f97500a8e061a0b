// Event registrations: user changes and game invites, each delivered through the queue given at
// registration.
#include <thread>

#include "BlockingCalls.h"
#include "Calls.h"
#include "XboxSim.h"

using namespace Vyro::XboxSim;
namespace Gdk = Vyro::Gdk;

namespace {

template <typename Callback>
using Table = RegistrationTable<Callback> EventRegistrations::*;

template <typename Callback>
HResult Register(Call& call, Table<Callback> table, Gdk::XTaskQueueHandle handle, void* context, Callback* callback,
                 Gdk::XTaskQueueRegistrationToken* token)
{
    if (!call.Requires(callback != nullptr, "null callback") || !call.Requires(token != nullptr, "null token")) {
        return call.Returns(Results::kInvalidArg);
    }
    HResult refusal = Results::kOk;
    const TaskQueue* queue = call.SubmissionQueue(handle, refusal);
    if (queue == nullptr) {
        return call.Returns(refusal);
    }
    const std::uint64_t number = call.State().NextNumber();
    (call.Rt().events.*table)[number] = {queue->number, context, callback};
    token->token = number;
    call.Entry()["token"] = number;
    return call.Returns(Results::kOk);
}

// Forgets the registration: its events still queued are skipped. With `wait`, waits for its callbacks
// running on other threads; from inside one of its own callbacks that wait would never end. Without
// it, answers false while one of its callbacks is still running (the runtime's "pending").
template <typename Callback>
Blocking<bool> BeginUnregister(Call& call, Table<Callback> table, std::uint64_t token, bool wait)
{
    if (!call.Admitted() || !call.Requires((call.Rt().events.*table).erase(token) > 0, "unknown or unregistered token")) {
        return Answered(call.ReturnsValue(false));
    }
    const EventRegistrations& events = call.Rt().events;
    if (!events.running.contains(token)) {
        return Answered(call.ReturnsValue(true));
    }
    if (!wait) {
        return Answered(call.ReturnsValue(false));
    }
    if (events.RunningOn(token, std::this_thread::get_id())) {
        call.Misuse("wait from inside the registration's own callback: the real runtime would wait for itself");
        return Answered(call.ReturnsValue(true));
    }
    return Waits<bool>(call);
}

template <typename Callback>
bool Unregister(const char* function, Table<Callback> table, Gdk::XTaskQueueRegistrationToken token, bool wait)
{
    Blocking<bool> blocking = JournalledCall(function, {{"token", token.token}, {"wait", wait}},
                                             [&](Call& call) { return BeginUnregister(call, table, token.token, wait); });
    const auto callbacksDone = [&](SimState& state) {
        return state.runtime.events.running.contains(token.token) ? std::nullopt : std::optional(true);
    };
    return FinishBlocking(std::move(blocking), callbacksDone, [](SimState&) { return true; });
}

} // namespace

extern "C" {

Gdk::HResult XUserRegisterForChangeEvent(Gdk::XTaskQueueHandle queue, void* context, Gdk::XUserChangeEventCallback* callback,
                                         Gdk::XTaskQueueRegistrationToken* token)
{
    return RuntimeCall("XUserRegisterForChangeEvent", {{"context", DescribeContext(context)}}, [&](Call& call) {
        return Register(call, &EventRegistrations::userChange, queue, context, callback, token);
    });
}

bool XUserUnregisterForChangeEvent(Gdk::XTaskQueueRegistrationToken token, bool wait)
{
    return Unregister("XUserUnregisterForChangeEvent", &EventRegistrations::userChange, token, wait);
}

Gdk::HResult XGameInviteRegisterForEvent(Gdk::XTaskQueueHandle queue, void* context, Gdk::XGameInviteEventCallback* callback,
                                         Gdk::XTaskQueueRegistrationToken* token)
{
    return RuntimeCall("XGameInviteRegisterForEvent", {{"context", DescribeContext(context)}}, [&](Call& call) {
        return Register(call, &EventRegistrations::gameInvite, queue, context, callback, token);
    });
}

bool XGameInviteUnregisterForEvent(Gdk::XTaskQueueRegistrationToken token, bool wait)
{
    return Unregister("XGameInviteUnregisterForEvent", &EventRegistrations::gameInvite, token, wait);
}

} // extern "C"
