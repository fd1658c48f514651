// The engine's constant tables: early-reflection and comb-pattern variations, and the diffusers.
// Times in milliseconds, gains as plain factors (a negative gain inverts its line); rate-independent.
#pragma once

#include <array>

namespace Steinberg {
namespace Vst {

constexpr int kNumTaps = 10;
constexpr int kNumCombs = 10;
constexpr int kNumDiffusers = 5;
constexpr int kNumEarlyReflectionVariations = 12;
constexpr int kNumReverbVariations = 6;

// Tap 0 left, tap 0 right, tap 1 left, ... tap 9 right.
using EarlyReflectionTable = std::array<double, 2 * kNumTaps>;
using CombTable = std::array<double, kNumCombs>;
using DiffuserTable = std::array<double, kNumDiffusers>;

// Index 0 holds variation 1.
extern const std::array<EarlyReflectionTable, kNumEarlyReflectionVariations> kEarlyReflectionTimes;
extern const std::array<EarlyReflectionTable, kNumEarlyReflectionVariations> kEarlyReflectionGains;
extern const std::array<CombTable, kNumReverbVariations> kCombTimesLeft;
extern const std::array<CombTable, kNumReverbVariations> kCombTimesRight;

// Variations 1 to 3 use the first set of comb input gains, variations 4 to 6 the second.
extern const std::array<CombTable, 2> kCombGainsLeft;
extern const std::array<CombTable, 2> kCombGainsRight;

extern const DiffuserTable kDiffuserGainsLeft;
extern const DiffuserTable kDiffuserGainsRight;
extern const DiffuserTable kDiffuserTimes;

} // namespace Vst
} // namespace Steinberg
