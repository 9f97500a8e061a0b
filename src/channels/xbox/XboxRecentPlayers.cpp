// The players the player has met, added to the recent players list the system shows.
#include <optional>
#include <vector>

#include <nlohmann/json.hpp>

#include "channels/xbox/HResultText.h"
#include "channels/xbox/IXboxContext.h"
#include "channels/xbox/XboxMultiplayer.h"
#include "channels/xbox/XboxParameters.h"
#include "channels/xbox/XboxServiceAnswers.h"
#include "channels/xbox/XuidText.h"
#include "common/Logger.h"

namespace Vyro {

namespace {

using nlohmann::json;
using Gdk::HResult;
using Update = Xbl::XblMultiplayerActivityRecentPlayerUpdate;

constexpr char kXuid[] = "xuid";

// The entry's xuid, or nothing with the reason logged.
std::optional<std::uint64_t> EntryXuid(const json& entry)
{
    const bool hasXuid = entry.is_object() && entry.contains(kXuid);
    const json& xuid = hasXuid ? entry[kXuid] : entry;
    if (!hasXuid || !(xuid.is_string() || xuid.is_number())) {
        Log(LogLevel::Warning, "UpdateRecentPlayers: Skipping entry with missing xuid");
        return std::nullopt;
    }
    const DecimalReading<std::uint64_t> reading = xuid.is_string() ? ReadXuidText(xuid.get<std::string>()) : ReadXuidNumber(xuid);
    if (!reading.Ok()) {
        Log(LogLevel::Warning, "UpdateRecentPlayers: Skipping invalid xuid: {}", reading.error);
        return std::nullopt;
    }
    return reading.value;
}

// The players of the request in order; "" or the refusal of a member of the wrong type.
std::string ReadPlayers(const json& players, std::vector<Update>& updates)
{
    if (!players.is_array()) {
        return "";
    }
    for (std::size_t i = 0; i < players.size(); ++i) {
        const std::optional<std::uint64_t> xuid = EntryXuid(players[i]);
        if (!xuid) {
            continue;
        }
        XboxParameters entry(players[i], "xbox.players[" + std::to_string(i) + "]");
        const std::int32_t encounterType = entry.Int32("encounterType", 0);
        if (!entry.Refusal().empty()) {
            return entry.Refusal();
        }
        updates.push_back({*xuid, static_cast<Xbl::XblMultiplayerActivityEncounterType>(encounterType)});
    }
    return "";
}

// The upload happens whatever the game is told: a failure is only logged.
void FlushRecentPlayers(IXboxContext& context, Xbl::XblContextHandle servicesContext)
{
    const HResult started = AsyncCall::Start(
        context.GetTaskQueue(),
        [&context](Gdk::XAsyncBlock* block) {
            const HResult status = context.Runtime().XAsyncGetStatus(block, false);
            if (!Gdk::Succeeded(status)) {
                Log(LogLevel::Warning, "FlushRecentPlayers failed: {}", HResultText(status));
            }
        },
        [&](Gdk::XAsyncBlock* block) { return context.Services().XblMultiplayerActivityFlushRecentPlayersAsync(servicesContext, block); });
    if (!Gdk::Succeeded(started)) {
        Log(LogLevel::Warning, "XblMultiplayerActivityFlushRecentPlayersAsync failed: {}", HResultText(started));
    }
}

} // namespace

void XboxMultiplayer::UpdateRecentPlayers(const std::string& params, ResultCallback cb)
{
    json request;
    std::string requestId;
    if (!OpenRequest(params, ServicesContext(), cb, VYROCHANNEL_NO_USER, request, requestId)) {
        return;
    }
    const XboxParameters members = XboxParameters::OfXbox(request);
    std::vector<Update> updates;
    const std::string refusal = members.Refusal().empty() ? ReadPlayers(members.Object().value("players", json()), updates)
                                                          : members.Refusal();
    if (!refusal.empty()) {
        AnswerFailure(cb, requestId, refusal);
        return;
    }
    if (updates.empty()) {
        Log(LogLevel::Error, "UpdateRecentPlayers: No valid players provided");
        AnswerFailure(cb, requestId, "No valid players provided.");
        return;
    }
    IXboxContext& context = *Context();
    const Xbl::XblContextHandle servicesContext = ServicesContext();
    const HResult updated = context.Services().XblMultiplayerActivityUpdateRecentPlayers(servicesContext, updates.data(), updates.size());
    if (!Gdk::Succeeded(updated)) {
        AnswerFailedCall(cb, requestId, "XblMultiplayerActivityUpdateRecentPlayers", updated);
        return;
    }
    FlushRecentPlayers(context, servicesContext);
    AnswerSuccess(cb, requestId, json::object());
}

} // namespace Vyro
