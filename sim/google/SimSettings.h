#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

namespace Vyro::PlayGamesSim {

// The result codes this runtime gives on its own; programmed results may carry any code.
namespace Codes {
enum : std::int32_t {
    kOk = 0,
    kUserCanceled = 1,
    kServiceUnavailable = 2,
    kBillingUnavailable = 3,
    kItemUnavailable = 4,
    kDeveloperError = 5,
    kError = 6,
    kItemAlreadyOwned = 7,
    kItemNotOwned = 8,
};
} // namespace Codes

inline constexpr char kInvalidClientMessage[] = "Billing client is not valid";

// A result as the runtime will hand it to a completion: no message is a null pointer.
struct SimResult {
    std::int32_t code = Codes::kOk;
    std::optional<std::string> message;
};

// The billing result of `code` with the text the runtime gives for it.
SimResult BillingFailure(std::int32_t code);
// The text the runtime gives for a billing code when none was programmed.
std::string DefaultBillingMessage(std::int32_t code);
// The message of an initialisation result when none was programmed: none for success.
std::optional<std::string> DefaultInitMessage(std::int32_t code);

enum class CompletionMode { Sync, Thread };

// How completions reach the game.
struct Timing {
    CompletionMode mode = CompletionMode::Thread;
    std::chrono::milliseconds delay{0};
};

enum class FlowOutcome { Success, Cancel, Fail, Never };

struct PurchaseFlowSetting {
    FlowOutcome outcome = FlowOutcome::Success;
    SimResult result; // what Cancel and Fail answer
};

// What the simulated runtime answers; "set" changes it, "reset" restores these defaults.
struct Settings {
    SimResult init;
    Timing timing;
    PurchaseFlowSetting purchaseFlow;
    std::optional<SimResult> queryProductsFailure;
    std::optional<SimResult> queryPurchasesFailure;
    std::optional<SimResult> consumeFailure;
};

} // namespace Vyro::PlayGamesSim
