#include "channels/xbox/XblApi.h"

#include "core/StoreLibrary.h"

namespace Vyro::Xbl {

bool BindXblApi(const StoreLibrary& library, XblApi& api)
{
    // Every export is tried, so that the log names all the missing ones at once.
    bool bound = true;
#define VYRO_BIND_EXPORT(name) bound &= library.Bind(#name, api.name);
    VYRO_XBL_FUNCTIONS(VYRO_BIND_EXPORT)
#undef VYRO_BIND_EXPORT
    return bound;
}

} // namespace Vyro::Xbl
