#include "channels/xbox/XboxServicesFeature.h"

#include "channels/xbox/HResultText.h"
#include "channels/xbox/IXboxContext.h"
#include "common/Logger.h"

namespace Vyro {

XboxServicesFeature::XboxServicesFeature(IXboxContext* context, const char* name) : context_(context), name_(name) {}

XboxServicesFeature::~XboxServicesFeature() { CloseServicesContext(); }

bool XboxServicesFeature::Initialize()
{
    const Gdk::XUserHandle user = context_->GetUserHandle();
    if (user == nullptr) {
        Log(LogLevel::Error, "Cannot initialize {}: No user handle", name_);
        return false;
    }
    if (servicesContext_ != nullptr) {
        return true;
    }
    const Gdk::HResult result = context_->Services().XblContextCreateHandle(user, &servicesContext_);
    if (!Gdk::Succeeded(result)) {
        servicesContext_ = nullptr;
        LogFailedCall("XblContextCreateHandle", result);
        return false;
    }
    return true;
}

void XboxServicesFeature::CloseServicesContext()
{
    if (servicesContext_ != nullptr) {
        context_->Services().XblContextCloseHandle(servicesContext_);
        servicesContext_ = nullptr;
    }
}

} // namespace Vyro
