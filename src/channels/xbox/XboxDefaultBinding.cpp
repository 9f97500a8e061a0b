// Compiled once per library variant, with VYRO_XBOX_LINKED set to 1 for a linked one.
#include "channels/xbox/XboxBinding.h"

namespace Vyro {

XboxBinding DefaultXboxBinding()
{
#if VYRO_XBOX_LINKED
    return BindXboxLinked();
#else
    return BindXboxByName();
#endif
}

} // namespace Vyro
