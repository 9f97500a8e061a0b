// The ecom interface: offers, checkout and entitlements. Queries answer from the catalogue and the
// entitlements as they are when the query completes; counts and copies read what the last
// successful query of that user on that platform answered, as the SDK's cache does.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "Calls.h"
#include "EosSim.h"
#include "Releases.h"

using namespace Vyro::EosSim;
namespace Eos = Vyro::Eos;

namespace {

template <typename Options>
Eos::EpicAccountId UserOf(const Options* options)
{
    return options == nullptr ? nullptr : options->localUserId;
}

// The programmed results, for a user who is logged in; others are turned down.
ResultSequence ForLoggedInUser(const Runtime& runtime, const ResultSequence& programmed, nlohmann::json& entry)
{
    if (runtime.account.status == Eos::kLoggedIn) {
        return programmed;
    }
    entry["userRefused"] = "not logged in";
    return {Results::kInvalidAuth};
}

// The checks every ecom call makes of its options.
template <typename Options>
bool AcceptsUserOptions(Call& call, const Options* options, std::int32_t apiVersion)
{
    return call.Accepts(options, apiVersion) && call.KnownAccount(options->localUserId, "LocalUserId");
}

Settle SettleOffers(void* clientData, Eos::OnQueryOffersCallback* completion, Eos::EpicAccountId user)
{
    return [=](SimState& state, Platform& platform, Eos::EResult result, nlohmann::json&) -> GameCall {
        if (result == Results::kSuccess) {
            platform.queriedOffers[user] = state.runtime.catalogue;
        }
        return [=] {
            const Eos::QueryOffersCallbackInfo info{result, clientData, user};
            completion(&info);
        };
    };
}

// The offer ids of a checkout's entries, as far as the SDK reads them.
std::vector<std::string> OfferIdsOf(const Eos::CheckoutOptions* options)
{
    std::vector<std::string> ids;
    for (std::uint32_t i = 0; options != nullptr && options->entries != nullptr && i < options->entryCount &&
                              i < kMaxCheckoutEntries;
         ++i) {
        if (options->entries[i].offerId != nullptr) {
            ids.emplace_back(options->entries[i].offerId);
        }
    }
    return ids;
}

bool AcceptsEntries(Call& call, const Eos::CheckoutOptions& options)
{
    if (!call.Requires(options.entries != nullptr && options.entryCount >= 1 && options.entryCount <= kMaxCheckoutEntries,
                       "a checkout takes 1 to " + std::to_string(kMaxCheckoutEntries) + " entries")) {
        return false;
    }
    for (std::uint32_t i = 0; i < options.entryCount; ++i) {
        if (!call.AcceptsVersion(&options.entries[i].apiVersion, Eos::kCheckoutEntryApi, "entry") ||
            !call.Requires(!IsEmpty(options.entries[i].offerId), "an entry without an offer id")) {
            return false;
        }
    }
    return true;
}

// An offer that is not in the catalogue fails the way the store's checkout page does when it
// cannot load the offer, whatever is programmed; only a checkout that runs as programmed is held.
std::optional<AsyncStart> DecideCheckout(Call& call, const Eos::CheckoutOptions* options)
{
    if (!AcceptsUserOptions(call, options, Eos::kCheckoutApi) || !AcceptsEntries(call, *options)) {
        return std::nullopt;
    }
    const Runtime& runtime = call.Rt();
    bool known = true;
    for (const std::string& offerId : OfferIdsOf(options)) {
        if (known && !HasOffer(runtime.catalogue, offerId)) {
            call.Entry()["unknownOffer"] = offerId;
            known = false;
        }
    }
    const ResultSequence programmed = known ? runtime.settings.checkoutResult : ResultSequence{Results::kCheckoutLoadError};
    ResultSequence results = ForLoggedInUser(runtime, programmed, call.Entry());
    const bool held = known && runtime.account.status == Eos::kLoggedIn && runtime.settings.holdCheckouts;
    return AsyncStart{std::move(results), held};
}

// A successful checkout grants one entitlement per offer bought.
Settle SettleCheckout(void* clientData, Eos::OnCheckoutCallback* completion, Eos::EpicAccountId user,
                      std::vector<std::string> offerIds)
{
    return [=](SimState& state, Platform&, Eos::EResult result, nlohmann::json& entry) -> GameCall {
        Text transactionId;
        if (result == Results::kSuccess) {
            Runtime& runtime = state.runtime;
            transactionId = Numbered("sim-txn-", ++runtime.checkoutsMade);
            for (const std::string& offerId : offerIds) {
                runtime.entitlements.push_back(PurchasedEntitlement(offerId, ++runtime.entitlementsGranted,
                                                                    static_cast<std::int32_t>(runtime.entitlements.size())));
            }
            entry["transactionId"] = *transactionId;
        }
        return [=] {
            const Eos::CheckoutCallbackInfo info{result, clientData, user, PointerOf(transactionId)};
            completion(&info);
        };
    };
}

// What an entitlement query asks for, as far as the SDK reads it.
struct EntitlementQuery {
    std::vector<std::string> names;
    bool includeRedeemed = false;
};

EntitlementQuery QueryOf(const Eos::QueryEntitlementsOptions* options)
{
    EntitlementQuery query;
    if (options == nullptr) {
        return query;
    }
    query.includeRedeemed = options->includeRedeemed == Eos::kTrue;
    for (std::uint32_t i = 0; options->entitlementNames != nullptr && i < options->entitlementNameCount &&
                              i < kMaxEntitlementNames;
         ++i) {
        if (options->entitlementNames[i] != nullptr) {
            query.names.emplace_back(options->entitlementNames[i]);
        }
    }
    return query;
}

bool AcceptsNames(Call& call, const Eos::QueryEntitlementsOptions& options)
{
    return call.Requires(options.entitlementNameCount <= kMaxEntitlementNames,
                         "more than " + std::to_string(kMaxEntitlementNames) + " entitlement names") &&
           call.Requires(options.entitlementNameCount == 0 || options.entitlementNames != nullptr,
                         "EntitlementNameCount without EntitlementNames");
}

Settle SettleEntitlements(void* clientData, Eos::OnQueryEntitlementsCallback* completion, Eos::EpicAccountId user,
                          EntitlementQuery query)
{
    return [=](SimState& state, Platform& platform, Eos::EResult result, nlohmann::json&) -> GameCall {
        if (result == Results::kSuccess) {
            platform.queriedEntitlements[user] = MatchingEntitlements(state.runtime.entitlements, query.names, query.includeRedeemed);
        }
        return [=] {
            const Eos::QueryEntitlementsCallbackInfo info{result, clientData, user};
            completion(&info);
        };
    };
}

const std::vector<SimOffer>& Items(const Catalogue& catalogue) { return *catalogue; }
const Entitlements& Items(const Entitlements& entitlements) { return entitlements; }

// What the last successful query of the options' user answered on the ecom interface; null before
// any, or when the call is refused.
template <typename Options, typename Answers>
const Answers* QueriedFor(Call& call, Eos::HEcom ecom, const Options* options, std::int32_t apiVersion,
                          std::map<Eos::EpicAccountId, Answers> Platform::*queried)
{
    Platform* platform = call.Admitted(Needs::Initialised) ? call.Resolve(ecom) : nullptr;
    if (platform == nullptr || !AcceptsUserOptions(call, options, apiVersion)) {
        return nullptr;
    }
    const auto found = (platform->*queried).find(options->localUserId);
    return found == (platform->*queried).end() ? nullptr : &found->second;
}

template <typename Options, typename Answers>
std::uint32_t CountQueried(const char* function, Eos::HEcom ecom, const Options* options, std::int32_t apiVersion,
                           std::map<Eos::EpicAccountId, Answers> Platform::*queried)
{
    return JournalledCall(function, {}, [&](Call& call) {
        const Answers* answers = QueriedFor(call, ecom, options, apiVersion, queried);
        return call.Returns(static_cast<std::uint32_t>(answers == nullptr ? 0 : Items(*answers).size()));
    });
}

// A copy of one answer of the last query, by index: EOS_NotFound outside the answers, or the
// programmed failure of that index.
template <typename Options, typename Record, typename Answers>
Eos::EResult CopyQueried(const char* function, Eos::HEcom ecom, const Options* options, std::int32_t apiVersion,
                         std::uint32_t index, Record** out, std::map<Eos::EpicAccountId, Answers> Platform::*queried,
                         std::map<std::uint32_t, Eos::EResult> Settings::*failures)
{
    if (out != nullptr) {
        *out = nullptr;
    }
    return JournalledCall(function, {}, [&](Call& call) {
        if (!call.Admitted(Needs::Initialised)) {
            return call.Returns(Results::kNotConfigured);
        }
        const Answers* answers = QueriedFor(call, ecom, options, apiVersion, queried);
        if (call.HasMisuse() || !call.Requires(out != nullptr, "null out pointer")) {
            return call.Returns(Results::kInvalidParameters);
        }
        const auto& programmed = call.Rt().settings.*failures;
        if (const auto failure = programmed.find(index); failure != programmed.end()) {
            return call.Returns(failure->second);
        }
        if (answers == nullptr || index >= Items(*answers).size()) {
            return call.Returns(Results::kNotFound);
        }
        *out = call.State().copies.Add(Items(*answers)[index], function);
        call.Entry()["copy"] = *call.State().copies.NumberOf(*out);
        return call.Returns(Results::kSuccess);
    });
}

template <typename Options>
std::uint32_t IndexOf(const Options* options, std::uint32_t Options::*index)
{
    return options == nullptr ? 0 : options->*index;
}

} // namespace

extern "C" {

void EOS_Ecom_QueryOffers(Eos::HEcom ecom, const Eos::QueryOffersOptions* options, void* clientData,
                          Eos::OnQueryOffersCallback* completion)
{
    StartAsync("EOS_Ecom_QueryOffers", ecom, clientData, completion, SettleOffers(clientData, completion, UserOf(options)),
               [&](Call& call) -> std::optional<AsyncStart> {
                   if (!AcceptsUserOptions(call, options, Eos::kQueryOffersApi)) {
                       return std::nullopt;
                   }
                   return AsyncStart{ForLoggedInUser(call.Rt(), call.Rt().settings.queryOffersResult, call.Entry())};
               });
}

std::uint32_t EOS_Ecom_GetOfferCount(Eos::HEcom ecom, const Eos::GetOfferCountOptions* options)
{
    return CountQueried("EOS_Ecom_GetOfferCount", ecom, options, Eos::kGetOfferCountApi, &Platform::queriedOffers);
}

Eos::EResult EOS_Ecom_CopyOfferByIndex(Eos::HEcom ecom, const Eos::CopyOfferByIndexOptions* options, Eos::CatalogOffer** outOffer)
{
    return CopyQueried("EOS_Ecom_CopyOfferByIndex", ecom, options, Eos::kCopyOfferByIndexApi,
                       IndexOf(options, &Eos::CopyOfferByIndexOptions::offerIndex), outOffer, &Platform::queriedOffers,
                       &Settings::offerCopyFailures);
}

void EOS_Ecom_CatalogOffer_Release(Eos::CatalogOffer* offer)
{
    ReleaseCopy("EOS_Ecom_CatalogOffer_Release", offer, CopyKind::CatalogOffer);
}

void EOS_Ecom_Checkout(Eos::HEcom ecom, const Eos::CheckoutOptions* options, void* clientData, Eos::OnCheckoutCallback* completion)
{
    StartAsync("EOS_Ecom_Checkout", ecom, clientData, completion,
               SettleCheckout(clientData, completion, UserOf(options), OfferIdsOf(options)),
               [&](Call& call) { return DecideCheckout(call, options); });
}

void EOS_Ecom_QueryEntitlements(Eos::HEcom ecom, const Eos::QueryEntitlementsOptions* options, void* clientData,
                                Eos::OnQueryEntitlementsCallback* completion)
{
    StartAsync("EOS_Ecom_QueryEntitlements", ecom, clientData, completion,
               SettleEntitlements(clientData, completion, UserOf(options), QueryOf(options)),
               [&](Call& call) -> std::optional<AsyncStart> {
                   if (!AcceptsUserOptions(call, options, Eos::kQueryEntitlementsApi) || !AcceptsNames(call, *options)) {
                       return std::nullopt;
                   }
                   return AsyncStart{ForLoggedInUser(call.Rt(), call.Rt().settings.queryEntitlementsResult, call.Entry())};
               });
}

std::uint32_t EOS_Ecom_GetEntitlementsCount(Eos::HEcom ecom, const Eos::GetEntitlementsCountOptions* options)
{
    return CountQueried("EOS_Ecom_GetEntitlementsCount", ecom, options, Eos::kGetEntitlementsCountApi,
                        &Platform::queriedEntitlements);
}

Eos::EResult EOS_Ecom_CopyEntitlementByIndex(Eos::HEcom ecom, const Eos::CopyEntitlementByIndexOptions* options,
                                             Eos::Entitlement** outEntitlement)
{
    return CopyQueried("EOS_Ecom_CopyEntitlementByIndex", ecom, options, Eos::kCopyEntitlementByIndexApi,
                       IndexOf(options, &Eos::CopyEntitlementByIndexOptions::entitlementIndex), outEntitlement,
                       &Platform::queriedEntitlements, &Settings::entitlementCopyFailures);
}

void EOS_Ecom_Entitlement_Release(Eos::Entitlement* entitlement)
{
    ReleaseCopy("EOS_Ecom_Entitlement_Release", entitlement, CopyKind::Entitlement);
}

} // extern "C"
