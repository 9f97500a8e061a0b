// Starting and stopping the Gaming Runtime: XGameRuntimeInitialize counts, XGameRuntimeUninitialize
// undoes one, and the last one stops the runtime's workers.
#include "AsyncCalls.h"
#include "Calls.h"
#include "StateReport.h"
#include "Workers.h"
#include "XboxSim.h"

using namespace Vyro::XboxSim;
namespace Gdk = Vyro::Gdk;

extern "C" {

Gdk::HResult XGameRuntimeInitialize()
{
    return JournalledCall("XGameRuntimeInitialize", {}, [](Call& call) {
        Runtime& runtime = call.Rt();
        const HResult result = runtime.settings.initializeResult;
        if (Gdk::Succeeded(result)) {
            ++runtime.initCount;
            runtime.everInitialised = true;
        }
        call.Entry()["initCount"] = runtime.initCount;
        return call.Returns(result);
    });
}

void XGameRuntimeUninitialize()
{
    // Once the runtime is gone nothing can be dispatched or waited for, so the work still running is
    // abandoned and the workers are joined, with no lock held.
    const bool last = JournalledCall("XGameRuntimeUninitialize", {}, [](Call& call) {
        Runtime& runtime = call.Rt();
        if (!call.Admitted()) {
            return false;
        }
        call.Entry()["initCount"] = --runtime.initCount;
        if (runtime.initCount > 0) {
            return false;
        }
        const nlohmann::json active = OpenObjects(runtime);
        if (!active.empty()) {
            call.Entry()["activeObjects"] = active;
            call.Misuse("XGameRuntimeUninitialize with active objects (" + HResultText(Results::kRuntimeUninitializeActiveObjects) +
                        " E_GAMERUNTIME_UNINITIALIZE_ACTIVEOBJECTS): close them first");
        }
        call.Entry()["abandoned"] = AbandonWork(call.State());
        return true;
    });
    if (last) {
        Workers::Instance().Stop();
    }
}

} // extern "C"
