// The modulated delay: its derived values, the sine table, the plain delay without modulation,
// and the phase that no rate can take outside the table.
#include "engine/ModulatedDelay.h"

#include "EngineTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

using namespace Steinberg::Vst;
using namespace EngineTestSupport;

namespace {

Frame run (ModulatedDelay& delay, double left, double right)
{
	return toFrame (delay.step (toPair (left, right)));
}

} // namespace

TEST (ModulatedDelay, ConstructorValues)
{
	auto delay = std::make_unique<ModulatedDelay> ();
	EXPECT_EQ (delay->getLength (), 442);
	EXPECT_EQ (delay->getHalfLength (), 221);
	EXPECT_EQ (delay->getReadOffset (), 663.0);
	EXPECT_EQ (delay->getSwing (), 106.08);
	EXPECT_EQ (delay->getPhaseIncrement (), 0.23219954648526078);
	EXPECT_EQ (delay->getSineTableEntry (0), 0.0);
	EXPECT_EQ (delay->getSineTableEntry (128), std::sin (128 * 0.01227184630308513));
	EXPECT_EQ (delay->getSineTableEntry (512), 0.0);
	EXPECT_EQ (delay->getSineTableEntry (513), delay->getSineTableEntry (1));
}

TEST (ModulatedDelay, LengthsAndClamps)
{
	auto delay = std::make_unique<ModulatedDelay> ();
	delay->setDelayTime (0.1);
	EXPECT_EQ (delay->getLength (), 5); // 4.41 truncated, plus one
	delay->setDelayTime (0.01);
	EXPECT_EQ (delay->getDelayMs (), 0.1);
	delay->setSampleRate (192000.0);
	delay->setDelayTime (20.0);
	EXPECT_EQ (delay->getLength (), 3841);
	delay->setDelayTime (25.0);
	EXPECT_EQ (delay->getDelayMs (), 20.0);
	delay->setSampleRate (22050.0);
	EXPECT_EQ (delay->getSampleRate (), 44100.0);
	delay->setSampleRate (500000.0);
	EXPECT_EQ (delay->getSampleRate (), 384000.0);
	delay->setDepth (1.5);
	EXPECT_EQ (delay->getDepth (), 1.0);
	delay->setDepth (kNaN);
	EXPECT_EQ (delay->getDepth (), 0.0);
}

// Without modulation both channels are the input delayed by length - halfLength frames exactly.
TEST (ModulatedDelay, DepthZeroIsAPlainDelay)
{
	auto delay = std::make_unique<ModulatedDelay> ();
	delay->setDepth (0.0);
	delay->setDelayTime (1.0); // length 45, halfLength 22: 23 frames
	for (int n = 0; n < 300; ++n)
	{
		const Frame out = run (*delay, n + 1.0, -(n + 1.0));
		EXPECT_EQ (out.left, n >= 23 ? n + 1.0 - 23 : 0.0) << n;
		EXPECT_EQ (out.right, n >= 23 ? -(n + 1.0 - 23) : 0.0) << n;
	}
}

// The left read point moves against the right one: on a ramp the two outputs lie symmetrically
// around the centre delay.
TEST (ModulatedDelay, ChannelsSwingInOppositeDirections)
{
	auto delay = std::make_unique<ModulatedDelay> ();
	delay->setDelayTime (2.0); // length 89, halfLength 44: centre 45 frames
	delay->setSpeed (100.0);
	for (int n = 0; n < 400; ++n)
	{
		const Frame out = run (*delay, n, n);
		if (n > 200)
		{
			EXPECT_NEAR ((n - out.left) + (n - out.right), 2 * 45.0, 1e-9) << n;
		}
	}
}

TEST (ModulatedDelay, PhaseStaysWithinTheTable)
{
	auto delay = std::make_unique<ModulatedDelay> ();
	delay->setSpeed (0.0);
	const double frozen = delay->getPhase ();
	run (*delay, 1.0, 1.0);
	EXPECT_EQ (delay->getPhase (), frozen); // rate 0 freezes the oscillator

	for (double rate : {44100.0, 1.0e9, -5.0, kNaN, kInfinity})
	{
		delay->setSpeed (rate);
		EXPECT_GE (delay->getPhaseIncrement (), 0.0) << rate;
		EXPECT_LE (delay->getPhaseIncrement (), 512.0) << rate;
		for (int n = 0; n < 1000; ++n)
		{
			const Frame out = run (*delay, 1.0, 1.0);
			ASSERT_TRUE (std::isfinite (out.left) && std::isfinite (out.right)) << rate;
			ASSERT_GE (delay->getPhase (), 0.0);
			ASSERT_LE (delay->getPhase (), 1024.0);
		}
	}
}

TEST (ModulatedDelay, ResetSilencesAndTheOscillatorGoesOn)
{
	auto delay = std::make_unique<ModulatedDelay> ();
	for (int n = 0; n < 1000; ++n)
		run (*delay, 1.0, 1.0);
	const double phase = delay->getPhase ();
	delay->reset ();
	EXPECT_EQ (delay->getPhase (), phase);
	for (int n = 0; n < 300; ++n)
	{
		const Frame out = run (*delay, 0.0, 0.0);
		EXPECT_EQ (out.left, 0.0);
		EXPECT_EQ (out.right, 0.0);
	}
}
