// The logarithmic frequency scale: ends, midpoints, no clamping, and the round trip.
#include "processor/LogMapping.h"

#include <gtest/gtest.h>

using namespace Steinberg::Vst;

namespace {
constexpr FrequencyRange kRanges[] = {kDampRange, kLowShelfRange, kPeakRange, kHighShelfRange};
}

TEST (LogMapping, EndsAndGeometricMean)
{
	EXPECT_NEAR (logNormalizedToPlain (20, 1000, 0.5), 141.4213562373095, 1e-12);
	EXPECT_NEAR (logNormalizedToPlain (4000, 22020, 0.0), 4000.0, 1e-9);
	EXPECT_NEAR (logNormalizedToPlain (4000, 22020, 1.0), 22020.0, 1e-9);
	EXPECT_DOUBLE_EQ (logPlainToNormalized (20, 1000, 20), 0.0);
	EXPECT_DOUBLE_EQ (logPlainToNormalized (20, 1000, 1000), 1.0);
}

TEST (LogMapping, NothingIsClampedAndZeroBoundsGiveZero)
{
	EXPECT_NEAR (logPlainToNormalized (20, 1000, 2000), 1.1772, 1e-4);
	EXPECT_NEAR (logPlainToNormalized (20, 1000, 10), -0.1772, 1e-4);
	EXPECT_EQ (logPlainToNormalized (0, 1000, 500), 0.0);
	EXPECT_EQ (logNormalizedToPlain (20, 0, 0.3), 0.0);
}

TEST (LogMapping, RoundTripOnEveryRange)
{
	for (const auto& range : kRanges)
		for (double n = 0.0; n <= 1.0; n += 0.125)
			EXPECT_NEAR (logPlainToNormalized (range.min, range.max,
			                                   logNormalizedToPlain (range.min, range.max, n)),
			             n, 1e-12);
}
