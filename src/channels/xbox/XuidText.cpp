#include "channels/xbox/XuidText.h"

#include <charconv>
#include <cmath>
#include <system_error>

#include "common/Logger.h"

namespace Vyro {

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

} // namespace

DecimalReading<std::uint64_t> ReadXuidText(const std::string& text)
{
    const char* at = text.data();
    const char* end = at + text.size();
    while (at != end && IsBlank(*at)) {
        ++at;
    }
    bool negative = false;
    if (at != end && (*at == '+' || *at == '-')) {
        negative = *at == '-';
        ++at;
    }
    std::uint64_t value = 0;
    const auto result = std::from_chars(at, end, value, 10);
    if (result.ec == std::errc::invalid_argument) {
        return {0, kXuidInvalid};
    }
    if (result.ec == std::errc::result_out_of_range || negative) {
        return {0, kXuidOutOfRange};
    }
    return {value, ""};
}

DecimalReading<std::uint64_t> ReadXuidNumber(const nlohmann::json& number)
{
    if (number.is_number_unsigned()) {
        return {number.get<std::uint64_t>(), ""};
    }
    if (number.is_number_integer()) {
        const std::int64_t value = number.get<std::int64_t>();
        if (value < 0) {
            return {0, kXuidOutOfRange};
        }
        return {static_cast<std::uint64_t>(value), ""};
    }
    if (number.is_number_float()) {
        // 2^64 exactly is the first double that does not fit.
        const double value = std::trunc(number.get<double>());
        if (!(value >= 0 && value < 18446744073709551616.0)) {
            return {0, kXuidOutOfRange};
        }
        return {static_cast<std::uint64_t>(value), ""};
    }
    return {0, kXuidInvalid};
}

std::vector<std::uint64_t> ParseXuidList(const nlohmann::json& member, const char* operation)
{
    std::vector<std::uint64_t> xuids;
    if (!member.is_array()) {
        return xuids;
    }
    xuids.reserve(member.size());
    for (const nlohmann::json& element : member) {
        DecimalReading<std::uint64_t> xuid;
        std::string shown;
        if (element.is_string()) {
            shown = element.get<std::string>();
            xuid = ReadXuidText(shown);
        } else if (element.is_number()) {
            shown = element.dump();
            xuid = ReadXuidNumber(element);
        } else {
            continue;
        }
        if (!xuid.Ok()) {
            Log(LogLevel::Warning, "{}: Skipping invalid xuid '{}': {}", operation, shown, xuid.error);
            continue;
        }
        xuids.push_back(xuid.value);
    }
    return xuids;
}

} // namespace Vyro
