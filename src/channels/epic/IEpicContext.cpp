#include "channels/epic/IEpicContext.h"

#include "channels/epic/EosText.h"
#include "common/Logger.h"

namespace Vyro {

bool IEpicContext::CopyUserAuthToken(std::string& accountId, std::string& accessToken, std::string& refreshToken)
{
    const Eos::HPlatform platform = GetPlatform();
    const Eos::EpicAccountId account = GetAccountId();
    if (platform == nullptr || account == nullptr) {
        return false;
    }
    const Eos::EosApi& api = Api();
    const Eos::CopyUserAuthTokenOptions options{Eos::kCopyUserAuthTokenApi};
    Eos::AuthToken* token = nullptr;
    const Eos::EResult result = api.authCopyUserAuthToken(api.platformGetAuthInterface(platform), &options, account, &token);
    if (result == Eos::kSuccess && token != nullptr) {
        accountId = Eos::AccountIdToString(api, token->accountId);
        accessToken = Eos::TextOrEmpty(token->accessToken);
        refreshToken = Eos::TextOrEmpty(token->refreshToken);
        api.authTokenRelease(token);
        return true;
    }
    if (token != nullptr) {
        api.authTokenRelease(token); // a copy handed out with a failure is still ours to release
    }
    Log(LogLevel::Warning, "[IEpicContext] CopyUserAuthToken failed: {}", Eos::ResultName(api, result));
    return false;
}

} // namespace Vyro
