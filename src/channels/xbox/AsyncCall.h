#pragma once

#include <functional>
#include <vector>

#include "channels/xbox/GameRuntimeApi.h"

namespace Vyro {

// One asynchronous GDK call: a heap record holding the XAsyncBlock the runtime completes (queue = the
// channel's task queue, context = the record, callback = one common completion routine) and the
// handler that turns the result into an answer. The handler owns by value what the answer needs; it
// runs exactly once, when the runtime dispatches the completion (inside Tick, on the game thread),
// and the record is freed right after. A call that fails to start never runs its handler. The calls
// in flight are known by queue (game thread only, like their starts and completions).
class AsyncCall {
public:
    using Handler = std::function<void(Gdk::XAsyncBlock* block)>;
    // Calls the ...Async function with the block; returns its HRESULT.
    using Starter = std::function<Gdk::HResult(Gdk::XAsyncBlock* block)>;

    // Starts one call on `queue`. On failure the record is freed at once, the handler never runs,
    // and the caller logs and answers with the returned HRESULT.
    static Gdk::HResult Start(Gdk::XTaskQueueHandle queue, Handler handler, const Starter& start);

    // The blocks of the calls started on `queue` whose completion has not run yet, oldest first.
    static std::vector<Gdk::XAsyncBlock*> Outstanding(Gdk::XTaskQueueHandle queue);
    // Forgets the calls of a queue that is abandoned without being drained: their records stay with
    // the runtime, which may still write into them.
    static void Forget(Gdk::XTaskQueueHandle queue);
    // Answers the calls of `queue` whose work is still running and will not be waited for: each
    // handler runs now, once, and reads what the runtime says of an unfinished call (E_PENDING). The
    // records stay with the runtime; a completion that still comes frees its record and runs nothing.
    static void Abandon(Gdk::XTaskQueueHandle queue);
};

} // namespace Vyro
