#pragma once

#include <functional>
#include <string>

#include "channels/xbox/GameRuntimeApi.h"
#include "channels/xbox/XblApi.h"

namespace Vyro {

// What the Xbox channel's feature objects reach of the channel: the task queue, the signed-in user
// and its store context, the title's service configuration id, the event queue, the silent
// re-sign-in, and the reset of the Xbox services objects after a sign-out.
class IXboxContext {
public:
    virtual ~IXboxContext() = default;
    virtual Gdk::XTaskQueueHandle GetTaskQueue() = 0;
    virtual Gdk::XUserHandle GetUserHandle() = 0;
    virtual Gdk::XStoreContextHandle GetStoreContext() = 0;
    virtual std::string GetScid() = 0;
    // The Gaming Runtime was started and not yet stopped.
    virtual bool IsInitialized() = 0;
    // Closes the current user handle, if any, and keeps `user`; a new user also starts the game
    // invite handling.
    virtual void SetUserHandle(Gdk::XUserHandle user) = 0;
    // Closes the current store context, if any, and keeps `context`.
    virtual void SetStoreContext(Gdk::XStoreContextHandle context) = 0;
    virtual void PostEvent(int type, int code, std::string json) = 0;
    // Adds the default user again silently; `continuation` learns whether a user and store context
    // are now held. It runs inside a later Tick, or at once when the sign-in cannot be started.
    virtual void RefreshUser(std::function<void(bool ok)> continuation) = 0;
    // Destroys the Xbox services objects (they are made again on their next use).
    virtual void ResetServices() = 0;

    // The bound runtime and Xbox services tables; valid once the channel has started the runtime
    // (every caller runs after that).
    virtual const Gdk::GameRuntimeApi& Runtime() = 0;
    virtual const Xbl::XblApi& Services() = 0;
};

} // namespace Vyro
