#include "channels/xbox/AsyncCall.h"

#include <exception>
#include <memory>

#include "common/Logger.h"

namespace Vyro {

namespace {

struct AsyncRecord {
    Gdk::XAsyncBlock block{};
    AsyncCall::Handler handler;
};

// The runtime calls this from XTaskQueueDispatch: nothing may unwind into its frames, so an exception
// (out of memory while building an answer) is logged and stops here.
void CompleteAsyncCall(Gdk::XAsyncBlock* block)
{
    const std::unique_ptr<AsyncRecord> record(static_cast<AsyncRecord*>(block->context));
    try {
        record->handler(block);
    } catch (const std::exception& error) {
        Log(LogLevel::Error, "Exception in Xbox completion: {}", error.what());
    } catch (...) {
        Log(LogLevel::Error, "Unknown exception in Xbox completion");
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
        record.release(); // the completion routine owns it now
    }
    return result;
}

} // namespace Vyro
