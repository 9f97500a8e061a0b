#pragma once

#include <memory>
#include <string>

#include "channels/epic/EosApi.h"
#include "channels/epic/EpicAuth.h"
#include "channels/epic/EpicConfig.h"
#include "channels/epic/EpicPayment.h"
#include "channels/epic/IEpicContext.h"
#include "common/Platform.h"
#include "core/BaseChannelSDK.h"
#include "core/StoreLibrary.h"

namespace Vyro {

class ConfigReader;

// The channel of a game started from the Epic store: the EOS platform's lifecycle with the product's
// configuration, the launcher login that Load starts and Init reports, and the sign-in and commerce
// operations of its feature objects. Every asynchronous answer arrives inside Tick.
//
// EOS allows no call at all after EOS_Shutdown in a process, EOS_Initialize included, so the channel
// never shuts EOS down: Unload releases the platform, and a later Load finds EOS initialised (15)
// and creates a new platform.
class EpicChannelSDK : public BaseChannelSDK, public IEpicContext {
public:
    using CommandLineSource = Platform::CommandLineArgs (*)();

    // Binds EOSSDK-Win64-Shipping.dll beside the library at the first Load and keeps it for the
    // process; reads the configuration store beside the library and the process's command line.
    EpicChannelSDK();
    // For tests: a given SDK, configuration store and command line.
    EpicChannelSDK(LazyStoreApi<Eos::EosApi> api, ConfigReader& config, CommandLineSource commandLine);
    ~EpicChannelSDK() override;

    int GetChannelType() override;
    void Load(const char* params, ResultCallback cb) override;
    void Unload(const char* params, ResultCallback cb) override;
    void Init(const char* params, ResultCallback cb) override;
    void Tick() override;
    void Login(const char* params, ResultCallback cb) override;
    void AuthToken(const char* params, ResultCallback cb) override;
    void Products(const char* params, ResultCallback cb) override;
    void Checkout(const char* params, ResultCallback cb) override;
    void CheckEntitlements(const char* params, ResultCallback cb) override;

    // IEpicContext
    Eos::HPlatform GetPlatform() override;
    Eos::EpicAccountId GetAccountId() override;
    void SetAccountId(Eos::EpicAccountId accountId) override;
    void PostEvent(int type, int code, std::string json) override;
    void OnLoginResult(const LoginResult& result) override;
    const Eos::EosApi& Api() override;

private:
    // Starts EOS and the platform; the error reply when that fails, else empty.
    std::string StartPlatform(const Eos::EosApi& api, const std::string& requestId);
    Eos::HPlatform CreatePlatform(const Eos::EosApi& api);
    void ApplyLaunchCredentials(const Platform::CommandLineArgs& args);
    // Releases the platform; every request EOS will now never complete is freed, and answered when
    // `answer` is set.
    void ReleasePlatform(bool answer);

    LazyStoreApi<Eos::EosApi> api_;
    ConfigReader& configReader_;
    CommandLineSource commandLine_;
    Eos::HPlatform platform_ = nullptr;
    Eos::EpicAccountId accountId_ = nullptr;
    EpicConfig config_;
    bool loaded_ = false;
    bool loginDone_ = false;
    LoginResult loginResult_;
    std::unique_ptr<EpicAuth> auth_;
    std::unique_ptr<EpicPayment> payment_;
};

} // namespace Vyro
