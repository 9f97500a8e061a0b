#pragma once

#include <cstddef>

#include "Account.h"
#include "channels/xbox/GameRuntimeApi.h"

namespace Vyro::XboxSim {

// The buffer XUserGetTokenAndSignatureResult fills: the data record at its start, then the token and
// the signature, each with its terminator; `tokenSize` and `signatureSize` count the terminators, and
// a missing signature is null with size 0.
std::size_t TokenResultSize(const TokenAndSignature& answer);
// Lays the answer out in `buffer`, which holds TokenResultSize bytes and is aligned for the record.
Gdk::XUserGetTokenAndSignatureData* LayOutToken(const TokenAndSignature& answer, void* buffer);

} // namespace Vyro::XboxSim
