#include "OptionRecords.h"

#include <algorithm>

#include "Account.h"
#include "Journal.h"

namespace Vyro::EosSim {

namespace {

using Sim::JournalText;

template <typename Options, typename Fill>
nlohmann::json Describe(const Options* options, Fill fill)
{
    if (options == nullptr) {
        return nullptr;
    }
    nlohmann::json described{{"apiVersion", options->apiVersion}};
    fill(*options, described);
    return described;
}

nlohmann::json DescribeCredentials(const Eos::AuthCredentials* credentials)
{
    return Describe(credentials, [](const Eos::AuthCredentials& record, nlohmann::json& described) {
        described["id"] = JournalText(record.id);
        described["token"] = JournalText(record.token);
        described["type"] = record.type;
        described["systemAuthCredentialsOptions"] = DescribePointer(record.systemAuthCredentialsOptions);
        described["externalType"] = record.externalType;
    });
}

nlohmann::json DescribeEntries(const Eos::CheckoutEntry* entries, std::uint32_t count)
{
    if (entries == nullptr) {
        return nullptr;
    }
    nlohmann::json list = nlohmann::json::array();
    for (std::uint32_t i = 0; i < std::min(count, kMaxCheckoutEntries); ++i) {
        list.push_back({{"apiVersion", entries[i].apiVersion}, {"offerId", JournalText(entries[i].offerId)}});
    }
    return list;
}

nlohmann::json DescribeNames(const char* const* names, std::uint32_t count)
{
    if (names == nullptr) {
        return nullptr;
    }
    nlohmann::json list = nlohmann::json::array();
    for (std::uint32_t i = 0; i < std::min(count, kMaxEntitlementNames); ++i) {
        list.push_back(JournalText(names[i]));
    }
    return list;
}

// The records that name only the local user.
template <typename Options>
nlohmann::json DescribeUserOptions(const Options* options)
{
    return Describe(options, [](const Options& record, nlohmann::json& described) {
        described["localUserId"] = DescribeAccountId(record.localUserId);
    });
}

} // namespace

nlohmann::json DescribeClientData(const void* clientData) { return reinterpret_cast<std::uintptr_t>(clientData); }

nlohmann::json DescribeOptions(const Eos::InitializeOptions* options)
{
    return Describe(options, [](const Eos::InitializeOptions& record, nlohmann::json& described) {
        described["allocateMemoryFunction"] = DescribePointer(record.allocateMemoryFunction);
        described["reallocateMemoryFunction"] = DescribePointer(record.reallocateMemoryFunction);
        described["releaseMemoryFunction"] = DescribePointer(record.releaseMemoryFunction);
        described["productName"] = JournalText(record.productName);
        described["productVersion"] = JournalText(record.productVersion);
        described["reserved"] = DescribePointer(record.reserved);
        described["systemInitializeOptions"] = DescribePointer(record.systemInitializeOptions);
        described["overrideThreadAffinity"] = DescribePointer(record.overrideThreadAffinity);
    });
}

nlohmann::json DescribeOptions(const Eos::PlatformOptions* options)
{
    return Describe(options, [](const Eos::PlatformOptions& record, nlohmann::json& described) {
        described["reserved"] = DescribePointer(record.reserved);
        described["productId"] = JournalText(record.productId);
        described["sandboxId"] = JournalText(record.sandboxId);
        described["clientCredentials"] = {{"clientId", JournalText(record.clientCredentials.clientId)},
                                          {"clientSecret", JournalText(record.clientCredentials.clientSecret)}};
        described["isServer"] = record.isServer;
        described["encryptionKey"] = JournalText(record.encryptionKey);
        described["overrideCountryCode"] = JournalText(record.overrideCountryCode);
        described["overrideLocaleCode"] = JournalText(record.overrideLocaleCode);
        described["deploymentId"] = JournalText(record.deploymentId);
        described["flags"] = record.flags;
        described["cacheDirectory"] = JournalText(record.cacheDirectory);
        described["tickBudgetInMilliseconds"] = record.tickBudgetInMilliseconds;
        described["rtcOptions"] = DescribePointer(record.rtcOptions);
        described["integratedPlatformOptionsContainerHandle"] = DescribePointer(record.integratedPlatformOptionsContainerHandle);
        described["systemSpecificOptions"] = DescribePointer(record.systemSpecificOptions);
        described["taskNetworkTimeoutSeconds"] = DescribePointer(record.taskNetworkTimeoutSeconds);
    });
}

nlohmann::json DescribeOptions(const Eos::AuthLoginOptions* options)
{
    return Describe(options, [](const Eos::AuthLoginOptions& record, nlohmann::json& described) {
        described["credentials"] = DescribeCredentials(record.credentials);
        described["scopeFlags"] = record.scopeFlags;
        described["loginFlags"] = record.loginFlags;
    });
}

nlohmann::json DescribeOptions(const Eos::CopyUserAuthTokenOptions* options)
{
    return Describe(options, [](const auto&, nlohmann::json&) {});
}

nlohmann::json DescribeOptions(const Eos::AddNotifyLoginStatusChangedOptions* options)
{
    return Describe(options, [](const auto&, nlohmann::json&) {});
}

nlohmann::json DescribeOptions(const Eos::QueryOffersOptions* options)
{
    return Describe(options, [](const Eos::QueryOffersOptions& record, nlohmann::json& described) {
        described["localUserId"] = DescribeAccountId(record.localUserId);
        described["overrideCatalogNamespace"] = JournalText(record.overrideCatalogNamespace);
    });
}

nlohmann::json DescribeOptions(const Eos::GetOfferCountOptions* options) { return DescribeUserOptions(options); }

nlohmann::json DescribeOptions(const Eos::CopyOfferByIndexOptions* options)
{
    return Describe(options, [](const Eos::CopyOfferByIndexOptions& record, nlohmann::json& described) {
        described["localUserId"] = DescribeAccountId(record.localUserId);
        described["offerIndex"] = record.offerIndex;
    });
}

nlohmann::json DescribeOptions(const Eos::CheckoutOptions* options)
{
    return Describe(options, [](const Eos::CheckoutOptions& record, nlohmann::json& described) {
        described["localUserId"] = DescribeAccountId(record.localUserId);
        described["overrideCatalogNamespace"] = JournalText(record.overrideCatalogNamespace);
        described["entryCount"] = record.entryCount;
        described["entries"] = DescribeEntries(record.entries, record.entryCount);
        described["preferredOrientation"] = record.preferredOrientation;
    });
}

nlohmann::json DescribeOptions(const Eos::QueryEntitlementsOptions* options)
{
    return Describe(options, [](const Eos::QueryEntitlementsOptions& record, nlohmann::json& described) {
        described["localUserId"] = DescribeAccountId(record.localUserId);
        described["entitlementNames"] = DescribeNames(record.entitlementNames, record.entitlementNameCount);
        described["entitlementNameCount"] = record.entitlementNameCount;
        described["includeRedeemed"] = record.includeRedeemed;
        described["overrideCatalogNamespace"] = JournalText(record.overrideCatalogNamespace);
    });
}

nlohmann::json DescribeOptions(const Eos::GetEntitlementsCountOptions* options) { return DescribeUserOptions(options); }

nlohmann::json DescribeOptions(const Eos::CopyEntitlementByIndexOptions* options)
{
    return Describe(options, [](const Eos::CopyEntitlementByIndexOptions& record, nlohmann::json& described) {
        described["localUserId"] = DescribeAccountId(record.localUserId);
        described["entitlementIndex"] = record.entitlementIndex;
    });
}

} // namespace Vyro::EosSim
