// The constant tables: the derived comb variations as double products, and the limits that the
// lines rely on.
#include "engine/VariationTables.h"

#include "engine/DampedComb.h"
#include "engine/EarlyReflectionTap.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace Steinberg::Vst;

TEST (VariationTables, DerivedCombVariationsAreDoubleProducts)
{
	EXPECT_EQ (kCombTimesLeft[0][1], 23.550810000000002); // variation 1: 28.02 * 0.8405
	for (int k = 0; k < kNumCombs; ++k)
	{
		EXPECT_EQ (kCombTimesLeft[0][k], kCombTimesLeft[3][k] * 0.8405);
		EXPECT_EQ (kCombTimesRight[0][k], kCombTimesRight[3][k] * 0.8405);
		EXPECT_EQ (kCombTimesLeft[2][k], kCombTimesLeft[3][k] * 1.843);
		EXPECT_EQ (kCombTimesRight[4][k], kCombTimesRight[1][k] * 0.4221);
		EXPECT_EQ (kCombTimesLeft[5][k], kCombTimesLeft[3][k] * 0.5694);
	}
	EXPECT_EQ (kCombTimesLeft[1][7], 53.831);
	EXPECT_EQ (kCombTimesRight[3][0], 24.3);
}

TEST (VariationTables, LongestTimesFitTheLines)
{
	double longestComb = 0.0;
	for (int v = 0; v < kNumReverbVariations; ++v)
		longestComb = std::max ({longestComb, *std::max_element (kCombTimesLeft[v].begin (), kCombTimesLeft[v].end ()),
		                         *std::max_element (kCombTimesRight[v].begin (), kCombTimesRight[v].end ())});
	EXPECT_EQ (longestComb, 92.66604); // variation 3, comb 9, left
	EXPECT_LT (longestComb, DampedComb::kLongestMs);

	double longestReflection = 0.0;
	for (const auto& table : kEarlyReflectionTimes)
		longestReflection = std::max (longestReflection, *std::max_element (table.begin (), table.end ()));
	EXPECT_LT (longestReflection * 1.8, EarlyReflectionTap::kLongestMs); // at the largest room
}
