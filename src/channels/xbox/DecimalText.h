#pragma once

#include <cstdint>
#include <string>

namespace Vyro {

// A number read from the start of a text the way the Xbox services give numbers as text: leading
// blanks allowed, trailing text ignored. `error` describes why there is no value ("" when there is).
template <typename Number>
struct DecimalReading {
    Number value = 0;
    std::string error;
    bool Ok() const { return error.empty(); }
};

// Unsigned decimal digits; a sign is not a digit, so "-1" has no number rather than a wrapped one.
DecimalReading<std::uint64_t> ReadUnsigned64(const char* text);
DecimalReading<std::uint32_t> ReadUnsigned32(const char* text);
// A decimal floating-point number (optional sign, fraction, exponent) that is finite; the same in
// every locale.
DecimalReading<double> ReadDouble(const char* text);

} // namespace Vyro
