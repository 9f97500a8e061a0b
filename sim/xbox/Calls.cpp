#include "Calls.h"

namespace Vyro::XboxSim {

bool Call::Admitted()
{
    const Runtime& runtime = Rt();
    if (runtime.initCount > 0) {
        return true;
    }
    Misuse(runtime.everInitialised ? "call after XGameRuntimeUninitialize" : "call before XGameRuntimeInitialize");
    return false;
}

HResult Call::Returns(HResult result)
{
    Entry()["result"] = HResultText(result);
    return result;
}

TaskQueue* Call::Queue(Gdk::XTaskQueueHandle handle)
{
    Entry()["queue"] = DescribeHandle(handle);
    std::shared_ptr<TaskQueue>* queue = Rt().queues.Find(handle);
    if (queue == nullptr) {
        Misuse(handle == nullptr ? "null queue" : "unknown or closed queue handle");
        return nullptr;
    }
    return queue->get();
}

TaskQueue* Call::SubmissionQueue(Gdk::XTaskQueueHandle handle, HResult& refusal)
{
    refusal = Results::kInvalidArg;
    if (handle == nullptr) {
        // The real runtime falls back on the process task queue; the simulator has none.
        Entry()["queue"] = nullptr;
        refusal = Results::kNoTaskQueue;
        Misuse("null queue: the simulator has no process task queue, pass a queue");
        return nullptr;
    }
    TaskQueue* queue = Queue(handle);
    if (queue != nullptr && !AcceptsWork(*queue)) {
        Entry()["terminated"] = true;
        refusal = Results::kAbort;
        return nullptr;
    }
    return queue;
}

bool Call::User(Gdk::XUserHandle user)
{
    Entry()["user"] = DescribeHandle(user);
    return Requires(Rt().users.Find(user) != nullptr,
                    user == nullptr ? "null user handle" : "unknown or closed user handle");
}

} // namespace Vyro::XboxSim
