#pragma once

#include "channels/xbox/GameRuntimeApi.h"

namespace Vyro::XboxHelper {

// Sets the process's COM security before the Gaming Runtime starts (authentication level default,
// impersonation level identify); a failure is logged and returned. A POSIX build has no COM and
// answers success.
Gdk::HResult InitializeComSecurity();

// Whether the device is a gaming handheld, as Windows reports the device form; false when Windows
// cannot tell, and on POSIX.
bool IsDeviceHandheld();

} // namespace Vyro::XboxHelper
