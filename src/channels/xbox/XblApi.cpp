#include "channels/xbox/XblApi.h"

#include "core/StoreLibrary.h"

namespace Vyro::Xbl {

bool BindXblApi(const StoreLibrary& library, XblApi& api)
{
    bool bound = true;
    bound &= library.Bind("XblInitialize", api.XblInitialize);
    bound &= library.Bind("XblCleanupAsync", api.XblCleanupAsync);
    bound &= library.Bind("XblContextCreateHandle", api.XblContextCreateHandle);
    bound &= library.Bind("XblContextCloseHandle", api.XblContextCloseHandle);
    return bound;
}

} // namespace Vyro::Xbl
