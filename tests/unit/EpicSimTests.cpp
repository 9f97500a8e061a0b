// The simulated EOS SDK in process: control requests, the SDK's lifecycle and option checks, delivery
// only inside EOS_Platform_Tick (completions that call back in, release the platform or are called
// again), per-attempt login results, copied records and their release, and log output from threads.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "EosSim.h"
#include "SimControlRequests.h"
#include "common/Platform.h"
#include "core/StoreLibrary.h"

using namespace Vyro;
using nlohmann::json;
using namespace SimControlRequests;

namespace {

constexpr char kAccountId[] = "0f2d1c8b6a4e4d3c9b8a7f6e5d4c3b2a";

void* Data(std::uintptr_t number) { return reinterpret_cast<void*>(number); }
std::uintptr_t Number(void* clientData) { return reinterpret_cast<std::uintptr_t>(clientData); }
json Text(const char* text) { return text == nullptr ? json() : json(text); }

// What the completions and handlers received, in order; hooks run game code inside a delivery.
std::vector<json> delivered;
std::function<void(const Eos::AuthLoginCallbackInfo&)> onLogin;

void OnLogin(const Eos::AuthLoginCallbackInfo* info)
{
    delivered.push_back({{"login", info->resultCode}, {"clientData", Number(info->clientData)},
                         {"signedIn", info->localUserId != nullptr}});
    if (onLogin) {
        onLogin(*info);
    }
}

void OnStatus(const Eos::LoginStatusChangedCallbackInfo* info)
{
    delivered.push_back({{"status", {info->prevStatus, info->currentStatus}}, {"clientData", Number(info->clientData)}});
}

void OnOffers(const Eos::QueryOffersCallbackInfo* info)
{
    delivered.push_back({{"offers", info->resultCode}, {"clientData", Number(info->clientData)}});
}

void OnCheckout(const Eos::CheckoutCallbackInfo* info)
{
    delivered.push_back({{"checkout", info->resultCode}, {"transactionId", Text(info->transactionId)}});
}

void OnEntitlements(const Eos::QueryEntitlementsCallbackInfo* info) { delivered.push_back({{"entitlements", info->resultCode}}); }

// Log messages, from whichever thread logs them.
std::mutex logMutex;
std::vector<json> logged;

void OnLog(const Eos::LogMessage* message)
{
    const std::lock_guard lock(logMutex);
    logged.push_back({message->level, Text(message->category), Text(message->message)});
}

std::vector<json> TakeLogged()
{
    const std::lock_guard lock(logMutex);
    return std::exchange(logged, {});
}

std::vector<json> Take() { return std::exchange(delivered, {}); }

// Platform numbers count on across resets, as handles are never reused in a process.
json LastPlatformNumber() { return Calls("EOS_Platform_Create").back()["result"]; }

json Misuse() { return Sim({{"op", "misuse"}})["calls"]; }

std::vector<std::string> MisuseReasons()
{
    std::vector<std::string> reasons;
    for (const json& entry : Misuse()) {
        reasons.push_back(entry["fn"].get<std::string>() + ": " + entry["misuse"].get<std::string>());
    }
    return reasons;
}

Eos::InitializeOptions InitOptions() { return {Eos::kInitializeApi, nullptr, nullptr, nullptr, "VyroChannel", "2.0", nullptr, nullptr, nullptr}; }

Eos::PlatformOptions PlatformOptions()
{
    Eos::PlatformOptions options{};
    options.apiVersion = Eos::kPlatformOptionsApi;
    options.productId = "product-1";
    options.sandboxId = "sandbox-1";
    options.clientCredentials = {"client-1", "secret-1"};
    options.encryptionKey = "5c0ffee15c0ffee15c0ffee15c0ffee15c0ffee15c0ffee15c0ffee15c0ffee1";
    options.deploymentId = "deployment-1";
    return options;
}

class EpicSim : public ::testing::Test {
protected:
    void SetUp() override
    {
        Sim({{"op", "reset"}});
        delivered.clear();
        onLogin = nullptr;
        TakeLogged();
    }
    void TearDown() override { onLogin = nullptr; }

    void Start()
    {
        const Eos::InitializeOptions init = InitOptions();
        ASSERT_EQ(EOS_Initialize(&init), 0);
        const Eos::PlatformOptions options = PlatformOptions();
        platform = EOS_Platform_Create(&options);
        ASSERT_NE(platform, nullptr);
        auth = EOS_Platform_GetAuthInterface(platform);
        ecom = EOS_Platform_GetEcomInterface(platform);
    }
    void Login(const char* token, std::uintptr_t clientData = 1, std::int32_t type = Eos::kCredentialExchangeCode)
    {
        const Eos::AuthCredentials credentials{Eos::kAuthCredentialsApi, nullptr, token, type, nullptr, 0};
        const Eos::AuthLoginOptions options{Eos::kAuthLoginApi, &credentials, Eos::kScopeBasicProfile, 0};
        EOS_Auth_Login(auth, &options, Data(clientData), OnLogin);
    }
    // A successful exchange-code login, delivered; keeps the account handle it hands out.
    void SignIn()
    {
        onLogin = [this](const Eos::AuthLoginCallbackInfo& info) { accountHandle = info.localUserId; };
        Login("exchange-code");
        EOS_Platform_Tick(platform);
        onLogin = nullptr;
        ASSERT_EQ(Take().at(0)["login"], 0);
        ASSERT_NE(accountHandle, nullptr);
    }
    // The copied auth token's texts, the token released.
    json Token(Eos::EResult expected = 0)
    {
        const Eos::CopyUserAuthTokenOptions options{Eos::kCopyUserAuthTokenApi};
        Eos::AuthToken* token = nullptr;
        EXPECT_EQ(EOS_Auth_CopyUserAuthToken(auth, &options, accountHandle, &token), expected);
        if (token == nullptr) {
            return nullptr;
        }
        const json texts{{"apiVersion", token->apiVersion}, {"app", Text(token->app)}, {"clientId", Text(token->clientId)},
                         {"account", token->accountId == accountHandle}, {"accessToken", Text(token->accessToken)},
                         {"expiresIn", token->expiresIn}, {"expiresAt", Text(token->expiresAt)}, {"authType", token->authType},
                         {"refreshToken", Text(token->refreshToken)}, {"refreshExpiresIn", token->refreshExpiresIn},
                         {"refreshExpiresAt", Text(token->refreshExpiresAt)}};
        EOS_Auth_Token_Release(token);
        return texts;
    }
    void QueryOffers()
    {
        const Eos::QueryOffersOptions options{Eos::kQueryOffersApi, accountHandle, nullptr};
        EOS_Ecom_QueryOffers(ecom, &options, Data(3), OnOffers);
    }
    Eos::CatalogOffer* CopyOffer(std::uint32_t index, Eos::EResult expected = 0)
    {
        const Eos::CopyOfferByIndexOptions options{Eos::kCopyOfferByIndexApi, accountHandle, index};
        // Not null, so that a failure shows whether the SDK cleared it.
        Eos::CatalogOffer* offer = reinterpret_cast<Eos::CatalogOffer*>(this);
        EXPECT_EQ(EOS_Ecom_CopyOfferByIndex(ecom, &options, &offer), expected) << index;
        return offer;
    }
    std::uint32_t OfferCount()
    {
        const Eos::GetOfferCountOptions options{Eos::kGetOfferCountApi, accountHandle};
        return EOS_Ecom_GetOfferCount(ecom, &options);
    }
    void Checkout(const char* offerId)
    {
        const Eos::CheckoutEntry entry{Eos::kCheckoutEntryApi, offerId};
        const Eos::CheckoutOptions options{Eos::kCheckoutApi, accountHandle, nullptr, 1, &entry, 0};
        EOS_Ecom_Checkout(ecom, &options, Data(4), OnCheckout);
    }
    // The names (and redeemed flags) of the entitlements a query answers, copied and released.
    json QueryEntitlements(bool includeRedeemed, std::vector<const char*> names = {})
    {
        const Eos::QueryEntitlementsOptions options{Eos::kQueryEntitlementsApi, accountHandle,
                                                    names.empty() ? nullptr : names.data(),
                                                    static_cast<std::uint32_t>(names.size()), includeRedeemed, nullptr};
        EOS_Ecom_QueryEntitlements(ecom, &options, Data(5), OnEntitlements);
        EOS_Platform_Tick(platform);
        EXPECT_EQ(Take().at(0)["entitlements"], 0);
        const Eos::GetEntitlementsCountOptions count{Eos::kGetEntitlementsCountApi, accountHandle};
        json found = json::array();
        for (std::uint32_t i = 0; i < EOS_Ecom_GetEntitlementsCount(ecom, &count); ++i) {
            const Eos::CopyEntitlementByIndexOptions copy{Eos::kCopyEntitlementByIndexApi, accountHandle, i};
            Eos::Entitlement* entitlement = nullptr;
            EXPECT_EQ(EOS_Ecom_CopyEntitlementByIndex(ecom, &copy, &entitlement), 0);
            found.push_back({Text(entitlement->entitlementName), entitlement->redeemed});
            EOS_Ecom_Entitlement_Release(entitlement);
        }
        return found;
    }

    Eos::HPlatform platform = nullptr;
    Eos::HAuth auth = nullptr;
    Eos::HEcom ecom = nullptr;
    Eos::EpicAccountId accountHandle = nullptr;
};

} // namespace

TEST_F(EpicSim, RefusesBadControlRequestsWithAMessageNamingTheFaultAndAppliesNothing)
{
    const std::vector<std::pair<std::string, std::string>> cases{
        {R"({"op":"fly"})", "unknown op \"fly\" (one of reset, set, catalogue, entitlements, loginStatus, log, joinLogThreads, "
                            "releaseCheckouts, journal, misuse, state)"},
        {R"({"op":"set","loginResult":[0]})", "set: unknown member \"loginResult\" (it takes initializeResult, "},
        {R"({"op":"set","loginResults":[1003,[]]})", "set: \"loginResults\" must be an array whose entries are each a result"},
        {R"({"op":"set","loginDefault":"fail"})", "set: \"loginDefault\" must be a result (32-bit integer) or a non-empty array of results, got \"fail\""},
        {R"({"op":"set","checkoutResult":2147483648})", "set: \"checkoutResult\" must be a result (32-bit integer)"},
        {R"({"op":"set","delayTicks":-1})", "set: \"delayTicks\" must be an integer from 0 to 1000000"},
        {R"({"op":"set","incompleteResults":[19,0]})", "set: \"incompleteResults\" must be an array of non-zero results"},
        {R"({"op":"set","tokenNullTexts":["secret"]})", "set: \"tokenNullTexts\" must be true, false or an array of distinct names"},
        {R"({"op":"set","offerCopyFailures":[{"index":1}]})", "set: offerCopyFailures[0]: \"result\" is required"},
        {R"({"op":"set","entitlementCopyFailures":[{"index":1,"result":0}]})", "set: entitlementCopyFailures[0]: \"result\" must be a failure (not 0), got 0"},
        {R"({"op":"catalogue"})", "catalogue: give \"offers\" or \"generate\""},
        {R"({"op":"catalogue","offers":[],"generate":3})", "catalogue: give \"offers\" or \"generate\", not both"},
        {R"({"op":"catalogue","generate":100001})", "catalogue: \"generate\" must be an integer from 0 to 100000"},
        {R"({"op":"catalogue","offers":[{"titleText":5}]})", "catalogue: offers[0]: \"titleText\" must be a string or null, got 5"},
        {R"({"op":"catalogue","offers":[{"price":1}]})", "catalogue: offers[0]: unknown member \"price\""},
        {R"({"op":"catalogue","offers":[{"id":"a"},{"id":"a"}]})", "catalogue: offer id \"a\" is given twice"},
        {R"({"op":"entitlements"})", "entitlements: \"entitlements\" is required"},
        {R"({"op":"entitlements","entitlements":[{"redeemed":"yes"}]})", "entitlements: entitlements[0]: \"redeemed\" must be true, false or a 32-bit integer"},
        {R"({"op":"loginStatus","status":3})", "loginStatus: \"status\" must be an integer from 0 to 2"},
        {R"({"op":"log"})", "log: \"level\" is required"},
        {R"({"op":"log","level":300,"message":7})", "log: \"message\" must be a string or null, got 7"},
        {R"({"op":"log","level":300,"threads":65})", "log: \"threads\" must be an integer from 0 to 64"},
        {R"({"op":"misuse","clear":true})", "misuse: unknown member \"clear\" (it takes none)"},
    };
    for (const auto& [request, error] : cases) {
        const json reply = Control(request);
        EXPECT_EQ(reply["ok"], false) << request;
        EXPECT_TRUE(reply.value("error", "").starts_with(error)) << request << " -> " << reply;
    }

    // A request with one bad member applies none of its members.
    EXPECT_EQ(Control(R"({"op":"set","initializeResult":10,"delayTicks":-5})")["ok"], false);
    EXPECT_EQ(Control(R"({"op":"catalogue","offers":[{"id":"x"},{"decimalPoint":-1}]})")["ok"], false);
    EXPECT_EQ(Sim({{"op", "state"}})["offers"], 4);
    const Eos::InitializeOptions init = InitOptions();
    EXPECT_EQ(EOS_Initialize(&init), 0);
}

TEST_F(EpicSim, InitializesOnceAnswersAlreadyConfiguredAndRefusesEverythingAfterShutdown)
{
    const Eos::InitializeOptions init = InitOptions();
    const Eos::PlatformOptions options = PlatformOptions();
    EXPECT_EQ(EOS_Logging_SetCallback(OnLog), 14);
    EXPECT_EQ(EOS_Platform_Create(&options), nullptr);
    EXPECT_EQ(EOS_Shutdown(), 14);
    Sim({{"op", "set"}, {"initializeResult", 10}});
    EXPECT_EQ(EOS_Initialize(&init), 10);
    EXPECT_EQ(Sim({{"op", "state"}})["sdk"], "notInitialised") << "a failed initialisation leaves the SDK uninitialised";
    EXPECT_EQ(MisuseReasons(), (std::vector<std::string>{"EOS_Logging_SetCallback: EOS_Initialize not called",
                                                         "EOS_Platform_Create: EOS_Initialize not called",
                                                         "EOS_Shutdown: EOS_Shutdown before EOS_Initialize"}));

    Sim({{"op", "set"}, {"initializeResult", 0}});
    Sim({{"op", "journal"}, {"clear", true}});
    EXPECT_EQ(EOS_Initialize(&init), 0);
    EXPECT_EQ(EOS_Initialize(&init), 15) << "a second session in the same process";
    const Eos::HPlatform live = EOS_Platform_Create(&options);
    ASSERT_NE(live, nullptr);
    EXPECT_EQ(Misuse(), json::array());

    EXPECT_EQ(EOS_Shutdown(), 0);
    EXPECT_EQ(EOS_Initialize(&init), 14);
    EXPECT_EQ(EOS_Shutdown(), 14);
    EXPECT_EQ(EOS_Platform_GetAuthInterface(live), nullptr);
    EOS_Platform_Tick(live);
    EOS_Platform_Release(live);
    EXPECT_EQ(EOS_Logging_SetLogLevel(Eos::kAllLogCategories, Eos::kLogWarning), 14);
    EXPECT_EQ(EOS_EpicAccountId_IsValid(nullptr), Eos::kFalse);
    // The pure helpers still answer.
    EXPECT_STREQ(EOS_EResult_ToString(15), "EOS_AlreadyConfigured");
    EXPECT_EQ(EOS_EResult_IsOperationComplete(19), Eos::kFalse);
    EXPECT_EQ(MisuseReasons(),
              (std::vector<std::string>{"EOS_Shutdown: EOS_Shutdown with live platforms: release them first",
                                        "EOS_Initialize: call after EOS_Shutdown", "EOS_Shutdown: call after EOS_Shutdown",
                                        "EOS_Platform_GetAuthInterface: call after EOS_Shutdown",
                                        "EOS_Platform_Tick: call after EOS_Shutdown", "EOS_Platform_Release: call after EOS_Shutdown",
                                        "EOS_Logging_SetLogLevel: call after EOS_Shutdown",
                                        "EOS_EpicAccountId_IsValid: call after EOS_Shutdown"}));
    EXPECT_EQ(Calls("EOS_Shutdown")[0]["livePlatforms"], 1);

    // A reset is a fresh process: the SDK initialises again.
    Sim({{"op", "reset"}});
    EXPECT_EQ(EOS_Initialize(&init), 0);
    EXPECT_EQ(Sim({{"op", "state"}})["sdk"], "initialised");
}

TEST_F(EpicSim, JournalsOptionRecordsExactlyAndFailsBadOnesTheWayTheSdkDoes)
{
    const Eos::InitializeOptions init = InitOptions();
    ASSERT_EQ(EOS_Initialize(&init), 0);
    Eos::PlatformOptions options = PlatformOptions();
    double timeout = 30;
    options.taskNetworkTimeoutSeconds = &timeout;
    ASSERT_NE(platform = EOS_Platform_Create(&options), nullptr);
    const json number = LastPlatformNumber();
    EXPECT_EQ(Calls("EOS_Platform_Create")[0],
              json({{"fn", "EOS_Platform_Create"},
                    {"result", number},
                    {"options",
                     {{"apiVersion", 14}, {"reserved", nullptr}, {"productId", "product-1"}, {"sandboxId", "sandbox-1"},
                      {"clientCredentials", {{"clientId", "client-1"}, {"clientSecret", "secret-1"}}}, {"isServer", 0},
                      {"encryptionKey", options.encryptionKey}, {"overrideCountryCode", nullptr}, {"overrideLocaleCode", nullptr},
                      {"deploymentId", "deployment-1"}, {"flags", 0}, {"cacheDirectory", nullptr}, {"tickBudgetInMilliseconds", 0},
                      {"rtcOptions", nullptr}, {"integratedPlatformOptionsContainerHandle", nullptr},
                      {"systemSpecificOptions", nullptr}, {"taskNetworkTimeoutSeconds", "non-null"}}}}));
    EXPECT_EQ(Calls("EOS_Initialize")[0]["options"]["productName"], "VyroChannel");

    options.apiVersion = 13;
    EXPECT_EQ(EOS_Platform_Create(&options), nullptr);
    options = PlatformOptions();
    options.sandboxId = "";
    EXPECT_EQ(EOS_Platform_Create(&options), nullptr);
    EXPECT_EQ(EOS_Platform_Create(nullptr), nullptr);
    Sim({{"op", "set"}, {"platformCreateFails", true}});
    options = PlatformOptions();
    EXPECT_EQ(EOS_Platform_Create(&options), nullptr);
    EXPECT_EQ(Calls("EOS_Platform_Create")[4]["error"], "programmed to fail (platformCreateFails)");

    auth = EOS_Platform_GetAuthInterface(platform);
    Login("code-1", 6);
    const Eos::AuthCredentials oldCredentials{3, "user", "code-2", Eos::kCredentialPersistentAuth, nullptr, 0};
    const Eos::AuthLoginOptions oldOptions{Eos::kAuthLoginApi, &oldCredentials, Eos::kScopeBasicProfile, 0};
    EOS_Auth_Login(auth, &oldOptions, Data(7), OnLogin);
    EOS_Auth_Login(auth, &oldOptions, Data(8), nullptr);
    EXPECT_EQ(Calls("EOS_Auth_Login")[0],
              json({{"fn", "EOS_Auth_Login"}, {"auth", number}, {"clientData", 6}, {"results", {0}},
                    {"options", {{"apiVersion", 3}, {"scopeFlags", 1}, {"loginFlags", 0},
                                 {"credentials", {{"apiVersion", 4}, {"id", nullptr}, {"token", "code-1"}, {"type", 1},
                                                  {"systemAuthCredentialsOptions", nullptr}, {"externalType", 0}}}}}}));
    EOS_Platform_Tick(platform);
    EXPECT_EQ(Take(), (std::vector<json>{{{"login", 0}, {"clientData", 6}, {"signedIn", true}},
                                         {{"login", 10}, {"clientData", 7}, {"signedIn", false}}}))
        << "a refused record completes with EOS_InvalidParameters, a null completion never";
    EXPECT_EQ(MisuseReasons(), (std::vector<std::string>{"EOS_Platform_Create: options ApiVersion 13, expected 14",
                                                         "EOS_Platform_Create: SandboxId is null or empty",
                                                         "EOS_Platform_Create: null options",
                                                         "EOS_Auth_Login: credentials ApiVersion 3, expected 4",
                                                         "EOS_Auth_Login: null completion: nothing to answer through"}));
}

TEST_F(EpicSim, DeliversOnlyInsideTheTickOfItsPlatformAndCallsMadeDuringDeliveryWaitForALaterTick)
{
    Start();
    const Eos::PlatformOptions options = PlatformOptions();
    const Eos::HPlatform other = EOS_Platform_Create(&options);
    ASSERT_NE(other, platform);
    EXPECT_NE(EOS_Platform_GetAuthInterface(other), auth);
    EXPECT_NE(static_cast<void*>(auth), static_cast<void*>(ecom));

    Login("code", 1);
    EXPECT_TRUE(Take().empty()) << "not inside the call";
    EOS_Platform_Tick(other);
    EXPECT_TRUE(Take().empty()) << "not in another platform's Tick";

    // The completion logs in again and ticks: the nested Tick delivers nothing, the new attempt
    // only comes with the next Tick.
    int nested = 0;
    onLogin = [&](const Eos::AuthLoginCallbackInfo&) {
        if (nested++ == 0) {
            Login("again", 2);
            EOS_Platform_Tick(platform);
        }
    };
    EOS_Platform_Tick(platform);
    EXPECT_EQ(Take().size(), 1u);
    EOS_Platform_Tick(platform);
    EXPECT_EQ(Take().at(0)["clientData"], 2);

    Sim({{"op", "set"}, {"delayTicks", 2}});
    Login("late", 3);
    EOS_Platform_Tick(platform);
    EOS_Platform_Tick(platform);
    EXPECT_TRUE(Take().empty());
    EOS_Platform_Tick(platform);
    EXPECT_EQ(Take().at(0)["clientData"], 3);
    const json state = Sim({{"op", "state"}});
    EXPECT_EQ(state["ticks"], 7) << "every Tick counts, the nested one included";
    EXPECT_EQ(state["platforms"][0]["ticks"], 5) << "the nested one does not tick the platform";
    EXPECT_EQ(Calls("EOS_Platform_Tick").size(), 3u) << "only the Ticks that delivered are journalled";
}

TEST_F(EpicSim, ReleasingAPlatformDropsItsPendingCompletionsEvenFromInsideOne)
{
    Start();
    Login("a", 1);
    Login("b", 2);
    Login("c", 3);
    EOS_Platform_Release(platform);
    EXPECT_EQ(Calls("EOS_Platform_Release")[0]["dropped"], 3);
    EOS_Platform_Tick(platform);
    EOS_Platform_Release(platform);
    EXPECT_TRUE(Take().empty());
    EXPECT_EQ(MisuseReasons(), (std::vector<std::string>{"EOS_Platform_Tick: unknown or released platform handle",
                                                         "EOS_Platform_Release: unknown or released platform handle"}));

    // A release from inside a completion drops the rest of that Tick's batch.
    const Eos::PlatformOptions options = PlatformOptions();
    platform = EOS_Platform_Create(&options);
    auth = EOS_Platform_GetAuthInterface(platform);
    Login("a", 4);
    Login("b", 5);
    Login("c", 6);
    onLogin = [&](const Eos::AuthLoginCallbackInfo&) { EOS_Platform_Release(platform); };
    EOS_Platform_Tick(platform);
    EXPECT_EQ(Take().size(), 1u);
    EXPECT_EQ(Calls("EOS_Platform_Release").back()["dropped"], 2);

    // So does a reset.
    Sim({{"op", "reset"}});
    Start();
    Login("a", 7);
    Login("b", 8);
    onLogin = [&](const Eos::AuthLoginCallbackInfo&) { Sim({{"op", "reset"}}); };
    EOS_Platform_Tick(platform);
    EXPECT_EQ(Take().size(), 1u);
}

TEST_F(EpicSim, LoginResultsFollowTheProgrammedAttemptsAndAnIncompleteResultIsDeliveredAgain)
{
    Start();
    // The channel's way: retry at once from inside the failed completion, three times at most.
    Sim({{"op", "set"}, {"loginResults", {1003, 1003, 1003, 0}}});
    int retries = 0;
    onLogin = [&](const Eos::AuthLoginCallbackInfo& info) {
        if (info.resultCode != 0 && retries < 3) {
            Login("launcher-code", 10 + ++retries);
        }
    };
    Login("launcher-code", 10);
    for (int tick = 0; tick < 5; ++tick) {
        EOS_Platform_Tick(platform);
    }
    const std::vector<json> attempts = Take();
    ASSERT_EQ(attempts.size(), 4u);
    EXPECT_EQ(attempts[2], json({{"login", 1003}, {"clientData", 12}, {"signedIn", false}}));
    EXPECT_EQ(attempts[3], json({{"login", 0}, {"clientData", 13}, {"signedIn", true}}));
    EXPECT_EQ(Calls("EOS_Auth_Login").size(), 4u);
    onLogin = nullptr;

    // [19, 0]: delivered with 19, then again with 0 one Tick later, with the same client data.
    Sim({{"op", "set"}, {"loginResults", {{19, 0}}}, {"incompleteResults", {1005}}});
    Login("code", 20);
    EOS_Platform_Tick(platform);
    EXPECT_EQ(Take(), std::vector<json>{json({{"login", 19}, {"clientData", 20}, {"signedIn", false}})});
    EXPECT_EQ(EOS_EResult_IsOperationComplete(19), Eos::kFalse);
    EOS_Platform_Tick(platform);
    EXPECT_EQ(Take(), std::vector<json>{json({{"login", 0}, {"clientData", 20}, {"signedIn", true}})});
    const json deliveries = Calls("EOS_Platform_Tick");
    EXPECT_EQ(deliveries[deliveries.size() - 2], json({{"fn", "EOS_Platform_Tick"}, {"platform", LastPlatformNumber()},
                                                       {"delivers", "EOS_Auth_Login"},
                                                       {"clientData", 20}, {"result", 19}, {"again", true}}));
    // A programmed incomplete result is delivered again too; the last result of an entry repeats.
    Sim({{"op", "set"}, {"loginResults", {{1005, 2}}}});
    Login("code", 21);
    EOS_Platform_Tick(platform);
    EOS_Platform_Tick(platform);
    EOS_Platform_Tick(platform);
    EXPECT_EQ(Take().size(), 2u);
    EXPECT_EQ(EOS_EResult_IsOperationComplete(1005), Eos::kFalse);

    // Once the list is used up, the default answers; the SDK's own credential checks come first.
    Sim({{"op", "set"}, {"loginDefault", 1003}});
    Login("code", 30);
    Login("", 31);
    Sim({{"op", "set"}, {"loginDefault", 0}});
    Login("sim-refresh-0001", 32, Eos::kCredentialRefreshToken);
    Login("sim-refresh-0002", 33, Eos::kCredentialRefreshToken);
    EOS_Platform_Tick(platform);
    std::vector<json> results;
    for (const json& each : Take()) {
        results.push_back(each["login"]);
    }
    EXPECT_EQ(results, (std::vector<json>{1003, 2, 1003, 0})) << "the old refresh token is refused, the current one signs in";
    EXPECT_EQ(Calls("EOS_Auth_Login")[7]["credentialsRefused"], "empty token");
    EXPECT_EQ(Calls("EOS_Auth_Login")[8]["credentialsRefused"], "not the account's current refresh token");

    Sim({{"op", "set"}, {"refreshTokenCheck", false}});
    Login("anything", 34, Eos::kCredentialRefreshToken);
    EOS_Platform_Tick(platform);
    EXPECT_EQ(Take().at(0)["login"], 0);
    EXPECT_EQ(Sim({{"op", "state"}})["account"]["refreshToken"], "sim-refresh-0004") << "every sign-in issues fresh tokens";
}

TEST_F(EpicSim, CopiedRecordsCarryEveryFieldAndAreTrackedUntilReleasedOnce)
{
    Start();
    EXPECT_EQ(Token(10), nullptr) << "no handle yet: misuse";
    SignIn();
    EXPECT_EQ(EOS_EpicAccountId_IsValid(accountHandle), Eos::kTrue);
    EXPECT_EQ(EOS_EpicAccountId_IsValid(reinterpret_cast<Eos::EpicAccountId>(this)), Eos::kFalse);
    const json token = Token();
    EXPECT_EQ(token["apiVersion"], 2);
    EXPECT_EQ(token["app"], "VyroChannel");
    EXPECT_EQ(token["clientId"], "client-1");
    EXPECT_EQ(token["account"], true);
    EXPECT_EQ(token["accessToken"], "sim-access-0001");
    EXPECT_EQ(token["refreshToken"], "sim-refresh-0001");
    EXPECT_EQ(token["authType"], 1);
    EXPECT_EQ(token["expiresIn"], 7200.0);
    EXPECT_EQ(token["expiresAt"].get<std::string>().size(), std::strlen("2025-01-01T02:00:00.000Z"));
    Sim({{"op", "set"}, {"tokenNullTexts", {"accessToken", "refreshExpiresAt"}}});
    const json nulls = Token();
    EXPECT_EQ(nulls["accessToken"], nullptr);
    EXPECT_EQ(nulls["refreshExpiresAt"], nullptr);
    EXPECT_EQ(nulls["refreshToken"], "sim-refresh-0001");
    Sim({{"op", "set"}, {"copyTokenResult", 4}});
    EXPECT_EQ(Token(4), nullptr);

    // A copy never released shows; releasing twice, or with the wrong function, is misuse.
    QueryOffers();
    EOS_Platform_Tick(platform);
    Eos::CatalogOffer* offer = CopyOffer(0);
    Eos::CatalogOffer* kept = CopyOffer(1);
    EXPECT_EQ(Sim({{"op", "state"}})["outstandingCopies"],
              json({{{"copy", 3}, {"kind", "catalogOffer"}, {"fn", "EOS_Ecom_CopyOfferByIndex"}},
                    {{"copy", 4}, {"kind", "catalogOffer"}, {"fn", "EOS_Ecom_CopyOfferByIndex"}}}));
    EOS_Ecom_Entitlement_Release(reinterpret_cast<Eos::Entitlement*>(offer));
    EOS_Ecom_CatalogOffer_Release(offer);
    EOS_Ecom_CatalogOffer_Release(offer);
    EOS_Auth_Token_Release(nullptr);
    EXPECT_EQ(MisuseReasons(), (std::vector<std::string>{"EOS_Auth_CopyUserAuthToken: localUserId is not an account id the SDK handed out",
                                                         "EOS_Ecom_Entitlement_Release: not a copy of the kind this releases (entitlement)",
                                                         "EOS_Ecom_CatalogOffer_Release: released twice, or never handed out"}));
    EXPECT_EQ(Sim({{"op", "state"}})["outstandingCopies"].size(), 1u);
    EOS_Ecom_CatalogOffer_Release(kept);
    EXPECT_EQ(Sim({{"op", "state"}})["outstandingCopies"], json::array());

    // A dropped sign-in keeps its tokens; an account never signed in has none.
    Sim({{"op", "set"}, {"copyTokenResult", 0}});
    Sim({{"op", "loginStatus"}, {"status", 0}});
    EXPECT_EQ(Token()["refreshToken"], "sim-refresh-0001");
    Sim({{"op", "reset"}});
    Start();
    EXPECT_EQ(Token(18), nullptr);
}

TEST_F(EpicSim, OffersAnswerFromTheCatalogueOnlyAfterASuccessfulQueryOfThatUser)
{
    Start();
    SignIn();
    EXPECT_EQ(OfferCount(), 0u);
    EXPECT_EQ(CopyOffer(0, 18), nullptr);
    Sim({{"op", "set"}, {"queryOffersResult", 1}});
    QueryOffers();
    EOS_Platform_Tick(platform);
    EXPECT_EQ(Take().at(0)["offers"], 1);
    EXPECT_EQ(OfferCount(), 0u) << "a failed query answers nothing";

    Sim({{"op", "set"}, {"queryOffersResult", 0}, {"offerCopyFailures", {{{"index", 2}, {"result", 4001}}}}});
    QueryOffers();
    EOS_Platform_Tick(platform);
    ASSERT_EQ(OfferCount(), 4u);
    Eos::CatalogOffer* crystal = CopyOffer(0);
    EXPECT_EQ(crystal->apiVersion, 5);
    EXPECT_STREQ(crystal->titleText, "Crystal Pack");
    EXPECT_STREQ(crystal->currencyCode, "USD");
    EXPECT_EQ(std::strlen(crystal->id), 32u);
    EXPECT_EQ(crystal->currentPrice64, 1999u);
    EXPECT_EQ(crystal->originalPrice64, 2499u);
    EXPECT_EQ(crystal->decimalPoint, 2u);
    EXPECT_EQ(crystal->priceResult, 0);
    EOS_Ecom_CatalogOffer_Release(crystal);
    Eos::CatalogOffer* gold = CopyOffer(1);
    EXPECT_STREQ(gold->currencyCode, "JPY");
    EXPECT_EQ(gold->currentPrice64, 500u);
    EXPECT_EQ(gold->decimalPoint, 0u);
    EOS_Ecom_CatalogOffer_Release(gold);
    EXPECT_EQ(CopyOffer(2, 4001), nullptr);
    EXPECT_EQ(CopyOffer(4, 18), nullptr);

    // A replaced catalogue answers from the next query; every field can be set, texts to null.
    Sim({{"op", "catalogue"},
         {"offers", {{{"id", "broken"}, {"titleText", nullptr}, {"priceResult", 4003}, {"currentPrice64", "18446744073709551615"},
                      {"decimalPoint", 4}, {"availableForPurchase", false}, {"purchaseLimit", 1}}}}});
    EXPECT_EQ(OfferCount(), 4u) << "the SDK keeps the last query's answer";
    QueryOffers();
    EOS_Platform_Tick(platform);
    Eos::CatalogOffer* broken = CopyOffer(0);
    EXPECT_EQ(broken->titleText, nullptr);
    EXPECT_EQ(broken->priceResult, 4003);
    EXPECT_EQ(broken->currentPrice64, 18446744073709551615u);
    EXPECT_EQ(broken->availableForPurchase, 0);
    EXPECT_EQ(broken->purchaseLimit, 1);
    EOS_Ecom_CatalogOffer_Release(broken);

    Sim({{"op", "catalogue"}, {"generate", 10000}});
    QueryOffers();
    EOS_Platform_Tick(platform);
    ASSERT_EQ(OfferCount(), 10000u);
    Eos::CatalogOffer* last = CopyOffer(9999);
    EXPECT_STREQ(last->titleText, "Generated Offer 9999");
    EOS_Ecom_CatalogOffer_Release(last);

    // A user who is not logged in is turned down.
    Sim({{"op", "loginStatus"}, {"status", 0}});
    QueryOffers();
    EOS_Platform_Tick(platform);
    EXPECT_EQ(Take().back()["offers"], 4);
}

TEST_F(EpicSim, CheckoutCompletesWithTheProgrammedOutcomeAndAPurchaseBecomesAnEntitlement)
{
    Start();
    SignIn();
    EXPECT_EQ(QueryEntitlements(true), json::parse(R"([["base_game",1],["founders_bonus",0]])"));
    EXPECT_EQ(QueryEntitlements(false), json::parse(R"([["founders_bonus",0]])"));
    EXPECT_EQ(QueryEntitlements(true, {"base_game", "unknown"}), json::parse(R"([["base_game",1]])"));
    EXPECT_EQ(Calls("EOS_Ecom_QueryEntitlements")[2]["options"],
              json({{"apiVersion", 3}, {"localUserId", kAccountId}, {"entitlementNames", {"base_game", "unknown"}},
                    {"entitlementNameCount", 2}, {"includeRedeemed", 1}, {"overrideCatalogNamespace", nullptr}}));

    const char* crystal = "5f1c2a9e0b7d4c38a6e3f4b2d1c09e87";
    Checkout(crystal);
    EOS_Platform_Tick(platform);
    Take();
    EXPECT_EQ(QueryEntitlements(false), json::parse(R"([["founders_bonus",0],["5f1c2a9e0b7d4c38a6e3f4b2d1c09e87",0]])"));
    EXPECT_EQ(Calls("EOS_Ecom_Checkout")[0]["options"],
              json({{"apiVersion", 2}, {"localUserId", kAccountId}, {"overrideCatalogNamespace", nullptr}, {"entryCount", 1},
                    {"entries", {{{"apiVersion", 1}, {"offerId", crystal}}}}, {"preferredOrientation", 0}}));

    Sim({{"op", "set"}, {"checkoutResult", 17}});
    Checkout(crystal);
    Sim({{"op", "set"}, {"checkoutResult", 4005}});
    Checkout(crystal);
    Checkout("no-such-offer");
    Sim({{"op", "set"}, {"checkoutResult", 0}, {"holdCheckouts", true}});
    Checkout(crystal);
    EOS_Platform_Tick(platform);
    EXPECT_EQ(Take(), (std::vector<json>{{{"checkout", 17}, {"transactionId", nullptr}},
                                         {{"checkout", 4005}, {"transactionId", nullptr}},
                                         {{"checkout", 4004}, {"transactionId", nullptr}}}));
    EOS_Platform_Tick(platform);
    EXPECT_TRUE(Take().empty()) << "held";
    EXPECT_EQ(Sim({{"op", "releaseCheckouts"}})["released"], 1);
    EOS_Platform_Tick(platform);
    EXPECT_EQ(Take(), std::vector<json>{json({{"checkout", 0}, {"transactionId", "sim-txn-0002"}})});

    Sim({{"op", "entitlements"}, {"entitlements", {{{"entitlementName", nullptr}, {"redeemed", 2}}}}});
    EXPECT_EQ(QueryEntitlements(true), json::parse("[[null,2]]"));
}

TEST_F(EpicSim, LoginStatusChangesNotifyEveryRegisteredHandlerAtTheNextTick)
{
    Start();
    const Eos::AddNotifyLoginStatusChangedOptions options{Eos::kAddNotifyLoginStatusChangedApi};
    EXPECT_EQ(EOS_Auth_AddNotifyLoginStatusChanged(auth, &options, Data(41), OnStatus), 1u);
    EXPECT_EQ(EOS_Auth_AddNotifyLoginStatusChanged(auth, &options, Data(42), OnStatus), 2u);
    EXPECT_EQ(EOS_Auth_AddNotifyLoginStatusChanged(auth, nullptr, Data(43), OnStatus), 0u);
    SignIn();
    EOS_Platform_Tick(platform);
    EXPECT_EQ(Take(), (std::vector<json>{{{"status", {0, 2}}, {"clientData", 41}}, {{"status", {0, 2}}, {"clientData", 42}}}));
    EXPECT_EQ(EOS_Auth_GetLoginStatus(auth, accountHandle), Eos::kLoggedIn);
    SignIn();
    EOS_Platform_Tick(platform);
    EXPECT_TRUE(Take().empty()) << "no change, no notification";

    EXPECT_EQ(Sim({{"op", "loginStatus"}, {"status", 0}})["queued"], 2);
    EXPECT_EQ(EOS_Auth_GetLoginStatus(auth, accountHandle), Eos::kNotLoggedIn);
    EOS_Auth_RemoveNotifyLoginStatusChanged(auth, 2);
    EOS_Auth_RemoveNotifyLoginStatusChanged(auth, 2);
    EOS_Platform_Tick(platform);
    EXPECT_EQ(Take(), std::vector<json>{json({{"status", {2, 0}}, {"clientData", 41}})}) << "a removed handler is not called";

    // A dropped sign-in keeps its refresh token: a re-login with it succeeds.
    Login("sim-refresh-0002", 50, Eos::kCredentialRefreshToken);
    EOS_Platform_Tick(platform);
    EXPECT_EQ(Take().at(0)["login"], 0);
    EXPECT_EQ(MisuseReasons(), (std::vector<std::string>{"EOS_Auth_AddNotifyLoginStatusChanged: null options",
                                                         "EOS_Auth_RemoveNotifyLoginStatusChanged: unknown notification id"}));
}

TEST_F(EpicSim, LogMessagesReachTheCallbackFromAnyThreadWhenTheyPassTheThreshold)
{
    Start();
    ASSERT_EQ(EOS_Logging_SetCallback(OnLog), 0);
    Sim({{"op", "log"}, {"level", 400}, {"message", "info"}});
    Sim({{"op", "log"}, {"level", 300}, {"category", nullptr}, {"message", nullptr}});
    EXPECT_EQ(TakeLogged(), std::vector<json>{json({300, nullptr, nullptr})}) << "warnings and worse by default";

    // The SDK's own lines honour the threshold too: verbose at platform creation, a failed login's warning.
    Sim({{"op", "set"}, {"loginResults", {1040}}});
    Login("expired", 1);
    EOS_Platform_Tick(platform);
    EXPECT_EQ(TakeLogged(), std::vector<json>{json({300, "LogEOSAuth", "Login failed: EOS_Auth_ExchangeCodeNotFound"})});
    ASSERT_EQ(EOS_Logging_SetLogLevel(Eos::kAllLogCategories, Eos::kLogVeryVerbose), 0);
    const Eos::PlatformOptions options = PlatformOptions();
    EOS_Platform_Release(EOS_Platform_Create(&options));
    EXPECT_EQ(TakeLogged().size(), 2u);
    ASSERT_EQ(EOS_Logging_SetLogLevel(Eos::kAllLogCategories, 0), 0);
    Sim({{"op", "log"}, {"level", 100}});
    EXPECT_TRUE(TakeLogged().empty()) << "level 0 turns logging off";

    // Four threads log while this one ticks and changes the level: every message that passes
    // arrives once, none after the level dropped to off.
    ASSERT_EQ(EOS_Logging_SetLogLevel(Eos::kAllLogCategories, Eos::kLogWarning), 0);
    EXPECT_EQ(Sim({{"op", "log"}, {"level", 200}, {"message", "from a thread"}, {"threads", 4}, {"messages", 250}})["started"], 4);
    for (int tick = 0; tick < 100; ++tick) {
        EOS_Platform_Tick(platform);
    }
    EXPECT_EQ(Sim({{"op", "joinLogThreads"}})["joined"], 4);
    EXPECT_EQ(TakeLogged().size(), 1000u);
    const json log = Sim({{"op", "state"}})["log"];
    EXPECT_EQ(log["threads"], 0);
    EXPECT_EQ(log["threshold"], 300);
}

TEST_F(EpicSim, ResultNamesAndAccountIdTextsAreTheSdksAndTheHelpersAreCountedNotJournalled)
{
    const std::vector<std::pair<Eos::EResult, const char*>> names{
        {0, "EOS_Success"}, {4, "EOS_InvalidAuth"}, {19, "EOS_OperationWillRetry"}, {1003, "EOS_Auth_InvalidRefreshToken"},
        {1012, "EOS_Auth_PasswordCannotBeReused"}, {1040, "EOS_Auth_ExchangeCodeNotFound"},
        {4003, "EOS_Ecom_CatalogOfferPriceInvalid"}, {4005, "EOS_Ecom_PurchaseProcessing"}, {25, "EOS_UnknownError"},
        {-1, "EOS_UnknownError"}, {0x7FFFFFFF, "EOS_UnexpectedError"}};
    for (const auto& [result, name] : names) {
        EXPECT_STREQ(EOS_EResult_ToString(result), name) << result;
    }
    Start();
    SignIn();
    char buffer[40] = {};
    std::int32_t length = 32;
    EXPECT_EQ(EOS_EpicAccountId_ToString(accountHandle, buffer, &length), 22);
    EXPECT_EQ(length, 33);
    EXPECT_EQ(EOS_EpicAccountId_ToString(accountHandle, buffer, &length), 0);
    EXPECT_STREQ(buffer, kAccountId);
    EXPECT_EQ(EOS_EpicAccountId_ToString(reinterpret_cast<Eos::EpicAccountId>(buffer), buffer, &length), 3);
    Sim({{"op", "set"}, {"accountIdToStringResult", 10}});
    EXPECT_EQ(EOS_EpicAccountId_ToString(accountHandle, buffer, &length), 10);
    EXPECT_EQ(Calls("EOS_EpicAccountId_ToString")[0],
              json({{"fn", "EOS_EpicAccountId_ToString"}, {"accountId", kAccountId}, {"bufferLength", 32}, {"result", 22}}));

    EOS_EpicAccountId_IsValid(accountHandle);
    EOS_EResult_IsOperationComplete(0);
    EXPECT_EQ(Calls("EOS_EpicAccountId_IsValid"), json::array());
    EXPECT_EQ(Sim({{"op", "state"}})["helperCalls"],
              json({{"EOS_EResult_IsOperationComplete", 1}, {"EOS_EResult_ToString", names.size()}, {"EOS_EpicAccountId_IsValid", 1}}));
}

// The built runtime file, as the channel loads and binds it.
TEST(EpicSimRuntimeFile, ExportsEveryFunctionTheChannelBindsAndTheControlEntryPoint)
{
    const auto folder = std::filesystem::absolute(SIM_EPIC_RUNTIME).parent_path();
    const auto library = StoreLibrary::Load(folder.wstring(), Eos::kRuntimeFileName);
    ASSERT_NE(library, nullptr);
    void (*function)() = nullptr;
    for (const char* name :
         {"EOS_Initialize", "EOS_Shutdown", "EOS_Platform_Create", "EOS_Platform_Release", "EOS_Platform_Tick",
          "EOS_Platform_GetAuthInterface", "EOS_Platform_GetEcomInterface", "EOS_EResult_ToString",
          "EOS_EResult_IsOperationComplete", "EOS_EpicAccountId_IsValid", "EOS_EpicAccountId_ToString",
          "EOS_Logging_SetCallback", "EOS_Logging_SetLogLevel", "EOS_Auth_Login", "EOS_Auth_CopyUserAuthToken",
          "EOS_Auth_Token_Release", "EOS_Auth_AddNotifyLoginStatusChanged", "EOS_Auth_RemoveNotifyLoginStatusChanged",
          "EOS_Auth_GetLoginStatus", "EOS_Ecom_QueryOffers", "EOS_Ecom_GetOfferCount", "EOS_Ecom_CopyOfferByIndex",
          "EOS_Ecom_CatalogOffer_Release", "EOS_Ecom_Checkout", "EOS_Ecom_QueryEntitlements", "EOS_Ecom_GetEntitlementsCount",
          "EOS_Ecom_CopyEntitlementByIndex", "EOS_Ecom_Entitlement_Release"}) {
        EXPECT_TRUE(library->Bind(name, function)) << name;
    }
    const char* (*control)(const char*) = nullptr;
    ASSERT_TRUE(library->Bind("VyroSim_Control", control));
    ASSERT_NE(control, &VyroSim_Control);
    Sim({{"op", "reset"}});
    const Eos::InitializeOptions init = InitOptions();
    ASSERT_EQ(EOS_Initialize(&init), 0);
    EXPECT_EQ(json::parse(control(R"({"op":"state"})"))["sdk"], "notInitialised") << "a state of its own";

    const auto version = Platform::GetFileVersion(std::filesystem::absolute(SIM_EPIC_RUNTIME).make_preferred().wstring());
    EXPECT_EQ(version, (Platform::FileVersion{1, 17, 0, 0}));
}
