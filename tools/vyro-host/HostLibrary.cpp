#include "HostLibrary.h"

#include <type_traits>
#include <utility>

namespace VyroHost {

namespace {

struct RequestExport {
    const char* name;
    Exports::Request Exports::*slot;
};

constexpr RequestExport kRequests[] = {
    {"Load", &Exports::Load}, {"Unload", &Exports::Unload}, {"Init", &Exports::Init}, {"Login", &Exports::Login},
    {"AuthToken", &Exports::AuthToken}, {"Products", &Exports::Products}, {"Checkout", &Exports::Checkout},
    {"CheckEntitlements", &Exports::CheckEntitlements}, {"Consume", &Exports::Consume}, {"Query", &Exports::Query},
    {"CheckPrivilege", &Exports::CheckPrivilege}, {"ResolvePrivilege", &Exports::ResolvePrivilege},
    {"CheckPermission", &Exports::CheckPermission}, {"ShowTextEntry", &Exports::ShowTextEntry},
    {"ShowProfileCard", &Exports::ShowProfileCard}, {"ShowMessageDialog", &Exports::ShowMessageDialog},
    {"ShowErrorDialog", &Exports::ShowErrorDialog}, {"FriendList", &Exports::FriendList},
    {"BlockList", &Exports::BlockList}, {"UserProfile", &Exports::UserProfile},
    {"Achievements", &Exports::Achievements}, {"Statistics", &Exports::Statistics},
    {"Leaderboard", &Exports::Leaderboard}, {"Activity", &Exports::Activity}, {"Invite", &Exports::Invite},
    {"RecentPlayers", &Exports::RecentPlayers},
};

} // namespace

const char* HostLibrary::FileName()
{
#if defined(_WIN32)
    return "VyroChannel.dll";
#else
    return "libVyroChannel.so";
#endif
}

std::unique_ptr<HostLibrary> HostLibrary::Open(const std::filesystem::path& path, std::string& error)
{
    std::unique_ptr<Module> module = Module::Open(path, error);
    if (!module) {
        return nullptr;
    }
    std::unique_ptr<HostLibrary> library(new HostLibrary(std::move(module)));
    if (!library->Resolve(error)) {
        return nullptr;
    }
    return library;
}

void* HostLibrary::Symbol(const char* name) const { return module_->Symbol(name); }

bool HostLibrary::Resolve(std::string& error)
{
    auto bind = [&](const std::string& name, auto& slot) {
        slot = reinterpret_cast<std::remove_reference_t<decltype(slot)>>(Symbol(name.c_str()));
        if (slot == nullptr && error.empty()) {
            error = "missing export " + name;
        }
    };
    for (const auto& request : kRequests) {
        bind(std::string("VyroChannel_") + request.name, exports_.*request.slot);
    }
    bind("VyroChannel_Tick", exports_.Tick);
    bind("VyroChannel_RegisterCallback", exports_.RegisterCallback);
    bind("VyroChannel_UnregisterCallback", exports_.UnregisterCallback);
    bind("VyroChannel_SetLogHandler", exports_.SetLogHandler);
    bind("VyroChannel_Print", exports_.Print);
    bind("UnityPluginLoad", exports_.PluginLoad);
    bind("UnityPluginUnload", exports_.PluginUnload);
    return error.empty();
}

Exports::Request HostLibrary::RequestByName(const std::string& name) const
{
    for (const auto& request : kRequests) {
        if (name == request.name) {
            return exports_.*request.slot;
        }
    }
    return nullptr;
}

} // namespace VyroHost
