#pragma once

#include <cstdint>
#include <string>

#include <nlohmann/json.hpp>

#include "VyroChannel.h"
#include "channels/xbox/AsyncCall.h"
#include "channels/xbox/GameRuntimeApi.h"
#include "channels/xbox/XblApi.h"

namespace Vyro {

class IXboxContext;

// The answers the Xbox services features share.

// -1 with `message` and the HRESULT (none when 0) as third_error_code.
void AnswerFailure(ResultCallback cb, const std::string& requestId, const std::string& message, Gdk::HResult result = 0);
// Logs "<call> failed: 0x…" and answers -1 with that same text and the HRESULT.
void AnswerFailedCall(ResultCallback cb, const std::string& requestId, const char* call, Gdk::HResult result);
// Logs "<call> failed: 0x…" and answers -1 with `message` and the HRESULT.
void AnswerFailedResult(ResultCallback cb, const std::string& requestId, const char* call, const std::string& message,
                        Gdk::HResult result);
// 0 with the result object.
void AnswerSuccess(ResultCallback cb, const std::string& requestId, const nlohmann::json& result);

// Whether the feature has its Xbox services context; without one, logs and answers `code` with the
// request to sign in.
bool RequireServicesContext(Xbl::XblContextHandle servicesContext, ResultCallback cb, const std::string& requestId, int code);
// The signed-in user's xuid into `xuid`; false once a failure was logged and answered.
bool GetXuid(IXboxContext& context, ResultCallback cb, const std::string& requestId, std::uint64_t& xuid);

// Parses a feature's request into `request` and its `requestId`; false, answered with `noContextCode`,
// when the feature has no Xbox services context.
bool OpenRequest(const std::string& params, Xbl::XblContextHandle servicesContext, ResultCallback cb, int noContextCode,
                 nlohmann::json& request, std::string& requestId);
// Starts an asynchronous services call on the channel's queue; a call that does not start is logged
// and answered with the HRESULT ("<call> failed: 0x…"). Whether it started.
bool StartCall(IXboxContext& context, ResultCallback cb, const std::string& requestId, const char* call,
               AsyncCall::Handler handler, const AsyncCall::Starter& start);

// The answer of a call whose outcome is its async status alone: -1 with "<operation> failed: 0x…" and
// the HRESULT on failure, else 0 with an empty result.
void AnswerStatus(IXboxContext& context, Gdk::XAsyncBlock* block, ResultCallback cb, const std::string& requestId,
                  const char* operation);
// Whether the channel has started the runtime and its queue; without them, logs and answers -1 with
// the request to call Load first.
bool RequireRuntime(IXboxContext& context, ResultCallback cb, const std::string& requestId);

// A text of an Xbox services record: "" for none.
inline std::string TextOf(const char* text) { return text == nullptr ? std::string() : std::string(text); }

} // namespace Vyro

namespace Vyro {

// A fixed text field of an Xbox services record: up to its terminator, or the whole field when the
// service filled it completely.
template <std::size_t Size>
std::string FieldText(const char (&field)[Size])
{
    std::size_t length = 0;
    while (length < Size && field[length] != '\0') {
        ++length;
    }
    return std::string(field, length);
}

} // namespace Vyro
