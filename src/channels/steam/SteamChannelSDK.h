#pragma once

#include <map>
#include <string>
#include <vector>

#include "channels/steam/SteamApi.h"
#include "channels/steam/SteamCallback.h"
#include "channels/steam/SteamInterfaces.h"
#include "channels/steam/SteamLaunchCheck.h"
#include "common/Platform.h"
#include "core/BaseChannelSDK.h"
#include "core/StoreLibrary.h"

namespace Vyro {

// The channel of a game started from Steam: the launch check, the Steam API's lifecycle, the
// signed-in user, tickets for web services, and the overlay and purchase notifications as events.
class SteamChannelSDK : public BaseChannelSDK {
public:
    using AncestorsSource = std::vector<Platform::ProcessAncestor> (*)();

    // Binds steam_api64.dll beside the library on first use and checks the real process ancestors.
    SteamChannelSDK();
    // For tests: a given Steam API and ancestor list.
    SteamChannelSDK(LazyStoreApi<Steamworks::SteamApi> api, AncestorsSource ancestors);
    ~SteamChannelSDK() override;

    int GetChannelType() override;
    void Load(const char* params, ResultCallback cb) override;
    void Unload(const char* params, ResultCallback cb) override;
    void Init(const char* params, ResultCallback cb) override;
    void Tick() override;
    void Login(const char* params, ResultCallback cb) override;
    void AuthToken(const char* params, ResultCallback cb) override;

private:
    struct PendingTicket {
        ResultCallback cb;
        std::string requestId;
    };

    void LoadSteam();
    void SetLoadVerdict(int result, std::string message);
    void AnswerInitialised(ResultCallback cb);
    // Logs and answers the refusal when Login or AuthToken cannot ask Steam about the user.
    bool RefuseWithoutUser(ResultCallback cb, const std::string& requestId);
    void UnregisterCallbacks(const Steamworks::SteamApi& api);

    void OnMicroTxnAuthorizationResponse(const Steamworks::MicroTxnAuthorizationResponse* response);
    void OnGetTicketForWebApiResponse(const Steamworks::GetTicketForWebApiResponse* response);
    void OnGameOverlayActivated(const Steamworks::GameOverlayActivated* overlay);
    void AnswerTicket(const Steamworks::GetTicketForWebApiResponse& response);

    LazyStoreApi<Steamworks::SteamApi> api_;
    AncestorsSource ancestors_;
    Steamworks::SteamInterfaces interfaces_;
    bool initialised_ = false;
    bool loaded_ = false;
    int loadResult_ = 0;
    std::string loadError_;
    bool overlayShown_ = false;
    std::map<Steamworks::HAuthTicket, PendingTicket> pendingTickets_;
    Steamworks::ManualCallback<SteamChannelSDK, Steamworks::MicroTxnAuthorizationResponse> purchaseCallback_;
    Steamworks::ManualCallback<SteamChannelSDK, Steamworks::GetTicketForWebApiResponse> ticketCallback_;
    Steamworks::ManualCallback<SteamChannelSDK, Steamworks::GameOverlayActivated> overlayCallback_;
};

} // namespace Vyro
