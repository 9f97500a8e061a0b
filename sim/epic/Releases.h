#pragma once

#include "Copies.h"

namespace Vyro::EosSim {

// Releases a copy the SDK handed out, by one of the release functions: `function` for records of
// `kind`. Null is allowed and does nothing; a pointer that names no live copy of that kind (released
// already, never handed out, or a record of another kind) is misuse and frees nothing.
void ReleaseCopy(const char* function, const void* record, CopyKind kind);

} // namespace Vyro::EosSim
