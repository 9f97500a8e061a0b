#include "channels/steam/SteamChannelSDK.h"

#include <algorithm>
#include <cstring>
#include <exception>

#include <nlohmann/json.hpp>

#include "VyroChannel.h"
#include "common/Logger.h"
#include "core/Envelope.h"
#include "core/RequestMembers.h"

namespace Vyro {

namespace {

using nlohmann::json;
using namespace Steamworks;

constexpr char kLaunchRequired[] = "Game must be launched from Steam client";
constexpr char kNotInitialised[] = "Steam API not initialized";
constexpr char kNotLoggedOn[] = "User not logged on to Steam";

// Steam calls the handlers from inside SteamAPI_RunCallbacks; an exception unwinding into Steam's
// own frames would take the game down, so whatever a handler throws is logged and dropped here.
template <typename Body>
void GuardHandler(const char* handlerName, Body&& body) noexcept
{
    try {
        body();
    } catch (const std::exception& error) {
        Log(LogLevel::Error, "Exception in {}: {}", handlerName, error.what());
    } catch (...) {
        Log(LogLevel::Error, "Unknown exception in {}", handlerName);
    }
}

std::string ErrorTextOf(const InitErrorText& text) { return std::string(text, strnlen(text, kInitErrorSize)); }

} // namespace

SteamChannelSDK::SteamChannelSDK() : SteamChannelSDK({kRuntimeFileName, BindSteamApi}, &Platform::GetProcessAncestors)
{
}

SteamChannelSDK::SteamChannelSDK(LazyStoreApi<SteamApi> api, AncestorsSource ancestors)
    : api_(std::move(api)), ancestors_(ancestors)
{
}

SteamChannelSDK::~SteamChannelSDK()
{
    // Registered callbacks mean the API was bound; never load Steam just to say goodbye.
    if (const SteamApi* api = api_.Bound()) {
        UnregisterCallbacks(*api);
    }
}

int SteamChannelSDK::GetChannelType() { return ChannelType::Steam; }

void SteamChannelSDK::Load(const char* /*params*/, ResultCallback cb)
{
    if (!loaded_) {
        LoadSteam();
    }
    if (loadResult_ == VYROCHANNEL_OK) {
        Answer(cb, VYROCHANNEL_OK, MakeSuccessResponse(json::object(), ChannelType::Steam, {}));
    } else {
        Answer(cb, loadResult_, MakeErrorResponse(loadError_, ChannelType::Steam));
    }
}

void SteamChannelSDK::LoadSteam()
{
    loaded_ = true;
    if (!IsLaunchedBySteam(ancestors_())) {
        SetLoadVerdict(VYROCHANNEL_STORE_NOT_PRESENT, kLaunchRequired);
        Log(LogLevel::Error, "steam.exe - Steam client launch required");
        return;
    }
    const SteamApi* api = api_.Get();
    if (api == nullptr) {
        SetLoadVerdict(VYROCHANNEL_FAILED, "Failed to load steam_api64.dll");
        return;
    }
    InitErrorText errorText{};
    const InitResult result = api->init(kInterfaceVersions, &errorText);
    if (result == InitOk) {
        SetLoadVerdict(VYROCHANNEL_OK, {});
        return;
    }
    SetLoadVerdict(VYROCHANNEL_FAILED, ErrorTextOf(errorText));
    switch (result) {
    case InitNoSteamClient:
        loadResult_ = VYROCHANNEL_STORE_NOT_PRESENT;
        Log(LogLevel::Error, "Steam client not running: {}", loadError_);
        break;
    case InitVersionMismatch:
        loadResult_ = VYROCHANNEL_STORE_VERSION_MISMATCH;
        Log(LogLevel::Error, "Steam client version mismatch: {}", loadError_);
        break;
    default:
        Log(LogLevel::Error, "Steam API initialization failed: {}", loadError_);
        break;
    }
}

void SteamChannelSDK::SetLoadVerdict(int result, std::string message)
{
    loadResult_ = result;
    loadError_ = std::move(message);
}

void SteamChannelSDK::Init(const char* /*params*/, ResultCallback cb)
{
    if (initialised_) {
        AnswerInitialised(cb);
        return;
    }
    if (!loaded_) {
        Log(LogLevel::Error, "Steam API not loaded - Load() must be called before Init()");
        Answer(cb, VYROCHANNEL_FAILED, MakeErrorResponse("Load() must be called before Init()", ChannelType::Steam));
        return;
    }
    if (loadResult_ != VYROCHANNEL_OK) {
        Log(LogLevel::Error, "Steam API load failed previously: {}", loadError_);
        Answer(cb, loadResult_, MakeErrorResponse(loadError_, ChannelType::Steam));
        return;
    }
    // A successful Load bound the API.
    const SteamApi& api = *api_.Bound();
    interfaces_ = SteamInterfaces(api);
    purchaseCallback_.Register(api, this, &SteamChannelSDK::OnMicroTxnAuthorizationResponse);
    ticketCallback_.Register(api, this, &SteamChannelSDK::OnGetTicketForWebApiResponse);
    overlayCallback_.Register(api, this, &SteamChannelSDK::OnGameOverlayActivated);
    initialised_ = true;
    AnswerInitialised(cb);
}

void SteamChannelSDK::AnswerInitialised(ResultCallback cb)
{
    const json result{{"steam", {{"appId", interfaces_.GetAppId()}}}};
    Answer(cb, VYROCHANNEL_OK, MakeSuccessResponse(result, ChannelType::Steam, {}));
}

bool SteamChannelSDK::RefuseWithoutUser(ResultCallback cb, const std::string& requestId)
{
    const char* refusal = !initialised_ ? kNotInitialised : !interfaces_.LoggedOn() ? kNotLoggedOn : nullptr;
    if (refusal == nullptr) {
        return false;
    }
    Log(LogLevel::Error, std::string_view(refusal));
    Answer(cb, VYROCHANNEL_FAILED, MakeErrorResponse(refusal, ChannelType::Steam, requestId));
    return true;
}

void SteamChannelSDK::Login(const char* params, ResultCallback cb)
{
    const std::string requestId = GetRequestId(ParseParameters(params));
    if (RefuseWithoutUser(cb, requestId)) {
        return;
    }
    const json result{{"authenticated", true},
                      {"steam",
                       {{"Id", std::to_string(interfaces_.GetSteamId())},
                        {"nickName", interfaces_.PersonaName()},
                        {"overlayEnabled", interfaces_.OverlayEnabled()}}}};
    Answer(cb, VYROCHANNEL_OK, MakeSuccessResponse(result, ChannelType::Steam, requestId));
}

void SteamChannelSDK::AuthToken(const char* params, ResultCallback cb)
{
    const json request = ParseParameters(params);
    const std::string identity = StringMember(request, "identity").value_or("");
    std::string requestId = GetRequestId(request);
    if (RefuseWithoutUser(cb, requestId)) {
        return;
    }
    const HAuthTicket ticket = interfaces_.AuthTicketForWebApi(identity);
    if (ticket == 0) {
        Log(LogLevel::Error, "Failed to get auth ticket for web API");
        Answer(cb, VYROCHANNEL_FAILED, MakeErrorResponse("Failed to get auth ticket", ChannelType::Steam, requestId));
        return;
    }
    // Answered from OnGetTicketForWebApiResponse once Steam has the ticket.
    pendingTickets_[ticket] = PendingTicket{cb, std::move(requestId)};
}

void SteamChannelSDK::Tick()
{
    if (!initialised_) {
        return;
    }
    api_.Bound()->runCallbacks();
    DispatchEvents();
}

void SteamChannelSDK::Unload(const char* /*params*/, ResultCallback cb)
{
    if (initialised_) {
        UnregisterCallbacks(*api_.Bound());
        // Their answers will never come now; the callers hear nothing.
        pendingTickets_.clear();
        overlayShown_ = false;
        initialised_ = false;
        interfaces_ = SteamInterfaces();
    }
    if (loaded_) {
        if (const SteamApi* api = api_.Get()) {
            api->shutdown();
        }
    }
    loaded_ = false;
    SetLoadVerdict(VYROCHANNEL_OK, {});
    Answer(cb, VYROCHANNEL_OK, MakeSuccessResponse(json::object(), ChannelType::Steam, {}));
}

void SteamChannelSDK::UnregisterCallbacks(const SteamApi& api)
{
    purchaseCallback_.Unregister(api);
    ticketCallback_.Unregister(api);
    overlayCallback_.Unregister(api);
}

void SteamChannelSDK::OnMicroTxnAuthorizationResponse(const MicroTxnAuthorizationResponse* response)
{
    GuardHandler("OnMicroTxnAuthorizationResponse", [&] {
        if (response == nullptr) {
            return;
        }
        const json event{{"appId", response->appId},
                         {"orderId", std::to_string(response->orderId)},
                         {"authorized", response->authorized == 1}};
        PostEvent(VYROCHANNEL_EVENT_PURCHASE_AUTHORIZATION, response->authorized != 0 ? VYROCHANNEL_OK : VYROCHANNEL_FAILED,
                  MakeSuccessResponse(event, ChannelType::Steam, {}));
    });
}

void SteamChannelSDK::OnGameOverlayActivated(const GameOverlayActivated* overlay)
{
    GuardHandler("OnGameOverlayActivated", [&] {
        if (overlay == nullptr) {
            return;
        }
        const bool active = overlay->active != 0;
        // Only changes are reported.
        if (active == overlayShown_) {
            return;
        }
        overlayShown_ = active;
        const json event{{"active", active}, {"appId", overlay->appId}};
        PostEvent(VYROCHANNEL_EVENT_OVERLAY, VYROCHANNEL_OK, MakeSuccessResponse(event, ChannelType::Steam, {}));
    });
}

void SteamChannelSDK::OnGetTicketForWebApiResponse(const GetTicketForWebApiResponse* response)
{
    GuardHandler("OnGetTicketForWebApiResponse", [&] {
        if (response != nullptr) {
            AnswerTicket(*response);
        }
    });
}

void SteamChannelSDK::AnswerTicket(const GetTicketForWebApiResponse& response)
{
    const auto pending = pendingTickets_.find(response.authTicket);
    if (pending == pendingTickets_.end()) {
        Log(LogLevel::Warning, "Received auth ticket response for unknown handle: {}", response.authTicket);
        return;
    }
    // Out of the map before answering: the caller may unload, or ask for another ticket, from the callback.
    const PendingTicket ticket = std::move(pending->second);
    pendingTickets_.erase(pending);
    if (response.result != kResultOk) {
        Log(LogLevel::Error, "Auth ticket failed - Result: {}", response.result);
        Answer(ticket.cb, VYROCHANNEL_FAILED,
               MakeErrorResponse(fmt::format("Failed to get auth ticket (EResult: {})", response.result),
                                 ChannelType::Steam, ticket.requestId));
        return;
    }
    // A size outside the buffer would read past the record; keep to what the record holds.
    const auto size = static_cast<std::size_t>(std::clamp<std::int32_t>(response.ticketSize, 0, static_cast<std::int32_t>(kMaxWebApiTicketSize)));
    const json result{{"token", Platform::HexEncode(response.ticket, size, true)}};
    Answer(ticket.cb, VYROCHANNEL_OK, MakeSuccessResponse(result, ChannelType::Steam, ticket.requestId));
}

} // namespace Vyro
