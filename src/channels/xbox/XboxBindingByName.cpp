#include "channels/xbox/XboxBinding.h"

namespace Vyro {

XboxBinding BindXboxByName()
{
    using RuntimeBinding = LazyStoreApi<Gdk::GameRuntimeApi>;
    using ServicesBinding = LazyStoreApi<Xbl::XblApi>;
    return {RuntimeBinding(Gdk::kRuntimeFileName, Gdk::BindGameRuntimeApi, RuntimeBinding::Lifetime::Process),
            ServicesBinding(Xbl::kServicesFileName, Xbl::BindXblApi, ServicesBinding::Lifetime::Process)};
}

} // namespace Vyro
