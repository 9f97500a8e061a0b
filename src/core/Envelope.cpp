#include "core/Envelope.h"

#include <exception>

#include "common/Logger.h"
#include "core/ChannelType.h"

namespace Vyro {

using nlohmann::json;

json ParseParameters(const char* params)
{
    if (params == nullptr) {
        Log(LogLevel::Warning, "ParseParameters() - params is null, returning empty object");
        return json::object();
    }
    try {
        json parsed = json::parse(params, /*cb=*/nullptr, /*allow_exceptions=*/true, /*ignore_comments=*/false);
        if (parsed.is_object() || parsed.is_null()) {
            return parsed;
        }
        Log(LogLevel::Warning, "ParseParameters() - parsed JSON is not an object (type: {}), returning empty object",
            parsed.type_name());
    } catch (const json::parse_error& error) {
        Log(LogLevel::Error, "ParseParameters() - JSON parse error: {}", error.what());
    } catch (const std::exception& error) {
        Log(LogLevel::Error, "ParseParameters() - exception during JSON parsing: {}", error.what());
    } catch (...) {
        Log(LogLevel::Error, "ParseParameters() - unknown exception during JSON parsing");
    }
    return json::object();
}

std::string GetRequestId(const json& request)
{
    if (!request.is_object()) {
        return {};
    }
    const auto member = request.find("requestId");
    if (member == request.end() || !member->is_string()) {
        return {};
    }
    return member->get<std::string>();
}

std::string ChannelName(int type)
{
    switch (type) {
    case ChannelType::Steam: return "steam";
    case ChannelType::Google: return "google";
    case ChannelType::Xbox: return "xbox";
    case ChannelType::Epic: return "epic";
    default: return "none";
    }
}

std::string SerializeReply(const json& reply)
{
    return reply.dump(-1, ' ', /*ensure_ascii=*/false, json::error_handler_t::replace);
}

std::string MakeErrorResponse(const std::string& message, int type, const std::string& requestId, int thirdErrorCode)
{
    json reply = json::object();
    reply["channel"] = ChannelName(type);
    reply["message"] = message;
    if (!requestId.empty()) {
        reply["requestId"] = requestId;
    }
    if (thirdErrorCode != 0) {
        reply["third_error_code"] = static_cast<std::int64_t>(thirdErrorCode);
    }
    return SerializeReply(reply);
}

std::string MakeSuccessResponse(const json& result, int type, const std::string& requestId)
{
    json reply = result.is_object() ? result : json::object();
    reply["channel"] = ChannelName(type);
    if (!requestId.empty()) {
        reply["requestId"] = requestId;
    }
    return SerializeReply(reply);
}

std::string MakeMessageResponse(int type, const std::string& message)
{
    json result = json::object();
    if (!message.empty()) {
        result["message"] = message;
    }
    return MakeSuccessResponse(result, type, {});
}

std::string MakeNotImplementedResponse(int type, const std::string& requestId)
{
    return MakeErrorResponse("Not implemented", type, requestId);
}

std::string MakeNoChannelResponse()
{
    return R"({"channel":"none","message":"No compatible channel SDK found"})";
}

} // namespace Vyro
