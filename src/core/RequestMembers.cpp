#include "core/RequestMembers.h"

namespace Vyro {

namespace {

using nlohmann::json;

const json* FindMember(const json& object, const char* name)
{
    if (!object.is_object()) {
        return nullptr;
    }
    const auto member = object.find(name);
    return member == object.end() ? nullptr : &*member;
}

} // namespace

std::optional<std::string> StringMember(const json& object, const char* name)
{
    const json* member = FindMember(object, name);
    if (member == nullptr || !member->is_string()) {
        return std::nullopt;
    }
    return member->get<std::string>();
}

std::optional<bool> BoolMember(const json& object, const char* name)
{
    const json* member = FindMember(object, name);
    if (member == nullptr || !member->is_boolean()) {
        return std::nullopt;
    }
    return member->get<bool>();
}

json ObjectMember(const json& object, const char* name)
{
    const json* member = FindMember(object, name);
    return member != nullptr && member->is_object() ? *member : json::object();
}

} // namespace Vyro
