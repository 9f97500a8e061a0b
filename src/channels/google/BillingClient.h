#pragma once

#include "channels/google/GoogleApi.h"

namespace Vyro::PlayGames {

// The SDK's billing client: created with the box, destroyed with it.
class BillingClient {
public:
    explicit BillingClient(const PlayGamesApi& api) : api_(api), handle_(api.createBillingClient()) {}
    ~BillingClient() { api_.destroyBillingClient(handle_); }
    BillingClient(const BillingClient&) = delete;
    BillingClient& operator=(const BillingClient&) = delete;

    void* Handle() const { return handle_; }

private:
    const PlayGamesApi& api_;
    void* handle_;
};

} // namespace Vyro::PlayGames
