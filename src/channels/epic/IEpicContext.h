#pragma once

#include <string>

#include "channels/epic/EosApi.h"
#include "channels/epic/LoginResult.h"

namespace Vyro {

// What the Epic channel's feature objects (sign-in, commerce) reach of the channel: the platform,
// the signed-in account, the event queue and the launcher login verdict.
class IEpicContext {
public:
    virtual ~IEpicContext() = default;
    // Null before Load and after Unload.
    virtual Eos::HPlatform GetPlatform() = 0;
    // Null until a login succeeds.
    virtual Eos::EpicAccountId GetAccountId() = 0;
    virtual void SetAccountId(Eos::EpicAccountId accountId) = 0;
    virtual void PostEvent(int type, int code, std::string json) = 0;
    virtual void OnLoginResult(const LoginResult& result) = 0;
    // The bound EOS functions; only to be used while GetPlatform() is not null.
    virtual const Eos::EosApi& Api() = 0;

    // The signed-in account's tokens. False (without a log line when nobody is signed in) when
    // EOS has none to give.
    bool CopyUserAuthToken(std::string& accountId, std::string& accessToken, std::string& refreshToken);
};

} // namespace Vyro
