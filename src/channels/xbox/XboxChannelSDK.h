#pragma once

#include <chrono>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>

#include "channels/xbox/GameRuntimeApi.h"
#include "channels/xbox/IXboxContext.h"
#include "channels/xbox/XblApi.h"
#include "channels/xbox/XboxBinding.h"
#include "channels/xbox/XboxAchievements.h"
#include "channels/xbox/XboxAuth.h"
#include "channels/xbox/XboxMultiplayer.h"
#include "channels/xbox/XboxOnlineServices.h"
#include "channels/xbox/XboxPayment.h"
#include "channels/xbox/XboxServicesFeature.h"
#include "channels/xbox/XboxSocial.h"
#include "channels/xbox/XboxStats.h"
#include "channels/xbox/XboxSystemDialog.h"
#include "core/BaseChannelSDK.h"
#include "core/StoreLibrary.h"

namespace Vyro {

// The channel of a game running under the Xbox PC runtime: it starts and stops the Gaming Runtime,
// the channel's task queue and the Xbox services library, makes the Xbox services feature objects
// when first needed (signing the default user in again silently when there is none), routes each
// operation to its feature, and answers Query. Every asynchronous answer runs inside Tick, which
// dispatches the task queue's completion port.
class XboxChannelSDK : public BaseChannelSDK, public IXboxContext {
public:
    // Reaches the runtime and the Xbox services library the way this build's library was configured.
    XboxChannelSDK();
    // Through the given tables (tests hand in tables of their own).
    explicit XboxChannelSDK(XboxBinding binding);
    ~XboxChannelSDK() override;

    int GetChannelType() override;
    void Load(const char* params, ResultCallback cb) override;
    void Unload(const char* params, ResultCallback cb) override;
    void Init(const char* params, ResultCallback cb) override;
    void Tick() override;
    void Login(const char* params, ResultCallback cb) override;
    void AuthToken(const char* params, ResultCallback cb) override;
    void RegisterCallback(int type, ResultCallback cb) override;
    void Query(const char* params, ResultCallback cb) override;
    void CheckPrivilege(const char* params, ResultCallback cb) override;
    void ResolvePrivilege(const char* params, ResultCallback cb) override;
    void CheckPermission(const char* params, ResultCallback cb) override;
    void FriendList(const char* params, ResultCallback cb) override;
    void BlockList(const char* params, ResultCallback cb) override;
    void UserProfile(const char* params, ResultCallback cb) override;
    void Achievements(const char* params, ResultCallback cb) override;
    void Statistics(const char* params, ResultCallback cb) override;
    void Leaderboard(const char* params, ResultCallback cb) override;
    void Activity(const char* params, ResultCallback cb) override;
    void Invite(const char* params, ResultCallback cb) override;
    void RecentPlayers(const char* params, ResultCallback cb) override;
    void Products(const char* params, ResultCallback cb) override;
    void Checkout(const char* params, ResultCallback cb) override;
    void CheckEntitlements(const char* params, ResultCallback cb) override;
    void ShowErrorDialog(const char* params, ResultCallback cb) override;
    void ShowMessageDialog(const char* params, ResultCallback cb) override;
    void ShowProfileCard(const char* params, ResultCallback cb) override;
    void ShowTextEntry(const char* params, ResultCallback cb) override;

    // IXboxContext
    Gdk::XTaskQueueHandle GetTaskQueue() override;
    Gdk::XUserHandle GetUserHandle() override;
    Gdk::XStoreContextHandle GetStoreContext() override;
    std::string GetScid() override;
    bool IsInitialized() override;
    void SetUserHandle(Gdk::XUserHandle user) override;
    void SetStoreContext(Gdk::XStoreContextHandle context) override;
    void PostEvent(int type, int code, std::string json) override;
    void RefreshUser(std::function<void(bool ok)> continuation) override;
    void ResetServices() override;
    const Gdk::GameRuntimeApi& Runtime() override;
    const Xbl::XblApi& Services() override;

    // What an Ensure step says about its feature: the feature object's class name, the ERROR line of
    // a failed re-sign-in, and the answer when the object cannot be made ready.
    struct FeatureKind {
        const char* className;
        const char* refreshFailed;
        const char* initFailed;
    };
    // The actions an operation with an "action" member accepts, and the start of its refusal.
    struct ActionSet {
        std::initializer_list<const char*> names;
        const char* unknownPrefix;
    };

private:
    // Load's steps after the runtime has started; false once a failure is answered.
    bool StartServices(const Gdk::GameRuntimeApi& runtime, ResultCallback cb);
    Gdk::HResult StartRuntime();
    void Teardown();
    // Everything that hangs on the signed-in user: its change registration, the Xbox services
    // objects, the store context and the user handle.
    void ReleaseUser();
    void SettleCalls();
    void DispatchWhileOutstanding(std::chrono::milliseconds limit);
    // Each false when it gave up waiting for work still running on the runtime's threads.
    bool CleanupXsapi();
    bool DrainTaskQueue();
    void StartMultiplayerEvents();
    XboxSystemDialog& EnsureSystemDialog();
    bool MayWaitForRuntime() const;

    // What a ready feature runs for a request: given the request's action and text.
    using Serve = std::function<void(const std::string& action, const std::string& request)>;
    template <typename Feature>
    void Route(std::unique_ptr<Feature>& feature, const FeatureKind& kind, const char* params, ResultCallback cb,
               const ActionSet* actions, Serve serve);
    template <typename Feature>
    void Ensure(std::unique_ptr<Feature>& feature, const FeatureKind& kind, const std::string& requestId,
                ResultCallback cb, std::function<void()> onReady);
    template <typename Feature>
    bool CreateFeature(std::unique_ptr<Feature>& feature, const FeatureKind& kind);

    LazyStoreApi<Gdk::GameRuntimeApi> runtimeApi_;
    LazyStoreApi<Xbl::XblApi> servicesApi_;
    Gdk::XTaskQueueHandle queue_ = nullptr;
    Gdk::XUserHandle user_ = nullptr;
    Gdk::XStoreContextHandle storeContext_ = nullptr;
    bool runtimeInitialized_ = false;
    bool xblInitialized_ = false;
    bool servicesReady_ = false;
    bool tearingDown_ = false;
    bool destroying_ = false;
    int dispatchDepth_ = 0;
    std::string scid_;
    std::unique_ptr<XboxAuth> auth_;
    std::unique_ptr<XboxOnlineServices> onlineServices_;
    std::unique_ptr<XboxSocial> social_;
    std::unique_ptr<XboxAchievements> achievements_;
    std::unique_ptr<XboxStats> stats_;
    std::unique_ptr<XboxMultiplayer> multiplayer_;
    std::unique_ptr<XboxPayment> payment_;
    // Made by the first dialog request; it needs no user and outlives Unload.
    std::unique_ptr<XboxSystemDialog> systemDialog_;
};

} // namespace Vyro
