#include "ControlReaders.h"

#include <algorithm>
#include <limits>
#include <set>
#include <string>

#include "Copies.h"

namespace Vyro::EosSim {

namespace {

using Sim::Assign;
using Sim::ControlFields;

constexpr std::int64_t kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t kUint32Max = std::numeric_limits<std::uint32_t>::max();
constexpr std::int64_t kInt64Min = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t kInt64Max = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMaxDelayTicks = 1000000;
constexpr std::int64_t kMaxGeneratedOffers = 100000;
constexpr std::size_t kMaxRawTextBytes = 4096;
constexpr std::uint32_t kProgrammedOfferTag = 0x0ff3c0de;
constexpr std::uint32_t kProgrammedEntitlementTag = 0xe1c0de00;
constexpr std::uint32_t kProgrammedItemTag = 0x17e3c0de;

constexpr char kSequenceRequirement[] = "a result (32-bit integer) or a non-empty array of results";

std::optional<std::int32_t> AsInt32(const nlohmann::json& value)
{
    if (!value.is_number_integer() || (value.is_number_unsigned() && value.get<std::uint64_t>() > kInt32Max)) {
        return std::nullopt;
    }
    const std::int64_t number = value.get<std::int64_t>();
    return number < kInt32Min || number > kInt32Max ? std::nullopt : std::optional(static_cast<std::int32_t>(number));
}

std::optional<ResultSequence> AsSequence(const nlohmann::json& value)
{
    if (const auto single = AsInt32(value)) {
        return ResultSequence{*single};
    }
    if (!value.is_array() || value.empty()) {
        return std::nullopt;
    }
    ResultSequence sequence;
    for (const nlohmann::json& element : value) {
        const auto result = AsInt32(element);
        if (!result) {
            return std::nullopt;
        }
        sequence.push_back(*result);
    }
    return sequence;
}

void ReadSequence(ControlFields& fields, const char* name, ResultSequence& target)
{
    Assign(fields.Parsed(name, AsSequence, kSequenceRequirement), target);
}

void ReadLoginResults(ControlFields& fields, Settings& settings)
{
    const nlohmann::json* entries = fields.Array("loginResults");
    if (entries == nullptr) {
        return;
    }
    std::deque<ResultSequence> results;
    for (const nlohmann::json& entry : *entries) {
        const auto sequence = AsSequence(entry);
        if (!sequence) {
            std::string requirement = "an array whose entries are each ";
            fields.Fail("loginResults", requirement.append(kSequenceRequirement));
            return;
        }
        results.push_back(*sequence);
    }
    settings.loginResults = std::move(results);
}

void ReadIncompleteResults(ControlFields& fields, Settings& settings)
{
    const nlohmann::json* results = fields.Array("incompleteResults");
    if (results == nullptr) {
        return;
    }
    std::set<Eos::EResult> incomplete;
    for (const nlohmann::json& value : *results) {
        const auto result = AsInt32(value);
        if (!result || *result == Results::kSuccess) {
            fields.Fail("incompleteResults", "an array of non-zero results");
            return;
        }
        incomplete.insert(*result);
    }
    settings.incompleteResults = std::move(incomplete);
}

void ReadTokenNullTexts(ControlFields& fields, Settings& settings)
{
    if (!fields.Has("tokenNullTexts")) {
        return;
    }
    std::set<std::string> names;
    const nlohmann::json& value = fields.Member("tokenNullTexts");
    for (const auto& [name, text] : kTokenTexts) {
        const bool listed = value.is_array() && std::find(value.begin(), value.end(), name) != value.end();
        if ((value.is_boolean() && value.get<bool>()) || listed) {
            names.insert(name);
        }
    }
    const bool namesAreKnown = value.is_array() && names.size() == value.size();
    if (!value.is_boolean() && !namesAreKnown) {
        fields.Fail("tokenNullTexts", "true, false or an array of distinct names among app, clientId, accessToken, expiresAt, "
                                      "refreshToken, refreshExpiresAt");
        return;
    }
    settings.tokenNullTexts = std::move(names);
}

// [{"index", "result"}]: copies that fail, by index.
void ReadCopyFailures(ControlFields& fields, const char* name, std::map<std::uint32_t, Eos::EResult>& target)
{
    const nlohmann::json* entries = fields.Array(name);
    std::map<std::uint32_t, Eos::EResult> failures;
    for (std::size_t i = 0; entries != nullptr && i < entries->size(); ++i) {
        ControlFields entry(fields, (*entries)[i], std::string(name) + "[" + std::to_string(i) + "]", {"index", "result"});
        entry.Require("index");
        entry.Require("result");
        const auto index = entry.Integer("index", 0, kUint32Max);
        const auto result = entry.Integer("result", kInt32Min, kInt32Max);
        if (result == Results::kSuccess) {
            entry.Fail("result", "a failure (not 0)");
        }
        if (index && result) {
            failures[static_cast<std::uint32_t>(*index)] = static_cast<Eos::EResult>(*result);
        }
    }
    if (entries != nullptr && !fields.Failed()) {
        target = std::move(failures);
    }
}

// A text field: a string, or null for a null pointer.
void ReadText(ControlFields& fields, const char* name, Text& target) { Assign(fields.StringOrNull(name), target); }

// An EOS boolean: true or false, or any 32-bit value as the SDK may hand it out.
void ReadBool32(ControlFields& fields, const char* name, Eos::Bool& target)
{
    if (fields.Has(name) && fields.Member(name).is_boolean()) {
        target = fields.Member(name).get<bool>() ? Eos::kTrue : Eos::kFalse;
    } else if (fields.Has(name) && !AsInt32(fields.Member(name))) {
        fields.Fail(name, "true, false or a 32-bit integer");
    } else {
        Assign(fields.Integer(name, kInt32Min, kInt32Max), target);
    }
}

void ReadOfferTexts(ControlFields& offer, SimOffer& read)
{
    ReadText(offer, "catalogNamespace", read.catalogNamespace);
    ReadText(offer, "id", read.id);
    ReadText(offer, "titleText", read.titleText);
    offer.Exclusive("titleText", "titleTextHex");
    Assign(offer.HexText("titleTextHex", kMaxRawTextBytes), read.titleText);
    ReadText(offer, "descriptionText", read.descriptionText);
    ReadText(offer, "longDescriptionText", read.longDescriptionText);
    ReadText(offer, "technicalDetailsText", read.technicalDetailsText);
    ReadText(offer, "currencyCode", read.currencyCode);
}

void ReadOfferPrices(ControlFields& offer, SimOffer& read)
{
    Assign(offer.Integer("priceResult", kInt32Min, kInt32Max), read.priceResult);
    Assign(offer.Unsigned64("originalPrice64"), read.originalPrice64);
    Assign(offer.Unsigned64("currentPrice64"), read.currentPrice64);
    read.originalPrice = Deprecated32(read.originalPrice64);
    read.currentPrice = Deprecated32(read.currentPrice64);
    Assign(offer.Integer("originalPrice", 0, kUint32Max), read.originalPrice);
    Assign(offer.Integer("currentPrice", 0, kUint32Max), read.currentPrice);
    Assign(offer.Integer("discountPercentage", 0, 255), read.discountPercentage);
    Assign(offer.Integer("decimalPoint", 0, kUint32Max), read.decimalPoint);
}

SimOffer ReadOffer(ControlFields& offer, std::size_t index)
{
    SimOffer read;
    read.serverIndex = static_cast<std::int32_t>(index);
    read.id = HexId(kProgrammedOfferTag, index);
    read.titleText = "Offer " + std::to_string(index);
    read.descriptionText = "";
    read.longDescriptionText = "";
    read.technicalDetailsText = "";
    ReadOfferTexts(offer, read);
    ReadOfferPrices(offer, read);
    Assign(offer.Integer("serverIndex", kInt32Min, kInt32Max), read.serverIndex);
    Assign(offer.Integer("expirationTimestamp", kInt64Min, kInt64Max), read.expirationTimestamp);
    Assign(offer.Integer("purchasedCount", 0, kUint32Max), read.purchasedCount);
    Assign(offer.Integer("purchaseLimit", kInt32Min, kInt32Max), read.purchaseLimit);
    ReadBool32(offer, "availableForPurchase", read.availableForPurchase);
    Assign(offer.Integer("releaseDateTimestamp", kInt64Min, kInt64Max), read.releaseDateTimestamp);
    Assign(offer.Integer("effectiveDateTimestamp", kInt64Min, kInt64Max), read.effectiveDateTimestamp);
    return read;
}

std::optional<Catalogue> ReadOffers(ControlFields& fields)
{
    const nlohmann::json* offers = fields.Array("offers");
    std::vector<SimOffer> catalogue;
    std::set<std::string> ids;
    for (std::size_t i = 0; offers != nullptr && i < offers->size(); ++i) {
        ControlFields offer(fields, (*offers)[i], "offers[" + std::to_string(i) + "]",
                            {"serverIndex", "catalogNamespace", "id", "titleText", "titleTextHex", "descriptionText", "longDescriptionText",
                             "technicalDetailsText", "currencyCode", "priceResult", "originalPrice", "currentPrice",
                             "discountPercentage", "expirationTimestamp", "purchasedCount", "purchaseLimit",
                             "availableForPurchase", "originalPrice64", "currentPrice64", "decimalPoint",
                             "releaseDateTimestamp", "effectiveDateTimestamp"});
        SimOffer read = ReadOffer(offer, i);
        if (read.id && !ids.insert(*read.id).second) {
            fields.Refuse("offer id \"" + *read.id + "\" is given twice");
        }
        catalogue.push_back(std::move(read));
    }
    return fields.Failed() ? std::nullopt : std::optional(std::make_shared<const std::vector<SimOffer>>(std::move(catalogue)));
}

SimEntitlement ReadEntitlement(ControlFields& entitlement, std::size_t index)
{
    SimEntitlement read{"entitlement_" + std::to_string(index), HexId(kProgrammedEntitlementTag, index),
                        HexId(kProgrammedItemTag, index), static_cast<std::int32_t>(index), Eos::kFalse, -1};
    ReadText(entitlement, "entitlementName", read.entitlementName);
    ReadText(entitlement, "entitlementId", read.entitlementId);
    ReadText(entitlement, "catalogItemId", read.catalogItemId);
    Assign(entitlement.Integer("serverIndex", kInt32Min, kInt32Max), read.serverIndex);
    ReadBool32(entitlement, "redeemed", read.redeemed);
    Assign(entitlement.Integer("endTimestamp", kInt64Min, kInt64Max), read.endTimestamp);
    return read;
}

} // namespace

void ReadSettings(ControlFields& fields, Settings& settings)
{
    Assign(fields.Integer("initializeResult", kInt32Min, kInt32Max), settings.initializeResult);
    Assign(fields.Bool("platformCreateFails"), settings.platformCreateFails);
    Assign(fields.Integer("delayTicks", 0, kMaxDelayTicks), settings.delayTicks);
    ReadLoginResults(fields, settings);
    ReadSequence(fields, "loginDefault", settings.loginDefault);
    Assign(fields.Bool("refreshTokenCheck"), settings.refreshTokenCheck);
    ReadIncompleteResults(fields, settings);
    ReadSequence(fields, "queryOffersResult", settings.queryOffersResult);
    ReadSequence(fields, "checkoutResult", settings.checkoutResult);
    Assign(fields.Bool("holdCheckouts"), settings.holdCheckouts);
    ReadSequence(fields, "queryEntitlementsResult", settings.queryEntitlementsResult);
    Assign(fields.Integer("copyTokenResult", kInt32Min, kInt32Max), settings.copyTokenResult);
    ReadTokenNullTexts(fields, settings);
    Assign(fields.Integer("accountIdToStringResult", kInt32Min, kInt32Max), settings.accountIdToStringResult);
    ReadCopyFailures(fields, "offerCopyFailures", settings.offerCopyFailures);
    ReadCopyFailures(fields, "entitlementCopyFailures", settings.entitlementCopyFailures);
    Assign(fields.Bool("sdkLogging"), settings.sdkLogging);
}

std::optional<Catalogue> ReadCatalogue(ControlFields& fields)
{
    fields.Exclusive("offers", "generate");
    if (!fields.Has("offers") && !fields.Has("generate")) {
        fields.Refuse("give \"offers\" or \"generate\"");
    }
    if (fields.Failed()) {
        return std::nullopt;
    }
    if (fields.Has("generate")) {
        const auto count = fields.Integer("generate", 0, kMaxGeneratedOffers);
        return count ? std::optional(GeneratedCatalogue(static_cast<std::size_t>(*count))) : std::nullopt;
    }
    return ReadOffers(fields);
}

std::optional<Entitlements> ReadEntitlements(ControlFields& fields)
{
    fields.Require("entitlements");
    const nlohmann::json* entitlements = fields.Array("entitlements");
    Entitlements read;
    for (std::size_t i = 0; entitlements != nullptr && i < entitlements->size(); ++i) {
        ControlFields entitlement(fields, (*entitlements)[i], "entitlements[" + std::to_string(i) + "]",
                                  {"entitlementName", "entitlementId", "catalogItemId", "serverIndex", "redeemed",
                                   "endTimestamp"});
        read.push_back(ReadEntitlement(entitlement, i));
    }
    return fields.Failed() ? std::nullopt : std::optional(std::move(read));
}

} // namespace Vyro::EosSim
