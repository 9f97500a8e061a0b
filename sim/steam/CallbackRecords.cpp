#include "CallbackRecords.h"

#include <algorithm>

namespace Vyro::SteamSim {

namespace {

// The members that identify a record in the journal. Packed members are copied out first: a
// reference to one may be misaligned.
void Describe(const Steamworks::GameOverlayActivated& record, nlohmann::json& entry)
{
    entry["active"] = std::uint8_t{record.active};
}

void Describe(const Steamworks::MicroTxnAuthorizationResponse& record, nlohmann::json& entry)
{
    entry["orderId"] = std::uint64_t{record.orderId};
    entry["authorized"] = std::uint8_t{record.authorized};
}

void Describe(const Steamworks::GetTicketForWebApiResponse& record, nlohmann::json& entry)
{
    entry["handle"] = Steamworks::HAuthTicket{record.authTicket};
    entry["result"] = std::int32_t{record.result};
    entry["ticketSize"] = std::int32_t{record.ticketSize};
}

} // namespace

Steamworks::GetTicketForWebApiResponse MakeTicketResponse(Steamworks::HAuthTicket handle, int result,
                                                     const std::vector<std::uint8_t>& ticket)
{
    Steamworks::GetTicketForWebApiResponse response{};
    response.authTicket = handle;
    response.result = result;
    const std::size_t size = std::min(ticket.size(), Steamworks::kMaxWebApiTicketSize);
    response.ticketSize = static_cast<std::int32_t>(size);
    std::copy_n(ticket.begin(), size, response.ticket);
    return response;
}

int CallbackIdOf(const CallbackRecord& record)
{
    return std::visit([](const auto& typed) { return std::decay_t<decltype(typed)>::kCallbackId; }, record);
}

void* RecordPointer(CallbackRecord& record)
{
    return std::visit([](auto& typed) -> void* { return &typed; }, record);
}

std::optional<int> RecordSize(int callbackId)
{
    switch (callbackId) {
    case Steamworks::GameOverlayActivated::kCallbackId:
        return static_cast<int>(sizeof(Steamworks::GameOverlayActivated));
    case Steamworks::MicroTxnAuthorizationResponse::kCallbackId:
        return static_cast<int>(sizeof(Steamworks::MicroTxnAuthorizationResponse));
    case Steamworks::GetTicketForWebApiResponse::kCallbackId:
        return static_cast<int>(sizeof(Steamworks::GetTicketForWebApiResponse));
    default:
        return std::nullopt;
    }
}

nlohmann::json DescribeDelivery(const CallbackRecord& record, std::size_t receivers)
{
    nlohmann::json entry{{"fn", "SteamAPI_RunCallbacks"}, {"callbackId", CallbackIdOf(record)}};
    std::visit([&](const auto& typed) { Describe(typed, entry); }, record);
    entry["receivers"] = receivers;
    return entry;
}

} // namespace Vyro::SteamSim
