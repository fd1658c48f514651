// The engine's frame behaviour: dry and wet paths, bypasses, width, and in-place frames.
#include "EngineTestSupport.h"

#include "engine/ReverbEngine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <type_traits>

using namespace Steinberg::Vst;
using namespace EngineTestSupport;

namespace {

constexpr int kLongRun = 100000;

Frame process (ReverbEngine& engine, double left, double right)
{
	const double in[2] = {left, right};
	double out[2];
	engine.processFrame (in, out);
	return {out[0], out[1]};
}

std::unique_ptr<ReverbEngine> engineWithDefaults (double rate = 44100.0)
{
	auto engine = std::make_unique<ReverbEngine> ();
	engine->setSampleRate (rate);
	applyProcessorDefaults (*engine);
	engine->reset ();
	return engine;
}

// Round half up, as the lines count their lengths.
int32_t frames (double ms, double rate)
{
	const double n = ms * rate * 0.001;
	const int32_t whole = static_cast<int32_t> (n);
	return n - whole < 0.5 ? whole : whole + 1;
}

} // namespace

static_assert (!std::is_copy_constructible_v<ReverbEngine> && !std::is_copy_assignable_v<ReverbEngine>,
               "the engine holds its delay memory by value and must never be copied");

TEST (ReverbEngine, FirstFrameAfterResetIsTheDrySignal)
{
	auto engine = engineWithDefaults ();
	Noise noise;
	for (int n = 0; n < 5000; ++n)
		process (*engine, noise.next (), noise.next ());
	engine->setDryLevel (0.7);
	engine->reset ();
	const Frame out = process (*engine, 0.3, -0.9);
	EXPECT_EQ (out.left, 0.7 * 0.3);
	EXPECT_EQ (out.right, 0.7 * -0.9);
}

TEST (ReverbEngine, SilenceGivesExactZeros)
{
	auto engine = engineWithDefaults ();
	for (int n = 0; n < kLongRun; ++n)
	{
		const Frame out = process (*engine, 0.0, 0.0);
		ASSERT_EQ (out.left, 0.0) << n;
		ASSERT_EQ (out.right, 0.0) << n;
	}
}

// At the processor's defaults an impulse gives the dry frame, then exact zeros until the shortest
// early reflection: 20 ms of pre-delay plus the shortest tap of variation 3 at room size 20 %.
TEST (ReverbEngine, ImpulseAtTheProcessorDefaults)
{
	auto engine = engineWithDefaults ();
	EXPECT_EQ (engine->getPreDelay ().getLength (), 882);
	const double roomFactor = (1.1 * 0.2 + 0.5) + 0.2;
	const int32_t firstRight = 882 + frames (roomFactor * 3.039, 44100.0);
	const int32_t firstLeft = 882 + frames (roomFactor * 3.855, 44100.0);
	EXPECT_EQ (firstRight, 882 + 123);
	EXPECT_EQ (firstLeft, 882 + 156);

	const Frame first = process (*engine, 1.0, 1.0);
	EXPECT_EQ (first.left, 1.0);
	EXPECT_EQ (first.right, 1.0);
	for (int n = 1; n <= firstLeft; ++n)
	{
		const Frame out = process (*engine, 0.0, 0.0);
		if (n < firstRight)
		{
			ASSERT_EQ (out.right, 0.0) << n;
		}
		else if (n == firstRight)
		{
			EXPECT_NE (out.right, 0.0);
		}
		if (n < firstLeft)
		{
			ASSERT_EQ (out.left, 0.0) << n;
		}
		else
		{
			EXPECT_NE (out.left, 0.0);
		}
	}
}

TEST (ReverbEngine, PreDelayLengthScalesWithTheRate)
{
	auto engine = engineWithDefaults (192000.0);
	EXPECT_EQ (engine->getPreDelay ().getLength (), 3840);
}

TEST (ReverbEngine, WetBypassLeavesTheDrySignalAlone)
{
	auto engine = engineWithDefaults ();
	engine->setDryLevel (0.8);
	engine->setWetBypass (true);
	Noise noise;
	for (int n = 0; n < 20000; ++n)
	{
		const double left = noise.next ();
		const double right = noise.next ();
		const Frame out = process (*engine, left, right);
		ASSERT_EQ (out.left, 0.8 * left) << n;
		ASSERT_EQ (out.right, 0.8 * right) << n;
	}
}

TEST (ReverbEngine, DryBypassRemovesTheUndelayedInput)
{
	auto engine = engineWithDefaults ();
	engine->setDryBypass (true);
	const Frame first = process (*engine, 1.0, 1.0);
	EXPECT_EQ (first.left, 0.0);
	EXPECT_EQ (first.right, 0.0);
}

// The channels meet only in the comb input and the width cross-mix: without the late reverb and
// at full width, a left-only signal stays on the left.
TEST (ReverbEngine, ReverbBypassAtFullWidthKeepsTheChannelsApart)
{
	auto engine = engineWithDefaults ();
	engine->setReverbBypass (true);
	engine->setWidth (1.0);
	Noise noise;
	double leftEnergy = 0.0;
	for (int n = 0; n < 30000; ++n)
	{
		const Frame out = process (*engine, n < 10000 ? noise.next () : 0.0, 0.0);
		ASSERT_EQ (out.right, 0.0) << n;
		leftEnergy += out.left * out.left;
	}
	EXPECT_GT (leftEnergy, 0.0);
}

TEST (ReverbEngine, WidthZeroSendsTheSameWetSignalToBoth)
{
	auto engine = engineWithDefaults ();
	engine->setWidth (0.0);
	engine->setDryBypass (true);
	Noise noise;
	for (int n = 0; n < 20000; ++n)
	{
		const Frame out = process (*engine, noise.next (), 0.25 * noise.next ());
		ASSERT_EQ (out.left, out.right) << n;
	}
}

// The taps feed the late reverb whatever the early-reflection level: with the early reflections
// bypassed, another tap pattern still changes what comes out.
TEST (ReverbEngine, TapsFeedTheLateReverbEvenWhenBypassed)
{
	auto a = engineWithDefaults ();
	auto b = engineWithDefaults ();
	a->setEarlyReflectionsBypass (true);
	b->setEarlyReflectionsBypass (true);
	b->setEarlyReflectionVariation (9);
	bool differs = false;
	Noise noise;
	for (int n = 0; n < 20000 && !differs; ++n)
	{
		const double x = n < 2000 ? noise.next () : 0.0;
		const Frame outA = process (*a, x, x);
		const Frame outB = process (*b, x, x);
		differs = outA.left != outB.left || outA.right != outB.right;
	}
	EXPECT_TRUE (differs);
}

TEST (ReverbEngine, InPlaceFramesMatchSeparateFrames)
{
	auto separate = engineWithDefaults ();
	auto inPlace = engineWithDefaults ();
	Noise noise;
	for (int n = 0; n < 20000; ++n)
	{
		const double in[2] = {noise.next (), noise.next ()};
		double out[2];
		double frame[2] = {in[0], in[1]};
		EXPECT_EQ (separate->processFrame (in, out), 0);
		EXPECT_EQ (inPlace->processFrame (frame, frame), 0);
		ASSERT_EQ (out[0], frame[0]) << n;
		ASSERT_EQ (out[1], frame[1]) << n;
	}
}

// A rate change between frames clears nothing: the tail goes on from what the lines hold.
TEST (ReverbEngine, RateChangeWithoutResetKeepsTheLines)
{
	auto engine = engineWithDefaults ();
	Noise noise;
	for (int n = 0; n < 10000; ++n)
		process (*engine, noise.next (), noise.next ());
	engine->setSampleRate (96000.0);
	double energy = 0.0;
	for (int n = 0; n < 10000; ++n)
	{
		const Frame out = process (*engine, 0.0, 0.0);
		ASSERT_TRUE (std::isfinite (out.left) && std::isfinite (out.right));
		energy += out.left * out.left + out.right * out.right;
	}
	EXPECT_GT (energy, 0.0);
}
