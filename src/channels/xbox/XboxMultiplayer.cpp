#include "channels/xbox/XboxMultiplayer.h"

#include <algorithm>
#include <cstdint>
#include <exception>
#include <map>
#include <mutex>

#include <nlohmann/json.hpp>

#include "VyroChannel.h"
#include "channels/xbox/HResultText.h"
#include "channels/xbox/IXboxContext.h"
#include "common/Logger.h"
#include "common/Platform.h"
#include "core/ChannelType.h"
#include "core/Envelope.h"

namespace Vyro {

namespace {

using nlohmann::json;

constexpr char kConnectionString[] = "connectionString";

// The links from the runtime's game invite handler to the multiplayer objects it is registered for.
// The runtime may call the handler on a thread of its own, and a call it has begun may still come
// after an unregistration that did not wait; so it is handed a number naming the link, never the
// object's address, and each call runs under the links' lock: once Detach has returned no call is
// inside the object, and a later one finds nothing. Kept for the process, never destroyed, so that
// a late call still finds the lock.
class InviteLinks {
public:
    static void* Attach(XboxMultiplayer* owner)
    {
        Links& links = Instance();
        const std::lock_guard lock(links.mutex);
        const std::uintptr_t id = ++links.lastId;
        links.owners.emplace(id, owner);
        return reinterpret_cast<void*>(id);
    }

    static void Detach(void* link)
    {
        Links& links = Instance();
        const std::lock_guard lock(links.mutex);
        links.owners.erase(reinterpret_cast<std::uintptr_t>(link));
    }

    static void Deliver(void* link, const char* inviteUri)
    {
        Links& links = Instance();
        const std::lock_guard lock(links.mutex);
        const auto found = links.owners.find(reinterpret_cast<std::uintptr_t>(link));
        if (found == links.owners.end()) {
            return;
        }
        try {
            found->second->HandleInvite(inviteUri);
        } catch (const std::exception& error) {
            Log(LogLevel::Error, "Exception in game invite handler: {}", error.what());
        }
    }

private:
    struct Links {
        std::mutex mutex;
        std::map<std::uintptr_t, XboxMultiplayer*> owners;
        std::uintptr_t lastId = 0;
    };
    static Links& Instance()
    {
        static Links* const links = new Links;
        return *links;
    }
};

// The runtime calls this for every invite the player accepts; nothing may unwind into its frames.
void OnInvite(void* context, const char* inviteUri)
{
    if (inviteUri != nullptr) {
        InviteLinks::Deliver(context, inviteUri);
    }
}

} // namespace

XboxMultiplayer::XboxMultiplayer(IXboxContext* context) : XboxServicesFeature(context, "XboxMultiplayer") {}

// A backstop: the channel stops the object before destroying it, waiting where it can.
XboxMultiplayer::~XboxMultiplayer() { Stop(false); }

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
    void* link = InviteLinks::Attach(this);
    const Gdk::HResult result =
        Context()->Runtime().XGameInviteRegisterForEvent(Context()->GetTaskQueue(), link, &OnInvite, &inviteToken_);
    if (!Gdk::Succeeded(result)) {
        InviteLinks::Detach(link);
        inviteToken_ = {};
        Log(LogLevel::Warning, "Failed to register invite handler: {}", HResultText(result));
        return false;
    }
    inviteListener_ = link;
    inviteHandlerRegistered_ = true;
    return true;
}

// The link goes first, so that a delivery the unregistration waits for already finds nothing.
void XboxMultiplayer::Stop(bool waitForHandler)
{
    if (inviteHandlerRegistered_) {
        InviteLinks::Detach(inviteListener_);
        Context()->Runtime().XGameInviteUnregisterForEvent(inviteToken_, waitForHandler);
        inviteListener_ = nullptr;
        inviteHandlerRegistered_ = false;
        inviteToken_ = {};
    }
    CloseServicesContext();
    SetPendingJoin({});
}

bool XboxMultiplayer::HasPendingJoin() const
{
    const std::lock_guard lock(pendingJoinLock_);
    return !pendingJoin_.empty();
}

std::string XboxMultiplayer::GetPendingJoin() const
{
    const std::lock_guard lock(pendingJoinLock_);
    return pendingJoin_;
}

void XboxMultiplayer::SetPendingJoin(std::string connectionString)
{
    const std::lock_guard lock(pendingJoinLock_);
    pendingJoin_ = std::move(connectionString);
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
                SetPendingJoin(value);
            }
        }
        start = end + 1;
    }
    Context()->PostEvent(VYROCHANNEL_EVENT_GAME_INVITE, VYROCHANNEL_OK,
                         MakeSuccessResponse(json{{"xbox", std::move(invite)}}, ChannelType::Xbox, ""));
}

} // namespace Vyro
