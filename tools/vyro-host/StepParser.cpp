#include "StepParser.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <string_view>
#include <tuple>

#include "PlainFileName.h"

namespace VyroHost {

namespace {

using Parser = std::optional<StepAction> (*)(const Json& step, std::string& error);

std::optional<int> IntegerIn(const Json& value, std::int64_t minimum, std::int64_t maximum)
{
    if (!value.is_number_integer()) {
        return std::nullopt;
    }
    if (value.is_number_unsigned() && value.get<std::uint64_t>() > static_cast<std::uint64_t>(maximum)) {
        return std::nullopt;
    }
    const auto number = value.get<std::int64_t>();
    if (number < minimum || number > maximum) {
        return std::nullopt;
    }
    return static_cast<int>(number);
}

std::optional<int> ReadInteger(const Json& step, const char* key, std::int64_t minimum, std::int64_t maximum,
                               std::string& error)
{
    auto number = IntegerIn(step.at(key), minimum, maximum);
    if (!number) {
        error = "\"" + std::string(key) + "\" must be an integer from " + std::to_string(minimum) + " to " +
                std::to_string(maximum);
    }
    return number;
}

constexpr std::int64_t kIntMin = std::numeric_limits<int>::min();
constexpr std::int64_t kIntMax = std::numeric_limits<int>::max();

std::optional<std::string> DecodeHex(const std::string& hex)
{
    auto digit = [](char c) -> int {
        const auto position = std::string_view("0123456789abcdef").find(static_cast<char>(c | 0x20));
        return position == std::string_view::npos ? -1 : static_cast<int>(position);
    };
    if (hex.size() % 2 != 0) {
        return std::nullopt;
    }
    std::string bytes;
    for (std::size_t index = 0; index < hex.size(); index += 2) {
        const int high = digit(hex[index]);
        const int low = digit(hex[index + 1]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        bytes.push_back(static_cast<char>(high * 16 + low));
    }
    return bytes;
}

// The parameter text of a call: "params" as compact JSON, "paramsText" as written, "paramsHex" as
// raw bytes (for texts that are not valid UTF-8); none of them, or "params": null, is a null pointer.
bool ReadParams(const Json& step, CallStep& call, std::string& error)
{
    const int given = static_cast<int>(step.contains("params")) + static_cast<int>(step.contains("paramsText")) +
                      static_cast<int>(step.contains("paramsHex"));
    if (given > 1) {
        error = "give at most one of \"params\", \"paramsText\" and \"paramsHex\"";
        return false;
    }
    if (step.contains("params") && !step["params"].is_null()) {
        call.params = step["params"].dump();
    }
    if (step.contains("paramsText")) {
        if (!step["paramsText"].is_string()) {
            error = "\"paramsText\" must be a string";
            return false;
        }
        call.params = step["paramsText"].get<std::string>();
    }
    if (step.contains("paramsHex")) {
        call.params = step["paramsHex"].is_string() ? DecodeHex(step["paramsHex"].get<std::string>()) : std::nullopt;
        if (!call.params) {
            error = "\"paramsHex\" must be a string of hexadecimal digit pairs";
            return false;
        }
    }
    return true;
}

std::optional<StepAction> ParseCall(const Json& step, std::string& error)
{
    CallStep call;
    if (!step["call"].is_string()) {
        error = "\"call\" must be the name of a request export, such as \"Init\"";
        return std::nullopt;
    }
    call.name = step["call"].get<std::string>();
    if (step.contains("callback")) {
        if (!step["callback"].is_boolean()) {
            error = "\"callback\" must be true or false";
            return std::nullopt;
        }
        call.callback = step["callback"].get<bool>();
    }
    if (!ReadParams(step, call, error)) {
        return std::nullopt;
    }
    return call;
}

std::optional<StepAction> ParseTick(const Json& step, std::string& error)
{
    const auto count = ReadInteger(step, "tick", 0, kIntMax, error);
    return count ? std::optional<StepAction>(TickStep{*count}) : std::nullopt;
}

std::optional<StepAction> ParseTickUntil(const Json& step, std::string& error)
{
    TickUntilStep tickUntil;
    if (!step["tickUntil"].is_object()) {
        error = "\"tickUntil\" must be an object that records are matched against";
        return std::nullopt;
    }
    tickUntil.match = step["tickUntil"];
    for (auto [key, target, minimum] : {std::tuple{"count", &tickUntil.count, 1}, std::tuple{"timeoutMs", &tickUntil.timeoutMs, 0}}) {
        if (step.contains(key)) {
            const auto number = ReadInteger(step, key, minimum, kIntMax, error);
            if (!number) {
                return std::nullopt;
            }
            *target = *number;
        }
    }
    if (step.contains("sinceStart")) {
        if (!step["sinceStart"].is_boolean()) {
            error = "\"sinceStart\" must be true or false";
            return std::nullopt;
        }
        tickUntil.sinceStart = step["sinceStart"].get<bool>();
    }
    return tickUntil;
}

std::optional<StepAction> ParseRegister(const Json& step, std::string& error)
{
    const auto type = ReadInteger(step, "register", 0, kEventTypeCount - 1, error);
    return type ? std::optional<StepAction>(RegisterStep{*type}) : std::nullopt;
}

std::optional<StepAction> ParseUnregister(const Json& step, std::string& error)
{
    const auto type = ReadInteger(step, "unregister", kIntMin, kIntMax, error);
    return type ? std::optional<StepAction>(UnregisterStep{*type}) : std::nullopt;
}

std::optional<StepAction> ParseSleep(const Json& step, std::string& error)
{
    const auto milliseconds = ReadInteger(step, "sleepMs", 0, kIntMax, error);
    return milliseconds ? std::optional<StepAction>(SleepStep{*milliseconds}) : std::nullopt;
}

std::optional<StepAction> ParseUnity(const Json& step, std::string& error)
{
    const Json& hook = step["unity"];
    if (hook != "load" && hook != "unload") {
        error = "\"unity\" must be \"load\" or \"unload\"";
        return std::nullopt;
    }
    return UnityStep{hook == "load"};
}

std::optional<StepAction> ParseLogLevel(const Json& step, std::string& error)
{
    const auto level = ReadInteger(step, "logLevel", kIntMin, kIntMax, error);
    return level ? std::optional<StepAction>(LogLevelStep{*level}) : std::nullopt;
}

std::optional<StepAction> ParsePrint(const Json& step, std::string& error)
{
    if (step["print"] != true) {
        error = "\"print\" must be true";
        return std::nullopt;
    }
    return PrintStep{};
}

std::optional<StepAction> ParseSim(const Json& step, std::string& error)
{
    if (!step["sim"].is_string() || step["sim"].get<std::string>().empty()) {
        error = "\"sim\" must name a staged simulated store runtime file";
        return std::nullopt;
    }
    if (!step.contains("control")) {
        error = "a \"sim\" step needs a \"control\" message";
        return std::nullopt;
    }
    return SimStep{step["sim"].get<std::string>(), step["control"].dump()};
}

std::optional<StepAction> ParseFile(const Json& step, std::string& error)
{
    if (!step["file"].is_string() || !IsPathInsideFolder(step["file"].get<std::string>())) {
        error = "\"file\" must be a path relative to the staged folder";
        return std::nullopt;
    }
    return FileStep{step["file"].get<std::string>()};
}

struct StepKind {
    const char* key;
    Parser parse;
    std::initializer_list<std::string_view> extras;
};

const StepKind kKinds[] = {
    {"call", &ParseCall, {"params", "paramsText", "paramsHex", "callback"}},
    {"tick", &ParseTick, {}},
    {"tickUntil", &ParseTickUntil, {"count", "timeoutMs", "sinceStart"}},
    {"register", &ParseRegister, {}},
    {"unregister", &ParseUnregister, {}},
    {"sleepMs", &ParseSleep, {}},
    {"unity", &ParseUnity, {}},
    {"logLevel", &ParseLogLevel, {}},
    {"print", &ParsePrint, {}},
    {"sim", &ParseSim, {"control"}},
    {"file", &ParseFile, {}},
};

const StepKind* FindKind(const Json& step, std::string& error)
{
    const StepKind* kind = nullptr;
    for (const StepKind& candidate : kKinds) {
        if (!step.contains(candidate.key)) {
            continue;
        }
        if (kind != nullptr) {
            error = "both \"" + std::string(kind->key) + "\" and \"" + candidate.key + "\": one kind per step";
            return nullptr;
        }
        kind = &candidate;
    }
    if (kind == nullptr) {
        error = "no step kind (call, tick, tickUntil, register, unregister, sleepMs, unity, logLevel, print, sim, file)";
    }
    return kind;
}

bool CheckMembers(const Json& step, const StepKind& kind, std::string& error)
{
    for (const auto& member : step.items()) {
        const bool known = member.key() == kind.key ||
                           std::find(kind.extras.begin(), kind.extras.end(), member.key()) != kind.extras.end();
        if (!known) {
            error = "unknown member \"" + member.key() + "\" in a \"" + kind.key + "\" step";
            return false;
        }
    }
    return true;
}

} // namespace

std::optional<Step> ParseStep(const Json& source, std::string& error)
{
    if (!source.is_object()) {
        error = "a step must be a JSON object";
        return std::nullopt;
    }
    const StepKind* kind = FindKind(source, error);
    if (kind == nullptr || !CheckMembers(source, *kind, error)) {
        return std::nullopt;
    }
    auto action = kind->parse(source, error);
    if (!action) {
        return std::nullopt;
    }
    return Step{source, std::move(*action)};
}

} // namespace VyroHost
