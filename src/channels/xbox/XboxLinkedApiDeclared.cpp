// The linked tables of a build without the GDK: the vendor's functions declared from this library's
// own function types, so that they link against any library exporting those names with these
// records (the simulated GDK's static library). The GDK build uses XboxLinkedApiGdk.cpp instead.
#include <memory>

#include "channels/xbox/XboxLinkedApi.h"
#include "core/StoreLibrary.h"

extern "C" {
#define VYRO_DECLARE_RUNTIME_FUNCTION(name) Vyro::Gdk::name##_t name;
#define VYRO_DECLARE_XBL_FUNCTION(name) Vyro::Xbl::name##_t name;
VYRO_GAME_RUNTIME_FUNCTIONS(VYRO_DECLARE_RUNTIME_FUNCTION)
VYRO_XBL_FUNCTIONS(VYRO_DECLARE_XBL_FUNCTION)
#undef VYRO_DECLARE_RUNTIME_FUNCTION
#undef VYRO_DECLARE_XBL_FUNCTION
} // extern "C"

namespace Vyro::XboxLinked {

#define VYRO_LINK_FUNCTION(name) api.name = &::name;

Gdk::GameRuntimeApi RuntimeApi()
{
    Gdk::GameRuntimeApi api;
    VYRO_GAME_RUNTIME_FUNCTIONS(VYRO_LINK_FUNCTION)
    return api;
}

Xbl::XblApi ServicesApi()
{
    Xbl::XblApi api;
    VYRO_XBL_FUNCTIONS(VYRO_LINK_FUNCTION)
    return api;
}

#undef VYRO_LINK_FUNCTION

// What the platform's loader would do for delayed imports of the thunks library: load the copy beside
// the library (then by the default search) and resolve every function imported from it. The file
// stays loaded for the process, as the imports would keep it.
bool LoadServices()
{
    const std::unique_ptr<StoreLibrary> library = StoreLibrary::LoadBesideLibrary(Xbl::kServicesFileName);
    if (!library) {
        return false;
    }
    library->KeepLoadedForProcess();
    Xbl::XblApi imports;
    return Xbl::BindXblApi(*library, imports);
}

} // namespace Vyro::XboxLinked
