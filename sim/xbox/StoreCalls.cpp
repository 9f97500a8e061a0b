#include "StoreCalls.h"

namespace Vyro::XboxSim {

bool StoreContextOpen(Call& call, Gdk::XStoreContextHandle context)
{
    call.Entry()["storeContext"] = DescribeHandle(context);
    return call.Requires(call.Rt().storeContexts.Find(context) != nullptr,
                         context == nullptr ? "null store context handle" : "unknown or closed store context handle");
}

HResult StartStoreCall(Call& call, Gdk::XAsyncBlock* block, StoreCallSettings& settings, Work work)
{
    HResult refusal = Results::kOk;
    TaskQueue* queue = AcceptBlock(call, block, refusal);
    if (queue == nullptr) {
        return call.Returns(refusal);
    }
    if (!Gdk::Succeeded(settings.startResult)) {
        return call.Returns(settings.startResult);
    }
    return Launch(call, block, *queue, settings.outcomes.Take(), std::move(work));
}

Operation* ReadStoreResult(Call& call, Gdk::XAsyncBlock* block, const char* startedBy, HResult programmed, HResult& failure)
{
    const ResultRead read = ReadResult(call, block, startedBy);
    failure = read.operation == nullptr ? read.failure : programmed;
    return Gdk::Succeeded(failure) ? read.operation : nullptr;
}

} // namespace Vyro::XboxSim
