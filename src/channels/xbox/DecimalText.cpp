#include "channels/xbox/DecimalText.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <system_error>

namespace Vyro {

namespace {

constexpr char kNoNumber[] = "no number at the start";
constexpr char kOutOfRange[] = "out of range";

const char* SkipBlanks(const char* text)
{
    while (*text == ' ' || *text == '\t' || *text == '\n' || *text == '\r' || *text == '\f' || *text == '\v') {
        ++text;
    }
    return text;
}

template <typename Number>
DecimalReading<Number> Describe(std::errc error, Number value)
{
    if (error == std::errc::result_out_of_range) {
        return {0, kOutOfRange};
    }
    if (error != std::errc()) {
        return {0, kNoNumber};
    }
    return {value, ""};
}

} // namespace

DecimalReading<std::uint64_t> ReadUnsigned64(const char* text)
{
    if (text == nullptr) {
        return {0, kNoNumber};
    }
    const char* start = SkipBlanks(text);
    std::uint64_t value = 0;
    const auto result = std::from_chars(start, start + std::strlen(start), value, 10);
    return Describe(result.ec, value);
}

DecimalReading<std::uint32_t> ReadUnsigned32(const char* text)
{
    const DecimalReading<std::uint64_t> wide = ReadUnsigned64(text);
    if (!wide.Ok()) {
        return {0, wide.error};
    }
    if (wide.value > std::numeric_limits<std::uint32_t>::max()) {
        return {0, kOutOfRange};
    }
    return {static_cast<std::uint32_t>(wide.value), ""};
}

DecimalReading<double> ReadDouble(const char* text)
{
    if (text == nullptr) {
        return {0, kNoNumber};
    }
    const char* start = SkipBlanks(text);
    // The conversion takes a minus sign but not a plus sign.
    if (*start == '+' && *(start + 1) != '-' && *(start + 1) != '+') {
        ++start;
    }
    double value = 0;
    const auto result = std::from_chars(start, start + std::strlen(start), value, std::chars_format::general);
    if (result.ec == std::errc() && !std::isfinite(value)) {
        // "inf" and "nan" are words, not numbers a statistic can hold.
        return {0, kNoNumber};
    }
    return Describe(result.ec, value);
}

} // namespace Vyro
