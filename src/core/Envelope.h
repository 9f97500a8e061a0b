#pragma once

#include <string>

#include <nlohmann/json.hpp>

namespace Vyro {

// The request text as a JSON object; malformed or non-object texts are logged and yield an empty
// object, the text "null" yields JSON null. Never throws.
nlohmann::json ParseParameters(const char* params);

// The top-level string member `requestId`, or empty.
std::string GetRequestId(const nlohmann::json& request);

std::string ChannelName(int type);

// Replies: compact JSON, keys in ascending byte order, raw UTF-8.
std::string MakeErrorResponse(const std::string& message, int type, const std::string& requestId = {},
                              int thirdErrorCode = 0);
std::string MakeSuccessResponse(const nlohmann::json& result, int type, const std::string& requestId);
std::string MakeMessageResponse(int type, const std::string& message);
std::string MakeNotImplementedResponse(int type, const std::string& requestId);
std::string MakeNoChannelResponse();

// The compact form every reply uses. Text that is not valid UTF-8 is replaced by U+FFFD instead of
// failing, so a store's malformed string can never stop a reply.
std::string SerializeReply(const nlohmann::json& reply);

} // namespace Vyro
