#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "channels/google/BillingClient.h"
#include "channels/google/GoogleApi.h"
#include "channels/google/PlayRequest.h"
#include "core/BaseChannelSDK.h"
#include "core/StoreLibrary.h"

namespace Vyro {

// The channel of a game running under Google Play Games for PC: SDK initialisation, a local sign-in
// answer, and the billing client's catalogue, purchase flow, owned purchases and consumption. Billing
// requests are answered from the SDK's completions, on the SDK's threads.
class GoogleChannelSDK : public BaseChannelSDK {
public:
    // Binds play_pc_sdk.dll beside the library on first use and keeps it loaded for the process:
    // the SDK's own threads may still be running completions when the channel goes.
    GoogleChannelSDK();
    // For tests: a given SDK.
    explicit GoogleChannelSDK(LazyStoreApi<PlayGames::PlayGamesApi> api);
    ~GoogleChannelSDK() override;

    int GetChannelType() override;
    void Load(const char* params, ResultCallback cb) override;
    void Init(const char* params, ResultCallback cb) override;
    void Tick() override;
    void Login(const char* params, ResultCallback cb) override;
    void Products(const char* params, ResultCallback cb) override;
    void Checkout(const char* params, ResultCallback cb) override;
    void CheckEntitlements(const char* params, ResultCallback cb) override;
    void Consume(const char* params, ResultCallback cb) override;

    // The names one billing operation logs under and its last-resort answer.
    struct BillingOperation {
        const char* request;       // the channel operation, e.g. "Products"
        const char* sdkCall;       // the SDK call, e.g. "QueryProductDetails"
        const char* internalError; // the answer when building or sending the reply fails
    };

private:
    PlayGames::PlayResult<PlayGames::NoValue> InitializeSdk(const PlayGames::PlayGamesApi& api);
    // Logs and answers the refusal when there is no billing client yet.
    bool RefuseWithoutClient(const BillingOperation& operation, ResultCallback cb);

    LazyStoreApi<PlayGames::PlayGamesApi> api_;
    bool initialised_ = false;
    std::unique_ptr<PlayGames::BillingClient> billingClient_;
};

} // namespace Vyro
