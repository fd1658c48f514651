// Input that the engine must survive: rates it was never sized for, rates that are not numbers,
// non-finite samples and out-of-range settings. Meant to run under the sanitizers as well.
#include "EngineTestSupport.h"

#include "engine/ReverbEngine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

using namespace Steinberg::Vst;
using namespace EngineTestSupport;

namespace {

// Runs noise and then silence; false as soon as an output is not finite.
bool runsFinite (ReverbEngine& engine, int frames)
{
	Noise noise;
	for (int n = 0; n < frames; ++n)
	{
		const double x = n < frames / 2 ? noise.next () : 0.0;
		const double in[2] = {x, -x};
		double out[2];
		engine.processFrame (in, out);
		if (!std::isfinite (out[0]) || !std::isfinite (out[1]))
			return false;
	}
	return true;
}

// The longest setting of every line.
void setLongestTimes (ReverbEngine& engine)
{
	engine.setPreDelay (1.0);
	engine.setRoomSize (1.0);
	engine.setEarlyReflectionVariation (11);
	engine.setReverbVariation (3);
	engine.setModulationDepth (1.0);
}

} // namespace

// Every line is sized for 192 kHz; above that each length is held at what its line can serve,
// while the parts keep the rate they were given.
TEST (EngineRobustness, RatesAboveTheSupportedRange)
{
	auto engine = std::make_unique<ReverbEngine> ();
	for (double rate : {384000.0, 500000.0})
	{
		engine->setSampleRate (rate);
		setLongestTimes (*engine);
		EXPECT_EQ (engine->getPreDelay ().getSampleRate (), 384000.0);
		EXPECT_EQ (engine->getPreDelay ().getLength (), PreDelay::kLongestFrames);
		EXPECT_LE (engine->getTap (9).getLengthR (), EarlyReflectionTap::kLongest);
		EXPECT_LE (engine->getDiffuser (3).getLength (), AllpassDiffuser::kLongestFrames);
		EXPECT_LE (engine->getModulatedDelay ().getLength (), ModulatedDelay::kLongestLength);
		EXPECT_TRUE (runsFinite (*engine, 4000));
	}

	// A comb length above 32767 samples is held as it is, not wrapped.
	auto comb = std::make_unique<DampedComb> ();
	comb->setSampleRate (384000.0);
	comb->setTimes (90.0, 100.0);
	EXPECT_EQ (comb->getLengthL (), 34560);
	EXPECT_EQ (comb->getLengthR (), DampedComb::kLongest);

	auto tap = std::make_unique<EarlyReflectionTap> ();
	tap->setSampleRate (384000.0);
	tap->setTimes (200.0, 199.0);
	EXPECT_EQ (tap->getLengthL (), EarlyReflectionTap::kLongest);
	EXPECT_EQ (tap->getLengthR (), 76416);

	auto diffuser = std::make_unique<AllpassDiffuser> ();
	diffuser->setSampleRate (384000.0);
	diffuser->setTime (50.0);
	EXPECT_EQ (diffuser->getLength (), AllpassDiffuser::kLongestFrames);
}

// A rate that is not a positive finite number is taken as 44100 Hz by every part.
TEST (EngineRobustness, UnusableRatesCountAs44100)
{
	auto reference = std::make_unique<ReverbEngine> ();
	applyProcessorDefaults (*reference);
	for (double rate : {kNaN, kInfinity, -kInfinity, 0.0, -48000.0})
	{
		auto engine = std::make_unique<ReverbEngine> ();
		engine->setSampleRate (rate);
		applyProcessorDefaults (*engine);
		EXPECT_EQ (engine->getPreDelay ().getSampleRate (), 44100.0) << rate;
		EXPECT_EQ (engine->getComb (4).getSampleRate (), 44100.0) << rate;
		EXPECT_EQ (engine->getEqBand (2).getSampleRate (), 44100.0) << rate;
		EXPECT_EQ (engine->getModulatedDelay ().getSampleRate (), 44100.0) << rate;
		EXPECT_EQ (engine->getPreDelay ().getLength (), reference->getPreDelay ().getLength ());
		EXPECT_EQ (engine->getComb (4).getLengthL (), reference->getComb (4).getLengthL ());
		EXPECT_TRUE (runsFinite (*engine, 3000)) << rate;
	}
}

// One bad sample reaches the dry output at once, but the wet path takes 0 in its place.
TEST (EngineRobustness, NonFiniteInputStaysOutOfTheWetPath)
{
	for (double bad : {kNaN, kInfinity, -kInfinity})
	{
		auto engine = std::make_unique<ReverbEngine> ();
		applyProcessorDefaults (*engine);
		const double in[2] = {bad, 0.5};
		double out[2];
		engine->processFrame (in, out);
		EXPECT_FALSE (std::isfinite (out[0]));
		EXPECT_EQ (out[1], 0.5);
		EXPECT_TRUE (runsFinite (*engine, 20000)) << bad;
	}
}

// A finite sample so large that the wet path's gains would overflow it reaches the dry output as
// it is, while the wet path takes it only up to a limit: the reverb goes on with finite output.
TEST (EngineRobustness, HugeFiniteInputLeavesTheReverbFinite)
{
	for (double huge : {6.0e307, std::numeric_limits<double>::max (), -std::numeric_limits<double>::max ()})
	{
		auto engine = std::make_unique<ReverbEngine> ();
		applyProcessorDefaults (*engine);
		const double in[2] = {0.25, huge};
		double out[2];
		engine->processFrame (in, out);
		EXPECT_EQ (out[0], 0.25);
		EXPECT_EQ (out[1], huge);
		EXPECT_TRUE (runsFinite (*engine, 3 * 44100)) << huge;
	}
}

// A peak above half the rate used to turn the output into NaN after some thousand frames.
TEST (EngineRobustness, EqualiserAboveHalfTheRateStaysFinite)
{
	auto engine = std::make_unique<ReverbEngine> ();
	applyProcessorDefaults (*engine);
	engine->setEqFrequency (30000.0, 1);
	engine->setEqGain (1.0, 1);
	engine->setEqFrequency (25000.0, 2);
	engine->setEqFrequency (-20.0, 0);
	EXPECT_TRUE (runsFinite (*engine, 30000));
}

TEST (EngineRobustness, OutOfRangeSettingsStayFinite)
{
	auto engine = std::make_unique<ReverbEngine> ();
	applyProcessorDefaults (*engine);
		for (double v : {kNaN, -1.0e300, 1.0e300, -kInfinity, kInfinity})
	{
		engine->setPreDelay (v);
		engine->setWidth (v);
		engine->setDecayTime (v);
		engine->setRoomSize (v);
		engine->setDiffusion (v);
		engine->setDampIntensity (v);
		engine->setDampFrequency (v);
		engine->setModulationDepth (v);
		engine->setModulationSpeed (v);
		engine->setEqFrequency (v, 0);
		engine->setEarlyReflectionVariation (static_cast<int32_t> (std::isfinite (v) ? 1 << 30 : -5));
		engine->setReverbVariation (-1);
		EXPECT_TRUE (runsFinite (*engine, 3000)) << v;
	}
}

// Levels and equaliser gains from a damaged saved state: loud, but never an overflow that would
// leave NaN in the equaliser's state, so sound comes back once sane values return.
TEST (EngineRobustness, AbsurdLevelsAndGainsNeverLeaveTheWetPathStuck)
{
	auto engine = std::make_unique<ReverbEngine> ();
	applyProcessorDefaults (*engine);
	for (double v : {1.0e300, -1.0e300, kInfinity, -kInfinity})
	{
		engine->setDryLevel (v);
		engine->setEarlyReflectionsLevel (v);
		engine->setReverbLevel (v);
		engine->setWetLevel (v);
		for (int32_t band = 0; band < 3; ++band)
			engine->setEqGain (v, band);
		EXPECT_TRUE (runsFinite (*engine, 20000)) << v;
	}
	applyProcessorDefaults (*engine);
	EXPECT_TRUE (runsFinite (*engine, 20000));

	// Values in the normal range, and a little beyond it, keep their exact meaning.
	engine->setWetLevel (1.5);
	engine->setReverbLevel (0.25);
	EXPECT_EQ (engine->getWetGain (), 1.5 * ReverbEngine::kWetLevelScale);
}

// Positions count down with a 32-bit frame clock; its wrap-around changes nothing.
TEST (EngineRobustness, PositionsSurviveTheClockWrapping)
{
	LineCursor cursor;
	FrameClock clock = static_cast<FrameClock> (-16);
	cursor.setPosition (clock, 5);
	int32_t expected = 5;
	for (int n = 0; n < 100; ++n, ++clock)
	{
		ASSERT_EQ (cursor.position (clock), expected) << n;
		ASSERT_EQ (cursor.advance (clock, 7), static_cast<size_t> (expected - 1)) << n;
		expected = expected == 1 ? 7 : expected - 1;
	}
}
