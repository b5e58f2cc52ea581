#pragma once
// A binary floating-point number in the 80-bit extended format: sign, 15-bit exponent (bias
// 16383) and a 64-bit significand with an explicit integer bit. Each operation rounds its exact
// result once, to nearest with ties to even, into that format, with gradual underflow and
// overflow to infinity: the arithmetic of an x87 unit at 64-bit precision control. It is written
// in plain integer C++ so that every processor and compiler gives the same bits.

#include <bit>
#include <concepts>
#include <cstdint>
#include <cstring>
#include <utility>

namespace vornik {

class Extended {
  public:
    constexpr Extended() = default;  // +0
    // Exact: every double is an extended value.
    Extended(double value);  // implicit: widening and exact
    // A wider integer would be rounded through double; FromInt64 converts exactly.
    template <std::integral T>
    Extended(T) = delete;

    static Extended FromInt64(std::int64_t value);
    // The encoding itself: sign and biased exponent in the top word, then the significand. Only
    // the encodings the arithmetic produces are meant: a normal value has the integer bit set, a
    // subnormal one has a zero exponent field (no pseudo-denormals or unnormals).
    static constexpr Extended FromBits(std::uint16_t signExponent, std::uint64_t significand) {
        Extended x;
        x.signExponent_ = signExponent;
        x.significand_ = significand;
        return x;
    }

    constexpr std::uint16_t SignExponent() const { return signExponent_; }
    constexpr std::uint64_t Significand() const { return significand_; }

    // Rounded once to the nearest double (ties to even), subnormal doubles and infinity included.
    explicit operator double() const;
    // Truncated toward zero. NaN and values outside [-2^63, 2^63) give INT64_MIN, the value the
    // x87 store yields for them.
    std::int64_t ToInt64() const;

    bool IsNaN() const;
    bool IsFinite() const;
    bool SignBit() const { return (signExponent_ & 0x8000) != 0; }

    Extended operator-() const { return FromBits(signExponent_ ^ 0x8000, significand_); }

    friend Extended operator+(Extended a, Extended b);
    friend Extended operator-(Extended a, Extended b);
    friend Extended operator*(Extended a, Extended b);
    friend Extended operator/(Extended a, Extended b);
    Extended& operator+=(Extended b) { return *this = *this + b; }
    Extended& operator-=(Extended b) { return *this = *this - b; }
    Extended& operator*=(Extended b) { return *this = *this * b; }
    Extended& operator/=(Extended b) { return *this = *this / b; }

    // IEEE comparisons: NaN is unordered (every comparison false but !=), -0 equals +0.
    friend bool operator==(Extended a, Extended b);
    friend bool operator<(Extended a, Extended b);
    friend bool operator<=(Extended a, Extended b);
    friend bool operator>(Extended a, Extended b) { return b < a; }
    friend bool operator>=(Extended a, Extended b) { return b <= a; }

  private:
    std::uint16_t signExponent_ = 0;
    std::uint64_t significand_ = 0;
};

// The greatest integer not above x (exact; -0 stays -0, NaN comes back quiet).
Extended Floor(Extended x);
// The nearest integer, ties to even (exact; the sign of a zero result is the sign of x).
Extended NearestInteger(Extended x);
// x with the sign bit cleared.
Extended Abs(Extended x);

// ---------------------------------------------------------------------------------------------
// Implementation details follow. The arithmetic is inline so that a chain of operations (the
// report rounding takes seven) compiles into one piece of code without calls; the members and
// operators above are one-line calls into extended_detail.
// ---------------------------------------------------------------------------------------------

namespace extended_detail {

// The extended format.
inline constexpr int kBias = 16383;
inline constexpr int kMinExponent = 1 - kBias;  // exponent of the smallest normal value
inline constexpr int kMaxExponent = kBias;
inline constexpr std::uint16_t kExponentMask = 0x7FFF;
inline constexpr std::uint16_t kSignMask = 0x8000;
inline constexpr std::uint64_t kIntegerBit = 1ULL << 63;
inline constexpr std::uint64_t kQuietBit = 1ULL << 62;

// The double format (IEEE binary64): sign, 11-bit exponent field, 52 fraction bits.
inline constexpr int kSignificandBits = 52;  // fraction bits; the integer bit is implicit
inline constexpr int kExponentBias = 1023;
inline constexpr int kDoubleMinExponent = 1 - kExponentBias;  // of the smallest normal double
inline constexpr int kDoubleMaxExponent = kExponentBias;
// The smallest subnormal double is 2^kDoubleSubnormalExponent.
inline constexpr int kDoubleSubnormalExponent = kDoubleMinExponent - kSignificandBits;
inline constexpr std::uint64_t kDoubleExponentField = 0x7FF;  // all ones: infinity or NaN
inline constexpr std::uint64_t kDoubleFractionMask = (1ULL << kSignificandBits) - 1;
inline constexpr std::uint64_t kDoubleQuietBit = 1ULL << (kSignificandBits - 1);
inline constexpr std::uint64_t kDoubleInfinityBits = kDoubleExponentField << kSignificandBits;
// A double's fraction lies this many bits higher in the extended significand, just below its
// explicit integer bit.
inline constexpr int kFractionShift = 63 - kSignificandBits;

// Through memcpy: bit_cast is missing from some standard libraries still in use (Emscripten's).
inline std::uint64_t DoubleBits(double d) {
    std::uint64_t bits;
    std::memcpy(&bits, &d, sizeof bits);
    return bits;
}

inline double BitsDouble(std::uint64_t bits) {
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

enum class Kind { Zero, Finite, Infinite, NaN };

// A finite nonzero value is significand * 2^(exponent - 63) with the top bit of the significand
// set, also for the subnormal encodings.
struct Unpacked {
    bool negative;
    Kind kind;
    int exponent;
    std::uint64_t significand;
};

inline Unpacked Unpack(Extended x) {
    Unpacked u{x.SignBit(), Kind::Finite, 0, x.Significand()};
    const int field = x.SignExponent() & kExponentMask;
    if (field == kExponentMask) {
        u.kind = (u.significand << 1) == 0 ? Kind::Infinite : Kind::NaN;
        return u;
    }
    if (u.significand == 0) {
        u.kind = Kind::Zero;
        return u;
    }
    const int shift = std::countl_zero(u.significand);
    u.significand <<= shift;
    u.exponent = (field == 0 ? kMinExponent : field - kBias) - shift;
    return u;
}

inline Extended Encode(bool negative, int field, std::uint64_t significand) {
    return Extended::FromBits(static_cast<std::uint16_t>((negative ? kSignMask : 0) | field), significand);
}

inline Extended Zero(bool negative) {
    return Encode(negative, 0, 0);
}

inline Extended Infinity(bool negative) {
    return Encode(negative, kExponentMask, kIntegerBit);
}

// The result of an invalid operation (0/0, inf - inf, 0 * inf): the negative quiet NaN that
// the x87 unit calls "real indefinite".
inline Extended DefaultNaN() {
    return Encode(true, kExponentMask, kIntegerBit | kQuietBit);
}

inline Extended Quiet(Extended x) {
    return Extended::FromBits(x.SignExponent(), x.Significand() | kQuietBit);
}

// A NaN operand passes through, made quiet. Of two NaNs a quiet one wins over a signalling one,
// otherwise the larger significand wins, and on a tie the positive one.
inline Extended PropagateNaN(Extended a, Extended b) {
    if (a.IsNaN() && b.IsNaN()) {
        const bool aQuiet = (a.Significand() & kQuietBit) != 0;
        const bool bQuiet = (b.Significand() & kQuietBit) != 0;
        if (aQuiet != bQuiet) {
            return Quiet(aQuiet ? a : b);
        }
        if (a.Significand() != b.Significand()) {
            return Quiet(a.Significand() > b.Significand() ? a : b);
        }
        return Quiet(a.SignBit() ? b : a);
    }
    return Quiet(a.IsNaN() ? a : b);
}

// hi:lo >>= n, with every bit shifted out ORed into the lowest bit, so rounding still sees that
// something nonzero was below.
inline void ShiftRightJam(std::uint64_t& hi, std::uint64_t& lo, int n) {
    if (n <= 0) {
        return;
    }
    if (n < 64) {
        const std::uint64_t lost = lo << (64 - n);
        lo = (hi << (64 - n)) | (lo >> n) | (lost != 0 ? 1 : 0);
        hi >>= n;
    } else if (n == 64) {
        lo = hi | (lo != 0 ? 1 : 0);
        hi = 0;
    } else if (n < 128) {
        const bool lost = lo != 0 || (hi << (128 - n)) != 0;
        lo = (hi >> (n - 64)) | (lost ? 1 : 0);
        hi = 0;
    } else {
        lo = (hi | lo) != 0 ? 1 : 0;
        hi = 0;
    }
}

// Rounds (hi:lo) * 2^(exponent - 127) to the format, to nearest with ties to even. The top bit
// of hi is set; lo holds the bits below the significand (sticky in its lowest bit). Results
// below the normal range lose precision gradually; above it they become infinite.
inline Extended RoundPack(bool negative, int exponent, std::uint64_t hi, std::uint64_t lo) {
    if (exponent < kMinExponent) {
        ShiftRightJam(hi, lo, kMinExponent - exponent);
        exponent = kMinExponent;
    }
    const bool roundBit = (lo >> 63) != 0;
    const bool sticky = (lo << 1) != 0;
    if (roundBit && (sticky || (hi & 1) != 0)) {
        ++hi;
        if (hi == 0) {
            hi = kIntegerBit;
            ++exponent;
        }
    }
    if (exponent > kMaxExponent) {
        return Infinity(negative);
    }
    if (hi == 0) {
        return Zero(negative);
    }
    // A subnormal result that rounded up to the integer bit is the smallest normal value.
    const int field = (hi & kIntegerBit) != 0 ? exponent + kBias : 0;
    return Encode(negative, field, hi);
}

inline Extended Exact(bool negative, int exponent, std::uint64_t significand) {
    return RoundPack(negative, exponent, significand, 0);
}

inline bool MagnitudeBelow(const Unpacked& x, const Unpacked& y) {
    return x.exponent < y.exponent || (x.exponent == y.exponent && x.significand < y.significand);
}

inline Extended Add(Extended a, Extended b, bool negateB) {
    Unpacked x = Unpack(a);
    Unpacked y = Unpack(b);
    if (x.kind == Kind::NaN || y.kind == Kind::NaN) {
        return PropagateNaN(a, b);
    }
    y.negative = y.negative != negateB;
    if (x.kind == Kind::Infinite) {
        if (y.kind == Kind::Infinite && x.negative != y.negative) {
            return DefaultNaN();
        }
        return Infinity(x.negative);
    }
    if (y.kind == Kind::Infinite) {
        return Infinity(y.negative);
    }
    if (x.kind == Kind::Zero && y.kind == Kind::Zero) {
        return Zero(x.negative && y.negative);
    }
    if (x.kind == Kind::Zero) {
        return Exact(y.negative, y.exponent, y.significand);
    }
    if (y.kind == Kind::Zero) {
        return Exact(x.negative, x.exponent, x.significand);
    }
    if (MagnitudeBelow(x, y)) {
        std::swap(x, y);
    }
    std::uint64_t hi = x.significand;
    std::uint64_t lo = 0;
    std::uint64_t yHi = y.significand;
    std::uint64_t yLo = 0;
    ShiftRightJam(yHi, yLo, x.exponent - y.exponent);
    int exponent = x.exponent;
    if (x.negative == y.negative) {
        lo += yLo;
        const std::uint64_t carryIn = lo < yLo ? 1 : 0;
        const std::uint64_t partial = hi + yHi;
        const std::uint64_t sum = partial + carryIn;
        const bool carryOut = partial < hi || sum < partial;
        hi = sum;
        if (carryOut) {
            lo = (lo >> 1) | (hi << 63) | (lo & 1);
            hi = (hi >> 1) | kIntegerBit;
            ++exponent;
        }
    } else {
        const std::uint64_t borrow = lo < yLo ? 1 : 0;
        lo -= yLo;
        hi = hi - yHi - borrow;
        if (hi == 0 && lo == 0) {
            return Zero(false);
        }
        const int shift = hi != 0 ? std::countl_zero(hi) : 64 + std::countl_zero(lo);
        if (shift >= 64) {
            hi = lo << (shift - 64);
            lo = 0;
        } else if (shift > 0) {
            hi = (hi << shift) | (lo >> (64 - shift));
            lo <<= shift;
        }
        exponent -= shift;
    }
    return RoundPack(x.negative, exponent, hi, lo);
}

inline void MultiplyWide(std::uint64_t a, std::uint64_t b, std::uint64_t& hi, std::uint64_t& lo) {
    constexpr std::uint64_t kLow = 0xFFFFFFFFULL;
    const std::uint64_t a0 = a & kLow;
    const std::uint64_t a1 = a >> 32;
    const std::uint64_t b0 = b & kLow;
    const std::uint64_t b1 = b >> 32;
    const std::uint64_t p00 = a0 * b0;
    const std::uint64_t p01 = a0 * b1;
    const std::uint64_t p10 = a1 * b0;
    const std::uint64_t p11 = a1 * b1;
    const std::uint64_t middle = (p00 >> 32) + (p01 & kLow) + (p10 & kLow);
    lo = (middle << 32) | (p00 & kLow);
    hi = p11 + (p01 >> 32) + (p10 >> 32) + (middle >> 32);
}

// Schoolbook division in 32-bit digits, each quotient digit estimated from the divisor's top
// digit and corrected at most twice.
inline std::uint64_t DivideWide(std::uint64_t hi, std::uint64_t lo, std::uint64_t d,
                                std::uint64_t& remainder) {
    constexpr std::uint64_t kBase = 1ULL << 32;
    const std::uint64_t d1 = d >> 32;
    const std::uint64_t d0 = d & (kBase - 1);
    const std::uint64_t lo1 = lo >> 32;
    const std::uint64_t lo0 = lo & (kBase - 1);

    std::uint64_t q1 = hi / d1;
    std::uint64_t rest = hi - q1 * d1;
    while (q1 >= kBase || q1 * d0 > ((rest << 32) | lo1)) {
        --q1;
        rest += d1;
        if (rest >= kBase) {
            break;
        }
    }
    const std::uint64_t middle = (hi << 32) + lo1 - q1 * d;  // below d: exact modulo 2^64

    std::uint64_t q0 = middle / d1;
    rest = middle - q0 * d1;
    while (q0 >= kBase || q0 * d0 > ((rest << 32) | lo0)) {
        --q0;
        rest += d1;
        if (rest >= kBase) {
            break;
        }
    }
    remainder = (middle << 32) + lo0 - q0 * d;
    return (q1 << 32) | q0;
}

// Sign of a - b for values that are not NaN.
inline int CompareOrdered(Extended a, Extended b) {
    // In the encodings the arithmetic produces, the magnitudes order like (exponent field,
    // significand): subnormals below normals, infinity above every finite value.
    const auto fieldA = static_cast<std::uint16_t>(a.SignExponent() & kExponentMask);
    const auto fieldB = static_cast<std::uint16_t>(b.SignExponent() & kExponentMask);
    const bool zeroA = fieldA == 0 && a.Significand() == 0;
    const bool zeroB = fieldB == 0 && b.Significand() == 0;
    if (zeroA && zeroB) {
        return 0;
    }
    if (a.SignBit() != b.SignBit()) {
        return a.SignBit() ? -1 : 1;
    }
    int magnitude = 0;
    if (fieldA != fieldB) {
        magnitude = fieldA < fieldB ? -1 : 1;
    } else if (a.Significand() != b.Significand()) {
        magnitude = a.Significand() < b.Significand() ? -1 : 1;
    }
    return a.SignBit() ? -magnitude : magnitude;
}

enum class Rounding { Down, NearestEven };

inline Extended RoundToIntegral(Extended x, Rounding mode) {
    const Unpacked u = Unpack(x);
    if (u.kind == Kind::NaN) {
        return Quiet(x);
    }
    if (u.kind != Kind::Finite || u.exponent >= 63) {
        return x;  // zeros, infinities and values without fraction bits
    }
    if (u.exponent < 0) {
        // |x| < 1
        bool one;
        if (mode == Rounding::Down) {
            one = u.negative;
        } else {
            one = u.exponent == -1 && u.significand > kIntegerBit;  // above one half
        }
        return one ? Exact(u.negative, 0, kIntegerBit) : Zero(u.negative);
    }
    const std::uint64_t unit = 1ULL << (63 - u.exponent);
    const std::uint64_t fraction = u.significand & (unit - 1);
    std::uint64_t whole = u.significand - fraction;
    if (fraction == 0) {
        return x;
    }
    bool up;
    if (mode == Rounding::Down) {
        up = u.negative;
    } else {
        const std::uint64_t half = unit >> 1;
        up = fraction > half || (fraction == half && (whole & unit) != 0);
    }
    int exponent = u.exponent;
    if (up) {
        whole += unit;
        if (whole == 0) {
            whole = kIntegerBit;
            ++exponent;
        }
    }
    return Exact(u.negative, exponent, whole);
}

inline Extended FromDouble(double value) {
    const auto bits = DoubleBits(value);
    const bool negative = (bits >> 63) != 0;
    const int field = static_cast<int>((bits >> kSignificandBits) & kDoubleExponentField);
    const std::uint64_t fraction = bits & kDoubleFractionMask;
    if (field == static_cast<int>(kDoubleExponentField)) {
        // A NaN keeps its payload and becomes quiet, as the x87 load does.
        return fraction == 0
                   ? Infinity(negative)
                   : Encode(negative, kExponentMask, kIntegerBit | kQuietBit | (fraction << kFractionShift));
    } else if (field == 0) {
        return fraction == 0 ? Zero(negative)
                             : Exact(negative, kDoubleSubnormalExponent + 63 - std::countl_zero(fraction),
                                     fraction << std::countl_zero(fraction));
    } else {
        return Encode(negative, field - kExponentBias + kBias, kIntegerBit | (fraction << kFractionShift));
    }
}

inline double ToDouble(Extended x) {
    const Unpacked u = Unpack(x);
    const std::uint64_t sign = u.negative ? 1ULL << 63 : 0;
    std::uint64_t bits = 0;
    switch (u.kind) {
        case Kind::Zero:
            break;
        case Kind::Infinite:
            bits = kDoubleInfinityBits;
            break;
        case Kind::NaN:
            bits = kDoubleInfinityBits | kDoubleQuietBit | ((u.significand & ~kIntegerBit) >> kFractionShift);
            break;
        case Kind::Finite: {
            if (u.exponent > kDoubleMaxExponent) {
                bits = kDoubleInfinityBits;
                break;
            }
            // Bits of the significand that do not fit: kFractionShift for a normal double, more below.
            const bool normal = u.exponent >= kDoubleMinExponent;
            const int drop = normal ? kFractionShift : kFractionShift + (kDoubleMinExponent - u.exponent);
            std::uint64_t kept;
            if (drop >= 64) {
                // At most half the smallest subnormal: ties go to the even zero.
                kept = drop == 64 && u.significand > kIntegerBit ? 1 : 0;
            } else {
                kept = u.significand >> drop;
                const std::uint64_t rest = u.significand & ((1ULL << drop) - 1);
                const std::uint64_t half = 1ULL << (drop - 1);
                if (rest > half || (rest == half && (kept & 1) != 0)) {
                    ++kept;
                }
            }
            // kept carries the integer bit of a normal value into the exponent field, and a
            // carry out of the fraction moves the exponent up by itself.
            const std::uint64_t biased =
                normal ? static_cast<std::uint64_t>(u.exponent + kExponentBias - 1) : 0;
            bits = (biased << kSignificandBits) + kept;
            if (bits >= kDoubleInfinityBits) {
                bits = kDoubleInfinityBits;
            }
            break;
        }
    }
    return BitsDouble(sign | bits);
}

inline Extended FromInt64(std::int64_t value) {
    if (value == 0) {
        return Zero(false);
    }
    const bool negative = value < 0;
    const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(value) : value;
    const int shift = std::countl_zero(magnitude);
    return Exact(negative, 63 - shift, magnitude << shift);
}

inline std::int64_t ToInt64(Extended x) {
    const Unpacked u = Unpack(x);
    constexpr std::int64_t kIndefinite = INT64_MIN;
    if (u.kind == Kind::Zero) {
        return 0;
    }
    if (u.kind != Kind::Finite || u.exponent >= 63) {
        return kIndefinite;  // -2^63 itself is the same value
    }
    if (u.exponent < 0) {
        return 0;
    }
    const auto magnitude = static_cast<std::int64_t>(u.significand >> (63 - u.exponent));
    return u.negative ? -magnitude : magnitude;
}

inline Extended Mul(Extended a, Extended b) {
    const Unpacked x = Unpack(a);
    const Unpacked y = Unpack(b);
    if (x.kind == Kind::NaN || y.kind == Kind::NaN) {
        return PropagateNaN(a, b);
    }
    const bool negative = x.negative != y.negative;
    if (x.kind == Kind::Infinite || y.kind == Kind::Infinite) {
        if (x.kind == Kind::Zero || y.kind == Kind::Zero) {
            return DefaultNaN();
        }
        return Infinity(negative);
    }
    if (x.kind == Kind::Zero || y.kind == Kind::Zero) {
        return Zero(negative);
    }
    std::uint64_t hi;
    std::uint64_t lo;
    MultiplyWide(x.significand, y.significand, hi, lo);
    int exponent = x.exponent + y.exponent;
    if ((hi & kIntegerBit) != 0) {
        ++exponent;
    } else {
        hi = (hi << 1) | (lo >> 63);
        lo <<= 1;
    }
    return RoundPack(negative, exponent, hi, lo);
}

inline Extended Div(Extended a, Extended b) {
    const Unpacked x = Unpack(a);
    const Unpacked y = Unpack(b);
    if (x.kind == Kind::NaN || y.kind == Kind::NaN) {
        return PropagateNaN(a, b);
    }
    const bool negative = x.negative != y.negative;
    if (x.kind == Kind::Infinite) {
        return y.kind == Kind::Infinite ? DefaultNaN() : Infinity(negative);
    }
    if (y.kind == Kind::Infinite) {
        return Zero(negative);
    }
    if (y.kind == Kind::Zero) {
        return x.kind == Kind::Zero ? DefaultNaN() : Infinity(negative);
    }
    if (x.kind == Kind::Zero) {
        return Zero(negative);
    }
    // 65 quotient bits (the last one is the rounding bit) and a sticky bit from the remainder.
    std::uint64_t remainder;
    std::uint64_t hi;
    std::uint64_t lo;
    int exponent = x.exponent - y.exponent;
    if (x.significand >= y.significand) {
        // The quotient is 2^64 + q: its top 64 bits and then the lowest bit of q.
        const std::uint64_t q = DivideWide(x.significand - y.significand, 0, y.significand, remainder);
        hi = kIntegerBit | (q >> 1);
        lo = ((q & 1) << 63) | (remainder != 0 ? 1 : 0);
    } else {
        hi = DivideWide(x.significand, 0, y.significand, remainder);
        // One more quotient bit: is twice the remainder at least the divisor?
        const bool nextBit = remainder >= y.significand - remainder;
        const bool rest = nextBit ? remainder != y.significand - remainder : remainder != 0;
        lo = (nextBit ? kIntegerBit : 0) | (rest ? 1 : 0);
        --exponent;
    }
    return RoundPack(negative, exponent, hi, lo);
}

}  // namespace extended_detail

inline Extended::Extended(double value) : Extended(extended_detail::FromDouble(value)) {}

inline Extended Extended::FromInt64(std::int64_t value) {
    return extended_detail::FromInt64(value);
}

inline Extended::operator double() const {
    return extended_detail::ToDouble(*this);
}

inline std::int64_t Extended::ToInt64() const {
    return extended_detail::ToInt64(*this);
}

inline bool Extended::IsNaN() const {
    return (signExponent_ & extended_detail::kExponentMask) == extended_detail::kExponentMask &&
           (significand_ << 1) != 0;
}

inline bool Extended::IsFinite() const {
    return (signExponent_ & extended_detail::kExponentMask) != extended_detail::kExponentMask;
}

inline Extended operator+(Extended a, Extended b) {
    return extended_detail::Add(a, b, false);
}

inline Extended operator-(Extended a, Extended b) {
    return extended_detail::Add(a, b, true);
}

inline Extended operator*(Extended a, Extended b) {
    return extended_detail::Mul(a, b);
}

inline Extended operator/(Extended a, Extended b) {
    return extended_detail::Div(a, b);
}

inline bool operator==(Extended a, Extended b) {
    return !a.IsNaN() && !b.IsNaN() && extended_detail::CompareOrdered(a, b) == 0;
}

inline bool operator<(Extended a, Extended b) {
    return !a.IsNaN() && !b.IsNaN() && extended_detail::CompareOrdered(a, b) < 0;
}

inline bool operator<=(Extended a, Extended b) {
    return !a.IsNaN() && !b.IsNaN() && extended_detail::CompareOrdered(a, b) <= 0;
}

inline Extended Floor(Extended x) {
    return extended_detail::RoundToIntegral(x, extended_detail::Rounding::Down);
}

inline Extended NearestInteger(Extended x) {
    return extended_detail::RoundToIntegral(x, extended_detail::Rounding::NearestEven);
}

inline Extended Abs(Extended x) {
    return Extended::FromBits(x.SignExponent() & extended_detail::kExponentMask, x.Significand());
}

}  // namespace vornik
