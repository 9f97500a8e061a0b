#include "channels/epic/EpicChannelSDK.h"

#include <nlohmann/json.hpp>

#include "VyroChannel.h"
#include "channels/epic/EosLogFile.h"
#include "channels/epic/EosLoggingSetup.h"
#include "channels/epic/EosText.h"
#include "channels/epic/EpicReplies.h"
#include "channels/epic/OverlayPluginCleanup.h"
#include "common/Logger.h"
#include "config/ConfigReader.h"
#include "core/Envelope.h"

namespace Vyro {

namespace {

using nlohmann::json;

// EOS's file encryption key for player and title storage; the channel uses neither, but EOS wants
// one of this form.
constexpr char kEncryptionKey[] = "5c0ffee15c0ffee15c0ffee15c0ffee15c0ffee15c0ffee15c0ffee15c0ffee1";
constexpr char kConfigReadFailed[] = "Failed to read Epic config from MMKV";

int CredentialTypeOf(const Platform::CommandLineArgs& args)
{
    const auto authType = args.find("AUTH_TYPE");
    if (authType == args.end()) {
        return Eos::kCredentialExchangeCode;
    }
    const std::string name = Platform::ToLowerAscii(authType->second);
    if (name == "exchangecode") {
        return Eos::kCredentialExchangeCode;
    }
    if (name == "refreshtoken") {
        return Eos::kCredentialRefreshToken;
    }
    if (name == "persistentauth") {
        return Eos::kCredentialPersistentAuth;
    }
    Log(LogLevel::Warning, "[EpicChannelSDK] Unknown AUTH_TYPE: {}", authType->second);
    return Eos::kCredentialExchangeCode;
}

std::string ErrorReply(const std::string& requestId, const char* errorType, const std::string& message)
{
    return MakeEpicErrorResponse(requestId, errorType, message, 0, "");
}

} // namespace

EpicChannelSDK::EpicChannelSDK()
    : EpicChannelSDK(LazyStoreApi<Eos::EosApi>(Eos::kRuntimeFileName, Eos::BindEosApi, LazyStoreApi<Eos::EosApi>::Lifetime::Process),
                     ConfigReader::Instance(), &Platform::GetCommandLineArgs)
{
}

EpicChannelSDK::EpicChannelSDK(LazyStoreApi<Eos::EosApi> api, ConfigReader& config, CommandLineSource commandLine)
    : api_(std::move(api)), configReader_(config), commandLine_(commandLine), auth_(std::make_unique<EpicAuth>(this)),
      payment_(std::make_unique<EpicPayment>(this))
{
}

EpicChannelSDK::~EpicChannelSDK()
{
    EosLogFile::Instance().Close();
    // The notification goes while the platform still exists; the feature objects go after the
    // platform, so that nothing EOS delivers during the release finds them gone.
    auth_->Reset();
    ReleasePlatform(false);
    auth_.reset();
    payment_.reset();
}

int EpicChannelSDK::GetChannelType() { return ChannelType::Epic; }

void EpicChannelSDK::Load(const char* params, ResultCallback cb)
{
    const std::string requestId = GetRequestId(ParseParameters(params));
    if (platform_ != nullptr) {
        Answer(cb, VYROCHANNEL_OK, MakeSuccessResponse(json::object(), ChannelType::Epic, requestId));
        return;
    }
    RemoveConflictingOverlayPlugin();
    if (!ReadEpicConfig(configReader_, config_)) {
        Answer(cb, VYROCHANNEL_FAILED, ErrorReply(requestId, "config_read_failed", kConfigReadFailed));
        return;
    }
    const Platform::CommandLineArgs args = commandLine_();
    ApplyLauncherOverrides(args, config_);
    const Eos::EosApi* api = api_.Get();
    if (api == nullptr) {
        const std::string message = "Failed to load " + Platform::WideToUtf8(Eos::kRuntimeFileName);
        Answer(cb, VYROCHANNEL_FAILED, ErrorReply(requestId, "eos_sdk_load_failed", message));
        return;
    }
    const std::string failure = StartPlatform(*api, requestId);
    if (!failure.empty()) {
        Answer(cb, VYROCHANNEL_FAILED, failure);
        return;
    }
    ApplyLaunchCredentials(args);
    loaded_ = true;
    auth_->AutoLogin();
    Answer(cb, VYROCHANNEL_OK, MakeSuccessResponse(json::object(), ChannelType::Epic, requestId));
}

std::string EpicChannelSDK::StartPlatform(const Eos::EosApi& api, const std::string& requestId)
{
    const Eos::InitializeOptions options{Eos::kInitializeApi, nullptr, nullptr, nullptr, config_.productName.c_str(),
                                         config_.productVersion.c_str(), nullptr, nullptr, nullptr};
    const Eos::EResult result = api.initialize(&options);
    if (result != Eos::kSuccess && result != Eos::kAlreadyConfigured) {
        const std::string name = Eos::ResultName(api, result);
        Log(LogLevel::Error, "[EpicChannelSDK] EOS_Initialize failed: {}", name);
        return MakeEpicErrorResponse(requestId, "eos_initialize_failed", "EOS_Initialize failed: " + name, result, name);
    }
    SetupEosLogging(api);
    platform_ = CreatePlatform(api);
    if (platform_ == nullptr) {
        Log(LogLevel::Error, "[EpicChannelSDK] EOS_Platform_Create failed");
        // EOS stays initialised: it could not be initialised again in this process.
        return ErrorReply(requestId, "eos_platform_create_failed", "EOS_Platform_Create failed");
    }
    return {};
}

Eos::HPlatform EpicChannelSDK::CreatePlatform(const Eos::EosApi& api)
{
    Eos::PlatformOptions options{};
    options.apiVersion = Eos::kPlatformOptionsApi;
    options.productId = config_.productId.c_str();
    options.sandboxId = config_.sandboxId.c_str();
    options.clientCredentials = {config_.clientId.c_str(), config_.clientSecret.c_str()};
    options.isServer = Eos::kFalse;
    options.encryptionKey = kEncryptionKey;
    options.deploymentId = config_.deploymentId.c_str();
    return api.platformCreate(&options);
}

void EpicChannelSDK::ApplyLaunchCredentials(const Platform::CommandLineArgs& args)
{
    const int type = CredentialTypeOf(args);
    const auto password = args.find("AUTH_PASSWORD");
    auth_->SetCredentials(type, password == args.end() ? std::string() : password->second);
    auth_->RegisterLoginStatusNotification();
}

void EpicChannelSDK::Init(const char* params, ResultCallback cb)
{
    const std::string requestId = GetRequestId(ParseParameters(params));
    if (!loaded_) {
        Answer(cb, VYROCHANNEL_FAILED, MakeErrorResponse("EOS platform not loaded. Call Load first.", ChannelType::Epic, requestId));
        return;
    }
    json data{{"productId", config_.productId},
              {"sandboxId", config_.sandboxId},
              {"deploymentId", config_.deploymentId},
              {"clientId", config_.clientId}};
    if (loginDone_ && !loginResult_.success) {
        Answer(cb, loginResult_.code,
               MakeEpicErrorResponse(requestId, "login_failed", loginResult_.message, loginResult_.thirdErrorCode,
                                     loginResult_.eosResultString));
        return;
    }
    if (loginResult_.success) {
        data["accountId"] = loginResult_.accountId;
    }
    Answer(cb, VYROCHANNEL_OK, MakeSuccessResponse(json{{"epic", std::move(data)}}, ChannelType::Epic, requestId));
}

void EpicChannelSDK::Tick()
{
    if (platform_ != nullptr) {
        api_.Bound()->platformTick(platform_);
    }
    DispatchEvents();
}

void EpicChannelSDK::ReleasePlatform(bool answer)
{
    if (platform_ != nullptr) {
        // Cleared first: whatever EOS still delivers during the release sees no platform to call into.
        const Eos::HPlatform platform = platform_;
        platform_ = nullptr;
        api_.Bound()->platformRelease(platform);
    }
    auth_->AbandonPendingLogins(answer);
    payment_->AbandonPendingRequests(answer);
}

void EpicChannelSDK::Unload(const char* params, ResultCallback cb)
{
    const std::string requestId = GetRequestId(ParseParameters(params));
    EosLogFile::Instance().Close();
    auth_->Reset();
    ReleasePlatform(true);
    loaded_ = false;
    loginDone_ = false;
    accountId_ = nullptr;
    loginResult_ = {};
    Answer(cb, VYROCHANNEL_OK, MakeSuccessResponse(json::object(), ChannelType::Epic, requestId));
}

void EpicChannelSDK::Login(const char* params, ResultCallback cb) { auth_->Login(params, cb); }
void EpicChannelSDK::AuthToken(const char* params, ResultCallback cb) { auth_->GetAuthToken(params, cb); }
void EpicChannelSDK::Products(const char* params, ResultCallback cb) { payment_->QueryOffers(params, cb); }
void EpicChannelSDK::Checkout(const char* params, ResultCallback cb) { payment_->Checkout(params, cb); }
void EpicChannelSDK::CheckEntitlements(const char* params, ResultCallback cb) { payment_->QueryEntitlements(params, cb); }

Eos::HPlatform EpicChannelSDK::GetPlatform() { return platform_; }
Eos::EpicAccountId EpicChannelSDK::GetAccountId() { return accountId_; }
void EpicChannelSDK::SetAccountId(Eos::EpicAccountId accountId) { accountId_ = accountId; }
void EpicChannelSDK::PostEvent(int type, int code, std::string json) { BaseChannelSDK::PostEvent(type, code, std::move(json)); }
const Eos::EosApi& EpicChannelSDK::Api() { return *api_.Bound(); }

void EpicChannelSDK::OnLoginResult(const LoginResult& result)
{
    loginResult_ = result;
    if (loginResult_.message.empty()) {
        if (loginResult_.success) {
            loginDone_ = true;
            return;
        }
        loginResult_.message = "Epic login failed";
    }
    if (!loginResult_.success) {
        Log(LogLevel::Error, "[EpicChannelSDK] Launcher login failed: code={}, third={}, msg={}", loginResult_.code,
            loginResult_.thirdErrorCode, loginResult_.message);
    }
    loginDone_ = true;
}

} // namespace Vyro
