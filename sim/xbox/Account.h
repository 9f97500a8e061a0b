#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "SimSettings.h"

namespace Vyro::XboxSim {

// The user local id of the one account, the same for every handle of it.
inline constexpr std::uint64_t kAccountLocalId = 1;

// The one account of the simulated device: signed in silently until the system signs it out.
struct Account {
    bool signedIn = true;
    // Counts the tokens issued: a ForceRefresh gets a fresh one, other requests the current one.
    std::uint64_t tokenSerial = 0;
};

// One token request's answer, copied into the caller's buffer by XUserGetTokenAndSignatureResult.
struct TokenAndSignature {
    std::string token;
    std::optional<std::string> signature;
};

// The token texts of the next request: fresh ones for a refresh (or the first request).
TokenAndSignature IssueToken(Account& account, const Settings& settings, bool forceRefresh);

} // namespace Vyro::XboxSim
