#pragma once

// Measuring a tone precisely: its frequency and amplitude by demodulation, and the largest
// other component of its spectrum.

#include <cmath>
#include <complex>
#include <cstddef>
#include <numbers>
#include <vector>

namespace umbrascope {

// The Hann-windowed demodulation of samples [from, from + length) at frequency f (rate rate):
// a tone of that frequency and amplitude a gives a * (sum of the window) / 2 in magnitude.
template <typename SampleAt>
std::complex<double> Demodulate(SampleAt sampleAt, std::size_t from, std::size_t length, double f,
                                double rate, double* windowSum = nullptr) {
    std::complex<double> sum;
    double weights = 0;
    for (std::size_t k = 0; k < length; ++k) {
        const double w = 0.5 - 0.5 * std::cos(2 * std::numbers::pi * (k + 0.5) / length);
        const double phase = 2 * std::numbers::pi * f * static_cast<double>(from + k) / rate;
        sum += w * sampleAt(from + k) * std::polar(1.0, -phase);
        weights += w;
    }
    if (windowSum)
        *windowSum = weights;
    return sum;
}

// Frequency and amplitude of a tone near f over [from, from + length): the phase drift between
// the two halves gives the frequency's distance from f.
struct ToneMeasure {
    double frequency;
    double amplitude;
};

template <typename SampleAt>
ToneMeasure MeasureTone(SampleAt sampleAt, std::size_t from, std::size_t length, double f,
                        double rate) {
    const std::size_t half = length / 2;
    double weights = 0;
    const auto first = Demodulate(sampleAt, from, half, f, rate, &weights);
    const auto second = Demodulate(sampleAt, from + half, half, f, rate);
    const double drift = std::arg(second / first);
    return {f + drift * rate / (2 * std::numbers::pi * static_cast<double>(half)),
            (std::abs(first) + std::abs(second)) / weights};
}

// In-place radix-2 FFT; the size must be a power of two.
inline void Fft(std::vector<std::complex<double>>& x) {
    const std::size_t n = x.size();
    for (std::size_t i = 1, j = 0; i < n; ++i) {
        std::size_t bit = n >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j)
            std::swap(x[i], x[j]);
    }
    for (std::size_t size = 2; size <= n; size <<= 1) {
        const auto step = std::polar(1.0, -2 * std::numbers::pi / static_cast<double>(size));
        for (std::size_t start = 0; start < n; start += size) {
            std::complex<double> w = 1;
            for (std::size_t k = 0; k < size / 2; ++k, w *= step) {
                const auto a = x[start + k], b = x[start + k + size / 2] * w;
                x[start + k] = a + b;
                x[start + k + size / 2] = a - b;
            }
        }
    }
}

// The largest component of [from, from + length) outside the tone's main lobe and outside the
// lowest frequencies, in dB below the tone's peak. A Kaiser window (beta 20) keeps its own
// side lobes near -190 dB.
template <typename SampleAt>
double LargestSpurDb(SampleAt sampleAt, std::size_t from, std::size_t length) {
    std::size_t size = 1;
    while (size < length)
        size <<= 1;
    const auto besselI0 = [](double x) {
        double term = 1, sum = 1;
        for (int k = 1; k < 60; ++k) {
            term *= (x / (2 * k)) * (x / (2 * k));
            sum += term;
        }
        return sum;
    };
    constexpr double Beta = 20;
    std::vector<std::complex<double>> x(size);
    for (std::size_t k = 0; k < length; ++k) {
        const double r = 2.0 * static_cast<double>(k) / static_cast<double>(length - 1) - 1;
        x[k] = sampleAt(from + k) * besselI0(Beta * std::sqrt(1 - r * r)) / besselI0(Beta);
    }
    Fft(x);
    std::size_t peak = 1;
    for (std::size_t i = 1; i < size / 2; ++i)
        if (std::norm(x[i]) > std::norm(x[peak]))
            peak = i;
    constexpr std::size_t Lobe = 40; // bins each side of the tone, and of 0 Hz
    double spur = 0;
    for (std::size_t i = Lobe; i < size / 2; ++i)
        if (i + Lobe < peak || i > peak + Lobe)
            spur = std::max(spur, std::norm(x[i]));
    return 10 * std::log10(spur / std::norm(x[peak]));
}

} // namespace umbrascope
