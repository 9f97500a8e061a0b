#include "channels/xbox/GameRuntimeApi.h"

#include "core/StoreLibrary.h"

namespace Vyro::Gdk {

bool BindGameRuntimeApi(const StoreLibrary& library, GameRuntimeApi& api)
{
    // Every export is tried, so that the log names all the missing ones at once.
    bool bound = true;
#define VYRO_BIND_EXPORT(name) bound &= library.Bind(#name, api.name);
    VYRO_GAME_RUNTIME_FUNCTIONS(VYRO_BIND_EXPORT)
#undef VYRO_BIND_EXPORT
    return bound;
}

} // namespace Vyro::Gdk
