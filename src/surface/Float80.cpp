#include "surface/Float80.h"

#include <bit>
#include <cstring>

namespace {

constexpr int kExtBias = 16383;
constexpr int kDoubleBias = 1023;

std::uint64_t doubleBits(double v) {
    return std::bit_cast<std::uint64_t>(v);
}
double fromBits(std::uint64_t b) {
    return std::bit_cast<double>(b);
}

// Shifts right by n (0..127) rounding to nearest, ties to even.
std::uint64_t shiftRound(std::uint64_t m, int n) {
    if (n == 0)
        return m;
    if (n > 64)
        return 0;
    const std::uint64_t kept = n == 64 ? 0 : m >> n;
    const std::uint64_t rest = n == 64 ? m : m & ((std::uint64_t(1) << n) - 1);
    const std::uint64_t half = std::uint64_t(1) << (n - 1);
    if (rest > half || (rest == half && (kept & 1)))
        return kept + 1;
    return kept;
}

} // namespace

TFloat80Bytes DoubleToFloat80(double value) {
    const std::uint64_t bits = doubleBits(value);
    const std::uint16_t sign = (bits >> 63) ? 0x8000 : 0;
    const int exp = int((bits >> 52) & 0x7FF);
    std::uint64_t frac = bits & ((std::uint64_t(1) << 52) - 1);
    std::uint64_t mant = 0;
    int e = 0;
    if (exp == 0x7FF) {
        e = 0x7FFF;
        mant = (std::uint64_t(1) << 63) | (frac << 11);
    } else if (exp == 0 && frac == 0) {
        e = 0;
    } else if (exp == 0) {
        // Subnormal double: normalise, the extended range holds it as a normal number.
        const int shift = std::countl_zero(frac);
        mant = frac << shift;
        e = 1 - kDoubleBias + kExtBias + 11 - shift;
    } else {
        mant = (std::uint64_t(1) << 63) | (frac << 11);
        e = exp - kDoubleBias + kExtBias;
    }
    TFloat80Bytes out{};
    for (int i = 0; i < 8; ++i)
        out[i] = std::uint8_t(mant >> (8 * i));
    const std::uint16_t se = std::uint16_t(sign | e);
    out[8] = std::uint8_t(se & 0xFF);
    out[9] = std::uint8_t(se >> 8);
    return out;
}

double Float80ToDouble(const TFloat80Bytes& b) {
    std::uint64_t mant = 0;
    for (int i = 7; i >= 0; --i)
        mant = (mant << 8) | b[i];
    const int se = b[8] | (b[9] << 8);
    const std::uint64_t sign = std::uint64_t(se >> 15) << 63;
    const int exp = se & 0x7FFF;
    if (exp == 0x7FFF) {
        const std::uint64_t frac = mant & ~(std::uint64_t(1) << 63);
        if (frac == 0)
            return fromBits(sign | (std::uint64_t(0x7FF) << 52));
        return fromBits(sign | (std::uint64_t(0x7FF) << 52) | (std::uint64_t(1) << 51) |
                        (frac >> 11));
    }
    if (mant == 0)
        return fromBits(sign);
    // Value = mant * 2^(exp - bias - 63), also for unnormal and pseudo-denormal encodings.
    const int lead = std::countl_zero(mant);
    mant <<= lead;
    int e = (exp == 0 ? 1 : exp) - kExtBias - lead; // value = 1.f * 2^e
    if (e > kDoubleBias)
        return fromBits(sign | (std::uint64_t(0x7FF) << 52));
    if (e >= 1 - kDoubleBias) {
        std::uint64_t m = shiftRound(mant, 11); // 53 bits, may carry to 54
        if (m >> 53) {
            m >>= 1;
            ++e;
            if (e > kDoubleBias)
                return fromBits(sign | (std::uint64_t(0x7FF) << 52));
        }
        const std::uint64_t biased = std::uint64_t(e + kDoubleBias);
        return fromBits(sign | (biased << 52) | (m & ((std::uint64_t(1) << 52) - 1)));
    }
    // Subnormal result; a carry into bit 52 becomes the smallest normal, which the bit
    // layout expresses by itself.
    const int shift = 11 + (1 - kDoubleBias - e);
    const std::uint64_t m = shiftRound(mant, shift);
    return fromBits(sign | m);
}
