#include "channels/xbox/XboxMultiplayer.h"

#include <algorithm>
#include <exception>

#include <nlohmann/json.hpp>

#include "VyroChannel.h"
#include "channels/xbox/HResultText.h"
#include "channels/xbox/IXboxContext.h"
#include "common/Logger.h"
#include "common/Platform.h"
#include "core/ChannelType.h"
#include "core/Envelope.h"
#include "core/PendingCalls.h"

namespace Vyro {

namespace {

using nlohmann::json;
using InviteListeners = PendingCalls<XboxMultiplayer::InviteListener>;

constexpr char kConnectionString[] = "connectionString";

} // namespace

XboxMultiplayer::XboxMultiplayer(IXboxContext* context) : XboxServicesFeature(context, "XboxMultiplayer") {}

XboxMultiplayer::~XboxMultiplayer() { Stop(); }

bool XboxMultiplayer::Initialize()
{
    const bool hadServicesContext = ServicesContext() != nullptr;
    if (!XboxServicesFeature::Initialize()) {
        return false;
    }
    if (!hadServicesContext && !inviteHandlerRegistered_) {
        RegisterInviteHandler();
    }
    return true;
}

bool XboxMultiplayer::RegisterInviteHandler()
{
    if (inviteHandlerRegistered_) {
        return true;
    }
    // The runtime gets a number naming this object, never its address: an invite it delivers after
    // the object has gone finds nothing.
    void* listener = InviteListeners::Add({this});
    const Gdk::HResult result =
        Context()->Runtime().XGameInviteRegisterForEvent(Context()->GetTaskQueue(), listener, &OnInvite, &inviteToken_);
    if (!Gdk::Succeeded(result)) {
        InviteListeners::Take(listener);
        inviteToken_ = {};
        Log(LogLevel::Warning, "Failed to register invite handler: {}", HResultText(result));
        return false;
    }
    inviteListener_ = listener;
    inviteHandlerRegistered_ = true;
    return true;
}

void XboxMultiplayer::Stop()
{
    if (inviteHandlerRegistered_) {
        Context()->Runtime().XGameInviteUnregisterForEvent(inviteToken_, false);
        InviteListeners::Take(inviteListener_);
        inviteListener_ = nullptr;
        inviteHandlerRegistered_ = false;
        inviteToken_ = {};
    }
    CloseServicesContext();
    pendingJoin_.clear();
}

void XboxMultiplayer::OnInvite(void* context, const char* inviteUri)
{
    if (inviteUri == nullptr) {
        return;
    }
    const InviteListener* listener = InviteListeners::Find(context);
    if (listener == nullptr) {
        return;
    }
    try {
        listener->owner->HandleInvite(inviteUri);
    } catch (const std::exception& error) {
        Log(LogLevel::Error, "Exception in game invite handler: {}", error.what());
    }
}

// The invite's query members become members of the event, percent-decoded; its connection string is
// kept as the pending join.
void XboxMultiplayer::HandleInvite(const std::string& inviteUri)
{
    json invite{{"url", inviteUri}};
    const std::size_t query = inviteUri.find('?');
    std::size_t start = query == std::string::npos ? inviteUri.size() : query + 1;
    while (start < inviteUri.size()) {
        const std::size_t end = std::min(inviteUri.find('&', start), inviteUri.size());
        const std::string piece = inviteUri.substr(start, end - start);
        const std::size_t equals = piece.find('=');
        if (equals != std::string::npos) {
            const std::string name = piece.substr(0, equals);
            const std::string value = Platform::UrlDecode(piece.substr(equals + 1));
            invite[name] = value;
            if (name == kConnectionString) {
                pendingJoin_ = value;
            }
        }
        start = end + 1;
    }
    Context()->PostEvent(VYROCHANNEL_EVENT_GAME_INVITE, VYROCHANNEL_OK,
                         MakeSuccessResponse(json{{"xbox", std::move(invite)}}, ChannelType::Xbox, ""));
}

} // namespace Vyro
