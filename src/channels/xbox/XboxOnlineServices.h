#pragma once

#include <string>

#include "VyroChannel.h"
#include "channels/xbox/XboxServicesFeature.h"

namespace Vyro {

// What the signed-in player may do: a user privilege checked at once, a missing privilege resolved
// through the system dialog, and a batch of permissions towards other users. Completions reach the
// channel only, never this object: a sign-out may destroy it while a call is in flight.
class XboxOnlineServices : public XboxServicesFeature {
public:
    explicit XboxOnlineServices(IXboxContext* context);

    // {"xbox": {"privilege"}} -> {"xbox": {"hasPrivilege", "privilege", "denyReason"}}, answered at once.
    void CheckPrivilege(const std::string& params, ResultCallback cb);
    // {"xbox": {"privilege"}} -> {"xbox": {"resolved": true, "privilege"}}, or -1 "Privilege not resolved".
    void ResolvePrivilege(const std::string& params, ResultCallback cb);
    // {"xbox": {"account_id": [...], "permission": [...], "anonymous": [...]}}
    // -> {"xbox": {"permissions": [{"is_allowed", "account_id", "permission", "anonymous", "reason"?}]}}.
    void CheckPermission(const std::string& params, ResultCallback cb);

private:
    void HandlePrivilegeResolve(std::uint32_t privilege, const std::string& requestId, ResultCallback cb);
};

} // namespace Vyro
