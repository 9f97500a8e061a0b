#pragma once

#include <cstdint>
#include <string>

#include <nlohmann/json.hpp>

namespace Vyro {

// Reads the members of one object of an Xbox request whose types are fixed: a member that is absent
// takes its default; one that is present with another JSON type (or a number out of the type's
// range) is refused, so that "maxItems": -5 or "statName": 5 is answered as the mistake it is rather
// than served with a default the game did not ask for. The first refusal is kept as the message of
// the request's answer.
class XboxParameters {
public:
    // `object` is the object read; `path` names it in refusals ("xbox", "xbox.stats[2]"; "" for the
    // request itself).
    XboxParameters(nlohmann::json object, std::string path);
    // The request's "xbox" object: absent it is an empty object; of another type it is refused.
    static XboxParameters OfXbox(const nlohmann::json& request);

    const nlohmann::json& Object() const { return object_; }

    std::uint32_t Uint32(const char* name, std::uint32_t fallback);
    std::int32_t Int32(const char* name, std::int32_t fallback);
    bool Bool(const char* name, bool fallback);
    std::string String(const char* name, const std::string& fallback);

    // "Invalid xbox.maxItems: expected an unsigned 32-bit integer.", or "" while every member read
    // had its type.
    const std::string& Refusal() const { return refusal_; }
    void Refuse(const char* name, const char* expected);

private:
    nlohmann::json object_;
    std::string path_;
    std::string refusal_;
};

} // namespace Vyro
