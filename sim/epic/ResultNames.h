#pragma once

#include "channels/epic/EosApi.h"

namespace Vyro::EosSim {

// EOS result codes the simulated SDK gives on its own; programmed results may be any number.
namespace Results {
inline constexpr Eos::EResult kSuccess = 0;
inline constexpr Eos::EResult kInvalidCredentials = 2;
inline constexpr Eos::EResult kInvalidUser = 3;
inline constexpr Eos::EResult kInvalidAuth = 4;
inline constexpr Eos::EResult kInvalidParameters = 10;
inline constexpr Eos::EResult kNotConfigured = 14;
inline constexpr Eos::EResult kAlreadyConfigured = 15;
inline constexpr Eos::EResult kNotFound = 18;
inline constexpr Eos::EResult kOperationWillRetry = 19;
inline constexpr Eos::EResult kLimitExceeded = 22;
inline constexpr Eos::EResult kInvalidRefreshToken = 1003;
inline constexpr Eos::EResult kCheckoutLoadError = 4004;
} // namespace Results

// The SDK's name of a result ("EOS_Success"), or "EOS_UnknownError" for a number it has no name
// for. Never null; the text lives for the whole process.
const char* ResultName(Eos::EResult result);

} // namespace Vyro::EosSim
