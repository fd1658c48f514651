// An equaliser band: coefficients of each type, unity at 0 dB, and a corner frequency held below
// half the rate so that no setting can make the filter unstable.
#include "engine/EqualizerBand.h"

#include "EngineTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

using namespace Steinberg::Vst;
using namespace EngineTestSupport;

namespace {

// Largest deviation from the input of a run of noise-like values.
double largestDeviation (EqualizerBand& band, int frames)
{
	double largest = 0.0;
	for (int n = 0; n < frames; ++n)
	{
		const double x = std::sin (n * 0.7) * 0.5;
		largest = std::max (largest, std::fabs (toFrame (band.step (toPair (x, x))).left - x));
	}
	return largest;
}

} // namespace

TEST (EqualizerBand, ConstructorIsALowPassAt1000Hz)
{
	auto band = std::make_unique<EqualizerBand> ();
	EXPECT_EQ (band->getType (), 0u);
	EXPECT_EQ (band->getOmega (), 0.14247585730565954);
	const double c = std::cos (0.14247585730565954);
	EXPECT_EQ (band->getB0 (), (1.0 - c) / 2.0);
	EXPECT_EQ (band->getB1 (), 1.0 - c);
	band->setType (7); // any type above 6 is the low-pass
	EXPECT_EQ (band->getB1 (), 1.0 - c);
	EXPECT_EQ (band->getA1 (), -2.0 * c);
}

TEST (EqualizerBand, ZeroDecibelsPassesTheSignal)
{
	for (uint32_t type : {EqualizerBand::kPeaking, EqualizerBand::kLowShelf, EqualizerBand::kHighShelf})
	{
		auto band = std::make_unique<EqualizerBand> ();
		band->setType (type);
		band->setFrequency (500.0);
		band->setGain (0.0);
		EXPECT_EQ (band->getAmplitude (), 1.0);
		EXPECT_LT (largestDeviation (*band, 2000), 1e-12) << type;
	}
}

// A coefficient change keeps the filter memory: the output goes on from where it was.
TEST (EqualizerBand, CoefficientChangeKeepsTheMemory)
{
	auto a = std::make_unique<EqualizerBand> ();
	auto b = std::make_unique<EqualizerBand> ();
	for (int n = 0; n < 100; ++n)
	{
		a->step (_mm_set1_pd (1.0));
		b->step (_mm_set1_pd (1.0));
	}
	a->setFrequency (2000.0);
	b->setFrequency (2000.0);
	b->clear ();
	EXPECT_NE (toFrame (a->step (toPair (0.0, 0.0))).left, 0.0);
	EXPECT_EQ (toFrame (b->step (toPair (0.0, 0.0))).left, 0.0);
}

// A corner at or above half the rate would put the poles outside the unit circle; the band holds
// it just below, so even a +12 dB peak at 30 kHz on a 44.1 kHz stream stays finite and bounded.
TEST (EqualizerBand, FrequencyIsHeldBelowHalfTheRate)
{
	auto band = std::make_unique<EqualizerBand> ();
	band->setType (EqualizerBand::kPeaking);
	band->setGain (12.0);
	for (double hz : {22050.0, 30000.0, 1.0e9, kInfinity, 0.0, -100.0, kNaN})
	{
		band->setFrequency (hz);
		band->clear ();
		double largest = 0.0;
		for (int n = 0; n < 20000; ++n)
		{
			const double x = n % 2 ? 0.5 : -0.5;
			largest = std::max (largest, std::fabs (toFrame (band->step (toPair (x, x))).left));
		}
		EXPECT_TRUE (std::isfinite (largest)) << hz;
		EXPECT_LT (largest, 100.0) << hz;
	}
	band->setFrequency (22000.0); // the processor's highest corner passes unchanged
	EXPECT_EQ (band->getOmega (), 6.283185307179586 * 22000.0 / 44100.0);
}
