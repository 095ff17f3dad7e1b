#pragma once

#include <array>
#include <cstdint>

// IEEE 754 80-bit extended precision as design files store it: 64-bit significand with an
// explicit integer bit, 15-bit exponent, sign, little-endian. The conversion works on the
// bits, so it gives the same result on every machine whatever its long double is.
using TFloat80Bytes = std::array<std::uint8_t, 10>;

// Exact: every double has an extended value.
TFloat80Bytes DoubleToFloat80(double value);
// Rounds to the nearest double (ties to even); too large gives infinity, too small zero or
// a subnormal; NaN stays NaN.
double Float80ToDouble(const TFloat80Bytes& bytes);
