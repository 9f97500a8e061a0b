#include "ControlOps.h"

#include <array>
#include <optional>
#include <string>

#include "AsyncCalls.h"
#include "ControlFields.h"
#include "ControlOpShapes.h"
#include "ControlReaders.h"
#include "ControlReply.h"
#include "Events.h"
#include "Journal.h"
#include "MultiplayerControl.h"
#include "OnlineControl.h"
#include "ServicesControl.h"
#include "SimState.h"
#include "SocialControl.h"
#include "StateReport.h"
#include "StoreControl.h"
#include "Workers.h"

namespace Vyro::XboxSim {

namespace {

using Sim::ControlFields;
using Sim::Refusal;
using Sim::Success;

constexpr std::int64_t kMaxInviteHoldMs = 10000;

// The workers are joined first, with no lock held (their work may be waiting for the lock); the
// handle numbers go on counting, so handles from before stay unknown.
nlohmann::json Reset(const nlohmann::json& request)
{
    return Sim::AnswerPlainRequest(request, "reset", [] {
        Workers::Instance().Stop();
        WithState([](SimState& state) { state.runtime = Runtime{}; });
        return Success();
    });
}

nlohmann::json Set(const nlohmann::json& request)
{
    ControlFields fields(request, "set",
                         {"initializeResult", "workDelayMs", "holdWork", "waitLimitMs", "xuid", "gamertag", "gamertagHex", "storeUser",
                          "addUserResults", "addUserDefault", "tokenStartResult", "tokenResults", "tokenDefault",
                          "tokenResultSizeResult", "tokenResultResult", "token", "signature", "storeContextResult", "titleId",
                          "titleIdResult", "sandboxId", "sandboxIdResult", "xblInitializeResult", "xblContextResult"});
    return WithState([&](SimState& state) { return Sim::UpdateSettings(fields, state.runtime.settings, ReadSettings); });
}

// The system signs the account out (or back in): every user change registration gets the events of
// the change, unless the account is already in that state.
nlohmann::json ChangeSignIn(const nlohmann::json& request, const char* op, bool signIn)
{
    return Sim::AnswerPlainRequest(request, op, [signIn] {
        return WithState([signIn](SimState& state) {
            Account& account = state.runtime.account;
            std::size_t queued = 0;
            if (account.signedIn != signIn) {
                account.signedIn = signIn;
                if (signIn) {
                    queued = QueueUserChange(state, Gdk::XUserChangeEvent::SignedInAgain);
                } else {
                    queued = QueueUserChange(state, Gdk::XUserChangeEvent::SigningOut);
                    queued += QueueUserChange(state, Gdk::XUserChangeEvent::SignedOut);
                }
            }
            return Success({{"queued", queued}});
        });
    });
}

nlohmann::json SignOut(const nlohmann::json& request) { return ChangeSignIn(request, "signOut", false); }

nlohmann::json SignIn(const nlohmann::json& request) { return ChangeSignIn(request, "signIn", true); }

nlohmann::json Invite(const nlohmann::json& request)
{
    ControlFields fields(request, "invite", {"uri", "holdMs"});
    fields.Require("uri");
    const auto uri = fields.StringOrNull("uri");
    const auto holdMs = fields.Integer("holdMs", 0, kMaxInviteHoldMs);
    if (fields.Failed()) {
        return Refusal(fields.Error());
    }
    return WithState([&](SimState& state) {
        if (holdMs) {
            return Success({{"delivering", DeliverHeldInvite(state, *uri, std::chrono::milliseconds(*holdMs))}});
        }
        return Success({{"queued", QueueInvite(state, *uri)}});
    });
}

nlohmann::json ReleaseWork(const nlohmann::json& request)
{
    return Sim::AnswerPlainRequest(request, "releaseWork", [] {
        return WithState([](SimState& state) { return Success({{"released", ReleaseHeldWork(state)}}); });
    });
}

nlohmann::json JournalCalls(const nlohmann::json& request)
{
    return Sim::AnswerJournalRequest(request, [](auto read) {
        return WithState([&](SimState& state) { return read(state.runtime.journal); });
    });
}

nlohmann::json MisuseCalls(const nlohmann::json& request)
{
    return Sim::AnswerPlainRequest(request, "misuse", [] {
        nlohmann::json misuse = WithState([](SimState& state) { return MisuseEntries(state.runtime.journal); });
        return Success({{"count", misuse.size()}, {"calls", std::move(misuse)}});
    });
}

nlohmann::json State(const nlohmann::json& request)
{
    return Sim::AnswerPlainRequest(request, "state", [] {
        nlohmann::json reply = Success(WithState([](SimState& state) { return DescribeState(state); }));
        reply["workerThreads"] = Workers::Instance().Count();
        return reply;
    });
}

constexpr std::array<Sim::NamedControlOp, 18> kOps{{
    {"reset", Reset},
    {"set", Set},
    {"signOut", SignOut},
    {"signIn", SignIn},
    {"invite", Invite},
    {"releaseWork", ReleaseWork},
    {"journal", JournalCalls},
    {"misuse", MisuseCalls},
    {"state", State},
    {"store", ProgramStore},
    {"services", Services},
    {"multiplayer", ProgramMultiplayer},
    {"inviteBurst", InviteBurst},
    {"privileges", ProgramPrivileges},
    {"permissions", ProgramPermissions},
    {"dialogs", ProgramDialogs},
    {"social", ProgramSocial},
    {"socialChanges", ChangeSocialGraph},
}};

} // namespace

std::span<const Sim::NamedControlOp> ControlOps() { return kOps; }

} // namespace Vyro::XboxSim
