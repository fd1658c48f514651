// A damped comb: its constructor's state, feedback and damping values, clamps and the loop itself.
#include "engine/DampedComb.h"

#include "EngineTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

using namespace Steinberg::Vst;
using namespace EngineTestSupport;

namespace {

double runLeft (DampedComb& comb, FrameClock& clock, double value)
{
	return toFrame (comb.step (toPair (value, value), clock++)).left;
}

} // namespace

TEST (DampedComb, ConstructorState)
{
	auto comb = std::make_unique<DampedComb> ();
	EXPECT_EQ (comb->getLengthL (), 1764);
	EXPECT_EQ (comb->getLengthR (), 2205);
	EXPECT_EQ (comb->getDecayTime (), 5.0);
	EXPECT_EQ (comb->getFeedbackL (), 0.9462371613657931);
	EXPECT_EQ (comb->getFeedbackR (), 0.933254300796991);
	EXPECT_EQ (comb->getDampCoefficientL (), -0.7969362998854264);
	EXPECT_EQ (comb->getFilteredWeight (), 1.0);
	EXPECT_EQ (comb->getDirectWeight (), 0.0);
}

TEST (DampedComb, DampingCoefficientsAtTheCutoffLimits)
{
	auto comb = std::make_unique<DampedComb> ();
	comb->setDampFrequencies (1.0, 30000.0);
	EXPECT_EQ (comb->getDampFrequencyL (), 20.0);
	EXPECT_EQ (comb->getDampFrequencyR (), 22049.9);
	EXPECT_EQ (comb->getDampCoefficientL (), -0.9971545407970206);
	comb->setDampFrequencies (22049.9, kNaN);
	EXPECT_EQ (comb->getDampCoefficientL (), -0.17157287525996656);
	EXPECT_EQ (comb->getDampFrequencyR (), 20.0);
}

TEST (DampedComb, ClampsAndLengths)
{
	auto comb = std::make_unique<DampedComb> ();
	comb->setTimes (0.01, 150.0);
	EXPECT_EQ (comb->getLengthL (), 2);
	EXPECT_EQ (comb->getTimeMsR (), 100.0);
	EXPECT_EQ (comb->getLengthR (), 4410);
	comb->setSampleRate (1000.0);
	comb->setTimes (2.5, 2.4);
	EXPECT_EQ (comb->getLengthL (), 3); // an exact half rounds up
	EXPECT_EQ (comb->getLengthR (), 2);
	comb->setSampleRate (500000.0);
	EXPECT_EQ (comb->getSampleRate (), 384000.0);
	comb->setSampleRate (22050.0);
	EXPECT_EQ (comb->getSampleRate (), 22050.0);

	comb->setDampIntensity (-1.0);
	EXPECT_EQ (comb->getFilteredWeight (), 0.0);
	EXPECT_EQ (comb->getDirectWeight (), 1.0);
	comb->setDampIntensity (0.5);
	EXPECT_EQ (comb->getFilteredWeight (), 0.25);
	EXPECT_EQ (comb->getDirectWeight (), 0.75);
	comb->setDampIntensity (2.0);
	EXPECT_EQ (comb->getFilteredWeight (), 1.0);
	comb->setDampIntensity (kNaN);
	EXPECT_EQ (comb->getFilteredWeight (), 0.0);
}

// Undamped, an impulse recirculates every loop length scaled by the feedback; the comb's output is
// the feedback-scaled value, never the input that enters the line.
TEST (DampedComb, UndampedLoopRecirculatesWithTheFeedback)
{
	auto comb = std::make_unique<DampedComb> ();
	comb->setDampIntensity (0.0);
	comb->setTimes (0.2, 0.2); // 9 samples
	const double g = comb->getFeedbackL ();
	FrameClock clock = 0;
	// The first two samples go to the slots of the starting countdown; then the loop runs at 9.
	EXPECT_EQ (runLeft (*comb, clock, 0.0), 0.0);
	EXPECT_EQ (runLeft (*comb, clock, 0.0), 0.0);
	EXPECT_EQ (runLeft (*comb, clock, 1.0), 0.0);
	for (int n = 1; n < 40; ++n)
	{
		const double out = runLeft (*comb, clock, 0.0);
		if (n % 9 == 0)
			EXPECT_NEAR (out, std::pow (g, n / 9), 1e-15) << n;
		else
			EXPECT_EQ (out, 0.0) << n;
	}
	// With damping off the filter state still follows the delayed value.
	EXPECT_NE (comb->getDampStateL (), 0.0);
}

TEST (DampedComb, ClearSilencesButKeepsPositions)
{
	auto comb = std::make_unique<DampedComb> ();
	FrameClock clock = 0;
	for (int n = 0; n < 5000; ++n)
		runLeft (*comb, clock, n % 7 == 0 ? 1.0 : 0.0);
	const int32_t position = comb->getPositionL (clock);
	comb->clear ();
	EXPECT_EQ (comb->getPositionL (clock), position);
	EXPECT_EQ (comb->getDampStateL (), 0.0);
	for (int n = 0; n < 5000; ++n)
		EXPECT_EQ (runLeft (*comb, clock, 0.0), 0.0);
}
