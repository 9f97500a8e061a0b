#include "channels/xbox/ProductQuery.h"

#include <cmath>
#include <cstring>
#include <exception>
#include <new>

#include "channels/xbox/AsyncCall.h"
#include "channels/xbox/HResultText.h"
#include "channels/xbox/IXboxContext.h"
#include "channels/xbox/XboxServiceAnswers.h"
#include "common/Logger.h"

namespace Vyro {

namespace {

using nlohmann::json;
using Gdk::HResult;

constexpr HResult kOutOfMemory = static_cast<HResult>(0x8007000E); // E_OUTOFMEMORY
// Only products the player can buy.
constexpr char kPurchaseFilter[] = "Purchase";

// A fixed price text buffer, which the store need not terminate when the text fills it.
std::string PriceText(const char (&text)[Gdk::kStorePriceTextBytes])
{
    return std::string(text, strnlen(text, sizeof(text)));
}

void AnswerFailure(const ProductQueryContext& query, const std::string& message, HResult result)
{
    Vyro::AnswerFailure(query.callback, query.requestId, message, result);
}

} // namespace

ProductQueryHandle::ProductQueryHandle(const Gdk::GameRuntimeApi& runtime, Gdk::XStoreProductQueryHandle handle)
    : runtime_(&runtime), handle_(handle)
{
}

ProductQueryHandle::~ProductQueryHandle() { Close(); }

void ProductQueryHandle::Close()
{
    if (handle_ != nullptr) {
        runtime_->XStoreCloseProductsQueryHandle(handle_);
        handle_ = nullptr;
    }
}

std::int64_t PriceInCents(float price)
{
    const float cents = price * 100.0f;
    return std::llround(cents);
}

json ProductItem(const Gdk::XStoreProduct& product)
{
    if (product.skusCount == 0 || product.skus == nullptr) {
        return nullptr;
    }
    const Gdk::XStoreSku& sku = product.skus[0];
    const std::string storeId = TextOf(product.storeId);
    return json{{"productIdentifier", storeId},
                {"offerId", storeId},
                {"localizedTitle", TextOf(product.title)},
                {"localizedDescription", TextOf(product.description)},
                {"showPrice", PriceText(product.price.formattedPrice)},
                {"price", PriceInCents(sku.price.price)},
                {"xbox", {{"skuId", TextOf(sku.skuId)}}}};
}

// The store ids and the filter are read by the call itself, so they need to live only through it.
void ProductQuery::Start(IXboxContext& context, Gdk::XStoreContextHandle store, const std::vector<std::string>& storeIds,
                         std::shared_ptr<ProductQueryContext> query)
{
    std::vector<const char*> ids;
    ids.reserve(storeIds.size());
    for (const std::string& id : storeIds) {
        ids.push_back(id.c_str());
    }
    const char* filters[] = {kPurchaseFilter};
    const Gdk::GameRuntimeApi& runtime = context.Runtime();
    const HResult result = AsyncCall::Start(
        query->queue, [&context, query](Gdk::XAsyncBlock* block) { CompleteFirstPage(context, block, query); },
        [&](Gdk::XAsyncBlock* block) {
            return runtime.XStoreQueryProductsAsync(store, Gdk::XStoreProductKind::Consumable, ids.data(), ids.size(),
                                                    filters, std::size(filters), block);
        });
    if (!Gdk::Succeeded(result)) {
        LogFailedCall("XStoreQueryProductsAsync", result);
        AnswerFailure(*query, "Failed to start XStoreQueryProductsAsync: " + HResultText(result), result);
    }
}

void ProductQuery::CompleteFirstPage(IXboxContext& context, Gdk::XAsyncBlock* block,
                                     const std::shared_ptr<ProductQueryContext>& query)
{
    const Gdk::GameRuntimeApi& runtime = context.Runtime();
    Gdk::XStoreProductQueryHandle handle = nullptr;
    const HResult result = runtime.XStoreQueryProductsResult(block, &handle);
    if (!Gdk::Succeeded(result)) {
        LogFailedCall("XStoreQueryProductsResult", result);
        AnswerFailure(*query, "Failed to query products: " + HResultText(result), result);
        return;
    }
    EnumeratePage(context, std::make_shared<ProductQueryHandle>(runtime, handle), query);
}

void ProductQuery::EnumeratePage(IXboxContext& context, const std::shared_ptr<ProductQueryHandle>& page,
                                 const std::shared_ptr<ProductQueryContext>& query)
{
    const Gdk::GameRuntimeApi& runtime = context.Runtime();
    const HResult result = runtime.XStoreEnumerateProductsQuery(page->Get(), query.get(), &AddProduct);
    if (!Gdk::Succeeded(result)) {
        LogFailedCall("XStoreEnumerateProductsQuery", result);
        page->Close();
        AnswerFailure(*query, "Failed to enumerate products", result);
        return;
    }
    if (runtime.XStoreProductsQueryHasMorePages(page->Get())) {
        StartNextPage(context, page, query);
        return;
    }
    page->Close();
    const json reply{{"products", std::move(query->products)}};
    AnswerSuccess(query->callback, query->requestId, reply);
}

// The call record is the only allocation here; running out of memory for it is answered like any
// other start failure instead of escaping into the completion that called us.
void ProductQuery::StartNextPage(IXboxContext& context, const std::shared_ptr<ProductQueryHandle>& page,
                                 const std::shared_ptr<ProductQueryContext>& query)
{
    const Gdk::GameRuntimeApi& runtime = context.Runtime();
    HResult result = kOutOfMemory;
    try {
        result = AsyncCall::Start(
            query->queue,
            [&context, page, query](Gdk::XAsyncBlock* block) { CompleteNextPage(context, block, page, query); },
            [&](Gdk::XAsyncBlock* block) { return runtime.XStoreProductsQueryNextPageAsync(page->Get(), block); });
    } catch (const std::bad_alloc&) {
    }
    if (!Gdk::Succeeded(result)) {
        LogFailedCall("XStoreProductsQueryNextPageAsync", result);
        page->Close();
        AnswerFailure(*query, "Failed to start next page query", result);
    }
}

void ProductQuery::CompleteNextPage(IXboxContext& context, Gdk::XAsyncBlock* block,
                                    const std::shared_ptr<ProductQueryHandle>& page,
                                    const std::shared_ptr<ProductQueryContext>& query)
{
    const Gdk::GameRuntimeApi& runtime = context.Runtime();
    Gdk::XStoreProductQueryHandle next = nullptr;
    const HResult result = runtime.XStoreProductsQueryNextPageResult(block, &next);
    page->Close();
    if (!Gdk::Succeeded(result)) {
        LogFailedCall("XStoreProductsQueryNextPageResult", result);
        AnswerFailure(*query, "Failed to get next page", result);
        return;
    }
    EnumeratePage(context, std::make_shared<ProductQueryHandle>(runtime, next), query);
}

// Called by the store for each product of the page; nothing may unwind into its frames.
bool ProductQuery::AddProduct(const Gdk::XStoreProduct* product, void* context)
{
    if (product == nullptr) {
        return true;
    }
    try {
        json item = ProductItem(*product);
        if (!item.is_null()) {
            static_cast<ProductQueryContext*>(context)->products.push_back(std::move(item));
        }
    } catch (const std::exception& error) {
        Log(LogLevel::Error, "Exception in product enumeration: {}", error.what());
    }
    return true;
}

} // namespace Vyro
