#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "channels/xbox/GameRuntimeApi.h"
#include "core/ChannelType.h"

namespace Vyro {

class IXboxContext;

// One open product query handle of the store, closed exactly once: by Close, or when its owner lets
// it go (a next-page call that never started, a completion that never ran its course).
class ProductQueryHandle {
public:
    ProductQueryHandle(const Gdk::GameRuntimeApi& runtime, Gdk::XStoreProductQueryHandle handle);
    ~ProductQueryHandle();
    ProductQueryHandle(const ProductQueryHandle&) = delete;
    ProductQueryHandle& operator=(const ProductQueryHandle&) = delete;

    Gdk::XStoreProductQueryHandle Get() const { return handle_; }
    void Close();

private:
    const Gdk::GameRuntimeApi* runtime_;
    Gdk::XStoreProductQueryHandle handle_;
};

// What every page of one product query shares; it lives until the last page's handler is gone.
struct ProductQueryContext {
    nlohmann::json products = nlohmann::json::array();
    ResultCallback callback = nullptr;
    std::string requestId;
    Gdk::XTaskQueueHandle queue = nullptr;
};

// A store price in cents: times 100 in single precision, rounded half away from zero.
std::int64_t PriceInCents(float price);

// The product item of the Products reply, built from the product and its first SKU; null for a
// product without SKUs. Texts the store leaves null are empty.
nlohmann::json ProductItem(const Gdk::XStoreProduct& product);

// One Products query of consumables, page by page: it answers exactly once, with every item in
// enumeration order or with the first failure, and closes every query handle it was given.
class ProductQuery {
public:
    static void Start(IXboxContext& context, Gdk::XStoreContextHandle store, const std::vector<std::string>& storeIds,
                      std::shared_ptr<ProductQueryContext> query);

private:
    static void CompleteFirstPage(IXboxContext& context, Gdk::XAsyncBlock* block,
                                  const std::shared_ptr<ProductQueryContext>& query);
    static void EnumeratePage(IXboxContext& context, const std::shared_ptr<ProductQueryHandle>& page,
                              const std::shared_ptr<ProductQueryContext>& query);
    static void StartNextPage(IXboxContext& context, const std::shared_ptr<ProductQueryHandle>& page,
                              const std::shared_ptr<ProductQueryContext>& query);
    static void CompleteNextPage(IXboxContext& context, Gdk::XAsyncBlock* block,
                                 const std::shared_ptr<ProductQueryHandle>& page,
                                 const std::shared_ptr<ProductQueryContext>& query);
    static bool AddProduct(const Gdk::XStoreProduct* product, void* context);
};

} // namespace Vyro
