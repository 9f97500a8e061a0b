#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "ResultNames.h"

namespace Vyro::EosSim {

// The results one asynchronous call is delivered with, one per delivery: every result that is not
// complete (see IsOperationComplete) is followed by the next one a Tick later; the last one repeats.
// Never empty.
using ResultSequence = std::vector<Eos::EResult>;

// What the simulated SDK answers; "set" changes it, "reset" restores these defaults.
struct Settings {
    Eos::EResult initializeResult = Results::kSuccess;
    bool platformCreateFails = false;
    // Ticks of the platform that pass before a completion is due: 0 delivers at the first Tick after
    // the call.
    std::uint32_t delayTicks = 0;
    // The results of the next login attempts, one entry per attempt in call order; `loginDefault`
    // once they are used up.
    std::deque<ResultSequence> loginResults;
    ResultSequence loginDefault{Results::kSuccess};
    // A refresh-token login must present the account's current refresh token.
    bool refreshTokenCheck = true;
    // Results besides EOS_OperationWillRetry that EOS_EResult_IsOperationComplete calls incomplete.
    std::set<Eos::EResult> incompleteResults;
    ResultSequence queryOffersResult{Results::kSuccess};
    ResultSequence checkoutResult{Results::kSuccess};
    bool holdCheckouts = false;
    ResultSequence queryEntitlementsResult{Results::kSuccess};
    // A non-zero result fails every EOS_Auth_CopyUserAuthToken with it.
    Eos::EResult copyTokenResult = Results::kSuccess;
    std::set<std::string> tokenNullTexts; // names from kTokenTexts
    Eos::EResult accountIdToStringResult = Results::kSuccess;
    // Copies that fail, by index, with their result.
    std::map<std::uint32_t, Eos::EResult> offerCopyFailures;
    std::map<std::uint32_t, Eos::EResult> entitlementCopyFailures;
    // The SDK's own log lines (platform creation, failed logins) go to the log callback.
    bool sdkLogging = true;
};

} // namespace Vyro::EosSim
