#pragma once

#include <string>

#include "channels/xbox/GameRuntimeApi.h"

namespace Vyro {

// An HRESULT as every Xbox log line and message writes it: "0x" and eight upper-case hex digits of
// its unsigned value, as in 0x89240101.
std::string HResultText(Gdk::HResult result);

// The ERROR line of a failed GDK call: "<call> failed: 0x…".
void LogFailedCall(const char* call, Gdk::HResult result);

} // namespace Vyro
