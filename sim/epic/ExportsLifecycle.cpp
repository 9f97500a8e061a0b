// Starting and stopping the SDK, and the platforms with their interfaces.
#include <string>
#include <utility>

#include "Calls.h"
#include "EosSim.h"

using namespace Vyro::EosSim;
namespace Eos = Vyro::Eos;

namespace {

// The first text the SDK needs that the record leaves null or empty, by its field's name.
const char* MissingPlatformText(const Eos::PlatformOptions& options)
{
    const std::pair<const char*, const char*> required[] = {
        {"ProductId", options.productId},
        {"SandboxId", options.sandboxId},
        {"DeploymentId", options.deploymentId},
        {"ClientCredentials.ClientId", options.clientCredentials.clientId},
        {"ClientCredentials.ClientSecret", options.clientCredentials.clientSecret},
    };
    for (const auto& [name, text] : required) {
        if (IsEmpty(text)) {
            return name;
        }
    }
    return nullptr;
}

std::string CreatedMessage(const Eos::PlatformOptions& options)
{
    return std::string("Initializing platform: ProductId=") + options.productId + ", SandboxId=" + options.sandboxId +
           ", DeploymentId=" + options.deploymentId;
}

Eos::HPlatform CreatePlatform(Call& call, const Eos::PlatformOptions* options)
{
    Runtime& runtime = call.Rt();
    if (!call.Admitted(Needs::Initialised) || !call.Accepts(options, Eos::kPlatformOptionsApi)) {
        return nullptr;
    }
    if (const char* missing = MissingPlatformText(*options)) {
        call.Misuse(std::string(missing) + " is null or empty");
        QueueSdkLog(runtime, Eos::kLogError, "LogEOS", std::string("Failed to create platform: ") + missing + " is missing");
        return nullptr;
    }
    if (runtime.settings.platformCreateFails) {
        call.Entry()["error"] = "programmed to fail (platformCreateFails)";
        QueueSdkLog(runtime, Eos::kLogError, "LogEOS", "Failed to create platform");
        return nullptr;
    }
    const std::uint64_t number = ++call.State().lastPlatformNumber;
    call.Entry()["result"] = number;
    QueueSdkLog(runtime, kLogVerbose, "LogEOS", CreatedMessage(*options));
    return runtime.platforms.Add(number, options->clientCredentials.clientId);
}

// An interface of a live platform; null for any other handle.
template <typename Handle>
Handle InterfaceOf(const char* function, Eos::HPlatform handle, Handle (*handleOf)(std::uint64_t))
{
    return JournalledCall(function, {}, [&](Call& call) -> Handle {
        const Platform* platform = call.Admitted(Needs::Initialised) ? call.Resolve(handle) : nullptr;
        const Handle found = platform == nullptr ? nullptr : handleOf(platform->number);
        call.Entry()["result"] = DescribePointer(found);
        return found;
    });
}

} // namespace

extern "C" {

Eos::EResult EOS_Initialize(const Eos::InitializeOptions* options)
{
    return JournalledCall("EOS_Initialize", {}, [&](Call& call) {
        if (!call.Admitted(Needs::Nothing)) {
            return call.Returns(Results::kNotConfigured);
        }
        if (!call.Accepts(options, Eos::kInitializeApi) ||
            !call.Requires(!IsEmpty(options->productName) && !IsEmpty(options->productVersion),
                           "ProductName and ProductVersion must not be null or empty")) {
            return call.Returns(Results::kInvalidParameters);
        }
        Runtime& runtime = call.Rt();
        if (runtime.sdk == SdkState::Initialised) {
            return call.Returns(Results::kAlreadyConfigured);
        }
        const Eos::EResult result = runtime.settings.initializeResult;
        if (result == Results::kSuccess) {
            runtime.sdk = SdkState::Initialised;
            runtime.productName = options->productName;
        }
        return call.Returns(result);
    });
}

Eos::EResult EOS_Shutdown()
{
    return JournalledCall("EOS_Shutdown", {}, [](Call& call) {
        Runtime& runtime = call.Rt();
        if (!call.Admitted(Needs::Nothing) ||
            !call.Requires(runtime.sdk == SdkState::Initialised, "EOS_Shutdown before EOS_Initialize")) {
            return call.Returns(Results::kNotConfigured);
        }
        const std::size_t live = runtime.platforms.All().size();
        call.Entry()["livePlatforms"] = live;
        call.Requires(live == 0, "EOS_Shutdown with live platforms: release them first");
        runtime.sdk = SdkState::ShutDown;
        return call.Returns(Results::kSuccess);
    });
}

Eos::HPlatform EOS_Platform_Create(const Eos::PlatformOptions* options)
{
    return JournalledCall("EOS_Platform_Create", {{"result", nullptr}},
                          [&](Call& call) { return CreatePlatform(call, options); });
}

void EOS_Platform_Release(Eos::HPlatform handle)
{
    JournalledCall("EOS_Platform_Release", {}, [&](Call& call) {
        const Platform* platform = call.Admitted(Needs::Initialised) ? call.Resolve(handle) : nullptr;
        if (platform == nullptr) {
            return;
        }
        // Their completions are never called: the game must cope with records that never come back.
        call.Entry()["dropped"] = platform->pending.size();
        QueueSdkLog(call.Rt(), kLogVerbose, "LogEOS", "Platform released");
        call.Rt().platforms.Remove(platform->number);
    });
}

Eos::HAuth EOS_Platform_GetAuthInterface(Eos::HPlatform platform)
{
    return InterfaceOf("EOS_Platform_GetAuthInterface", platform, &Platforms::AuthHandle);
}

Eos::HEcom EOS_Platform_GetEcomInterface(Eos::HPlatform platform)
{
    return InterfaceOf("EOS_Platform_GetEcomInterface", platform, &Platforms::EcomHandle);
}

} // extern "C"
