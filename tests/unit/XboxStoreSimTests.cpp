// The simulated store in process: the catalogue found in the order asked and split into pages, the
// product records handed to the enumeration callback, query handles held to the runtime's rules, and
// the collections id buffer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "SimControlRequests.h"
#include "XboxSim.h"

using namespace Vyro;
using nlohmann::json;
using namespace SimControlRequests;
using Gdk::HResult;
using Gdk::XAsyncBlock;
using Gdk::XStoreProductQueryHandle;

namespace {

constexpr HResult kInvalidArg = static_cast<HResult>(0x80070057);
constexpr HResult kNotSufficientBuffer = static_cast<HResult>(0x8007007A);
constexpr auto kConsumable = Gdk::XStoreProductKind::Consumable;

std::string Text(const char* text) { return text == nullptr ? "<null>" : text; }

// What the enumeration callback saw of each product, read while the callback runs.
bool Describe(const Gdk::XStoreProduct* product, void* context)
{
    json seen{{"id", Text(product->storeId)}, {"title", Text(product->title)}, {"kind", static_cast<int>(product->productKind)},
              {"skus", product->skusCount}};
    if (product->skusCount > 0) {
        seen["sku"] = Text(product->skus[0].skuId);
        seen["price"] = product->skus[0].price.price;
        seen["formatted"] = product->skus[0].price.formattedPrice;
    }
    static_cast<json*>(context)->push_back(std::move(seen));
    return true;
}

class XboxStoreSim : public ::testing::Test {
protected:
    void SetUp() override
    {
        Sim({{"op", "reset"}});
        ASSERT_EQ(XGameRuntimeInitialize(), 0);
        ASSERT_EQ(XTaskQueueCreate(Gdk::XTaskQueueDispatchMode::ThreadPool, Gdk::XTaskQueueDispatchMode::Manual, &queue_), 0);
        XAsyncBlock block = Block();
        ASSERT_EQ(XUserAddAsync(Gdk::XUserAddOptions::AddDefaultUserSilently, &block), 0);
        ASSERT_EQ(XAsyncGetStatus(&block, true), 0);
        ASSERT_EQ(XUserAddResult(&block, &user_), 0);
        ASSERT_EQ(XStoreCreateContext(user_, &store_), 0);
    }
    void TearDown() override { Sim({{"op", "reset"}}); }

    // A block without a callback: the test waits for it with XAsyncGetStatus.
    XAsyncBlock Block() { return {queue_, nullptr, nullptr, {}}; }

    XStoreProductQueryHandle Query(std::vector<const char*> ids)
    {
        const char* filters[] = {"Purchase"};
        XAsyncBlock block = Block();
        EXPECT_EQ(XStoreQueryProductsAsync(store_, kConsumable, ids.data(), ids.size(), filters, 1, &block), 0);
        EXPECT_EQ(XAsyncGetStatus(&block, true), 0);
        XStoreProductQueryHandle handle = nullptr;
        EXPECT_EQ(XStoreQueryProductsResult(&block, &handle), 0);
        return handle;
    }

    XStoreProductQueryHandle NextPage(XStoreProductQueryHandle page)
    {
        XAsyncBlock block = Block();
        EXPECT_EQ(XStoreProductsQueryNextPageAsync(page, &block), 0);
        EXPECT_EQ(XAsyncGetStatus(&block, true), 0);
        XStoreProductQueryHandle next = nullptr;
        EXPECT_EQ(XStoreProductsQueryNextPageResult(&block, &next), 0);
        return next;
    }

    static json Enumerate(XStoreProductQueryHandle page)
    {
        json seen = json::array();
        EXPECT_EQ(XStoreEnumerateProductsQuery(page, &seen, &Describe), 0);
        return seen;
    }

    Gdk::XTaskQueueHandle queue_ = nullptr;
    Gdk::XUserHandle user_ = nullptr;
    Gdk::XStoreContextHandle store_ = nullptr;
};

json SimProduct(const char* id, const char* kind, json skus)
{
    return {{"id", id}, {"title", std::string(id) + "!"}, {"kind", kind}, {"skus", std::move(skus)}};
}

TEST_F(XboxStoreSim, QueriesFindTheAskedConsumablesInOrderPageByPage)
{
    const json sku = json::array({{{"id", "0010"}, {"price", {{"price", 0.99}, {"formatted", "$0.99"}}}}});
    const json untitled{{"id", "D"}, {"title", nullptr}, {"skus", sku}};
    const json products = json::array({SimProduct("A", "consumable", sku), SimProduct("B", "consumable", json::array()),
                                       SimProduct("C", "durable", sku), untitled, SimProduct("E", "consumable", sku)});
    Sim({{"op", "store"}, {"pageSize", 2}, {"products", products}});

    const XStoreProductQueryHandle first = Query({"E", "X", "C", "D", "B", "E", "A"});
    EXPECT_EQ(Enumerate(first), json::parse(R"([{"id":"E","title":"E!","kind":1,"skus":1,"sku":"0010","price":0.9900000095367432,
        "formatted":"$0.99"},{"id":"D","title":"<null>","kind":1,"skus":1,"sku":"0010","price":0.9900000095367432,
        "formatted":"$0.99"}])"));
    ASSERT_TRUE(XStoreProductsQueryHasMorePages(first));
    const XStoreProductQueryHandle second = NextPage(first);
    XStoreCloseProductsQueryHandle(first);
    EXPECT_EQ(Enumerate(second), json::parse(R"([{"id":"B","title":"B!","kind":1,"skus":0},
        {"id":"A","title":"A!","kind":1,"skus":1,"sku":"0010","price":0.9900000095367432,"formatted":"$0.99"}])"));
    EXPECT_FALSE(XStoreProductsQueryHasMorePages(second)) << "unknown ids, durables and repeats are left out";
    XStoreCloseProductsQueryHandle(second);

    EXPECT_EQ(Calls("XStoreProductsQueryNextPageResult")[0]["page"], 2);
    EXPECT_EQ(Sim({{"op", "state"}})["leftOpen"].value("productQueries", 0), 0);
    EXPECT_EQ(Sim({{"op", "misuse"}})["count"], 0);
}

TEST_F(XboxStoreSim, QueryHandlesAreCheckedAndOneLeftOpenIsReported)
{
    Sim({{"op", "store"}, {"pageSize", 1}, {"enumerateResults", {0, "0x80004005"}}});
    const XStoreProductQueryHandle page = Query({"9PGEMS0100XB", "9PGEMS0550XB"});
    EXPECT_EQ(Enumerate(page).size(), 1u);
    json seen = json::array();
    EXPECT_EQ(XStoreEnumerateProductsQuery(page, &seen, &Describe), static_cast<HResult>(0x80004005));
    EXPECT_TRUE(seen.empty()) << "a failed enumeration calls back for nothing";
    EXPECT_EQ(Sim({{"op", "state"}})["leftOpen"]["productQueries"], 1);

    const XStoreProductQueryHandle last = NextPage(page);
    XAsyncBlock block = Block();
    EXPECT_EQ(XStoreProductsQueryNextPageAsync(last, &block), kInvalidArg);
    XStoreCloseProductsQueryHandle(page);
    XStoreCloseProductsQueryHandle(page);
    EXPECT_EQ(XStoreEnumerateProductsQuery(page, &seen, &Describe), kInvalidArg);
    EXPECT_FALSE(XStoreProductsQueryHasMorePages(page));
    XStoreCloseProductsQueryHandle(last);

    std::vector<std::string> reasons;
    const json misuse = Sim({{"op", "misuse"}});
    for (const json& call : misuse["calls"]) {
        reasons.push_back(call["fn"].get<std::string>() + ": " + call["misuse"].get<std::string>());
    }
    EXPECT_EQ(reasons, (std::vector<std::string>{
                           "XStoreProductsQueryNextPageAsync: no more pages",
                           "XStoreCloseProductsQueryHandle: unknown or closed product query handle",
                           "XStoreEnumerateProductsQuery: unknown or closed product query handle",
                           "XStoreProductsQueryHasMorePages: unknown or closed product query handle",
                       }));
}

TEST_F(XboxStoreSim, TheCollectionsIdFillsABufferOfTheSizeGivenWithItsTerminator)
{
    Sim({{"op", "store"}, {"collectionsId", "c-42"}, {"collectionsIdResults", {"0x80070525"}}});
    XAsyncBlock refused = Block();
    ASSERT_EQ(XStoreGetUserCollectionsIdAsync(store_, "ticket", "", &refused), 0);
    std::size_t size = 0;
    EXPECT_EQ(XAsyncGetStatus(&refused, true), static_cast<HResult>(0x80070525));
    EXPECT_EQ(XStoreGetUserCollectionsIdResultSize(&refused, &size), static_cast<HResult>(0x80070525));

    XAsyncBlock block = Block();
    ASSERT_EQ(XStoreGetUserCollectionsIdAsync(store_, "ticket", "publisher", &block), 0);
    ASSERT_EQ(XAsyncGetStatus(&block, true), 0);
    ASSERT_EQ(XStoreGetUserCollectionsIdResultSize(&block, &size), 0);
    EXPECT_EQ(size, 5u);
    char text[5] = {'x', 'x', 'x', 'x', 'x'};
    EXPECT_EQ(XStoreGetUserCollectionsIdResult(&block, 4, text), kNotSufficientBuffer);
    EXPECT_EQ(XStoreGetUserCollectionsIdResult(&block, sizeof(text), text), 0);
    EXPECT_EQ(std::string(text, sizeof(text)), std::string("c-42\0", 5));

    const json calls = Calls("XStoreGetUserCollectionsIdAsync");
    EXPECT_EQ(calls[0]["publisherUserId"], "");
    EXPECT_EQ(calls[1]["serviceTicket"], "ticket");
    EXPECT_EQ(calls[1]["publisherUserId"], "publisher");
}

TEST_F(XboxStoreSim, RefusesBadStoreProgramsAndAppliesNothing)
{
    ExpectRefused({
        {R"({"op":"store","pageSize":0})", "store: \"pageSize\""},
        {R"({"op":"store","products":[{"title":"no id"}]})", "store: products[0]"},
        {R"({"op":"store","products":[{"id":"A","kind":"gem"}]})", "store: products[0]"},
        {R"({"op":"store","products":[{"id":"A","skus":[{"price":{"formatted":"sixteen bytes!!!"}}]}]})", "store: products[0]: skus[0]: price: \"formatted\""},
        {R"({"op":"store","enumerateResults":["oops"]})", "store: \"enumerateResults\""},
        {R"({"op":"store","purchaseResults":[0],"pageSize":-1})", "store: \"pageSize\""},
    });
    EXPECT_TRUE(Sim({{"op", "state"}})["productQueries"].empty());
    XAsyncBlock block = Block();
    ASSERT_EQ(XStoreShowPurchaseUIAsync(store_, "9PGEMS0100XB", nullptr, nullptr, &block), 0);
    EXPECT_EQ(XAsyncGetStatus(&block, true), 0) << "the refused purchaseResults were not applied";
    EXPECT_EQ(XStoreShowPurchaseUIResult(&block), 0);
}

} // namespace
