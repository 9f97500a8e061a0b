// The Xbox channel's store against the simulated GDK: product queries over several pages and every way
// they fail, the purchase dialog, and the collections id with its retry after a fresh sign-in.
#include <string>

#include "XboxChannelFixture.h"

namespace XboxTest {
namespace {

using Vyro::XboxChannelSDK;

constexpr char kNoStoreContext[] = "Store context not initialized. Call Login() first.";

json Sku(const json& id, double price, const char* formatted)
{
    return {{"id", id}, {"price", {{"base", price}, {"price", price}, {"formatted", formatted}}}};
}

json Product(const std::string& id, const json& skus, const char* kind = "consumable")
{
    return {{"id", id}, {"title", id + " title"}, {"description", id + " description"}, {"kind", kind}, {"skus", skus}};
}

json Item(const std::string& id, const std::string& title, const std::string& description, const char* showPrice,
          int price, const std::string& skuId)
{
    return {{"productIdentifier", id}, {"offerId", id},     {"localizedTitle", title}, {"localizedDescription", description},
            {"showPrice", showPrice},  {"price", price}, {"xbox", {{"skuId", skuId}}}};
}

json Item(const std::string& id, const char* showPrice, int price)
{
    return Item(id, id + " title", id + " description", showPrice, price, "0010");
}

// The error reply of a failed store call.
json Failure(const std::string& message, const std::string& requestId, std::uint32_t result)
{
    return {{"channel", "xbox"}, {"message", message}, {"requestId", requestId}, {"third_error_code", Signed(result)}};
}

json Refusal(const std::string& message, const std::string& requestId)
{
    return {{"channel", "xbox"}, {"message", message}, {"requestId", requestId}};
}

int OpenProductQueries() { return Sim({{"op", "state"}})["leftOpen"].value("productQueries", 0); }

class XboxPaymentTest : public XboxChannelTest {
protected:
    // The request's one answer, given at once or in a later Tick; a few more Ticks bring no other.
    Reply Answer(Operation operation, const json& params)
    {
        const std::size_t before = Replies().size();
        ((*channel_).*operation)(params.dump().c_str(), &Record);
        TickUntil([&] { return Replies().size() > before; });
        for (int tick = 0; tick < 5; ++tick) {
            channel_->Tick();
        }
        EXPECT_EQ(Replies().size(), before + 1) << "answered once";
        return Replies().size() > before ? Replies()[before] : Reply{999, json()};
    }

    std::string LastError() { return log_.Messages(Vyro::LogLevel::Error).back(); }
};

TEST_F(XboxPaymentTest, ProductsCollectsEveryPageInOrderIntoOneAnswerAndClosesEachPage)
{
    LoadAndSignIn();
    json catalogue = json::array({
        Product("9A", json::array({Sku("0010", 0.99, "$0.99")})),
        Product("9B", json::array()),
        {{"id", "9C"}, {"title", nullptr}, {"description", nullptr}, {"skus", json::array({Sku(nullptr, 19.999, "$20.00")})}},
        Product("9D", json::array({Sku("0010", 4.995, "$5.00"), Sku("0020", 1, "$1.00")})),
        Product("9E", json::array({Sku("0010", 9.99, "$9.99")}), "durable"),
        Product("9F", json::array({Sku("0010", 0, "Free")})),
        Product("9G", json::array({Sku("0010", 1.005, "$1.01")})),
    });
    // The product's own price text is the one shown, even where its first SKU's reads otherwise.
    json ownPrice = Product("9H", json::array({Sku("0010", 2.5, "$2.50")}));
    ownPrice["price"] = {{"price", 2.5}, {"formatted", "US$2.50"}};
    catalogue.push_back(ownPrice);
    Sim({{"op", "store"}, {"products", catalogue}, {"pageSize", 2}});

    const json request{{"requestId", "p"}, {"productIds", {"9G", 7, "9A", nullptr, "9B", "9C", "9D", "9F", "9E", "9X", "9H"}}};
    const Reply reply = Answer(&XboxChannelSDK::Products, request);

    EXPECT_EQ(reply.code, 0);
    const json products = json::array({Item("9G", "$1.01", 101), Item("9A", "$0.99", 99), Item("9C", "", "", "$20.00", 2000, ""),
                                       Item("9D", "$5.00", 500), Item("9F", "Free", 0), Item("9H", "US$2.50", 250)});
    EXPECT_EQ(reply.body, (json{{"channel", "xbox"}, {"products", products}, {"requestId", "p"}}));
    const json query = Calls("XStoreQueryProductsAsync");
    ASSERT_EQ(query.size(), 1u);
    EXPECT_EQ(query[0]["storeIds"], (json{"9G", "9A", "9B", "9C", "9D", "9F", "9E", "9X", "9H"}));
    EXPECT_EQ(query[0]["productKinds"], 1);
    EXPECT_EQ(query[0]["actionFilters"], json{"Purchase"});
    EXPECT_EQ(Calls("XStoreEnumerateProductsQuery").size(), 4u);
    EXPECT_EQ(Calls("XStoreCloseProductsQueryHandle").size(), 4u);
    EXPECT_EQ(OpenProductQueries(), 0);
}

TEST_F(XboxPaymentTest, ProductsWithoutIdsOrStoreContextIsRefusedAtOnceAndCallsNothing)
{
    for (const json& request : {json{{"requestId", "p"}}, json{{"requestId", "p"}, {"productIds", json::array()}},
                                json{{"requestId", "p"}, {"productIds", {1, false, nullptr}}},
                                json{{"requestId", "p"}, {"productIds", "9A"}}}) {
        channel_->Products(request.dump().c_str(), &Record);
        EXPECT_EQ(Replies().back().body, Refusal(kNoStoreContext, "p")) << request;
        EXPECT_EQ(LastError(), "Store context not initialized");
    }
    LoadAndSignIn();
    for (const json& request : {json{{"requestId", "p"}}, json{{"requestId", "p"}, {"productIds", json::array()}},
                                json{{"requestId", "p"}, {"productIds", {1, false, nullptr}}},
                                json{{"requestId", "p"}, {"productIds", "9A"}}}) {
        const Reply reply = Call(&XboxChannelSDK::Products, request);
        EXPECT_EQ(reply.code, -1);
        EXPECT_EQ(reply.body, Refusal("productIds is required and cannot be empty", "p")) << request;
        EXPECT_EQ(LastError(), "productIds is required and cannot be empty");
    }
    EXPECT_TRUE(Calls("XStoreQueryProductsAsync").empty());
}

struct QueryFailure {
    json program;
    const char* log;
    const char* message;
    std::uint32_t result;
};

TEST_F(XboxPaymentTest, EveryProductQueryFailureAnswersOnceAndLeavesNoPageOpen)
{
    const QueryFailure failures[] = {
        {{{"queryProductsStartResult", "0x80070005"}}, "XStoreQueryProductsAsync failed: 0x80070005",
         "Failed to start XStoreQueryProductsAsync: 0x80070005", 0x80070005},
        {{{"queryProductsResults", {"0x80072EE7"}}}, "XStoreQueryProductsResult failed: 0x80072EE7",
         "Failed to query products: 0x80072EE7", 0x80072EE7},
        {{{"queryProductsResultResult", "0x8007000E"}}, "XStoreQueryProductsResult failed: 0x8007000E",
         "Failed to query products: 0x8007000E", 0x8007000E},
        {{{"enumerateResults", {0, "0x80004005"}}}, "XStoreEnumerateProductsQuery failed: 0x80004005",
         "Failed to enumerate products", 0x80004005},
        {{{"nextPageStartResult", "0x8007000E"}}, "XStoreProductsQueryNextPageAsync failed: 0x8007000E",
         "Failed to start next page query", 0x8007000E},
        {{{"nextPageResults", {0, "0x80072EE7"}}}, "XStoreProductsQueryNextPageResult failed: 0x80072EE7",
         "Failed to get next page", 0x80072EE7},
        {{{"nextPageResultResult", "0x80004005"}}, "XStoreProductsQueryNextPageResult failed: 0x80004005",
         "Failed to get next page", 0x80004005},
    };
    const json healthy{{"op", "store"},
                       {"queryProductsStartResult", 0},
                       {"queryProductsResults", json::array()},
                       {"queryProductsResultResult", 0},
                       {"enumerateResults", json::array()},
                       {"nextPageStartResult", 0},
                       {"nextPageResults", json::array()},
                       {"nextPageResultResult", 0}};
    LoadAndSignIn();
    Sim({{"op", "store"}, {"pageSize", 1}});
    const json request{{"requestId", "q"}, {"productIds", {"9PGEMS0100XB", "9PGEMS0550XB", "9PGEMS1200XB"}}};
    for (const QueryFailure& failure : failures) {
        json program = failure.program;
        program["op"] = "store";
        Sim(program);
        EXPECT_EQ(Answer(&XboxChannelSDK::Products, request).body, Failure(failure.message, "q", failure.result)) << program;
        EXPECT_EQ(LastError(), failure.log);
        EXPECT_EQ(OpenProductQueries(), 0) << program;
        Sim(healthy);
    }
    const std::size_t handedOut = Calls("XStoreQueryProductsResult").size() + Calls("XStoreProductsQueryNextPageResult").size();
    EXPECT_GT(handedOut, 0u);
}

TEST_F(XboxPaymentTest, AProductQueryOutlivesASignOutAndUnloadAnswersOneInFlightOnce)
{
    LoadAndSignIn();
    Sim({{"op", "store"}, {"pageSize", 1}});
    const json request{{"requestId", "q"}, {"productIds", {"9PGEMS0100XB", "9PGEMS0550XB"}}};

    // The query belongs to the store, not to the user's store context that the sign-out closes.
    Sim({{"op", "set"}, {"holdWork", "queued"}});
    channel_->Products(request.dump().c_str(), &Record);
    Sim({{"op", "signOut"}});
    TickUntil([&] { return channel_->GetStoreContext() == nullptr; });
    Sim({{"op", "set"}, {"holdWork", "none"}});
    Sim({{"op", "releaseWork"}});
    TickUntil([&] { return !Replies().empty(); });
    EXPECT_EQ(Replies()[0].body["products"].size(), 2u);
    EXPECT_EQ(Call(&XboxChannelSDK::Products, request).body, Refusal(kNoStoreContext, "q"));
    Sim({{"op", "signIn"}});
    ASSERT_EQ(Answer(&XboxChannelSDK::Login, json::object()).code, 0);
    Replies().clear();

    // Unload with the second page held: its termination aborts it and the query answers inside Unload.
    Sim({{"op", "set"}, {"holdWork", "queued"}});
    channel_->Products(request.dump().c_str(), &Record);
    Sim({{"op", "releaseWork"}});
    TickUntil([&] { return Calls("XStoreProductsQueryNextPageAsync").size() == 2; });
    Sim({{"op", "set"}, {"holdWork", "none"}});
    channel_->Unload("{}", &Record);
    ASSERT_EQ(Replies().size(), 2u);
    EXPECT_EQ(Replies()[0].body, Failure("Failed to get next page", "q", 0x80004004));
    EXPECT_EQ(Replies()[1].code, 0);
    EXPECT_EQ(Calls("XStoreCloseProductsQueryHandle").size(), 3u);
    EXPECT_EQ(Sim({{"op", "state"}})["leftOpen"], json::object());
}

TEST_F(XboxPaymentTest, TenThousandProductIdsAreQueriedInOneCall)
{
    LoadAndSignIn();
    json catalogue = json::array();
    for (int i = 0; i < 100; ++i) {
        catalogue.push_back(Product("P" + std::to_string(i * 100), json::array({Sku("0010", 1.99, "$1.99")})));
    }
    Sim({{"op", "store"}, {"products", catalogue}});
    json ids = json::array();
    for (int i = 0; i < 10000; ++i) {
        ids.push_back("P" + std::to_string(i));
    }
    const Reply reply = Answer(&XboxChannelSDK::Products, {{"productIds", ids}});
    ASSERT_EQ(reply.body["products"].size(), 100u);
    EXPECT_EQ(reply.body["products"][99]["productIdentifier"], "P9900");
    EXPECT_EQ(Calls("XStoreQueryProductsAsync")[0]["storeIds"].size(), 10000u);
    EXPECT_EQ(Calls("XStoreCloseProductsQueryHandle").size(), 4u) << "four pages of 25";
}

TEST_F(XboxPaymentTest, CheckoutBuysTheOfferIdElseTheStoreId)
{
    LoadAndSignIn();
    const json buys[][2] = {
        {{{"offerId", "9A"}, {"storeId", "9B"}}, "9A"},
        {{{"storeId", "9B"}}, "9B"},
        {{{"offerId", 7}, {"storeId", "9B"}}, "9B"},
    };
    for (const auto& [request, storeId] : buys) {
        EXPECT_EQ(Answer(&XboxChannelSDK::Checkout, request).code, 0) << request;
        const json call = Calls("XStoreShowPurchaseUIAsync").back();
        EXPECT_EQ(call["storeId"], storeId) << request;
        EXPECT_EQ(call["name"], nullptr);
        EXPECT_EQ(call["extendedJsonData"], nullptr);
    }
    for (const json& request : {json{{"offerId", ""}, {"storeId", "9B"}, {"requestId", "c"}}, json{{"requestId", "c"}},
                                json{{"offerId", 7}, {"storeId", false}, {"requestId", "c"}}}) {
        EXPECT_EQ(Call(&XboxChannelSDK::Checkout, request).body, Refusal("storeId or offerId is required", "c")) << request;
        EXPECT_EQ(LastError(), "No storeId/offerId provided");
    }
    EXPECT_EQ(Calls("XStoreShowPurchaseUIAsync").size(), 3u);
}

TEST_F(XboxPaymentTest, ThePurchaseDialogAnswersBoughtClosedOrFailed)
{
    LoadAndSignIn();
    Sim({{"op", "store"}, {"purchaseResults", {0, "0x80004004", "0x803F6107"}}});
    const json request{{"offerId", "9A"}, {"requestId", "c"}};
    const Reply bought = Answer(&XboxChannelSDK::Checkout, request);
    EXPECT_EQ(bought.code, 0);
    EXPECT_EQ(bought.body, json::parse(R"({"canceled":false,"channel":"xbox","purchase":{"productIdentifier":"9A",
        "transactionId":"","xbox":{"storeId":"9A"}},"requestId":"c"})"));
    const Reply closed = Answer(&XboxChannelSDK::Checkout, request);
    EXPECT_EQ(closed.code, 0);
    EXPECT_EQ(closed.body, json::parse(R"({"canceled":true,"channel":"xbox","requestId":"c"})"));
    const std::size_t errors = log_.Messages(Vyro::LogLevel::Error).size();
    const Reply failed = Answer(&XboxChannelSDK::Checkout, request);
    EXPECT_EQ(failed.code, -1);
    EXPECT_EQ(failed.body, Failure("Purchase failed: 0x803F6107", "c", 0x803F6107));
    EXPECT_EQ(log_.Messages(Vyro::LogLevel::Error).size(), errors + 1) << "the closed dialog logged nothing";
    EXPECT_EQ(LastError(), "XStoreShowPurchaseUIResult failed: 0x803F6107");

    Sim({{"op", "store"}, {"purchaseStartResult", "0x80070005"}});
    EXPECT_EQ(Call(&XboxChannelSDK::Checkout, request).body, Failure("Failed to show purchase UI: 0x80070005", "c", 0x80070005));
    EXPECT_EQ(LastError(), "XStoreShowPurchaseUIAsync failed: 0x80070005");
}

json Entitlements(const json& xbox) { return {{"requestId", "e"}, {"xbox", xbox}}; }

TEST_F(XboxPaymentTest, CheckEntitlementsAnswersTheCollectionsIdForTheServiceTicket)
{
    LoadAndSignIn();
    for (const json& request : {json{{"requestId", "e"}}, Entitlements("ticket"), Entitlements({{"serviceTicket", 5}}),
                                Entitlements({{"serviceTicket", ""}, {"publisherUserId", "pub"}})}) {
        EXPECT_EQ(Call(&XboxChannelSDK::CheckEntitlements, request).body, Refusal("xbox.serviceTicket is required", "e"))
            << request;
        EXPECT_EQ(LastError(), "xbox.serviceTicket is required");
    }
    Sim({{"op", "store"}, {"collectionsId", "collections-7"}});
    const Reply reply = Answer(&XboxChannelSDK::CheckEntitlements, Entitlements({{"serviceTicket", "t1"}, {"publisherUserId", "pub"}}));
    EXPECT_EQ(reply.body, json::parse(R"({"channel":"xbox","requestId":"e","xbox":{"collectionsId":"collections-7"}})"));
    Answer(&XboxChannelSDK::CheckEntitlements, Entitlements({{"serviceTicket", "t2"}, {"publisherUserId", ""}}));
    const json calls = Calls("XStoreGetUserCollectionsIdAsync");
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0]["serviceTicket"], "t1");
    EXPECT_EQ(calls[0]["publisherUserId"], "pub");
    EXPECT_EQ(calls[1]["publisherUserId"], "") << "the store requires a text, even for no publisher user id";
}

TEST_F(XboxPaymentTest, AnUnrecognisedUserIsSignedInAgainAndAskedOnceMore)
{
    LoadAndSignIn();
    const json request = Entitlements({{"serviceTicket", "t"}});
    const std::size_t signIns = Calls("XUserAddAsync").size();
    Sim({{"op", "store"}, {"collectionsIdResults", {"0x80070525", 0}}});
    EXPECT_EQ(Answer(&XboxChannelSDK::CheckEntitlements, request).code, 0);
    EXPECT_EQ(Calls("XUserAddAsync").size(), signIns + 1);
    EXPECT_EQ(Calls("XStoreGetUserCollectionsIdAsync").size(), 2u);

    Sim({{"op", "store"}, {"collectionsIdResults", {"0x80070525", "0x80070525", 0}}});
    EXPECT_EQ(Answer(&XboxChannelSDK::CheckEntitlements, request).body,
              Failure("Failed to get collections ID size: 0x80070525", "e", 0x80070525));
    EXPECT_EQ(LastError(), "XStoreGetUserCollectionsIdResultSize failed: 0x80070525");
    EXPECT_EQ(Calls("XUserAddAsync").size(), signIns + 2) << "one refresh per request";

    Sim({{"op", "store"}, {"collectionsIdResults", {"0x80070525"}}});
    Sim({{"op", "set"}, {"addUserResults", {"0x89245106"}}});
    const Reply refused = Answer(&XboxChannelSDK::CheckEntitlements, request);
    EXPECT_EQ(refused.body, Refusal("Failed to refresh user session", "e"));
    EXPECT_EQ(LastError(), "Re-login XUserAddResult failed: 0x89245106");
}

TEST_F(XboxPaymentTest, CollectionsIdFailuresCarryTheirHResult)
{
    LoadAndSignIn();
    const json request = Entitlements({{"serviceTicket", "t"}});
    Sim({{"op", "store"}, {"collectionsIdResultSizeResult", "0x80072EE7"}});
    EXPECT_EQ(Answer(&XboxChannelSDK::CheckEntitlements, request).body,
              Failure("Failed to get collections ID size: 0x80072EE7", "e", 0x80072EE7));
    Sim({{"op", "store"}, {"collectionsIdResultSizeResult", 0}, {"collectionsIdResultResult", "0x8007007A"}});
    EXPECT_EQ(Answer(&XboxChannelSDK::CheckEntitlements, request).body,
              Failure("Failed to get collections ID: 0x8007007A", "e", 0x8007007A));
    EXPECT_EQ(LastError(), "XStoreGetUserCollectionsIdResult failed: 0x8007007A");
    Sim({{"op", "store"}, {"collectionsIdStartResult", "0x80070005"}});
    EXPECT_EQ(Call(&XboxChannelSDK::CheckEntitlements, request).body,
              Failure("Failed to start collections ID query: 0x80070005", "e", 0x80070005));
    EXPECT_EQ(LastError(), "XStoreGetUserCollectionsIdAsync failed: 0x80070005");
}

TEST_F(XboxPaymentTest, EveryStoreOperationNeedsTheSignedInUsersStoreContext)
{
    const Operation operations[] = {&XboxChannelSDK::Products, &XboxChannelSDK::Checkout, &XboxChannelSDK::CheckEntitlements};
    const json request{{"requestId", "s"}, {"productIds", {"9A"}}, {"offerId", "9A"}, {"xbox", {{"serviceTicket", "t"}}}};
    LoadAndSignIn();
    Sim({{"op", "signOut"}});
    TickUntil([&] { return channel_->GetStoreContext() == nullptr; });
    for (const Operation operation : operations) {
        const Reply reply = Call(operation, request);
        EXPECT_EQ(reply.code, -1);
        EXPECT_EQ(reply.body, Refusal(kNoStoreContext, "s"));
        EXPECT_EQ(LastError(), "Store context not initialized");
    }
}

} // namespace
} // namespace XboxTest
