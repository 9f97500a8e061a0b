#include "channels/xbox/XboxParameters.h"

#include "core/RequestMembers.h"

namespace Vyro {

namespace {

using nlohmann::json;

constexpr char kXbox[] = "xbox";

} // namespace

XboxParameters::XboxParameters(json object, std::string path) : object_(std::move(object)), path_(std::move(path)) {}

XboxParameters XboxParameters::OfXbox(const json& request)
{
    XboxParameters members(ObjectMember(request, kXbox), kXbox);
    if (HasMember(request, kXbox) && !request[kXbox].is_object()) {
        members.refusal_ = "Invalid xbox: expected an object.";
    }
    return members;
}

void XboxParameters::Refuse(const char* name, const char* expected)
{
    if (refusal_.empty()) {
        // Members of the request itself have no path.
        refusal_ = "Invalid " + (path_.empty() ? std::string() : path_ + ".") + name + ": expected " + expected + ".";
    }
}

std::uint32_t XboxParameters::Uint32(const char* name, std::uint32_t fallback)
{
    const auto value = Uint32Member(object_, name);
    if (!value && HasMember(object_, name)) {
        Refuse(name, "an unsigned 32-bit integer");
    }
    return value.value_or(fallback);
}

std::int32_t XboxParameters::Int32(const char* name, std::int32_t fallback)
{
    const auto value = Int32Member(object_, name);
    if (!value && HasMember(object_, name)) {
        Refuse(name, "a 32-bit integer");
    }
    return value.value_or(fallback);
}

bool XboxParameters::Bool(const char* name, bool fallback)
{
    const auto value = BoolMember(object_, name);
    if (!value && HasMember(object_, name)) {
        Refuse(name, "a boolean");
    }
    return value.value_or(fallback);
}

std::string XboxParameters::String(const char* name, const std::string& fallback)
{
    auto value = StringMember(object_, name);
    if (!value && HasMember(object_, name)) {
        Refuse(name, "a string");
    }
    return value ? std::move(*value) : fallback;
}

} // namespace Vyro
