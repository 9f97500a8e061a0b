#include "StoreControl.h"

#include <array>
#include <optional>
#include <string>
#include <utility>

#include "ControlOpShapes.h"
#include "ControlReaders.h"
#include "SimState.h"

namespace Vyro::XboxSim {

namespace {

using Sim::Assign;
using Sim::ControlFields;

constexpr std::int64_t kMaxPageSize = 1000;
constexpr std::size_t kMaxPriceTextBytes = 15;

struct KindName {
    const char* name;
    std::uint32_t kind;
};
constexpr std::array<KindName, 5> kKinds{{
    {"consumable", 0x01},
    {"durable", 0x02},
    {"game", 0x04},
    {"pass", 0x08},
    {"unmanagedConsumable", 0x10},
}};

std::optional<float> AsAmount(const nlohmann::json& value)
{
    return value.is_number() ? std::optional<float>(value.get<float>()) : std::nullopt;
}

void ReadAmount(ControlFields& fields, const char* name, float& target)
{
    Assign(fields.Parsed(name, AsAmount, "a number"), target);
}

StorePrice ReadPrice(ControlFields& parent, const nlohmann::json& object, const std::string& where)
{
    ControlFields fields(parent, object, where, {"base", "price", "recurrence", "currency", "formatted"});
    StorePrice price;
    ReadAmount(fields, "base", price.base);
    ReadAmount(fields, "price", price.price);
    ReadAmount(fields, "recurrence", price.recurrence);
    Assign(fields.StringOrNull("currency"), price.currency);
    const auto formatted = fields.String("formatted");
    if (formatted && formatted->size() > kMaxPriceTextBytes) {
        fields.Fail("formatted", "a string of at most 15 bytes");
    }
    Assign(formatted, price.formatted);
    return price;
}

StoreSku ReadSku(ControlFields& parent, const nlohmann::json& object, const std::string& where)
{
    ControlFields fields(parent, object, where, {"id", "price"});
    StoreSku sku;
    Assign(fields.StringOrNull("id"), sku.id);
    if (fields.Has("price")) {
        sku.price = ReadPrice(fields, fields.Member("price"), "price");
    }
    return sku;
}

void ReadKind(ControlFields& fields, std::uint32_t& kind)
{
    const auto name = fields.OneOf("kind", {"consumable", "durable", "game", "pass", "unmanagedConsumable"});
    for (const KindName& known : kKinds) {
        if (name && *name == known.name) {
            kind = known.kind;
        }
    }
}

StoreProduct ReadProduct(ControlFields& parent, const nlohmann::json& object, const std::string& where)
{
    ControlFields fields(parent, object, where, {"id", "title", "description", "kind", "skus", "price"});
    fields.Require("id");
    StoreProduct product;
    Assign(fields.String("id"), product.id);
    Assign(fields.StringOrNull("title"), product.title);
    Assign(fields.StringOrNull("description"), product.description);
    ReadKind(fields, product.kind);
    if (fields.Has("price")) {
        product.price = ReadPrice(fields, fields.Member("price"), "price");
    }
    if (const nlohmann::json* skus = fields.Array("skus")) {
        for (std::size_t i = 0; i < skus->size(); ++i) {
            product.skus.push_back(ReadSku(fields, (*skus)[i], "skus[" + std::to_string(i) + "]"));
        }
    }
    return product;
}

void ReadCatalogue(ControlFields& fields, Catalogue& catalogue)
{
    const nlohmann::json* products = fields.Array("products");
    if (products == nullptr) {
        return;
    }
    Catalogue read;
    for (std::size_t i = 0; i < products->size(); ++i) {
        read.push_back(ReadProduct(fields, (*products)[i], "products[" + std::to_string(i) + "]"));
    }
    catalogue = std::move(read);
}

void ReadStoreSettings(ControlFields& fields, StoreSettings& settings)
{
    ReadCatalogue(fields, settings.catalogue);
    Assign(fields.Integer("pageSize", 1, kMaxPageSize), settings.pageSize);
    ReadCall(fields, "queryProducts", settings.queryProducts);
    ReadCall(fields, "nextPage", settings.nextPage);
    ReadHResults(fields, "enumerateResults", settings.enumerateResults);
    ReadCall(fields, "purchase", settings.purchase);
    ReadHResult(fields, "collectionsIdStartResult", settings.collectionsId.startResult);
    ReadOutcomes(fields, "collectionsIdResults", settings.collectionsId.outcomes.next);
    ReadOutcome(fields, "collectionsIdDefault", settings.collectionsId.outcomes.fallback);
    ReadHResult(fields, "collectionsIdResultSizeResult", settings.collectionsId.resultResult);
    ReadHResult(fields, "collectionsIdResultResult", settings.collectionsIdResultResult);
    Assign(fields.String("collectionsId"), settings.collectionsIdText);
}

} // namespace

nlohmann::json ProgramStore(const nlohmann::json& request)
{
    ControlFields fields(request, "store",
                         {"products", "pageSize", "queryProductsStartResult", "queryProductsResults", "queryProductsDefault",
                          "queryProductsResultResult", "nextPageStartResult", "nextPageResults", "nextPageDefault",
                          "nextPageResultResult", "enumerateResults", "purchaseStartResult", "purchaseResults",
                          "purchaseDefault", "purchaseResultResult", "collectionsIdStartResult", "collectionsIdResults",
                          "collectionsIdDefault", "collectionsIdResultSizeResult", "collectionsIdResultResult",
                          "collectionsId"});
    return WithState([&](SimState& state) { return Sim::UpdateSettings(fields, state.runtime.store.settings, ReadStoreSettings); });
}

Catalogue DefaultCatalogue()
{
    return {
        {"9PGEMS0100XB", std::string("Pile of Gems"), std::string("100 gems to spend in the shop."), 0x01,
         {{std::string("0010"), {0.99f, 0.99f, 0, std::string("USD"), "$0.99"}}},
         std::nullopt},
        {"9PGEMS0550XB", std::string("Chest of Gems"), std::string("550 gems to spend in the shop."), 0x01,
         {{std::string("0010"), {4.99f, 4.99f, 0, std::string("USD"), "$4.99"}}},
         std::nullopt},
        {"9PGEMS1200XB", std::string("Vault of Gems"), std::string("1200 gems, 20% more than the chest."), 0x01,
         {{std::string("0010"), {12.99f, 9.99f, 0, std::string("USD"), "$9.99"}}},
         std::nullopt},
    };
}

} // namespace Vyro::XboxSim
