// The channels-to-frames conversions: the AVX path gives the SSE2 path's bits and level, and both
// give each frame's samples, for both sample sizes and every count left over after the four- and
// two-frame steps.
#include "processor/ChannelFrames.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <vector>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

// Bit for bit, so that a NaN counts as well.
template <typename Value>
bool same (Value a, Value b)
{
	return std::memcmp (&a, &b, sizeof a) == 0;
}

template <typename Sample>
void checkBothPaths ()
{
	if (!cpuHasAvx ())
		GTEST_SKIP () << "no AVX on this processor";
	uint32_t seed = 7;
	for (int32 pairs = 1; pairs <= 22; ++pairs)
	{
		std::vector<Sample> left (pairs), right (pairs);
		for (int32 i = 0; i < pairs; ++i)
		{
			seed = seed * 1664525u + 1013904223u;
			left[i] = static_cast<Sample> (static_cast<int32_t> (seed) / 3.0e9);
			seed = seed * 1664525u + 1013904223u;
			right[i] = static_cast<Sample> (static_cast<int32_t> (seed) / 3.0e9);
		}
		if (pairs >= 6)
			right[5] = static_cast<Sample> (std::numeric_limits<double>::quiet_NaN ());

		std::vector<double> plain (2 * pairs), wide (2 * pairs);
		ChannelFrames::interleave (left.data (), right.data (), plain.data (), pairs);
		ChannelFrames::interleaveAvx (left.data (), right.data (), wide.data (), pairs);
		ASSERT_EQ (std::memcmp (plain.data (), wide.data (), sizeof (double) * plain.size ()), 0) << pairs;
		for (int32 i = 0; i < pairs; ++i)
		{
			ASSERT_EQ (plain[2 * i], static_cast<double> (left[i]));
			ASSERT_TRUE (same (plain[2 * i + 1], static_cast<double> (right[i]))) << i << " of " << pairs;
		}

		// Output in other frames than the input, so that the level differs from frame to frame.
		for (double& sample : plain)
			sample = sample * 3.0 - 0.25;
		std::vector<Sample> plainL (pairs), plainR (pairs), wideL (pairs), wideR (pairs);
		const __m128d start = _mm_set_pd (0.125, 0.0);
		const __m128d a = ChannelFrames::deinterleave (plain.data (), plainL.data (), plainR.data (), pairs, start);
		const __m128d b = ChannelFrames::deinterleaveAvx (plain.data (), wideL.data (), wideR.data (), pairs, start);
		ASSERT_EQ (std::memcmp (plainL.data (), wideL.data (), sizeof (Sample) * pairs), 0) << pairs;
		ASSERT_EQ (std::memcmp (plainR.data (), wideR.data (), sizeof (Sample) * pairs), 0) << pairs;
		for (int32 i = 0; i < pairs; ++i)
			ASSERT_TRUE (same (plainL[i], static_cast<Sample> (plain[2 * i])) &&
			             same (plainR[i], static_cast<Sample> (plain[2 * i + 1])))
			    << i << " of " << pairs;

		// The two lanes together hold the largest mid value, NaN left out, whatever lane it is in.
		double largest = 0.125;
		for (int32 i = 0; i < pairs; ++i)
		{
			const double mid = (plain[2 * i] + plain[2 * i + 1]) / 2.0;
			largest = mid > largest ? mid : largest;
		}
		double lanesA[2], lanesB[2];
		_mm_storeu_pd (lanesA, a);
		_mm_storeu_pd (lanesB, b);
		EXPECT_EQ (std::max (lanesA[0], lanesA[1]), largest) << pairs;
		EXPECT_EQ (std::max (lanesB[0], lanesB[1]), largest) << pairs;
	}
}

} // namespace

TEST (ChannelFrames, AvxAndSse2AgreeWith32BitSamples) { checkBothPaths<Sample32> (); }
TEST (ChannelFrames, AvxAndSse2AgreeWith64BitSamples) { checkBothPaths<Sample64> (); }
