#pragma once

// The part of the Steamworks API the Steam channel uses, declared as steam_api64.dll exports it:
// the exported C functions by name, the three callback records with Steam's packing, and the
// callback object Steam calls back into.
#include <cstddef>
#include <cstdint>

namespace Vyro {
class StoreLibrary;
}

namespace Vyro::Steamworks {

inline constexpr wchar_t kRuntimeFileName[] = L"steam_api64.dll";

using HSteamUser = std::int32_t;
using HAuthTicket = std::uint32_t;
using AppId = std::uint32_t;
using SteamId = std::uint64_t;
using ApiCallHandle = std::uint64_t;

// What SteamInternal_SteamAPI_Init returns.
enum InitResult : int { InitOk = 0, InitFailedGeneric = 1, InitNoSteamClient = 2, InitVersionMismatch = 3 };

// The EResult of a successful operation.
inline constexpr int kResultOk = 1;

inline constexpr std::size_t kInitErrorSize = 1024;
using InitErrorText = char[kInitErrorSize];

inline constexpr std::size_t kMaxWebApiTicketSize = 2560;

// Interface versions this build was written against, in the order SteamAPI_InitEx checks them:
// each followed by a NUL, the list ended by an empty one.
inline constexpr char kInterfaceVersions[] =
    "SteamUtils010\0SteamNetworkingUtils004\0STEAMAPPS_INTERFACE_VERSION008\0SteamController008\0"
    "SteamFriends018\0SteamMatchGameSearch001\0STEAMHTMLSURFACE_INTERFACE_VERSION_005\0"
    "STEAMHTTP_INTERFACE_VERSION003\0SteamInput006\0STEAMINVENTORY_INTERFACE_V003\0"
    "SteamMatchMakingServers002\0SteamMatchMaking009\0STEAMMUSICREMOTE_INTERFACE_VERSION001\0"
    "STEAMMUSIC_INTERFACE_VERSION001\0SteamNetworkingMessages002\0SteamNetworkingSockets012\0"
    "SteamNetworking006\0STEAMPARENTALSETTINGS_INTERFACE_VERSION001\0SteamParties002\0"
    "STEAMREMOTEPLAY_INTERFACE_VERSION003\0STEAMREMOTESTORAGE_INTERFACE_VERSION016\0"
    "STEAMSCREENSHOTS_INTERFACE_VERSION003\0STEAMUGC_INTERFACE_VERSION021\0"
    "STEAMUSERSTATS_INTERFACE_VERSION013\0SteamUser023\0STEAMVIDEO_INTERFACE_V007\0";

inline constexpr char kUserInterfaceVersion[] = "SteamUser023";
inline constexpr char kFriendsInterfaceVersion[] = "SteamFriends018";
inline constexpr char kUtilsInterfaceVersion[] = "SteamUtils010";

// Callback records. The Windows runtime packs them to 8 bytes, the others to 4.
#if defined(_WIN32)
#pragma pack(push, 8)
#else
#pragma pack(push, 4)
#endif

struct GameOverlayActivated {
    static constexpr int kCallbackId = 331;
    std::uint8_t active;
    bool userInitiated;
    AppId appId;
    std::uint32_t overlayPid;
};

struct MicroTxnAuthorizationResponse {
    static constexpr int kCallbackId = 152;
    std::uint32_t appId;
    std::uint64_t orderId;
    std::uint8_t authorized;
};

struct GetTicketForWebApiResponse {
    static constexpr int kCallbackId = 168;
    HAuthTicket authTicket;
    std::int32_t result;
    std::int32_t ticketSize;
    std::uint8_t ticket[kMaxWebApiTicketSize];
};

#pragma pack(pop)

static_assert(sizeof(GameOverlayActivated) == 12 && offsetof(GameOverlayActivated, appId) == 4);
#if defined(_WIN32)
static_assert(sizeof(MicroTxnAuthorizationResponse) == 24 && offsetof(MicroTxnAuthorizationResponse, orderId) == 8);
#else
static_assert(sizeof(MicroTxnAuthorizationResponse) == 16 && offsetof(MicroTxnAuthorizationResponse, orderId) == 4);
#endif
static_assert(sizeof(GetTicketForWebApiResponse) == 2572 && offsetof(GetTicketForWebApiResponse, ticket) == 12);

// The object Steam calls back: a vtable pointer, Steam's flags byte, then the callback id.
//
// steam_api64.dll is built with MSVC. MSVC groups the overloads of a virtual function together in
// reverse order of declaration, so the SDK's `Run(void*)`, `Run(void*, bool, SteamAPICall_t)`,
// `GetCallbackSizeBytes()` occupy the slots
//   0: Run(void* param, bool ioFailure, SteamAPICall_t call)
//   1: Run(void* param)
//   2: GetCallbackSizeBytes()
// GCC (and MinGW) lay out virtual functions in plain declaration order, overloads or not. The
// functions below therefore carry distinct names, declared in MSVC's slot order, which gives the
// same vtable with every compiler. No virtual destructor: it would add slots Steam does not expect.
class CallbackBase {
public:
    static constexpr std::uint8_t kFlagRegistered = 0x01;
    static constexpr std::uint8_t kFlagGameServer = 0x02;

    virtual void RunCallResult(void* param, bool ioFailure, ApiCallHandle call) = 0;
    virtual void Run(void* param) = 0;
    virtual int GetCallbackSizeBytes() = 0;

    // Set and cleared by Steam on registration.
    std::uint8_t callbackFlags = 0;
    int callbackId = 0;

protected:
    CallbackBase() = default;
    ~CallbackBase() = default;
    CallbackBase(const CallbackBase&) = delete;
    CallbackBase& operator=(const CallbackBase&) = delete;
};
// vtable pointer, flags at offset 8, id at offset 12.
static_assert(sizeof(void*) != 8 || sizeof(CallbackBase) == 16);

// The exports of steam_api64.dll that the channel calls.
using SteamInternal_SteamAPI_Init_t = InitResult(const char* interfaceVersions, InitErrorText* errorText);
using SteamAPI_Shutdown_t = void();
using SteamAPI_RunCallbacks_t = void();
using SteamAPI_RegisterCallback_t = void(CallbackBase* callback, int callbackId);
using SteamAPI_UnregisterCallback_t = void(CallbackBase* callback);
using SteamAPI_GetHSteamUser_t = HSteamUser();
using SteamInternal_FindOrCreateUserInterface_t = void*(HSteamUser user, const char* version);
using SteamAPI_ISteamUser_BLoggedOn_t = bool(void* user);
using SteamAPI_ISteamUser_GetSteamID_t = SteamId(void* user);
using SteamAPI_ISteamUser_GetAuthTicketForWebApi_t = HAuthTicket(void* user, const char* identity);
using SteamAPI_ISteamFriends_GetPersonaName_t = const char*(void* friends);
using SteamAPI_ISteamUtils_GetAppID_t = AppId(void* utils);
using SteamAPI_ISteamUtils_IsOverlayEnabled_t = bool(void* utils);

// One pointer per export, bound by name.
struct SteamApi {
    SteamInternal_SteamAPI_Init_t* init = nullptr;
    SteamAPI_Shutdown_t* shutdown = nullptr;
    SteamAPI_RunCallbacks_t* runCallbacks = nullptr;
    SteamAPI_RegisterCallback_t* registerCallback = nullptr;
    SteamAPI_UnregisterCallback_t* unregisterCallback = nullptr;
    SteamAPI_GetHSteamUser_t* getHSteamUser = nullptr;
    SteamInternal_FindOrCreateUserInterface_t* findOrCreateUserInterface = nullptr;
    SteamAPI_ISteamUser_BLoggedOn_t* userLoggedOn = nullptr;
    SteamAPI_ISteamUser_GetSteamID_t* userGetSteamId = nullptr;
    SteamAPI_ISteamUser_GetAuthTicketForWebApi_t* userGetAuthTicketForWebApi = nullptr;
    SteamAPI_ISteamFriends_GetPersonaName_t* friendsGetPersonaName = nullptr;
    SteamAPI_ISteamUtils_GetAppID_t* utilsGetAppId = nullptr;
    SteamAPI_ISteamUtils_IsOverlayEnabled_t* utilsIsOverlayEnabled = nullptr;
};

// Resolves every export of the table; false (each missing one logged) when any is missing.
bool BindSteamApi(const StoreLibrary& library, SteamApi& api);

} // namespace Vyro::Steamworks
