// The Epic channel's offers, checkout and entitlements against the simulated EOS runtime.
#include "EpicChannelFixture.h"

#include "channels/epic/EpicCatalog.h"

using namespace EpicTest;
using Vyro::EpicChannelSDK;
namespace LogLevel = Vyro::LogLevel;

namespace {

json Offer(const std::string& id, std::uint64_t price, std::uint32_t decimalPoint, const char* currency)
{
    return {{"id", id}, {"titleText", "Title " + id}, {"descriptionText", "About " + id}, {"currencyCode", currency},
            {"currentPrice64", price}, {"originalPrice64", price + 500}, {"decimalPoint", decimalPoint}};
}

} // namespace

TEST(EpicPrices, ShowPriceHasTheCurrencysDecimals)
{
    EXPECT_EQ(Vyro::FormatShowPrice("USD", 1999, 2), "USD19.99");
    EXPECT_EQ(Vyro::FormatShowPrice("JPY", 500, 0), "JPY500");
    EXPECT_EQ(Vyro::FormatShowPrice("KWD", 12345, 3), "KWD12.345");
    EXPECT_EQ(Vyro::FormatShowPrice("", 5, 2), "0.05");
    EXPECT_EQ(Vyro::FormatShowPrice("USD", 18446744073709551615ull, 0), "USD18446744073709551615");
    EXPECT_DOUBLE_EQ(Vyro::OfferPrice(1999, 2), 19.99);
    // A decimal point no currency has never asks for a text of billions of digits.
    EXPECT_EQ(Vyro::FormatShowPrice("X", 1, 4000000000u), "X0." + std::string(18, '0'));
}

TEST_F(EpicChannelTest, CommerceNeedsASignedInAccount)
{
    EXPECT_EQ(Call(&EpicChannelSDK::Products, {{"requestId", "p"}}).body,
              (json{{"channel", "epic"}, {"message", "EOS not ready (platform or user not set)"}, {"requestId", "p"}}));
    EXPECT_EQ(Call(&EpicChannelSDK::Checkout, {{"offerId", kCrystalPack}}).body["message"], "EOS not ready");
    EXPECT_EQ(Call(&EpicChannelSDK::CheckEntitlements, json::object()).body["message"], "EOS not ready");
    EXPECT_EQ(Call(&EpicChannelSDK::Consume, {{"requestId", "c"}}).body,
              (json{{"channel", "epic"}, {"message", "Not implemented"}, {"requestId", "c"}}));
    EXPECT_EQ(Sim({{"op", "journal"}})["count"], 0);
}

TEST_F(EpicChannelTest, ProductsListTheValidOffersWithFormattedPrices)
{
    SignIn();
    Sim({{"op", "catalogue"},
         {"offers",
          {Offer("usd", 1999, 2, "USD"), Offer("jpy", 500, 0, "JPY"),
           {{"id", "bad-price"}, {"priceResult", 4003}, {"currencyCode", "USD"}},
           {{"id", nullptr}, {"priceResult", 4003}},
           {{"id", "nulls"}, {"titleText", nullptr}, {"descriptionText", nullptr}, {"currencyCode", nullptr},
            {"currentPrice64", 7}, {"decimalPoint", 0}},
           Offer("copy-fails", 1, 0, "USD")}}});
    Sim({{"op", "set"}, {"offerCopyFailures", {{{"index", 5}, {"result", 18}}}}});

    const Reply products = CallAndTick(&EpicChannelSDK::Products, {{"requestId", "p1"}});
    EXPECT_EQ(products.code, 0);
    const json expectedUsd{{"productIdentifier", "usd"}, {"offerId", "usd"}, {"localizedTitle", "Title usd"},
                           {"localizedDescription", "About usd"}, {"currencyCode", "USD"}, {"price", 19.99},
                           {"showPrice", "USD19.99"},
                           {"epic", {{"decimalPoint", 2}, {"currentPrice64", 1999}, {"originalPrice64", 2499}}}};
    ASSERT_EQ(products.body["products"].size(), 3u) << products.body;
    EXPECT_EQ(products.body["products"][0], expectedUsd);
    EXPECT_EQ(products.body["products"][1]["showPrice"], "JPY500");
    EXPECT_EQ(products.body["products"][1]["price"], 500.0);
    EXPECT_EQ(products.body["products"][2],
              (json{{"productIdentifier", "nulls"}, {"offerId", "nulls"}, {"localizedTitle", ""},
                    {"localizedDescription", ""}, {"currencyCode", ""}, {"price", 7.0}, {"showPrice", "7"},
                    {"epic", {{"decimalPoint", 0}, {"currentPrice64", 7}, {"originalPrice64", 0}}}}));
    EXPECT_EQ(products.body["requestId"], "p1");
    EXPECT_EQ(Logged(LogLevel::Warning, "[EpicPayment]"),
              (std::vector<std::string>{
                  "[EpicPayment] Offer bad-price has invalid pricing (PriceResult=EOS_Ecom_CatalogOfferPriceInvalid), skipping",
                  "[EpicPayment] Offer null has invalid pricing (PriceResult=EOS_Ecom_CatalogOfferPriceInvalid), skipping",
                  "[EpicPayment] CopyOfferByIndex(5) failed: EOS_NotFound"}));
    EXPECT_EQ(Sim({{"op", "state"}})["outstandingCopies"], json::array()) << "every copy released once";

    Sim({{"op", "set"}, {"queryOffersResult", 1}});
    EXPECT_EQ(CallAndTick(&EpicChannelSDK::Products, json::object()).body,
              json::parse(R"({"channel":"epic","message":"QueryOffers failed: EOS_NoConnection","third_error_code":1})"));
    EXPECT_EQ(Logged(LogLevel::Error, "[EpicPayment]").back(), "[EpicPayment] QueryOffers failed: EOS_NoConnection");
}

TEST_F(EpicChannelTest, TenThousandOffers)
{
    SignIn();
    Sim({{"op", "catalogue"}, {"generate", 10000}});
    const Reply products = CallAndTick(&EpicChannelSDK::Products, json::object());
    ASSERT_EQ(products.body["products"].size(), 10000u);
    EXPECT_EQ(products.body["products"][9999]["showPrice"], "USD100.98");
}

TEST_F(EpicChannelTest, CheckoutOutcomes)
{
    SignIn();
    const Reply bought = CallAndTick(&EpicChannelSDK::Checkout, {{"requestId", "c1"}, {"offerId", kCrystalPack}});
    EXPECT_EQ(bought.code, 0);
    EXPECT_EQ(bought.body, (json{{"canceled", false}, {"channel", "epic"}, {"requestId", "c1"},
                                 {"purchase",
                                  {{"productIdentifier", kCrystalPack},
                                   {"transactionId", "sim-txn-0001"},
                                   {"epic", {{"accountId", kAccountId}, {"accessToken", "sim-access-0001"}}}}}}));
    const json checkout = Calls("EOS_Ecom_Checkout").back()["options"];
    EXPECT_EQ(checkout["apiVersion"], 2);
    EXPECT_EQ(checkout["entryCount"], 1);
    EXPECT_EQ(checkout["entries"], (json::array({{{"apiVersion", 1}, {"offerId", kCrystalPack}}})));
    EXPECT_EQ(checkout["preferredOrientation"], 0);

    // "productId" stands in only when there is no "offerId".
    CallAndTick(&EpicChannelSDK::Checkout, {{"productId", kCrystalPack}});
    EXPECT_EQ(Calls("EOS_Ecom_Checkout").back()["options"]["entries"][0]["offerId"], kCrystalPack);
    for (const json& request : {json{{"offerId", ""}, {"productId", kCrystalPack}}, json{{"offerId", 7}}, json::object(),
                                json{{"productId", nullptr}}}) {
        EXPECT_EQ(Call(&EpicChannelSDK::Checkout, request).body["message"], "Missing offerId parameter") << request;
    }

    const std::tuple<int, int, json> outcomes[] = {
        {17, -6, json{{"canceled", true}, {"channel", "epic"}}},
        {4005, 4005, json{{"canceled", false}, {"channel", "epic"}}},
        {11, 11, json::parse(R"({"channel":"epic","message":"Checkout failed: EOS_InvalidRequest","third_error_code":11})")},
    };
    for (const auto& [result, code, reply] : outcomes) {
        Sim({{"op", "set"}, {"checkoutResult", result}});
        const Reply answer = CallAndTick(&EpicChannelSDK::Checkout, {{"offerId", kCrystalPack}});
        EXPECT_EQ(answer.code, code) << result;
        EXPECT_EQ(answer.body, reply) << result;
    }
    EXPECT_EQ(Logged(LogLevel::Error, "[EpicPayment]").back(), "[EpicPayment] Checkout failed: EOS_InvalidRequest");

    Sim({{"op", "loginStatus"}, {"status", 0}});
    EXPECT_EQ(Call(&EpicChannelSDK::Checkout, {{"offerId", kCrystalPack}, {"requestId", "c9"}}).code, -2001);
    EXPECT_EQ(Replies().back().body,
              (json{{"channel", "epic"}, {"message", "User not logged in"}, {"requestId", "c9"}}));
}

TEST_F(EpicChannelTest, EntitlementsWithTheTokens)
{
    SignIn();
    Sim({{"op", "entitlements"},
         {"entitlements",
          {{{"entitlementName", "base_game"}, {"entitlementId", "e1"}, {"catalogItemId", "i1"}, {"redeemed", true}},
           {{"entitlementName", nullptr}, {"entitlementId", nullptr}, {"catalogItemId", nullptr}, {"redeemed", false}},
           {{"entitlementName", "skipped"}}}}});
    Sim({{"op", "set"}, {"entitlementCopyFailures", {{{"index", 2}, {"result", 18}}}}});
    const Reply owned = CallAndTick(&EpicChannelSDK::CheckEntitlements, {{"requestId", "e"}});
    EXPECT_EQ(owned.body, (json{{"channel", "epic"}, {"requestId", "e"},
                                {"epic",
                                 {{"accountId", kAccountId},
                                  {"accessToken", "sim-access-0001"},
                                  {"entitlements",
                                   {{{"entitlementName", "base_game"}, {"entitlementId", "e1"}, {"catalogItemId", "i1"},
                                     {"redeemed", true}},
                                    {{"entitlementName", ""}, {"entitlementId", ""}, {"catalogItemId", ""},
                                     {"redeemed", false}}}}}}}));
    const json query = Calls("EOS_Ecom_QueryEntitlements").back()["options"];
    EXPECT_EQ(query["apiVersion"], 3);
    EXPECT_EQ(query["includeRedeemed"], 1);
    EXPECT_EQ(query["entitlementNames"], nullptr);

    Sim({{"op", "entitlements"}, {"entitlements", json::array()}});
    EXPECT_EQ(CallAndTick(&EpicChannelSDK::CheckEntitlements, json::object()).body["epic"]["entitlements"], json::array());
    Sim({{"op", "set"}, {"queryEntitlementsResult", 8}});
    EXPECT_EQ(CallAndTick(&EpicChannelSDK::CheckEntitlements, json::object()).body,
              json::parse(R"({"channel":"epic","message":"QueryEntitlements failed: EOS_TooManyRequests","third_error_code":8})"));
    EXPECT_EQ(Sim({{"op", "state"}})["outstandingCopies"], json::array());
}

TEST_F(EpicChannelTest, RequestsOfEveryJsonTypeAndNullCallbacks)
{
    SignIn();
    for (const char* text : {"null", "[]", "7", "\"x\"", "{bad", ""}) {
        EXPECT_EQ(Call(&EpicChannelSDK::Checkout, json::parse("{}")).code, -1);
        channel_.Products(text, &Record);
        channel_.Checkout(text, &Record);
        channel_.CheckEntitlements(text, &Record);
    }
    channel_.Products(nullptr, nullptr);
    channel_.CheckEntitlements(nullptr, nullptr);
    channel_.Tick();
    std::size_t products = 0;
    for (const Reply& reply : Replies()) {
        products += reply.body.contains("products") ? 1 : 0;
    }
    EXPECT_EQ(products, 6u);
    EXPECT_EQ(Replies().size(), 6u * 4u);
}
