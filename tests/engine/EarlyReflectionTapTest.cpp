// An early-reflection tap: gain before the delay, separate lengths per channel, clamps.
#include "engine/EarlyReflectionTap.h"

#include "EngineTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

using namespace Steinberg::Vst;
using namespace EngineTestSupport;

namespace {

Frame run (EarlyReflectionTap& tap, FrameClock& clock, double value)
{
	return toFrame (tap.step (toPair (value, value), clock++));
}

} // namespace

TEST (EarlyReflectionTap, ConstructorAndLengths)
{
	auto tap = std::make_unique<EarlyReflectionTap> ();
	EXPECT_EQ (tap->getLengthL (), 1764); // 40 ms
	EXPECT_EQ (tap->getLengthR (), 2205); // 50 ms
	EXPECT_EQ (tap->getGainL (), 1.0);
	tap->setTimes (0.01, 250.0);
	EXPECT_EQ (tap->getLengthL (), 2);
	EXPECT_EQ (tap->getTimeMsR (), 200.0);
	EXPECT_EQ (tap->getLengthR (), 8820);
	tap->setTimes (kNaN, -1.0);
	EXPECT_EQ (tap->getTimeMsL (), 0.01);
	EXPECT_EQ (tap->getTimeMsR (), 0.01);
	tap->setSampleRate (500000.0);
	EXPECT_EQ (tap->getSampleRate (), 384000.0);
}

// Each channel comes out after its own length, scaled by the gain in force when it went in: a
// gain change reaches the output one delay later, and a negative gain inverts the reflection.
TEST (EarlyReflectionTap, GainAppliesBeforeTheDelay)
{
	auto tap = std::make_unique<EarlyReflectionTap> ();
	tap->setTimes (0.1, 0.2); // 4 and 9 samples
	tap->setGains (0.5, -0.25);
	FrameClock clock = 0;
	Frame out {};
	for (int n = 0; n < 20; ++n)
	{
		out = run (*tap, clock, 1.0);
		EXPECT_EQ (out.left, n >= 4 ? 0.5 : 0.0) << n;
		EXPECT_EQ (out.right, n >= 9 ? -0.25 : 0.0) << n;
	}
	tap->setGains (0.0, 0.0);
	for (int n = 0; n < 9; ++n)
	{
		out = run (*tap, clock, 1.0);
		EXPECT_EQ (out.left, n >= 4 ? 0.0 : 0.5) << n;
		EXPECT_EQ (out.right, -0.25) << n;
	}
	EXPECT_EQ (run (*tap, clock, 1.0).right, 0.0);
}

TEST (EarlyReflectionTap, ShorterLengthWaitsForTheCountdown)
{
	auto tap = std::make_unique<EarlyReflectionTap> ();
	tap->setTimes (1.0, 1.0); // 44 samples
	FrameClock clock = 0;
	for (int n = 0; n < 20; ++n)
		run (*tap, clock, 1.0);
	tap->setTimes (0.1, 1.0);
	EXPECT_EQ (tap->getPositionL (clock), 26);
	for (int n = 0; n < 26; ++n)
		run (*tap, clock, 1.0);
	EXPECT_EQ (tap->getPositionL (clock), 4);
	EXPECT_EQ (tap->getPositionR (clock), 44);
}
