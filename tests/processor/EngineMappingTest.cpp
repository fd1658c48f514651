// How each parameter reaches the engine: every change goes through process, and an engine of the
// test's own, driven with the setter, band and unit conversion written out here once more, must
// give the same output bit for bit. A parameter passed to the wrong setter or band, on the wrong
// frequency range or without its conversion shows up at its own step.
#include "processor/LogMapping.h"
#include "processor/ParameterIds.h"
#include "DirectProcessor.h"

#include "engine/DenormalGuard.h"
#include "engine/ReverbEngine.h"

#include "public.sdk/source/vst/hosting/parameterchanges.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

namespace {

using namespace ProcessorTest;

constexpr int32 kFrames = 4096;
constexpr double kRate = 48000.0;

struct Step
{
	ParamID id;
	ParamValue value;
	std::function<void (ReverbEngine&)> expected; // what the engine must receive
};

// The processor's defaults as its constructor hands them to the engine: the frequencies stored on
// their logarithmic scales and turned back into Hz, the decay time squared.
double throughScale (double min, double max, double hz)
{
	return logNormalizedToPlain (min, max, logPlainToNormalized (min, max, hz));
}

void applyDefaults (ReverbEngine& e)
{
	const double decay = std::pow (0.1414141414141414, 0.5);
	e.setDryLevel (1.0);
	e.setPreDelay (0.1);
	e.setWidth (1.0);
	e.setEarlyReflectionVariation (3);
	e.setReverbVariation (2);
	e.setDecayTime (decay * decay);
	e.setRoomSize (0.2);
	e.setDiffusion (0.7);
	e.setDampIntensity (0.8);
	e.setDampFrequency (throughScale (4000.0, 22020.0, 18000.0));
	e.setEqFrequency (throughScale (20.0, 1000.0, 100.0), 0);
	e.setEqGain (0.5, 0);
	e.setEqFrequency (throughScale (30.0, 22000.0, 1000.0), 1);
	e.setEqGain (0.5, 1);
	e.setEqFrequency (throughScale (1000.0, 22000.0, 8000.0), 2);
	e.setEqGain (0.5, 2);
	e.setEarlyReflectionsLevel (1.0);
	e.setReverbLevel (1.0);
	e.setWetLevel (0.5);
	e.setDryBypass (false);
	e.setEarlyReflectionsBypass (false);
	e.setReverbBypass (false);
	e.setWetBypass (false);
	e.setModulationSpeed (0.3);
	e.setModulationDepth (0.406);
}

void fillNoise (std::vector<double>& samples, uint32_t& seed)
{
	for (auto& sample : samples)
	{
		seed = seed * 1664525u + 1013904223u;
		sample = (static_cast<int32> (seed >> 9) / 4194304.0 - 1.0) * 0.5;
	}
}

TEST (EngineMapping, EachParameterReachesTheEngineAsListed)
{
	DirectProcessor plugin (kSample64, kFrames, kRate);
	ASSERT_TRUE (plugin.ready);
	ASSERT_EQ (plugin.component->setActive (true), kResultOk);

	auto engine = std::make_unique<ReverbEngine> ();
	applyDefaults (*engine);
	engine->setSampleRate (kRate);
	engine->reset ();

	const Step steps[] = {
	    {26, 0.0, nullptr}, // the defaults alone first; 26 is no parameter
	    {kEarlyReflectionVariation, 0.5, [] (ReverbEngine& e) { e.setEarlyReflectionVariation (7); }},
	    {kReverbVariation, 0.7, [] (ReverbEngine& e) { e.setReverbVariation (4); }},
	    {kDry, 0.8, [] (ReverbEngine& e) { e.setDryLevel (0.8); }},
	    {kPredelay, 0.05, [] (ReverbEngine& e) { e.setPreDelay (0.05); }},
	    {kWidth, 0.6, [] (ReverbEngine& e) { e.setWidth (0.6); }},
	    {kDecayTime, 0.6, [] (ReverbEngine& e) { e.setDecayTime (0.6 * 0.6); }},
	    {kRoomSize, 0.85, [] (ReverbEngine& e) { e.setRoomSize (0.85); }},
	    {kDiffusion, 0.3, [] (ReverbEngine& e) { e.setDiffusion (0.3); }},
	    {kDampIntensity, 0.45, [] (ReverbEngine& e) { e.setDampIntensity (0.45); }},
	    {kDamp, 0.3, [] (ReverbEngine& e) { e.setDampFrequency (logNormalizedToPlain (4000.0, 22020.0, 0.3)); }},
	    {kLowShelf, 0.7, [] (ReverbEngine& e) { e.setEqFrequency (logNormalizedToPlain (20.0, 1000.0, 0.7), 0); }},
	    {kLowGain, 0.8, [] (ReverbEngine& e) { e.setEqGain (0.8, 0); }},
	    {kPeak, 0.25, [] (ReverbEngine& e) { e.setEqFrequency (logNormalizedToPlain (30.0, 22000.0, 0.25), 1); }},
	    {kPeakGain, 0.1, [] (ReverbEngine& e) { e.setEqGain (0.1, 1); }},
	    {kHighShelf, 0.4, [] (ReverbEngine& e) { e.setEqFrequency (logNormalizedToPlain (1000.0, 22000.0, 0.4), 2); }},
	    {kHighGain, 0.9, [] (ReverbEngine& e) { e.setEqGain (0.9, 2); }},
	    {kEarlyReflections, 0.6, [] (ReverbEngine& e) { e.setEarlyReflectionsLevel (0.6); }},
	    {kReverb, 0.7, [] (ReverbEngine& e) { e.setReverbLevel (0.7); }},
	    {kWet, 0.9, [] (ReverbEngine& e) { e.setWetLevel (0.9); }},
	    {kModSpeed, 0.8, [] (ReverbEngine& e) { e.setModulationSpeed (0.8); }},
	    {kModDepth, 0.2, [] (ReverbEngine& e) { e.setModulationDepth (0.2); }},
	    {kBypassDry, 0.9, [] (ReverbEngine& e) { e.setDryBypass (true); }},
	    {kBypassDry, 0.5, [] (ReverbEngine& e) { e.setDryBypass (false); }},
	    {kBypassEarlyReflections, 0.75, [] (ReverbEngine& e) { e.setEarlyReflectionsBypass (true); }},
	    {kBypassReverb, 1.0, [] (ReverbEngine& e) { e.setReverbBypass (true); }},
	    {kBypassEarlyReflections, 0.0, [] (ReverbEngine& e) { e.setEarlyReflectionsBypass (false); }},
	    {kBypassWet, 0.51, [] (ReverbEngine& e) { e.setWetBypass (true); }},
	    {kBypassReverb, 0.2, [] (ReverbEngine& e) { e.setReverbBypass (false); }},
	    {kBypassWet, 0.5, [] (ReverbEngine& e) { e.setWetBypass (false); }},
	    {26, 0.9, nullptr},
	    // The whole-plug-in bypass is not the engine's: while it is on the engine does not run.
	    {kBypass, 0.7, nullptr},
	    {kBypass, 0.3, nullptr},
	};

	std::vector<double> inL (kFrames), inR (kFrames), outL (kFrames), outR (kFrames);
	std::vector<double> expectedL (kFrames), expectedR (kFrames);
	StereoBlock<double> block (inL.data (), inR.data (), outL.data (), outR.data (), kFrames);
	ParameterChanges changes (1);
	uint32_t seed = 7;
	bool bypassed = false;
	for (const Step& step : steps)
	{
		SCOPED_TRACE (::testing::Message () << "parameter " << step.id << " at " << step.value);
		fillNoise (inL, seed);
		fillNoise (inR, seed);

		changes.clearQueue ();
		int32 index = 0;
		IParamValueQueue* queue = changes.addParameterData (step.id, index);
		ASSERT_TRUE (queue);
		queue->addPoint (0, step.value, index);
		block.data.inputParameterChanges = &changes;
		ASSERT_EQ (plugin.processor->process (block.data), kResultOk);

		if (step.id == kBypass)
			bypassed = step.value > 0.5;
		if (bypassed)
		{
			EXPECT_EQ (outL, inL);
			EXPECT_EQ (outR, inR);
			continue;
		}
		if (step.expected)
			step.expected (*engine);
		{
			DenormalGuard guard; // as the processor's frame loop runs
			for (int32 i = 0; i < kFrames; ++i)
			{
				const double in[2] = {inL[i], inR[i]};
				double out[2];
				engine->processFrame (in, out);
				expectedL[i] = out[0];
				expectedR[i] = out[1];
			}
		}
		ASSERT_EQ (std::memcmp (outL.data (), expectedL.data (), sizeof (double) * kFrames), 0);
		ASSERT_EQ (std::memcmp (outR.data (), expectedR.data (), sizeof (double) * kFrames), 0);
	}
}

} // namespace
