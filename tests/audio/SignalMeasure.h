#pragma once

// Measuring what the sound tests hear.

#include <cstddef>

namespace umbrascope {

// Frequency of a signal from its zero crossings in [from, to), each placed between its two
// samples by linear interpolation. sampleAt(i) gives sample i as a number.
template <typename SampleAt>
double CrossingFrequency(SampleAt sampleAt, std::size_t from, std::size_t to, double rate) {
    double first = -1, last = -1;
    int crossings = 0;
    for (std::size_t i = from + 1; i < to; ++i) {
        const double a = sampleAt(i - 1), b = sampleAt(i);
        if ((a < 0 && b >= 0) || (a >= 0 && b < 0)) {
            const double at = static_cast<double>(i - 1) + a / (a - b);
            if (first < 0)
                first = at;
            last = at;
            ++crossings;
        }
    }
    return crossings < 2 ? 0 : (crossings - 1) / 2.0 / ((last - first) / rate);
}

} // namespace umbrascope
