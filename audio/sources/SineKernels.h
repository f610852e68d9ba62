#pragma once

// Sines for the generators, four frames at a time, in the compiler's vector types (SSE2 pairs
// on a plain x86-64 build). Each kernel states how far it may lie from the C library's sin, so
// that a generator can tell which rounded samples it may trust and which it must compute again
// the slow way.
//
// Thread rule: pure functions.

#include <cstdint>

namespace umbrascope {

using Double4 = double __attribute__((vector_size(32)));
using Int4 = std::int32_t __attribute__((vector_size(16)));
using UInt4 = std::uint32_t __attribute__((vector_size(16)));
using Float8 = float __attribute__((vector_size(32)));
using Int8 = std::int32_t __attribute__((vector_size(32)));
using UInt8 = std::uint32_t __attribute__((vector_size(32)));

// A function compiled twice, for processors with AVX2 and FMA and for any x86-64, the choice
// made when the program loads; everything it calls is compiled into it. (The build keeps
// floating-point contraction off, so FMA never changes what an expression rounds to.)
// GCC only: clang cannot combine the two attributes, and the sanitizer builds need no speed.
#if defined(__x86_64__) && !defined(__clang__) && !defined(__SANITIZE_ADDRESS__) &&                \
    !defined(__SANITIZE_THREAD__)
#define WIDE_VECTORS __attribute__((target_clones("arch=x86-64-v3", "default"), flatten))
#else
#define WIDE_VECTORS __attribute__((flatten))
#endif

inline constexpr double Unit = 0x1p-53; // the relative rounding error of one double operation

// Largest distance between SinReduced(x) and std::sin(x) for |x| <= SinReducedLimit: the
// reduction is exact to about 2^-80 there, each polynomial is good to 2^-54 on [-pi/4, pi/4],
// and evaluating it rounds a few times; 2^-49 leaves room for the C library's own last bit.
inline constexpr double SinReducedError = 0x1p-49;
inline constexpr double SinReducedLimit = 1.0e8;

// Rounds to the nearest integer, halves to even, as std::nearbyint in the default rounding
// mode; |x| must stay below 2^51.
inline Double4 RoundHalfEven(Double4 x) {
    constexpr double Magic = 0x1.8p52;
    return (x + Magic) - Magic;
}

namespace sine_kernels {

// sin and cos on [-pi/4, pi/4] by their Taylor series, cut where the next term is below 2^-54.
inline Double4 SinSmall(Double4 t) {
    const Double4 t2 = t * t;
    Double4 q = Double4{} + 1.0 / 1307674368000.0;
    q = 1.0 / 6227020800.0 - t2 * q;
    q = 1.0 / 39916800.0 - t2 * q;
    q = 1.0 / 362880.0 - t2 * q;
    q = 1.0 / 5040.0 - t2 * q;
    q = 1.0 / 120.0 - t2 * q;
    q = 1.0 / 6.0 - t2 * q;
    return t - t * t2 * q;
}

inline Double4 CosSmall(Double4 t) {
    const Double4 t2 = t * t;
    Double4 q = Double4{} + 1.0 / 20922789888000.0;
    q = 1.0 / 87178291200.0 - t2 * q;
    q = 1.0 / 479001600.0 - t2 * q;
    q = 1.0 / 3628800.0 - t2 * q;
    q = 1.0 / 40320.0 - t2 * q;
    q = 1.0 / 720.0 - t2 * q;
    q = 1.0 / 24.0 - t2 * q;
    q = 0.5 - t2 * q;
    return 1.0 - t2 * q;
}

// The sine of t + quadrant * pi/2 from the sine s and cosine c of t; quadrant holds whole
// numbers.
// Plain arithmetic instead of masks, which SSE2 lacks for 64-bit lanes; every step is exact
// (products with 0 and 1, sums with one term 0).
inline Double4 ByQuadrant(Double4 s, Double4 c, Double4 quadrant) {
    const Double4 turns = RoundHalfEven(quadrant * 0.25 - 0.375); // floor(quadrant / 4)
    const Double4 q = quadrant - 4.0 * turns;                     // 0, 1, 2 or 3
    const Double4 negative = RoundHalfEven(q * 0.5 - 0.25);       // 1 for 2 and 3
    const Double4 odd = q - 2.0 * negative;
    return (s * (1.0 - odd) + c * odd) * (1.0 - 2.0 * negative);
}

} // namespace sine_kernels

// sin(2 pi t) for turns t = turns32 / 2^32, eight at a time in single precision, for the noise:
// exact in its argument, so a phase kept in whole fractions of a turn never loses precision
// however far it has run; good to about 1e-7, a three-hundredth of a 16-bit sample's last bit.
inline Float8 SinOfTurns(UInt8 turns32) {
    // The nearest quarter turn, and the rest as a signed angle of at most an eighth of a turn.
    const UInt8 quadrant = (turns32 + (1u << 29)) >> 30;
    const Int8 rest = __builtin_convertvector(turns32 - (quadrant << 30), Int8);
    constexpr float RadiansPerUnit = 6.283185307179586476925286766559f / 4294967296.0f;
    const Float8 t = __builtin_convertvector(rest, Float8) * RadiansPerUnit;
    const Float8 t2 = t * t;
    const Float8 s =
        t - t * t2 * (1.0f / 6 - t2 * (1.0f / 120 - t2 * (1.0f / 5040 - t2 * (1.0f / 362880))));
    const Float8 c =
        1.0f - t2 * (0.5f - t2 * (1.0f / 24 - t2 * (1.0f / 720 - t2 * (1.0f / 40320))));
    const Int8 odd = __builtin_convertvector(quadrant & 1u, Int8) != 0;
    const Int8 negative = __builtin_convertvector(quadrant & 2u, Int8) != 0;
    const Float8 value = odd ? c : s;
    return negative ? -value : value;
}

// sin(x) for |x| <= SinReducedLimit, within SinReducedError of std::sin. x is reduced by pi/2
// split into three parts (Cody and Waite): the first two have 27 significant bits, so their
// products with the quadrant number (below 2^26) are exact.
inline Double4 SinReduced(Double4 x) {
    constexpr double TwoOverPi = 0x1.45f306dc9c883p-1;
    constexpr double Half1 = 0x1.921fb54p+0;
    constexpr double Half2 = 0x1.10b461p-30;
    constexpr double Half3 = 0x1.a62633145c06ep-58;
    constexpr double Magic = 0x1.8p52; // adding and taking it away rounds to an integer
    const Double4 j = (x * TwoOverPi + Magic) - Magic;
    const Double4 t = ((x - j * Half1) - j * Half2) - j * Half3;
    return sine_kernels::ByQuadrant(sine_kernels::SinSmall(t), sine_kernels::CosSmall(t), j);
}

} // namespace umbrascope
