#include "RequestTexts.h"

#include <nlohmann/json.hpp>

namespace VyroFuzz {

namespace {

using Json = nlohmann::json;

// A value of any JSON type, some of them hostile: huge, deep, not UTF-8.
Json AnyValue(FuzzInput& input)
{
    switch (input.Byte() % 9) {
    case 0: return nullptr;
    case 1: return input.Byte() % 2 == 0;
    case 2: return static_cast<std::int64_t>(input.Byte()) << (input.Byte() % 64) | (input.Byte() % 2 == 0 ? 0 : INT64_MIN);
    case 3: return 1e308 * (input.Byte() + 1);
    case 4: return Json::array({input.Bytes(8), 7});
    case 5: {
        Json deep = 1;
        for (int depth = input.Byte() * 4; depth > 0; --depth) {
            deep = Json::array({deep});
        }
        return deep;
    }
    case 6: return std::string(static_cast<std::size_t>(input.Byte()) * 512, 'x');
    default: return input.Bytes(64); // serialised with replacement, so mostly valid JSON text
    }
}

// Every member path of the object, nested ones included.
void MemberPaths(const Json& object, const Json::json_pointer& at, std::vector<Json::json_pointer>& paths)
{
    for (auto member = object.begin(); member != object.end(); ++member) {
        paths.push_back(at / member.key());
        if (member->is_object()) {
            MemberPaths(*member, at / member.key(), paths);
        }
    }
}

} // namespace

std::string MutatedParameters(const RequestText& request, const std::string& requestId, FuzzInput& input)
{
    Json parameters = Json::parse(request.parameters);
    parameters["requestId"] = requestId;
    switch (input.Byte() % 6) {
    case 0: return parameters.dump();
    case 1: return input.Bytes(200); // not JSON at all, or cut by a NUL
    case 2: { // a raw value spliced in as text: invalid UTF-8 and control bytes reach the parser
        std::string text = parameters.dump();
        text.insert(text.size() - 1, ",\"" + input.Bytes(16) + "\":\"" + input.Bytes(32) + "\"");
        return text;
    }
    default: {
        std::vector<Json::json_pointer> paths;
        MemberPaths(parameters, Json::json_pointer(), paths);
        const auto& path = paths[input.Byte() % paths.size()];
        if (path.to_string() != "/requestId") {
            parameters[path] = AnyValue(input);
        }
        return parameters.dump(-1, ' ', false, Json::error_handler_t::replace);
    }
    }
}

} // namespace VyroFuzz
