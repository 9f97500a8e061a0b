#include "channels/xbox/AsyncCall.h"

#include <exception>
#include <list>
#include <memory>
#include <utility>

#include "common/Logger.h"
#include "common/NeverDestroyed.h"

namespace Vyro {

namespace {

struct AsyncRecord {
    Gdk::XAsyncBlock block{};
    AsyncCall::Handler handler;
};

using Records = std::list<AsyncRecord*>;
struct InFlightTag;
struct AbandonedTag;

// Every record the runtime holds, in the order the calls started; never destroyed, so that a channel
// destroyed during the library's own static destruction still finds it.
Records& InFlight() { return NeverDestroyed<Records, InFlightTag>(); }

// The records of abandoned calls, which the runtime may still complete: kept reachable until then.
Records& Abandoned() { return NeverDestroyed<Records, AbandonedTag>(); }

// Runs from XTaskQueueDispatch: nothing may unwind into the runtime's frames, so an exception (out of
// memory while building an answer) is logged and stops here.
void RunHandler(const AsyncCall::Handler& handler, Gdk::XAsyncBlock* block)
{
    try {
        handler(block);
    } catch (const std::exception& error) {
        Log(LogLevel::Error, "Exception in Xbox completion: {}", error.what());
    } catch (...) {
        Log(LogLevel::Error, "Unknown exception in Xbox completion");
    }
}

void CompleteAsyncCall(Gdk::XAsyncBlock* block)
{
    const std::unique_ptr<AsyncRecord> record(static_cast<AsyncRecord*>(block->context));
    InFlight().remove(record.get());
    Abandoned().remove(record.get());
    if (record->handler) { // an abandoned call was answered already
        RunHandler(record->handler, block);
    }
}

} // namespace

Gdk::HResult AsyncCall::Start(Gdk::XTaskQueueHandle queue, Handler handler, const Starter& start)
{
    auto record = std::make_unique<AsyncRecord>();
    record->block.queue = queue;
    record->block.context = record.get();
    record->block.callback = &CompleteAsyncCall;
    record->handler = std::move(handler);
    const Gdk::HResult result = start(&record->block);
    if (Gdk::Succeeded(result)) {
        InFlight().push_back(record.release()); // the completion routine owns it now
    }
    return result;
}

std::vector<Gdk::XAsyncBlock*> AsyncCall::Outstanding(Gdk::XTaskQueueHandle queue)
{
    std::vector<Gdk::XAsyncBlock*> blocks;
    for (AsyncRecord* record : InFlight()) {
        if (record->block.queue == queue) {
            blocks.push_back(&record->block);
        }
    }
    return blocks;
}

void AsyncCall::Forget(Gdk::XTaskQueueHandle queue)
{
    InFlight().remove_if([queue](const AsyncRecord* record) { return record->block.queue == queue; });
}

void AsyncCall::Abandon(Gdk::XTaskQueueHandle queue)
{
    for (Gdk::XAsyncBlock* block : Outstanding(queue)) {
        auto* record = static_cast<AsyncRecord*>(block->context);
        InFlight().remove(record);
        Abandoned().push_back(record);
        const Handler handler = std::exchange(record->handler, nullptr);
        RunHandler(handler, block);
    }
}

} // namespace Vyro
