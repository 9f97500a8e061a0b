#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <utility>

#include "Module.h"
#include "VyroChannel.h"

namespace VyroHost {

// Every export of the library, resolved by name the way a game binds them.
struct Exports {
    using Request = void (*)(const char*, ResultCallback);
    Request Load, Unload, Init, Login, AuthToken, Products, Checkout, CheckEntitlements, Consume, Query,
        CheckPrivilege, ResolvePrivilege, CheckPermission, ShowTextEntry, ShowProfileCard, ShowMessageDialog,
        ShowErrorDialog, FriendList, BlockList, UserProfile, Achievements, Statistics, Leaderboard, Activity, Invite,
        RecentPlayers;
    void (*Tick)();
    void (*RegisterCallback)(int, ResultCallback);
    void (*UnregisterCallback)(int);
    void (*SetLogHandler)(LogHandler, int);
    void (*Print)();
    void (*PluginLoad)(void*);
    void (*PluginUnload)();
};

// The library loaded by path (LoadLibraryW / dlopen), as a game loads it; unloaded when destroyed.
class HostLibrary {
public:
    // Null with `error` set when the file cannot be loaded or lacks an export.
    static std::unique_ptr<HostLibrary> Open(const std::filesystem::path& path, std::string& error);
    HostLibrary(const HostLibrary&) = delete;
    HostLibrary& operator=(const HostLibrary&) = delete;

    const Exports& exports() const { return exports_; }
    // Any other symbol of the loaded file (for example a simulator's control entry point).
    void* Symbol(const char* name) const;

    // The library's file name on this platform.
    static const char* FileName();
    // Request exports by their name without the "VyroChannel_" prefix ("Init", "Products", ...);
    // null for an unknown name.
    Exports::Request RequestByName(const std::string& name) const;

private:
    explicit HostLibrary(std::unique_ptr<Module> module) : module_(std::move(module)) {}
    bool Resolve(std::string& error);

    std::unique_ptr<Module> module_;
    Exports exports_{};
};

} // namespace VyroHost
