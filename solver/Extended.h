#pragma once
// A binary floating-point number in the 80-bit extended format: sign, 15-bit exponent (bias
// 16383) and a 64-bit significand with an explicit integer bit. Each operation rounds its exact
// result once, to nearest with ties to even, into that format, with gradual underflow and
// overflow to infinity: the arithmetic of an x87 unit at 64-bit precision control. It is written
// in plain integer C++ so that every processor and compiler gives the same bits.

#include <concepts>
#include <cstdint>

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

// Wide-integer steps of the arithmetic, exposed for their tests.
namespace extended_detail {
// hi:lo = a * b.
void MultiplyWide(std::uint64_t a, std::uint64_t b, std::uint64_t& hi, std::uint64_t& lo);
// (hi:lo) / d with hi < d and the top bit of d set; returns the quotient, sets the remainder.
std::uint64_t DivideWide(std::uint64_t hi, std::uint64_t lo, std::uint64_t d, std::uint64_t& remainder);
}  // namespace extended_detail

}  // namespace vornik
