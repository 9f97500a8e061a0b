#pragma once

#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

#include <nlohmann/json.hpp>

#include "channels/steam/SteamApi.h"

namespace Vyro::SteamSim {

// One callback record waiting for SteamAPI_RunCallbacks, kept in the exact layout Steam delivers.
using CallbackRecord = std::variant<Steamworks::GameOverlayActivated, Steamworks::MicroTxnAuthorizationResponse,
                                    Steamworks::GetTicketForWebApiResponse>;

Steamworks::GetTicketForWebApiResponse MakeTicketResponse(Steamworks::HAuthTicket handle, int result,
                                                     const std::vector<std::uint8_t>& ticket);

int CallbackIdOf(const CallbackRecord& record);
// What CallbackBase::Run receives for the record.
void* RecordPointer(CallbackRecord& record);
// The size of the record Steam delivers for `callbackId`, for the ids this runtime knows.
std::optional<int> RecordSize(int callbackId);

// The journal entry of one delivery: the id and what tells records of that id apart.
nlohmann::json DescribeDelivery(const CallbackRecord& record, std::size_t receivers);

} // namespace Vyro::SteamSim
