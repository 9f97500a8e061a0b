// The simulated Play Games PC runtime in process: control requests, the exact request records it
// journals, purchase flow outcomes, and completions delivered inside the call or on its own thread.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <nlohmann/json.hpp>

#include "GoogleSim.h"
#include "SimControlRequests.h"
#include "channels/google/GoogleApi.h"
#include "common/Platform.h"
#include "core/StoreLibrary.h"

using namespace Vyro;
using nlohmann::json;
using namespace SimControlRequests;

namespace {

json Text(const char* text) { return text == nullptr ? json() : json(text); }

// What one completion received, copied while its records were valid.
struct Completed {
    std::int32_t code = -1;
    json message;
    json value; // null when the completion's record pointer was null
    std::thread::id thread;
};

json Describe(const PlayGames::ProductDetailsList& list)
{
    json products = json::array();
    for (std::uint64_t i = 0; i < list.count; ++i) {
        const PlayGames::ProductDetails& product = list.products[i];
        json offers = json::array();
        for (std::uint64_t j = 0; j < product.offerCount; ++j) {
            const PlayGames::Offer& offer = product.offers[j];
            offers.push_back({offer.priceMicros, Text(offer.currencyCode), Text(offer.formattedPrice), Text(offer.offerId)});
        }
        products.push_back({{"id", Text(product.productId)}, {"title", Text(product.title)}, {"name", Text(product.name)},
                            {"description", Text(product.description)}, {"offers", offers}});
    }
    return products;
}

json Describe(const PlayGames::Purchase& purchase)
{
    return {{"extra", {Text(purchase.firstExtraText), Text(purchase.secondExtraText)}},
            {"transactionId", Text(purchase.transactionId)},
            {"packageName", Text(purchase.packageName)},
            {"productId", Text(purchase.productId)},
            {"purchaseState", purchase.purchaseState},
            {"purchaseTime", purchase.purchaseTime},
            {"purchaseToken", Text(purchase.purchaseToken)},
            {"quantity", purchase.quantity},
            {"acknowledged", purchase.acknowledged},
            {"signature", Text(purchase.signature)},
            {"originalJson", Text(purchase.originalJson)}};
}

json Describe(const PlayGames::PurchaseList& list)
{
    json purchases = json::array();
    for (std::uint64_t i = 0; i < list.count; ++i) {
        purchases.push_back(Describe(list.purchases[i]));
    }
    return purchases;
}

// The context of every request: collects what the completions received, from any thread.
class Recorder {
public:
    template <typename Record>
    static void Add(void* context, const PlayGames::Result* result, const Record* record)
    {
        auto& recorder = *static_cast<Recorder*>(context);
        Completed completed{result->code, Text(result->message), record == nullptr ? json() : Describe(*record),
                            std::this_thread::get_id()};
        const std::lock_guard lock(recorder.mutex_);
        recorder.completed_.push_back(std::move(completed));
    }
    static void AddResult(void* context, const PlayGames::Result* result)
    {
        Add<PlayGames::PurchaseList>(context, result, nullptr);
    }

    std::vector<Completed> Take()
    {
        const std::lock_guard lock(mutex_);
        return std::exchange(completed_, {});
    }

private:
    std::mutex mutex_;
    std::vector<Completed> completed_;
};

constexpr auto OnProducts = &Recorder::Add<PlayGames::ProductDetailsList>;
constexpr auto OnPurchase = &Recorder::Add<PlayGames::Purchase>;
constexpr auto OnPurchases = &Recorder::Add<PlayGames::PurchaseList>;
constexpr auto OnResult = &Recorder::AddResult;

class GoogleSim : public ::testing::Test {
protected:
    void SetUp() override
    {
        Sim({{"op", "reset"}});
        Sim({{"op", "set"}, {"completionMode", "sync"}});
        client = _BillingClient_Create();
        clientNumber = Calls("_BillingClient_Create")[0]["client"];
    }
    void TearDown() override { EXPECT_EQ(Sim({{"op", "drain"}})["pending"], 0); }

    // The one completion the last call delivered.
    Completed Only()
    {
        auto completed = recorder.Take();
        EXPECT_EQ(completed.size(), 1u);
        return completed.empty() ? Completed{} : completed.front();
    }
    void QueryProducts(std::vector<PlayGames::ProductQueryItem> items)
    {
        const PlayGames::ProductQuery query{items.size(), items.data()};
        _BillingClient_QueryProductDetails(client, &query, &recorder, OnProducts);
    }
    void Launch(const char* offerId, const char* accountId = nullptr, const char* profileId = nullptr)
    {
        const PlayGames::PurchaseFlowRequest request{offerId, accountId, profileId, 0, 1};
        _BillingClient_LaunchPurchaseFlow(client, &request, &recorder, OnPurchase);
    }
    void Consume(const char* token)
    {
        const PlayGames::ConsumeRequest request{token};
        _BillingClient_ConsumePurchase(client, &request, &recorder, OnResult);
    }

    Recorder recorder;
    void* client = nullptr;
    json clientNumber; // as the journal names the client
};

} // namespace

TEST_F(GoogleSim, RefusesBadControlRequestsWithAMessageNamingTheFaultAndAppliesNothing)
{
    const std::vector<std::pair<std::string, std::string>> cases{
        {R"({"op":"fly"})", "unknown op \"fly\" (one of reset, set, catalogue, owned, drain, journal, state)"},
        {R"({"op":"set","initcode":2})", "set: unknown member \"initcode\" (it takes initCode, "},
        {R"({"op":"set","initCode":2147483648})", "set: \"initCode\" must be an integer from -2147483648"},
        {R"({"op":"set","initMessage":5})", "set: \"initMessage\" must be a string or null, got 5"},
        {R"({"op":"set","initMessage":"a","initMessageHex":"41"})", "set: give \"initMessage\" or \"initMessageHex\""},
        {R"({"op":"set","completionMode":"async"})", "set: \"completionMode\" must be one of sync, thread, got \"async\""},
        {R"({"op":"set","delayMs":60001})", "set: \"delayMs\" must be an integer from 0 to 60000"},
        {R"({"op":"set","purchaseFlow":"cancel"})", "set: purchaseFlow must be an object, got \"cancel\""},
        {R"({"op":"set","purchaseFlow":{}})", "set: purchaseFlow: \"outcome\" is required"},
        {R"({"op":"set","purchaseFlow":{"outcome":"win"}})", "set: purchaseFlow: \"outcome\" must be one of success, cancel, fail, never"},
        {R"({"op":"set","purchaseFlow":{"outcome":"cancel","code":3}})", "set: purchaseFlow: \"code\" and \"message\" go only with the outcome \"fail\""},
        {R"({"op":"set","purchaseFlow":{"outcome":"fail","reason":3}})", "set: purchaseFlow: unknown member \"reason\""},
        {R"({"op":"set","consumeFailure":{"code":0}})", "set: consumeFailure: \"code\" must be a failure code (not 0), got 0"},
        {R"({"op":"set","queryPurchasesFailure":{"message":"x"}})", "set: queryPurchasesFailure: \"code\" is required"},
        {R"({"op":"catalogue"})", "catalogue: \"products\" is required"},
        {R"({"op":"catalogue","products":{}})", "catalogue: \"products\" must be an array, got {}"},
        {R"({"op":"catalogue","products":[{"id":"a"},5]})", "catalogue: products[1] must be an object, got 5"},
        {R"({"op":"catalogue","products":[{"id":"a","offers":[{"offerId":"x"}]}]})", "catalogue: products[0]: offers[0]: \"priceMicros\" is required"},
        {R"({"op":"catalogue","products":[{"id":"a","offers":[{"offerId":"x","priceMicros":-1}]}]})", "catalogue: products[0]: offers[0]: \"priceMicros\" must be an integer from 0"},
        {R"({"op":"catalogue","products":[{"id":"a"},{"id":"a"}]})", "catalogue: product id \"a\" is given twice"},
        {R"({"op":"catalogue","products":[{"id":"a","offers":[{"offerId":"x","priceMicros":1}]},{"id":"b","offers":[{"offerId":"x","priceMicros":1}]}]})", "catalogue: offer id \"x\" is given twice"},
        {R"({"op":"owned","purchases":[{"purchaseToken":"t"}]})", "owned: purchases[0]: \"productId\" is required"},
        {R"({"op":"owned","purchases":[{"productId":"a","purchaseToken":"t"},{"productId":"b","purchaseToken":"t"}]})", "owned: purchase token \"t\" is given twice"},
        {R"({"op":"drain","timeoutMs":-1})", "drain: \"timeoutMs\" must be an integer from 0 to 600000"},
        {R"({"op":"state","all":true})", "state: unknown member \"all\" (it takes none)"},
    };
    for (const auto& [request, error] : cases) {
        const json reply = Control(request);
        EXPECT_EQ(reply["ok"], false) << request;
        EXPECT_TRUE(reply.value("error", "").starts_with(error)) << request << " -> " << reply;
    }
    EXPECT_EQ(json::parse(VyroSim_Control(nullptr))["error"], "no request: the control text is null");

    // A request with one bad member applies none of its members.
    EXPECT_EQ(Control(R"({"op":"set","initCode":3,"purchaseFlow":{"outcome":"never"},"delayMs":-5})")["ok"], false);
    EXPECT_EQ(Control(R"({"op":"catalogue","products":[{"id":"a"},{"id":7}]})")["ok"], false);
    const json state = Sim({{"op", "state"}});
    EXPECT_EQ(state["catalogue"], json({"gems_100", "gems_500", "starter_pack", "season_pass"}));
    EXPECT_EQ(state["completionMode"], "sync");
    Launch("gems_100_offer");
    EXPECT_EQ(Only().code, 0);
    _GooglePlayInitialize(&recorder, OnResult);
    EXPECT_EQ(Only().code, 0);
}

TEST_F(GoogleSim, InitializeAnswersTheProgrammedCodeAndMessageIncludingNullAndRawBytes)
{
    EXPECT_EQ(Sim({{"op", "state"}})["initialised"], false);
    _GooglePlayInitialize(&recorder, OnResult);
    Completed completed = Only();
    EXPECT_EQ(completed.code, 0);
    EXPECT_EQ(completed.message, nullptr);
    EXPECT_EQ(Sim({{"op", "state"}})["initialised"], true);

    Sim({{"op", "set"}, {"initCode", 2}});
    _GooglePlayInitialize(&recorder, OnResult);
    completed = Only();
    EXPECT_EQ(completed.code, 2);
    EXPECT_EQ(completed.message, "Play Games initialisation failed (code 2)");

    Sim({{"op", "set"}, {"initCode", 3}, {"initMessage", nullptr}});
    _GooglePlayInitialize(&recorder, OnResult);
    EXPECT_EQ(Only().message, nullptr);

    Sim({{"op", "set"}, {"initCode", 7}, {"initMessageHex", "41ff42"}});
    std::string raw;
    _GooglePlayInitialize(&raw, [](void* context, const PlayGames::Result* result) {
        *static_cast<std::string*>(context) = result->message;
    });
    EXPECT_EQ(raw, "A\xFF" "B");

    _GooglePlayInitialize(&recorder, nullptr);
    const json calls = Calls("_GooglePlayInitialize");
    ASSERT_EQ(calls.size(), 5u);
    EXPECT_EQ(calls[1], json({{"fn", "_GooglePlayInitialize"}, {"code", 2}, {"message", "Play Games initialisation failed (code 2)"}}));
    EXPECT_EQ(calls[4], json({{"fn", "_GooglePlayInitialize"}, {"error", "null completion: nothing to answer through"}}));
}

TEST_F(GoogleSim, ClientHandlesAreDistinctAndAnUnknownOrDestroyedOneFailsEveryRequest)
{
    void* second = _BillingClient_Create();
    ASSERT_NE(client, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(client, second);
    const std::uint64_t secondNumber = Calls("_BillingClient_Create")[1]["client"];
    EXPECT_EQ(secondNumber, clientNumber.get<std::uint64_t>() + 1);
    _BillingClient_Destroy(second);
    _BillingClient_Destroy(second);
    EXPECT_EQ(Calls("_BillingClient_Destroy"),
              json({{{"fn", "_BillingClient_Destroy"}, {"client", secondNumber}},
                    {{"fn", "_BillingClient_Destroy"}, {"client", nullptr}, {"error", "Billing client is not valid"}}}));

    // A handle from before a reset is not mistaken for a client made after it.
    Sim({{"op", "reset"}});
    Sim({{"op", "set"}, {"completionMode", "sync"}});
    void* fresh = _BillingClient_Create();
    EXPECT_NE(fresh, client);
    EXPECT_EQ(Calls("_BillingClient_Create")[0], json({{"fn", "_BillingClient_Create"}, {"client", secondNumber + 1},
                                                       {"initialised", false}}));
    for (void* stale : {client, second, static_cast<void*>(&recorder)}) {
        _BillingClient_QueryPurchases(stale, &recorder, OnPurchases);
        const Completed completed = Only();
        EXPECT_EQ(completed.code, 6);
        EXPECT_EQ(completed.message, "Billing client is not valid");
        EXPECT_EQ(completed.value, nullptr);
    }
    EXPECT_EQ(Calls("_BillingClient_QueryPurchases")[0],
              json({{"fn", "_BillingClient_QueryPurchases"}, {"client", nullptr}, {"code", 6}, {"message", "Billing client is not valid"}}));
    const PlayGames::ConsumeRequest consume{"token-7"};
    _BillingClient_ConsumePurchase(client, &consume, &recorder, OnResult);
    EXPECT_EQ(Only().code, 6);
    EXPECT_EQ(Calls("_BillingClient_ConsumePurchase")[0]["purchaseToken"], "token-7") << "the request, journalled all the same";
    EXPECT_EQ(Sim({{"op", "state"}})["clients"], json({secondNumber + 1}));
}

TEST_F(GoogleSim, ProductQueriesAreJournalledExactlyAndAnsweredFromTheCatalogueInQueryOrder)
{
    QueryProducts({{"season_pass", 1}, {"unknown", 1}, {"gems_100", 2}, {nullptr, 1}, {"starter_pack", 1}, {"gems_500", 1}});
    Completed completed = Only();
    EXPECT_EQ(completed.code, 0);
    ASSERT_EQ(completed.value.size(), 3u) << completed.value;
    EXPECT_EQ(completed.value[0]["offers"], json::array()) << "season_pass has no offer";
    EXPECT_EQ(completed.value[1]["title"], "Pack de d\xC3\xA9marrage \xE2\x9A\x94");
    EXPECT_EQ(completed.value[2]["offers"], json({{4990000, "USD", "$4.99", "gems_500_offer"},
                                                  {3990000, "USD", "$3.99", "gems_500_launch_offer"}}));
    EXPECT_EQ(Calls("_BillingClient_QueryProductDetails")[0]["query"],
              json({{"count", 6},
                    {"items", {{{"productId", "season_pass"}, {"productType", 1}}, {{"productId", "unknown"}, {"productType", 1}},
                               {{"productId", "gems_100"}, {"productType", 2}}, {{"productId", nullptr}, {"productType", 1}},
                               {{"productId", "starter_pack"}, {"productType", 1}}, {{"productId", "gems_500"}, {"productType", 1}}}}}));

    QueryProducts({});
    EXPECT_EQ(Only().value, json::array());
    _BillingClient_QueryProductDetails(client, nullptr, &recorder, OnProducts);
    EXPECT_EQ(Only().code, 5);

    Sim({{"op", "catalogue"},
         {"products", {{{"id", "coins"}, {"offers", {{{"priceMicros", 1990000}, {"currencyCode", "EUR"}, {"offerId", "c"}}}}}}}});
    QueryProducts({{"coins", 1}, {"gems_100", 1}});
    EXPECT_EQ(Only().value, json({{{"id", "coins"}, {"title", "coins"}, {"name", "coins"}, {"description", ""},
                                   {"offers", {{1990000, "EUR", "1.99 EUR", "c"}}}}}));

    Sim({{"op", "set"}, {"queryProductsFailure", {{"code", 2}}}});
    QueryProducts({{"coins", 1}});
    completed = Only();
    EXPECT_EQ(completed.code, 2);
    EXPECT_EQ(completed.message, "The Play Games service is unavailable");
    EXPECT_EQ(completed.value, nullptr);
    Sim({{"op", "set"}, {"queryProductsFailure", nullptr}});
    QueryProducts({{"coins", 1}});
    EXPECT_EQ(Only().code, 0);
}

TEST_F(GoogleSim, PurchaseFlowJournalsTheRequestRecordAndAnswersEachOutcome)
{
    const PlayGames::PurchaseFlowRequest request{"gems_500_launch_offer", "account-7", nullptr, 9, 42};
    _BillingClient_LaunchPurchaseFlow(client, &request, &recorder, OnPurchase);
    Completed completed = Only();
    ASSERT_EQ(completed.code, 0);
    EXPECT_EQ(completed.message, nullptr);
    const json& purchase = completed.value;
    EXPECT_EQ(purchase["productId"], "gems_500");
    EXPECT_EQ(purchase["extra"], json({"account-7", ""}));
    EXPECT_EQ(purchase["transactionId"], "GPA.3345-7721-0094-00001");
    EXPECT_EQ(purchase["packageName"], "com.example.game");
    EXPECT_EQ(purchase["quantity"], 1);
    EXPECT_EQ(purchase["acknowledged"], false);
    EXPECT_EQ(json::parse(purchase["originalJson"].get<std::string>())["purchaseToken"], purchase["purchaseToken"]);
    EXPECT_NEAR(purchase["purchaseTime"].get<double>(),
                std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::system_clock::now().time_since_epoch()).count(),
                60000);
    EXPECT_EQ(Calls("_BillingClient_LaunchPurchaseFlow")[0],
              json({{"fn", "_BillingClient_LaunchPurchaseFlow"}, {"client", clientNumber}, {"code", 0}, {"message", nullptr},
                    {"productId", "gems_500"}, {"purchaseToken", purchase["purchaseToken"]},
                    {"request", {{"offerId", "gems_500_launch_offer"}, {"obfuscatedAccountId", "account-7"},
                                 {"obfuscatedProfileId", nullptr}, {"flag", 9}, {"trailingValue", 42}}}}));
    EXPECT_EQ(Sim({{"op", "state"}})["owned"], json({"sim-token.starter_pack.0000", purchase["purchaseToken"]}));

    // A product owned already is not sold again; an unknown offer is refused whatever the outcome.
    Launch("gems_500_offer");
    completed = Only();
    EXPECT_EQ(completed.code, 7);
    EXPECT_EQ(completed.message, "Item already owned");
    EXPECT_EQ(completed.value, nullptr);
    Sim({{"op", "set"}, {"purchaseFlow", {{"outcome", "never"}}}});
    Launch("no_such_offer");
    EXPECT_EQ(Only().message, "Item unavailable");

    Launch("gems_500_offer");
    EXPECT_TRUE(recorder.Take().empty()) << "never";
    const json withheld = Calls("_BillingClient_LaunchPurchaseFlow").back();
    EXPECT_EQ(withheld["code"], nullptr);
    EXPECT_EQ(Sim({{"op", "state"}})["withheld"], 1);

    Sim({{"op", "set"}, {"purchaseFlow", {{"outcome", "cancel"}}}});
    Launch("gems_100_offer");
    completed = Only();
    EXPECT_EQ(completed.code, PlayGames::kPurchaseFlowCanceled);
    EXPECT_EQ(completed.value, nullptr);

    Sim({{"op", "set"}, {"purchaseFlow", {{"outcome", "fail"}, {"code", 3}, {"message", "Card declined"}}}});
    Launch("gems_100_offer");
    completed = Only();
    EXPECT_EQ(completed.code, 3);
    EXPECT_EQ(completed.message, "Card declined");
    EXPECT_EQ(Sim({{"op", "state"}})["owned"].size(), 2u) << "no purchase made by cancel, fail or never";
}

TEST_F(GoogleSim, OwnedPurchasesAreListedWithEveryFieldAndConsumedByToken)
{
    _BillingClient_QueryPurchases(client, &recorder, OnPurchases);
    Completed completed = Only();
    ASSERT_EQ(completed.value.size(), 1u);
    const json& owned = completed.value[0];
    EXPECT_EQ(owned["productId"], "starter_pack");
    EXPECT_EQ(owned["acknowledged"], true);
    EXPECT_EQ(owned["purchaseTime"], 1735689600000);
    EXPECT_EQ(owned["purchaseState"], 1);
    EXPECT_TRUE(owned["transactionId"].get<std::string>().starts_with("GPA."));
    EXPECT_EQ(json::parse(owned["originalJson"].get<std::string>())["orderId"], owned["transactionId"]);
    EXPECT_FALSE(owned["signature"].get<std::string>().empty());

    Consume("sim-token.starter_pack.0000");
    EXPECT_EQ(Only().code, 0);
    Consume("sim-token.starter_pack.0000");
    completed = Only();
    EXPECT_EQ(completed.code, 8);
    EXPECT_EQ(completed.message, "Item not owned");
    _BillingClient_ConsumePurchase(client, nullptr, &recorder, OnResult);
    EXPECT_EQ(Only().code, 5);
    EXPECT_EQ(Calls("_BillingClient_ConsumePurchase")[1],
              json({{"fn", "_BillingClient_ConsumePurchase"}, {"client", clientNumber}, {"purchaseToken", "sim-token.starter_pack.0000"},
                    {"code", 8}, {"message", "Item not owned"}}));

    Sim({{"op", "owned"},
         {"purchases", {{{"productId", "gems_100"}, {"quantity", 3}, {"firstExtraText", "acc"}},
                        {{"productId", "gems_500"}, {"purchaseToken", "t2"}, {"signature", "sig"}}}}});
    _BillingClient_QueryPurchases(client, &recorder, OnPurchases);
    completed = Only();
    ASSERT_EQ(completed.value.size(), 2u);
    EXPECT_EQ(completed.value[0]["purchaseToken"], "sim-token.gems_100.0001");
    EXPECT_EQ(completed.value[0]["quantity"], 3);
    EXPECT_EQ(completed.value[0]["extra"], json({"acc", ""}));
    EXPECT_EQ(completed.value[1]["signature"], "sig");
    Launch("gems_100_offer");
    EXPECT_EQ(Only().code, 7);
    Launch("starter_pack_offer");
    EXPECT_EQ(Only().value["transactionId"], "GPA.3345-7721-0094-00003") << "numbered after the programmed ones";

    Sim({{"op", "set"}, {"consumeFailure", {{"code", 6}, {"message", "Try again later"}}}, {"queryPurchasesFailure", {{"code", 2}}}});
    Consume("t2");
    EXPECT_EQ(Only().message, "Try again later");
    _BillingClient_QueryPurchases(client, &recorder, OnPurchases);
    completed = Only();
    EXPECT_EQ(completed.code, 2);
    EXPECT_EQ(completed.value, nullptr);
    EXPECT_EQ(Sim({{"op", "state"}})["owned"].size(), 3u);
}

TEST_F(GoogleSim, ThreadModeDeliversOnTheRuntimesThreadAfterTheDelayAndDrainWaitsForIt)
{
    const std::thread::id self = std::this_thread::get_id();
    _GooglePlayInitialize(&recorder, OnResult);
    EXPECT_EQ(Only().thread, self) << "sync: inside the call";

    Sim({{"op", "set"}, {"completionMode", "thread"}, {"delayMs", 500}});
    _GooglePlayInitialize(&recorder, OnResult);
    Launch("gems_100_offer");
    Consume("sim-token.starter_pack.0000");
    EXPECT_TRUE(recorder.Take().empty()) << "not before the delay";
    EXPECT_EQ(Sim({{"op", "state"}})["pending"], 3);
    EXPECT_EQ(Sim({{"op", "drain"}, {"timeoutMs", 0}})["pending"], 3);
    EXPECT_EQ(Sim({{"op", "drain"}})["pending"], 0);
    const std::vector<Completed> completed = recorder.Take();
    ASSERT_EQ(completed.size(), 3u);
    EXPECT_EQ(completed[0].message, nullptr) << "in the order they were made";
    EXPECT_EQ(completed[1].value["productId"], "gems_100");
    EXPECT_EQ(completed[2].code, 0);
    for (const Completed& each : completed) {
        EXPECT_NE(each.thread, self);
        EXPECT_EQ(each.thread, completed[0].thread) << "one thread of the runtime's own";
    }
}

TEST_F(GoogleSim, RequestRecordsMayDieWithTheCallAndCompletionsMayCallBackIn)
{
    Sim({{"op", "set"}, {"completionMode", "thread"}, {"delayMs", 50}});
    {
        std::string offer = "gems_100_offer";
        std::string product = "gems_500";
        std::string token = "sim-token.starter_pack.0000";
        Launch(offer.c_str());
        QueryProducts({{product.c_str(), 1}});
        Consume(token.c_str());
        // The caller's texts change and go before the completions run.
        offer.assign(offer.size(), 'x');
        product.assign(product.size(), 'x');
        token.assign(token.size(), 'x');
    }
    EXPECT_EQ(Sim({{"op", "drain"}})["pending"], 0);
    std::vector<Completed> completed = recorder.Take();
    ASSERT_EQ(completed.size(), 3u);
    EXPECT_EQ(completed[0].value["productId"], "gems_100");
    EXPECT_EQ(completed[1].value[0]["id"], "gems_500");
    EXPECT_EQ(completed[2].code, 0);

    // A completion on the runtime's thread asks again and reads the journal; it cannot drain.
    struct Reentry {
        void* client;
        Recorder* recorder;
        std::string drainError;
        std::size_t journalled = 0;
    } reentry{client, &recorder, {}, 0};
    _BillingClient_QueryPurchases(client, &reentry, [](void* context, const PlayGames::Result*, const PlayGames::PurchaseList*) {
        auto& self = *static_cast<Reentry*>(context);
        _BillingClient_QueryPurchases(self.client, self.recorder, OnPurchases);
        self.drainError = Control(R"({"op":"drain"})").value("error", "");
        self.journalled = Control(R"({"op":"journal"})")["count"];
    });
    EXPECT_EQ(Sim({{"op", "drain"}})["pending"], 0);
    EXPECT_EQ(reentry.drainError, "drain: called from a completion on the runtime's completion thread, which cannot wait for itself");
    EXPECT_EQ(reentry.journalled, 6u) << "the inner request included";
    completed = recorder.Take();
    ASSERT_EQ(completed.size(), 1u);
    EXPECT_EQ(completed[0].value.size(), 1u) << "the purchase made above";
}

// The built runtime file, as the channel binds it.
TEST(GoogleSimRuntimeFile, ExportsEveryFunctionTheChannelBindsAndDeliversOnItsOwnThread)
{
    const auto folder = std::filesystem::absolute(SIM_GOOGLE_RUNTIME).parent_path();
    const auto library = StoreLibrary::Load(folder.wstring(), PlayGames::kRuntimeFileName);
    ASSERT_NE(library, nullptr);
    // Its completion thread is about to start inside it.
    library->KeepLoadedForProcess();
    PlayGames::PlayGamesApi api;
    ASSERT_TRUE(PlayGames::BindPlayGamesApi(*library, api));
    const char* (*control)(const char*) = nullptr;
    ASSERT_TRUE(library->Bind("VyroSim_Control", control));
    ASSERT_NE(control, &VyroSim_Control);

    Recorder recorder;
    api.initialize(&recorder, OnResult);
    EXPECT_EQ(json::parse(control(R"({"op":"drain"})"))["pending"], 0);
    const auto completed = recorder.Take();
    ASSERT_EQ(completed.size(), 1u);
    EXPECT_EQ(completed[0].code, 0);
    EXPECT_NE(completed[0].thread, std::this_thread::get_id());
    EXPECT_EQ(json::parse(control(R"({"op":"journal"})"))["count"], 1) << "a state of its own";

    const auto version = Platform::GetFileVersion(std::filesystem::absolute(SIM_GOOGLE_RUNTIME).make_preferred().wstring());
    EXPECT_EQ(version, (Platform::FileVersion{1, 0, 0, 0}));
}
