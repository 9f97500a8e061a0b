// What the title and the device say about themselves: the title id and the Xbox services sandbox.
#include <cstring>

#include "Calls.h"
#include "XboxSim.h"

using namespace Vyro::XboxSim;
namespace Gdk = Vyro::Gdk;

extern "C" {

Gdk::HResult XGameGetXboxTitleId(std::uint32_t* titleId)
{
    return RuntimeCall("XGameGetXboxTitleId", {}, [&](Call& call) {
        if (!call.Requires(titleId != nullptr, "null titleId")) {
            return call.Returns(Results::kInvalidArg);
        }
        const Settings& settings = call.Rt().settings;
        if (!Gdk::Succeeded(settings.titleIdResult)) {
            return call.Returns(settings.titleIdResult);
        }
        *titleId = settings.titleId;
        call.Entry()["titleId"] = settings.titleId;
        return call.Returns(Results::kOk);
    });
}

Gdk::HResult XSystemGetXboxLiveSandboxId(std::size_t sandboxIdSize, char* sandboxId, std::size_t* sandboxIdUsed)
{
    return RuntimeCall("XSystemGetXboxLiveSandboxId", {{"sandboxIdSize", sandboxIdSize}}, [&](Call& call) {
        if (!call.Requires(sandboxId != nullptr, "null sandboxId")) {
            return call.Returns(Results::kInvalidArg);
        }
        const Settings& settings = call.Rt().settings;
        if (!Gdk::Succeeded(settings.sandboxIdResult)) {
            return call.Returns(settings.sandboxIdResult);
        }
        if (sandboxIdSize < Gdk::kSandboxIdMaxBytes) {
            call.Entry()["required"] = Gdk::kSandboxIdMaxBytes;
            return call.Returns(Results::kNotSufficientBuffer);
        }
        std::memcpy(sandboxId, settings.sandboxId.c_str(), settings.sandboxId.size() + 1);
        if (sandboxIdUsed != nullptr) {
            *sandboxIdUsed = settings.sandboxId.size() + 1;
        }
        call.Entry()["sandboxId"] = settings.sandboxId;
        return call.Returns(Results::kOk);
    });
}

} // extern "C"
