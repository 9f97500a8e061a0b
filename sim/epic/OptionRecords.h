#pragma once

// Option records as the journal shows them: every field by name, texts as received (null as null),
// other pointers as null or "non-null", and a null record as null.
#include <cstdint>

#include <nlohmann/json.hpp>

#include "channels/epic/EosApi.h"

namespace Vyro::EosSim {

// The most entries a checkout takes, and the most names an entitlement query takes.
inline constexpr std::uint32_t kMaxCheckoutEntries = 10;
inline constexpr std::uint32_t kMaxEntitlementNames = 256;

// Any pointer, to data or to a function.
template <typename Pointee>
nlohmann::json DescribePointer(Pointee* pointer)
{
    return pointer == nullptr ? nlohmann::json() : nlohmann::json("non-null");
}
// The client data of a call, as the opaque number it is to the SDK.
nlohmann::json DescribeClientData(const void* clientData);

nlohmann::json DescribeOptions(const Eos::InitializeOptions* options);
nlohmann::json DescribeOptions(const Eos::PlatformOptions* options);
nlohmann::json DescribeOptions(const Eos::AuthLoginOptions* options);
nlohmann::json DescribeOptions(const Eos::CopyUserAuthTokenOptions* options);
nlohmann::json DescribeOptions(const Eos::AddNotifyLoginStatusChangedOptions* options);
nlohmann::json DescribeOptions(const Eos::QueryOffersOptions* options);
nlohmann::json DescribeOptions(const Eos::GetOfferCountOptions* options);
nlohmann::json DescribeOptions(const Eos::CopyOfferByIndexOptions* options);
// The entries are read only up to kMaxCheckoutEntries, as the SDK refuses more.
nlohmann::json DescribeOptions(const Eos::CheckoutOptions* options);
// The names are read only up to kMaxEntitlementNames, as the SDK refuses more.
nlohmann::json DescribeOptions(const Eos::QueryEntitlementsOptions* options);
nlohmann::json DescribeOptions(const Eos::GetEntitlementsCountOptions* options);
nlohmann::json DescribeOptions(const Eos::CopyEntitlementByIndexOptions* options);

} // namespace Vyro::EosSim
