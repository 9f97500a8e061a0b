// Product queries: XStoreQueryProductsAsync finds the requested products of the catalogue, in the
// order asked, split into pages; each page is a query handle the game enumerates, asks for the next
// page and closes.
#include <algorithm>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "ProductRecord.h"
#include "StoreCalls.h"
#include "XboxSim.h"

using namespace Vyro::XboxSim;
namespace Gdk = Vyro::Gdk;

namespace {

constexpr char kQueryProducts[] = "XStoreQueryProductsAsync";
constexpr char kNextPage[] = "XStoreProductsQueryNextPageAsync";
constexpr char kProductQuery[] = "product query handle";

nlohmann::json TextList(const char** texts, std::size_t count)
{
    nlohmann::json list = nlohmann::json::array();
    for (std::size_t i = 0; texts != nullptr && i < count; ++i) {
        list.push_back(JournalText(texts[i]));
    }
    return list;
}

ProductPage PageAt(std::shared_ptr<const Catalogue> found, std::size_t first, std::size_t number, std::uint32_t pageSize)
{
    const std::size_t count = std::min<std::size_t>(pageSize, found->size() - first);
    return ProductPage{std::move(found), first, count, number};
}

// The catalogue's products that were asked for and are of one of the kinds, each once, in the order
// asked.
Catalogue FindProducts(const Catalogue& catalogue, const std::vector<std::string>& storeIds, std::uint32_t kinds)
{
    std::unordered_map<std::string, const StoreProduct*> byId;
    for (const StoreProduct& product : catalogue) {
        byId.emplace(product.id, &product);
    }
    Catalogue found;
    std::set<std::string> taken;
    for (const std::string& id : storeIds) {
        const auto product = byId.find(id);
        if (product != byId.end() && (product->second->kind & kinds) != 0 && taken.insert(id).second) {
            found.push_back(*product->second);
        }
    }
    return found;
}

// The query's work: its first page, found when the work is done.
Work QueryWork(std::vector<std::string> storeIds, std::uint32_t kinds)
{
    return [storeIds = std::move(storeIds), kinds](SimState& state, Operation& operation) {
        const StoreSettings& settings = state.runtime.store.settings;
        auto found = std::make_shared<const Catalogue>(FindProducts(settings.catalogue, storeIds, kinds));
        operation.value = PageAt(std::move(found), 0, 1, settings.pageSize);
        return Results::kOk;
    };
}

struct QueryRequest {
    Gdk::XStoreContextHandle context;
    std::uint32_t kinds;
    const char** storeIds;
    std::size_t storeIdsCount;
    const char** actionFilters;
    std::size_t actionFiltersCount;
};

bool QueryIsWellFormed(Call& call, const QueryRequest& request)
{
    const bool idsGiven = request.storeIdsCount > 0 && request.storeIds != nullptr &&
                          std::all_of(request.storeIds, request.storeIds + request.storeIdsCount,
                                      [](const char* id) { return id != nullptr; });
    return StoreContextOpen(call, request.context) && call.Requires(request.kinds != 0, "no product kinds") &&
           call.Requires(idsGiven, "no store ids, or a null one") &&
           call.Requires(request.actionFiltersCount == 0 || request.actionFilters != nullptr,
                         "actionFiltersCount without actionFilters");
}

HResult StartQuery(Call& call, const QueryRequest& request, Gdk::XAsyncBlock* block)
{
    if (!QueryIsWellFormed(call, request)) {
        return call.Returns(Results::kInvalidArg);
    }
    std::vector<std::string> storeIds(request.storeIds, request.storeIds + request.storeIdsCount);
    return StartStoreCall(call, block, call.Rt().store.settings.queryProducts, QueryWork(std::move(storeIds), request.kinds));
}

// Hands out the completed call's page as a new query handle.
HResult HandOutPage(Call& call, Gdk::XAsyncBlock* block, const char* startedBy, const StoreCallSettings& settings,
                    Gdk::XStoreProductQueryHandle* handle)
{
    if (!call.Requires(handle != nullptr, "null productQueryHandle")) {
        return call.Returns(Results::kInvalidArg);
    }
    HResult failure = Results::kOk;
    Operation* operation = ReadStoreResult(call, block, startedBy, settings.resultResult, failure);
    if (operation == nullptr) {
        return call.Returns(failure);
    }
    operation->resultTaken = true;
    const auto& page = std::any_cast<const ProductPage&>(operation->value);
    call.Entry()["page"] = page.number;
    call.Entry()["products"] = page.count;
    return call.HandsOut(call.Rt().store.productQueries, call.State().NextNumber(), page, handle, "productQuery");
}

// The open page behind a handle, journalled as "productQuery"; null when it is not one (misuse).
ProductPage* OpenPage(Call& call, Gdk::XStoreProductQueryHandle handle)
{
    call.Entry()["productQuery"] = DescribeHandle(handle);
    ProductPage* page = call.Rt().store.productQueries.Find(handle);
    call.Requires(page != nullptr, handle == nullptr ? "null product query handle" : "unknown or closed product query handle");
    return page;
}

// What an enumeration delivers, taken under the lock; the callback runs without it.
struct Enumeration {
    HResult result = Results::kOk;
    Catalogue products;
};

Enumeration TakeEnumeration(Call& call, Gdk::XStoreProductQueryHandle handle, bool hasCallback)
{
    ProductPage* page = OpenPage(call, handle);
    if (page == nullptr || !call.Requires(hasCallback, "null callback")) {
        return {call.Returns(Results::kInvalidArg), {}};
    }
    std::deque<HResult>& programmed = call.Rt().store.settings.enumerateResults;
    const HResult result = programmed.empty() ? Results::kOk : programmed.front();
    if (!programmed.empty()) {
        programmed.pop_front();
    }
    call.Entry()["page"] = page->number;
    if (!Gdk::Succeeded(result)) {
        return {call.Returns(result), {}};
    }
    call.Entry()["products"] = page->count;
    const auto first = page->found->begin() + static_cast<std::ptrdiff_t>(page->first);
    return {call.Returns(Results::kOk), Catalogue(first, first + static_cast<std::ptrdiff_t>(page->count))};
}

HResult StartNextPage(Call& call, Gdk::XStoreProductQueryHandle handle, Gdk::XAsyncBlock* block)
{
    const ProductPage* page = OpenPage(call, handle);
    if (page == nullptr || !call.Requires(page->HasMore(), "no more pages")) {
        return call.Returns(Results::kInvalidArg);
    }
    const ProductPage current = *page;
    call.Entry()["page"] = current.number + 1;
    return StartStoreCall(call, block, call.Rt().store.settings.nextPage, [current](SimState& state, Operation& operation) {
        operation.value = PageAt(current.found, current.first + current.count, current.number + 1,
                                 state.runtime.store.settings.pageSize);
        return Results::kOk;
    });
}

} // namespace

extern "C" {

Gdk::HResult XStoreQueryProductsAsync(Gdk::XStoreContextHandle storeContextHandle, Gdk::XStoreProductKind productKinds,
                                      const char** storeIds, std::size_t storeIdsCount, const char** actionFilters,
                                      std::size_t actionFiltersCount, Gdk::XAsyncBlock* async)
{
    const QueryRequest request{storeContextHandle, static_cast<std::uint32_t>(productKinds), storeIds, storeIdsCount,
                               actionFilters, actionFiltersCount};
    return RuntimeCall(kQueryProducts,
                       {{"productKinds", request.kinds},
                        {"storeIds", TextList(storeIds, storeIdsCount)},
                        {"actionFilters", TextList(actionFilters, actionFiltersCount)}},
                       [&](Call& call) { return StartQuery(call, request, async); });
}

Gdk::HResult XStoreQueryProductsResult(Gdk::XAsyncBlock* async, Gdk::XStoreProductQueryHandle* productQueryHandle)
{
    return RuntimeCall("XStoreQueryProductsResult", {}, [&](Call& call) {
        return HandOutPage(call, async, kQueryProducts, call.Rt().store.settings.queryProducts, productQueryHandle);
    });
}

Gdk::HResult XStoreEnumerateProductsQuery(Gdk::XStoreProductQueryHandle productQueryHandle, void* context,
                                          Gdk::XStoreProductQueryCallback* callback)
{
    Enumeration enumeration;
    const HResult admitted = RuntimeCall("XStoreEnumerateProductsQuery", {{"context", DescribeContext(context)}}, [&](Call& call) {
        enumeration = TakeEnumeration(call, productQueryHandle, callback != nullptr);
        return enumeration.result;
    });
    if (!Gdk::Succeeded(admitted)) {
        return admitted;
    }
    for (const StoreProduct& product : enumeration.products) {
        const ProductRecord record(product);
        if (!callback(record.Get(), context)) {
            break;
        }
    }
    return Results::kOk;
}

bool XStoreProductsQueryHasMorePages(Gdk::XStoreProductQueryHandle productQueryHandle)
{
    return JournalledCall("XStoreProductsQueryHasMorePages", {}, [&](Call& call) {
        const ProductPage* page = call.Admitted() ? OpenPage(call, productQueryHandle) : nullptr;
        return call.ReturnsValue(page != nullptr && page->HasMore());
    });
}

Gdk::HResult XStoreProductsQueryNextPageAsync(Gdk::XStoreProductQueryHandle productQueryHandle, Gdk::XAsyncBlock* async)
{
    return RuntimeCall(kNextPage, {}, [&](Call& call) { return StartNextPage(call, productQueryHandle, async); });
}

Gdk::HResult XStoreProductsQueryNextPageResult(Gdk::XAsyncBlock* async, Gdk::XStoreProductQueryHandle* productQueryHandle)
{
    return RuntimeCall("XStoreProductsQueryNextPageResult", {}, [&](Call& call) {
        return HandOutPage(call, async, kNextPage, call.Rt().store.settings.nextPage, productQueryHandle);
    });
}

void XStoreCloseProductsQueryHandle(Gdk::XStoreProductQueryHandle productQueryHandle)
{
    JournalledCall("XStoreCloseProductsQueryHandle", {{"productQuery", DescribeHandle(productQueryHandle)}}, [&](Call& call) {
        if (call.Admitted()) {
            call.Closes(call.Rt().store.productQueries, productQueryHandle, kProductQuery);
        }
    });
}

} // extern "C"
