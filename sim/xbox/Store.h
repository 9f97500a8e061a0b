#pragma once

// The simulated store: a catalogue of products with their SKUs and prices, the product queries the
// game holds open, and how the store's calls answer.
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Handles.h"
#include "SimSettings.h"

namespace Vyro::XboxSim {

struct StorePrice {
    float base = 0;
    float price = 0;
    float recurrence = 0;
    std::optional<std::string> currency = std::string("USD");
    std::string formatted; // at most 15 bytes, as the store's fixed buffers hold
};

struct StoreSku {
    std::optional<std::string> id;
    StorePrice price;
};

struct StoreProduct {
    std::string id;
    std::optional<std::string> title;
    std::optional<std::string> description;
    std::uint32_t kind = 0x01; // consumable
    std::vector<StoreSku> skus;
    // The product's own price; none: its first SKU's, as the store usually has it.
    std::optional<StorePrice> price;
};

using Catalogue = std::vector<StoreProduct>;

// A page of a query's products, and where the rest of them start.
struct ProductPage {
    std::shared_ptr<const Catalogue> found;
    std::size_t first = 0;
    std::size_t count = 0;
    std::size_t number = 1; // 1 for the first page

    bool HasMore() const { return first + count < found->size(); }
};

// How the calls of one asynchronous store operation answer: the start, how its work completes, and
// its result function once the work succeeded.
struct StoreCallSettings {
    HResult startResult = Results::kOk;
    OutcomeList outcomes;
    HResult resultResult = Results::kOk;
};

inline constexpr std::uint32_t kDefaultPageSize = 25;
inline constexpr char kDefaultCollectionsId[] =
    "eyJ0eXAiOiJKV1QiLCJhbGciOiJSUzI1NiJ9.c2ltLWNvbGxlY3Rpb25zLWlk.sim-collections-0001";

Catalogue DefaultCatalogue();

struct StoreSettings {
    Catalogue catalogue = DefaultCatalogue();
    std::uint32_t pageSize = kDefaultPageSize;
    StoreCallSettings queryProducts;
    StoreCallSettings nextPage;
    // One HRESULT per XStoreEnumerateProductsQuery call, in call order; success once used up.
    std::deque<HResult> enumerateResults;
    StoreCallSettings purchase;
    StoreCallSettings collectionsId; // its result function is XStoreGetUserCollectionsIdResultSize
    HResult collectionsIdResultResult = Results::kOk;
    std::string collectionsIdText = kDefaultCollectionsId;
};

struct Store {
    StoreSettings settings;
    HandleTable<ProductPage> productQueries;
};

} // namespace Vyro::XboxSim
