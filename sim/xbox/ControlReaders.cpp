#include "ControlReaders.h"

#include <charconv>
#include <limits>
#include <optional>
#include <string>

namespace Vyro::XboxSim {

namespace {

using Sim::Assign;
using Sim::ControlFields;

constexpr std::int64_t kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kUint32Max = std::numeric_limits<std::uint32_t>::max();
constexpr std::int64_t kMaxDelayMs = 600000;
constexpr std::size_t kMaxIdBytes = 15; // a classic gamertag, a sandbox id: 16-byte buffers with the terminator

constexpr char kHResultRequirement[] = "an HRESULT: a 32-bit integer (signed or not) or a \"0x\" and up to 8 hex digits";
constexpr char kOutcomeRequirement[] =
    "an HRESULT, or {\"result\": HRESULT, \"delayMs\": 0 to 600000}, the HRESULT a 32-bit integer or a \"0x\" hex string";

std::optional<HResult> HexHResult(const std::string& text)
{
    if (text.size() < 3 || text.size() > 10 || text.compare(0, 2, "0x") != 0) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data() + 2, end, value, 16);
    return error == std::errc() && stop == end ? std::optional(static_cast<HResult>(value)) : std::nullopt;
}

std::optional<HResult> AsHResult(const nlohmann::json& value)
{
    if (value.is_string()) {
        return HexHResult(value.get<std::string>());
    }
    if (!value.is_number_integer()) {
        return std::nullopt;
    }
    if (value.is_number_unsigned()) {
        const auto number = value.get<std::uint64_t>();
        return number <= kUint32Max ? std::optional(static_cast<HResult>(static_cast<std::uint32_t>(number))) : std::nullopt;
    }
    const auto number = value.get<std::int64_t>();
    return number >= kInt32Min && number <= kUint32Max ? std::optional(static_cast<HResult>(static_cast<std::uint32_t>(number)))
                                                       : std::nullopt;
}

std::optional<Outcome> AsOutcome(const nlohmann::json& value)
{
    if (const auto result = AsHResult(value)) {
        return Outcome{*result, std::nullopt};
    }
    if (!value.is_object() || !value.contains("result") || value.size() > 2 || (value.size() == 2 && !value.contains("delayMs"))) {
        return std::nullopt;
    }
    const auto result = AsHResult(value["result"]);
    if (!result) {
        return std::nullopt;
    }
    if (!value.contains("delayMs")) {
        return Outcome{*result, std::nullopt};
    }
    const nlohmann::json& delay = value["delayMs"];
    if (!delay.is_number_integer() || delay.get<std::int64_t>() < 0 || delay.get<std::int64_t>() > kMaxDelayMs) {
        return std::nullopt;
    }
    return Outcome{*result, static_cast<std::uint32_t>(delay.get<std::int64_t>())};
}

// An array whose entries `parse` reads; it replaces what is left of the list.
template <typename Value, typename Parse>
void ReadList(ControlFields& fields, const char* name, Parse parse, const char* requirement, std::deque<Value>& target)
{
    const nlohmann::json* entries = fields.Array(name);
    if (entries == nullptr) {
        return;
    }
    std::deque<Value> values;
    for (const nlohmann::json& entry : *entries) {
        const auto value = parse(entry);
        if (!value) {
            fields.Fail(name, std::string("an array whose entries are each ") + requirement);
            return;
        }
        values.push_back(*value);
    }
    target = std::move(values);
}

} // namespace

void ReadHResult(ControlFields& fields, const char* name, HResult& target)
{
    Assign(fields.Parsed(name, AsHResult, kHResultRequirement), target);
}

void ReadOutcome(ControlFields& fields, const char* name, Outcome& target)
{
    Assign(fields.Parsed(name, AsOutcome, kOutcomeRequirement), target);
}

void ReadOutcomes(ControlFields& fields, const char* name, std::deque<Outcome>& target)
{
    ReadList(fields, name, AsOutcome, kOutcomeRequirement, target);
}

void ReadHResults(ControlFields& fields, const char* name, std::deque<HResult>& target)
{
    ReadList(fields, name, AsHResult, kHResultRequirement, target);
}

namespace {

// A text of 1 to 15 bytes, such as the runtime copies into a 16-byte buffer.
void ReadShortText(ControlFields& fields, const char* name, std::string& target)
{
    const auto text = fields.String(name);
    if (text && (text->empty() || text->size() > kMaxIdBytes)) {
        fields.Fail(name, "a string of 1 to 15 bytes");
        return;
    }
    Assign(text, target);
}

void ReadHoldWork(ControlFields& fields, Settings& settings)
{
    const auto hold = fields.OneOf("holdWork", {"none", "queued", "running"});
    if (hold) {
        settings.holdWork = *hold == "queued" ? HoldWork::Queued : *hold == "running" ? HoldWork::Running : HoldWork::None;
    }
}

void ReadRuntimeSettings(ControlFields& fields, Settings& settings)
{
    ReadHResult(fields, "initializeResult", settings.initializeResult);
    Assign(fields.Integer("workDelayMs", 0, kMaxDelayMs), settings.workDelayMs);
    ReadHoldWork(fields, settings);
    Assign(fields.Integer("waitLimitMs", 0, kMaxDelayMs), settings.waitLimitMs);
    Assign(fields.Integer("titleId", 0, kUint32Max), settings.titleId);
    ReadHResult(fields, "titleIdResult", settings.titleIdResult);
    ReadShortText(fields, "sandboxId", settings.sandboxId);
    ReadHResult(fields, "sandboxIdResult", settings.sandboxIdResult);
    ReadHResult(fields, "storeContextResult", settings.storeContextResult);
}

void ReadUserSettings(ControlFields& fields, Settings& settings)
{
    Assign(fields.Unsigned64("xuid"), settings.xuid);
    ReadShortText(fields, "gamertag", settings.gamertag);
    fields.Exclusive("gamertag", "gamertagHex");
    Assign(fields.HexText("gamertagHex", kMaxIdBytes), settings.gamertag);
    Assign(fields.Bool("storeUser"), settings.storeUser);
    ReadOutcomes(fields, "addUserResults", settings.addUser.next);
    ReadOutcome(fields, "addUserDefault", settings.addUser.fallback);
}

void ReadTokenSettings(ControlFields& fields, Settings& settings)
{
    ReadHResult(fields, "tokenStartResult", settings.tokenStartResult);
    ReadOutcomes(fields, "tokenResults", settings.token.next);
    ReadOutcome(fields, "tokenDefault", settings.token.fallback);
    ReadHResult(fields, "tokenResultSizeResult", settings.tokenResultSizeResult);
    ReadHResult(fields, "tokenResultResult", settings.tokenResultResult);
    Assign(fields.StringOrNull("token"), settings.tokenText);
    Assign(fields.StringOrNull("signature"), settings.signature);
}

} // namespace

void ReadSettings(ControlFields& fields, Settings& settings)
{
    ReadRuntimeSettings(fields, settings);
    ReadUserSettings(fields, settings);
    ReadTokenSettings(fields, settings);
    ReadHResult(fields, "xblInitializeResult", settings.xblInitializeResult);
    ReadHResult(fields, "xblContextResult", settings.xblContextResult);
}

void ReadCall(ControlFields& fields, const std::string& call, StoreCallSettings& settings)
{
    ReadHResult(fields, (call + "StartResult").c_str(), settings.startResult);
    ReadOutcomes(fields, (call + "Results").c_str(), settings.outcomes.next);
    ReadOutcome(fields, (call + "Default").c_str(), settings.outcomes.fallback);
    ReadHResult(fields, (call + "ResultResult").c_str(), settings.resultResult);
}

} // namespace Vyro::XboxSim
