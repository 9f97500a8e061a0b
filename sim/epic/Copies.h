#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <variant>

#include <nlohmann/json.hpp>

#include "Catalogue.h"
#include "Entitlements.h"
#include "Texts.h"
#include "channels/epic/EosApi.h"

namespace Vyro::EosSim {

enum class CopyKind { AuthToken, CatalogOffer, Entitlement };

const char* NameOf(CopyKind kind);

// What a copied auth token holds besides the account (always the account's handle) and its type
// (always a user token).
struct SimToken {
    Text app;
    Text clientId;
    Text accessToken;
    double expiresIn = 0;
    Text expiresAt;
    Text refreshToken;
    double refreshExpiresIn = 0;
    Text refreshExpiresAt;
};

// The text fields of a token by name, for "tokenNullTexts".
inline constexpr std::pair<const char*, Text SimToken::*> kTokenTexts[] = {
    {"app", &SimToken::app},
    {"clientId", &SimToken::clientId},
    {"accessToken", &SimToken::accessToken},
    {"expiresAt", &SimToken::expiresAt},
    {"refreshToken", &SimToken::refreshToken},
    {"refreshExpiresAt", &SimToken::refreshExpiresAt},
};

// The records the SDK copied for the game, each with the texts it points into, alive until the game
// releases it. Kept across "reset": the game may still hold them, and releases them as usual.
class Copies {
public:
    enum class Release { Released, Unknown, OtherKind };
    struct Released {
        Release outcome;
        std::optional<std::uint64_t> number; // the copy's, when the pointer names one
    };

    // Each makes a copy, numbered 1, 2, … for the process, for the call `function`.
    Eos::AuthToken* Add(const SimToken& token, const char* function);
    Eos::CatalogOffer* Add(const SimOffer& offer, const char* function);
    Eos::Entitlement* Add(const SimEntitlement& entitlement, const char* function);
    // The copy `record` names, when it is of `kind`. Never reads through the pointer, so a pointer
    // released before, or never handed out, is only not found.
    Released Remove(const void* record, CopyKind kind);
    // The copy number of a record handed out and not released yet.
    std::optional<std::uint64_t> NumberOf(const void* record) const;
    // {"copy", "kind", "fn"} of each copy not released yet, oldest first.
    nlohmann::json Outstanding() const;

private:
    struct Held {
        std::uint64_t number;
        const char* function;
        std::variant<Eos::AuthToken, Eos::CatalogOffer, Eos::Entitlement> record;
        std::deque<std::string> texts; // a deque: adding one never moves the others

        const char* Keep(const Text& text);
        CopyKind Kind() const { return static_cast<CopyKind>(record.index()); }
    };

    template <typename Record, typename Fill>
    Record* Make(const char* function, Fill fill);

    std::uint64_t lastNumber_ = 0;
    std::map<const void*, std::unique_ptr<Held>> held_;
};

} // namespace Vyro::EosSim
