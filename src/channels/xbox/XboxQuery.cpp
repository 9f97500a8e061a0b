// The Xbox channel's Query: facts about the device, the signed-in user and a pending game join.
#include <nlohmann/json.hpp>

#include "VyroChannel.h"
#include "channels/xbox/XboxChannelSDK.h"
#include "channels/xbox/XboxHelper.h"
#include "common/Logger.h"
#include "common/Platform.h"
#include "core/Envelope.h"
#include "core/RequestMembers.h"

namespace Vyro {

namespace {

using nlohmann::json;

json UserRecord(XboxAuth& auth)
{
    const XboxUserInfo user = auth.GetUserInfo();
    return json{{"status", user.status},
                {"id", user.xuid},
                {"name", user.gamertag},
                {"xbox",
                 {{"isStoreUser", user.isStoreUser},
                  {"sandboxId", auth.SandboxId(false)},
                  {"countryCode", Platform::GetUserGeoName()}}}};
}

json JoinSessionRecord(const XboxMultiplayer* multiplayer)
{
    if (multiplayer == nullptr || !multiplayer->HasPendingJoin()) {
        return json{{"hasJoinSession", false}};
    }
    return json{{"hasJoinSession", true}, {"connectionString", multiplayer->GetPendingJoin()}};
}

} // namespace

void XboxChannelSDK::Query(const char* params, ResultCallback cb)
{
    const json request = ParseParameters(params);
    const std::string requestId = GetRequestId(request);
    const std::string key = StringMember(request, "key").value_or("");
    if (key.empty()) {
        Answer(cb, VYROCHANNEL_FAILED, MakeErrorResponse("Query key is empty or missing", ChannelType::Xbox, requestId));
        return;
    }
    json value;
    if (key == "device") {
        value = json{{"isDeviceHandheld", XboxHelper::IsDeviceHandheld()}};
    } else if (key == "user") {
        value = UserRecord(*auth_);
    } else if (key == "hasJoinSession") {
        value = JoinSessionRecord(multiplayer_.get());
    } else {
        Log(LogLevel::Warning, "XboxChannelSDK::Query unknown key: {}", key);
        Answer(cb, VYROCHANNEL_FAILED, MakeErrorResponse("Unknown query key: " + key, ChannelType::Xbox, requestId));
        return;
    }
    Answer(cb, VYROCHANNEL_OK, MakeSuccessResponse(json{{key, std::move(value)}}, ChannelType::Xbox, requestId));
}

} // namespace Vyro
