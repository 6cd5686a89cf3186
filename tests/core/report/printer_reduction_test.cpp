// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/report/printer_reduction.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

namespace krnz::report {
namespace {

// Deviation of sample k from the straight chord between samples s and e.
double deviation(const std::vector<float>& x, std::int32_t s, std::int32_t e, std::int32_t k) {
    const double chord = x[s] + (static_cast<double>(x[e]) - x[s]) * (k - s) / (e - s);
    return std::fabs(x[k] - chord);
}

bool qualifies(const std::vector<float>& x, std::int32_t s, std::int32_t e, double tolerance) {
    if (e - s + 1 > kMaxChordSamples) return false;
    for (std::int32_t k = s + 1; k < e; ++k)
        if (!(deviation(x, s, e, k) < tolerance)) return false;
    return true;
}

std::vector<float> signal(int kind, std::size_t n) {
    std::mt19937 rng(1234 + kind);
    std::normal_distribution<double> noise(0.0, 1.0);
    std::vector<float> x(n);
    for (std::size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i);
        switch (kind) {
            case 0:
                x[i] = static_cast<float>(6 * std::sin(2 * std::numbers::pi * t / 97));
                break;
            case 1:
                x[i] = static_cast<float>(noise(rng));
                break;
            case 2:
                x[i] = static_cast<float>(4 * std::exp(-t / 800) * std::sin(t / 7) +
                                          0.05 * noise(rng));
                break;
            default:
                x[i] = i % 200 < 100 ? 5.0f : -5.0f;
                break;  // steps
        }
    }
    return x;
}

struct ReductionCase {
    int signal;
    int listIndex;
};

class Reduction : public ::testing::TestWithParam<ReductionCase> {};

// Every chord stays within tolerance of the samples it covers, covers at most 30 of them, and
// could not have been pushed one sample further.
TEST_P(Reduction, ChordsKeepTheToleranceAndAreAsLongAsAllowed) {
    const double fullScale = 8.0;
    const double tolerance = 2 * reductionFactor(GetParam().listIndex) * fullScale;
    const std::vector<float> x = signal(GetParam().signal, 5000);
    const std::vector<std::int32_t> idx = reducedTraceIndices(x, tolerance);
    ASSERT_GE(idx.size(), 2u);
    EXPECT_EQ(idx.front(), 0);
    EXPECT_EQ(idx.back(), 4999);
    for (std::size_t c = 1; c < idx.size(); ++c) {
        const std::int32_t s = idx[c - 1];
        const std::int32_t e = idx[c];
        ASSERT_GT(e, s);
        ASSERT_LE(e - s + 1, kMaxChordSamples);
        for (std::int32_t k = s + 1; k < e; ++k)
            ASSERT_LE(deviation(x, s, e, k), tolerance * (1 + 1e-9)) << s << ".." << e;
        if (e < 4999) {
            EXPECT_FALSE(qualifies(x, s, e + 1, tolerance * (1 - 1e-9))) << s << ".." << e;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Signals, Reduction,
                         ::testing::Values(ReductionCase{0, 1}, ReductionCase{0, 3},
                                           ReductionCase{1, 1}, ReductionCase{1, 2},
                                           ReductionCase{2, 2}, ReductionCase{3, 1},
                                           ReductionCase{2, 7}),
                         [](const auto& info) {
                             return "signal" + std::to_string(info.param.signal) + "_choice" +
                                    std::to_string(info.param.listIndex);
                         });

TEST(Reduction, FactorsOfTheList) {
    EXPECT_EQ(reductionFactor(0), 0.0);
    EXPECT_EQ(reductionFactor(1), 0.01);
    EXPECT_EQ(reductionFactor(2), 0.02);
    EXPECT_EQ(reductionFactor(3), 0.05);
    EXPECT_EQ(reductionFactor(-1), 0.05);
}

TEST(Reduction, FullResolutionJoinsEverySample) {
    const std::vector<float> x = signal(1, 100);
    const std::vector<std::int32_t> idx = reducedTraceIndices(x, 0.0);
    ASSERT_EQ(idx.size(), 100u);
    for (std::int32_t i = 0; i < 100; ++i) EXPECT_EQ(idx[static_cast<std::size_t>(i)], i);
}

TEST(Reduction, AStraightLineTakesChordsOfThirtySamplesAndJoinsTheLast) {
    std::vector<float> x(100);
    for (std::size_t i = 0; i < x.size(); ++i) x[i] = static_cast<float>(i) * 0.25f;
    EXPECT_EQ(reducedTraceIndices(x, 0.1), (std::vector<std::int32_t>{0, 29, 58, 87, 99}));
}

TEST(Reduction, ShortRecords) {
    EXPECT_TRUE(reducedTraceIndices({}, 0.1).empty());
    const std::vector<float> one{3.0f};
    EXPECT_EQ(reducedTraceIndices(one, 0.1), (std::vector<std::int32_t>{0}));
    const std::vector<float> two{3.0f, -3.0f};
    EXPECT_EQ(reducedTraceIndices(two, 0.1), (std::vector<std::int32_t>{0, 1}));
}

}  // namespace
}  // namespace krnz::report
