#pragma once

#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "channels/epic/EosApi.h"
#include "core/ChannelType.h"

namespace Vyro {

class IEpicContext;

// The Epic store operations through EOS e-commerce: the offer list with formatted prices, a
// checkout in the EOS purchase overlay, and the entitlements. Answered from the completions, inside
// Tick.
class EpicPayment {
public:
    explicit EpicPayment(IEpicContext* owner) : owner_(owner) {}
    ~EpicPayment();
    EpicPayment(const EpicPayment&) = delete;
    EpicPayment& operator=(const EpicPayment&) = delete;

    void QueryOffers(const char* params, ResultCallback cb);
    void Checkout(const char* params, ResultCallback cb);
    void QueryEntitlements(const char* params, ResultCallback cb);
    // Once the platform is gone EOS completes nothing more: the requests still pending are freed,
    // each answered when `answer` is set.
    void AbandonPendingRequests(bool answer);

    // One started EOS call, carried as its client data.
    struct PendingPurchaseRequest {
        EpicPayment* owner;
        ResultCallback cb;
        std::string requestId;
        std::string offerId; // Checkout only
    };

private:
    static void OnQueryOffers(const Eos::QueryOffersCallbackInfo* info);
    static void OnCheckout(const Eos::CheckoutCallbackInfo* info);
    static void OnQueryEntitlements(const Eos::QueryEntitlementsCallbackInfo* info);

    void CompleteQueryOffers(const Eos::QueryOffersCallbackInfo& info);
    void CompleteCheckout(const Eos::CheckoutCallbackInfo& info);
    void CompleteQueryEntitlements(const Eos::QueryEntitlementsCallbackInfo& info);
    nlohmann::json CopyOffers(Eos::HEcom ecom, Eos::EpicAccountId account);
    nlohmann::json CopyEntitlements(Eos::HEcom ecom, Eos::EpicAccountId account);
    nlohmann::json PurchaseResult(const PendingPurchaseRequest& request, const char* transactionId);
    // The account and the e-commerce interface when both a platform and a signed-in account exist.
    bool Ready(Eos::HEcom& ecom, Eos::EpicAccountId& account);
    // The request a completion finishes, or nothing while EOS is not done with it.
    std::optional<PendingPurchaseRequest> TakeCompleted(Eos::EResult result, void* clientData);
    void FailQuery(const char* operation, const PendingPurchaseRequest& request, Eos::EResult result);

    IEpicContext* owner_;
};

} // namespace Vyro
