// The exported C surface: every function forwards to the one channel and never lets an exception
// reach the game.
#include "VyroChannel.h"

#include <exception>
#include <memory>

#include <nlohmann/json.hpp>

#include "common/Logger.h"
#include "core/ChannelHolder.h"
#include "core/Envelope.h"

namespace {

using Vyro::IChannelSDK;
using Operation = void (IChannelSDK::*)(const char*, ResultCallback);

void LogNoChannel() { Vyro::Log(Vyro::LogLevel::Error, "No compatible channel SDK found"); }

// Runs one export body. An exception here is a fault of ours (out of memory, a bug); letting it
// unwind into the game would terminate the game, so it is logged and swallowed.
template <typename Body>
void Guarded(const char* exportName, Body&& body) noexcept
{
    try {
        body();
    } catch (const std::exception& error) {
        Vyro::Log(Vyro::LogLevel::Error, "{} failed: {}", exportName, error.what());
    } catch (...) {
        Vyro::Log(Vyro::LogLevel::Error, "{} failed: unknown exception", exportName);
    }
}

template <Operation operation>
void ForwardRequest(const char* exportName, const char* params, ResultCallback cb) noexcept
{
    Guarded(exportName, [&] {
        const std::shared_ptr<IChannelSDK> channel = Vyro::GetChannel();
        if (channel) {
            ((*channel).*operation)(params, cb);
            return;
        }
        LogNoChannel();
        if (cb != nullptr) {
            const std::string reply = Vyro::MakeNoChannelResponse();
            cb(Vyro::CallbackCode::Failure, reply.c_str());
        }
    });
}

// Runs `body` on the channel (creating it on first use), holding our own reference for the whole
// call so that a callback unloading the channel meanwhile cannot destroy it under us.
template <typename Body>
void WithChannel(const char* exportName, Body&& body) noexcept
{
    Guarded(exportName, [&] {
        const std::shared_ptr<IChannelSDK> channel = Vyro::GetChannel();
        if (channel) {
            body(*channel);
        } else {
            LogNoChannel();
        }
    });
}

// The text both Unity hooks pass: {"source":"unity"}.
std::string UnitySourceParams() { return Vyro::SerializeReply(nlohmann::json{{"source", "unity"}}); }

} // namespace

#define VYRO_REQUEST_EXPORT(Name)                                                                      \
    extern "C" VYROCHANNEL_API void VYROCHANNEL_CALL VyroChannel_##Name(const char* params, ResultCallback cb) \
    {                                                                                                  \
        ForwardRequest<&IChannelSDK::Name>("VyroChannel_" #Name, params, cb);                         \
    }

VYRO_REQUEST_EXPORT(Init)
VYRO_REQUEST_EXPORT(Login)
VYRO_REQUEST_EXPORT(AuthToken)
VYRO_REQUEST_EXPORT(Products)
VYRO_REQUEST_EXPORT(Checkout)
VYRO_REQUEST_EXPORT(CheckEntitlements)
VYRO_REQUEST_EXPORT(Consume)
VYRO_REQUEST_EXPORT(Query)
VYRO_REQUEST_EXPORT(CheckPrivilege)
VYRO_REQUEST_EXPORT(ResolvePrivilege)
VYRO_REQUEST_EXPORT(CheckPermission)
VYRO_REQUEST_EXPORT(ShowTextEntry)
VYRO_REQUEST_EXPORT(ShowProfileCard)
VYRO_REQUEST_EXPORT(ShowMessageDialog)
VYRO_REQUEST_EXPORT(ShowErrorDialog)
VYRO_REQUEST_EXPORT(FriendList)
VYRO_REQUEST_EXPORT(BlockList)
VYRO_REQUEST_EXPORT(UserProfile)
VYRO_REQUEST_EXPORT(Achievements)
VYRO_REQUEST_EXPORT(Statistics)
VYRO_REQUEST_EXPORT(Leaderboard)
VYRO_REQUEST_EXPORT(Activity)
VYRO_REQUEST_EXPORT(Invite)
VYRO_REQUEST_EXPORT(RecentPlayers)

#undef VYRO_REQUEST_EXPORT

extern "C" VYROCHANNEL_API void VYROCHANNEL_CALL VyroChannel_Load(const char* params, ResultCallback cb)
{
    // Parsed only for its log lines: a bad text is reported but does not stop the load.
    Guarded("VyroChannel_Load", [&] { Vyro::ParseParameters(params); });
    WithChannel("VyroChannel_Load", [&](IChannelSDK& channel) { channel.Load(params, cb); });
}

extern "C" VYROCHANNEL_API void VYROCHANNEL_CALL VyroChannel_Unload(const char* params, ResultCallback cb)
{
    WithChannel("VyroChannel_Unload", [&](IChannelSDK& channel) { channel.Unload(params, cb); });
    Guarded("VyroChannel_Unload", [] { Vyro::ReleaseChannel(); });
}

extern "C" VYROCHANNEL_API void VYROCHANNEL_CALL VyroChannel_Tick(void)
{
    WithChannel("VyroChannel_Tick", [](IChannelSDK& channel) { channel.Tick(); });
}

extern "C" VYROCHANNEL_API void VYROCHANNEL_CALL VyroChannel_RegisterCallback(int type, ResultCallback cb)
{
    WithChannel("VyroChannel_RegisterCallback", [&](IChannelSDK& channel) { channel.RegisterCallback(type, cb); });
}

extern "C" VYROCHANNEL_API void VYROCHANNEL_CALL VyroChannel_UnregisterCallback(int type)
{
    WithChannel("VyroChannel_UnregisterCallback", [&](IChannelSDK& channel) { channel.UnregisterCallback(type); });
}

extern "C" VYROCHANNEL_API void VYROCHANNEL_CALL VyroChannel_SetLogHandler(LogHandler handler, int level)
{
    Vyro::GlobalLogger().SetHandler(handler, level);
}

extern "C" VYROCHANNEL_API void VYROCHANNEL_CALL VyroChannel_Print(void) {}

extern "C" VYROCHANNEL_API void VYROCHANNEL_CALL UnityPluginLoad(void* /*unityInterfaces*/)
{
    Guarded("UnityPluginLoad", [] { VyroChannel_Load(UnitySourceParams().c_str(), nullptr); });
}

extern "C" VYROCHANNEL_API void VYROCHANNEL_CALL UnityPluginUnload(void)
{
    Guarded("UnityPluginUnload", [] { VyroChannel_Unload(UnitySourceParams().c_str(), nullptr); });
}
