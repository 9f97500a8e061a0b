// Store contexts, made for a user handle.
#include "Calls.h"
#include "XboxSim.h"

using namespace Vyro::XboxSim;
namespace Gdk = Vyro::Gdk;

extern "C" {

Gdk::HResult XStoreCreateContext(Gdk::XUserHandle user, Gdk::XStoreContextHandle* storeContextHandle)
{
    return RuntimeCall("XStoreCreateContext", {}, [&](Call& call) {
        if (!call.User(user) || !call.Requires(storeContextHandle != nullptr, "null storeContextHandle")) {
            return call.Returns(Results::kInvalidArg);
        }
        const HResult programmed = call.Rt().settings.storeContextResult;
        if (!Gdk::Succeeded(programmed)) {
            return call.Returns(programmed);
        }
        return call.HandsOut(call.Rt().storeContexts, call.State().NextNumber(), StoreContextRecord{*NumberOf(user)},
                             storeContextHandle, "storeContext");
    });
}

void XStoreCloseContextHandle(Gdk::XStoreContextHandle storeContextHandle)
{
    JournalledCall("XStoreCloseContextHandle", {{"storeContext", DescribeHandle(storeContextHandle)}}, [&](Call& call) {
        if (call.Admitted()) {
            call.Closes(call.Rt().storeContexts, storeContextHandle, "store context handle");
        }
    });
}

} // extern "C"
