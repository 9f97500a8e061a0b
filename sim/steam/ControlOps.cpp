#include "ControlOps.h"

#include <array>
#include <limits>
#include <utility>

#include "ControlFields.h"
#include "ControlReply.h"
#include "Journal.h"
#include "ControlOpShapes.h"
#include "SimState.h"

namespace Vyro::SteamSim {

namespace {

using Sim::Assign;
using Sim::ControlFields;
using Sim::Refusal;
using Sim::Success;

constexpr std::int64_t kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t kUint32Max = std::numeric_limits<std::uint32_t>::max();
// Raw texts: longer than Steam's error buffer, so that tests can see an init error cut.
constexpr std::size_t kMaxRawTextBytes = 4096;

// Ticket bytes given as "ticketHex" or as a "ticketSize" of pattern bytes.
std::optional<std::vector<std::uint8_t>> ReadTicket(ControlFields& fields)
{
    fields.Exclusive("ticketHex", "ticketSize");
    if (auto size = fields.Integer("ticketSize", 0, static_cast<std::int64_t>(Steamworks::kMaxWebApiTicketSize))) {
        return TicketPattern(static_cast<std::size_t>(*size));
    }
    return fields.HexBytes("ticketHex", Steamworks::kMaxWebApiTicketSize);
}

void ReadInitError(ControlFields& fields, Settings& settings)
{
    fields.Exclusive("initError", "initErrorHex");
    Assign(fields.String("initError"), settings.initError);
    Assign(fields.HexText("initErrorHex", kMaxRawTextBytes), settings.initError);
}

void ReadPersonaName(ControlFields& fields, Settings& settings)
{
    fields.Exclusive("personaName", "personaNameHex");
    if (fields.IsNull("personaName")) {
        settings.personaName = nullptr;
    } else if (auto name = fields.String("personaName")) {
        settings.personaName = InternPersonaName(*name);
    } else if (auto bytes = fields.HexText("personaNameHex", kMaxRawTextBytes)) {
        settings.personaName = InternPersonaName(*bytes);
    }
}

void ReadSettings(ControlFields& fields, Settings& settings)
{
    Assign(fields.Integer("initResult", kInt32Min, kInt32Max), settings.initResult);
    ReadInitError(fields, settings);
    Assign(fields.Bool("loggedOn"), settings.loggedOn);
    Assign(fields.Unsigned64("steamId"), settings.steamId);
    ReadPersonaName(fields, settings);
    Assign(fields.Integer("appId", 0, kUint32Max), settings.appId);
    Assign(fields.Bool("overlayEnabled"), settings.overlayEnabled);
    Assign(fields.Integer("ticketResult", kInt32Min, kInt32Max), settings.ticketResult);
    Assign(ReadTicket(fields), settings.ticket);
    Assign(fields.Bool("ticketHandleZero"), settings.ticketHandleZero);
    Assign(fields.Bool("holdTickets"), settings.holdTickets);
}

// Queues the record `make` builds from the current settings, once the request proved valid.
template <typename Make>
nlohmann::json QueueRecord(const ControlFields& fields, Make make)
{
    if (fields.Failed()) {
        return Refusal(fields.Error());
    }
    return WithState([&](SimState& state) {
        state.runtime.queued.emplace_back(make(state.runtime.settings));
        return Success({{"queued", state.runtime.queued.size()}});
    });
}

nlohmann::json Reset(const nlohmann::json& request)
{
    return Sim::AnswerPlainRequest(request, "reset", [] {
        WithState([](SimState& state) {
            state.runtime = Runtime{};
            ++state.generation;
        });
        return Success();
    });
}

nlohmann::json Set(const nlohmann::json& request)
{
    ControlFields fields(request, "set",
                         {"initResult", "initError", "initErrorHex", "loggedOn", "steamId", "personaName", "personaNameHex", "appId",
                          "overlayEnabled", "ticketResult", "ticketHex", "ticketSize", "ticketHandleZero",
                          "holdTickets"});
    return WithState([&](SimState& state) { return Sim::UpdateSettings(fields, state.runtime.settings, ReadSettings); });
}

nlohmann::json Overlay(const nlohmann::json& request)
{
    ControlFields fields(request, "overlay", {"active", "userInitiated", "appId", "overlayPid"});
    fields.Require("active");
    const auto active = fields.ByteOrBool("active");
    const auto userInitiated = fields.Bool("userInitiated");
    const auto appId = fields.Integer("appId", 0, kUint32Max);
    const auto overlayPid = fields.Integer("overlayPid", 0, kUint32Max);
    return QueueRecord(fields, [&](const Settings& settings) {
        Steamworks::GameOverlayActivated record{};
        record.active = active.value_or(0);
        record.userInitiated = userInitiated.value_or(true);
        record.appId = static_cast<Steamworks::AppId>(appId.value_or(settings.appId));
        record.overlayPid = static_cast<std::uint32_t>(overlayPid.value_or(0));
        return record;
    });
}

nlohmann::json MicroTxn(const nlohmann::json& request)
{
    ControlFields fields(request, "microTxn", {"orderId", "authorized", "appId"});
    fields.Require("orderId");
    const auto orderId = fields.Unsigned64("orderId");
    const auto authorized = fields.ByteOrBool("authorized");
    const auto appId = fields.Integer("appId", 0, kUint32Max);
    return QueueRecord(fields, [&](const Settings& settings) {
        Steamworks::MicroTxnAuthorizationResponse record{};
        record.appId = static_cast<std::uint32_t>(appId.value_or(settings.appId));
        record.orderId = orderId.value_or(0);
        record.authorized = authorized.value_or(1);
        return record;
    });
}

nlohmann::json TicketResponse(const nlohmann::json& request)
{
    ControlFields fields(request, "ticketResponse", {"handle", "result", "ticketHex", "ticketSize"});
    fields.Require("handle");
    const auto handle = fields.Integer("handle", 0, kUint32Max);
    const auto result = fields.Integer("result", kInt32Min, kInt32Max);
    const auto ticket = ReadTicket(fields);
    return QueueRecord(fields, [&](const Settings& settings) {
        return MakeTicketResponse(static_cast<Steamworks::HAuthTicket>(handle.value_or(0)),
                                  static_cast<int>(result.value_or(Steamworks::kResultOk)), ticket.value_or(settings.ticket));
    });
}

nlohmann::json ReleaseTickets(const nlohmann::json& request)
{
    return Sim::AnswerPlainRequest(request, "releaseTickets", [] {
        return WithState([](SimState& state) {
            Runtime& runtime = state.runtime;
            const std::size_t released = runtime.held.size();
            runtime.queued.insert(runtime.queued.end(), runtime.held.begin(), runtime.held.end());
            runtime.held.clear();
            return Success({{"released", released}});
        });
    });
}

nlohmann::json JournalCalls(const nlohmann::json& request)
{
    return Sim::AnswerJournalRequest(request, [](auto read) {
        return WithState([&](SimState& state) { return read(state.runtime.journal); });
    });
}

nlohmann::json State(const nlohmann::json& request)
{
    return Sim::AnswerPlainRequest(request, "state", [] {
        return WithState([](SimState& state) {
            const Runtime& runtime = state.runtime;
            return Success({{"initialised", runtime.initialised},
                            {"registered", runtime.registry.Ids()},
                            {"queued", runtime.queued.size()},
                            {"held", runtime.held.size()},
                            {"runCallbacks", runtime.runCallbacksCalls}});
        });
    });
}

constexpr std::array<Sim::NamedControlOp, 8> kOps{{
    {"reset", Reset},
    {"set", Set},
    {"overlay", Overlay},
    {"microTxn", MicroTxn},
    {"ticketResponse", TicketResponse},
    {"releaseTickets", ReleaseTickets},
    {"journal", JournalCalls},
    {"state", State},
}};

} // namespace

std::span<const Sim::NamedControlOp> ControlOps() { return kOps; }

} // namespace Vyro::SteamSim
