#pragma once

namespace Vyro {

// Deletes a "gfxPluginEOSSDK.dll" beside the library: an engine's own EOS overlay plug-in left there
// would load a second EOS overlay into the game next to the one the EOS SDK brings.
void RemoveConflictingOverlayPlugin();

} // namespace Vyro
