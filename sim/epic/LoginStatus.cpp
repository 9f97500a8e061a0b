#include "LoginStatus.h"

#include "Account.h"

namespace Vyro::EosSim {

namespace {

constexpr char kNotification[] = "LoginStatusChanged";

// The handler may be removed before its notification is due: then nobody is called.
Settle NotifyHandler(const LoginStatusHandler& handler, Eos::LoginStatus previous, Eos::LoginStatus current)
{
    return [=](SimState&, Platform& platform, Eos::EResult, nlohmann::json& entry) -> GameCall {
        entry["notificationId"] = handler.id;
        entry["prevStatus"] = previous;
        entry["currentStatus"] = current;
        if (!platform.HasHandler(handler.id)) {
            entry["skipped"] = "handler removed";
            return {};
        }
        return [=] {
            const Eos::LoginStatusChangedCallbackInfo info{handler.clientData, AccountHandle(), previous, current};
            handler.handler(&info);
        };
    };
}

} // namespace

std::size_t ChangeLoginStatus(Runtime& runtime, Eos::LoginStatus status)
{
    const Eos::LoginStatus previous = runtime.account.status;
    runtime.account.status = status;
    if (previous == status) {
        return 0;
    }
    std::size_t queued = 0;
    for (auto& [number, platform] : runtime.platforms.All()) {
        for (const LoginStatusHandler& handler : platform.loginStatusHandlers) {
            platform.Queue({0, kNotification, handler.clientData, {}, 0, 0, false, NotifyHandler(handler, previous, status)}, 0);
            ++queued;
        }
    }
    return queued;
}

void SignIn(Runtime& runtime)
{
    runtime.account.IssueTokens();
    ChangeLoginStatus(runtime, Eos::kLoggedIn);
}

} // namespace Vyro::EosSim
