#pragma once

// Rounding for pixel and millisecond values of the main window: to the nearest integer with
// halves to even, 0 for a value that is not finite, cut into the 32-bit range.

#include "model/Arithmetic.h"

inline int RoundToInt(long double x) {
    return ClampToInt32(RoundHalfEven(x).value_or(0));
}
