#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

namespace Vyro::Sim {

// Typed reading of the members of one control request. A member that is absent reads as nothing;
// one of the wrong type or out of range reads as nothing and records an error naming the op, the
// member and what it must be. The first error is kept; an op applies nothing once one is recorded.
class ControlFields {
public:
    // Refuses members other than "op" and `known` at once, so that a misspelt member is not
    // silently ignored.
    ControlFields(const nlohmann::json& request, std::string op, std::initializer_list<const char*> known);
    // An object inside the request (a member, an array element) that `where` names in messages,
    // such as "products[2]"; its errors are the parent's. Refuses anything but an object, and
    // members other than `known`.
    ControlFields(ControlFields& parent, const nlohmann::json& object, const std::string& where,
                  std::initializer_list<const char*> known);
    ControlFields(const ControlFields&) = delete;
    ControlFields& operator=(const ControlFields&) = delete;

    bool Has(const char* name) const { return request_.contains(name); }
    bool IsNull(const char* name) const { return Has(name) && request_[name].is_null(); }
    // The member's value as given; only for a member the request has.
    const nlohmann::json& Member(const char* name) const { return request_[name]; }
    void Require(const char* name);
    // Refuses a request that gives both members.
    void Exclusive(const char* first, const char* second);

    std::optional<bool> Bool(const char* name);
    std::optional<std::string> String(const char* name);
    // A string, or null for no text at all (an empty optional inside).
    std::optional<std::optional<std::string>> StringOrNull(const char* name);
    // A string that must be one of `choices`.
    std::optional<std::string> OneOf(const char* name, std::initializer_list<const char*> choices);
    std::optional<std::int64_t> Integer(const char* name, std::int64_t min, std::int64_t max);
    // An unsigned 64-bit value as a JSON number or a decimal string (which survives tools that
    // read JSON numbers as doubles).
    std::optional<std::uint64_t> Unsigned64(const char* name);
    // A byte given as a number from 0 to 255, or a bool for 1 and 0.
    std::optional<std::uint8_t> ByteOrBool(const char* name);
    // Bytes as hexadecimal digit pairs, at most `maxBytes` of them.
    std::optional<std::vector<std::uint8_t>> HexBytes(const char* name, std::size_t maxBytes);
    // A text given as hexadecimal digit pairs, for bytes no JSON string can carry (invalid UTF-8).
    std::optional<std::string> HexText(const char* name, std::size_t maxBytes);
    // The member's elements; null when it is absent or not an array.
    const nlohmann::json* Array(const char* name);
    // The member as `parse(value)` reads it (an optional), which gives nothing for a value that is
    // not what `requirement` says.
    template <typename Parse>
    auto Parsed(const char* name, Parse parse, const std::string& requirement) -> decltype(parse(std::declval<const nlohmann::json&>()))
    {
        if (!Has(name)) {
            return std::nullopt;
        }
        auto value = parse(request_[name]);
        if (!value) {
            Fail(name, requirement);
        }
        return value;
    }

    // Records that member `name` is not `requirement`, quoting its value.
    void Fail(const char* name, const std::string& requirement);
    // Records an error about the request as a whole, or the object: "op: <what>".
    void Refuse(const std::string& what);
    bool Failed() const { return error_->has_value(); }
    const std::string& Error() const { return **error_; }

private:
    void RefuseUnknownMembers(std::initializer_list<const char*> known, bool takesOp);

    const nlohmann::json& request_;
    std::string op_;
    std::optional<std::string> ownError_;
    std::optional<std::string>* error_; // ownError_, or the outermost parent's
};

// Sets `target` to a value read from a request, converted to its type; nothing read leaves it.
template <typename Value, typename Target>
void Assign(const std::optional<Value>& value, Target& target)
{
    if (value) {
        target = static_cast<Target>(*value);
    }
}

} // namespace Vyro::Sim
