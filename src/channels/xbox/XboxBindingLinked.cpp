#include "channels/xbox/XboxBinding.h"
#include "channels/xbox/XboxLinkedApi.h"

namespace Vyro {

namespace {

// The runtime's loader is linked in: whether a runtime is installed, and of a version it can serve,
// is XGameRuntimeInitialize's own answer.
bool RuntimeLinked() { return true; }

} // namespace

XboxBinding BindXboxLinked()
{
    return {LazyStoreApi<Gdk::GameRuntimeApi>(XboxLinked::RuntimeApi(), &RuntimeLinked),
            LazyStoreApi<Xbl::XblApi>(XboxLinked::ServicesApi(), &XboxLinked::LoadServices)};
}

} // namespace Vyro
