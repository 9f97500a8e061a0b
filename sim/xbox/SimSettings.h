#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>

#include "HResults.h"

namespace Vyro::XboxSim {

// How one asynchronous call completes: its HRESULT, and how long its work runs on the worker (none:
// the general `workDelayMs`).
struct Outcome {
    HResult result = Results::kOk;
    std::optional<std::uint32_t> delayMs;
};

// The outcomes of the next calls, one per call in call order, then `fallback` once they are used up.
struct OutcomeList {
    std::deque<Outcome> next;
    Outcome fallback;

    Outcome Take()
    {
        if (next.empty()) {
            return fallback;
        }
        Outcome taken = next.front();
        next.pop_front();
        return taken;
    }
};

// Where new asynchronous work stops until "releaseWork": nowhere, queued on the work port before it
// starts (a termination cancels it), or running on its worker (a termination waits for it).
enum class HoldWork { None, Queued, Running };

inline constexpr std::uint64_t kDefaultXuid = 2533274936810592;
inline constexpr char kDefaultGamertag[] = "Lumen Drift 27";
inline constexpr std::uint32_t kDefaultTitleId = 0x5A7E3C19;
inline constexpr char kDefaultSandboxId[] = "XDKS.1";
inline constexpr char kDefaultSignature[] = "AAAAAQHbRpuS0ttlbRQ1XeAdyCAzp8zJkvKDs5bJvsHNAFdpNbOyFjLP6QA+cQ2ORdRjYxnnAfMWBmHZB8Q1RXDCxOuOK8LT9UlbYQ==";

// What the simulated runtime answers; "set" changes it, "reset" restores these defaults.
struct Settings {
    HResult initializeResult = Results::kOk;
    std::uint32_t workDelayMs = 0;
    HoldWork holdWork = HoldWork::None;
    // How long a blocking call waits for something only another thread can bring before it gives
    // up (misuse): the real runtime would wait for ever.
    std::uint32_t waitLimitMs = 10000;

    std::uint64_t xuid = kDefaultXuid;
    std::string gamertag = kDefaultGamertag;
    bool storeUser = true;

    OutcomeList addUser;
    HResult tokenStartResult = Results::kOk;
    OutcomeList token;
    HResult tokenResultSizeResult = Results::kOk;
    HResult tokenResultResult = Results::kOk;
    std::optional<std::string> tokenText; // none: XBL3.0 text made from the account and its token serial
    std::optional<std::string> signature = std::string(kDefaultSignature); // none: no signature

    HResult storeContextResult = Results::kOk;
    std::uint32_t titleId = kDefaultTitleId;
    HResult titleIdResult = Results::kOk;
    std::string sandboxId = kDefaultSandboxId;
    HResult sandboxIdResult = Results::kOk;

    HResult xblInitializeResult = Results::kOk;
    HResult xblContextResult = Results::kOk;
};

} // namespace Vyro::XboxSim
