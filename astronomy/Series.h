// Trigonometric series held as tables of terms, summed in table order.
#pragma once

#include <array>
#include <cmath>
#include <cstddef>

namespace astronomy {

// The start of a sum: -0 + x is exactly x for every x, so a sum begun here
// equals its first term, as when the series is written out.
inline constexpr double kEmptySum = -0.0;

// One term, coefficient * f(k[0] x[0] + k[1] x[1] + ...), where the x are the
// series' arguments in a fixed order.
template <std::size_t N>
struct SeriesTerm {
    double coefficient;
    std::array<int, N> k;
};

// k[0] x[0] + k[1] x[1] + ..., added left to right over the non-zero
// multipliers. That is the written argument to the last bit: 2 D - M' - M is
// (2 D - M') - M, and x - y, (-2) x and 1 x equal x + (-y), -(2 x) and x
// exactly. A zero multiplier adds nothing (not even a 0 x).
template <std::size_t N>
double SeriesArgument(const std::array<int, N>& k, const std::array<double, N>& x) {
    double sum = kEmptySum;
    for (std::size_t n = 0; n < N; ++n)
        if (k[n] != 0) sum += k[n] * x[n];
    return sum;
}

// sum + c sin(argument), term after term in the table's order: a + b - c + d
// is ((a + b) - c) + d. A group the theory adds as a whole is first summed
// from kEmptySum.
template <std::size_t N, std::size_t M>
double AddSineTerms(double sum, const SeriesTerm<N> (&terms)[M], const std::array<double, N>& x) {
    for (const SeriesTerm<N>& t : terms) sum += t.coefficient * std::sin(SeriesArgument(t.k, x));
    return sum;
}

template <std::size_t N, std::size_t M>
double AddCosineTerms(double sum, const SeriesTerm<N> (&terms)[M], const std::array<double, N>& x) {
    for (const SeriesTerm<N>& t : terms) sum += t.coefficient * std::cos(SeriesArgument(t.k, x));
    return sum;
}

}  // namespace astronomy
