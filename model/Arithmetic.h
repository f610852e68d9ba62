#pragma once

// The rounding rules every computation of the program shares: Round goes to the nearest
// integer with halves to the even neighbour, Trunc and integer division cut towards zero,
// MulDiv rounds a * b / c to the nearest integer.

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

namespace umbrascope {

// Nearest integer, halves to even. Empty when x is not finite or lies outside int64.
inline std::optional<std::int64_t> RoundHalfEven(long double x) {
    if (!std::isfinite(x) || x >= 9.2e18L || x <= -9.2e18L)
        return std::nullopt;
    const long double floorValue = std::floor(x);
    const long double diff = x - floorValue;
    auto result = static_cast<std::int64_t>(floorValue);
    if (diff > 0.5L || (diff == 0.5L && (result % 2 != 0)))
        ++result;
    return result;
}

// Cuts a 64-bit value into the signed 32-bit range.
inline std::int32_t ClampToInt32(std::int64_t value) {
    if (value > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    if (value < std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

// Round for pixel and millisecond values: 0 for a value that is not finite, cut into the
// 32-bit range.
inline int RoundToInt(long double x) {
    return ClampToInt32(RoundHalfEven(x).value_or(0));
}

// a * b / c rounded to the nearest integer, halves away from zero; -1 when c is 0.
inline std::int32_t MulDiv(std::int32_t a, std::int32_t b, std::int32_t c) {
    if (c == 0)
        return -1;
    const std::int64_t product = static_cast<std::int64_t>(a) * b;
    std::int64_t quotient = product / c;
    const std::int64_t remainder = product % c;
    const bool negative = (product < 0) != (c < 0);
    if (2 * (remainder < 0 ? -remainder : remainder) >= (c < 0 ? -std::int64_t{c} : c))
        quotient += negative ? -1 : 1;
    return ClampToInt32(quotient);
}

} // namespace umbrascope
