#include "SimSettings.h"

#include <map>

namespace Vyro::PlayGamesSim {

SimResult BillingFailure(std::int32_t code) { return {code, DefaultBillingMessage(code)}; }

std::string DefaultBillingMessage(std::int32_t code)
{
    static const std::map<std::int32_t, std::string> messages{
        {Codes::kUserCanceled, "The user canceled the purchase"},
        {Codes::kServiceUnavailable, "The Play Games service is unavailable"},
        {Codes::kBillingUnavailable, "Billing is unavailable for this account"},
        {Codes::kItemUnavailable, "Item unavailable"},
        {Codes::kDeveloperError, "Developer error: invalid arguments"},
        {Codes::kError, "An error occurred during the billing request"},
        {Codes::kItemAlreadyOwned, "Item already owned"},
        {Codes::kItemNotOwned, "Item not owned"},
    };
    const auto found = messages.find(code);
    return found != messages.end() ? found->second : "Billing request failed (code " + std::to_string(code) + ")";
}

std::optional<std::string> DefaultInitMessage(std::int32_t code)
{
    if (code == Codes::kOk) {
        return std::nullopt;
    }
    return "Play Games initialisation failed (code " + std::to_string(code) + ")";
}

} // namespace Vyro::PlayGamesSim
