#include "Account.h"

#include <cstdio>

namespace Vyro::XboxSim {

namespace {

// The user hash of the account's XBL3.0 authorisation: in the real service, a number that names the
// user to the relying party.
constexpr char kUserHash[] = "12751929012543788015";
// A JWE header such as the service's tokens start with; the rest names the serial.
constexpr char kTokenHeader[] = "eyJlbmMiOiJBMTI4Q0JDK0hTMjU2IiwiYWxnIjoiUlNBLU9BRVAiLCJjdHkiOiJKV1QiLCJ6aXAiOiJERUYifQ";

std::string DefaultToken(std::uint64_t serial)
{
    char body[32];
    std::snprintf(body, sizeof body, ".sim-xsts-%04llu", static_cast<unsigned long long>(serial));
    return std::string("XBL3.0 x=") + kUserHash + ";" + kTokenHeader + body;
}

} // namespace

TokenAndSignature IssueToken(Account& account, const Settings& settings, bool forceRefresh)
{
    if (forceRefresh || account.tokenSerial == 0) {
        ++account.tokenSerial;
    }
    return {settings.tokenText.value_or(DefaultToken(account.tokenSerial)), settings.signature};
}

} // namespace Vyro::XboxSim
