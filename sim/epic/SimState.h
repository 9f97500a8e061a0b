#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "Account.h"
#include "Catalogue.h"
#include "Copies.h"
#include "Entitlements.h"
#include "Journal.h"
#include "Platforms.h"
#include "SharedState.h"
#include "SimSettings.h"
#include "Texts.h"

namespace Vyro::EosSim {

using Sim::Journal;
using Sim::JournalText;

enum class SdkState { NotInitialised, Initialised, ShutDown };

struct LogLine {
    Eos::LogLevel level;
    Text category;
    Text message;
};

struct Logging {
    Eos::LogMessageFunction* callback = nullptr;
    // Messages at this level or more severe (a lower number) are delivered; 0 turns logging off.
    Eos::LogLevel threshold = Eos::kLogWarning;
    std::vector<LogLine> queued; // the SDK's own lines, delivered once the lock is released
    std::uint64_t delivered = 0;
    std::uint64_t filtered = 0;
};

// What the simulated SDK knows about this process; "reset" starts it afresh.
struct Runtime {
    Settings settings;
    SdkState sdk = SdkState::NotInitialised;
    std::string productName; // from EOS_Initialize: the app of auth tokens
    Platforms platforms;
    Account account;
    Catalogue catalogue = DefaultCatalogue();
    Entitlements entitlements = DefaultEntitlements();
    Logging logging;
    Eos::NotificationId lastNotificationId = 0;
    std::uint64_t checkoutsMade = 0;       // numbers transactions
    std::uint64_t entitlementsGranted = 0; // numbers the entitlements checkouts grant
    std::uint64_t ticks = 0;         // every EOS_Platform_Tick call
    // Calls of the helpers that are counted instead of journalled, by name.
    std::map<std::string, std::uint64_t> helperCalls;
    Journal journal;
};

// The process-wide state: the runtime, and what outlives a "reset".
struct SimState {
    Runtime runtime;
    // Platform numbers are never reused in a process, so that a handle kept from before a reset is
    // not mistaken for a platform made after it.
    std::uint64_t lastPlatformNumber = 0;
    Copies copies;
};

// Runs `use` on the state with its lock held. `use` must not call game code (a completion, a
// notification handler, the log callback): game code may call straight back into the SDK.
template <typename Use>
auto WithState(Use&& use)
{
    return Sim::SharedState<SimState>::Instance().With(std::forward<Use>(use));
}

} // namespace Vyro::EosSim
