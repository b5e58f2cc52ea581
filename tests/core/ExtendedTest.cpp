// The software extended type against the processor's own 80-bit long double, which only x86
// has: every operation on operands drawn from random encodings, random doubles, powers of ten,
// the half-way values of the report rounding, values near 2^63, subnormals, zeros, infinities
// and NaNs, compared bit for bit; then RoundToDecimals, RadToDeg and RectToPolar end to end
// against the long double code they replace. VORNIK_DIFFERENTIAL_COUNT sets the number of
// operand pairs per operation (default 200000); scripts/differential.sh runs ten million.

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <type_traits>

#include "report/NumberText.h"
#include "solver/Complex.h"
#include "solver/Extended.h"

namespace vornik {
namespace {

constexpr std::uint64_t kTop = 1ULL << 63;

long Count() {
    const char* text = std::getenv("VORNIK_DIFFERENTIAL_COUNT");
    return text != nullptr ? std::atol(text) : 200000;
}

std::string Hex(Extended x) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%04x:%016llx", x.SignExponent(),
                  static_cast<unsigned long long>(x.Significand()));
    return buf;
}

#if defined(__SIZEOF_INT128__)
TEST(ExtendedWide, MultiplyAndDivideAgreeWithTheCompilersWideIntegers) {
    std::mt19937_64 rng(11);
    for (long i = 0; i < Count(); ++i) {
        // Random words, and words with long runs of ones or zeros, which stress the carries.
        const auto word = [&]() -> std::uint64_t {
            const std::uint64_t r = rng();
            switch (rng() % 4) {
                case 0:
                    return r;
                case 1:
                    return ~0ULL << (r % 64);
                case 2:
                    return (~0ULL >> (r % 64)) ^ (rng() % 3);
                default:
                    return r | kTop;
            }
        };
        const std::uint64_t a = word();
        const std::uint64_t b = word();
        std::uint64_t hi;
        std::uint64_t lo;
        extended_detail::MultiplyWide(a, b, hi, lo);
        const unsigned __int128 product = static_cast<unsigned __int128>(a) * b;
        ASSERT_EQ(hi, static_cast<std::uint64_t>(product >> 64)) << a << " * " << b;
        ASSERT_EQ(lo, static_cast<std::uint64_t>(product)) << a << " * " << b;

        const std::uint64_t d = b | kTop;
        const std::uint64_t n1 = a % d;
        const std::uint64_t n0 = word();
        std::uint64_t remainder;
        const std::uint64_t q = extended_detail::DivideWide(n1, n0, d, remainder);
        const unsigned __int128 n = (static_cast<unsigned __int128>(n1) << 64) | n0;
        ASSERT_EQ(q, static_cast<std::uint64_t>(n / d)) << n1 << ":" << n0 << " / " << d;
        ASSERT_EQ(remainder, static_cast<std::uint64_t>(n % d)) << n1 << ":" << n0 << " / " << d;
    }
}
#endif

// Exact cases that random operands hardly ever meet, checked on every processor: the ties of
// NearestInteger (to even, the sign of a zero result kept) and the narrowing to double at the
// bottom of the subnormal range (half the smallest subnormal is a tie and goes to zero).
TEST(ExtendedExact, TiesOfNearestIntegerAndOfTheNarrowingToDouble) {
    struct Rounding {
        double x;
        double nearest;
    };
    const Rounding roundings[] = {
        {0.5, 0.0},
        {-0.5, -0.0},
        {1.5, 2.0},
        {2.5, 2.0},
        {-2.5, -2.0},
        {3.5, 4.0},
        {-3.5, -4.0},
        {0.49999999999999994, 0.0},
        {2.5000000000000004, 3.0},
        {-0.0, -0.0},
    };
    for (const Rounding& r : roundings) {
        const double got = static_cast<double>(NearestInteger(Extended(r.x)));
        EXPECT_EQ(got, r.nearest) << r.x;
        EXPECT_EQ(std::signbit(got), std::signbit(r.nearest)) << r.x;
    }

    // value = significand * 2^(exponent - 16383 - 63).
    constexpr std::uint16_t kHalfSmallest = 16383 - 1075;               // 2^-1075
    const double smallest = std::numeric_limits<double>::denorm_min();  // 2^-1074
    struct Narrowing {
        const char* name;
        Extended x;
        double expected;
    };
    const Narrowing narrowings[] = {
        {"2^-1075", Extended::FromBits(kHalfSmallest, kTop), 0.0},
        {"-2^-1075", Extended::FromBits(0x8000 | kHalfSmallest, kTop), -0.0},
        {"2^-1075 and a little", Extended::FromBits(kHalfSmallest, kTop | 1), smallest},
        {"1,5 * 2^-1075", Extended::FromBits(kHalfSmallest, kTop | (kTop >> 1)), smallest},
        {"3 * 2^-1075 (tie, to even)", Extended::FromBits(kHalfSmallest + 1, kTop | (kTop >> 1)),
         2 * smallest},
        {"2^-1076", Extended::FromBits(kHalfSmallest - 1, kTop), 0.0},
    };
    for (const Narrowing& n : narrowings) {
        const double got = static_cast<double>(n.x);
        EXPECT_EQ(got, n.expected) << n.name;
        EXPECT_EQ(std::signbit(got), std::signbit(n.expected)) << n.name;
    }
}

#if (defined(__x86_64__) || defined(__i386__)) && LDBL_MANT_DIG == 64

long double Native(Extended x) {
    long double v = 0;
    unsigned char bytes[sizeof v] = {};
    const std::uint64_t significand = x.Significand();
    const std::uint16_t signExponent = x.SignExponent();
    std::memcpy(bytes, &significand, 8);
    std::memcpy(bytes + 8, &signExponent, 2);
    std::memcpy(&v, bytes, sizeof v);
    return v;
}

Extended Soft(long double v) {
    unsigned char bytes[sizeof v];
    std::memcpy(bytes, &v, sizeof v);
    std::uint64_t significand;
    std::uint16_t signExponent;
    std::memcpy(&significand, bytes, 8);
    std::memcpy(&signExponent, bytes + 8, 2);
    return Extended::FromBits(signExponent, significand);
}

bool SameBits(Extended soft, long double native) {
    const Extended n = Soft(native);
    return soft.SignExponent() == n.SignExponent() && soft.Significand() == n.Significand();
}

double BitsToDouble(std::uint64_t bits) {
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

std::uint64_t DoubleBits(double d) {
    std::uint64_t bits;
    std::memcpy(&bits, &d, sizeof bits);
    return bits;
}

// Operands of the kinds that matter to the core and to the format's corners. Only the encodings
// the arithmetic produces are drawn (normal values with the integer bit, subnormals without it),
// not the pseudo-denormals and unnormals that the x87 unit rejects.
class Operands {
  public:
    explicit Operands(std::uint64_t seed) : rng_(seed) {}

    std::uint64_t Word() { return rng_(); }

    Extended Next() {
        const bool negative = (rng_() & 1) != 0;
        Extended x;
        switch (rng_() % 9) {
            case 0:
                x = RandomEncoding();
                break;
            case 1:
                x = BitsToDouble(rng_());
                break;
            case 2:
                x = ModerateDouble();
                break;
            case 3:
                x = PowerOfTenValue();
                break;
            case 4:
                x = HalfWay();
                break;
            case 5:
                x = NearTwoToThe63();
                break;
            case 6:
                x = Subnormal();
                break;
            case 7:
                x = Special();
                break;
            default:
                x = Integral();
                break;
        }
        return negative ? -x : x;
    }

    // A second operand close to the first (cancellation, ties) or independent.
    Extended Partner(Extended a) {
        switch (rng_() % 4) {
            case 0: {
                const std::uint64_t delta = rng_() % 5;
                const int field = a.SignExponent() & 0x7FFF;
                const int shifted = field + static_cast<int>(rng_() % 3) - 1;
                if (field == 0 || field == 0x7FFF || shifted <= 0 || shifted >= 0x7FFF) {
                    return Next();
                }
                std::uint64_t significand = a.Significand() + delta - 2;
                significand |= kTop;
                const std::uint16_t sign = (rng_() % 2) != 0 ? 0x8000 : 0;
                return Extended::FromBits(static_cast<std::uint16_t>(sign | shifted), significand);
            }
            default:
                return Next();
        }
    }

    double ModerateDouble() {
        const std::uint64_t exponent = 1023 + rng_() % 81 - 40;
        return BitsToDouble((exponent << 52) | (rng_() >> 12));
    }

    Extended RandomEncoding() {
        const auto field = static_cast<std::uint16_t>(rng_() % 0x8000);
        std::uint64_t significand = rng_();
        if (field == 0) {
            significand &= ~kTop;
        } else {
            significand |= kTop;
        }
        return Extended::FromBits(field, significand);
    }

    Extended PowerOfTenValue() {
        const int k = static_cast<int>(rng_() % 61) - 30;
        if (rng_() % 2 != 0) {
            return PowerOfTen(k);  // the double step
        }
        // The extended power itself, exact for 10^0 .. 10^27.
        Extended p = 1.0;
        for (int i = 0; i < (k < 0 ? -k : k); ++i) {
            p = p * 10.0;
        }
        return k < 0 ? Extended(1.0) / p : p;
    }

    // The double nearest to a decimal that is half-way at one of the settings 0..5, the step of
    // that setting, or a binary half-way value k + 1/2.
    Extended HalfWay() {
        const int decimals = static_cast<int>(rng_() % 6);
        const long long n = static_cast<long long>(rng_() % 2000000001ULL) - 1000000000LL;
        switch (rng_() % 3) {
            case 0:
                return HalfWayDecimal(decimals);
            case 1:
                return PowerOfTen(-decimals);
            default:
                return Extended::FromInt64(n) + 0.5;
        }
    }

    // The double nearest to the decimal n,5 * 10^-decimals, half-way between two report values.
    double HalfWayDecimal(int decimals) {
        const long long n = static_cast<long long>(rng_() % 2000000001ULL) - 1000000000LL;
        char text[64];
        std::snprintf(text, sizeof text, "%lld5e-%d", n, decimals + 1);
        return std::strtod(text, nullptr);
    }

    Extended NearTwoToThe63() {
        const std::uint64_t delta = rng_() % 4096;
        switch (rng_() % 4) {
            case 0:
                return Extended::FromBits(0x403E, kTop + delta);  // 2^63 and just above
            case 1:
                return Extended::FromBits(0x403D, ~0ULL - delta);  // just below 2^63
            case 2:
                return Extended::FromBits(0x403D, ~0ULL - delta) + 0.5;
            default:
                return BitsToDouble(0x43E0000000000000ULL - 2048 + delta);  // doubles around 2^63
        }
    }

    Extended Subnormal() {
        switch (rng_() % 4) {
            case 0:
                return BitsToDouble(rng_() >> (12 + rng_() % 52));  // subnormal double
            case 1:
                return Extended::FromBits(0, rng_() >> (1 + rng_() % 63));  // subnormal extended
            case 2:
                return Extended::FromBits(static_cast<std::uint16_t>(1 + rng_() % 70), rng_() | kTop);
            default:
                return BitsToDouble(0x0010000000000000ULL + rng_() % 4096 - 2048);  // near DBL_MIN
        }
    }

    Extended Special() {
        switch (rng_() % 8) {
            case 0:
                return 0.0;
            case 1:
                return std::numeric_limits<double>::infinity();
            case 2:
                return Extended::FromBits(0x7FFF, kTop | (1ULL << 62));  // quiet NaN
            case 3:
                return Extended::FromBits(0x7FFF, kTop | (1ULL << 62) | (rng_() >> 2));  // quiet NaN, payload
            case 4:
                return Extended::FromBits(0x7FFF, kTop | ((rng_() >> 2) | 1));  // signalling NaN
            case 5:
                return Extended::FromBits(0x7FFE, ~0ULL);  // largest finite
            case 6:
                return std::numeric_limits<double>::max();
            default:
                return Extended::FromBits(1, kTop);  // smallest normal
        }
    }

    Extended Integral() {
        const std::int64_t n = static_cast<std::int64_t>(rng_()) >> (rng_() % 64);
        return Extended::FromInt64(n);
    }

  private:
    std::mt19937_64 rng_;
};

TEST(ExtendedDifferential, ArithmeticMatchesTheX87UnitBitForBit) {
    Operands ops(20261207);
    long failures = 0;
    const long count = Count();
    for (long i = 0; i < count && failures < 20; ++i) {
        const Extended a = ops.Next();
        const Extended b = ops.Partner(a);
        const long double na = Native(a);
        const long double nb = Native(b);
        struct Result {
            const char* name;
            Extended soft;
            long double native;
        };
        const Result results[] = {
            {"+", a + b, na + nb},
            {"-", a - b, na - nb},
            {"*", a * b, na * nb},
            {"/", a / b, na / nb},
        };
        for (const auto& r : results) {
            if (!SameBits(r.soft, r.native)) {
                ++failures;
                ADD_FAILURE() << Hex(a) << " " << r.name << " " << Hex(b) << ": " << Hex(r.soft)
                              << " instead of " << Hex(Soft(r.native));
            }
        }
        const bool comparisons[][2] = {
            {a == b, na == nb}, {a != b, na != nb}, {a < b, na < nb},
            {a <= b, na <= nb}, {a > b, na > nb},   {a >= b, na >= nb},
        };
        for (const auto& c : comparisons) {
            if (c[0] != c[1]) {
                ++failures;
                ADD_FAILURE() << "comparison of " << Hex(a) << " and " << Hex(b);
                break;
            }
        }
    }
    EXPECT_EQ(failures, 0);
}

TEST(ExtendedDifferential, ConversionsAndIntegralRoundingMatchTheX87Unit) {
    Operands ops(7);
    long failures = 0;
    const long count = Count();
    // The message is only built for a failure: this loop runs ten million times in the full run.
    const auto check = [&](bool same, const char* what, const auto& operand) {
        if (!same) {
            ++failures;
            if constexpr (std::is_same_v<std::decay_t<decltype(operand)>, Extended>) {
                ADD_FAILURE() << what << " " << Hex(operand);
            } else {
                ADD_FAILURE() << what << " " << operand;
            }
        }
    };
    for (long i = 0; i < count && failures < 20; ++i) {
        const Extended a = ops.Next();
        const long double na = Native(a);
        check(SameBits(Floor(a), std::floor(na)), "floor", a);
        check(SameBits(NearestInteger(a), std::nearbyint(na)), "nearbyint", a);
        check(SameBits(Abs(a), std::fabs(na)), "fabs", a);
        check(DoubleBits(static_cast<double>(a)) == DoubleBits(static_cast<double>(na)), "to double", a);
        check(a.IsNaN() == std::isnan(na) && a.IsFinite() == std::isfinite(na), "class of", a);
        // Conversion to int64 is defined for values whose truncation fits.
        if (na > -9223372036854775809.0L && na < 9223372036854775808.0L) {
            check(a.ToInt64() == static_cast<std::int64_t>(na), "to int64", a);
        }

        const double d = (i % 2) == 0 ? BitsToDouble(ops.Word()) : static_cast<double>(a);
        check(SameBits(Extended(d), static_cast<long double>(d)), "from double", d);
        const auto n = static_cast<std::int64_t>(ops.Word()) >> (ops.Word() % 64);
        check(SameBits(Extended::FromInt64(n), static_cast<long double>(n)), "from int64", n);
    }
    const std::int64_t limits[] = {INT64_MIN, INT64_MIN + 1, INT64_MAX, INT64_MAX - 1, -1, 0, 1};
    for (const std::int64_t n : limits) {
        check(SameBits(Extended::FromInt64(n), static_cast<long double>(n)), "from int64", n);
    }
    EXPECT_EQ(failures, 0);
}

TEST(ExtendedDifferential, ConstantsAreTheExtendedValuesOfTheirDecimals) {
    EXPECT_TRUE(SameBits(kPi, 3.1415926535897932385L));
    EXPECT_TRUE(SameBits(kTwoPi, 6.283185307179586477L));
    EXPECT_TRUE(SameBits(kHalfPi, 1.5707963267948966L));
    EXPECT_TRUE(SameBits(kDegToRad, 0.017453292519943295769L));
    EXPECT_TRUE(SameBits(RadToDeg(1.0), 57.295779513082320877L));
    EXPECT_EQ(DegToRad(1.0), static_cast<double>(0.017453292519943295769L));
}

// The long double code that the software type replaced, kept here as the oracle.
namespace oracle {

double PowerOfTen(int exponent) {
    static constexpr double kSteps[] = {1.0, 0.1, 0.01, 0.001, 1e-4, 1e-5, 1e-6, 1e-7, 1e-8, 1e-9, 1e-10};
    if (exponent <= 0 && exponent >= -10) {
        return kSteps[-exponent];
    }
    return static_cast<double>(std::pow(10.0L, static_cast<long double>(exponent)));
}

double RoundToDecimals(double value, int exponent) {
    const double step = PowerOfTen(exponent);
    const long double q = static_cast<long double>(value) / static_cast<long double>(step) + 0.5L;
    const long double floorQ = std::floor(q);
    constexpr long double kLimit = 9223372036854775808.0L;
    if (!(floorQ >= -kLimit && floorQ < kLimit) || step == 0 || !std::isfinite(step)) {
        return value;
    }
    const auto n = static_cast<std::int64_t>(floorQ);
    return static_cast<double>(static_cast<long double>(n) * static_cast<long double>(step));
}

void RectToPolar(double& re, double& im) {
    constexpr long double kPi = 3.1415926535897932385L;
    constexpr long double kTwoPi = 6.283185307179586477L;
    constexpr long double kHalfPi = 1.5707963267948966L;
    double mod;
    long double arg;
    if (std::fabs(re) < kEpsilon) {
        if (std::fabs(im) < kEpsilon) {
            mod = 0;
            arg = 0;
        } else if (im > 0) {
            mod = im;
            arg = kHalfPi;
        } else {
            mod = -im;
            arg = -kHalfPi;
        }
    } else {
        mod = std::sqrt(re * re + im * im);
        arg = std::atan(im / re);
        if (re < 0) {
            if (im >= 0) {
                arg += kPi;
            } else {
                arg -= kPi;
            }
        }
    }
    while (arg > kPi) {
        arg -= kTwoPi;
    }
    while (arg <= -kPi) {
        arg += kTwoPi;
    }
    re = mod;
    im = static_cast<double>(arg);
}

}  // namespace oracle

TEST(ExtendedDifferential, PowersOfTenMatchTheLongDoublePower) {
    for (int k = -6000; k <= 6000; ++k) {
        ASSERT_EQ(DoubleBits(PowerOfTen(k)), DoubleBits(oracle::PowerOfTen(k))) << "10^" << k;
    }
    const int far[] = {std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), -100000, 100000};
    for (const int k : far) {
        EXPECT_EQ(DoubleBits(PowerOfTen(k)), DoubleBits(oracle::PowerOfTen(k))) << "10^" << k;
    }
}

TEST(ExtendedDifferential, ReportRoundingAndAnglesMatchTheLongDoubleCode) {
    Operands ops(42);
    std::mt19937_64 rng(43);
    long failures = 0;
    const long count = Count();
    for (long i = 0; i < count && failures < 20; ++i) {
        // Report-sized values and half-way values at the settings 0..5, some anything at any exponent.
        const int exponent = (i % 8) == 0 ? static_cast<int>(rng() % 61) - 40 : -static_cast<int>(rng() % 6);
        double value;
        switch (i % 4) {
            case 0:
                value = static_cast<double>(ops.Next());
                break;
            case 1:
                value = ops.HalfWayDecimal(exponent <= 0 && exponent >= -5 ? -exponent : 0);
                break;
            default:
                value = ops.ModerateDouble();
                break;
        }
        const double rounded = RoundToDecimals(value, exponent);
        const double expected = oracle::RoundToDecimals(value, exponent);
        if (DoubleBits(rounded) != DoubleBits(expected)) {
            ++failures;
            ADD_FAILURE() << "RoundToDecimals(" << value << ", " << exponent << ")";
        }

        const double radians = (i % 2) == 0 ? ops.ModerateDouble() : BitsToDouble(rng());
        if (!SameBits(RadToDeg(radians), static_cast<long double>(radians) * 57.295779513082320877L)) {
            ++failures;
            ADD_FAILURE() << "RadToDeg(" << radians << ")";
        }

        // Parts from every quadrant and both axes, of ordinary and extreme sizes.
        const auto part = [&] {
            switch (rng() % 4) {
                case 0:
                    return 0.0;
                case 1:
                    return BitsToDouble(rng());
                default:
                    return (rng() % 2 != 0 ? -1 : 1) * ops.ModerateDouble();
            }
        };
        const double re = part();
        const double im = part();
        double m1 = re, a1 = im, m2 = re, a2 = im;
        RectToPolar(m1, a1);
        oracle::RectToPolar(m2, a2);
        if (DoubleBits(m1) != DoubleBits(m2) || DoubleBits(a1) != DoubleBits(a2)) {
            ++failures;
            ADD_FAILURE() << "RectToPolar(" << re << ", " << im << ")";
        }
    }
    EXPECT_EQ(failures, 0);
}

#endif

}  // namespace
}  // namespace vornik
