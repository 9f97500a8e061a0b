#include "ControlFields.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace Vyro::Sim {

namespace {

// A value as an error message quotes it: long ones (ticket bytes) cut short.
std::string Show(const nlohmann::json& value)
{
    constexpr std::size_t kLongest = 64;
    std::string text = value.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    return text.size() <= kLongest ? text : text.substr(0, kLongest) + "...";
}

std::string JoinNames(std::initializer_list<const char*> names)
{
    std::string joined;
    for (const char* name : names) {
        joined += (joined.empty() ? "" : ", ") + std::string(name);
    }
    return joined;
}

std::optional<std::uint64_t> ParseDecimal(const std::string& text)
{
    std::uint64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::vector<std::uint8_t>> ParseHex(const std::string& text)
{
    if (text.size() % 2 != 0) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes(text.size() / 2);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char* pair = text.data() + 2 * i;
        const auto [stop, error] = std::from_chars(pair, pair + 2, bytes[i], 16);
        if (error != std::errc() || stop != pair + 2) {
            return std::nullopt;
        }
    }
    return bytes;
}

} // namespace

ControlFields::ControlFields(const nlohmann::json& request, std::string op, std::initializer_list<const char*> known)
    : request_(request), op_(std::move(op)), error_(&ownError_)
{
    RefuseUnknownMembers(known, true);
}

ControlFields::ControlFields(ControlFields& parent, const nlohmann::json& object, const std::string& where,
                             std::initializer_list<const char*> known)
    : request_(object), op_(parent.op_ + ": " + where), error_(parent.error_)
{
    if (!object.is_object()) {
        if (!Failed()) {
            *error_ = op_ + " must be an object, got " + Show(object);
        }
        return;
    }
    RefuseUnknownMembers(known, false);
}

void ControlFields::RefuseUnknownMembers(std::initializer_list<const char*> known, bool takesOp)
{
    for (const auto& member : request_.items()) {
        const bool isKnown = (takesOp && member.key() == "op") ||
                             std::any_of(known.begin(), known.end(), [&](const char* name) { return member.key() == name; });
        if (!isKnown) {
            Refuse("unknown member \"" + member.key() + "\"" +
                   (known.size() == 0 ? std::string(" (it takes none)") : " (it takes " + JoinNames(known) + ")"));
            return;
        }
    }
}

void ControlFields::Fail(const char* name, const std::string& requirement)
{
    if (!Failed()) {
        *error_ = op_ + ": \"" + name + "\" must be " + requirement + ", got " + Show(request_[name]);
    }
}

void ControlFields::Refuse(const std::string& what)
{
    if (!Failed()) {
        *error_ = op_ + ": " + what;
    }
}

void ControlFields::Require(const char* name)
{
    if (!Has(name)) {
        Refuse("\"" + std::string(name) + "\" is required");
    }
}

void ControlFields::Exclusive(const char* first, const char* second)
{
    if (Has(first) && Has(second)) {
        Refuse("give \"" + std::string(first) + "\" or \"" + second + "\", not both");
    }
}

std::optional<bool> ControlFields::Bool(const char* name)
{
    if (!Has(name)) {
        return std::nullopt;
    }
    if (!request_[name].is_boolean()) {
        Fail(name, "true or false");
        return std::nullopt;
    }
    return request_[name].get<bool>();
}

std::optional<std::string> ControlFields::String(const char* name)
{
    if (!Has(name)) {
        return std::nullopt;
    }
    if (!request_[name].is_string()) {
        Fail(name, "a string");
        return std::nullopt;
    }
    return request_[name].get<std::string>();
}

std::optional<std::optional<std::string>> ControlFields::StringOrNull(const char* name)
{
    if (!Has(name)) {
        return std::nullopt;
    }
    if (IsNull(name)) {
        return std::optional<std::string>();
    }
    if (!request_[name].is_string()) {
        Fail(name, "a string or null");
        return std::nullopt;
    }
    return request_[name].get<std::string>();
}

std::optional<std::string> ControlFields::OneOf(const char* name, std::initializer_list<const char*> choices)
{
    auto text = String(name);
    if (text && std::none_of(choices.begin(), choices.end(), [&](const char* choice) { return *text == choice; })) {
        Fail(name, "one of " + JoinNames(choices));
        return std::nullopt;
    }
    return text;
}

std::optional<std::int64_t> ControlFields::Integer(const char* name, std::int64_t min, std::int64_t max)
{
    if (!Has(name)) {
        return std::nullopt;
    }
    const nlohmann::json& value = request_[name];
    const bool tooLarge = value.is_number_unsigned() &&
                          value.get<std::uint64_t>() > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    if (!value.is_number_integer() || tooLarge || value.get<std::int64_t>() < min || value.get<std::int64_t>() > max) {
        Fail(name, "an integer from " + std::to_string(min) + " to " + std::to_string(max));
        return std::nullopt;
    }
    return value.get<std::int64_t>();
}

std::optional<std::uint64_t> ControlFields::Unsigned64(const char* name)
{
    if (!Has(name)) {
        return std::nullopt;
    }
    const nlohmann::json& value = request_[name];
    if (value.is_number_unsigned()) {
        return value.get<std::uint64_t>();
    }
    if (value.is_string()) {
        if (auto parsed = ParseDecimal(value.get<std::string>())) {
            return parsed;
        }
    }
    Fail(name, "an unsigned 64-bit integer, as a number or a decimal string");
    return std::nullopt;
}

std::optional<std::uint8_t> ControlFields::ByteOrBool(const char* name)
{
    if (Has(name) && request_[name].is_boolean()) {
        return static_cast<std::uint8_t>(request_[name].get<bool>() ? 1 : 0);
    }
    if (Has(name) && !request_[name].is_number_integer()) {
        Fail(name, "true, false or an integer from 0 to 255");
        return std::nullopt;
    }
    const auto value = Integer(name, 0, 255);
    return value ? std::optional<std::uint8_t>(static_cast<std::uint8_t>(*value)) : std::nullopt;
}

std::optional<std::vector<std::uint8_t>> ControlFields::HexBytes(const char* name, std::size_t maxBytes)
{
    const auto text = String(name);
    if (!text) {
        return std::nullopt;
    }
    auto bytes = ParseHex(*text);
    if (!bytes || bytes->size() > maxBytes) {
        Fail(name, "hexadecimal digit pairs for at most " + std::to_string(maxBytes) + " bytes");
        return std::nullopt;
    }
    return bytes;
}

std::optional<std::string> ControlFields::HexText(const char* name, std::size_t maxBytes)
{
    const auto bytes = HexBytes(name, maxBytes);
    if (!bytes) {
        return std::nullopt;
    }
    return std::string(bytes->begin(), bytes->end());
}

const nlohmann::json* ControlFields::Array(const char* name)
{
    if (!Has(name)) {
        return nullptr;
    }
    if (!request_[name].is_array()) {
        Fail(name, "an array");
        return nullptr;
    }
    return &request_[name];
}

} // namespace Vyro::Sim
