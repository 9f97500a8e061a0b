#include "SimSettings.h"

namespace Vyro::PlayGamesSim {

SimResult BillingFailure(std::int32_t code) { return {code, DefaultBillingMessage(code)}; }

std::string DefaultBillingMessage(std::int32_t code)
{
    switch (code) {
    case Codes::kUserCanceled:
        return "The user canceled the purchase";
    case Codes::kServiceUnavailable:
        return "The Play Games service is unavailable";
    case Codes::kBillingUnavailable:
        return "Billing is unavailable for this account";
    case Codes::kItemUnavailable:
        return "Item unavailable";
    case Codes::kDeveloperError:
        return "Developer error: invalid arguments";
    case Codes::kError:
        return "An error occurred during the billing request";
    case Codes::kItemAlreadyOwned:
        return "Item already owned";
    case Codes::kItemNotOwned:
        return "Item not owned";
    default:
        return "Billing request failed (code " + std::to_string(code) + ")";
    }
}

std::optional<std::string> DefaultInitMessage(std::int32_t code)
{
    if (code == Codes::kOk) {
        return std::nullopt;
    }
    return "Play Games initialisation failed (code " + std::to_string(code) + ")";
}

} // namespace Vyro::PlayGamesSim
