#pragma once

#include <string>

namespace Vyro {

// The verdict of the launcher login, which Init reports.
struct LoginResult {
    bool success = false;
    int code = 0;              // the callback code Init answers a failure with
    std::string accountId;     // the account id text; empty on failure
    std::string message;       // the failure text; empty on success
    int thirdErrorCode = 0;    // the EOS result of the failure; 0 when none
    std::string eosResultString; // that result's name; empty when none
};

} // namespace Vyro
