#pragma once

#include "channels/xbox/XblApi.h"

namespace Vyro {

class IXboxContext;

// What every feature object that calls Xbox services shares: its own Xbox services context, made
// from the channel's user by Initialize and closed when the object goes.
class XboxServicesFeature {
public:
    // `name` is the object's class name, as its log lines give it.
    XboxServicesFeature(IXboxContext* context, const char* name);
    virtual ~XboxServicesFeature();
    XboxServicesFeature(const XboxServicesFeature&) = delete;
    XboxServicesFeature& operator=(const XboxServicesFeature&) = delete;

    // Makes the Xbox services context from the channel's user, once; false, with the reason logged,
    // when there is no user or the context cannot be made.
    virtual bool Initialize();

protected:
    IXboxContext* Context() const { return context_; }
    Xbl::XblContextHandle ServicesContext() const { return servicesContext_; }
    void CloseServicesContext();

private:
    IXboxContext* context_;
    const char* name_;
    Xbl::XblContextHandle servicesContext_ = nullptr;
};

} // namespace Vyro
