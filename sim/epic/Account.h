#pragma once

#include <cstdint>
#include <string>

#include <nlohmann/json.hpp>

#include "channels/epic/EosApi.h"

namespace Vyro::EosSim {

// The one account of the simulated store.
inline constexpr char kAccountIdText[] = "0f2d1c8b6a4e4d3c9b8a7f6e5d4c3b2a";
// Non-ASCII on purpose, so that a test sees whether UTF-8 survives the way to the game.
inline constexpr char kDisplayName[] = "Zo\xC3\xAB \xC3\x85ngstr\xC3\xB6m"; // "Zoë Ångström"

// The account's id handle: an opaque value, never an address, the same for the whole process.
Eos::EpicAccountId AccountHandle();
// An account id argument as the journal shows it: the id text, null for a null pointer, or
// "<unknown>" for a handle the SDK never handed out.
nlohmann::json DescribeAccountId(Eos::EpicAccountId accountId);

// The account's sign-in; "reset" signs it out and forgets its tokens.
struct Account {
    Eos::LoginStatus status = Eos::kNotLoggedIn;
    std::string accessToken;  // empty until the first sign-in
    std::string refreshToken; // the one a refresh-token login must present
    std::uint32_t signIns = 0;

    // Fresh tokens for a new sign-in: "sim-access-0001" and "sim-refresh-0001", counting up.
    void IssueTokens();
};

} // namespace Vyro::EosSim
