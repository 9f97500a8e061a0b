#include "channels/xbox/XboxServiceAnswers.h"

#include "channels/xbox/HResultText.h"
#include "channels/xbox/IXboxContext.h"
#include "common/Logger.h"
#include "core/BaseChannelSDK.h"
#include "core/Envelope.h"

namespace Vyro {

void AnswerFailure(ResultCallback cb, const std::string& requestId, const std::string& message, Gdk::HResult result)
{
    BaseChannelSDK::Answer(cb, VYROCHANNEL_FAILED, MakeErrorResponse(message, ChannelType::Xbox, requestId, result));
}

void AnswerFailedCall(ResultCallback cb, const std::string& requestId, const char* call, Gdk::HResult result)
{
    LogFailedCall(call, result);
    AnswerFailure(cb, requestId, std::string(call) + " failed: " + HResultText(result), result);
}

void AnswerFailedResult(ResultCallback cb, const std::string& requestId, const char* call, const std::string& message,
                        Gdk::HResult result)
{
    LogFailedCall(call, result);
    AnswerFailure(cb, requestId, message, result);
}

void AnswerSuccess(ResultCallback cb, const std::string& requestId, const nlohmann::json& result)
{
    BaseChannelSDK::Answer(cb, VYROCHANNEL_OK, MakeSuccessResponse(result, ChannelType::Xbox, requestId));
}

bool RequireServicesContext(Xbl::XblContextHandle servicesContext, ResultCallback cb, const std::string& requestId, int code)
{
    if (servicesContext != nullptr) {
        return true;
    }
    Log(LogLevel::Error, "Xbox Live context not initialized");
    BaseChannelSDK::Answer(cb, code,
                           MakeErrorResponse("Xbox Live context not initialized. Login first.", ChannelType::Xbox, requestId));
    return false;
}

bool GetXuid(IXboxContext& context, ResultCallback cb, const std::string& requestId, std::uint64_t& xuid)
{
    const Gdk::HResult result = context.Runtime().XUserGetId(context.GetUserHandle(), &xuid);
    if (!Gdk::Succeeded(result)) {
        AnswerFailedCall(cb, requestId, "XUserGetId", result);
        return false;
    }
    return true;
}

bool OpenRequest(const std::string& params, Xbl::XblContextHandle servicesContext, ResultCallback cb, int noContextCode,
                 nlohmann::json& request, std::string& requestId)
{
    request = ParseParameters(params.c_str());
    requestId = GetRequestId(request);
    return RequireServicesContext(servicesContext, cb, requestId, noContextCode);
}

bool StartCall(IXboxContext& context, ResultCallback cb, const std::string& requestId, const char* call,
               AsyncCall::Handler handler, const AsyncCall::Starter& start)
{
    const Gdk::HResult started = AsyncCall::Start(context.GetTaskQueue(), std::move(handler), start);
    if (!Gdk::Succeeded(started)) {
        AnswerFailedCall(cb, requestId, call, started);
        return false;
    }
    return true;
}

void AnswerStatus(IXboxContext& context, Gdk::XAsyncBlock* block, ResultCallback cb, const std::string& requestId,
                  const char* operation)
{
    const Gdk::HResult status = context.Runtime().XAsyncGetStatus(block, false);
    if (!Gdk::Succeeded(status)) {
        AnswerFailedCall(cb, requestId, operation, status);
        return;
    }
    AnswerSuccess(cb, requestId, nlohmann::json::object());
}

bool RequireRuntime(IXboxContext& context, ResultCallback cb, const std::string& requestId)
{
    if (context.IsInitialized() && context.GetTaskQueue() != nullptr) {
        return true;
    }
    Log(LogLevel::Error, "SDK not initialized");
    AnswerFailure(cb, requestId, "SDK not initialized. Call Load() first.");
    return false;
}

} // namespace Vyro
