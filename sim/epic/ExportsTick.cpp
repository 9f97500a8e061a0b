// EOS_Platform_Tick: the only place completions and notifications reach the game, on the thread
// that ticks, with no lock held, so a completion may call straight back into any export (start
// another login, release the platform) or send control requests.
#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "Calls.h"
#include "Completion.h"
#include "EosSim.h"

using namespace Vyro::EosSim;
namespace Eos = Vyro::Eos;

namespace {

// The completions one Tick delivers: those due when it began. Anything queued while it delivers
// waits for a later Tick.
struct TickBatch {
    std::uint64_t platform;
    std::vector<std::uint64_t> pending;
};

// Journals why the SDK refused a Tick.
void JournalRefusedTick(SimState& state, Eos::HPlatform handle)
{
    Call call(state, "EOS_Platform_Tick", {});
    if (call.Admitted(Needs::Initialised)) {
        call.Resolve(handle);
    }
}

// Counts the Tick and takes its batch; nothing when the platform has nothing due or is already
// delivering (a Tick from inside a completion, or from another thread, delivers nothing and does
// not count as one of the platform's Ticks). Only a refused Tick is journalled: games tick every
// frame, and a frame with nothing to deliver should cost next to nothing.
std::optional<TickBatch> BeginTick(Eos::HPlatform handle)
{
    return WithState([&](SimState& state) -> std::optional<TickBatch> {
        Runtime& runtime = state.runtime;
        ++runtime.ticks;
        Platform* platform = runtime.sdk == SdkState::Initialised ? runtime.platforms.Find(handle) : nullptr;
        if (platform == nullptr) {
            JournalRefusedTick(state, handle);
            return std::nullopt;
        }
        if (platform->delivering) {
            return std::nullopt;
        }
        ++platform->ticks;
        std::vector<std::uint64_t> due = platform->Due();
        if (due.empty()) {
            return std::nullopt;
        }
        platform->delivering = true;
        return TickBatch{platform->number, std::move(due)};
    });
}

// Ends the delivery however it ends, unless the platform went during it.
struct DeliveryScope {
    std::uint64_t platform;

    ~DeliveryScope()
    {
        WithState([&](SimState& state) {
            if (Platform* live = state.runtime.platforms.FindNumber(platform)) {
                live->delivering = false;
            }
        });
    }
};

nlohmann::json DeliveryEntry(const Platform& platform, const PendingCompletion& pending)
{
    return {{"fn", "EOS_Platform_Tick"},
            {"platform", platform.number},
            {"delivers", pending.function},
            {"clientData", DescribeClientData(pending.clientData)}};
}

// A completion delivered with a result that does not end its operation comes back a Tick later
// with the next result (the last one repeats).
void Requeue(Platform& platform, PendingCompletion pending)
{
    pending.next = std::min(pending.next + 1, pending.results.size() - 1);
    pending.dueTick = platform.ticks + 1;
    platform.pending.push_back(std::move(pending));
}

enum class Step { Deliver, Stop };

struct Due {
    Step step;
    GameCall call;
};

// Takes one completion of the batch off the queue and settles it. Stop when the platform is gone
// (released, or the SDK reset, by an earlier completion): the rest of the batch is dropped.
Due TakeDue(const TickBatch& batch, std::uint64_t pendingNumber)
{
    return WithState([&](SimState& state) -> Due {
        Platform* platform = state.runtime.platforms.FindNumber(batch.platform);
        if (platform == nullptr) {
            return {Step::Stop, {}};
        }
        std::optional<PendingCompletion> pending = platform->Take(pendingNumber);
        if (!pending) {
            return {Step::Deliver, {}};
        }
        nlohmann::json entry = DeliveryEntry(*platform, *pending);
        const bool notification = pending->results.empty();
        const Eos::EResult result = notification ? Results::kSuccess : pending->results[pending->next];
        GameCall call = pending->settle(state, *platform, result, entry);
        if (!notification) {
            const bool again = !IsComplete(state.runtime, result);
            entry["result"] = result;
            entry["again"] = again;
            if (again) {
                Requeue(*platform, std::move(*pending));
            }
        }
        state.runtime.journal.Add(std::move(entry));
        return {Step::Deliver, std::move(call)};
    });
}

} // namespace

extern "C" void EOS_Platform_Tick(Eos::HPlatform platform)
{
    const std::optional<TickBatch> batch = BeginTick(platform);
    if (!batch) {
        return;
    }
    const DeliveryScope scope{batch->platform};
    for (const std::uint64_t pendingNumber : batch->pending) {
        Due due = TakeDue(*batch, pendingNumber);
        if (due.step == Step::Stop) {
            return;
        }
        DeliverQueuedLog();
        if (due.call) {
            due.call();
        }
    }
}
