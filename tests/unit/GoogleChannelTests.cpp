// The Google channel driven through a function table that points at the simulated Play Games
// runtime, linked in. Completions run inside the SDK call unless a test asks for the simulator's
// own thread.
#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <stdexcept>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "LogCapture.h"
#include "SimulatedPlayGamesApi.h"
#include "channels/google/GoogleChannelSDK.h"

using namespace Vyro;
using nlohmann::json;
using VyroTest::LogCapture;

namespace {

constexpr int kError = 4;

struct Reply {
    int code;
    json body;
};

// Completions may answer on the simulator's thread.
std::mutex repliesMutex;
std::vector<Reply> replies;

void Record(int code, const char* text)
{
    const std::lock_guard lock(repliesMutex);
    replies.push_back({code, json::parse(text)});
}

std::vector<Reply> Replies()
{
    const std::lock_guard lock(repliesMutex);
    return replies;
}

json Sim(const json& request)
{
    const json reply = json::parse(VyroSim_Control(request.dump().c_str()));
    EXPECT_TRUE(reply.value("ok", false)) << request << " -> " << reply;
    return reply;
}

json Journal(const std::string& function) { return Sim({{"op", "journal"}, {"fn", function}}); }

class GoogleChannel : public ::testing::Test {
protected:
    void SetUp() override
    {
        {
            const std::lock_guard lock(repliesMutex);
            replies.clear();
        }
        Sim({{"op", "reset"}});
        Sim({{"op", "set"}, {"completionMode", "sync"}});
    }

    void Initialise()
    {
        channel.Init("{}", Record);
        ASSERT_EQ(Replies().back().code, 0) << Replies().back().body;
    }

    // The one reply to a request made after Init.
    Reply Ask(void (GoogleChannelSDK::*operation)(const char*, ResultCallback), const json& params)
    {
        const std::size_t before = Replies().size();
        (channel.*operation)(params.dump().c_str(), Record);
        Sim({{"op", "drain"}});
        const std::vector<Reply> all = Replies();
        EXPECT_EQ(all.size(), before + 1) << "exactly one answer";
        return all.size() > before ? all[before] : Reply{0, nullptr};
    }

    LogCapture log;
    GoogleChannelSDK channel{LazyStoreApi<PlayGames::PlayGamesApi>(PlayGamesSim::SimulatedPlayGamesApi())};
};

} // namespace

TEST_F(GoogleChannel, LoadAndLoginAnswerLocallyAndUnloadIsNotImplemented)
{
    channel.Load("{\"requestId\":\"l\"}", Record);
    channel.Login("{\"requestId\":\"r1\"}", Record);
    channel.Unload("{\"requestId\":\"u\"}", Record);
    channel.AuthToken("{}", Record);
    const auto all = Replies();
    ASSERT_EQ(all.size(), 4u);
    EXPECT_EQ(all[0].body, json({{"channel", "google"}}));
    EXPECT_EQ(all[1].code, 0);
    EXPECT_EQ(all[1].body, json({{"authenticated", true},
                                 {"channel", "google"},
                                 {"message", "User authenticated via Google Play"},
                                 {"requestId", "r1"}}));
    EXPECT_EQ(all[2].code, -1);
    EXPECT_EQ(all[2].body, json({{"channel", "google"}, {"message", "Not implemented"}, {"requestId", "u"}}));
    EXPECT_EQ(all[3].code, -1);
    EXPECT_EQ(Journal("_GooglePlayInitialize")["count"], 0);
}

TEST_F(GoogleChannel, BillingBeforeInitIsRefusedWithoutRequestId)
{
    using Operation = void (GoogleChannelSDK::*)(const char*, ResultCallback);
    const std::pair<Operation, const char*> operations[] = {{&GoogleChannelSDK::Products, "Products"},
                                                            {&GoogleChannelSDK::Checkout, "Checkout"},
                                                            {&GoogleChannelSDK::CheckEntitlements, "CheckEntitlements"},
                                                            {&GoogleChannelSDK::Consume, "Consume"}};
    const std::string refusal = R"({"channel":"google","message":"BillingClient not initialized"})";
    for (const auto& [operation, name] : operations) {
        (channel.*operation)(R"({"requestId":"r","productIds":["a"],"offerId":"o","purchaseToken":"t"})", Record);
        EXPECT_EQ(Replies().back().code, -1);
        EXPECT_EQ(Replies().back().body.dump(), refusal);
        EXPECT_EQ(log.Messages(kError).back(), std::string(name) + " error response: " + refusal);
    }
    // Without a callback only the first line is logged.
    channel.Products("{}", nullptr);
    EXPECT_EQ(log.Messages(kError).back(), "BillingClient not initialized");
}

TEST_F(GoogleChannel, InitMapsSdkCodesAndCanBeRetried)
{
    for (const auto& [sdkCode, code] : {std::pair{2, -1001}, std::pair{3, -1004}, std::pair{7, -1}}) {
        Sim({{"op", "set"}, {"initCode", sdkCode}, {"initMessage", "no service"}});
        channel.Init("{\"requestId\":\"i\"}", Record);
        EXPECT_EQ(Replies().back().code, code);
        EXPECT_EQ(Replies().back().body, json({{"channel", "google"}, {"message", "no service"}}));
        const auto errors = log.Messages(kError);
        EXPECT_EQ(errors[errors.size() - 2],
                  "Google Play SDK initialization failed: code=" + std::to_string(sdkCode) + ", message=no service");
        EXPECT_EQ(errors.back(), R"(Init error response: {"channel":"google","message":"no service"})");
    }
    channel.Products("{}", Record);
    EXPECT_EQ(Replies().back().body["message"], "BillingClient not initialized");

    Sim({{"op", "set"}, {"initCode", 0}});
    Initialise();
    channel.Init("{}", Record);
    EXPECT_EQ(Replies().back().body, json({{"channel", "google"}}));
    EXPECT_EQ(Journal("_GooglePlayInitialize")["count"], 4);
    EXPECT_EQ(Journal("_BillingClient_Create")["count"], 1);
}

TEST_F(GoogleChannel, InitWaitsForACompletionFromAnotherThread)
{
    Sim({{"op", "set"}, {"completionMode", "thread"}, {"delayMs", 30}});
    channel.Init("{}", Record);
    ASSERT_EQ(Replies().size(), 1u);
    EXPECT_EQ(Replies()[0].code, 0);
}

TEST_F(GoogleChannel, ProductsQueryTheStringIdsInOrderAndReportTheFirstOffer)
{
    Initialise();
    Sim({{"op", "catalogue"},
         {"products",
          {{{"id", "gems"},
            {"title", "Gems ✦"},
            {"name", "gems"},
            {"description", "A pile"},
            {"offers",
             {{{"priceMicros", 1990000}, {"currencyCode", "EUR"}, {"formattedPrice", "1,99 €"}, {"offerId", "gems-1"}},
              {{"priceMicros", 5}, {"currencyCode", "EUR"}, {"formattedPrice", "x"}, {"offerId", "gems-2"}}}}},
           {{"id", "pass"}, {"title", "Pass"}, {"name", "pass"}, {"description", ""}, {"offers", json::array()}}}}});
    const Reply reply = Ask(&GoogleChannelSDK::Products, {{"requestId", "p1"}, {"productIds", {"pass", 5, "gems"}}});
    EXPECT_EQ(reply.code, 0);
    EXPECT_EQ(reply.body, json({{"channel", "google"},
                                {"requestId", "p1"},
                                {"products",
                                 {{{"productIdentifier", "pass"},
                                   {"localizedTitle", "Pass"},
                                   {"localizedDescription", ""},
                                   {"productName", "pass"}},
                                  {{"productIdentifier", "gems"},
                                   {"localizedTitle", "Gems ✦"},
                                   {"localizedDescription", "A pile"},
                                   {"productName", "gems"},
                                   {"currencyCode", "EUR"},
                                   {"showPrice", "1,99 €"},
                                   {"price", 1.99},
                                   {"offerId", "gems-1"}}}}}));
    const json query = Journal("_BillingClient_QueryProductDetails")["calls"][0];
    EXPECT_EQ(query["query"], json({{"count", 2},
                                    {"items", {{{"productId", "pass"}, {"productType", 1}},
                                               {{"productId", "gems"}, {"productType", 1}}}}}));
}

TEST_F(GoogleChannel, ProductsNeedAnArrayOfIds)
{
    Initialise();
    for (const json& params : {json{{"requestId", "p"}}, json{{"requestId", "p"}, {"productIds", "gems"}},
                               json{{"requestId", "p"}, {"productIds", nullptr}}}) {
        const Reply reply = Ask(&GoogleChannelSDK::Products, params);
        EXPECT_EQ(reply.body, json({{"channel", "google"}, {"message", "Missing or invalid product_ids parameter"}, {"requestId", "p"}}));
    }
    EXPECT_EQ(Journal("_BillingClient_QueryProductDetails")["count"], 0);

    json many = json::array();
    for (int i = 0; i < 10000; ++i) {
        many.push_back("product-" + std::to_string(i));
    }
    EXPECT_EQ(Ask(&GoogleChannelSDK::Products, {{"productIds", many}}).body["products"], json::array());
    EXPECT_EQ(Journal("_BillingClient_QueryProductDetails")["calls"][0]["query"]["count"], 10000);
}

TEST_F(GoogleChannel, CheckoutPassesTheRequestRecordAndReportsThePurchase)
{
    Initialise();
    const Reply bought = Ask(&GoogleChannelSDK::Checkout,
                             {{"requestId", "c1"},
                              {"offerId", "gems_100_offer"},
                              {"google", {{"obfuscatedAccountId", ""}, {"obfuscatedProfileId", "profile-7"}}}});
    EXPECT_EQ(bought.code, 0);
    EXPECT_EQ(bought.body["canceled"], false);
    EXPECT_EQ(bought.body["purchase"]["productIdentifier"], "gems_100");
    const json purchaseGoogle = bought.body["purchase"]["google"];
    for (const char* field : {"purchaseToken", "purchaseState", "acknowledged", "quantity", "purchaseTime", "packageName",
                              "signature", "originalJson"}) {
        EXPECT_TRUE(purchaseGoogle.contains(field)) << field;
    }
    const json flow = Journal("_BillingClient_LaunchPurchaseFlow")["calls"][0]["request"];
    EXPECT_EQ(flow["offerId"], "gems_100_offer");
    EXPECT_EQ(flow["obfuscatedAccountId"], nullptr);
    EXPECT_EQ(flow["obfuscatedProfileId"], "profile-7");
    EXPECT_EQ(flow["flag"], 0);
    EXPECT_EQ(flow["trailingValue"], 1);

    Ask(&GoogleChannelSDK::Checkout, {{"offerId", "gems_100_offer"}, {"google", "not an object"}});
    const json second = Journal("_BillingClient_LaunchPurchaseFlow")["calls"][1]["request"];
    EXPECT_EQ(second["obfuscatedAccountId"], nullptr);
    EXPECT_EQ(second["obfuscatedProfileId"], nullptr);

    EXPECT_EQ(Ask(&GoogleChannelSDK::Checkout, {{"requestId", "c2"}, {"offerId", 5}}).body,
              json({{"channel", "google"}, {"message", "Missing or invalid offer_id parameter"}, {"requestId", "c2"}}));
}

TEST_F(GoogleChannel, CheckoutCancelAndFailure)
{
    Initialise();
    Sim({{"op", "set"}, {"purchaseFlow", {{"outcome", "cancel"}}}});
    const Reply canceled = Ask(&GoogleChannelSDK::Checkout, {{"requestId", "c"}, {"offerId", "gems_100_offer"}});
    EXPECT_EQ(canceled.code, 0);
    EXPECT_EQ(canceled.body, json({{"canceled", true}, {"channel", "google"}, {"requestId", "c"}}));

    Sim({{"op", "set"}, {"purchaseFlow", {{"outcome", "fail"}, {"code", 5}, {"message", "Developer error"}}}});
    const Reply failed = Ask(&GoogleChannelSDK::Checkout, {{"requestId", "f"}, {"offerId", "gems_100_offer"}});
    EXPECT_EQ(failed.code, -1);
    EXPECT_EQ(failed.body, json({{"channel", "google"}, {"message", "Developer error"}, {"requestId", "f"}}));
    const auto errors = log.Messages(kError);
    EXPECT_EQ(errors[errors.size() - 2], "LaunchPurchaseFlow failed: code=5, message=Developer error");

    // A flow whose completion never comes is simply not answered.
    Sim({{"op", "set"}, {"purchaseFlow", {{"outcome", "never"}}}});
    const std::size_t before = Replies().size();
    channel.Checkout(R"({"offerId":"gems_100_offer"})", Record);
    Sim({{"op", "drain"}});
    EXPECT_EQ(Replies().size(), before);
}

TEST_F(GoogleChannel, EntitlementsAndConsumption)
{
    Initialise();
    const Reply owned = Ask(&GoogleChannelSDK::CheckEntitlements, {{"requestId", "e"}});
    ASSERT_EQ(owned.code, 0);
    const json purchases = owned.body["google"]["purchases"];
    ASSERT_FALSE(purchases.empty());
    const std::string token = purchases[0]["google"]["purchaseToken"];

    EXPECT_EQ(Ask(&GoogleChannelSDK::Consume, {{"requestId", "k"}, {"purchaseToken", token}}).body,
              json({{"channel", "google"}, {"requestId", "k"}}));
    EXPECT_EQ(Journal("_BillingClient_ConsumePurchase")["calls"][0]["purchaseToken"], token);
    const Reply again = Ask(&GoogleChannelSDK::Consume, {{"requestId", "k2"}, {"purchaseToken", token}});
    EXPECT_EQ(again.code, -1);
    EXPECT_EQ(again.body["requestId"], "k2");
    EXPECT_EQ(Ask(&GoogleChannelSDK::Consume, {{"requestId", "k3"}}).body,
              json({{"channel", "google"}, {"message", "Missing or invalid purchaseToken parameter"}, {"requestId", "k3"}}));

    Sim({{"op", "set"}, {"queryPurchasesFailure", {{"code", 6}, {"message", "Service unavailable"}}}});
    EXPECT_EQ(Ask(&GoogleChannelSDK::CheckEntitlements, {{"requestId", "e2"}}).body,
              json({{"channel", "google"}, {"message", "Service unavailable"}, {"requestId", "e2"}}));
}

TEST_F(GoogleChannel, SdkMessagesThatAreNullOrNotUtf8StillGiveJson)
{
    Sim({{"op", "set"}, {"initCode", 9}, {"initMessageHex", "626164FF"}});
    channel.Init("{}", Record);
    EXPECT_EQ(Replies().back().body["message"], "bad\xEF\xBF\xBD");
    Sim({{"op", "set"}, {"initCode", 9}, {"initMessage", nullptr}});
    channel.Init("{}", Record);
    EXPECT_EQ(Replies().back().body, json({{"channel", "google"}, {"message", ""}}));
}

TEST_F(GoogleChannel, AConsumeCallbackThatThrowsIsAnsweredOnce)
{
    Initialise();
    static std::atomic<int> calls{0};
    calls = 0;
    channel.Consume(R"({"purchaseToken":"no-such-token"})", [](int, const char*) {
        ++calls;
        throw std::runtime_error("game failed");
    });
    Sim({{"op", "drain"}});
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(log.Messages(kError).back(), "Exception in ConsumePurchase callback: game failed");
}

TEST_F(GoogleChannel, CompletionsOnTheSimulatorThreadWhileTheGameTicks)
{
    Initialise();
    Sim({{"op", "set"}, {"completionMode", "thread"}});
    constexpr int kRequests = 50;
    for (int i = 0; i < kRequests; ++i) {
        channel.Products(R"({"productIds":["gems_100"]})", Record);
        channel.CheckEntitlements("{}", Record);
        channel.Tick();
    }
    Sim({{"op", "drain"}});
    EXPECT_EQ(Replies().size(), 1u + 2 * kRequests);
}
