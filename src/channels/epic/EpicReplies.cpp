#include "channels/epic/EpicReplies.h"

#include <nlohmann/json.hpp>

#include "core/ChannelType.h"
#include "core/Envelope.h"

namespace Vyro {

std::string MakeEpicErrorResponse(const std::string& requestId, const std::string& errorType, const std::string& message,
                                  int eosResult, const std::string& eosResultName)
{
    nlohmann::json reply = nlohmann::json::parse(MakeErrorResponse(message, ChannelType::Epic, requestId, eosResult));
    nlohmann::json epic{{"errorType", errorType}};
    if (eosResult != 0) {
        epic["thirdErrorCode"] = eosResult;
        epic["eosResultString"] = eosResultName;
    }
    reply["epic"] = std::move(epic);
    return SerializeReply(reply);
}

} // namespace Vyro
