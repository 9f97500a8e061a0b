#include "channels/epic/EosText.h"

#include <algorithm>

namespace Vyro::Eos {

std::string ResultName(const EosApi& api, EResult result) { return TextOrEmpty(api.resultToString(result)); }

std::string AccountIdToString(const EosApi& api, EpicAccountId accountId)
{
    if (api.accountIdIsValid(accountId) == kFalse) {
        return {};
    }
    char buffer[kEpicAccountIdBufferLength] = {};
    std::int32_t length = kEpicAccountIdBufferLength;
    if (api.accountIdToString(accountId, buffer, &length) != kSuccess) {
        return {};
    }
    // Never past the buffer, even when EOS leaves it unterminated.
    return std::string(buffer, std::find(buffer, buffer + kEpicAccountIdMaxLength, '\0'));
}

} // namespace Vyro::Eos
