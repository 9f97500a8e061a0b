// The exports of Microsoft.Xbox.Services.GDK.C.Thunks.dll: each forwards to the Xbox services
// library in xgameruntime.dll (linked into the same program in the static library).
#include "XblBridge.h"
#include "XboxSim.h"

namespace Xbl = Vyro::Xbl;
namespace Gdk = Vyro::Gdk;

extern "C" {

Xbl::HResult XblInitialize(const Xbl::XblInitArgs* args) { return VyroSim_XblServices()->XblInitialize(args); }

Xbl::HResult XblCleanupAsync(Gdk::XAsyncBlock* asyncBlock) { return VyroSim_XblServices()->XblCleanupAsync(asyncBlock); }

Xbl::HResult XblContextCreateHandle(Xbl::XblUserHandle user, Xbl::XblContextHandle* context)
{
    return VyroSim_XblServices()->XblContextCreateHandle(user, context);
}

void XblContextCloseHandle(Xbl::XblContextHandle context) { VyroSim_XblServices()->XblContextCloseHandle(context); }

} // extern "C"
