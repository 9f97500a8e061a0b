#include "ServicesCalls.h"

#include "AsyncCalls.h"

namespace Vyro::XboxSim {

HResult StartServiceCall(Call& call, Xbl::XblContextHandle context, Gdk::XAsyncBlock* block, HResult startResult,
                         OutcomeList& outcomes, Work work)
{
    HResult refusal = Results::kOk;
    if (!LibraryReady(call, refusal)) {
        return call.Returns(refusal);
    }
    if (!call.Requires(call.Rt().xbl.contexts.Find(context) != nullptr,
                       context == nullptr ? "null Xbox services context" : "unknown or closed Xbox services context")) {
        return call.Returns(Results::kInvalidArg);
    }
    TaskQueue* queue = AcceptBlock(call, block, refusal);
    if (queue == nullptr) {
        return call.Returns(refusal);
    }
    if (!Gdk::Succeeded(startResult)) {
        return call.Returns(startResult);
    }
    return Launch(call, block, *queue, outcomes.Take(), std::move(work));
}

} // namespace Vyro::XboxSim
